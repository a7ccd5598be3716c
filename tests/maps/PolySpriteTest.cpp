// Textured quads on the recording device: the table Init makes, corners and colours, the calls
// around a draw, and the grid of cells with its texture coordinates.
#include "maps/PolySprite.h"

#include "PrimitiveFixture.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class PolySpriteTest : public plmtest::PrimitiveTest {
protected:
    void SetUp() override {
        PrimitiveTest::SetUp();
        poly.Init(4);
    }
    // Quad i as a rectangle (0, 0)-(100, 40) of a 64 x 64 source at (0, 0) of the 128 x 64 texture.
    void Rectangle(int i, int quality) {
        poly.SetTexture(i, 1, 0, 0, 64, 64, quality, true);
        poly.SetXY(i, 1, 0, 0);
        poly.SetXY(i, 2, 100, 0);
        poly.SetXY(i, 3, 0, 40);
        poly.SetXY(i, 4, 100, 40);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const std::string& line : rec->Lines()) out.push_back(line.substr(0, line.find(", (")));
        return out;
    }

    plm::PolySprite poly;
};

void ExpectVertex(const pf::ScreenVertex& v, float x, float y, float u, float tv, const char* what) {
    EXPECT_FLOAT_EQ(v.x, x) << what;
    EXPECT_FLOAT_EQ(v.y, y) << what;
    EXPECT_FLOAT_EQ(v.tu, u) << what;
    EXPECT_FLOAT_EQ(v.tv, tv) << what;
    EXPECT_EQ(v.rhw, 1.0f) << what;
}

TEST_F(PolySpriteTest, InitMakesAtLeastOneOpaqueWhiteDisabledQuad) {
    for (int total : {0, -5}) {
        poly.Init(total);
        EXPECT_EQ(poly.Alpha(1), 255) << total;
        EXPECT_EQ(poly.PolyQuality(1), 0);
        EXPECT_FALSE(poly.Enabled(1));
        EXPECT_EQ(poly.Alpha(2), 0) << "only one quad";
    }
    poly.Init(3);
    poly.Enabled(3, true);
    poly.data(3, 10, 7.5f);
    // A total past the cap is refused with a log line, and the table stays.
    poly.Init(70000);
    EXPECT_NE(LogText().find("Total passed to PolySprite.Init not between 1-65536."), std::string::npos);
    EXPECT_TRUE(poly.Enabled(3));
    EXPECT_EQ(poly.data(3, 10), 7.5f);
    // A second Init gives fresh rows.
    poly.Init(3);
    EXPECT_FALSE(poly.Enabled(3));
    EXPECT_EQ(poly.data(3, 10), 0);
}

TEST_F(PolySpriteTest, CornersAreKeptAsSetAndDrawnRoundedDown) {
    poly.SetXY(1, 2, 2.7f, -0.2f);
    EXPECT_FLOAT_EQ(poly.X(1, 2), 2.7f);
    EXPECT_FLOAT_EQ(poly.Y(1, 2), -0.2f);
    // Corners and data slots outside their arrays, and quads outside the table, are ignored.
    poly.X(1, 0, 9);
    poly.X(1, 5, 9);
    poly.Y(1, 5, 9);
    poly.SetXY(9, 1, 9, 9);
    poly.data(1, 0, 9);
    poly.data(1, 11, 9);
    EXPECT_EQ(poly.X(1, 5), 0);
    EXPECT_EQ(poly.data(1, 11), 0);
    EXPECT_EQ(poly.X(9, 1), 0);
    poly.SetTexture(1, 1, 0, 0, 64, 64, 1, true);
    poly.Render(1);
    auto p = Prims();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_FLOAT_EQ(p[0].vertices[1].x, 2);
    EXPECT_FLOAT_EQ(p[0].vertices[1].y, -1);

    // AddToPos adds once, or per millisecond with WithDelta; the drawn corner follows.
    State().Delta = 10;
    poly.AddToPos(1, 0.5f, -1, false);
    EXPECT_FLOAT_EQ(poly.X(1, 2), 3.2f);
    poly.AddToPos(1, 0.5f, 0.25f, true);
    EXPECT_FLOAT_EQ(poly.X(1, 2), 8.2f);
    EXPECT_FLOAT_EQ(poly.Y(1, 2), 1.3f);
    EXPECT_FLOAT_EQ(poly.X(1, 1), 5.5f);
    rec->ClearCalls();
    poly.Render(1);
    EXPECT_FLOAT_EQ(Prims().at(0).vertices[1].x, 8);
    EXPECT_FLOAT_EQ(Prims().at(0).vertices[1].y, 1);
}

TEST_F(PolySpriteTest, AlphaAndTintKeepEachOtherInTheColour) {
    poly.SetRGB(1, 255, 128, 0);
    poly.Alpha(1, 64);
    poly.Alpha(2, 64);
    poly.SetRGB(2, 255, 128, 0);
    poly.SetRGB(3, 300, -1, 0);  // limited per channel
    for (int i : {1, 2, 3}) Rectangle(i, 1);
    poly.RenderAll();
    auto p = Prims();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].vertices[0].diffuse, 0x40FF8000u);
    EXPECT_EQ(p[1].vertices[3].diffuse, 0x40FF8000u);
    EXPECT_EQ(p[2].vertices[0].diffuse, 0xFFFF0000u);
}

TEST_F(PolySpriteTest, RenderPausesTheBatchEvenWhenNothingIsDrawn) {
    // Quality 0: the texture is set, nothing drawn, and the batch still ends and begins again.
    State().BlendSrcCache = 5, State().BlendDestCache = 6;
    Rectangle(1, 0);
    poly.Render(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"SpriteEnd()", "SetTextureStageState(0, 4, 4)", "SetRenderState(19, 5)",
                                                 "SetRenderState(20, 6)", "SetTexture(0, " + std::to_string(tex) + ")",
                                                 "SetVertexShader(0x144)", "SetTextureStageState(0, 4, 2)",
                                                 "SpriteBegin()"}));
    EXPECT_EQ(State().BlendSrcCache, -1);
    EXPECT_EQ(State().BlendDestCache, -1);

    // A disabled quad, or one outside the table, is not even paused for.
    rec->ClearCalls();
    poly.Enabled(1, false);
    poly.Render(1);
    poly.Render(0);
    poly.Render(5);
    EXPECT_TRUE(rec->Calls().empty());

    // A quad whose slot holds no texture draws nothing, and the batch is begun again all the same.
    poly.SetTexture(2, 2, 0, 0, 64, 64, 1, true);
    poly.Render(2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"SpriteEnd()", "SetTextureStageState(0, 4, 4)",
                                                 "SetTextureStageState(0, 4, 2)", "SpriteBegin()"}));
}

TEST_F(PolySpriteTest, RenderAllDrawsTheEnabledQuadsInOnePause) {
    Rectangle(1, 1);
    Rectangle(3, 2);
    poly.SetRenderState(3, 5, 2);
    Rectangle(4, 1);
    poly.Enabled(4, false);
    poly.RenderAll();
    EXPECT_EQ(rec->Count(pf::CallKind::SpriteEnd), 1u);
    EXPECT_EQ(rec->Count(pf::CallKind::SpriteBegin), 1u);
    EXPECT_EQ(Prims().size(), 5u);  // 1 + 2 x 2 cells
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)", "SetRenderState(20, 2)"}));
    // Nothing enabled: the pause happens all the same.
    rec->ClearCalls();
    for (int i = 1; i <= 4; ++i) poly.Enabled(i, false);
    poly.RenderAll();
    EXPECT_EQ(Names(), (std::vector<std::string>{"SpriteEnd()", "SetTextureStageState(0, 4, 4)",
                                                 "SetTextureStageState(0, 4, 2)", "SpriteBegin()"}));
}

TEST_F(PolySpriteTest, QualityOneIsOneStripOfTheFourCorners) {
    Rectangle(1, 1);
    poly.Render(1);
    auto p = Prims();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].ints[0], 5);
    EXPECT_EQ(p[0].ints[1], 2);
    // A 64 x 64 source at (0, 0) of the 128 x 64 texture: u 0 .. 0.5, v 0 .. 1.
    ExpectVertex(p[0].vertices[0], 0, 0, 0, 0, "corner 1");
    ExpectVertex(p[0].vertices[1], 100, 0, 0.5f, 0, "corner 2");
    ExpectVertex(p[0].vertices[2], 0, 40, 0, 1, "corner 3");
    ExpectVertex(p[0].vertices[3], 100, 40, 0.5f, 1, "corner 4");
}

TEST_F(PolySpriteTest, HigherQualitiesInterpolateAGridOfCells) {
    Rectangle(1, 4);
    poly.Render(1);
    auto p = Prims();
    ASSERT_EQ(p.size(), 16u);
    // Cell i = 1 (along corner 1 -> 2), j = 2 (towards corners 3, 4): s 0.25 .. 0.5, t 0.5 .. 0.75.
    const auto& cell = p[1 * 4 + 2].vertices;
    ExpectVertex(cell[0], 25, 20, 0.125f, 0.5f, "w0");
    ExpectVertex(cell[1], 50, 20, 0.25f, 0.5f, "w1");
    ExpectVertex(cell[2], 25, 30, 0.125f, 0.75f, "w2");
    ExpectVertex(cell[3], 50, 30, 0.25f, 0.75f, "w3");

    // A deformed quad: its points are bilinear between the corners, not rounded.
    rec->ClearCalls();
    poly.SetXY(1, 4, 121, 81);
    poly.PolyQuality(1, 2);
    poly.Render(1);
    p = Prims();
    ASSERT_EQ(p.size(), 4u);
    // (0.5, 0.5): halfway between (50, 0) and (60.5, 60.5).
    ExpectVertex(p[0].vertices[3], 55.25f, 30.25f, 0.25f, 0.5f, "centre");
    ExpectVertex(p[3].vertices[3], 121, 81, 0.5f, 1, "corner 4");
}

TEST_F(PolySpriteTest, RenderQuadDrawsFromItsArgumentsAlone) {
    plm::PolySprite fresh;  // no Init
    fresh.RenderQuad(1, 32, 16, 64, 32, 10.5f, 20.5f, 110.9f, 20, 10, 60, 110, 60.2f, 128, 255, 0, 0, 1, 2, 1);
    auto p = Prims();
    ASSERT_EQ(p.size(), 1u);
    ExpectVertex(p[0].vertices[0], 10, 20, 0.25f, 0.25f, "corner 1");
    ExpectVertex(p[0].vertices[1], 110, 20, 0.75f, 0.25f, "corner 2");
    ExpectVertex(p[0].vertices[3], 110, 60, 0.75f, 0.75f, "corner 4");
    EXPECT_EQ(p[0].vertices[0].diffuse, 0x80FF0000u);
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 2)", "SetRenderState(20, 1)"}));
    EXPECT_EQ(rec->Count(pf::CallKind::SpriteBegin), 1u);
    EXPECT_EQ(State().BlendSrcCache, -1);
}

}  // namespace
