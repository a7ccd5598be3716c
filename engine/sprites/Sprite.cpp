#include "sprites/Sprite.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/SpriteParticleStep.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRows.h"
#include "sprites/SpriteStep.h"

namespace plm {

namespace {

// The most sprites the table may hold.
constexpr int32_t kMaxSprites = 65536;

// The rows that exist: every loop over sprite numbers is clipped to them, so a range far outside
// the table costs nothing and touches nothing.
int32_t Total() { return State().SpriteTable.size(); }

template <typename Fn>
void ForEachInRange(int32_t start, int32_t end, Fn fn) {
    int32_t first = std::max(start, 1);
    int32_t last = std::min(end, Total());
    for (int32_t s = first; s <= last; ++s) fn(s, *SpriteRow(s));
}

bool PassesIDs(const SpriteRecord& r, int32_t withID1, int32_t withID2) {
    return (withID1 < 0 || r.ID1 == withID1) && (withID2 < 0 || r.ID2 == withID2);
}

bool IsFree(const SpriteRecord& r) { return r.On == 0 && r.EngineDelay == 0; }

bool CountsAsOn(const SpriteRecord& r, bool withEngineDelay) {
    return r.On > 0 || (withEngineDelay && r.EngineDelay > 0);
}

float DeltaFactor(bool withDelta) { return withDelta ? State().Delta : 1.0f; }

// Moves X, Y by the step; the second position (centre of orbits and waves) only when asked.
void MoveBy(SpriteRecord& r, float dx, float dy, bool moveCentre) {
    r.X += dx;
    r.Y += dy;
    if (moveCentre) {
        r.CentreX += dx;
        r.CentreY += dy;
    }
}

// Moves each sprite of a range (the second position stays), then brings each axis back into
// its bounds with keep (wrap or limit).
void MoveRangeInBox(int32_t start, int32_t end, float xDir, float yDir, float xMin, float yMin, float xMax,
                    float yMax, bool withDelta, float (*keep)(float, float, float)) {
    const float d = DeltaFactor(withDelta);
    ForEachInRange(start, end, [&](int32_t, SpriteRecord& r) {
        MoveBy(r, xDir * d, yDir * d, false);
        r.X = keep(r.X, xMin, xMax);
        r.Y = keep(r.Y, yMin, yMax);
    });
}

// The extreme along one coordinate (raw X or Y) among the on sprites of a range. The first
// sprite is examined even when it lies past the end of the range; ties keep the lower number.
template <typename Beyond>
int32_t Extreme(int32_t start, int32_t end, Beyond beyond) {
    auto isOn = [](int32_t s) {
        const SpriteRecord* r = SpriteRow(s);
        return r && r->On != 0;
    };
    int32_t best = 0;
    if (isOn(start)) {
        best = start;
    } else {
        for (int32_t s = std::max(start + 1, 1); s <= std::min(end, Total()) && best == 0; ++s)
            if (isOn(s)) best = s;
    }
    if (best == 0) return 0;
    ForEachInRange(best + 1, end, [&](int32_t s, const SpriteRecord& r) {
        if (r.On != 0 && beyond(r, *SpriteRow(best))) best = s;
    });
    return best;
}

// The sort keys of Sort: each compares list neighbours a (earlier) and b (later) and says
// whether b must come first. Equal keys never swap.
bool OutOfOrder(int32_t key, const SpriteRecord& a, const SpriteRecord& b) {
    switch (key) {
        case 0: return b.Y + static_cast<float>(b.Height) < a.Y + static_cast<float>(a.Height);
        case 1: return b.Y < a.Y;
        case 2: return b.Y > a.Y;
        case 3: return b.X < a.X;
        case 4: return b.X > a.X;
        case 5: return b.ID1 < a.ID1;
        case 6: return b.Scaled < a.Scaled;
        case 7: return b.Scaled > a.Scaled;
        default: return false;
    }
}

// The behaviour step as the render passes run it: an on sprite steps its behaviour, an off one
// counts down its start delay.
void StepOne(int32_t s, const SpriteRecord& r) {
    if (r.On != 0) {
        StepSpriteBehaviour(s, false);
    } else if (r.EngineDelay != 0) {
        CountDownSpriteDelay(s);
    }
}

}  // namespace

// ---- Table and lifetime ----------------------------------------------------------------------

void Sprite::Init(int32_t SpriteTotal) {
    // A row is about 7 KB (its particle pool included): a wrong total must not try to allocate
    // gigabytes and fail the process. It is refused and the table stays as it was.
    if (SpriteTotal > kMaxSprites) {
        WriteLog("Total passed to Sprite.Init not between 0-" + std::to_string(kMaxSprites) + ".");
        return;
    }
    EngineState& st = State();
    int32_t n = std::max(SpriteTotal, 0);
    st.SpriteTotal = n;
    st.SpriteTable.resize(n);
    st.SpriteData.resize(n);
    st.RenderOrder.resize(n);
    st.Animations.resize(1);
    ResetZorder();
}

void Sprite::Activate(int32_t sprite, float XPos, float Ypos, int32_t Texture, int32_t SrcX, int32_t SrcY,
                      int32_t XFrame, int32_t YFrame, int32_t FrameWidth, int32_t FrameHeight, bool OriginTopLeft,
                      bool Enabled) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    r->X = XPos;
    r->Y = Ypos;
    StoreFrame(*r, Texture, SrcX, SrcY, FrameWidth, FrameHeight, XFrame, YFrame);
    r->On = Enabled ? 1 : 0;
    r->OriginTopLeft = OriginTopLeft;
    // After the frame: the collision and movement boxes are derived from it.
    ResetSpriteRecord(sprite);
}

void Sprite::TurnOff(int32_t sprite, bool ClearEngineDelay, bool TurnOffParticle) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.On = 0;
        if (ClearEngineDelay) r.EngineDelay = 0;
        if (TurnOffParticle) r.ParticleAmount = 0;
    });
}

void Sprite::TurnOffAll(bool ClearEngineDelay, bool TurnOffParticle) {
    for (int32_t s = 1; s <= Total(); ++s) TurnOff(s, ClearEngineDelay, TurnOffParticle);
}

bool Sprite::Enabled(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.On != 0; });
}

void Sprite::Enabled(int32_t sprite, bool value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.On = value ? 1 : 0; });
}

int32_t Sprite::GetInitializedTotal() const { return State().SpriteTotal; }

// ---- Placement -------------------------------------------------------------------------------

float Sprite::X(int32_t sprite) const { return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.X; }); }
void Sprite::X(int32_t sprite, float value) { WriteSprite(sprite, [&](SpriteRecord& r) { r.X = value; }); }
float Sprite::Y(int32_t sprite) const { return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.Y; }); }
void Sprite::Y(int32_t sprite, float value) { WriteSprite(sprite, [&](SpriteRecord& r) { r.Y = value; }); }

void Sprite::SetXY(int32_t sprite, float XPos, float Ypos) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.X = XPos;
        r.Y = Ypos;
    });
}

PLMXY Sprite::GetXY(int32_t sprite) const {
    return ReadSprite<PLMXY>(sprite, [](const SpriteRecord& r) { return PLMXY{r.X, r.Y}; });
}

void Sprite::XAdd(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.X += value * State().Delta; });
}

void Sprite::YAdd(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Y += value * State().Delta; });
}

void Sprite::AddToPos(int32_t sprite, float XDir, float YDir, bool WithDelta) {
    float d = DeltaFactor(WithDelta);
    WriteSprite(sprite, [&](SpriteRecord& r) { MoveBy(r, XDir * d, YDir * d, true); });
}

void Sprite::AddToPosRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, bool WithDelta) {
    float d = DeltaFactor(WithDelta);
    ForEachInRange(StartSprite, EndSprite, [&](int32_t, SpriteRecord& r) { MoveBy(r, XDir * d, YDir * d, true); });
}

void Sprite::AddToPosWrap(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                          bool WithDelta) {
    AddToPosWrapRange(sprite, sprite, XDir, YDir, XMin, YMin, XMax, YMax, WithDelta);
}

void Sprite::AddToPosWrapRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, float XMin,
                               float YMin, float XMax, float YMax, bool WithDelta) {
    MoveRangeInBox(StartSprite, EndSprite, XDir, YDir, XMin, YMin, XMax, YMax, WithDelta, WrapInto);
}

void Sprite::AddToPosLimit(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                           bool WithDelta) {
    AddToPosLimitRange(sprite, sprite, XDir, YDir, XMin, YMin, XMax, YMax, WithDelta);
}

void Sprite::AddToPosLimitRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, float XMin,
                                float YMin, float XMax, float YMax, bool WithDelta) {
    MoveRangeInBox(StartSprite, EndSprite, XDir, YDir, XMin, YMin, XMax, YMax, WithDelta, LimitInto);
}

void Sprite::PullTowards(int32_t sprite, int32_t SpriteToPullTowards, float Speed, float Distance) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !SpriteRow(SpriteToPullTowards)) return;
    if (!(GetDistanceBetweenSprites(sprite, SpriteToPullTowards) < Distance)) return;
    DirectionFromAngle(GetAngleBetweenSprites(sprite, SpriteToPullTowards), Speed);
    const EngineState& st = State();
    MoveBy(*r, st.Rx * st.Delta, st.Ry * st.Delta, true);
}

PLMXY Sprite::GetOffsetPosition(int32_t sprite, float XOffset, float YOffset, bool LatchRotate) const {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return PLMXY{};
    if (!LatchRotate) return PLMXY{r->X + XOffset, r->Y + YOffset};
    // The offset turned with the sprite: XOffset to the right of its heading, YOffset behind it.
    PLMXY p{r->X, r->Y};
    AddTurnedOffset(r->Rotate, -XOffset, YOffset, p.X, p.Y);
    return p;
}

void Sprite::SetAllToIntPixel() {
    ForEachInRange(1, Total(), [](int32_t, SpriteRecord& r) {
        r.X = static_cast<float>(Int(r.X));
        r.Y = static_cast<float>(Int(r.Y));
    });
}

// ---- Frame and texture -----------------------------------------------------------------------

int32_t Sprite::Texture(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Texture; });
}
void Sprite::Texture(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Texture = value; });
}

int32_t Sprite::SrcX(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.SrcX; });
}
void Sprite::SrcX(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.SrcX = value; });
}

int32_t Sprite::SrcY(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.SrcY; });
}
void Sprite::SrcY(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.SrcY = value; });
}

int32_t Sprite::Width(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Width; });
}
void Sprite::Width(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Width = value; });
}

int32_t Sprite::Height(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Height; });
}
void Sprite::Height(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Height = value; });
}

int32_t Sprite::XFrame(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.XFrame; });
}
void Sprite::XFrame(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.XFrame = value; });
}

int32_t Sprite::YFrame(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.YFrame; });
}
void Sprite::YFrame(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.YFrame = value; });
}

int32_t Sprite::GetWidth(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Width; });
}

int32_t Sprite::GetHeight(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Height; });
}

void Sprite::SetFrame(int32_t sprite, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.SrcX = SrcX;
        r.SrcY = SrcY;
        r.Width = Width;
        r.Height = Height;
    });
}

void Sprite::SetFrameAndTexture(int32_t sprite, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                                int32_t Texture) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.SrcX = SrcX;
        r.SrcY = SrcY;
        r.Width = Width;
        r.Height = Height;
        r.Texture = Texture;
    });
}

PLMSpriteImageRect Sprite::GetImageRect(int32_t sprite) const {
    return ReadSprite<PLMSpriteImageRect>(sprite, [](const SpriteRecord& r) {
        return PLMSpriteImageRect{r.Texture, r.SrcX, r.SrcY, r.Width, r.Height};
    });
}

void Sprite::SetMapTileToSprite(float MapTile, int32_t sprite, float XPos, float Ypos) {
    const MapState& map = State().Map;
    const MapTileSourceEntry* tile = map.MapTileSource.find(RoundHalfEven(MapTile));
    if (!tile) return;  // no such tile in the map's tile sheets
    Activate(sprite, XPos, Ypos, tile->Texture, tile->SrcX, tile->SrcY, 0, 0, map.MapTileWidth, map.MapTileHeight,
             true, true);
}

// ---- Scale, rotation, alpha, colour and blending ---------------------------------------------

float Sprite::Scaled(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.Scaled; });
}
void Sprite::Scaled(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Scaled = value; });
}

float Sprite::XScaled(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.XScaled; });
}
void Sprite::XScaled(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.XScaled = value; });
}

float Sprite::YScaled(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.YScaled; });
}
void Sprite::YScaled(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.YScaled = value; });
}

float Sprite::Rotate(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.Rotate; });
}
void Sprite::Rotate(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Rotate = value; });
}

float Sprite::Alpha(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.Alpha; });
}
void Sprite::Alpha(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Alpha = value; });
}

float Sprite::GetScale(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.Scaled; });
}

void Sprite::SetRenderState(int32_t sprite, int32_t SourceMode, int32_t DestinationMode) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.SrcBlend = SourceMode;
        r.DestBlend = DestinationMode;
    });
}

void Sprite::SetRGB(int32_t sprite, float R, float G, float B) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.Red = r.BaseRed = R;
        r.Green = r.BaseGreen = G;
        r.Blue = r.BaseBlue = B;
    });
}

PLMRGB Sprite::GetRGB(int32_t sprite) const {
    return ReadSprite<PLMRGB>(sprite, [](const SpriteRecord& r) { return PLMRGB{r.Red, r.Green, r.Blue}; });
}

bool Sprite::Blend(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.Blend; });
}

void Sprite::Blend(int32_t sprite, bool value) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.Blend = value;
        r.SrcBlend = BlendSrcAlpha;
        r.DestBlend = value ? BlendOne : BlendInvSrcAlpha;
    });
}

bool Sprite::Mirror(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.Mirror == -1; });
}

void Sprite::Mirror(int32_t sprite, bool value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Mirror = value ? -1 : 1; });
}

bool Sprite::Flip(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.Flip == -1; });
}

void Sprite::Flip(int32_t sprite, bool value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Flip = value ? -1 : 1; });
}

void Sprite::SetShadow(int32_t sprite, float Alpha, float XOffset, float YOffset, bool State, float Red, float Green,
                       float Blue, float Rotation, float Scaling, float XScale, float YScale, bool AutoRotate,
                       bool AutoScale) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.ShadowState = State;
        r.ShadowAlpha = Alpha;
        r.ShadowXOffset = RoundHalfEven(XOffset);
        r.ShadowYOffset = RoundHalfEven(YOffset);
        r.ShadowRed = Red;
        r.ShadowGreen = Green;
        r.ShadowBlue = Blue;
        r.ShadowRotation = Rotation;
        r.ShadowScaling = Scaling;
        r.ShadowXScale = XScale;
        r.ShadowYScale = YScale;
        r.ShadowAutoRotate = AutoRotate;
        r.ShadowAutoScale = AutoScale;
    });
}

// ---- Identity, hits and the caller's values --------------------------------------------------

int32_t Sprite::Hits(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Hits; });
}
void Sprite::Hits(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.Hits = value; });
}

int32_t Sprite::ID1(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.ID1; });
}
void Sprite::ID1(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.ID1 = value; });
}

int32_t Sprite::ID2(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.ID2; });
}
void Sprite::ID2(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.ID2 = value; });
}

bool Sprite::HitsDecrement(int32_t sprite, int32_t Amount) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return false;
    r->Hits -= Amount;
    return r->Hits < 1;
}

namespace {
// The caller's value slot id (1..10) of sprite s, or nullptr when either is outside its table.
SpriteDataRecord* DataRow(int32_t s, int32_t id) {
    return (id >= 1 && id <= 10) ? State().SpriteData.find(s) : nullptr;
}
}  // namespace

float Sprite::data(int32_t sprite, int32_t id) const {
    const SpriteDataRecord* d = DataRow(sprite, id);
    return d ? d->data[static_cast<size_t>(id - 1)] : 0.0f;
}

void Sprite::data(int32_t sprite, int32_t id, float value) {
    if (SpriteDataRecord* d = DataRow(sprite, id)) d->data[static_cast<size_t>(id - 1)] = value;
}

std::string Sprite::DataString(int32_t sprite, int32_t id) const {
    const SpriteDataRecord* d = DataRow(sprite, id);
    return d ? d->DataString[static_cast<size_t>(id - 1)] : std::string();
}

void Sprite::DataString(int32_t sprite, int32_t id, const std::string& value) {
    if (SpriteDataRecord* d = DataRow(sprite, id)) d->DataString[static_cast<size_t>(id - 1)] = value;
}

// ---- Whole rows ------------------------------------------------------------------------------

void Sprite::Swap(int32_t Sprite1, int32_t Sprite2) {
    EngineState& st = State();
    SpriteRecord* a = SpriteRow(Sprite1);
    SpriteRecord* b = SpriteRow(Sprite2);
    SpriteDataRecord* da = st.SpriteData.find(Sprite1);
    SpriteDataRecord* db = st.SpriteData.find(Sprite2);
    if (!a || !b || !da || !db) return;
    std::swap(*a, *b);
    std::swap(*da, *db);
}

void Sprite::Copy(int32_t CopyFrom, int32_t CopyStart, int32_t CopyEnd) {
    EngineState& st = State();
    const SpriteRecord* from = SpriteRow(CopyFrom);
    const SpriteDataRecord* fromData = st.SpriteData.find(CopyFrom);
    if (!from || !fromData) return;
    // Copies of the source first: the range may hold the source itself.
    const SpriteRecord rowCopy = *from;
    const SpriteDataRecord dataCopy = *fromData;
    ForEachInRange(CopyStart, CopyEnd, [&](int32_t s, SpriteRecord& r) {
        r = rowCopy;
        st.SpriteData(s) = dataCopy;
    });
}

// ---- Render order ----------------------------------------------------------------------------

void Sprite::ResetZorder() {
    EngineState& st = State();
    int32_t n = st.RenderOrder.size();
    for (int32_t i = 1; i <= n; ++i) {
        st.RenderOrder(i) = n - i + 1;
        st.SpriteTable(i).Zorder = i;
    }
}

int32_t Sprite::Zorder(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.Zorder; });
}

void Sprite::Zorder(int32_t sprite, int32_t value) {
    EngineState& st = State();
    const int32_t n = st.RenderOrder.size();
    if (value < 1 || value > n || !SpriteRow(sprite)) return;
    const int32_t target = n - value + 1;
    int32_t p = 1;
    while (p <= n && st.RenderOrder(p) != sprite) ++p;
    if (p > n) return;  // not in the list: nothing to move
    // The entries between the old and the new place shift one step toward the old place.
    const int32_t d = (p < target) ? 1 : -1;
    while (p != target) {
        int32_t moved = st.RenderOrder(p + d);
        st.RenderOrder(p) = moved;
        st.SpriteTable(moved).Zorder = n - p + 1;
        p += d;
    }
    st.RenderOrder(target) = sprite;
    st.SpriteTable(sprite).Zorder = value;
}

void Sprite::Sort(int32_t sortmethod, int32_t howmanysorts) {
    EngineState& st = State();
    const int32_t n = st.RenderOrder.size();
    // A list of one has no neighbours to compare.
    if (sortmethod < 0 || sortmethod > 7 || howmanysorts < 1 || n < 2) return;
    for (int32_t step = 0; step < howmanysorts; ++step) {
        int32_t c = st.SortCursor + 1;
        if (c > n || c < 2) c = 2;
        st.SortCursor = c;
        int32_t a = st.RenderOrder(c - 1);
        int32_t b = st.RenderOrder(c);
        if (OutOfOrder(sortmethod, st.SpriteTable(a), st.SpriteTable(b))) {
            st.RenderOrder(c - 1) = b;
            st.RenderOrder(c) = a;
        }
    }
}

void Sprite::SortScaled() {
    EngineState& st = State();
    const int32_t n = st.RenderOrder.size();
    for (int32_t pass = 1; pass <= n; ++pass) {
        for (int32_t c = 2; c <= n; ++c) {
            int32_t a = st.RenderOrder(c - 1);
            int32_t b = st.RenderOrder(c);
            if (st.SpriteTable(a).Scaled > st.SpriteTable(b).Scaled) {
                st.RenderOrder(c - 1) = b;
                st.RenderOrder(c) = a;
            }
        }
    }
    st.SortCursor = n + 1;
}

// ---- Render passes ---------------------------------------------------------------------------

void Sprite::Render() {
    EngineState& st = State();
    for (int32_t pos = 1; pos <= st.RenderOrder.size(); ++pos) {
        const int32_t s = st.RenderOrder(pos);
        SpriteRecord* r = SpriteRow(s);
        if (!r) continue;
        if (r->On != 0) {
            // A sprite that its own step turned off (a fade that ran out, a bound crossed) is not
            // drawn: its alpha may be past 0, and the turn-off already ran its particles.
            if (StepSpriteBehaviour(s)) DrawSprite(s);
        } else if (r->EngineDelay != 0) {
            CountDownSpriteDelay(s);
        } else if (r->ParticleAmount != 0) {
            StepAndDrawParticles(s);
        }
    }
}

void Sprite::RenderSprites(int32_t StartingSprite, int32_t EndingSprite) {
    EngineState& st = State();
    for (int32_t pos = 1; pos <= st.RenderOrder.size(); ++pos) {
        const int32_t s = st.RenderOrder(pos);
        if (s < StartingSprite || s > EndingSprite) continue;
        SpriteRecord* r = SpriteRow(s);
        if (!r) continue;
        const bool wasOn = r->On != 0;
        StepOne(s, *r);
        if (r->On != 0) {
            DrawSprite(s);
        } else if (!wasOn && r->ParticleAmount != 0) {
            // Particles of a sprite that was already off; a sprite turned off by its step has had
            // its particles run by the turn-off.
            StepAndDrawParticles(s);
        }
    }
}

void Sprite::RenderSprite(int32_t sprite) { RenderSprites(sprite, sprite); }

void Sprite::RenderFast(bool /*RenderParticles*/) {
    EngineState& st = State();
    for (int32_t pos = 1; pos <= st.RenderOrder.size(); ++pos) {
        const int32_t s = st.RenderOrder(pos);
        const SpriteRecord* r = SpriteRow(s);
        if (r && r->On != 0) DrawSprite(s);
    }
}

void Sprite::RenderEngine(int32_t StartingSprite, int32_t EndingSprite) {
    ForEachInRange(StartingSprite, EndingSprite, [](int32_t s, SpriteRecord& r) { StepOne(s, r); });
}

void Sprite::RenderCopyOf(int32_t sprite, float XPos, float Ypos) { DrawSpriteCopy(sprite, XPos, Ypos); }

// ---- Queries ---------------------------------------------------------------------------------

int32_t Sprite::Get1Available(int32_t WithID1, int32_t WithID2) const {
    return Get1AvailableRange(1, Total(), WithID1, WithID2);
}

int32_t Sprite::Get1AvailableRange(int32_t StartSprite, int32_t EndSprite, int32_t WithID1, int32_t WithID2) const {
    int32_t found = 0;
    ForEachInRange(StartSprite, EndSprite, [&](int32_t s, const SpriteRecord& r) {
        if (found == 0 && IsFree(r) && PassesIDs(r, WithID1, WithID2)) found = s;
    });
    return found;
}

int32_t Sprite::Get1OnRandomRange(int32_t StartSprite, int32_t EndSprite, int32_t WithID1, int32_t WithID2) const {
    int32_t s = RandomInRange(StartSprite, EndSprite);
    const SpriteRecord* r = SpriteRow(s);
    return (r && r->On > 0 && PassesIDs(*r, WithID1, WithID2)) ? s : 0;
}

int32_t Sprite::GetRightMost(int32_t StartSprite, int32_t EndSprite) const {
    return Extreme(StartSprite, EndSprite, [](const SpriteRecord& r, const SpriteRecord& b) { return r.X > b.X; });
}

int32_t Sprite::GetLeftMost(int32_t StartSprite, int32_t EndSprite) const {
    return Extreme(StartSprite, EndSprite, [](const SpriteRecord& r, const SpriteRecord& b) { return r.X < b.X; });
}

int32_t Sprite::GetBottomMost(int32_t StartSprite, int32_t EndSprite) const {
    return Extreme(StartSprite, EndSprite, [](const SpriteRecord& r, const SpriteRecord& b) { return r.Y > b.Y; });
}

int32_t Sprite::GetTopMost(int32_t StartSprite, int32_t EndSprite) const {
    return Extreme(StartSprite, EndSprite, [](const SpriteRecord& r, const SpriteRecord& b) { return r.Y < b.Y; });
}

int32_t Sprite::GetHowManyOn() const { return GetHowManyOfTheseOn(1, Total(), false); }

int32_t Sprite::GetHowManyOnWithID1(int32_t id) const {
    int32_t n = 0;
    ForEachInRange(1, Total(), [&](int32_t, const SpriteRecord& r) { n += (r.On > 0 && r.ID1 == id) ? 1 : 0; });
    return n;
}

int32_t Sprite::GetHowManyOnWithID2(int32_t id) const {
    int32_t n = 0;
    ForEachInRange(1, Total(), [&](int32_t, const SpriteRecord& r) { n += (r.On > 0 && r.ID2 == id) ? 1 : 0; });
    return n;
}

int32_t Sprite::GetHowManyOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const {
    int32_t n = 0;
    ForEachInRange(StartSprite, EndSprite,
                   [&](int32_t, const SpriteRecord& r) { n += CountsAsOn(r, WithEngineDelay) ? 1 : 0; });
    return n;
}

bool Sprite::IsAnyOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const {
    bool any = false;
    ForEachInRange(StartSprite, EndSprite,
                   [&](int32_t, const SpriteRecord& r) { any = any || CountsAsOn(r, WithEngineDelay); });
    return any;
}

bool Sprite::IsAllOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const {
    bool all = true;
    ForEachInRange(StartSprite, EndSprite, [&](int32_t, const SpriteRecord& r) {
        if (r.On == 0 && (!WithEngineDelay || r.EngineDelay == 0)) all = false;
    });
    return all;
}

bool Sprite::IsActive(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.On > 0 || r.EngineDelay > 0; });
}

float Sprite::GetDistanceBetweenSprites(int32_t Sprite1, int32_t Sprite2) const {
    const SpriteRecord* a = SpriteRow(Sprite1);
    const SpriteRecord* b = SpriteRow(Sprite2);
    if (!a || !b) return 0;
    PLMXY p = SpriteCentre(*a), q = SpriteCentre(*b);
    float dx = q.X - p.X, dy = q.Y - p.Y;
    return std::sqrt(dx * dx + dy * dy);
}

float Sprite::GetAngleBetweenSprites(int32_t Sprite1, int32_t Sprite2) const {
    const SpriteRecord* a = SpriteRow(Sprite1);
    const SpriteRecord* b = SpriteRow(Sprite2);
    if (!a || !b) return 0;
    PLMXY p = SpriteCentre(*a), q = SpriteCentre(*b);
    return AngleBetweenPoints(p.X, p.Y, q.X, q.Y);
}

}  // namespace plm
