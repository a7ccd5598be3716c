#include "FileOut.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace media {

void WriteWhole(const std::string& path, const std::string& bytes) {
    std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary);
        f << bytes;
        if (!f) throw std::runtime_error("cannot write " + path);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace media
