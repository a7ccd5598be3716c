#pragma once
// Procedures every drawing class shares (textures, sprites, maps, fonts, the GUI, particles):
// the blend-factor cache in front of render states 19/20, and the degree-to-radian lookup.
#include <cstdint>

namespace plm {

// Sends the source (render state 19) and destination (20) blend factors to the device, each only
// when it differs from BlendSrcCache / BlendDestCache, and stores what was sent. Render-state
// changes are the costly part of a draw; Scene.Begin sets both caches to -1 every frame.
void SetBlend(int32_t src, int32_t dest);

// Forgets the factors last sent, so the next SetBlend sends both (after the batch is restarted or
// the device is drawn on directly).
void ForgetBlend();

// The colour of a batch draw: ARGB packed from the whole parts (Int) of alpha, red, green and
// blue, each limited to 0..255. Stored values may lie outside that range; only the packing limits.
uint32_t DrawColor(float alpha, float red, float green, float blue);

// Batch rotation in radians for an engine angle in degrees (0 = up, clockwise):
// DegreeToRadTable(Int(degrees)). Angles outside 0..720 are wrapped into the table first, so no
// angle reads outside it; -90 draws as 270.
float DegreeToRad(float degrees);

}  // namespace plm
