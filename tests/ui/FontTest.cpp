// Bitmap fonts: both font-file forms and what a damaged file leaves, measuring, and the draws of
// Render, RenderFast and CopyToTexture on the recording device.
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FontFixture.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "ui/Font.h"
#include "ui/FontProcs.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class FontTest : public plmtest::FontDrawTest {
protected:
    bool Load(const std::string& text) {
        plmtest::WriteFile(folder.file("f.dat"), text);
        return font.Init("f.dat");
    }

    plm::Font font;
};

TEST_F(FontTest, MultiFontFileFillsTheNamedFontsOnly) {
    State().FontTable[1].Height = 99;  // font 1 is not in the file
    State().FontTable[3].Width[200] = 77;  // a slot no row names keeps its value
    ASSERT_TRUE(Load("2\r\n"
                     "3, 2, 100, 50, 16, 2\r\n"
                     "65,0,2\r\n1,5,8,6\r\n"
                     "97 ,20,1\n40,9\n"
                     "0,1,0,0,8,1,32,0,1,0,3\r\n"));
    const plm::FontGlyphTable& f = State().FontTable[3];
    EXPECT_EQ(f.TextureIndex, 2);
    EXPECT_EQ(f.Height, 16);
    // "A" (65) is slot 34: X + XOffset, RowY + YOffset.
    EXPECT_EQ(f.X[34], 101);
    EXPECT_EQ(f.Y[34], 50);
    EXPECT_EQ(f.Width[34], 5);
    EXPECT_EQ(f.X[35], 108);
    EXPECT_EQ(f.Width[35], 6);
    EXPECT_EQ(f.X[66], 140);  // "a" (97)
    EXPECT_EQ(f.Y[66], 70);
    EXPECT_EQ(f.Width[66], 9);
    EXPECT_EQ(f.Width[200], 77);
    EXPECT_EQ(f.Width[36], 0);
    // A file may fill entry 0 as well.
    EXPECT_EQ(State().FontTable[0].Height, 8);
    EXPECT_EQ(State().FontTable[0].Width[1], 3);
    EXPECT_EQ(State().FontTable[1].Height, 99);
    EXPECT_EQ(State().FontTable[4].Height, 0);
    EXPECT_EQ(LogText(), "");
}

TEST_F(FontTest, DamagedFontFilesLeaveEveryFontAsItWas) {
    const plm::FontTableArray before = State().FontTable;
    const char* damaged[] = {
        "1\r\n17,1,0,0,8,1\r\n32,0,1\r\n0,3\r\n",             // font index above 16
        "1\r\n-1,1,0,0,8,1\r\n32,0,1\r\n0,3\r\n",             // font index below 0
        "1\r\n2,1,0,0,8,1\r\n31,0,1\r\n0,3\r\n",              // glyph slot 0 (code 31)
        "1\r\n2,1,0,0,8,1\r\n286,0,2\r\n0,3,4,3\r\n",         // slot 255, then 256
        "1\r\n2,1,0,0,8,1\r\n32,0,1\r\n2147483648,3\r\n",     // a number beyond 32 bits
        "1\r\n2,1,2147483647,0,8,1\r\n32,0,1\r\n1,3\r\n",     // X + XOffset beyond 32 bits
        "1\r\n2,1,0,0,8,1\r\n32,0,2\r\n0,3\r\n",              // a short file
        "1\r\n2,1,0,0,8,1\r\n32,0,1\r\n0,x\r\n",              // a field that is not a number
        "2\r\n2,1,0,0,8,1\r\n32,0,1\r\n0,3\r\n",              // the second font missing
    };
    for (const char* text : damaged) {
        EXPECT_FALSE(Load(text)) << text;
        EXPECT_TRUE(State().FontTable == before) << text;
    }
    const std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[0], plm::kDashLine);
    EXPECT_EQ(plmtest::Undated(log[1]), "Error: (Font.Init)");
    EXPECT_EQ(plmtest::Undated(log[2]), "File not found or file error.");
    EXPECT_EQ(plmtest::Undated(log[3]), "Path=" + folder.path());
    EXPECT_EQ(plmtest::Undated(log[4]), "Filename=f.dat");
    EXPECT_EQ(plmtest::Undated(log[6]), "Number: 9");
    EXPECT_NE(log[7].find("font index 17"), std::string::npos) << log[7];
    EXPECT_EQ(log.size(), 8u * std::size(damaged));

    // A missing or one-byte file answers false and writes nothing.
    std::filesystem::remove(folder.file("data.log"));
    EXPECT_FALSE(font.Init("missing.dat"));
    EXPECT_FALSE(Load("1"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log")));
}

TEST_F(FontTest, SingleFontFileRunsOnFromTheSpace) {
    // Rows packed from the texture's top: Y = Height x (row - 1); offsets rounded halves to even.
    plmtest::WriteFile(folder.file("v.dat"), "10\r\n2\r\n2\r\n2,3,3,4\r\n1\r\n7,5\r\n");
    ASSERT_TRUE(font.InitV231(5, "v.dat", 2, 0.5f, 1.5f));
    const plm::FontGlyphTable& f = State().FontTable[5];
    EXPECT_EQ(f.TextureIndex, 2);
    EXPECT_EQ(f.Height, 10);
    EXPECT_EQ(f.X[1], 2);  // 2.5 -> 2
    EXPECT_EQ(f.X[2], 4);  // 3.5 -> 4
    EXPECT_EQ(f.Y[1], 2);  // 0 + 1.5 -> 2
    EXPECT_EQ(f.X[3], 8);  // row 2 goes on at slot 3
    EXPECT_EQ(f.Y[3], 12);  // 10 + 1.5 = 11.5 -> 12
    EXPECT_EQ(f.Width[3], 5);

    // A first field of 0: the real height follows and every row gives its own top edge.
    plmtest::WriteFile(folder.file("w.dat"), "0\r\n9\r\n2\r\n1,40\r\n0,3\r\n1,70\r\n5,6\r\n");
    ASSERT_TRUE(font.InitV231(6, "w.dat", 3, 0, 0));
    EXPECT_EQ(State().FontTable[6].Height, 9);
    EXPECT_EQ(State().FontTable[6].Y[1], 40);
    EXPECT_EQ(State().FontTable[6].Y[2], 70);
    EXPECT_EQ(State().FontTable[6].X[2], 5);

    // A bad index logs its one line and reads nothing; a damaged file leaves the font as it was.
    EXPECT_FALSE(font.InitV231(0, "v.dat", 2, 0, 0));
    EXPECT_FALSE(font.InitV231(17, "v.dat", 2, 0, 0));
    EXPECT_EQ(Log().size(), 2u);
    EXPECT_EQ(plmtest::Undated(Log()[0]), "Index passed to Font.Init not between 1-16.");
    const plm::FontGlyphTable kept = State().FontTable[5];
    plmtest::WriteFile(folder.file("bad.dat"), "10\r\n2\r\n1\r\n0,3\r\n1\r\n");
    EXPECT_FALSE(font.InitV231(5, "bad.dat", 3, 0, 0));
    EXPECT_TRUE(State().FontTable[5] == kept);
    EXPECT_EQ(plmtest::Undated(Log()[3]), "Error: (Font.InitV231)");
    // More glyphs than slots is a read error, not a write past the table.
    std::string many = "8\r\n1\r\n300\r\n";
    for (int i = 0; i < 300; ++i) many += "0,1,";
    plmtest::WriteFile(folder.file("many.dat"), many);
    EXPECT_FALSE(font.InitV231(5, "many.dat", 3, 0, 0));
    EXPECT_TRUE(State().FontTable[5] == kept);
}

TEST_F(FontTest, MeasuringCountsTheSpacingAfterEveryGlyph) {
    EXPECT_FLOAT_EQ(font.GetStringWidth(1, " ", 2, 1, 1), 6);                  // Width(1) + 2
    EXPECT_FLOAT_EQ(font.GetStringWidth(1, "A! ", 1, 1.5f, 2), (8 + 6 + 5) * 3.0f);
    EXPECT_FLOAT_EQ(font.GetStringWidth(1, "", 1, 1, 1), 0);
    EXPECT_FLOAT_EQ(font.GetHeight(1, 1.5f, 2), 36);
    plm::PLMFontStringSize size = font.GetStringSize(1, "", 3, 2, 1, 0.5f);
    EXPECT_FLOAT_EQ(size.Width, 0);
    EXPECT_FLOAT_EQ(size.Height, 12);
    // Characters without a glyph slot measure 0; a font outside the table measures nothing.
    EXPECT_FLOAT_EQ(font.GetStringWidth(1, std::string("A\n\t\x01", 4), 1, 1, 1), 8);
    EXPECT_FLOAT_EQ(font.GetStringWidth(17, "A", 1, 1, 1), 0);
    EXPECT_FLOAT_EQ(font.GetHeight(-1, 1, 1), 0);

    plm::PLMFontCharRect a = font.GetCharRect(1, 65);
    EXPECT_EQ(a.Texture, 3);
    EXPECT_EQ(a.SrcX, 20);
    EXPECT_EQ(a.SrcY, 30);
    EXPECT_EQ(a.Width, 7);
    EXPECT_EQ(a.Height, 12);
    State().FontTable[1].X[0] = 5;
    EXPECT_EQ(font.GetCharRect(1, 20).SrcX, 5);  // below 31: slot 0
    plm::PLMFontCharRect beyond = font.GetCharRect(1, 1000);
    EXPECT_EQ(beyond.Texture, 3);
    EXPECT_EQ(beyond.Width, 0);
    EXPECT_EQ(font.GetCharRect(20, 65).Texture, 0);
}

TEST_F(FontTest, RenderFloorsEachGlyphAndKeepsThePenInSingles) {
    // At 10.7, a first glyph 5 wide, spacing 1, scale 1.5: glyphs at x 10 and Int(10.7 + 9) = 19.
    font.Render(1, "!A", 10.7f, 20.9f, 1, 200.6f, 1.5f, 1, 2, 255, 128.9f, -5, 5, 6);
    std::vector<pf::Call> d = Draws();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].surfaces[0], State().Textures(3).Object);
    EXPECT_EQ(d[0].rect.left, 10);
    EXPECT_EQ(d[0].rect.right, 15);
    EXPECT_EQ(d[0].rect.bottom, 12);
    EXPECT_EQ(d[1].rect.top, 30);
    EXPECT_EQ(d[1].rect.bottom, 42);
    const float first[] = {1.5f, 3, 0, 0, 0, 10, 20};
    const float second[] = {1.5f, 3, 0, 0, 0, 19, 20};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_FLOAT_EQ(d[0].floats[i], first[i]) << i;
        EXPECT_FLOAT_EQ(d[1].floats[i], second[i]) << i;
    }
    EXPECT_EQ(d[0].color, 0xC8FF8000u);  // Int of each component, limited to 0..255

    // The blend factors go to the device only when they change.
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)"}));
    rec->ClearCalls();
    font.Render(1, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 2);
    EXPECT_EQ(rec->LinesOf(pf::CallKind::SetRenderState), (std::vector<std::string>{"SetRenderState(20, 2)"}));

    // RenderFast: natural size, opaque white, pen advances by width + spacing.
    rec->ClearCalls();
    font.RenderFast(1, "A A", 3.5f, -0.5f, 2, 5, 2);
    d = Draws();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_FLOAT_EQ(d[1].floats[5], 12);  // Int(3.5 + 9)
    EXPECT_FLOAT_EQ(d[2].floats[5], 18);  // Int(3.5 + 9 + 6)
    EXPECT_FLOAT_EQ(d[2].floats[6], -1);
    EXPECT_FLOAT_EQ(d[2].floats[0], 1);
    EXPECT_EQ(d[2].color, 0xFFFFFFFFu);
    EXPECT_EQ(rec->Count(pf::CallKind::SetRenderState), 0u);
}

TEST_F(FontTest, WhatHasNoGlyphDrawsNothing) {
    // Characters below 32 are skipped without moving the pen.
    font.Render(1, std::string("A\x01\r\nA", 5), 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 5, 6);
    std::vector<pf::Call> d = Draws();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_FLOAT_EQ(d[1].floats[5], 7);
    // A font outside the table, or one whose texture slot is empty, draws nothing at all.
    rec->ClearCalls();
    font.Render(17, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 1, 1);
    font.RenderFast(-3, "A", 0, 0, 0, 1, 1);
    State().FontTable[2] = State().FontTable[1];
    State().FontTable[2].TextureIndex = 1;  // never loaded
    font.Render(2, "A", 0, 0, 0, 255, 1, 1, 1, 255, 255, 255, 1, 1);
    State().FontTable[2].TextureIndex = 40;  // beyond the texture table
    font.RenderFast(2, "A", 0, 0, 0, 1, 1);
    font.CopyToTexture(2, 2, "A", 0, 0, 0);
    font.CopyToTexture(1, 1, "A", 0, 0, 0);  // the target slot is empty
    EXPECT_EQ(rec->Calls().size(), 0u) << rec->Text();
}

TEST_F(FontTest, CopyToTextureCopiesEachGlyphToItsRoundedPenPosition) {
    font.CopyToTexture(2, 1, "A!A", 2.5f, 3.5f, 0.5f);
    std::vector<pf::Call> c = rec->CallsOf(pf::CallKind::CopyRects);
    ASSERT_EQ(c.size(), 3u);
    const pf::SurfaceId src = State().Textures(3).Object, dst = State().Textures(2).Object;
    // Pen 2.5 -> 2, then 2.5 + 7.5 = 10, then 10 + 5.5 = 15.5 -> 16; y 3.5 -> 4.
    const int xs[] = {2, 10, 16};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(c[i].surfaces, (std::vector<pf::SurfaceId>{src, dst}));
        EXPECT_EQ(c[i].ints, (std::vector<int64_t>{xs[i], 4}));
    }
    EXPECT_EQ(c[1].rect.left, 10);
    EXPECT_EQ(c[1].rect.right, 15);
    EXPECT_EQ(State().Fonts.FontCopySrcSurface, src);
    EXPECT_EQ(State().Fonts.FontCopyDstSurface, dst);
    EXPECT_EQ(rec->Count(pf::CallKind::SpriteDraw), 0u);
    EXPECT_EQ(rec->Count(pf::CallKind::SetRenderState), 0u);
}

}  // namespace
