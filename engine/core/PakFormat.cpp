#include "core/PakFormat.h"

#include <zlib.h>

#include <cstring>
#include <set>

#include "core/Paths.h"

namespace plm {

namespace {

void PutU16(std::string& s, uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t GetU16(std::string_view s, size_t at) {
    return uint32_t{static_cast<uint8_t>(s[at])} | (uint32_t{static_cast<uint8_t>(s[at + 1])} << 8);
}

uint32_t GetU32(std::string_view s, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{static_cast<uint8_t>(s[at + i])} << (8 * i);
    return v;
}

uint32_t Crc32(std::string_view a, std::string_view b = {}) {
    uLong c = crc32(0L, Z_NULL, 0);
    // zlib takes 32-bit lengths; the archive's parts all fit (checked by the callers).
    // (zlib answers 0 for a null buffer, so empty parts are skipped rather than passed.)
    for (std::string_view part : {a, b})
        if (!part.empty()) c = crc32(c, reinterpret_cast<const Bytef*>(part.data()), static_cast<uInt>(part.size()));
    return static_cast<uint32_t>(c);
}

std::string UpperCase(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

// A file name of an entry: a plain file name of at most 255 bytes.
bool IsEntryName(std::string_view name) { return name.size() <= kPakMaxNameLength && IsSafeFileName(std::string(name)); }

}  // namespace

bool SameNameUpperCase(std::string_view a, std::string_view b) { return UpperCase(a) == UpperCase(b); }

void PakMask(char* data, size_t size, std::string_view key, uint32_t stream) {
    // FNV-1a of the key, stirred with the stream number, drives a xorshift32 sequence; each
    // byte is masked with the top byte of the next state and the key byte at its position.
    uint32_t x = 2166136261u;
    for (char c : key) {
        x ^= static_cast<uint8_t>(c);
        x *= 16777619u;
    }
    x ^= stream * 0x9E3779B9u;
    if (x == 0) x = 0x6D2B79F5u;
    // The key's position runs alongside the byte's rather than as a division per byte: the mask
    // is on the start-up path of every session, over the whole media archive.
    size_t k = 0;
    for (size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        uint8_t m = static_cast<uint8_t>(x >> 24);
        if (!key.empty()) {
            m ^= static_cast<uint8_t>(key[k]);
            if (++k == key.size()) k = 0;
        }
        data[i] = static_cast<char>(static_cast<uint8_t>(data[i]) ^ m);
    }
}

Sha256Digest PakPasswordHash(const PakSalt& salt, std::string_view password) {
    std::string buf(reinterpret_cast<const char*>(salt.data()), salt.size());
    buf.append(password);
    return Sha256(buf);
}

bool BuildPak(const std::vector<PakFile>& files, std::string_view password, std::string_view key, bool secure,
              const PakSalt& salt, std::string& out, std::string& error) {
    std::set<std::string> seen;
    std::string directory;
    uint64_t total = kPakHeaderSize;
    for (const PakFile& f : files) {
        if (!IsEntryName(f.Name)) {
            error = "Not a plain file name: \"" + f.Name + "\"";
            return false;
        }
        if (!seen.insert(UpperCase(f.Name)).second) {
            error = "Name repeats (compared in upper case): " + f.Name;
            return false;
        }
        total += 2 + f.Name.size() + 8 + f.Data.size();
        if (f.Data.size() > UINT32_MAX || total > UINT32_MAX) {
            error = "Archive too large";
            return false;
        }
        PutU16(directory, static_cast<uint32_t>(f.Name.size()));
        directory += f.Name;
        PutU32(directory, static_cast<uint32_t>(f.Data.size()));
        PutU32(directory, Crc32(f.Data));
    }

    std::string header(kPakMagic);
    header.push_back('\0');
    header.append(reinterpret_cast<const char*>(salt.data()), salt.size());
    Sha256Digest hash = PakPasswordHash(salt, password);
    header.append(reinterpret_cast<const char*>(hash.data()), hash.size());
    PutU32(header, static_cast<uint32_t>(files.size()));
    PutU32(header, static_cast<uint32_t>(directory.size()));
    PutU32(header, Crc32(header, directory));

    out = header + directory;
    out.reserve(total);
    for (size_t i = 0; i < files.size(); ++i) {
        size_t at = out.size();
        out += files[i].Data;
        PakMask(out.data() + at, files[i].Data.size(), key, static_cast<uint32_t>(i + 1));
    }
    if (secure) PakMask(out.data(), out.size(), key, kPakSecureStream);
    return true;
}

bool ReadPakIndex(std::string_view archive, PakIndex& index, std::string& error) {
    index = PakIndex{};
    if (archive.size() < kPakHeaderSize || archive.substr(0, kPakMagic.size()) != kPakMagic) {
        error = "Not a PLM Pak v.1 archive";
        return false;
    }
    if (archive[11] != '\0') {
        error = "Unknown format revision";
        return false;
    }
    uint32_t count = GetU32(archive, 60);
    uint32_t dirSize = GetU32(archive, 64);
    if (dirSize > archive.size() - kPakHeaderSize) {
        error = "Archive is truncated (directory)";
        return false;
    }
    std::string_view directory = archive.substr(kPakHeaderSize, dirSize);
    if (Crc32(archive.substr(0, 68), directory) != GetU32(archive, 68)) {
        error = "Header checksum does not match";
        return false;
    }
    std::memcpy(index.Salt.data(), archive.data() + 12, index.Salt.size());
    std::memcpy(index.PasswordHash.data(), archive.data() + 28, index.PasswordHash.size());

    std::set<std::string> seen;
    size_t at = 0;
    uint64_t offset = kPakHeaderSize + uint64_t{dirSize};
    for (uint32_t i = 0; i < count; ++i) {
        if (directory.size() - at < 2) {
            error = "Directory is truncated";
            return false;
        }
        uint32_t nameLen = GetU16(directory, at);
        at += 2;
        if (directory.size() - at < uint64_t{nameLen} + 8) {
            error = "Directory is truncated";
            return false;
        }
        PakEntryInfo e;
        e.Name = std::string(directory.substr(at, nameLen));
        at += nameLen;
        e.Size = GetU32(directory, at);
        e.Crc = GetU32(directory, at + 4);
        at += 8;
        e.Offset = offset;
        if (!IsEntryName(e.Name)) {
            error = "Entry name is not a plain file name";
            return false;
        }
        if (!seen.insert(UpperCase(e.Name)).second) {
            error = "Entry name repeats: " + e.Name;
            return false;
        }
        offset += e.Size;
        if (offset > archive.size()) {
            error = "Entry runs past the end of the archive: " + e.Name;
            return false;
        }
        index.Entries.push_back(std::move(e));
    }
    if (at != directory.size()) {
        error = "Directory size does not match its entries";
        return false;
    }
    if (offset != archive.size()) {
        error = "Archive size does not match its entries";
        return false;
    }
    return true;
}

bool PakPasswordMatches(const PakIndex& index, std::string_view password) {
    Sha256Digest h = PakPasswordHash(index.Salt, password);
    uint8_t diff = 0;
    for (size_t i = 0; i < h.size(); ++i) diff |= static_cast<uint8_t>(h[i] ^ index.PasswordHash[i]);
    return diff == 0;
}

bool PakEntryData(std::string_view archive, const PakIndex& index, size_t i, std::string_view key, std::string& out) {
    const PakEntryInfo& e = index.Entries.at(i);
    out = std::string(archive.substr(e.Offset, e.Size));
    PakMask(out.data(), out.size(), key, static_cast<uint32_t>(i + 1));
    return Crc32(out) == e.Crc;
}

}  // namespace plm
