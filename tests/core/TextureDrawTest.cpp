// Texture drawing on the recording device: placement, rotation, colour and shadow of each
// drawing member, and the blend cache in front of render states 19/20.
#include <memory>

#include "EngineFixture.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/Texture.h"
#include "platform/test/RecordingDevice.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class TextureDrawTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        rec = std::make_shared<pf::RecordingDevice>();
        State().D3DDevice = rec;
        State().Textures.resize(4);
        State().DrawMatrix.m[3][3] = 1;  // as InitDevice leaves it
        tex = rec->CreateTexture(64, 64, false);
        State().Textures(1).Object = tex;
        State().Textures(1).Loaded = true;
        rec->RecordQueries(false);
        rec->ClearCalls();
    }

    std::vector<pf::Call> Draws() const { return rec->CallsOf(pf::CallKind::SpriteDraw); }
    std::vector<pf::Call> Transforms() const { return rec->CallsOf(pf::CallKind::SpriteDrawTransform); }
    static float Rad(int entry) { return State().DegreeToRadTable[static_cast<size_t>(entry)]; }

    std::shared_ptr<pf::RecordingDevice> rec;
    pf::SurfaceId tex = 0;
    plm::Texture texture;
};

// floats of a SpriteDraw: scaleX, scaleY, centreX, centreY, rotation, translationX, translationY.
struct Expected {
    float sx, sy, cx, cy, rot, x, y;
    uint32_t color;
};

void ExpectDraw(const pf::Call& c, pf::SurfaceId tex, pf::Rect src, const Expected& e) {
    EXPECT_EQ(c.surfaces.at(0), tex);
    ASSERT_TRUE(c.hasRect);
    EXPECT_EQ(c.rect.left, src.left);
    EXPECT_EQ(c.rect.top, src.top);
    EXPECT_EQ(c.rect.right, src.right);
    EXPECT_EQ(c.rect.bottom, src.bottom);
    const float want[] = {e.sx, e.sy, e.cx, e.cy, e.rot, e.x, e.y};
    for (size_t i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(c.floats.at(i), want[i]) << "float " << i;
    EXPECT_EQ(c.color, e.color) << std::hex << c.color;
}

TEST_F(TextureDrawTest, RenderFastCentresOnTheRoundedHalfSize) {
    // CLng(33) \ 2 = 16: left edge 84. At scale 0.5, CLng(16.5) = 16 (half to even) \ 2 = 8: 92.
    texture.RenderFast(1, 0, 0, 33, 33, 100, 100, 255, 0, 1);
    texture.RenderFast(1, 0, 0, 33, 33, 100, 100, 255, 0, 0.5f);
    texture.RenderFast(1, 0, 0, 33, 33, 100.9f, 50, 255, 0, 1, true);
    auto d = Draws();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_FLOAT_EQ(d[0].floats[5], 84);
    EXPECT_FLOAT_EQ(d[1].floats[5], 92);
    EXPECT_FLOAT_EQ(d[2].floats[5], 100) << "top-left origin: Int of the position";
    EXPECT_FLOAT_EQ(d[2].floats[6], 50);
}

TEST_F(TextureDrawTest, EachMemberPlacesRotatesAndColoursItsDraw) {
    texture.RenderFastest(1, 2, 3, 10, 12, 7.9f, 8.2f);
    texture.RenderFaster(1, 0, 0, 10, 12, 7.9f, -0.5f, 128.7f, 90);
    texture.RenderFast(1, 0, 0, 20, 24, 20, 30, 255, 1.0f, 2, false, true);
    // Colour components are whole parts limited to 0..255; -90 degrees wraps to 270.
    texture.Render(1, 0, 0, 10, 12, 50, 60, 64.5f, -90, 2, 3, false, 0, 0, 0, 1, 1, 0, 300, 127.9f, -5);
    auto d = Draws();
    ASSERT_EQ(d.size(), 4u);
    ExpectDraw(d[0], tex, {2, 3, 12, 15}, {1, 1, 0, 0, 0, 7, 8, 0xFFFFFFFFu});
    ExpectDraw(d[1], tex, {0, 0, 10, 12}, {1, 1, 5, 6, Rad(90), 7, -1, 0x80FFFFFFu});
    ExpectDraw(d[2], tex, {0, 0, 20, 24}, {2, 2, 20, 24, 1.0f, 0, 6, 0xFFFFFFFFu});
    ExpectDraw(d[3], tex, {0, 0, 10, 12}, {2, 3, 10, 18, Rad(270), 40, 42, 0x40FF7F00u});
}

TEST_F(TextureDrawTest, RenderDrawsItsShadowFirstOnlyWhenItHasAlpha) {
    texture.Render(1, 0, 0, 10, 12, 50, 60, 255, 0, 1, 1, false, 0, 5, 5);
    ASSERT_EQ(Draws().size(), 1u);
    rec->ClearCalls();
    // Centred: the shadow's offset goes inside the Int; its centre follows the texture's scale.
    texture.Render(1, 0, 0, 10, 12, 50, 60, 255, 45, 2, 2, false, 100, 3.5f, 4, 1, 1, 10);
    // Top-left: the offset is added after the position was rounded down.
    texture.Render(1, 0, 0, 10, 12, 10.7f, 20.2f, 255, 0, 1, 1, true, 255.9f, 3.5f, -4);
    auto d = Draws();
    ASSERT_EQ(d.size(), 4u);
    ExpectDraw(d[0], tex, {0, 0, 10, 12}, {1, 1, 10, 12, Rad(10), 48, 58, 0x64000000u});
    ExpectDraw(d[1], tex, {0, 0, 10, 12}, {2, 2, 10, 12, Rad(45), 40, 48, 0xFFFFFFFFu});
    ExpectDraw(d[2], tex, {0, 0, 10, 12}, {1, 1, 5, 6, 0, 13.5f, 16, 0xFF000000u});
    ExpectDraw(d[3], tex, {0, 0, 10, 12}, {1, 1, 5, 6, 0, 10, 20, 0xFFFFFFFFu});
}

TEST_F(TextureDrawTest, TransformAndSkewDrawThroughAMatrix) {
    pf::Matrix4 m;
    m.m[0][0] = 2, m.m[1][1] = 3, m.m[3][0] = 11.5f, m.m[3][1] = 7, m.m[3][3] = 1;
    texture.RenderTransform(1, 4, 4, 8, 8, m, 200, 10, 20, 30);
    texture.RenderSkew(1, 0, 0, 10, 20, 100, 50, 2, 1, 0.5f, 0.25f, 255, false);
    texture.RenderSkew(1, 0, 0, 10, 20, 100.6f, 50.2f, 2, 1, 0.5f, 0.25f, 255, true, 0, 0, 255);
    auto t = Transforms();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].rect.right, 12);
    EXPECT_EQ(t[0].color, 0xC80A141Eu);
    EXPECT_FLOAT_EQ(t[0].matrix.m[3][0], 11.5f);
    EXPECT_FLOAT_EQ(t[0].matrix.m[1][1], 3);
    const pf::Matrix4& s = t[1].matrix;
    EXPECT_FLOAT_EQ(s.m[0][0], 2);
    EXPECT_FLOAT_EQ(s.m[0][1], 0.25f);
    EXPECT_FLOAT_EQ(s.m[1][0], 0.5f);
    EXPECT_FLOAT_EQ(s.m[1][1], 1);
    // Int(100 - 10 * 2 / 2 - 10 * 0.5 / 2) = Int(87.5), Int(50 - 20 * 1 / 2 - 20 * 0.25 / 2) = Int(37.5).
    EXPECT_FLOAT_EQ(s.m[3][0], 87);
    EXPECT_FLOAT_EQ(s.m[3][1], 37);
    EXPECT_FLOAT_EQ(s.m[3][3], 1);
    EXPECT_FLOAT_EQ(t[2].matrix.m[3][0], 100);
    EXPECT_FLOAT_EQ(t[2].matrix.m[3][1], 50);
    EXPECT_EQ(t[2].color, 0xFF0000FFu);
}

TEST_F(TextureDrawTest, AnglesAreLookedUpInsideTheTable) {
    struct Case {
        float degrees;
        int entry;
    };
    for (Case c : {Case{0, 0}, Case{360, 360}, Case{359.9f, 359}, Case{720, 720}, Case{725, 5}, Case{-1, 359}}) {
        SCOPED_TRACE(c.degrees);
        rec->ClearCalls();
        texture.RenderFaster(1, 0, 0, 8, 8, 0, 0, 255, c.degrees);
        ASSERT_EQ(Draws().size(), 1u);
        EXPECT_FLOAT_EQ(Draws()[0].floats[4], Rad(c.entry));
    }
    EXPECT_FLOAT_EQ(Rad(360), Rad(0)) << "360 draws as 0";
}

TEST_F(TextureDrawTest, BlendFactorsAreSentOnlyWhenTheyChange) {
    auto states = [&] { return rec->LinesOf(pf::CallKind::SetRenderState); };
    texture.RenderFast(1, 0, 0, 8, 8, 0, 0);
    texture.RenderFast(1, 0, 0, 8, 8, 0, 0);
    EXPECT_EQ(states(), (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)"}));
    rec->ClearCalls();
    texture.Render(1, 0, 0, 8, 8, 0, 0, 255, 0, 1, 1, false, 0, 0, 0, 1, 1, 0, 255, 255, 255, 2, 6);
    texture.RenderFastest(1, 0, 0, 8, 8, 0, 0);
    texture.RenderFaster(1, 0, 0, 8, 8, 0, 0);
    EXPECT_EQ(states(), (std::vector<std::string>{"SetRenderState(19, 2)", "SetRenderState(19, 5)"}));
    rec->ClearCalls();
    plm::ForgetBlend();  // as every Scene.Begin does
    texture.RenderFastest(1, 0, 0, 8, 8, 0, 0);
    EXPECT_EQ(states(), (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)"}));
}

TEST_F(TextureDrawTest, NothingIsDrawnFromAnEmptySlotOrABadIndex) {
    for (int index : {2, 0, 5, -7}) {
        texture.Render(index, 0, 0, 8, 8, 0, 0, 255, 0, 1, 1, false, 255);
        texture.RenderFast(index, 0, 0, 8, 8, 0, 0);
        texture.RenderFaster(index, 0, 0, 8, 8, 0, 0);
        texture.RenderFastest(index, 0, 0, 8, 8, 0, 0);
        texture.RenderTransform(index, 0, 0, 8, 8, State().DrawMatrix);
        texture.RenderSkew(index, 0, 0, 8, 8, 0, 0);
    }
    EXPECT_TRUE(rec->Calls().empty()) << rec->Text();
}

}  // namespace
