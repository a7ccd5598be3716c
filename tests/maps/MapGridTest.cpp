// The tile map's grid: Init and its refusals, sizes, the tile-sheet rule, cell properties, puts,
// swaps and buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maps/MapFixture.h"

namespace {

using plm::State;
using plmtest::MapTest;

TEST_F(MapTest, InitBuildsTheBoardWithItsSizesAndFreshCells) {
    Board();
    EXPECT_EQ(map.GetWidth(), 25);
    EXPECT_EQ(map.GetHeight(), 19);
    EXPECT_EQ(map.GetPixelWidth(), 800);
    EXPECT_EQ(map.GetPixelHeight(), 608);
    EXPECT_EQ(map.GetHowManyLayers(), 1);
    EXPECT_EQ(map.GetHowManyIndexes(), 1);
    EXPECT_EQ(map.GetHowManyTextures(), 1);
    EXPECT_EQ(map.GetSourceTextureWidth(), 1024);
    EXPECT_EQ(map.GetSourceTileWidth(), 32);
    EXPECT_EQ(map.GetSourceTilesAcross(), 31);
    const plm::MapState& m = State().Map;
    EXPECT_TRUE(m.MapInitialised);
    EXPECT_EQ(m.TileSourceCount, 961);
    EXPECT_EQ(m.MapTilesAcrossToDraw, 25);
    EXPECT_EQ(m.MapTilesDownToDraw, 19);  // 600 / 32 = 18.75 rounds up
    EXPECT_EQ(m.CameraSprite, -1);
    EXPECT_EQ(m.MapBlendSrc, 5);
    EXPECT_EQ(m.MapBlendDest, 6);
    for (auto [column, row] : std::vector<std::pair<int, int>>{{0, 0}, {24, 18}}) {
        EXPECT_EQ(map.Value(column, row, 1), 0);
        EXPECT_EQ(map.Alpha(column, row, 1), 255);
        EXPECT_EQ(map.Rotate(column, row, 1), 0);
        EXPECT_EQ(map.Scaled(column, row, 1), 1.0f);
    }
    // The spare column and row stay all zero.
    EXPECT_EQ(map.Alpha(25, 0, 1), 0);
    EXPECT_EQ(map.Scaled(0, 19, 1), 0);
}

TEST_F(MapTest, InitRoundsTheWindowAndRaisesBuffersAndStartsAfresh) {
    Board();
    map.Value(3, 3, 1, 7);
    map.SetDrawArea(13, -9, 25, 17);
    map.X(40);
    map.Init(48, 48, 4, 4, 0, 0, 1, 1, 0, -3, 2);
    const plm::MapState& m = State().Map;
    EXPECT_EQ(m.MapTilesAcrossToDraw, 17);  // 800 / 48 = 16.67
    EXPECT_EQ(m.MapBufferIndexes, 1);
    EXPECT_EQ(m.TileSourceCount, 0);
    EXPECT_TRUE(m.MapInitialised);
    EXPECT_EQ(m.MapScreenX, 0);
    EXPECT_EQ(m.MapScreenY, 0);
    EXPECT_EQ(m.MapX, 0);
    EXPECT_EQ(map.Value(3, 3, 1), 0);
    EXPECT_EQ(map.Alpha(3, 3, 2), 255);
}

TEST_F(MapTest, InitRefusesWhatCannotBeBuiltAndKeepsThePreviousMap) {
    struct Case {
        int tileW, tileH, width, height, across, down, sheets, layers;
    };
    for (const Case& c : std::vector<Case>{
             {0, 32, 25, 19, 31, 31, 1, 1},  // a zero tile size divides every lookup by zero
             {32, -1, 25, 19, 31, 31, 1, 1},
             {32, 32, -1, 19, 31, 31, 1, 1},
             {32, 32, 25, -5, 31, 31, 1, 1},
             {32, 32, 25, 19, -31, 31, 1, 1},
             {32, 32, 25, 19, 31, 31, 1, 0},          // no layer
             {32, 32, 100000, 100000, 31, 31, 1, 1},  // 10^10 cells
             {32, 32, 25, 19, 31, 31, 1, 100000000},
             {100000, 32, 100000, 1, 31, 31, 1, 1},  // pixel width beyond 32 bits
             {32, 32, 25, 19, 65536, 65536, 2, 1},   // tile numbers beyond 32 bits
         }) {
        Board();
        map.Value(2, 2, 1, 5);
        std::remove(folder.file("data.log").c_str());
        map.Init(c.tileW, c.tileH, c.width, c.height, 0, 0, c.across, c.down, c.sheets, 1, c.layers);
        EXPECT_EQ(map.GetWidth(), 25) << c.tileW << " " << c.width << " " << c.layers;
        EXPECT_EQ(map.GetSourceTileWidth(), 32);
        EXPECT_EQ(map.Value(2, 2, 1), 5);
        auto log = Log();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(plmtest::Undated(log[1]), "Error: (Map.Init)");
    }
}

TEST_F(MapTest, TilesAreCutRowByRowWithOnePixelGutters) {
    map.Init(32, 32, 4, 4, 0, 0, 8, 4, 2, 1, 1);
    struct Case {
        float tile;
        int texture, x, y;
    };
    for (const Case& c : std::vector<Case>{{1, 1, 0, 0},
                                           {2, 1, 33, 0},
                                           {9, 1, 0, 33},
                                           {32, 1, 231, 99},
                                           {33, 2, 0, 0},
                                           {64.4f, 2, 231, 99},
                                           {2.5f, 1, 33, 0}}) {  // halves to even
        plm::PLMMapTileRect r = map.GetTileRect(c.tile);
        EXPECT_EQ(r.Texture, c.texture) << c.tile;
        EXPECT_EQ(r.SrcX, c.x) << c.tile;
        EXPECT_EQ(r.SrcY, c.y) << c.tile;
        EXPECT_EQ(r.Width, 32);
        EXPECT_EQ(r.Height, 32);
    }
    // Below 1, and beyond the sheets, no tile.
    for (float none : {0.5f, 0.0f, -3.0f, 64.6f, 1e9f}) {
        plm::PLMMapTileRect r = map.GetTileRect(none);
        EXPECT_EQ(r.Texture, -1) << none;
        EXPECT_EQ(r.SrcX, -1);
        EXPECT_EQ(r.Width, -1);
    }
}

TEST_F(MapTest, CellArgumentsRoundHalvesToEven) {
    Board();
    map.Value(1, 1, 1, 3.5f);
    EXPECT_EQ(Cell(1, 1).Value, 4);
    map.Value(1, 1, 1, 2.5f);
    EXPECT_EQ(Cell(1, 1).Value, 2);
    map.Value(2, 0, 1, 9);
    EXPECT_EQ(map.Value(1.5f, 0, 1), 9);  // 1.5 reads column 2
    EXPECT_EQ(map.Value(2.5f, 0, 1), 9);  // and so does 2.5
    EXPECT_EQ(map.GetAtXY(2, 0.4f, 1), 9);
    map.Alpha(4, 4, 1, 300);  // not clamped
    map.Rotate(4, 4, 1, -20);
    map.Scaled(4, 4, 1, 2);
    map.ID1(4, 4, 1, 11);
    map.ID2(4, 4, 1, -12);
    EXPECT_EQ(map.Alpha(4, 4, 1), 300);
    EXPECT_EQ(map.Rotate(4, 4, 1), -20);
    EXPECT_EQ(map.Scaled(4, 4, 1), 2);
    EXPECT_EQ(map.ID1(4, 4, 1), 11);
    EXPECT_EQ(map.ID2(4, 4, 1), -12);
}

TEST_F(MapTest, CellsOutsideTheGridReadZeroAndIgnoreWrites) {
    // Before Init there are no cells at all.
    EXPECT_EQ(map.Value(0, 0, 1), 0);
    map.PutAtXY(0, 0, 5, 255, 0, 1);
    map.Swap(0, 0, 1, 1, 1);
    map.SetScaling(0, 0, 1, 1, 0, 1, 0, 0, 1);
    EXPECT_FALSE(map.IsScaling(0, 0, 1));
    EXPECT_EQ(map.buffer(1, 0, 0), 0);
    map.buffer(1, 0, 0, 4);
    Board();
    for (auto [column, row, layer] : std::vector<std::tuple<float, float, int>>{
             {-1, 0, 1}, {26, 0, 1}, {0, 20, 1}, {0, -0.6f, 1}, {0, 0, 0}, {0, 0, 2}}) {
        map.Value(column, row, layer, 7);
        map.PutAtXY(column, row, 7, 255, 0, layer);
        map.ID1(column, row, layer, 3);
        map.SetAlphaFading(column, row, 1, 1, 0, 255, 0, 0, layer);
        EXPECT_EQ(map.Value(column, row, layer), 0);
        EXPECT_EQ(map.Alpha(column, row, layer), 0);
        EXPECT_EQ(map.ID1(column, row, layer), 0);
        EXPECT_FALSE(map.IsAlphaFading(column, row, layer));
    }
    // The spare column and row are part of the grid.
    map.Value(25, 19, 1, 6);
    EXPECT_EQ(map.Value(25, 19, 1), 6);
    // Nothing else was written.
    int written = 0;
    for (const plm::MapCell& c : State().Map.MapCells) written += c.Value != 0;
    EXPECT_EQ(written, 1);
}

TEST_F(MapTest, PendingRemovalReadsZeroWhileTheBufferCopiesTheTile) {
    Board();
    map.PutAtXY(3, 4, 12, 255, 0, 1);
    map.SetAlphaFading(3, 4, 255, -0.25f, 0, 255, 0, 8, 1);
    EXPECT_TRUE(Cell(3, 4).RemovePending);
    EXPECT_EQ(map.Value(3, 4, 1), 0);
    EXPECT_EQ(map.GetAtXY(3, 4, 1), 0);
    EXPECT_TRUE(map.MapToBuffer(1, 1));
    EXPECT_EQ(map.buffer(1, 3, 4), 12);
    // FxOff keeps the tile, which reads again.
    map.FxOff(3, 4, 1);
    EXPECT_EQ(map.Value(3, 4, 1), 12);
}

TEST_F(MapTest, PutsWriteAFreshTileAndStopEveryEffectButKeepTagsAndParameters) {
    Board();
    map.ID1(2, 2, 1, 8);
    map.ID2(2, 2, 1, 9);
    map.SetScaling(2, 2, 0.5f, 0.01f, 0.1f, 1, 300, 5, 1);  // an ending style: removal pending
    map.SetRotating(2, 2, 10, 1, 0, 360, 0, 0, 1);
    map.SetAnimating(2, 2, 0.01f, 5, 8, 0, 0, 1);
    map.SetShaking(2, 2, 3, 50, 0, 1);
    map.SetAlphaFading(2, 2, 200, -1, 0, 255, 0, 3, 1);
    map.PutAtXY(2.4f, 1.6f, 6.5f, 128, 45, 1);
    const plm::MapCell& c = Cell(2, 2);
    EXPECT_EQ(c.Value, 6);
    EXPECT_EQ(c.Alpha, 128);
    EXPECT_EQ(c.Rotate, 45);
    EXPECT_EQ(c.Scaled, 1.0f);
    EXPECT_FALSE(c.IsScaling || c.IsAlphaFading || c.IsRotating || c.IsAnimating || c.IsShaking);
    // The put ended the effect that would have emptied the cell: the new tile reads.
    EXPECT_FALSE(c.RemovePending);
    EXPECT_EQ(map.Value(2, 2, 1), 6);
    EXPECT_EQ(c.ID1, 8);
    EXPECT_EQ(c.ID2, 9);
    EXPECT_EQ(c.ScaleLength, 300);
    EXPECT_EQ(c.AnimEnd, 8);
    EXPECT_EQ(c.ShakeSpeedMS, 50);
}

TEST_F(MapTest, PutAtPixelXYWritesOnlyOnTheMap) {
    Board();
    map.PutAtPixelXY(799, 0, 3, 255, 0, 1);
    EXPECT_EQ(map.Value(24, 0, 1), 3);
    map.PutAtPixelXY(800, 0, 4, 255, 0, 1);
    map.PutAtPixelXY(-0.5f, 10, 4, 255, 0, 1);
    map.PutAtPixelXY(10, 607.5f, 4, 255, 0, 1);
    EXPECT_EQ(map.Value(25, 0, 1), 0);
    EXPECT_EQ(map.Value(0, 0, 1), 0);
    EXPECT_EQ(map.Value(0, 18, 1), 0);
    map.PutAtPixelXY(63.9f, 32, 5, 255, 0, 1);
    EXPECT_EQ(map.Value(1, 1, 1), 5);
}

TEST_F(MapTest, PutAtScreenXYWritesInsideTheWindowWithoutItsExtraTile) {
    Board();
    map.SetDrawArea(13, -9, 25, 17);
    EXPECT_TRUE(map.PutAtScreenXY(13 + 25 * 32 - 1, -9, 2, 255, 0, -1, 1));
    EXPECT_EQ(map.Value(24, 0, 1), 2);
    EXPECT_FALSE(map.IsRotating(24, 0, 1));
    EXPECT_FALSE(map.PutAtScreenXY(13 + 25 * 32, 0, 2, 255, 0, -1, 1));  // first pixel of the extra column
    EXPECT_FALSE(map.PutAtScreenXY(12, 0, 2, 255, 0, -1, 1));
    EXPECT_FALSE(map.PutAtScreenXY(20, -10, 2, 255, 0, -1, 1));
    // Through the pointer, turning the tile to face sprite 3.
    State().MouseX = 13 + 40;
    State().MouseY = -9 + 70;
    EXPECT_TRUE(map.PutAtMouse(4, 200, 0, 3, 1));
    const plm::MapCell& c = Cell(1, 2);
    EXPECT_EQ(c.Value, 4);
    EXPECT_TRUE(c.IsRotating);
    EXPECT_EQ(c.RotateStyle, 9);
    EXPECT_EQ(c.RotateLength, 3);
    // A camera set beyond the map through X: the window shows no cells there, nothing is written.
    map.X(2000);
    EXPECT_FALSE(map.PutAtScreenXY(20, 0, 2, 255, 0, -1, 1));
    map.X(-100);
    EXPECT_FALSE(map.PutAtScreenXY(20, 0, 2, 255, 0, -1, 1));
    int written = 0;
    for (const plm::MapCell& cell : State().Map.MapCells) written += cell.Value != 0;
    EXPECT_EQ(written, 2);
}

TEST_F(MapTest, PutAtSpriteWritesTheCellUnderTheSpritesPoint) {
    Board();
    sprite.Init(2);
    sprite.Activate(1, 70.7f, 40, 1, 0, 0, 0, 0, 32, 32, false, true);
    map.PutAtSprite(1, 9, 0.5f, -10, 255, 0, 2, 1);  // x = Int(71.2) = 71, y = 30
    EXPECT_EQ(map.Value(2, 0, 1), 9);
    EXPECT_EQ(Cell(2, 0).RotateStyle, 9);
    map.PutAtSprite(1, 9, -71, 0, 255, 0, -1, 1);  // x = Int(-0.3) = -1: off the map
    map.PutAtSprite(5, 9, 0, 0, 255, 0, -1, 1);    // no such sprite
    int written = 0;
    for (const plm::MapCell& c : State().Map.MapCells) written += c.Value != 0;
    EXPECT_EQ(written, 1);
}

TEST_F(MapTest, SwapExchangesWholeCellsTagsIncluded) {
    Board();
    map.PutAtXY(0, 0, 3, 100, 10, 1);
    map.ID1(0, 0, 1, 1);
    map.ID2(0, 0, 1, 2);
    map.SetAnimating(0, 0, 0.01f, 3, 6, 0, 8, 1);
    map.PutAtXY(5, 5, 7, 255, 0, 1);
    map.Swap(0, 0, 5, 5, 1);
    EXPECT_EQ(Cell(5, 5).Value, 3);
    EXPECT_EQ(Cell(5, 5).ID1, 1);
    EXPECT_EQ(Cell(5, 5).ID2, 2);
    EXPECT_TRUE(Cell(5, 5).RemovePending);
    EXPECT_TRUE(Cell(5, 5).IsAnimating);
    EXPECT_EQ(Cell(0, 0).Value, 7);
    EXPECT_EQ(Cell(0, 0).ID1, 0);
    map.Swap(5, 5, 5, 5, 1);
    EXPECT_EQ(Cell(5, 5).Value, 3);
    map.Swap(5, 5, 30, 5, 1);  // the other cell is off the grid: nothing moves
    EXPECT_EQ(Cell(5, 5).Value, 3);
}

TEST_F(MapTest, BuffersStoreAndRestoreALayer) {
    EXPECT_FALSE(map.MapToBuffer(1, 1));  // no map yet
    EXPECT_FALSE(map.BufferToMap(1, 1));
    map.Init(32, 32, 4, 3, 0, 0, 4, 4, 1, 2, 2);
    map.buffer(2, 1, 1, 5.5f);
    EXPECT_EQ(map.GetBuffer(2, 1, 1), 6);
    EXPECT_EQ(map.buffer(1, 1, 1), 0);
    map.buffer(2, 4, 3, 9);  // the spare column and row hold entries too
    EXPECT_EQ(map.buffer(2, 4, 3), 9);
    map.ID1(1, 1, 2, 4);
    map.SetShaking(1, 1, 2, 10, 0, 2);
    map.SetScaling(1, 1, 0.5f, 0.1f, 0, 1, 0, 8, 2);
    EXPECT_TRUE(map.BufferToMap(2, 2));
    const plm::MapCell& c = Cell(1, 1, 2);
    EXPECT_EQ(c.Value, 6);
    EXPECT_EQ(c.Alpha, 255);
    EXPECT_EQ(c.Scaled, 1.0f);
    EXPECT_EQ(c.ID1, 0);
    EXPECT_FALSE(c.IsShaking || c.IsScaling || c.RemovePending);
    EXPECT_EQ(Cell(4, 3, 2).Value, 0);  // whole-map operations stop at the map's own cells
    for (auto [index, layer] : std::vector<std::pair<int, int>>{{0, 1}, {3, 1}, {1, 0}, {1, 3}}) {
        EXPECT_FALSE(map.MapToBuffer(index, layer));
        EXPECT_FALSE(map.BufferToMap(index, layer));
    }
    map.PutAtXY(0, 0, 3, 255, 0, 1);
    EXPECT_TRUE(map.MapToBuffer(1, 1));
    EXPECT_EQ(map.buffer(1, 0, 0), 3);
}

}  // namespace
