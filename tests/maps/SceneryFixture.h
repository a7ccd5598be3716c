#pragma once
// A headless engine drawing into a recording device, with the angle tables built, a texture table
// whose slots hold textures of chosen sizes, and the sprite-batch draws read back as records.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"

namespace plmtest {

namespace pf = plm::platform;

// One sprite-batch draw (plain or transformed) as the recording device saw it.
struct BatchDraw {
    pf::SurfaceId texture = 0;
    pf::Rect src;
    pf::Vec2 scaling, centre;
    float rotation = 0;
    pf::Vec2 translation;
    pf::Matrix4 matrix;
    uint32_t color = 0;
};

class SceneryTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        device = std::make_shared<pf::RecordingDevice>();
        plm::State().D3DDevice = device;
        plm::State().Textures.resize(8);
    }

    // Slot `slot` holds a w x h texture; returns its surface.
    pf::SurfaceId Load(int slot, int w, int h) {
        plm::TextureSlot& t = plm::State().Textures(slot);
        t.Object = device->CreateTexture(w, h, false);
        t.Loaded = true;
        t.Width = w;
        t.Height = h;
        return t.Object;
    }

    std::vector<BatchDraw> Draws() const {
        std::vector<BatchDraw> out;
        for (const pf::Call& c : device->Calls()) {
            BatchDraw d;
            if (c.kind == pf::CallKind::SpriteDraw) {
                const auto& f = c.floats;
                d.scaling = {f[0], f[1]};
                d.centre = {f[2], f[3]};
                d.rotation = f[4];
                d.translation = {f[5], f[6]};
            } else if (c.kind == pf::CallKind::SpriteDrawTransform) {
                d.matrix = c.matrix;
                d.translation = {c.matrix.m[3][0], c.matrix.m[3][1]};
            } else {
                continue;
            }
            d.texture = c.surfaces[0];
            d.src = c.rect;
            d.color = c.color;
            out.push_back(d);
        }
        return out;
    }

    std::vector<std::pair<int64_t, int64_t>> RenderStates() const {
        std::vector<std::pair<int64_t, int64_t>> out;
        for (const pf::Call& c : device->CallsOf(pf::CallKind::SetRenderState)) out.emplace_back(c.ints[0], c.ints[1]);
        return out;
    }

    std::shared_ptr<pf::RecordingDevice> device;
};

}  // namespace plmtest
