#pragma once
// The engine's published records and enumerations, shared by every class.
#include <cstdint>
#include <string>

namespace plm {

struct PLMXY {
    float X = 0, Y = 0;
};

struct PLMRect {
    float top = 0, Right = 0, Bottom = 0, Left = 0;
};

struct PLMArea {
    float XOffset = 0, YOffset = 0, Width = 0, Height = 0;
};

struct PLMCollideArea {
    float XPos = 0, Ypos = 0, Width = 0, Height = 0;
    bool IsCircle = false;
    float Radius = 0;
};

struct PLMRGB {
    float Red = 0, Green = 0, Blue = 0;
};

struct PLMZone {
    float X = 0, Y = 0, Width = 0, Height = 0, Radius = 0;
    bool Box = false;
};

struct PLMZoneInfo {
    float X = 0, Y = 0, Width = 0, Height = 0, Radius = 0;
    bool Enabled = false;
    int32_t Type = 0;  // 1 box, 0 circle
};

struct PLMDisplayMode {
    int32_t Width = 0, Height = 0, BitDepth = 0, RefreshRate = 0;
};

// A source rectangle in a texture.
struct PLMSpriteImageRect {
    int32_t Texture = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
};
using PLMMapTileRect = PLMSpriteImageRect;
using PLMFontCharRect = PLMSpriteImageRect;

struct PLMFontStringSize {
    float Width = 0, Height = 0;
};

struct PLMMapTileCheck {
    int32_t Left = 0, Right = 0, Up = 0, Down = 0, Middle = 0, UpLeft = 0, UpRight = 0, DownLeft = 0,
            DownRight = 0;
};

enum PLMTextFormat : int32_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

enum PLMClearFlags : int32_t {
    TargetNotCleared = 0,
    Target = 1,
    TargetAndZBuffer = 3,
    TargetAndStencil = 5,
    TargetAndZbufferAndStencil = 7
};

// Start corners of the frame move; 1..6 are the remaining corner and direction pairs in between.
// The corner a frame move starts from and the way it goes first: from each corner along either
// edge, or a corner and way drawn at random.
enum FrameMoveStartDirection : int32_t {
    BottomRightGoingUp = 0,
    BottomRightGoingLeft = 1,
    BottomLeftGoingUp = 2,
    BottomLeftGoingRight = 3,
    TopLeftGoingDown = 4,
    TopLeftGoingRight = 5,
    TopRightGoingDown = 6,
    TopRightGoingLeft = 7,
    RandomCorner = 8
};

enum PLMTextureSaveFormat : int32_t { BMP = 0, DDS = 4 };

enum PLMCustomParticleDef : int32_t { TrailsConstant = 0, Vrails = 1, Hrails = 2, TrailsIfMoved = 3 };

enum PLMGuiEventType : int32_t {
    eMsgBox = -1,
    eFrame = 0,
    ebutton = 1,
    eCheckBox = 2,
    eOptionButton = 3,
    eMenuStrip = 4,
    eMenuBar = 5,
    eTile = 6,
    eSliderBar = 7,
    eText = 8
};

enum PLMGuiTextAlign : int32_t { tCenter = 0, tLeft = 1, tRight = 2, tLeftWordWrap = 3 };

// Direct3D blend factors as the engine passes them (render states 19 and 20).
enum BlendFactor : int32_t {
    BlendZero = 1,
    BlendOne = 2,
    BlendSrcColor = 3,
    BlendInvSrcColor = 4,
    BlendSrcAlpha = 5,
    BlendInvSrcAlpha = 6,
    BlendDestAlpha = 7,
    BlendInvDestAlpha = 8,
    BlendDestColor = 9,
    BlendInvDestColor = 10,
    BlendSrcAlphaSat = 11
};

}  // namespace plm
