#pragma once
// What the drawing primitives (Shape, PolySprite) share: they draw screen-space vertices straight
// through the device, outside the frame's sprite batch, so they end the batch first and begin it
// again afterwards.
#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace plm {

// Ends the sprite batch and makes texture stage 0 modulate the texture's alpha by the vertex
// alpha. Ending the batch puts back the blend factors it found, so the blend cache no longer says
// what the device holds: it is forgotten here, and the next SetBlend sends both factors.
void BeginPrimitives();

// Puts texture stage 0 back to taking the texture's alpha alone, begins the sprite batch again and
// forgets the blend cache, so the next drawing class sends its factors anew.
void EndPrimitives();

// A corner as the primitives draw it: rounded toward minus infinity to a whole pixel.
float FloorToPixel(float v);

// Packed ARGB from alpha, red, green and blue 0..255, through their fractions of 255.
uint32_t ColorFromParts(float alpha, float red, float green, float blue);

// Texture coordinates of a source rectangle's edges in a tw x th texture (the unit square by
// default, for draws without a texture).
struct TexEdges {
    float l = 0, t = 0, r = 1, b = 1;
};
TexEdges SourceEdges(int32_t srcX, int32_t srcY, int32_t width, int32_t height, int32_t tw, int32_t th);

// Size of the texture's top level; false (0 x 0) when the device does not know the surface or it
// holds no pixels (nothing may then be divided by its size).
bool TextureSize(platform::SurfaceId texture, int32_t& width, int32_t& height);

// One draw of ScreenVertex vertices: stage 0's texture (kNoSurface for none), the vertex format,
// then the primitives.
void DrawScreenPrimitive(platform::SurfaceId texture, platform::PrimitiveType type, int32_t count,
                         const platform::ScreenVertex* vertices);

}  // namespace plm
