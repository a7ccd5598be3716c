// The map's lookups and movement tests: world, screen and sprite points to cells at cell edges,
// off the map and off the window, grid numbers, the tiles around a sprite, and the box tests.
#include <gtest/gtest.h>

#include <vector>

#include "core/Scene.h"
#include "maps/MapFixture.h"

namespace {

using plm::State;
using plmtest::MapTest;

class MapLookupTest : public MapTest {
protected:
    void SetUp() override {
        MapTest::SetUp();
        Board();
        sprite.Init(4);
    }
    void Rxy(float x, float y) {
        State().Rx = x;
        State().Ry = y;
    }
};

TEST_F(MapLookupTest, EveryLookupBeforeInitIsOffTheMap) {
    plm::ResetState();
    sprite.Init(2);
    sprite.Activate(1, 10, 10, 1, 0, 0, 0, 0, 8, 8, true, true);
    EXPECT_EQ(map.GetAtPixelXY(0, 0, 1), -1);
    EXPECT_EQ(map.GetAtScreenXY(0, 0, 1), -1);
    EXPECT_EQ(map.GetAtMouse(1), -1);
    EXPECT_EQ(map.GetAtSprite(1, 0, 0, 1), -1);
    EXPECT_EQ(map.GetMouseToXY().X, -1);
    EXPECT_EQ(map.GetMouseToXYPixel().X, -1);
    EXPECT_EQ(map.GetSpriteToXY(1, 0, 0).X, -1);
    EXPECT_EQ(map.GetSpriteToXPixel(1, 0), -1);
    EXPECT_EQ(map.GetSpriteToYPixel(1, 0), -1);
    EXPECT_EQ(map.GetGridTile(0, 0), -1);
    EXPECT_EQ(map.GetGridTileAtSprite(1, 0, 0), -1);
    EXPECT_FALSE(map.OkToMove(0, 0, 8, 8, 0, 0, 1));
    EXPECT_FALSE(map.OkToMoveSpriteFast(1, 0, 0, 0, 0, 1));
}

TEST_F(MapLookupTest, WorldPixelsReadTheirCellAndLeaveItInRxRy) {
    map.Value(0, 0, 1, 1);
    map.Value(1, 0, 1, 2);
    map.Value(24, 18, 1, 3);
    struct Case {
        float x, y, tile, rx, ry;
    };
    for (const Case& c : std::vector<Case>{{31.9f, 0, 1, 0, 0},
                                           {32, 0, 2, 1, 0},
                                           {799, 607, 3, 24, 18},  // the map's last pixel
                                           {799.5f, 0, -1, 7, 7},  // past it: the test is on the single
                                           {-0.5f, 0, -1, 7, 7},   // off the map: Rx, Ry untouched
                                           {800, 0, -1, 7, 7},
                                           {0, 608, -1, 7, 7}}) {
        Rxy(7, 7);
        EXPECT_EQ(map.GetAtPixelXY(c.x, c.y, 1), c.tile) << c.x << "," << c.y;
        EXPECT_EQ(State().Rx, c.rx) << c.x;
        EXPECT_EQ(State().Ry, c.ry) << c.y;
    }
    EXPECT_EQ(map.GetAtPixelXY(40, 0, 2), -1);  // no layer 2
}

TEST_F(MapLookupTest, ScreenPixelsReadThroughTheCameraAndTheDrawnWindow) {
    map.SetDrawArea(13, -9, 25, 17);
    map.Value(0, 0, 1, 4);
    map.Value(25, 0, 1, 5);  // the spare column, drawn as the window's extra tile
    map.Value(2, 1, 1, 6);
    EXPECT_EQ(map.GetAtScreenXY(13, -9, 1), 4);
    EXPECT_EQ(map.GetAtScreenXY(13 + 26 * 32 - 1, -9, 1), 5);  // 844: the extra column's last pixel
    EXPECT_EQ(map.GetAtScreenXY(845, -9, 1), -1);
    EXPECT_EQ(map.GetAtScreenXY(12.9f, 0, 1), -1);
    EXPECT_EQ(map.GetAtScreenXY(13, -9 + 18 * 32, 1), -1);
    map.X(40.7f);  // Int(MapX) = 40: screen x 13 + 24 shows world x 64
    map.Y(10);
    EXPECT_EQ(map.GetAtScreenXY(13 + 24, -9 + 22, 1), 6);
    EXPECT_EQ(map.GetAtScreenXY(13 + 23, -9 + 22, 1), 0);
    // A camera set beyond the map through the lets: the window shows no cells there.
    map.X(-64);
    EXPECT_EQ(map.GetAtScreenXY(13, -9 + 22, 1), -1);
    map.X(5000);
    EXPECT_EQ(map.GetAtScreenXY(13, -9 + 22, 1), -1);
    // Through the pointer.
    map.X(0);
    map.Y(0);
    State().MouseX = 13 + 64;
    State().MouseY = -9 + 32;
    EXPECT_EQ(map.GetAtMouse(1), 6);
}

TEST_F(MapLookupTest, ThePointerIsRoundedBeforeItBecomesACell) {
    map.SetDrawArea(13, 0, 25, 17);
    struct Case {
        float mx, my, x, y, px, py;
    };
    for (const Case& c : std::vector<Case>{{44.5f, 0, 0, 0, 0, 0},   // 44.5 rounds to 44: 31 / 32
                                           {45.5f, 0, 1, 0, 32, 0},  // 45.5 rounds to 46
                                           {13, 575, 0, 17, 0, 544},
                                           {844, 0, 25, 0, 800, 0},  // the extra column
                                           {12, 0, -1, 0, -1, 0},    // left of the draw area
                                           {845, 0, -1, 0, -1, 0},
                                           {20, -0.6f, -1, 0, -1, 0}}) {
        State().MouseX = c.mx;
        State().MouseY = c.my;
        plm::PLMXY cell = map.GetMouseToXY(), pixel = map.GetMouseToXYPixel();
        EXPECT_EQ(cell.X, c.x) << c.mx;
        EXPECT_EQ(cell.Y, c.y) << c.my;
        EXPECT_EQ(pixel.X, c.px) << c.mx;
        EXPECT_EQ(pixel.Y, c.py) << c.my;
    }
    // A camera left of the map (set through X): the pointer converts to columns left of it.
    map.X(-64);
    State().MouseX = 13 + 40;
    State().MouseY = 40;
    EXPECT_EQ(map.GetMouseToXY().X, -1);
    EXPECT_EQ(map.GetMouseToXY().Y, 1);
    EXPECT_EQ(map.GetMouseToXYPixel().X, -32);
    EXPECT_EQ(map.GetMouseToXYPixel().Y, 32);
}

TEST_F(MapLookupTest, SpritePointsTakeTheWholePixelFirst) {
    sprite.Activate(1, 70.7f, 40.2f, 1, 0, 0, 0, 0, 16, 16, false, true);
    map.Value(2, 1, 1, 8);
    EXPECT_EQ(map.GetSpriteToXPixel(1, 0), 64);
    EXPECT_EQ(map.GetSpriteToYPixel(1, 0), 32);
    EXPECT_EQ(map.GetSpriteToXPixel(1, -71), -1);  // Int(-0.3) = -1
    EXPECT_EQ(map.GetSpriteToYPixel(1, 568), -1);  // 608
    EXPECT_EQ(map.GetAtSprite(1, 0, 0, 1), 8);
    EXPECT_EQ(map.GetAtSprite(1, 0, -9, 1), 0);    // y = 31: row 0
    EXPECT_EQ(map.GetAtSprite(1, 730, 0, 1), -1);  // x = 800
    EXPECT_EQ(map.GetAtSprite(3, 0, 0, 1), 0);     // sprite 3 is at (0, 0)
    EXPECT_EQ(map.GetAtSprite(9, 0, 0, 1), -1);    // no sprite 9
    plm::PLMXY cell = map.GetSpriteToXY(1, 0, 0), pixel = map.GetSpriteToXYPixel(1, 0, 0);
    EXPECT_EQ(cell.X, 2);
    EXPECT_EQ(cell.Y, 1);
    EXPECT_EQ(pixel.X, 64);
    EXPECT_EQ(pixel.Y, 32);
    cell = map.GetSpriteToXY(1, -100, 0);
    EXPECT_EQ(cell.X, -1);
    EXPECT_EQ(cell.Y, 0);
    EXPECT_EQ(map.GetGridTileAtSprite(1, 0, 0), 1 * 25 + 2);
    EXPECT_EQ(map.GetGridTile(31.9f, 32), 25);
    EXPECT_EQ(map.GetGridTile(799, 607), 24 + 18 * 25);
    EXPECT_EQ(map.GetGridTile(800, 0), -1);
}

TEST_F(MapLookupTest, APendingRemovalReadsZeroInEveryLookup) {
    map.PutAtXY(1, 1, 9, 255, 0, 1);
    map.SetScaling(1, 1, 1, -0.001f, 0.1f, 1, 0, 8, 1);
    sprite.Activate(1, 40, 40, 1, 0, 0, 0, 0, 16, 16, true, true);
    State().MouseX = 40;
    State().MouseY = 40;
    EXPECT_EQ(map.GetAtPixelXY(40, 40, 1), 0);
    EXPECT_EQ(map.GetAtScreenXY(40, 40, 1), 0);
    EXPECT_EQ(map.GetAtMouse(1), 0);
    EXPECT_EQ(map.GetAtSprite(1, 0, 0, 1), 0);
    EXPECT_TRUE(map.OkToMove(33, 33, 16, 16, 0, 0, 1));  // the cell counts as free
    EXPECT_TRUE(map.OkToMoveSpriteFast(1, 0, 0, 0, 0, 1));
}

TEST_F(MapLookupTest, TheInfoLineShowsTheTileUnderThePointer) {
    map.Value(2, 1, 1, 33);
    State().MouseX = 70;
    State().MouseY = 40;
    EXPECT_NE(plm::SceneInfoLine().find(" Map= 0/0 Tile= 33"), std::string::npos) << plm::SceneInfoLine();
    State().MouseX = -5;
    EXPECT_NE(plm::SceneInfoLine().find(" Tile= -1"), std::string::npos);
}

TEST_F(MapLookupTest, TilesAroundASpriteAreReadOnePixelOutsideItsMovementBox) {
    // A 32 x 32 box at (64, 64): cell (2, 2). Its neighbours carry their own numbers.
    sprite.Activate(1, 64, 64, 1, 0, 0, 0, 0, 32, 32, true, true);
    for (int column = 1; column <= 3; ++column)
        for (int row = 1; row <= 3; ++row) map.Value(column, row, 1, column * 10 + row);
    plm::PLMMapTileCheck four = map.GetSpriteTile(1, false, 1);
    EXPECT_EQ(four.Left, 12);
    EXPECT_EQ(four.Right, 32);
    EXPECT_EQ(four.Up, 21);
    EXPECT_EQ(four.Down, 23);
    EXPECT_EQ(four.Middle, 22);
    EXPECT_EQ(four.UpLeft, 0);  // not probed without EightWay
    EXPECT_EQ(four.DownRight, 0);
    plm::PLMMapTileCheck eight = map.GetSpriteTile(1, true, 1);
    EXPECT_EQ(eight.UpLeft, 11);
    EXPECT_EQ(eight.UpRight, 31);
    EXPECT_EQ(eight.DownLeft, 13);
    EXPECT_EQ(eight.DownRight, 33);
    // A box at the map's corner: -1 marks the edge.
    map.SetOkToMoveSprite(1, -64, -64, 32, 32);
    plm::PLMArea box = map.GetOkToMoveSprite(1);
    EXPECT_EQ(box.XOffset, -64);
    EXPECT_EQ(box.Width, 32);
    plm::PLMMapTileCheck corner = map.GetSpriteTile(1, true, 1);
    EXPECT_EQ(corner.Left, -1);
    EXPECT_EQ(corner.Up, -1);
    EXPECT_EQ(corner.UpLeft, -1);
    EXPECT_EQ(corner.Right, 0);
}

TEST_F(MapLookupTest, BoxTestsReadFourCornersAndOnLargeBoxesTheSideMiddles) {
    // One blocking tile at cell (1, 0).
    map.Value(1, 0, 1, 5);
    Rxy(9, 9);
    EXPECT_TRUE(map.OkToMove(0, 0, 32, 32, 0, 0, 1));  // four points, all in cell (0, 0)
    EXPECT_EQ(State().Rx, 0);
    // 33 wide: the corners reach cell 1, which blocks at the second point.
    EXPECT_FALSE(map.OkToMove(0, 0, 33, 32, 0, 0, 1));
    EXPECT_EQ(map.NotOkToMoveX(), 1);
    EXPECT_EQ(map.NotOkToMoveY(), 0);
    EXPECT_TRUE(map.OkToMove(0, 0, 33, 32, 0, 5, 1));
    // Eight points: the test ends at the left side's middle (0, 16), after the corner at (32, 31).
    EXPECT_EQ(State().Rx, 0);
    EXPECT_EQ(State().Ry, 0);
    // 80 wide: only the top side's middle (40, 0) lies on the blocking cell.
    map.Value(1, 0, 1, 0);
    map.Value(1, 0, 1, 5);
    EXPECT_FALSE(map.OkToMove(0, 0, 80, 16, 0, 0, 1));
    EXPECT_EQ(map.NotOkToMoveX(), 1);
    map.Value(1, 0, 1, 0);
    map.Value(1, 1, 1, 5);
    EXPECT_TRUE(map.OkToMove(0, 0, 80, 32, 0, 0, 1));  // no point lands in cell (1, 1)
    // Off the map the first point fails and Rx, Ry stay as they were.
    Rxy(7, 7);
    EXPECT_FALSE(map.OkToMove(-1, 0, 10, 10, 0, 0, 1));
    EXPECT_EQ(State().Rx, 7);
    EXPECT_EQ(State().Ry, 7);
    EXPECT_TRUE(map.OkToMove(-1, 0, 10, 10, -1, 0, 1));  // unless -1 is a passable tile
}

TEST_F(MapLookupTest, SpriteBoxesMoveScaleAndReadWithOrWithoutTheRangeTest) {
    sprite.Activate(1, 10, 10, 1, 0, 0, 0, 0, 20, 20, true, true);
    map.Value(1, 0, 1, 3);
    EXPECT_TRUE(map.OkToMoveSprite(1, 0, 0, 0, 0, 1));   // 10..29
    EXPECT_FALSE(map.OkToMoveSprite(1, 5, 0, 0, 0, 1));  // 15..34 reaches cell 1
    EXPECT_EQ(map.NotOkToMoveX(), 1);
    sprite.Scaled(1, 1.2f);  // 24 wide: 10..33
    EXPECT_FALSE(map.OkToMoveSprite(1, 0, 0, 0, 0, 1));
    sprite.Scaled(1, 1);
    map.SetOkToMoveSprite(1, 2, 2, 8, 8);  // 12..19 after a move of 13: 25..32
    EXPECT_FALSE(map.OkToMoveSprite(1, 13, 0, 0, 0, 1));
    EXPECT_TRUE(map.OkToMoveSprite(1, 12, 0, 0, 0, 1));
    EXPECT_FALSE(map.OkToMoveSpriteFast(1, 13, 0, 0, 0, 1));
    EXPECT_EQ(map.NotOkToMoveX(), 1);
    EXPECT_EQ(map.NotOkToMoveY(), 0);
    // The fast test sets Rx, Ry at every point, also off the map, where it reads -1.
    EXPECT_FALSE(map.OkToMoveSpriteFast(1, -20, 0, 0, 0, 1));
    EXPECT_EQ(map.NotOkToMoveX(), -1);
    EXPECT_FALSE(map.OkToMoveSprite(1, 0, 0, 0, 0, 2));  // no layer 2
    EXPECT_FALSE(map.OkToMoveSprite(9, 0, 0, 0, 0, 1));  // no sprite 9
}

}  // namespace
