#pragma once
// The engine's shared state: the tables and variables that the engine's classes share. Each table
// has one owning class that sizes and fills it; other classes read it. One thread only.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/SceneState.h"
#include "core/SoundSlot.h"
#include "core/Table.h"
#include "maps/MapState.h"
#include "maps/SceneryRecords.h"
#include "maps/TilerRecord.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/GraphicsDevice.h"
#include "platform/Input.h"
#include "sprites/AnimationRecord.h"
#include "sprites/ExplosionRecord.h"
#include "sprites/SpriteRecord.h"
#include "ui/FontTable.h"

namespace plm {

// One row of the texture table (owned by Texture).
struct TextureSlot {
    platform::SurfaceId Object = platform::kNoSurface;
    bool Loaded = false;
    std::string FileName;
    uint32_t ColorKey = 0;
    bool IsRenderTarget = false;
    int32_t Width = 0, Height = 0;
    bool BackupWritten = false;  // the device restore wrote this slot's backup file
};

// The argument block filled before each sprite-batch draw.
struct DrawArgs {
    platform::Rect Src;
    platform::Vec2 Scaling{1, 1};
    platform::Vec2 RotationCentre;
    platform::Vec2 Translation;
};

// The mouse snapshot: relative moves and four buttons (bit 0x80 = held).
struct MouseStateRecord {
    int32_t lX = 0, lY = 0, lZ = 0;
    std::array<uint8_t, 4> Buttons{};
};

// The engine's own mouse pointer (set through Mouse, drawn by Scene.Render): an animation of the
// animation table, played at Speed frames per millisecond, with an optional drop shadow.
struct MousePointerRecord {
    bool Enabled = false;
    int32_t Animation = 0;
    int32_t Mode = 1;     // 0 still, 1 repeat, 2 once (then still)
    float Frame = 1.0f;   // frame position, 1..Length
    float Speed = 0;
    float Alpha = 255;
    bool OriginTopLeft = false;
    bool Shadow = false;
    float ShadowXOffset = 0, ShadowYOffset = 0, ShadowAlpha = 0;
    int32_t BlendSrc = 5, BlendDest = 6;  // source alpha, inverse source alpha
};

// One interval timer (Timer): milliseconds counted since it last fired or was configured.
struct TimerRecord {
    uint32_t Elapsed = 0;
    int32_t Interval = 0;
    bool Enabled = false;
};

struct EngineState {
    // Root object.
    std::string EnginePath;
    std::string ProgramFolder;  // the game program's own folder; "" = the executable's folder
    bool LogState = true;
    bool BypassRenderStateReset = false;
    int32_t Adapter = 0;  // 0-based
    float Delta = 0;
    float Pi = 3.1415927f;
    float TwoPi = 6.2831855f;
    float Rx = 0, Ry = 0;
    uint32_t WhiteColor = 0xFFFFFFFFu;

    // Angle and direction tables, built by InitDevice.
    std::array<float, 721> DegreeToRadTable{};
    std::array<float, 721> DegreeToMathTable{};
    std::array<int32_t, 361> AngleToDirectionTable{};
    std::array<int32_t, 721> AngleWrapTable{};

    // Display settings (Device); PelmarEngine.Initialize writes the defaults.
    int32_t ScreenWidth = 640, ScreenHeight = 480;
    int32_t DepthStencilFormat = 80;
    bool EnableDepthStencil = false;
    int32_t ColorBitDepth = 16;
    bool FullScreenImmediate = false;  // kept as the negation of FullScreenVsync
    bool FullScreenMouseModeExclusive = false;
    int32_t RefreshRate = 0;
    int32_t MaxTextures = 32;
    bool ShowLogo = true;
    int32_t TargethWnd = 0, FormhWnd = 0;
    bool TripleBufferedGraphics = false;
    bool Windowed = false;
    bool TimerPeriodRaised = false;

    // Frame timing (Scene): the ring of the last ten frame times in ms.
    std::array<int32_t, 10> FrameTimes{};
    int32_t FrameTimePos = 0;
    SceneState Frame;  // the rest of the frame's state and the window the device presents into

    // Platform objects.
    std::shared_ptr<platform::Clock> Clock;
    std::shared_ptr<platform::GraphicsDevice> D3DDevice;
    platform::SurfaceId BackBuffer = platform::kNoSurface;

    // Blend factors last sent to the device; -1 = nothing sent since the batch began.
    int32_t BlendSrcCache = -1, BlendDestCache = -1;
    DrawArgs Draw;
    platform::Matrix4 DrawMatrix;

    // Texture table (Texture), 1..MaxTextures.
    Table<TextureSlot> Textures;
    bool TexturesRestored = false;  // set once a device restore has refilled the table

    // Input devices (init_di) and the input snapshot, taken by Scene.Begin.
    std::shared_ptr<platform::Input> InputDevices;
    bool InputInstalled = false;  // InputDevices given by the caller: kept across ReleaseInput
    std::array<uint8_t, 256> KeyState{};
    MouseStateRecord MouseState;
    float MouseX = 0, MouseY = 0;
    float MouseMinX = 0, MouseMinY = 0, MouseMaxX = 0, MouseMaxY = 0;
    float MouseSpeed = 1.0f;
    int32_t MouseMaxMoveX = 32, MouseMaxMoveY = 32;  // per axis and frame
    MousePointerRecord MousePointer;

    // Interval timers (Timer), 1..count, and the time of their last advance.
    Table<TimerRecord> Timers;
    uint32_t TimerLastTick = 0;

    // Sprite tables (Sprite).
    int32_t SpriteTotal = 0;
    Table<SpriteRecord> SpriteTable;
    Table<SpriteDataRecord> SpriteData;
    Table<int32_t> RenderOrder;
    Table<AnimationRecord> Animations;
    Table<SpriteDefineRecord> SpriteDefines;
    Table<PLMZoneInfo> Zones;  // Zone
    int32_t SortCursor = 1;  // list position of the incremental sort
    int32_t ShakeAngle = 0;  // degrees, held between a shake's computation and its use
    float MiscAddX = 0, MiscAddY = 0;
    ExplosionPool Explosions;  // SpritePFX
    // Paths of the spline and way-point behaviours (SpriteEngine), grown by their Add and Load.
    Table<SpritePath> Splines;
    Table<SpritePath> WayPoints;

    // Tile map (Map).
    MapState Map;

    // Scenery: the star set (Starfield), the texture-effect images (TextureFx) and the backdrops
    // (BackDrop), 1..64 each.
    StarSet Stars;
    Table<TextureFxRecord> TextureFxTable{kSceneryTableSize};
    Table<BackDropRecord> BackDropTable{kSceneryTableSize};
    // The tilers (Tiler), 1..64.
    Table<TilerRecord> TilerTable{kTilerCount};

    // Fonts (Font): entries 0..16, all zero until a font file fills them.
    FontTableArray FontTable{};
    FontSurfaces Fonts;

    // Sound (Bass, Music, Sample): the audio layer, whether it was started, the slot tables (the
    // tables only grow; a new start sets the counts to 0 and keeps the rows) and the pan width.
    std::shared_ptr<platform::Audio> Audio;
    bool SoundReady = false;
    Table<SoundSlot> MusicTable;
    int32_t MusicCount = 0;
    Table<SoundSlot> SampleTable;
    int32_t SampleCount = 0;
    float SoundPanWidth = 0;

    // Files written by Pak.UnPack, deleted at Terminate.
    std::vector<std::string> UnpackedFiles;

    // The one uniform random sequence.
    uint64_t RandomState = 0x2545F4914F6CDD1Dull;
};

// The engine state of this process.
EngineState& State();

// Puts the state back as a new process has it (used by a fresh root object and by tests).
void ResetState();

}  // namespace plm
