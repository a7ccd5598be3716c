#pragma once
// The start-up logo's four phases, one frame at a time: fade the logo in, sweep a light across it
// to the right and back, fade it out. PelmarEngine.PLMShowLogo runs the frames.
#include <cstdint>

namespace plm {

class Texture;

// Where the logo sequence stands. Phase 5 means done.
struct LogoSequence {
    int32_t Phase = 1;
    float Alpha = 0;
    float X = 0;  // centre of the sweeping light
};

// Texture slot, source rectangles and rates of the sequence.
inline constexpr int32_t kLogoSlot = 1;
inline constexpr int32_t kLogoWidth = 256, kLogoHeight = 130;
inline constexpr int32_t kLightX = 10, kLightY = 135, kLightSize = 60;
inline constexpr float kLightScale = 4;
inline constexpr float kFadeInRate = 0.2f, kSweepRate = 0.4f, kFadeOutRate = 0.3f;  // per ms
inline constexpr float kSweepHalfWidth = 256;

// One frame of the sequence centred on (cx, cy): draws the logo (and the light in phases 2 and 3)
// from texture slot 1, then moves the sequence on by delta milliseconds. Returns false once done.
bool LogoFrame(Texture& texture, LogoSequence& seq, float cx, float cy, float delta);

}  // namespace plm
