// Text faders on the recording device: the game's score popup frame by frame, the ring of slots,
// the pauses and what a fader does before Init.
#include <memory>
#include <string>
#include <vector>

#include "FontFixture.h"
#include "core/Convert.h"
#include "core/EngineState.h"
#include "ui/FontFader.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class FontFaderTest : public plmtest::FontDrawTest {
protected:
    // One frame of the fader at the given Delta: its draws.
    std::vector<pf::Call> Frame(float delta) {
        State().Delta = delta;
        rec->ClearCalls();
        fader.Render();
        return rec->CallsOf(pf::CallKind::SpriteDraw);
    }

    // A plain fade: font 1, spacing 0, scale 1, no movement, white.
    void AddPlain(const std::string& text, float x, float fadeIn, float fadeOut, float pause,
                  float pauseBeforeMovement = 0) {
        fader.Add(1, text, x, 100, 0, 1, 0, fadeIn, fadeOut, pause, 0, 0, 0, 0, pauseBeforeMovement, 255, 255, 255);
    }

    static uint32_t AlphaOf(const pf::Call& c) { return c.color >> 24; }

    plm::FontFader fader;
};

TEST_F(FontFaderTest, ScorePopupFadesInHoldsFadesOutAndRises) {
    fader.Init(20);
    // The game's popup: spacing 1, fade in and out 0.4 a ms, hold 500 ms, rising at 0.1 px a ms
    // with a downward thrust of 0.00005.
    fader.Add(1, "AB", 100, 200, 1, 1, 0, 0.4f, 0.4f, 500, 0, -0.1f, 0, 0.00005f, 0, 255, 200, 100);
    std::vector<uint32_t> want;
    for (int k = 1; k <= 12; ++k) want.push_back(20u * k);  // 20 .. 240
    want.push_back(255);                                    // 260 is held at 255
    for (int k = 1; k <= 10; ++k) want.push_back(255);      // 500 ms at 50 ms a frame
    for (int k = 1; k <= 12; ++k) want.push_back(255u - 20u * k);  // 235 .. 15
    want.push_back(0);  // below 0: inactive, drawn once more at alpha 0
    for (size_t frame = 0; frame < want.size(); ++frame) {
        std::vector<pf::Call> d = Frame(50);
        ASSERT_EQ(d.size(), 2u) << "frame " << frame + 1;
        EXPECT_EQ(AlphaOf(d[0]), want[frame]) << "frame " << frame + 1;
        EXPECT_EQ(d[0].color & 0xFFFFFFu, 0xFFC864u);
    }
    EXPECT_TRUE(Frame(50).empty());
}

TEST_F(FontFaderTest, TextIsCentredAndMovesWithTheFramesFirstVelocity) {
    fader.Init(1);
    // "AB" at spacing 1 is 12 wide at scale 1; scale 2 doubles it and the height.
    fader.Add(1, "AB", 100, 200, 1, 2, 0.01f, 1000, 1, 1, 0.1f, -0.1f, 0.001f, 0.00005f, 0, 255, 255, 255);
    std::vector<pf::Call> d = Frame(50);
    ASSERT_EQ(d.size(), 2u);
    // Scale 2 + 0.01 x 50 = 2.5; X = 100 + 5 = 105; Y = 200 - 5 = 195.
    EXPECT_FLOAT_EQ(d[0].floats[0], 2.5f);
    EXPECT_FLOAT_EQ(d[0].floats[1], 2.5f);
    EXPECT_FLOAT_EQ(d[0].floats[5], 90);   // Int(105 - 30 / 2)
    EXPECT_FLOAT_EQ(d[0].floats[6], 180);  // Int(195 - 12 x 2.5 / 2)
    EXPECT_FLOAT_EQ(d[1].floats[5], 110);  // 90 + (7 + 1) x 2.5
    // The velocity grew after the move: 0.1 + 0.001 x 50 = 0.15; -0.1 + 0.0025 = -0.0975.
    d = Frame(50);
    EXPECT_FLOAT_EQ(d[0].floats[0], 3);
    EXPECT_FLOAT_EQ(d[0].floats[5], static_cast<float>(plm::Int(112.5f - 36 / 2.0f)));
    EXPECT_FLOAT_EQ(d[0].floats[6], static_cast<float>(plm::Int(190.125f - 18)));
    // The blend factors are the fader's own: source alpha, inverse source alpha after Init.
    EXPECT_EQ(State().BlendSrcCache, 5);
    EXPECT_EQ(State().BlendDestCache, 6);
    fader.SetRenderState(2, 2);
    Frame(0);
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 2)", "SetRenderState(20, 2)"}));
}

TEST_F(FontFaderTest, AddTakesTheNextSlotOfTheRing) {
    // Three slots, four texts: the fourth overwrites slot 1; slots are drawn in order.
    fader.Init(3);
    for (int i = 1; i <= 4; ++i) AddPlain(i % 2 ? "A" : "B", 10.0f * i, 1, 1, 0);
    std::vector<pf::Call> d = Frame(1);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_FLOAT_EQ(d[0].floats[5], plm::Int(40 - 1.5f));  // text 4 ("B", 3 wide) in slot 1
    EXPECT_FLOAT_EQ(d[1].floats[5], plm::Int(20 - 1.5f));
    EXPECT_FLOAT_EQ(d[2].floats[5], plm::Int(30 - 3.5f));

    // Init(0) gives one slot: every Add overwrites it. Init again discards every text.
    fader.Init(0);
    EXPECT_TRUE(Frame(1).empty());
    AddPlain("A", 10, 1, 1, 0);
    AddPlain("B", 50, 1, 1, 0);
    d = Frame(1);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].rect.left, 30);

    // A huge count is capped at 65536 slots: text 65537 lands in slot 1.
    fader.Init(1 << 30);
    for (int i = 1; i <= 65537; ++i) AddPlain("A", static_cast<float>(i), 1, 1, 0);
    d = Frame(1);
    ASSERT_EQ(d.size(), 65536u);
    EXPECT_FLOAT_EQ(d[0].floats[5], plm::Int(65537 - 3.5f));
}

TEST_F(FontFaderTest, PausesAndSpeedsAtTheirEdges) {
    fader.Init(4);
    AddPlain("A", 10, 0, 1, 0);          // fade-in speed 0: never leaves fading in
    AddPlain("A", 20, 300, 10, 0);       // no hold: fades out the frame after it passes 255
    AddPlain("A", 30, 300, 10, 0.5f);    // a hold of 0.5 ms ends in the next frame
    AddPlain("B", 40, 1, 1, 0, 0.5f);    // so does a movement pause of 0.5 ms
    std::vector<pf::Call> d = Frame(0.1f);
    EXPECT_EQ(AlphaOf(d[0]), 0u);
    EXPECT_EQ(AlphaOf(d[1]), 30u);
    d = Frame(1);  // 330: held at 255
    EXPECT_EQ(AlphaOf(d[1]), 255u);
    EXPECT_EQ(AlphaOf(d[2]), 255u);
    d = Frame(1);
    EXPECT_EQ(AlphaOf(d[1]), 245u);  // fading out already
    EXPECT_EQ(AlphaOf(d[2]), 255u);  // the 0.5 ms hold ran out (0.5 - 1 is below 1)
    d = Frame(1);
    EXPECT_EQ(AlphaOf(d[2]), 245u);
    // Delta 0 changes nothing but still draws every active text.
    const std::vector<pf::Call> before = Frame(0);
    const std::vector<pf::Call> after = Frame(0);
    ASSERT_EQ(before.size(), 4u);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].ToString(), after[i].ToString());
    for (int i = 0; i < 1000; ++i) Frame(50);
    d = Frame(50);
    ASSERT_EQ(d.size(), 1u);  // only the text that never fades in is left
    EXPECT_EQ(AlphaOf(d[0]), 0u);
}

TEST_F(FontFaderTest, NothingHappensBeforeInitOrWithoutAGlyph) {
    AddPlain("A", 10, 1, 1, 0);
    Frame(10);
    EXPECT_TRUE(rec->Calls().empty());
    fader.Init(2);
    // A font outside the table or characters without a glyph draw nothing, but the text still
    // steps and the blend factors are set.
    fader.Add(99, "A", 0, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 255, 255, 255);
    AddPlain(std::string("\x01\x02", 2), 10, 1, 1, 0);
    EXPECT_TRUE(Frame(10).empty());
    EXPECT_EQ(rec->Count(pf::CallKind::SetRenderState), 2u);
}

}  // namespace
