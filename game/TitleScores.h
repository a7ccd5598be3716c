#pragma once
// The title's high-score pages.
#include <string>

#include "core/Records.h"

namespace tessaly {

// A button event on the high-score page (8).
void HandleHighScoreEvent(const plm::PLMGuiEvent& ev);
// The table of HighScorePage, while the page shows.
void DrawHighScorePage();
// Opens the high-score page on table 1..5 (the main menu's button opens table 1).
void OpenHighScorePage(int32_t table);
// The title opens on the table of the last game's new score.
void OpenNewHighScorePage();
// Text without its control characters (codes below 32); every other character is drawn as the
// font draws it, one without a glyph as an empty step of the spacing.
std::string FontText(const std::string& text);

}  // namespace tessaly
