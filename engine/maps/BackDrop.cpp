#include "maps/BackDrop.h"

#include <string>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

BackDropRecord& Row(int32_t index) { return State().BackDropTable(index); }

void Recolor(BackDropRecord& b) { b.Color = DrawColor(b.Alpha, b.Red, b.Green, b.Blue); }

}  // namespace

void BackDrop::Configure(int32_t Index, int32_t Texture, int32_t across, int32_t Down, float Alpha, float R,
                         float G, float B, float XScale, float YScale, float XSkew, bool OriginTopLeft,
                         int32_t AddAmount) {
    EngineState& st = State();
    BackDropRecord* b = st.BackDropTable.find(Index);
    if (!b) return;
    // The piece size is read once here, so that Render queries no texture.
    const platform::SurfaceId tex = TextureDrawSource(Texture);
    platform::SurfaceDesc desc;
    if (tex == platform::kNoSurface || !st.D3DDevice->GetSurfaceDesc(tex, desc)) {
        LogError("BackDrop.Configure", {"Texture=" + std::to_string(Texture)},
                 ErrorInfo{"plm232", 1, "The texture slot holds no texture."});
        return;
    }
    b->PieceWidth = desc.width;
    b->PieceHeight = desc.height;
    b->TotalWidth = ClampToInt32(int64_t{desc.width} * across);
    b->TotalHeight = ClampToInt32(int64_t{desc.height} * Down);
    b->LastColumn = ClampToInt32(int64_t{across} - 1);
    b->LastRow = ClampToInt32(int64_t{Down} - 1);
    b->Texture = Texture;
    b->Alpha = Alpha;
    b->Red = R;
    b->Green = G;
    b->Blue = B;
    Recolor(*b);
    b->XScale = XScale;
    b->YScale = YScale;
    b->XSkew = XSkew;
    b->OriginTopLeft = OriginTopLeft;
    b->AddAmount = AddAmount;
    b->SourceMode = BlendSrcAlpha;
    b->DestinationMode = BlendInvSrcAlpha;
}

void BackDrop::Render(int32_t Index) {
    EngineState& st = State();
    const BackDropRecord* b = st.BackDropTable.find(Index);
    if (!b || !st.D3DDevice) return;
    const double width = b->TotalWidth, height = b->TotalHeight;
    double left, top;
    if (b->OriginTopLeft) {
        left = Int(b->X);
        top = Int(b->Y);
    } else {
        // Centred: the slant moves the picture's middle right by half its total shift.
        left = static_cast<double>(Int(b->X - b->XScale * width / 2)) - Int(b->XSkew * height / 2);
        top = Int(b->Y - b->YScale * height / 2);
    }
    const double cx = Int(static_cast<double>(b->XScale) * b->PieceWidth);
    const double cy = Int(static_cast<double>(b->YScale) * b->PieceHeight);
    const double sx = Int(static_cast<double>(b->XSkew) * b->PieceHeight);
    // A source pixel (u, v) lands at (u XScale + v XSkew + _41, v YScale + _42): each row starts
    // shifted by the slant of the row above, so the pieces join into one slanted picture.
    platform::Matrix4 m;
    m.m[0][0] = b->XScale;
    m.m[1][0] = b->XSkew;
    m.m[1][1] = b->YScale;
    m.m[3][3] = 1;
    const int64_t tableSize = st.Textures.size();
    int64_t slot = b->Texture;
    bool blendSent = false;
    for (int64_t r = 0; r <= b->LastRow; ++r) {
        for (int64_t c = 0; c <= b->LastColumn; ++c, slot += b->AddAmount) {
            // Once the slot has run past the table it stays past it: the rest of the pieces are
            // skipped like empty slots.
            if ((slot > tableSize && b->AddAmount >= 0) || (slot < 1 && b->AddAmount <= 0)) return;
            const platform::SurfaceId tex = TextureDrawSource(static_cast<int32_t>(slot));
            if (tex == platform::kNoSurface) continue;
            if (!blendSent) {
                SetBlend(b->SourceMode, b->DestinationMode);
                blendSent = true;
            }
            m.m[3][0] = static_cast<float>(static_cast<double>(c) * cx + static_cast<double>(r) * sx + left);
            m.m[3][1] = static_cast<float>(static_cast<double>(r) * cy + top);
            const platform::Rect src{0, 0, b->PieceWidth, b->PieceHeight};
            st.D3DDevice->SpriteDrawTransform(tex, &src, m, b->Color);
        }
    }
}

void BackDrop::SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode) {
    BackDropRecord& b = Row(Index);
    b.SourceMode = SourceMode;
    b.DestinationMode = DestinationMode;
}

void BackDrop::SetRGB(int32_t Index, float R, float G, float B) {
    BackDropRecord& b = Row(Index);
    b.Red = R;
    b.Green = G;
    b.Blue = B;
    Recolor(b);
}

PLMRGB BackDrop::GetRGB(int32_t Index) const {
    const BackDropRecord& b = Row(Index);
    return PLMRGB{b.Red, b.Green, b.Blue};
}

float BackDrop::Alpha(int32_t Index) const { return Row(Index).Alpha; }

void BackDrop::Alpha(int32_t Index, float value) {
    BackDropRecord& b = Row(Index);
    b.Alpha = value;
    Recolor(b);
}

float BackDrop::X(int32_t Index) const { return Row(Index).X; }
void BackDrop::X(int32_t Index, float value) { Row(Index).X = value; }
float BackDrop::Y(int32_t Index) const { return Row(Index).Y; }
void BackDrop::Y(int32_t Index, float value) { Row(Index).Y = value; }

void BackDrop::SetXY(int32_t Index, float XPos, float Ypos) {
    BackDropRecord& b = Row(Index);
    b.X = XPos;
    b.Y = Ypos;
}

float BackDrop::XScaled(int32_t Index) const { return Row(Index).XScale; }
void BackDrop::XScaled(int32_t Index, float value) { Row(Index).XScale = value < 0 ? 0 : value; }
float BackDrop::YScaled(int32_t Index) const { return Row(Index).YScale; }
void BackDrop::YScaled(int32_t Index, float value) { Row(Index).YScale = value < 0 ? 0 : value; }
float BackDrop::XSkew(int32_t Index) const { return Row(Index).XSkew; }
void BackDrop::XSkew(int32_t Index, float value) { Row(Index).XSkew = value; }
int32_t BackDrop::Width(int32_t Index) const { return Row(Index).TotalWidth; }
int32_t BackDrop::Height(int32_t Index) const { return Row(Index).TotalHeight; }

}  // namespace plm
