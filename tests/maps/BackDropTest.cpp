// Backdrops: the piece grid's positions, centred, scaled and slanted; the texture slot of each
// piece; colours; the refusals of Configure and the limits of the table.
#include "SceneryFixture.h"
#include "maps/BackDrop.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class BackDropTest : public plmtest::SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        for (int slot = 3; slot <= 6; ++slot) surfaces[slot] = Load(slot, 256, 256);
        surfaces[1] = Load(1, 256, 128);
        surfaces[8] = Load(8, 256, 256);
    }
    std::vector<std::pair<float, float>> Corners() const {
        std::vector<std::pair<float, float>> out;
        for (const auto& d : Draws()) out.emplace_back(d.translation.x, d.translation.y);
        return out;
    }
    using Corners_t = std::vector<std::pair<float, float>>;
    pf::SurfaceId surfaces[9] = {};
    plm::BackDrop back;
};

TEST_F(BackDropTest, ATwoByTwoGridIsCentredPieceByPieceFromConsecutiveSlots) {
    back.SetXY(1, 400, 300);
    back.Configure(1, 3, 2, 2, 255, 255, 255, 255, 1, 1, 0, false, 1);
    EXPECT_EQ(back.Width(1), 512);
    EXPECT_EQ(back.Height(1), 512);
    device->ClearCalls();
    back.Render(1);
    auto d = Draws();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(Corners(), (Corners_t{{144, 44}, {400, 44}, {144, 300}, {400, 300}}));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(d[k].texture, surfaces[3 + k]);
        EXPECT_EQ(d[k].src.left, 0);
        EXPECT_EQ(d[k].src.right, 256);
        EXPECT_EQ(d[k].src.bottom, 256);
        EXPECT_EQ(d[k].matrix.m[0][0], 1);
        EXPECT_EQ(d[k].matrix.m[1][1], 1);
        EXPECT_EQ(d[k].matrix.m[3][3], 1);
        EXPECT_EQ(d[k].color, 0xFFFFFFFFu);
    }
    EXPECT_EQ(RenderStates(), (std::vector<std::pair<int64_t, int64_t>>{{19, 5}, {20, 6}}));
}

TEST_F(BackDropTest, ScaledSlantedAndTopLeftGridsPlaceEachPieceByWholePixelSteps) {
    struct Case {
        int texture, addAmount;
        float x, y, xScale, yScale, skew;
        bool topLeft;
        Corners_t corners;
    };
    for (const Case& c : std::vector<Case>{
             // Top-left: whole pixels of the position; steps Int(0.5 x 256) = 128 and Int(1.5 x 256).
             {3, 1, 10.7f, 20.2f, 0.5f, 1.5f, 0, true, {{10, 20}, {138, 20}, {10, 404}, {138, 404}}},
             // 256 x 128 pieces slanted 0.5: each row starts 64 pixels further right. Centred:
             // Int(400 - 256) - Int(0.5 x 256 / 2) = 80, Int(300 - 128) = 172.
             {1, 0, 400, 300, 1, 1, 0.5f, false, {{80, 172}, {336, 172}, {144, 300}, {400, 300}}},
             // Centred at half size: 400 - 128 = 272.
             {3, 1, 400, 300, 0.5f, 0.5f, 0, false, {{272, 172}, {400, 172}, {272, 300}, {400, 300}}},
         }) {
        back.SetXY(2, c.x, c.y);
        back.Configure(2, c.texture, 2, 2, 255, 255, 255, 255, c.xScale, c.yScale, c.skew, c.topLeft, c.addAmount);
        device->ClearCalls();
        back.Render(2);
        EXPECT_EQ(Corners(), c.corners) << c.texture << " " << c.skew;
        auto d = Draws();
        ASSERT_EQ(d.size(), 4u);
        EXPECT_EQ(d[0].matrix.m[1][0], c.skew);
        EXPECT_EQ(d[0].matrix.m[0][0], c.xScale);
        EXPECT_EQ(d[0].matrix.m[1][1], c.yScale);
        EXPECT_EQ(d[0].matrix.m[0][1], 0);
        if (c.addAmount == 0)
            for (const auto& p : d) EXPECT_EQ(p.texture, surfaces[c.texture]);  // every piece repeats it
        EXPECT_EQ(back.Width(2), 512);                                          // unscaled whatever the scales
    }
}

TEST_F(BackDropTest, PiecesWhoseSlotIsEmptyOrPastTheTableAreSkipped) {
    // Slots 7 (empty), 8, then 9 and 10 past the eight-slot table.
    back.Configure(1, 8, 2, 2, 255, 255, 255, 255, 1, 1, 0, true, 1);
    back.Configure(1, 7, 2, 2, 255, 255, 255, 255, 1, 1, 0, true, 1);  // slot 7 empty: refused
    EXPECT_EQ(State().BackDropTable(1).Texture, 8);
    State().BackDropTable(1).Texture = 7;
    device->ClearCalls();
    back.Render(1);
    auto d = Draws();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].texture, surfaces[8]);
    EXPECT_EQ(d[0].translation.x, 256);
    // Steps that leave the 32-bit range, and a slot counting down past 1.
    back.Configure(1, 8, 3, 3, 255, 255, 255, 255, 1, 1, 0, true, 2147483647);
    back.Render(1);
    back.Configure(1, 5, 3, 3, 255, 255, 255, 255, 1, 1, 0, true, -2);
    device->ClearCalls();
    back.Render(1);
    d = Draws();
    ASSERT_EQ(d.size(), 3u);  // slots 5, 3 and 1; the six pieces after them fall below slot 1
    EXPECT_EQ(d[2].texture, surfaces[1]);
}

TEST_F(BackDropTest, ConfigureRefusesAnEmptySlotWithItsErrorBlockAndIndexesOutsideTheTable) {
    back.SetXY(1, 50, 60);
    back.Configure(1, 3, 2, 2, 200, 1, 2, 3, 1, 1, 0, true, 1);
    const plm::BackDropRecord before = State().BackDropTable(1);
    back.Configure(1, 7, 5, 5, 10, 10, 10, 10, 3, 3, 1, false, 0);
    back.Configure(1, 99, 5, 5, 10, 10, 10, 10, 3, 3, 1, false, 0);
    const plm::BackDropRecord& after = State().BackDropTable(1);
    EXPECT_EQ(after.Texture, before.Texture);
    EXPECT_EQ(after.TotalWidth, 512);
    EXPECT_EQ(after.Color, before.Color);
    EXPECT_EQ(after.X, 50);
    auto log = Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(plmtest::Undated(log[0]), "<bare>--------------------------------------");
    EXPECT_EQ(plmtest::Undated(log[1]), "Error: (BackDrop.Configure)");

    const std::string logBefore = LogText();
    for (int i : {0, 65, -1}) {
        back.Configure(i, 3, 2, 2, 255, 255, 255, 255, 1, 1, 0, true, 1);
        back.X(i, 5);
        back.Render(i);
        EXPECT_EQ(back.X(i), 0);
        EXPECT_EQ(back.Width(i), 0);
    }
    EXPECT_EQ(LogText(), logBefore);  // silently
}

TEST_F(BackDropTest, ColourFollowsAlphaAndTintAndScaleLetsRaiseNegativesToZero) {
    back.Configure(1, 3, 1, 1, 128.9f, 10.5f, 20, 30, -2, 1, 0, true, 1);
    EXPECT_EQ(State().BackDropTable(1).Color, 0x800A141Eu);
    EXPECT_EQ(back.XScaled(1), -2);  // Configure stores its scales as given
    back.SetRGB(1, 255, 0, 1);
    back.Alpha(1, 64);
    EXPECT_EQ(State().BackDropTable(1).Color, 0x40FF0001u);
    EXPECT_EQ(back.GetRGB(1).Blue, 1);
    back.XScaled(1, -1);
    back.YScaled(1, -0.5f);
    EXPECT_EQ(back.XScaled(1), 0);
    EXPECT_EQ(back.YScaled(1), 0);
    back.XSkew(1, -0.25f);
    EXPECT_EQ(back.XSkew(1), -0.25f);
}

TEST_F(BackDropTest, SizesThatLeaveTheThirtyTwoBitRangeAreHeldToIt) {
    back.Configure(1, 3, 2147483647, -2147483647 - 1, 255, 255, 255, 255, 1, 1, 0, true, 0);
    EXPECT_EQ(back.Width(1), 2147483647);
    EXPECT_EQ(back.Height(1), -2147483647 - 1);
    device->ClearCalls();
    back.Render(1);  // no rows
    EXPECT_TRUE(Draws().empty());
}

}  // namespace
