// Start-up time of Tessaly: from the click on the launcher's Play button to the first title frame
// presented in the game window, step by step as a session takes them (the launcher closing, the
// game window, the engine with its device and warm-up frames, the splash, the session's tables,
// the media, the title's set-up and its first frame). Then the title's frames as it fades in, and
// what presenting one of them to the window costs alone.
//
// Run it from the build's bin/ folder on a display (Xvfb will do): it works in a temporary folder
// beside the program's files, without the splash picture unless given --splash. --runs N repeats
// the launcher and session N times in the one process (the first run is the cold one).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/EngineState.h"
#include "core/PelmarEngine.h"
#include "game/FrameLoop.h"
#include "game/GameState.h"
#include "game/Launcher.h"
#include "game/Media.h"
#include "game/Settings.h"
#include "game/Startup.h"
#include "game/Title.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/EventWatch.h"
#include "game/desktop/GameWindow.h"
#include "platform/GraphicsDevice.h"
#include "platform/Window.h"
#include "GameFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaly;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// Milliseconds from the kernel's start of this process to now (to its 10 ms tick).
double MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    // Field 22, starttime, counted from the field after the command name (field 3).
    const char* p = text.c_str() + close + 2;
    for (int field = 3; field < 22 && *p; ++field) p = std::strchr(p, ' ') + 1;
    const double startTicks = std::strtod(p, nullptr);
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = static_cast<double>(boot.tv_sec) * 1000.0 + static_cast<double>(boot.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Steps {
    std::vector<std::pair<std::string, double>> marks;  // step, ms since the click when it ended
    Clock::time_point click;
    void Mark(const char* step) { marks.emplace_back(step, MsSince(click)); }
};

// The launcher as the program shows it, drawn and given time to be mapped, then Play.
bool ClickPlay(Steps& steps) {
    std::string error;
    Launcher launcher;
    if (!launcher.Open(error)) {
        std::fprintf(stderr, "the launcher could not be opened: %s\n", error.c_str());
        return false;
    }
    const Clock::time_point shown = Clock::now();
    while (MsSince(shown) < 300) {
        launcher.Frame(desktop::DesktopTicks());
        desktop::WindowEvent event;
        while (desktop::NextWindowEvent(event, 10)) launcher.OnEvent(event, desktop::DesktopTicks());
    }
    steps.click = Clock::now();
    launcher.Play();
    while (launcher.Frame(desktop::DesktopTicks())) {
    }
    return true;
}

// One session from Play to the first title frame, then the title's fade-in and a present cost.
bool RunOnce(int run) {
    Steps steps;
    if (!ClickPlay(steps)) return false;
    steps.Mark("launcher closed");
    RunArea& r = Game().Run;
    r.QuitRequested = r.CloseAllowed = r.AbortSession = r.RestartGame = false;
    r.WindowActive = true;
    LoadConfig();
    std::string error;
    r.GameForm = desktop::GameWindow::Open(Game().Settings.FullScreen, kGameWidth, kGameHeight, kCaption, error);
    if (!r.GameForm) {
        std::fprintf(stderr, "no game window: %s\n", error.c_str());
        return false;
    }
    steps.Mark("game window opened");
    if (!InitEngine()) {
        std::fprintf(stderr, "the engine did not start\n");
        return false;
    }
    steps.Mark("engine and device started (warm-up included)");
    E().Sprite()->Init(kSpriteTotal);
    ShowSplashLogo();
    steps.Mark("splash");
    r.AbortSession = false;
    SetUpSessionTables();
    steps.Mark("session tables");
    if (!LoadMedia()) {
        std::fprintf(stderr, "the media did not load\n");
        return false;
    }
    steps.Mark("media loaded");
    InitTitle();
    steps.Mark("title set up");
    ResetLogoPulse();
    Game().Frame.InGame = true;
    TitleFrame();
    steps.Mark("first title frame presented");

    std::printf("run %d (load %s)\n", run, plmbench::LoadAverage().c_str());
    double last = 0;
    for (const auto& [step, at] : steps.marks) {
        std::printf("  %-46s %7.1f ms  (+%6.1f)\n", step.c_str(), at, at - last);
        last = at;
    }

    // The fade-in to its end, frame by frame, then one of its frames presented again and again on
    // its own.
    const Clock::time_point fadeStart = Clock::now();
    std::vector<double> frames;
    while (Game().Fade.FadeOn && frames.size() < 2000) {
        const Clock::time_point t = Clock::now();
        TitleFrame();
        frames.push_back(MsSince(t));
    }
    const double fadeMs = MsSince(fadeStart);
    std::sort(frames.begin(), frames.end());
    double sum = 0;
    for (double f : frames) sum += f;
    const size_t n = frames.size();
    std::printf("  fade-in over after %.0f ms, %zu frames: mean %.2f ms, median %.2f ms, slowest %.2f ms\n", fadeMs, n,
                sum / static_cast<double>(n), frames[n / 2], frames.back());
    constexpr int kFrames = 150;
    plm::platform::Image frame;
    auto window = plm::platform::FindWindow(r.GameForm->Handle());
    if (window && plm::State().D3DDevice->ReadPresentedFrame(frame)) {
        // The frame and its negative in turn, so that every one is new to the window.
        std::vector<uint32_t> negative(frame.pixels);
        for (uint32_t& p : negative) p ^= 0x00FFFFFFu;
        const Clock::time_point t = Clock::now();
        for (int i = 0; i < kFrames; ++i)
            window->PresentFrame(i % 2 ? negative.data() : frame.pixels.data(), frame.width, frame.height);
        std::printf("  presenting a frame to the window alone: %.2f ms\n", MsSince(t) / kFrames);
    }
    window.reset();

    StopAllSounds();
    E().Pak()->CleanUp(false);
    ShutdownEngine();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const double toMain = MsSinceProcessStart();
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // measured without a sound device
    bool splash = false;
    int runs = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--splash") == 0) splash = true;
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    }
    const fs::path bin = fs::absolute(fs::path(argv[0])).parent_path();
    const fs::path folder = fs::temp_directory_path() / ("tessaly-startup-" + std::to_string(::getpid()));
    std::vector<std::string> files{"media.pak", "gdata.dat", "help.htm", "othergames.dat ", "launcher.bmp", "about.bmp"};
    if (splash) files.emplace_back("affimage.jpg");
    if (!plmbench::MakeGameFolder(bin, folder, files)) return 1;
    Game().Run.Folder = folder.string() + "/";
    std::string error;
    if (!desktop::StartDesktop(error)) {
        std::fprintf(stderr, "no window system: %s\n", error.c_str());
        return 1;
    }
    std::printf("Tessaly start-up, from the click on Play to the first title frame presented%s\n",
                splash ? " (with the splash picture)" : " (no splash picture)");
    std::printf("process start to main: %.0f ms (to the kernel's 10 ms tick)\n", toMain);
    if (!desktop::HasDisplay()) std::printf("(no display: SDL's headless driver, nothing is really presented)\n");
    bool ok = true;
    {
        desktop::EventWatch watch(&OnWindowEvent);
        for (int run = 1; run <= runs && ok; ++run) ok = RunOnce(run);
    }
    desktop::StopDesktop();
    std::error_code ec;
    fs::remove_all(folder, ec);
    return ok ? 0 : 1;
}
