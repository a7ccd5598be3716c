#include "Session.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "Board.h"
#include "BoardFx.h"
#include "EndSequences.h"
#include "Fade.h"
#include "Falling.h"
#include "GameState.h"
#include "IncomingRows.h"
#include "Levels.h"
#include "Matching.h"
#include "Media.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kOpeningHoldMs = 5000;
constexpr int32_t kLevelsPerBackground = 4;
constexpr int32_t kLevelsPerTrack = 8;
constexpr int32_t kSuccessSample = 10;
constexpr const char* kSurvivalPicture = "survival.jpg";
// The incoming-row strip: its hover box, and the strict bounds a click in it must lie within.
constexpr media::Rect kStripHoverBox{192, 11, 410, 56};
constexpr int32_t kStripLeft = 195, kStripRight = 602, kStripTop = 12, kStripBottom = 67;

int32_t SecondsSinceMidnight() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

// Modes 3 and 4 keep the board from level to level; the others clear it at the end of each.
bool KeepsBoard(int32_t mode) { return mode == 3 || mode == 4; }

// The level's row interval; mode 4 always runs at half the last level's.
float LevelRowInterval(int32_t level) {
    return Game().Session.GameMode == 4 ? RowTicks(kLevels) / 2 : RowTicks(level);
}

// The state countdown of the opening and next-board holds; true when it ran out.
bool CountDown(int32_t& timer) {
    timer = plm::Int(timer - E().Delta());
    if (timer >= 0) return false;
    timer = 0;
    return true;
}

void WinGame() {
    SessionArea& s = Game().Session;
    s.Level = kLevels;
    Game().Frame.InGame = false;
    s.GameWon = true;
    s.GameOver = true;
}

// The quota of the next level, and a new music track every eighth level.
void NextQuota() {
    SessionArea& s = Game().Session;
    s.Quota += s.QuotaStep;
    s.GemsLeft = s.Quota;
    if (++s.TrackLevelCount >= kLevelsPerTrack) {
        s.TrackLevelCount = 0;
        UpdatePlaylist();
    }
}

// The incoming row may drop at once when no falling gem is near the top and a preview shows.
bool RowMayDrop() { return !IsGemFallingNearTop() && E().Sprite()->IsAnyOfTheseOn(kPreviewSpriteFirst, kPreviewSpriteLast, false); }

void UpdateMenuBox() {
    SessionArea& s = Game().Session;
    s.LastGuiEvent = E().Gui()->GetEvent();
    if (!s.LastGuiEvent.eEventRaised) return;
    PlayNopeSound();
    s.DialogOpen = false;
    if (s.LastGuiEvent.eEventIndex == 1) {
        if (!Game().Frame.LeaveAfterFade) QuitToTitle();
    } else if (s.LastGuiEvent.eEventIndex == 2) {
        s.GameState = s.SavedState;
    }
}

}  // namespace

bool InitGame() {
    plm::PelmarEngine& e = E();
    GameState& g = Game();
    SessionArea& s = g.Session;
    // The first mode plays the level file's rows: without them there is no game to play, so the
    // game is refused before anything changes and the player is told.
    if (s.GameMode == 1 && !LoadGameData()) return false;
    s.MatchSample = 2;
    BuildGameGui();
    g.Frame.LeaveAfterFade = false;
    s.GameOver = false;
    e.Scene()->SetClearFlags(plm::TargetNotCleared);
    e.Lib()->RandomizeSeed(SecondsSinceMidnight());
    ShuffleSparkleCells();
    e.Sprite()->TurnOffAll(true, true);
    e.Map()->SetDrawArea(media::kBoardOrigin.x, media::kBoardOrigin.y, 25, 17);
    WipeBoard();

    g.Cursor.CursorAlpha = 255;
    g.Cursor.CursorPulse = 0.5f;
    g.Cursor.SparkleTimer = 0;
    g.Board.MarkedCount = 0;
    s.GameWon = false;
    g.Incoming.TopRowFull = false;
    s.PointsPerGem = 10;
    s.ComboWindow = 1800;
    g.Scoring = ScoringArea{};
    g.Incoming.PreviewsShown = 0;
    g.Fx.FireworksTimer = 0;
    g.Fx.FireworksDelay = 0;
    s.GemsLeft = s.Quota = s.QuotaStep = s.Score = s.DisplayedScore = s.RowIndex = 0;
    s.HoverPreview = false;
    s.DialogOpen = false;

    switch (s.GameMode) {
    case 1: break;
    case 4: BuildLevelSpecials(); break;
    case 5:
        BuildLevelSpecialsMode5();
        s.HoverPreview = true;
        break;
    default:
        BuildLevelSpecials();
        s.HoverPreview = true;
        break;
    }

    s.BackgroundLoaded = -1;
    s.Level = std::clamp(s.StartLevel, 1, kLevels);
    InitBackgroundOrder();
    s.BackgroundWanted = plm::IntDiv(s.Level - 1, kLevelsPerBackground) + 1;
    s.Quota = s.GemsLeft = s.Level * 10;
    s.QuotaStep = s.GameMode == 5 ? 5 : 10;
    s.RowInterval = RowTicks(1);
    if (s.GameMode == 3) {
        e.Texture()->Load(2, std::to_string(s.ModePicture) + "b.jpg", 0, false, 0);
    } else if (s.GameMode == 4) {
        e.Texture()->Load(2, kSurvivalPicture, 0, false, 0);
        s.RowInterval = RowTicks(kLevels) / 2;
    } else {
        LoadLevelBackground();
    }
    s.RowTimer = s.RowInterval;
    s.RowIndex = 0;

    const media::Rect banner = media::kBannerOpening;
    e.Sprite()->Activate(kLevelBannerSprite, 382, 150, 1, banner.x, banner.y, 0, 0, banner.w, banner.h, false, true);
    e.SpriteEngine()->SetFadeOnFadeOff(kLevelBannerSprite, 1.0f, 4000, true);
    s.GameState = kStateOpening;
    s.StateTimer = kOpeningHoldMs;
    StartRandomPlaylist();
    StartFade(255, -0.08f);
    return true;
}

void UpdateGame() {
    GameState& g = Game();
    SessionArea& s = g.Session;
    plm::PelmarEngine& e = E();
    const media::Rect menu = media::kMenuButtonHitBox;
    s.OverMenuButton = e.Mouse()->IsOverBox(menu.x, menu.y, menu.w, menu.h);
    if (g.Frame.MouseClicked && s.OverMenuButton && !s.DialogOpen) {
        s.SavedState = s.GameState;
        s.GameState = kStateMenu;
        BuildGameGui();
        s.DialogOpen = true;
        PlayNopeSound();
    }
    switch (s.GameState) {
    case kStatePlay:
        HandleIncomingRow();
        if (g.Incoming.TopRowFull) {
            g.Frame.InGame = false;
            s.GameOver = true;
        } else {
            UpdateFallingGems();
            HandlePlayInput();
        }
        break;
    case kStateOpening:
        if (CountDown(s.StateTimer)) {
            s.GameState = kStatePlay;
            NewBoard();
        }
        break;
    case kStateBoardClear: UpdateBoardClear(); break;
    case kStateNextBoard:
        if (CountDown(s.StateTimer)) {
            s.GameState = kStatePlay;
            s.Level += 1;
            if (s.Level > kLevels) {
                WinGame();
            } else {
                NewBoard();
                NextQuota();
            }
        }
        break;
    case kStateMenu: UpdateMenuBox(); break;
    default: break;  // quitting: the fade runs out
    }
}

void HandlePlayInput() {
    GameState& g = Game();
    SessionArea& s = g.Session;
    plm::Mouse& mouse = *E().Mouse();
    s.OverPreviewStrip = mouse.IsOverBox(kStripHoverBox.x, kStripHoverBox.y, kStripHoverBox.w, kStripHoverBox.h);
    if (g.Frame.MouseClicked) {
        const float x = mouse.X(), y = mouse.Y();
        if (y > kStripTop && y < kStripBottom && x > kStripLeft && x < kStripRight && RowMayDrop()) HandleIncomingRowInstant();
        ClickBoard(false);
        if (s.GemsLeft < 1) {
            s.GemsLeft = 0;
            if (KeepsBoard(s.GameMode)) LevelUp();
            else StartBoardClear();
            return;
        }
    }
    if ((E().Key()->PressedOnce(kKeySpace) || mouse.Button2PressedOnce()) && RowMayDrop()) HandleIncomingRowInstant();
}

void NewBoard() {
    plm::PelmarEngine& e = E();
    SessionArea& s = Game().Session;
    s.BackgroundWanted = plm::IntDiv(s.Level - 1, kLevelsPerBackground) + 1;
    LoadLevelBackground();
    WipeBoard();
    s.RowIndex = 0;
    s.RowInterval = LevelRowInterval(s.Level);
    const int32_t rows = PrefillRows(s.Level);
    if (rows > 0) {
        plm::Map& map = *e.Map();
        for (int32_t y = kEntryRow; y <= rows + 1; ++y) {
            s.RowIndex += 1;
            for (int32_t x = kBoardLeft; x <= kBoardRight; ++x) {
                const float fx = static_cast<float>(x), fy = static_cast<float>(y);
                map.FxOff(fx, fy, kBoardLayer);
                map.Value(fx, fy, kBoardLayer,
                          static_cast<float>(KindFirstValue(LevelRows(s.Level, s.RowIndex, x - kBoardLeft + 1))));
            }
        }
        StartFall(kPlayBottom, true);
    }
    ResetIncomingRow();
    PlayBoardSound(kRowDropSample);
}

void LevelUp() {
    plm::PelmarEngine& e = E();
    SessionArea& s = Game().Session;
    s.GameState = kStatePlay;
    s.Level += 1;
    if (s.Level > kLevels) {
        WinGame();
        return;
    }
    s.RowIndex = 0;
    s.RowInterval = LevelRowInterval(s.Level);
    NextQuota();
    const media::Rect banner = media::kBannerLevelUp;
    e.Sprite()->Activate(kLevelBannerSprite, 382, 240, 1, banner.x, banner.y, 0, 0, banner.w, banner.h, false, true);
    e.SpriteEngine()->SetFadeOnFadeOff(kLevelBannerSprite, 0.2f, 2000, true);
    e.SpriteEngine()->Move(kLevelBannerSprite, 0, -0.025f, 0, -500, 800, 600, 0);
    PlayBoardSound(kSuccessSample);
}

void LoadLevelBackground() {
    SessionArea& s = Game().Session;
    if (KeepsBoard(s.GameMode) || s.BackgroundWanted == s.BackgroundLoaded) return;
    const int32_t index = std::clamp(s.BackgroundWanted, 1, static_cast<int32_t>(s.BackgroundOrder.size())) - 1;
    s.BackgroundLoaded = s.BackgroundWanted;
    E().Texture()->Load(2, std::to_string(s.BackgroundOrder[index]) + "b.jpg", 0, false, 0);
}

void BuildGameGui() {
    plm::Gui& gui = *E().Gui();
    gui.Reset();
    const media::Rect box = media::kMenuBox;
    gui.AddTile(1, box.x, box.y, box.w, box.h, media::kMenuBoxAt.x, media::kMenuBoxAt.y, 1, 255, 0, true);
    const media::Rect leaveUp = media::kLeaveUp, leaveDown = media::kLeaveDown;
    gui.AddButton(1, leaveUp.w, leaveUp.h, leaveUp.x, leaveUp.y, leaveDown.x, leaveDown.y, leaveDown.x, leaveDown.y,
                  media::kLeaveAt.x, media::kLeaveAt.y, 1, 0, 0, 255, 255, 255, 255, true, true);
    const media::Rect goUp = media::kContinueUp, goDown = media::kContinueDown;
    gui.AddButton(1, goUp.w, goUp.h, goUp.x, goUp.y, goDown.x, goDown.y, goDown.x, goDown.y, media::kContinueAt.x,
                  media::kContinueAt.y, 1, 0, 0, 255, 255, 255, 255, true, true);
}

void QuitToTitle() {
    Game().Session.GameState = kStateQuitting;
    StartFade(0, 0.1f);
    Game().Frame.LeaveAfterFade = true;
}

}  // namespace tessaly
