// The title's high-score pages and mode pages frame by frame on the headless engine: the tables as
// a player reads them (decoded back from the glyphs drawn), the new score's tinted row, paging,
// the mode pages' play buttons, and mode 3's picture carousel with its scroll, clip and start level.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/EngineState.h"
#include "game/EndSequences.h"
#include "game/Startup.h"
#include "game/TitleFixture.h"
#include "game/TitleMenu.h"
#include "game/TitleModes.h"
#include "game/TitleScores.h"
#include "platform/test/RecordingDevice.h"

namespace {

using namespace tessaly;
using plm::platform::Call;
using plm::platform::CallKind;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kNewRowTint = 0xFF96FF64u;  // opaque, 150/255/100

// One string drawn with a bitmap font: where its first glyph landed and in which colour.
struct TextRun {
    std::string text;
    int x = 0, y = 0;
    uint32_t color = 0;
    int glyphs = 0;      // draws, including any of an empty glyph
    int emptyDraws = 0;  // draws of a glyph with no width
};

// A place of the table as drawn: name, score and level, and their colour.
struct Row {
    TextRun name, score, level;
};

class TitlePagesTest : public fixtures::TitleTest {
protected:
    void SetUp() override {
        TitleTest::SetUp();
        LoadHighScores();  // no "scores.dat": the game's default rows
    }

    // The character whose glyph of `font` has this source rectangle; 0 when none (capitals win
    // over the lower-case letters that share their glyphs).
    static char GlyphChar(int32_t font, const plm::platform::Rect& r) {
        const plm::FontGlyphTable& f = plm::State().FontTable[static_cast<size_t>(font)];
        if (r.bottom - r.top != f.Height) return 0;
        for (int code = 32; code <= 255; ++code) {
            const size_t s = static_cast<size_t>(code - 31);
            if (f.X[s] == r.left && f.Y[s] == r.top && f.Width[s] == r.right - r.left) return static_cast<char>(code);
        }
        return 0;
    }

    // The strings drawn with `font` since the calls were cleared, in drawing order: a glyph that
    // does not sit where the last one's pen left off starts a new string.
    std::vector<TextRun> TextsDrawn(int32_t font) const {
        const plm::FontGlyphTable& f = plm::State().FontTable[static_cast<size_t>(font)];
        std::vector<TextRun> runs;
        float nextX = 0;
        for (const Call& c : device->CallsOf(CallKind::SpriteDraw)) {
            if (!c.hasRect || c.rect.bottom - c.rect.top != f.Height) continue;
            const int x = static_cast<int>(c.floats[5]), y = static_cast<int>(c.floats[6]);
            const int w = c.rect.right - c.rect.left;
            const char ch = w == 0 ? 0 : GlyphChar(font, c.rect);
            if (w > 0 && ch == 0) continue;  // another font's glyph or another image
            if (runs.empty() || runs.back().y != y || runs.back().color != c.color || std::fabs(x - nextX) > 1.5f)
                runs.push_back({"", x, y, c.color, 0, 0});
            TextRun& run = runs.back();
            ++run.glyphs;
            if (w == 0) ++run.emptyDraws;
            else run.text += ch;
            nextX = static_cast<float>(x + w + 2);  // the pages draw at spacing 2
        }
        return runs;
    }

    // The ten places of the table drawn this frame.
    std::vector<Row> TableDrawn() const {
        std::vector<Row> rows(kHighScorePlaces);
        std::vector<int> seen(kHighScorePlaces);
        for (const TextRun& run : TextsDrawn(1)) {
            const int p = (run.y - 165) / 29;
            if (run.y < 165 || (run.y - 165) % 29 != 0 || p >= kHighScorePlaces) continue;
            Row& row = rows[static_cast<size_t>(p)];
            int& n = seen[static_cast<size_t>(p)];
            (n == 0 ? row.name : n == 1 ? row.score : row.level) = run;
            ++n;
        }
        return rows;
    }

    // Whether the frame drew this image at this top-left corner.
    bool DrewImage(const media::Rect& r, int x, int y) const {
        for (const Call& c : device->CallsOf(CallKind::SpriteDraw))
            if (c.hasRect && c.rect.left == r.x && c.rect.top == r.y && c.rect.right - c.rect.left == r.w &&
                c.rect.bottom - c.rect.top == r.h && static_cast<int>(c.floats[5]) == x &&
                static_cast<int>(c.floats[6]) == y)
                return true;
        return false;
    }

    void DrawOneFrame() {
        device->ClearCalls();
        Frame();
    }

    static float RowWidth(const std::string& text) { return E().Font()->GetStringWidth(1, text, 2, 1, 1); }

    // The rows of table `table` as the high-score object holds them, drawn as the page lays them
    // out: the name from x 188, the score centred on 450, the level ending at 615.
    static void ExpectTable(const std::vector<Row>& rows, int32_t table, int32_t tintedPlace) {
        const plm::HighScores& scores = *E().HighScores();
        for (int32_t p = 1; p <= kHighScorePlaces; ++p) {
            SCOPED_TRACE("table " + std::to_string(table) + " place " + std::to_string(p));
            const Row& row = rows[static_cast<size_t>(p - 1)];
            const std::string score = std::to_string(scores.GetScore(p, table));
            const std::string level = scores.GetDataString1(p, table);
            EXPECT_EQ(row.name.text, scores.GetName(p, table));
            EXPECT_EQ(row.score.text, score);
            EXPECT_EQ(row.level.text, level);
            EXPECT_EQ(row.name.x, 188);
            EXPECT_EQ(row.score.x, static_cast<int>(450 - RowWidth(score) / 2));
            EXPECT_EQ(row.level.x, static_cast<int>(615 - RowWidth(level)));
            const uint32_t color = p == tintedPlace ? kNewRowTint : kWhite;
            for (const TextRun* run : {&row.name, &row.score, &row.level}) EXPECT_EQ(run->color, color);
        }
    }

    void OpenCarousel() {
        Open();
        ClickButton(kModeButton1 + 2);
        ASSERT_EQ(G().Title.TitlePage, kFirstModePage + 2);
        ClickButton(kModePlayButton);
        ASSERT_EQ(G().Title.TitlePage, kCarouselPage);
        ASSERT_TRUE(G().Title.ShowingCarousel);
    }
    void SettleStrip() {
        for (int i = 0; i < 100 && G().Title.CarouselScrolling; ++i) Frame();
        ASSERT_FALSE(G().Title.CarouselScrolling);
    }
    bool StripButtonsEnabled() {
        return Ui().Enabled(plm::ebutton, kCarouselPreviousButton) && Ui().Enabled(plm::ebutton, kCarouselNextButton);
    }
    // The x of each picture drawn this frame, in order.
    std::vector<int> PictureXs() const {
        std::vector<int> xs;
        for (const Call& c : device->CallsOf(CallKind::SpriteDraw))
            if (c.hasRect && c.rect.right - c.rect.left == 156 && c.rect.bottom - c.rect.top == 118)
                xs.push_back(static_cast<int>(c.floats[5]));
        return xs;
    }
};

TEST_F(TitlePagesTest, WithoutAScoresFileEveryTableShowsTheDefaultRowsAndNextCycles) {
    EXPECT_EQ(E().HighScores()->GetScore(1, 1), 1000);
    Open();
    ClickButton(kScoresMenuButton);
    ASSERT_EQ(G().Title.TitlePage, kHighScoresPage);
    EXPECT_EQ(G().Title.HighScorePage, 1);
    for (int32_t table : {1, 2, 3, 4, 5, 1}) {
        DrawOneFrame();
        EXPECT_EQ(G().Title.HighScorePage, table);
        const media::Rect h = media::ModeHeading(table);
        EXPECT_TRUE(DrewImage(h, 400 - h.w / 2, 97 - h.h / 2)) << table;
        EXPECT_TRUE(DrewImage(media::kHeadingName, 188, 130));
        EXPECT_TRUE(DrewImage(media::kHeadingScore, 400, 130));
        EXPECT_TRUE(DrewImage(media::kHeadingLevel, 510, 130));
        const std::vector<Row> rows = TableDrawn();
        ExpectTable(rows, table, 0);
        EXPECT_EQ(rows[0].name.text, "GUEST");
        EXPECT_EQ(rows[0].level.text, "1");
        ClickButton(kScoresNextButton);
    }
    // Back: the main menu, and the page is no longer drawn.
    ClickButton(kScoresBackButton);
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
    EXPECT_FALSE(G().Title.ShowingHighScores);
    EXPECT_FALSE(Ui().Visible(plm::eFrame, kScoresFrame));
    EXPECT_TRUE(Ui().Visible(plm::ebutton, kScoresMenuButton));
    DrawOneFrame();
    EXPECT_TRUE(TableDrawn()[0].name.text.empty());
}

TEST_F(TitlePagesTest, ANewScoreOpensItsTableWithItsRowTinted) {
    // A game of mode 4 ends with the third-best score.
    G().Session.GameMode = 4;
    G().Session.Score = 850;
    G().Session.Level = 7;
    G().Settings.CurrentPlayer = "ANNA";
    RecordHighScore();
    ASSERT_EQ(G().End.NewHighScorePosition, 3);
    Open();
    EXPECT_EQ(G().Title.TitlePage, kHighScoresPage);
    EXPECT_EQ(G().Title.HighScorePage, 4);
    DrawOneFrame();
    std::vector<Row> rows = TableDrawn();
    EXPECT_EQ(rows[2].name.text, "ANNA");
    EXPECT_EQ(rows[2].score.text, "850");
    EXPECT_EQ(rows[2].level.text, "7");
    ExpectTable(rows, 4, 3);

    // Next: table 5, no row tinted; back on table 4 after a full turn, still none.
    ClickButton(kScoresNextButton);
    EXPECT_EQ(G().End.NewHighScorePosition, 0);
    DrawOneFrame();
    ExpectTable(TableDrawn(), 5, 0);
    for (int i = 0; i < 4; ++i) ClickButton(kScoresNextButton);
    DrawOneFrame();
    ExpectTable(TableDrawn(), 4, 0);

    // Back clears the place too; the next visit opens on the main menu.
    G().End.NewHighScorePosition = 3;
    ClickButton(kScoresBackButton);
    EXPECT_EQ(G().End.NewHighScorePosition, 0);
    Open();
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
}

// Names and levels from the file are drawn as the font draws any text: a character it has no
// glyph for still takes its step of the spacing; control characters are left out.
TEST_F(TitlePagesTest, NamesAndLevelsFromTheFileDrawAsTheFontDoes) {
    // Whatever the file holds: letters beyond the font, control and accented bytes, an empty level.
    plm::HighScores& scores = *E().HighScores();
    scores.SetHighScore(1, "Zo\xEB~{x}\x01", 0, "4\x7F" "2", "", 2);
    scores.SetHighScore(2, "AMY", 12, "", "", 2);
    ASSERT_TRUE(scores.SaveScores());
    LoadHighScores();
    ASSERT_EQ(scores.GetScore(1, 2), 0);
    Open();
    ClickButton(kScoresMenuButton);
    ClickButton(kScoresNextButton);
    DrawOneFrame();
    const std::vector<Row> rows = TableDrawn();
    EXPECT_EQ(rows[0].name.text, "ZOX");
    EXPECT_EQ(rows[0].name.glyphs, 7);  // the \x01 is not drawn
    EXPECT_EQ(rows[0].name.emptyDraws, 4);
    EXPECT_EQ(rows[0].score.text, "0");
    EXPECT_EQ(rows[0].level.text, "42");
    EXPECT_EQ(rows[0].level.emptyDraws, 1);
    EXPECT_EQ(rows[0].level.x, static_cast<int>(615 - E().Font()->GetStringWidth(1, "4\x7F" "2", 2, 1, 1)));
    EXPECT_EQ(rows[1].level.text, "");
    EXPECT_EQ(rows[1].name.emptyDraws, 0);
    EXPECT_EQ(FontText("a\x1F[]^_`{|}~\x80\xFFZ\t 9\x01"), "a[]^_`{|}~\x80\xFFZ 9");
}

TEST_F(TitlePagesTest, ModePagesStartTheirGameAtLevelOne) {
    for (int32_t mode : {1, 2, 4, 5}) {
        SCOPED_TRACE(mode);
        G().Session.StartLevel = 12;
        Open();
        ClickButton(kModeButton1 + mode - 1);
        ASSERT_EQ(G().Title.TitlePage, kFirstModePage + mode - 1);
        EXPECT_TRUE(Ui().Visible(plm::eTile, mode));
        ClickButton(kModePlayButton);
        EXPECT_EQ(G().Session.GameMode, mode);
        EXPECT_EQ(G().Session.StartLevel, 1);
        EXPECT_TRUE(E().Sample()->IsPlaying(13));
        EXPECT_TRUE(G().Frame.LeaveAfterFade);
        RunTitle();
        EXPECT_EQ(G().Session.GameMode, mode);
        EXPECT_FALSE(G().Run.AbortSession);
    }
    // Back from a mode page: the main menu.
    Open();
    ClickButton(kModeButton1 + 1);
    ClickButton(kModeBackButton);
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
    EXPECT_FALSE(Ui().Visible(plm::eTile, 2));
    EXPECT_FALSE(Ui().Visible(plm::ebutton, kModePlayButton));
    EXPECT_TRUE(Ui().Visible(plm::ebutton, kModeButton1));
}

TEST_F(TitlePagesTest, CarouselNextLevelDownPlayGivesModeThreeLevelFortyPictureTwo) {
    OpenCarousel();
    EXPECT_TRUE(Ui().Visible(plm::eFrame, kCarouselFrame));
    EXPECT_TRUE(Ui().Visible(plm::ebutton, kCarouselPlayButton));
    EXPECT_FALSE(Ui().Visible(plm::ebutton, kModePlayButton));
    EXPECT_FALSE(Ui().Visible(plm::eTile, 3));
    DrawOneFrame();
    EXPECT_EQ(TextsDrawn(2).back().text, "01");
    ClickButton(kCarouselNextButton);
    EXPECT_EQ(G().Session.ModePicture, 2);
    ClickButton(kLevelDownButton);
    EXPECT_EQ(G().Session.StartLevel, 40);
    DrawOneFrame();
    const TextRun level = TextsDrawn(2).back();
    EXPECT_EQ(level.text, "40");
    EXPECT_EQ(level.y, 409);
    EXPECT_EQ(level.x, static_cast<int>(400 - E().Font()->GetStringWidth(2, "40", 2, 1, 1) / 2));
    // Play while the strip still moves: the picture is the one chosen, whatever the strip shows.
    ASSERT_TRUE(G().Title.CarouselScrolling);
    ClickButton(kCarouselPlayButton);
    EXPECT_TRUE(E().Sample()->IsPlaying(13));
    RunTitle();
    EXPECT_EQ(G().Session.GameMode, 3);
    EXPECT_EQ(G().Session.StartLevel, 40);
    EXPECT_EQ(G().Session.ModePicture, 2);

    // Levels wrap both ways; the level shows with two digits.
    for (auto [from, button, to] : {std::tuple{40, kLevelUpButton, 1}, {1, kLevelDownButton, 40},
                                    {9, kLevelUpButton, 10}}) {
        EXPECT_EQ(StartLevelText(from), from < 10 ? "0" + std::to_string(from) : std::to_string(from));
        OpenCarousel();
        G().Session.StartLevel = from;
        ClickButton(button);
        EXPECT_EQ(G().Session.StartLevel, to);
    }
}

TEST_F(TitlePagesTest, NextTwiceQuicklyMovesOnePictureAndTheEndsOnlyClick) {
    OpenCarousel();
    // Previous at picture 1: a click, nothing moves.
    ClickButton(kCarouselPreviousButton);
    EXPECT_EQ(G().Session.ModePicture, 1);
    EXPECT_FALSE(G().Title.CarouselScrolling);
    EXPECT_TRUE(E().Sample()->IsPlaying(5));

    ClickButton(kCarouselNextButton);
    EXPECT_TRUE(G().Title.CarouselScrolling);
    EXPECT_FALSE(StripButtonsEnabled());
    ClickButton(kCarouselNextButton);
    EXPECT_EQ(G().Session.ModePicture, 2);
    SettleStrip();
    EXPECT_EQ(G().Title.CarouselOffset, -156);
    EXPECT_TRUE(StripButtonsEnabled());
    DrawOneFrame();
    EXPECT_EQ(PictureXs().at(1), 320);  // picture 2 in the window

    // To picture 10 and one further: the strip stops there.
    for (int i = 0; i < 9; ++i) {
        ClickButton(kCarouselNextButton);
        SettleStrip();
    }
    EXPECT_EQ(G().Session.ModePicture, 10);
    EXPECT_EQ(G().Title.CarouselOffset, -156 * 9);
    ClickButton(kCarouselPreviousButton);
    SettleStrip();
    EXPECT_EQ(G().Session.ModePicture, 9);
    EXPECT_EQ(G().Title.CarouselOffset, -156 * 8);
}

TEST_F(TitlePagesTest, TheStripDrawsInsideItsWindowAndTheClipIsRestored) {
    OpenCarousel();
    ClickButton(kCarouselNextButton);
    for (int i = 0; i < 10; ++i) Frame();  // half way
    const float offset = G().Title.CarouselOffset;
    ASSERT_LT(offset, 0);
    ASSERT_GT(offset, -156);
    DrawOneFrame();
    const std::vector<Call>& calls = device->Calls();
    auto isViewport = [](const Call& c, std::vector<int64_t> v) {
        return c.kind == CallKind::SetViewport && std::vector<int64_t>(c.ints.begin(), c.ints.begin() + 4) == v;
    };
    size_t clip = calls.size(), restore = calls.size(), end = calls.size();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (clip == calls.size() && isViewport(calls[i], {320, 204, 156, 118})) clip = i;
        else if (clip < i && restore == calls.size() && isViewport(calls[i], {0, 0, 800, 600})) restore = i;
        else if (calls[i].kind == CallKind::EndScene) end = i;
    }
    ASSERT_LT(clip, restore);
    ASSERT_LT(restore, end);
    int pictures = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        const Call& c = calls[i];
        if (c.kind != CallKind::SpriteDraw || !c.hasRect || c.rect.right - c.rect.left != 156) continue;
        EXPECT_GT(i, clip);
        EXPECT_LT(i, restore);
        EXPECT_EQ(static_cast<int>(c.floats[5]), static_cast<int>(std::floor(320 + 156 * pictures + offset)));
        EXPECT_EQ(static_cast<int>(c.floats[6]), 204);
        ++pictures;
    }
    EXPECT_EQ(pictures, 10);
    EXPECT_TRUE(DrewImage(media::kCarouselWindowFrame, 303, 192));
    const media::Rect h = media::ModeHeading(3);
    EXPECT_TRUE(DrewImage(h, 400 - h.w / 2, 97 - h.h / 2));

    // On the screen: right of the window frame, where the next picture would run on unclipped,
    // the panel looks as it does with no strip drawn at all.
    plm::platform::Image with, without;
    ASSERT_TRUE(device->ReadPresentedFrame(with));
    G().Title.ShowingCarousel = false;
    Frame();
    ASSERT_TRUE(device->ReadPresentedFrame(without));
    int differ = 0;
    for (int y = 204; y < 204 + 118; ++y)
        for (int x = 493; x < 516; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(with.width) + static_cast<size_t>(x);
            differ += with.pixels[i] != without.pixels[i];
        }
    EXPECT_EQ(differ, 0);
}

TEST_F(TitlePagesTest, BackDuringAScrollLeavesNoScrollForTheNextOpening) {
    OpenCarousel();
    ClickButton(kCarouselNextButton);
    ClickButton(kLevelUpButton);
    ASSERT_TRUE(G().Title.CarouselScrolling);
    ClickButton(kCarouselBackButton);
    EXPECT_EQ(G().Title.TitlePage, kFirstModePage + 2);
    EXPECT_FALSE(G().Title.ShowingCarousel);
    EXPECT_FALSE(G().Title.CarouselScrolling);
    EXPECT_TRUE(StripButtonsEnabled());
    EXPECT_EQ(G().Session.ModePicture, 1);
    EXPECT_EQ(G().Session.StartLevel, 1);
    EXPECT_TRUE(Ui().Visible(plm::eTile, 3));
    EXPECT_FALSE(Ui().Visible(plm::ebutton, kCarouselBackButton));
    for (int i = 0; i < 50; ++i) Frame();

    // Reopened: picture 1 at rest in the window, and next moves one picture from there.
    ClickButton(kModePlayButton);
    ASSERT_EQ(G().Title.TitlePage, kCarouselPage);
    for (int i = 0; i < 50; ++i) Frame();
    EXPECT_EQ(G().Title.CarouselOffset, 0);
    DrawOneFrame();
    EXPECT_EQ(PictureXs().at(0), 320);
    ClickButton(kCarouselNextButton);
    SettleStrip();
    EXPECT_EQ(G().Session.ModePicture, 2);
    EXPECT_EQ(G().Title.CarouselOffset, -156);
}

}  // namespace
