// The SDL input in a real window on the test display: keys typed and clicks made by xdotool (a
// real X client) reach the engine's snapshot under the right scan codes. Skipped without
// PLM_XDISPLAY.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "EngineFixture.h"
#include "core/InputProcs.h"
#include "core/Key.h"
#include "core/EngineStart.h"
#include "core/Mouse.h"
#include "core/PelmarEngine.h"
#include "platform/sdl/SdlEventHub.h"
#include "platform/TestDisplay.h"
#include "platform/Window.h"

namespace {

namespace sdl = plm::platform::sdl;
using plm::State;

class SdlInputXvfbTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        if (!plmtest::UseTestDisplay()) GTEST_SKIP() << "PLM_XDISPLAY is not set";
        EngineTest::SetUp();
        ASSERT_TRUE(sdl::InitSubsystem(SDL_INIT_VIDEO)) << SDL_GetError();
        videoUp = true;
        window = SDL_CreateWindow("plm input test", 0, 0, 320, 240, SDL_WINDOW_SHOWN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        xid = Output("xdotool search --sync --onlyvisible --name '^plm input test$' | head -n 1");
        ASSERT_FALSE(xid.empty()) << "xdotool cannot find the window";
        // Give the window the focus the way a window manager would.
        Xdo("");
        ASSERT_TRUE(PumpUntil([] { return SDL_GetKeyboardFocus() != nullptr; })) << "the window never got the focus";

        plm::SetInputBackend(plm::platform::CreateInput());
        ASSERT_TRUE(plm::init_di());
        State().MouseMinX = State().MouseMinY = 0;
        State().MouseMaxX = 319;
        State().MouseMaxY = 239;
    }
    void TearDown() override {
        // Nothing stays held on the shared display.
        if (!xid.empty()) std::system("xdotool keyup s keyup F >/dev/null 2>&1");
        plm::SetInputBackend(nullptr);
        if (window) SDL_DestroyWindow(window);
        if (videoUp) sdl::QuitSubsystem(SDL_INIT_VIDEO);
        EngineTest::TearDown();
    }

    // Runs xdotool, after giving the window the focus again (another window may have taken it).
    void Xdo(const std::string& args) const {
        std::string cmd = "xdotool windowfocus --sync " + xid + " " + args + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
public:
    static std::string Output(const std::string& cmd) {
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[128];
            while (fgets(buf, sizeof buf, p)) out += buf;
            pclose(p);
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
        return out;
    }
protected:
    // Pumps the window's events (as its message pump does each frame) until done() or 3 s.
    static bool PumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 300; ++i) {
            sdl::PumpEvents();
            if (done()) return true;
            SDL_Delay(10);
        }
        return false;
    }
    // Pumps, then takes the frame's snapshot, until done() holds for it.
    static bool FrameUntil(const std::function<bool()>& done) {
        return PumpUntil([&] {
            plm::ReadInputSnapshot();
            return done();
        });
    }

    SDL_Window* window = nullptr;
    bool videoUp = false;
    std::string xid;
    plm::Key key;
    plm::Mouse mouse;
};

TEST_F(SdlInputXvfbTest, TypedKeysAppearUnderTheirScanCodes) {
    struct Row {
        const char* keysym;
        int scan;
    };
    for (Row r : {Row{"s", 31}, Row{"Escape", 1}, Row{"Return", 28}, Row{"KP_Enter", 156}, Row{"Insert", 210},
                  Row{"F11", 87}, Row{"space", 57}, Row{"BackSpace", 14}, Row{"a", 30}, Row{"z", 44}}) {
        SCOPED_TRACE(r.keysym);
        // A key that is down and up again before the next frame still reads as pressed once.
        Xdo(std::string("key ") + r.keysym);
        EXPECT_TRUE(FrameUntil([&] { return key.Pressed(r.scan); }));
        EXPECT_TRUE(key.PressedOnce(r.scan));
        EXPECT_TRUE(FrameUntil([&] { return !key.Pressed(r.scan); })) << "the tap is reported once";
    }
    // A held key stays in the snapshot until it is released.
    Xdo("keydown F");
    EXPECT_TRUE(FrameUntil([&] { return key.Pressed(33); }));
    for (int frame = 0; frame < 5; ++frame) {
        sdl::PumpEvents();
        plm::ReadInputSnapshot();
        EXPECT_TRUE(key.Pressed(33));
    }
    Xdo("keyup F");
    EXPECT_TRUE(FrameUntil([&] { return !key.Pressed(33); }));
}

TEST_F(SdlInputXvfbTest, ClickMovesThePointerAndSetsTheButtonLatch) {
    Xdo("mousemove --window " + xid + " 100 80");
    ASSERT_TRUE(PumpUntil([&] {
        int32_t x = 0, y = 0;
        State().InputDevices->PointerPosition(x, y);
        return x == 100 && y == 80;
    }));
    plm::ReadInputSnapshot();  // takes up the moves so far
    mouse.X(100);
    mouse.Y(80);
    Xdo("mousemove --window " + xid + " 120 95 click 1");
    EXPECT_TRUE(FrameUntil([&] { return mouse.Button1PressedOnce(); }));
    EXPECT_TRUE(FrameUntil([&] { return mouse.X() >= 120 && mouse.Y() >= 95; }))
        << "pointer at " << mouse.X() << "," << mouse.Y();
    EXPECT_FLOAT_EQ(mouse.X(), 120);
    EXPECT_FLOAT_EQ(mouse.Y(), 95);
    int32_t x = 0, y = 0;
    State().InputDevices->PointerPosition(x, y);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 95);
    EXPECT_FALSE(mouse.Button1PressedOnce()) << "one click, one press";
    // The right button has a latch of its own.
    Xdo("click 3");
    EXPECT_TRUE(FrameUntil([&] { return mouse.Button2PressedOnce(); }));
    // One wheel notch away from the user reads +120, towards the user -120.
    Xdo("click 4");
    EXPECT_TRUE(FrameUntil([&] { return State().MouseState.lZ != 0; }));
    EXPECT_EQ(State().MouseState.lZ, 120);
    Xdo("click 5");
    EXPECT_TRUE(FrameUntil([&] { return State().MouseState.lZ != 0; }));
    EXPECT_EQ(State().MouseState.lZ, -120);
    EXPECT_EQ(State().MouseState.Buttons, (std::array<uint8_t, 4>{})) << "the wheel is no button";
}

// Focus moving to another window clears held keys, and Key.Clear, waiting for a key that is
// still held, returns when the focus goes.
TEST_F(SdlInputXvfbTest, FocusLossClearsHeldKeysAndEndsKeyClear) {
    SDL_Window* other = SDL_CreateWindow("plm other window", 400, 0, 100, 100, SDL_WINDOW_SHOWN);
    ASSERT_NE(other, nullptr) << SDL_GetError();
    std::string otherId = Output("xdotool search --sync --onlyvisible --name '^plm other window$' | head -n 1");
    ASSERT_FALSE(otherId.empty());

    Xdo("keydown s");
    ASSERT_TRUE(FrameUntil([&] { return key.PressedOnce(31); }));
    // Moves the focus away while Key.Clear waits.
    std::string later = "(sleep 0.3; xdotool windowfocus " + otherId + ") >/dev/null 2>&1 &";
    ASSERT_EQ(std::system(later.c_str()), 0);
    key.Clear(31);
    EXPECT_FALSE(key.Pressed(31));
    EXPECT_NE(SDL_GetKeyboardFocus(), window);
    plm::ReadInputSnapshot();
    EXPECT_FALSE(key.Pressed(31)) << "no key counts as held without the focus";
    Xdo("keyup s");
    SDL_DestroyWindow(other);
}

// The whole path in the engine's own window: InitDevice picks the SDL input for a real window,
// the window's message pump delivers the events, Scene.Begin takes the snapshot.
TEST(EngineInputXvfb, KeysAndClicksReachTheEngineFrame) {
    if (!plmtest::UseTestDisplay()) GTEST_SKIP() << "PLM_XDISPLAY is not set";
    plm::ResetState();
    plmtest::TempFolder folder;
    plm::platform::WindowSettings ws;
    ws.caption = "plm engine input";
    auto window = plm::platform::CreateWindow(ws);
    ASSERT_NE(window, nullptr);
    {
        plm::PelmarEngine e;
        ASSERT_TRUE(plmtest::StartWindowedEngine(e, folder.path(), window->Handle()));
        std::string xid = SdlInputXvfbTest::Output("xdotool search --sync --onlyvisible --name '^plm engine input$' | head -n 1");
        ASSERT_FALSE(xid.empty());
        auto frameUntil = [&](const std::function<bool()>& done) {
            for (int i = 0; i < 300; ++i) {
                window->PumpMessages();  // the game's loop lets the window's messages run
                e.Scene()->DeviceLost();
                e.Scene()->Begin();
                bool ok = done();
                e.Scene()->Render();
                if (ok) return true;
                SDL_Delay(10);
            }
            return false;
        };
        std::string focus = "xdotool windowfocus --sync " + xid + " ";
        ASSERT_EQ(std::system((focus + "key F1 >/dev/null 2>&1").c_str()), 0);
        EXPECT_TRUE(frameUntil([&] { return e.Key()->PressedOnce(59); }));
        ASSERT_EQ(std::system((focus + "mousemove --window " + xid + " 200 150 click 1 >/dev/null 2>&1").c_str()), 0);
        EXPECT_TRUE(frameUntil([&] { return e.Mouse()->Button1PressedOnce(); }));
        e.Terminate();
    }
    window.reset();
    plm::ResetState();
}

}  // namespace
