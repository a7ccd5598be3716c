#include "EndSequences.h"

#include <string>

#include "Board.h"
#include "ClearEffects.h"
#include "Fade.h"
#include "Falling.h"
#include "FrameLoop.h"
#include "GameState.h"
#include "Levels.h"
#include "Media.h"
#include "MediaLayout.h"
#include "Scoring.h"
#include "Session.h"
#include "Settings.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr float kSweepStepMs = 100;
constexpr int32_t kSweepEndRow = 28;       // ten empty steps after the last playfield row
constexpr int32_t kGameOverEndRow = -60;   // about six seconds after the banner
constexpr int32_t kNextBoardHoldMs = 3000;
constexpr int32_t kSweepPopNodes = 25, kGameOverPopNodes = 200;
constexpr int32_t kFireworkSample1 = 3, kFireworkSample2 = 4, kSuccessSample = 10, kGameOverSample = 11,
                  kFanfareSample = 12;

void PreviewsOff() {
    for (int32_t i = kPreviewSpriteFirst; i <= kPreviewSpriteLast; ++i) E().Sprite()->TurnOff(i, true, true);
    Game().Incoming.PreviewsShown = 0;
}

bool AnyGemFalling() { return E().Sprite()->IsAnyOfTheseOn(kFallingGemFirst, kFallingGemLast, false); }

// One sweep step over row `row`: colour gems and bombs pay half a gem's points and burst, and
// every cell becomes a checker tile growing from a tenth of its size.
void SweepRow(int32_t row) {
    EndArea& end = Game().End;
    plm::Map& map = *E().Map();
    const float fy = static_cast<float>(row);
    for (int32_t x = kBoardLeft; x <= kBoardRight; ++x) {
        const float fx = static_cast<float>(x);
        const int32_t value = CellValue(x, row);
        const int32_t kind = TileKind(value);
        if (value > 0 && kind >= media::kColourGem1 && kind <= media::kBomb) {
            end.SweepBonus += Game().Session.PointsPerGem / 2;
            PopMapTile(x, row, kSweepPopNodes);
        }
        map.ID1(fx, fy, kBoardLayer, 0);
        map.FxOff(fx, fy, kBoardLayer);
        end.CheckerPhase = !end.CheckerPhase;
        const int32_t tile = Game().Levels.CheckerTile + (end.CheckerPhase ? 0 : 1);
        map.Value(fx, fy, kBoardLayer, static_cast<float>(tile));
        map.SetScaling(fx, fy, 0.1f, 0.001f, 0.1f, 1.0f, 0, 6, kBoardLayer);
    }
}

// One step of the game-over sequence: the next row bursts from the bottom up, then the banner.
void GameOverStep() {
    GameState& g = Game();
    EndArea& end = g.End;
    plm::PelmarEngine& e = E();
    end.SweepTimer = kSweepStepMs;
    if (end.SweepRow > kEntryRow) {
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x) PopCell(x, end.SweepRow, kGameOverPopNodes);
        if (end.SweepRow == kPlayTop) {
            PlayBoardSound(kFireworkSample2);
            g.Fx.ShakeTimer = 200;
        } else {
            PlayBoardSound(kFireworkSample1);
        }
    }
    end.SweepRow -= 1;
    if (end.SweepRow == kEntryRow) {
        const media::Rect banner = media::kBannerGameOver;
        e.Sprite()->Activate(kLevelBannerSprite, 386, 250, 1, banner.x, banner.y, 0, 0, banner.w, banner.h, false, true);
        e.SpriteEngine()->SetFadeIn(kLevelBannerSprite, 0.5f, 255, true);
        if (g.Session.GameWon) {
            PlayBoardSound(kFanfareSample);
            g.Fx.FireworksTimer = 3000;
        } else {
            PlayBoardSound(kGameOverSample);
        }
    }
    if (end.SweepRow < kGameOverEndRow && !g.Frame.LeaveAfterFade) {
        StartFade(0, 0.2f);
        g.Frame.LeaveAfterFade = true;
    }
}

}  // namespace

void StartBoardClear() {
    GameState& g = Game();
    PreviewsOff();
    g.End.SweepRow = kPlayTop;
    g.Session.GameState = kStateBoardClear;
    g.End.SweepTimer = 0;
    const media::Rect banner = media::kBannerBoardClear;
    E().Sprite()->Activate(kBoardClearBannerSprite, 384, 200, 1, banner.x, banner.y, 0, 0, banner.w, banner.h, false, true);
    E().SpriteEngine()->SetFadeIn(kBoardClearBannerSprite, 0.2f, 255, true);
    PlayBoardSound(kSuccessSample);
}

void UpdateBoardClear() {
    GameState& g = Game();
    EndArea& end = g.End;
    plm::PelmarEngine& e = E();
    if (AnyGemFalling()) {
        UpdateFallingGems();
        return;
    }
    end.SweepTimer -= e.Delta();
    if (end.SweepTimer >= 0) return;
    end.SweepTimer = kSweepStepMs;
    end.SweepBonus = 0;
    if (end.SweepRow <= kPlayBottom) SweepRow(end.SweepRow);
    end.CheckerPhase = !end.CheckerPhase;
    if (end.SweepBonus > 0) {
        AddScore(static_cast<float>(end.SweepBonus));
        e.FontFader()->Add(2, std::to_string(end.SweepBonus), 600,
                           static_cast<float>(end.SweepRow * kCellSize + e.Map()->ScreenY()), -2, 1, 0, 0.4f, 0.4f,
                           1000, 0, -0.025f, 0, 0, 0, 255, 255, 255);
    }
    end.SweepRow += 1;
    if (end.SweepRow >= kSweepEndRow) {
        RunBoardClearEffect();
        e.SpriteEngine()->SetFadeOff(kBoardClearBannerSprite, 0.4f, true);
        g.Session.StateTimer = kNextBoardHoldMs;
        g.Session.GameState = kStateNextBoard;
    }
}

void RunGameOver() {
    GameState& g = Game();
    g.Session.DisplayedScore = g.Session.Score;
    StopAllSounds();
    PreviewsOff();
    g.End.SweepTimer = 0;
    g.Frame.LeaveAfterFade = false;
    g.End.SweepRow = kPlayBottom;
    g.Frame.InGame = true;
    while (GameOverFrame()) {
    }
    RecordHighScore();
}

bool GameOverFrame() {
    GameState& g = Game();
    FrameArea& frame = g.Frame;
    if (!frame.InGame) return false;
    if (!BeginGameFrame()) return false;
    plm::PelmarEngine& e = E();
    MapPointer();  // a click here does nothing
    if (e.Key()->PressedOnce(kKeyEscape)) frame.InGame = false;
    HandleFunctionKeys();
    if (AnyGemFalling()) {
        UpdateFallingGems();
    } else {
        g.End.SweepTimer -= e.Delta();
        if (g.End.SweepTimer < 0) GameOverStep();
    }
    RenderGameOver();
    e.Scene()->Render();
    if (frame.LeaveAfterFade && !g.Fade.FadeOn) frame.InGame = false;
    HandleScreenshotKey();
    return frame.InGame;
}

void RecordHighScore() {
    GameState& g = Game();
    const SessionArea& s = g.Session;
    plm::HighScores& scores = *E().HighScores();
    const int32_t place = scores.Check(s.Score, s.GameMode);
    if (place >= 1) {
        scores.SetHighScore(place, g.Settings.CurrentPlayer, -1, std::to_string(s.Level), "", s.GameMode);
        g.End.NewHighScoreMode = s.GameMode;
        g.End.NewHighScorePosition = place;
        // Saved now as well as at the session's end: a kill or a power cut later in the session
        // does not cost the score.
        scores.SaveScores();
    } else {
        g.End.NewHighScoreMode = 0;
        g.End.NewHighScorePosition = 0;
    }
}

}  // namespace tessaly
