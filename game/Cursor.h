#pragma once
// Board decorations that change nothing on the board: the hover preview's lit cells.
namespace tessaly {

// Lights every cell of the marked-cell list (an additive light over each) and clears their mark
// flags; the list itself is left for the caller to empty.
void DrawMatchPreview();

}  // namespace tessaly
