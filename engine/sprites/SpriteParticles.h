#pragma once
// The particle block of a sprite row: the emitter state and its pool of 101 particles
// (slots 0..100; slots 1..Int(ParticleTotal) are in use).
#include <array>
#include <cstdint>

namespace plm {

// Usable particles of one emitter: slots 1..100 (slot 0 is never used).
inline constexpr int32_t kMaxParticles = 100;

struct SpriteParticle {
    float X = 0, Y = 0;        // world pixels, the image's centre
    float RelX = 0, RelY = 0;  // travel along a rail, relative to the emission point
    float XSpeed = 0, YSpeed = 0;
    float Scale = 0, ScaleStep = 0;
    float Rotation = 0, RotationStep = 0;  // degrees, degrees per ms
    float Alpha = 0, AlphaStep = 0;        // alive while Alpha > 0
    float Red = 0, Green = 0, Blue = 0;
};

// Emitter settings whose names repeat the sprite's own (SrcX, Red, XOffset, ...), so they live
// in a sub-record of their own.
struct SpriteParticleEmitter {
    float LastX = 0, LastY = 0;  // sprite position at the last emission check
    float TextureIndex = 0;
    float SrcX = 0, SrcY = 0, Width = 0, Height = 0;
    int32_t Red = 0, Green = 0, Blue = 0;
    float XSpeedStart = 0, XSpeedThrust = 0, YSpeedStart = 0, YSpeedThrust = 0;
    float ScaleSize = 0;
    bool AutoScale = false;
    float ScalingDir = 0;
    float RotateDir = 0;
    float AlphaStart = 0;
    float AlphaFadingDir = 0;
    float XOffset = 0, YOffset = 0;
    bool OnTop = false;
    float XScale = 0, YScale = 0;
    float RandomPlacementScale = 0;
    bool RandomRotateStartDir = false;
    bool RandomColor = false;
    bool LeaveOn = false;
    int32_t SourceMode = 0, DestinationMode = 0;
};

struct SpriteParticles {
    float ParticleAmount = 0;  // 0 = emitter off; the sprite has live particles while above 0
    float ParticleStyle = 0;   // movement kind 0..6
    bool ParticleRandomRotate = false;
    bool ParticleRandomPlacement = false;
    float ParticleTotal = 0;  // particles in use, 1..100
    float ParticleSlot = 0;   // slot of the last emitted particle
    float ParticleDelay = 0;  // ms between emissions
    float ParticleDelayTimer = 0;
    std::array<SpriteParticle, kMaxParticles + 1> Particle{};
    SpriteParticleEmitter Emitter;
};

// The reset switches the emitter off; the pool and the emitter settings stay.
inline void ResetToDefaults(SpriteParticles& p) { p.ParticleAmount = 0; }

}  // namespace plm
