#pragma once
// Image files to and from 32-bit ARGB pixels: PNG, JPEG, BMP and uncompressed 32-bit DDS are read;
// BMP (24-bit), PNG and DDS (A8R8G8B8) are written. Every reader checks sizes against the bytes it
// was given, so a damaged or truncated file gives false and an error text, never a crash.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/GraphicsDevice.h"

namespace plm::platform {

// File formats by the numbers the engine's save calls pass (BMP 0, JPEG 1, PNG 3, DDS 4).
enum class ImageFormat : int32_t { Bmp = 0, Jpeg = 1, Png = 3, Dds = 4, Unknown = -1 };

// The largest width or height accepted on decode, so a forged header cannot ask for gigabytes.
constexpr int32_t kMaxImageSide = 16384;

// Guesses the format from the first bytes (magic numbers), Unknown when none matches.
ImageFormat DetectImageFormat(const uint8_t* data, size_t size);

bool DecodeImage(const uint8_t* data, size_t size, Image& out, std::string& error);
bool DecodeImage(const std::vector<uint8_t>& bytes, Image& out, std::string& error);
bool LoadImageFile(const std::string& path, Image& out, std::string& error);

// Jpeg is not written (nothing in the engine saves one).
bool EncodeImage(const Image& image, ImageFormat format, std::vector<uint8_t>& out, std::string& error);
// Writes the whole file or nothing: a temporary file beside the target, then a rename.
bool SaveImageFile(const std::string& path, const Image& image, ImageFormat format, std::string& error);

}  // namespace plm::platform
