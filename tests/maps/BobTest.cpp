// Blitter objects: frames, placement by corner or centre, scale, mirror and flip (on the draw list
// and on pixels), rotation in radians and degrees, colour, movement helpers and the data slots.
#include "SceneryFixture.h"
#include "core/TextureFixture.h"
#include "core/DrawProcs.h"
#include "maps/Bob.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class BobTest : public plmtest::SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        tex = Load(2, 256, 256);
        bob.Texture(2);
    }
    plmtest::BatchDraw DrawOnce() {
        device->ClearCalls();
        bob.Render();
        auto d = Draws();
        EXPECT_EQ(d.size(), 1u);
        return d.empty() ? plmtest::BatchDraw{} : d[0];
    }
    pf::SurfaceId tex = 0;
    plm::Bob bob;
};

TEST_F(BobTest, ANewBobDrawsItsRectangleByTheTopLeftCornerUntilToldToCentre) {
    EXPECT_TRUE(bob.OriginTopLeft());
    EXPECT_TRUE(bob.Enabled());
    EXPECT_EQ(bob.Alpha(), 255);
    bob.TextureRect(0, 0, 32, 32);
    bob.X(100);
    bob.Y(100);
    auto d = DrawOnce();
    EXPECT_EQ(d.texture, tex);
    EXPECT_EQ(d.translation.x, 100);
    EXPECT_EQ(d.translation.y, 100);
    EXPECT_EQ(d.scaling.x, 1);
    EXPECT_EQ(d.centre.x, 16);
    EXPECT_EQ(d.color, 0xFFFFFFFFu);
    bob.OriginTopLeft(false);
    d = DrawOnce();
    EXPECT_EQ(d.translation.x, 84);
    EXPECT_EQ(d.translation.y, 84);
    EXPECT_EQ(RenderStates(), (std::vector<std::pair<int64_t, int64_t>>{}));  // 5 and 6 already sent
}

TEST_F(BobTest, FramesLieInAGridWithAOnePixelGutter) {
    bob.Width(32);
    bob.Height(16);
    bob.SourceY(4);
    bob.XFrame(2);
    bob.YFrame(1);
    auto d = DrawOnce();
    EXPECT_EQ(d.src.left, 66);
    EXPECT_EQ(d.src.right, 98);
    EXPECT_EQ(d.src.top, 21);
    EXPECT_EQ(d.src.bottom, 37);
    // Frames far outside the 32-bit range are held to it rather than overflowing.
    bob.XFrame(2147483647);
    d = DrawOnce();
    EXPECT_EQ(d.src.left, 2147483647);
}

TEST_F(BobTest, ScaleMirrorAndFlipWorkOutScalingCentreAndTranslation) {
    struct Case {
        float scaled, scaledX, scaledY;
        bool mirror, flip, topLeft;
        float sx, sy, cx, cy, tx, ty;
    };
    for (const Case& c : std::vector<Case>{
             {2, 1.5f, 1, false, false, true, 3, 2, 48, 32, 100, 50},
             {1, 1, 1, true, false, true, -1, 1, -16, 16, 132, 50},  // drawn back over the same place
             {1, 1, 1, false, true, true, 1, -1, 16, -16, 100, 82},
             {2, 1, 1, true, true, false, -2, -2, -32, -32, 100, 50},  // centred: 100 - 32 + 64
         }) {
        bob.TextureRect(0, 0, 32, 32);
        bob.Scaled(c.scaled);
        bob.ScaledX(c.scaledX);
        bob.ScaledY(c.scaledY);
        bob.Mirror(c.mirror);
        bob.Flip(c.flip);
        bob.OriginTopLeft(c.topLeft);
        bob.X(100);
        bob.Y(50);
        auto d = DrawOnce();
        EXPECT_EQ(bob.Mirror(), c.mirror);
        EXPECT_EQ(bob.Flip(), c.flip);
        EXPECT_EQ(d.scaling.x, c.sx);
        EXPECT_EQ(d.scaling.y, c.sy);
        EXPECT_EQ(d.centre.x, c.cx);
        EXPECT_EQ(d.centre.y, c.cy);
        EXPECT_EQ(d.translation.x, c.topLeft ? c.tx : 100 - 32 + 64) << c.mirror << c.flip;
        EXPECT_EQ(d.translation.y, c.topLeft ? c.ty : 50 - 32 + 64);
    }
}

// On the software device: mirror and flip draw over the same pixels, the image reversed.
class BobPixelTest : public plmtest::TextureTest {};

TEST_F(BobPixelTest, AMirroredOrFlippedBobCoversTheSamePixelsReversed) {
    const pf::Image img = Pattern(4, 2);
    plm::TextureSlot& slot = State().Textures(3);
    slot.Object = device->CreateTextureFromImage(img);
    slot.Loaded = true;
    plm::Bob bob;
    bob.Texture(3);
    bob.TextureRect(0, 0, 4, 2);
    bob.X(5);
    bob.Y(3);
    const pf::Image plain = Frame(0xFF000000u, [&] { bob.Render(); });
    bob.Mirror(true);
    const pf::Image mirrored = Frame(0xFF000000u, [&] { bob.Render(); });
    bob.Mirror(false);
    bob.Flip(true);
    const pf::Image flipped = Frame(0xFF000000u, [&] { bob.Render(); });
    auto texel = [&](int x, int y) { return img.pixels[static_cast<size_t>(y * 4 + x)]; };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            if (!(x >= 5 && x < 9 && y >= 3 && y < 5)) {
                EXPECT_EQ(At(mirrored, x, y), 0xFF000000u) << x << "," << y;
                EXPECT_EQ(At(flipped, x, y), 0xFF000000u) << x << "," << y;
                continue;
            }
            EXPECT_EQ(At(plain, x, y), texel(x - 5, y - 3));
            EXPECT_EQ(At(mirrored, x, y), texel(8 - x, y - 3)) << x << "," << y;
            EXPECT_EQ(At(flipped, x, y), texel(x - 5, 4 - y)) << x << "," << y;
        }
}

TEST_F(BobTest, RotationIsInRadiansOrThroughTheAngleTableInDegrees) {
    bob.TextureRect(0, 0, 32, 32);
    bob.Rotate(90);
    EXPECT_EQ(DrawOnce().rotation, 90.0f);  // 90 radians
    bob.RotateAsDegree(true);               // converts the stored 90
    EXPECT_EQ(DrawOnce().rotation, plm::DegreeToRad(90));
    EXPECT_EQ(bob.Rotate(), 90);
    bob.Rotate(45.9f);
    EXPECT_EQ(DrawOnce().rotation, plm::DegreeToRad(45));
    // Angles outside 0..720 go through the wrapping helper.
    for (float a : {-90.0f, 721.0f, 1e30f}) {
        bob.Rotate(a);
        EXPECT_EQ(DrawOnce().rotation, plm::DegreeToRad(a));
    }
    bob.Rotate(-90);
    EXPECT_EQ(DrawOnce().rotation, plm::DegreeToRad(270));
}

TEST_F(BobTest, AlphaAndTintRepackTheColour) {
    bob.TextureRect(0, 0, 8, 8);
    bob.Alpha(128);
    EXPECT_EQ(DrawOnce().color, 0x80FFFFFFu);
    bob.Red(10.9f);
    bob.Green(300);  // stored as given, limited when packed
    bob.Blue(-4);
    EXPECT_EQ(DrawOnce().color, 0x800AFF00u);
    EXPECT_EQ(bob.Green(), 300);
}

TEST_F(BobTest, MovementHelpersMoveClampAndWrap) {
    State().Delta = 4;
    bob.X(98);
    bob.AddToPosWrap(5, 0, 0, 0, 100, 100, false);
    EXPECT_EQ(bob.X(), 0);
    bob.X(98);
    bob.Y(3);
    bob.AddToPosLimit(5, -1, 0, 0, 100, 100, true);
    EXPECT_EQ(bob.X(), 100);
    EXPECT_EQ(bob.Y(), 0);
    bob.AddToPosWrap(-1, -1, 0, 0, 100, 100, false);
    EXPECT_EQ(bob.X(), 99);
    EXPECT_EQ(bob.Y(), 100);
    bob.AddToPos(1, 2, true);
    EXPECT_EQ(bob.X(), 103);
    EXPECT_EQ(bob.Y(), 108);
    bob.XAdd(7, 0.5f);
    bob.YAdd(0, -1);
    EXPECT_EQ(bob.X(), 105);
    EXPECT_EQ(bob.Y(), 104);
}

TEST_F(BobTest, DataSlotsOneToTenAndNothingOutside) {
    for (int id = 1; id <= 10; ++id) {
        bob.data(id, static_cast<float>(id) / 2);
        bob.DataString(id, "s" + std::to_string(id));
    }
    for (int id : {0, 11, -1, 1 << 30}) {
        bob.data(id, 9);
        bob.DataString(id, "x");
        EXPECT_EQ(bob.data(id), 0);
        EXPECT_EQ(bob.DataString(id), "");
    }
    EXPECT_EQ(bob.data(10), 5);
    EXPECT_EQ(bob.DataString(1), "s1");
    bob.ID1(-3);
    bob.ID2(4);
    EXPECT_EQ(bob.ID1() + bob.ID2(), 1);
}

TEST_F(BobTest, DisabledOrTexturelessBobsDrawNothingAndBlendStatesAreCached) {
    bob.TextureRect(0, 0, 8, 8);
    bob.Enabled(false);
    bob.Render();
    bob.Enabled(true);
    bob.Texture(5);  // empty slot
    bob.Render();
    bob.Texture(99);  // outside the table
    bob.Render();
    EXPECT_TRUE(Draws().empty());
    EXPECT_TRUE(RenderStates().empty());
    bob.Texture(2);
    bob.SetRenderState(5, 2);
    bob.Render();
    bob.Render();
    EXPECT_EQ(RenderStates(), (std::vector<std::pair<int64_t, int64_t>>{{19, 5}, {20, 2}}));
}

}  // namespace
