// The board-clear effects and the sweep's pop in the headless game: the cycle of ten, each effect
// ending with every flying tile off, rows 1 and 2 left alone, and the pop's bursts.
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FxFixture.h"
#include "core/Convert.h"
#include "core/EngineState.h"
#include "game/ClearEffects.h"

namespace {

using tessaly::E;
using tessaly::Game;
namespace media = tessaly::media;

class ClearEffectsTest : public plmtest::FxTest {
protected:
    static int At(int x, int y) { return plm::Int(E().Map()->Value(static_cast<float>(x), static_cast<float>(y), 1)); }
    static const plm::SpriteRecord& Row(int s) { return plm::State().SpriteTable(s); }

    // Flying tiles: enabled sprites of the falling range.
    static std::vector<int> Flying() {
        std::vector<int> v;
        for (int s = tessaly::kFallingGemFirst; s <= tessaly::kFallingGemLast; ++s)
            if (E().Sprite()->Enabled(s)) v.push_back(s);
        return v;
    }
    static int Explosions(int group) { return plm::State().Explosions.ExplosionCursor(group); }
    static const plm::ExplosionRecord& Explosion(int slot) { return plm::State().Explosions.ExplosionTable(slot); }

    static void ExpectPlayfieldEmptyAndTopRowsKept() {
        for (int x = 6; x <= 17; ++x) {
            for (int y = 1; y <= 2; ++y) EXPECT_GT(At(x, y), 0) << "row " << y << " is left alone";
            for (int y = 3; y <= 17; ++y) EXPECT_EQ(At(x, y), 0) << x << "," << y;
        }
    }

    // What the last effect did, read from the sprites it left (or the explosions, for explode).
    static std::string EffectSeen(int explosionsBefore) {
        const std::vector<int> f = Flying();
        if (f.empty()) return Explosions(1) != explosionsBefore ? "explode" : "none";
        const plm::SpriteRecord& r = Row(f.front());
        if (r.XScaling.On) return "shrink narrow";
        if (r.YScaling.On) return "shrink flat";
        if (r.YDir < 0) return "scatter";
        if (r.YDir > 0 && r.ParticleAmount > 0) return "trails";
        if (r.YDir == 0 && r.ThrustY > 0) return "thrust";
        return "unknown";
    }
};

TEST_F(ClearEffectsTest, TenEffectsRunInTheirCycleAndOnAcrossBoards) {
    const std::vector<std::string> want{"thrust", "explode", "thrust", "scatter", "thrust", "trails",
                                        "thrust", "shrink flat", "thrust", "shrink narrow", "thrust"};
    for (size_t n = 0; n < want.size(); ++n) {
        E().Sprite()->TurnOffAll(true, true);
        FillBoard();
        const int before = Explosions(1);
        tessaly::RunBoardClearEffect();
        EXPECT_EQ(Game().Fx.BoardClearEffect, static_cast<int>(n % 10) + 1);
        EXPECT_EQ(EffectSeen(before), want[n]) << "board " << n + 1;
        ExpectPlayfieldEmptyAndTopRowsKept();
    }
}

TEST_F(ClearEffectsTest, EveryEffectOnAFullBoardEndsWithEverySpriteOff) {
    const std::array<std::pair<const char*, std::function<void()>>, 6> effects{{
        {"thrust", tessaly::ClearBoardThrust},
        {"scatter", tessaly::ClearBoardScatter},
        {"trails", tessaly::ClearBoardScatterTrails},
        {"shrink flat", [] { tessaly::ClearBoardShrink(false); }},
        {"shrink narrow", [] { tessaly::ClearBoardShrink(true); }},
        {"explode", tessaly::ClearBoardExplode},
    }};
    for (const auto& [name, run] : effects) {
        SCOPED_TRACE(name);
        FillBoard();
        run();
        ExpectPlayfieldEmptyAndTopRowsKept();
        const std::vector<int> flying = Flying();
        if (std::string(name) != "explode") {
            ASSERT_EQ(flying.size(), 180u) << "one sprite a tile";
            for (int s : flying) {
                EXPECT_EQ(E().Sprite()->ID2(s), 1);
                EXPECT_FALSE(E().SpriteCollide()->Enabled(s));
            }
            // Column 6, row 3 first: the tile's image at the tile's place.
            const plm::SpriteRecord& r = Row(flying.front());
            EXPECT_FLOAT_EQ(r.X, 6 * 32);
        }
        int frames = 0;
        while (!Flying().empty() && frames < 2000) {
            Frame(16, [] { E().Sprite()->Render(); });
            ++frames;
        }
        EXPECT_TRUE(Flying().empty()) << "still flying after " << frames << " frames";
        EXPECT_LT(frames, 1000);
        ExpectPlayfieldEmptyAndTopRowsKept();
    }
}

TEST_F(ClearEffectsTest, ThrustGivesEachColumnOneSpeedOfAPattern) {
    const std::array<std::array<float, 12>, 3> patterns{{
        {6, 5, 4, 3, 2, 1, 0.5f, 1, 2, 3, 4, 5},
        {0.5f, 1, 1.5f, 2, 2.5f, 3, 3.5f, 4, 4.5f, 5, 5.6f, 6},
        {6, 5.6f, 5, 4.5f, 4, 3.5f, 3, 2.5f, 2, 1.5f, 1, 0.5f},
    }};
    std::set<int> patternsSeen;
    for (int run = 0; run < 12; ++run) {
        E().Sprite()->TurnOffAll(true, true);
        FillBoard();
        tessaly::ClearBoardThrust();
        std::array<float, 12> thrust{};
        thrust.fill(-1);
        for (int s : Flying()) {
            const int column = plm::Int(Row(s).X) / 32;
            float& t = thrust[static_cast<size_t>(column - 6)];
            if (t < 0) t = Row(s).ThrustY;
            EXPECT_FLOAT_EQ(Row(s).ThrustY, t) << "one thrust a column";
            EXPECT_FLOAT_EQ(Row(s).XDir, 0);
            EXPECT_FLOAT_EQ(Row(s).YDir, 0);
        }
        int match = 0;
        for (int p = 0; p < 3; ++p) {
            bool same = true;
            for (size_t c = 0; c < 12; ++c) same = same && std::abs(thrust[c] - patterns[p][c] * 0.0004f) < 1e-7f;
            if (same) match = p + 1;
        }
        EXPECT_NE(match, 0);
        patternsSeen.insert(match);
    }
    EXPECT_EQ(patternsSeen.size(), 3u);
}

TEST_F(ClearEffectsTest, WithNoFreeSpriteATileSimplyVanishes) {
    for (int s = tessaly::kFallingGemFirst; s <= tessaly::kFallingGemLast; ++s)
        E().Sprite()->Activate(s, 0, 0, 1, 0, 0, 0, 0, 32, 32, true, true);
    FillBoard();
    tessaly::ClearBoardScatter();
    ExpectPlayfieldEmptyAndTopRowsKept();
    for (int s = tessaly::kFallingGemFirst; s <= tessaly::kFallingGemLast; ++s) EXPECT_EQ(E().Sprite()->ID2(s), 0);
}

TEST_F(ClearEffectsTest, PopGivesAColourGemAShowerAndEveryKindATileBurst) {
    // A colour gem of colour 4 in an animation frame: the bouncing chips of its colour, then its
    // own image in quarter-size pieces.
    E().Map()->Value(9, 5, 1, static_cast<float>(tessaly::KindFirstValue(4) + 3));
    E().Map()->ID1(9, 5, 1, 1);
    tessaly::PopMapTile(9, 5, 25);
    EXPECT_EQ(At(9, 5), 0);
    EXPECT_EQ(E().Map()->ID1(9, 5, 1), 0);
    ASSERT_EQ(Explosions(1), 2);
    const plm::ExplosionRecord& shower = Explosion(1);
    ASSERT_EQ(shower.NodeCount, 25);
    for (int n = 1; n <= 25; ++n) {
        const plm::ExplosionNode& node = shower.Nodes[static_cast<size_t>(n)];
        EXPECT_EQ(node.Kind, plm::kNodeBouncing);
        EXPECT_EQ(node.TexY, 700 + 9 * 3);
        EXPECT_TRUE(node.TexX == 0 || node.TexX == 9 || node.TexX == 18 || node.TexX == 27);
        EXPECT_FLOAT_EQ(node.X, 9 * 32 + 16);
        EXPECT_GE(node.YMax, 597);
        EXPECT_LE(node.YMax, 603);
    }
    const plm::ExplosionRecord& burst = Explosion(2);
    EXPECT_EQ(burst.NodeCount, 25);
    const media::Rect frame = media::KindFrameRect(4, 3);
    EXPECT_EQ(burst.Nodes[1].Width, 8);
    EXPECT_GE(burst.Nodes[1].TexX, frame.x);
    EXPECT_LT(burst.Nodes[1].TexX, frame.x + 32);

    // A bomb: the tile burst alone.
    E().Map()->Value(10, 5, 1, static_cast<float>(tessaly::KindFirstValue(7)));
    tessaly::PopMapTile(10, 5, 25);
    EXPECT_EQ(At(10, 5), 0);
    EXPECT_EQ(Explosions(1), 3);
}

TEST_F(ClearEffectsTest, PopOfAValueWithoutATileIsLoggedAndEndsTheGame) {
    Game().Frame.InGame = true;
    E().Map()->Value(9, 5, 1, 970);  // past the sheet's 961 tiles
    tessaly::PopMapTile(9, 5, 25);
    EXPECT_FALSE(Game().Frame.InGame);
    EXPECT_EQ(At(9, 5), 970) << "the cell is left as it was";
    EXPECT_EQ(Explosions(1), 0);
    EXPECT_NE(LogText().find("MapGetTiltRect=-1 at PopMapTile"), std::string::npos) << LogText();
}

}  // namespace
