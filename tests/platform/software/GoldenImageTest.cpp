// Small scenes of the software device compared with stored images under tests/data/golden, within
// a small tolerance. PLM_WRITE_GOLDEN=1 writes the images afresh (look at them before committing).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "platform/ImageCodec.h"
#include "platform/software/SoftwareDevice.h"

namespace pp = plm::platform;

namespace {

constexpr int kSide = 64;
constexpr int kTolerance = 2;  // per channel

// A 16 x 16 texture: a four-colour checker with a white border and a transparent corner.
pp::Image Checker() {
    pp::Image img{16, 16, {}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint32_t c = ((x / 4 + y / 4) % 2) ? 0xFFFFFFFF : 0xFF2060C0;
            if (x == 0 || y == 0 || x == 15 || y == 15) c = 0xFFFFFFFF;
            if (x >= 12 && y >= 12) c = 0x00000000;
            if (x < 4 && y < 4) c = 0xFFFF2020;
            img.pixels.push_back(c);
        }
    return img;
}

// A soft white disc, alpha falling to the rim.
pp::Image Disc(int side) {
    pp::Image img{side, side, {}};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double dx = x + 0.5 - side / 2.0, dy = y + 0.5 - side / 2.0;
            double r = std::sqrt(dx * dx + dy * dy) / (side / 2.0);
            uint32_t a = r >= 1 ? 0 : uint32_t(std::lround(255 * (1 - r * r)));
            img.pixels.push_back(a << 24 | 0xFFFFFF);
        }
    return img;
}

std::unique_ptr<pp::SoftwareDevice> Device() {
    pp::DeviceSettings s;
    s.width = s.height = kSide;
    auto d = std::make_unique<pp::SoftwareDevice>(s);
    d->SetRenderState(pp::RsAlphaBlendEnable, 1);
    d->SetRenderState(pp::RsCullMode, 1);
    d->SetTextureStageState(0, pp::TssMagFilter, pp::FilterLinear);
    d->SetTextureStageState(0, pp::TssMinFilter, pp::FilterLinear);
    return d;
}

void Gradient(pp::SoftwareDevice& d) {
    pp::Image g{kSide, kSide, {}};
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) g.pixels.push_back(0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x80);
    d.WritePixels(d.GetBackBuffer(), g, 0, 0);
}

void CompareWithGolden(const std::string& name, const pp::Image& got) {
    std::string path = std::string(PLM_TEST_DATA_DIR) + "/golden/" + name + ".png";
    std::string error;
    const char* write = std::getenv("PLM_WRITE_GOLDEN");
    if (write && std::string(write) == "1") {
        ASSERT_TRUE(pp::SaveImageFile(path, got, pp::ImageFormat::Png, error)) << error;
        return;
    }
    pp::Image want;
    ASSERT_TRUE(pp::LoadImageFile(path, want, error)) << path << ": " << error;
    ASSERT_EQ(want.width, got.width);
    ASSERT_EQ(want.height, got.height);
    int worst = 0, bad = 0;
    for (size_t i = 0; i < want.pixels.size(); ++i) {
        int d = 0;
        for (int s = 0; s < 32; s += 8)
            d = std::max(d, std::abs(int((want.pixels[i] >> s) & 0xFF) - int((got.pixels[i] >> s) & 0xFF)));
        worst = std::max(worst, d);
        bad += d > kTolerance;
    }
    EXPECT_EQ(bad, 0) << name << ": " << bad << " pixels differ, by up to " << worst;
}

pp::Image BackBuffer(pp::SoftwareDevice& d) {
    pp::Image img;
    EXPECT_TRUE(d.ReadPixels(d.GetBackBuffer(), img));
    return img;
}

}  // namespace

TEST(GoldenImage, Clear) {
    auto d = Device();
    d->Clear(pp::ClearTarget, 0xFF336699, 1, 0);
    d->SetViewport(16, 8, 32, 24, 0, 1);
    d->Clear(pp::ClearTarget, 0xFFE0C020, 1, 0);
    CompareWithGolden("clear", BackBuffer(*d));
}

TEST(GoldenImage, RotatedTintedTexturedQuad) {
    auto d = Device();
    pp::SurfaceId tex = d->CreateTextureFromImage(Checker());
    d->Clear(pp::ClearTarget, 0xFF202020, 1, 0);
    d->SpriteBegin();
    // Twice the size, turned 30 degrees counter-clockwise about its centre, tinted orange.
    d->SpriteDraw(tex, nullptr, {2, 2}, {16, 16}, 0.5235988f, {16, 16}, 0xFFFFA040);
    d->SpriteEnd();
    CompareWithGolden("rotated_tinted_quad", BackBuffer(*d));
}

TEST(GoldenImage, AdditiveBlend) {
    auto d = Device();
    pp::SurfaceId disc = d->CreateTextureFromImage(Disc(32));
    d->Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    d->SpriteBegin();
    d->SetRenderState(pp::RsSrcBlend, 5);
    d->SetRenderState(pp::RsDestBlend, 2);
    d->SpriteDraw(disc, nullptr, {1.25f, 1.25f}, {0, 0}, 0, {4, 4}, 0xFFFF3030);
    d->SpriteDraw(disc, nullptr, {1.25f, 1.25f}, {0, 0}, 0, {20, 6}, 0xFF30FF30);
    d->SpriteDraw(disc, nullptr, {1.25f, 1.25f}, {0, 0}, 0, {12, 20}, 0xFF3030FF);
    d->SpriteEnd();
    CompareWithGolden("additive_blend", BackBuffer(*d));
}

TEST(GoldenImage, MultiplicativeBlend) {
    auto d = Device();
    pp::SurfaceId tex = d->CreateTextureFromImage(Checker());
    Gradient(*d);
    d->SpriteBegin();
    d->SetRenderState(pp::RsSrcBlend, 1);   // zero
    d->SetRenderState(pp::RsDestBlend, 3);  // source colour: the frame times the texture
    d->SpriteDraw(tex, nullptr, {3, 3}, {0, 0}, 0, {8, 8}, 0xFFFFFFFF);
    d->SpriteEnd();
    CompareWithGolden("multiplicative_blend", BackBuffer(*d));
}

TEST(GoldenImage, GammaAppliedAtPresent) {
    auto d = Device();
    Gradient(*d);
    // The engine's ramp for a gamma of 1.6: i x 1.6 x 255, capped at 65535.
    std::array<uint16_t, 256> ramp{};
    for (int i = 0; i < 256; ++i) ramp[i] = uint16_t(std::min<long>(65535, std::lround(1.6 * i * 255)));
    d->SetGammaRamp(ramp, ramp, ramp);
    d->Present();
    pp::Image shown;
    ASSERT_TRUE(d->ReadPresentedFrame(shown));
    CompareWithGolden("gamma_at_present", shown);
}
