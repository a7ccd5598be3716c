#include "Matching.h"

#include "Board.h"
#include "Cursor.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "Scoring.h"
#include "SpecialGems.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

// The far end of the run of `kind` that starts at (x, y) and steps by (dx, dy), inside the playfield.
void WalkRun(int32_t& x, int32_t& y, int32_t dx, int32_t dy, int32_t kind) {
    while (InPlayfield(x + dx, y + dy) && CellKind(x + dx, y + dy) == kind) {
        x += dx;
        y += dy;
    }
}

// Marks the run through (x, y) along direction (dx, dy) when it is three or more long, from the
// end opposite (dx, dy) onward.
void MarkRun(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t kind) {
    int32_t x1 = x, y1 = y, x2 = x, y2 = y;
    WalkRun(x1, y1, -dx, -dy, kind);
    WalkRun(x2, y2, dx, dy, kind);
    const int32_t length = (dx != 0 ? (x2 - x1) * dx : (y2 - y1) * dy) + 1;
    if (length < 3) return;
    for (int32_t i = 0; i < length; ++i)
        MarkCell(static_cast<float>(x1 + i * dx), static_cast<float>(y1 + i * dy), kind);
}

}  // namespace

void ClickBoard(bool Probe) {
    plm::Map& map = *E().Map();
    // The cell under the pointer is read once, and its value taken from that very cell.
    const plm::PLMXY cell = map.GetMouseToXY();
    const bool onMap = cell.X >= 0;
    const int32_t value = onMap ? plm::RoundHalfEven(map.Value(cell.X, cell.Y, kBoardLayer)) : 0;
    if (value < 1) {
        if (!Probe) PlayBoardSound(kRefuseSample);
        return;
    }
    const int32_t kind = TileKind(value);
    if (kind == 0 || kind >= media::kChecker) {
        if (!Probe) PlayBoardSound(kRefuseSample);
        return;
    }
    BoardArea& board = Game().Board;
    board.ClickedCell = cell;
    if (cell.Y < kPlayTop) return;  // rows 1 and 2, where new gems enter
    const float x = cell.X, y = cell.Y;
    const float k = static_cast<float>(kind);
    switch (kind) {
    case media::kBomb: ClickBomb(x, y, k, Probe); break;
    case media::kRowGem: ClickRowGem(x, y, k, Probe); break;
    case media::kColumnGem: ClickColumnGem(x, y, k, Probe); break;
    case media::kCrossGem: ClickCrossGem(x, y, k, Probe); break;
    case media::kDiagonalGem: ClickDiagonalGem(x, y, k, Probe); break;
    case media::kShuffleGem: ClickShuffleGem(x, y, k, Probe); break;
    case media::kBlocker:
        if (!Probe) PlayBoardSound(kBlockerSample);
        break;
    default:
        if (kind < media::kBomb) ClickGem(x, y, k, Probe);
        else ClickColorBomb(x, y, static_cast<float>(kind - media::kBomb), Probe);  // kinds 8..13
    }
}

void ClickGem(float X, float Y, float Kind, bool Probe) {
    BoardArea& board = Game().Board;
    const int32_t x = plm::RoundHalfEven(X), y = plm::RoundHalfEven(Y), kind = plm::RoundHalfEven(Kind);
    board.MarkedCount = 0;
    MarkRun(x, y, 1, 0, kind);   // horizontal
    MarkRun(x, y, 0, 1, kind);   // vertical
    MarkRun(x, y, 1, 1, kind);   // falling diagonal
    MarkRun(x, y, 1, -1, kind);  // rising diagonal
    if (board.MarkedCount == 0 && !Probe) PlayBoardSound(kRefuseSample);
    if (Probe) {
        DrawMatchPreview();
        board.MarkedCount = 0;
        return;
    }
    if (board.MarkedCount < 3) return;
    ClearMarkedCells(X, Y, false);
    PlayBoardSound(Game().Session.MatchSample);
}

}  // namespace tessaly
