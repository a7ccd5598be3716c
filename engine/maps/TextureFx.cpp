#include "maps/TextureFx.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "maps/EffectStep.h"

namespace plm {

namespace {

TextureFxRecord& Row(int32_t index) { return State().TextureFxTable(index); }

// The two members that check the image number move it into 1..64.
TextureFxRecord& ClampedRow(int32_t index) { return Row(std::clamp(index, 1, kSceneryTableSize)); }

// Steps one effect of the image. Returns false when its style removed the image: the effect and
// the image are then off, and nothing more of the image is done this frame.
bool StepEffect(TextureFxRecord& r, bool& running, float& value, float& dir, float min, float max, float& length,
                int32_t style, float neutral) {
    if (!running) return true;
    switch (StepEffectValue(EffectValue{value, dir, min, max, length, style}, State().Delta)) {
        case EffectEnd::Running:
            return true;
        case EffectEnd::Stopped:
            running = false;
            return true;
        case EffectEnd::Reset:
            value = neutral;
            running = false;
            return true;
        case EffectEnd::Removed:
            running = false;
            r.Enabled = false;
            return false;
    }
    return true;
}

}  // namespace

void TextureFx::Configure(int32_t Index, float XPos, float Ypos, int32_t Texture, int32_t SrcX, int32_t SrcY,
                          int32_t Width, int32_t Height, float Alpha, float Scaled, float XScale, float YScale,
                          float Rotate, bool OriginTopLeft, bool Enabled) {
    // The effect parameters and the shadow's alpha and offsets are kept.
    TextureFxRecord& r = ClampedRow(Index);
    r.X = XPos;
    r.Y = Ypos;
    r.Texture = Texture;
    r.SrcX = SrcX;
    r.SrcY = SrcY;
    r.Width = Width;
    r.Height = Height;
    r.Alpha = Alpha;
    r.Scaled = Scaled;
    r.XScale = XScale;
    r.YScale = YScale;
    r.Rotate = Rotate;
    r.OriginTopLeft = OriginTopLeft;
    r.Enabled = Enabled;
    r.SourceMode = BlendSrcAlpha;
    r.DestinationMode = BlendInvSrcAlpha;
    r.IsScaling = r.IsAlphaFading = r.IsRotating = r.ShadowEnabled = false;
}

void TextureFx::SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode) {
    TextureFxRecord& r = ClampedRow(Index);
    r.SourceMode = SourceMode;
    r.DestinationMode = DestinationMode;
}

void TextureFx::SetScaling(int32_t Index, float StartingScale, float StartingDir, float min, float max, float length,
                           float Style) {
    TextureFxRecord& r = Row(Index);
    if (StartingScale > -1) r.Scaled = StartingScale;
    r.ScaleDir = StartingDir;
    r.ScaleMin = min;
    r.ScaleMax = max;
    r.ScaleLength = length;
    r.ScaleStyle = RoundHalfEven(Style);
    r.IsScaling = true;
}

void TextureFx::SetAlphaFading(int32_t Index, float StartingAlpha, float StartingDir, float min, float max,
                               float length, float Style) {
    TextureFxRecord& r = Row(Index);
    if (StartingAlpha > -1) r.Alpha = StartingAlpha;
    r.AlphaDir = StartingDir;
    r.AlphaMin = std::max(min, 0.0f);
    r.AlphaMax = std::min(max, 255.0f);
    r.AlphaLength = length;
    r.AlphaStyle = RoundHalfEven(Style);
    r.IsAlphaFading = true;
}

void TextureFx::SetRotating(int32_t Index, float StartingRotate, float StartingDir, float min, float max,
                            float length, int32_t Style) {
    TextureFxRecord& r = Row(Index);
    if (StartingRotate > -1) r.Rotate = StartingRotate;
    r.RotateDir = StartingDir;
    r.RotateMin = std::max(min, 0.0f);
    r.RotateMax = std::min(max, 719.0f);
    r.RotateLength = length;
    r.RotateStyle = Style;
    r.IsRotating = true;
}

void TextureFx::SetShadow(int32_t Index, float Alpha, float XOffset, float YOffset, bool Enabled) {
    TextureFxRecord& r = Row(Index);
    r.ShadowAlpha = Alpha;
    r.ShadowXOffset = RoundHalfEven(XOffset);
    r.ShadowYOffset = RoundHalfEven(YOffset);
    r.ShadowEnabled = Enabled;
}

float TextureFx::X(int32_t Index) const { return Row(Index).X; }
void TextureFx::X(int32_t Index, float value) { Row(Index).X = value; }
float TextureFx::Y(int32_t Index) const { return Row(Index).Y; }
void TextureFx::Y(int32_t Index, float value) { Row(Index).Y = value; }

void TextureFx::SetXY(int32_t Index, float XPos, float Ypos) {
    TextureFxRecord& r = Row(Index);
    r.X = XPos;
    r.Y = Ypos;
}

PLMXY TextureFx::GetXY(int32_t Index) const { return PLMXY{Row(Index).X, Row(Index).Y}; }
bool TextureFx::Enabled(int32_t Index) const { return Row(Index).Enabled; }
void TextureFx::Enabled(int32_t Index, bool value) { Row(Index).Enabled = value; }
bool TextureFx::IsScaling(int32_t Index) const { return Row(Index).IsScaling; }
bool TextureFx::IsAlphaFading(int32_t Index) const { return Row(Index).IsAlphaFading; }
bool TextureFx::IsRotating(int32_t Index) const { return Row(Index).IsRotating; }

void TextureFx::Render(int32_t Index) {
    EngineState& st = State();
    TextureFxRecord* found = st.TextureFxTable.find(Index);
    if (!found || !found->Enabled) return;
    TextureFxRecord& r = *found;
    // Scale, rotation, alpha, in that order; a removal ends the frame's work on the image.
    if (!StepEffect(r, r.IsScaling, r.Scaled, r.ScaleDir, r.ScaleMin, r.ScaleMax, r.ScaleLength, r.ScaleStyle, 1.0f) ||
        !StepEffect(r, r.IsRotating, r.Rotate, r.RotateDir, r.RotateMin, r.RotateMax, r.RotateLength, r.RotateStyle,
                    0.0f) ||
        !StepEffect(r, r.IsAlphaFading, r.Alpha, r.AlphaDir, r.AlphaMin, r.AlphaMax, r.AlphaLength, r.AlphaStyle,
                    255.0f))
        return;

    const platform::SurfaceId tex = TextureDrawSource(r.Texture);
    if (tex == platform::kNoSurface) return;
    SetBlend(r.SourceMode, r.DestinationMode);
    DrawArgs& d = st.Draw;
    d.Src = platform::Rect{r.SrcX, r.SrcY, ClampToInt32(int64_t{r.SrcX} + r.Width),
                           ClampToInt32(int64_t{r.SrcY} + r.Height)};
    d.Scaling = {r.Scaled * r.XScale, r.Scaled * r.YScale};
    d.RotationCentre = {static_cast<float>(IntDiv(r.Width, 2)) * r.XScale * r.Scaled,
                        static_cast<float>(IntDiv(r.Height, 2)) * r.YScale * r.Scaled};
    const float rotation = DegreeToRad(r.Rotate);
    int64_t left, top;
    if (r.OriginTopLeft) {
        left = Int(r.X);
        top = Int(r.Y);
    } else {
        const int32_t halfW = IntDiv(RoundHalfEven(r.XScale * static_cast<float>(r.Width) * r.Scaled), 2);
        const int32_t halfH = IntDiv(RoundHalfEven(static_cast<float>(r.Height) * r.YScale * r.Scaled), 2);
        left = Int(r.X - static_cast<float>(halfW));
        top = Int(r.Y - static_cast<float>(halfH));
    }
    if (r.ShadowEnabled) {
        // The image's shape in black, under it.
        d.Translation = {static_cast<float>(ClampToInt32(left + r.ShadowXOffset)),
                         static_cast<float>(ClampToInt32(top + r.ShadowYOffset))};
        st.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre, rotation, d.Translation,
                                 DrawColor(r.ShadowAlpha, 0, 0, 0));
    }
    d.Translation = {static_cast<float>(left), static_cast<float>(top)};
    st.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre, rotation, d.Translation,
                             DrawColor(r.Alpha, 255, 255, 255));
}

}  // namespace plm
