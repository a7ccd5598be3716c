#pragma once
// The drawing layer the engine talks to: a device with a back buffer, textures and render
// targets, render states, the sprite batch, screen-space triangles and lines, the gamma ramp and
// system-font text. Everything is in our own types; backends (the software rasteriser first) live
// beside this header. Nothing here knows about sprites, maps or the game.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plm::platform {

class Window;

// Handles are never reused within a process: a stale handle is refused, never aliased.
// 0 means "none". Textures, render targets and the back buffer are all surfaces of one kind.
using SurfaceId = uint32_t;
constexpr SurfaceId kNoSurface = 0;

// Result codes of TestCooperativeLevel, with the values the engine's restore path compares.
constexpr int32_t kDeviceOk = 0;
constexpr int32_t kDeviceLost = static_cast<int32_t>(0x88760868u);
constexpr int32_t kDeviceNotReset = static_cast<int32_t>(0x88760869u);  // lost, ready to be reset

// Render states and texture-stage states the engine sets (Direct3D numbering).
enum RenderState : int32_t { RsZEnable = 7, RsAlphaBlendEnable = 27, RsSrcBlend = 19, RsDestBlend = 20, RsCullMode = 22 };
enum TextureStageState : int32_t {
    TssColorOp = 1, TssColorArg1 = 2, TssColorArg2 = 3,
    TssAlphaOp = 4, TssAlphaArg1 = 5, TssAlphaArg2 = 6,
    TssMagFilter = 16, TssMinFilter = 17
};
enum TextureOp : int32_t { TopSelectArg1 = 2, TopModulate = 4 };
enum TextureFilter : int32_t { FilterPoint = 1, FilterLinear = 2 };
// Clear flags: 1 target, 2 depth, 4 stencil.
enum ClearFlag : uint32_t { ClearTarget = 1, ClearZBuffer = 2, ClearStencil = 4 };

enum class PrimitiveType : int32_t { PointList = 1, LineList = 2, LineStrip = 3, TriangleList = 4, TriangleStrip = 5, TriangleFan = 6 };

// Caps bits the engine tests.
constexpr uint32_t kCaps2FullScreenGamma = 0x20000;
constexpr uint32_t kDevCapsHwTransformAndLight = 0x10000;
constexpr uint32_t kDevCapsPureDevice = 0x100000;

struct DeviceCaps {
    uint32_t caps2 = 0;
    uint32_t devCaps = 0;
    int32_t maxTextureWidth = 4096;
    int32_t maxTextureHeight = 4096;
    int64_t availableTextureMemory = 0;
};

struct AdapterInfo {
    std::string description;
};

struct DisplayMode {
    int32_t width = 0, height = 0;
    int32_t format = 22;  // Direct3D format code: 23 R5G6B5, 20 R8G8B8, 22 X8R8G8B8, 21 A8R8G8B8
    int32_t refreshRate = 0;
};

struct DeviceSettings {
    int32_t width = 640, height = 480;
    bool windowed = true;
    int32_t backBufferFormat = 22;
    int32_t refreshRate = 0;
    bool immediatePresent = false;  // presentation interval "immediate" (no vertical sync)
    int32_t backBufferCount = 1;
    bool depthStencil = false;
    int32_t depthStencilFormat = 80;
    uint32_t creationFlags = 32;
    Window* window = nullptr;  // null: headless, nothing is shown
};

struct SurfaceDesc {
    int32_t format = 21;  // A8R8G8B8
    int32_t usage = 0;    // 1 = render target
    int32_t pool = 1;     // managed
    int32_t width = 0, height = 0;
};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct Vec2 {
    float x = 0, y = 0;
};

// Row-vector convention: a point (u, v) lands at x = u*m[0][0] + v*m[1][0] + m[3][0],
// y = u*m[0][1] + v*m[1][1] + m[3][1]. m[r][c] is _{r+1}{c+1}.
struct Matrix4 {
    float m[4][4] = {};
};

// A vertex in screen pixels: position with RHW, diffuse ARGB, one texture coordinate pair.
struct ScreenVertex {
    float x = 0, y = 0, z = 0, rhw = 1.0f;
    uint32_t diffuse = 0xFFFFFFFF;
    float tu = 0, tv = 0;
};
static_assert(sizeof(ScreenVertex) == 28, "vertices go to the device as they lie in memory, 28 bytes apart");

// The vertex format code of ScreenVertex (position with RHW, diffuse, one texture coordinate
// pair): the one format the engine draws with.
constexpr uint32_t kScreenVertexFormat = 0x144;

// 32-bit ARGB pixels, row by row, no padding.
struct Image {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

struct FontSpec {
    std::string name = "Arial";
    float size = 8;  // points; 96 dpi
    bool bold = false, italic = false;
};

// Text formats as the engine passes them: left 0, right 2, centre 5 (horizontal and vertical).
enum TextFormat : int32_t { TextLeft = 0, TextCenter = 5, TextRight = 2 };

class GraphicsDevice {
public:
    virtual ~GraphicsDevice() = default;

    // Device state and presentation.
    virtual int32_t TestCooperativeLevel() = 0;
    virtual DeviceCaps GetCaps() const = 0;
    virtual const DeviceSettings& Settings() const = 0;
    virtual SurfaceId GetBackBuffer() = 0;
    virtual void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void Present() = 0;
    // Entry i of each ramp scales an 8-bit channel value i to 0..65535 at presentation.
    virtual void SetGammaRamp(const std::array<uint16_t, 256>& red, const std::array<uint16_t, 256>& green,
                              const std::array<uint16_t, 256>& blue) = 0;
    // The last presented frame as shown (gamma applied); false before the first Present.
    virtual bool ReadPresentedFrame(Image& out) const {
        (void)out;
        return false;
    }
    // Back-buffer formats the device can present (Direct3D format codes) and the adapter's name.
    virtual std::vector<int32_t> BackBufferFormats() const { return {22, 21, 23}; }
    virtual AdapterInfo GetAdapterInfo() const { return {"plm232 software rasteriser"}; }

    // Render states (blend factors 19/20 take the engine's BlendFactor values).
    virtual void SetRenderState(int32_t state, int32_t value) = 0;
    virtual void SetTextureStageState(int32_t stage, int32_t type, int32_t value) = 0;
    virtual void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, float minZ, float maxZ) = 0;

    // Render targets: the back buffer or a texture made with renderTarget true.
    virtual SurfaceId GetRenderTarget() = 0;
    virtual SurfaceId GetDepthStencilSurface() = 0;
    virtual bool SetRenderTarget(SurfaceId target, SurfaceId depth) = 0;

    // Textures.
    virtual SurfaceId CreateTexture(int32_t width, int32_t height, bool renderTarget) = 0;
    virtual SurfaceId CreateTextureFromImage(const Image& image) = 0;
    virtual void ReleaseSurface(SurfaceId id) = 0;
    virtual bool GetSurfaceDesc(SurfaceId id, SurfaceDesc& desc) const = 0;
    virtual bool ReadPixels(SurfaceId id, Image& out) const = 0;
    virtual bool WritePixels(SurfaceId id, const Image& in, int32_t x, int32_t y) = 0;
    // Copies a rectangle of src to (dstX, dstY) of dst, clipped to both surfaces.
    virtual bool CopyRects(SurfaceId src, const Rect& srcRect, SurfaceId dst, int32_t dstX, int32_t dstY) = 0;

    // The sprite batch: Begin/End bracket, Draw and DrawTransform in between. SpriteBegin turns
    // alpha blending on with source alpha / inverse source alpha; SpriteEnd puts back the three
    // blend states it found. Batch draws use the blend factors current at each draw, always
    // modulate colour and alpha by the draw's colour, filter as the stage-0 filters say, and never
    // read outside their source rectangle.
    virtual void SpriteBegin() = 0;
    virtual void SpriteEnd() = 0;
    // src null: the whole texture. rotationCentre is relative to the scaled image's top-left corner;
    // rotation in radians, positive turns counter-clockwise on the y-down screen; translation is
    // the screen position of the image's top-left corner before rotation; color modulates.
    virtual void SpriteDraw(SurfaceId texture, const Rect* src, Vec2 scaling, Vec2 rotationCentre, float rotation,
                            Vec2 translation, uint32_t color) = 0;
    virtual void SpriteDrawTransform(SurfaceId texture, const Rect* src, const Matrix4& transform, uint32_t color) = 0;

    // Screen-space primitives outside the sprite batch (stage-0 texture may be none).
    virtual void SetTexture(int32_t stage, SurfaceId texture) = 0;
    // The layout of the vertices the next DrawPrimitiveUP calls pass; a device draws only the
    // formats it knows (kScreenVertexFormat, the one it starts with).
    virtual void SetVertexShader(uint32_t format) = 0;
    virtual void DrawPrimitiveUP(PrimitiveType type, int32_t primitiveCount, const ScreenVertex* vertices) = 0;

    // System-font text into a rectangle, clipped to it.
    virtual void DrawText(const FontSpec& font, const std::string& text, const Rect& rect, int32_t format,
                          uint32_t color) = 0;
};

}  // namespace plm::platform
