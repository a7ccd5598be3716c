#include "Title.h"

#include "Fade.h"
#include "FrameLoop.h"
#include "GameState.h"
#include "Media.h"
#include "MediaLayout.h"
#include "Settings.h"
#include "TitleMenu.h"
#include "TitleModes.h"
#include "TitleScores.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kTitleTexture = 2;  // "title.png" while the title shows
constexpr int32_t kGemTexture = 1;
constexpr int32_t kHelpTexture = 4;   // "help.jpg" while the help page shows
constexpr int32_t kBackgroundTiler = 1;
constexpr float kBackgroundDrift = 0.035f;  // pixels per ms, downwards
constexpr media::Point kLogoCentre{400, 175};
constexpr float kGhostAlpha = 100;
constexpr int32_t kFireworksGroup = 1;
constexpr int32_t kFireworkStyle = 38;
constexpr int32_t kFireworks = 10;

// The ten pictures of the mode-3 carousel: their top-left corners in the picture sheet.
void FillPictureSources() {
    TitleArea& t = Game().Title;
    for (int32_t i = 1; i <= media::kBackgrounds; ++i) {
        const media::Rect r = media::PictureSource(i);
        t.PictureSources(i) = {r.x, r.y};
    }
}

void KeepFountainUp() {
    for (int32_t i = kFountainFirst; i <= kFountainLast; ++i)
        if (!E().Sprite()->IsActive(i)) LaunchFountainGem(i);
}

// The tiled background, the fountain, the pulsing logo and, behind a sub-page, the menu's ghost;
// the help picture alone while help shows (the fountain then stands still).
void DrawBackground() {
    plm::PelmarEngine& e = E();
    TitleArea& t = Game().Title;
    if (t.ShowingHelp) {
        const media::Rect& r = media::kHelpPage;
        e.Texture()->RenderFast(kHelpTexture, r.x, r.y, r.w, r.h, 0, 0, 255, 0, 1, true);
        return;
    }
    e.Tiler()->Render(kBackgroundTiler, 0, kBackgroundDrift, true);
    e.Sprite()->Render();
    e.Lib()->VarAddPong(t.LogoScale, t.LogoScaleStep, 1.0f, 1.2f, true);
    const media::Rect& logo = media::kLogo;
    e.Texture()->RenderFast(kTitleTexture, logo.x, logo.y, logo.w, logo.h, kLogoCentre.x, kLogoCentre.y, t.MenuAlpha, 0,
                            t.LogoScale, false);
    if (t.MenuGhosted) DrawMenuGlows();
}

// Ten bursts over the logo's band, one every 150 ms; only while the main menu shows. A firing on
// any other page is used up without them.
void FireworksWhenDue() {
    plm::PelmarEngine& e = E();
    if (!e.Timer()->Check(kFireworksTimer) || Game().Title.TitlePage != kMainMenuPage) return;
    for (int32_t i = 1; i <= kFireworks; ++i) {
        const auto x = static_cast<float>(e.Lib()->GetNumber(100, 700));
        const auto y = static_cast<float>(e.Lib()->GetNumber(130, 270));
        e.SpritePFX()->Explosion(kFireworkStyle, x, y, 0.5f, 1.0f, static_cast<float>(i * 150), kFireworksGroup, -1, -1,
                                 -1, plm::BlendSrcAlpha, plm::BlendOne);
    }
}

}  // namespace

bool InitTitle() {
    plm::PelmarEngine& e = E();
    TitleArea& t = Game().Title;
    FillPictureSources();
    t.CarouselOffset = 0;
    Game().Session.ModePicture = 1;
    Game().Session.StartLevel = 1;
    t.CarouselScrolling = false;
    t.ShowingCarousel = false;
    Game().Session.GameMode = 0;
    Game().Frame.LeaveAfterFade = false;
    // A session that ended on the help, high-score or name page must not open the next visit on
    // it: the main menu's widgets are built visible and the page flags go with them.
    t.ShowingHelp = t.ShowingHighScores = t.EnteringName = false;
    if (Game().End.NewHighScoreMode == 0) Game().End.NewHighScorePosition = 0;

    e.Timer()->Init(kFireworksTimer);
    e.Timer()->Configure(kFireworksTimer, kFireworksIntervalMs, true);
    const media::Rect& tile = media::kTitleTile;
    e.Tiler()->Configure(kBackgroundTiler, kTitleTexture, tile.x, tile.y, tile.w, tile.h, 0, 0, kGameWidth, kGameHeight,
                         255, 255, 255, 255);
    e.Texture()->Load(kTitleTexture, media::kTitlePicture, 0, false, 0);
    e.Scene()->SetClearFlags(plm::TargetNotCleared);
    e.Map()->ScreenX(0);
    e.Map()->ScreenY(0);
    e.Sprite()->TurnOffAll(true, true);
    t.MenuAlpha = 255;
    t.TitlePage = kMainMenuPage;
    BuildTitleGui();
    StartPlaylist(media::kTitlePlaylist, 1);
    StartFade(255, -0.1f);
    if (Game().End.NewHighScoreMode != 0) OpenNewHighScorePage();
    return true;
}

void ResetLogoPulse() {
    Game().Title.LogoScale = 0.8f;
    Game().Title.LogoScaleStep = 0.00008f;
}

float LogoScale() { return Game().Title.LogoScale; }

bool TitleFrame() {
    plm::PelmarEngine& e = E();
    RunArea& run = Game().Run;
    FrameArea& frame = Game().Frame;
    // A close request or a device lost for good ends the loop before anything is drawn.
    if (!BeginGameFrame()) return false;
    if (frame.FixedDelta > 0) e.Delta(frame.FixedDelta);
    UpdateMouse();
    HandleFunctionKeys();
    // Escape leaves after this frame, without a fade, even while a fade-out runs.
    if (e.Key()->PressedOnce(kKeyEscape)) {
        run.AbortSession = true;
        frame.InGame = false;
    }
    KeepFountainUp();
    DrawBackground();
    e.Gui()->Render(frame.MouseClicked);
    if (Game().Title.ShowingHighScores) DrawHighScorePage();
    if (Game().Title.ShowingCarousel) DrawModeCarousel();
    e.SpritePFX()->RenderExplosions(kFireworksGroup);
    HandleTitleEvents();
    FireworksWhenDue();
    RenderFade();
    e.Scene()->Render();
    HandleScreenshotKey();
    if (frame.LeaveAfterFade && !Game().Fade.FadeOn) frame.InGame = false;
    return frame.InGame;
}

void RunTitle() {
    ResetLogoPulse();
    Game().Frame.InGame = true;
    while (TitleFrame()) {
    }
    StopAllSounds();
    E().Sprite()->ResetZorder();
    E().Timer()->Init(0);
}

void SetMenuAlpha(float Alpha) {
    for (int32_t i = kModeButton1; i <= kQuitButton; ++i) E().Gui()->Alpha(plm::ebutton, i, Alpha);
    Game().Title.MenuAlpha = Alpha;
}

void ShowMainMenu() {
    plm::Gui& gui = *E().Gui();
    for (int32_t i = kModeButton1; i <= kQuitButton; ++i) gui.Visible(plm::ebutton, i, true);
    gui.Visible(plm::eText, kChangePlayerText, true);
    gui.Visible(plm::ebutton, kModeBackButton, false);
    gui.Visible(plm::ebutton, kModePlayButton, false);
    Game().Title.MenuAlpha = 255;
    PlayNopeSound();
    Game().Title.MenuGhosted = false;
}

void DrawMenuGlows() {
    plm::Gui& gui = *E().Gui();
    for (int32_t i = kModeButton1; i <= kQuitButton; ++i) {
        const media::Rect r = MenuButtonUpImage(i);
        E().Texture()->RenderFast(kTitleTexture, r.x, r.y, r.w, r.h, gui.X(plm::ebutton, i), gui.Y(plm::ebutton, i),
                                  kGhostAlpha, 0, 1.0f, true);
    }
}

void LaunchFountainGem(int32_t sprite) {
    plm::PelmarEngine& e = E();
    plm::Lib& lib = *e.Lib();
    e.Sprite()->Activate(sprite, 400, 600, kGemTexture, 0, 0, 0, 0, media::kTileSize, media::kTileSize, false, true);
    e.Sprite()->Alpha(sprite, 100);
    e.SpriteEngine()->SetScaling(sprite, 0, 0.0007f, 0, 100, 0, 8, true);
    const int32_t animation = lib.GetNumber(1, 6);
    const int32_t speed = lib.GetNumber(1, 20);
    e.SpriteAnimate()->Repeat(sprite, animation, static_cast<float>(speed) * 0.005f, false);
    // 0 is up, clockwise; past 360 wraps, so the gem leaves within 140 degrees of straight up.
    const auto angle = static_cast<float>(lib.GetNumber(220, 500));
    const float velocity = static_cast<float>(lib.GetNumber(1, 300)) * 0.001f + 0.1f;
    const plm::PLMXY v = lib.GetDirection(angle, velocity);
    e.SpriteEngine()->Thrust(sprite, v.X, v.Y, 0, 0.0001f, -200, -200, 1000, 800, 0);
    const auto start = static_cast<float>(lib.GetNumber(0, 300));
    const auto spin = static_cast<float>(lib.GetNumber(1, 20));
    const auto sign = static_cast<float>(lib.GetRandomSign());
    e.SpriteEngine()->SetRotating(sprite, start, (spin * 0.002f + 0.1f) * sign, 0, 359, 0, 0, true);
}

}  // namespace tessaly
