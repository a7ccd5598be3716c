// Clearing and scoring: a chain of clears with its multipliers and coloured popups, the combo
// window closing on its frame with the bonus texts, and the shard bursts of a clear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/BoardFixture.h"
#include "game/Scoring.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;
namespace pf = plm::platform;

class ScoringTest : public BoardTest {
protected:
    // The draws of the text faders' next frame at Delta 0, the faders emptied afterwards.
    std::vector<pf::Call> FaderDraws() {
        E().Delta(0);
        device->ClearCalls();
        E().FontFader()->Render();
        std::vector<pf::Call> draws = device->CallsOf(pf::CallKind::SpriteDraw);
        E().FontFader()->Init(20);
        return draws;
    }
    // The draws of one text added with the arguments given.
    std::vector<pf::Call> TextDraws(int font, const std::string& text, float x, float y, float spacing, float scale,
                                    float fade, float pause, float ydir, float ythrust, int r, int g, int b) {
        E().FontFader()->Add(font, text, x, y, spacing, scale, 0, fade, fade, pause, 0, ydir, 0, ythrust, 0,
                             static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
        return FaderDraws();
    }
    static void ExpectSameDraws(const std::vector<pf::Call>& got, const std::vector<pf::Call>& want) {
        ASSERT_EQ(got.size(), want.size());
        ASSERT_FALSE(want.empty());
        for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].ToString(), want[i].ToString()) << i;
    }
};

TEST_F(ScoringTest, AChainOfFiveClearsScoresWithItsMultipliersAndPaysItsBonus) {
    // Four runs side by side on the floor and a column of three above the last of them.
    Lay({"...........5", "...........5", "...........5", "111222333444"});
    G().Session.GemsLeft = 20;
    struct Step {
        int x, y;
        int points;
        std::string text;
        int r, g, b;
    };
    const std::vector<Step> steps{{6, 17, 30, "30", 255, 220, 100},
                                  {9, 17, 60, "60 X2", 125, 255, 125},
                                  {12, 17, 90, "90 X3", 125, 180, 255},
                                  {15, 17, 120, "120 X4", 255, 150, 255},
                                  {17, 17, 150, "150 X5", 255, 255, 80}};
    int score = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        Settle();
        Quiet();
        Click(s.x, s.y);
        score += s.points;
        EXPECT_EQ(G().Session.Score, score) << i;
        EXPECT_EQ(G().Scoring.Multiplier, static_cast<float>(i + 1));
        EXPECT_EQ(G().Scoring.ComboTimer, 1800);
        EXPECT_EQ(Playing(), std::set<int>{2});
        // The popup rises from one cell above the clicked cell's centre, in the next colour.
        const std::vector<pf::Call> popup = FaderDraws();
        ExpectSameDraws(popup, TextDraws(1, s.text, 32.0f * s.x + 16 + 20, 32.0f * s.y + 16 - 6 - 32, 1, 1, 0.4f, 500,
                                         -0.1f, 0.00005f, s.r, s.g, s.b));
        EXPECT_EQ(popup[0].color & 0xFFFFFFu, static_cast<uint32_t>(s.r << 16 | s.g << 8 | s.b));
        EXPECT_EQ(G().Fx.FireworksTimer, i == 4 ? 2000 : 0);
    }
    EXPECT_EQ(G().Session.GemsLeft, 20 - 15);
    EXPECT_EQ(G().Scoring.PopupColour, 5);

    // The window closes on the frame that takes the timer below 1: 1799 ms leave it at 1.
    E().Delta(1799);
    UpdateComboTimer();
    EXPECT_EQ(G().Scoring.Multiplier, 5);
    EXPECT_EQ(G().Session.Score, 450);
    EXPECT_TRUE(FaderDraws().empty());
    E().Delta(1);
    UpdateComboTimer();
    EXPECT_EQ(G().Scoring.Multiplier, 0);
    EXPECT_EQ(G().Scoring.ComboTimer, 0);
    EXPECT_EQ(G().Session.Score, 450 + 500);
    // "C" in font 3 and the bonus in font 2, rising at the board's middle.
    const std::vector<pf::Call> bonus = FaderDraws();
    std::vector<pf::Call> want = TextDraws(3, "C", 390 + 20, 280 - 6, 2, 1.5f, 0.2f, 1000, -0.025f, 0, 255, 255, 255);
    const std::vector<pf::Call> digits =
        TextDraws(2, "500", 385 + 20, 340 - 6, -2, 1.5f, 0.2f, 1000, -0.025f, 0, 255, 255, 255);
    want.insert(want.end(), digits.begin(), digits.end());
    ExpectSameDraws(bonus, want);

    // While no chain runs the timer stays at 0 and nothing more is paid.
    UpdateComboTimer();
    EXPECT_EQ(G().Session.Score, 950);
    EXPECT_TRUE(FaderDraws().empty());
}

TEST_F(ScoringTest, AChainOfFourPaysNoBonusAndAClearAfterTheWindowStartsAnew) {
    Lay({"111222333444"});
    for (int x : {6, 9, 12}) Click(x, 17);
    E().Delta(900);
    UpdateComboTimer();
    Click(15, 17);  // within the window: multiplier 4
    EXPECT_EQ(G().Session.Score, 30 + 60 + 90 + 120);
    E().Delta(1800);
    UpdateComboTimer();
    EXPECT_EQ(G().Scoring.Multiplier, 0);
    EXPECT_EQ(G().Session.Score, 300);
    Lay({"555........."});
    Click(6, 17);
    EXPECT_EQ(G().Session.Score, 330);
    EXPECT_EQ(G().Scoring.Multiplier, 1);
}

TEST_F(ScoringTest, ScoreMatchIgnoresClearsUnderThree) {
    G().Session.GemsLeft = 7;
    ScoreMatch(8, 10, 2);
    EXPECT_EQ(G().Session.Score, 0);
    EXPECT_EQ(G().Scoring.Multiplier, 0);
    EXPECT_EQ(G().Scoring.ComboTimer, 0);
    EXPECT_EQ(G().Session.GemsLeft, 7);
    EXPECT_TRUE(FaderDraws().empty());
    // A clear of twelve at multiplier 2 scores 3 x 10 x 12.
    G().Scoring.Multiplier = 2;
    ScoreMatch(8, 10, 12);
    EXPECT_EQ(G().Session.Score, 360);
    EXPECT_EQ(G().Session.GemsLeft, -5);
}

TEST_F(ScoringTest, PoppedColourGemsBurstIntoShardsOfTheirColour) {
    Lay({"x..........."});
    E().Map()->Value(7, 17, 1, KindFirstValue(3) + 5);
    MarkCell(7, 17, 3);
    MarkCell(6, 17, 19);
    // A list under three is left alone unless forced.
    PopMarkedCells(false);
    EXPECT_EQ(CellKind(7, 17), 3);
    PopMarkedCells(true);
    EXPECT_EQ(Picture(1), std::vector<std::string>{"............"});
    EXPECT_EQ(E().Map()->ID1(7, 17, 1), 0);
    EXPECT_EQ(G().Board.MarkedCount, 2);  // left for the caller
    // Two explosions in group 1: the shards are cut from the colour's row of the sheet.
    E().Delta(1);
    device->ClearCalls();
    E().SpritePFX()->RenderExplosions(1);
    const std::vector<pf::Call> draws = device->CallsOf(pf::CallKind::SpriteDraw);
    ASSERT_EQ(draws.size(), 100u);
    for (size_t i = 0; i < 50; ++i) {
        EXPECT_EQ(draws[i].rect.top, 700 + 9 * 2) << i;
        EXPECT_EQ(draws[i].rect.right - draws[i].rect.left, 8) << i;
    }
}

TEST_F(ScoringTest, PopCellEmptiesOneCellWithABurst) {
    Lay({"..x........."});
    E().Map()->ID1(8, 17, 1, 1);
    PopCell(8, 17, 0);
    EXPECT_EQ(CellValue(8, 17), 0);
    EXPECT_EQ(E().Map()->ID1(8, 17, 1), 0);
    EXPECT_EQ(G().Session.Score, 0);
    E().Delta(1);
    device->ClearCalls();
    E().SpritePFX()->RenderExplosions(1);
    EXPECT_FALSE(device->CallsOf(pf::CallKind::SpriteDraw).empty());
}

}  // namespace
