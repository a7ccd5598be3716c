#include "SpecialGems.h"

#include <array>

#include "Board.h"
#include "Cursor.h"
#include "Falling.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "Scoring.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr int32_t kExplosionGroup = 1;
constexpr int32_t kLineStyle = 94;
constexpr int32_t kBlastStyle = 22, kBlastAfterStyle = 46, kColourFlashStyle = 14;
constexpr float kLineStep = 20;           // ms between the explosions sweeping along a line
constexpr float kBlastAfterDelay = 300;   // ms
constexpr float kBombShake = 800, kColourBombShake = 400;  // ms
constexpr Tint kNoTint{-1, -1, -1};
constexpr std::array<Tint, 6> kColourTints{{{9, 54, 255}, {255, 54, 210}, {63, 255, 100}, {91, 146, 255},
                                            {255, 246, 82}, {91, 45, 255}}};

float CellCentre(int32_t cell) { return static_cast<float>(kCellSize * cell + kCellSize / 2); }

void Explode(int32_t style, int32_t x, int32_t y, float size, float delay, Tint tint = kNoTint) {
    E().SpritePFX()->Explosion(style, CellCentre(x), CellCentre(y), size, 1.0f, delay, kExplosionGroup, tint.Red,
                               tint.Green, tint.Blue, 5, 2);
}

// One cell of a line gem's sweep: marked when `holds` says it holds a gem, exploding either way
// (after `delay`) unless probing.
void LineCell(int32_t x, int32_t y, bool holds, float kind, float delay, bool probe) {
    if (holds) MarkCell(static_cast<float>(x), static_cast<float>(y), plm::RoundHalfEven(kind));
    if (!probe) Explode(kLineStyle, x, y, 0.5f, delay);
}

void MarkColumn(int32_t x, float kind, bool probe) {
    for (int32_t y = kPlayTop; y <= kPlayBottom; ++y)
        LineCell(x, y, CellValue(x, y) > 0, kind, (y - 2) * kLineStep, probe);
}

void MarkRow(int32_t y, float kind, bool probe) {
    for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
        LineCell(x, y, CellValue(x, y) > 0, kind, (x - 4) * kLineStep, probe);
}

// The diagonal through (x, y) stepping by (1, dy) from one playfield edge to the other.
void MarkDiagonal(int32_t x, int32_t y, int32_t dy, float kind, bool probe) {
    const int32_t endRow = dy > 0 ? kPlayTop : kPlayBottom;  // the edge the walk back stops at
    while (x > kBoardLeft && y != endRow) {
        x -= 1;
        y -= dy;
    }
    for (int32_t i = 0; InPlayfield(x + i, y + i * dy); ++i)
        LineCell(x + i, y + i * dy, CellKind(x + i, y + i * dy) >= 1, kind, i * kLineStep, probe);
}

// The end every rule shares: in probe mode the preview, and otherwise nothing (false) when no
// cell was marked.
bool EndOfMarking(bool probe) {
    BoardArea& board = Game().Board;
    if (!probe) return true;
    DrawMatchPreview();
    board.MarkedCount = 0;
    return false;
}

// The line gems' end: their sound, then the common clear of whatever they marked.
void FinishLine(float X, float Y, bool probe) {
    if (!EndOfMarking(probe)) return;
    PlayBoardSound(kLineGemSample);
    if (Game().Board.MarkedCount < 1) return;
    ClearMarkedCells(X, Y, true);
    PlayBoardSound(Game().Session.MatchSample);
}

// The bombs' end: the clear of what they marked, the bomb sound and the match sound.
void FinishBomb(float X, float Y) {
    if (Game().Board.MarkedCount < 1) return;
    ClearMarkedCells(X, Y, true);
    PlayBoardSound(kBombSample);
    PlayBoardSound(Game().Session.MatchSample);
}

struct Cell {
    int32_t x, y;
};
Cell ToCell(float X, float Y) { return {plm::RoundHalfEven(X), plm::RoundHalfEven(Y)}; }

}  // namespace

Tint ColourTint(int32_t colour) {
    return colour >= 1 && colour <= 6 ? kColourTints[static_cast<size_t>(colour - 1)] : kNoTint;
}

void ClickRowGem(float X, float Y, float Kind, bool Probe) {
    Game().Board.MarkedCount = 0;
    MarkRow(ToCell(X, Y).y, Kind, Probe);
    FinishLine(X, Y, Probe);
}

void ClickColumnGem(float X, float Y, float Kind, bool Probe) {
    Game().Board.MarkedCount = 0;
    MarkColumn(ToCell(X, Y).x, Kind, Probe);
    FinishLine(X, Y, Probe);
}

void ClickCrossGem(float X, float Y, float Kind, bool Probe) {
    const Cell c = ToCell(X, Y);
    Game().Board.MarkedCount = 0;
    MarkColumn(c.x, Kind, Probe);
    MarkRow(c.y, Kind, Probe);
    FinishLine(X, Y, Probe);
}

void ClickDiagonalGem(float X, float Y, float Kind, bool Probe) {
    const Cell c = ToCell(X, Y);
    Game().Board.MarkedCount = 0;
    MarkDiagonal(c.x, c.y, 1, Kind, Probe);   // falling: down-right
    MarkDiagonal(c.x, c.y, -1, Kind, Probe);  // rising: up-right
    FinishLine(X, Y, Probe);
}

void ClickBomb(float X, float Y, float Kind, bool Probe) {
    const Cell c = ToCell(X, Y);
    const int32_t kind = plm::RoundHalfEven(Kind);
    Game().Board.MarkedCount = 0;
    MarkCell(X, Y, kind);  // the bomb is always entry 1
    for (int32_t r = 1; r <= 9; ++r)
        for (int32_t col = 1; col <= 7; ++col) {
            const std::array<int16_t, 2> d = DiamondMask(col, r);
            if (d[0] == 100 || d[1] == 100) continue;
            const int32_t x = c.x + d[0], y = c.y + d[1];
            if (InPlayfield(x, y) && CellValue(x, y) > 0)
                MarkCell(static_cast<float>(x), static_cast<float>(y), kind);
        }
    if (!EndOfMarking(Probe)) return;
    Game().Fx.ShakeTimer = kBombShake;
    Explode(kBlastStyle, c.x, c.y, 2.0f, 0);
    Explode(kBlastAfterStyle, c.x, c.y, 2.0f, kBlastAfterDelay);
    FinishBomb(X, Y);
}

void ClickColorBomb(float X, float Y, float Colour, bool Probe) {
    const Cell c = ToCell(X, Y);
    const int32_t colour = plm::RoundHalfEven(Colour);
    Game().Board.MarkedCount = 0;
    MarkCell(X, Y, colour);
    for (int32_t y = kPlayTop; y <= kPlayBottom; ++y)
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
            if (CellKind(x, y) == colour) MarkCell(static_cast<float>(x), static_cast<float>(y), colour);
    if (!EndOfMarking(Probe)) return;
    Game().Fx.ShakeTimer = kColourBombShake;
    Explode(kColourFlashStyle, c.x, c.y, 1.5f, 0, ColourTint(colour));
    Explode(kBlastStyle, c.x, c.y, 1.0f, 0, ColourTint(colour));
    FinishBomb(X, Y);
}

void ClickShuffleGem(float X, float Y, float Kind, bool Probe) {
    const Cell c = ToCell(X, Y);
    BoardArea& board = Game().Board;
    board.MarkedCount = 0;
    MarkCell(X, Y, plm::RoundHalfEven(Kind));
    if (!EndOfMarking(Probe)) return;
    board.MarkedCount = 0;
    EmptyCell(c.x, c.y);  // no explosion, no score
    plm::PelmarEngine& e = E();
    e.Lib()->RandomizeSeed(0);
    bool moved = false;
    for (int32_t y = kPlayTop; y <= kPlayBottom; ++y)
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x) {
            if (CellValue(x, y) < 1) continue;
            const int32_t tx = e.Lib()->GetNumber(kBoardLeft, kBoardRight);
            const int32_t ty = e.Lib()->GetNumber(kPlayTop, kPlayBottom);
            if (IsFallingGemOverCell(static_cast<float>(kCellSize * tx), static_cast<float>(kCellSize * ty))) continue;
            e.Map()->Swap(static_cast<float>(x), static_cast<float>(y), static_cast<float>(tx),
                          static_cast<float>(ty), kBoardLayer);
            moved = true;
        }
    if (moved) {
        PopMarkedCells(true);
        board.MarkedCount = 0;
        StartFall(static_cast<float>(kPlayBottom), false);
    }
    PlayBoardSound(kShuffleSample);
}

}  // namespace tessaly
