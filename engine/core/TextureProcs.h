#pragma once
// Filling, emptying and saving texture slots: the steps that Texture and the device restore share.
// Every procedure here checks its slot index and refuses one outside 1..MaxTextures.
#include <cstdint>
#include <string>

#include "core/EngineLog.h"
#include "platform/GraphicsDevice.h"

namespace plm {

// Error numbers reported in the error blocks (the drawing layer's codes, shown in decimal).
inline constexpr int32_t kErrInvalidData = static_cast<int32_t>(0x88760B59u);
inline constexpr int32_t kErrOutOfVideoMemory = static_cast<int32_t>(0x8876017Cu);
inline constexpr int32_t kErrInvalidCall = static_cast<int32_t>(0x8876086Cu);

// The texture a draw reads, or kNoSurface when the slot is empty, the index outside the table or
// there is no device: every drawing class skips such a draw, blend states included.
platform::SurfaceId TextureDrawSource(int32_t index);

// Releases the slot's texture; the slot's other entries are left as they are.
void ReleaseTextureObject(int32_t index);
// Releases the slot's texture and marks the slot empty.
void EmptyTextureSlot(int32_t index);

// Loads an image file into the slot: colour key applied (0 = none), resampled to size x size when
// size > 0, limited to the device's largest texture. Fills the slot's entries (file name = path).
// On failure the slot holds no texture and err says why; the caller logs and empties the slot.
bool LoadTextureFile(int32_t index, const std::string& path, uint32_t colorKey, int32_t size, ErrorInfo& err);

// A blank width x height texture in the slot (managed, or a render target); fills the slot's entries
// as Create does. On failure err says why.
bool CreateTextureSlot(int32_t index, int32_t width, int32_t height, bool renderTarget, ErrorInfo& err);

// Writes the slot's top level, rectangle (0, 0, width, height), to path as BMP (0) or DDS (4),
// whole or not at all. False after logging "Error: (SaveTexture)" with the file name.
bool SaveTexture(int32_t index, const std::string& path, int32_t format);

}  // namespace plm
