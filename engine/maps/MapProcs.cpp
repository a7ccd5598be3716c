#include "maps/MapProcs.h"

#include "core/EngineState.h"

namespace plm {

// Filled in by the tile map's owner; until the map has cells there is no tile under the pointer.
int32_t InfoTileUnderMouse() { return 0; }

}  // namespace plm
