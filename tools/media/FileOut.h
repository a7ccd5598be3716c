#pragma once
// Writes a generated file whole or not at all, through the engine's whole-file writer, so an
// interrupted build never leaves half a file that looks finished. Throws on failure.
#include <string>

namespace media {

void WriteWhole(const std::string& path, const std::string& bytes);

}  // namespace media
