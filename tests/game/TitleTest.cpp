// The title screen frame by frame on the headless engine: its set-up, its widgets, what a frame
// draws and in which order, the ways out of its loop, the fireworks, the name entry, the options
// page with its restart rule, and what clicks during a fade do.
#include "game/Title.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/EngineState.h"
#include "game/TitleFixture.h"
#include "game/GameState.h"
#include "game/Media.h"
#include "game/MediaLayout.h"
#include "game/Settings.h"
#include "game/TitleMenu.h"
#include "platform/test/RecordingDevice.h"
#include "platform/test/ScriptedInput.h"
#include "ui/Gui.h"

namespace {

using namespace tessaly;
using plm::platform::CallKind;
using tessaly::fixtures::TitleTest;


TEST_F(TitleTest, InitTitleStartsAVisitOnTheMainMenu) {
    // A session that ended on the help, score or name page, after a game without a new score.
    TitleArea& t = G().Title;
    t.ShowingHelp = t.ShowingHighScores = t.EnteringName = true;
    t.TitlePage = kOptionsPage;
    t.MenuGhosted = true;
    G().End.NewHighScorePosition = 3;
    G().Session.GameMode = 4;
    G().Session.StartLevel = 17;
    G().Frame.LeaveAfterFade = true;
    ASSERT_TRUE(InitTitle());
    EXPECT_EQ(t.TitlePage, kMainMenuPage);
    EXPECT_FALSE(t.ShowingHelp || t.ShowingHighScores || t.EnteringName);
    EXPECT_EQ(G().End.NewHighScorePosition, 0);
    EXPECT_TRUE(t.MenuGhosted);  // kept from the last visit
    EXPECT_EQ(t.MenuAlpha, 255);
    EXPECT_EQ(G().Session.GameMode, 0);
    EXPECT_EQ(G().Session.StartLevel, 1);
    EXPECT_EQ(G().Session.ModePicture, 1);
    EXPECT_FALSE(G().Frame.LeaveAfterFade);
    EXPECT_EQ(t.PictureSources(1).SrcX, 0);
    EXPECT_EQ(t.PictureSources(5).SrcX, 157);
    EXPECT_EQ(t.PictureSources(5).SrcY, 119);
    EXPECT_EQ(t.PictureSources(10).SrcX, 270);
    EXPECT_EQ(t.PictureSources(10).SrcY, 394);
    EXPECT_TRUE(G().Fade.FadeOn);
    EXPECT_EQ(G().Fade.FadeAlpha, 255);
    EXPECT_TRUE(G().Media.PlaylistActive);
    EXPECT_EQ(G().Media.Playlist(1), 2);
    EXPECT_EQ(Ui().Count().eButtonCount, 21);

    // After a new third-best score in mode 4 the visit opens on that table, the row kept.
    G().End.NewHighScoreMode = 4;
    G().End.NewHighScorePosition = 3;
    ASSERT_TRUE(InitTitle());
    EXPECT_EQ(t.TitlePage, kHighScoresPage);
    EXPECT_EQ(t.HighScorePage, 4);
    EXPECT_TRUE(t.ShowingHighScores);
    EXPECT_EQ(G().End.NewHighScoreMode, 0);
    EXPECT_EQ(G().End.NewHighScorePosition, 3);
    EXPECT_FALSE(Ui().Visible(plm::ebutton, 1));
    EXPECT_TRUE(Ui().Visible(plm::ebutton, kScoresBackButton));
}

TEST_F(TitleTest, BuildTitleGuiMakesEveryWidgetInPlace) {
    G().Settings.CurrentPlayer = " bo\"b\t";
    G().Title.TitlePage = kMainMenuPage;
    BuildTitleGui();
    const plm::PLMGuiCount n = Ui().Count();
    EXPECT_EQ(n.eTextCount, 2);
    EXPECT_EQ(n.eButtonCount, 21);
    EXPECT_EQ(n.eTileCount, 8);
    EXPECT_EQ(n.eCheckBoxCount, 3);
    EXPECT_EQ(n.eSliderBarCount, 3);
    EXPECT_EQ(n.eFrameCount, 2);
    EXPECT_EQ(G().Settings.CurrentPlayer, " BOB");
    EXPECT_EQ(Ui().TextString(kWelcomeText), "WELCOME  BOB");
    struct Place {
        plm::PLMGuiEventType kind;
        int32_t index;
        float x, y;
        bool visible;
    };
    for (const Place& p : {Place{plm::ebutton, 1, 149, 395, true}, {plm::ebutton, 2, 7, 316, true},
                           {plm::ebutton, 5, 637, 313, true}, {plm::ebutton, 6, 12, 532, true},
                           {plm::ebutton, 9, 682, 532, true}, {plm::ebutton, 10, 261, 370, false},
                           {plm::ebutton, 14, 30, 365, false}, {plm::ebutton, 21, 660, 525, false},
                           {plm::eTile, 6, 145.5f, 120.5f, false}, {plm::eTile, 7, 42, 50, false},
                           {plm::eCheckBox, 3, 400, 413, false}, {plm::eSliderBar, 2, 371, 260, false},
                           {plm::eFrame, 2, 138, 90, false}, {plm::eText, 2, 400, 49, true}}) {
        SCOPED_TRACE(std::to_string(p.kind) + "/" + std::to_string(p.index));
        EXPECT_EQ(Ui().X(p.kind, p.index), p.x);
        EXPECT_EQ(Ui().Y(p.kind, p.index), p.y);
        EXPECT_EQ(Ui().Visible(p.kind, p.index), p.visible);
    }
    // Windowed, colour depth, vertical sync and gamma are dimmed and dead; full screen, live.
    for (bool full : {false, true}) {
        G().Settings.FullScreen = full;
        BuildTitleGui();
        for (auto [kind, index] : {std::pair{plm::eCheckBox, 1}, {plm::eCheckBox, 3}, {plm::eSliderBar, 3}}) {
            EXPECT_EQ(Ui().Enabled(kind, index), full);
            EXPECT_EQ(Ui().Alpha(kind, index), full ? 255 : 100);
        }
        EXPECT_TRUE(Ui().Enabled(plm::eCheckBox, 2));
        EXPECT_TRUE(Ui().Enabled(plm::eSliderBar, 1));
    }
    // An empty name is the guest; on any page but the main menu nothing is rebuilt.
    G().Settings.CurrentPlayer = "\"";
    BuildTitleGui();
    EXPECT_EQ(G().Settings.CurrentPlayer, "GUEST");
    G().Title.TitlePage = kOptionsPage;
    Ui().Reset();
    BuildTitleGui();
    EXPECT_EQ(Ui().Count().eButtonCount, 0);
}

TEST_F(TitleTest, FirstFrameShowsTheLogoAtFullSizeAndFiftyGems) {
    ASSERT_TRUE(InitTitle());
    ResetLogoPulse();
    G().Frame.InGame = true;
    EXPECT_TRUE(Frame());
    EXPECT_FLOAT_EQ(LogoScale(), 1.0f);
    for (int32_t i = kFountainFirst; i <= kFountainLast; ++i) EXPECT_TRUE(E().Sprite()->IsActive(i)) << i;
    EXPECT_FALSE(E().Sprite()->IsActive(kFountainLast + 1));
}

TEST_F(TitleTest, FramesDrawInLayers) {
    Open();
    device->ClearCalls();
    Frame();
    EXPECT_EQ(DrawnKinds(), (std::vector<std::string>{"background", "gem", "logo", "button", "glyph"}));
    // A fade draws last; the help page replaces the background, fountain and logo.
    ClickButton(kHelpMenuButton);
    ASSERT_EQ(G().Title.TitlePage, kHelpPage);
    ASSERT_TRUE(G().Title.ShowingHelp);
    device->ClearCalls();
    Frame();
    EXPECT_EQ(DrawnKinds(), (std::vector<std::string>{"help", "button"}));
    ClickButton(kHelpBackButton);
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
    EXPECT_FALSE(G().Title.ShowingHelp);
    EXPECT_TRUE(Ui().Visible(plm::eText, kWelcomeText));
    EXPECT_TRUE(Ui().Visible(plm::ebutton, 1));
    ClickButton(kQuitButton);
    device->ClearCalls();
    Frame();
    EXPECT_EQ(DrawnKinds().back(), "fade");
}

TEST_F(TitleTest, WaysOutOfTheLoop) {
    // Escape: the frame still runs, then the loop ends, without a fade.
    Open();
    input->SetKey(kKeyEscape, true);
    device->ClearCalls();
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(G().Run.AbortSession);
    EXPECT_EQ(device->Count(CallKind::Present), 1u);
    input->SetKey(kKeyEscape, false);

    // The window closed: no frame drawn at all.
    G().Run.AbortSession = false;
    Open();
    G().Run.QuitRequested = true;
    device->ClearCalls();
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(G().Run.AbortSession);
    EXPECT_TRUE(G().Run.CloseAllowed);
    EXPECT_EQ(device->Count(CallKind::BeginScene), 0u);
    G().Run.QuitRequested = false;

    // Quit: the loop runs on until the fade-out is over; RunTitle then stops the sound and the
    // timers.
    G().Run.AbortSession = false;
    Open();
    ClickButton(kQuitButton);
    EXPECT_TRUE(G().Run.AbortSession);
    EXPECT_TRUE(G().Fade.FadeOn);
    EXPECT_EQ(G().Session.GameMode, 0);
    RunTitle();
    EXPECT_FALSE(G().Fade.FadeOn);
    EXPECT_FALSE(G().Media.PlaylistActive);
    EXPECT_FALSE(E().Timer()->Check(kFireworksTimer));
}

TEST_F(TitleTest, FireworksFireOnlyOnTheMainMenu) {
    Open();
    const int32_t before = FireworksStarted();
    for (int i = 0; i < 300 && FireworksStarted() == before; ++i) Frame();
    EXPECT_EQ(FireworksStarted(), before + 10);
    // On the options page a firing is used up without fireworks.
    ClickButton(kOptionsMenuButton);
    ASSERT_EQ(G().Title.TitlePage, kOptionsPage);
    const int32_t onPage = FireworksStarted();
    for (int i = 0; i < 320; ++i) Frame();
    EXPECT_EQ(FireworksStarted(), onPage);
}

TEST_F(TitleTest, NameEntryTypesLettersAndEndsWithEnter) {
    Open();
    ClickAt(400, 49 + 8);  // the "change player" line
    ASSERT_TRUE(G().Title.EnteringName);
    EXPECT_FALSE(Ui().MouseChecking());
    EXPECT_EQ(G().Title.MenuAlpha, 100);
    for (int i = 0; i < 5; ++i) PressKey(14);  // Backspace empties "GUEST"
    EXPECT_EQ(G().Settings.CurrentPlayer, "");
    const bool info = E().Scene()->SceneInfo();
    // F is a letter here, not the information line; the eleventh letter is not taken.
    for (int scan : {33, 18, 18, 30, 31, 32, 33, 34, 35, 36, 37}) PressKey(scan);
    EXPECT_EQ(G().Settings.CurrentPlayer, "FEEASDFGHJ");
    EXPECT_EQ(E().Scene()->SceneInfo(), info);
    PressKey(14);
    PressKey(28);  // Enter
    EXPECT_FALSE(G().Title.EnteringName);
    EXPECT_EQ(G().Settings.CurrentPlayer, "FEEASDFGH");
    EXPECT_EQ(Ui().TextString(kWelcomeText), "WELCOME FEEASDFGH");
    EXPECT_TRUE(Ui().MouseChecking());
    EXPECT_EQ(G().Title.MenuAlpha, 255);
    EXPECT_EQ(Ui().Alpha(plm::ebutton, 3), 255);
    // Finished empty, the name is the guest's.
    ClickAt(400, 57);
    for (int i = 0; i < 10; ++i) PressKey(14);
    PressKey(28);
    EXPECT_EQ(G().Settings.CurrentPlayer, "GUEST");
}

TEST_F(TitleTest, SlidersMapToSettingsAndSnapAtTheirEnds) {
    for (auto [volume, slider] : {std::pair{0, 1}, {1, 2}, {50, 100}, {99, 198}, {100, 200}})
        EXPECT_EQ(VolumeToSlider(volume), slider) << volume;
    for (auto [value, setting] : {std::pair{1, 0}, {2, 1}, {3, 2}, {5, 2}, {100, 50}, {199, 100}, {200, 100}})
        EXPECT_EQ(SliderToSetting(value), setting) << value;

    G().Settings.SoundVolume = 0;
    G().Settings.MusicVolume = 100;
    G().Settings.GammaSetting = 40;
    Open();
    ClickButton(kOptionsMenuButton);
    ASSERT_EQ(G().Title.TitlePage, kOptionsPage);
    EXPECT_EQ(Ui().SliderBarValue(kSoundSlider), 1);
    EXPECT_EQ(Ui().SliderBarValue(kMusicSlider), 200);
    EXPECT_EQ(Ui().SliderBarValue(kGammaSlider), 80);
    EXPECT_TRUE(G().Title.MenuGhosted);
    // Released near an end, a volume slider snaps to it.
    Ui().SliderBarValue(kSoundSlider, 199);
    Ui().SliderBarValue(kMusicSlider, 2);
    Frame();
    EXPECT_EQ(Ui().SliderBarValue(kSoundSlider), 200);
    EXPECT_EQ(G().Settings.SoundVolume, 100);
    EXPECT_EQ(Ui().SliderBarValue(kMusicSlider), 1);
    EXPECT_EQ(G().Settings.MusicVolume, 0);
    EXPECT_EQ(E().Music()->Volume(2), 0);
    // Dragging the sound slider: the value to the whole-number volume.
    const float sx = Ui().X(plm::eSliderBar, kSoundSlider), sy = Ui().Y(plm::eSliderBar, kSoundSlider);
    G().Frame.GameMouseX = sx + 50;
    G().Frame.GameMouseY = sy + 10;
    input->SetButton(0, true);
    Frame();
    Frame();
    input->SetButton(0, false);
    EXPECT_EQ(G().Settings.SoundVolume, SliderToSetting(Ui().SliderBarValue(kSoundSlider)));
    EXPECT_GT(G().Settings.SoundVolume, 10);
    EXPECT_LT(G().Settings.SoundVolume, 40);
    EXPECT_EQ(G().Title.PreviewVolume, static_cast<float>(G().Settings.SoundVolume));
}

// In full screen the gamma slider is live; dragged to its low end it sets the darkest gamma, and
// the display is still given the floor's factor, so the page (the slider too) stays readable.
TEST_F(TitleTest, GammaSliderAtItsLowEndStopsAtTheFloor) {
    G().Settings.FullScreen = true;
    G().Settings.GammaSetting = 50;
    Open();
    ClickButton(kOptionsMenuButton);
    ASSERT_EQ(G().Title.TitlePage, kOptionsPage);
    ASSERT_TRUE(Ui().Enabled(plm::eSliderBar, kGammaSlider));
    device->ClearCalls();
    G().Frame.GameMouseX = Ui().X(plm::eSliderBar, kGammaSlider) + 1;
    G().Frame.GameMouseY = Ui().Y(plm::eSliderBar, kGammaSlider) + 10;
    input->SetButton(0, true);
    Frame();
    Frame();
    input->SetButton(0, false);
    Frame();
    EXPECT_LE(G().Settings.GammaSetting, 1);
    const plm::platform::Call* ramp = device->Find(CallKind::SetGammaRamp);
    ASSERT_NE(ramp, nullptr);
    // Setting 15 of 50: the ramp's top at 0.3 of full scale, not black.
    EXPECT_EQ(ramp->ints[255], 19507);
    EXPECT_GT(ramp->ints[128], 0);
}

TEST_F(TitleTest, OptionsPageRestartsOnlyWhenTheDisplayMustChange) {
    struct Case {
        bool full, vsync, depth;           // settings as the page opens
        bool newFull, newVsync, newDepth;  // as it closes
        bool restarts;
    };
    for (const Case& c : {Case{false, true, true, true, true, true, true},   // windowed to full screen
                          {true, true, true, false, true, true, true},       // full screen to windowed
                          {true, true, true, true, false, true, true},       // full screen, vsync
                          {true, true, true, true, true, false, true},       // full screen, depth
                          {false, true, true, false, false, false, false},   // windowed depth and vsync
                          {true, false, false, true, false, false, false}}) {  // nothing changed
        SCOPED_TRACE(std::to_string(c.full) + std::to_string(c.newFull) + std::to_string(c.newVsync) +
                     std::to_string(c.newDepth));
        G().Run.RestartGame = G().Run.AbortSession = false;
        G().Settings.FullScreen = c.full;
        G().Settings.VSync = c.vsync;
        G().Settings.TrueColor = c.depth;
        G().Title.TitlePage = kMainMenuPage;
        Open();
        ClickButton(kOptionsMenuButton);
        ASSERT_EQ(G().Title.TitlePage, kOptionsPage);
        EXPECT_EQ(Ui().CheckBoxValue(kFullScreenBox), c.full ? 1 : 0);
        Ui().CheckBoxValue(kFullScreenBox, c.newFull);
        Ui().CheckBoxValue(kVSyncBox, c.newVsync);
        Ui().CheckBoxValue(kTrueColorBox, c.newDepth);
        ClickButton(kOptionsDoneButton);
        EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
        EXPECT_EQ(G().Settings.FullScreen, c.newFull);
        EXPECT_EQ(G().Settings.VSync, c.newVsync);
        EXPECT_EQ(G().Settings.TrueColor, c.newDepth);
        EXPECT_EQ(G().Run.RestartGame, c.restarts);
        EXPECT_EQ(G().Run.AbortSession, c.restarts);
        EXPECT_EQ(G().Frame.LeaveAfterFade, c.restarts);
        EXPECT_FALSE(Ui().Visible(plm::eTile, kOptionsPanelTile));
        EXPECT_TRUE(Ui().Visible(plm::ebutton, kOptionsMenuButton));
    }
}

TEST_F(TitleTest, ClicksDuringAFadeChangeNothing) {
    ASSERT_TRUE(InitTitle());
    ResetLogoPulse();
    G().Frame.InGame = true;
    ASSERT_TRUE(G().Fade.FadeOn);
    ClickButton(kOptionsMenuButton);
    ClickAt(400, 57);
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);
    EXPECT_FALSE(G().Title.EnteringName);
    for (int i = 0; i < 400 && G().Fade.FadeOn; ++i) Frame();
    Frame();
    EXPECT_EQ(G().Title.TitlePage, kMainMenuPage);  // not remembered either
}

TEST_F(TitleTest, SSavesOneScreenshotPerPress) {
    Open();
    auto shots = [&] {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename().string().rfind("screen", 0) == 0) ++n;
        return n;
    };
    // The screenshot waits for the key to go up: the player lets go while it waits.
    input->OnPump([](plm::platform::ScriptedInput& in) { in.SetKey(kKeyS, false); });
    input->SetKey(kKeyS, true);
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(shots(), 1);
    PressKey(kKeyS);
    EXPECT_EQ(shots(), 2);
}

}  // namespace
