#pragma once
// The title's mode pages, the mode-3 picture carousel and the start of a game.
#include <string>

#include "MediaLayout.h"
#include "core/Records.h"

namespace tessaly {

// The carousel's window on the screen: the picture shown lies at its top-left corner.
constexpr media::Point kCarouselWindow{320, 204};

// A button event on a mode page (2..6) or on the carousel page (9).
void HandleModeEvent(const plm::PLMGuiEvent& ev);
// The carousel of the mode-3 pictures and the start level, while it shows.
void DrawModeCarousel();
// The start level as the carousel shows it: "01" .. "09", then "10" .. "40".
std::string StartLevelText(int32_t level);
// Sets GameMode, plays the pick sound and fades out; the title ends when the fade has finished.
void StartChosenGame(int32_t mode);

}  // namespace tessaly
