#include "maps/Tiler.h"

#include <algorithm>
#include <limits>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

TilerRecord* Row(int32_t index) { return State().TilerTable.find(index); }

void Recolor(TilerRecord& r) { r.Color = DrawColor(r.Alpha, r.Red, r.Green, r.Blue); }

// The area's size and its clip rectangle, worked out from the current origin (halves to even).
void SetArea(TilerRecord& r, int32_t destWidth, int32_t destHeight) {
    r.DestWidth = destWidth;
    r.DestHeight = destHeight;
    r.ClipLeft = RoundHalfEven(r.X);
    r.ClipTop = RoundHalfEven(r.Y);
    r.ClipRight = RoundHalfEven(static_cast<double>(r.X) + destWidth);
    r.ClipBottom = RoundHalfEven(static_cast<double>(r.Y) + destHeight);
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int32_t Saturate32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Draws the copies of a tiler whose origin is (left0, top0), row by row, each trimmed to the area.
// Copies wholly outside the area trim to nothing, so the loops start at the first copy that
// reaches into it and stop at the first that starts past it: a huge area of tiny copies costs
// only the copies that show. Positions are worked in 64 bits, where they cannot overflow.
void DrawCopies(const TilerRecord& r, platform::SurfaceId tex) {
    EngineState& s = State();
    const int64_t w = r.Width, h = r.Height;
    const int64_t left0 = Int(r.X), top0 = Int(r.Y);
    const int64_t rows = IntDiv(r.DestHeight, r.Height) + 1, columns = IntDiv(r.DestWidth, r.Width) + 1;
    const int64_t firstRow = std::max<int64_t>(0, FloorDiv(r.ClipTop - top0, h));
    const int64_t firstColumn = std::max<int64_t>(0, FloorDiv(r.ClipLeft - left0, w));
    for (int64_t row = firstRow; row <= rows; ++row) {
        const int64_t top0Row = top0 + row * h;
        if (top0Row >= r.ClipBottom) break;
        for (int64_t column = firstColumn; column <= columns; ++column) {
            int64_t left = left0 + column * w, top = top0Row;
            if (left >= r.ClipRight) break;
            const int64_t right = left + w, bottom = top + h;
            int64_t srcLeft = r.SrcX, srcTop = r.SrcY, srcRight = int64_t(r.SrcX) + w, srcBottom = int64_t(r.SrcY) + h;
            if (left < r.ClipLeft) srcLeft += r.ClipLeft - left, left = r.ClipLeft;
            if (right > r.ClipRight) srcRight -= right - r.ClipRight;
            if (top < r.ClipTop) srcTop += r.ClipTop - top, top = r.ClipTop;
            if (bottom > r.ClipBottom) srcBottom -= bottom - r.ClipBottom;
            if (srcRight - srcLeft <= 0 || srcBottom - srcTop <= 0) continue;
            s.Draw.Src = platform::Rect{Saturate32(srcLeft), Saturate32(srcTop), Saturate32(srcRight),
                                        Saturate32(srcBottom)};
            s.Draw.Scaling = {1, 1};
            s.Draw.RotationCentre = {0, 0};
            s.Draw.Translation = {static_cast<float>(left), static_cast<float>(top)};
            s.D3DDevice->SpriteDraw(tex, &s.Draw.Src, s.Draw.Scaling, s.Draw.RotationCentre, 0, s.Draw.Translation,
                                    r.Color);
        }
    }
}

}  // namespace

void Tiler::Configure(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                      float DestX, float DestY, int32_t DestWidth, int32_t DestHeight, float AlphaValue,
                      float RedValue, float GreenValue, float BlueValue) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->Texture = Texture;
    r->SrcX = SrcX, r->SrcY = SrcY, r->Width = Width, r->Height = Height;
    r->X = r->DestX = DestX;
    r->Y = r->DestY = DestY;
    SetArea(*r, DestWidth, DestHeight);
    r->Alpha = AlphaValue;
    r->Red = RedValue, r->Green = GreenValue, r->Blue = BlueValue;
    Recolor(*r);
    r->SourceMode = BlendSrcAlpha;
    r->DestinationMode = BlendInvSrcAlpha;
}

void Tiler::Render(int32_t Index, float XDir, float YDir, bool WithDelta) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    const float delta = State().Delta;
    // The fade runs on the frame time whatever WithDelta says, and stops exactly on its target.
    if (r->IsFading) {
        if (r->FadeMode == 1) {
            r->Alpha += r->FadeSpeed * delta;
            if (r->Alpha > r->FadeTarget) r->Alpha = r->FadeTarget, r->IsFading = false;
        } else if (r->FadeMode == 2) {
            r->Alpha -= r->FadeSpeed * delta;
            if (r->Alpha < r->FadeTarget) r->Alpha = r->FadeTarget, r->IsFading = false;
        }
        Recolor(*r);
    }
    r->X += WithDelta ? XDir * delta : XDir;
    r->Y += WithDelta ? YDir * delta : YDir;
    // Past either end of its band the origin jumps to the other end; one copy's width (or height)
    // further along, the pattern looks the same, so the scroll shows no seam.
    if (r->X < r->DestX - static_cast<float>(r->Width))
        r->X = r->DestX;
    else if (r->X > r->DestX)
        r->X = r->DestX - static_cast<float>(r->Width);
    if (r->Y < r->DestY - static_cast<float>(r->Height))
        r->Y = r->DestY;
    else if (r->Y > r->DestY)
        r->Y = r->DestY - static_cast<float>(r->Height);
    if (r->Width <= 0 || r->Height <= 0) return;  // never configured, or nothing to lay out
    const platform::SurfaceId tex = TextureDrawSource(r->Texture);
    if (tex == platform::kNoSurface) return;
    SetBlend(r->SourceMode, r->DestinationMode);
    DrawCopies(*r, tex);
}

void Tiler::FadeIn(int32_t Index, float Speed, float Target) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->Alpha = 0;
    Recolor(*r);
    r->FadeSpeed = Speed, r->FadeTarget = Target, r->FadeMode = 1, r->IsFading = true;
}

void Tiler::FadeOut(int32_t Index, float Speed, float Target) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->FadeSpeed = Speed, r->FadeTarget = Target, r->FadeMode = 2, r->IsFading = true;
}

float Tiler::Alpha(int32_t Index) const {
    const TilerRecord* r = Row(Index);
    return r ? r->Alpha : 0;
}

void Tiler::Alpha(int32_t Index, float value) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->Alpha = value;
    Recolor(*r);
}

void Tiler::SetRGB(int32_t Index, float RedValue, float GreenValue, float BlueValue) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->Red = RedValue, r->Green = GreenValue, r->Blue = BlueValue;
    Recolor(*r);
}

PLMRGB Tiler::GetRGB(int32_t Index) const {
    const TilerRecord* r = Row(Index);
    return r ? PLMRGB{r->Red, r->Green, r->Blue} : PLMRGB{};
}

void Tiler::SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->SourceMode = SourceMode, r->DestinationMode = DestinationMode;
}

void Tiler::SetXY(int32_t Index, float DestX, float DestY, int32_t DestWidth, int32_t DestHeight,
                  bool ResetCurrentXY) {
    TilerRecord* r = Row(Index);
    if (!r) return;
    r->X = DestX, r->Y = DestY;
    if (ResetCurrentXY) r->DestX = DestX, r->DestY = DestY;
    SetArea(*r, DestWidth, DestHeight);
}

}  // namespace plm
