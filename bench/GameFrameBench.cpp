// One frame of a running game on the software device, 800 x 600, at 1 and 8 drawing threads: the
// game's own media, a full board of animating gems, gems falling, explosions, rising score texts
// and the HUD, stepped and drawn by the game loop's frame (updates and every drawing layer).
// Prints milliseconds per frame, best of three runs of 120 frames; then the share of each part
// of the frame, best of three runs too, over the same frames drawn with the device's queued work
// finished after each layer, so that a layer's time holds its own drawing (the drawing threads
// then no longer overlap one layer's work with the next, so these frames take longer than the
// plain ones). Run it from the build's bin/ folder (it copies media.pak and gdata.dat from there
// into a temporary folder).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/PelmarEngine.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "game/FrameLoop.h"
#include "game/GameState.h"
#include "game/Levels.h"
#include "game/Media.h"
#include "game/MediaLayout.h"
#include "game/Scoring.h"
#include "game/Session.h"
#include "game/Settings.h"
#include "platform/test/ScriptedInput.h"
#include "platform/software/SoftwareDevice.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaly;

// Full board, the top rows emptied so that the gems above a hole fall, a burst of explosions and
// rising texts.
void StirBoard() {
    plm::PelmarEngine& e = E();
    for (int32_t y = kPlayTop; y <= kPlayBottom; ++y)
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
            e.Map()->Value(static_cast<float>(x), static_cast<float>(y), kBoardLayer,
                           static_cast<float>(KindFirstValue(1 + (x * 7 + y * 3) % 6)));
    // Half of the bottom row bursts into shards (the clears' explosions); the gems above fall.
    for (int32_t x = kBoardLeft; x <= kBoardRight; x += 2) PopCell(x, kPlayBottom, 0);
    StartFall(kPlayBottom, false);
    for (int32_t i = 0; i < 8; ++i) {
        e.FontFader()->Add(2, std::to_string(100 * (i + 1)), 250.0f + 40 * i, 400, -2, 1, 0, 0.4f, 0.4f, 1000, 0,
                           -0.025f, 0, 0, 0, 255, 255, 255);
    }
}

using BenchClock = std::chrono::steady_clock;

double MsSince(BenchClock::time_point& t) {
    const BenchClock::time_point now = BenchClock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - t).count();
    t = now;
    return ms;
}

// GameFrame's steps with a clock read after each part; `finish` waits for the device's queued
// drawing. Parts: 0 the frame's start and updates, 1..n the layers, n + 1 the frame's end.
void TimedFrame(std::vector<double>& ms, const std::function<void()>& finish) {
    BenchClock::time_point t = BenchClock::now();
    BeginGameFrame();
    E().Delta(Game().Frame.FixedDelta);
    UpdateMouse();
    HandleFunctionKeys();
    UpdateGame();
    finish();
    ms[0] += MsSince(t);
    size_t part = 1;
    for (const FrameLayer& layer : GameFrameLayers()) {
        layer.Draw(true);
        finish();
        ms[part++] += MsSince(t);
    }
    E().Scene()->Render();
    ms[part] += MsSince(t);
}

}  // namespace

int main(int, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // the frame is measured without a sound device
    const fs::path bin = fs::absolute(fs::path(argv[0])).parent_path();
    const fs::path folder = fs::temp_directory_path() / ("tessaly-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"media.pak", "gdata.dat"}) {
        std::error_code ec;
        fs::copy_file(bin / name, folder / name, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::fprintf(stderr, "%s not found beside the benchmark\n", name);
            return 1;
        }
    }
    std::printf("one game frame on the software device, 800 x 600\n");
    for (int threads : {1, 8}) {
        plm::ResetState();
        ResetGame();
        Game().Run.Folder = folder.string() + "/";
        Game().Run.Engine = EngineHandle(new plm::PelmarEngine, {});
        plm::PelmarEngine& e = E();
        e.Path(Game().Run.Folder);
        plm::SetInputBackend(std::make_shared<plm::platform::ScriptedInput>());
        e.Initialize();
        e.Bass()->Init(0, 44100);
        auto d = e.Device();
        d->ColorBitDepth(32);
        d->MaxTextures(5);
        d->ScreenWidth(800);
        d->ScreenHeight(600);
        d->ShowLogo(false);
        d->Windowed(true);
        if (!e.InitDevice()) return 1;
        if (auto* device = dynamic_cast<plm::platform::SoftwareDevice*>(plm::State().D3DDevice.get())) device->SetThreads(threads);
        e.Sprite()->Init(kSpriteTotal);
        InitDiamondMask();
        e.SpritePFX()->Init(3, 300, 2);
        e.FontFader()->Init(20);
        if (!LoadMedia()) return 1;
        Game().Session.GameMode = 2;
        InitGame();
        Game().Frame.InGame = true;
        Game().Frame.FixedDelta = 1000.0f / 60;
        Game().Session.GameState = kStatePlay;
        NewBoard();
        double best = 1e300;
        for (int run = 0; run < 3; ++run) {
            StirBoard();
            constexpr int kFrames = 120;
            const auto t0 = std::chrono::steady_clock::now();
            for (int f = 0; f < kFrames; ++f) {
                if (f % 40 == 0) StirBoard();
                GameFrame();
            }
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            best = std::min(best, ms / kFrames);
        }
        std::printf("%d thread%s %8.3f ms/frame\n", threads, threads == 1 ? " " : "s", best);

        // The share of each part, over the same kind of frames.
        auto* soft = dynamic_cast<plm::platform::SoftwareDevice*>(plm::State().D3DDevice.get());
        const plm::platform::SurfaceId scratch = soft ? soft->CreateTexture(1, 1, false) : plm::platform::kNoSurface;
        const plm::platform::Image nothing;
        auto finish = [&] {
            if (soft) soft->WritePixels(scratch, nothing, 0, 0);  // writes nothing, after the queue is drawn
        };
        const std::span<const FrameLayer> layers = GameFrameLayers();
        std::vector<double> ms;
        double total = 1e300;
        for (int run = 0; run < 3; ++run) {  // the run with the least time in all
            std::vector<double> runMs(layers.size() + 2, 0.0);
            for (int f = 0; f < 120; ++f) {
                if (f % 40 == 0) StirBoard();
                TimedFrame(runMs, finish);
            }
            double runTotal = 0;
            for (double m : runMs) runTotal += m;
            if (runTotal < total) {
                total = runTotal;
                ms = runMs;
            }
        }
        std::printf("  with the queue finished after each part: %.3f ms/frame\n", total / 120);
        for (size_t i = 0; i < ms.size(); ++i) {
            const char* name = i == 0 ? "start and updates" : i == ms.size() - 1 ? "end (present)" : layers[i - 1].Name;
            std::printf("    %-18s %6.3f ms %5.1f%%\n", name, ms[i] / 120, 100 * ms[i] / total);
        }
        e.Pak()->CleanUp(false);
        e.Terminate();
        plm::SetInputBackend(nullptr);
        ResetGame();
    }
    fs::remove_all(folder);
    return 0;
}
