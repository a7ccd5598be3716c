#pragma once
// JPEG encoding of 32-bit pixels (0xAARRGGBB words, alpha ignored) for the picture tools.
#include <cstdint>
#include <string>

namespace media {

// Encodes w x h pixels read from `pixels` (row stride in pixels); pixels outside srcW x srcH are
// written as opaque black. fullChroma keeps colour at full resolution (crisp coloured edges).
std::string EncodeJpeg(const uint32_t* pixels, int stride, int srcW, int srcH, int w, int h, int quality,
                       bool fullChroma);

}  // namespace media
