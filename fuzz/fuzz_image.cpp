// Fuzzes the image decoder with arbitrary file bytes (PNG, JPEG, BMP, DDS are told apart by their
// first bytes). An image it accepts must have sane sides and exactly width x height pixels.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plm::platform::Image image;
    std::string error;
    if (plm::platform::DecodeImage(data, size, image, error)) {
        if (image.width < 1 || image.height < 1 || image.width > plm::platform::kMaxImageSide ||
            image.height > plm::platform::kMaxImageSide)
            std::abort();
        if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) std::abort();
    }
    return 0;
}
