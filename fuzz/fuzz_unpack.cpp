// Fuzzes Pak.UnPack with arbitrary archive bytes. The header checksum is recomputed first, so
// that the mutations reach the directory and the entries rather than stopping at the checksum.
#include <zlib.h>

#include <cstdint>
#include <string>

#include "FuzzFolder.h"
#include "core/Pak.h"
#include "core/PakFormat.h"

namespace {

void FixHeaderChecksum(std::string& a) {
    if (a.size() < plm::kPakHeaderSize) return;
    uint32_t dirSize = 0;
    for (int i = 0; i < 4; ++i) dirSize |= uint32_t{static_cast<uint8_t>(a[64 + i])} << (8 * i);
    if (dirSize > a.size() - plm::kPakHeaderSize) return;
    uLong c = crc32(0L, reinterpret_cast<const Bytef*>(a.data()), 68);
    if (dirSize) c = crc32(c, reinterpret_cast<const Bytef*>(a.data()) + plm::kPakHeaderSize, dirSize);
    for (int i = 0; i < 4; ++i) a[68 + i] = static_cast<char>((c >> (8 * i)) & 0xFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    std::string archive(reinterpret_cast<const char*>(data), size);
    FixHeaderChecksum(archive);
    folder.Put("a.pak", archive);
    plm::Pak pak;
    pak.UnPack("a.pak", "pw", "key", false, "");
    pak.UnPack("a.pak", "pw", "key", false, "T1.PNG");
    pak.CleanUp(false);
    folder.CheckAndClear();
    return 0;
}
