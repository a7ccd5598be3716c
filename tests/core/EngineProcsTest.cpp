#include "core/EngineProcs.h"

#include <cmath>
#include <map>

#include "EngineFixture.h"
#include "core/Convert.h"
#include "core/EngineState.h"

namespace {

using plmtest::EngineTest;

TEST(Convert, ThreeConversions) {
    EXPECT_EQ(plm::Int(-1.5), -2);
    EXPECT_EQ(plm::Int(1.99), 1);
    EXPECT_EQ(plm::RoundHalfEven(2.5), 2);
    EXPECT_EQ(plm::RoundHalfEven(3.5), 4);
    EXPECT_EQ(plm::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(plm::IntDiv(-7, 2), -3);
    EXPECT_EQ(plm::Mod(-7, 3), -1);
    EXPECT_EQ(plm::ModPositive(-7, 3), 2);
    EXPECT_EQ(plm::IntDiv(5, 0), 0);
    EXPECT_EQ(plm::Int(1e20), INT32_MAX);
}

TEST_F(EngineTest, AngleTablesAtTheirEdges) {
    plm::BuildAngleTables();
    auto& s = plm::State();
    const float pi = s.Pi;
    struct Row {
        int i;
        float rad;    // DegreeToRadTable
        float math;   // DegreeToMathTable
        int wrap;     // AngleWrapTable
    };
    for (Row r : {Row{0, 0, 90, 0}, Row{90, 270 * pi / 180, 0, 90}, Row{359, 1 * pi / 180, 91, 359},
                  Row{360, 0, 90, 0}, Row{719, 1 * pi / 180, 91, 359}, Row{720, 0, 90, 0}}) {
        EXPECT_NEAR(s.DegreeToRadTable[r.i], r.rad, 1e-6) << r.i;
        EXPECT_FLOAT_EQ(s.DegreeToMathTable[r.i], r.math) << r.i;
        EXPECT_EQ(s.AngleWrapTable[r.i], r.wrap) << r.i;
    }
    // Every math-table entry is a valid index of the radian table.
    for (float v : s.DegreeToMathTable) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 720);
    }
    std::map<int, int> dir = {{0, 0}, {22, 0}, {23, 1}, {45, 1}, {67, 1}, {68, 2}, {90, 2},
                              {180, 4}, {270, 6}, {337, 7}, {338, 0}, {359, 0}, {360, 0}};
    for (auto [a, code] : dir) EXPECT_EQ(s.AngleToDirectionTable[a], code) << a;
}

TEST_F(EngineTest, AngleBetweenPointsFollowsTheFormula) {
    struct Row {
        float x1, y1, x2, y2, want;
    };
    // Engine convention: 0/360 up, 90 right, 180 down, 270 left (y grows downwards).
    for (Row r : {Row{0, 0, 10, 0, 90}, Row{0, 0, 0, 10, 180}, Row{0, 0, -10, 0, 270}, Row{0, 0, 0, -10, 360},
                  Row{0, 0, 10, -10, 45}, Row{0, 0, 10, 10, 135}, Row{0, 0, -10, 10, 225}, Row{0, 0, -10, -10, 315},
                  Row{5, 5, 5, 5, 180},
                  // A hair off the axis (the noise of a direction vector) still gives the whole angle.
                  Row{0, 2.2e-7f, 800, 0, 90}, Row{0, -2.2e-7f, 800, 0, 90}, Row{2.2e-7f, 0, 0, 800, 180},
                  Row{-2.2e-7f, 0, 0, 800, 180}, Row{0, -2.2e-7f, -800, 0, 270}, Row{0, 2.2e-7f, -800, 0, 270},
                  Row{2.2e-7f, 0, 0, -800, 360}, Row{-2.2e-7f, 0, 0, -800, 360}}) {
        EXPECT_FLOAT_EQ(plm::AngleBetweenPoints(r.x1, r.y1, r.x2, r.y2), r.want)
            << r.x1 << "," << r.y1 << " -> " << r.x2 << "," << r.y2;
    }
}

TEST_F(EngineTest, DirectionFromAngleWritesRxRy) {
    plm::BuildAngleTables();
    auto& s = plm::State();
    plm::DirectionFromAngle(0, 2);
    EXPECT_NEAR(s.Rx, 0, 1e-5);
    EXPECT_NEAR(s.Ry, -2, 1e-5);
    plm::DirectionFromAngle(90, 2);
    EXPECT_NEAR(s.Rx, 2, 1e-5);
    EXPECT_NEAR(s.Ry, 0, 1e-5);
    plm::DirectionFromAngle(450, 1);  // wraps to 90
    EXPECT_NEAR(s.Rx, 1, 1e-5);
    plm::DirectionFromAngle(-30, 1);  // clamped to 0
    EXPECT_NEAR(s.Ry, -1, 1e-5);
    plm::DirectionFromAngle(1000, 1);  // clamped to 720 = 0
    EXPECT_NEAR(s.Ry, -1, 1e-5);
}

TEST(Overlap, BoxesCirclesAndDistance) {
    // Whole-pixel boxes: a 10-wide box at 0 covers 0..9, so a box at 9 touches and one at 10 does not.
    EXPECT_TRUE(plm::BoxesOverlap(0, 0, 10, 10, 9, 9, 5, 5));
    EXPECT_FALSE(plm::BoxesOverlap(0, 0, 10, 10, 10, 0, 5, 5));
    EXPECT_FALSE(plm::BoxesOverlap(0, 0, 10, 10, 0, 10, 5, 5));
    EXPECT_TRUE(plm::CirclesOverlap(0, 0, 5, 10, 0, 5));   // touching counts
    EXPECT_FALSE(plm::CirclesOverlap(0, 0, 5, 10.1f, 0, 5));
    EXPECT_TRUE(plm::CircleOverlapsBox(-3, 5, 3, 0, 0, 10, 10));
    EXPECT_FALSE(plm::CircleOverlapsBox(-3.5f, 5, 3, 0, 0, 10, 10));
    EXPECT_TRUE(plm::CircleOverlapsBox(5, 5, 0, 0, 0, 10, 10));  // centre inside
    EXPECT_FLOAT_EQ(plm::PointDistance(0, 0, 3, 4), 5);
}

TEST_F(EngineTest, RandomSequenceRangesWithAFixedSeed) {
    plm::RandomizeSeed(7);
    std::vector<float> first;
    for (int i = 0; i < 5; ++i) first.push_back(plm::RandomNumber());
    plm::RandomizeSeed(7);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(plm::RandomNumber(), first[i]);

    int lo = 100, hi = -100;
    for (int i = 0; i < 20000; ++i) {
        float r = plm::RandomNumber();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        int v = plm::RandomInRange(-3, 4);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        EXPECT_EQ(plm::RandomInRange(3, 3), 3);
    }
    EXPECT_EQ(lo, -3);
    EXPECT_EQ(hi, 4);

    int hits = 0;
    for (int i = 0; i < 10000; ++i) hits += plm::RandomChance(25) ? 1 : 0;
    EXPECT_NEAR(hits, 2500, 250);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(plm::RandomChance(0));
        EXPECT_TRUE(plm::RandomChance(100));
    }
}

TEST_F(EngineTest, BusyWaitSpinsOnTheClock) {
    clock->SetStepPerRead(1);
    uint32_t before = clock->Peek();
    plm::BusyWait(25);
    EXPECT_GE(clock->Peek() - before, 25u);
    before = clock->Peek();
    plm::BusyWait(0);
    plm::BusyWait(-5);
    EXPECT_LE(clock->Peek() - before, 2u);
    // A clock about to wrap does not make the wait endless.
    clock->Set(0xFFFFFFF0u);
    plm::BusyWait(40);
    SUCCEED();
}

TEST_F(EngineTest, SmallHelpers) {
    plm::FillFrameTimes(50);
    for (int v : plm::State().FrameTimes) EXPECT_EQ(v, 20);
    plm::FillFrameTimes(30);
    EXPECT_EQ(plm::State().FrameTimes[9], 33);

    EXPECT_EQ(plm::FileNameFromPath("C:\\games\\t1.png"), "t1.png");
    EXPECT_EQ(plm::FileNameFromPath("plain.txt"), "plain.txt");
    EXPECT_EQ(plm::FileNameFromPath(""), "");

    EXPECT_EQ(plm::MakeColorARGB(255, 255, 0, 128), 0xFFFF0080u);
    EXPECT_EQ(plm::MakeColorARGB(2.5f, 3.5f, 0, 0), 0x02040000u);  // halves to even
    EXPECT_EQ(plm::MakeColorARGB(300, -20, 0, 0), 0xFF000000u);    // limited to 0..255

    plmtest::WriteFile(folder.file("one.bin"), "x");
    plmtest::WriteFile(folder.file("two.bin"), "xy");
    EXPECT_FALSE(plm::FileHasData(folder.file("one.bin")));
    EXPECT_TRUE(plm::FileHasData(folder.file("two.bin")));
    EXPECT_FALSE(plm::FileHasData(folder.file("missing.bin")));
    EXPECT_FALSE(plm::FileHasData(folder.path()));  // a folder is not a file
}

}  // namespace
