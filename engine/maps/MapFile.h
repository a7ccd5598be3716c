#pragma once
// The map file: the tile map's sizes, the names of its tile sheets, every buffer and every layer's
// tile numbers as plain text ("Pelmar Engine Map Data", written by Map.SaveMap, read by
// Map.LoadMap), and the map editor's shorter variant that holds the buffers only ("Pelmar Engine
// Map Editor", written by Map.SaveBufferAsMapFile). docs/formats.md gives the layout line by line.
// Only tile numbers travel: a loaded map's cells have the state Map.Init gives them.
#include <cstdint>
#include <string>
#include <string_view>

namespace plm {

// The largest map file LoadMap reads.
inline constexpr uint64_t kMaxMapFileBytes = uint64_t{256} << 20;

// The map as it stands, in the map file's layout; "" before Map.Init.
std::string MapFileText();
// The buffers only, in the editor file's layout; "" before Map.Init.
std::string MapEditorFileText();

// Reads a map file's text. The whole text is checked and parsed before the map changes: whole
// 32-bit numbers, tile sizes of at least 1, map sizes of at least 0, one layer or more, values the
// text can hold, and grids no larger than any map may hold. Then the map is built by Map.Init and filled. False for a text
// that fails, with the map left as it was.
bool LoadMapFileText(std::string_view text);

}  // namespace plm
