#include "platform/software/SoftwareDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/software/RasterThreads.h"
#include "platform/software/Rasterizer.h"
#include "platform/software/TextRenderer.h"
#include "platform/Window.h"

namespace plm::platform {

namespace {

constexpr int32_t kMaxTextureSide = 8192;
constexpr int64_t kTextureMemory = int64_t(512) << 20;
constexpr int32_t kFormatA8R8G8B8 = 21;

bool Intersect(Rect& r, const Rect& bounds) {
    r.left = std::max(r.left, bounds.left);
    r.top = std::max(r.top, bounds.top);
    r.right = std::min(r.right, bounds.right);
    r.bottom = std::min(r.bottom, bounds.bottom);
    return r.left < r.right && r.top < r.bottom;
}

raster::Target TargetOf(SoftwareDevice::Surface& s, const Rect& clip) {
    raster::Target t;
    t.pixels = s.pixels.data();
    t.width = s.width;
    t.height = s.height;
    t.clipLeft = clip.left, t.clipTop = clip.top, t.clipRight = clip.right, t.clipBottom = clip.bottom;
    t.hasAlpha = s.hasAlpha;
    return t;
}

}  // namespace

namespace {

constexpr int kMaxThreads = 8;
// Guarded copies: two texels of guard (bilinear taps reach one texel past the source rectangle,
// rounding a hair more), only for rectangles up to 256 x 256 texels, and at most 16M texels of
// them before they are all dropped and made again as needed.
constexpr int32_t kGuard = 2;
constexpr int64_t kGuardedMaxArea = 256 * 256;
constexpr size_t kGuardedMaxTexels = size_t(16) << 20;

int DefaultThreads() {
    int n = int(std::thread::hardware_concurrency());
    return std::clamp(n, 1, kMaxThreads);
}

int32_t RowOf(float y) { return int32_t(std::clamp(std::floor(double(y)), -1.0e9, 1.0e9)); }

}  // namespace

void SoftwareDevice::SetThreads(int threads) {
    Flush();
    queue_.SetThreads(nullptr);
    threads_ = std::make_unique<RasterThreads>(std::clamp(threads, 1, kMaxThreads));
    queue_.SetThreads(threads_.get());
}

void SoftwareDevice::SetPixelPath(raster::PixelPath path) {
    Flush();
    pixelPath_ = std::min(path, raster::BestPixelPath());
}

int SoftwareDevice::Threads() const { return threads_ ? threads_->Threads() : 1; }

void SoftwareDevice::Queue(const DrawQueue::Command& c) const {
    queue_.Add(c);
    if (drawNow_) queue_.Run();
}

void SoftwareDevice::DrawingReadsTarget() {
    if (drawNow_) return;
    Flush();
    drawNow_ = true;
}

void SoftwareDevice::Flush() const {
    queue_.Run();
    drawNow_ = false;
}

SoftwareDevice::SoftwareDevice(const DeviceSettings& settings) : settings_(settings) {
    settings_.width = std::clamp(settings_.width, 1, kMaxTextureSide);
    settings_.height = std::clamp(settings_.height, 1, kMaxTextureSide);
    Surface back;
    back.width = settings_.width;
    back.height = settings_.height;
    back.renderTarget = true;
    back.hasAlpha = settings_.backBufferFormat == kFormatA8R8G8B8;
    back.pixels.assign(size_t(back.width) * size_t(back.height), back.hasAlpha ? 0u : 0xFF000000u);
    backBuffer_ = AddSurface(std::move(back));
    if (settings_.depthStencil) {
        Surface depth;
        depth.width = settings_.width;
        depth.height = settings_.height;
        depth.depth = true;
        depthSurface_ = AddSurface(std::move(depth));
    }
    renderTarget_ = backBuffer_;
    ResetViewport();
    for (auto& channel : gamma_)
        for (int i = 0; i < 256; ++i) channel[i] = uint8_t(i);
    text_ = std::make_unique<TextRenderer>();
    int threads = DefaultThreads();
    if (threads > 1) threads_ = std::make_unique<RasterThreads>(threads);
    queue_.SetThreads(threads_.get());
}

SoftwareDevice::~SoftwareDevice() = default;

SoftwareDevice::Surface* SoftwareDevice::Find(SurfaceId id) {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
}

const SoftwareDevice::Surface* SoftwareDevice::Find(SurfaceId id) const {
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second;
}

SurfaceId SoftwareDevice::AddSurface(Surface surface) {
    SurfaceId id = nextId_++;
    surfaces_.emplace(id, std::move(surface));
    return id;
}

void SoftwareDevice::ResetViewport() {
    const Surface* t = Find(renderTarget_);
    viewport_ = Rect{0, 0, t ? t->width : 0, t ? t->height : 0};
}

int32_t SoftwareDevice::TestCooperativeLevel() { return coop_; }

DeviceCaps SoftwareDevice::GetCaps() const {
    DeviceCaps caps;
    caps.caps2 = kCaps2FullScreenGamma;
    caps.devCaps = 0;
    caps.maxTextureWidth = kMaxTextureSide;
    caps.maxTextureHeight = kMaxTextureSide;
    int64_t used = 0;
    for (const auto& [id, s] : surfaces_)
        if (id != backBuffer_ && !s.depth) used += int64_t(s.pixels.size()) * 4;
    caps.availableTextureMemory = std::max<int64_t>(0, kTextureMemory - used);
    return caps;
}

void SoftwareDevice::Clear(uint32_t flags, uint32_t color, float, uint32_t) {
    if (!Drawable() || !(flags & ClearTarget)) return;
    Surface* t = Find(renderTarget_);
    if (!t) return;
    t->version++;
    Rect r = viewport_;
    if (!Intersect(r, Rect{0, 0, t->width, t->height})) return;
    // Queued like a draw: each band clears its own rows on the thread that then draws them.
    DrawQueue::Command c;
    c.kind = DrawQueue::Command::Fill;
    c.target = TargetOf(*t, r);
    c.x = r.left, c.w = r.right - r.left;
    c.color = t->hasAlpha ? color : (color | 0xFF000000u);
    c.rowFirst = r.top, c.rowLast = r.bottom - 1;
    Queue(c);
}

void SoftwareDevice::Present() {
    if (!Drawable()) return;
    Surface* back = Find(backBuffer_);
    presented_.resize(back->pixels.size());
    // Queued behind the frame's draws: each band copies its rows once they are drawn.
    DrawQueue::Command c;
    c.kind = DrawQueue::Command::Present;
    c.target = TargetOf(*back, Rect{0, 0, back->width, back->height});
    c.rowFirst = 0, c.rowLast = back->height - 1;
    c.presentTo = presented_.data();
    c.gamma = gammaIdentity_ ? nullptr : &gamma_;
    Queue(c);
    Flush();
    ++presentCount_;
    if (settings_.window) settings_.window->PresentFrame(presented_.data(), back->width, back->height);
}

void SoftwareDevice::SetGammaRamp(const std::array<uint16_t, 256>& red, const std::array<uint16_t, 256>& green,
                                  const std::array<uint16_t, 256>& blue) {
    const std::array<uint16_t, 256>* ramps[3] = {&red, &green, &blue};
    gammaIdentity_ = true;
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 256; ++i) {
            // The display takes the high byte of each 16-bit ramp word.
            gamma_[c][i] = uint8_t((*ramps[c])[i] >> 8);
            gammaIdentity_ = gammaIdentity_ && gamma_[c][i] == i;
        }
}

bool SoftwareDevice::ReadPresentedFrame(Image& out) const {
    const Surface* back = Find(backBuffer_);
    if (presentCount_ == 0 || !back) return false;
    out.width = back->width;
    out.height = back->height;
    out.pixels = presented_;
    return true;
}

void SoftwareDevice::SetRenderState(int32_t state, int32_t value) {
    switch (state) {
        case RsAlphaBlendEnable: alphaBlend_ = value != 0; break;
        case RsSrcBlend: srcBlend_ = value; break;
        case RsDestBlend: destBlend_ = value; break;
        case RsCullMode: cullMode_ = value; break;
        default: break;  // depth and the rest: nothing to do for a 2D rasteriser
    }
}

void SoftwareDevice::SetTextureStageState(int32_t stage, int32_t type, int32_t value) {
    if (stage != 0) return;
    switch (type) {
        case TssColorOp: colorOp_ = value; break;
        case TssAlphaOp: alphaOp_ = value; break;
        case TssMagFilter: magFilter_ = value; break;
        case TssMinFilter: minFilter_ = value; break;
        default: break;  // arguments: argument 1 is the texture, argument 2 the diffuse colour
    }
}

void SoftwareDevice::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, float, float) {
    const Surface* t = Find(renderTarget_);
    if (!t || width < 0 || height < 0) return;
    Rect r{x, y, int32_t(std::min<int64_t>(int64_t(x) + width, INT32_MAX)),
           int32_t(std::min<int64_t>(int64_t(y) + height, INT32_MAX))};
    if (!Intersect(r, Rect{0, 0, t->width, t->height})) r = Rect{0, 0, 0, 0};
    viewport_ = r;
}

bool SoftwareDevice::SetRenderTarget(SurfaceId target, SurfaceId depth) {
    const Surface* t = Find(target);
    if (!t || !t->renderTarget) return false;
    if (depth != kNoSurface) {
        const Surface* d = Find(depth);
        if (!d || !d->depth) return false;
    }
    // Queued draws run band by band, each band through the whole queue: a draw that reads a
    // surface an earlier queued draw writes would see only the bands done so far. Draws to the
    // old target therefore finish before any draw to (or from) another one is queued.
    if (target != renderTarget_) Flush();
    renderTarget_ = target;
    ResetViewport();
    return true;
}

SurfaceId SoftwareDevice::CreateTexture(int32_t width, int32_t height, bool renderTarget) {
    if (width < 1 || height < 1 || width > kMaxTextureSide || height > kMaxTextureSide) return kNoSurface;
    Surface s;
    s.width = width;
    s.height = height;
    s.renderTarget = renderTarget;
    try {
        s.pixels.assign(size_t(width) * size_t(height), 0);
    } catch (const std::bad_alloc&) {
        return kNoSurface;  // out of memory is a refused texture, not a crash
    }
    return AddSurface(std::move(s));
}

SurfaceId SoftwareDevice::CreateTextureFromImage(const Image& image) {
    if (image.width < 1 || image.height < 1 || image.width > kMaxTextureSide || image.height > kMaxTextureSide ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        return kNoSurface;
    Surface s;
    s.width = image.width;
    s.height = image.height;
    try {
        s.pixels = image.pixels;
    } catch (const std::bad_alloc&) {
        return kNoSurface;
    }
    return AddSurface(std::move(s));
}

void SoftwareDevice::ReleaseSurface(SurfaceId id) {
    if (id == backBuffer_ || id == depthSurface_) return;  // owned by the device
    if (!Find(id)) return;
    Flush();
    surfaces_.erase(id);
    if (renderTarget_ == id) {
        renderTarget_ = backBuffer_;
        ResetViewport();
    }
    if (texture0_ == id) texture0_ = kNoSurface;
}

bool SoftwareDevice::GetSurfaceDesc(SurfaceId id, SurfaceDesc& desc) const {
    const Surface* s = Find(id);
    if (!s) return false;
    desc.width = s->width;
    desc.height = s->height;
    desc.usage = s->renderTarget ? 1 : 0;
    desc.pool = s->renderTarget || s->depth ? 0 : 1;
    desc.format = id == backBuffer_ ? settings_.backBufferFormat : s->depth ? settings_.depthStencilFormat : kFormatA8R8G8B8;
    return true;
}

bool SoftwareDevice::ReadPixels(SurfaceId id, Image& out) const {
    const Surface* s = Find(id);
    if (!s || s->depth) return false;
    Flush();
    out.width = s->width;
    out.height = s->height;
    out.pixels = s->pixels;
    return true;
}

bool SoftwareDevice::WritePixels(SurfaceId id, const Image& in, int32_t x, int32_t y) {
    Surface* s = Find(id);
    if (!s || s->depth || in.width < 0 || in.height < 0 || in.pixels.size() != size_t(in.width) * size_t(in.height))
        return false;
    Flush();
    s->version++;
    Rect r{x, y, int32_t(std::min<int64_t>(int64_t(x) + in.width, INT32_MAX)),
           int32_t(std::min<int64_t>(int64_t(y) + in.height, INT32_MAX))};
    if (!Intersect(r, Rect{0, 0, s->width, s->height})) return true;
    uint32_t alphaOr = s->hasAlpha ? 0 : 0xFF000000u;
    for (int32_t row = r.top; row < r.bottom; ++row) {
        const uint32_t* src = in.pixels.data() + size_t(row - y) * size_t(in.width) + size_t(r.left - x);
        uint32_t* dst = s->pixels.data() + size_t(row) * size_t(s->width) + size_t(r.left);
        for (int32_t i = 0; i < r.right - r.left; ++i) dst[i] = src[i] | alphaOr;
    }
    return true;
}

bool SoftwareDevice::CopyRects(SurfaceId srcId, const Rect& srcRect, SurfaceId dstId, int32_t dstX, int32_t dstY) {
    const Surface* src = Find(srcId);
    Surface* dst = Find(dstId);
    if (!src || !dst || src->depth || dst->depth) return false;
    Flush();
    dst->version++;
    Rect r = srcRect;
    if (!Intersect(r, Rect{0, 0, src->width, src->height})) return true;
    int64_t x = int64_t(dstX) + (int64_t(r.left) - srcRect.left), y = int64_t(dstY) + (int64_t(r.top) - srcRect.top);
    // Clip the destination and move the source with it.
    int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
    int64_t w = std::min<int64_t>(x + (r.right - r.left), dst->width) - l;
    int64_t h = std::min<int64_t>(y + (r.bottom - r.top), dst->height) - t;
    if (w <= 0 || h <= 0) return true;
    int32_t sx = int32_t(r.left + (l - x)), sy = int32_t(r.top + (t - y));
    // Copying within one surface may overlap: go through a copy of the source rows.
    std::vector<uint32_t> staged;
    const uint32_t* base = src->pixels.data();
    int32_t stride = src->width;
    if (src == dst) {
        staged.resize(size_t(w) * size_t(h));
        for (int64_t row = 0; row < h; ++row)
            std::memcpy(staged.data() + row * w, base + size_t(sy + row) * size_t(stride) + size_t(sx), size_t(w) * 4);
        base = staged.data(), stride = int32_t(w), sx = 0, sy = 0;
    }
    uint32_t alphaOr = dst->hasAlpha ? 0 : 0xFF000000u;
    for (int64_t row = 0; row < h; ++row) {
        const uint32_t* from = base + size_t(sy + row) * size_t(stride) + size_t(sx);
        uint32_t* to = dst->pixels.data() + size_t(t + row) * size_t(dst->width) + size_t(l);
        for (int64_t i = 0; i < w; ++i) to[i] = from[i] | alphaOr;
    }
    return true;
}

void SoftwareDevice::SpriteBegin() {
    if (inSprite_) return;
    inSprite_ = true;
    savedAlphaBlend_ = alphaBlend_;
    savedSrcBlend_ = srcBlend_;
    savedDestBlend_ = destBlend_;
    alphaBlend_ = true;
    srcBlend_ = 5;
    destBlend_ = 6;
}

void SoftwareDevice::SpriteEnd() {
    if (!inSprite_) return;
    inSprite_ = false;
    alphaBlend_ = savedAlphaBlend_;
    srcBlend_ = savedSrcBlend_;
    destBlend_ = savedDestBlend_;
}

void SoftwareDevice::SpriteDraw(SurfaceId texture, const Rect* src, Vec2 scaling, Vec2 centre, float rotation,
                                Vec2 translation, uint32_t color) {
    // Scale, turn about the centre (counter-clockwise on screen for a positive angle), translate.
    double c = std::cos(double(rotation)), s = std::sin(double(rotation));
    if (rotation == 0) c = 1, s = 0;
    float m[6] = {float(scaling.x * c),
                  float(-scaling.x * s),
                  float(scaling.y * s),
                  float(scaling.y * c),
                  float(centre.x - centre.x * c - centre.y * s + translation.x),
                  float(centre.y + centre.x * s - centre.y * c + translation.y)};
    DrawSpriteQuad(texture, src, m, color);
}

void SoftwareDevice::SpriteDrawTransform(SurfaceId texture, const Rect* src, const Matrix4& t, uint32_t color) {
    float m[6] = {t.m[0][0], t.m[0][1], t.m[1][0], t.m[1][1], t.m[3][0], t.m[3][1]};
    DrawSpriteQuad(texture, src, m, color);
}

raster::State SoftwareDevice::MakeDrawState(const Surface* texture, bool spriteBatch) const {
    raster::State st;
    if (texture) {
        st.texture.pixels = texture->pixels.data();
        st.texture.width = texture->width;
        st.texture.height = texture->height;
        st.texture.minX = st.texture.minY = 0;
        st.texture.maxX = texture->width - 1;
        st.texture.maxY = texture->height - 1;
        st.texture.wrap = !spriteBatch;
    }
    st.magLinear = magFilter_ >= FilterLinear;
    st.minLinear = minFilter_ >= FilterLinear;
    // The sprite batch always modulates colour and alpha by the draw's colour.
    st.colorModulate = spriteBatch || colorOp_ == TopModulate;
    st.alphaModulate = spriteBatch || alphaOp_ == TopModulate;
    st.blend = alphaBlend_;
    st.srcBlend = srcBlend_;
    st.destBlend = destBlend_;
    st.cullMode = spriteBatch ? 1 : cullMode_;
    st.path = pixelPath_;
    return st;
}

void SoftwareDevice::QueuePolygon(const raster::Target& t, const raster::State& st, const raster::Vertex* v,
                                  int n) const {
    DrawQueue::Command c;
    c.kind = DrawQueue::Command::Polygon;
    c.count = int8_t(n);
    c.target = t;
    c.state = st;
    float lo = v[0].y, hi = v[0].y;
    for (int i = 0; i < n; ++i) c.v[i] = v[i], lo = std::min(lo, v[i].y), hi = std::max(hi, v[i].y);
    if (!(lo <= hi)) return;  // not a number: nothing to draw
    c.rowFirst = RowOf(lo) - 1, c.rowLast = RowOf(hi) + 1;
    Queue(c);
}

void SoftwareDevice::QueueLine(const raster::Target& t, const raster::State& st, const raster::Vertex& a,
                               const raster::Vertex& b) const {
    DrawQueue::Command c;
    c.kind = DrawQueue::Command::Line;
    c.target = t;
    c.state = st;
    c.v[0] = a, c.v[1] = b;
    float lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
    if (!(lo <= hi)) return;
    c.rowFirst = RowOf(lo) - 1, c.rowLast = RowOf(hi) + 1;
    Queue(c);
}

void SoftwareDevice::DrawSpriteQuad(SurfaceId texture, const Rect* src, const float m[6], uint32_t color) {
    if (!Drawable()) return;
    Surface* tex = Find(texture);
    Surface* target = Find(renderTarget_);
    if (!tex || tex->depth || !target) return;
    if (tex == target) DrawingReadsTarget();
    target->version++;
    Rect whole{0, 0, tex->width, tex->height};
    Rect r = src ? *src : whole;
    if (r.right <= r.left || r.bottom <= r.top) return;
    Rect inside = r;
    if (!Intersect(inside, whole)) return;
    raster::State st = MakeDrawState(tex, true);
    st.texture.minX = inside.left, st.texture.maxX = inside.right - 1;
    st.texture.minY = inside.top, st.texture.maxY = inside.bottom - 1;
    raster::Target t = TargetOf(*target, viewport_);

    // Unscaled, unturned, on whole pixels, with the source inside the texture: texels map one to
    // one onto pixels, so copy them through the pipeline without any interpolation.
    if (m[0] == 1 && m[1] == 0 && m[2] == 0 && m[3] == 1 && std::floor(m[4]) == m[4] && std::floor(m[5]) == m[5] &&
        std::fabs(m[4]) < 1e9f && std::fabs(m[5]) < 1e9f && inside.left == r.left && inside.top == r.top &&
        inside.right == r.right && inside.bottom == r.bottom) {
        int64_t x = int64_t(m[4]), y = int64_t(m[5]);
        int64_t l = std::max<int64_t>(x, viewport_.left), tp = std::max<int64_t>(y, viewport_.top);
        int64_t rt = std::min<int64_t>(x + (r.right - r.left), viewport_.right);
        int64_t bt = std::min<int64_t>(y + (r.bottom - r.top), viewport_.bottom);
        if (l < rt && tp < bt) {
            DrawQueue::Command c;
            c.kind = DrawQueue::Command::Block;
            c.target = t;
            c.state = st;
            c.x = int32_t(l), c.y = int32_t(tp), c.w = int32_t(rt - l), c.h = int32_t(bt - tp);
            c.tx = int32_t(r.left + (l - x)), c.ty = int32_t(r.top + (tp - y));
            c.color = color;
            c.rowFirst = c.y, c.rowLast = c.y + c.h - 1;
            Queue(c);
        }
        return;
    }
    if (tex != target && inside.left == r.left && inside.top == r.top && inside.right == r.right &&
        inside.bottom == r.bottom)
        UseGuardedCopy(*tex, r, st);
    float w = float(int64_t(r.right) - r.left), h = float(int64_t(r.bottom) - r.top);
    const float local[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    raster::Vertex v[4];
    for (int i = 0; i < 4; ++i) {
        float u = local[i][0], vv = local[i][1];
        v[i].x = u * m[0] + vv * m[2] + m[4];
        v[i].y = u * m[1] + vv * m[3] + m[5];
        v[i].u = float(r.left) + u;
        v[i].v = float(r.top) + vv;
        v[i].color = color;
    }
    QueuePolygon(t, st, v, 4);
}

void SoftwareDevice::UseGuardedCopy(Surface& tex, const Rect& r, raster::State& st) {
    int32_t w = r.right - r.left, h = r.bottom - r.top;
    if (int64_t(w) * h > kGuardedMaxArea) return;
    uint64_t key = uint64_t(uint16_t(r.left)) | uint64_t(uint16_t(r.top)) << 16 | uint64_t(uint16_t(r.right)) << 32 |
                   uint64_t(uint16_t(r.bottom)) << 48;
    int32_t gw = w + 2 * kGuard, gh = h + 2 * kGuard;
    auto found = tex.guarded.find(key);
    if (found == tex.guarded.end() || found->second.version != tex.version) {
        if (found == tex.guarded.end()) {
            if (guardedTexels_ + size_t(gw) * size_t(gh) > kGuardedMaxTexels) {
                // Queued draws may read the copies: they run before the copies go.
                Flush();
                for (auto& [id, s] : surfaces_) s.guarded.clear();
                guardedTexels_ = 0;
            }
            guardedTexels_ += size_t(gw) * size_t(gh);
        }
        // Made only between flushes or for a version no queued draw has read: a surface's
        // version moves only by a write that flushes first or by draws into it, and draws into
        // a surface are flushed before it is read (SetRenderTarget), or read unguarded.
        GuardedCopy& copy = tex.guarded[key];
        copy.version = tex.version;
        copy.pixels.resize(size_t(gw) * size_t(gh));
        for (int32_t y = 0; y < gh; ++y) {
            int32_t sy = std::clamp(r.top + y - kGuard, r.top, r.bottom - 1);
            const uint32_t* row = tex.pixels.data() + size_t(sy) * size_t(tex.width);
            uint32_t* out = copy.pixels.data() + size_t(y) * size_t(gw);
            for (int32_t x = 0; x < gw; ++x) out[x] = row[std::clamp(r.left + x - kGuard, r.left, r.right - 1)];
        }
        found = tex.guarded.find(key);
    }
    st.texture.pixels = found->second.pixels.data();
    st.texture.width = gw, st.texture.height = gh;
    st.texture.minX = st.texture.minY = kGuard;
    st.texture.maxX = kGuard + w - 1, st.texture.maxY = kGuard + h - 1;
    st.texture.guard = kGuard;
    st.texture.originX = r.left - kGuard, st.texture.originY = r.top - kGuard;
}

void SoftwareDevice::SetTexture(int32_t stage, SurfaceId texture) {
    if (stage != 0) return;
    const Surface* s = Find(texture);
    texture0_ = (s && !s->depth) ? texture : kNoSurface;
}

void SoftwareDevice::DrawPrimitiveUP(PrimitiveType type, int32_t count, const ScreenVertex* vertices) {
    if (!Drawable() || count <= 0 || !vertices || vertexFormat_ != kScreenVertexFormat) return;
    Surface* target = Find(renderTarget_);
    if (!target) return;
    target->version++;
    const Surface* tex = Find(texture0_);
    if (tex == target) DrawingReadsTarget();
    raster::State st = MakeDrawState(tex, false);
    raster::Target t = TargetOf(*target, viewport_);
    float tw = tex ? float(tex->width) : 0, th = tex ? float(tex->height) : 0;
    auto vert = [&](int64_t i) {
        const ScreenVertex& s = vertices[i];
        raster::Vertex v;
        v.x = s.x, v.y = s.y, v.u = s.tu * tw, v.v = s.tv * th, v.color = s.diffuse;
        return v;
    };
    switch (type) {
        case PrimitiveType::PointList:
            for (int64_t i = 0; i < count; ++i) {
                // One pixel, the one whose square holds the point: a line across its centre.
                raster::Vertex a = vert(i), b = a;
                a.y = b.y = std::floor(a.y) + 0.5f;
                a.x = std::floor(a.x) + 0.5f, b.x = a.x + 1;
                QueueLine(t, st, a, b);
            }
            break;
        case PrimitiveType::LineList:
            for (int64_t i = 0; i < count; ++i) QueueLine(t, st, vert(2 * i), vert(2 * i + 1));
            break;
        case PrimitiveType::LineStrip:
            for (int64_t i = 0; i < count; ++i) QueueLine(t, st, vert(i), vert(i + 1));
            break;
        case PrimitiveType::TriangleList:
            for (int64_t i = 0; i < count; ++i) {
                raster::Vertex v[3] = {vert(3 * i), vert(3 * i + 1), vert(3 * i + 2)};
                QueuePolygon(t, st, v, 3);
            }
            break;
        case PrimitiveType::TriangleStrip:
            for (int64_t i = 0; i < count; ++i) {
                // Every second triangle of a strip is wound the other way; swap to keep one winding.
                raster::Vertex v[3] = {vert(i), vert(i + 1), vert(i + 2)};
                if (i & 1) std::swap(v[0], v[1]);
                QueuePolygon(t, st, v, 3);
            }
            break;
        case PrimitiveType::TriangleFan:
            for (int64_t i = 0; i < count; ++i) {
                raster::Vertex v[3] = {vert(0), vert(i + 1), vert(i + 2)};
                QueuePolygon(t, st, v, 3);
            }
            break;
    }
}

void SoftwareDevice::DrawText(const FontSpec& font, const std::string& text, const Rect& rect, int32_t format,
                              uint32_t color) {
    if (!Drawable() || text.empty()) return;
    Surface* target = Find(renderTarget_);
    if (!target) return;
    Rect clip = rect;
    if (!Intersect(clip, viewport_)) return;
    Flush();
    target->version++;
    raster::Target t = TargetOf(*target, clip);
    text_->Draw(t, font, text, rect, format, color);
}

std::shared_ptr<GraphicsDevice> CreateSoftwareDevice(const DeviceSettings& settings) {
    return std::make_shared<SoftwareDevice>(settings);
}

}  // namespace plm::platform
