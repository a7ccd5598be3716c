// plmpak: builds a pack archive from files, or lists one.
//
//   plmpak create ARCHIVE -p PASSWORD -k KEY [--secure] [--salt HEX] FILE...
//   plmpak list ARCHIVE [-k KEY] [--secure]
//
// Each FILE becomes one entry named by its file name (the text after the last "/"). The key
// masks every entry; --secure masks the whole archive as well (unpack it with Secure true).
// --salt takes 32 hex digits for a reproducible archive; without it the salt is random.
// list prints one line per entry: its size in bytes, a tab, its name. Exit status 0 on
// success, 1 on a refused input, 2 on a bad command line.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/EngineProcs.h"
#include "core/FileIO.h"
#include "core/PakFormat.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: plmpak create ARCHIVE -p PASSWORD -k KEY [--secure] [--salt HEX] FILE...\n"
                 "       plmpak list ARCHIVE [-k KEY] [--secure]\n");
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "plmpak: %s\n", message.c_str());
    return 1;
}

bool ParseSalt(const std::string& hex, plm::PakSalt& salt) {
    if (hex.size() != salt.size() * 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    for (size_t i = 0; i < salt.size(); ++i)
        salt[i] = static_cast<uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    return true;
}

plm::PakSalt RandomSalt() {
    plm::PakSalt salt{};
    std::random_device rd;
    for (uint8_t& b : salt) b = static_cast<uint8_t>(rd());
    return salt;
}

struct Options {
    std::string command, archive, password, key, salt;
    bool havePassword = false, haveKey = false, secure = false;
    std::vector<std::string> files;
};

bool ParseArgs(int argc, char** argv, Options& o) {
    if (argc < 3) return false;
    o.command = argv[1];
    o.archive = argv[2];
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        if (a == "-p" || a == "--password") {
            if (!value(o.password)) return false;
            o.havePassword = true;
        } else if (a == "-k" || a == "--key") {
            if (!value(o.key)) return false;
            o.haveKey = true;
        } else if (a == "--salt") {
            if (!value(o.salt)) return false;
        } else if (a == "--secure") {
            o.secure = true;
        } else if (a == "--") {
            for (++i; i < argc; ++i) o.files.push_back(argv[i]);
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else {
            o.files.push_back(a);
        }
    }
    return true;
}

int Create(const Options& o) {
    if (!o.havePassword || !o.haveKey || o.files.empty()) return Usage();
    plm::PakSalt salt = RandomSalt();
    if (!o.salt.empty() && !ParseSalt(o.salt, salt)) return Fail("--salt wants 32 hex digits");
    std::vector<plm::PakFile> entries;
    for (const std::string& f : o.files) {
        plm::PakFile e;
        e.Name = plm::FileNameFromPath(f);
        if (!plm::ReadWholeFile(f, e.Data)) return Fail("cannot read " + f);
        entries.push_back(std::move(e));
    }
    std::string bytes, error;
    if (!plm::BuildPak(entries, o.password, o.key, o.secure, salt, bytes, error)) return Fail(error);
    if (!plm::WriteWholeFile(o.archive, bytes)) return Fail("cannot write " + o.archive);
    return 0;
}

int List(const Options& o) {
    if (!o.files.empty() || o.havePassword) return Usage();
    std::string bytes;
    if (!plm::ReadWholeFile(o.archive, bytes, UINT32_MAX)) return Fail("cannot read " + o.archive);
    if (o.secure) plm::PakMask(bytes.data(), bytes.size(), o.key, plm::kPakSecureStream);
    plm::PakIndex index;
    std::string error;
    if (!plm::ReadPakIndex(bytes, index, error)) return Fail(o.archive + ": " + error);
    for (const plm::PakEntryInfo& e : index.Entries) std::printf("%u\t%s\n", e.Size, e.Name.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) return Usage();
    if (o.command == "create") return Create(o);
    if (o.command == "list") return List(o);
    return Usage();
}
