#include "sprites/SpriteDefine.h"

#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "sprites/AnimationProcs.h"
#include "sprites/Sprite.h"

namespace plm {

bool SpriteDefine::Add(const std::string& name, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t XFrame,
                       int32_t YFrame, int32_t FrameWidth, int32_t FrameHeight, bool OriginTopLeft) {
    Table<SpriteDefineRecord>& table = State().SpriteDefines;
    if (table.size() >= kMaxAnimationTotal) {
        WriteLog("Index passed to SpriteDefine.Add not between 1-" + std::to_string(kMaxAnimationTotal) + ".");
        return false;
    }
    const int32_t index = table.size() + 1;
    table.grow(index);
    table(index) = SpriteDefineRecord{name, Texture, SrcX, SrcY, XFrame, YFrame, FrameWidth, FrameHeight, OriginTopLeft};
    return true;
}

bool SpriteDefine::Activate(int32_t sprite, const std::string& name, float XPos, float Ypos, bool Enabled) {
    const int32_t index = GetIndex(name);
    if (index == 0 || !State().SpriteTable.contains(sprite)) return false;
    const SpriteDefineRecord d = State().SpriteDefines(index);
    Sprite().Activate(sprite, XPos, Ypos, d.Texture, d.SrcX, d.SrcY, d.XFrame, d.YFrame, d.Width, d.Height,
                      d.OriginTopLeft, Enabled);
    return true;
}

int32_t SpriteDefine::GetIndex(const std::string& name) const {
    return IndexOfName(State().SpriteDefines, name);
}

}  // namespace plm
