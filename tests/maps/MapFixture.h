#pragma once
// A headless engine with a tile map: the game's board set-up by default (32-pixel tiles, 25 x 19
// cells, one 1024-pixel sheet of 31 x 31 tiles, one buffer, one layer).
#include <memory>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"
#include "maps/Map.h"
#include "sprites/Sprite.h"

namespace plmtest {

class MapTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::State().ScreenWidth = 800;
        plm::State().ScreenHeight = 600;
    }
    void Board() { map.Init(32, 32, 25, 19, 1024, 1024, 31, 31, 1, 1, 1); }
    plm::MapCell& Cell(int column, int row, int layer = 1) { return *plm::State().Map.FindCell(layer, column, row); }
    plm::Map map;
    plm::Sprite sprite;
};

// One sprite-batch draw as the recording device saw it.
struct TileDraw {
    plm::platform::SurfaceId texture;
    plm::platform::Rect src;
    plm::platform::Vec2 scaling, centre;
    float rotation;
    plm::platform::Vec2 at;
    uint32_t color;
};

// The map drawing on the recording device: texture slots 1 and 2 hold surfaces 101 and 102.
class MapDrawTest : public MapTest {
protected:
    void SetUp() override {
        MapTest::SetUp();
        plm::BuildAngleTables();
        device = std::make_shared<plm::platform::RecordingDevice>();
        plm::State().D3DDevice = device;
        plm::State().Textures.resize(4);
        for (int t : {1, 2}) {
            plm::State().Textures(t).Object = 100 + t;
            plm::State().Textures(t).Loaded = true;
        }
        plm::State().Delta = 16;
    }
    std::vector<TileDraw> Draws() const {
        std::vector<TileDraw> out;
        for (const plm::platform::Call& c : device->CallsOf(plm::platform::CallKind::SpriteDraw)) {
            const auto& f = c.floats;
            out.push_back(TileDraw{c.surfaces[0], c.rect, {f[0], f[1]}, {f[2], f[3]}, f[4], {f[5], f[6]}, c.color});
        }
        return out;
    }
    // The draws of one pass: calls are cleared first.
    template <typename F>
    std::vector<TileDraw> DrawsOf(F&& pass) {
        device->ClearCalls();
        pass();
        return Draws();
    }
    std::shared_ptr<plm::platform::RecordingDevice> device;
};

}  // namespace plmtest
