#pragma once
// The explosion pool: groups of slots, each slot one explosion of up to 200 textured nodes that
// fly, bounce or play an animation, and spin, scale and fade. Owned by SpritePFX.
#include <array>
#include <cstdint>

#include "core/Table.h"

namespace plm {

// The most nodes one explosion holds (nodes 1..200; node 0 is never used).
inline constexpr int32_t kMaxExplosionNodes = 200;
// The most slots the whole pool may hold (groups x slots); a record is about 28 KB.
inline constexpr int32_t kMaxExplosionSlots = 8192;

// Node kinds.
inline constexpr int32_t kNodeFlying = 0, kNodeAnimated = 1, kNodeBouncing = 2;

struct ExplosionNode {
    float Kind = 0;  // 0 flying, 1 animated, 2 flying with a floor bounce
    float TexX = 0, TexY = 0, Width = 0, Height = 0;
    float X = 0, Y = 0;  // centre, world pixels
    float XSpeed = 0, XThrust = 0, YSpeed = 0, YThrust = 0;
    float YMax = 0;  // floor of a bouncing node
    float BounceFactor = 0;
    float Scale = 0, ScaleDir = 0;
    float ScaleX = 0, ScaleXDir = 0;
    float ScaleY = 0, ScaleYDir = 0;
    float Rotate = 0, RotateDir = 0;  // degrees, per ms
    float Alpha = 0, AlphaDir = 0;
    float Duration = 0;    // ms of life once started
    float StartDelay = 0;  // ms
    int32_t Red = 0, Green = 0, Blue = 0;
    float AnimIndex = 0, AnimPosition = 0, AnimSpeed = 0;
    float FrameX = 0, FrameY = 0;
    bool Alive = false;
};

struct ExplosionRecord {
    float NodeCount = 0;
    std::array<ExplosionNode, kMaxExplosionNodes + 1> Nodes{};
    float StartDelay = 0;
    bool Running = false;
    float Duration = 0;
    int32_t TextureIndex = 0;
    float BorderOffset = 0;  // gutter between the frames of an animated node
    int32_t SourceMode = 0, DestinationMode = 0;
};

struct ExplosionPool {
    int32_t PFXTexture = 0;        // the engine particle texture
    int32_t ExplosionsToWrap = 0;  // slots per group
    int32_t ExplosionIndexes = 0;  // groups
    // Slot s of group g is row (g - 1) * ExplosionsToWrap + s.
    Table<ExplosionRecord> ExplosionTable;
    Table<int32_t> ExplosionCursor;  // per group: the slot last taken, 0 after Init
};

}  // namespace plm
