// Texture effects: the image numbers Configure accepts, the effect styles over a fixed Delta (a
// fade that switches the image off, growth clamped at its limit, a timed spin, a bounce), the
// setters' limits, and placement, scaling and the drop shadow on the recording device.
#include "SceneryFixture.h"
#include "core/DrawProcs.h"
#include "maps/TextureFx.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class TextureFxTest : public plmtest::SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        tex = Load(2, 256, 256);
        State().Delta = 10;
    }
    // Image i: a 64 x 32 rectangle at (100, 100), centred, all scales 1, opaque.
    void Image(int i) { fx.Configure(i, 100, 100, 2, 8, 4, 64, 32, 255, 1, 1, 1, 0, false, true); }
    // Renders image i n times; returns how many frames drew it.
    int Frames(int i, int n) {
        int drawn = 0;
        for (int k = 0; k < n; ++k) {
            device->ClearCalls();
            fx.Render(i);
            drawn += Draws().empty() ? 0 : 1;
        }
        return drawn;
    }
    plm::TextureFxRecord& Row(int i) { return State().TextureFxTable(i); }
    pf::SurfaceId tex = 0;
    plm::TextureFx fx;
};

TEST_F(TextureFxTest, ConfigureMovesTheImageNumberIntoTheTableAndTheOthersIgnoreIt) {
    fx.Configure(0, 1, 2, 2, 0, 0, 8, 8, 255, 1, 1, 1, 0, false, true);
    fx.Configure(100, 3, 4, 2, 0, 0, 8, 8, 255, 1, 1, 1, 0, false, true);
    EXPECT_EQ(fx.X(1), 1);
    EXPECT_EQ(fx.X(64), 3);
    fx.SetRenderState(-5, 5, 2);
    EXPECT_EQ(Row(1).DestinationMode, 2);
    for (int i : {0, 65, -1}) {
        fx.X(i, 9);
        fx.SetScaling(i, 2, 1, 0, 3, 0, 0);
        fx.Render(i);
        EXPECT_EQ(fx.X(i), 0);
        EXPECT_FALSE(fx.IsScaling(i));
        EXPECT_FALSE(fx.Enabled(i));
    }
    EXPECT_EQ(Row(1).Scaled, 1);
}

TEST_F(TextureFxTest, ACentredImageAndItsShadowArePlacedByTheScaledSize) {
    Image(3);
    fx.SetShadow(3, 100.7f, 3.5f, 4.5f, true);  // offsets rounded halves to even: 4, 4
    device->ClearCalls();
    fx.Render(3);
    auto d = Draws();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].translation.x, 72);  // shadow first
    EXPECT_EQ(d[0].translation.y, 88);
    EXPECT_EQ(d[0].color, 0x64000000u);
    EXPECT_EQ(d[1].translation.x, 68);
    EXPECT_EQ(d[1].translation.y, 84);
    EXPECT_EQ(d[1].color, 0xFFFFFFFFu);
    for (const auto& s : d) {
        EXPECT_EQ(s.texture, tex);
        EXPECT_EQ(s.src.left, 8);
        EXPECT_EQ(s.src.right, 72);
        EXPECT_EQ(s.src.bottom, 36);
        EXPECT_EQ(s.centre.x, 32);
    }
    // Scaled 2 and XScale 1.5: 192 wide, 64 tall; by the top-left corner the position is the corner.
    fx.Configure(3, 100.9f, 100.2f, 2, 8, 4, 64, 32, 255, 2, 1.5f, 1, 90, false, true);
    device->ClearCalls();
    fx.Render(3);
    d = Draws();
    ASSERT_EQ(d.size(), 1u);  // Configure switched the shadow off
    EXPECT_EQ(d[0].scaling.x, 3);
    EXPECT_EQ(d[0].scaling.y, 2);
    EXPECT_EQ(d[0].centre.x, 96);
    EXPECT_EQ(d[0].centre.y, 32);
    EXPECT_EQ(d[0].translation.x, 4);   // Int(100.9 - 96)
    EXPECT_EQ(d[0].translation.y, 68);  // Int(100.2 - 32)
    EXPECT_EQ(d[0].rotation, plm::DegreeToRad(90));
    fx.Configure(3, 100.9f, 100.2f, 2, 8, 4, 64, 32, 255, 2, 1.5f, 1, 0, true, true);
    device->ClearCalls();
    fx.Render(3);
    EXPECT_EQ(Draws()[0].translation.x, 100);
    EXPECT_EQ(Draws()[0].translation.y, 100);
}

TEST_F(TextureFxTest, AFadeOfStyleEightSwitchesTheImageOffInTheFrameAlphaFallsBelowZero) {
    Image(1);
    fx.SetAlphaFading(1, 255, -0.25f, 0, 255, 0, 8);
    // 2.5 a frame: alpha reaches exactly 0 after 102 frames, and passes it in the 103rd.
    EXPECT_EQ(Frames(1, 102), 102);
    EXPECT_EQ(Row(1).Alpha, 0);
    EXPECT_TRUE(fx.Enabled(1));
    EXPECT_EQ(Frames(1, 1), 0);
    EXPECT_FALSE(fx.Enabled(1));
    EXPECT_FALSE(fx.IsAlphaFading(1));
    EXPECT_EQ(Frames(1, 5), 0);  // stays off
    fx.Enabled(1, true);
    EXPECT_EQ(Frames(1, 1), 1);
}

TEST_F(TextureFxTest, EffectStylesEndAsTheirStyleSays) {
    struct Case {
        const char* what;
        int kind;  // 0 scale, 1 rotation, 2 alpha
        float start, dir, min, max, length;
        int style, frames;
        float value;
        bool running, enabled;
    };
    for (const Case& c : std::vector<Case>{
             {"grows to three times and stops there", 0, 1, 0.01f, 0, 3, 0, 6, 25, 3, false, true},
             {"wraps to its low limit", 0, 1, 0.012f, 0.5f, 1.5f, 0, 0, 5, 0.5f, true, true},
             {"bounces off its top", 0, 1, 0.03f, 0, 1.5f, 0, 3, 2, 1.3f, true, true},
             {"resets to natural size at a limit", 0, 1, -0.1f, 0.5f, 2, 0, 7, 1, 1, false, true},
             {"a style 1 spin resets to 0 after its time", 1, 10, 0.5f, 0, 719, 1000, 1, 100, 0, false, true},
             {"a style 2 spin removes the image after its time", 1, 10, 0.5f, 0, 719, 500, 2, 50, 260, false, false},
             {"a bounce of style 4 resets alpha after its time", 2, 100, 1, 0, 255, 30, 4, 3, 255, false, true},
             {"a style out of range leaves the value", 0, 1, 0.5f, 0, 3, 0, 9, 5, 1, true, true},
         }) {
        Image(5);
        if (c.kind == 0) fx.SetScaling(5, c.start, c.dir, c.min, c.max, c.length, static_cast<float>(c.style));
        if (c.kind == 1) fx.SetRotating(5, c.start, c.dir, c.min, c.max, c.length, c.style);
        if (c.kind == 2) fx.SetAlphaFading(5, c.start, c.dir, c.min, c.max, c.length, static_cast<float>(c.style));
        Frames(5, c.frames);
        const float value = c.kind == 0 ? Row(5).Scaled : c.kind == 1 ? Row(5).Rotate : Row(5).Alpha;
        const bool running = c.kind == 0 ? fx.IsScaling(5) : c.kind == 1 ? fx.IsRotating(5) : fx.IsAlphaFading(5);
        EXPECT_NEAR(value, c.value, 1e-4) << c.what;
        EXPECT_EQ(running, c.running) << c.what;
        EXPECT_EQ(fx.Enabled(5), c.enabled) << c.what;
    }
}

TEST_F(TextureFxTest, SettersKeepTheCurrentValueForAStartBelowZeroAndLimitAlphaAndRotation) {
    Image(2);
    Row(2).Scaled = 1.7f;
    Row(2).Alpha = 77;
    Row(2).Rotate = 33;
    fx.SetScaling(2, -1, 0.001f, -4, 9, 0, 2.5f);  // limits as given; style rounded halves to even
    fx.SetAlphaFading(2, -1.5f, 0, -5, 300, 0, 3.5f);
    fx.SetRotating(2, -1, 0, -20, 1000, 0, 0);
    EXPECT_EQ(Row(2).Scaled, 1.7f);
    EXPECT_EQ(Row(2).Alpha, 77);
    EXPECT_EQ(Row(2).Rotate, 33);
    EXPECT_EQ(Row(2).ScaleMin, -4);
    EXPECT_EQ(Row(2).ScaleMax, 9);
    EXPECT_EQ(Row(2).ScaleStyle, 2);
    EXPECT_EQ(Row(2).AlphaMin, 0);
    EXPECT_EQ(Row(2).AlphaMax, 255);
    EXPECT_EQ(Row(2).AlphaStyle, 4);
    EXPECT_EQ(Row(2).RotateMin, 0);
    EXPECT_EQ(Row(2).RotateMax, 719);
    fx.SetScaling(2, -0.5f, 0, 0, 1, 0, 0);  // above -1: taken
    EXPECT_EQ(Row(2).Scaled, -0.5f);
}

TEST_F(TextureFxTest, StoppedEffectsKeepDrawingAtTheirLastValuesAndRotationsAnyAngle) {
    Image(4);
    fx.SetRotating(4, 700, 1, 0, 719, 0, 6);  // clamps at 719 and stops
    Frames(4, 3);
    EXPECT_FALSE(fx.IsRotating(4));
    EXPECT_EQ(Row(4).Rotate, 719);
    EXPECT_EQ(Frames(4, 3), 3);
    EXPECT_EQ(Draws()[0].rotation, plm::DegreeToRad(719));
    for (float a : {-90.0f, 5000.0f, 1e30f}) {
        Row(4).Rotate = a;  // outside the table: read through the wrapping helper
        device->ClearCalls();
        fx.Render(4);
        EXPECT_EQ(Draws()[0].rotation, plm::DegreeToRad(a));
    }
}

TEST_F(TextureFxTest, AnEmptySlotRunsTheEffectsButDrawsNothing) {
    fx.Configure(6, 10, 10, 3, 0, 0, 8, 8, 255, 1, 1, 1, 0, false, true);
    fx.SetScaling(6, 1, 0.01f, 0, 5, 0, 6);
    Frames(6, 2);
    EXPECT_TRUE(Draws().empty());
    EXPECT_TRUE(RenderStates().empty());
    EXPECT_NEAR(Row(6).Scaled, 1.2f, 1e-6);
}

}  // namespace
