// Fuzzes SpriteAnimate.FileInit with arbitrary animation files, then plays every animation read.
// The first byte chooses the texture offset. A refused file must leave the table as it was; an
// accepted one must hold only records of 1..64 frames.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFolder.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "sprites/AnimationRecord.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteAnimate.h"
#include "sprites/SpriteAnimationStep.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    if (size < 1) return 0;
    plm::EngineState& st = plm::State();
    st.LogState = false;
    st.Delta = 10;
    plm::Sprite sprite;
    plm::SpriteAnimate animate;
    sprite.Init(1);
    animate.Add(3, 1, 2, 8, 8, 2, "0,0,1,0", "1,1", false);
    const float offset = static_cast<float>(static_cast<int>(data[0]) - 128) / 4.0f;
    folder.Put("a.txt", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (!animate.FileInit("a.txt", offset)) {
        if (st.Animations.size() != 3 || st.Animations(3).Length != 2 || st.Animations(3).SrcY != 2) std::abort();
        folder.CheckAndClear();
        return 0;
    }
    const int32_t total = st.Animations.size();
    if (total < 1 || total > plm::kMaxAnimationTotal) std::abort();
    for (int32_t a = 1; a <= total && a <= 16; ++a) {
        if (st.Animations(a).Length < 1 || st.Animations(a).Length > plm::kMaxAnimationFrames) std::abort();
        sprite.Activate(1, 0, 0, 1, 0, 0, 0, 0, 8, 8, false, true);
        animate.Repeat(1, a, 0.37f, false);
        for (int i = 0; i < 70; ++i) plm::StepAnimation(1);
        // The mouse pointer reads the same records.
        st.MousePointer.Enabled = true;
        st.MousePointer.Animation = a;
        st.MousePointer.Speed = 0.5f;
        plm::RenderMousePointer();
    }
    folder.CheckAndClear();
    return 0;
}
