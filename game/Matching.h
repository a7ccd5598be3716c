#pragma once
// A click on the board: ClickBoard looks up the gem under the pointer and hands the click to the
// rule of its kind. ClickGem is the colour gems' rule: every straight run of three or more gems of
// the clicked kind through the clicked cell, in the four directions at once. With Probe true a
// rule only marks what the click would clear, draws it as the hover preview and changes nothing.
namespace tessaly {

void ClickBoard(bool Probe);
void ClickGem(float X, float Y, float Kind, bool Probe);

}  // namespace tessaly
