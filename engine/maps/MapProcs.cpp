#include "maps/MapProcs.h"

#include <algorithm>
#include <cmath>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "maps/EffectStep.h"
#include "maps/Map.h"
#include "sprites/SpriteRecord.h"

namespace plm {

int32_t InfoTileUnderMouse() { return RoundHalfEven(Map().GetAtMouse(1)); }

MapCell* CellAt(float XPos, float Ypos, int32_t Layer) {
    return State().Map.FindCell(Layer, RoundHalfEven(XPos), RoundHalfEven(Ypos));
}

bool MapGridsFit(int64_t width, int64_t height, int64_t buffers, int64_t layers) {
    // 4M cells of every layer together (about 600 MB) and 16M buffer entries. Each count is
    // compared with a cap divided by the others, so no product can overflow.
    constexpr int64_t kMaxMapCells = int64_t{1} << 22;
    constexpr int64_t kMaxBufferEntries = int64_t{1} << 24;
    if (width < 0 || height < 0 || width >= kMaxBufferEntries || height >= kMaxBufferEntries) return false;
    const int64_t grid = (width + 1) * (height + 1);
    return grid <= kMaxMapCells / layers && grid <= kMaxBufferEntries / buffers;
}

int32_t FloorDiv(int64_t a, int32_t b) {
    // Exact for every a and b the map meets: the quotient of two whole numbers below 2^53 is never
    // rounded up onto the next whole number.
    return Int(static_cast<double>(a) / static_cast<double>(b));
}

void PutTile(MapCell& c, int32_t value, float alpha, float rotate) {
    c.Value = value;
    c.Alpha = alpha;
    c.Rotate = rotate;
    c.Scaled = 1.0f;
    c.IsScaling = c.IsAlphaFading = c.IsRotating = c.IsAnimating = c.IsShaking = false;
    // A put stops every effect, so no ending effect is left to empty the cell: without this the
    // new tile would read 0 for ever while it is drawn.
    c.RemovePending = false;
}

// ---- Camera ----------------------------------------------------------------------------------

DrawOrigin OriginAt(int32_t xi, int32_t yi, bool Centred) {
    const MapState& m = State().Map;
    DrawOrigin o;
    o.StartTileX = IntDiv(xi, m.MapTileWidth);
    o.StartTileY = IntDiv(yi, m.MapTileHeight);
    o.StartScreenX = m.MapScreenX - Mod(xi, m.MapTileWidth) + (Centred ? IntDiv(m.MapTileWidth, 2) : 0);
    o.StartScreenY = m.MapScreenY - Mod(yi, m.MapTileHeight) + (Centred ? IntDiv(m.MapTileHeight, 2) : 0);
    return o;
}

namespace {

// The window's size in world pixels.
int64_t WindowWidth(const MapState& m) { return int64_t{m.MapTileWidth} * m.MapTilesAcrossToDraw; }
int64_t WindowHeight(const MapState& m) { return int64_t{m.MapTileHeight} * m.MapTilesDownToDraw; }

}  // namespace

PLMRect PlaceCamera(float XPos, float Ypos) {
    MapState& m = State().Map;
    PLMRect f;
    const int64_t w = WindowWidth(m), h = WindowHeight(m);
    m.MapX = XPos;
    m.MapY = Ypos;
    int64_t xi = Int(m.MapX), yi = Int(m.MapY);
    if (yi < 0) {
        yi = 0;
        m.MapY = 0;
        f.top = 1;
    }
    if (xi < 0) {
        xi = 0;
        m.MapX = 0;
        f.Left = 1;
    }
    if (xi + w > m.MapPixelWidth) {
        xi = m.MapPixelWidth - w;
        m.MapX = static_cast<float>(xi);
        f.Right = 1;
    }
    if (yi + h > m.MapPixelHeight) {
        yi = m.MapPixelHeight - h;
        m.MapY = static_cast<float>(yi);
        f.Bottom = 1;
    }
    return f;
}

PLMRect MoveCamera(float dx, float dy) {
    MapState& m = State().Map;
    PLMRect f;
    const int64_t w = WindowWidth(m), h = WindowHeight(m);
    m.MapX += dx;
    m.MapY += dy;
    // Taken once: the clamps below test the position the move reached.
    const int64_t xi = Int(m.MapX), yi = Int(m.MapY);
    if (yi < 0) {
        m.MapY = 0;
        f.top = 1;
    }
    if (xi + w > m.MapPixelWidth) {
        m.MapX = static_cast<float>(m.MapPixelWidth - w);
        f.Right = 1;
    }
    if (yi + h > m.MapPixelHeight) {
        m.MapY = static_cast<float>(m.MapPixelHeight - h);
        f.Bottom = 1;
    }
    if (xi < 0 || m.MapX < 0) {
        m.MapX = 0;
        f.Left = 1;
    }
    return f;
}

void FollowCameraSprite() {
    const EngineState& st = State();
    const MapState& m = st.Map;
    if (m.CameraSprite <= 0) return;
    const SpriteRecord* r = st.SpriteTable.find(m.CameraSprite);
    if (!r) return;
    const int32_t hw = Int(static_cast<double>(WindowWidth(m)) / 2);
    const int32_t hh = Int(static_cast<double>(WindowHeight(m)) / 2);
    if (!r->OriginTopLeft) {
        PlaceCamera(r->X - static_cast<float>(hw), r->Y - static_cast<float>(hh));
        return;
    }
    const int64_t x = int64_t{Int(r->X)} - hw + Int(r->Width * r->XScaled * r->Scaled / 2);
    const int64_t y = int64_t{Int(r->Y)} - hh + Int(r->Height * r->YScaled * r->Scaled / 2);
    PlaceCamera(static_cast<float>(x), static_cast<float>(y));
}

// ---- Cell effects ----------------------------------------------------------------------------

namespace {

// The effect's flag is cleared, the pending removal with it, and the cell emptied.
void RemoveCell(MapCell& c, bool& flag) {
    flag = false;
    c.RemovePending = false;
    c.Value = 0;
}

// Steps one of scale, rotation and alpha; neutral is its reset value. False when it removed the cell.
bool StepCellValue(MapCell& c, bool& flag, float& value, float& dir, float min, float max, float& length, int32_t style,
                   float neutral) {
    switch (StepEffectValue(EffectValue{value, dir, min, max, length, style}, State().Delta)) {
    case EffectEnd::Running:
        return true;
    case EffectEnd::Stopped:
        flag = false;
        return true;
    case EffectEnd::Reset:
        value = neutral;
        flag = false;
        return true;
    case EffectEnd::Removed:
        RemoveCell(c, flag);
        return false;
    }
    return true;
}

// The animation: the drawn tile follows the running number. False when it removed the cell.
bool StepCellAnimation(MapCell& c) {
    const EffectEnd end = StepEffectValue(
        EffectValue{c.AnimValue, c.AnimDir, c.AnimStart, c.AnimEnd, c.AnimLength, c.AnimStyle}, State().Delta);
    switch (end) {
    case EffectEnd::Running:
        c.Value = Int(c.AnimValue);
        return true;
    case EffectEnd::Stopped:  // clamped to the limit reached
        c.Value = Int(c.AnimValue);
        c.IsAnimating = false;
        return true;
    case EffectEnd::Reset:
        c.IsAnimating = false;
        if (c.AnimStyle == 7) {
            c.AnimValue = c.AnimStart;
            c.Value = Int(c.AnimValue);
        } else {
            c.Value = RoundHalfEven(c.AnimStart);
        }
        return true;
    case EffectEnd::Removed:
        RemoveCell(c, c.IsAnimating);
        return false;
    }
    return true;
}

// Rotation style 9: the tile turns to face the sprite numbered in RotateLength.
void FaceSprite(MapCell& c, const DrawOrigin& o, int32_t k, int32_t r) {
    const EngineState& st = State();
    const MapState& m = st.Map;
    const SpriteRecord* s = st.SpriteTable.find(RoundHalfEven(c.RotateLength));
    if (!s) return;  // no such sprite: the tile keeps its rotation
    const double scale = c.Scaled;
    const int32_t hw = IntDiv(m.MapTileWidth, 2), hh = IntDiv(m.MapTileHeight, 2);
    const double cx = static_cast<double>(k) * m.MapTileWidth + o.StartScreenX - hw * scale + hw;
    const double cy = static_cast<double>(r) * m.MapTileHeight + o.StartScreenY - hh * scale + hh;
    // The sprite on the screen, as the tile is: through the camera and the draw area's offset.
    float sx = s->X - m.MapX, sy = s->Y - m.MapY;
    if (s->OriginTopLeft) {
        sx = s->X + static_cast<float>(IntDiv(s->Width, 2)) - m.MapX;
        sy = s->Y + static_cast<float>(IntDiv(s->Height, 2)) - m.MapY;
    }
    const int64_t px = int64_t{Int(sx)} + m.MapScreenX, py = int64_t{Int(sy)} + m.MapScreenY;
    c.Rotate = AngleBetweenPoints(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(px),
                                  static_cast<float>(py));
}

}  // namespace

bool RunCellEffects(MapCell& c, const DrawOrigin& o, int32_t k, int32_t r) {
    if (c.IsScaling &&
        !StepCellValue(c, c.IsScaling, c.Scaled, c.ScaleDir, c.ScaleMin, c.ScaleMax, c.ScaleLength, c.ScaleStyle, 1.0f))
        return false;
    if (c.IsRotating) {
        if (c.RotateStyle == 9)
            FaceSprite(c, o, k, r);
        else if (!StepCellValue(c, c.IsRotating, c.Rotate, c.RotateDir, c.RotateMin, c.RotateMax, c.RotateLength,
                                c.RotateStyle, 0.0f))
            return false;
    }
    if (c.IsAlphaFading && !StepCellValue(c, c.IsAlphaFading, c.Alpha, c.AlphaDir, c.AlphaMin, c.AlphaMax,
                                          c.AlphaLength, c.AlphaStyle, 255.0f))
        return false;
    if (c.IsAnimating && c.AnimStyle >= 0 && c.AnimStyle <= 8 && !StepCellAnimation(c)) return false;
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------------

namespace {

// The shake's displacement of this frame: a jump of ShakeVelocity pixels in a random direction
// each time ShakeSpeedMS has passed, none in between.
PLMXY StepCellShake(MapCell& c) {
    EngineState& st = State();
    PLMXY offset;
    c.ShakeTimer += st.Delta;
    if (c.ShakeTimer >= c.ShakeSpeedMS) {
        c.ShakeTimer = 0;
        int32_t a = RandomInRange(0, 359) + 270;
        if (a > 360) a -= 360;
        const double rad = a * static_cast<double>(st.Pi) / 180.0;
        offset.X = static_cast<float>(Int(c.ShakeVelocity * std::cos(rad)));
        offset.Y = static_cast<float>(Int(c.ShakeVelocity * std::sin(rad)));
    }
    if (c.ShakeLength > 0) {
        c.ShakeLength -= st.Delta;
        if (c.ShakeLength < 1.0f) c.IsShaking = false;
    }
    return offset;
}

// Hands one tile to the sprite batch; a tile number outside the sheets or an empty slot draws nothing.
void DrawTile(int32_t tile, platform::Vec2 scaling, platform::Vec2 centre, float rotation, platform::Vec2 at,
              uint32_t color) {
    EngineState& st = State();
    const MapState& m = st.Map;
    const MapTileSourceEntry* e = m.MapTileSource.find(tile);
    if (!e) return;
    const platform::SurfaceId tex = TextureDrawSource(e->Texture);
    if (tex == platform::kNoSurface) return;
    DrawArgs& d = st.Draw;
    d.Src = platform::Rect{e->SrcX, e->SrcY, e->SrcX + m.MapTileWidth, e->SrcY + m.MapTileHeight};
    d.Scaling = scaling;
    d.RotationCentre = centre;
    d.Translation = at;
    st.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre, rotation, d.Translation, color);
}

// One cell of the window at column k and row r, scaled and turned about its own centre.
void DrawCell(MapCell& c, const DrawOrigin& o, int32_t k, int32_t r) {
    const MapState& m = State().Map;
    const float s = c.Scaled;
    const int32_t hw = IntDiv(m.MapTileWidth, 2), hh = IntDiv(m.MapTileHeight, 2);
    int64_t x = Int(static_cast<double>(k) * m.MapTileWidth + o.StartScreenX - static_cast<double>(hw * s));
    int64_t y = Int(static_cast<double>(r) * m.MapTileHeight + o.StartScreenY - static_cast<double>(hh * s));
    if (c.IsShaking) {
        const PLMXY shake = StepCellShake(c);
        x += Int(shake.X);
        y += Int(shake.Y);
    }
    DrawTile(c.Value, {s, s}, {static_cast<float>(hw) * s, static_cast<float>(hh) * s}, DegreeToRad(c.Rotate),
             {static_cast<float>(x), static_cast<float>(y)}, DrawColor(c.Alpha, 255, 255, 255));
}

// Calls f(k, r, column, row) for each column and row of the window drawn from origin o that lies
// in the grid, row by row: the window is one tile larger each way than its size.
template <typename F>
void ForEachWindowCell(const DrawOrigin& o, F&& f) {
    const MapState& m = State().Map;
    const int64_t k0 = std::max<int64_t>(0, -int64_t{o.StartTileX});
    const int64_t k1 = std::min<int64_t>(m.MapTilesAcrossToDraw, int64_t{m.MapWidth} - o.StartTileX);
    const int64_t r0 = std::max<int64_t>(0, -int64_t{o.StartTileY});
    const int64_t r1 = std::min<int64_t>(m.MapTilesDownToDraw, int64_t{m.MapHeight} - o.StartTileY);
    for (int64_t r = r0; r <= r1; ++r)
        for (int64_t k = k0; k <= k1; ++k)
            f(static_cast<int32_t>(k), static_cast<int32_t>(r), static_cast<int32_t>(o.StartTileX + k),
              static_cast<int32_t>(o.StartTileY + r));
}

}  // namespace

void DrawLayerWindow(int32_t Layer, bool RunEffects, int32_t xi, int32_t yi) {
    MapState& m = State().Map;
    if (!m.MapInitialised || !m.FindCell(Layer, 0, 0)) return;
    const DrawOrigin o = OriginAt(xi, yi, true);
    ForEachWindowCell(o, [&](int32_t k, int32_t r, int32_t column, int32_t row) {
        MapCell& c = *m.FindCell(Layer, column, row);
        if (c.Value == 0) return;
        if (RunEffects && !RunCellEffects(c, o, k, r)) return;
        DrawCell(c, o, k, r);
    });
}

void DrawFlatWindow(int32_t xi, int32_t yi, bool FromBuffer, int32_t Index, bool OneColor, uint32_t Color) {
    MapState& m = State().Map;
    if (!m.MapInitialised) return;
    if (FromBuffer ? !m.FindBufferEntry(Index, 0, 0) : !m.FindCell(Index, 0, 0)) return;
    const DrawOrigin o = OriginAt(xi, yi, false);
    const platform::Vec2 centre{static_cast<float>(m.MapTileWidth) / 2, static_cast<float>(m.MapTileHeight) / 2};
    ForEachWindowCell(o, [&](int32_t k, int32_t r, int32_t column, int32_t row) {
        const MapCell* c = FromBuffer ? nullptr : m.FindCell(Index, column, row);
        const int32_t tile = FromBuffer ? *m.FindBufferEntry(Index, column, row) : c->Value;
        if (tile == 0) return;
        const platform::Vec2 at{static_cast<float>(int64_t{k} * m.MapTileWidth + o.StartScreenX),
                                static_cast<float>(int64_t{r} * m.MapTileHeight + o.StartScreenY)};
        DrawTile(tile, {1, 1}, centre, 0, at, OneColor ? Color : DrawColor(c->Alpha, 255, 255, 255));
    });
}

}  // namespace plm
