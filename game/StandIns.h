#pragma once
// TEMPORARY: stand-ins for the cursor while it lands. Each is replaced by the real procedure of the
// same name (Cursor) and this file is deleted then. Only the game loop includes it.
#include <cstdint>

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "core/PelmarEngine.h"

namespace tessaly::standin {

inline void UpdateIdleSparkle() {}
inline void UpdateHoverPreview() {}
inline void DrawCursor() {}

}  // namespace tessaly::standin
