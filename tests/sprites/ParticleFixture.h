#pragma once
// Sprites, emitters and explosions on the recording device: texture 1 holds the sprites, texture
// 3 the particles; Delta is 10 ms and the seed fixed.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "EngineFixture.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpritePFX.h"

namespace plmtest {

namespace pf = plm::platform;

constexpr pf::SurfaceId kSpriteSurface = 101, kParticleSurface = 103;

class ParticleTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        device = std::make_shared<pf::RecordingDevice>();
        plm::State().D3DDevice = device;
        plm::State().Textures.resize(4);
        plm::State().Textures(1).Object = kSpriteSurface;
        plm::State().Textures(3).Object = kParticleSurface;
        plm::State().Textures(1).Loaded = plm::State().Textures(3).Loaded = true;
        plm::State().Delta = 10.0f;
        sprite.Init(8);
        pfx.Init(3, 300, 2);
    }
    void On(int s, float x, float y) { sprite.Activate(s, x, y, 1, 0, 0, 0, 0, 32, 32, false, true); }

    // A custom emitter of movement kind `kind` whose particles live long (alpha 255 falling
    // 0.01 per ms), emitting every `delay` ms, drifting right at xSpeed.
    void Emitter(int s, int kind, float total, float delay, bool leaveOn = false, float xSpeed = 0.1f,
                 bool onTop = false) {
        pfx.ParticleOnCustom(s, kind, 0, 0, onTop, 1.0f, total, delay, 3, 10, 20, 16, 16, 255, -0.01f, 0, 1, 1, false,
                             1, xSpeed, 0, 0, 0, false, false, 0, false, leaveOn, 255, 255, 255, 5, 2);
    }
    // Runs one frame of the sprite pass and returns the particle draws it made.
    std::vector<pf::Call> Frame() {
        device->ClearCalls();
        plm::ForgetBlend();
        sprite.Render();
        return ParticleDraws();
    }
    std::vector<pf::Call> ParticleDraws() const {
        std::vector<pf::Call> out;
        for (const pf::Call& c : device->CallsOf(pf::CallKind::SpriteDraw))
            if (c.surfaces[0] == kParticleSurface) out.push_back(c);
        return out;
    }
    int Living(int s) {
        int n = 0;
        for (int i = 1; i <= 100; ++i) n += plm::State().SpriteTable(s).Particle[static_cast<size_t>(i)].Alpha > 0;
        return n;
    }
    plm::SpriteRecord& Row(int s) { return plm::State().SpriteTable(s); }

    std::shared_ptr<pf::RecordingDevice> device;
    plm::Sprite sprite;
    plm::SpriteEngine engine;
    plm::SpritePFX pfx;
};

}  // namespace plmtest
