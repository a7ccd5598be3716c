// What the game costs while it is played: the title screen and a game in play (an idle board), run
// by the game's own frame functions as the program runs them, headless (SDL's dummy video driver:
// nothing is shown) and in a window on the display (Xvfb will do). For each: frames a second, wall
// ms a frame, CPU ms a frame (the process's CPU time, every thread) and the cores that makes,
// uncapped and with the game's own frame caps of 30 and 20 frames a second (F2, F1, pressed
// through the scripted keyboard), on the device's own choice of drawing threads and on 1 and 8;
// for a capped run also the interval between frames on the real clock (mean, spread, least and
// most). In the window, also what presenting a frame to it costs alone.
//
// Run it from the build's bin/ folder: `plm_bench_play` runs the headless part, then the window
// part when DISPLAY is set (each in a child process of its own, so each starts SDL afresh).
// --frames N sets the frames of a capped run (100), --seconds S the length of an uncapped run
// (2), --threads LIST which choices to run (default,1,8), --screens LIST which screens
// (title,game), --server PID adds the CPU time of that process (the X server) a frame.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/PelmarEngine.h"
#include "game/FrameLoop.h"
#include "game/GameState.h"
#include "game/Media.h"
#include "game/Session.h"
#include "game/Settings.h"
#include "game/Startup.h"
#include "game/Title.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/EventWatch.h"
#include "game/desktop/GameWindow.h"
#include "platform/GraphicsDevice.h"
#include "platform/test/ScriptedInput.h"
#include "platform/software/SoftwareDevice.h"
#include "platform/Window.h"
#include "GameFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaly;
using WallClock = std::chrono::steady_clock;

struct Options {
    int cappedFrames = 100;
    double uncappedSeconds = 2;
    std::vector<int> threads{0, 1, 8};  // 0: the device's own choice
    std::vector<std::string> screens{"title", "game"};
    int serverPid = 0;
};

double WallMs() { return std::chrono::duration<double, std::milli>(WallClock::now().time_since_epoch()).count(); }

double CpuMs(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// User and system time of another process, from /proc (to the kernel's tick); -1 when unreadable.
double ProcessCpuMs(int pid) {
    if (pid <= 0) return -1;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::atof(field.c_str());
        if (i == 15) stime = std::atof(field.c_str());
    }
    return (utime + stime) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::vector<int> ParseList(const char* text) {
    std::vector<int> out;
    std::stringstream s(text);
    std::string item;
    while (std::getline(s, item, ',')) out.push_back(item == "default" ? 0 : std::atoi(item.c_str()));
    return out;
}

std::vector<std::string> ParseWords(const char* text) {
    std::vector<std::string> out;
    std::stringstream s(text);
    std::string item;
    while (std::getline(s, item, ',')) out.push_back(item);
    return out;
}

plm::platform::SoftwareDevice* Software() {
    return dynamic_cast<plm::platform::SoftwareDevice*>(plm::State().D3DDevice.get());
}

// One session of the game, from its window to its shutdown, with the scripted keyboard.
class Session {
public:
    explicit Session(const Options& options) : options_(options) {}

    bool Start(int threads) {
        RunArea& r = Game().Run;
        r.QuitRequested = r.CloseAllowed = r.AbortSession = r.RestartGame = false;
        r.WindowActive = true;
        LoadConfig();
        Game().Frame.FixedDelta = 0;
        std::string error;
        r.GameForm = desktop::GameWindow::Open(false, kGameWidth, kGameHeight, kCaption, error);
        if (!r.GameForm) {
            std::fprintf(stderr, "no game window: %s\n", error.c_str());
            return false;
        }
        keys_ = std::make_shared<plm::platform::ScriptedInput>();
        r.BeforeInitDevice = [this](plm::PelmarEngine&) { plm::SetInputBackend(keys_); };
        if (!InitEngine()) {
            std::fprintf(stderr, "the engine did not start\n");
            return false;
        }
        if (threads > 0 && Software()) Software()->SetThreads(threads);
        E().Sprite()->Init(kSpriteTotal);
        r.AbortSession = false;
        SetUpSessionTables();
        if (!LoadMedia()) {
            std::fprintf(stderr, "the media did not load\n");
            return false;
        }
        return true;
    }

    void Stop() {
        StopAllSounds();
        E().HighScores()->SaveScores();
        E().Pak()->CleanUp(false);
        ShutdownEngine();
        plm::SetInputBackend(nullptr);
        Game().Run.BeforeInitDevice = nullptr;
    }

    // The title after its fade-in.
    bool EnterTitle() {
        if (!InitTitle()) return false;
        ResetLogoPulse();
        Game().Frame.InGame = true;
        for (int i = 0; i < 5000 && Game().Fade.FadeOn; ++i)
            if (!TitleFrame()) return false;
        frame_ = &TitleFrame;
        return true;
    }

    // A game of the second mode at level 1, in play: the board dealt, nobody clicking.
    bool EnterGame() {
        StopAllSounds();
        Game().Session.GameMode = 2;
        Game().Session.StartLevel = 1;
        if (!InitGame()) return false;
        Game().Frame.InGame = true;
        // The opening banner's hold ends at once: the next frame deals the board, as when it runs out.
        Game().Session.StateTimer = 0;
        frame_ = &GameFrame;
        for (int i = 0; i < 100 && Game().Session.GameState != kStatePlay; ++i)
            if (!Frame()) return false;
        for (int i = 0; i < 5000 && Game().Fade.FadeOn; ++i)
            if (!Frame()) return false;
        return Game().Session.GameState == kStatePlay;
    }

    // One frame of the screen; a game that ended (the board full) starts again.
    bool Frame() {
        if (frame_()) return true;
        if (frame_ == &GameFrame && !Game().Run.AbortSession) return EnterGame();
        return false;
    }

    // A key pressed for one frame and let go in the next, as the player does.
    bool Press(uint8_t key) {
        keys_->SetKey(key, true);
        const bool ok = Frame();
        keys_->SetKey(key, false);
        return ok && Frame();
    }

private:
    const Options& options_;
    std::shared_ptr<plm::platform::ScriptedInput> keys_;
    bool (*frame_)() = &TitleFrame;
};

struct Figures {
    int frames = 0;
    double wallMs = 0, cpuMs = 0, serverMs = -1;
    std::vector<double> intervals;  // ms between the ends of two frames
};

bool Measure(Session& session, bool capped, const Options& options, Figures& out) {
    // A few frames first, so the cap's deadline and the smoothed Delta have settled.
    for (int i = 0; i < 5; ++i)
        if (!session.Frame()) return false;
    const double server0 = ProcessCpuMs(options.serverPid);
    const double wall0 = WallMs(), cpu0 = CpuMs();
    double last = wall0;
    for (;;) {
        if (!session.Frame()) return false;
        const double now = WallMs();
        out.intervals.push_back(now - last);
        last = now;
        ++out.frames;
        if (capped ? out.frames >= options.cappedFrames : now - wall0 >= options.uncappedSeconds * 1000) break;
    }
    out.wallMs = last - wall0;
    out.cpuMs = CpuMs() - cpu0;
    if (server0 >= 0) out.serverMs = ProcessCpuMs(options.serverPid) - server0;
    return true;
}

void Print(const char* screen, const char* cap, int threads, const Figures& f, bool capped) {
    const double n = f.frames;
    char threadText[32];
    if (threads > 0)
        std::snprintf(threadText, sizeof threadText, "%d", threads);
    else
        std::snprintf(threadText, sizeof threadText, "default (%d)", Software() ? Software()->Threads() : 1);
    std::printf("  %-5s %-9s threads %-11s %7.1f fps %7.2f ms wall %6.2f ms CPU %5.2f cores", screen, cap, threadText,
                n / (f.wallMs / 1000), f.wallMs / n, f.cpuMs / n, f.cpuMs / f.wallMs);
    if (f.serverMs >= 0) std::printf("  server %5.2f ms", f.serverMs / n);
    if (capped && !f.intervals.empty()) {
        double sum = 0, sq = 0;
        for (double v : f.intervals) sum += v;
        const double mean = sum / static_cast<double>(f.intervals.size());
        for (double v : f.intervals) sq += (v - mean) * (v - mean);
        const auto [lo, hi] = std::minmax_element(f.intervals.begin(), f.intervals.end());
        std::printf("  interval %.2f ms +- %.2f (%.1f-%.1f)", mean, std::sqrt(sq / static_cast<double>(f.intervals.size())),
                    *lo, *hi);
    }
    std::printf("  load %s\n", plmbench::LoadAverage().c_str());
    std::fflush(stdout);
}

// Every cap on one screen: none, F2's 30 and F1's 20 frames a second, then F3 back to none.
bool MeasureScreen(Session& session, const char* screen, int threads, const Options& options) {
    struct Cap {
        const char* name;
        uint8_t key;
        bool capped;
    };
    const Cap caps[] = {{"uncapped", 0, false}, {"F2 30fps", kKeyF2, true}, {"F1 20fps", kKeyF1, true}};
    for (const Cap& cap : caps) {
        if (cap.key && !session.Press(cap.key)) return false;
        Figures f;
        if (!Measure(session, cap.capped, options, f)) return false;
        Print(screen, cap.name, threads, f, cap.capped);
    }
    return session.Press(kKeyF3);
}

// Presenting one frame to the window alone: the frame and its negative in turn, so that each is
// new to the window.
void MeasurePresent() {
    plm::platform::Image frame;
    auto window = plm::platform::FindWindow(Game().Run.GameForm->Handle());
    if (!window || !plm::State().D3DDevice->ReadPresentedFrame(frame)) return;
    std::vector<uint32_t> negative(frame.pixels);
    for (uint32_t& p : negative) p ^= 0x00FFFFFFu;
    constexpr int kFrames = 200;
    const double wall0 = WallMs(), cpu0 = CpuMs();
    for (int i = 0; i < kFrames; ++i)
        window->PresentFrame(i % 2 ? negative.data() : frame.pixels.data(), frame.width, frame.height);
    std::printf("  presenting a frame to the window alone: %.2f ms wall, %.2f ms CPU\n", (WallMs() - wall0) / kFrames,
                (CpuMs() - cpu0) / kFrames);
}

int RunMode(const Options& options) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // measured without a sound device
    const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
    const fs::path folder = fs::temp_directory_path() / ("tessaly-play-" + std::to_string(::getpid()));
    if (!plmbench::MakeGameFolder(bin, folder, {"media.pak", "gdata.dat"})) return 1;
    Game().Run.Folder = folder.string() + "/";
    std::string error;
    if (!desktop::StartDesktop(error)) {
        std::fprintf(stderr, "no window system: %s\n", error.c_str());
        return 1;
    }
    const bool shown = desktop::HasDisplay();
    std::printf("%s\n", shown ? "in a window on the display" : "headless (SDL's dummy video driver, nothing shown)");
    bool ok = true;
    {
        desktop::EventWatch watch(&OnWindowEvent);
        for (int threads : options.threads) {
            Session session(options);
            ok = session.Start(threads);
            for (const std::string& screen : options.screens) {
                if (!ok) break;
                ok = (screen == "game" ? session.EnterGame() : session.EnterTitle()) &&
                     MeasureScreen(session, screen.c_str(), threads, options);
                if (ok && shown && screen == options.screens.back() && threads == options.threads.front())
                    MeasurePresent();
            }
            session.Stop();
            if (!ok) break;
        }
    }
    desktop::StopDesktop();
    std::error_code ec;
    fs::remove_all(folder, ec);
    if (!ok) std::fprintf(stderr, "a run ended early\n");
    return ok ? 0 : 1;
}

// The parent: each part in a child of its own, on the same options.
int RunChild(char** argv, bool window) {
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        if (!window) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            unsetenv("DISPLAY");
        }
        std::vector<char*> args{argv[0], const_cast<char*>("--part"), const_cast<char*>(window ? "window" : "headless")};
        for (char** a = argv + 1; *a; ++a) args.push_back(*a);
        args.push_back(nullptr);
        execv("/proc/self/exe", args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const char* part = nullptr;
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--part") == 0 && more) part = argv[++i];
        else if (std::strcmp(argv[i], "--frames") == 0 && more) options.cappedFrames = std::max(2, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--seconds") == 0 && more) options.uncappedSeconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--threads") == 0 && more) options.threads = ParseList(argv[++i]);
        else if (std::strcmp(argv[i], "--screens") == 0 && more) options.screens = ParseWords(argv[++i]);
        else if (std::strcmp(argv[i], "--server") == 0 && more) options.serverPid = std::atoi(argv[++i]);
    }
    if (part) return RunMode(options);
    std::printf("Tessaly in play: the title and a game (mode 2, level 1, idle board), 800 x 600 (load %s)\n",
                plmbench::LoadAverage().c_str());
    std::fflush(stdout);
    int status = RunChild(argv, false);
    if (std::getenv("DISPLAY"))
        status |= RunChild(argv, true);
    else
        std::printf("(no DISPLAY: no window part)\n");
    return status;
}
