// Font.RenderToTexture on the software device: the text is blended into the texture over what it
// held, read back, and the frame goes on drawing to the screen afterwards.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/TextureFixture.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"
#include "ui/Font.h"

namespace {

using plm::State;
namespace pf = plm::platform;

constexpr uint32_t kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u, kRed = 0xFFFF0000u, kGrey = 0xFF202020u;

class FontTextureTest : public plmtest::TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        rec = std::make_shared<pf::RecordingDevice>(device);
        State().D3DDevice = rec;
        // The target: 24 x 8 opaque blue with one green texel in its corner.
        pf::Image target = Solid(24, 8, kBlue);
        target.pixels.back() = kGreen;
        Put(2, target);
        // The font sheet: "A" an opaque red 4 x 4 block at (0,0), "B" half-transparent white 2 x 4 at (4,0).
        pf::Image sheet = Solid(8, 4, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) sheet.pixels[static_cast<size_t>(y * 8 + x)] = x < 4 ? kRed : 0x80FFFFFFu;
        Put(3, sheet);
        plm::FontGlyphTable& f = State().FontTable[1];
        f.TextureIndex = 3;
        f.Height = 4;
        f.X[34] = 0, f.Width[34] = 4;
        f.X[35] = 4, f.Width[35] = 2;
        rec->RecordQueries(false);
    }

    static pf::Image Solid(int w, int h, uint32_t color) {
        pf::Image img;
        img.width = w;
        img.height = h;
        img.pixels.assign(static_cast<size_t>(w * h), color);
        return img;
    }

    void Put(int slot, const pf::Image& img) {
        State().Textures(slot).Object = device->CreateTextureFromImage(img);
        State().Textures(slot).Loaded = true;
    }

    static bool Near(uint32_t got, uint32_t want) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 2)
                return false;
        return true;
    }

    std::shared_ptr<pf::RecordingDevice> rec;
    plm::Font font;
};

TEST_F(FontTextureTest, RenderToTextureBlendsTheTextOverTheTexture) {
    pf::Image screen = Frame(kGrey, [&] {
        rec->ClearCalls();
        font.RenderToTexture(2, 1, "AB", 10.6f, 2.2f, 1, 255, 1, 1, 1, 255, 255, 255, 5, 6);
        // The frame goes on: this lands on the screen, and its blend states are sent again.
        font.Render(1, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);
    });
    const pf::Image t = Pixels(2);
    EXPECT_EQ(At(t, 10, 2), kRed);
    EXPECT_EQ(At(t, 13, 5), kRed);
    EXPECT_EQ(At(t, 9, 2), kBlue);
    EXPECT_EQ(At(t, 14, 2), kBlue);  // the spacing
    // "B" at Int(10.6 + 5) = 15: half white over blue.
    EXPECT_TRUE(Near(At(t, 15, 3), 0xFF8080FFu)) << std::hex << At(t, 15, 3);
    EXPECT_TRUE(Near(At(t, 16, 5), 0xFF8080FFu)) << std::hex << At(t, 16, 5);
    EXPECT_EQ(At(t, 17, 3), kBlue);
    EXPECT_EQ(At(t, 12, 1), kBlue);
    EXPECT_EQ(At(t, 12, 6), kBlue);
    EXPECT_EQ(At(t, 23, 7), kGreen);
    // Only the later Render reached the screen.
    EXPECT_EQ(At(screen, 1, 1), kRed);
    EXPECT_EQ(At(screen, 11, 3), kGrey);

    // The frame's scene and batch end before the target is switched and start again after it;
    // the temporary target is released.
    std::vector<std::string> order;
    for (const pf::Call& c : rec->Calls())
        if (c.kind != pf::CallKind::SpriteDraw && c.kind != pf::CallKind::SetViewport) order.push_back(c.name);
    const std::vector<std::string> want = {
        "CreateTexture", "SpriteEnd", "EndScene", "SetRenderTarget", "BeginScene", "Clear", "CopyRects",
        "SpriteBegin", "SetRenderState", "SetRenderState", "SpriteEnd", "EndScene", "SetRenderTarget", "BeginScene",
        "SpriteBegin", "CopyRects", "ReleaseSurface", "SetRenderState", "SetRenderState"};
    EXPECT_EQ(order, want);
    const pf::Call* restored = rec->Find(pf::CallKind::SetRenderTarget, 1);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->surfaces[0], device->GetBackBuffer());
}

TEST_F(FontTextureTest, RenderToTextureRefusesBeforeTouchingTheFrame) {
    State().Textures(1).Loaded = false;
    Frame(kGrey, [&] {
        rec->ClearCalls();
        font.RenderToTexture(1, 1, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);   // empty target slot
        font.RenderToTexture(9, 1, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);   // beyond the table
        font.RenderToTexture(2, 17, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);  // no such font
        State().FontTable[1].TextureIndex = 1;
        font.RenderToTexture(2, 1, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);   // font texture empty
        EXPECT_TRUE(rec->Calls().empty()) << rec->Text();
    });
    EXPECT_EQ(At(Pixels(2), 0, 0), kBlue);
}

}  // namespace
