#pragma once
// A headless engine with a tile map: the game's board set-up by default (32-pixel tiles, 25 x 19
// cells, one 1024-pixel sheet of 31 x 31 tiles, one buffer, one layer).
#include "EngineFixture.h"
#include "core/EngineState.h"
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

}  // namespace plmtest
