#pragma once
// The reference drawing backend: a CPU rasteriser into 32-bit ARGB buffers. Deterministic and
// headless; with a window in its settings it hands every presented frame to Window::PresentFrame.
//
// Surfaces (back buffer, depth surface, textures, render targets) share one id space and ids are
// never reused, so a released or unknown id is refused. A back buffer without an alpha channel
// (X8R8G8B8) keeps its alpha bytes at 255, which is how destination alpha reads as 1 there.
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/software/DrawQueue.h"
#include "platform/GraphicsDevice.h"
#include "platform/software/Rasterizer.h"

namespace plm::platform {

class TextRenderer;
class RasterThreads;

class SoftwareDevice final : public GraphicsDevice {
public:
    explicit SoftwareDevice(const DeviceSettings& settings);
    ~SoftwareDevice() override;

    int32_t TestCooperativeLevel() override;
    DeviceCaps GetCaps() const override;
    const DeviceSettings& Settings() const override { return settings_; }
    SurfaceId GetBackBuffer() override { return backBuffer_; }
    void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    void BeginScene() override { inScene_ = true; }
    void EndScene() override { inScene_ = false; }
    void Present() override;
    void SetGammaRamp(const std::array<uint16_t, 256>& red, const std::array<uint16_t, 256>& green,
                      const std::array<uint16_t, 256>& blue) override;
    bool ReadPresentedFrame(Image& out) const override;

    void SetRenderState(int32_t state, int32_t value) override;
    void SetTextureStageState(int32_t stage, int32_t type, int32_t value) override;
    void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, float minZ, float maxZ) override;

    SurfaceId GetRenderTarget() override { return renderTarget_; }
    SurfaceId GetDepthStencilSurface() override { return depthSurface_; }
    bool SetRenderTarget(SurfaceId target, SurfaceId depth) override;

    SurfaceId CreateTexture(int32_t width, int32_t height, bool renderTarget) override;
    SurfaceId CreateTextureFromImage(const Image& image) override;
    void ReleaseSurface(SurfaceId id) override;
    bool GetSurfaceDesc(SurfaceId id, SurfaceDesc& desc) const override;
    bool ReadPixels(SurfaceId id, Image& out) const override;
    bool WritePixels(SurfaceId id, const Image& in, int32_t x, int32_t y) override;
    bool CopyRects(SurfaceId src, const Rect& srcRect, SurfaceId dst, int32_t dstX, int32_t dstY) override;

    void SpriteBegin() override;
    void SpriteEnd() override;
    void SpriteDraw(SurfaceId texture, const Rect* src, Vec2 scaling, Vec2 rotationCentre, float rotation,
                    Vec2 translation, uint32_t color) override;
    void SpriteDrawTransform(SurfaceId texture, const Rect* src, const Matrix4& transform, uint32_t color) override;

    void SetTexture(int32_t stage, SurfaceId texture) override;
    void SetVertexShader(uint32_t format) override { vertexFormat_ = format; }
    void DrawPrimitiveUP(PrimitiveType type, int32_t primitiveCount, const ScreenVertex* vertices) override;

    void DrawText(const FontSpec& font, const std::string& text, const Rect& rect, int32_t format,
                  uint32_t color) override;

    // Device loss on request, for tests of the restore path: after SimulateLoss the device reports
    // kDeviceLost, after SimulateReadyToReset kDeviceNotReset; drawing and presenting do nothing
    // meanwhile. A device created afterwards starts fine.
    void SimulateLoss() { coop_ = kDeviceLost; }
    void SimulateReadyToReset() { coop_ = kDeviceNotReset; }

    // Threads that draw a frame's queued draws, each a band of rows (1: all on the caller). The
    // result is the same for any count: each pixel is drawn by one thread, in call order.
    void SetThreads(int threads);
    int Threads() const;

    // Off: the rasteriser's scalar code only, which the vector code must match bit for bit.
    void SetVectorPaths(bool on) { SetPixelPath(on ? raster::BestPixelPath() : raster::PixelPath::Scalar); }
    // The widest instruction set the pixel loops use (at most what the processor runs; the
    // widest by default). Every path draws the same pixels.
    void SetPixelPath(raster::PixelPath path);
    raster::PixelPath PixelPath() const { return pixelPath_; }

    // Number of frames presented so far, and live surfaces (textures, render targets, back buffer).
    int64_t PresentCount() const { return presentCount_; }
    size_t SurfaceCount() const { return surfaces_.size(); }

    // A source rectangle copied with a guard ring of its edge texels, so the sprite batch's
    // loops read it without clamping (see raster::Texture).
    struct GuardedCopy {
        uint64_t version = 0;  // the surface's version it was taken from
        std::vector<uint32_t> pixels;
    };

    struct Surface {
        int32_t width = 0, height = 0;
        bool renderTarget = false;
        bool hasAlpha = true;
        bool depth = false;
        std::vector<uint32_t> pixels;
        uint64_t version = 0;  // moves on whenever the pixels may have changed
        std::unordered_map<uint64_t, GuardedCopy> guarded;  // by source rectangle
    };

private:
    Surface* Find(SurfaceId id);
    const Surface* Find(SurfaceId id) const;
    SurfaceId AddSurface(Surface surface);
    bool Drawable() const { return coop_ == kDeviceOk; }
    void ResetViewport();
    raster::State MakeDrawState(const Surface* texture, bool spriteBatch) const;
    void DrawSpriteQuad(SurfaceId texture, const Rect* src, const float m[6], uint32_t color);
    // Points the state's texture at a guarded copy of the source rectangle r when that pays.
    void UseGuardedCopy(Surface& texture, const Rect& r, raster::State& st);
    // Draws are queued and run together (across the threads) before anything reads or writes
    // pixels another way: clear, present, reads, writes, copies, releases, text, and before
    // the render target changes.
    void Queue(const DrawQueue::Command& command) const;
    // A draw about to read the surface it draws into: it and the draws after it (until the next
    // flush) are drawn at once, in order, as the queue's bands would read rows not yet drawn.
    void DrawingReadsTarget();
    void QueuePolygon(const raster::Target& t, const raster::State& st, const raster::Vertex* v, int n) const;
    void QueueLine(const raster::Target& t, const raster::State& st, const raster::Vertex& a,
                   const raster::Vertex& b) const;
    void Flush() const;

    DeviceSettings settings_;
    std::unordered_map<SurfaceId, Surface> surfaces_;
    SurfaceId nextId_ = 1;
    SurfaceId backBuffer_ = kNoSurface, depthSurface_ = kNoSurface, renderTarget_ = kNoSurface;
    SurfaceId texture0_ = kNoSurface;
    uint32_t vertexFormat_ = kScreenVertexFormat;
    Rect viewport_;
    int32_t coop_ = kDeviceOk;
    bool inScene_ = false, inSprite_ = false;
    raster::PixelPath pixelPath_ = raster::BestPixelPath();
    int64_t presentCount_ = 0;

    // Render and texture-stage states.
    bool alphaBlend_ = false;
    int32_t srcBlend_ = 2, destBlend_ = 1;  // one, zero
    int32_t cullMode_ = 3;                  // counter-clockwise culled
    int32_t colorOp_ = 4, alphaOp_ = 2;     // modulate, select argument 1
    int32_t magFilter_ = 1, minFilter_ = 1;  // point
    // What SpriteBegin replaced, put back by SpriteEnd.
    bool savedAlphaBlend_ = false;
    int32_t savedSrcBlend_ = 2, savedDestBlend_ = 1;

    std::array<std::array<uint8_t, 256>, 3> gamma_{};
    bool gammaIdentity_ = true;
    std::vector<uint32_t> presented_;

    std::unique_ptr<TextRenderer> text_;
    mutable DrawQueue queue_;
    mutable bool drawNow_ = false;  // see DrawingReadsTarget
    mutable std::unique_ptr<RasterThreads> threads_;
    size_t guardedTexels_ = 0;  // in every surface's guarded copies
};

// Creates the software device for the settings (never null).
std::shared_ptr<GraphicsDevice> CreateSoftwareDevice(const DeviceSettings& settings);

}  // namespace plm::platform
