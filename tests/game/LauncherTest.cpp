// The launcher and about windows under SDL's dummy driver: hover lighting, tooltips, the four
// buttons' actions through the shell and message-box recorders, and the modal about box.
#include "game/Launcher.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "game/GameFixture.h"
#include "game/MediaLayout.h"
#include "game/SdlEvents.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/DesktopRecorder.h"

namespace {

using tessaly::Launcher;
using tessaly::desktop::DesktopRecorder;
using tessaly::desktop::MessageBoxRecord;
namespace media = tessaly::media;

class LauncherTest : public plmtest::GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        std::string error;
        ASSERT_TRUE(tessaly::desktop::StartDesktop(error)) << error;
        for (const char* name : {media::kLauncherPicture, media::kAboutPicture, media::kHelpFile, media::kLinkFile}) {
            std::error_code ec;
            std::filesystem::copy_file(plmtest::BuildBinFile(name), folder.file(name), ec);
            ASSERT_FALSE(ec) << name;
        }
        recorder = std::make_shared<DesktopRecorder>();
        G().Run.Recorder = recorder;
        ASSERT_TRUE(launcher.Open(error)) << error;
        ASSERT_TRUE(launcher.Frame(now));
    }
    void TearDown() override {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        tessaly::desktop::StopDesktop();
        GameTest::TearDown();
    }

    // Lets the launcher handle everything queued.
    void Deliver() {
        tessaly::desktop::WindowEvent w;
        while (tessaly::desktop::NextWindowEvent(w, 0)) launcher.OnEvent(w, now);
    }
    void Move(int32_t window, int x, int y) {
        plmtest::PushMotion(window, x, y);
        Deliver();
    }
    void Click(int32_t window, int x, int y) {
        plmtest::PushButton(window, true, x, y);
        plmtest::PushButton(window, false, x, y);
        Deliver();
    }
    // A point inside button b.
    static int X(int b) { return media::kLauncherButtonAt[b].x + 20; }
    static int Y(int b) { return media::kLauncherButtonAt[b].y + 20; }
    void ClickButton(int b) { Click(launcher.Handle(), X(b), Y(b)); }

    std::shared_ptr<DesktopRecorder> recorder;
    Launcher launcher;
    uint32_t now = 10000;
};

TEST_F(LauncherTest, ButtonsLightUnderThePointerAndUnlightOverTheBackground) {
    for (int b = 0; b < media::kLauncherButtons; ++b) EXPECT_FALSE(launcher.Lit(b));
    Move(launcher.Handle(), X(media::kLauncherPlay), Y(media::kLauncherPlay));
    EXPECT_TRUE(launcher.Lit(media::kLauncherPlay));
    // Straight from one button onto another: both stay lit until the pointer crosses the background.
    Move(launcher.Handle(), X(media::kLauncherOtherGames), Y(media::kLauncherOtherGames));
    EXPECT_TRUE(launcher.Lit(media::kLauncherPlay));
    EXPECT_TRUE(launcher.Lit(media::kLauncherOtherGames));
    Move(launcher.Handle(), 5, 5);
    for (int b = 0; b < media::kLauncherButtons; ++b) EXPECT_FALSE(launcher.Lit(b));
    EXPECT_TRUE(launcher.Frame(now));
}

TEST_F(LauncherTest, TooltipShowsAfterTheDelayAndNotForPlay) {
    Move(launcher.Handle(), X(media::kLauncherHelp), Y(media::kLauncherHelp));
    launcher.Frame(now + tessaly::kTooltipDelay - 1);
    EXPECT_EQ(launcher.TooltipShown(), -1);
    launcher.Frame(now + tessaly::kTooltipDelay);
    EXPECT_EQ(launcher.TooltipShown(), media::kLauncherHelp);
    now += 1000;
    Move(launcher.Handle(), X(media::kLauncherPlay), Y(media::kLauncherPlay));
    EXPECT_EQ(launcher.TooltipShown(), -1);
    launcher.Frame(now + 5000);
    EXPECT_EQ(launcher.TooltipShown(), -1);  // Play has none
}

TEST_F(LauncherTest, PlayClosesTheLauncherWithPlayChosen) {
    const int32_t handle = launcher.Handle();
    Move(handle, X(media::kLauncherPlay), Y(media::kLauncherPlay));
    ClickButton(media::kLauncherPlay);
    EXPECT_TRUE(G().Run.PlayChosen);
    EXPECT_FALSE(launcher.Lit(media::kLauncherPlay));
    EXPECT_FALSE(launcher.Frame(now));
    EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(handle)), nullptr);  // unloaded
}

TEST_F(LauncherTest, ClosingTheWindowOrAQuitEndsWithoutPlay) {
    for (Uint32 kind : {Uint32(SDL_WINDOWEVENT), Uint32(SDL_QUIT)}) {
        Launcher other;
        std::string error;
        ASSERT_TRUE(other.Open(error));
        if (kind == SDL_QUIT)
            plmtest::PushQuit();
        else
            plmtest::PushWindowEvent(other.Handle(), SDL_WINDOWEVENT_CLOSE);
        tessaly::desktop::WindowEvent w;
        while (tessaly::desktop::NextWindowEvent(w, 0)) other.OnEvent(w, now);
        EXPECT_FALSE(other.Frame(now));
        EXPECT_FALSE(G().Run.PlayChosen);
    }
}

TEST_F(LauncherTest, HelpGoesToTheShellOrShowsItsErrorBox) {
    ClickButton(media::kLauncherHelp);
    ASSERT_EQ(recorder->ShellTargets.size(), 1u);
    EXPECT_EQ(recorder->ShellTargets[0], folder.file("help.htm"));
    EXPECT_TRUE(recorder->Boxes.empty());

    std::filesystem::remove(folder.file("help.htm"));
    ClickButton(media::kLauncherHelp);
    EXPECT_EQ(recorder->ShellTargets.size(), 1u);
    ASSERT_EQ(recorder->Boxes.size(), 1u);
    EXPECT_EQ(recorder->Boxes[0].Title, "Failed To Launch Default Web Browser!");
    EXPECT_EQ(recorder->Boxes[0].Text, "Error launching " + folder.file("help.htm"));
}

TEST_F(LauncherTest, LinkFileAddressGoesToTheShellOnlyWhenItIsAWebAddress) {
    struct Case {
        const char* contents;  // nullptr: no link file
        const char* shell;     // what reaches the shell, or nullptr
        const char* title;     // the box shown, or nullptr
        const char* text;
    };
    const Case cases[] = {
        {"\"https://www.example.com/games/\"\r\n", "https://www.example.com/games/", nullptr, nullptr},
        {"http://example.org/a,b\r\n", "http://example.org/a", nullptr, nullptr},
        {"\"file:///etc/passwd\"\r\n", nullptr, "Failed To Web Browser!", "Error launching file:///etc/passwd"},
        {"\"--help\"", nullptr, "Failed To Web Browser!", "Error launching --help"},
        {"", nullptr, "Error", nullptr},
        {nullptr, nullptr, "Error", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contents ? c.contents : "(no file)");
        recorder->Boxes.clear();
        recorder->ShellTargets.clear();
        std::filesystem::remove(folder.file("othergames.dat "));
        if (c.contents) plmtest::WriteFile(folder.file("othergames.dat "), c.contents);
        // A file without the final blank is not the link file.
        plmtest::WriteFile(folder.file("othergames.dat"), "\"https://wrong.example.com/\"");
        ClickButton(media::kLauncherOtherGames);
        if (c.shell) {
            ASSERT_EQ(recorder->ShellTargets.size(), 1u);
            EXPECT_EQ(recorder->ShellTargets[0], c.shell);
        } else {
            EXPECT_TRUE(recorder->ShellTargets.empty());
        }
        if (c.title) {
            ASSERT_EQ(recorder->Boxes.size(), 1u);
            EXPECT_EQ(recorder->Boxes[0].Title, c.title);
            if (c.text) {
                EXPECT_EQ(recorder->Boxes[0].Text, c.text);
            }
        } else {
            EXPECT_TRUE(recorder->Boxes.empty());
        }
    }
}

TEST_F(LauncherTest, AboutBoxIsModalAndClosesOnOk) {
    ClickButton(media::kLauncherAbout);
    const int32_t about = launcher.AboutHandle();
    ASSERT_NE(about, 0);
    EXPECT_TRUE(launcher.Frame(now));
    ClickButton(media::kLauncherAbout);  // a second click while it shows opens nothing more
    EXPECT_EQ(launcher.AboutHandle(), about);
    ClickButton(media::kLauncherPlay);   // the launcher takes no input while the box shows
    EXPECT_FALSE(G().Run.PlayChosen);
    // Pressed on Ok, released off it: the box stays.
    plmtest::PushButton(about, true, media::kAboutOkAt.x + 10, media::kAboutOkAt.y + 10);
    plmtest::PushMotion(about, 5, 5);
    plmtest::PushButton(about, false, 5, 5);
    Deliver();
    EXPECT_EQ(launcher.AboutHandle(), about);
    Click(about, media::kAboutOkAt.x + 10, media::kAboutOkAt.y + 10);
    EXPECT_EQ(launcher.AboutHandle(), 0);
    EXPECT_EQ(SDL_GetWindowFromID(static_cast<Uint32>(about)), nullptr);
    // Opened again, Escape closes it; then the launcher works again.
    ClickButton(media::kLauncherAbout);
    ASSERT_NE(launcher.AboutHandle(), 0);
    plmtest::PushKey(launcher.AboutHandle(), SDL_SCANCODE_ESCAPE);
    Deliver();
    EXPECT_EQ(launcher.AboutHandle(), 0);
    ClickButton(media::kLauncherPlay);
    EXPECT_TRUE(G().Run.PlayChosen);
}

TEST(LinkFile, FirstFieldIsTheAddress) {
    EXPECT_EQ(tessaly::LinkFileAddress("\"https://a.example/x, y\"\r\nmore"), "https://a.example/x, y");
    EXPECT_EQ(tessaly::LinkFileAddress("  http://b.example/  ,second"), "http://b.example/");
    EXPECT_EQ(tessaly::LinkFileAddress("\"unterminated"), "");  // a damaged file
    EXPECT_EQ(tessaly::LinkFileAddress("\r\n"), "");
    EXPECT_EQ(tessaly::LinkFileAddress(""), "");
}

}  // namespace
