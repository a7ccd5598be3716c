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

// One burst of explosion nodes, as SpritePFX.ExplosionConfigure builds it (35 fields). Speeds
// are pixels per ms, steps per ms, angles in engine degrees (0 = up, clockwise).
struct PLMExplosionConfig {
    int32_t TextureIndex = 0;
    int32_t TextureSrcX = 0, TextureSrcY = 0;
    int32_t TextureSrcWidth = 0, TextureSrcHeight = 0;
    int32_t TextureSrcFrames = 1;  // frames side by side with one-pixel gutters; each node picks one
    int32_t SourceMode = 5, DestinationMode = 2;
    float StartDelay = 0;             // ms before the explosion is first drawn
    float ExplosionDurationMS = 2000;
    int32_t NodesTotal = 1;           // 1..200
    float NodesStartDelayMS = 0;      // node n waits n times this
    float NodeDurationMS = 2000;
    float AlphaStart = 255;           // each node starts between 70% and 100% of it
    float AlphaFadeSpeed = -0.2f;
    float rotatestart = -1;           // start angle of every node; below 0: a random angle
    float RotateDir = 0;              // spin: each node a random rate within -RotateDir..RotateDir
    float XPos = 0, YPos = 0;         // centre, world pixels
    float RandomPosSize = 0;          // nodes start within a square of this size around the centre
    float AngleStart = 0;             // launch angles AngleStart .. AngleStart + AngleRange
    float AngleRange = 360;
    bool EvenSpread = false;          // angles evenly spaced over the range instead of random
    float SpeedMin = 0.05f, SpeedMax = 0.1f;
    float Drag = 0;                   // each node slows by this fraction of its launch speed per ms
    float YGravity = 0;               // downward acceleration, pixels per ms per ms
    float ScaleStart = 1;             // each node starts between 60% and 100% of it
    float ScaleDir = 0;
    float YStretch = 1;               // image height factor: streaks when turned toward the launch
    bool RotateTowardLaunch = false;
    float YFloor = 0;                 // above 0: nodes bounce on YPos + YFloor
    float BounceFactor = 0.5f;
    int32_t Color = static_cast<int32_t>(0xFFFFFFFFu);  // packed ARGB tint (alpha unused)
    int32_t ColorVariation = 0;       // each component varies by up to this either way
};

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

// The event a GUI frame raised: at most one per Render, the last widget's in the drawing order.
struct PLMGuiEvent {
    bool eEventRaised = false;
    PLMGuiEventType eEventType = eFrame;
    int32_t eEventIndex = 0;
    int32_t eEventValue = 0;
};

// The widget under the pointer, with its screen rectangle (or its section's, for strips, bars and
// sliders).
struct PLMGuiMouseOver {
    bool eMouseOverObject = false;
    PLMGuiEventType eMouseOverType = eFrame;
    int32_t eMouseOverIndex = 0;
    int32_t eMouseOverValue = 0;
    float eMouseOverXPos = 0, eMouseOverYpos = 0, eMouseOverWidth = 0, eMouseOverHeight = 0;
};

// How many widgets of each kind a GUI holds.
struct PLMGuiCount {
    int32_t eFrameCount = 0, eMenuStripCount = 0, eMenuBarCount = 0, eCheckBoxCount = 0,
            eOptionButtonCount = 0, eSliderBarCount = 0, eButtonCount = 0, eTileCount = 0, eTextCount = 0;
};

// The modal message box: a background image, wrapped text and two buttons. Button and text
// positions are given relative to the background. ButtonNSrcX/SrcY/State are working fields the
// GUI overwrites (the image shown and whether the button is pressed).
struct PLMGuiMsgBoxConfig {
    int32_t id = 0;
    int32_t BackgroundTexture = 0, BackgroundWidth = 0, BackgroundHeight = 0, BackgroundSrcX = 0,
            BackgroundSrcY = 0;
    float BackgroundXpos = 0, BackgroundYpos = 0, BackgroundAlpha = 0;
    int32_t Button1Texture = 0, Button1Width = 0, Button1Height = 0, Button1SrcXDown = 0, Button1SrcYDown = 0,
            Button1SrcXUp = 0, Button1SrcYUp = 0, Button1SrcXHover = 0, Button1SrcYHover = 0;
    float Button1Xpos = 0, Button1Ypos = 0;
    int32_t Button1SrcX = 0, Button1SrcY = 0, Button1State = 0;
    int32_t Button2Texture = 0, Button2Width = 0, Button2Height = 0, Button2SrcXDown = 0, Button2SrcYDown = 0,
            Button2SrcXUp = 0, Button2SrcYUp = 0, Button2SrcXHover = 0, Button2SrcYHover = 0;
    float Button2Xpos = 0, Button2Ypos = 0;
    int32_t Button2SrcX = 0, Button2SrcY = 0, Button2State = 0;
    int32_t TextFontIndex = 0;
    float TextXpos = 0, TextYpos = 0, TextRed = 0, TextGreen = 0, TextBlue = 0;
    std::string TextString;
    float TextSpacing = 0, TextWrapWidth = 0;
    int32_t TextWrapLineSpacing = 0;
    int32_t SoundChannel = 0;
};

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
