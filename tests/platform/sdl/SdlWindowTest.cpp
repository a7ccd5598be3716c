// Windows by handle: the headless window, a window of SDL's dummy driver, and (under Xvfb) a real
// 800 x 600 window that InitDevice presents its frames into.
#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "EngineFixture.h"
#include "core/EngineStart.h"
#include "core/Device.h"
#include "core/EngineState.h"
#include "core/PelmarEngine.h"
#include "platform/ImageCodec.h"

namespace {

using plm::platform::CreateWindow;
using plm::platform::FindWindow;
using plm::platform::WindowSettings;

TEST(SdlWindow, HeadlessWindowsAreFoundByHandleUntilDestroyed) {
    WindowSettings ws;
    ws.headless = true;
    auto a = CreateWindow(ws);
    auto b = CreateWindow(ws);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->Handle(), 0);
    EXPECT_NE(a->Handle(), b->Handle());
    EXPECT_EQ(FindWindow(a->Handle()), a);
    EXPECT_EQ(FindWindow(0), nullptr);
    EXPECT_TRUE(a->IsActive());
    EXPECT_EQ(a->ClientWidth(), 800);
    std::vector<uint32_t> frame(4 * 3, 0xFF112233u);
    a->PresentFrame(frame.data(), 4, 3);
    a->PresentFrame(nullptr, 4, 3);  // nothing to show
    EXPECT_EQ(a->FramesPresented(), 1);
    const int32_t gone = a->Handle();
    a.reset();
    EXPECT_EQ(FindWindow(gone), nullptr);
    auto c = CreateWindow(ws);
    EXPECT_NE(c->Handle(), gone);  // never reused
}

TEST(SdlWindow, DummyDriverWindowPresentsFrames) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    WindowSettings ws;
    ws.caption = "plm dummy";
    ws.width = 320;
    ws.height = 240;
    auto w = CreateWindow(ws);
    if (!w) GTEST_SKIP() << "no SDL video driver";
    EXPECT_EQ(w->ClientWidth(), 320);
    EXPECT_EQ(w->ClientHeight(), 240);
    EXPECT_FALSE(w->IsFullScreen());
    std::vector<uint32_t> frame(320 * 240, 0xFF0000FFu);
    for (int i = 0; i < 3; ++i) {
        w->PumpMessages();
        w->PresentFrame(frame.data(), 320, 240);
    }
    EXPECT_EQ(w->FramesPresented(), 3);
    w->SetCaption("renamed");
    w->ShowCursor(false);
    EXPECT_FALSE(w->CloseRequested());

    // Window events from SDL's queue: focus, minimise and restore, the close button.
    SDL_Window* sdlWindow = nullptr;
    for (Uint32 id = 1; id < 64 && !sdlWindow; ++id) {
        SDL_Window* candidate = SDL_GetWindowFromID(id);
        if (candidate && std::string(SDL_GetWindowTitle(candidate)) == "renamed") sdlWindow = candidate;
    }
    ASSERT_NE(sdlWindow, nullptr);
    auto send = [&](Uint8 what) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = SDL_GetWindowID(sdlWindow);
        e.window.event = what;
        SDL_PushEvent(&e);
        w->PumpMessages();
    };
    send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_FALSE(w->IsActive());
    send(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(w->IsActive());
    send(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_TRUE(w->IsMinimised());
    EXPECT_FALSE(w->IsActive());
    send(SDL_WINDOWEVENT_RESTORED);
    EXPECT_TRUE(w->IsActive());
    send(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(w->CloseRequested());
    w->ClearCloseRequest();
    EXPECT_FALSE(w->CloseRequested());
}

// A window the game opened itself, named to the engine by its SDL window id: the engine adopts it,
// presents into it and follows its events, and never destroys it.
class AdoptedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        plm::ResetState();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no SDL video driver";
        own = SDL_CreateWindow("game window", 0, 0, 400, 300, SDL_WINDOW_HIDDEN);
        ASSERT_NE(own, nullptr);
        id = static_cast<int32_t>(SDL_GetWindowID(own));
    }
    void TearDown() override {
        plm::ResetState();
        if (own) SDL_DestroyWindow(own);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void Send(Uint8 what) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = static_cast<Uint32>(id);
        e.window.event = what;
        SDL_PushEvent(&e);
    }

    SDL_Window* own = nullptr;
    int32_t id = 0;
    plmtest::TempFolder folder;
};

TEST_F(AdoptedWindow, IsFoundByItsSdlIdAndOutlivesTheEngine) {
    auto w = FindWindow(id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Handle(), id);
    EXPECT_EQ(FindWindow(id), w);  // one adoption while it is held
    EXPECT_EQ(w->ClientWidth(), 400);
    EXPECT_EQ(w->ClientHeight(), 300);
    EXPECT_FALSE(w->IsFullScreen());
    std::vector<uint32_t> frame(800 * 600, 0xFF336699u);
    w->PresentFrame(frame.data(), 800, 600);
    EXPECT_EQ(w->FramesPresented(), 1);
    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    w->PumpMessages();
    EXPECT_FALSE(w->IsActive());
    Send(SDL_WINDOWEVENT_CLOSE);
    w->PumpMessages();
    EXPECT_TRUE(w->CloseRequested());
    w->SetCaption("renamed by the engine");
    EXPECT_STREQ(SDL_GetWindowTitle(own), "renamed by the engine");
    w.reset();
    EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(id)), own);  // still the game's
    // A later look-up adopts it afresh, with its renderer made anew for the first frame.
    auto again = FindWindow(id);
    ASSERT_NE(again, nullptr);
    again->PresentFrame(frame.data(), 800, 600);
    EXPECT_EQ(again->FramesPresented(), 1);
}

TEST_F(AdoptedWindow, EngineSessionPresentsIntoItAndLeavesItOpen) {
    {
        plm::PelmarEngine e;
        ASSERT_TRUE(plmtest::StartWindowedEngine(e, folder.path(), id));
        auto w = FindWindow(id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->FramesPresented(), 25);  // the warm-up
        e.Terminate();
    }
    EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(id)), own);
    EXPECT_EQ(FindWindow(-5), nullptr);
    EXPECT_EQ(FindWindow(id + 1000), nullptr);  // no such SDL window
}

TEST_F(AdoptedWindow, WindowClosedByItsOwnerIsNoLongerDrawnInto) {
    auto w = FindWindow(id);
    ASSERT_NE(w, nullptr);
    std::vector<uint32_t> frame(800 * 600, 0xFF000000u);
    w->PresentFrame(frame.data(), 800, 600);
    SDL_DestroyWindow(own);
    own = nullptr;
    w->PresentFrame(frame.data(), 800, 600);
    w->SetCaption("gone");
    w->SetVsync(true);
    EXPECT_EQ(w->FramesPresented(), 1);
    EXPECT_EQ(w->ClientWidth(), 400);  // the last size known
    w.reset();
    EXPECT_EQ(FindWindow(id), nullptr);
}

// Tests on the test display: the engine state is fresh, and the display can be read back.
class SdlWindowXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        const char* d = std::getenv("PLM_XDISPLAY");
        if (!d || !*d) GTEST_SKIP() << "PLM_XDISPLAY is not set";
        display = d;
        setenv("DISPLAY", d, 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        plm::ResetState();
    }
    void TearDown() override { plm::ResetState(); }

    // The colour (RGB) at the centre of the display, as a screen grab shows it; nullopt when
    // ImageMagick's import is not there.
    std::optional<uint32_t> DisplayCentre(int dx = 0) {
        const std::string shot = folder.file("display.png");
        const std::string cmd = "import -display " + display + " -window root '" + shot + "' >/dev/null 2>&1";
        if (std::system("command -v import >/dev/null 2>&1") != 0 || std::system(cmd.c_str()) != 0) return std::nullopt;
        plm::platform::Image img;
        std::string error;
        if (!plm::platform::LoadImageFile(shot, img, error)) {
            ADD_FAILURE() << error;
            return std::nullopt;
        }
        return img.pixels[static_cast<size_t>(img.height / 2) * static_cast<size_t>(img.width) +
                          static_cast<size_t>(img.width / 2 + dx)] & 0xFFFFFFu;
    }

    std::string display;
    plmtest::TempFolder folder;
};

// InitDevice in a real window on the test display: an 800 x 600 windowed client, frames presented
// and on screen.
TEST_F(SdlWindowXvfb, InitDeviceOpensAWindowAndPresentsFrames) {
    WindowSettings ws;
    ws.caption = "Tessaly test";
    auto window = CreateWindow(ws);
    ASSERT_NE(window, nullptr);
    plm::PelmarEngine e;
    ASSERT_TRUE(plmtest::StartWindowedEngine(e, folder.path(), window->Handle()));
    EXPECT_EQ(window->ClientWidth(), 800);
    EXPECT_EQ(window->ClientHeight(), 600);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_TRUE(window->IsActive());
    EXPECT_EQ(window->FramesPresented(), 25);  // the warm-up
    auto scene = e.Scene();
    scene->SetBackgroundColor(0, 128, 255);
    for (int i = 0; i < 5; ++i) {
        window->PumpMessages();
        scene->Begin();
        scene->Render();
    }
    EXPECT_EQ(window->FramesPresented(), 30);
    // The window is centred, so the centre of the display lies inside it.
    if (auto centre = DisplayCentre()) {
        EXPECT_EQ(*centre, 0x0080FFu);
    }
    e.Terminate();
}

// A frame the same as the last one is not sent to the window again; a window that was covered and
// uncovered gets it again all the same, or it would go on showing what covered it.
TEST_F(SdlWindowXvfb, UncoveredWindowGetsItsFrameAgainAndFramesStaySharp) {
    WindowSettings ws;
    ws.caption = "plm under";
    auto under = CreateWindow(ws);
    ASSERT_NE(under, nullptr);
    const std::vector<uint32_t> red(800 * 600, 0xFFE01010u), blue(800 * 600, 0xFF1010E0u);
    auto showFor = [](plm::platform::Window& w, const std::vector<uint32_t>& frame, int frames) {
        for (int i = 0; i < frames; ++i) {
            w.PumpMessages();
            w.PresentFrame(frame.data(), 800, 600);
            SDL_Delay(20);
        }
    };
    showFor(*under, red, 10);
    if (auto centre = DisplayCentre()) {
        EXPECT_EQ(*centre, 0xE01010u);
    }
    ws.caption = "plm over";
    auto over = CreateWindow(ws);
    ASSERT_NE(over, nullptr);
    showFor(*over, blue, 10);
    if (auto centre = DisplayCentre()) {
        ASSERT_EQ(*centre, 0x1010E0u);
    }
    over.reset();
    const int64_t before = under->FramesPresented();
    showFor(*under, red, 10);
    EXPECT_EQ(under->FramesPresented(), before + 10);
    if (auto centre = DisplayCentre()) {
        EXPECT_EQ(*centre, 0xE01010u);
    }
    // At its own size a frame is shown texel for pixel: a one-pixel checkerboard stays sharp.
    std::vector<uint32_t> checks(800 * 600);
    for (size_t i = 0; i < checks.size(); ++i) checks[i] = ((i % 800 + i / 800) % 2) ? 0xFFFFFFFFu : 0xFF000000u;
    showFor(*under, checks, 3);
    const auto a = DisplayCentre(), b = DisplayCentre(1);
    if (a && b) {
        EXPECT_EQ(*a, 0u);  // the window is centred: the display's centre is the frame's (400, 300)
        EXPECT_EQ(*b, 0xFFFFFFu);
    }
}

// With a real video driver the display modes are the display's own: the one mode of the test
// display, which scripts/test starts at 1024 x 768.
TEST_F(SdlWindowXvfb, DisplayModesComeFromTheDisplay) {
    plm::Device d;
    ASSERT_EQ(d.GetDisplayModeTotal(), 1);
    const plm::PLMDisplayMode m = d.GetDisplayMode(0);
    EXPECT_EQ(m.Width, 1024);
    EXPECT_EQ(m.Height, 768);
    EXPECT_EQ(m.BitDepth, 32);
    EXPECT_TRUE(d.IsDisplayModeAvailable(1024, 768, 32, m.RefreshRate));
    EXPECT_FALSE(d.IsDisplayModeAvailable(800, 600, 32, m.RefreshRate));
}

// A full-screen window covers the display; an 800 x 600 frame is scaled into it (letterboxed when
// the aspects differ).
TEST_F(SdlWindowXvfb, FullScreenWindowShowsTheFrameScaled) {
    WindowSettings ws;
    ws.fullScreen = true;
    auto window = CreateWindow(ws);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsFullScreen());
    std::vector<uint32_t> frame(800 * 600, 0xFF20C040u);
    for (int i = 0; i < 10; ++i) {
        window->PumpMessages();
        window->PresentFrame(frame.data(), 800, 600);
    }
    EXPECT_GE(window->ClientWidth(), 800);
    if (auto centre = DisplayCentre()) {
        EXPECT_EQ(*centre, 0x20C040u);
    }
}

}  // namespace
