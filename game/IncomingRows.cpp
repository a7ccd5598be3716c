#include "IncomingRows.h"

#include "Board.h"
#include "Falling.h"
#include "GameState.h"
#include "Levels.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr int32_t kSlots = 12;
constexpr float kRowComplete = 12;

// Shows the preview of slot `index` (0..11) over its cell of row 1. A slot left empty by its row
// has nothing to show and counts as shown.
void ShowPreview(int32_t index, bool grow) {
    plm::PelmarEngine& e = E();
    IncomingSlot& slot = Game().Incoming.IncomingSlots[static_cast<size_t>(index)];
    slot.Shown = true;
    if (slot.Value < 1) return;
    const plm::PLMMapTileRect tile = e.Map()->GetTileRect(slot.Value);
    const int32_t sprite = kPreviewSpriteFirst + index;
    e.Sprite()->Activate(sprite, kCellSize * slot.X + kCellSize / 2.0f, kCellSize * slot.Y + kCellSize / 2.0f,
                         tile.Texture, tile.SrcX, tile.SrcY, 0, 0, tile.Width, tile.Height, false, true);
    if (grow) e.SpriteEngine()->SetScaling(sprite, 0, 0.001f, 0, 1.0f, 0, 7, true);
}

// Writes the complete row into row 1 and lets it fall.
void DropRow() {
    plm::PelmarEngine& e = E();
    plm::Map& map = *e.Map();
    for (int32_t i = 0; i < kSlots; ++i) {
        const IncomingSlot& slot = Game().Incoming.IncomingSlots[static_cast<size_t>(i)];
        const float x = static_cast<float>(kBoardLeft + i);
        if (slot.Value >= 1) {
            map.Value(x, kIncomingRow, kBoardLayer, slot.Value);
            map.FxOff(x, kIncomingRow, kBoardLayer);
        }
        e.Sprite()->TurnOff(kPreviewSpriteFirst + i, true, true);
    }
    StartFall(static_cast<float>(kPlayBottom), false);
    ResetIncomingRow();
    PlayBoardSound(kRowDropSample);
}

}  // namespace

void ResetIncomingRow() {
    GameState& g = Game();
    SessionArea& session = g.Session;
    session.RowIndex += 1;
    if (session.RowIndex > LevelsArea::kRows) session.RowIndex = 1;
    for (int32_t i = 0; i < kSlots; ++i) {
        E().Sprite()->TurnOff(kPreviewSpriteFirst + i, true, true);
        IncomingSlot& slot = g.Incoming.IncomingSlots[static_cast<size_t>(i)];
        slot.Shown = false;
        slot.Y = kIncomingRow;
        slot.X = static_cast<float>(kBoardLeft + i);
        slot.Value = static_cast<float>(KindFirstValue(LevelRows(session.Level, session.RowIndex, i + 1)));
    }
    g.Incoming.PreviewsShown = 0;
}

void HandleIncomingRow() {
    GameState& g = Game();
    IncomingArea& in = g.Incoming;
    if (in.PreviewsShown != kRowComplete) {
        g.Session.RowTimer -= E().Delta();
        if (g.Session.RowTimer >= 0) return;
        in.PreviewsShown += 1;
        g.Session.RowTimer = g.Session.RowInterval;
        ShowPreview(static_cast<int32_t>(in.PreviewsShown) - 1, true);
        return;
    }
    if (E().SpriteEngine()->IsScaling(kPreviewSpriteLast)) return;
    if (IsTopRowOccupied()) return;
    if (IsGemFallingNearTop()) return;
    DropRow();
}

void HandleIncomingRowInstant() {
    GameState& g = Game();
    IncomingArea& in = g.Incoming;
    if (in.PreviewsShown == kRowComplete) return;
    for (int32_t i = 0; i < kSlots; ++i) ShowPreview(i, false);
    in.PreviewsShown = kRowComplete;
    g.Session.RowTimer = 0;
}

bool IsTopRowOccupied() {
    bool full = false;
    for (int32_t c = kBoardLeft; c <= kBoardRight; ++c)
        if (CellValue(c, kPlayTop) > 0) full = true;
    Game().Incoming.TopRowFull = full;
    return full;
}

}  // namespace tessaly
