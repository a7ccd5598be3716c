#pragma once
// A sprite table of ten 32 x 32 sprites with the angle tables built, a fixed Delta and seed, and
// helpers that run whole Sprite.Render frames (no device: nothing is drawn).
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace plmtest {

class BehaviourTest : public EngineTest {
public:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        sprite.Init(10);
        plm::State().Delta = 10.0f;
    }

    // Sprite s on at (x, y), centred, 32 x 32.
    void On(int32_t s, float x, float y) { sprite.Activate(s, x, y, 1, 0, 0, 0, 0, 32, 32, false, true); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) sprite.Render();
    }
    plm::SpriteRecord& Row(int32_t s) { return plm::State().SpriteTable(s); }
    void SetDelta(float d) { plm::State().Delta = d; }

    plm::Sprite sprite;
    plm::SpriteEngine engine;
};

}  // namespace plmtest
