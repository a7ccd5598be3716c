// The map's camera and drawing on the recording device: the window of the game's board, the
// draw of one cell, the blend cache, the camera's clamps and edge flags, the camera sprite, the
// flat draws, and windows that reach beyond the grid.
#include <gtest/gtest.h>

#include <vector>

#include "core/DrawProcs.h"
#include "maps/MapFixture.h"

namespace {

using plm::State;
using plmtest::MapDrawTest;
using plmtest::TileDraw;
namespace pf = plm::platform;

class MapRenderTest : public MapDrawTest {
protected:
    // The game's board, every cell of the map holding its own tile number.
    void FilledBoard() {
        Board();
        map.SetDrawArea(13, -9, 25, 17);
        for (int row = 0; row < 19; ++row)
            for (int column = 0; column < 25; ++column) map.Value(column, row, 1, Tile(column, row));
    }
    static int Tile(int column, int row) { return 1 + column + row * 25; }
    // A large map for the camera: 100 x 100 tiles of 32, a window of 25 x 17.
    void LargeMap() {
        map.Init(32, 32, 100, 100, 0, 0, 4, 4, 1, 1, 1);
        map.SetDrawArea(0, 0, 25, 17);
    }
};

TEST_F(MapRenderTest, TheBoardDrawsOneTilePerNonEmptyCellOfTheWindowOneLargerEachWay) {
    FilledBoard();
    map.PutAtXY(25, 0, 7, 255, 0, 1);  // the spare column belongs to the window's extra tile
    auto d = DrawsOf([&] { map.Render(1); });
    // Columns 0..25 and rows 0..17; column 25 holds a tile only in row 0.
    ASSERT_EQ(d.size(), 25u * 18u + 1u);
    size_t i = 0;
    for (int row = 0; row <= 17; ++row)
        for (int column = 0; column <= 25; ++column) {
            if (column == 25 && row > 0) continue;
            const TileDraw& t = d[i++];
            const int n = column == 25 ? 7 : Tile(column, row);
            SCOPED_TRACE(testing::Message() << "cell " << column << "," << row);
            EXPECT_EQ(t.texture, 101u);
            EXPECT_EQ(t.src.left, 33 * ((n - 1) % 31));
            EXPECT_EQ(t.src.top, 33 * ((n - 1) / 31));
            EXPECT_EQ(t.src.right, t.src.left + 32);
            EXPECT_EQ(t.src.bottom, t.src.top + 32);
            EXPECT_EQ(t.scaling.x, 1.0f);
            EXPECT_EQ(t.scaling.y, 1.0f);
            EXPECT_EQ(t.centre.x, 16.0f);
            EXPECT_EQ(t.centre.y, 16.0f);
            EXPECT_EQ(t.rotation, 0.0f);
            // The first tile's centre is at (29, 7): its corner at (13, -9).
            EXPECT_EQ(t.at.x, 13.0f + 32 * column);
            EXPECT_EQ(t.at.y, -9.0f + 32 * row);
            EXPECT_EQ(t.color, 0xFFFFFFFFu);
        }
}

TEST_F(MapRenderTest, ACellIsScaledAndTurnedAboutItsCentreInItsAlpha) {
    FilledBoard();
    struct Case {
        float scale, rotate, alpha;
        float atX, atY, centre;
        int degrees;
        uint32_t color;
    };
    for (const Case& c : std::vector<Case>{
             {0.5f, 90, 128, 13 + 64 + 8, -9 + 32 + 8, 8, 90, 0x80FFFFFFu},
             {1.5f, 45.7f, 255.9f, 13 + 64 - 8, -9 + 32 - 8, 24, 45, 0xFFFFFFFFu},
             {0.3f, 800, 300, 13 + 64 + 11, -9 + 32 + 11, 16 * 0.3f, 80, 0xFFFFFFFFu},  // wrapped; limited
             {1, -90, -5, 13 + 64, -9 + 32, 16, 270, 0x00FFFFFFu},
         }) {
        map.Scaled(2, 1, 1, c.scale);
        map.Rotate(2, 1, 1, c.rotate);
        map.Alpha(2, 1, 1, c.alpha);
        auto d = DrawsOf([&] { map.Render(1); });
        const TileDraw& t = d[25 + 2];  // row 1, column 2 (row 0's spare cell is empty)
        SCOPED_TRACE(testing::Message() << "scale " << c.scale);
        EXPECT_EQ(t.scaling.x, c.scale);
        EXPECT_EQ(t.centre.x, c.centre);
        EXPECT_EQ(t.centre.y, c.centre);
        EXPECT_EQ(t.at.x, c.atX);  // Int(k * 32 + StartScreenX - 16 * scale)
        EXPECT_EQ(t.at.y, c.atY);
        EXPECT_EQ(t.rotation, State().DegreeToRadTable[c.degrees]);
        EXPECT_EQ(t.color, c.color);
    }
}

TEST_F(MapRenderTest, BlendStatesReachTheDeviceOnlyWhenTheyChange) {
    FilledBoard();
    auto states = [&] {
        std::vector<std::pair<int64_t, int64_t>> out;
        for (const pf::Call& c : device->CallsOf(pf::CallKind::SetRenderState)) out.emplace_back(c.ints[0], c.ints[1]);
        return out;
    };
    using States = std::vector<std::pair<int64_t, int64_t>>;
    map.Render(1);
    EXPECT_EQ(states(), (States{{19, 5}, {20, 6}}));
    device->ClearCalls();
    map.RenderFast(1);
    map.Render(1);
    EXPECT_TRUE(states().empty());
    map.SetRenderState(5, 2);
    map.RenderFastFrom(0, 0, 255, 255, 1);
    EXPECT_EQ(states(), (States{{20, 2}}));
    // Scene.Begin forgets them: the next draw sends both.
    plm::ForgetBlend();
    device->ClearCalls();
    map.RenderAll(1);
    EXPECT_EQ(states(), (States{{19, 5}, {20, 2}}));
}

TEST_F(MapRenderTest, SetXYClampsTheCameraAndReportsTheEdges) {
    LargeMap();
    struct Case {
        float x, y;
        float mapX, mapY;
        float top, right, bottom, left;
    };
    for (const Case& c : std::vector<Case>{
             {-10, 5, 0, 5, 0, 0, 0, 1},
             {10.5f, 0, 10.5f, 0, 0, 0, 0, 0},  // inside: the fraction stays
             {1e6f, 1e6f, 3200 - 800, 3200 - 544, 0, 1, 1, 0},
             {-0.5f, -0.5f, 0, 0, 1, 0, 0, 1},
             {2400.5f, 0, 2400.5f, 0, 0, 0, 0, 0},  // Int 2400 + 800 is not beyond 3200
             {2401, 0, 2400, 0, 0, 1, 0, 0},
         }) {
        plm::PLMRect f = map.SetXY(c.x, c.y);
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(map.X(), c.mapX);
        EXPECT_EQ(map.Y(), c.mapY);
        EXPECT_EQ(f.top, c.top);
        EXPECT_EQ(f.Right, c.right);
        EXPECT_EQ(f.Bottom, c.bottom);
        EXPECT_EQ(f.Left, c.left);
    }
}

TEST_F(MapRenderTest, MoveByMovesWithDeltaAndClamps) {
    LargeMap();
    State().Delta = 16;
    plm::PLMRect f = map.MoveBy(2, 0, true);
    EXPECT_EQ(map.X(), 32);
    EXPECT_EQ(f.Right + f.Left + f.top + f.Bottom, 0);
    map.MoveBy(-0.5f, 3, false);
    EXPECT_EQ(map.X(), 31.5f);
    EXPECT_EQ(map.Y(), 3);
    f = map.MoveBy(-40, -10, false);
    EXPECT_EQ(map.X(), 0);
    EXPECT_EQ(map.Y(), 0);
    EXPECT_EQ(f.Left, 1);
    EXPECT_EQ(f.top, 1);
    f = map.MoveBy(1e5f, 1e5f, false);
    EXPECT_EQ(map.X(), 2400);
    EXPECT_EQ(map.Y(), 3200 - 544);
    EXPECT_EQ(f.Right, 1);
    EXPECT_EQ(f.Bottom, 1);
}

TEST_F(MapRenderTest, OnAMapNarrowerThanTheWindowSetXYAndMoveByDiffer) {
    map.Init(32, 32, 10, 10, 0, 0, 4, 4, 1, 1, 1);
    map.SetDrawArea(0, 0, 25, 17);
    plm::PLMRect f = map.SetXY(5, 5);
    EXPECT_EQ(map.X(), 320 - 800);
    EXPECT_EQ(map.Y(), 320 - 544);
    EXPECT_EQ(f.Right, 1);
    EXPECT_EQ(f.Bottom, 1);
    map.X(0);
    map.Y(0);
    f = map.MoveBy(5, 5, false);
    EXPECT_EQ(map.X(), 0);
    EXPECT_EQ(map.Y(), 320 - 544);
    EXPECT_EQ(f.Right, 1);
    EXPECT_EQ(f.Left, 1);
    EXPECT_EQ(f.Bottom, 1);
    // The window reaches outside the grid on every side: only the grid's cells are drawn.
    map.Value(0, 0, 1, 1);
    map.Value(10, 10, 1, 2);
    auto d = DrawsOf([&] { map.Render(1); });
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].at.y, 544 - 320);
}

TEST_F(MapRenderTest, ScrollingStartsAtTheCameraTileWithItsRemainder) {
    LargeMap();
    map.ScreenX(5);
    map.Value(0, 0, 1, 1);
    map.Value(1, 0, 1, 2);
    map.SetXY(10.5f, 0);
    auto d = DrawsOf([&] { map.Render(1); });
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].at.x, 5 - 10 + 16 - 16);  // first centre at MapScreenX - 10 + 16
    EXPECT_EQ(d[1].at.x, 5 - 10 + 32);
    map.SetXY(40, 33);  // column 1, row 1 first; cell (1, 0) is above the window
    d = DrawsOf([&] { map.Render(1); });
    EXPECT_TRUE(d.empty());
    map.Value(1, 1, 1, 3);
    d = DrawsOf([&] { map.Render(1); });
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].at.x, 5 - 8);
    EXPECT_EQ(d[0].at.y, -1);
}

TEST_F(MapRenderTest, TheCameraFollowsItsSprite) {
    LargeMap();
    sprite.Init(3);
    sprite.Activate(1, 400, 300, 1, 0, 0, 0, 0, 32, 32, false, true);
    map.SetCameraOnSprite(1);
    map.UpdateCamera(1);
    EXPECT_EQ(map.X(), 0);   // 400 - 400
    EXPECT_EQ(map.Y(), 28);  // 300 - 272
    sprite.Activate(2, 1000.7f, 1000, 1, 0, 0, 0, 0, 40, 20, true, true);
    sprite.Scaled(2, 2);
    map.SetCameraOnSprite(2);
    map.Render(1);  // a draw follows the sprite first
    EXPECT_EQ(map.X(), 1000 - 400 + 40);
    EXPECT_EQ(map.Y(), 1000 - 272 + 20);
    sprite.X(2, 5000);
    map.RenderFast(1);
    EXPECT_EQ(map.X(), 2400);  // clamped as SetXY clamps
    // No camera sprite, or one that does not exist: the camera stays.
    map.SetCameraOnSprite(0);
    sprite.X(2, 100);
    map.Render(1);
    EXPECT_EQ(map.X(), 2400);
    map.SetCameraOnSprite(9);
    map.Render(1);
    EXPECT_EQ(map.X(), 2400);
    // The flat draws from a given position move no camera.
    map.SetCameraOnSprite(2);
    map.RenderFastFrom(0, 0, 255, 255, 1);
    EXPECT_EQ(map.X(), 2400);
}

TEST_F(MapRenderTest, RenderFastDrawsFlatFromTheCornerAndShowsPendingRemovals) {
    FilledBoard();
    map.SetDrawArea(0, 0, 20, 17);
    map.Scaled(1, 0, 1, 0.5f);
    map.Rotate(1, 0, 1, 90);
    map.Alpha(1, 0, 1, 100);
    map.SetAlphaFading(1, 0, 100, 0, 0, 255, 0, 8, 1);  // pending removal: reads 0, still drawn
    map.SetXY(4, 0);
    auto d = DrawsOf([&] { map.RenderFast(1); });
    ASSERT_EQ(d.size(), 21u * 18u);
    EXPECT_EQ(d[1].at.x, 32 - 4);
    EXPECT_EQ(d[1].at.y, 0);
    EXPECT_EQ(d[1].scaling.x, 1.0f);
    EXPECT_EQ(d[1].centre.x, 16.0f);
    EXPECT_EQ(d[1].rotation, 0.0f);
    EXPECT_EQ(d[1].color, 0x64FFFFFFu);
    EXPECT_EQ(State().Map.FindCell(1, 1, 0)->Alpha, 100);  // no effect ran
}

TEST_F(MapRenderTest, RenderFastFromDrawsTheWindowSeenFromAPositionInOneGrey) {
    FilledBoard();
    map.SetDrawArea(0, 0, 25, 17);
    map.X(300);
    map.Y(40);
    auto d = DrawsOf([&] { map.RenderFastFrom(0, 0, 128, 255, 1); });
    ASSERT_EQ(d.size(), 25u * 18u);
    EXPECT_EQ(d[0].at.x, 0);
    EXPECT_EQ(d[0].at.y, 0);
    EXPECT_EQ(d[0].src.left, 0);  // tile 1
    EXPECT_EQ(d[0].color, 0x80FFFFFFu);
    EXPECT_EQ(map.X(), 300);
    d = DrawsOf([&] { map.RenderFastFrom(40.9f, 0, 127.5f, 64.5f, 1); });  // halves to even
    EXPECT_EQ(d[0].at.x, -8);
    EXPECT_EQ(d[0].src.left, 33);  // tile 2
    EXPECT_EQ(d[0].color, 0x80404040u);
    map.buffer(1, 0, 0, 40);
    d = DrawsOf([&] { map.RenderFastFromBuffer(1, 0, 0, 255, 255); });
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].src.left, 33 * 8);
    EXPECT_EQ(d[0].src.top, 33);
    EXPECT_EQ(d[0].centre.x, 16.0f);
    EXPECT_TRUE(DrawsOf([&] { map.RenderFastFromBuffer(2, 0, 0, 255, 255); }).empty());
}

TEST_F(MapRenderTest, DrawsSkipWhatLiesOutsideTheGridTheSheetsOrTheTextures) {
    FilledBoard();
    map.SetDrawArea(0, 0, 25, 17);
    map.X(-64);  // two columns left of the map, set without clamping
    map.Y(-32);
    auto d = DrawsOf([&] { map.Render(1); });
    EXPECT_EQ(d.size(), 24u * 17u);
    EXPECT_EQ(d[0].at.x, 64);
    EXPECT_EQ(d[0].at.y, 32);
    map.X(5000);
    EXPECT_TRUE(DrawsOf([&] { map.Render(1); }).empty());
    map.X(0);
    map.Y(0);
    map.SetDrawArea(0, 0, 1000000, 1000000);  // far larger than the map: its cells only
    EXPECT_EQ(DrawsOf([&] { map.Render(1); }).size(), 25u * 19u);
    map.SetDrawArea(0, 0, 1, 0);
    map.Value(0, 0, 1, 962);  // beyond the sheet's 961 tiles
    map.Value(1, 0, 1, -4);
    EXPECT_TRUE(DrawsOf([&] { map.Render(1); }).empty());
    State().Textures(1).Object = pf::kNoSurface;  // an empty slot
    map.Value(0, 0, 1, 1);
    EXPECT_TRUE(DrawsOf([&] {
                    map.Render(1);
                    map.RenderFast(1);
                }).empty());
    EXPECT_TRUE(DrawsOf([&] { map.Render(2); }).empty());  // no layer 2
    State().D3DDevice.reset();                             // no device: nothing to draw on, and no failure
    map.Render(1);
    map.RenderFastFrom(0, 0, 255, 255, 1);
}

TEST_F(MapRenderTest, NothingIsDrawnBeforeInit) {
    EXPECT_TRUE(DrawsOf([&] {
                    map.Render(1);
                    map.RenderAll(1);
                    map.RenderFast(1);
                    map.RenderFastFrom(0, 0, 255, 255, 1);
                    map.RenderFastFromBuffer(1, 0, 0, 255, 255);
                    map.UpdateCamera(1);
                }).empty());
    EXPECT_EQ(device->Count(pf::CallKind::SetRenderState), 0u);
}

}  // namespace
