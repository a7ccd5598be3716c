#include "Cursor.h"

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "Matching.h"
#include "MediaLayout.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr float kCursorAlphaLow = 150, kCursorAlphaHigh = 255;
constexpr int32_t kCursorMargin = 4;  // the 40 x 40 box frames the 32 x 32 cell
constexpr int32_t kSparkleMinDelay = 50, kSparkleMaxDelay = 800;  // ms
constexpr int32_t kSparkleBurstStyle = 38;

}  // namespace

void DrawCursor() {
    plm::PelmarEngine& e = E();
    const plm::PLMXY cell = e.Map()->GetMouseToXY();
    const int32_t x = static_cast<int32_t>(cell.X), y = static_cast<int32_t>(cell.Y);
    if (!InPlayfield(x, y)) return;
    CursorArea& c = Game().Cursor;
    c.CursorAlpha += c.CursorPulse * e.Delta();
    if (c.CursorAlpha > kCursorAlphaHigh || c.CursorAlpha < kCursorAlphaLow) {
        c.CursorPulse = -c.CursorPulse;
        c.CursorAlpha += c.CursorPulse * e.Delta();  // the step is taken back
    }
    const media::Rect box = media::kCursorBox;
    e.Texture()->RenderFast(1, box.x, box.y, box.w, box.h,
                            static_cast<float>(kCellSize * x + e.Map()->ScreenX() - kCursorMargin),
                            static_cast<float>(kCellSize * y + e.Map()->ScreenY() - kCursorMargin), c.CursorAlpha, 0,
                            1, true, false, 5, 6);
}

void UpdateHoverPreview() { ClickBoard(true); }

void DrawMatchPreview() {
    plm::PelmarEngine& e = E();
    const BoardArea& board = Game().Board;
    const int32_t count = board.MarkedCount;
    const media::Rect light = media::kPreviewLight;
    for (int32_t i = 1; i <= count; ++i) {
        const MarkedCell& m = board.MarkedCells(i);
        e.Map()->ID1(m.X, m.Y, kBoardLayer, 0);
        e.Texture()->RenderFast(1, light.x, light.y, light.w, light.h, kCellSize * m.X + e.Map()->ScreenX(),
                                kCellSize * m.Y + e.Map()->ScreenY(), 150, 0, 1, true, false, 5, 2);
    }
}

void UpdateIdleSparkle() {
    plm::PelmarEngine& e = E();
    CursorArea& c = Game().Cursor;
    c.SparkleTimer -= e.Delta();
    if (c.SparkleTimer >= 0) return;
    c.SparkleTimer = static_cast<float>(e.Lib()->GetNumber(kSparkleMinDelay, kSparkleMaxDelay));
    LevelsArea& levels = Game().Levels;
    levels.SparkleIndex += 1;
    if (levels.SparkleIndex > levels.SparkleCells.size()) levels.SparkleIndex = 1;
    const SparkleCell* cell = levels.SparkleCells.find(levels.SparkleIndex);
    if (cell == nullptr || !InPlayfield(cell->X, cell->Y)) return;
    const int32_t value = CellValue(cell->X, cell->Y);
    const int32_t kind = TileKind(value);
    if (kind < media::kColourGem1 || kind >= media::kBomb) return;
    const float px = static_cast<float>(kCellSize * cell->X), py = static_cast<float>(kCellSize * cell->Y);
    if (e.Lib()->GetNumber(1, 2) == 1) {
        const int32_t s = e.Sprite()->Get1AvailableRange(kSparkleSpriteFirst, kSparkleSpriteLast, -1, -1);
        if (s > 0) {
            const plm::PLMMapTileRect tile = e.Map()->GetTileRect(static_cast<float>(value));
            e.Sprite()->Activate(s, px, py, tile.Texture, tile.SrcX, tile.SrcY, 0, 0, tile.Width, tile.Height, true,
                                 true);
            e.Sprite()->Blend(s, true);
            e.SpriteEngine()->SetFadeOnFadeOff(s, 0.8f, 1.0f, true);
            return;
        }
    }
    e.SpritePFX()->Explosion(kSparkleBurstStyle, px + kCellSize / 2.0f, py + kCellSize / 2.0f, 0.5f, 1.5f, 0, 1, -1,
                             -1, -1, 5, 2);
}

}  // namespace tessaly
