// Queries over the sprite table and the placement members with rules.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteProcs.h"

namespace {

using plm::State;

class SpriteQueryTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        sprite.Init(10);
    }
    void On(int s, float x = 0, float y = 0, bool topLeft = false) {
        sprite.Activate(s, x, y, 1, 0, 0, 0, 0, 32, 32, topLeft, true);
    }
    plm::SpriteRecord& Row(int s) { return State().SpriteTable(s); }
    plm::Sprite sprite;
};

TEST_F(SpriteQueryTest, AvailabilityHonoursDelaysAndIdFilters) {
    On(1);
    Row(2).EngineDelay = 30;  // off but waiting: busy
    Row(3).ID2 = 3;
    Row(3).ID1 = 9;
    Row(4).ID2 = 3;
    EXPECT_EQ(sprite.Get1AvailableRange(1, 10, -1, -1), 3);
    EXPECT_EQ(sprite.Get1AvailableRange(1, 10, -1, 3), 3);  // any ID1
    EXPECT_EQ(sprite.Get1AvailableRange(1, 10, 0, 3), 4);   // both must match
    EXPECT_EQ(sprite.Get1AvailableRange(1, 10, 9, -1), 3);
    EXPECT_EQ(sprite.Get1AvailableRange(1, 10, 5, -1), 0);
    EXPECT_EQ(sprite.Get1AvailableRange(5, 4, -1, -1), 0);
    EXPECT_EQ(sprite.Get1Available(0, 0), 5);
    EXPECT_TRUE(sprite.IsAnyOfTheseOn(2, 2, true));
    EXPECT_FALSE(sprite.IsAnyOfTheseOn(2, 2, false));
    EXPECT_TRUE(sprite.IsActive(2));
}

TEST_F(SpriteQueryTest, CountsAndRangeTests) {
    On(1);
    On(2);
    On(3);
    Row(4).EngineDelay = 5;
    Row(1).ID1 = 7;
    Row(2).ID1 = 7;
    Row(3).ID2 = -1;
    EXPECT_EQ(sprite.GetHowManyOn(), 3);
    EXPECT_EQ(sprite.GetHowManyOnWithID1(7), 2);
    EXPECT_EQ(sprite.GetHowManyOnWithID2(-1), 1);  // -1 is a value here, not "any"
    EXPECT_EQ(sprite.GetHowManyOfTheseOn(1, 4, false), 3);
    EXPECT_EQ(sprite.GetHowManyOfTheseOn(1, 4, true), 4);
    EXPECT_TRUE(sprite.IsAllOfTheseOn(1, 3, false));
    EXPECT_FALSE(sprite.IsAllOfTheseOn(1, 4, false));
    EXPECT_TRUE(sprite.IsAllOfTheseOn(1, 4, true));
    EXPECT_TRUE(sprite.IsAllOfTheseOn(5, 4, false));  // empty range
    EXPECT_FALSE(sprite.IsAnyOfTheseOn(5, 4, false));
}

TEST_F(SpriteQueryTest, ExtremesScanOnSpritesAndKeepTheLowerOnATie) {
    On(6, 50, 10);
    On(7, 50, 90);
    On(8, 20, 40);
    EXPECT_EQ(sprite.GetRightMost(5, 8), 6);
    EXPECT_EQ(sprite.GetLeftMost(5, 8), 8);
    EXPECT_EQ(sprite.GetBottomMost(5, 8), 7);
    EXPECT_EQ(sprite.GetTopMost(5, 8), 6);
    EXPECT_EQ(sprite.GetRightMost(1, 5), 0);
    EXPECT_EQ(sprite.GetRightMost(9, 10), 0);
    EXPECT_EQ(sprite.GetRightMost(7, 3), 7);  // the start sprite is always examined
    EXPECT_EQ(sprite.GetRightMost(5, 1 << 30), 6);
}

TEST_F(SpriteQueryTest, RandomPickIsOneTryOnly) {
    On(3);
    int hits = 0;
    for (int i = 0; i < 50; ++i) {
        int r = sprite.Get1OnRandomRange(1, 4, -1, -1);
        EXPECT_TRUE(r == 0 || r == 3);
        hits += r == 3 ? 1 : 0;
    }
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 50);
    // A range wider than the 32-bit numbers draws without overflowing and finds nothing on.
    for (int i = 0; i < 50; ++i) EXPECT_EQ(sprite.Get1OnRandomRange(-2147483647 - 1, 2147483647, -1, -1), 0);
}

TEST_F(SpriteQueryTest, DistanceAndAngleUseTheCentre) {
    On(1, 0, 0, true);
    On(2, 30, 40, true);
    EXPECT_FLOAT_EQ(sprite.GetDistanceBetweenSprites(1, 2), 50.0f);
    On(3, 100, 100);
    On(4, 100, 50);
    EXPECT_FLOAT_EQ(sprite.GetDistanceBetweenSprites(3, 4), 50.0f);
    EXPECT_EQ(sprite.GetAngleBetweenSprites(3, 4), 360.0f);  // straight up
    On(5, 84, 100, true);                                     // centre (100, 116)
    EXPECT_EQ(sprite.GetAngleBetweenSprites(3, 5), 180.0f);
}

TEST_F(SpriteQueryTest, OverBoxUsesTheScaledCollisionShape) {
    On(1, 100, 100);  // centred 32 x 32: the box covers 84..115
    EXPECT_TRUE(plm::IsSpriteOverBox(1, 115, 115, 5, 5));
    EXPECT_FALSE(plm::IsSpriteOverBox(1, 116, 100, 5, 5));
    sprite.Scaled(1, 2);  // 68..131
    EXPECT_TRUE(plm::IsSpriteOverBox(1, 130, 100, 5, 5));
    State().SpriteTable(1).CollideEnabled = false;
    EXPECT_FALSE(plm::IsSpriteOverBox(1, 100, 100, 5, 5));
    // A circle of a top-left sprite is centred on its corner plus the offset.
    On(2, 200, 200, true);
    Row(2).CollideIsCircle = true;
    Row(2).CollideRadius = 10;
    EXPECT_TRUE(plm::IsSpriteOverBox(2, 191, 200, 1, 1));
    EXPECT_FALSE(plm::IsSpriteOverBox(2, 215, 215, 5, 5));
    sprite.TurnOff(2, true, true);
    EXPECT_FALSE(plm::IsSpriteOverBox(2, 200, 200, 1, 1));
}

TEST_F(SpriteQueryTest, RelativeMovesWrapAndLimit) {
    struct Case {
        float from, by, wrapped, limited;
    };
    for (const Case& c : {Case{95, 10, 0, 100}, Case{5, -10, 100, 0}, Case{90, 10, 100, 100}}) {
        On(1, c.from, 50);
        sprite.AddToPosWrap(1, c.by, 0, 0, 0, 100, 100, false);
        EXPECT_EQ(sprite.X(1), c.wrapped) << c.from << " by " << c.by;
        sprite.X(1, c.from);
        sprite.AddToPosLimit(1, c.by, 0, 0, 0, 100, 100, false);
        EXPECT_EQ(sprite.X(1), c.limited) << c.from << " by " << c.by;
    }
    State().Delta = 16;
    On(2, 0, 0);
    sprite.XAdd(2, 2);
    EXPECT_EQ(sprite.X(2), 32.0f);
    // AddToPos moves the second position too; the wrapped move does not.
    Row(2).CentreX = 5;
    sprite.AddToPos(2, 1, 0, true);
    EXPECT_EQ(Row(2).CentreX, 21.0f);
    sprite.AddToPosWrap(2, 1, 0, -1000, -1000, 1000, 1000, false);
    EXPECT_EQ(Row(2).CentreX, 21.0f);
}

TEST_F(SpriteQueryTest, PullTowardsOnlyWithinTheDistance) {
    State().Delta = 10;
    On(1, 0, 100);
    On(2, 0, 0);  // 100 straight up
    sprite.PullTowards(1, 2, 0.5f, 100);
    EXPECT_EQ(sprite.Y(1), 100.0f);  // not strictly closer
    sprite.PullTowards(1, 2, 0.5f, 101);
    EXPECT_NEAR(sprite.Y(1), 95.0f, 1e-4);
    EXPECT_NEAR(Row(1).CentreY, -5.0f, 1e-4);
}

TEST_F(SpriteQueryTest, OffsetPositionTurnsWithTheSprite) {
    On(1, 100, 100);
    plm::PLMXY p = sprite.GetOffsetPosition(1, 10, 20, false);
    EXPECT_EQ(p.X, 110.0f);
    EXPECT_EQ(p.Y, 120.0f);
    p = sprite.GetOffsetPosition(1, 10, 20, true);  // rotation 0: the same
    EXPECT_NEAR(p.X, 110.0f, 1e-3);
    EXPECT_NEAR(p.Y, 120.0f, 1e-3);
    sprite.Rotate(1, 90);  // facing right: the Y offset points left, the X offset down
    p = sprite.GetOffsetPosition(1, 10, 20, true);
    EXPECT_NEAR(p.X, 80.0f, 1e-3);
    EXPECT_NEAR(p.Y, 110.0f, 1e-3);
}

TEST_F(SpriteQueryTest, PropertyRules) {
    On(1);
    sprite.Blend(1, true);
    EXPECT_EQ(Row(1).SrcBlend, 5);
    EXPECT_EQ(Row(1).DestBlend, 2);
    EXPECT_TRUE(sprite.Blend(1));
    sprite.Blend(1, false);
    EXPECT_EQ(Row(1).DestBlend, 6);
    sprite.Mirror(1, true);
    EXPECT_EQ(Row(1).Mirror, -1);
    EXPECT_TRUE(sprite.Mirror(1));
    EXPECT_FALSE(sprite.Flip(1));
    sprite.Hits(1, 1);
    EXPECT_TRUE(sprite.HitsDecrement(1, 1));
    EXPECT_EQ(sprite.Hits(1), 0);
    sprite.Hits(1, 3);
    EXPECT_FALSE(sprite.HitsDecrement(1, 1));
    // Shadow offsets round halves to even.
    sprite.SetShadow(1, 50, 2.5f, 3.5f, true, 1, 2, 3, 10, 0.5f, 2, 3, false, false);
    EXPECT_EQ(Row(1).ShadowXOffset, 2);
    EXPECT_EQ(Row(1).ShadowYOffset, 4);
    EXPECT_TRUE(Row(1).ShadowState);
    EXPECT_EQ(Row(1).ShadowScaling, 0.5f);
    // Alpha and colour are stored as given, outside 0..255 too.
    sprite.Alpha(1, -20);
    sprite.SetRGB(1, 300, -1, 7);
    EXPECT_EQ(sprite.Alpha(1), -20.0f);
    EXPECT_EQ(sprite.GetRGB(1).Red, 300.0f);
    EXPECT_EQ(Row(1).BaseGreen, -1.0f);
    sprite.Rotate(1, 1000);
    EXPECT_EQ(sprite.Rotate(1), 1000.0f);
    sprite.SetFrame(1, 1, 2, 3, 4);
    plm::PLMSpriteImageRect rect = sprite.GetImageRect(1);
    EXPECT_EQ(rect.Texture, 1);
    EXPECT_EQ(rect.SrcX + rect.SrcY + rect.Width + rect.Height, 10);
    EXPECT_EQ(Row(1).CollideWidth, 32.0f);  // the collision size is not changed
    sprite.X(1, -1.5f);
    sprite.Y(1, 2.7f);
    sprite.SetAllToIntPixel();
    EXPECT_EQ(sprite.X(1), -2.0f);
    EXPECT_EQ(sprite.Y(1), 2.0f);
}

TEST_F(SpriteQueryTest, MapTileBecomesATopLeftSprite) {
    auto& map = State().Map;
    map.MapTileWidth = 32;
    map.MapTileHeight = 24;
    map.MapTileSource.resize(3);
    map.MapTileSource(2) = plm::MapTileSourceEntry{33, 66, 4};
    sprite.SetMapTileToSprite(2.4f, 5, 10, 20);
    const auto& r = Row(5);
    EXPECT_EQ(r.On, 1);
    EXPECT_TRUE(r.OriginTopLeft);
    EXPECT_EQ(r.Texture, 4);
    EXPECT_EQ(r.SrcX, 33);
    EXPECT_EQ(r.SrcY, 66);
    EXPECT_EQ(r.Width, 32);
    EXPECT_EQ(r.Height, 24);
    EXPECT_EQ(r.X, 10.0f);
    sprite.SetMapTileToSprite(9, 6, 0, 0);  // no such tile: refused
    EXPECT_FALSE(sprite.Enabled(6));
}

}  // namespace
