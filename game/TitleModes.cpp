#include "TitleModes.h"

#include <string>

#include "Fade.h"
#include "FrameLoop.h"
#include "GameState.h"
#include "MediaLayout.h"
#include "Title.h"
#include "TitleMenu.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kCustomMode = 3;  // the mode whose play button opens the carousel
constexpr int32_t kTitleTexture = 2;     // "title.png": the heading and the window frame
constexpr int32_t kPicturesTexture = 5;  // "previews.png": the ten pictures
constexpr media::Point kHeadingCentre{400, 97};
constexpr media::Point kWindowFrameAt{303, 192};
constexpr float kPictureStep = 156;  // one picture's width: the strip's pictures touch
constexpr float kScrollSpeed = 0.2f;  // pixels per ms
constexpr int32_t kLevelFont = 2;
constexpr float kLevelSpacing = 2;
constexpr float kLevelCentreX = 400, kLevelY = 409;

plm::Gui& G() { return *E().Gui(); }

// Previous and next act again; the strip stands wherever it is.
void EndScroll() {
    Game().Title.CarouselScrolling = false;
    G().Enabled(plm::ebutton, kCarouselPreviousButton, true);
    G().Enabled(plm::ebutton, kCarouselNextButton, true);
}

// One picture along, `step` -1 (previous) or +1 (next); the strip slides there while previous and
// next are off. Pictures do not wrap: at either end only the click sounds.
void ScrollBy(int32_t step) {
    TitleArea& t = Game().Title;
    if (t.CarouselScrolling) return;
    int32_t& picture = Game().Session.ModePicture;
    if (picture + step >= 1 && picture + step <= media::kBackgrounds) {
        picture += step;
        t.CarouselTarget = t.CarouselOffset - kPictureStep * static_cast<float>(step);
        t.CarouselSpeed = -kScrollSpeed * static_cast<float>(step);
        t.CarouselScrolling = true;
        G().Enabled(plm::ebutton, kCarouselPreviousButton, false);
        G().Enabled(plm::ebutton, kCarouselNextButton, false);
    }
    PlayNopeSound();
}

// The strip slides towards its target and stops on it.
void AdvanceStrip() {
    TitleArea& t = Game().Title;
    if (!t.CarouselScrolling) return;
    t.CarouselOffset += t.CarouselSpeed * E().Delta();
    if ((t.CarouselSpeed <= 0 && t.CarouselOffset < t.CarouselTarget) ||
        (t.CarouselSpeed > 0 && t.CarouselOffset > t.CarouselTarget)) {
        t.CarouselOffset = t.CarouselTarget;
        EndScroll();
    }
}

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
        // A scroll cut off by the carousel's back button does not carry on here.
        EndScroll();
        G().Visible(plm::eTile, kCustomMode, false);
        G().Visible(plm::ebutton, kModeBackButton, false);
        G().Visible(plm::ebutton, kModePlayButton, false);
        ShowCarousel(true);
        PlayNopeSound();
        t.ShowingCarousel = true;
        t.TitlePage = kCarouselPage;
    }
}

void CarouselEvent(int32_t button) {
    TitleArea& t = Game().Title;
    int32_t& level = Game().Session.StartLevel;
    switch (button) {
    case kCarouselPreviousButton: ScrollBy(-1); break;
    case kCarouselNextButton: ScrollBy(1); break;
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
        EndScroll();
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

void DrawModeCarousel() {
    plm::PelmarEngine& e = E();
    const TitleArea& t = Game().Title;
    const media::Rect h = media::ModeHeading(kCustomMode);
    e.Texture()->RenderFast(kTitleTexture, h.x, h.y, h.w, h.h, kHeadingCentre.x, kHeadingCentre.y, 255, 0, 1.0f, false);

    // The strip, drawn only inside its window.
    const media::Rect first = media::PictureSource(1);
    e.Scene()->SetClipArea(kCarouselWindow.x, kCarouselWindow.y, first.w, first.h);
    for (int32_t i = 1; i <= media::kBackgrounds; ++i) {
        const PictureSource& src = t.PictureSources(i);
        const float x = static_cast<float>(kCarouselWindow.x) + kPictureStep * static_cast<float>(i - 1) + t.CarouselOffset;
        e.Texture()->Render(kPicturesTexture, src.SrcX, src.SrcY, first.w, first.h, x,
                            static_cast<float>(kCarouselWindow.y), 255, 0, 1, 1, true, 0, 2, 2, 1, 1, 0, 255, 255, 255,
                            plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
    }
    e.Scene()->SetClipArea(0, 0, kGameWidth, kGameHeight);
    const media::Rect& f = media::kCarouselWindowFrame;
    e.Texture()->RenderFast(kTitleTexture, f.x, f.y, f.w, f.h, kWindowFrameAt.x, kWindowFrameAt.y, 255, 0, 1.0f, true);

    // Drawn before it moves: each frame shows the strip where the last one left it.
    AdvanceStrip();

    const std::string level = StartLevelText(Game().Session.StartLevel);
    const float w = e.Font()->GetStringWidth(kLevelFont, level, kLevelSpacing, 1, 1);
    e.Font()->Render(kLevelFont, level, kLevelCentreX - w / 2, kLevelY, kLevelSpacing, 255, 1, 1, 1, 255, 255, 255,
                     plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
}

std::string StartLevelText(int32_t level) { return (level < 10 ? "0" : "") + std::to_string(level); }

void StartChosenGame(int32_t mode) {
    Game().Session.GameMode = mode;
    PlayPickSound();
    StartFade(0, 0.15f);
    Game().Frame.LeaveAfterFade = true;
}

}  // namespace tessaly
