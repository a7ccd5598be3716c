#pragma once
// Writes a generated file whole or not at all: into a temporary name, then renamed over the
// target, so an interrupted build never leaves half a file that looks finished.
#include <string>

namespace media {

void WriteWhole(const std::string& path, const std::string& bytes);

}  // namespace media
