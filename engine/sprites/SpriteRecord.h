#pragma once
// Rows of the sprite table. A row is one plain record made of blocks, one header a block, so that
// each part of the sprite system keeps its own fields in its own place while every field is still
// reached by its own name (SpriteTable(s).Alpha, SpriteTable(s).EngineType). The sprite classes
// own these rows; the map, the scene and the mouse read them directly.
#include <array>
#include <cstdint>
#include <string>

#include "core/Records.h"
#include "sprites/SpriteAnimationState.h"
#include "sprites/SpriteBehaviourState.h"
#include "sprites/SpriteCollision.h"
#include "sprites/SpriteEffects.h"
#include "sprites/SpriteOrbit.h"
#include "sprites/SpriteParticles.h"
#include "sprites/SpriteShake.h"
#include "sprites/SpriteSpline.h"

namespace plm {

// Placement, frame, colour, shadow, scale and identity: the fields the table itself keeps.
struct SpriteCore {
    // Placement and state.
    int32_t SrcBlend = 0;   // source blend factor used when drawing
    int32_t DestBlend = 0;  // destination blend factor
    int32_t On = 0;         // 1 = live (stepped and drawn), 0 = off
    float X = 0, Y = 0;     // world position of the centre, or of the top-left corner
    int32_t Zorder = 0;     // place in the render order, 1 = drawn last (on top)
    bool OriginTopLeft = false;
    bool Blend = false;  // additive drawing

    // Colour, stored as set (0..255 when drawn).
    float Red = 0, Green = 0, Blue = 0;
    float BaseRed = 0, BaseGreen = 0, BaseBlue = 0;     // written with the colour by SetRGB
    float FlashRed = 0, FlashGreen = 0, FlashBlue = 0;  // saved when an alpha flash starts

    // Shadow.
    bool ShadowState = false;
    float ShadowAlpha = 0;
    int32_t ShadowXOffset = 0, ShadowYOffset = 0;
    float ShadowRed = 0, ShadowGreen = 0, ShadowBlue = 0;
    float ShadowRotation = 0;
    float ShadowXScale = 0, ShadowYScale = 0;
    float ShadowScaling = 0;
    bool ShadowAutoRotate = false, ShadowAutoScale = false;

    // Scale and orientation.
    float XScaled = 0, YScaled = 0, Scaled = 0;
    int32_t Mirror = 0, Flip = 0;  // 1 normal, -1 mirrored / flipped

    // Frame: the grid origin in the texture, the current column and row, the frame size.
    int32_t Texture = 0;
    int32_t SrcX = 0, SrcY = 0;
    int32_t XFrame = 0, YFrame = 0;
    int32_t Width = 0, Height = 0;

    // Identity and hits.
    int32_t ID1 = 0, ID2 = 0;
    int32_t Hits = 0;
};

inline void ResetToDefaults(SpriteCore& c) {
    c.SrcBlend = 5;   // source alpha
    c.DestBlend = 6;  // inverse source alpha
    c.Blend = false;
    c.Red = c.Green = c.Blue = 255;
    c.BaseRed = c.BaseGreen = c.BaseBlue = 255;
    c.ShadowState = false;
    c.ShadowAlpha = 40;
    c.ShadowXOffset = c.ShadowYOffset = 2;
    c.ShadowRed = c.ShadowGreen = c.ShadowBlue = 0;
    c.ShadowRotation = 0;
    c.ShadowXScale = c.ShadowYScale = 1.0f;
    c.ShadowScaling = 1.0f;
    c.ShadowAutoRotate = c.ShadowAutoScale = true;
    c.XScaled = c.YScaled = c.Scaled = 1.0f;
    c.Mirror = c.Flip = 1;
    c.ID1 = c.ID2 = 0;
    c.Hits = 0;
}

struct SpriteRecord : SpriteCore,
                      SpriteEffects,
                      SpriteBehaviourState,
                      SpriteAnimationState,
                      SpriteOrbit,
                      SpriteCollision,
                      SpriteShake,
                      SpriteParticles,
                      SpriteSpline {};

// Ten singles and ten strings of the caller's own per sprite, indexed 1..10 by the members.
struct SpriteDataRecord {
    std::array<float, 10> data{};
    std::array<std::string, 10> DataString{};
};

// Stores every reset default of a row and clears its data record. Position, On, Zorder, the
// frame, velocities, bounds, the orbit numbers, the particle pool and the spline block stay.
inline void ResetToDefaults(SpriteRecord& r, SpriteDataRecord& d) {
    ResetToDefaults(static_cast<SpriteCore&>(r));
    ResetToDefaults(static_cast<SpriteEffects&>(r));
    ResetToDefaults(static_cast<SpriteBehaviourState&>(r));
    ResetToDefaults(static_cast<SpriteAnimationState&>(r));
    ResetToDefaults(static_cast<SpriteOrbit&>(r));
    ResetToDefaults(static_cast<SpriteCollision&>(r), r.Width, r.Height);
    ResetToDefaults(static_cast<SpriteShake&>(r));
    ResetToDefaults(static_cast<SpriteParticles&>(r));
    d = SpriteDataRecord{};
}

}  // namespace plm
