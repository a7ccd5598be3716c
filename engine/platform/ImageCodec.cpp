#include "platform/ImageCodec.h"

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <new>
#include <string_view>

#include "core/FileIO.h"

namespace plm::platform {

namespace {

uint32_t Get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// The largest file read: an uncompressed image of the largest size, with room for its headers.
constexpr uint64_t kMaxImageFileBytes = uint64_t(4) * kMaxImageSide * kMaxImageSide + (uint64_t(1) << 20);

bool SizeOk(int64_t w, int64_t h, std::string& error) {
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) {
        error = "image size " + std::to_string(w) + " x " + std::to_string(h) + " out of range";
        return false;
    }
    return true;
}

// ---- BMP ----

// Position of the lowest set bit and the width of a channel mask, for BITFIELDS bitmaps.
struct MaskChannel {
    int shift = 0, bits = 0;
    uint32_t mask = 0;
    explicit MaskChannel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (bits < 32 - shift && ((m >> (shift + bits)) & 1)) ++bits;
    }
    uint32_t Extract(uint32_t px, uint32_t absent) const {
        if (!mask) return absent;
        uint32_t v = (px & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        uint32_t maxv = (1u << bits) - 1;
        return (v * 255 + maxv / 2) / maxv;
    }
};

bool DecodeBmp(const uint8_t* d, size_t n, Image& out, std::string& error) {
    if (n < 14 + 40) return error = "BMP file truncated", false;
    uint32_t dataOffset = Get32(d + 10);
    uint32_t headerSize = Get32(d + 14);
    if (headerSize < 40 || 14 + uint64_t(headerSize) > n) return error = "BMP header damaged", false;
    int32_t w = int32_t(Get32(d + 18));
    int32_t hRaw = int32_t(Get32(d + 22));
    uint32_t bpp = Get16(d + 28);
    uint32_t compression = Get32(d + 30);
    uint32_t colorsUsed = Get32(d + 46);
    bool topDown = hRaw < 0;
    int64_t h = topDown ? -int64_t(hRaw) : hRaw;
    if (!SizeOk(w, h, error)) return false;
    if (compression != 0 && compression != 3) return error = "BMP compression not supported", false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return error = "BMP bit depth " + std::to_string(bpp) + " not supported", false;

    uint32_t masks[4] = {0, 0, 0, 0};
    if (compression == 3) {
        if (bpp != 16 && bpp != 32) return error = "BMP bit fields need 16 or 32 bits", false;
        // Right after the 40-byte header: inside a V2+ header, or following a plain one.
        size_t maskAt = 14 + 40;
        if (maskAt + 12 > n) return error = "BMP masks truncated", false;
        masks[0] = Get32(d + maskAt), masks[1] = Get32(d + maskAt + 4), masks[2] = Get32(d + maskAt + 8);
        if (headerSize >= 56 && maskAt + 16 <= n) masks[3] = Get32(d + maskAt + 12);
    } else if (bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    }

    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        uint32_t count = colorsUsed ? colorsUsed : (1u << bpp);
        if (count > 256) return error = "BMP palette too large", false;
        size_t palAt = 14 + size_t(headerSize);
        if (palAt + size_t(count) * 4 > n) return error = "BMP palette truncated", false;
        for (uint32_t i = 0; i < count; ++i)
            palette.push_back(0xFF000000u | (Get32(d + palAt + i * 4) & 0xFFFFFF));
    }

    uint64_t stride = ((uint64_t(w) * bpp + 31) / 32) * 4;
    if (dataOffset > n || stride * uint64_t(h) > n - dataOffset) return error = "BMP pixel data truncated", false;

    out.width = w;
    out.height = int32_t(h);
    out.pixels.assign(size_t(w) * size_t(h), 0);
    MaskChannel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
    bool anyAlpha = false;
    for (int64_t row = 0; row < h; ++row) {
        const uint8_t* src = d + dataOffset + stride * uint64_t(topDown ? row : h - 1 - row);
        uint32_t* dst = out.pixels.data() + size_t(row) * size_t(w);
        for (int32_t x = 0; x < w; ++x) {
            uint32_t px = 0;
            switch (bpp) {
                case 1: case 4: case 8: {
                    uint32_t bit = uint32_t(x) * bpp;
                    uint32_t idx = (src[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                    px = idx < palette.size() ? palette[idx] : 0xFF000000u;
                    break;
                }
                case 16: {
                    uint32_t v = Get16(src + x * 2);
                    px = (a.Extract(v, 255) << 24) | (r.Extract(v, 0) << 16) | (g.Extract(v, 0) << 8) | b.Extract(v, 0);
                    break;
                }
                case 24:
                    px = 0xFF000000u | (src[x * 3 + 2] << 16) | (src[x * 3 + 1] << 8) | src[x * 3];
                    break;
                case 32: {
                    uint32_t v = Get32(src + x * 4);
                    if (compression == 3)
                        px = (a.Extract(v, 255) << 24) | (r.Extract(v, 0) << 16) | (g.Extract(v, 0) << 8) | b.Extract(v, 0);
                    else
                        px = v;
                    if (px >> 24) anyAlpha = true;
                    break;
                }
            }
            dst[x] = px;
        }
    }
    // A plain 32-bit bitmap carries an unused fourth byte that most writers leave at 0: such a
    // file is opaque. Only when some pixel has a non-zero fourth byte is it read as alpha.
    if (bpp == 32 && compression == 0 && !anyAlpha)
        for (auto& p : out.pixels) p |= 0xFF000000u;
    return true;
}

std::vector<uint8_t> EncodeBmp24(const Image& img) {
    uint32_t stride = (uint32_t(img.width) * 3 + 3) & ~3u;
    uint32_t dataSize = stride * uint32_t(img.height);
    std::vector<uint8_t> v;
    v.reserve(54 + dataSize);
    v.push_back('B');
    v.push_back('M');
    Put32(v, 54 + dataSize);
    Put32(v, 0);
    Put32(v, 54);
    Put32(v, 40);
    Put32(v, uint32_t(img.width));
    Put32(v, uint32_t(img.height));
    Put16(v, 1);
    Put16(v, 24);
    Put32(v, 0);
    Put32(v, dataSize);
    Put32(v, 2835);  // 72 dpi
    Put32(v, 2835);
    Put32(v, 0);
    Put32(v, 0);
    for (int32_t row = img.height - 1; row >= 0; --row) {
        const uint32_t* src = img.pixels.data() + size_t(row) * size_t(img.width);
        for (int32_t x = 0; x < img.width; ++x) {
            v.push_back(uint8_t(src[x]));
            v.push_back(uint8_t(src[x] >> 8));
            v.push_back(uint8_t(src[x] >> 16));
        }
        for (uint32_t pad = uint32_t(img.width) * 3; pad < stride; ++pad) v.push_back(0);
    }
    return v;
}

// ---- DDS (uncompressed 32-bit only) ----

constexpr uint32_t kDdsMagic = 0x20534444;  // "DDS "
constexpr uint32_t kDdpfAlphaPixels = 0x1, kDdpfFourCC = 0x4, kDdpfRgb = 0x40;

bool DecodeDds(const uint8_t* d, size_t n, Image& out, std::string& error) {
    if (n < 128) return error = "DDS file truncated", false;
    if (Get32(d) != kDdsMagic || Get32(d + 4) != 124) return error = "DDS header damaged", false;
    int64_t h = Get32(d + 12), w = Get32(d + 16);
    if (!SizeOk(w, h, error)) return false;
    const uint8_t* pf = d + 76;
    uint32_t flags = Get32(pf + 4);
    uint32_t bits = Get32(pf + 12);
    if ((flags & kDdpfFourCC) || !(flags & kDdpfRgb) || bits != 32)
        return error = "DDS format not supported (only uncompressed 32-bit)", false;
    MaskChannel r(Get32(pf + 16)), g(Get32(pf + 20)), b(Get32(pf + 24));
    MaskChannel a((flags & kDdpfAlphaPixels) ? Get32(pf + 28) : 0);
    uint64_t need = uint64_t(w) * uint64_t(h) * 4;
    if (need > n - 128) return error = "DDS pixel data truncated", false;
    out.width = int32_t(w);
    out.height = int32_t(h);
    out.pixels.resize(size_t(w) * size_t(h));
    const uint8_t* src = d + 128;
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        uint32_t v = Get32(src + i * 4);
        out.pixels[i] = (a.Extract(v, 255) << 24) | (r.Extract(v, 0) << 16) | (g.Extract(v, 0) << 8) | b.Extract(v, 0);
    }
    return true;
}

std::vector<uint8_t> EncodeDds(const Image& img) {
    std::vector<uint8_t> v;
    v.reserve(128 + img.pixels.size() * 4);
    Put32(v, kDdsMagic);
    Put32(v, 124);
    Put32(v, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000);  // caps, height, width, pitch, pixel format
    Put32(v, uint32_t(img.height));
    Put32(v, uint32_t(img.width));
    Put32(v, uint32_t(img.width) * 4);
    Put32(v, 0);  // depth
    Put32(v, 0);  // mip levels
    for (int i = 0; i < 11; ++i) Put32(v, 0);
    Put32(v, 32);  // pixel format size
    Put32(v, kDdpfRgb | kDdpfAlphaPixels);
    Put32(v, 0);
    Put32(v, 32);
    Put32(v, 0x00FF0000);
    Put32(v, 0x0000FF00);
    Put32(v, 0x000000FF);
    Put32(v, 0xFF000000);
    Put32(v, 0x1000);  // caps: texture
    for (int i = 0; i < 4; ++i) Put32(v, 0);
    for (uint32_t p : img.pixels) Put32(v, p);
    return v;
}

// ---- PNG (libpng's simplified API: it keeps its own setjmp and reports errors in the struct) ----

// Frees libpng's state however the decoder leaves (png_image_free is safe on a finished image).
struct PngImageFree {
    png_image& image;
    ~PngImageFree() { png_image_free(&image); }
};

bool DecodePng(const uint8_t* d, size_t n, Image& out, std::string& error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    PngImageFree guard{png};
    if (!png_image_begin_read_from_memory(&png, d, n)) return error = std::string("PNG damaged: ") + png.message, false;
    if (!SizeOk(png.width, png.height, error)) return false;
    // Bytes blue, green, red, alpha are one ARGB word on a little-endian machine: libpng writes the
    // pixels in place, with no second buffer and no pass to reorder them.
    static_assert(std::endian::native == std::endian::little);
    png.format = PNG_FORMAT_BGRA;
    out.pixels.resize(size_t(png.width) * png.height);
    if (!png_image_finish_read(&png, nullptr, out.pixels.data(), 0, nullptr))
        return error = std::string("PNG damaged: ") + png.message, false;
    out.width = int32_t(png.width);
    out.height = int32_t(png.height);
    return true;
}

bool EncodePng(const Image& img, std::vector<uint8_t>& out, std::string& error) {
    std::vector<uint8_t> rgba(img.pixels.size() * 4);
    for (size_t i = 0; i < img.pixels.size(); ++i) {
        uint32_t p = img.pixels[i];
        rgba[i * 4] = uint8_t(p >> 16), rgba[i * 4 + 1] = uint8_t(p >> 8), rgba[i * 4 + 2] = uint8_t(p),
        rgba[i * 4 + 3] = uint8_t(p >> 24);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = uint32_t(img.width);
    png.height = uint32_t(img.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
        error = std::string("PNG encoding failed: ") + png.message;
        return false;
    }
    out.resize(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
        error = std::string("PNG encoding failed: ") + png.message;
        return false;
    }
    out.resize(size);
    return true;
}

// ---- JPEG (libjpeg-turbo; errors leave through longjmp out of the error manager) ----

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are not printed; the one that says the data ended early makes the file damaged (libjpeg
// would otherwise fill the missing rows with grey and report success).
void JpegWarning(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

bool DecodeJpeg(const uint8_t* d, size_t n, Image& out, std::string& error) {
    jpeg_decompress_struct cinfo;
    JpegError jerr;
    cinfo.err = jpeg_std_error(&jerr.mgr);
    jerr.mgr.error_exit = JpegErrorExit;
    jerr.mgr.emit_message = JpegWarning;
    jerr.message[0] = 0;
    jerr.truncated = false;
    // No C++ object with a destructor is created between setjmp and the last libjpeg call: a
    // longjmp would skip it. The output image belongs to the caller.
    if (setjmp(jerr.jump)) {
        error = std::string("JPEG damaged: ") + jerr.message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, d, static_cast<unsigned long>(n));
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeOk(cinfo.image_width, cinfo.image_height, error)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = int32_t(cinfo.output_width);
    out.height = int32_t(cinfo.output_height);
    try {
        out.pixels.assign(size_t(out.width) * size_t(out.height), 0xFF000000u);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&cinfo);
        return error = "out of memory", false;
    }
    // The row buffer belongs to libjpeg's pool, so a longjmp out of a damaged scan leaks nothing.
    JSAMPARRAY rows = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                 cinfo.output_width * cinfo.output_components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JSAMPLE* row = rows[0];
        uint32_t y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
        uint32_t* dst = out.pixels.data() + size_t(y) * size_t(out.width);
        for (int32_t x = 0; x < out.width; ++x)
            dst[x] = 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
    }
    if (!jerr.truncated) jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (jerr.truncated) return error = "JPEG truncated", false;
    return true;
}

}  // namespace

ImageFormat DetectImageFormat(const uint8_t* d, size_t n) {
    if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) return ImageFormat::Png;
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return ImageFormat::Jpeg;
    if (n >= 2 && d[0] == 'B' && d[1] == 'M') return ImageFormat::Bmp;
    if (n >= 4 && Get32(d) == kDdsMagic) return ImageFormat::Dds;
    return ImageFormat::Unknown;
}

bool DecodeImage(const uint8_t* data, size_t size, Image& out, std::string& error) {
    Image img;
    bool ok = false;
    try {
        switch (DetectImageFormat(data, size)) {
            case ImageFormat::Png: ok = DecodePng(data, size, img, error); break;
            case ImageFormat::Jpeg: ok = DecodeJpeg(data, size, img, error); break;
            case ImageFormat::Bmp: ok = DecodeBmp(data, size, img, error); break;
            case ImageFormat::Dds: ok = DecodeDds(data, size, img, error); break;
            case ImageFormat::Unknown: error = size ? "unknown image format" : "empty image file"; break;
        }
    } catch (const std::bad_alloc&) {
        error = "out of memory";  // a huge but well-formed header
        ok = false;
    }
    if (ok) out = std::move(img);
    return ok;
}

bool DecodeImage(const std::vector<uint8_t>& bytes, Image& out, std::string& error) {
    return DecodeImage(bytes.data(), bytes.size(), out, error);
}

bool LoadImageFile(const std::string& path, Image& out, std::string& error) {
    std::string bytes;
    try {
        if (!ReadWholeFile(path, bytes, kMaxImageFileBytes)) return error = "cannot open " + path, false;
    } catch (const std::bad_alloc&) {
        return error = "out of memory", false;
    }
    return DecodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out, error);
}

bool EncodeImage(const Image& image, ImageFormat format, std::vector<uint8_t>& out, std::string& error) {
    if (!SizeOk(image.width, image.height, error)) return false;
    if (image.pixels.size() != size_t(image.width) * size_t(image.height))
        return error = "image pixel count does not match its size", false;
    switch (format) {
        case ImageFormat::Bmp: out = EncodeBmp24(image); return true;
        case ImageFormat::Dds: out = EncodeDds(image); return true;
        case ImageFormat::Png: return EncodePng(image, out, error);
        default: error = "image format not supported for writing"; return false;
    }
}

bool SaveImageFile(const std::string& path, const Image& image, ImageFormat format, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!EncodeImage(image, format, bytes, error)) return false;
    if (!WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return error = "cannot write " + path, false;
    return true;
}

}  // namespace plm::platform
