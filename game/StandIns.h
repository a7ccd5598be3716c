#pragma once
// TEMPORARY: stand-ins for board effects, the screen fade and the cursor while those land. Each is
// replaced by the real procedure of the same name (BoardFx, ClearEffects, Fade, Cursor) and this
// file is deleted then. Only the game loop and the session include it.
#include <cstdint>

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "core/PelmarEngine.h"

namespace tessaly::standin {

inline void StartFade(float, float) {}
inline void RenderFade() {}
inline void ShakeBoard() {}
inline void RenderFireworks() {}
inline void RenderCellMarks() {}
inline void RenderSpriteMarks() {}
inline void RunBoardClearEffect() {}
inline void PopMapTile(int32_t, int32_t, int32_t) {}
inline void PlayNopeSound() { PlayBoardSound(kRefuseSample); }
inline void InitBackgroundOrder() {}
inline void StartRandomPlaylist() {}
inline void UpdateIdleSparkle() {}
inline void UpdateHoverPreview() {}
inline void DrawCursor() {}
// Empties the board layer and lays the walls (columns 5 and 18) and the floor (row 18).
inline void WipeBoard() {
    plm::Map& map = *E().Map();
    for (int32_t y = 0; y < map.GetHeight(); ++y)
        for (int32_t x = 0; x < map.GetWidth(); ++x) EmptyCell(x, y);
    for (int32_t y = 0; y <= 16; ++y) {
        map.Value(5, static_cast<float>(y), kBoardLayer, static_cast<float>(Game().Levels.WallTile));
        map.Value(18, static_cast<float>(y), kBoardLayer, static_cast<float>(Game().Levels.WallTile));
    }
    for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
        map.Value(static_cast<float>(x), kFloorRow, kBoardLayer, static_cast<float>(Game().Levels.WallTile));
}

}  // namespace tessaly::standin
