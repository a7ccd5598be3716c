#include "game/GameState.h"

#include "game/GameFixture.h"

namespace {

using plmtest::GameEngineTest;
using plmtest::GameTest;

TEST_F(GameTest, ResetPutsTheStartValuesBack) {
    G().Settings.SoundVolume = 7;
    G().Board.MarkedCount = 12;
    G().Levels.LevelRows[5] = 3;
    G().Media.Playlist.resize(3);
    tessaly::ResetGame();
    EXPECT_EQ(G().Settings.SoundVolume, 80);
    EXPECT_EQ(G().Settings.CurrentPlayer, "GUEST");
    EXPECT_EQ(G().Board.MarkedCount, 0);
    EXPECT_EQ(G().Board.MarkedCells.size(), 1000);
    EXPECT_EQ(G().Levels.LevelRows.size(), 40u * 250u * 12u);
    EXPECT_EQ(G().Levels.LevelRows[5], 0);
    EXPECT_EQ(G().Levels.SparkleCells.size(), 300);
    EXPECT_EQ(G().Media.Playlist.size(), 0);
    EXPECT_FALSE(G().Run.Engine);
}

TEST_F(GameEngineTest, StartsTheEngineHeadlessWithTheBuildsFiles) {
    EXPECT_EQ(plm::State().Textures.size(), 5);
    EXPECT_EQ(tessaly::E().Path(), folder.path());
    EXPECT_TRUE(std::filesystem::exists(folder.file("media.pak")));
}

}  // namespace
