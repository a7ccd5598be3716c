// A game played frame by frame through its loop: the opening hold, clicks through the pointer and
// the scripted button, the end of a level in each mode, the board-clear sweep, the in-game menu,
// the game-over sequence and the score in the mode's high-score table.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/SoundProcs.h"
#include "game/BoardFixture.h"
#include "game/EndSequences.h"
#include "game/Fade.h"
#include "game/IncomingRows.h"
#include "game/SdlEvents.h"
#include "game/Session.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/EventWatch.h"
#include "game/desktop/GameWindow.h"
#include "ui/HighScores.h"

namespace plmtest {
namespace {

using namespace tessaly;

class GameLoopTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        E().HighScores()->Init(media::kScoresFile, kHighScorePlaces, 1000, kHighScoreTables);
        G().Frame.FixedDelta = 50;  // every game frame steps 50 ms
    }
    // One frame of the game loop with the pointer on cell (x, y) and the left button as given.
    bool Frame(int x = 0, int y = 0, bool button = false) {
        plm::Map& map = *E().Map();
        G().Frame.GameMouseX = static_cast<float>(32 * x + 16 + map.ScreenX());
        G().Frame.GameMouseY = static_cast<float>(32 * y + 16 + map.ScreenY());
        input->SetButton(0, button);
        clock->Advance(50);
        return GameFrame();
    }
    void ClickFrame(int x, int y) {
        Frame(x, y, false);
        Frame(x, y, true);
        Frame(x, y, false);
    }
    // An empty board with nothing falling and no incoming row on its way.
    void ClearBoard() {
        for (int i = kFallingGemFirst; i <= kPreviewSpriteLast; ++i) E().Sprite()->TurnOff(i, true, true);
        E().Map()->FxOffAll(kBoardLayer);  // no landing animation runs on into the new cells
        WallBoard();
        ResetIncomingRow();
        G().Session.RowTimer = 1e9f;
    }
    // Starts a game and plays the frames of the opening hold.
    void StartGame(int mode, int level = 1) {
        G().Session.GameMode = mode;
        G().Session.StartLevel = level;
        ASSERT_TRUE(InitGame());
        G().Frame.InGame = true;
        ASSERT_EQ(G().Session.GameState, kStateOpening);
        for (int f = 0; f < 200 && G().Session.GameState == kStateOpening; ++f) Frame();
        ASSERT_EQ(G().Session.GameState, kStatePlay);
        Settle();
    }
};

// Each mode from its first frame through a cleared level: the quota, the next level's quota and
// what ends the level (a board-clear sweep and a fresh board, or the next level on the same board);
// then the board fills up, and the game over puts the score in the mode's table and file.
TEST_F(GameLoopTest, EachModeClearsItsFirstLevelThenEndsInAGameOver) {
    E().HighScores()->Init(media::kScoresFile, kHighScorePlaces, 0, kHighScoreTables);  // any score enters
    struct Case {
        int mode;
        bool sweep;
        int step;
        float interval;
    };
    for (const Case& c : {Case{1, true, 10, 1000}, Case{2, true, 10, 1000}, Case{3, false, 10, 1000},
                          Case{4, false, 10, RowTicks(40) / 2}, Case{5, true, 5, 1000}}) {
        SCOPED_TRACE(c.mode);
        StartGame(c.mode);
        EXPECT_EQ(G().Session.Quota, 10);
        EXPECT_EQ(G().Session.QuotaStep, c.step);
        EXPECT_EQ(G().Session.HoverPreview, c.mode == 2 || c.mode == 3 || c.mode == 5);
        // The last three gems of the quota lie in a row on the floor.
        ClearBoard();
        Lay({"111.........", "232323232323"});
        G().Session.GemsLeft = 3;
        const int scoreBefore = G().Session.Score;
        ClickFrame(6, 16);
        EXPECT_GT(G().Session.Score, scoreBefore);
        if (c.sweep) {
            EXPECT_EQ(G().Session.GemsLeft, 0);
            ASSERT_EQ(G().Session.GameState, kStateBoardClear);
            for (int f = 0; f < 400 && G().Session.GameState != kStatePlay; ++f) Frame();
            ASSERT_EQ(G().Session.GameState, kStatePlay);
        } else {
            EXPECT_EQ(G().Session.GameState, kStatePlay);
            EXPECT_TRUE(E().Sprite()->Enabled(kLevelBannerSprite));
        }
        EXPECT_EQ(G().Session.Level, 2);
        EXPECT_EQ(G().Session.Quota, 10 + c.step);
        EXPECT_EQ(G().Session.GemsLeft, 10 + c.step);
        EXPECT_FLOAT_EQ(G().Session.RowInterval, c.mode == 4 ? c.interval : RowTicks(2));

        // Then the board fills to the top: a column reaching the top row, the first preview of
        // the incoming row on its way and Space to drop it; the loop ends in the game-over
        // sequence and the score goes into this mode's table.
        ClearBoard();
        for (int y = kPlayTop; y <= kPlayBottom; ++y) E().Map()->Value(kBoardLeft, static_cast<float>(y), kBoardLayer, KindFirstValue(1 + y % 2));
        G().Session.RowTimer = 0;
        G().Settings.CurrentPlayer = "PLAYER" + std::to_string(c.mode);
        const int score = G().Session.Score;
        input->SetKey(kKeySpace, true);
        clock->SetStepPerRead(25);
        RunGameLoop();
        clock->SetStepPerRead(0);
        input->SetKey(kKeySpace, false);
        EXPECT_TRUE(G().Session.GameOver);
        EXPECT_FALSE(G().Session.GameWon);
        EXPECT_LT(G().End.SweepRow, -60);  // the whole sequence ran
        EXPECT_EQ(G().End.NewHighScoreMode, c.mode);
        EXPECT_EQ(G().End.NewHighScorePosition, 1);
        Quiet();
        ASSERT_TRUE(E().HighScores()->SaveScores());
        plm::HighScores saved;
        saved.Init(media::kScoresFile, kHighScorePlaces, 0, kHighScoreTables);
        ASSERT_TRUE(saved.LoadScores());
        EXPECT_EQ(saved.GetName(1, c.mode), G().Settings.CurrentPlayer);
        EXPECT_EQ(saved.GetScore(1, c.mode), score);
        EXPECT_EQ(saved.GetDataString1(1, c.mode), "2");
    }
    // Each game's score went into its own mode's table only.
    for (int mode = 1; mode <= 5; ++mode) EXPECT_EQ(E().HighScores()->GetName(2, mode), "") << mode;
}

// A mode-3 game from level 20 asks for 200 gems and starts at the first level's row interval.
TEST_F(GameLoopTest, StartLevelSetsQuotaButNotInterval) {
    G().Session.GameMode = 3;
    G().Session.StartLevel = 20;
    InitGame();
    EXPECT_EQ(G().Session.Quota, 200);
    EXPECT_EQ(G().Session.GemsLeft, 200);
    EXPECT_FLOAT_EQ(G().Session.RowInterval, 1000);
    G().Session.GemsLeft = 0;
    LevelUp();
    EXPECT_EQ(G().Session.Quota, 210);
    EXPECT_FLOAT_EQ(G().Session.RowInterval, RowTicks(21));
    // The last level won ends the game at once.
    G().Session.Level = 40;
    LevelUp();
    EXPECT_TRUE(G().Session.GameWon);
    EXPECT_TRUE(G().Session.GameOver);
    EXPECT_FALSE(G().Frame.InGame);
    EXPECT_EQ(G().Session.Level, 40);
}

// The sweep turns the playfield into a checkerboard of the two tiles, row by row, paying five
// points a colour gem; specials pay nothing.
TEST_F(GameLoopTest, BoardClearSweepPaysColourGemsAndLeavesACheckerboard) {
    StartGame(2);
    ClearBoard();
    Lay({"123456123456", "rrrrrrrrrrrr"}, 17);
    const int score = G().Session.Score;
    StartBoardClear();
    EXPECT_TRUE(E().Sprite()->Enabled(kBoardClearBannerSprite));
    // Every row swept: a checkerboard of the two tiles, before the board-clear effect takes it.
    for (int f = 0; f < 400 && G().End.SweepRow <= 17; ++f) Frame();
    EXPECT_EQ(G().Session.GameState, kStateBoardClear);
    EXPECT_EQ(G().Session.Score, score + 60);
    for (int y = 3; y <= 17; ++y)
        for (int x = 7; x <= 17; ++x) EXPECT_NE(CellValue(x, y), CellValue(x - 1, y)) << x << "," << y;
    EXPECT_TRUE(CellValue(6, 3) == 590 || CellValue(6, 3) == 591);
    EXPECT_NE(CellValue(6, 3), CellValue(6, 4));
    // Ten empty steps later the effect runs and the next board is held for 3000 ms.
    for (int f = 0; f < 400 && G().Session.GameState == kStateBoardClear; ++f) Frame();
    EXPECT_EQ(G().Session.GameState, kStateNextBoard);
    EXPECT_EQ(G().End.SweepRow, 28);
    EXPECT_EQ(G().Session.StateTimer, 3000);
    // The sweep's checkerboard leaves with the first board-clear effect: every playfield cell is
    // now a flying tile, column by column, the checker images alternating.
    for (int y = 3; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x) EXPECT_EQ(CellValue(x, y), 0) << x << "," << y;
    int flying = 0;
    for (int s = kFallingGemFirst; s <= kFallingGemLast; ++s)
        if (E().Sprite()->Enabled(s) && E().Sprite()->ID2(s) == 1) ++flying;
    EXPECT_EQ(flying, 180);
    const media::Rect a = media::TileRect(media::kCheckerTile), b = media::TileRect(media::kCheckerTile + 1);
    const int first = E().Sprite()->SrcX(kFallingGemFirst), next = E().Sprite()->SrcX(kFallingGemFirst + 1);
    EXPECT_TRUE(first == a.x || first == b.x) << first;
    EXPECT_TRUE(next == a.x || next == b.x) << next;
    EXPECT_NE(first, next);
}

// The menu button opens the box in any state and freezes it; the second button restores it, the
// first leaves for the title.
TEST_F(GameLoopTest, MenuBoxFreezesTheSweepAndContinueRestoresIt) {
    StartGame(1);
    StartBoardClear();
    Frame();
    Frame();
    const int row = G().End.SweepRow;
    auto clickAt = [&](float x, float y) {
        G().Frame.GameMouseX = x;
        G().Frame.GameMouseY = y;
        // The box's buttons raise their event on the release; the next frame reads it.
        for (bool b : {false, true, false, false}) {
            input->SetButton(0, b);
            clock->Advance(50);
            GameFrame();
        }
    };
    clickAt(700, 460);  // the menu button
    EXPECT_EQ(G().Session.GameState, kStateMenu);
    EXPECT_EQ(G().Session.SavedState, kStateBoardClear);
    EXPECT_TRUE(G().Session.DialogOpen);
    for (int f = 0; f < 10; ++f) Frame();
    EXPECT_EQ(G().End.SweepRow, row);
    clickAt(media::kContinueAt.x + 50, media::kContinueAt.y + 25);
    EXPECT_FALSE(G().Session.DialogOpen);
    EXPECT_EQ(G().Session.GameState, kStateBoardClear);
    Frame();
    Frame();
    EXPECT_GT(G().End.SweepRow, row);
    clickAt(700, 460);
    clickAt(media::kLeaveAt.x + 50, media::kLeaveAt.y + 25);
    EXPECT_EQ(G().Session.GameState, kStateQuitting);
    EXPECT_TRUE(G().Frame.LeaveAfterFade);
}

// Without a readable level file the first mode is refused before anything changes, rows kept.
TEST_F(GameLoopTest, ModeOneWithoutLevelFileIsRefused) {
    std::filesystem::remove(folder.file("gdata.dat"));
    LevelRows(1, 1, 1, 3);
    G().Session.GameMode = 1;
    EXPECT_FALSE(InitGame());
    EXPECT_EQ(LevelRows(1, 1, 1), 3);
}

// Escape in play fades to black once, and the loop ends when the fade is over: no game over follows.
TEST_F(GameLoopTest, EscapeFadesOutAndEndsTheLoop) {
    StartGame(2);
    input->SetKey(kKeyEscape, true);
    Frame();
    input->SetKey(kKeyEscape, false);
    EXPECT_EQ(G().Session.GameState, kStateQuitting);
    EXPECT_TRUE(G().Frame.LeaveAfterFade);
    EXPECT_TRUE(G().Fade.FadeOn);
    // Escape again during the fade starts no second fade: the one running goes on darkening.
    Frame();
    const float alpha = G().Fade.FadeAlpha;
    ASSERT_GT(alpha, 0);
    input->SetKey(kKeyEscape, true);
    Frame();
    input->SetKey(kKeyEscape, false);
    EXPECT_GT(G().Fade.FadeAlpha, alpha);
    int frames = 3;
    while (Frame() && frames < 200) ++frames;
    EXPECT_FALSE(G().Frame.InGame);
    EXPECT_GT(frames, 1);
    EXPECT_FALSE(G().Session.GameOver);
}

// Play frames back to front. With the menu box open: the background picture, the board's cells,
// the darkening texel stretched over the screen, then the box.
TEST_F(GameLoopTest, PlayFrameDrawsInLayerOrder) {
    StartGame(2);
    ClearBoard();
    Lay({"123456123456"});
    G().Session.SavedState = kStatePlay;
    G().Session.GameState = kStateMenu;
    G().Session.DialogOpen = true;
    device->ClearCalls();
    Frame();
    auto find = [&](int x, int y, int w, int h) {
        const auto calls = device->CallsOf(plm::platform::CallKind::SpriteDraw);
        for (size_t i = 0; i < calls.size(); ++i) {
            const plm::platform::Rect& r = calls[i].rect;
            if (calls[i].hasRect && r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h) return static_cast<int>(i);
        }
        return -1;
    };
    const media::Rect gem = media::KindFrameRect(1, 0), box = media::kMenuBox, texel = media::kFadeTexel;
    const int background = find(0, 0, 800, 600), cell = find(gem.x, gem.y, gem.w, gem.h);
    const int darken = find(texel.x, texel.y, texel.w, texel.h), menu = find(box.x, box.y, box.w, box.h);
    EXPECT_EQ(background, 0);
    EXPECT_GT(cell, background);
    EXPECT_GT(darken, cell);
    EXPECT_GT(menu, darken);

    // Without the box, a gem falling and a fade running: the board's cells, then the falling gem,
    // the cursor box over the cell under the pointer, and the fade over everything.
    G().Session.GameState = kStatePlay;
    G().Session.DialogOpen = false;
    ClearBoard();
    Lay({"111111111111"});
    E().Map()->Value(9, 8, kBoardLayer, KindFirstValue(3));
    StartFall(kPlayBottom, false);
    ASSERT_EQ(FallingGems(), 1);
    StartFade(0, 0.001f);
    device->ClearCalls();
    Frame(12, 17);
    const media::Rect falling = media::KindFrameRect(3, 0), cursor = media::kCursorBox;
    const int board = find(gem.x, gem.y, gem.w, gem.h), fallingGem = find(falling.x, falling.y, falling.w, falling.h);
    const int cursorBox = find(cursor.x, cursor.y, cursor.w, cursor.h), fade = find(texel.x, texel.y, texel.w, texel.h);
    EXPECT_EQ(find(0, 0, 800, 600), 0);
    EXPECT_GT(board, 0);
    EXPECT_GT(fallingGem, board);
    EXPECT_GT(cursorBox, fallingGem);
    EXPECT_GT(fade, cursorBox);
    EXPECT_EQ(fade, static_cast<int>(device->CallsOf(plm::platform::CallKind::SpriteDraw).size()) - 1);
}

// A game over bursts the board, shows the banner and records the score in the mode's table.
TEST_F(GameLoopTest, GameOverRecordsTheScoreInTheModesTable) {
    StartGame(4);
    G().Session.Score = 123456;
    G().Session.Level = 7;
    G().Settings.CurrentPlayer = "ALICE";
    G().Session.GameOver = true;
    G().Frame.InGame = true;
    // The whole sequence, the clock running on as the frames read it, until its end.
    clock->SetStepPerRead(25);
    RunGameOver();
    clock->SetStepPerRead(0);
    EXPECT_EQ(G().End.NewHighScoreMode, 4);
    EXPECT_EQ(G().End.NewHighScorePosition, 1);
    EXPECT_EQ(E().HighScores()->GetName(1, 4), "ALICE");
    EXPECT_EQ(E().HighScores()->GetScore(1, 4), 123456);
    EXPECT_EQ(E().HighScores()->GetDataString1(1, 4), "7");
    EXPECT_LT(G().End.SweepRow, -60);
    // The score is in the file at once, not only at the session's end.
    plm::HighScores saved;
    saved.Init(media::kScoresFile, kHighScorePlaces, 0, kHighScoreTables);
    ASSERT_TRUE(saved.LoadScores());
    EXPECT_EQ(saved.GetName(1, 4), "ALICE");
    EXPECT_EQ(saved.GetScore(1, 4), 123456);
    EXPECT_EQ(saved.GetDataString1(1, 4), "7");
    // A score too low for the table leaves no new high score and writes nothing.
    std::filesystem::remove(folder.file(media::kScoresFile));
    G().Session.Score = 0;
    RecordHighScore();
    EXPECT_EQ(G().End.NewHighScoreMode, 0);
    EXPECT_EQ(G().End.NewHighScorePosition, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file(media::kScoresFile)));
}

// Escape cuts the game-over sequence short at its first frame; the score is still recorded.
TEST_F(GameLoopTest, EscapeDuringTheGameOverStillRecordsTheScore) {
    StartGame(3);
    G().Session.Score = 5000;
    G().Settings.CurrentPlayer = "BOB";
    input->SetKey(kKeyEscape, true);
    clock->SetStepPerRead(25);
    RunGameOver();
    clock->SetStepPerRead(0);
    EXPECT_FALSE(G().Frame.InGame);
    EXPECT_GE(G().End.SweepRow, kPlayBottom - 1);  // at most one row burst
    EXPECT_EQ(G().End.NewHighScoreMode, 3);
    EXPECT_EQ(G().End.NewHighScorePosition, 1);
    EXPECT_EQ(E().HighScores()->GetName(1, 3), "BOB");
    EXPECT_EQ(E().HighScores()->GetScore(1, 3), 5000);
}

// The game window loses the focus during play: the frame waits with the paused caption and the
// sound paused. When the focus comes back the sound resumes, the caption returns, and that frame
// moves nothing (Delta 0), unless a fixed frame time overrides it; the next frame moves again.
TEST_F(GameLoopTest, FocusLossPausesTheGameAndTheFrameAfterMovesNothing) {
    std::string error;
    ASSERT_TRUE(desktop::StartDesktop(error)) << error;
    struct Desk {
        ~Desk() {
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
            Game().Run.GameForm.reset();
            desktop::StopDesktop();
        }
    } desk;
    desktop::EventWatch watch(&OnWindowEvent);
    G().Run.GameForm = desktop::GameWindow::Open(false, kGameWidth, kGameHeight, kCaption, error);
    ASSERT_NE(G().Run.GameForm, nullptr) << error;
    G().Run.GameForm->SetCaption(kCaption);
    StartGame(2);
    for (float fixed : {0.0f, 50.0f}) {
        SCOPED_TRACE(fixed);
        G().Frame.FixedDelta = fixed;
        Frame();
        Frame();
        ASSERT_GT(E().Delta(), 0);
        E().Sample()->Play(kRowDropSample, 100, 50);
        const int32_t channel = plm::State().SampleTable(kRowDropSample).Handle;
        ASSERT_EQ(plm::SoundLayer().ChannelIsActive(channel), plm::platform::ChannelPlaying);
        std::string caption;
        int32_t sound = -1;
        const int sleepsBefore = clock->sleeps;
        clock->hook = [&](int n) {
            caption = G().Run.GameForm->Caption();
            sound = plm::SoundLayer().ChannelIsActive(channel);
            if (n == sleepsBefore + 2) plmtest::PushWindowEvent(G().Run.GameForm->Handle(), SDL_WINDOWEVENT_FOCUS_GAINED);
        };
        G().Session.RowTimer = 5000;
        plmtest::PushWindowEvent(G().Run.GameForm->Handle(), SDL_WINDOWEVENT_FOCUS_LOST);
        EXPECT_FALSE(G().Run.WindowActive);
        Frame();
        clock->hook = nullptr;
        EXPECT_EQ(clock->sleeps, sleepsBefore + 2);
        EXPECT_EQ(caption, kPausedCaption);
        EXPECT_EQ(sound, plm::platform::ChannelPaused);
        EXPECT_EQ(G().Run.GameForm->Caption(), kCaption);
        EXPECT_EQ(plm::SoundLayer().ChannelIsActive(channel), plm::platform::ChannelPlaying);
        EXPECT_FLOAT_EQ(G().Session.RowTimer, 5000 - fixed);
        Frame();
        EXPECT_LT(G().Session.RowTimer, 5000 - fixed);
        Quiet();
    }
}

}  // namespace
}  // namespace plmtest
