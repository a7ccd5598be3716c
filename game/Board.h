#pragma once
// The board: layer 1 of the engine's tile map. Its extent, the marked-cell list every clear fills
// and empties, the score entry and the board's sounds. The map is the one store of the board:
// every rule reads and writes cells through Map.Value and Map.ID1 and compares gem kinds, never
// raw tile values.
#include <cstdint>

namespace tessaly {

// Cells of the board map are 32 x 32 pixels.
constexpr int32_t kCellSize = 32;
// Columns 6..17; row 1 takes the incoming row, row 2 is the free row new gems fall through, rows
// 3..17 are the playfield; columns 5 and 18 and row 18 are walls and floor.
constexpr int32_t kBoardLeft = 6, kBoardRight = 17;
constexpr int32_t kIncomingRow = 1, kEntryRow = 2;
constexpr int32_t kPlayTop = 3, kPlayBottom = 17;
constexpr int32_t kFloorRow = 18;
constexpr int32_t kBoardColumns = kBoardRight - kBoardLeft + 1;

// Sample slots of the board's sounds.
constexpr int32_t kLandSample = 1, kRefuseSample = 5, kBombSample = 6, kRowDropSample = 9, kLineGemSample = 14,
                  kBlockerSample = 15, kShuffleSample = 16;

// Whether cell (x, y) lies in the playfield.
constexpr bool InPlayfield(int32_t x, int32_t y) {
    return x >= kBoardLeft && x <= kBoardRight && y >= kPlayTop && y <= kPlayBottom;
}

// Tile value and gem kind of a board cell (0 outside the map).
int32_t CellValue(int32_t x, int32_t y);
int32_t CellKind(int32_t x, int32_t y);
// Empties a board cell: value 0, no mark, no effect.
void EmptyCell(int32_t x, int32_t y);

// Adds cell (X, Y) to the marked-cell list unless it is marked already (its ID1 flag is 1). A cell
// past the list's end is refused (nothing is marked).
void MarkCell(float X, float Y, int32_t Kind);
// Score = Score + Points, rounded halves to even.
void AddScore(float Points);
// Plays a sample slot at the sound volume, centred.
void PlayBoardSound(int32_t sample);

}  // namespace tessaly
