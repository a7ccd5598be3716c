#include "platform/ImageCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "EngineFixture.h"

namespace pp = plm::platform;

namespace {

// A small image with every channel varying, including alpha.
pp::Image Pattern(int w, int h) {
    pp::Image img{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels.push_back(uint32_t((x * 37 + y * 11) & 0xFF) << 24 | uint32_t(x * 16) << 16 |
                                 uint32_t(y * 20) << 8 | uint32_t((x ^ y) * 9));
    return img;
}

std::vector<uint8_t> Encode(const pp::Image& img, pp::ImageFormat f) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(pp::EncodeImage(img, f, bytes, error)) << error;
    return bytes;
}

// Little-endian fields of a hand-made file.
void PutLE(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void Put16(std::vector<uint8_t>& v, uint32_t x) { PutLE(v, x, 2); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { PutLE(v, x, 4); }

// A bitmap file by hand: bpp 8 with a palette, or 32 with raw BGRA bytes; bottom-up rows.
std::vector<uint8_t> HandBmp(int w, int h, int bpp, const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& rowsBottomUp) {
    std::vector<uint8_t> v = {'B', 'M'};
    uint32_t offset = 54 + uint32_t(palette.size()) * 4;
    Put32(v, offset + uint32_t(rowsBottomUp.size()));
    Put32(v, 0);
    Put32(v, offset);
    Put32(v, 40);
    Put32(v, uint32_t(w));
    Put32(v, uint32_t(h));
    Put16(v, 1);
    Put16(v, uint32_t(bpp));
    Put32(v, 0);
    Put32(v, uint32_t(rowsBottomUp.size()));
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, uint32_t(palette.size()));
    Put32(v, 0);
    for (uint32_t c : palette) Put32(v, c);
    v.insert(v.end(), rowsBottomUp.begin(), rowsBottomUp.end());
    return v;
}

}  // namespace

TEST(ImageCodec, RoundTripsKeepPixels) {
    pp::Image img = Pattern(13, 7);  // odd width: BMP rows need padding
    struct Case {
        pp::ImageFormat format;
        bool keepsAlpha;
    } cases[] = {{pp::ImageFormat::Png, true}, {pp::ImageFormat::Dds, true}, {pp::ImageFormat::Bmp, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.format));
        auto bytes = Encode(img, c.format);
        EXPECT_EQ(pp::DetectImageFormat(bytes.data(), bytes.size()), c.format);
        pp::Image back;
        std::string error;
        ASSERT_TRUE(pp::DecodeImage(bytes, back, error)) << error;
        ASSERT_EQ(back.width, 13);
        ASSERT_EQ(back.height, 7);
        for (size_t i = 0; i < img.pixels.size(); ++i) {
            uint32_t want = c.keepsAlpha ? img.pixels[i] : (img.pixels[i] | 0xFF000000u);
            ASSERT_EQ(back.pixels[i], want) << "pixel " << i;
        }
    }
}

TEST(ImageCodec, BmpIs24BitBottomUp) {
    pp::Image img{2, 2, {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC}};
    auto bytes = Encode(img, pp::ImageFormat::Bmp);
    ASSERT_EQ(bytes.size(), 54u + 2 * 8);  // rows of 6 bytes padded to 8
    EXPECT_EQ(bytes[28], 24);
    // The first stored row is the bottom one, blue first.
    EXPECT_EQ(bytes[54], 0x99);
    EXPECT_EQ(bytes[55], 0x88);
    EXPECT_EQ(bytes[56], 0x77);
}

TEST(ImageCodec, ReadsPalettedAndPlain32BitBitmaps) {
    // 3 x 2, 8-bit: rows padded to 4 bytes, bottom row first.
    auto pal = HandBmp(3, 2, 8, {0x00FF0000, 0x0000FF00, 0x000000FF}, {2, 1, 0, 0, 0, 0, 1, 0});
    pp::Image img;
    std::string error;
    ASSERT_TRUE(pp::DecodeImage(pal, img, error)) << error;
    EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF00FF00,
                                                 0xFFFF0000}));

    // 32-bit with every fourth byte 0 reads opaque; with some alpha set, it is alpha.
    auto zero = HandBmp(1, 1, 32, {}, {0x10, 0x20, 0x30, 0x00});
    ASSERT_TRUE(pp::DecodeImage(zero, img, error)) << error;
    EXPECT_EQ(img.pixels[0], 0xFF302010u);
    auto half = HandBmp(1, 1, 32, {}, {0x10, 0x20, 0x30, 0x80});
    ASSERT_TRUE(pp::DecodeImage(half, img, error)) << error;
    EXPECT_EQ(img.pixels[0], 0x80302010u);

    // An index beyond the palette reads black instead of reading past it.
    auto beyond = HandBmp(1, 1, 8, {0x00FFFFFF}, {7, 0, 0, 0});
    ASSERT_TRUE(pp::DecodeImage(beyond, img, error)) << error;
    EXPECT_EQ(img.pixels[0], 0xFF000000u);
}

TEST(ImageCodec, ReadsJpeg) {
    pp::Image img;
    std::string error;
    ASSERT_TRUE(pp::LoadImageFile(std::string(PLM_TEST_DATA_DIR) + "/images/gradient.jpg", img, error)) << error;
    ASSERT_EQ(img.width, 16);
    ASSERT_EQ(img.height, 8);
    uint32_t top = img.pixels[0], bottom = img.pixels[7 * 16];
    EXPECT_EQ(top >> 24, 0xFFu);
    EXPECT_GT((top >> 16) & 0xFF, 200u);    // red at the top
    EXPECT_GT(bottom & 0xFF, 200u);         // blue at the bottom
    EXPECT_LT((bottom >> 16) & 0xFF, 60u);
}

TEST(ImageCodec, DamagedFilesAreRefusedWithAnError) {
    pp::Image img = Pattern(20, 10);
    std::string jpeg = plmtest::ReadFile(std::string(PLM_TEST_DATA_DIR) + "/images/gradient.jpg");
    std::vector<std::vector<uint8_t>> files = {Encode(img, pp::ImageFormat::Png), Encode(img, pp::ImageFormat::Dds),
                                               Encode(img, pp::ImageFormat::Bmp),
                                               std::vector<uint8_t>(jpeg.begin(), jpeg.end())};
    for (size_t f = 0; f < files.size(); ++f) {
        const auto& full = files[f];
        ASSERT_FALSE(full.empty());
        // Truncations short of the pixel data's end are refused (a PNG's closing chunk alone is
        // not needed to read it, so cut before its 12 bytes).
        for (size_t len : {size_t(0), size_t(1), size_t(2), size_t(10), full.size() / 2, full.size() - 13}) {
            SCOPED_TRACE("file " + std::to_string(f) + " length " + std::to_string(len));
            std::vector<uint8_t> cut(full.begin(), full.begin() + std::ptrdiff_t(len));
            pp::Image out;
            std::string error;
            EXPECT_FALSE(pp::DecodeImage(cut, out, error));
            EXPECT_FALSE(error.empty());
        }
        // Random corruption of the body: any answer but a crash.
        std::mt19937 rng(1234 + unsigned(f));
        for (int round = 0; round < 200; ++round) {
            auto bad = full;
            for (int k = 0; k < 4; ++k) bad[8 + rng() % (bad.size() - 8)] = uint8_t(rng());
            pp::Image out;
            std::string error;
            if (pp::DecodeImage(bad, out, error)) {
                EXPECT_EQ(out.pixels.size(), size_t(out.width) * size_t(out.height));
            }
        }
    }
}

TEST(ImageCodec, ForgedHugeSizesAreRefused) {
    auto bmp = Encode(Pattern(4, 4), pp::ImageFormat::Bmp);
    bmp[18] = 0xFF, bmp[19] = 0xFF, bmp[20] = 0xFF, bmp[21] = 0x00;  // width 16 million
    pp::Image out;
    std::string error;
    EXPECT_FALSE(pp::DecodeImage(bmp, out, error));
    auto dds = Encode(Pattern(4, 4), pp::ImageFormat::Dds);
    dds[16] = 0x00, dds[17] = 0x00, dds[18] = 0x01, dds[19] = 0x00;  // width 65536
    EXPECT_FALSE(pp::DecodeImage(dds, out, error));
}

TEST(ImageCodec, SaveWritesWholeFileOrNothing) {
    plmtest::TempFolder tmp;
    std::string error;
    pp::Image img = Pattern(5, 5);
    ASSERT_TRUE(pp::SaveImageFile(tmp.file("a.dds"), img, pp::ImageFormat::Dds, error)) << error;
    pp::Image back;
    ASSERT_TRUE(pp::LoadImageFile(tmp.file("a.dds"), back, error)) << error;
    EXPECT_EQ(back.pixels, img.pixels);
    EXPECT_FALSE(pp::SaveImageFile(tmp.file("missing/dir/a.bmp"), img, pp::ImageFormat::Bmp, error));
    EXPECT_FALSE(error.empty());
    // An image whose pixels do not match its size writes nothing.
    pp::Image broken{4, 4, {1, 2, 3}};
    EXPECT_FALSE(pp::SaveImageFile(tmp.file("b.png"), broken, pp::ImageFormat::Png, error));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("b.png")));
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(tmp.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1u);  // no temporary file left behind
}
