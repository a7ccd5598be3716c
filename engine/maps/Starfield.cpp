#include "maps/Starfield.h"

#include <algorithm>
#include <string>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

StarSet& Stars() { return State().Stars; }

// A colour with a random tint: red, green and blue each 90..255, drawn in that order.
uint32_t RandomTint(int32_t alpha) {
    const int32_t red = RandomInRange(90, 255);
    const int32_t green = RandomInRange(90, 255);
    const int32_t blue = RandomInRange(90, 255);
    return MakeColorARGB(static_cast<float>(alpha), static_cast<float>(red), static_cast<float>(green),
                         static_cast<float>(blue));
}

// The colour of a star of this alpha: white, or a new random tint when the set asks for tints.
uint32_t StarColor(const StarSet& s, int32_t alpha) {
    return s.StarRandomRGB ? RandomTint(alpha) : MakeColorARGB(static_cast<float>(alpha), 255, 255, 255);
}

// A star coming back in: a new frame, in plain drawing a new rotation, and a new tint when the set
// has tints (without them the colour stays).
void Reenter(const StarSet& s, StarRecord& r, bool plain) {
    r.Frame = RandomInRange(0, s.StarFrames - 1);
    if (plain && s.StarRandomRotate) r.Rotation = static_cast<float>(RandomInRange(0, 359));
    if (s.StarRandomRGB) r.Color = RandomTint(r.Alpha);
}

// Moves a star by (dx, dy) x Speed x factor. A star beyond a side of the rectangle comes back in
// exactly at the opposite side (the overshoot is dropped) at a random place along it; a star on a
// side stays.
void MoveAndWrap(const StarSet& s, StarRecord& r, float dx, float dy, float factor, bool plain) {
    r.X += dx * r.Speed * factor;
    r.Y += dy * r.Speed * factor;
    if (r.X > static_cast<float>(s.StarXMax) || r.X < static_cast<float>(s.StarXMin)) {
        r.X = static_cast<float>(r.X > static_cast<float>(s.StarXMax) ? s.StarXMin : s.StarXMax);
        r.Y = static_cast<float>(RandomInRange(s.StarYMin, s.StarYMax));
        Reenter(s, r, plain);
    }
    if (r.Y > static_cast<float>(s.StarYMax) || r.Y < static_cast<float>(s.StarYMin)) {
        r.Y = static_cast<float>(r.Y > static_cast<float>(s.StarYMax) ? s.StarYMin : s.StarYMax);
        r.X = static_cast<float>(RandomInRange(s.StarXMin, s.StarXMax));
        Reenter(s, r, plain);
    }
}

// Turns a spinning star by its spin times the frame time, always on Delta; past 359 it starts
// again at 0, below 0 at 359.
void Spin(StarRecord& r) {
    if (r.RotationDir == 0) return;
    r.Rotation += r.RotationDir * State().Delta;
    if (r.Rotation > 359) {
        r.Rotation = 0;
    } else if (r.Rotation < 0) {
        r.Rotation = 359;
    }
}

// Draws one star centred on its position, its height stretched by `stretch` (1 in plain drawing).
void DrawStar(const StarSet& s, const StarRecord& r, platform::SurfaceId tex, float stretch, float rotation) {
    EngineState& st = State();
    DrawArgs& d = st.Draw;
    const int32_t left = ClampToInt32(int64_t{s.StarSrcX} + int64_t{r.Frame} * (int64_t{s.StarWidth} + 1));
    d.Src = platform::Rect{left, s.StarSrcY, ClampToInt32(int64_t{left} + s.StarWidth),
                           ClampToInt32(int64_t{s.StarSrcY} + s.StarHeight)};
    const float tall = stretch * r.Scaled;
    d.Scaling = {r.Scaled, tall};
    d.RotationCentre = {static_cast<float>(IntDiv(s.StarWidth, 2)) * r.Scaled,
                        static_cast<float>(IntDiv(s.StarHeight, 2)) * r.Scaled * stretch};
    const int32_t halfW = IntDiv(RoundHalfEven(r.Scaled * static_cast<float>(s.StarWidth)), 2);
    const int32_t halfH = IntDiv(RoundHalfEven(tall * static_cast<float>(s.StarHeight)), 2);
    d.Translation = {static_cast<float>(ClampToInt32(int64_t{Int(r.X)} - halfW)),
                     static_cast<float>(ClampToInt32(int64_t{Int(r.Y)} - halfH))};
    st.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre, rotation, d.Translation, r.Color);
}

// One pass over the set: every star moves by (dx, dy), wraps and is drawn. Plain drawing gives each
// star its own rotation and spin; stretched drawing turns every star by `angle`. With an empty
// texture slot the stars still move, but nothing is drawn and no blend state is sent.
void Pass(float dx, float dy, bool withDelta, bool plain, float angle, float stretch) {
    StarSet& s = Stars();
    const float factor = withDelta ? State().Delta : 1.0f;
    const platform::SurfaceId tex = TextureDrawSource(s.StarTexture);
    if (tex != platform::kNoSurface) SetBlend(s.StarSourceMode, s.StarDestinationMode);
    const float sharedRotation = plain ? 0.0f : DegreeToRad(angle);
    for (StarRecord& r : s.StarTable) {
        MoveAndWrap(s, r, dx, dy, factor, plain);
        if (plain) Spin(r);
        if (tex != platform::kNoSurface) DrawStar(s, r, tex, stretch, plain ? DegreeToRad(r.Rotation) : sharedRotation);
    }
}

}  // namespace

void Starfield::Init(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                     int32_t HowManyFrames, int32_t Total20, float XMin, float YMin, float XMax, float YMax,
                     bool RandomRGB, bool RandomRotate) {
    if (Total20 > kMaxStarTotal20) {
        WriteLog("Total20 passed to Starfield.Init above " + std::to_string(kMaxStarTotal20) + ".");
        return;
    }
    StarSet& s = Stars();
    s.StarTexture = Texture;
    s.StarSrcX = SrcX;
    s.StarSrcY = SrcY;
    s.StarWidth = Width;
    s.StarHeight = Height;
    s.StarFrames = HowManyFrames;
    s.StarXMin = RoundHalfEven(XMin);
    s.StarYMin = RoundHalfEven(YMin);
    s.StarXMax = RoundHalfEven(XMax);
    s.StarYMax = RoundHalfEven(YMax);
    s.StarTotal = 20 * std::max(Total20, 1);
    s.StarRandomRGB = RandomRGB;
    s.StarRandomRotate = RandomRotate;
    s.StarSourceMode = BlendSrcAlpha;
    s.StarDestinationMode = BlendInvSrcAlpha;
    s.StarTable.resize(s.StarTotal);
    // Depth 0 to just below 20, evenly over the set: deeper stars are faster and larger.
    float depth = 0;
    const float step = 20.0f / static_cast<float>(s.StarTotal);
    for (StarRecord& r : s.StarTable) {
        BusyWait(1);
        r.X = static_cast<float>(RandomInRange(s.StarXMin, s.StarXMax));
        r.Y = static_cast<float>(RandomInRange(s.StarYMin, s.StarYMax));
        r.Frame = RandomInRange(0, s.StarFrames - 1);
        r.Speed = depth * 0.001f + 0.02f;
        r.Alpha = 255;
        r.Scaled = depth * 0.07625f + 0.5f;
        r.Rotation = RandomRotate ? static_cast<float>(RandomInRange(0, 359)) : 0.0f;
        r.RotationDir = 0;
        r.Color = StarColor(s, 255);
        depth += step;
    }
}

int32_t Starfield::Total() const { return Stars().StarTotal; }

void Starfield::Render(float XDir, float YDir, bool WithDelta) { Pass(XDir, YDir, WithDelta, true, 0, 1.0f); }

void Starfield::RenderStretchDirection(float XDir, float YDir, float Angle, float StretchScale, bool WithDelta) {
    Pass(XDir, YDir, WithDelta, false, Angle, StretchScale);
}

void Starfield::RenderStretchAngle(float Angle, float Velocity, float StretchScale, bool WithDelta) {
    // The travel vector is left in the shared Rx, Ry, where PelmarEngine.Rx / Ry read it back.
    DirectionFromAngle(Angle, Velocity);
    Pass(State().Rx, State().Ry, WithDelta, false, Angle, StretchScale);
}

void Starfield::Configure(int32_t Index, float Alpha, float rotationdir) {
    StarSet& s = Stars();
    StarRecord* r = s.StarTable.find(Index);
    if (!r) return;
    r->Alpha = RoundHalfEven(Alpha);
    r->Color = StarColor(s, r->Alpha);
    r->RotationDir = rotationdir;
}

void Starfield::SetRenderState(int32_t SourceMode, int32_t DestinationMode) {
    Stars().StarSourceMode = SourceMode;
    Stars().StarDestinationMode = DestinationMode;
}

float Starfield::X(int32_t StarIndex) const { return Stars().StarTable(StarIndex).X; }
void Starfield::X(int32_t StarIndex, float value) { Stars().StarTable(StarIndex).X = value; }
float Starfield::Y(int32_t StarIndex) const { return Stars().StarTable(StarIndex).Y; }
void Starfield::Y(int32_t StarIndex, float value) { Stars().StarTable(StarIndex).Y = value; }
float Starfield::Speed(int32_t StarIndex) const { return Stars().StarTable(StarIndex).Speed; }
void Starfield::Speed(int32_t StarIndex, float value) { Stars().StarTable(StarIndex).Speed = value; }
float Starfield::Scaled(int32_t StarIndex) const { return Stars().StarTable(StarIndex).Scaled; }
void Starfield::Scaled(int32_t StarIndex, float value) { Stars().StarTable(StarIndex).Scaled = value; }
float Starfield::Alpha(int32_t StarIndex) const { return static_cast<float>(Stars().StarTable(StarIndex).Alpha); }

void Starfield::Alpha(int32_t StarIndex, float value) {
    StarSet& s = Stars();
    StarRecord* r = s.StarTable.find(StarIndex);
    if (!r) return;
    r->Alpha = RoundHalfEven(value);
    r->Color = StarColor(s, r->Alpha);
}

}  // namespace plm
