// The explosion pool: slots that wrap, bouncing nodes, the explosion's own time, the custom
// burst's ranges, animated nodes, and calls outside the pool that must do nothing.
#include "ParticleFixture.h"

#include <cmath>

#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "sprites/SpriteAnimate.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class ExplosionPoolTest : public plmtest::ParticleTest {
protected:
    plm::ExplosionRecord& Slot(int group, int slot) {
        plm::ExplosionPool& p = State().Explosions;
        return p.ExplosionTable((group - 1) * p.ExplosionsToWrap + slot);
    }
    std::vector<pf::Call> Render(int group) {
        device->ClearCalls();
        plm::ForgetBlend();
        pfx.RenderExplosions(group);
        return device->CallsOf(pf::CallKind::SpriteDraw);
    }
    // One plain flying node at (x, y), 8 x 8, still, opaque, living `duration` ms.
    void Node(float x, float y) {
        pfx.ExplosionCustomSetNode(x, y, 0, 0, 8, 8, 255, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 255, 255, 255);
    }
};

TEST_F(ExplosionPoolTest, TheSlotAfterTheLastReusesTheFirst) {
    pfx.Init(3, 3, 2);
    for (int i = 1; i <= 3; ++i) {
        pfx.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);
        Node(static_cast<float>(i), 0);
        pfx.ExplosionCustomEnd();
    }
    EXPECT_EQ(State().Explosions.ExplosionCursor(1), 3);
    pfx.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);  // slot 1 again, though it still runs
    EXPECT_EQ(State().Explosions.ExplosionCursor(1), 1);
    EXPECT_FALSE(Slot(1, 1).Running);
    EXPECT_EQ(Slot(1, 1).NodeCount, 0);
    EXPECT_TRUE(Slot(1, 2).Running);
    EXPECT_EQ(State().Explosions.ExplosionCursor(2), 0);  // other groups keep their own cursor
}

TEST_F(ExplosionPoolTest, FiftyBouncingNodesLeaveTheFloorAtHalfSpeed) {
    pfx.ExplosionCustomStart(1, 4000, 0, 1, 5, 2);
    for (int n = 1; n <= 50; ++n)
        pfx.ExplosionCustomSetNodeYBouncing(static_cast<float>(n * 10), 596, 0, 700, 8, 8, 255, -0.08f, 0, 0.1f, 1,
                                            -0.0001f, 1, 0, 1, 0, 0.01f, 0, 0.4f + 0.01f * n, 0, 600, 0.5f, 4000, 0,
                                            255, 255, 255);
    pfx.ExplosionCustomEnd();
    EXPECT_EQ(Render(1).size(), 50u);
    const plm::ExplosionRecord& r = Slot(1, 1);
    for (int n = 1; n <= 50; ++n) {
        const plm::ExplosionNode& node = r.Nodes[static_cast<size_t>(n)];
        EXPECT_EQ(node.Y, 600) << n;  // put back on the floor
        EXPECT_FLOAT_EQ(node.YSpeed, -(0.4f + 0.01f * n) * 0.5f) << n;
    }
}

TEST_F(ExplosionPoolTest, AnExplosionEndsWhenItsTimeRunsOutAndWaitsOutItsStartDelay) {
    pfx.ExplosionCustomStart(3, 100, 30, 1, 5, 2);
    Node(10, 10);
    pfx.ExplosionCustomEnd();
    for (int f = 0; f < 3; ++f) EXPECT_TRUE(Render(1).empty()) << "delay frame " << f;
    int drawn = 0;
    for (int f = 0; f < 20; ++f) drawn += Render(1).empty() ? 0 : 1;
    EXPECT_EQ(drawn, 11);  // 100 ms: the duration goes below 0 in the 11th drawn frame
    EXPECT_FALSE(Slot(1, 1).Running);
    EXPECT_TRUE(Slot(1, 1).Nodes[1].Alive);  // its node would live on: the record's time decides
}

TEST_F(ExplosionPoolTest, NodesDieByAlphaScaleOrTheirOwnTime) {
    pfx.ExplosionCustomStart(3, 100000, 0, 1, 5, 2);
    pfx.ExplosionCustomSetNode(0, 0, 0, 0, 8, 8, 50, -1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 255, 255, 255);
    pfx.ExplosionCustomSetNode(0, 0, 0, 0, 8, 8, 255, 0, 0, 0, 0.5f, -0.01f, 1, 0, 1, 0, 0, 0, 0, 0, 0, 255, 255, 255);
    Node(0, 0);                              // the default 4000 ms of life
    pfx.ExplosionCustomSetNode(0, 0, 0, 0, 8, 8, 255, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 100, 255, 255, 255);
    pfx.ExplosionCustomEnd();
    std::vector<size_t> counts;
    for (int f = 0; f < 402; ++f) counts.push_back(Render(1).size());
    EXPECT_EQ(counts[0], 3u);   // the delayed node waits 100 ms
    EXPECT_EQ(counts[4], 3u);   // alpha 50 - 10 a frame reaches 0: drawn once more
    EXPECT_EQ(counts[5], 1u);   // then dead, and so is the node whose scale went below 0
    EXPECT_EQ(counts[10], 2u);  // the delayed node has started
    EXPECT_EQ(counts[400], 2u);
    EXPECT_EQ(counts[401], 1u);  // 4000 ms drawn: the default node is gone
}

TEST_F(ExplosionPoolTest, NodesAreFoldedIntoTheLastOfTwoHundred) {
    pfx.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);
    for (int n = 1; n <= 210; ++n) Node(static_cast<float>(n), 0);
    EXPECT_EQ(Slot(1, 1).NodeCount, 200);
    EXPECT_EQ(Slot(1, 1).Nodes[200].X, 210);
}

TEST_F(ExplosionPoolTest, CallsOutsideThePoolDoNothing) {
    // Before any start: nodes go nowhere.
    Node(1, 1);
    pfx.ExplosionCustomEnd();
    EXPECT_EQ(Slot(1, 1).NodeCount, 0);
    // A group outside 1..2, also for the builders, the renderer and ExplosionsOff.
    for (int group : {0, 3, -1, 1000}) {
        pfx.ExplosionCustomStart(3, 1000, 0, group, 5, 2);
        Node(1, 1);
        pfx.ExplosionCustomEnd();
        pfx.Explosion(14, 0, 0, 1, 1, 0, group, -1, -1, -1, 5, 2);
        pfx.ExplosionCustom(0, 0, 3, 0, 0, 8, 8, 1, 10, 0, 0, false, false, 1, -0.1f, 0, 1, 1, 1, 0, 0, 1000, 1000,
                            group, 255, 255, 255, 5, 2);
        pfx.ExplosionsOff(group);
        EXPECT_TRUE(Render(group).empty());
    }
    for (int s = 1; s <= 300; ++s) {
        EXPECT_FALSE(Slot(1, s).Running);
        EXPECT_FALSE(Slot(2, s).Running);
    }
    // Before Init: the pool is empty and every call does nothing.
    State().Explosions = plm::ExplosionPool{};
    plm::SpritePFX fresh;
    fresh.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);
    fresh.ExplosionCustomSetNode(0, 0, 0, 0, 8, 8, 255, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 255, 255, 255);
    fresh.ExplosionCustomEnd();
    fresh.RenderExplosions(1);
    EXPECT_EQ(State().Explosions.ExplosionTable.size(), 0);
    // A pool too large for memory is refused and logged; the one there stays.
    fresh.Init(3, 4, 2);
    fresh.Init(3, 1000000, 1000);
    EXPECT_EQ(State().Explosions.ExplosionsToWrap, 4);
    EXPECT_NE(LogText().find("Error: (SpritePFX.Init)"), std::string::npos);
}

TEST_F(ExplosionPoolTest, ExplosionsOffStopsTheWholeGroupOnly) {
    for (int group : {1, 2}) {
        pfx.ExplosionCustomStart(3, 1000, 0, group, 5, 2);
        Node(0, 0);
        pfx.ExplosionCustomEnd();
    }
    pfx.ExplosionsOff(1);
    EXPECT_TRUE(Render(1).empty());
    EXPECT_EQ(Render(2).size(), 1u);
}

TEST_F(ExplosionPoolTest, CustomExplosionsStayWithinTheirRanges) {
    State().Delta = 0;  // look at the nodes as launched
    pfx.ExplosionCustom(400, 300, 1, 0, 700, 8, 8, 24, 200, 16, 16, false, false, 1.0f, -0.1f, 0, 1.0f, 2.0f, 1.5f, 0,
                        5, 4000, 4000, 1, 0, 0, 0, 5, 2);
    const plm::ExplosionRecord& r = Slot(1, 1);
    ASSERT_EQ(r.NodeCount, 200);
    EXPECT_TRUE(r.Running);
    int quadrant[4] = {0, 0, 0, 0};
    bool bothSpins[2] = {false, false};
    for (int i = 1; i <= 200; ++i) {
        const plm::ExplosionNode& n = r.Nodes[static_cast<size_t>(i)];
        const float speed = std::hypot(n.XSpeed, n.YSpeed);
        EXPECT_GE(speed, 0.025f * 2 - 1e-5f);
        EXPECT_LE(speed, 0.1f * 2 + 1e-5f);
        quadrant[(n.XSpeed >= 0 ? 0 : 1) + (n.YSpeed >= 0 ? 0 : 2)]++;
        EXPECT_FLOAT_EQ(n.YThrust, 2.0f * 0.0001f);
        EXPECT_GE(n.Alpha, 150);
        EXPECT_LE(n.Alpha, 255);
        EXPECT_GE(std::fabs(n.RotateDir), 0.01f * 1.5f - 1e-6f);
        EXPECT_LE(std::fabs(n.RotateDir), 0.32f * 1.5f + 1e-6f);
        bothSpins[n.RotateDir > 0] = true;
        EXPECT_GE(n.X, 392);
        EXPECT_LE(n.X, 408);
        EXPECT_EQ(n.StartDelay, 5.0f * i);
        EXPECT_EQ(plm::Mod(plm::Int(n.TexX), 9), 0);  // a frame of the strip, gutters skipped
        EXPECT_LE(n.TexX, 23 * 9);
        EXPECT_GE(n.Red, 50);  // colour 0, 0, 0: a random colour per piece
        EXPECT_LE(n.Red, 255);
    }
    for (int q : quadrant) EXPECT_GT(q, 20);  // angles all round
    EXPECT_TRUE(bothSpins[0] && bothSpins[1]);

    // At most two pieces start opaque; no movement means no speed and no fall; a tint is kept.
    pfx.ExplosionCustom(0, 0, 1, 0, 0, 8, 8, 1, 2, 0, 0, true, true, 1.0f, -0.1f, 0, 1, 1, 1, 0, 0, 4000, 4000, 1,
                        255, 128, 0, 5, 2);
    const plm::ExplosionRecord& two = Slot(1, 2);
    ASSERT_EQ(two.NodeCount, 2);
    for (int i = 1; i <= 2; ++i) {
        const plm::ExplosionNode& n = two.Nodes[static_cast<size_t>(i)];
        EXPECT_EQ(n.Alpha, 255);
        EXPECT_EQ(n.XSpeed, 0);
        EXPECT_EQ(n.YThrust, 0);
        EXPECT_EQ(n.Green, 128);
    }
    pfx.ExplosionCustom(0, 0, 1, 0, 0, 8, 8, 1, 500, 0, 0, false, false, 1, -0.1f, 0, 1, 1, 1, 0, 0, 4000, 4000, 1, 1,
                        1, 1, 5, 2);
    EXPECT_EQ(Slot(1, 3).NodeCount, 200);
}

TEST_F(ExplosionPoolTest, NodesAreDrawnLikeSpritesOnTheMapCamera) {
    State().Map.MapX = 20.5f;
    State().Map.MapY = 0;
    State().Map.MapScreenX = 7;
    pfx.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);
    pfx.ExplosionCustomSetNode(100.9f, 50, 240, 20, 32, 32, 200, 0, 90, 0, 2, 0, 1, 0, 0.5f, 0, 0, 0, 0, 0, 0, 10, 20,
                               30);
    pfx.ExplosionCustomEnd();
    const auto draws = Render(1);
    ASSERT_EQ(draws.size(), 1u);
    const pf::Call& d = draws[0];
    EXPECT_EQ(d.surfaces[0], plmtest::kParticleSurface);
    EXPECT_EQ(d.rect.left, 240);
    EXPECT_EQ(d.rect.right, 272);
    EXPECT_FLOAT_EQ(d.floats[0], 2);  // ScaleX x Scale
    EXPECT_FLOAT_EQ(d.floats[1], 1);  // ScaleY x Scale
    EXPECT_FLOAT_EQ(d.floats[2], 32);
    EXPECT_FLOAT_EQ(d.floats[5], static_cast<float>(plm::Int(100.9f - 32) - 20 + 7));
    EXPECT_FLOAT_EQ(d.floats[6], 50 - 16);
    EXPECT_EQ(d.color, 0xC80A141Eu);
    EXPECT_FLOAT_EQ(d.floats[4], State().DegreeToRadTable[90]);
    // The blends went through the cache: a second group with the same blends sets nothing.
    const size_t states = device->Count(pf::CallKind::SetRenderState);
    pfx.RenderExplosions(1);
    EXPECT_EQ(device->Count(pf::CallKind::SetRenderState), states);
}

TEST_F(ExplosionPoolTest, AnimatedNodesStepThroughTheirFramesWithTheGutterOnBothAxes) {
    plm::SpriteAnimate anim;
    ASSERT_TRUE(anim.Add(1, 10, 20, 16, 8, 3, "0,0,1,0,2,1", "3,3,3", false));
    pfx.ExplosionAnim(50, 50, 1, 0.1f, 1, 0, 0, 0, 255, 0, 0, 1, 255, 255, 255, 5, 2);
    std::vector<pf::Rect> rects;
    for (int f = 0; f < 5; ++f) {
        auto d = Render(1);
        if (!d.empty()) rects.push_back(d[0].rect);
    }
    ASSERT_EQ(rects.size(), 3u);  // frames 1, 2, 3, then the explosion ends
    EXPECT_EQ(rects[0].left, 10);
    EXPECT_EQ(rects[1].left, 10 + 17);
    EXPECT_EQ(rects[2].left, 10 + 2 * 17);
    EXPECT_EQ(rects[2].top, 20 + 9);  // row 1: height plus the one-pixel gutter
    EXPECT_EQ(rects[2].bottom, 20 + 9 + 8);
    EXPECT_FALSE(Slot(1, 1).Running);
}

TEST_F(ExplosionPoolTest, TheDriftMovesEveryNode) {
    State().MiscAddX = 0.5f;
    pfx.ExplosionCustomStart(3, 1000, 0, 1, 5, 2);
    Node(100, 100);
    pfx.ExplosionCustomEnd();
    Render(1);
    EXPECT_FLOAT_EQ(Slot(1, 1).Nodes[1].X, 105);
}

}  // namespace

namespace {

TEST_F(ExplosionPoolTest, EveryPresetIsARunningBurstCutFromTheParticleTexture) {
    pfx.Init(3, 100, 1);
    for (int style = 1; style <= 94; ++style) {
        pfx.Explosion(style, 400, 300, 1, 1, 0, 1, -1, -1, -1, 5, 2);
        const plm::ExplosionRecord& r = Slot(1, style);
        EXPECT_TRUE(r.Running) << style;
        EXPECT_EQ(r.TextureIndex, 3) << style;
        EXPECT_GT(r.Duration, 0) << style;
        ASSERT_GE(r.NodeCount, 1) << style;
        EXPECT_LE(r.NodeCount, 200) << style;
        for (int i = 1; i <= static_cast<int>(r.NodeCount); ++i) {
            const plm::ExplosionNode& n = r.Nodes[static_cast<size_t>(i)];
            // Inside the 512 x 512 picture, above the font glyphs.
            EXPECT_GE(n.TexX, 0) << style;
            EXPECT_LE(n.TexX + n.Width, 512) << style;
            EXPECT_LE(n.TexY + n.Height, 150) << style;
            EXPECT_GT(n.Alpha, 0) << style;
        }
    }
    EXPECT_EQ(State().Explosions.ExplosionCursor(1), 94);
    // Nothing for styles outside 1..94.
    pfx.Explosion(0, 0, 0, 1, 1, 0, 1, -1, -1, -1, 5, 2);
    pfx.Explosion(95, 0, 0, 1, 1, 0, 1, -1, -1, -1, 5, 2);
    EXPECT_EQ(State().Explosions.ExplosionCursor(1), 94);
}

TEST_F(ExplosionPoolTest, PresetColoursAreReplacedComponentByComponent) {
    pfx.Explosion(14, 100, 100, 1.5f, 1, 0, 1, 9, -1, 255, 5, 2);
    const plm::ExplosionRecord& r = Slot(1, 1);
    bool keptGreen = false;
    for (int i = 1; i <= static_cast<int>(r.NodeCount); ++i) {
        const plm::ExplosionNode& n = r.Nodes[static_cast<size_t>(i)];
        EXPECT_EQ(n.Red, 9);
        EXPECT_EQ(n.Blue, 255);
        keptGreen = keptGreen || n.Green != 9;
    }
    EXPECT_TRUE(keptGreen);
    // The start delay holds the whole burst back; then it draws and ends in time.
    pfx.Explosion(94, 100, 100, 0.5f, 1, 300, 2, -1, -1, -1, 5, 2);
    for (int f = 0; f < 30; ++f) EXPECT_TRUE(Render(2).empty());
    EXPECT_FALSE(Render(2).empty());
    for (int f = 0; f < 600 && Slot(2, 1).Running; ++f) Render(2);
    EXPECT_FALSE(Slot(2, 1).Running);
}

}  // namespace

namespace {

TEST_F(ExplosionPoolTest, BurstsKeepTheirFanOfAnglesAndSpeeds) {
    // A fan from 90 (right) to 180 (down), evenly spaced: first and last on the fan's edges.
    pfx.ExplosionCustom2(200, 200, 3, 240, 20, 32, 32, 1, 10, 90, 90, true, 0.1f, 0.2f, 0, 0, 1, 0, 255, -0.3f, 0.2f,
                         true, 1000, 1000, 0, 1, 255, 255, 255, 5, 2);
    const plm::ExplosionRecord& r = Slot(1, 1);
    ASSERT_EQ(r.NodeCount, 10);
    for (int i = 1; i <= 10; ++i) {
        const plm::ExplosionNode& n = r.Nodes[static_cast<size_t>(i)];
        EXPECT_GE(n.XSpeed, -1e-6f) << i;
        EXPECT_GE(n.YSpeed, -1e-6f) << i;
        const float speed = std::hypot(n.XSpeed, n.YSpeed);
        EXPECT_GE(speed, 0.1f - 1e-5f);
        EXPECT_LE(speed, 0.2f + 1e-5f);
        EXPECT_LE(std::fabs(n.RotateDir), 0.2f);
        EXPECT_FLOAT_EQ(n.Rotate, 90 + 10.0f * static_cast<float>(i - 1));  // faces its launch
    }
    // A described burst with a floor bounces; drag shortens the life to the moment it stops.
    plm::PLMExplosionConfig c;
    c.TextureIndex = 3;
    c.TextureSrcWidth = c.TextureSrcHeight = 16;
    c.NodesTotal = 5;
    c.Drag = 0.002f;
    c.NodeDurationMS = 4000;
    c.YFloor = 30;
    c.YPos = 100;
    pfx.ExplosionConfigure(c, 2);
    const plm::ExplosionRecord& b = Slot(2, 1);
    ASSERT_EQ(b.NodeCount, 5);
    EXPECT_TRUE(b.Running);
    EXPECT_EQ(b.Nodes[1].Kind, plm::kNodeBouncing);
    EXPECT_EQ(b.Nodes[1].YMax, 130);
    EXPECT_FLOAT_EQ(b.Nodes[1].Duration, 500);
}

TEST_F(ExplosionPoolTest, HugeStripsAndColourVariationsStayInRange) {
    // Frames of a very wide strip lie beyond the 32-bit range; a variation of any size still
    // varies the colour both ways rather than overflowing the random range.
    plm::PLMExplosionConfig c;
    c.TextureIndex = 3;
    c.TextureSrcX = 10;
    c.TextureSrcWidth = 2000000000;
    c.TextureSrcHeight = 16;
    c.TextureSrcFrames = 1000;
    c.NodesTotal = 50;
    c.NodeDurationMS = 1000;
    c.Color = static_cast<int32_t>(0xFF808080u);
    c.ColorVariation = 2147483647;
    pfx.ExplosionConfigure(c, 1);
    const plm::ExplosionRecord& r = Slot(1, 1);
    ASSERT_EQ(r.NodeCount, 50);
    bool dark = false, bright = false, farFrame = false;
    for (int i = 1; i <= 50; ++i) {
        const plm::ExplosionNode& n = r.Nodes[static_cast<size_t>(i)];
        EXPECT_GE(n.TexX, 10.0f) << i;
        farFrame = farFrame || n.TexX > 3e9f;
        EXPECT_GE(n.Red, 0);
        EXPECT_LE(n.Red, 255);
        dark = dark || n.Red == 0;
        bright = bright || n.Red == 255;
    }
    EXPECT_TRUE(farFrame);
    EXPECT_TRUE(dark && bright);
}

}  // namespace
