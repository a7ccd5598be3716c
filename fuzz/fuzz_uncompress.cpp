// Fuzzes Lib.FileUncompress with arbitrary file bytes; a file it accepts must hold exactly the
// stored length.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFolder.h"
#include "core/FileIO.h"
#include "core/Lib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    folder.Put("in.z", std::string_view(reinterpret_cast<const char*>(data), size));
    plm::Lib lib;
    if (lib.FileUncompress(folder.engine() + "in.z", folder.engine() + "out")) {
        std::string out;
        if (!plm::ReadWholeFile(folder.engine() + "out", out) || size < 4) std::abort();
        uint32_t stored = 0;
        for (int i = 0; i < 4; ++i) stored |= uint32_t{data[i]} << (8 * i);
        if (out.size() != stored) std::abort();
    }
    folder.CheckAndClear();
    return 0;
}
