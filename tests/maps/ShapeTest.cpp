// Shapes on the recording device: the calls around a run of shapes, and each shape's primitive,
// vertices, corners, colours and texture coordinates.
#include "maps/Shape.h"

#include <cmath>

#include "PrimitiveFixture.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class ShapeTest : public plmtest::PrimitiveTest {
protected:
    plm::Shape shape;
};

void ExpectAt(const pf::ScreenVertex& v, float x, float y, const char* what) {
    EXPECT_FLOAT_EQ(v.x, x) << what;
    EXPECT_FLOAT_EQ(v.y, y) << what;
    EXPECT_EQ(v.z, 0.0f) << what;
    EXPECT_EQ(v.rhw, 1.0f) << what;
}

void ExpectUV(const pf::ScreenVertex& v, float u, float tv, const char* what) {
    EXPECT_FLOAT_EQ(v.tu, u) << what;
    EXPECT_FLOAT_EQ(v.tv, tv) << what;
}

TEST_F(ShapeTest, ARunOfShapesEndsTheBatchAndBeginsItAgain) {
    // The cached factors equal the ones asked for: ending the batch put back what it found, so
    // they are sent all the same.
    State().BlendSrcCache = 5, State().BlendDestCache = 6;
    shape.ShapeStart(5, 6);
    EXPECT_EQ(State().BlendSrcCache, 5);
    EXPECT_EQ(State().BlendDestCache, 6);
    shape.RenderRectangle(10, 20, 30, 40, 255, 255, 255, 255, true, false);
    shape.ShapeEnd();
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 9u);
    lines[6] = lines[6].substr(0, lines[6].find(','));  // the draw's vertices are checked elsewhere
    EXPECT_EQ(lines,
              (std::vector<std::string>{"SpriteEnd()", "SetTextureStageState(0, 4, 4)", "SetRenderState(19, 5)",
                                        "SetRenderState(20, 6)", "SetTexture(0, 0)", "SetVertexShader(0x144)",
                                        "DrawPrimitiveUP(type=5", "SetTextureStageState(0, 4, 2)", "SpriteBegin()"}));
    EXPECT_EQ(State().BlendSrcCache, -1);
    EXPECT_EQ(State().BlendDestCache, -1);
}

TEST_F(ShapeTest, WidthOneDrawsALineListAndAnyOtherWidthABand) {
    struct Case {
        float width;
        int type, count;
        size_t vertices;
    };
    const Case cases[] = {{1.0f, 2, 1, 2}, {0.999f, 5, 2, 4}, {1.001f, 5, 2, 4}, {0.0f, 5, 2, 4}, {6.0f, 5, 2, 4}};
    for (const Case& c : cases) {
        rec->ClearCalls();
        shape.RenderLine(10.9f, -0.5f, 40.2f, -0.5f, c.width, 255, 255, 255, 255, false);
        auto p = Prims();
        ASSERT_EQ(p.size(), 1u) << c.width;
        EXPECT_EQ(p[0].ints[0], c.type) << c.width;
        EXPECT_EQ(p[0].ints[1], c.count) << c.width;
        EXPECT_EQ(p[0].vertices.size(), c.vertices) << c.width;
    }
    // The thin line: corners floored (10.9 -> 10, -0.5 -> -1), texture corner to corner.
    rec->ClearCalls();
    shape.RenderLine(10.9f, -0.5f, 40.2f, 7.99f, 1.0f, 255, 255, 255, 255, false);
    auto p = Prims();
    ASSERT_EQ(p.size(), 1u);
    const auto& thin = p[0].vertices;
    ExpectAt(thin[0], 10, -1, "from");
    ExpectAt(thin[1], 40, 7, "to");
    ExpectUV(thin[0], 0, 0, "from");
    ExpectUV(thin[1], 1, 1, "to");
}

TEST_F(ShapeTest, ABandLiesHalfItsWidthEitherSideOfTheLine) {
    // Left to right along y = 20: the normal (d.y, -d.x) / |d| points up, A = 3 up, B = 3 down.
    shape.RenderLine(10, 20, 50, 20, 6, 255, 255, 255, 255, false);
    // A negative width swaps the sides.
    shape.RenderLine(10, 20, 50, 20, -6, 255, 255, 255, 255, false);
    // Top to bottom: (d.y, -d.x) / |d| = (1, 0), A points right.
    shape.RenderLine(5, 0, 5, 40, 2, 255, 255, 255, 255, false);
    auto p = Prims();
    ASSERT_EQ(p.size(), 3u);
    ExpectAt(p[0].vertices[0], 10, 17, "P1 + A");
    ExpectAt(p[0].vertices[1], 50, 17, "P2 + A");
    ExpectAt(p[0].vertices[2], 10, 23, "P1 + B");
    ExpectAt(p[0].vertices[3], 50, 23, "P2 + B");
    ExpectAt(p[1].vertices[0], 10, 23, "swapped P1 + A");
    ExpectAt(p[1].vertices[3], 50, 17, "swapped P2 + B");
    ExpectAt(p[2].vertices[0], 6, 0, "vertical P1 + A");
    ExpectAt(p[2].vertices[3], 4, 40, "vertical P2 + B");
    // Untextured bands take the unit square.
    ExpectUV(p[0].vertices[0], 0, 0, "A side");
    ExpectUV(p[0].vertices[3], 1, 1, "B side");
}

TEST_F(ShapeTest, AZeroLengthBandDrawsNothing) {
    shape.RenderLine(12.2f, 7, 12.7f, 7.5f, 4, 255, 255, 255, 255, false);  // both ends floor to (12, 7)
    EXPECT_TRUE(Prims().empty());
    shape.RenderLine(12, 7, 12, 7, 1.0f, 255, 255, 255, 255, false);  // a thin line of one point still draws
    EXPECT_EQ(Prims().size(), 1u);
}

TEST_F(ShapeTest, ColoursArePackedFromPartsOrTakenAsGiven) {
    shape.RenderLine(0, 0, 5, 5, 1, 128, 255, 0, 64, false);
    shape.RenderLineC(0, 0, 5, 5, 1, static_cast<int32_t>(0x12345678u), false);
    // Parts outside 0..255 are limited, not carried into the next channel.
    shape.RenderRectangle(0, 0, 5, 5, 300, -20, 255.4f, 127.5f, true, false);
    auto p = Prims();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].vertices[0].diffuse, 0x80FF0040u);
    EXPECT_EQ(p[1].vertices[1].diffuse, 0x12345678u);
    EXPECT_EQ(p[2].vertices[3].diffuse, 0xFF00FF80u);
}

TEST_F(ShapeTest, RectanglesOutlinedAndFilled) {
    shape.SetTexture(1, 0, 16, 100, 32);
    // Corners are used as given: nothing swaps them.
    shape.RenderRectangle(30.5f, 40.5f, 10.2f, -3.1f, 255, 255, 255, 255, false, true);
    shape.RenderRectangle(10.2f, 20.9f, 30.5f, 40.5f, 255, 255, 255, 255, true, true);
    auto p = Prims();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].ints[0], 3);
    EXPECT_EQ(p[0].ints[1], 4);
    const float outline[5][2] = {{30, 40}, {10, 40}, {10, -4}, {30, -4}, {30, 40}};
    for (size_t i = 0; i < 5; ++i) ExpectAt(p[0].vertices[i], outline[i][0], outline[i][1], "outline");
    EXPECT_EQ(p[1].ints[0], 5);
    EXPECT_EQ(p[1].ints[1], 2);
    const float filled[4][2] = {{10, 20}, {30, 20}, {10, 40}, {30, 40}};
    for (size_t i = 0; i < 4; ++i) ExpectAt(p[1].vertices[i], filled[i][0], filled[i][1], "filled");
    // A 100-pixel source at x 0 of a 128-pixel texture: u 0 .. 100/128; v 16/64 .. 48/64.
    ExpectUV(p[1].vertices[0], 0, 0.25f, "top-left");
    ExpectUV(p[1].vertices[3], 100.0f / 128, 0.75f, "bottom-right");
    // The outline is drawn untextured even with UseTexture; the filled one takes the slot's texture.
    auto textures = rec->LinesOf(pf::CallKind::SetTexture);
    EXPECT_EQ(textures, (std::vector<std::string>{"SetTexture(0, 0)", "SetTexture(0, " + std::to_string(tex) + ")"}));
}

TEST_F(ShapeTest, ATextureSlotWithoutATextureDrawsNothing) {
    for (int slot : {2, 0, 99}) {
        shape.SetTexture(slot, 0, 0, 16, 16);
        shape.RenderLine(0, 0, 10, 10, 3, 255, 255, 255, 255, true);
        shape.RenderRectangle(0, 0, 10, 10, 255, 255, 255, 255, true, true);
        shape.RenderCircle(20, 20, 5, 255, 255, 255, 255, true, true);
    }
    EXPECT_TRUE(Prims().empty());
    // Untextured draws do not look at the slot.
    shape.RenderRectangle(0, 0, 10, 10, 255, 255, 255, 255, true, false);
    EXPECT_EQ(Prims().size(), 1u);
}

TEST_F(ShapeTest, CircleQualityIsLimitedToItsTable) {
    EXPECT_EQ(shape.CircleQuality(), 5);
    const int cases[][2] = {{0, 1}, {-7, 1}, {1, 1}, {14, 14}, {22, 22}, {23, 22}};
    for (const auto& c : cases) {
        shape.CircleQuality(c[0]);
        EXPECT_EQ(shape.CircleQuality(), c[1]) << c[0];
    }
}

TEST_F(ShapeTest, CirclePointCountsFollowTheQuality) {
    struct Case {
        int quality;
        size_t outlinePoints, filledVertices;
        int segments;
    };
    const Case cases[] = {{1, 361, 362, 360}, {5, 73, 74, 72}, {14, 16, 17, 15}, {22, 4, 5, 3}};
    for (const Case& c : cases) {
        rec->ClearCalls();
        shape.CircleQuality(c.quality);
        shape.RenderCircle(100, 100, 20, 255, 255, 255, 255, false, false);
        shape.RenderCircle(100, 100, 20, 255, 255, 255, 255, true, false);
        auto p = Prims();
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[0].ints[0], 3) << c.quality;
        EXPECT_EQ(p[0].ints[1], c.segments) << c.quality;
        EXPECT_EQ(p[0].vertices.size(), c.outlinePoints) << c.quality;
        EXPECT_EQ(p[1].ints[0], 6) << c.quality;
        EXPECT_EQ(p[1].ints[1], c.segments) << c.quality;
        EXPECT_EQ(p[1].vertices.size(), c.filledVertices) << c.quality;
    }
}

TEST_F(ShapeTest, CirclePointsGoClockwiseFromPlusX) {
    shape.CircleQuality(22);
    // The centre is floored, the radius is not.
    shape.RenderCircle(50.7f, 60.2f, 10.5f, 255, 255, 255, 255, false, false);
    shape.RenderCircle(50.7f, 60.2f, 10.5f, 255, 255, 255, 255, true, false);
    auto p = Prims();
    ASSERT_EQ(p.size(), 2u);
    const float k = 0.0174532924f;
    auto at = [&](int degrees, float& x, float& y) {
        x = 50 + 10.5f * std::cos(degrees * k);
        y = 60 + 10.5f * std::sin(degrees * k);
    };
    float x, y;
    const int outline[] = {0, 120, 240, 360};
    for (size_t i = 0; i < 4; ++i) {
        at(outline[i], x, y);
        ExpectAt(p[0].vertices[i], x, y, "outline");
    }
    ExpectAt(p[0].vertices[0], 60.5f, 60, "0 degrees is +X");
    EXPECT_GT(p[0].vertices[1].y, 60) << "120 degrees lies below the centre on screen";
    ExpectAt(p[1].vertices[0], 50, 60, "fan centre");
    ExpectUV(p[1].vertices[0], 0.5f, 0.5f, "fan centre");
    const int fan[] = {1, 121, 241, 361};
    for (size_t i = 0; i < 4; ++i) {
        at(fan[i], x, y);
        ExpectAt(p[1].vertices[i + 1], x, y, "fan rim");
    }
}

TEST_F(ShapeTest, ATexturedDiscTakesTheEllipseInTheSourceRectangle) {
    shape.CircleQuality(21);             // 90 degrees: rim points at 1, 91, 181, 271, 361
    shape.SetTexture(1, 32, 0, 64, 32);  // u 0.25 .. 0.75, v 0 .. 0.5
    shape.RenderCircle(40, 40, 8, 255, 255, 255, 255, true, true);
    auto p = Prims();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].ints[1], 4);
    ExpectUV(p[0].vertices[0], 0.5f, 0.25f, "centre: middle of the rectangle");
    const float k = 0.0174532924f;
    const int rim[] = {1, 91, 181, 271, 361};
    for (size_t i = 0; i < 5; ++i) {
        const float c = std::cos(rim[i] * k), s = std::sin(rim[i] * k);
        ExpectUV(p[0].vertices[i + 1], 0.25f + 0.5f * (c / 2 + 0.5f), 0.5f * (s / 2 + 0.5f), "rim");
    }
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetTexture).at(0), "SetTexture(0, " + std::to_string(tex) + ")");
}

TEST_F(ShapeTest, WithoutADeviceNothingHappens) {
    State().D3DDevice.reset();
    shape.ShapeStart(5, 6);
    shape.RenderLine(0, 0, 10, 10, 3, 255, 255, 255, 255, false);
    shape.RenderCircle(0, 0, 10, 255, 255, 255, 255, true, false);
    shape.ShapeEnd();
    EXPECT_TRUE(rec->Calls().empty());
}

}  // namespace
