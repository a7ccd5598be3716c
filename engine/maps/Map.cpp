#include "maps/Map.h"

#include <new>
#include <utility>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "maps/MapProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

// More tile numbers than this are refused by Init rather than left to exhaust memory.
constexpr int64_t kMaxTileSources = int64_t{1} << 22;

MapState& M() { return State().Map; }

// Why Init cannot build the map from these arguments, or "" when it can.
std::string InitRefusal(int64_t tileW, int64_t tileH, int64_t width, int64_t height, int64_t across, int64_t down,
                        int64_t sheets, int64_t buffers, int64_t layers) {
    if (tileW < 1 || tileH < 1) return "Tile size below 1.";
    if (width < 0 || height < 0) return "Map size below 0.";
    if (across < 0 || down < 0 || sheets < 0) return "Tile sheet size below 0.";
    if (layers < 1) return "Fewer than one layer.";
    if (width * tileW > INT32_MAX || height * tileH > INT32_MAX || !MapGridsFit(width, height, buffers, layers))
        return "Map too large.";
    // Tiles per sheet must fit 32 bits even for a map without sheets.
    const int64_t perSheet = across * down;
    if (perSheet > INT32_MAX || (sheets > 0 && perSheet > kMaxTileSources / sheets)) return "Too many tiles.";
    return "";
}

void FillTileSources(MapState& m) {
    int32_t n = 1;
    for (int32_t t = 1; t <= m.MapTextureCount; ++t)
        for (int32_t r = 1; r <= m.SourceTilesDown; ++r)
            for (int32_t c = 1; c <= m.SourceTilesAcross; ++c, ++n) {
                MapTileSourceEntry& e = m.MapTileSource(n);
                // Held to 32 bits: tiles that far out lie in no texture and draw nothing.
                e.SrcX = ClampToInt32((int64_t{m.MapTileWidth} + 1) * (c - 1));
                e.SrcY = ClampToInt32((int64_t{m.MapTileHeight} + 1) * (r - 1));
                e.Texture = t;
            }
}

// Every cell of the layer's map proper (columns 0..MapWidth-1, rows 0..MapHeight-1).
template <typename F>
void ForEachMapCell(int32_t layer, F&& f) {
    MapState& m = M();
    if (m.FindCell(layer, 0, 0) == nullptr) return;
    for (int32_t row = 0; row < m.MapHeight; ++row)
        for (int32_t column = 0; column < m.MapWidth; ++column) f(*m.FindCell(layer, column, row), column, row);
}

// A field of the cell a member addresses: its value, or the type's zero outside the grid.
template <typename T>
T CellField(float XPos, float Ypos, int32_t Layer, T MapCell::*field) {
    const MapCell* c = CellAt(XPos, Ypos, Layer);
    return c ? c->*field : T{};
}
template <typename T>
void SetCellField(float XPos, float Ypos, int32_t Layer, T MapCell::*field, T value) {
    if (MapCell* c = CellAt(XPos, Ypos, Layer)) c->*field = value;
}

const SpriteRecord* SpriteRow(int32_t sprite) { return State().SpriteTable.find(sprite); }

// The world pixel of a sprite's position plus an offset, whole: Int(offset + position).
bool SpritePoint(int32_t sprite, float XOffset, float YOffset, int32_t& x, int32_t& y) {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return false;
    x = Int(XOffset + r->X);
    y = Int(YOffset + r->Y);
    return true;
}

bool OnMap(int64_t x, int64_t y) {
    const MapState& m = M();
    return m.MapInitialised && x >= 0 && x <= int64_t{m.MapPixelWidth} - 1 && y >= 0 &&
           y <= int64_t{m.MapPixelHeight} - 1;
}
bool OnMap(float x, float y) {
    const MapState& m = M();
    return m.MapInitialised && x >= 0 && static_cast<double>(x) <= static_cast<double>(m.MapPixelWidth) - 1 && y >= 0 &&
           static_cast<double>(y) <= static_cast<double>(m.MapPixelHeight) - 1;
}

// Whether the screen pixel lies in the draw window, of `extra` tiles more each way than its size.
bool InWindow(double x, double y, int32_t extra) {
    const MapState& m = M();
    if (!m.MapInitialised) return false;
    const double right =
        static_cast<double>(m.MapScreenX) + (static_cast<double>(m.MapTilesAcrossToDraw) + extra) * m.MapTileWidth - 1;
    const double bottom =
        static_cast<double>(m.MapScreenY) + (static_cast<double>(m.MapTilesDownToDraw) + extra) * m.MapTileHeight - 1;
    return x >= m.MapScreenX && x <= right && y >= m.MapScreenY && y <= bottom;
}

// The column and row under a screen pixel, through the camera.
void ScreenToCell(float x, float y, int32_t& column, int32_t& row) {
    const MapState& m = M();
    column = FloorDiv(int64_t{Int(m.MapX)} + Int(x) - m.MapScreenX, m.MapTileWidth);
    row = FloorDiv(int64_t{Int(m.MapY)} + Int(y) - m.MapScreenY, m.MapTileHeight);
}

// The reading of a cell, or -1 when it lies outside the grid.
float ReadCell(int32_t layer, int32_t column, int32_t row) {
    const MapCell* c = M().FindCell(layer, column, row);
    return c ? CellReading(*c) : -1.0f;
}

PLMXY CellOrOff(bool inside, int32_t column, int32_t row, int32_t scaleX, int32_t scaleY) {
    if (!inside) return PLMXY{-1, 0};
    return PLMXY{static_cast<float>(int64_t{column} * scaleX), static_cast<float>(int64_t{row} * scaleY)};
}

// The cell under the pointer, the pointer rounded to a whole pixel first; false off the drawn window.
bool MouseCell(int32_t& column, int32_t& row) {
    const EngineState& st = State();
    const float mx = static_cast<float>(RoundHalfEven(st.MouseX)), my = static_cast<float>(RoundHalfEven(st.MouseY));
    if (!InWindow(mx, my, 1)) return false;
    ScreenToCell(mx, my, column, row);
    return true;
}

// The cell (column and row) under the sprite's point, when it lies on the map.
bool SpriteCell(int32_t sprite, float XOffset, float YOffset, int32_t& column, int32_t& row) {
    int32_t x = 0, y = 0;
    if (!SpritePoint(sprite, XOffset, YOffset, x, y) || !OnMap(int64_t{x}, int64_t{y})) return false;
    column = x / M().MapTileWidth;
    row = y / M().MapTileHeight;
    return true;
}

// A put that, when RotateTileToSprite is above -1, also starts turning the tile to face that sprite.
void PutTileFacing(MapCell& c, float TileValue, float TileAlpha, float TileRotate, float RotateTileToSprite) {
    PutTile(c, RoundHalfEven(TileValue), TileAlpha, TileRotate);
    if (RotateTileToSprite > -1) {
        c.RotateStyle = 9;
        c.RotateLength = RotateTileToSprite;
        c.IsRotating = true;
    }
}

// The box test: the four corners, and on a box larger than a tile also the middles of its sides,
// each read by `read`; False at the first point whose tile lies outside min..max.
template <typename Read>
bool BoxPasses(float x, float y, float w, float h, int32_t min, int32_t max, Read&& read) {
    auto passes = [&](float px, float py) {
        const double t = read(px, py);
        return static_cast<double>(min) - 1 < t && t < static_cast<double>(max) + 1;
    };
    if (!passes(x, y) || !passes(x + w - 1, y) || !passes(x, y + h - 1) || !passes(x + w - 1, y + h - 1)) return false;
    const MapState& m = M();
    if (w <= static_cast<float>(m.MapTileWidth) && h <= static_cast<float>(m.MapTileHeight)) return true;
    return passes(x + w / 2, y) && passes(x + w - 1, y + h / 2) && passes(x + w / 2, y + h - 1) && passes(x, y + h / 2);
}

}  // namespace

// ---- Set-up and sizes ------------------------------------------------------------------------

void Map::Init(int32_t tilewidth, int32_t tileheight, int32_t MapWidth, int32_t MapHeight, int32_t MapTexturesWidth,
               int32_t MapTexturesHeight, int32_t SourceTilesAcross, int32_t SourceTilesDown,
               int32_t HowManyMapTextures, int32_t HowManyBufferIndexes, int32_t HowManyLayers) {
    const int32_t buffers = HowManyBufferIndexes < 1 ? 1 : HowManyBufferIndexes;
    std::string refusal = InitRefusal(tilewidth, tileheight, MapWidth, MapHeight, SourceTilesAcross, SourceTilesDown,
                                      HowManyMapTextures, buffers, HowManyLayers);
    // The new map is built aside and only then takes the old one's place: a refused or failed
    // Init leaves the previous map as it was.
    MapState n;
    const EngineState& st = State();
    if (refusal.empty()) {
        n.MapBlendSrc = 5;
        n.MapBlendDest = 6;
        n.MapTileWidth = tilewidth;
        n.MapTileHeight = tileheight;
        n.MapWidth = MapWidth;
        n.MapHeight = MapHeight;
        n.MapTexturesWidth = MapTexturesWidth;
        n.MapTexturesHeight = MapTexturesHeight;
        n.SourceTilesAcross = SourceTilesAcross;
        n.SourceTilesDown = SourceTilesDown;
        n.MapTextureCount = HowManyMapTextures;
        n.MapTilesAcrossToDraw = RoundHalfEven(static_cast<double>(st.ScreenWidth) / tilewidth);
        n.MapTilesDownToDraw = RoundHalfEven(static_cast<double>(st.ScreenHeight) / tileheight);
        n.TilesPerTexture = SourceTilesAcross * SourceTilesDown;
        n.MapPixelWidth = MapWidth * tilewidth;
        n.MapPixelHeight = MapHeight * tileheight;
        n.MapBufferIndexes = buffers;
        n.MapLayers = HowManyLayers;
        n.TileSourceCount = HowManyMapTextures * n.TilesPerTexture;
        try {
            const size_t grid = (static_cast<size_t>(MapWidth) + 1) * (static_cast<size_t>(MapHeight) + 1);
            n.MapCells.resize(grid * static_cast<size_t>(HowManyLayers));
            n.MapBuffers.resize(grid * static_cast<size_t>(buffers));
            n.MapTileSource.resize(n.TileSourceCount);
        } catch (const std::bad_alloc&) {
            refusal = "Not enough memory for the map.";
        }
    }
    if (!refusal.empty()) {
        LogError("Map.Init",
                 {"Tiles=" + std::to_string(tilewidth) + "x" + std::to_string(tileheight),
                  "Map=" + std::to_string(MapWidth) + "x" + std::to_string(MapHeight),
                  "Layers=" + std::to_string(HowManyLayers)},
                 ErrorInfo{"plm232", 5, refusal});
        return;
    }
    n.MapInitialised = true;
    for (int32_t layer = 1; layer <= n.MapLayers; ++layer)
        for (int32_t row = 0; row < n.MapHeight; ++row)
            for (int32_t column = 0; column < n.MapWidth; ++column) {
                MapCell& c = *n.FindCell(layer, column, row);
                c.Alpha = 255;
                c.Scaled = 1.0f;
            }
    n.MapX = n.MapY = 0;
    n.CameraSprite = -1;
    FillTileSources(n);
    State().Map = std::move(n);
}

int32_t Map::GetWidth() const { return M().MapWidth; }
int32_t Map::GetHeight() const { return M().MapHeight; }
int32_t Map::GetPixelWidth() const { return M().MapPixelWidth; }
int32_t Map::GetPixelHeight() const { return M().MapPixelHeight; }
int32_t Map::GetHowManyLayers() const { return M().MapLayers; }
int32_t Map::GetHowManyIndexes() const { return M().MapBufferIndexes; }
int32_t Map::GetHowManyTextures() const { return M().MapTextureCount; }
int32_t Map::GetSourceTextureWidth() const { return M().MapTexturesWidth; }
int32_t Map::GetSourceTextureHeight() const { return M().MapTexturesHeight; }
int32_t Map::GetSourceTileWidth() const { return M().MapTileWidth; }
int32_t Map::GetSourceTileHeight() const { return M().MapTileHeight; }
int32_t Map::GetSourceTilesAcross() const { return M().SourceTilesAcross; }
int32_t Map::GetSourceTilesDown() const { return M().SourceTilesDown; }

// ---- Cell properties -------------------------------------------------------------------------

float Map::Value(float XPos, float Ypos, int32_t Layer) const {
    const MapCell* c = CellAt(XPos, Ypos, Layer);
    return c ? CellReading(*c) : 0.0f;
}
void Map::Value(float XPos, float Ypos, int32_t Layer, float value) {
    if (MapCell* c = CellAt(XPos, Ypos, Layer)) c->Value = RoundHalfEven(value);
}
float Map::GetAtXY(float XPos, float Ypos, int32_t Layer) const { return Value(XPos, Ypos, Layer); }

float Map::Alpha(float XPos, float Ypos, int32_t Layer) const { return CellField(XPos, Ypos, Layer, &MapCell::Alpha); }
void Map::Alpha(float XPos, float Ypos, int32_t Layer, float value) {
    SetCellField(XPos, Ypos, Layer, &MapCell::Alpha, value);
}
float Map::Rotate(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::Rotate);
}
void Map::Rotate(float XPos, float Ypos, int32_t Layer, float value) {
    SetCellField(XPos, Ypos, Layer, &MapCell::Rotate, value);
}
float Map::Scaled(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::Scaled);
}
void Map::Scaled(float XPos, float Ypos, int32_t Layer, float value) {
    SetCellField(XPos, Ypos, Layer, &MapCell::Scaled, value);
}
int32_t Map::ID1(float XPos, float Ypos, int32_t Layer) const { return CellField(XPos, Ypos, Layer, &MapCell::ID1); }
void Map::ID1(float XPos, float Ypos, int32_t Layer, int32_t value) {
    SetCellField(XPos, Ypos, Layer, &MapCell::ID1, value);
}
int32_t Map::ID2(float XPos, float Ypos, int32_t Layer) const { return CellField(XPos, Ypos, Layer, &MapCell::ID2); }
void Map::ID2(float XPos, float Ypos, int32_t Layer, int32_t value) {
    SetCellField(XPos, Ypos, Layer, &MapCell::ID2, value);
}

// ---- Puts, swaps and tile rectangles ----------------------------------------------------------

void Map::PutAtXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate, int32_t Layer) {
    if (MapCell* c = CellAt(XPos, Ypos, Layer)) PutTile(*c, RoundHalfEven(TileValue), TileAlpha, TileRotate);
}

void Map::PutAtPixelXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate, int32_t Layer) {
    if (!OnMap(XPos, Ypos)) return;
    const MapState& m = M();
    if (MapCell* c = M().FindCell(Layer, Int(XPos) / m.MapTileWidth, Int(Ypos) / m.MapTileHeight))
        PutTile(*c, RoundHalfEven(TileValue), TileAlpha, TileRotate);
}

bool Map::PutAtScreenXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate,
                        float RotateTileToSprite, int32_t Layer) {
    // The window without its extra tile; the cell must also lie in the grid, since a camera set
    // through X and Y may look beyond the map.
    if (!InWindow(XPos, Ypos, 0)) return false;
    int32_t column = 0, row = 0;
    ScreenToCell(XPos, Ypos, column, row);
    MapCell* c = M().FindCell(Layer, column, row);
    if (!c) return false;
    PutTileFacing(*c, TileValue, TileAlpha, TileRotate, RotateTileToSprite);
    return true;
}

bool Map::PutAtMouse(float TileValue, float TileAlpha, float TileRotate, float RotateTileToSprite, int32_t Layer) {
    const EngineState& st = State();
    return PutAtScreenXY(st.MouseX, st.MouseY, TileValue, TileAlpha, TileRotate, RotateTileToSprite, Layer);
}

void Map::PutAtSprite(int32_t sprite, float TileValue, float XOffset, float YOffset, float TileAlpha, float TileRotate,
                      float RotateTileToSprite, int32_t Layer) {
    int32_t column = 0, row = 0;
    if (!SpriteCell(sprite, XOffset, YOffset, column, row)) return;
    if (MapCell* c = M().FindCell(Layer, column, row))
        PutTileFacing(*c, TileValue, TileAlpha, TileRotate, RotateTileToSprite);
}

void Map::Swap(float Xpos1, float Ypos1, float Xpos2, float Ypos2, int32_t Layer) {
    MapCell* a = CellAt(Xpos1, Ypos1, Layer);
    MapCell* b = CellAt(Xpos2, Ypos2, Layer);
    if (a && b && a != b) std::swap(*a, *b);
}

PLMMapTileRect Map::GetTileRect(float TileValue) const {
    const MapState& m = M();
    const MapTileSourceEntry* e = TileValue < 1 ? nullptr : m.MapTileSource.find(RoundHalfEven(TileValue));
    // A number outside the sheets names no tile, as one below 1 does.
    if (!e) return PLMMapTileRect{-1, -1, -1, -1, -1};
    return PLMMapTileRect{e->Texture, e->SrcX, e->SrcY, m.MapTileWidth, m.MapTileHeight};
}

// ---- Buffers ---------------------------------------------------------------------------------

bool Map::MapToBuffer(int32_t Index, int32_t Layer) {
    MapState& m = M();
    if (!m.FindBufferEntry(Index, 0, 0) || !m.FindCell(Layer, 0, 0)) return false;
    ForEachMapCell(Layer, [&](MapCell& c, int32_t column, int32_t row) {
        *m.FindBufferEntry(Index, column, row) = c.Value;  // the raw number, also while removal is pending
    });
    return true;
}

bool Map::BufferToMap(int32_t Index, int32_t Layer) {
    MapState& m = M();
    if (!m.FindBufferEntry(Index, 0, 0) || !m.FindCell(Layer, 0, 0)) return false;
    ForEachMapCell(Layer, [&](MapCell& c, int32_t column, int32_t row) {
        PutTile(c, *m.FindBufferEntry(Index, column, row), 255, 0);
        c.ID1 = c.ID2 = 0;
    });
    return true;
}

float Map::buffer(int32_t Index, float XPos, float Ypos) const {
    const int32_t* e = M().FindBufferEntry(Index, RoundHalfEven(XPos), RoundHalfEven(Ypos));
    return e ? static_cast<float>(*e) : 0.0f;
}
void Map::buffer(int32_t Index, float XPos, float Ypos, float value) {
    if (int32_t* e = M().FindBufferEntry(Index, RoundHalfEven(XPos), RoundHalfEven(Ypos))) *e = RoundHalfEven(value);
}
float Map::GetBuffer(int32_t Index, float XPos, float Ypos) const { return buffer(Index, XPos, Ypos); }

// ---- Cell effects: the setters (the draw members run them) -------------------------------------

namespace {

// A style given exactly as one of the removing styles; 2.5 is stored as 2 but marks nothing.
bool EndsByRemoving(float style) { return style == 2.0f || style == 5.0f || style == 8.0f; }

// Where a scale, alpha or rotation effect keeps its parameters in the cell.
struct EffectFields {
    float MapCell::*Dir;
    float MapCell::*Min;
    float MapCell::*Max;
    float MapCell::*Length;
    int32_t MapCell::*Style;
    bool MapCell::*Running;
};
constexpr EffectFields kScale{&MapCell::ScaleDir,    &MapCell::ScaleMin,   &MapCell::ScaleMax,
                              &MapCell::ScaleLength, &MapCell::ScaleStyle, &MapCell::IsScaling};
constexpr EffectFields kAlpha{&MapCell::AlphaDir,    &MapCell::AlphaMin,   &MapCell::AlphaMax,
                              &MapCell::AlphaLength, &MapCell::AlphaStyle, &MapCell::IsAlphaFading};
constexpr EffectFields kRotation{&MapCell::RotateDir,    &MapCell::RotateMin,   &MapCell::RotateMax,
                                 &MapCell::RotateLength, &MapCell::RotateStyle, &MapCell::IsRotating};

// Stores an effect's parameters and switches it on; its limits are min raised to 0 and max lowered
// to top. An ending style given exactly (2, 5 or 8) marks the cell's removal as pending.
void StartEffect(MapCell& c, const EffectFields& f, float dir, float min, float max, float top, float length,
                 float style) {
    c.*f.Dir = dir;
    c.*f.Min = min < 0 ? 0.0f : min;
    c.*f.Max = max > top ? top : max;
    c.*f.Length = length;
    c.*f.Style = RoundHalfEven(style);
    if (EndsByRemoving(style)) c.RemovePending = true;
    c.*f.Running = true;
}

}  // namespace

void Map::SetScaling(float XPos, float Ypos, float StartingScale, float StartingDir, float min, float max, float length,
                     float Style, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    c->Scaled = StartingScale;
    StartEffect(*c, kScale, StartingDir, min, max, 1.0f, length, Style);
}

void Map::SetAlphaFading(float XPos, float Ypos, float StartingAlpha, float StartingDir, float min, float max,
                         float length, float Style, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    c->Alpha = StartingAlpha;
    StartEffect(*c, kAlpha, StartingDir, min, max, 255.0f, length, Style);
}

void Map::SetRotating(float XPos, float Ypos, float StartingRotate, float StartingDir, float min, float max,
                      float length, float Style, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    if (StartingRotate > -1) c->Rotate = StartingRotate;
    StartEffect(*c, kRotation, StartingDir, min, max, 719.0f, length, Style);
}

void Map::SetRotateToSprite(float XPos, float Ypos, int32_t sprite, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    c->RotateLength = static_cast<float>(sprite);
    c->RotateStyle = 9;
    c->IsRotating = true;
}

void Map::SetAnimating(float XPos, float Ypos, float StartingDir, float StartValue, float EndValue, float length,
                       float Style, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    c->AnimValue = StartValue;
    c->AnimDir = StartingDir;
    c->AnimStart = StartValue;
    c->AnimEnd = EndValue;
    c->AnimLength = length;
    c->AnimStyle = RoundHalfEven(Style);
    if (EndsByRemoving(Style)) c->RemovePending = true;
    c->IsAnimating = true;
}

void Map::SetShaking(float XPos, float Ypos, float Velocity, float SpeedMS, float length, int32_t Layer) {
    MapCell* c = CellAt(XPos, Ypos, Layer);
    if (!c) return;
    c->ShakeVelocity = Velocity;
    c->ShakeSpeedMS = SpeedMS;
    c->ShakeTimer = 0;
    c->ShakeLength = length;
    c->IsShaking = true;
}

void Map::FxOff(float XPos, float Ypos, int32_t Layer) {
    if (MapCell* c = CellAt(XPos, Ypos, Layer)) PutTile(*c, c->Value, 255, 0);
}

void Map::FxOffAll(int32_t Layer) {
    ForEachMapCell(Layer, [](MapCell& c, int32_t, int32_t) { PutTile(c, c.Value, 255, 0); });
}

void Map::SetScaleOnAll(float ScaleValue, int32_t Layer) {
    ForEachMapCell(Layer, [=](MapCell& c, int32_t, int32_t) { c.Scaled = ScaleValue; });
}
void Map::SetRotateOnAll(float Rotate, int32_t Layer) {
    ForEachMapCell(Layer, [=](MapCell& c, int32_t, int32_t) { c.Rotate = Rotate; });
}
void Map::SetAlphaOnAll(float TileAlpha, int32_t Layer) {
    ForEachMapCell(Layer, [=](MapCell& c, int32_t, int32_t) { c.Alpha = TileAlpha; });
}

bool Map::IsScaling(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::IsScaling);
}
bool Map::IsAlphaFading(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::IsAlphaFading);
}
bool Map::IsRotating(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::IsRotating);
}
bool Map::IsAnimating(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::IsAnimating);
}
bool Map::IsShaking(float XPos, float Ypos, int32_t Layer) const {
    return CellField(XPos, Ypos, Layer, &MapCell::IsShaking);
}

// ---- Camera and draw area ---------------------------------------------------------------------

float Map::X() const { return M().MapX; }
void Map::X(float value) { M().MapX = value; }
float Map::Y() const { return M().MapY; }
void Map::Y(float value) { M().MapY = value; }
PLMRect Map::SetXY(float XPos, float Ypos) { return PlaceCamera(XPos, Ypos); }

PLMRect Map::MoveBy(float XDir, float YDir, bool WithDelta) {
    const float d = WithDelta ? State().Delta : 1.0f;
    return MoveCamera(WithDelta ? XDir * d : XDir, WithDelta ? YDir * d : YDir);
}

void Map::SetDrawArea(int32_t ScreenX, int32_t ScreenY, int32_t TilesAcrossToDraw, int32_t TilesDownToDraw) {
    MapState& m = M();
    m.MapScreenX = ScreenX;
    m.MapScreenY = ScreenY;
    m.MapTilesAcrossToDraw = TilesAcrossToDraw;
    m.MapTilesDownToDraw = TilesDownToDraw;
}

int32_t Map::ScreenX() const { return M().MapScreenX; }
void Map::ScreenX(int32_t value) { M().MapScreenX = value; }
int32_t Map::ScreenY() const { return M().MapScreenY; }
void Map::ScreenY(int32_t value) { M().MapScreenY = value; }
void Map::SetCameraOnSprite(int32_t sprite) { M().CameraSprite = sprite; }
void Map::UpdateCamera(int32_t) { FollowCameraSprite(); }

void Map::SetRenderState(int32_t SourceMode, int32_t DestinationMode) {
    M().MapBlendSrc = SourceMode;
    M().MapBlendDest = DestinationMode;
}

// ---- Drawing ---------------------------------------------------------------------------------

void Map::Render(int32_t Layer) {
    const MapState& m = M();
    if (!m.MapInitialised) return;
    SetBlend(m.MapBlendSrc, m.MapBlendDest);
    FollowCameraSprite();
    DrawLayerWindow(Layer, true, Int(m.MapX), Int(m.MapY));
}

void Map::RenderAll(int32_t Layer) {
    const MapState& m = M();
    if (!m.MapInitialised) return;
    // Every cell's effects, each cell placed as the camera stands now, so that a tile turned to
    // face a sprite does so from its own place.
    const DrawOrigin o = OriginAt(Int(m.MapX), Int(m.MapY), true);
    ForEachMapCell(Layer, [&](MapCell& c, int32_t column, int32_t row) {
        if (c.Value != 0) RunCellEffects(c, o, column - o.StartTileX, row - o.StartTileY);
    });
    SetBlend(m.MapBlendSrc, m.MapBlendDest);
    FollowCameraSprite();
    DrawLayerWindow(Layer, false, Int(m.MapX), Int(m.MapY));
}

void Map::RenderFast(int32_t Layer) {
    const MapState& m = M();
    if (!m.MapInitialised) return;
    SetBlend(m.MapBlendSrc, m.MapBlendDest);
    FollowCameraSprite();
    DrawFlatWindow(Int(m.MapX), Int(m.MapY), false, Layer, false, 0);
}

void Map::RenderFastFrom(float XPos, float Ypos, float MapAlpha, float MapRGB, int32_t Layer) {
    const MapState& m = M();
    if (!m.MapInitialised) return;
    SetBlend(m.MapBlendSrc, m.MapBlendDest);
    DrawFlatWindow(Int(XPos), Int(Ypos), false, Layer, true, MakeColorARGB(MapAlpha, MapRGB, MapRGB, MapRGB));
}

void Map::RenderFastFromBuffer(int32_t Index, float XPos, float Ypos, float MapAlpha, float MapRGB) {
    const MapState& m = M();
    if (!m.MapInitialised) return;
    SetBlend(m.MapBlendSrc, m.MapBlendDest);
    DrawFlatWindow(Int(XPos), Int(Ypos), true, Index, true, MakeColorARGB(MapAlpha, MapRGB, MapRGB, MapRGB));
}

// ---- Lookups ---------------------------------------------------------------------------------

int32_t Map::GetGridTile(float XPos, float Ypos) const {
    // Off the map there is no grid number: -1.
    if (!OnMap(XPos, Ypos)) return -1;
    const MapState& m = M();
    return Int(Ypos) / m.MapTileHeight * m.MapWidth + Int(XPos) / m.MapTileWidth;
}

int32_t Map::GetGridTileAtSprite(int32_t sprite, float XOffset, float YOffset) const {
    int32_t column = 0, row = 0;
    if (!SpriteCell(sprite, XOffset, YOffset, column, row)) return -1;
    return row * M().MapWidth + column;
}

float Map::GetAtPixelXY(float XPos, float Ypos, int32_t Layer) const {
    if (!OnMap(XPos, Ypos)) return -1.0f;
    const MapState& m = M();
    const int32_t column = Int(XPos) / m.MapTileWidth, row = Int(Ypos) / m.MapTileHeight;
    EngineState& st = State();
    st.Rx = static_cast<float>(column);
    st.Ry = static_cast<float>(row);
    return ReadCell(Layer, column, row);
}

float Map::GetAtScreenXY(float XPos, float Ypos, int32_t Layer) const {
    if (!InWindow(XPos, Ypos, 1)) return -1.0f;
    int32_t column = 0, row = 0;
    ScreenToCell(XPos, Ypos, column, row);
    return ReadCell(Layer, column, row);
}

float Map::GetAtMouse(int32_t Layer) const {
    const EngineState& st = State();
    return GetAtScreenXY(st.MouseX, st.MouseY, Layer);
}

float Map::GetAtSprite(int32_t sprite, float XOffset, float YOffset, int32_t Layer) const {
    int32_t column = 0, row = 0;
    if (!SpriteCell(sprite, XOffset, YOffset, column, row)) return -1.0f;
    return ReadCell(Layer, column, row);
}

PLMXY Map::GetMouseToXY() const {
    int32_t column = 0, row = 0;
    const bool inside = MouseCell(column, row);
    return CellOrOff(inside, column, row, 1, 1);
}

PLMXY Map::GetMouseToXYPixel() const {
    int32_t column = 0, row = 0;
    const bool inside = MouseCell(column, row);
    return CellOrOff(inside, column, row, M().MapTileWidth, M().MapTileHeight);
}

PLMXY Map::GetSpriteToXY(int32_t sprite, float XOffset, float YOffset) const {
    int32_t column = 0, row = 0;
    const bool inside = SpriteCell(sprite, XOffset, YOffset, column, row);
    return CellOrOff(inside, column, row, 1, 1);
}

PLMXY Map::GetSpriteToXYPixel(int32_t sprite, float XOffset, float YOffset) const {
    int32_t column = 0, row = 0;
    const bool inside = SpriteCell(sprite, XOffset, YOffset, column, row);
    return CellOrOff(inside, column, row, M().MapTileWidth, M().MapTileHeight);
}

float Map::GetSpriteToXPixel(int32_t sprite, float XOffset) const {
    const SpriteRecord* r = SpriteRow(sprite);
    const MapState& m = M();
    if (!r || !m.MapInitialised) return -1.0f;
    const int32_t x = Int(XOffset + r->X);
    if (x < 0 || x > m.MapPixelWidth - 1) return -1.0f;
    return static_cast<float>(x / m.MapTileWidth * m.MapTileWidth);
}

float Map::GetSpriteToYPixel(int32_t sprite, float YOffset) const {
    const SpriteRecord* r = SpriteRow(sprite);
    const MapState& m = M();
    if (!r || !m.MapInitialised) return -1.0f;
    const int32_t y = Int(YOffset + r->Y);
    if (y < 0 || y > m.MapPixelHeight - 1) return -1.0f;
    return static_cast<float>(y / m.MapTileHeight * m.MapTileHeight);
}

PLMMapTileCheck Map::GetSpriteTile(int32_t sprite, bool EightWay, int32_t Layer) const {
    PLMMapTileCheck out;
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return PLMMapTileCheck{-1, -1, -1, -1, -1, 0, 0, 0, 0};
    const PLMArea b = r->OkToMove;
    const float mx = b.Width / 2 + b.XOffset, my = b.Height / 2 + b.YOffset;
    auto at = [&](float ox, float oy) { return RoundHalfEven(GetAtSprite(sprite, ox, oy, Layer)); };
    out.Left = at(b.XOffset - 1, my);
    out.Right = at(b.XOffset + b.Width, my);
    out.Up = at(mx, b.YOffset - 1);
    out.Down = at(mx, b.YOffset + b.Height);
    out.Middle = at(mx, my);
    if (EightWay) {
        out.UpLeft = at(b.XOffset - 1, b.YOffset - 1);
        out.UpRight = at(b.XOffset + b.Width, b.YOffset - 1);
        out.DownRight = at(b.XOffset + b.Width, b.YOffset + b.Height);
        out.DownLeft = at(b.XOffset - 1, b.YOffset + b.Height);
    }
    return out;
}

// ---- Movement tests --------------------------------------------------------------------------

void Map::SetOkToMoveSprite(int32_t sprite, float OffsetX, float OffsetY, float Width, float Height) {
    if (SpriteRecord* r = State().SpriteTable.find(sprite)) r->OkToMove = PLMArea{OffsetX, OffsetY, Width, Height};
}

PLMArea Map::GetOkToMoveSprite(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->OkToMove : PLMArea{};
}

bool Map::OkToMove(float XPos, float Ypos, float Width, float Height, int32_t TileMinValue, int32_t TileMaxValue,
                   int32_t Layer) const {
    return BoxPasses(XPos, Ypos, Width, Height, TileMinValue, TileMaxValue,
                     [&](float px, float py) { return GetAtPixelXY(px, py, Layer); });
}

bool Map::OkToMoveSprite(int32_t sprite, float XDir, float YDir, int32_t TileMinValue, int32_t TileMaxValue,
                         int32_t Layer) const {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return false;
    const PLMArea& b = r->OkToMove;
    return BoxPasses(XDir + r->X + b.XOffset, YDir + r->Y + b.YOffset, b.Width * r->XScaled * r->Scaled,
                     b.Height * r->YScaled * r->Scaled, TileMinValue, TileMaxValue,
                     [&](float px, float py) { return GetAtPixelXY(px, py, Layer); });
}

bool Map::OkToMoveSpriteFast(int32_t sprite, float XDir, float YDir, int32_t TileMinValue, int32_t TileMaxValue,
                             int32_t Layer) const {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r || !M().MapInitialised) return false;
    const PLMArea& b = r->OkToMove;
    // Each point is read without the map's range test; a point beyond the grid reads -1.
    return BoxPasses(XDir + r->X + b.XOffset, YDir + r->Y + b.YOffset, b.Width * r->XScaled * r->Scaled,
                     b.Height * r->YScaled * r->Scaled, TileMinValue, TileMaxValue, [&](float px, float py) {
                         const MapState& m = M();
                         const int32_t column = FloorDiv(Int(px), m.MapTileWidth);
                         const int32_t row = FloorDiv(Int(py), m.MapTileHeight);
                         EngineState& st = State();
                         st.Rx = static_cast<float>(column);
                         st.Ry = static_cast<float>(row);
                         return ReadCell(Layer, column, row);
                     });
}

float Map::NotOkToMoveX() const { return State().Rx; }
float Map::NotOkToMoveY() const { return State().Ry; }

}  // namespace plm
