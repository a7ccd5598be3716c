// Sprite collision: placed areas, whole-pixel edges, the walk's first hit, the array forms and
// their bounds, circles, and the rotated tests.
#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteCollide.h"

namespace {

using plm::State;

class SpriteCollideTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        sprite.Init(6);
    }
    // Sprite s placed by its top-left corner at (x, y) with a w x h frame.
    void Box(int s, float x, float y, int w = 10, int h = 10) {
        sprite.Activate(s, x, y, 1, 0, 0, 0, 0, w, h, true, true);
    }
    plm::SpriteRecord& Row(int s) { return State().SpriteTable(s); }
    plm::Sprite sprite;
    plm::SpriteCollide collide;
};

TEST_F(SpriteCollideTest, BoxesMeetOnSharedEdgePixelsOnly) {
    Box(1, 0, 0);
    Box(2, 9, 9);  // shares the pixel (9, 9)
    EXPECT_EQ(collide.CheckBoxes(1, 1, 6), 2);
    Box(2, 10, 0);  // one pixel apart
    EXPECT_EQ(collide.CheckBoxes(1, 1, 6), 0);
    EXPECT_EQ(collide.Check(1, 1, 6), 0);
}

TEST_F(SpriteCollideTest, TheWalkReturnsTheLowestOtherHitAndSkipsWhatTakesNoPart) {
    for (int s = 1; s <= 5; ++s) Box(s, 0, 0);
    EXPECT_EQ(collide.CheckBoxes(3, 1, 6), 1);
    EXPECT_EQ(collide.CheckBoxes(1, 1, 6), 2);
    EXPECT_EQ(collide.CheckBoxes(1, 1, 1), 0);  // only itself
    collide.Enabled(2, false);
    sprite.Enabled(3, false);
    EXPECT_FALSE(collide.Enabled(2));
    EXPECT_EQ(collide.CheckBoxes(1, 1, 6), 4);
    // A tested sprite that is off, or whose collision is off, hits nothing.
    EXPECT_EQ(collide.CheckBoxes(3, 1, 6), 0);
    EXPECT_EQ(collide.CheckCircles(2, 1, 6), 0);
    // SetAsBox switches collision on again.
    collide.SetAsBox(2, 0, 0, 10, 10);
    EXPECT_TRUE(collide.Enabled(2));
    EXPECT_EQ(collide.CheckBoxes(2, 1, 6), 1);
    // Ranges beyond the table are clipped to it.
    EXPECT_EQ(collide.CheckBoxes(1, -5, 2000000000), 2);
}

TEST_F(SpriteCollideTest, GetAreaPlacesBoxesFromTheFrameCornerAndCirclesFromThePosition) {
    sprite.Activate(1, 100, 100, 1, 0, 0, 0, 0, 32, 32, false, true);
    collide.SetAsBox(1, 4, 4, 8, 8);
    plm::PLMCollideArea a = collide.GetArea(1);
    EXPECT_EQ(a.XPos, 88.0f);
    EXPECT_EQ(a.Ypos, 88.0f);
    EXPECT_EQ(a.Width, 8.0f);
    EXPECT_FALSE(a.IsCircle);
    EXPECT_EQ(a.Radius, 0.0f);
    // Scales: the offset and size take XScaled x Scaled, the radius Scaled alone.
    sprite.XScaled(1, 2);
    sprite.Scaled(1, 0.5f);
    collide.SetAsCircle(1, 10, 4, 6);
    a = collide.GetArea(1);
    EXPECT_TRUE(a.IsCircle);
    EXPECT_EQ(a.XPos, 104.0f);
    EXPECT_EQ(a.Ypos, 103.0f);
    EXPECT_EQ(a.Radius, 5.0f);
    EXPECT_EQ(a.Width, 0.0f);
    EXPECT_EQ(a.Height, 0.0f);
    // The reset radius is half the frame width.
    sprite.Activate(2, 0, 0, 1, 0, 0, 0, 0, 33, 20, false, true);
    EXPECT_EQ(Row(2).CollideRadius, 16.5f);
}

TEST_F(SpriteCollideTest, CirclesAndOwnShapes) {
    Box(1, 0, 0);
    collide.SetAsCircle(1, 5, 0, 0);  // centred on the corner (0, 0)
    Box(2, 3, 4);                     // corner at distance 5: touching counts
    EXPECT_EQ(collide.Check(1, 1, 6), 2);
    EXPECT_EQ(collide.Check(2, 1, 6), 1);
    Box(2, 4, 4);
    EXPECT_EQ(collide.Check(1, 1, 6), 0);
    // CheckCircles makes every sprite a circle (radius half the frame width, here 5).
    EXPECT_EQ(collide.CheckCircles(1, 1, 6), 2);
    // CheckBoxes makes every sprite a box.
    EXPECT_EQ(collide.CheckBoxes(1, 1, 6), 2);

    EXPECT_TRUE(collide.IsOverCircle(1, 8, 0, 3));
    EXPECT_FALSE(collide.IsOverCircle(1, 8.5f, 0, 3));
    EXPECT_TRUE(collide.IsOverBox(2, 13, 13, 4, 4));
    EXPECT_FALSE(collide.IsOverBox(2, 14, 13, 4, 4));
}

TEST_F(SpriteCollideTest, ArrayFormsMarkTheWholeRangeAndNothingElse) {
    Box(1, 0, 0);
    Box(2, 5, 5);
    Box(3, 50, 50);
    Box(4, 2, 2);
    std::vector<uint8_t> hits(7, 9);
    EXPECT_TRUE(collide.CheckBoxesArray(1, 1, 5, hits));
    EXPECT_EQ(hits, (std::vector<uint8_t>{9, 0, 1, 0, 1, 0, 9}));
    // Only itself: its own element is 0 and the result false.
    EXPECT_FALSE(collide.CheckArray(1, 1, 1, hits));
    EXPECT_EQ(hits[1], 0);
    // Every array form walks the same way.
    std::fill(hits.begin(), hits.end(), 9);
    EXPECT_TRUE(collide.CheckCirclesArray(1, 2, 4, hits));
    EXPECT_EQ(hits, (std::vector<uint8_t>{9, 9, 1, 0, 1, 9, 9}));
    EXPECT_TRUE(collide.CheckRotatedBoxesArray(1, 2, 4, hits));
    EXPECT_TRUE(collide.CheckRotatedBoxesAndCirclesArray(1, 2, 4, hits));
    // A tested sprite that is off writes nothing.
    std::fill(hits.begin(), hits.end(), 9);
    sprite.Enabled(1, false);
    EXPECT_FALSE(collide.CheckArray(1, 1, 5, hits));
    EXPECT_EQ(hits, std::vector<uint8_t>(7, 9));
}

TEST_F(SpriteCollideTest, AnArrayTooSmallForTheRangeIsRefused) {
    Box(1, 0, 0);
    Box(2, 0, 0);
    std::vector<uint8_t> hits(3, 9);  // covers sprites 0..2
    EXPECT_FALSE(collide.CheckArray(1, 1, 3, hits));
    EXPECT_FALSE(collide.CheckBoxesArray(1, -1, 2, hits));
    EXPECT_EQ(hits, std::vector<uint8_t>(3, 9));
    EXPECT_EQ(plmtest::Undated(Log().back()),
              "CollideArray passed to SpriteCollide.CheckBoxesArray does not cover sprites -1-2.");
    EXPECT_TRUE(collide.CheckArray(1, 1, 2, hits));
    EXPECT_EQ(hits[2], 1);
}

TEST_F(SpriteCollideTest, RotatedTestsTurnBoxesAboutTheirCentres) {
    Box(1, 0, 0, 20, 20);
    Box(2, 0, 0, 2, 2);    // in the corner of sprite 1's upright box
    Box(3, -4, 9, 2, 2);   // beside it, reached by the corner of the turned box
    // Upright: the rotated forms agree with the plain ones.
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 2, 3), collide.CheckBoxes(1, 2, 3));
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 2, 3), 2);
    sprite.Rotate(1, 45);
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 2, 3), 3);
    EXPECT_EQ(collide.CheckRotatedBoxes(3, 1, 6), 1);
    EXPECT_EQ(collide.CheckBoxes(1, 2, 3), 2);  // the plain test ignores Rotate
    // A full turn is upright again.
    sprite.Rotate(1, 360);
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 2, 3), 2);

    // A circle against a turned box.
    sprite.Rotate(1, 45);
    collide.SetAsCircle(2, 0.5f, 0, 0);
    sprite.SetXY(2, -3, 9.5f);
    collide.Enabled(3, false);
    EXPECT_EQ(collide.CheckRotatedBoxesAndCircles(1, 2, 3), 2);
    EXPECT_EQ(collide.Check(1, 2, 3), 0);
}

TEST_F(SpriteCollideTest, AZeroSizeTurnedBoxIsAPoint) {
    Box(1, 5, 5);
    collide.SetAsBox(1, 0, 0, 0, 0);
    sprite.Rotate(1, 30);
    Box(2, 0, 0, 20, 20);
    sprite.Rotate(2, 10);
    Box(3, 100, 100);
    sprite.Rotate(3, 10);
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 2, 6), 2);
    EXPECT_EQ(collide.CheckRotatedBoxes(1, 3, 6), 0);
    EXPECT_EQ(collide.CheckRotatedBoxes(3, 1, 1), 0);
}

}  // namespace
