#include "platform/test/RecordingDevice.h"

#include <cstdio>
#include <iterator>

namespace plm::platform {

namespace {

const char* const kNames[] = {
    "TestCooperativeLevel", "GetCaps", "GetBackBuffer", "Clear", "BeginScene", "EndScene", "Present", "SetGammaRamp",
    "SetRenderState", "SetTextureStageState", "SetViewport", "GetRenderTarget", "GetDepthStencilSurface",
    "SetRenderTarget", "CreateTexture", "CreateTextureFromImage", "ReleaseSurface", "GetSurfaceDesc", "ReadPixels",
    "WritePixels", "CopyRects", "SpriteBegin", "SpriteEnd", "SpriteDraw", "SpriteDrawTransform", "SetTexture",
    "SetVertexShader", "DrawPrimitiveUP", "DrawText", "ReadPresentedFrame"};
// One name for every kind, in the order of CallKind: a kind added without its name is an error here.
static_assert(std::size(kNames) == static_cast<size_t>(CallKind::ReadPresentedFrame) + 1);

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", v);
    return buf;
}

std::string RectText(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Pair(float a, float b) { return "(" + Num(a) + "," + Num(b) + ")"; }

size_t VertexCount(PrimitiveType type, int32_t count) {
    if (count <= 0) return 0;
    switch (type) {
        case PrimitiveType::PointList: return size_t(count);
        case PrimitiveType::LineList: return size_t(count) * 2;
        case PrimitiveType::LineStrip: return size_t(count) + 1;
        case PrimitiveType::TriangleList: return size_t(count) * 3;
        case PrimitiveType::TriangleStrip:
        case PrimitiveType::TriangleFan: return size_t(count) + 2;
    }
    return 0;
}

}  // namespace

std::string Call::ToString() const {
    auto joinInts = [this](size_t from) {
        std::string s;
        for (size_t i = from; i < ints.size(); ++i) s += (i > from ? ", " : "") + std::to_string(ints[i]);
        return s;
    };
    std::string srcText = hasRect ? RectText(rect) : std::string("all");
    std::string texText = surfaces.empty() ? "0" : std::to_string(surfaces[0]);
    switch (kind) {
        case CallKind::Clear:
            return name + "(flags=" + std::to_string(ints[0]) + ", color=" + Hex(color) + ", z=" + Num(floats[0]) +
                   ", stencil=" + std::to_string(ints[1]) + ")";
        case CallKind::SetGammaRamp:
            return name + "(r255=" + std::to_string(ints[255]) + ", g255=" + std::to_string(ints[511]) +
                   ", b255=" + std::to_string(ints[767]) + ", r128=" + std::to_string(ints[128]) + ")";
        case CallKind::SetRenderState:
        case CallKind::SetTextureStageState:
        case CallKind::CreateTexture:
        case CallKind::CreateTextureFromImage:
            return name + "(" + joinInts(0) + ")" + (surfaces.empty() ? "" : " -> " + std::to_string(surfaces[0]));
        case CallKind::SetViewport:
            return name + "(" + joinInts(0) + ", " + Num(floats[0]) + ", " + Num(floats[1]) + ")";
        case CallKind::SetRenderTarget:
            return name + "(" + std::to_string(surfaces[0]) + ", " + std::to_string(surfaces[1]) + ")";
        case CallKind::ReleaseSurface:
        case CallKind::GetSurfaceDesc:
        case CallKind::ReadPixels:
            return name + "(" + std::to_string(surfaces[0]) + ")";
        case CallKind::GetBackBuffer:
        case CallKind::GetRenderTarget:
        case CallKind::GetDepthStencilSurface:
            return name + "() -> " + std::to_string(surfaces[0]);
        case CallKind::WritePixels:
            return name + "(" + std::to_string(surfaces[0]) + ", at=(" + std::to_string(ints[0]) + "," +
                   std::to_string(ints[1]) + "), size=" + std::to_string(ints[2]) + "x" + std::to_string(ints[3]) + ")";
        case CallKind::CopyRects:
            return name + "(" + std::to_string(surfaces[0]) + ", " + RectText(rect) + ", " + std::to_string(surfaces[1]) +
                   ", at=(" + std::to_string(ints[0]) + "," + std::to_string(ints[1]) + "))";
        case CallKind::SpriteDraw:
            return name + "(tex=" + texText + ", src=" + srcText + ", scale=" + Pair(floats[0], floats[1]) +
                   ", centre=" + Pair(floats[2], floats[3]) + ", rot=" + Num(floats[4]) +
                   ", at=" + Pair(floats[5], floats[6]) + ", color=" + Hex(color) + ")";
        case CallKind::SpriteDrawTransform: {
            const auto& m = matrix.m;
            return name + "(tex=" + texText + ", src=" + srcText + ", m=[" + Num(m[0][0]) + " " + Num(m[0][1]) + "; " +
                   Num(m[1][0]) + " " + Num(m[1][1]) + "; " + Num(m[3][0]) + " " + Num(m[3][1]) +
                   "], color=" + Hex(color) + ")";
        }
        case CallKind::SetTexture: return name + "(" + std::to_string(ints[0]) + ", " + texText + ")";
        case CallKind::SetVertexShader: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "(0x%X)", static_cast<unsigned>(ints[0]));
            return name + buf;
        }
        case CallKind::DrawPrimitiveUP: {
            std::string s = name + "(type=" + std::to_string(ints[0]) + ", count=" + std::to_string(ints[1]);
            for (const auto& v : vertices) s += ", " + Pair(v.x, v.y) + ":" + Hex(v.diffuse);
            return s + ")";
        }
        case CallKind::DrawText:
            return name + "(\"" + text + "\", font=" + font.name + " " + Num(font.size) + (font.bold ? " bold" : "") +
                   (font.italic ? " italic" : "") + ", rect=" + RectText(rect) + ", format=" + std::to_string(ints[0]) +
                   ", color=" + Hex(color) + ")";
        default: return name + "()";
    }
}

RecordingDevice::RecordingDevice(std::shared_ptr<GraphicsDevice> inner, const DeviceSettings& settings)
    : inner_(std::move(inner)), settings_(settings) {
    if (!inner_) {
        backBuffer_ = NewSurface(settings_.width, settings_.height, true);
        renderTarget_ = backBuffer_;
    }
}

Call& RecordingDevice::Add(CallKind kind) const {
    Call& c = calls_.emplace_back();
    c.kind = kind;
    c.name = kNames[static_cast<int>(kind)];
    return c;
}

void RecordingDevice::AddQuery(CallKind kind, SurfaceId id) const {
    if (recordQueries_) Add(kind).surfaces = {id};
}

SurfaceId RecordingDevice::NewSurface(int32_t width, int32_t height, bool renderTarget) {
    SurfaceDesc d;
    d.width = width, d.height = height, d.usage = renderTarget ? 1 : 0, d.pool = renderTarget ? 0 : 1;
    SurfaceId id = nextId_++;
    surfaces_[id] = d;
    return id;
}

std::vector<Call> RecordingDevice::CallsOf(CallKind kind) const {
    std::vector<Call> out;
    for (const auto& c : calls_)
        if (c.kind == kind) out.push_back(c);
    return out;
}

const Call* RecordingDevice::Find(CallKind kind, size_t nth) const {
    for (const auto& c : calls_)
        if (c.kind == kind && nth-- == 0) return &c;
    return nullptr;
}

size_t RecordingDevice::Count(CallKind kind) const {
    size_t n = 0;
    for (const auto& c : calls_) n += c.kind == kind;
    return n;
}

std::vector<std::string> RecordingDevice::Lines() const {
    std::vector<std::string> out;
    for (const auto& c : calls_) out.push_back(c.ToString());
    return out;
}

std::vector<std::string> RecordingDevice::LinesOf(CallKind kind) const {
    std::vector<std::string> out;
    for (const auto& c : calls_)
        if (c.kind == kind) out.push_back(c.ToString());
    return out;
}

std::string RecordingDevice::Text() const {
    std::string s;
    for (const auto& c : calls_) s += c.ToString() + "\n";
    return s;
}

int32_t RecordingDevice::TestCooperativeLevel() {
    int32_t r = inner_ ? inner_->TestCooperativeLevel() : coop_;
    if (recordQueries_) Add(CallKind::TestCooperativeLevel).ints = {r};
    return r;
}

DeviceCaps RecordingDevice::GetCaps() const {
    if (recordQueries_) Add(CallKind::GetCaps);
    if (inner_) return inner_->GetCaps();
    DeviceCaps caps;
    caps.caps2 = kCaps2FullScreenGamma;
    caps.availableTextureMemory = int64_t(512) << 20;
    return caps;
}

const DeviceSettings& RecordingDevice::Settings() const { return inner_ ? inner_->Settings() : settings_; }

SurfaceId RecordingDevice::GetBackBuffer() {
    SurfaceId id = inner_ ? inner_->GetBackBuffer() : backBuffer_;
    AddQuery(CallKind::GetBackBuffer, id);
    return id;
}

void RecordingDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    Call& c = Add(CallKind::Clear);
    c.ints = {flags, stencil};
    c.floats = {z};
    c.color = color;
    if (inner_) inner_->Clear(flags, color, z, stencil);
}

void RecordingDevice::BeginScene() {
    Add(CallKind::BeginScene);
    if (inner_) inner_->BeginScene();
}

void RecordingDevice::EndScene() {
    Add(CallKind::EndScene);
    if (inner_) inner_->EndScene();
}

void RecordingDevice::Present() {
    Add(CallKind::Present);
    if (inner_) inner_->Present();
}

void RecordingDevice::SetGammaRamp(const std::array<uint16_t, 256>& red, const std::array<uint16_t, 256>& green,
                                   const std::array<uint16_t, 256>& blue) {
    Call& c = Add(CallKind::SetGammaRamp);
    c.ints.reserve(768);
    for (const auto* ramp : {&red, &green, &blue})
        for (uint16_t v : *ramp) c.ints.push_back(v);
    if (inner_) inner_->SetGammaRamp(red, green, blue);
}

bool RecordingDevice::ReadPresentedFrame(Image& out) const {
    if (recordQueries_) Add(CallKind::ReadPresentedFrame);
    return inner_ ? inner_->ReadPresentedFrame(out) : false;
}

std::vector<int32_t> RecordingDevice::BackBufferFormats() const {
    return inner_ ? inner_->BackBufferFormats() : GraphicsDevice::BackBufferFormats();
}

AdapterInfo RecordingDevice::GetAdapterInfo() const {
    return inner_ ? inner_->GetAdapterInfo() : GraphicsDevice::GetAdapterInfo();
}

void RecordingDevice::SetRenderState(int32_t state, int32_t value) {
    Add(CallKind::SetRenderState).ints = {state, value};
    if (inner_) inner_->SetRenderState(state, value);
}

void RecordingDevice::SetTextureStageState(int32_t stage, int32_t type, int32_t value) {
    Add(CallKind::SetTextureStageState).ints = {stage, type, value};
    if (inner_) inner_->SetTextureStageState(stage, type, value);
}

void RecordingDevice::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, float minZ, float maxZ) {
    Call& c = Add(CallKind::SetViewport);
    c.ints = {x, y, width, height};
    c.floats = {minZ, maxZ};
    if (inner_) inner_->SetViewport(x, y, width, height, minZ, maxZ);
}

SurfaceId RecordingDevice::GetRenderTarget() {
    SurfaceId id = inner_ ? inner_->GetRenderTarget() : renderTarget_;
    AddQuery(CallKind::GetRenderTarget, id);
    return id;
}

SurfaceId RecordingDevice::GetDepthStencilSurface() {
    SurfaceId id = inner_ ? inner_->GetDepthStencilSurface() : kNoSurface;
    AddQuery(CallKind::GetDepthStencilSurface, id);
    return id;
}

bool RecordingDevice::SetRenderTarget(SurfaceId target, SurfaceId depth) {
    Add(CallKind::SetRenderTarget).surfaces = {target, depth};
    if (inner_) return inner_->SetRenderTarget(target, depth);
    auto it = surfaces_.find(target);
    if (it == surfaces_.end() || it->second.usage != 1) return false;
    renderTarget_ = target;
    return true;
}

SurfaceId RecordingDevice::CreateTexture(int32_t width, int32_t height, bool renderTarget) {
    SurfaceId id = inner_ ? inner_->CreateTexture(width, height, renderTarget)
                          : (width > 0 && height > 0 ? NewSurface(width, height, renderTarget) : kNoSurface);
    Call& c = Add(CallKind::CreateTexture);
    c.ints = {width, height, renderTarget ? 1 : 0};
    c.surfaces = {id};
    return id;
}

SurfaceId RecordingDevice::CreateTextureFromImage(const Image& image) {
    SurfaceId id = inner_ ? inner_->CreateTextureFromImage(image)
                          : (image.width > 0 && image.height > 0 ? NewSurface(image.width, image.height, false)
                                                                  : kNoSurface);
    Call& c = Add(CallKind::CreateTextureFromImage);
    c.ints = {image.width, image.height};
    c.surfaces = {id};
    return id;
}

void RecordingDevice::ReleaseSurface(SurfaceId id) {
    Add(CallKind::ReleaseSurface).surfaces = {id};
    if (inner_)
        inner_->ReleaseSurface(id);
    else if (id != backBuffer_)
        surfaces_.erase(id);
}

bool RecordingDevice::GetSurfaceDesc(SurfaceId id, SurfaceDesc& desc) const {
    AddQuery(CallKind::GetSurfaceDesc, id);
    if (inner_) return inner_->GetSurfaceDesc(id, desc);
    auto it = surfaces_.find(id);
    if (it == surfaces_.end()) return false;
    desc = it->second;
    return true;
}

bool RecordingDevice::ReadPixels(SurfaceId id, Image& out) const {
    AddQuery(CallKind::ReadPixels, id);
    if (inner_) return inner_->ReadPixels(id, out);
    return false;
}

bool RecordingDevice::WritePixels(SurfaceId id, const Image& in, int32_t x, int32_t y) {
    Call& c = Add(CallKind::WritePixels);
    c.surfaces = {id};
    c.ints = {x, y, in.width, in.height};
    if (inner_) return inner_->WritePixels(id, in, x, y);
    return surfaces_.count(id) > 0;
}

bool RecordingDevice::CopyRects(SurfaceId src, const Rect& srcRect, SurfaceId dst, int32_t dstX, int32_t dstY) {
    Call& c = Add(CallKind::CopyRects);
    c.surfaces = {src, dst};
    c.hasRect = true;
    c.rect = srcRect;
    c.ints = {dstX, dstY};
    if (inner_) return inner_->CopyRects(src, srcRect, dst, dstX, dstY);
    return surfaces_.count(src) > 0 && surfaces_.count(dst) > 0;
}

void RecordingDevice::SpriteBegin() {
    Add(CallKind::SpriteBegin);
    if (inner_) inner_->SpriteBegin();
}

void RecordingDevice::SpriteEnd() {
    Add(CallKind::SpriteEnd);
    if (inner_) inner_->SpriteEnd();
}

void RecordingDevice::SpriteDraw(SurfaceId texture, const Rect* src, Vec2 scaling, Vec2 rotationCentre, float rotation,
                                 Vec2 translation, uint32_t color) {
    Call& c = Add(CallKind::SpriteDraw);
    c.surfaces = {texture};
    if (src) c.hasRect = true, c.rect = *src;
    c.floats = {scaling.x, scaling.y, rotationCentre.x, rotationCentre.y, rotation, translation.x, translation.y};
    c.color = color;
    if (inner_) inner_->SpriteDraw(texture, src, scaling, rotationCentre, rotation, translation, color);
}

void RecordingDevice::SpriteDrawTransform(SurfaceId texture, const Rect* src, const Matrix4& transform, uint32_t color) {
    Call& c = Add(CallKind::SpriteDrawTransform);
    c.surfaces = {texture};
    if (src) c.hasRect = true, c.rect = *src;
    c.hasMatrix = true;
    c.matrix = transform;
    c.color = color;
    if (inner_) inner_->SpriteDrawTransform(texture, src, transform, color);
}

void RecordingDevice::SetTexture(int32_t stage, SurfaceId texture) {
    Call& c = Add(CallKind::SetTexture);
    c.ints = {stage};
    c.surfaces = {texture};
    if (inner_) inner_->SetTexture(stage, texture);
}

void RecordingDevice::SetVertexShader(uint32_t format) {
    Add(CallKind::SetVertexShader).ints = {format};
    if (inner_) inner_->SetVertexShader(format);
}

void RecordingDevice::DrawPrimitiveUP(PrimitiveType type, int32_t primitiveCount, const ScreenVertex* vertices) {
    Call& c = Add(CallKind::DrawPrimitiveUP);
    c.ints = {static_cast<int32_t>(type), primitiveCount};
    if (vertices) c.vertices.assign(vertices, vertices + VertexCount(type, primitiveCount));
    if (inner_) inner_->DrawPrimitiveUP(type, primitiveCount, vertices);
}

void RecordingDevice::DrawText(const FontSpec& font, const std::string& text, const Rect& rect, int32_t format,
                               uint32_t color) {
    Call& c = Add(CallKind::DrawText);
    c.text = text;
    c.font = font;
    c.hasRect = true;
    c.rect = rect;
    c.ints = {format};
    c.color = color;
    if (inner_) inner_->DrawText(font, text, rect, format, color);
}

}  // namespace plm::platform
