#include "TitleModes.h"

#include "Fade.h"
#include "GameState.h"
#include "Title.h"
#include "TitleMenu.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kCustomMode = 3;  // the mode whose play button opens the carousel

plm::Gui& G() { return *E().Gui(); }

void ShowCarousel(bool shown) {
    G().Visible(plm::eFrame, kCarouselFrame, shown);
    G().Visible(plm::eTile, kCarouselCaptionTile, shown);
    G().Visible(plm::eTile, kStartLevelCaptionTile, shown);
    for (int32_t i = kCarouselPreviousButton; i <= kCarouselPlayButton; ++i) G().Visible(plm::ebutton, i, shown);
}

void ModePageEvent(int32_t button) {
    TitleArea& t = Game().Title;
    const int32_t mode = t.TitlePage - kFirstModePage + 1;
    if (button == kModeBackButton) {
        ShowMainMenu();
        G().Visible(plm::eTile, mode, false);
        t.TitlePage = kMainMenuPage;
    } else if (button == kModePlayButton && mode != kCustomMode) {
        StartChosenGame(mode);
    } else if (button == kModePlayButton) {
        Game().Session.ModePicture = 1;
        t.CarouselOffset = 0;
        Game().Session.StartLevel = 1;
        G().Visible(plm::eTile, kCustomMode, false);
        G().Visible(plm::ebutton, kModeBackButton, false);
        G().Visible(plm::ebutton, kModePlayButton, false);
        ShowCarousel(true);
        PlayNopeSound();
        t.ShowingCarousel = true;
        t.TitlePage = kCarouselPage;
    }
}

// The carousel's buttons; the strip's pictures and its scrolling come with its drawing.
void CarouselEvent(int32_t button) {
    TitleArea& t = Game().Title;
    int32_t& level = Game().Session.StartLevel;
    switch (button) {
    case kLevelDownButton:
        if (--level < 1) level = kLevels;
        PlayNopeSound();
        break;
    case kLevelUpButton:
        if (++level > kLevels) level = 1;
        PlayNopeSound();
        break;
    case kCarouselBackButton:
        ShowCarousel(false);
        t.ShowingCarousel = false;
        G().Visible(plm::ebutton, kModeBackButton, true);
        G().Visible(plm::ebutton, kModePlayButton, true);
        G().Visible(plm::eTile, kCustomMode, true);
        Game().Session.ModePicture = 1;
        level = 1;
        t.TitlePage = kFirstModePage + kCustomMode - 1;
        PlayNopeSound();
        break;
    case kCarouselPlayButton: StartChosenGame(kCustomMode); break;
    default: break;
    }
}

}  // namespace

void HandleModeEvent(const plm::PLMGuiEvent& ev) {
    if (ev.eEventType != plm::ebutton) return;
    if (Game().Title.TitlePage == kCarouselPage)
        CarouselEvent(ev.eEventIndex);
    else
        ModePageEvent(ev.eEventIndex);
}

void DrawModeCarousel() {}

void StartChosenGame(int32_t mode) {
    Game().Session.GameMode = mode;
    PlayPickSound();
    StartFade(0, 0.15f);
    Game().Frame.LeaveAfterFade = true;
}

}  // namespace tessaly
