#include "Board.h"

#include "GameState.h"
#include "Levels.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

int32_t CellValue(int32_t x, int32_t y) {
    return plm::RoundHalfEven(E().Map()->Value(static_cast<float>(x), static_cast<float>(y), kBoardLayer));
}

int32_t CellKind(int32_t x, int32_t y) { return TileKind(CellValue(x, y)); }

void EmptyCell(int32_t x, int32_t y) {
    plm::Map& map = *E().Map();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    map.Value(fx, fy, kBoardLayer, 0);
    map.ID1(fx, fy, kBoardLayer, 0);
    map.FxOff(fx, fy, kBoardLayer);
}

void MarkCell(float X, float Y, int32_t Kind) {
    plm::Map& map = *E().Map();
    if (map.ID1(X, Y, kBoardLayer) == 1) return;
    BoardArea& b = Game().Board;
    if (!b.MarkedCells.contains(b.MarkedCount + 1)) return;
    b.MarkedCount += 1;
    b.MarkedCells(b.MarkedCount) = MarkedCell{X, Y, static_cast<float>(Kind)};
    map.ID1(X, Y, kBoardLayer, 1);
}

void AddScore(float Points) {
    int32_t& score = Game().Session.Score;
    score = plm::RoundHalfEven(static_cast<double>(score) + Points);
}

void PlayBoardSound(int32_t sample) { E().Sample()->Play(sample, Game().Settings.SoundVolume, 50); }

}  // namespace tessaly
