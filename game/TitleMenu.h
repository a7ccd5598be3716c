#pragma once
// The title's widgets on the engine's one Gui, the main menu, the options page, the help page and
// the player-name entry. Widgets are numbered by kind in the order BuildTitleGui adds them.
#include <cstdint>
#include <string>

#include "MediaLayout.h"

namespace tessaly {

// Texts.
enum TitleText : int32_t { kWelcomeText = 1, kChangePlayerText = 2 };
// Buttons.
enum TitleButton : int32_t {
    kModeButton1 = 1,  // 1..5: game modes 1..5
    kHelpMenuButton = 6,
    kOptionsMenuButton = 7,
    kScoresMenuButton = 8,
    kQuitButton = 9,
    kModeBackButton = 10,
    kModePlayButton = 11,
    kOptionsDoneButton = 12,
    kScoresBackButton = 13,
    kScoresNextButton = 14,
    kCarouselPreviousButton = 15,
    kCarouselNextButton = 16,
    kLevelDownButton = 17,
    kLevelUpButton = 18,
    kCarouselBackButton = 19,
    kCarouselPlayButton = 20,
    kHelpBackButton = 21
};
// Tiles 1..5 describe game modes 1..5.
enum TitleTile : int32_t { kOptionsPanelTile = 6, kCarouselCaptionTile = 7, kStartLevelCaptionTile = 8 };
// Check boxes and slider bars of the options page.
enum OptionsCheckBox : int32_t { kTrueColorBox = 1, kFullScreenBox = 2, kVSyncBox = 3 };
enum OptionsSlider : int32_t { kSoundSlider = 1, kMusicSlider = 2, kGammaSlider = 3 };
// Frames.
enum TitleFrameNumber : int32_t { kScoresFrame = 1, kCarouselFrame = 2 };

// The up image of main-menu button 1..9 (its faded copy is drawn behind sub-pages).
media::Rect MenuButtonUpImage(int32_t button);

// Creates every widget of the title, after Gui.Reset; nothing unless the main menu is the page.
// The player's name is made storable first: no double quotes or control characters, upper case,
// "GUEST" when empty.
void BuildTitleGui();
// Once a title frame: reads at most one GUI event (none while a fade runs) and acts on it for the
// page shown, and runs the name entry on the main menu.
void HandleTitleEvents();
// A new run of the game window with the new display settings, after a fade-out.
void RequestRestart();

// The slider value (1..200) that shows a volume (0..100) and the volume a slider value sets.
int32_t VolumeToSlider(int32_t volume);
int32_t SliderToSetting(int32_t value);
// The player's name as the game stores and shows it.
std::string NormalisedPlayerName(const std::string& name);

}  // namespace tessaly
