#pragma once
// Named animations: appended to the animation table and found again by name.
#include <cstdint>
#include <string>

namespace plm {

class SpriteAnimateDefine {
public:
    // Appends an animation named name (no check for a name already there), with the checks and
    // the fill of SpriteAnimate.Add. After Sprite.Init the first one gets index 2.
    bool Add(const std::string& name, int32_t SrcX, int32_t SrcY, int32_t FrameWidth, int32_t FrameHeight,
             int32_t AnimLength, const std::string& Frame_Parameters, const std::string& Texture_Parameters,
             bool Reverse);
    // The lowest index whose name equals name ignoring letter case; 0 when none. A record never
    // named has the name "", so "" finds the first such record.
    int32_t GetIndex(const std::string& name) const;
};

}  // namespace plm
