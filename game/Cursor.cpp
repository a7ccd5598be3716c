#include "Cursor.h"

#include "Board.h"
#include "GameState.h"
#include "MediaLayout.h"
#include "core/PelmarEngine.h"

namespace tessaly {

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

}  // namespace tessaly
