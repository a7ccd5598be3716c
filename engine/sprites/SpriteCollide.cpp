#include "sprites/SpriteCollide.h"

#include <algorithm>
#include <string>

#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "sprites/CollideProcs.h"
#include "sprites/SpriteRows.h"

namespace plm {

namespace {

// The first sprite of start..end (within the table) other than the tested one that it hits.
int32_t FirstHit(int32_t sprite, int32_t start, int32_t end, CollideShape shape, bool rotated) {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r || !TakesPartInCollision(*r)) return 0;
    const PlacedShape a = PlaceShape(*r, shape);
    const int32_t last = std::min(end, State().SpriteTable.size());
    for (int32_t i = std::max(start, 1); i <= last; ++i) {
        const SpriteRecord& o = *SpriteRow(i);
        if (i == sprite || !TakesPartInCollision(o)) continue;
        if (ShapesOverlap(a, PlaceShape(o, shape), rotated)) return i;
    }
    return 0;
}

// Every sprite of start..end: its element of hits is 1 when the tested sprite hits it, else 0.
bool MarkHits(const char* member, int32_t sprite, int32_t start, int32_t end, std::vector<uint8_t>& hits,
              CollideShape shape, bool rotated) {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r || !TakesPartInCollision(*r)) return false;
    if (start <= end && (start < 0 || static_cast<size_t>(end) >= hits.size())) {
        WriteLog("CollideArray passed to SpriteCollide." + std::string(member) + " does not cover sprites " +
                 std::to_string(start) + "-" + std::to_string(end) + ".");
        return false;
    }
    const PlacedShape a = PlaceShape(*r, shape);
    bool any = false;
    for (int32_t i = start; i <= end; ++i) {
        uint8_t& hit = hits[static_cast<size_t>(i)];
        hit = 0;
        const SpriteRecord* o = SpriteRow(i);
        if (i == sprite || !o || !TakesPartInCollision(*o)) continue;
        if (ShapesOverlap(a, PlaceShape(*o, shape), rotated)) {
            hit = 1;
            any = true;
        }
    }
    return any;
}

}  // namespace

int32_t SpriteCollide::Check(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const {
    return FirstHit(sprite, StartSprite, EndSprite, CollideShape::Own, false);
}

bool SpriteCollide::CheckArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                               std::vector<uint8_t>& CollideArray) const {
    return MarkHits("CheckArray", sprite, StartSprite, EndSprite, CollideArray, CollideShape::Own, false);
}

int32_t SpriteCollide::CheckBoxes(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const {
    return FirstHit(sprite, StartSprite, EndSprite, CollideShape::Box, false);
}

bool SpriteCollide::CheckBoxesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                    std::vector<uint8_t>& CollideArray) const {
    return MarkHits("CheckBoxesArray", sprite, StartSprite, EndSprite, CollideArray, CollideShape::Box, false);
}

int32_t SpriteCollide::CheckCircles(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const {
    return FirstHit(sprite, StartSprite, EndSprite, CollideShape::Circle, false);
}

bool SpriteCollide::CheckCirclesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                      std::vector<uint8_t>& CollideArray) const {
    return MarkHits("CheckCirclesArray", sprite, StartSprite, EndSprite, CollideArray, CollideShape::Circle, false);
}

int32_t SpriteCollide::CheckRotatedBoxes(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const {
    return FirstHit(sprite, StartSprite, EndSprite, CollideShape::Box, true);
}

bool SpriteCollide::CheckRotatedBoxesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                           std::vector<uint8_t>& CollideArray) const {
    return MarkHits("CheckRotatedBoxesArray", sprite, StartSprite, EndSprite, CollideArray, CollideShape::Box, true);
}

int32_t SpriteCollide::CheckRotatedBoxesAndCircles(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const {
    return FirstHit(sprite, StartSprite, EndSprite, CollideShape::Own, true);
}

bool SpriteCollide::CheckRotatedBoxesAndCirclesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                                     std::vector<uint8_t>& CollideArray) const {
    return MarkHits("CheckRotatedBoxesAndCirclesArray", sprite, StartSprite, EndSprite, CollideArray,
                    CollideShape::Own, true);
}

PLMCollideArea SpriteCollide::GetArea(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? ToCollideArea(PlaceShape(*r, CollideShape::Own)) : PLMCollideArea{};
}

void SpriteCollide::SetAsCircle(int32_t sprite, float Radius, float XOffset, float YOffset) {
    if (SpriteRecord* r = SpriteRow(sprite)) {
        r->CollideRadius = Radius;
        r->CollideXOffset = XOffset;
        r->CollideYOffset = YOffset;
        r->CollideIsCircle = true;
        r->CollideEnabled = true;
    }
}

void SpriteCollide::SetAsBox(int32_t sprite, float XOffset, float YOffset, float Width, float Height) {
    if (SpriteRecord* r = SpriteRow(sprite)) {
        r->CollideXOffset = XOffset;
        r->CollideYOffset = YOffset;
        r->CollideWidth = Width;
        r->CollideHeight = Height;
        r->CollideIsCircle = false;
        r->CollideEnabled = true;
    }
}

bool SpriteCollide::Enabled(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r && r->CollideEnabled;
}

void SpriteCollide::Enabled(int32_t sprite, bool value) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->CollideEnabled = value;
}

bool SpriteCollide::IsOverBox(int32_t sprite, float XPos, float Ypos, float Width, float Height) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r && ShapesOverlap(PlaceShape(*r, CollideShape::Own), BoxShape(XPos, Ypos, Width, Height), false);
}

bool SpriteCollide::IsOverCircle(int32_t sprite, float XPos, float Ypos, float Radius) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r && ShapesOverlap(PlaceShape(*r, CollideShape::Own), CircleShape(XPos, Ypos, Radius), false);
}

}  // namespace plm
