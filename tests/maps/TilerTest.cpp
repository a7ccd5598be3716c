// Tilers on the recording device: the copies a set-up draws (sources, positions, trimming), the
// scroll and its wrap, fades, and indexes outside the table.
#include "maps/Tiler.h"

#include "PrimitiveFixture.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class TilerTest : public plmtest::PrimitiveTest {
protected:
    plm::TilerRecord& Row(int i) { return State().TilerTable(i); }
    // "src -> at" of every sprite-batch draw since the last ClearCalls.
    std::vector<std::string> Copies() const {
        std::vector<std::string> out;
        for (const pf::Call& c : rec->CallsOf(pf::CallKind::SpriteDraw))
            out.push_back(std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "," +
                          std::to_string(c.rect.right) + "," + std::to_string(c.rect.bottom) + " -> " +
                          std::to_string(static_cast<int>(c.floats[5])) + "," +
                          std::to_string(static_cast<int>(c.floats[6])));
        return out;
    }

    plm::Tiler tiler;
};

TEST_F(TilerTest, TheTitleBackgroundDrawsItsPartialCopiesAndScrollsDown) {
    // A 512 x 512 tile over the 800 x 600 screen, drifting down 0.035 pixels a millisecond.
    tiler.Configure(1, 1, 0, 0, 512, 512, 0, 0, 800, 600, 255, 255, 255, 255);
    State().Delta = 20;
    tiler.Render(1, 0, 0.035f, true);
    // Y passed 0 at once, so it went back one tile: the top row lies wholly above the screen.
    EXPECT_FLOAT_EQ(Row(1).Y, -512);
    EXPECT_EQ(Copies(), (std::vector<std::string>{"0,0,512,512 -> 0,0", "0,0,288,512 -> 512,0",
                                                  "0,0,512,88 -> 0,512", "0,0,288,88 -> 512,512"}));
    auto draw = rec->CallsOf(pf::CallKind::SpriteDraw).at(0);
    EXPECT_EQ(draw.surfaces.at(0), tex);
    EXPECT_EQ(draw.color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(draw.floats[0], 1);
    EXPECT_FLOAT_EQ(draw.floats[4], 0);
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)"}));

    // 100 ms later the pattern has come 3.5 pixels down: the top row shows its last 4 lines
    // (Int(-508.5) = -509), and the blend factors are not sent again.
    rec->ClearCalls();
    State().Delta = 100;
    tiler.Render(1, 0, 0.035f, true);
    EXPECT_FLOAT_EQ(Row(1).Y, -508.5f);
    EXPECT_EQ(Copies(), (std::vector<std::string>{"0,509,512,512 -> 0,0", "0,509,288,512 -> 512,0",
                                                  "0,0,512,512 -> 0,3", "0,0,288,512 -> 512,3",
                                                  "0,0,512,85 -> 0,515", "0,0,288,85 -> 512,515"}));
    EXPECT_TRUE(rec->LinesOf(pf::CallKind::SetRenderState).empty());

    // Just short of the anchor it stays; past it, it wraps back a whole tile, overshoot dropped.
    Row(1).Y = -0.5f;
    tiler.Render(1, 0, 0.005f, true);
    EXPECT_FLOAT_EQ(Row(1).Y, 0);
    tiler.Render(1, 0, 0.005f, true);
    EXPECT_FLOAT_EQ(Row(1).Y, -512);
}

TEST_F(TilerTest, TheOriginWrapsOnlyBeyondItsBand) {
    // Anchor 100, copies 64 wide: X is kept within [36, 100].
    struct Case {
        float from, move, want;
    };
    const Case cases[] = {{36, 0, 36}, {100, 0, 100}, {40, -4.5f, 100}, {99, 1.5f, 36}, {50, -14, 36}, {60, 40, 100}};
    tiler.Configure(1, 1, 0, 0, 64, 64, 100, 0, 200, 64, 255, 255, 255, 255);
    for (const Case& c : cases) {
        Row(1).X = c.from;
        tiler.Render(1, c.move, 0, false);
        EXPECT_FLOAT_EQ(Row(1).X, c.want) << c.from << " + " << c.move;
    }
    // Per frame without WithDelta, per millisecond with it.
    State().Delta = 4;
    Row(1).X = 50;
    tiler.Render(1, 2, 0, false);
    EXPECT_FLOAT_EQ(Row(1).X, 52);
    tiler.Render(1, 2, 0, true);
    EXPECT_FLOAT_EQ(Row(1).X, 60);
}

TEST_F(TilerTest, CopiesAreTrimmedToTheArea) {
    tiler.Configure(1, 1, 8, 4, 64, 32, 100, 50, 200, 32, 255, 255, 255, 255);
    tiler.Render(1, -10, 0, false);  // origin 90: the first copy loses 10 columns on the left
    EXPECT_EQ(Copies(), (std::vector<std::string>{"18,4,72,36 -> 100,50", "8,4,72,36 -> 154,50",
                                                  "8,4,72,36 -> 218,50", "8,4,26,36 -> 282,50"}));
    // The area moves to 300 while the anchor stays at 100: the origin wraps back to 36, and of its
    // copies only the last reaches into the area; the ones wholly left of it are not drawn.
    rec->ClearCalls();
    tiler.SetXY(1, 300, 50, 200, 32, false);
    EXPECT_EQ(Row(1).ClipLeft, 300);
    EXPECT_EQ(Row(1).ClipRight, 500);
    tiler.Render(1, 0, 0, false);
    EXPECT_FLOAT_EQ(Row(1).X, 36);
    EXPECT_EQ(Copies(), (std::vector<std::string>{"16,4,72,36 -> 300,50"}));
    // With ResetCurrentXY the anchor moves too.
    tiler.SetXY(1, 300.5f, 50, 200, 32, true);
    EXPECT_FLOAT_EQ(Row(1).DestX, 300.5f);
    EXPECT_EQ(Row(1).ClipLeft, 300) << "300.5 rounds half to even";
    EXPECT_EQ(Row(1).ClipRight, 500);
}

TEST_F(TilerTest, FadesEndExactlyOnTheirTargets) {
    tiler.Configure(1, 1, 0, 0, 64, 64, 0, 0, 64, 64, 255, 255, 128, 0);
    tiler.FadeIn(1, 0.1f, 255);
    EXPECT_EQ(Row(1).Alpha, 0);
    EXPECT_EQ(Row(1).Color, 0x00FF8000u);
    State().Delta = 16.7f;
    int frames = 0;
    // The fade runs on the frame time even when the scroll does not.
    while (Row(1).IsFading && frames < 1000) tiler.Render(1, 0, 0, false), ++frames;
    EXPECT_EQ(frames, 153);  // 2.55 s of 16.7 ms frames
    EXPECT_EQ(Row(1).Alpha, 255);
    EXPECT_EQ(Row(1).Color, 0xFFFF8000u);

    // Configure while a fade runs leaves it running.
    tiler.FadeOut(1, 0.1f, 0);
    tiler.Render(1, 0, 0, false);
    EXPECT_FLOAT_EQ(Row(1).Alpha, 253.33f);
    EXPECT_EQ(Row(1).Color >> 24, 253u);
    tiler.Configure(1, 1, 0, 0, 64, 64, 0, 0, 64, 64, 200, 255, 128, 0);
    EXPECT_TRUE(Row(1).IsFading);
    while (Row(1).IsFading && frames < 2000) tiler.Render(1, 0, 0, false), ++frames;
    EXPECT_EQ(Row(1).Alpha, 0);
    EXPECT_EQ(Row(1).Color, 0x00FF8000u);
}

TEST_F(TilerTest, AlphaAndTintRepackTheColour) {
    tiler.Configure(3, 1, 0, 0, 64, 64, 0, 0, 64, 64, 255, 255, 255, 255);
    tiler.Alpha(3, 127.9f);
    tiler.SetRGB(3, 300, -4, 16.5f);  // stored as given; the packed colour limits each part
    EXPECT_FLOAT_EQ(tiler.Alpha(3), 127.9f);
    EXPECT_FLOAT_EQ(tiler.GetRGB(3).Red, 300);
    EXPECT_FLOAT_EQ(tiler.GetRGB(3).Green, -4);
    EXPECT_EQ(Row(3).Color, 0x7FFF0010u);
    tiler.SetRenderState(3, 5, 2);
    tiler.Render(3, 0, 0, false);
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 2)"}));
}

TEST_F(TilerTest, NothingToDrawDrawsNothing) {
    // Never configured (no size): the scroll still runs, nothing is drawn and nothing fails.
    tiler.Render(2, 1, 1, false);
    // A zero height, and an empty texture slot.
    tiler.Configure(4, 1, 0, 0, 64, 0, 0, 0, 64, 64, 255, 255, 255, 255);
    tiler.Render(4, 0, 0, false);
    tiler.Configure(5, 2, 0, 0, 64, 64, 0, 0, 64, 64, 255, 255, 255, 255);
    tiler.Render(5, -3, 0, false);
    EXPECT_FLOAT_EQ(Row(5).X, -3);
    EXPECT_TRUE(rec->Calls().empty());
}

TEST_F(TilerTest, IndexesOutsideTheTableDoNothing) {
    for (int i : {0, -1, 65}) {
        tiler.Configure(i, 1, 0, 0, 64, 64, 0, 0, 64, 64, 255, 255, 255, 255);
        tiler.FadeIn(i, 1, 255);
        tiler.Alpha(i, 100);
        tiler.SetRGB(i, 1, 2, 3);
        tiler.SetXY(i, 1, 2, 3, 4, true);
        tiler.Render(i, 0, 0, false);
        EXPECT_EQ(tiler.Alpha(i), 0);
        EXPECT_EQ(tiler.GetRGB(i).Blue, 0);
    }
    EXPECT_TRUE(rec->Calls().empty());
    EXPECT_EQ(State().TilerTable.size(), 64);
    // The last row is a real one.
    tiler.Configure(64, 1, 0, 0, 64, 64, 0, 0, 64, 64, 255, 255, 255, 255);
    tiler.Render(64, 0, 0, false);
    EXPECT_EQ(Copies().size(), 1u);
}

}  // namespace
