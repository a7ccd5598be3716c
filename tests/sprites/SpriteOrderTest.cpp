// The render order: its reset, moving one sprite to a depth, and the incremental sorts.
#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "sprites/Sprite.h"

namespace {

using plm::State;

class SpriteOrderTest : public plmtest::EngineTest {
protected:
    void Make(int n) {
        sprite.Init(n);
        for (int s = 1; s <= n; ++s) sprite.Activate(s, 0, 0, 1, 0, 0, 0, 0, 8, 8, false, true);
    }
    static std::vector<int> Order() {
        std::vector<int> v;
        for (int p = 1; p <= State().RenderOrder.size(); ++p) v.push_back(State().RenderOrder(p));
        return v;
    }
    std::vector<int> Depths() const {
        std::vector<int> v;
        for (int s = 1; s <= State().SpriteTable.size(); ++s) v.push_back(sprite.Zorder(s));
        return v;
    }
    plm::Sprite sprite;
};

TEST_F(SpriteOrderTest, ResetZorderDrawsSpriteOneLast) {
    Make(4);
    EXPECT_EQ(Order(), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(Depths(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(SpriteOrderTest, ZorderMovesOneSpriteAndShiftsTheOthers) {
    Make(5);  // order 5 4 3 2 1
    sprite.Zorder(4, 1);  // to the end of the list, on top
    EXPECT_EQ(Order(), (std::vector<int>{5, 3, 2, 1, 4}));
    // The sprites that were after it moved one place forward: their depth rose by one.
    EXPECT_EQ(Depths(), (std::vector<int>{2, 3, 4, 1, 5}));
    sprite.Zorder(4, 5);  // back to the front of the list
    EXPECT_EQ(Order(), (std::vector<int>{4, 5, 3, 2, 1}));
    EXPECT_EQ(Depths(), (std::vector<int>{1, 2, 3, 5, 4}));
    // Depths outside 1..SpriteTotal change nothing; neither does a move to the same place.
    for (int z : {0, 6, -1}) sprite.Zorder(2, z);
    sprite.Zorder(2, 2);
    EXPECT_EQ(Order(), (std::vector<int>{4, 5, 3, 2, 1}));
}

TEST_F(SpriteOrderTest, SortTakesOneComparisonPerStep) {
    Make(4);  // order 4 3 2 1
    for (int s = 1; s <= 4; ++s) sprite.Y(s, static_cast<float>(s * 10));  // Y of 4 3 2 1: 40 30 20 10
    State().SortCursor = 4;  // at the end: the next step compares positions 1 and 2
    sprite.Sort(1, 1);
    EXPECT_EQ(State().SortCursor, 2);
    EXPECT_EQ(Order(), (std::vector<int>{3, 4, 2, 1}));
    sprite.Sort(1, 2);
    EXPECT_EQ(Order(), (std::vector<int>{3, 2, 1, 4}));
    sprite.Sort(1, 20);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Depths(), (std::vector<int>{1, 2, 3, 4}));  // Sort leaves the Zorder fields
}

TEST_F(SpriteOrderTest, SortKeys) {
    struct Case {
        int key;
        std::vector<int> sorted;
    };
    // Sprites 1..4 (list 4 3 2 1) with distinct X, Y, Height, ID1 and Scaled.
    const float ys[] = {5, 30, 10, 20};
    const int heights[] = {40, 1, 1, 1};  // sprite 1 has the lowest bottom edge
    const float xs[] = {3, 1, 4, 2};
    const int ids[] = {2, 4, 1, 3};
    const float scales[] = {0.5f, 2, 1, 1.5f};
    for (const Case& c : std::vector<Case>{{0, {3, 4, 2, 1}},
                                           {1, {1, 3, 4, 2}},
                                           {2, {2, 4, 3, 1}},
                                           {3, {2, 4, 1, 3}},
                                           {4, {3, 1, 4, 2}},
                                           {5, {3, 1, 4, 2}},
                                           {6, {1, 3, 4, 2}},
                                           {7, {2, 4, 3, 1}}}) {
        Make(4);
        for (int s = 1; s <= 4; ++s) {
            auto& r = State().SpriteTable(s);
            r.Y = ys[s - 1];
            r.Height = heights[s - 1];
            r.X = xs[s - 1];
            r.ID1 = ids[s - 1];
            r.Scaled = scales[s - 1];
        }
        sprite.Sort(c.key, 50);
        EXPECT_EQ(Order(), c.sorted) << "key " << c.key;
    }
}

TEST_F(SpriteOrderTest, SortRefusesBadKeysShortListsAndEqualKeys) {
    Make(3);
    State().SortCursor = 2;
    sprite.Sort(8, 5);
    sprite.Sort(-1, 5);
    sprite.Sort(1, 0);
    EXPECT_EQ(State().SortCursor, 2);  // the cursor did not move
    sprite.Sort(1, 10);                // every Y is 0: equal keys never swap
    EXPECT_EQ(Order(), (std::vector<int>{3, 2, 1}));
    // One sprite, or none: nothing to compare, nothing read outside the list.
    Make(1);
    sprite.Sort(1, 5);
    EXPECT_EQ(Order(), (std::vector<int>{1}));
    sprite.Init(0);
    sprite.Sort(1, 5);
    sprite.SortScaled();
    EXPECT_TRUE(Order().empty());
}

TEST_F(SpriteOrderTest, SortScaledIsAFullSortThatRestartsTheCursor) {
    Make(5);
    const float scales[] = {3, 1, 5, 2, 4};
    for (int s = 1; s <= 5; ++s) sprite.Scaled(s, scales[s - 1]);
    sprite.SortScaled();
    EXPECT_EQ(Order(), (std::vector<int>{2, 4, 1, 5, 3}));
    EXPECT_EQ(State().SortCursor, 6);
    sprite.Sort(1, 1);
    EXPECT_EQ(State().SortCursor, 2);
}

}  // namespace
