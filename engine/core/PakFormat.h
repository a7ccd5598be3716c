#pragma once
// The pack archive "PLM Pak v.1": building an archive from named files and reading one back.
// docs/formats.md describes the layout byte by byte. Everything here works on bytes in memory;
// Pak.UnPack and the plmpak tool do the file work.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Sha256.h"

namespace plm {

inline constexpr std::string_view kPakMagic = "PLM Pak v.1";
inline constexpr size_t kPakHeaderSize = 72;
inline constexpr size_t kPakMaxNameLength = 255;
// The keystream number of whole-archive masking; entry i (0-based) uses i + 1.
inline constexpr uint32_t kPakSecureStream = 0;

using PakSalt = std::array<uint8_t, 16>;

struct PakFile {
    std::string Name;
    std::string Data;
};

struct PakEntryInfo {
    std::string Name;
    uint64_t Offset = 0;  // from the start of the archive
    uint32_t Size = 0;
    uint32_t Crc = 0;  // CRC-32 of the unmasked bytes
};

struct PakIndex {
    PakSalt Salt{};
    Sha256Digest PasswordHash{};
    std::vector<PakEntryInfo> Entries;
};

// XORs bytes in place with the keystream of (key, stream); applying it twice restores them.
void PakMask(char* data, size_t size, std::string_view key, uint32_t stream);

// SHA-256 of the salt followed by the password.
Sha256Digest PakPasswordHash(const PakSalt& salt, std::string_view password);

// Builds an archive. Refuses (false and a reason) names that are not plain file names, names
// that repeat (compared in upper case) and archives too large for the 32-bit fields.
bool BuildPak(const std::vector<PakFile>& files, std::string_view password, std::string_view key, bool secure,
              const PakSalt& salt, std::string& out, std::string& error);

// Reads and checks the header and directory of an unmasked archive: magic, header checksum,
// every name a plain file name with no repeats, every length inside the archive and the data
// exactly filling it. Anything else is refused with a reason.
bool ReadPakIndex(std::string_view archive, PakIndex& index, std::string& error);

// Compares a password with the archive's salted hash.
bool PakPasswordMatches(const PakIndex& index, std::string_view password);

// The unmasked bytes of entry i; false when they do not match the entry's checksum (a wrong
// key or damaged data).
bool PakEntryData(std::string_view archive, const PakIndex& index, size_t i, std::string_view key, std::string& out);

// True when two entry names are the same name compared in upper case (ASCII letters).
bool SameNameUpperCase(std::string_view a, std::string_view b);

}  // namespace plm
