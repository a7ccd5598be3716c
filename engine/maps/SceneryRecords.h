#pragma once
// The scenery tables of the shared engine state: the star set (owned by Starfield), the
// texture-effect images (TextureFx) and the backdrops (BackDrop). Plain records; the owning
// classes size and fill them, and every object of a class sees the same rows.
#include <cstdint>

#include "core/Table.h"

namespace plm {

// Rows of the texture-effect and backdrop tables, numbered 1..64.
inline constexpr int32_t kSceneryTableSize = 64;

// One star: its centre on the screen, its share of the common movement and how it is drawn.
struct StarRecord {
    float X = 0, Y = 0;
    float Speed = 0;
    int32_t Frame = 0;      // 0..StarFrames - 1
    int32_t Alpha = 0;      // 0..255
    float Scaled = 0;
    float Rotation = 0;     // degrees, 0..359 (plain drawing only)
    float RotationDir = 0;  // degrees per ms (plain drawing only)
    uint32_t Color = 0;     // packed ARGB
};

// The one star set: the settings of the last Starfield.Init and its stars, 1..StarTotal.
struct StarSet {
    int32_t StarTexture = 0;
    int32_t StarSrcX = 0, StarSrcY = 0;
    int32_t StarWidth = 0, StarHeight = 0;
    int32_t StarFrames = 0;  // side by side from (StarSrcX, StarSrcY) with a one-pixel gutter
    int32_t StarXMin = 0, StarYMin = 0, StarXMax = 0, StarYMax = 0;
    int32_t StarTotal = 0;
    bool StarRandomRGB = false;
    bool StarRandomRotate = false;
    int32_t StarSourceMode = 5, StarDestinationMode = 6;
    Table<StarRecord> StarTable;
};

// One free-standing image with scale, alpha and rotation effects and a drop shadow. The effect
// fields follow the map cells' effect scheme: current value, running flag, change per ms, limits,
// remaining time in ms and style.
struct TextureFxRecord {
    int32_t SourceMode = 0, DestinationMode = 0;
    bool Enabled = false;
    float X = 0, Y = 0;  // centre, or top-left corner with OriginTopLeft
    int32_t Texture = 0;
    bool OriginTopLeft = false;
    int32_t SrcX = 0, SrcY = 0, Width = 0, Height = 0;
    bool ShadowEnabled = false;
    float ShadowAlpha = 0;
    int32_t ShadowXOffset = 0, ShadowYOffset = 0;
    float XScale = 0, YScale = 0;
    float Scaled = 0;
    bool IsScaling = false;
    float ScaleDir = 0, ScaleMin = 0, ScaleMax = 0, ScaleLength = 0;
    int32_t ScaleStyle = 0;
    float Alpha = 0;
    bool IsAlphaFading = false;
    float AlphaDir = 0, AlphaMin = 0, AlphaMax = 0, AlphaLength = 0;
    int32_t AlphaStyle = 0;
    float Rotate = 0;  // degrees
    bool IsRotating = false;
    float RotateDir = 0, RotateMin = 0, RotateMax = 0, RotateLength = 0;
    int32_t RotateStyle = 0;
};

// One backdrop: a picture of LastColumn + 1 by LastRow + 1 equal pieces, piece k (row by row from
// 0) drawn from texture slot Texture + k x AddAmount.
struct BackDropRecord {
    float X = 0, Y = 0;  // centre of the picture, or its top-left corner with OriginTopLeft
    float XSkew = 0;     // rightward shift per pixel of height
    int32_t TotalWidth = 0, TotalHeight = 0;  // unscaled
    int32_t PieceWidth = 0, PieceHeight = 0;
    int32_t LastColumn = 0, LastRow = 0;
    int32_t Texture = 0;
    float Alpha = 0;
    float Red = 0, Green = 0, Blue = 0;
    bool OriginTopLeft = false;
    float XScale = 0, YScale = 0;
    uint32_t Color = 0;  // DrawColor(Alpha, Red, Green, Blue)
    int32_t AddAmount = 0;
    int32_t SourceMode = 0, DestinationMode = 0;
};

}  // namespace plm
