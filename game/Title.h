#pragma once
// The title screen: the hub between games. A tiled background drifting down, a fountain of
// spinning gems, the pulsing logo, fireworks while the main menu is up, and the widget menu
// (TitleMenu). The loop ends when a game is chosen, the player quits or closes the window, the
// display device is lost for good, or a display change asks for a new run of the game window.
#include <cstdint>

namespace tessaly {

// The gem fountain's sprites.
constexpr int32_t kFountainFirst = 1, kFountainLast = 50;
// Interval timer 3 drives the fireworks.
constexpr int32_t kFireworksTimer = 3;
constexpr int32_t kFireworksIntervalMs = 6000;
// The title's page numbers (Game().Title.TitlePage).
enum TitlePageNumber : int32_t {
    kMainMenuPage = 1,
    kFirstModePage = 2,  // pages 2..6 describe game modes 1..5
    kOptionsPage = 7,
    kHighScoresPage = 8,
    kCarouselPage = 9,
    kHelpPage = 10
};

// Sets the title up for one visit: page and carousel state, the fireworks timer, the background
// tiler and picture, every sprite off, the widgets, the title music and the fade-in; opens the
// high-score page when the last game set a new score. Always true.
bool InitTitle();
// Runs TitleFrame until it says stop, then stops all sound, resets the sprite drawing order and
// removes the interval timers. The outcome is in GameMode, AbortSession and RestartGame.
void RunTitle();
// One frame of the title; false when the loop is to end. RunTitle sets the logo's pulse up
// (ResetLogoPulse) and InGame before the first.
bool TitleFrame();
// The logo's pulse as a new run of the loop starts it: from 0.8, so the first frame shows 1.0.
void ResetLogoPulse();
// The logo's current scale.
float LogoScale();

// Buttons 1..9 of the main menu at Alpha, and MenuAlpha with them.
void SetMenuAlpha(float Alpha);
// Back to the main menu from a sub-page: buttons 1..9 and text 2 shown, the mode page's buttons
// hidden, full opacity, no ghost, the click sound. The caller hides the rest of its page.
void ShowMainMenu();
// The faded copies of the nine main-menu buttons behind a sub-page.
void DrawMenuGlows();
// Throws fountain gem `sprite` up from the middle of the bottom edge.
void LaunchFountainGem(int32_t sprite);

}  // namespace tessaly
