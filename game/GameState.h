#pragma once
// The game's program-wide variables: one struct, grouped by the area that owns each variable,
// reached through Game(). Members keep the names the game's rules use; singles are float,
// Booleans bool, 16-bit values int16_t. Nothing else in the game is global.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Records.h"
#include "core/Table.h"
#include "EngineLoader.h"
#include "FolderLock.h"

namespace tessaly {

namespace desktop {
class GameWindow;  // the session's game window
struct DesktopRecorder;
}  // namespace desktop

// Sprite slots the game reserves (the sprite table holds 237).
constexpr int32_t kSpriteTotal = 237;
constexpr int32_t kBoardClearBannerSprite = 1;
constexpr int32_t kLevelBannerSprite = 11;    // the opening and the level-up banner
constexpr int32_t kSparkleSpriteFirst = 11, kSparkleSpriteLast = 20;
constexpr int32_t kFallingGemFirst = 21, kFallingGemLast = 224;
constexpr int32_t kPreviewSpriteFirst = 225, kPreviewSpriteLast = 236;
// Keyboard scan codes the game reads.
enum ScanCode : int32_t {
    kKeyEscape = 1, kKeyS = 31, kKeyF = 33, kKeySpace = 57,
    kKeyF1 = 59, kKeyF2 = 60, kKeyF3 = 61, kKeyF11 = 87, kKeyF12 = 88
};
// The board is layer 1 of the map.
constexpr int32_t kBoardLayer = 1;
constexpr int32_t kLevels = 40;
// The high-score tables: ten places in each of five tables, one a game mode.
constexpr int32_t kHighScorePlaces = 10, kHighScoreTables = 5;

// Program start, sessions and their end.
struct RunArea {
    EngineHandle Engine;                 // the engine root of the running session
    std::shared_ptr<desktop::GameWindow> GameForm;  // the game window of this session
    std::string Folder;                  // the program's own folder, ending in "/"
    bool PlayChosen = false;
    bool RestartGame = false;
    bool QuitRequested = false;
    bool CloseAllowed = false;
    bool AbortSession = false;
    std::string ErrorText;  // shown after the session ends; empty = none
    bool WindowActive = true;  // the game window has the input focus (its events set it)
    bool EndProgram = false;   // a terminate signal: no launcher after this session
    FolderLock Lock;           // this copy's claim on the program's folder, taken by Main
    // Tests: message boxes and shell calls go here instead of the desktop; the engine's log stays
    // on through the session; a step run just before InitDevice (to make the device fail).
    std::shared_ptr<desktop::DesktopRecorder> Recorder;
    bool KeepEngineLog = false;
    std::function<void(plm::PelmarEngine&)> BeforeInitDevice;
};

// The running frame loop and the pointer in the 800 x 600 game space.
struct FrameArea {
    bool InGame = false;
    bool LeaveAfterFade = false;
    float FixedDelta = 0;  // ms; above 0 the game loop forces the engine's Delta to it
    float GameMouseX = 0, GameMouseY = 0;
    bool MouseClicked = false;
    float ScoreCountTimer = 0;  // ms, step of the displayed score's count-up
};

// One game: mode, level, state machine, timers and quota.
struct SessionArea {
    int32_t GameMode = 0;   // 1..5; below 1 the title asked to quit
    int32_t StartLevel = 1;
    int32_t Level = 1;
    int32_t GameState = 0;  // 0 play, 2 opening hold, 3 board clear, 4 next-board hold, 5 quitting, 6 menu box
    int32_t StateTimer = 0;
    int32_t SavedState = 0;
    int32_t Score = 0;
    int32_t DisplayedScore = 0;
    int32_t Quota = 0;
    int32_t QuotaStep = 10;
    int32_t GemsLeft = 0;
    bool GameWon = false;
    bool GameOver = false;
    bool HoverPreview = false;
    float RowInterval = 0, RowTimer = 0;  // ms
    int32_t RowIndex = 0;
    int32_t PointsPerGem = 10;
    float ComboWindow = 1800;  // ms
    int32_t TrackLevelCount = 0;
    int32_t BackgroundWanted = 1;
    int32_t BackgroundLoaded = -1;
    std::array<int32_t, 10> BackgroundOrder{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    int32_t ModePicture = 1;
    int32_t MatchSample = 2;
    bool OverMenuButton = false, OverPreviewStrip = false;
    bool DialogOpen = false;
    plm::PLMGuiEvent LastGuiEvent;  // the last GUI event read (menu box and title)
};

// The settings file's seven values and the window size.
struct SettingsArea {
    bool TrueColor = true;
    bool FullScreen = false;
    int32_t SoundVolume = 80;
    int32_t MusicVolume = 90;
    int32_t GammaSetting = 50;
    bool VSync = true;
    std::string CurrentPlayer = "GUEST";
    int32_t WindowSizeStep = 3;  // 1..9, 3 is the natural size
    int32_t BaseWindowWidth = 0, BaseWindowHeight = 0;  // outer size at the natural size
};

// Loaded sound slots and the music playlist.
struct MediaArea {
    int32_t SampleCount = 0;
    int32_t MusicCount = 0;
    plm::Table<int32_t> Playlist;  // music slots in playing order, 1..PlaylistLength
    int32_t PlaylistLength = 0;
    int32_t PlaylistPosition = 0;  // entry now playing; 0 before any list
    bool PlaylistActive = false;
};

struct MarkedCell {
    float X = 0, Y = 0;
    float Kind = 0;
};

// The board model: the marked-cell list and the last clicked cell.
struct BoardArea {
    plm::Table<MarkedCell> MarkedCells = plm::Table<MarkedCell>(1000);
    int32_t MarkedCount = 0;
    plm::PLMXY ClickedCell;
};

// Clearing and combos.
struct ScoringArea {
    float Multiplier = 0;  // whole numbers; 0 when no chain runs
    float ComboTimer = 0;  // ms
    int32_t PopupColour = 0;
};

struct IncomingSlot {
    float X = 0, Y = 0;
    float Value = 0;
    bool Shown = false;
};

// The incoming row.
struct IncomingArea {
    std::array<IncomingSlot, 12> IncomingSlots{};  // slot i at column i + 6
    float PreviewsShown = 0;                     // 0..12
    bool TopRowFull = false;
};

// The cursor box and the idle sparkle.
struct CursorArea {
    float CursorAlpha = 255;
    float CursorPulse = 0.5f;
    float SparkleTimer = 0;
};

struct LevelColourRange {
    int16_t Lowest = 1, Highest = 1;
};

struct SparkleCell {
    int32_t X = 0, Y = 0;
};

// The level tables: tile values, the blast mask, the per-level rules and the incoming rows.
struct LevelsArea {
    static constexpr int32_t kRows = 250, kColumns = 12;
    std::array<int32_t, 1001> TileKind{};      // by tile value 0..1000
    std::array<int32_t, 51> KindFirstValue{};  // by kind 0..50
    int32_t WallTile = 0;
    int32_t CheckerTile = 0;
    std::array<int16_t, kLevels> PrefillRows{};  // index level - 1
    std::array<float, kLevels> RowTicks{};       // index level - 1, ms
    // [column 0..6][row 0..8] = (dx, dy); (100, 100) outside the blast.
    std::array<std::array<std::array<int16_t, 2>, 9>, 7> DiamondMask{};
    // Kind of each slot, flat: ((level - 1) * kRows + row - 1) * kColumns + column - 1.
    std::vector<int16_t> LevelRows = std::vector<int16_t>(kLevels * kRows * kColumns);
    std::array<LevelColourRange, kLevels> LevelColours{};         // index level - 1
    std::array<std::array<int16_t, 14>, kLevels> LevelSpecials{};  // [level - 1][0] = count
    std::array<int16_t, kLevels> SpecialEvery{};                   // index level - 1
    plm::Table<SparkleCell> SparkleCells = plm::Table<SparkleCell>(300);
    int32_t SparkleIndex = 0;
};

// The board-clear sweep, the game-over sequence and the last high score.
struct EndArea {
    int32_t SweepRow = 0;
    float SweepTimer = 0;
    int32_t SweepBonus = 0;
    bool CheckerPhase = false;
    int32_t NewHighScoreMode = 0, NewHighScorePosition = 0;
};

// Board shake, fireworks and the board-clear effect cycle.
struct FxArea {
    float ShakeTimer = 0;
    float FireworksTimer = 0;
    float FireworksDelay = 0;
    int32_t FireworksSound = 0;
    int32_t BoardClearEffect = 0;  // last effect run; never reset
};

// The one screen fade and the text entry's cursor blink.
struct FadeArea {
    bool FadeOn = false;
    float FadeAlpha = 0;
    float FadeStep = 0;  // alpha per ms; negative fades in
    float CursorTimer = 0;
    bool CursorShown = false;
};

struct PictureSource {
    int32_t SrcX = 0, SrcY = 0;
};

// The title screen's page, menu and carousel, kept between visits of the title.
struct TitleArea {
    int32_t TitlePage = 1;
    float MenuAlpha = 255;
    bool MenuGhosted = false;
    bool ShowingHighScores = false;
    int32_t HighScorePage = 1;
    bool ShowingCarousel = false;
    bool ShowingHelp = false;
    bool EnteringName = false;
    float PreviewVolume = 0;
    bool SavedFullScreen = false, SavedTrueColor = false, SavedVSync = false;
    float CarouselOffset = 0;
    bool CarouselScrolling = false;
    float CarouselSpeed = 0;
    float CarouselTarget = 0;
    plm::Table<PictureSource> PictureSources = plm::Table<PictureSource>(10);
    float LogoScale = 0.8f, LogoScaleStep = 0.00008f;  // the logo's pulse, reset by every RunTitle
};

struct GameState {
    RunArea Run;
    FrameArea Frame;
    SessionArea Session;
    SettingsArea Settings;
    MediaArea Media;
    BoardArea Board;
    ScoringArea Scoring;
    IncomingArea Incoming;
    CursorArea Cursor;
    LevelsArea Levels;
    EndArea End;
    FxArea Fx;
    FadeArea Fade;
    TitleArea Title;
};

// The game state of this process.
GameState& Game();

// Puts every variable back as the program starts with it (drops the engine root it holds).
void ResetGame();

// The engine root of the running session; only valid while Game().Run.Engine is set.
plm::PelmarEngine& E();

}  // namespace tessaly
