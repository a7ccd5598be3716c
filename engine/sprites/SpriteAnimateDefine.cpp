#include "sprites/SpriteAnimateDefine.h"

#include "core/EngineState.h"
#include "sprites/AnimationProcs.h"

namespace plm {

bool SpriteAnimateDefine::Add(const std::string& name, int32_t SrcX, int32_t SrcY, int32_t FrameWidth,
                              int32_t FrameHeight, int32_t AnimLength, const std::string& Frame_Parameters,
                              const std::string& Texture_Parameters, bool Reverse) {
    AnimationRecord rec;
    if (!BuildAnimation({"Error. (AnimateDefine Add)", "Error. (AnimateDefine.Add)"}, SrcX, SrcY, FrameWidth,
                        FrameHeight, AnimLength, Frame_Parameters, Texture_Parameters, Reverse, rec))
        return false;
    Table<AnimationRecord>& table = State().Animations;
    if (table.size() >= kMaxAnimationTotal) {
        LogAddError("Error. (AnimateDefine.Add)",
                    "Animation total not between 1-" + std::to_string(kMaxAnimationTotal) + ".");
        return false;
    }
    rec.Name = name;
    const int32_t index = table.size() + 1;
    table.grow(index);
    table(index) = std::move(rec);
    return true;
}

int32_t SpriteAnimateDefine::GetIndex(const std::string& name) const {
    return IndexOfName(State().Animations, name);
}

}  // namespace plm
