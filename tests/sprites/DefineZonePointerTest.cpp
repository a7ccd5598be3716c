// Sprite templates, zones, and the engine's mouse pointer drawn from the animation table.
#include <gtest/gtest.h>

#include <memory>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/Mouse.h"
#include "platform/test/RecordingDevice.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteAnimate.h"
#include "sprites/SpriteCollide.h"
#include "sprites/SpriteDefine.h"
#include "sprites/Zone.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class DefineZoneTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        sprite.Init(4);
    }
    plm::SpriteRecord& Row(int s) { return State().SpriteTable(s); }
    plm::Sprite sprite;
};

TEST_F(DefineZoneTest, SpriteDefineActivateResetsTheSpriteAndTakesTheTemplate) {
    plm::SpriteDefine define;
    ASSERT_TRUE(define.Add("Gem", 3, 10, 20, 2, 1, 40, 30, true));
    sprite.Activate(1, 0, 0, 1, 0, 0, 0, 0, 8, 8, false, true);
    sprite.Alpha(1, 12);
    sprite.ID1(1, 7);
    ASSERT_TRUE(define.Activate(1, "GEM", 50, 60, true));
    const plm::SpriteRecord& r = Row(1);
    EXPECT_EQ(r.X, 50.0f);
    EXPECT_EQ(r.Y, 60.0f);
    EXPECT_EQ(r.Texture, 3);
    EXPECT_EQ(r.SrcX, 10);
    EXPECT_EQ(r.SrcY, 20);
    EXPECT_EQ(r.XFrame, 2);
    EXPECT_EQ(r.YFrame, 1);
    EXPECT_EQ(r.Width, 40);
    EXPECT_TRUE(r.OriginTopLeft);
    EXPECT_EQ(r.On, 1);
    EXPECT_EQ(r.Alpha, 255.0f);
    EXPECT_EQ(r.ID1, 0);
    EXPECT_EQ(r.CollideWidth, 40.0f);  // derived from the template's frame
    EXPECT_EQ(r.CollideRadius, 20.0f);

    EXPECT_FALSE(define.Activate(2, "none", 1, 1, true));
    EXPECT_FALSE(define.Activate(99, "gem", 1, 1, true));
    EXPECT_EQ(Row(2).On, 0);
    EXPECT_TRUE(define.Activate(2, "gem", 1, 1, false));
    EXPECT_EQ(Row(2).On, 0);
    EXPECT_EQ(Row(2).Width, 40);
}

TEST_F(DefineZoneTest, ZonesHoldSpritesByTheirCollisionShape) {
    plm::Zone zone;
    ASSERT_TRUE(zone.Init(3));
    EXPECT_FALSE(zone.Init(-1));
    EXPECT_FALSE(zone.Init(70000));
    EXPECT_EQ(zone.GetTotal(), 3);
    zone.Set(1, plm::PLMZone{0, 0, 10, 10, 0, true});
    zone.Set(2, plm::PLMZone{100, 100, 0, 0, 5, false});
    const plm::PLMZoneInfo info = zone.GetInfo(2);
    EXPECT_TRUE(info.Enabled);
    EXPECT_EQ(info.Type, 0);
    EXPECT_EQ(zone.GetInfo(1).Type, 1);
    EXPECT_FALSE(zone.Enabled(3));

    sprite.Activate(1, 9, 9, 1, 0, 0, 0, 0, 4, 4, true, true);  // shares the pixel (9, 9)
    EXPECT_TRUE(zone.IsSpriteIn(1, 1));
    EXPECT_EQ(zone.Check(1, 1, 3), 1);
    sprite.SetXY(1, 10, 10);
    EXPECT_EQ(zone.Check(1, 1, 3), 0);
    sprite.SetXY(1, 104, 95);  // the box reaches into the circle of radius 5 about (100, 100)
    EXPECT_EQ(zone.Check(1, 1, 3), 2);
    zone.Enabled(2, false);
    EXPECT_EQ(zone.Check(1, 1, 3), 0);
    zone.Enabled(2, true);
    plm::SpriteCollide().Enabled(1, false);
    EXPECT_EQ(zone.Check(1, -4, 1000), 0);
    EXPECT_FALSE(zone.IsSpriteIn(9, 1));
}

class MousePointerTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        device = std::make_shared<pf::RecordingDevice>();
        State().D3DDevice = device;
        State().Textures.resize(4);
        State().Textures(2).Object = 202;
        State().Textures(2).Loaded = true;
        State().Textures(3).Object = 203;
        State().Textures(3).Loaded = true;
        plm::Sprite().Init(1);
        // Animation 2: frames 16 x 8 on textures 2, 3 at columns 1, 2 of the grid at (4, 6).
        ASSERT_TRUE(plm::SpriteAnimate().Add(2, 4, 6, 16, 8, 2, "1,0,2,1", "2,3", false));
        State().MouseX = 100.7f;
        State().MouseY = 50.2f;
        State().Delta = 10;
    }
    std::vector<pf::Call> Draws() const { return device->CallsOf(pf::CallKind::SpriteDraw); }
    std::shared_ptr<pf::RecordingDevice> device;
    plm::Mouse mouse;
};

TEST_F(MousePointerTest, DrawsTheFrameCentredOnThePointerWithItsShadowFirst) {
    mouse.SetPointer(2, 0.1f, 1, 200, false);
    mouse.SetPointerShadow(true, 3, 4, 60);
    mouse.Enabled(true);
    plm::RenderMousePointer();  // advances to frame 2 first
    const std::vector<pf::Call> draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    for (const pf::Call& c : draws) {
        EXPECT_EQ(c.surfaces[0], 203u);
        EXPECT_EQ(c.rect.left, 17 * 2 + 4);
        EXPECT_EQ(c.rect.top, 9 * 1 + 6);
        EXPECT_EQ(c.rect.right - c.rect.left, 16);
        EXPECT_EQ(c.rect.bottom - c.rect.top, 8);
    }
    EXPECT_EQ(draws[0].floats[5], 95.0f);  // Int(100.7 - 8 + 3)
    EXPECT_EQ(draws[0].floats[6], 50.0f);  // Int(50.2 - 4 + 4)
    EXPECT_EQ(draws[0].color, 0x3C000000u);
    EXPECT_EQ(draws[1].floats[5], 92.0f);
    EXPECT_EQ(draws[1].floats[6], 46.0f);
    EXPECT_EQ(draws[1].color, 0xC8FFFFFFu);
    // Repeat wraps past the last frame.
    plm::RenderMousePointer();
    EXPECT_EQ(State().MousePointer.Frame, 1.0f);
}

TEST_F(MousePointerTest, OnceStopsAndADisabledPointerDrawsNothing) {
    mouse.SetPointer(2, 0.1f, 2, 255, true);
    plm::RenderMousePointer();
    EXPECT_TRUE(Draws().empty());
    mouse.Enabled(true);
    plm::RenderMousePointer();
    plm::RenderMousePointer();
    EXPECT_EQ(State().MousePointer.Mode, 0);
    EXPECT_EQ(State().MousePointer.Frame, 1.0f);
    EXPECT_EQ(Draws().back().floats[5], 100.0f);  // top-left at the pointer
    // An animation that is not in the table names no texture: nothing is drawn, nothing read
    // outside the records.
    mouse.SetPointer(77, 0.1f, 1, 255, false);
    plm::RenderMousePointer();
    EXPECT_EQ(Draws().size(), 2u);
}

}  // namespace
