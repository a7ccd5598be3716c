#include "platform/software/SoftwareDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "platform/Window.h"

namespace pp = plm::platform;

namespace {

constexpr float kPi = 3.14159265f;

pp::DeviceSettings Small(int w = 16, int h = 16, int format = 22) {
    pp::DeviceSettings s;
    s.width = w;
    s.height = h;
    s.backBufferFormat = format;
    return s;
}

pp::Image Solid(int w, int h, uint32_t c) { return pp::Image{w, h, std::vector<uint32_t>(size_t(w) * h, c)}; }

uint32_t PixelAt(pp::SoftwareDevice& d, pp::SurfaceId id, int x, int y) {
    pp::Image img;
    EXPECT_TRUE(d.ReadPixels(id, img));
    return img.pixels[size_t(y) * img.width + x];
}

bool Near(uint32_t a, uint32_t b, int tol = 1) {
    for (int s = 0; s < 32; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tol) return false;
    return true;
}

// The engine's default states: alpha blending with source alpha / inverse source alpha, no culling,
// modulate colour, linear filtering.
void DefaultStates(pp::GraphicsDevice& d) {
    d.SetRenderState(pp::RsAlphaBlendEnable, 1);
    d.SetRenderState(pp::RsSrcBlend, 5);
    d.SetRenderState(pp::RsDestBlend, 6);
    d.SetRenderState(pp::RsCullMode, 1);
    d.SetTextureStageState(0, pp::TssColorOp, pp::TopModulate);
    d.SetTextureStageState(0, pp::TssAlphaOp, pp::TopSelectArg1);
    d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterLinear);
    d.SetTextureStageState(0, pp::TssMinFilter, pp::FilterLinear);
}

void Blit(pp::GraphicsDevice& d, pp::SurfaceId tex, float x, float y, uint32_t color = 0xFFFFFFFF,
          const pp::Rect* src = nullptr) {
    d.SpriteDraw(tex, src, {1, 1}, {0, 0}, 0, {x, y}, color);
}

class FakeWindow : public pp::Window {
public:
    void PumpMessages() override {}
    bool IsActive() const override { return true; }
    bool IsMinimised() const override { return false; }
    bool CloseRequested() const override { return false; }
    void ClearCloseRequest() override {}
    void SetCaption(const std::string&) override {}
    void ShowCursor(bool) override {}
    int32_t ClientWidth() const override { return 16; }
    int32_t ClientHeight() const override { return 16; }
    bool IsFullScreen() const override { return false; }
    void PresentFrame(const uint32_t* argb, int32_t w, int32_t h) override {
        frames++;
        last.assign(argb, argb + size_t(w) * h);
    }
    int32_t Handle() const override { return 1; }
    int frames = 0;
    std::vector<uint32_t> last;
};

}  // namespace

TEST(SoftwareDevice, SurfacesHaveOneIdSpaceAndStaleIdsAreRefused) {
    pp::SoftwareDevice d(Small());
    pp::SurfaceId a = d.CreateTexture(8, 4, false);
    pp::SurfaceId b = d.CreateTextureFromImage(Solid(3, 2, 0x80112233));
    pp::SurfaceId rt = d.CreateTexture(5, 5, true);
    ASSERT_NE(a, pp::kNoSurface);
    EXPECT_NE(a, d.GetBackBuffer());
    EXPECT_NE(a, b);
    pp::SurfaceDesc desc;
    ASSERT_TRUE(d.GetSurfaceDesc(a, desc));
    EXPECT_EQ(desc.width, 8);
    EXPECT_EQ(desc.height, 4);
    EXPECT_EQ(desc.format, 21);
    EXPECT_EQ(desc.usage, 0);
    ASSERT_TRUE(d.GetSurfaceDesc(rt, desc));
    EXPECT_EQ(desc.usage, 1);
    EXPECT_EQ(PixelAt(d, b, 2, 1), 0x80112233u);

    d.ReleaseSurface(a);
    EXPECT_FALSE(d.GetSurfaceDesc(a, desc));
    pp::Image img;
    EXPECT_FALSE(d.ReadPixels(a, img));
    EXPECT_FALSE(d.WritePixels(a, Solid(1, 1, 0), 0, 0));
    EXPECT_FALSE(d.SetRenderTarget(a, 0));
    EXPECT_FALSE(d.SetRenderTarget(b, 0));  // not a render target
    pp::SurfaceId c = d.CreateTexture(8, 4, false);
    EXPECT_NE(c, a);  // never reused
    EXPECT_GT(c, rt);

    // Drawing from a stale id draws nothing.
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    Blit(d, a, 0, 0);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), 0xFF000000u);

    // Bad sizes are refused.
    EXPECT_EQ(d.CreateTexture(0, 4, false), pp::kNoSurface);
    EXPECT_EQ(d.CreateTextureFromImage(pp::Image{2, 2, {1, 2, 3}}), pp::kNoSurface);
    // The back buffer cannot be released.
    d.ReleaseSurface(d.GetBackBuffer());
    EXPECT_TRUE(d.GetSurfaceDesc(d.GetBackBuffer(), desc));
}

TEST(SoftwareDevice, WritePixelsAndCopyRectsAreClipped) {
    pp::SoftwareDevice d(Small());
    pp::SurfaceId src = d.CreateTexture(4, 4, false);
    pp::Image pat{4, 4, {}};
    for (uint32_t i = 0; i < 16; ++i) pat.pixels.push_back(0xFF000000u | i);
    ASSERT_TRUE(d.WritePixels(src, pat, 0, 0));
    pp::SurfaceId dst = d.CreateTexture(4, 4, false);
    // Half outside the destination: the rest is clipped, nothing written outside.
    ASSERT_TRUE(d.WritePixels(dst, Solid(3, 3, 0xFF00FF00), 2, -1));
    EXPECT_EQ(PixelAt(d, dst, 3, 0), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(d, dst, 3, 1), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(d, dst, 3, 2), 0u);
    EXPECT_EQ(PixelAt(d, dst, 1, 0), 0u);

    // Source rectangle partly outside the source, destination partly outside the target.
    pp::SurfaceId t = d.CreateTexture(4, 4, false);
    ASSERT_TRUE(d.CopyRects(src, pp::Rect{-1, 1, 3, 5}, t, 1, 0));
    // Source (0,1) lands at (2,0): the part of the rectangle left of the source is cut.
    EXPECT_EQ(PixelAt(d, t, 2, 0), 0xFF000004u);
    EXPECT_EQ(PixelAt(d, t, 3, 0), 0xFF000005u);
    EXPECT_EQ(PixelAt(d, t, 2, 2), 0xFF00000Cu);
    EXPECT_EQ(PixelAt(d, t, 1, 0), 0u);
    EXPECT_EQ(PixelAt(d, t, 2, 3), 0u);  // source row 4 does not exist
    // Far outside: nothing, no failure.
    EXPECT_TRUE(d.CopyRects(src, pp::Rect{0, 0, 4, 4}, t, 100, 100));
    // Overlapping copy within one surface behaves as if through a copy.
    ASSERT_TRUE(d.CopyRects(src, pp::Rect{0, 0, 4, 1}, src, 1, 0));
    EXPECT_EQ(PixelAt(d, src, 1, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(d, src, 3, 0), 0xFF000002u);
    EXPECT_FALSE(d.CopyRects(12345, pp::Rect{0, 0, 1, 1}, t, 0, 0));
}

TEST(SoftwareDevice, ClearFillsTheViewportAndKeepsOpaqueAlphaWithoutAlphaChannel) {
    pp::SoftwareDevice d(Small(8, 8));
    d.Clear(pp::ClearTarget, 0x00123456, 1, 0);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), 0xFF123456u);
    d.SetViewport(2, 2, 3, 3, 0, 1);
    d.Clear(pp::ClearTarget, 0xFFFF0000, 1, 0);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 2, 2), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 4, 4), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 5, 4), 0xFF123456u);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 1, 2), 0xFF123456u);
    // A render target with alpha keeps the alpha it is cleared to.
    pp::SurfaceId rt = d.CreateTexture(4, 4, true);
    ASSERT_TRUE(d.SetRenderTarget(rt, 0));
    d.Clear(pp::ClearTarget, 0x00ABCDEF, 1, 0);
    EXPECT_EQ(PixelAt(d, rt, 3, 3), 0x00ABCDEFu);
}

TEST(SoftwareDevice, PresentAppliesTheGammaRampAndKeepsTheFrame) {
    FakeWindow win;
    pp::DeviceSettings s = Small(4, 4);
    s.window = &win;
    pp::SoftwareDevice d(s);
    pp::Image none;
    EXPECT_FALSE(d.ReadPresentedFrame(none));
    d.Clear(pp::ClearTarget, 0xFF804020, 1, 0);
    std::array<uint16_t, 256> r{}, g{}, b{};
    for (int i = 0; i < 256; ++i) {
        r[i] = uint16_t(std::min(65535, i * 2 * 257));  // red doubled
        g[i] = uint16_t(i * 255);                          // the engine's gamma 1.0: i x 255
        b[i] = 0;
    }
    d.SetGammaRamp(r, g, b);
    d.Present();
    ASSERT_EQ(win.frames, 1);
    // red 0x80 -> 0xFF, green 0x40 -> high byte of 0x40*255 = 0x3F, blue -> 0.
    EXPECT_EQ(win.last[0], 0xFFFF3F00u);
    pp::Image shown;
    ASSERT_TRUE(d.ReadPresentedFrame(shown));
    EXPECT_EQ(shown.pixels[5], 0xFFFF3F00u);
    // The back buffer itself is untouched by the ramp.
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), 0xFF804020u);
    EXPECT_EQ(d.PresentCount(), 1);
}

TEST(SoftwareDevice, DeviceLossOnRequest) {
    pp::SoftwareDevice d(Small(4, 4));
    EXPECT_EQ(d.TestCooperativeLevel(), pp::kDeviceOk);
    EXPECT_EQ(d.GetCaps().caps2 & pp::kCaps2FullScreenGamma, pp::kCaps2FullScreenGamma);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    d.SimulateLoss();
    EXPECT_EQ(d.TestCooperativeLevel(), pp::kDeviceLost);
    d.Clear(pp::ClearTarget, 0xFFFFFFFF, 1, 0);  // ignored while lost
    d.Present();
    EXPECT_EQ(d.PresentCount(), 0);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), 0xFF000000u);
    d.SimulateReadyToReset();
    EXPECT_EQ(d.TestCooperativeLevel(), pp::kDeviceNotReset);
    auto fresh = pp::CreateSoftwareDevice(Small(4, 4));
    EXPECT_EQ(fresh->TestCooperativeLevel(), pp::kDeviceOk);
}

// Colour modulation and every blend factor on single pixels: a sprite of one colour drawn on a
// back buffer (with alpha) of one colour.
TEST(SoftwareDevice, BlendFactorsAndModulation) {
    struct Case {
        int src, dest;
        uint32_t texel, tint, dst, want;
    } cases[] = {
        {5, 6, 0xFFFF0000, 0x80FFFFFF, 0xFF0000FF, 0xBF80007E},  // half transparent red over blue
        {5, 6, 0xFFFFFFFF, 0xFF808080, 0xFF000000, 0xFF808080},  // grey tint
        {5, 6, 0x00FFFFFF, 0xFFFFFFFF, 0xFF102030, 0xFF102030},  // fully transparent: unchanged
        {5, 2, 0xFF808080, 0x80FFFFFF, 0xFF404040, 0xFF808080},  // additive by alpha
        {2, 2, 0xFFC0C0C0, 0xFFFFFFFF, 0xFF808080, 0xFFFFFFFF},  // one + one saturates
        {1, 3, 0xFF808080, 0xFFFFFFFF, 0xFFFF4020, 0xFF802010},  // zero / source colour: multiply
        {9, 1, 0xFF808080, 0xFFFFFFFF, 0xFFFF4020, 0xFF802010},  // dest colour / zero: multiply
        {1, 4, 0xFF00FFFF, 0xFFFFFFFF, 0xFF808080, 0x00800000},  // inverse source colour
        {7, 8, 0xFFFFFFFF, 0xFFFFFFFF, 0x40000000, 0x6F3F3F3F},  // dest alpha / inverse dest alpha
        {10, 1, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF00FF00, 0x00FF00FF},  // inverse dest colour
        {2, 1, 0x80123456, 0xFFFFFFFF, 0xFFFFFFFF, 0x80123456},  // one / zero: replace
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.src) + "/" + std::to_string(c.dest));
        pp::SoftwareDevice d(Small(4, 4, 21));
        DefaultStates(d);
        pp::SurfaceId tex = d.CreateTextureFromImage(Solid(2, 2, c.texel));
        d.Clear(pp::ClearTarget, c.dst, 1, 0);
        d.SpriteBegin();
        d.SetRenderState(pp::RsSrcBlend, c.src);
        d.SetRenderState(pp::RsDestBlend, c.dest);
        Blit(d, tex, 1, 1, c.tint);
        d.SpriteEnd();
        EXPECT_TRUE(Near(PixelAt(d, d.GetBackBuffer(), 1, 1), c.want))
            << std::hex << PixelAt(d, d.GetBackBuffer(), 1, 1) << " want " << c.want;
        EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), c.dst);
        EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 3, 3), c.dst);
    }
}

TEST(SoftwareDevice, DestinationAlphaReadsOneWithoutAlphaChannel) {
    pp::SoftwareDevice d(Small(4, 4, 22));
    DefaultStates(d);
    pp::SurfaceId tex = d.CreateTextureFromImage(Solid(1, 1, 0xFF808080));
    d.Clear(pp::ClearTarget, 0x00000000, 1, 0);
    d.SetRenderState(pp::RsSrcBlend, 7);  // destination alpha
    d.SetRenderState(pp::RsDestBlend, 1);
    Blit(d, tex, 0, 0);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 0, 0), 0xFF808080u);
}

TEST(SoftwareDevice, SpriteRotationIsCounterClockwiseOnScreen) {
    pp::SoftwareDevice d(Small(40, 40));
    DefaultStates(d);
    pp::SurfaceId bar = d.CreateTextureFromImage(Solid(10, 2, 0xFFFFFFFF));
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    // A bar pointing right from its centre of rotation (0, 1) at (20, 19): turned by +90 degrees it
    // points up.
    d.SpriteDraw(bar, nullptr, {1, 1}, {0, 1}, kPi / 2, {20, 19}, 0xFFFFFFFF);
    pp::SurfaceId bb = d.GetBackBuffer();
    EXPECT_EQ(PixelAt(d, bb, 20, 13), 0xFFFFFFFFu);  // above the centre
    EXPECT_EQ(PixelAt(d, bb, 20, 25), 0xFF000000u);  // below it stays black
    EXPECT_EQ(PixelAt(d, bb, 26, 20), 0xFF000000u);  // to the right too
}

TEST(SoftwareDevice, DrawTransformPlacesTheSourceRectangle) {
    pp::SoftwareDevice d(Small(32, 32));
    DefaultStates(d);
    d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterPoint);
    pp::Image img = Solid(8, 8, 0xFF0000FF);
    for (int y = 2; y < 4; ++y)
        for (int x = 4; x < 6; ++x) img.pixels[size_t(y) * 8 + x] = 0xFFFF0000;  // red 2x2 at (4,2)
    pp::SurfaceId tex = d.CreateTextureFromImage(img);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    pp::Matrix4 m;
    m.m[0][0] = 3, m.m[1][1] = 2, m.m[3][0] = 10, m.m[3][1] = 5, m.m[3][3] = 1;
    pp::Rect src{4, 2, 6, 4};
    d.SpriteDrawTransform(tex, &src, m, 0xFFFFFFFF);
    pp::SurfaceId bb = d.GetBackBuffer();
    // 2x2 texels scaled 3 x 2 to a 6 x 4 block at (10, 5).
    for (int y = 4; y <= 9; ++y)
        for (int x = 9; x <= 16; ++x) {
            bool inside = x >= 10 && x < 16 && y >= 5 && y < 9;
            EXPECT_EQ(PixelAt(d, bb, x, y), inside ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
        }
}

// The two triangles of a quad, and two quads side by side with fractional edges: additive
// drawing shows any pixel covered twice.
TEST(SoftwareDevice, SharedEdgesAreCoveredExactlyOnce) {
    pp::SoftwareDevice d(Small(32, 32));
    DefaultStates(d);
    d.SetRenderState(pp::RsSrcBlend, 2);
    d.SetRenderState(pp::RsDestBlend, 2);
    d.SetTextureStageState(0, pp::TssAlphaOp, pp::TopModulate);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0xFF404040, 0, 0}; };
    // A strip of two triangles over (2.3, 3.7)-(20.6, 17.2), and a fan beside it sharing its edge.
    pp::ScreenVertex strip[4] = {v(2.3f, 3.7f), v(20.6f, 3.7f), v(2.3f, 17.2f), v(20.6f, 17.2f)};
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, strip);
    pp::ScreenVertex fan[4] = {v(20.6f, 3.7f), v(29.1f, 6.5f), v(29.1f, 17.2f), v(20.6f, 17.2f)};
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleFan, 2, fan);
    pp::Image img;
    ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), img));
    int covered = 0;
    for (uint32_t p : img.pixels) {
        ASSERT_TRUE(p == 0xFF000000u || p == 0xFF404040u) << std::hex << p;
        covered += p == 0xFF404040u;
    }
    // Pixel centres inside: columns 2..20 x rows 4..16 for the strip.
    for (int y = 4; y <= 16; ++y)
        for (int x = 2; x <= 20; ++x) EXPECT_EQ(img.pixels[size_t(y) * 32 + x], 0xFF404040u) << x << "," << y;
    EXPECT_EQ(img.pixels[size_t(3) * 32 + 5], 0xFF000000u);
    EXPECT_EQ(img.pixels[size_t(17) * 32 + 5], 0xFF000000u);
    EXPECT_EQ(img.pixels[size_t(10) * 32 + 1], 0xFF000000u);
    EXPECT_GT(covered, 19 * 13);
}

TEST(SoftwareDevice, PixelAlignedSpritesMatchTheGeneralPath) {
    // The unscaled fast path and a textured quad through the triangle path give the same pixels.
    pp::Image img{5, 3, {}};
    for (uint32_t i = 0; i < 15; ++i) img.pixels.push_back((i * 17) << 24 | (i * 13) << 16 | (255 - i * 9) << 8 | i * 3);
    pp::Image a, b;
    for (int pass = 0; pass < 2; ++pass) {
        pp::SoftwareDevice d(Small(12, 12));
        DefaultStates(d);
        d.SetTextureStageState(0, pp::TssAlphaOp, pp::TopModulate);
        pp::SurfaceId tex = d.CreateTextureFromImage(img);
        d.Clear(pp::ClearTarget, 0xFF336699, 1, 0);
        if (pass == 0) {
            d.SpriteDraw(tex, nullptr, {1, 1}, {0, 0}, 0, {3, 4}, 0xC0FFA0FF);
        } else {
            d.SetTexture(0, tex);
            auto v = [](float x, float y, float u, float vv) { return pp::ScreenVertex{x, y, 0, 1, 0xC0FFA0FF, u, vv}; };
            pp::ScreenVertex q[4] = {v(3, 4, 0, 0), v(8, 4, 1, 0), v(3, 7, 0, 1), v(8, 7, 1, 1)};
            d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, q);
        }
        ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), pass == 0 ? a : b));
    }
    EXPECT_EQ(a.pixels, b.pixels);
}

TEST(SoftwareDevice, ViewportClipsEveryDraw) {
    pp::SoftwareDevice d(Small(16, 16));
    DefaultStates(d);
    pp::SurfaceId tex = d.CreateTextureFromImage(Solid(16, 16, 0xFFFFFFFF));
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    d.SetViewport(4, 4, 6, 5, 0, 1);
    d.SpriteDraw(tex, nullptr, {1, 1}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);                // fast path
    d.SpriteDraw(tex, nullptr, {1.5f, 1.5f}, {8, 8}, 0.3f, {-2, -2}, 0xFFFFFFFF);    // general path
    auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0xFFFFFFFF, 0, 0}; };
    pp::ScreenVertex line[2] = {v(0, 6.5f), v(16, 6.5f)};
    d.SetTexture(0, 0);
    d.DrawPrimitiveUP(pp::PrimitiveType::LineList, 1, line);
    pp::Image img;
    ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), img));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool inside = x >= 4 && x < 10 && y >= 4 && y < 9;
            EXPECT_EQ(img.pixels[size_t(y) * 16 + x], inside ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
        }
}

TEST(SoftwareDevice, LinesLeaveOutTheirLastPixel) {
    pp::SoftwareDevice d(Small(16, 16));
    DefaultStates(d);
    d.SetTextureStageState(0, pp::TssAlphaOp, pp::TopModulate);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0xFFFF0000, 0, 0}; };
    pp::ScreenVertex strip[3] = {v(2, 5), v(8, 5), v(8, 11)};
    d.DrawPrimitiveUP(pp::PrimitiveType::LineStrip, 2, strip);
    pp::SurfaceId bb = d.GetBackBuffer();
    for (int x = 2; x < 8; ++x) EXPECT_EQ(PixelAt(d, bb, x, 5), 0xFFFF0000u) << x;
    EXPECT_EQ(PixelAt(d, bb, 1, 5), 0xFF000000u);
    for (int y = 5; y < 11; ++y) EXPECT_EQ(PixelAt(d, bb, 8, y), 0xFFFF0000u) << y;
    EXPECT_EQ(PixelAt(d, bb, 8, 11), 0xFF000000u);
    EXPECT_EQ(PixelAt(d, bb, 7, 6), 0xFF000000u);
}

TEST(SoftwareDevice, AbsurdCoordinatesDrawNothingAndDoNotCrash) {
    pp::SoftwareDevice d(Small(8, 8));
    DefaultStates(d);
    pp::SurfaceId tex = d.CreateTextureFromImage(Solid(4, 4, 0xFFFFFFFF));
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    float nan = std::nanf("");
    d.SpriteDraw(tex, nullptr, {nan, 1}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);
    d.SpriteDraw(tex, nullptr, {1e30f, 1e30f}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);
    d.SpriteDraw(tex, nullptr, {1, 1}, {0, 0}, 0, {3e9f, -3e9f}, 0xFFFFFFFF);
    pp::Rect inverted{3, 3, 1, 1};
    d.SpriteDraw(tex, &inverted, {1, 1}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);
    pp::Rect outside{100, 100, 104, 104};
    d.SpriteDraw(tex, &outside, {1, 1}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);
    // Rectangles spanning the whole int range: their sizes do not fit in 32 bits.
    pp::Rect huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    d.SpriteDraw(tex, &huge, {1e-9f, 1e-9f}, {0, 0}, 0, {-1e3f, -1e3f}, 0xFFFFFFFF);
    d.SpriteDrawTransform(tex, &huge, pp::Matrix4{}, 0xFFFFFFFF);
    EXPECT_TRUE(d.CopyRects(tex, huge, d.GetBackBuffer(), INT32_MAX, INT32_MAX));
    EXPECT_TRUE(d.CopyRects(tex, pp::Rect{INT32_MIN, INT32_MIN, 0, 0}, d.GetBackBuffer(), 0, 0));
    pp::Image img;
    ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), img));
    for (uint32_t p : img.pixels) EXPECT_EQ(p, 0xFF000000u);
}

TEST(SoftwareDevice, VectorCodeMatchesScalarCode) {
    // Turned, scaled, tinted sprites under each blend the vector path serves, drawn twice.
    pp::Image img{16, 16, {}};
    for (uint32_t i = 0; i < 256; ++i) img.pixels.push_back((i * 7 & 0xFF) << 24 | (i * 13 & 0xFF) << 16 | i << 8 | (255 - i));
    pp::Image out[2];
    for (int pass = 0; pass < 2; ++pass) {
        pp::SoftwareDevice d(Small(64, 64, 21));
        d.SetVectorPaths(pass == 0);
        DefaultStates(d);
        pp::SurfaceId tex = d.CreateTextureFromImage(img);
        d.Clear(pp::ClearTarget, 0x80402010, 1, 0);
        int blends[][2] = {{5, 6}, {5, 2}, {2, 2}, {2, 1}};
        for (int b = 0; b < 4; ++b) {
            d.SetRenderState(pp::RsSrcBlend, blends[b][0]);
            d.SetRenderState(pp::RsDestBlend, blends[b][1]);
            d.SpriteDraw(tex, nullptr, {1.7f, 1.3f}, {8, 8}, 0.4f + b, {float(b * 12), float(b * 9 + 3)}, 0xC080FF40);
            d.SpriteDraw(tex, nullptr, {0.6f, 0.6f}, {0, 0}, -0.2f, {40.3f, 40.6f}, 0xFFFFFFFF);
            Blit(d, tex, float(b * 11), float(40 - b * 5), 0x80FF8040);  // unscaled: point taps
            d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterPoint);
            d.SpriteDraw(tex, nullptr, {2.2f, 1.4f}, {8, 8}, 0.7f * b, {20, 30}, 0xE0FFFFFF);
            d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterLinear);
        }
        ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), out[pass]));
    }
    EXPECT_EQ(out[0].pixels, out[1].pixels);
}

namespace {

struct Ink {
    int count = 0, left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};

// Where text drew on a black back buffer, within an optional box.
Ink InkOf(pp::SoftwareDevice& d) {
    pp::Image img;
    EXPECT_TRUE(d.ReadPixels(d.GetBackBuffer(), img));
    Ink ink;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.pixels[size_t(y) * img.width + x] != 0xFF000000u) {
                ink.count++;
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

Ink TextInk(const pp::FontSpec& font, const std::string& text, pp::Rect rect, int format) {
    pp::SoftwareDevice d(Small(200, 100));
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    d.DrawText(font, text, rect, format, 0xFFFFFFFF);
    return InkOf(d);
}

}  // namespace

TEST(SoftwareDevice, TextIsAlignedSizedAndClippedToItsRectangle) {
    pp::FontSpec font;  // "Arial" 8 points: whatever fontconfig matches
    pp::Rect box{20, 10, 180, 60};
    Ink left = TextInk(font, "Hello, World", box, pp::TextLeft);
    ASSERT_GT(left.count, 20) << "no font could be loaded";
    EXPECT_GE(left.left, 20);
    EXPECT_LE(left.left, 22);
    EXPECT_GE(left.top, 10);
    // 8 points at 96 dpi is an em of about 11 pixels: capitals stand about 8 high.
    EXPECT_GE(left.bottom - left.top, 6);
    EXPECT_LE(left.bottom - left.top, 13);

    Ink right = TextInk(font, "Hello, World", box, pp::TextRight);
    EXPECT_LE(right.right, 179);
    EXPECT_GE(right.right, 176);
    EXPECT_EQ(right.right - right.left, left.right - left.left);

    Ink centre = TextInk(font, "Hello, World", box, pp::TextCenter);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100, 2);
    EXPECT_NEAR((centre.top + centre.bottom) / 2.0, 35, 3);  // centred vertically too

    pp::FontSpec big = font;
    big.size = 16;
    Ink large = TextInk(big, "Hello, World", box, pp::TextLeft);
    EXPECT_NEAR(double(large.bottom - large.top) / (left.bottom - left.top), 2.0, 0.4);

    // A box smaller than the text: nothing lands outside it.
    Ink clipped = TextInk(big, "Hello, World", pp::Rect{30, 20, 60, 28}, pp::TextLeft);
    EXPECT_GT(clipped.count, 0);
    EXPECT_GE(clipped.left, 30);
    EXPECT_LE(clipped.right, 59);
    EXPECT_GE(clipped.top, 20);
    EXPECT_LE(clipped.bottom, 27);

    // An unknown family still draws (fontconfig's nearest, or DejaVu Sans).
    pp::FontSpec unknown;
    unknown.name = "No Such Family 123";
    EXPECT_GT(TextInk(unknown, "Hello", box, pp::TextLeft).count, 10);
}

TEST(SoftwareDevice, AnyThreadCountDrawsTheSamePixels) {
    pp::Image img{16, 16, {}};
    for (uint32_t i = 0; i < 256; ++i) img.pixels.push_back(0x80000000u | i * 0x010203);
    pp::Image out[3];
    int threads[3] = {1, 3, 8};
    for (int pass = 0; pass < 3; ++pass) {
        pp::SoftwareDevice d(Small(96, 80));
        d.SetThreads(threads[pass]);
        DefaultStates(d);
        d.SetRenderState(pp::RsSrcBlend, 5);
        d.SetRenderState(pp::RsDestBlend, 2);
        pp::SurfaceId tex = d.CreateTextureFromImage(img);
        d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
        // Overlapping draws straddling every band, in an order that matters (additive saturates).
        for (int i = 0; i < 60; ++i)
            d.SpriteDraw(tex, nullptr, {2.5f, 1.5f}, {8, 8}, 0.1f * i, {float(i * 13 % 80), float(i * 7 % 64)},
                         0xFFFFFFFF - uint32_t(i) * 0x020301);
        for (int i = 0; i < 20; ++i) Blit(d, tex, float(i * 4), float(i * 3));
        ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), out[pass]));
    }
    EXPECT_EQ(out[0].pixels, out[1].pixels);
    EXPECT_EQ(out[0].pixels, out[2].pixels);
}

// The clear and the present are queued among the draws and drawn by the bands: each keeps its
// place in the frame for any number of threads.
TEST(SoftwareDevice, ClearAndPresentKeepTheirPlaceAmongQueuedDraws) {
    pp::Image frames[2];
    int threads[2] = {1, 8};
    for (int pass = 0; pass < 2; ++pass) {
        pp::SoftwareDevice d(Small(96, 80));
        d.SetThreads(threads[pass]);
        DefaultStates(d);
        pp::SurfaceId tex = d.CreateTextureFromImage(Solid(8, 8, 0xC0FF8040));
        std::array<uint16_t, 256> inverse{};
        for (int i = 0; i < 256; ++i) inverse[size_t(i)] = uint16_t((255 - i) * 257);
        d.SetGammaRamp(inverse, inverse, inverse);
        d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
        for (int i = 0; i < 200; ++i)
            d.SpriteDraw(tex, nullptr, {1.5f, 1.5f}, {4, 4}, 0.2f * float(i), {float(i * 13 % 90), float(i * 7 % 74)},
                         0xFFFFFFFF - uint32_t(i) * 0x00010203u);
        d.SetViewport(10, 10, 40, 30, 0, 1);
        d.Clear(pp::ClearTarget, 0xFF204060, 1, 0);
        d.SetViewport(0, 0, 96, 80, 0, 1);
        for (int i = 0; i < 100; ++i)
            d.SpriteDraw(tex, nullptr, {1, 1}, {0, 0}, 0, {60.0f + float(i * 5 % 28), float(i * 11 % 72)}, 0xFFFFFFFF);
        d.Present();
        ASSERT_TRUE(d.ReadPresentedFrame(frames[pass]));
        EXPECT_EQ(frames[pass].pixels[20 * 96 + 30], 0xFFDFBF9Fu) << threads[pass] << " threads";  // the clear
    }
    EXPECT_EQ(frames[0].pixels, frames[1].pixels);
}

TEST(SoftwareDevice, RenderToTextureThenDrawIt) {
    pp::SoftwareDevice d(Small(16, 16));
    DefaultStates(d);
    pp::SurfaceId rt = d.CreateTexture(8, 8, true);
    pp::SurfaceId red = d.CreateTextureFromImage(Solid(4, 4, 0xFFFF0000));
    pp::SurfaceId back = d.GetRenderTarget();
    ASSERT_EQ(back, d.GetBackBuffer());
    ASSERT_TRUE(d.SetRenderTarget(rt, d.GetDepthStencilSurface()));
    EXPECT_EQ(d.GetRenderTarget(), rt);
    d.Clear(pp::ClearTarget, 0x00000000, 1, 0);  // clears the texture, not the back buffer
    Blit(d, red, 2, 2);
    ASSERT_TRUE(d.SetRenderTarget(back, 0));
    d.Clear(pp::ClearTarget, 0xFF0000FF, 1, 0);
    Blit(d, rt, 8, 8);
    pp::SurfaceId bb = d.GetBackBuffer();
    EXPECT_EQ(PixelAt(d, rt, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(d, rt, 0, 0), 0x00000000u);  // the target keeps its alpha
    EXPECT_EQ(PixelAt(d, bb, 10, 10), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(d, bb, 8, 8), 0xFF0000FFu);  // transparent part of the texture
    EXPECT_EQ(PixelAt(d, bb, 2, 2), 0xFF0000FFu);
    // Releasing the current target falls back to the back buffer.
    ASSERT_TRUE(d.SetRenderTarget(rt, 0));
    d.ReleaseSurface(rt);
    EXPECT_EQ(d.GetRenderTarget(), bb);
}

// Draws queue up and run band by band; a surface drawn into and then read by a later draw of the
// same batch (drawn into another target, or onto itself) must be read complete, not only the band
// drawn so far.
TEST(SoftwareDevice, ASurfaceDrawnIntoIsReadWholeByLaterDrawsOfTheSameBatch) {
    for (bool ontoItself : {false, true})
        for (int threads : {1, 4}) {
            pp::SoftwareDevice d(Small(16, 128));
            d.SetThreads(threads);
            pp::SurfaceId rt = d.CreateTexture(16, 128, true);
            pp::SurfaceId red = d.CreateTextureFromImage(Solid(16, 16, 0xFFFF0000));
            ASSERT_TRUE(d.SetRenderTarget(rt, 0));
            d.Clear(pp::ClearTarget, 0xFF00FF00, 1, 0);
            for (int i = 4; i < 8; ++i) Blit(d, red, 0, float(16 * i));  // the bottom half red
            pp::SurfaceId shown = ontoItself ? rt : d.GetBackBuffer();
            ASSERT_TRUE(d.SetRenderTarget(shown, 0));
            for (int i = 0; i < 4; ++i) Blit(d, rt, 0, -64);  // the top rows show rt's bottom rows
            EXPECT_EQ(PixelAt(d, shown, 5, 10), 0xFFFF0000u) << threads << " threads, onto itself: " << ontoItself;
        }
}

TEST(SoftwareDevice, LongLinesAreClippedInBothDirections) {
    pp::SoftwareDevice d(Small(16, 16));
    DefaultStates(d);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0xFFFFFFFF, 0, 0}; };
    pp::ScreenVertex lines[4] = {v(-500000, 3.5f), v(500000, 3.5f), v(9.5f, 500000), v(9.5f, -500000)};
    d.DrawPrimitiveUP(pp::PrimitiveType::LineList, 2, lines);
    pp::SurfaceId bb = d.GetBackBuffer();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(PixelAt(d, bb, i, 3), 0xFFFFFFFFu) << i;
        EXPECT_EQ(PixelAt(d, bb, 9, i), 0xFFFFFFFFu) << i;
    }
    EXPECT_EQ(PixelAt(d, bb, 5, 5), 0xFF000000u);
}

TEST(SoftwareDevice, PointAndLinearFiltering) {
    pp::Image img{2, 1, {0xFF000000, 0xFFFFFFFF}};
    for (int linear = 0; linear < 2; ++linear) {
        SCOPED_TRACE(linear);
        pp::SoftwareDevice d(Small(8, 2));
        DefaultStates(d);
        d.SetRenderState(pp::RsAlphaBlendEnable, 0);
        d.SetTextureStageState(0, pp::TssMagFilter, linear ? pp::FilterLinear : pp::FilterPoint);
        pp::SurfaceId tex = d.CreateTextureFromImage(img);
        d.SpriteDraw(tex, nullptr, {4, 1}, {0, 0}, 0, {0, 0}, 0xFFFFFFFF);  // 2 texels over 8 pixels
        pp::Image out;
        ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), out));
        std::vector<uint32_t> reds;
        for (int x = 0; x < 8; ++x) reds.push_back((out.pixels[x] >> 16) & 0xFF);
        if (!linear) {
            EXPECT_EQ(reds, (std::vector<uint32_t>{0, 0, 0, 0, 255, 255, 255, 255}));
        } else {
            // Pixel centres at texel positions 0.125, 0.375, ...: clamped at the ends, a ramp between.
            EXPECT_EQ(reds[0], 0u);
            EXPECT_EQ(reds[1], 0u);
            EXPECT_NEAR(reds[2], 32, 1);
            EXPECT_NEAR(reds[3], 96, 1);
            EXPECT_NEAR(reds[4], 159, 1);
            EXPECT_NEAR(reds[5], 223, 1);
            EXPECT_EQ(reds[7], 255u);
        }
    }
}

TEST(SoftwareDevice, TextureStageOperationsForPrimitives) {
    struct Case {
        int colorOp, alphaOp;
    } cases[] = {
        {pp::TopModulate, pp::TopModulate},      // texel x diffuse, alpha 0xFF x 0x80
        {pp::TopSelectArg1, pp::TopModulate},    // the texture's colour, modulated alpha
        {pp::TopModulate, pp::TopSelectArg1},    // modulated colour, the texture's alpha
        {pp::TopSelectArg1, pp::TopSelectArg1},  // the texture alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.colorOp) + "/" + std::to_string(c.alphaOp));
        pp::SoftwareDevice d(Small(4, 4));
        DefaultStates(d);
        d.SetRenderState(pp::RsSrcBlend, 5);
        d.SetRenderState(pp::RsDestBlend, 1);  // the source weighed by its alpha, over nothing
        d.SetTextureStageState(0, pp::TssColorOp, c.colorOp);
        d.SetTextureStageState(0, pp::TssAlphaOp, c.alphaOp);
        pp::SurfaceId tex = d.CreateTextureFromImage(Solid(1, 1, 0xFFFF8000));
        d.SetTexture(0, tex);
        d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
        auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0x80808080, 0, 0}; };
        pp::ScreenVertex q[4] = {v(0, 0), v(4, 0), v(0, 4), v(4, 4)};
        d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, q);
        // Colour (ff,80,00) or modulated (80,40,00), times alpha 1 or 0.5.
        uint32_t got = PixelAt(d, d.GetBackBuffer(), 1, 1);
        uint32_t rgbFull = c.colorOp == pp::TopModulate ? 0x804000u : 0xFF8000u;
        bool halfAlpha = c.alphaOp == pp::TopModulate;
        uint32_t want = 0xFF000000u | (halfAlpha ? ((rgbFull >> 1) & 0x7F7F7F) : rgbFull);
        EXPECT_TRUE(Near(got, want)) << std::hex << got << " want " << want;
    }
}

TEST(SoftwareDevice, SpriteBatchBlendsAndPutsBackTheStatesItFound) {
    pp::SoftwareDevice d(Small(4, 4));
    pp::SurfaceId half = d.CreateTextureFromImage(Solid(1, 1, 0x80FFFFFF));
    d.SetRenderState(pp::RsAlphaBlendEnable, 0);  // a fresh device's states: no blending
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    d.SpriteBegin();
    Blit(d, half, 0, 0);  // blended by alpha: grey
    d.SetRenderState(pp::RsDestBlend, 2);
    Blit(d, half, 1, 0);  // additive, set inside the batch
    d.SpriteEnd();
    Blit(d, half, 2, 0);  // after the batch: no blending again, the texel as it is
    pp::SurfaceId bb = d.GetBackBuffer();
    EXPECT_TRUE(Near(PixelAt(d, bb, 0, 0), 0xFF808080u));
    EXPECT_TRUE(Near(PixelAt(d, bb, 1, 0), 0xFF808080u));
    EXPECT_EQ(PixelAt(d, bb, 2, 0), 0xFFFFFFFFu);  // alpha 0x80 written, read back as 255 (no alpha channel)
}

TEST(SoftwareDevice, PrimitiveTextureCoordinatesWrap) {
    pp::SoftwareDevice d(Small(8, 2));
    DefaultStates(d);
    d.SetRenderState(pp::RsAlphaBlendEnable, 0);
    d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterPoint);
    pp::SurfaceId tex = d.CreateTextureFromImage(pp::Image{2, 1, {0xFF000000, 0xFFFFFFFF}});
    d.SetTexture(0, tex);
    auto v = [](float x, float y, float u) { return pp::ScreenVertex{x, y, 0, 1, 0xFFFFFFFF, u, 0}; };
    pp::ScreenVertex q[4] = {v(0, 0, -1), v(8, 0, 1), v(0, 2, -1), v(8, 2, 1)};  // twice across
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, q);
    pp::Image out;
    ASSERT_TRUE(d.ReadPixels(d.GetBackBuffer(), out));
    std::vector<uint32_t> reds;
    for (int x = 0; x < 8; ++x) reds.push_back((out.pixels[x] >> 16) & 0xFF);
    EXPECT_EQ(reds, (std::vector<uint32_t>{0, 0, 255, 255, 0, 0, 255, 255}));
}

// Only the screen-vertex format is drawn: vertices given under another format are not read.
TEST(SoftwareDevice, DrawsOnlyTheScreenVertexFormat) {
    pp::SoftwareDevice d(Small(8, 8));
    DefaultStates(d);
    d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
    auto v = [](float x, float y) { return pp::ScreenVertex{x, y, 0, 1, 0xFF00FF00, 0, 0}; };
    pp::ScreenVertex q[4] = {v(0, 0), v(8, 0), v(0, 8), v(8, 8)};
    d.SetVertexShader(0x142);
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, q);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 4, 4), 0xFF000000u);
    d.SetVertexShader(pp::kScreenVertexFormat);
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleStrip, 2, q);
    EXPECT_EQ(PixelAt(d, d.GetBackBuffer(), 4, 4), 0xFF00FF00u);
}

namespace {

// A scene with something of every kind the device draws: turned, scaled and tinted sprites from
// whole textures and from sheet frames, partly off the screen, under each blend, point-sampled and
// bilinear; unscaled blits; Gouraud triangles with and without a wrapping texture; lines.
pp::Image MixedScene(pp::raster::PixelPath path, int threads) {
    pp::SoftwareDevice d(Small(203, 150, 21));
    d.SetPixelPath(path);
    d.SetThreads(threads);
    DefaultStates(d);
    pp::Image sheet{40, 24, {}};
    for (uint32_t i = 0; i < 40 * 24; ++i)
        sheet.pixels.push_back((i * 37 & 0xFF) << 24 | (i * 11 & 0xFF) << 16 | (i * 3 & 0xFF) << 8 | (i * 5 & 0xFF));
    pp::SurfaceId tex = d.CreateTextureFromImage(sheet);
    d.Clear(pp::ClearTarget, 0x80402010, 1, 0);
    const int blends[][2] = {{5, 6}, {5, 2}, {2, 2}, {2, 1}};
    for (int i = 0; i < 160; ++i) {
        d.SetRenderState(pp::RsSrcBlend, blends[i % 4][0]);
        d.SetRenderState(pp::RsDestBlend, blends[i % 4][1]);
        int32_t filter = i % 3 ? pp::FilterLinear : pp::FilterPoint;
        d.SetTextureStageState(0, pp::TssMagFilter, filter);
        d.SetTextureStageState(0, pp::TssMinFilter, filter);
        pp::Rect frame{(i % 5) * 8, (i % 3) * 8, (i % 5) * 8 + 8, (i % 3) * 8 + 8};
        const pp::Rect* src = i % 2 ? &frame : nullptr;
        float scale = 0.4f + float(i % 7) * 0.45f;
        d.SpriteDraw(tex, src, {scale, scale * 0.8f}, {4, 4}, 0.37f * float(i),
                     {float(i * 29 % 230) - 20, float(i * 17 % 180) - 20}, 0xFFFFFFFF - uint32_t(i) * 0x01030507u);
        if (i % 10 == 0) Blit(d, tex, float(i % 190), float(i % 140), 0xC0FFFFFF, &frame);
    }
    // Unturned, enlarged and filtered: every span runs along a texel row.
    d.SetTextureStageState(0, pp::TssMagFilter, pp::FilterLinear);
    d.SetTextureStageState(0, pp::TssMinFilter, pp::FilterLinear);
    const pp::Rect part{3, 2, 37, 21};
    for (int i = 0; i < 8; ++i) {
        d.SetRenderState(pp::RsSrcBlend, blends[i % 4][0]);
        d.SetRenderState(pp::RsDestBlend, blends[i % 4][1]);
        float scale = 1.0f + 0.45f * float(i);
        d.SpriteDraw(tex, i % 2 ? &part : nullptr, {scale, 1.0f + 0.3f * float(i)}, {0, 0}, 0.0f,
                     {float(i * 37 % 190) - 15.3f, float(i * 23 % 130) + 0.4f}, 0xFFFFFFFF - uint32_t(i) * 0x10203040u);
    }
    d.SetRenderState(pp::RsSrcBlend, 5);
    d.SetRenderState(pp::RsDestBlend, 6);
    auto v = [](float x, float y, uint32_t c, float u) { return pp::ScreenVertex{x, y, 0, 1, c, u, u * 0.5f}; };
    pp::ScreenVertex tri[6] = {v(10, 5, 0xFFFF0000, 0),     v(190, 40, 0x8000FF00, 3),  v(60, 140, 0xC00000FF, -2),
                               v(150, 100, 0xFFFFFFFF, 1), v(200, 149, 0x40FF00FF, 5), v(120, 148, 0xFF00FFFF, 2)};
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleList, 2, tri);
    d.SetTexture(0, tex);
    d.DrawPrimitiveUP(pp::PrimitiveType::TriangleList, 2, tri);
    d.DrawPrimitiveUP(pp::PrimitiveType::LineStrip, 5, tri);
    pp::Image out;
    EXPECT_TRUE(d.ReadPixels(d.GetBackBuffer(), out));
    return out;
}

}  // namespace

// The scalar, SSE2, AVX2 and AVX-512 loops and any number of threads draw the same pixels, bit for bit
// (a path the processor lacks falls back to the widest it has, which still compares).
TEST(SoftwareDevice, EveryInstructionPathAndThreadCountDrawsTheSamePixels) {
    using pp::raster::PixelPath;
    pp::Image reference = MixedScene(PixelPath::Scalar, 1);
    for (PixelPath path : {PixelPath::Scalar, PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512})
        for (int threads : {1, 3, 8}) {
            if (path == PixelPath::Scalar && threads == 1) continue;
            EXPECT_EQ(MixedScene(path, threads).pixels, reference.pixels)
                << "path " << int(path) << ", " << threads << " threads";
        }
}

// The sprite batch reads a source rectangle through a guarded copy; the copy follows every change
// of the texture: written pixels, copied rectangles, and drawing into it as a render target.
TEST(SoftwareDevice, SpritesSeeEveryChangeOfTheirTexture) {
    pp::SoftwareDevice d(Small(32, 32));
    DefaultStates(d);
    pp::SurfaceId tex = d.CreateTexture(16, 16, true);
    pp::SurfaceId green = d.CreateTextureFromImage(Solid(16, 16, 0xFF00FF00));
    pp::SurfaceId bb = d.GetBackBuffer();
    const pp::Rect src{4, 4, 12, 12};
    auto drawn = [&] {
        d.Clear(pp::ClearTarget, 0xFF000000, 1, 0);
        d.SpriteDraw(tex, &src, {2, 2}, {4, 4}, 0.3f, {8, 8}, 0xFFFFFFFF);
        return PixelAt(d, bb, 16, 16);
    };
    ASSERT_TRUE(d.WritePixels(tex, Solid(16, 16, 0xFFFF0000), 0, 0));
    EXPECT_EQ(drawn(), 0xFFFF0000u);
    ASSERT_TRUE(d.WritePixels(tex, Solid(16, 16, 0xFF0000FF), 0, 0));
    EXPECT_EQ(drawn(), 0xFF0000FFu);
    ASSERT_TRUE(d.CopyRects(green, pp::Rect{0, 0, 16, 16}, tex, 0, 0));
    EXPECT_EQ(drawn(), 0xFF00FF00u);
    ASSERT_TRUE(d.SetRenderTarget(tex, 0));
    d.Clear(pp::ClearTarget, 0xFFFFFF00, 1, 0);
    ASSERT_TRUE(d.SetRenderTarget(bb, 0));
    EXPECT_EQ(drawn(), 0xFFFFFF00u);
    ASSERT_TRUE(d.SetRenderTarget(tex, 0));
    Blit(d, green, 0, 0);
    ASSERT_TRUE(d.SetRenderTarget(bb, 0));
    EXPECT_EQ(drawn(), 0xFF00FF00u);
}
