#include "sprites/Zone.h"

#include <algorithm>
#include <string>

#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "sprites/CollideProcs.h"

namespace plm {

namespace {

constexpr int32_t kMaxZones = 65536;
constexpr int32_t kZoneBox = 1, kZoneCircle = 0;

}  // namespace

bool Zone::Init(int32_t Total) {
    if (Total < 0 || Total > kMaxZones) {
        WriteLog("Index passed to Zone.Init not between 0-" + std::to_string(kMaxZones) + ".");
        return false;
    }
    State().Zones.resize(Total);
    return true;
}

int32_t Zone::GetTotal() const { return State().Zones.size(); }

void Zone::Set(int32_t index, const PLMZone& zone) {
    if (PLMZoneInfo* z = State().Zones.find(index))
        *z = PLMZoneInfo{zone.X, zone.Y, zone.Width, zone.Height, zone.Radius, true, zone.Box ? kZoneBox : kZoneCircle};
}

PLMZoneInfo Zone::GetInfo(int32_t index) const { return State().Zones(index); }

bool Zone::Enabled(int32_t index) const { return State().Zones(index).Enabled; }

void Zone::Enabled(int32_t index, bool value) {
    if (PLMZoneInfo* z = State().Zones.find(index)) z->Enabled = value;
}

bool Zone::IsSpriteIn(int32_t index, int32_t sprite) const {
    const PLMZoneInfo* z = State().Zones.find(index);
    const SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!z || !z->Enabled || !r || !TakesPartInCollision(*r)) return false;
    const PlacedShape area = z->Type == kZoneBox ? BoxShape(z->X, z->Y, z->Width, z->Height)
                                                 : CircleShape(z->X, z->Y, z->Radius);
    return ShapesOverlap(PlaceShape(*r, CollideShape::Own), area, false);
}

int32_t Zone::Check(int32_t sprite, int32_t StartZone, int32_t EndZone) const {
    const int32_t last = std::min(EndZone, State().Zones.size());
    for (int32_t i = std::max(StartZone, 1); i <= last; ++i)
        if (IsSpriteIn(i, sprite)) return i;
    return 0;
}

}  // namespace plm
