#pragma once
// A decorator over any GraphicsDevice that records every call with its arguments, then forwards
// it to the wrapped device. Without a wrapped device it answers by itself: fresh surface ids
// (never reused), the sizes it was given, an OK cooperative level, full-screen gamma in its caps.
//
// Tests assert on Calls() (structured) or on Lines() / Text() (one readable line per call):
//   SetRenderState(19, 5)
//   SpriteDraw(tex=3, src=(0,0,32,32), scale=(1,1), centre=(16,16), rot=0.5, at=(100,200), color=FFFFFFFF)
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/GraphicsDevice.h"

namespace plm::platform {

enum class CallKind {
    TestCooperativeLevel, GetCaps, GetBackBuffer, Clear, BeginScene, EndScene, Present, SetGammaRamp,
    SetRenderState, SetTextureStageState, SetViewport, GetRenderTarget, GetDepthStencilSurface, SetRenderTarget,
    CreateTexture, CreateTextureFromImage, ReleaseSurface, GetSurfaceDesc, ReadPixels, WritePixels, CopyRects,
    SpriteBegin, SpriteEnd, SpriteDraw, SpriteDrawTransform, SetTexture, SetVertexShader, DrawPrimitiveUP, DrawText,
    ReadPresentedFrame
};

// One recorded call. Which fields a kind fills:
//   Clear: ints {flags, stencil}, floats {z}, color
//   SetGammaRamp: ints {red[0..255], green[0..255], blue[0..255]}
//   SetRenderState: ints {state, value}; SetTextureStageState: ints {stage, type, value}
//   SetViewport: ints {x, y, width, height}, floats {minZ, maxZ}
//   SetRenderTarget: surfaces {target, depth}
//   CreateTexture: ints {width, height, renderTarget}, surfaces {result}
//   CreateTextureFromImage: ints {width, height}, surfaces {result}
//   ReleaseSurface, GetSurfaceDesc, ReadPixels: surfaces {id}
//   WritePixels: surfaces {id}, ints {x, y, width, height}
//   CopyRects: surfaces {src, dst}, rect (source), ints {dstX, dstY}
//   SpriteDraw: surfaces {texture}, rect when a source was given (hasRect), floats {scaleX, scaleY,
//     centreX, centreY, rotation, translationX, translationY}, color
//   SpriteDrawTransform: surfaces {texture}, rect when given, matrix, color
//   SetTexture: ints {stage}, surfaces {texture}
//   SetVertexShader: ints {format}
//   DrawPrimitiveUP: ints {type, primitiveCount}, vertices
//   DrawText: text, font, rect, ints {format}, color
//   GetBackBuffer, GetRenderTarget, GetDepthStencilSurface: surfaces {result}
struct Call {
    CallKind kind{};
    std::string name;
    std::vector<int64_t> ints;
    std::vector<float> floats;
    std::vector<SurfaceId> surfaces;
    bool hasRect = false;
    Rect rect;
    bool hasMatrix = false;
    Matrix4 matrix;
    uint32_t color = 0;
    std::string text;
    FontSpec font;
    std::vector<ScreenVertex> vertices;

    std::string ToString() const;
};

class RecordingDevice final : public GraphicsDevice {
public:
    explicit RecordingDevice(std::shared_ptr<GraphicsDevice> inner = nullptr, const DeviceSettings& settings = {});

    const std::vector<Call>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    std::vector<Call> CallsOf(CallKind kind) const;  // copies: keep the vector, not a reference into it
    // The nth call of a kind (0 first), null when there are fewer; valid until the next call.
    const Call* Find(CallKind kind, size_t nth = 0) const;
    size_t Count(CallKind kind) const;
    std::vector<std::string> Lines() const;
    std::vector<std::string> LinesOf(CallKind kind) const;
    std::string Text() const;  // Lines() joined by "\n"
    // Queries (caps, surface descriptions, reads, the cooperative level, current surfaces) are
    // recorded too unless this is turned off, which leaves only the calls that change something.
    void RecordQueries(bool on) { recordQueries_ = on; }
    // Without a wrapped device: the cooperative level to report.
    void SetCooperativeLevel(int32_t level) { coop_ = level; }
    GraphicsDevice* Inner() const { return inner_.get(); }

    int32_t TestCooperativeLevel() override;
    DeviceCaps GetCaps() const override;
    const DeviceSettings& Settings() const override;
    SurfaceId GetBackBuffer() override;
    void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    void BeginScene() override;
    void EndScene() override;
    void Present() override;
    void SetGammaRamp(const std::array<uint16_t, 256>& red, const std::array<uint16_t, 256>& green,
                      const std::array<uint16_t, 256>& blue) override;
    bool ReadPresentedFrame(Image& out) const override;
    std::vector<int32_t> BackBufferFormats() const override;
    AdapterInfo GetAdapterInfo() const override;

    void SetRenderState(int32_t state, int32_t value) override;
    void SetTextureStageState(int32_t stage, int32_t type, int32_t value) override;
    void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, float minZ, float maxZ) override;

    SurfaceId GetRenderTarget() override;
    SurfaceId GetDepthStencilSurface() override;
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
    void SetVertexShader(uint32_t format) override;
    void DrawPrimitiveUP(PrimitiveType type, int32_t primitiveCount, const ScreenVertex* vertices) override;

    void DrawText(const FontSpec& font, const std::string& text, const Rect& rect, int32_t format,
                  uint32_t color) override;

private:
    Call& Add(CallKind kind) const;
    void AddQuery(CallKind kind, SurfaceId id) const;
    SurfaceId NewSurface(int32_t width, int32_t height, bool renderTarget);

    std::shared_ptr<GraphicsDevice> inner_;
    DeviceSettings settings_;
    mutable std::vector<Call> calls_;
    bool recordQueries_ = true;
    int32_t coop_ = kDeviceOk;
    // Stand-in state without a wrapped device.
    SurfaceId nextId_ = 1, backBuffer_ = kNoSurface, renderTarget_ = kNoSurface;
    std::unordered_map<SurfaceId, SurfaceDesc> surfaces_;
};

}  // namespace plm::platform
