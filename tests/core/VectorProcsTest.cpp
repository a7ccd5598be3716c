// The vector and colour helpers of the drawing primitives.
#include "core/VectorProcs.h"

#include <gtest/gtest.h>

namespace {

TEST(VectorProcs, VectorsAddInterpolateAndNormalise) {
    const plm::Vec2 a{1, 2}, b{5, -6};
    plm::Vec2 sum = plm::Vec2Add(a, b), mid = plm::Vec2Lerp(a, b, 0.25f), unit = plm::Vec2Normalize({3, -4});
    EXPECT_FLOAT_EQ(sum.x, 6);
    EXPECT_FLOAT_EQ(sum.y, -4);
    EXPECT_FLOAT_EQ(mid.x, 2);
    EXPECT_FLOAT_EQ(mid.y, 0);
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.y, -0.8f);

    const plm::Vec3 c = plm::Vec3Cross({1, 0, 0}, {0, 1, 0});
    EXPECT_FLOAT_EQ(c.z, 1);
    const plm::Vec3 d = plm::Vec3Subtract({1, 2, 3}, {4, 6, 8});
    const plm::Vec3 e = plm::Vec3Lerp({0, 10, -2}, {4, 20, 2}, 0.5f);
    const plm::Vec3 n = plm::Vec3Normalize({0, 0, -7});
    EXPECT_FLOAT_EQ(d.x, -3); EXPECT_FLOAT_EQ(d.y, -4); EXPECT_FLOAT_EQ(d.z, -5);
    EXPECT_FLOAT_EQ(e.x, 2); EXPECT_FLOAT_EQ(e.y, 15); EXPECT_FLOAT_EQ(e.z, 0);
    EXPECT_FLOAT_EQ(n.z, -1);

    // A zero vector has no direction: it stays zero instead of becoming NaN.
    const plm::Vec2 z2 = plm::Vec2Normalize({0, 0});
    const plm::Vec3 z3 = plm::Vec3Normalize({0, 0, 0});
    EXPECT_EQ(z2.x, 0); EXPECT_EQ(z2.y, 0);
    EXPECT_EQ(z3.x, 0); EXPECT_EQ(z3.y, 0); EXPECT_EQ(z3.z, 0);
}

TEST(VectorProcs, ColourFromFractionsRoundsAndLimitsEachChannel) {
    struct Case {
        float r, g, b, a;
        uint32_t want;
    };
    const Case cases[] = {{1, 1, 1, 1, 0xFFFFFFFFu},
                          {128 / 255.0f, 0, 64 / 255.0f, 0.5f, 0x80800040u},  // 127.5 rounds to even 128
                          {1.5f, -0.2f, 0, 2, 0xFFFF0000u},                   // limited, not carried
                          {0.2f, 0.4f, 0.6f, 0, 0x00336699u}};
    for (const Case& c : cases) EXPECT_EQ(plm::ColorFromFractions(c.r, c.g, c.b, c.a), c.want) << std::hex << c.want;
}

}  // namespace
