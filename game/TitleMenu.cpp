#include "TitleMenu.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "Fade.h"
#include "GameState.h"
#include "Settings.h"
#include "Title.h"
#include "TitleModes.h"
#include "TitleScores.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kTitleTexture = 2, kModesTexture = 4, kPreviewsTexture = 5;
constexpr int32_t kFont = 1;
constexpr float kDimmed = 100;  // opacity of the logo and buttons behind a sub-page or the name box
constexpr int32_t kSliderDefault = 100;
constexpr int32_t kTestSample = 2;
constexpr int32_t kMaxNameLength = 10;
constexpr const char* kWelcome = "WELCOME ";
constexpr const char* kGuest = "GUEST";

// A button's images, where BuildTitleGui first adds it, and where it then stands.
struct ButtonPlace {
    int32_t texture;
    media::Rect up;
    media::Point down;  // the down and hover image, of the up image's size
    media::Point at;
    int32_t frame;
};

constexpr media::Point DownOf(media::Rect r) { return {r.x, r.y}; }

// Buttons 1..21 in creation order.
constexpr std::array<ButtonPlace, 21> kButtons{{
    {kTitleTexture, media::MenuModeButtonUp(1), DownOf(media::MenuModeButtonDown(1)), {149, 395}, 0},
    {kTitleTexture, media::MenuModeButtonUp(2), DownOf(media::MenuModeButtonDown(2)), {7, 316}, 0},
    {kTitleTexture, media::MenuModeButtonUp(3), DownOf(media::MenuModeButtonDown(3)), {322, 437}, 0},
    {kTitleTexture, media::MenuModeButtonUp(4), DownOf(media::MenuModeButtonDown(4)), {495, 390}, 0},
    {kTitleTexture, media::MenuModeButtonUp(5), DownOf(media::MenuModeButtonDown(5)), {637, 313}, 0},
    {kTitleTexture, media::MenuSmallButtonUp(media::kHelpButton), DownOf(media::MenuSmallButtonDown(media::kHelpButton)), {12, 532}, 0},
    {kTitleTexture, media::MenuSmallButtonUp(media::kOptionsButton), DownOf(media::MenuSmallButtonDown(media::kOptionsButton)), {133, 532}, 0},
    {kTitleTexture, media::MenuSmallButtonUp(media::kScoresButton), DownOf(media::MenuSmallButtonDown(media::kScoresButton)), {254, 532}, 0},
    {kTitleTexture, media::MenuSmallButtonUp(media::kQuitButton), DownOf(media::MenuSmallButtonDown(media::kQuitButton)), {682, 532}, 0},
    {kTitleTexture, media::kModeBackUp, DownOf(media::kModeBackDown), {261, 370}, 0},
    {kTitleTexture, media::kModePlayUp, DownOf(media::kModePlayDown), {440, 370}, 0},
    {kTitleTexture, media::kOkUp, DownOf(media::kOkDown), {506, 390}, 0},
    {kTitleTexture, media::kOkUp, DownOf(media::kOkDown), {343, 364}, kScoresFrame},
    {kTitleTexture, media::kNextUp, DownOf(media::kNextDown), {30, 365}, kScoresFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselPrevious), DownOf(media::CarouselButtonDown(media::kCarouselPrevious)), {38, 137}, kCarouselFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselNext), DownOf(media::CarouselButtonDown(media::kCarouselNext)), {378, 137}, kCarouselFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselPrevious), DownOf(media::CarouselButtonDown(media::kCarouselPrevious)), {128, 305}, kCarouselFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselNext), DownOf(media::CarouselButtonDown(media::kCarouselNext)), {288, 305}, kCarouselFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselBack), DownOf(media::CarouselButtonDown(media::kCarouselBack)), {38, 367}, kCarouselFrame},
    {kModesTexture, media::CarouselButtonUp(media::kCarouselPlay), DownOf(media::CarouselButtonDown(media::kCarouselPlay)), {378, 367}, kCarouselFrame},
    {kModesTexture, media::kHelpBackUp, DownOf(media::kHelpBackDown), media::kHelpBackAt, 0},
}};

// The player-name box: the text centred on x 400 at y 140 over the box centred on (400, 150).
constexpr media::Point kNameBoxAt{244, 91};
constexpr media::Point kNameTextAt{400, 140};
constexpr std::array<media::Point, 2> kFrameAt{{{162, 90}, {138, 90}}};
constexpr std::array<media::Point, 2> kFrameSize{{{10, 9}, {11, 9}}};  // pieces across and down
constexpr media::Point kCarouselCaptionAt{42, 50}, kStartLevelCaptionAt{140, 260};

plm::Gui& G() { return *E().Gui(); }

void ShowButtons(int32_t first, int32_t last, bool shown) {
    for (int32_t i = first; i <= last; ++i) G().Visible(plm::ebutton, i, shown);
}

void AddButton(int32_t number, media::Point at, bool visible) {
    const ButtonPlace& b = kButtons[static_cast<size_t>(number - 1)];
    G().AddButton(b.texture, b.up.w, b.up.h, b.up.x, b.up.y, b.down.x, b.down.y, b.down.x, b.down.y,
                  static_cast<float>(at.x), static_cast<float>(at.y), 1, 0, b.frame, 255, 255, 255, 255, true, visible);
}

void AddButtons(int32_t first, int32_t last) {
    for (int32_t i = first; i <= last; ++i) AddButton(i, kButtons[static_cast<size_t>(i - 1)].at, false);
}

void AddFrame(int32_t frame) {
    const media::Rect& r = media::kFrame;
    const auto f = static_cast<size_t>(frame - 1);
    G().AddFrame(kTitleTexture, r.x, r.y, r.w, r.h, static_cast<float>(kFrameAt[f].x), static_cast<float>(kFrameAt[f].y),
                 kFrameSize[f].x, kFrameSize[f].y, 0, 255, 255, 255, 255, false);
}

// Colour depth, vertical sync and gamma apply only to full screen: dimmed and dead in a window.
float FullScreenOnlyAlpha() { return Game().Settings.FullScreen ? 255.0f : kDimmed; }

void AddOptionsWidgets() {
    plm::Gui& gui = G();
    const bool full = Game().Settings.FullScreen;
    const media::Rect& on = media::kCheckOn;
    const media::Rect& off = media::kCheckOff;
    for (int32_t box = kTrueColorBox; box <= kVSyncBox; ++box) {
        const media::Point at = media::kCheckBoxAt[static_cast<size_t>(box - 1)];
        const bool live = box == kFullScreenBox || full;
        gui.AddCheckBox(kTitleTexture, on.w, on.h, on.x, on.y, off.x, off.y, static_cast<float>(at.x),
                        static_cast<float>(at.y), 0, 1, 0, box == kFullScreenBox ? 255 : FullScreenOnlyAlpha(), 0, live,
                        false);
    }
    const media::Rect& marker = media::kSliderMarker;
    for (int32_t slider = kSoundSlider; slider <= kGammaSlider; ++slider) {
        const media::Rect& bar = media::kSliderTracks[static_cast<size_t>(slider - 1)];
        const media::Point at = media::kSliderAt[static_cast<size_t>(slider - 1)];
        const bool live = slider != kGammaSlider || full;
        gui.AddSliderBar(kModesTexture, bar.w, bar.h, bar.x, bar.y, marker.x, marker.y, marker.w, marker.h,
                         static_cast<float>(at.x), static_cast<float>(at.y), true, kSliderDefault, 1,
                         slider == kGammaSlider ? FullScreenOnlyAlpha() : 255, 0, live, false);
    }
}

void ShowOptionsWidgets(bool shown) {
    plm::Gui& gui = G();
    gui.Visible(plm::ebutton, kOptionsDoneButton, shown);
    gui.Visible(plm::eTile, kOptionsPanelTile, shown);
    for (int32_t i = kTrueColorBox; i <= kVSyncBox; ++i) gui.Visible(plm::eCheckBox, i, shown);
    for (int32_t i = kSoundSlider; i <= kGammaSlider; ++i) gui.Visible(plm::eSliderBar, i, shown);
}

void StartNameEntry() {
    G().MouseChecking(false);
    Game().Title.EnteringName = true;
    SetMenuAlpha(kDimmed);
    PlayNopeSound();
}

void NameEntryStep() {
    TextEntryStyle box;
    box.FontIndex = kFont;
    box.X = kNameTextAt.x;
    box.Y = kNameTextAt.y;
    box.MaxLength = kMaxNameLength;
    box.BoxTexture = kTitleTexture;
    box.BoxSrcX = media::kNameBox.x;
    box.BoxSrcY = media::kNameBox.y;
    box.BoxWidth = media::kNameBox.w;
    box.BoxHeight = media::kNameBox.h;
    box.BoxX = kNameBoxAt.x;
    box.BoxY = kNameBoxAt.y;
    std::string& name = Game().Settings.CurrentPlayer;
    if (!InputText(name, box)) return;
    name = NormalisedPlayerName(name);
    Game().Title.EnteringName = false;
    G().SetText(kWelcomeText, kWelcome + name, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, true);
    G().MouseChecking(true);
    SetMenuAlpha(255);
    PlayNopeSound();
}

void OpenOptionsPage() {
    TitleArea& t = Game().Title;
    const SettingsArea& s = Game().Settings;
    plm::Gui& gui = G();
    t.SavedFullScreen = s.FullScreen;
    t.SavedTrueColor = s.TrueColor;
    t.SavedVSync = s.VSync;
    ShowButtons(kModeButton1, kQuitButton, false);
    gui.Visible(plm::eText, kChangePlayerText, false);
    ShowOptionsWidgets(true);
    gui.SliderBarValue(kSoundSlider, VolumeToSlider(s.SoundVolume));
    gui.SliderBarValue(kMusicSlider, VolumeToSlider(s.MusicVolume));
    gui.SliderBarValue(kGammaSlider, s.GammaSetting * 2);
    gui.CheckBoxValue(kTrueColorBox, s.TrueColor ? 1 : 0);
    gui.CheckBoxValue(kFullScreenBox, s.FullScreen ? 1 : 0);
    gui.CheckBoxValue(kVSyncBox, s.VSync ? 1 : 0);
    t.MenuAlpha = kDimmed;
    t.MenuGhosted = true;
    t.TitlePage = kOptionsPage;
}

void OpenHelpPage() {
    TitleArea& t = Game().Title;
    ShowButtons(kModeButton1, kQuitButton, false);
    G().Visible(plm::eText, kWelcomeText, false);
    G().Visible(plm::eText, kChangePlayerText, false);
    t.MenuGhosted = false;
    G().Visible(plm::ebutton, kHelpBackButton, true);
    E().Texture()->Load(kModesTexture, media::kHelpPicture, 0, false, 0);
    t.TitlePage = kHelpPage;
    t.ShowingHelp = true;
}

void MainMenuEvent(const plm::PLMGuiEvent& ev) {
    TitleArea& t = Game().Title;
    if (ev.eEventType == plm::eText && ev.eEventIndex == kChangePlayerText && !t.EnteringName) {
        StartNameEntry();
        return;
    }
    if (ev.eEventType != plm::ebutton) return;
    const int32_t button = ev.eEventIndex;
    const bool modeButton = button >= kModeButton1 && button < kModeButton1 + 5;
    if (modeButton) {
        ShowButtons(kModeButton1, kQuitButton, false);
        G().Visible(plm::eText, kChangePlayerText, false);
        ShowButtons(kModeBackButton, kModePlayButton, true);
        t.MenuAlpha = kDimmed;
        t.MenuGhosted = true;
    }
    PlayNopeSound();
    if (modeButton) {
        G().Visible(plm::eTile, button, true);
        t.TitlePage = kFirstModePage + button - kModeButton1;
        return;
    }
    switch (button) {
    case kHelpMenuButton: OpenHelpPage(); break;
    case kOptionsMenuButton: OpenOptionsPage(); break;
    case kScoresMenuButton: OpenHighScorePage(1); break;
    case kQuitButton:
        Game().Run.AbortSession = true;
        StartFade(0, 0.15f);
        Game().Frame.LeaveAfterFade = true;
        break;
    default: break;
    }
}

// Released at either end, a volume slider snaps to silence or to full volume.
void SnapVolumeSlider(int32_t slider, int32_t& volume) {
    plm::Gui& gui = G();
    const int32_t v = gui.SliderBarValue(slider);
    if (v < 3) {
        gui.SliderBarValue(slider, 1);
        volume = 0;
    } else if (v > 198) {
        gui.SliderBarValue(slider, 200);
        volume = 100;
    } else {
        return;
    }
    if (slider == kMusicSlider) ApplyMusicVolume();
}

void CloseOptionsPage() {
    TitleArea& t = Game().Title;
    SettingsArea& s = Game().Settings;
    plm::Gui& gui = G();
    ShowMainMenu();
    ShowOptionsWidgets(false);
    s.TrueColor = gui.CheckBoxValue(kTrueColorBox) == 1;
    s.FullScreen = gui.CheckBoxValue(kFullScreenBox) == 1;
    s.VSync = gui.CheckBoxValue(kVSyncBox) == 1;
    t.TitlePage = kMainMenuPage;
    // Colour depth and vertical sync are properties of the full-screen device only.
    if (s.FullScreen != t.SavedFullScreen)
        RequestRestart();
    else if (s.FullScreen && (s.VSync != t.SavedVSync || s.TrueColor != t.SavedTrueColor))
        RequestRestart();
    PlayNopeSound();
}

void OptionsEvent(const plm::PLMGuiEvent& ev) {
    SettingsArea& s = Game().Settings;
    TitleArea& t = Game().Title;
    if (!ev.eEventRaised) {
        SnapVolumeSlider(kSoundSlider, s.SoundVolume);
        SnapVolumeSlider(kMusicSlider, s.MusicVolume);
        return;
    }
    switch (ev.eEventType) {
    case plm::eSliderBar: {
        const int32_t v = G().SliderBarValue(ev.eEventIndex);
        if (ev.eEventIndex == kSoundSlider) {
            s.SoundVolume = SliderToSetting(v);
            // The test sound once per change of the whole-number volume, not every frame of a drag.
            if (static_cast<float>(s.SoundVolume) != t.PreviewVolume) {
                E().Sample()->Play(kTestSample, s.SoundVolume, 50);
                t.PreviewVolume = static_cast<float>(s.SoundVolume);
            }
        } else if (ev.eEventIndex == kMusicSlider) {
            s.MusicVolume = SliderToSetting(v);
            ApplyMusicVolume();
        } else if (ev.eEventIndex == kGammaSlider) {
            s.GammaSetting = SliderToSetting(v);
            ApplyGamma();
        }
        break;
    }
    case plm::eCheckBox: PlayNopeSound(); break;
    case plm::ebutton: CloseOptionsPage(); break;
    default: break;
    }
}

void HelpEvent(const plm::PLMGuiEvent& ev) {
    if (ev.eEventType != plm::ebutton || ev.eEventIndex != kHelpBackButton) return;
    G().Visible(plm::ebutton, kHelpBackButton, false);
    ShowMainMenu();
    G().Visible(plm::eText, kWelcomeText, true);
    PlayNopeSound();
    E().Texture()->Load(kModesTexture, media::kModesPicture, 0, false, 0);
    Game().Title.ShowingHelp = false;
    Game().Title.TitlePage = kMainMenuPage;
}

}  // namespace

media::Rect MenuButtonUpImage(int32_t button) { return kButtons[static_cast<size_t>(button - 1)].up; }

int32_t VolumeToSlider(int32_t volume) {
    if (volume <= 0) return 1;
    if (volume >= 100) return 200;
    return volume * 2;
}

int32_t SliderToSetting(int32_t value) { return plm::RoundHalfEven(static_cast<double>(value) / 2.0); }

std::string NormalisedPlayerName(const std::string& name) {
    std::string out = CleanPlayerName(name);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out.empty() ? kGuest : out;
}

void BuildTitleGui() {
    if (Game().Title.TitlePage != kMainMenuPage) return;
    plm::Gui& gui = G();
    gui.Reset();
    std::string& player = Game().Settings.CurrentPlayer;
    player = NormalisedPlayerName(player);

    gui.AddText(kFont, kWelcome + player, 400, 20, 1, 255, 255, 255, 255, 255, 255, 255, 2, plm::tCenter, 100, 1, 0,
                true, true);
    gui.AddText(kFont, "CLICK HERE TO CHANGE PLAYER", 400, 49, 0.8f, 255, 255, 255, 100, 220, 255, 255, 2,
                plm::tCenter, 100, 1, 0, true, true);
    // The mode buttons are added side by side and the small ones in a row, then moved to their
    // places: an arc of modes 2, 1, 3, 4, 5 and a row along the bottom edge.
    for (int32_t n = kModeButton1; n <= kQuitButton; ++n) {
        const media::Point first = n <= 5 ? media::Point{160 * (n - 1), 340} : media::Point{130 * (n - 6) + 140, 500};
        AddButton(n, first, true);
    }
    for (int32_t n = kModeButton1; n <= kQuitButton; ++n) {
        const media::Point at = kButtons[static_cast<size_t>(n - 1)].at;
        gui.X(plm::ebutton, n, static_cast<float>(at.x));
        gui.Y(plm::ebutton, n, static_cast<float>(at.y));
    }
    AddButtons(kModeBackButton, kModePlayButton);
    for (int32_t mode = 1; mode <= 5; ++mode) {
        const media::Rect r = media::ModeDescription(mode);
        gui.AddTile(kModesTexture, r.x, r.y, r.w, r.h, static_cast<float>(media::kModeDescriptionAt.x),
                    static_cast<float>(media::kModeDescriptionAt.y), 1, 255, 0, false);
    }
    // The options panel centred on the screen's middle.
    const media::Rect& panel = media::kOptionsPanel;
    gui.AddTile(kModesTexture, panel.x, panel.y, panel.w, panel.h, 400 - panel.w / 2.0f, 300 - panel.h / 2.0f, 1, 255,
                0, false);
    AddButtons(kOptionsDoneButton, kOptionsDoneButton);
    AddOptionsWidgets();
    AddFrame(kScoresFrame);
    AddButtons(kScoresBackButton, kScoresNextButton);
    AddFrame(kCarouselFrame);
    const media::Rect& caption = media::kCarouselCaption;
    gui.AddTile(kPreviewsTexture, caption.x, caption.y, caption.w, caption.h, static_cast<float>(kCarouselCaptionAt.x),
                static_cast<float>(kCarouselCaptionAt.y), 1, 255, kCarouselFrame, false);
    const media::Rect& level = media::kStartLevelCaption;
    gui.AddTile(kPreviewsTexture, level.x, level.y, level.w, level.h, static_cast<float>(kStartLevelCaptionAt.x),
                static_cast<float>(kStartLevelCaptionAt.y), 1, 255, kCarouselFrame, false);
    AddButtons(kCarouselPreviousButton, kHelpBackButton);
}

void HandleTitleEvents() {
    TitleArea& t = Game().Title;
    if (Game().Fade.FadeOn) return;
    plm::PLMGuiEvent& ev = Game().Session.LastGuiEvent;
    ev = G().GetEvent();
    switch (t.TitlePage) {
    case kMainMenuPage:
        if (ev.eEventRaised) MainMenuEvent(ev);
        if (t.EnteringName) NameEntryStep();
        break;
    case kOptionsPage: OptionsEvent(ev); break;
    case kHighScoresPage:
        if (ev.eEventRaised) HandleHighScoreEvent(ev);
        break;
    case kHelpPage:
        if (ev.eEventRaised) HelpEvent(ev);
        break;
    default:
        if (t.TitlePage >= kFirstModePage && t.TitlePage <= kCarouselPage && ev.eEventRaised) HandleModeEvent(ev);
        break;
    }
}

void RequestRestart() {
    Game().Run.RestartGame = true;
    Game().Run.AbortSession = true;
    StartFade(0, 0.5f);
    Game().Frame.LeaveAfterFade = true;
    Game().Title.TitlePage = kMainMenuPage;
}

}  // namespace tessaly
