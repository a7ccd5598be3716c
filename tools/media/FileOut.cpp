#include "FileOut.h"

#include <stdexcept>

#include "core/FileIO.h"

namespace media {

void WriteWhole(const std::string& path, const std::string& bytes) {
    if (!plm::WriteWholeFile(path, bytes)) throw std::runtime_error("cannot write " + path);
}

}  // namespace media
