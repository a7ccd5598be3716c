#pragma once
// Named sprite templates: an image (texture, grid origin, frame column and row, frame size) and
// its origin rule, stored once and used to start any sprite.
#include <cstdint>
#include <string>

namespace plm {

class SpriteDefine {
public:
    // Appends a template named name; false when the table is full (16384 templates).
    bool Add(const std::string& name, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t XFrame, int32_t YFrame,
             int32_t FrameWidth, int32_t FrameHeight, bool OriginTopLeft);
    // Starts sprite at (XPos, Ypos) with the image of the first template named name (ignoring
    // letter case), as Sprite.Activate does: the reset defaults follow the image. False, and the
    // sprite untouched, when no template has the name or the sprite is outside the table.
    bool Activate(int32_t sprite, const std::string& name, float XPos, float Ypos, bool Enabled);
    // The lowest index of a template named name (ignoring case); 0 when none.
    int32_t GetIndex(const std::string& name) const;
};

}  // namespace plm
