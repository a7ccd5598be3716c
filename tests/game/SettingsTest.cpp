#include "game/Settings.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "core/Convert.h"
#include "core/EngineState.h"
#include "game/GameFixture.h"
#include "game/GameState.h"
#include "game/Media.h"
#include "game/Startup.h"
#include "game/desktop/Desktop.h"
#include "game/desktop/GameWindow.h"
#include "platform/test/RecordingDevice.h"

namespace {

using plmtest::GameEngineTest;
using plmtest::GameTest;
using namespace tessaly;

constexpr const char* kDefaultFile = "#TRUE#\r\n#FALSE#\r\n80\r\n90\r\n50\r\n#TRUE#\r\n\"GUEST\"\r\n";

class SettingsTest : public GameTest {
protected:
    std::string File() const { return folder.file(kConfigFileName); }
    std::string Saved() const { return plmtest::ReadFile(File()); }
    SettingsArea& S() { return G().Settings; }
};

TEST_F(SettingsTest, DefaultsAreWrittenByteForByte) {
    S().SoundVolume = 3;
    LoadConfig();  // no file: the defaults
    ASSERT_TRUE(SaveConfig());
    EXPECT_EQ(Saved(), kDefaultFile);
    for (const char* tiny : {"", "x"}) {  // shorter than 2 bytes: no data
        plmtest::WriteFile(File(), tiny);
        S().MusicVolume = 1;
        LoadConfig();
        EXPECT_EQ(S().MusicVolume, 90) << tiny;
    }
}

// Saves killed right after Quit left their temporary files: the next start removes them.
TEST_F(SettingsTest, TheNextStartRemovesWhatKilledSavesLeft) {
    const std::string config = folder.file("config.dat.tmp-NP9E46"), scores = folder.file("scores.dat.tmp-ayZHxE");
    for (const std::string& path : {config, scores}) {
        plmtest::WriteFile(path, "part of a save");
        const timespec times[2] = {{0, UTIME_NOW}, {time(nullptr) - 60, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    LoadConfig();
    EXPECT_FALSE(std::filesystem::exists(config));
    EXPECT_TRUE(std::filesystem::exists(scores));
    LoadHighScores();
    EXPECT_FALSE(std::filesystem::exists(scores));
}

TEST_F(SettingsTest, ValuesRoundTrip) {
    S() = {false, true, 0, 100, 73, false, "MAX, THE 2ND"};
    ASSERT_TRUE(SaveConfig());
    EXPECT_EQ(Saved(), "#FALSE#\r\n#TRUE#\r\n0\r\n100\r\n73\r\n#FALSE#\r\n\"MAX, THE 2ND\"\r\n");
    S() = {};
    LoadConfig();
    EXPECT_FALSE(S().TrueColor);
    EXPECT_TRUE(S().FullScreen);
    EXPECT_EQ(S().SoundVolume, 0);
    EXPECT_EQ(S().MusicVolume, 100);
    EXPECT_EQ(S().GammaSetting, 73);
    EXPECT_FALSE(S().VSync);
    EXPECT_EQ(S().CurrentPlayer, "MAX, THE 2ND");
}

TEST_F(SettingsTest, ABadFieldKeepsWhatWasReadBeforeIt) {
    struct Case {
        const char* text;
        bool trueColor, fullScreen;
        int sound, music, gamma;
        bool vsync;
        const char* player;
    };
    const Case cases[] = {
        // The third line is not a number: the two Booleans are kept, the rest are defaults.
        {"#FALSE#\r\n#TRUE#\r\nloud\r\n10\r\n10\r\n#FALSE#\r\n\"ANN\"\r\n", false, true, 80, 90, 50, true, "GUEST"},
        {"#FALSE#\r\n1\r\n", false, false, 80, 90, 50, true, "GUEST"},
        {"#FALSE#\r\n#FALSE#\r\n10\r\n20\r\n30\r\n", false, false, 10, 20, 30, true, "GUEST"},
        {"#TRUE#\r\n#FALSE#\r\n10\r\n20\r\n30\r\n#FALSE#\r\n", true, false, 10, 20, 30, false, "GUEST"},
        {"#TRUE#\n#FALSE#\n10\n20\n30\n#FALSE#\nBOB\n", true, false, 10, 20, 30, false, "BOB"},
        {"#TRUE#,#FALSE#,10,20,30,#FALSE#,\"BOB\"", true, false, 10, 20, 30, false, "BOB"},
        // Volumes and gamma are held to 0..100.
        {"#TRUE#\r\n#FALSE#\r\n250\r\n-4\r\n101\r\n#TRUE#\r\n\"GUEST\"\r\n", true, false, 100, 0, 100, true, "GUEST"},
        {"#TRUE#\r\n#FALSE#\r\n99999999999\r\n", true, false, 80, 90, 50, true, "GUEST"},
        // Quotes and control characters cannot reach the high-score file.
        {"#TRUE#\r\n#FALSE#\r\n1\r\n2\r\n3\r\n#TRUE#\r\n\"A\tB\x7f\"C\"\r\n", true, false, 1, 2, 3, true, "AB"},
        {"#TRUE#\r\n#FALSE#\r\n1\r\n2\r\n3\r\n#TRUE#\r\nA\"B\r\n", true, false, 1, 2, 3, true, "AB"},
    };
    for (const Case& c : cases) {
        plmtest::WriteFile(File(), c.text);
        S() = {false, true, 1, 1, 1, false, "OLD"};
        LoadConfig();
        EXPECT_EQ(S().TrueColor, c.trueColor) << c.text;
        EXPECT_EQ(S().FullScreen, c.fullScreen) << c.text;
        EXPECT_EQ(S().SoundVolume, c.sound) << c.text;
        EXPECT_EQ(S().MusicVolume, c.music) << c.text;
        EXPECT_EQ(S().GammaSetting, c.gamma) << c.text;
        EXPECT_EQ(S().VSync, c.vsync) << c.text;
        EXPECT_EQ(S().CurrentPlayer, c.player) << c.text;
    }
}

TEST_F(SettingsTest, LoadKeepsTheWindowSizeAndSaveReportsFailure) {
    S().WindowSizeStep = 7;
    S().BaseWindowWidth = 806;
    LoadConfig();
    EXPECT_EQ(S().WindowSizeStep, 7);
    EXPECT_EQ(S().BaseWindowWidth, 806);
    ASSERT_TRUE(SaveConfig());
    G().Run.Folder = folder.file("missing/");
    EXPECT_FALSE(SaveConfig());
    G().Run.Folder = folder.path().substr(0, folder.path().size() - 1);  // a slash is added
    S().SoundVolume = 12;
    ASSERT_TRUE(SaveConfig());
    EXPECT_EQ(Saved().substr(17, 4), "12\r\n");
}

class FunctionKeysTest : public GameEngineTest {
protected:
    void SetUp() override {
        GameEngineTest::SetUp();
        clock->SetStepPerRead(1);  // frame caps wait on the clock
    }
    void TearDown() override {
        G().Run.GameForm.reset();
        desktop::StopDesktop();
        GameEngineTest::TearDown();
    }
    // One press of the key: a frame with it down, then one with it up.
    void Press(uint8_t key) {
        for (bool down : {true, false}) {
            input->SetKey(key, down);
            E().Scene()->Begin();
            HandleFunctionKeys();
            E().Scene()->Render();
        }
    }
    desktop::GameWindow& OpenWindow() {
        std::string error;
        EXPECT_TRUE(desktop::StartDesktop(error)) << error;
        G().Run.GameForm = desktop::GameWindow::Open(false, 800, 600, "Tessaly", error);
        EXPECT_NE(G().Run.GameForm, nullptr) << error;
        G().Settings.BaseWindowWidth = G().Run.GameForm->OuterWidth();
        G().Settings.BaseWindowHeight = G().Run.GameForm->OuterHeight();
        return *G().Run.GameForm;
    }
};

TEST_F(FunctionKeysTest, FrameCapsAndInfoLine) {
    Press(kKeyF);
    EXPECT_TRUE(E().Scene()->SceneInfo());
    Press(kKeyF);
    EXPECT_FALSE(E().Scene()->SceneInfo());
    struct Case {
        uint8_t key;
        int fps;
        float fixed;
    };
    for (Case c : {Case{kKeyF1, 20, 50.0f}, {kKeyF2, 30, 1000.0f / 30}, {kKeyF3, 0, 0.0f}, {kKeyF2, 30, 1000.0f / 30}}) {
        Press(c.key);
        EXPECT_EQ(E().Scene()->FrameRate(), c.fps) << int(c.key);
        EXPECT_FLOAT_EQ(G().Frame.FixedDelta, c.fixed) << int(c.key);
    }
}

TEST_F(FunctionKeysTest, ANewEngineGetsTheFrameCapBack) {
    Press(kKeyF1);
    E().Scene()->FrameRate(0);  // as a new session's engine starts
    ApplyFrameCap();
    EXPECT_EQ(E().Scene()->FrameRate(), 20);
    G().Frame.FixedDelta = 1000.0f / 30;
    ApplyFrameCap();
    EXPECT_EQ(E().Scene()->FrameRate(), 30);
    G().Frame.FixedDelta = 0;
    ApplyFrameCap();  // no cap asked for: the engine's own setting stays
    EXPECT_EQ(E().Scene()->FrameRate(), 30);
}

TEST_F(FunctionKeysTest, SizeStepsWrapAndResizeTheWindow) {
    desktop::GameWindow& w = OpenWindow();
    const int baseW = G().Settings.BaseWindowWidth, baseH = G().Settings.BaseWindowHeight;
    struct Case {
        int from;
        uint8_t key;
        int to;
        double factor;
    };
    for (Case c : {Case{3, kKeyF12, 4, 1.25}, {1, kKeyF11, 9, 2.5}, {9, kKeyF12, 1, 0.5}, {2, kKeyF11, 1, 0.5},
                   {3, kKeyF11, 2, 0.75}}) {
        G().Settings.WindowSizeStep = c.from;
        Press(c.key);
        EXPECT_EQ(G().Settings.WindowSizeStep, c.to);
        EXPECT_EQ(w.OuterWidth(), plm::RoundHalfEven(baseW * c.factor)) << c.from;
        EXPECT_EQ(w.OuterHeight(), plm::RoundHalfEven(baseH * c.factor)) << c.from;
    }
    // Full screen: the step changes, the window stays.
    G().Settings.FullScreen = true;
    const int width = w.OuterWidth();
    G().Settings.WindowSizeStep = 1;
    Press(kKeyF11);
    EXPECT_EQ(G().Settings.WindowSizeStep, 9);
    EXPECT_EQ(w.OuterWidth(), width);
}

TEST_F(FunctionKeysTest, MusicVolumeAndGamma) {
    ASSERT_TRUE(LoadMedia());
    G().Settings.MusicVolume = 37;
    ApplyMusicVolume();
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(E().Music()->Volume(slot), 37) << slot;
    // The darkest setting is held at the floor (15, a factor of 0.3), so the screen stays readable.
    for (auto [setting, top] : {std::pair{50, 65025}, {25, 32512}, {100, 65535}, {15, 19507}, {0, 19507}}) {
        device->ClearCalls();
        G().Settings.GammaSetting = setting;
        ApplyGamma();
        const plm::platform::Call* ramp = device->Find(plm::platform::CallKind::SetGammaRamp);
        ASSERT_NE(ramp, nullptr) << setting;
        EXPECT_EQ(ramp->ints[255], top) << setting;
    }
}

}  // namespace
