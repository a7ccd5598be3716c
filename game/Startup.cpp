#include "Startup.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "FrameLoop.h"
#include "GameState.h"
#include "Launcher.h"
#include "Levels.h"
#include "Media.h"
#include "MediaLayout.h"
#include "Session.h"
#include "Settings.h"
#include "Title.h"
#include "desktop/Desktop.h"
#include "desktop/EventWatch.h"
#include "desktop/GameWindow.h"
#include "desktop/MessageBoxes.h"
#include "core/EngineProcs.h"
#include "core/FileIO.h"
#include "core/Paths.h"

namespace tessaly {
namespace {

constexpr const char* kDeviceFailure = "The DirectX interface could not be initialized!";
constexpr const char* kAlreadyRunning = "Tessaly is already running from this folder.";
constexpr int32_t kSplashSprite = 1;
constexpr const char* kDamagedSuffix = ".damaged";
// A damaged score file larger than this is moved aside instead of copied.
constexpr uint64_t kMaxKeptScoreFileBytes = 64ull << 20;

void ShowMessage(const std::string& text) { desktop::ShowMessageBox(kCaption, text, Game().Run.Recorder.get()); }

// Every table 1..5 and place 1..10 gets the game's default row: "GUEST", the level text "1",
// the score as Init set it.
void FillDefaultScores() {
    auto scores = E().HighScores();
    for (int32_t table = 1; table <= kHighScoreTables; ++table)
        for (int32_t place = 1; place <= kHighScorePlaces; ++place) scores->SetHighScore(place, "GUEST", -1, "1", "", table);
}

// A table with rows read from a damaged file and default rows after them, in score order again,
// best first; rows of equal score keep their order. A table already in order is left untouched.
void RankTable(plm::HighScores& scores, int32_t table) {
    std::vector<plm::HighScoreEntry> rows;
    for (int32_t place = 1; place <= kHighScorePlaces; ++place)
        rows.push_back({scores.GetScore(place, table), scores.GetName(place, table),
                        scores.GetDataString1(place, table), scores.GetDataString2(place, table)});
    auto higher = [](const plm::HighScoreEntry& a, const plm::HighScoreEntry& b) { return a.Score > b.Score; };
    if (std::is_sorted(rows.begin(), rows.end(), higher)) return;
    std::stable_sort(rows.begin(), rows.end(), higher);
    for (int32_t place = 1; place <= kHighScorePlaces; ++place) {
        const plm::HighScoreEntry& r = rows[static_cast<size_t>(place - 1)];
        // A negative score (a hand-edited file) cannot be stored again; it ranks last as 0.
        scores.SetHighScore(place, r.Name, std::max(r.Score, 0), r.DataString1, r.DataString2, table);
    }
}

// A score file that could not be read whole is kept beside it (one copy, replaced by the next
// damaged file) before the session's tables are saved over it: what the damage hid from the
// reader is not lost. Without room for a copy the file itself is moved aside.
void KeepDamagedScoreFile(const std::string& path) {
    const std::string kept = path + kDamagedSuffix;
    std::string bytes;
    bool ok = plm::ReadWholeFile(path, bytes, kMaxKeptScoreFileBytes) && plm::WriteWholeFile(kept, bytes);
    if (!ok) ok = std::rename(path.c_str(), kept.c_str()) == 0;
    E().Log(ok ? "Tessaly: " + std::string(media::kScoresFile) + " is damaged; kept as " + media::kScoresFile +
                     kDamagedSuffix
               : "Tessaly: " + std::string(media::kScoresFile) + " is damaged and could not be kept aside");
}

}  // namespace

void ReportStartFailure(const std::string& text) {
    std::fprintf(stderr, "Tessaly: %s\n", text.c_str());
    std::string error;
    EngineHandle engine = CreateEngine(Game().Run.Folder, error);
    if (!engine) return;
    engine->Path(Game().Run.Folder);
    engine->Log("Tessaly: " + text);
}

int Main() {
    RunArea& run = Game().Run;
    std::string error;
    if (!desktop::StartDesktop(error)) {
        ReportStartFailure("The window system could not be started: " + error);
        return 1;
    }
    // One copy a folder: two would delete each other's unpacked media and write their high
    // scores over each other's. The second says so and leaves, before it touches any file.
    if (!run.Lock.Take(run.Folder)) {
        std::fprintf(stderr, "Tessaly: %s\n", kAlreadyRunning);
        // With no display to show a box on, the line above is the message.
        if (desktop::HasDisplay() || run.Recorder) ShowMessage(kAlreadyRunning);
        desktop::StopDesktop();
        return 1;
    }
    int code = 0;
    {
        // Before any window has a renderer, so the watch sees pointer positions in window pixels.
        desktop::EventWatch watch(&OnWindowEvent);
        while (!run.EndProgram) {
            if (!ShowLauncher(error)) {
                ReportStartFailure("The launcher could not be opened: " + error);
                code = 1;
                break;
            }
            if (!run.PlayChosen) break;
            do {
                RunSession();
            } while (run.RestartGame && !run.EndProgram);
        }
    }
    desktop::StopDesktop();
    return code;
}

void RunSession() {
    RunArea& run = Game().Run;
    run.QuitRequested = run.CloseAllowed = run.AbortSession = run.RestartGame = false;
    // An earlier session's message is not shown again.
    run.ErrorText.clear();
    run.WindowActive = true;
    LoadConfig();
    std::string error;
    run.GameForm = desktop::GameWindow::Open(Game().Settings.FullScreen, kGameWidth, kGameHeight, kCaption, error);
    if (run.GameForm && InitEngine())
        GameMain();
    else
        ShowMessage(kDeviceFailure);
    SaveConfig();
    ShutdownEngine();
    if (!run.ErrorText.empty()) ShowMessage(run.ErrorText);
}

bool InitEngine() {
    RunArea& run = Game().Run;
    const SettingsArea& settings = Game().Settings;
    // Windowed, the window shows before the engine starts; full screen it shows as the device
    // takes it over.
    if (!settings.FullScreen) run.GameForm->SetCaption(kCaption);
    run.GameForm->Show();
    desktop::PumpDesktopEvents();

    std::string error;
    run.Engine = CreateEngine(run.Folder, error);
    if (!run.Engine) {
        std::fprintf(stderr, "Tessaly: the engine could not be created: %s\n", error.c_str());
        return false;
    }
    plm::PelmarEngine& e = E();
    e.Path(run.Folder);
    e.LogState(run.KeepEngineLog);
    e.Initialize();
    e.LogState(run.KeepEngineLog);
    const int32_t window = run.GameForm->Handle();
    e.Bass()->Init(window, 44100);
    e.Bass()->PanWidth(800);
    auto d = e.Device();
    d->ColorBitDepth(settings.TrueColor ? 32 : 16);
    d->DepthStencilFormat(80);
    d->EnableDepthStencil(false);
    d->FullScreenMouseModeExclusive(false);
    d->FullScreenVsync(settings.VSync);
    d->MaxTextures(5);
    d->RefreshRate(0);
    d->ScreenWidth(kGameWidth);
    d->ScreenHeight(kGameHeight);
    d->ShowLogo(false);
    d->TripleBufferedGraphics(false);
    d->Windowed(!settings.FullScreen);
    d->FormhWnd(window);
    d->TargethWnd(window);
    if (run.BeforeInitDevice) run.BeforeInitDevice(e);
    if (!e.InitDevice()) return false;
    // A frame cap chosen with F1 or F2 in an earlier session holds in this one too.
    ApplyFrameCap();
    return true;
}

void ShutdownEngine() {
    RunArea& run = Game().Run;
    if (run.Engine) {
        E().Bass()->Terminate();
        E().Terminate();
        run.Engine.reset();
    }
    if (run.GameForm) {
        run.GameForm->Hide();
        run.GameForm.reset();
    }
    desktop::PumpDesktopEvents();
}

void GameMain() {
    RunArea& run = Game().Run;
    E().Sprite()->Init(kSpriteTotal);
    // A close during the splash ends the splash only: the session goes on to its tables, media
    // and title, whose first frame sees the request and ends the session, the high scores read
    // and saved as at any other end.
    ShowSplashLogo();
    run.AbortSession = false;
    SetUpSessionTables();

    if (!LoadMedia()) {
        run.ErrorText = "Error loading media.";
    } else {
        for (;;) {
            if (!InitTitle()) {
                run.ErrorText = "Error during title init.";
                break;
            }
            RunTitle();
            if (run.AbortSession) break;
            if (Game().Session.GameMode < 1) {
                run.AbortSession = true;
                break;
            }
            if (!InitGame()) {
                run.ErrorText = "Error during game init.";
                break;
            }
            RunGameLoop();
            if (run.AbortSession) break;
        }
    }
    E().HighScores()->SaveScores();
    E().Pak()->CleanUp(false);
}

void LoadHighScores() {
    auto scores = E().HighScores();
    scores->Init(media::kScoresFile, kHighScorePlaces, 1000, kHighScoreTables);
    // The default rows go in first: a file that is damaged part way then replaces only the rows
    // it holds whole, and every score read keeps its name and level.
    FillDefaultScores();
    const std::string path = plm::FilePath(media::kScoresFile);
    // A save of an earlier run killed mid-way may have left its temporary file.
    plm::RemoveStaleTemporaries(path);
    if (scores->LoadScores()) return;
    if (!plm::FileHasData(path)) return;  // no file yet: the default tables
    KeepDamagedScoreFile(path);
    for (int32_t table = 1; table <= kHighScoreTables; ++table) RankTable(*scores, table);
}

void SetUpSessionTables() {
    RunArea& run = Game().Run;
    LoadHighScores();
    InitDiamondMask();
    Game().Settings.BaseWindowWidth = run.GameForm->OuterWidth();
    Game().Settings.BaseWindowHeight = run.GameForm->OuterHeight();
    Game().Settings.WindowSizeStep = 3;
    E().SpritePFX()->Init(3, 300, 2);
    E().FontFader()->Init(20);
}

void ShowSplashLogo() {
    E().Lib()->MouseHide();
    desktop::PumpDesktopEvents();
    // The splash is optional: without its picture there is none.
    if (E().Texture()->Load(1, media::kSplashFile, -1, false, 0)) {
        E().Sprite()->Activate(kSplashSprite, 400, 300, 1, 0, 0, 0, 0, 256, 256, false, true);
        E().SpriteEngine()->SetFadeOnFadeOff(kSplashSprite, 0.2f, 3000, true);
        while (SplashFrame()) {
        }
    }
    E().Lib()->MouseShow();
    desktop::PumpDesktopEvents();
}

bool SplashFrame() {
    RunArea& run = Game().Run;
    if (run.QuitRequested) {
        UnloadGameForm();
        return false;
    }
    PauseWhileInactive();
    if (E().Scene()->DeviceLost() == 1) {
        run.AbortSession = true;
        return false;
    }
    E().Scene()->Begin();
    E().Sprite()->Render();
    E().Scene()->Render();
    return E().Sprite()->Enabled(kSplashSprite);
}

}  // namespace tessaly
