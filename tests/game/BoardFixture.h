#pragma once
// The board fixture: the game's engine started headless with its media, sprite table, explosion
// groups and text faders, the map at the board's rest position, and the board walled. Boards are
// laid out by hand as pictures of rows, one character a column (6 to 17): '.' empty, '1'..'6'
// colour gems, 'b' a colour bomb of colour 2, 'r' a row gem, 'x' a blocker. Clicks go through
// the scripted pointer and left button, as a player's do.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/PelmarEngine.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "game/FrameLoop.h"
#include "game/GameFixture.h"
#include "game/GameState.h"
#include "game/Levels.h"
#include "game/Matching.h"
#include "game/Media.h"
#include "game/MediaLayout.h"

namespace plmtest {

class BoardTest : public GameEngineTest {
protected:
    void SetUp() override {
        GameEngineTest::SetUp();
        tessaly::E().Sprite()->Init(tessaly::kSpriteTotal);
        tessaly::InitDiamondMask();
        tessaly::E().SpritePFX()->Init(3, 300, 2);
        ASSERT_TRUE(tessaly::LoadMedia());
        tessaly::E().FontFader()->Init(20);
        tessaly::E().Map()->SetDrawArea(tessaly::media::kBoardOrigin.x, tessaly::media::kBoardOrigin.y, 25, 17);
        WallBoard();
        Quiet();
    }

    // An empty board between its walls (columns 5 and 18, rows 0..16) above its floor (row 18).
    static void WallBoard() {
        plm::Map& map = *tessaly::E().Map();
        for (int y = 0; y < map.GetHeight(); ++y)
            for (int x = 0; x < map.GetWidth(); ++x) map.Value(x, y, 1, 0);
        for (int y = 0; y <= 16; ++y) {
            map.Value(5, y, 1, tessaly::media::kWallTile);
            map.Value(18, y, 1, tessaly::media::kWallTile);
        }
        for (int x = 6; x <= 17; ++x) map.Value(x, 18, 1, tessaly::media::kWallTile);
    }

    static int KindOf(char c) {
        switch (c) {
        case 'b': return 9;
        case 'r': return tessaly::media::kRowGem;
        case 'x': return tessaly::media::kBlocker;
        case '.': return 0;
        default: return c - '0';
        }
    }
    static char CharOf(int kind) {
        switch (kind) {
        case 0: return '.';
        case 9: return 'b';
        case tessaly::media::kRowGem: return 'r';
        case tessaly::media::kBlocker: return 'x';
        default: return kind >= 1 && kind <= 8 ? static_cast<char>('0' + kind) : '?';
        }
    }

    // Lays the rows so that the last one is row `bottom`.
    static void Lay(const std::vector<std::string>& rows, int bottom = 17) {
        const int top = bottom - static_cast<int>(rows.size()) + 1;
        for (size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 12; ++c)
                tessaly::E().Map()->Value(6 + c, top + static_cast<int>(r), 1,
                                          tessaly::KindFirstValue(KindOf(rows[r][static_cast<size_t>(c)])));
    }
    // The `count` rows ending at row `bottom`, as Lay takes them.
    static std::vector<std::string> Picture(int count, int bottom = 17) {
        std::vector<std::string> rows;
        for (int y = bottom - count + 1; y <= bottom; ++y) {
            std::string row;
            for (int x = 6; x <= 17; ++x) row += CharOf(tessaly::CellKind(x, y));
            rows.push_back(row);
        }
        return rows;
    }

    // Points at cell (x, y) of the board in the game space and takes one frame's input.
    void PointAt(int x, int y, bool button) {
        plm::Map& map = *tessaly::E().Map();
        G().Frame.GameMouseX = static_cast<float>(32 * x + 16 + map.ScreenX());
        G().Frame.GameMouseY = static_cast<float>(32 * y + 16 + map.ScreenY());
        input->SetButton(0, button);
        plm::ReadInputSnapshot();
        tessaly::UpdateMouse();
    }
    // A left click on cell (x, y), the way the play input hands it to the board.
    void Click(int x, int y) {
        PointAt(x, y, false);
        PointAt(x, y, true);
        ASSERT_TRUE(G().Frame.MouseClicked);
        tessaly::ClickBoard(false);
    }

    // Falling gems frame by frame until none is left (at most `frames`), at the given Delta.
    static void Settle(float delta = 16, int frames = 2000) {
        tessaly::E().Delta(delta);
        for (int f = 0; f < frames && FallingGems() > 0; ++f) tessaly::UpdateFallingGems();
    }
    static int FallingGems() {
        return tessaly::E().Sprite()->GetHowManyOfTheseOn(tessaly::kFallingGemFirst, tessaly::kFallingGemLast, false);
    }

    // The samples playing now; Quiet stops them all.
    static std::set<int> Playing() {
        std::set<int> on;
        for (int s = 1; s <= 16; ++s)
            if (tessaly::E().Sample()->IsPlaying(s)) on.insert(s);
        return on;
    }
    static void Quiet() {
        for (int s = 1; s <= 16; ++s) tessaly::E().Sample()->StopSample(s);
    }
};

}  // namespace plmtest
