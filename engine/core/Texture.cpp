#include "core/Texture.h"

#include <algorithm>
#include <limits>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/Paths.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

uint32_t KeyFromArgument(int32_t colorKeyValue) {
    return colorKeyValue == -1 ? kDefaultColorKey : static_cast<uint32_t>(colorKeyValue);
}

// The slot when the index is inside the table and the slot holds a texture, else nullptr.
const TextureSlot* FilledSlot(int32_t index) {
    const TextureSlot* slot = State().Textures.find(index);
    return (slot && slot->Loaded && slot->Object != platform::kNoSurface && State().D3DDevice) ? slot : nullptr;
}

platform::SurfaceDesc DescOf(const TextureSlot& slot) {
    platform::SurfaceDesc desc;
    desc.width = slot.Width;
    desc.height = slot.Height;
    State().D3DDevice->GetSurfaceDesc(slot.Object, desc);
    return desc;
}

// Fills the shared draw argument block and hands it to the batch.
void BatchDraw(platform::SurfaceId tex, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
               platform::Vec2 scaling, platform::Vec2 centre, float rotation, platform::Vec2 translation,
               uint32_t color) {
    EngineState& s = State();
    s.Draw.Src = platform::Rect{srcX, srcY, srcX + width, srcY + height};
    s.Draw.Scaling = scaling;
    s.Draw.RotationCentre = centre;
    s.Draw.Translation = translation;
    s.D3DDevice->SpriteDraw(tex, &s.Draw.Src, s.Draw.Scaling, s.Draw.RotationCentre, rotation, s.Draw.Translation,
                            color);
}

void BatchDrawTransform(platform::SurfaceId tex, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                        const platform::Matrix4& matrix, uint32_t color) {
    EngineState& s = State();
    s.Draw.Src = platform::Rect{srcX, srcY, srcX + width, srcY + height};
    s.D3DDevice->SpriteDrawTransform(tex, &s.Draw.Src, matrix, color);
}

// Left (or top) edge of an image of `size` pixels at `scale` centred on `pos`, moved by `offset`:
// Int(pos - (CLng(size x scale) \ 2) + offset).
float CentredEdge(float pos, int32_t size, float scale, float offset = 0) {
    const int32_t half = IntDiv(RoundHalfEven(size * static_cast<double>(scale)), 2);
    return static_cast<float>(Int(pos - static_cast<float>(half) + offset));
}

float Whole(float v) { return static_cast<float>(Int(v)); }

}  // namespace

bool Texture::Load(int32_t Index, const std::string& FileNameOnly, int32_t ColorKeyValue, bool UseFullPath,
                   int32_t WidthAndHeight) {
    EngineState& s = State();
    const std::string path = UseFullPath ? NativePath(FileNameOnly) : FilePath(FileNameOnly);
    const uint32_t key = KeyFromArgument(ColorKeyValue);
    if (!s.Textures.contains(Index)) return false;
    ReleaseTextureObject(Index);
    ErrorInfo err;
    if (FileHasData(path) && LoadTextureFile(Index, path, key, WidthAndHeight, err)) return true;
    LogError("Texture.Load", {"Path=" + s.EnginePath, "Filename=" + FileNameOnly}, err);
    EmptyTextureSlot(Index);
    return false;
}

bool Texture::LoadBatch(int32_t Total, int32_t ColorKeyValue, const std::string& ext) {
    EngineState& s = State();
    const uint32_t key = KeyFromArgument(ColorKeyValue);
    if (Total < 1 || Total > s.Textures.size()) {
        WriteLog(kDashLine);
        WriteLog("Error: (Texture.LoadBatch)");
        WriteLog("Total passed < 1 or > texture max.");
        return false;
    }
    bool allLoaded = true;
    for (int32_t i = 1; i <= Total; ++i) {
        EmptyTextureSlot(i);
        const std::string name = "t" + std::to_string(i) + "." + ext;
        const std::string path = FilePath(name);
        if (!FileHasData(path)) {
            WriteLog(kDashLine);
            WriteLog("Error: (Texture.LoadBatch)");
            WriteLog("Path=" + s.EnginePath);
            WriteLog("Filename=" + name);
            allLoaded = false;
            continue;
        }
        ErrorInfo err;
        if (!LoadTextureFile(i, path, key, 0, err)) {
            // A damaged file: reported like Load's failure, and the batch goes on.
            LogError("Texture.LoadBatch", {"Path=" + s.EnginePath, "Filename=" + name}, err);
            EmptyTextureSlot(i);
            allLoaded = false;
        }
    }
    return allLoaded;
}

bool Texture::Create(int32_t Index, int32_t WidthAndHeight, bool RenderTarget) {
    EngineState& s = State();
    if (Index < 2 || !s.Textures.contains(Index)) return false;
    ReleaseTextureObject(Index);
    ErrorInfo err{"plm232", kErrInvalidCall, "No texture in slot " + std::to_string(Index - 1)};
    // The new texture takes the pixel format of the slot just below, so that slot must be filled.
    if (FilledSlot(Index - 1) && CreateTextureSlot(Index, WidthAndHeight, WidthAndHeight, RenderTarget, err)) return true;
    LogError("Texture.Create", {}, err);
    EmptyTextureSlot(Index);
    return false;
}

void Texture::Clone(int32_t SrcIndex, int32_t DstIndex) {
    EngineState& s = State();
    if (SrcIndex == DstIndex) return;
    const TextureSlot* src = FilledSlot(SrcIndex);
    TextureSlot* dst = s.Textures.find(DstIndex);
    if (!src || !dst) {
        LogError("Texture.Clone", {"SrcIndex=" + std::to_string(SrcIndex), "DstIndex=" + std::to_string(DstIndex)},
                 ErrorInfo{"plm232", kErrInvalidCall, "Source slot empty or index outside the texture table"});
        return;
    }
    const platform::SurfaceDesc desc = DescOf(*src);
    EmptyTextureSlot(DstIndex);
    platform::SurfaceId id = s.D3DDevice->CreateTexture(desc.width, desc.height, desc.usage == 1);
    if (id == platform::kNoSurface) {
        LogError("Texture.Clone", {}, ErrorInfo{"plm232", kErrOutOfVideoMemory, "Out of video memory"});
        return;
    }
    dst->Object = id;
    dst->IsRenderTarget = src->IsRenderTarget;
    dst->ColorKey = src->ColorKey;
    dst->FileName = src->FileName;
    dst->Loaded = true;
    dst->Width = desc.width;
    dst->Height = desc.height;
    CopyToTexture(SrcIndex, 0, 0, static_cast<float>(desc.width), static_cast<float>(desc.height), DstIndex, 0, 0);
}

void Texture::CopyToTexture(int32_t SrcIndex, float SrcX, float SrcY, float SrcWidth, float SrcHeight,
                            int32_t DstIndex, float DstX, float DstY) {
    if (SrcIndex == DstIndex) return;
    const TextureSlot* src = FilledSlot(SrcIndex);
    const TextureSlot* dst = FilledSlot(DstIndex);
    if (!src || !dst) return;
    const platform::SurfaceDesc sd = DescOf(*src), dd = DescOf(*dst);
    // Rounded as whole-number conversions round: 2.5 -> 2, 3.5 -> 4; right and bottom exclusive.
    int64_t left = RoundHalfEven(SrcX), top = RoundHalfEven(SrcY);
    int64_t right = RoundHalfEven(static_cast<double>(left) + SrcWidth);
    int64_t bottom = RoundHalfEven(static_cast<double>(top) + SrcHeight);
    int64_t dx = RoundHalfEven(DstX), dy = RoundHalfEven(DstY);
    // Clip to both textures, moving the destination point with the source's clipped edges.
    if (left < 0) dx -= left, left = 0;
    if (top < 0) dy -= top, top = 0;
    if (dx < 0) left -= dx, dx = 0;
    if (dy < 0) top -= dy, dy = 0;
    right = std::min({right, static_cast<int64_t>(sd.width), left + (dd.width - dx)});
    bottom = std::min({bottom, static_cast<int64_t>(sd.height), top + (dd.height - dy)});
    if (right <= left || bottom <= top) return;
    const platform::Rect rect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                              static_cast<int32_t>(bottom)};
    State().D3DDevice->CopyRects(src->Object, rect, dst->Object, static_cast<int32_t>(dx), static_cast<int32_t>(dy));
}

bool Texture::Save(int32_t Index, const std::string& FileNameOnly, bool UseFullPath, PLMTextureSaveFormat Format) {
    return SaveTexture(Index, UseFullPath ? NativePath(FileNameOnly) : FilePath(FileNameOnly), Format);
}

// The software device keeps every texture in its own memory: there is no managed copy to discard.
bool Texture::Flush() { return true; }

bool Texture::IsLoaded(int32_t Index) const {
    const TextureSlot* slot = State().Textures.find(Index);
    if (!slot) {
        WriteLog("Error: Index passed to Texture.IsLoaded < 1 or > MaxTextures.");
        return false;
    }
    return slot->Loaded;
}

platform::SurfaceId Texture::GetHandle(int32_t Index) const { return TextureDrawSource(Index); }

int32_t Texture::GetWidth(int32_t Index) const {
    const TextureSlot* slot = FilledSlot(Index);
    return slot ? DescOf(*slot).width : 0;
}

int32_t Texture::GetHeight(int32_t Index) const {
    const TextureSlot* slot = FilledSlot(Index);
    return slot ? DescOf(*slot).height : 0;
}

int32_t Texture::GetMaxTextureWidth() const {
    return State().D3DDevice ? State().D3DDevice->GetCaps().maxTextureWidth : 0;
}

int32_t Texture::GetMaxTextureHeight() const {
    return State().D3DDevice ? State().D3DDevice->GetCaps().maxTextureHeight : 0;
}

int32_t Texture::GetAvailableTextureMemory() const {
    if (!State().D3DDevice) return 0;
    int64_t bytes = State().D3DDevice->GetCaps().availableTextureMemory;
    return static_cast<int32_t>(std::clamp<int64_t>(bytes, 0, std::numeric_limits<int32_t>::max()));
}

void Texture::Render(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DstX, float DstY,
                     float Alpha, float Rotate, float XScale, float YScale, bool OriginTopLeft, float ShadowAlpha,
                     float ShadowXOffset, float ShadowYOffset, float ShadowXScale, float ShadowYScale,
                     float ShadowRotate, float R, float G, float B, int32_t SourceMode, int32_t DestinationMode) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(SourceMode, DestinationMode);
    const platform::Vec2 centre{Width / 2.0f * XScale, Height / 2.0f * YScale};
    if (ShadowAlpha > 0) {
        platform::Vec2 at = OriginTopLeft
                                ? platform::Vec2{Whole(DstX) + ShadowXOffset, Whole(DstY) + ShadowYOffset}
                                : platform::Vec2{CentredEdge(DstX, Width, ShadowXScale, ShadowXOffset),
                                                 CentredEdge(DstY, Height, ShadowYScale, ShadowYOffset)};
        BatchDraw(tex, SrcX, SrcY, Width, Height, {ShadowXScale, ShadowYScale}, centre, DegreeToRad(ShadowRotate), at,
                  DrawColor(ShadowAlpha, 0, 0, 0));
    }
    platform::Vec2 at = OriginTopLeft ? platform::Vec2{Whole(DstX), Whole(DstY)}
                                      : platform::Vec2{CentredEdge(DstX, Width, XScale), CentredEdge(DstY, Height, YScale)};
    BatchDraw(tex, SrcX, SrcY, Width, Height, {XScale, YScale}, centre, DegreeToRad(Rotate), at,
              DrawColor(Alpha, R, G, B));
}

void Texture::RenderFast(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                         float DestY, float Alpha, float Rotate, float Scaled, bool OriginTopLeft, bool RotateAsRad,
                         int32_t SourceMode, int32_t DestinationMode) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(SourceMode, DestinationMode);
    platform::Vec2 at = OriginTopLeft ? platform::Vec2{Whole(DestX), Whole(DestY)}
                                      : platform::Vec2{CentredEdge(DestX, Width, Scaled), CentredEdge(DestY, Height, Scaled)};
    BatchDraw(tex, SrcX, SrcY, Width, Height, {Scaled, Scaled}, {Width / 2.0f * Scaled, Height / 2.0f * Scaled},
              RotateAsRad ? Rotate : DegreeToRad(Rotate), at, DrawColor(Alpha, 255, 255, 255));
}

void Texture::RenderFaster(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                           float DestY, float Alpha, float Rotate) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    BatchDraw(tex, SrcX, SrcY, Width, Height, {1, 1}, {Width / 2.0f, Height / 2.0f}, DegreeToRad(Rotate),
              {Whole(DestX), Whole(DestY)}, DrawColor(Alpha, 255, 255, 255));
}

void Texture::RenderFastest(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                            float DestY) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    BatchDraw(tex, SrcX, SrcY, Width, Height, {1, 1}, {0, 0}, 0, {Whole(DestX), Whole(DestY)}, State().WhiteColor);
}

void Texture::RenderTransform(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                              const platform::Matrix4& Matrix, float Alpha, float R, float G, float B,
                              int32_t SourceMode, int32_t DestinationMode) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(SourceMode, DestinationMode);
    BatchDrawTransform(tex, SrcX, SrcY, Width, Height, Matrix, DrawColor(Alpha, R, G, B));
}

void Texture::RenderSkew(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DstX,
                         float DstY, float XScale, float YScale, float XSkew, float YSkew, float Alpha,
                         bool OriginTopLeft, float R, float G, float B, int32_t SourceMode, int32_t DestinationMode) {
    platform::SurfaceId tex = TextureDrawSource(Index);
    if (tex == platform::kNoSurface) return;
    SetBlend(SourceMode, DestinationMode);
    platform::Matrix4& m = State().DrawMatrix;
    m.m[0][0] = XScale;
    m.m[0][1] = YSkew;
    m.m[1][0] = XSkew;
    m.m[1][1] = YScale;
    if (OriginTopLeft) {
        m.m[3][0] = Whole(DstX);
        m.m[3][1] = Whole(DstY);
    } else {
        m.m[3][0] = Whole(DstX - Width * XScale / 2 - Width * XSkew / 2);
        m.m[3][1] = Whole(DstY - Height * YScale / 2 - Height * YSkew / 2);
    }
    BatchDrawTransform(tex, SrcX, SrcY, Width, Height, m, DrawColor(Alpha, R, G, B));
}

}  // namespace plm
