// Pictures of texture drawing and of the start-up logo on the software device, compared with
// golden images under tests/data/golden.
#include "GoldenImage.h"
#include "TextureFixture.h"
#include "core/LogoImage.h"
#include "core/LogoSequence.h"

namespace {

using plm::platform::Image;

class TextureGoldenTest : public plmtest::TextureTest {
protected:
    // 32 x 32: a blue body, a yellow bar along the top ("up"), a red bar down the left, and a
    // transparent lower-right corner, so that rotation, mirroring and the shadow all show.
    static Image Marker() {
        Image img;
        img.width = img.height = 32;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                uint32_t p = 0xFF000000u | (static_cast<uint32_t>(20 + 2 * y) << 16) |
                             (static_cast<uint32_t>(90 + 3 * y) << 8) | static_cast<uint32_t>(200 - 2 * y);
                if (y < 6) p = 0xFFFFD020u;
                if (x < 6) p = 0xFFE03030u;
                if (x >= 22 && y >= 22) p = 0;
                img.pixels.push_back(p);
            }
        return img;
    }
};

TEST_F(TextureGoldenTest, RotatedScaledSkewedTintedAndShadowedDraws) {
    MakeDevice(320, 240);
    WriteImage("marker.png", Marker(), plm::platform::ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "marker.png", 0));
    Image frame = Frame(0xFF505860u, [&] {
        texture.Render(1, 0, 0, 32, 32, 60, 60, 255, 30, 2, 1.5f, false, 140, 6, 6, 2, 1.5f, 30);
        texture.RenderSkew(1, 0, 0, 32, 32, 170, 60, 1.5f, 1.5f, 0.6f, 0, 255, false);
        texture.RenderFast(1, 0, 0, 32, 32, 265, 60, 200, 90, 1.25f);
        texture.Render(1, 0, 0, 32, 32, 60, 170, 160, -45, 1, 1, false, 0, 0, 0, 1, 1, 0, 255, 120, 120);
        plm::platform::Matrix4 m;
        m.m[0][0] = 1.6f, m.m[0][1] = 0.5f, m.m[1][0] = -0.5f, m.m[1][1] = 1.6f;
        m.m[3][0] = 150, m.m[3][1] = 140, m.m[3][3] = 1;
        texture.RenderTransform(1, 0, 0, 32, 32, m, 255, 120, 255, 120);
        texture.RenderFaster(1, 0, 0, 32, 32, 240, 150, 255, 180);
        texture.RenderFastest(1, 6, 6, 16, 16, 290, 200);
    });
    plmtest::ExpectMatchesGolden(frame, "texture_draws");
}

TEST_F(TextureGoldenTest, LogoPhases) {
    MakeDevice(320, 240);
    plmtest::WriteFile(folder.file("plm.jpg"),
                       std::string(reinterpret_cast<const char*>(plm::kLogoJpeg), plm::kLogoJpegSize));
    ASSERT_TRUE(texture.Load(plm::kLogoSlot, folder.file("plm.jpg"), -1, true));
    const float cx = 160, cy = 120;
    plm::LogoSequence seq;
    // The first frame of each phase past its middle: half faded in, the light left of centre on its
    // way right, right of centre on its way back, half faded out.
    auto wanted = [&](int phase) {
        switch (phase) {
            case 1: return seq.Phase == 1 && seq.Alpha >= 128;
            case 2: return seq.Phase == 2 && seq.X >= cx - 60;
            case 3: return seq.Phase == 3 && seq.X <= cx + 60;
            default: return seq.Phase == 4 && seq.Alpha <= 128;
        }
    };
    int phase = 1, frames = 0;
    bool more = true;
    while (more && phase <= 4) {
        ASSERT_LT(++frames, 1000) << "the sequence ends";
        const bool capture = wanted(phase);
        Image frame = Frame(0xFF000000u, [&] { more = plm::LogoFrame(texture, seq, cx, cy, 20); });
        if (capture) plmtest::ExpectMatchesGolden(frame, "logo_phase" + std::to_string(phase++));
    }
    EXPECT_EQ(phase, 5);
    while (more) more = plm::LogoFrame(texture, seq, cx, cy, 20);
    EXPECT_EQ(seq.Phase, 5);
    EXPECT_EQ(seq.Alpha, 0);
}

}  // namespace
