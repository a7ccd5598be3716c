#include "game/Media.h"

#include <filesystem>

#include "core/EngineState.h"
#include "core/PakFormat.h"
#include "game/GameFixture.h"
#include "game/GameState.h"
#include "game/MediaLayout.h"

namespace {

using plmtest::GameEngineTest;
using namespace tessaly;

TEST_F(GameEngineTest, LoadMediaFillsEverySlot) {
    ASSERT_TRUE(LoadMedia());
    plm::EngineState& s = plm::State();
    for (int slot : {1, 3, 4, 5}) {
        EXPECT_TRUE(s.Textures(slot).Loaded) << slot;
        EXPECT_EQ(s.Textures(slot).ColorKey, 0u) << slot;
    }
    EXPECT_FALSE(s.Textures(2).Loaded);
    EXPECT_EQ(s.Textures(1).Width, 1024);
    EXPECT_EQ(G().Media.SampleCount, 16);
    EXPECT_EQ(G().Media.MusicCount, 6);
    for (int slot = 1; slot <= 16; ++slot) EXPECT_NE(s.SampleTable(slot).Handle, 0u) << slot;
    for (int slot = 1; slot <= 6; ++slot) EXPECT_NE(s.MusicTable(slot).Handle, 0u) << slot;
    for (int a = 1; a <= 6; ++a) {
        const plm::AnimationRecord& r = s.Animations(a);
        EXPECT_TRUE(r.Defined) << a;
        EXPECT_EQ(r.SrcY, (a - 1) * 33) << a;
        EXPECT_EQ(r.Length, 31) << a;
        EXPECT_EQ(r.FrameWidth, 32);
    }
    // The board map: 25 x 19 cells of 32 pixels on the game sheet, drawn from (13, -9).
    plm::PelmarEngine& e = E();
    EXPECT_TRUE(s.Map.MapInitialised);
    EXPECT_EQ(e.Map()->GetWidth(), 25);
    EXPECT_EQ(e.Map()->GetHeight(), 19);
    EXPECT_EQ(e.Map()->GetHowManyLayers(), 1);
    EXPECT_EQ(e.Map()->GetSourceTilesAcross(), 31);
    EXPECT_EQ(e.Map()->ScreenX(), 13);
    EXPECT_EQ(e.Map()->ScreenY(), -9);
    // Font 1 measures the game's texts: capitals, digits and the blank.
    for (const char* text : {"WELCOME GUEST", "CLICK HERE TO CHANGE PLAYER", "1234567890"})
        EXPECT_GT(E().Font()->GetStringWidth(1, text, 1, 1, 1), 10.0f * std::string(text).size()) << text;
    EXPECT_GT(E().Font()->GetStringWidth(2, "0123456789", -2, 1, 1), 0.0f);
    EXPECT_GT(E().Font()->GetStringWidth(3, "C", 0, 1, 1), 0.0f);
    // The archive's files lie in the program's folder until the session cleans them up.
    EXPECT_TRUE(std::filesystem::exists(folder.file("t1.png")));
    E().Pak()->CleanUp(false);
    EXPECT_FALSE(std::filesystem::exists(folder.file("t1.png")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("gdata.dat")));
}

TEST_F(GameEngineTest, LoadMediaFailsWithoutItsArchive) {
    std::filesystem::remove(folder.file("media.pak"));
    EXPECT_FALSE(LoadMedia());
    const std::string damaged = plmtest::ReadFile(plmtest::BuildBinFile("media.pak")).substr(0, 100000);
    plmtest::WriteFile(folder.file("media.pak"), damaged);
    EXPECT_FALSE(LoadMedia());
    EXPECT_FALSE(plm::State().Textures(1).Loaded);
}

// The build's archive with one file left out or replaced: a texture or the font file the game
// cannot do without fails the loading; a missing sound only leaves its slot empty.
TEST_F(GameEngineTest, LoadMediaFailsOnAMissingTextureOrABadFontFile) {
    const std::string archive = plmtest::ReadFile(plmtest::BuildBinFile(media::kPakName));
    plm::PakIndex index;
    std::string error;
    ASSERT_TRUE(plm::ReadPakIndex(archive, index, error)) << error;
    std::vector<plm::PakFile> files;
    for (size_t i = 0; i < index.Entries.size(); ++i) {
        plm::PakFile f{index.Entries[i].Name, {}};
        ASSERT_TRUE(plm::PakEntryData(archive, index, i, media::kPakKey, f.Data)) << f.Name;
        files.push_back(std::move(f));
    }
    struct Case {
        const char* file;
        const char* replacement;  // nullptr: left out
        bool loads;
    };
    for (Case c : {Case{"modes.png", nullptr, false}, {"previews.png", "not a picture", false},
                   {"font.dat", "2\r\n1,3,x\r\n", false},
                   {"pop.wav", nullptr, true}}) {
        std::vector<plm::PakFile> variant;
        for (const plm::PakFile& f : files) {
            if (f.Name != c.file)
                variant.push_back(f);
            else if (c.replacement)
                variant.push_back({f.Name, c.replacement});
        }
        std::string bytes;
        ASSERT_TRUE(plm::BuildPak(variant, media::kPakPassword, media::kPakKey, false, plm::PakSalt{}, bytes, error));
        E().Pak()->CleanUp(false);
        plmtest::WriteFile(folder.file(media::kPakName), bytes);
        EXPECT_EQ(LoadMedia(), c.loads) << c.file << (c.replacement ? " replaced" : " left out");
    }
}

class PlaylistTest : public GameEngineTest {
protected:
    void SetUp() override {
        GameEngineTest::SetUp();
        ASSERT_TRUE(LoadMedia());
    }
    // The slot of the entry now playing, after checking that it plays.
    int Current() {
        const MediaArea& m = G().Media;
        const int slot = m.Playlist(m.PlaylistPosition);
        EXPECT_TRUE(E().Music()->IsPlaying(slot)) << slot;
        return slot;
    }
};

TEST_F(PlaylistTest, PlaysTheListInOrderAndWraps) {
    UpdatePlaylist();  // before any list: nothing
    EXPECT_EQ(G().Media.PlaylistPosition, 0);
    StartPlaylist("1,3,4,5,2", 1);
    EXPECT_TRUE(G().Media.PlaylistActive);
    EXPECT_EQ(G().Media.PlaylistLength, 5);
    std::vector<int> played{Current()};
    for (int i = 0; i < 5; ++i) {
        const int before = played.back();
        UpdatePlaylist();
        played.push_back(Current());
        EXPECT_TRUE(E().Music()->IsFading(before));
    }
    EXPECT_EQ(played, (std::vector<int>{1, 3, 4, 5, 2, 1}));
    StopAllSounds();
    EXPECT_FALSE(G().Media.PlaylistActive);
    for (int slot = 1; slot <= 6; ++slot) EXPECT_FALSE(E().Music()->IsPlaying(slot)) << slot;
}

TEST_F(PlaylistTest, OneEntryListPlaysItsTrackAgain) {
    StartPlaylist("2", 1);
    EXPECT_EQ(Current(), 2);
    UpdatePlaylist();
    EXPECT_EQ(G().Media.PlaylistPosition, 1);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(E().Music()->Position(2), 0);
}

TEST_F(PlaylistTest, StartsAtTheGivenEntry) {
    StartPlaylist("4, 2,5 ,1,3", 3);
    EXPECT_EQ(Current(), 5);
    UpdatePlaylist();
    UpdatePlaylist();
    UpdatePlaylist();
    EXPECT_EQ(Current(), 4);
}

}  // namespace
