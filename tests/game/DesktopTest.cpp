// The game's desktop layer under SDL's dummy driver: the game window and the engine presenting
// into it, the event watch and its handlers, the pointer mapping, the pause, the shell and the
// message boxes without a display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

#include "game/FrameLoop.h"
#include "game/GameFixture.h"
#include "game/SdlEvents.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/EventWatch.h"
#include "game/desktop/GameWindow.h"
#include "game/desktop/MessageBoxes.h"
#include "game/desktop/Shell.h"
#include "platform/Window.h"

namespace {

using tessaly::desktop::DesktopRecorder;
using tessaly::desktop::GameWindow;

TEST(PointerMapping, MapsTheShownFrameIntoTheGameSpace) {
    struct Case {
        int32_t w, h;
        float x, y, gx, gy;
    };
    const Case cases[] = {
        {800, 600, 123, 456, 123, 456},
        {400, 300, 200, 150, 400, 300},     // size step 1: half size
        {2000, 1500, 1000, 750, 400, 300},  // size step 9
        {1000, 600, 100, 300, 0, 300},      // wider than 4:3: bars left and right of 100 pixels
        {800, 700, 400, 50, 400, 0},        // taller: bars of 50 above and below
        {1000, 600, 50, 0, -50, 0},      // in the bar: outside the game space, not clamped
    };
    for (const Case& c : cases) {
        float gx = -1, gy = -1;
        EXPECT_TRUE(tessaly::MapToGameSpace(c.x, c.y, c.w, c.h, gx, gy));
        EXPECT_NEAR(gx, c.gx, 1e-3) << c.w << "x" << c.h;
        EXPECT_NEAR(gy, c.gy, 1e-3) << c.w << "x" << c.h;
    }
    // A window without an inner area is ignored: the last position stays.
    for (auto [w, h] : {std::pair{0, 600}, std::pair{800, 0}, std::pair{-3, -3}}) {
        float gx = 7, gy = 8;
        EXPECT_FALSE(tessaly::MapToGameSpace(10, 10, w, h, gx, gy));
        EXPECT_EQ(gx, 7);
        EXPECT_EQ(gy, 8);
    }
}

class DesktopTest : public plmtest::GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        std::string error;
        ASSERT_TRUE(tessaly::desktop::StartDesktop(error)) << error;
        // The watch comes first, as in the program.
        watch = std::make_unique<tessaly::desktop::EventWatch>(&tessaly::OnWindowEvent);
    }
    void TearDown() override {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        G().Run.GameForm.reset();
        watch.reset();
        GameTest::TearDown();
        tessaly::desktop::StopDesktop();
    }
    void OpenGameWindow(int w = 800, int h = 600) {
        std::string error;
        G().Run.GameForm = GameWindow::Open(false, w, h, "Tessaly", error);
        ASSERT_NE(G().Run.GameForm, nullptr) << error;
    }

    std::unique_ptr<tessaly::desktop::EventWatch> watch;
};

TEST_F(DesktopTest, GameWindowOpensHiddenWithItsClientSizeAndResizesCentred) {
    OpenGameWindow();
    GameWindow& w = *G().Run.GameForm;
    EXPECT_NE(w.Handle(), 0);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.InnerWidth(), 800);
    EXPECT_EQ(w.InnerHeight(), 600);
    EXPECT_GE(w.OuterWidth(), 800);
    w.Show();
    EXPECT_TRUE(w.Visible());
    w.SetCaption("Tessaly");
    EXPECT_EQ(w.Caption(), "Tessaly");
    w.ResizeCentred(w.OuterWidth() / 2, w.OuterHeight() / 2);
    EXPECT_EQ(w.InnerWidth(), 400);
    w.Hide();
    EXPECT_FALSE(w.Visible());
}

// The engine presents into the game window with a renderer of its own, whose logical size would
// scale pointer events for any watch made after it; the game's watch, made first, sees the
// window's own pixels and maps them itself.
TEST_F(DesktopTest, PointerMovesOverTheGameWindowLandInTheGameSpace) {
    OpenGameWindow(400, 300);
    const int32_t id = G().Run.GameForm->Handle();
    auto engineWindow = plm::platform::FindWindow(id);
    ASSERT_NE(engineWindow, nullptr);
    std::vector<uint32_t> frame(800 * 600, 0xFF000000u);
    engineWindow->PresentFrame(frame.data(), 800, 600);
    plmtest::PushMotion(id, 200, 150);
    EXPECT_FLOAT_EQ(G().Frame.GameMouseX, 400);
    EXPECT_FLOAT_EQ(G().Frame.GameMouseY, 300);
    plmtest::PushMotion(id + 1000, 10, 10);  // another window's pointer is not the game's
    EXPECT_FLOAT_EQ(G().Frame.GameMouseX, 400);
}

TEST_F(DesktopTest, HandlersTurnCloseAndQuitIntoRequestsAndFollowTheFocus) {
    OpenGameWindow();
    const int32_t id = G().Run.GameForm->Handle();
    plmtest::PushWindowEvent(id + 1000, SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(G().Run.QuitRequested);
    plmtest::PushWindowEvent(id, SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(G().Run.QuitRequested);
    EXPECT_FALSE(G().Run.EndProgram);
    G().Run.QuitRequested = false;
    G().Run.CloseAllowed = true;  // the loop is closing the window itself
    plmtest::PushWindowEvent(id, SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(G().Run.QuitRequested);
    plmtest::PushWindowEvent(id, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_FALSE(G().Run.WindowActive);
    plmtest::PushWindowEvent(id, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(G().Run.WindowActive);
    plmtest::PushQuit();
    EXPECT_TRUE(G().Run.QuitRequested);
    EXPECT_TRUE(G().Run.EndProgram);
}

using plmtest::SleepHookClock;

TEST_F(DesktopTest, PauseWaitsForTheFocusWithThePausedCaptionThenZeroesDelta) {
    OpenGameWindow();
    G().Run.GameForm->SetCaption(tessaly::kCaption);
    std::string captionWhilePaused;
    auto clock = std::make_shared<SleepHookClock>([&](int n) {
        captionWhilePaused = G().Run.GameForm->Caption();
        if (n == 3) plmtest::PushWindowEvent(G().Run.GameForm->Handle(), SDL_WINDOWEVENT_FOCUS_GAINED);
    });
    plm::State().Clock = clock;
    tessaly::E().Delta(16);
    tessaly::PauseWhileInactive();  // active: returns at once
    EXPECT_EQ(clock->sleeps, 0);
    EXPECT_FLOAT_EQ(tessaly::E().Delta(), 16);

    G().Run.WindowActive = false;
    tessaly::PauseWhileInactive();
    EXPECT_EQ(clock->sleeps, 3);
    EXPECT_EQ(captionWhilePaused, tessaly::kPausedCaption);
    EXPECT_EQ(G().Run.GameForm->Caption(), tessaly::kCaption);
    EXPECT_FLOAT_EQ(tessaly::E().Delta(), 0);
}

TEST_F(DesktopTest, PauseEndsOnACloseRequest) {
    OpenGameWindow();
    auto clock = std::make_shared<SleepHookClock>([&](int n) {
        if (n == 2) plmtest::PushWindowEvent(G().Run.GameForm->Handle(), SDL_WINDOWEVENT_CLOSE);
    });
    plm::State().Clock = clock;
    G().Run.WindowActive = false;
    tessaly::PauseWhileInactive();
    EXPECT_EQ(clock->sleeps, 2);
    EXPECT_TRUE(G().Run.QuitRequested);
    EXPECT_EQ(G().Run.GameForm->Caption(), tessaly::kCaption);
}

TEST(Shell, OpensOnlyExistingFilesAndWebAddresses) {
    plmtest::TempFolder folder;
    plmtest::WriteFile(folder.file("doc.htm"), "<p>hi</p>");
    DesktopRecorder rec;
    EXPECT_TRUE(tessaly::desktop::OpenFile(folder.file("doc.htm"), &rec));
    EXPECT_FALSE(tessaly::desktop::OpenFile(folder.file("missing.htm"), &rec));
    EXPECT_FALSE(tessaly::desktop::OpenFile(folder.path(), &rec));  // a folder is not a document
    EXPECT_FALSE(tessaly::desktop::OpenFile("", &rec));
    for (const char* ok : {"http://example.com/", "HTTPS://example.com/a b"}) EXPECT_TRUE(tessaly::desktop::OpenWebAddress(ok, &rec));
    for (const char* bad : {"", "ftp://example.com", "javascript:alert(1)", "-x http://a", " http://a", "http:/a"})
        EXPECT_FALSE(tessaly::desktop::OpenWebAddress(bad, &rec)) << bad;
    ASSERT_EQ(rec.ShellTargets.size(), 3u);
    EXPECT_EQ(rec.ShellTargets[0], folder.file("doc.htm"));
    EXPECT_EQ(rec.ShellTargets[2], "HTTPS://example.com/a b");
}

TEST(MessageBoxes, WithoutADisplayTheTextGoesToStandardError) {
    DesktopRecorder rec;
    tessaly::desktop::ShowMessageBox("Tessaly", "Error loading media.", &rec);
    ASSERT_EQ(rec.Boxes.size(), 1u);
    EXPECT_EQ(rec.Boxes[0].Title, "Tessaly");
    std::string error;
    ASSERT_TRUE(tessaly::desktop::StartDesktop(error));  // the dummy driver: no display
    EXPECT_FALSE(tessaly::desktop::HasDisplay());
    testing::internal::CaptureStderr();
    tessaly::desktop::ShowMessageBox("Tessaly", "Error loading media.", nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Tessaly: Error loading media.\n");
    tessaly::desktop::StopDesktop();
}

}  // namespace
