#pragma once
// Zones: boxes and circles of the world that sprites can be tested against, numbered 1..total.
// A zone is tested against a sprite's own collision shape (SpriteCollide); a sprite that is off
// or whose collision is disabled is in no zone, and a disabled zone holds no sprite.
#include <cstdint>

#include "core/Records.h"

namespace plm {

class Zone {
public:
    // Sizes the zone table to 1..Total, every zone disabled; a Total outside 0..65536 is refused.
    bool Init(int32_t Total);
    int32_t GetTotal() const;
    // Zone index becomes the box (X, Y left and top, Width, Height) when zone.Box, else the circle
    // (X, Y centre, Radius), and is enabled.
    void Set(int32_t index, const PLMZone& zone);
    PLMZoneInfo GetInfo(int32_t index) const;
    bool Enabled(int32_t index) const;
    void Enabled(int32_t index, bool value);
    // True when sprite's collision shape overlaps enabled zone index.
    bool IsSpriteIn(int32_t index, int32_t sprite) const;
    // The lowest zone of StartZone..EndZone that sprite is in; 0 when none.
    int32_t Check(int32_t sprite, int32_t StartZone, int32_t EndZone) const;
};

}  // namespace plm
