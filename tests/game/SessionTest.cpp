// Whole sessions of the program headless (SDL's dummy driver, software device, null audio,
// scripted input): from the launcher's Play through the title (left with Escape) to the engine's
// shutdown, and the failures a session reports.
#include "game/Startup.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "ui/HighScores.h"
#include "game/FolderLock.h"
#include "game/FrameLoop.h"
#include "game/GameFixture.h"
#include "game/Launcher.h"
#include "game/MediaLayout.h"
#include "game/SdlEvents.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/DesktopRecorder.h"
#include "game/desktop/EventWatch.h"
#include "game/desktop/GameWindow.h"
#include "platform/test/ScriptedInput.h"

namespace {

namespace media = tessaly::media;
using tessaly::desktop::DesktopRecorder;

// The files a player's folder holds before the first start.
const char* const kBesideFiles[] = {"media.pak", "gdata.dat", "help.htm", "othergames.dat ", "launcher.bmp", "about.bmp"};

class SessionTest : public plmtest::GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (const char* name : kBesideFiles) Place(name);
        // The engine library is loaded from the program's folder.
        std::error_code ec;
        std::filesystem::create_symlink(plmtest::BuildBinFile("libplm232.so"), folder.file("libplm232.so"), ec);
        ASSERT_FALSE(ec);
        recorder = std::make_shared<DesktopRecorder>();
        G().Run.Recorder = recorder;
        G().Run.KeepEngineLog = true;
        input = std::make_shared<plm::platform::ScriptedInput>();
        // Escape held: the title leaves after its first frame, as a player who quits at once.
        input->SetKey(tessaly::kKeyEscape, true);
        plm::SetInputBackend(input);
        clock->SetStepPerRead(1);  // waits on the clock end
    }
    void TearDown() override {
        tessaly::ShutdownEngine();
        plm::SetInputBackend(nullptr);
        GameTest::TearDown();
    }
    void Place(const char* name) {
        std::error_code ec;
        std::filesystem::copy_file(plmtest::BuildBinFile(name), folder.file(name), ec);
        ASSERT_FALSE(ec) << name;
    }
    // A session as Main runs it, inside the desktop with the game's event watch.
    void Session() {
        std::string error;
        ASSERT_TRUE(tessaly::desktop::StartDesktop(error)) << error;
        {
            tessaly::desktop::EventWatch watch(&tessaly::OnWindowEvent);
            tessaly::desktop::EventWatch script(player);
            tessaly::RunSession();
        }
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        tessaly::desktop::StopDesktop();
    }
    std::set<std::string> FilesInFolder() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) names.insert(entry.path().filename().string());
        return names;
    }

    std::shared_ptr<DesktopRecorder> recorder;
    std::shared_ptr<plm::platform::ScriptedInput> input;
    // What the player does in the windows, as their events come.
    tessaly::desktop::EventWatch::Handler player;
};

TEST_F(SessionTest, SessionToTheTitleAndOutSavesScoresAndSettingsAndCleansUp) {
    Session();
    EXPECT_TRUE(recorder->Boxes.empty());
    EXPECT_FALSE(G().Run.Engine);
    EXPECT_FALSE(G().Run.GameForm);
    EXPECT_TRUE(G().Run.AbortSession);  // Escape on the title
    // The game's default tables: ten GUEST rows from 1000 down to 100, level text "1", five times.
    plm::HighScores saved;
    saved.Init("scores.dat", 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    for (int32_t table = 1; table <= 5; ++table)
        for (int32_t place = 1; place <= 10; ++place) {
            EXPECT_EQ(saved.GetName(place, table), "GUEST");
            EXPECT_EQ(saved.GetScore(place, table), 1100 - 100 * place);
            EXPECT_EQ(saved.GetDataString1(place, table), "1");
            EXPECT_EQ(saved.GetDataString2(place, table), "");
        }
    // The game's default tables: ten GUEST rows from 1000 down to 100, level text "1", five times.
    EXPECT_EQ(plmtest::ReadFile(folder.file("config.dat")), "#TRUE#\r\n#FALSE#\r\n80\r\n90\r\n50\r\n#TRUE#\r\n\"GUEST\"\r\n");
    // Nothing unpacked is left behind: the folder holds what it held, the two saved files and the log.
    std::set<std::string> expected(std::begin(kBesideFiles), std::end(kBesideFiles));
    expected.insert({"libplm232.so", "scores.dat", "config.dat", "data.log"});
    EXPECT_EQ(FilesInFolder(), expected);
    const std::string log = LogText();
    EXPECT_NE(log.find("Session: Start"), std::string::npos);
    EXPECT_NE(log.find("Terminating Pelmar Engine Session"), std::string::npos);
    EXPECT_NE(log.find("Session: End"), std::string::npos);
    // The one error is the splash picture's, which this folder does not have.
    const size_t error = log.find("Error: (");
    EXPECT_EQ(log.find("Error: (", error + 1), std::string::npos) << log;
    EXPECT_NE(log.find("Filename=affimage.jpg", error), std::string::npos) << log;
}

// The program as a player meets it: the launcher's Play opens a session; after it the launcher
// shows again, and closing it ends the program with 0. A session whose display device fails
// shows its one box and also comes back to the launcher; a session that asks for a restart (a
// display change) is followed by a new one at once, without the launcher.
TEST_F(SessionTest, MainGoesFromTheLauncherThroughASessionBackToTheLauncher) {
    enum Case { kPlain, kDeviceFails, kRestart };
    for (Case c : {kPlain, kDeviceFails, kRestart}) {
        SCOPED_TRACE(c);
        recorder->Boxes.clear();
        int sessions = 0;
        G().Run.BeforeInitDevice = [&](plm::PelmarEngine& e) {
            if (c == kDeviceFails) e.Device()->Adapter(7);
            if (c == kRestart && ++sessions == 1) G().Run.RestartGame = true;
        };
        int launchers = 0;
        player = [&](const tessaly::desktop::WindowEvent& e) {
            if (e.Kind != tessaly::desktop::WindowEventKind::Restored) return;
            int w = 0, h = 0;
            SDL_GetWindowSize(SDL_GetWindowFromID(static_cast<Uint32>(e.Window)), &w, &h);
            if (w != media::kLauncherBackground.w || h != media::kLauncherBackground.h) return;
            if (++launchers == 1) {
                const media::Point play = media::kLauncherButtonAt[media::kLauncherPlay];
                plmtest::PushButton(e.Window, true, play.x + 30, play.y + 30);
                plmtest::PushButton(e.Window, false, play.x + 30, play.y + 30);
            } else {
                plmtest::PushWindowEvent(e.Window, SDL_WINDOWEVENT_CLOSE);
            }
        };
        tessaly::desktop::EventWatch script(player);
        EXPECT_EQ(tessaly::Main(), 0);
        EXPECT_EQ(launchers, 2);
        EXPECT_EQ(recorder->Boxes.size(), c == kDeviceFails ? 1u : 0u);
        if (c == kRestart) {
            EXPECT_EQ(sessions, 2);
        }
        EXPECT_FALSE(G().Run.Engine);
        EXPECT_TRUE(std::filesystem::exists(folder.file("config.dat")));
    }
}

// A second copy started from the folder of a running one says so in one box and ends with 1,
// before its launcher: the folder holds what it held.
TEST_F(SessionTest, ASecondCopyInTheFolderSaysSoAndTouchesNothing) {
    tessaly::FolderLock running;
    ASSERT_TRUE(running.Take(folder.path()));
    const std::set<std::string> before = FilesInFolder();
    int windows = 0;
    tessaly::desktop::EventWatch count([&](const tessaly::desktop::WindowEvent& e) {
        windows += e.Kind == tessaly::desktop::WindowEventKind::Restored;
    });
    EXPECT_EQ(tessaly::Main(), 1);
    EXPECT_EQ(windows, 0);
    ASSERT_EQ(recorder->Boxes.size(), 1u);
    EXPECT_EQ(recorder->Boxes[0].Title, "Tessaly");
    EXPECT_EQ(recorder->Boxes[0].Text, "Tessaly is already running from this folder.");
    EXPECT_FALSE(tessaly::HoldsFolderLock());
    EXPECT_EQ(FilesInFolder(), before);
    // Once the first copy has ended, the next start takes the folder.
    running.Release();
    G().Run.EndProgram = true;  // no launcher: only the start is looked at
    EXPECT_EQ(tessaly::Main(), 0);
    EXPECT_TRUE(tessaly::HoldsFolderLock());
}

TEST_F(SessionTest, DisplayDeviceFailureShowsOneBoxAndEndsTheSession) {
    G().Run.BeforeInitDevice = [](plm::PelmarEngine& e) { e.Device()->Adapter(7); };
    Session();
    ASSERT_EQ(recorder->Boxes.size(), 1u);
    EXPECT_EQ(recorder->Boxes[0].Title, "Tessaly");
    EXPECT_EQ(recorder->Boxes[0].Text, "The DirectX interface could not be initialized!");
    EXPECT_FALSE(G().Run.Engine);
    EXPECT_FALSE(G().Run.GameForm);
    EXPECT_FALSE(std::filesystem::exists(folder.file("scores.dat")));  // no session ran
    EXPECT_TRUE(std::filesystem::exists(folder.file("config.dat")));   // settings saved as usual
}

TEST_F(SessionTest, MissingArchiveShowsErrorLoadingMedia) {
    std::filesystem::remove(folder.file("media.pak"));
    G().Run.ErrorText = "an old message";  // a message of an earlier session is not shown again
    Session();
    ASSERT_EQ(recorder->Boxes.size(), 1u);
    EXPECT_EQ(recorder->Boxes[0].Title, "Tessaly");
    EXPECT_EQ(recorder->Boxes[0].Text, "Error loading media.");
}

TEST_F(SessionTest, WithoutAnAudioDeviceTheSessionRunsSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Session();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(recorder->Boxes.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.file("scores.dat")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("config.dat")));
}

// Full screen from the settings: the game window covers the desktop and the engine runs its
// device full screen into it.
TEST_F(SessionTest, FullScreenSettingOpensADesktopFullScreenWindow) {
    plmtest::WriteFile(folder.file("config.dat"), "#TRUE#\r\n#TRUE#\r\n80\r\n90\r\n50\r\n#TRUE#\r\n\"GUEST\"\r\n");
    bool fullScreen = false;
    int32_t width = 0;
    G().Run.BeforeInitDevice = [&](plm::PelmarEngine& e) {
        fullScreen = G().Run.GameForm->FullScreen() && !e.Device()->Windowed();
        width = G().Run.GameForm->InnerWidth();
    };
    Session();
    EXPECT_TRUE(recorder->Boxes.empty());
    EXPECT_TRUE(fullScreen);
    EXPECT_GE(width, 800);
    EXPECT_NE(plmtest::ReadFile(folder.file("config.dat")).find("#TRUE#\r\n#TRUE#"), std::string::npos);
}

// A score file cut short in its third table: every entry read whole keeps its name, score and
// level, only the places the file no longer holds get the default rows (the table ranked again),
// and the damaged file is kept beside the new one, each damaged file replacing the last kept.
TEST_F(SessionTest, DamagedScoreFileKeepsEveryEntryReadWholeAndIsKeptAside) {
    auto entry = [](const std::string& name, int score, const std::string& level) {
        return "\"" + name + "\"\r\n" + std::to_string(score) + "\r\n\"" + level + "\"\r\n\"\"\r\n";
    };
    std::string text;
    for (int32_t table = 1; table <= 2; ++table)
        for (int32_t place = 1; place <= 10; ++place)
            text += entry("P" + std::to_string(table) + "-" + std::to_string(place), 90000 - 1000 * place,
                          std::to_string(place + 10));
    for (int score : {5000, 3000, 700, 50}) text += entry("T3-" + std::to_string(score), score, "9");
    const std::string damaged = text + "\"T3-cut\"\r\n40";
    plmtest::WriteFile(folder.file("scores.dat"), damaged);
    Session();
    EXPECT_EQ(plmtest::ReadFile(folder.file("scores.dat.damaged")), damaged);
    plm::HighScores saved;
    saved.Init("scores.dat", 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    for (int32_t table = 1; table <= 2; ++table)
        for (int32_t place = 1; place <= 10; ++place) {
            EXPECT_EQ(saved.GetName(place, table), "P" + std::to_string(table) + "-" + std::to_string(place));
            EXPECT_EQ(saved.GetScore(place, table), 90000 - 1000 * place);
            EXPECT_EQ(saved.GetDataString1(place, table), std::to_string(place + 10));
        }
    const std::vector<int32_t> third = {5000, 3000, 700, 600, 500, 400, 300, 200, 100, 50};
    const std::set<int32_t> thirdRead = {5000, 3000, 700, 50};
    for (int32_t place = 1; place <= 10; ++place) {
        const int32_t score = third[static_cast<size_t>(place - 1)];
        const bool read = thirdRead.count(score) == 1;
        EXPECT_EQ(saved.GetScore(place, 3), score);
        EXPECT_EQ(saved.GetName(place, 3), read ? "T3-" + std::to_string(score) : "GUEST");
        EXPECT_EQ(saved.GetDataString1(place, 3), read ? "9" : "1");
    }
    for (int32_t table = 4; table <= 5; ++table) EXPECT_EQ(saved.GetName(1, table), "GUEST");
    EXPECT_NE(LogText().find("scores.dat is damaged; kept as scores.dat.damaged"), std::string::npos);

    // A whole file is read as it is and nothing is kept aside; the next damaged one replaces the
    // copy kept.
    const std::string whole = plmtest::ReadFile(folder.file("scores.dat"));
    Session();
    EXPECT_EQ(plmtest::ReadFile(folder.file("scores.dat")), whole);
    EXPECT_EQ(plmtest::ReadFile(folder.file("scores.dat.damaged")), damaged);
    plmtest::WriteFile(folder.file("scores.dat"), "\"X\",notanumber");
    Session();
    EXPECT_EQ(plmtest::ReadFile(folder.file("scores.dat.damaged")), "\"X\",notanumber");
    saved.Init("scores.dat", 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    EXPECT_EQ(saved.GetName(1, 1), "GUEST");
    EXPECT_EQ(saved.GetScore(1, 1), 1000);
}

// The window closed as the session starts (during the splash): the splash ends, the session
// reads its high scores and media, and the title's first frame ends it; the scores are saved and
// no unpacked file is left.
TEST_F(SessionTest, CloseDuringTheSplashEndsTheSessionAtTheTitle) {
    Place("affimage.jpg");
    plm::HighScores before;
    before.Init("scores.dat", 10, 1000, 5);
    before.SetHighScore(1, "ANNA", 777777, "12", "", 2);
    ASSERT_TRUE(before.SaveScores());
    std::filesystem::remove(folder.file("data.log"));
    // The player closes the game window as soon as it shows, and does not press Escape.
    input->SetKey(tessaly::kKeyEscape, false);
    G().Session.StartLevel = 12;
    player = [](const tessaly::desktop::WindowEvent& e) {
        const auto& form = tessaly::Game().Run.GameForm;
        if (e.Kind == tessaly::desktop::WindowEventKind::Restored && form && e.Window == form->Handle())
            plmtest::PushWindowEvent(e.Window, SDL_WINDOWEVENT_CLOSE);
    };
    Session();
    EXPECT_TRUE(G().Run.QuitRequested);
    EXPECT_TRUE(G().Run.CloseAllowed);
    EXPECT_TRUE(G().Run.AbortSession);
    EXPECT_TRUE(recorder->Boxes.empty());
    plm::HighScores saved;
    saved.Init("scores.dat", 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    EXPECT_EQ(saved.GetName(1, 2), "ANNA");
    EXPECT_EQ(saved.GetScore(1, 2), 777777);
    EXPECT_EQ(saved.GetName(2, 2), "GUEST");
    EXPECT_TRUE(std::filesystem::exists(folder.file("config.dat")));
    std::set<std::string> expected(std::begin(kBesideFiles), std::end(kBesideFiles));
    expected.insert({"libplm232.so", "affimage.jpg", "scores.dat", "config.dat", "data.log"});
    EXPECT_EQ(FilesInFolder(), expected);
    EXPECT_EQ(G().Session.StartLevel, 1);  // the title was set up
}

}  // namespace
