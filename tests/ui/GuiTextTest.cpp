// Gui texts in a bitmap font: measuring, alignment, hover colours and clicks, the keep markers of
// SetText, word wrap (and the word that alone reaches the width), characters without a glyph, and
// the message box's text.
#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "ui/GuiDraw.h"

namespace {

class GuiTextTest : public plmtest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        MonoFont();
    }
    // Adds text `s` in font 1 at (x, y), scale 1, spacing 1, white turning red under the pointer.
    void AddText(const std::string& s, float x, float y, plm::PLMGuiTextAlign align, float wrap = 0) {
        gui.AddText(1, s, x, y, 1, 255, 255, 255, 255, 0, 0, 255, 1, align, wrap, 3, 0, true, true);
    }
    // The position of every glyph drawn this frame.
    std::vector<std::pair<float, float>> GlyphsAt() const {
        std::vector<std::pair<float, float>> at;
        for (const auto& c : device->CallsOf(plm::platform::CallKind::SpriteDraw))
            at.emplace_back(c.floats[5], c.floats[6]);
        return at;
    }
    uint32_t FirstColor() const { return device->Find(plm::platform::CallKind::SpriteDraw)->color; }
};

using Points = std::vector<std::pair<float, float>>;

TEST_F(GuiTextTest, TextsAreMeasuredAlignedHitTestedAndColouredUnderThePointer) {
    // Ten glyphs of 6 + spacing 1 at scale 1: 70 x 10.
    const struct {
        plm::PLMGuiTextAlign align;
        float left;
    } cases[] = {{plm::tCenter, 265}, {plm::tLeft, 300}, {plm::tRight, 230}, {static_cast<plm::PLMGuiTextAlign>(7), 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        gui.Reset();
        AddText("ABCDEFGHIJ", 300, 50.5f, c.align);
        Frame(c.left, 50.5f, false, true);
        EXPECT_TRUE(gui.GetEvent().eEventRaised);
        EXPECT_EQ(gui.GetEvent().eEventType, plm::eText);
        EXPECT_EQ(GlyphsAt().front(), std::make_pair(c.left, 50.5f)) << "y is drawn as it is";
        EXPECT_EQ(GlyphsAt().back().first, c.left + 63);
        EXPECT_EQ(FirstColor(), 0xFFFF0000u) << "the hover colour";
        Frame(c.left + 70, 55, false, true);
        EXPECT_FALSE(gui.GetEvent().eEventRaised) << "one past the right edge";
        EXPECT_EQ(FirstColor(), 0xFFFFFFFFu);
        Pointer(c.left + 69, 59.5f, false);
        const plm::PLMGuiMouseOver over = gui.MouseOver();
        EXPECT_EQ(over.eMouseOverType, plm::eText);
        EXPECT_FLOAT_EQ(over.eMouseOverXPos, c.left);
        EXPECT_FLOAT_EQ(over.eMouseOverWidth, 70);
        EXPECT_FLOAT_EQ(over.eMouseOverHeight, 10);
    }
    gui.Enabled(plm::eText, 1, false);
    Frame(300, 51, false, true);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(FirstColor(), 0xFFFFFFFFu) << "a disabled text is drawn in its plain colour";
}

TEST_F(GuiTextTest, SetTextAndTextStringRemeasure) {
    gui.AddText(1, "ABC", 10, 10, 2, 10, 20, 30, 40, 50, 60, 255, 1, plm::tLeft, 0, 0, 0, false, true);
    Pointer(0, 0, false);
    gui.SetText(1, "", -1, -1, -1, -2, -0.5f, -1, -1, -1, -1, -1, -1, -1, -1, -1, false);
    Frame(0, 0, false);
    EXPECT_EQ(FirstColor(), 0xFF0A001Eu) << "red -2 kept, green -0.5 stored (drawn as 0)";
    EXPECT_EQ(GlyphsAt().size(), 3u);

    gui.SetText(1, "AB", -1, -1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, true);
    Pointer(23, 10, false);
    EXPECT_FLOAT_EQ(gui.MouseOver().eMouseOverWidth, 14) << "re-measured at the new scale";
    gui.Enabled(plm::eText, 1, false);
    gui.TextString(1, "ABCD");
    EXPECT_TRUE(gui.Enabled(plm::eText, 1)) << "TextString enables the text";
    EXPECT_FLOAT_EQ(gui.MouseOver().eMouseOverWidth, 28);
}

// Wrapping at 20 pixels with glyphs 6 wide, spaces 4, no spacing.
TEST_F(GuiTextTest, WordWrapMovesWholeWordsAndKeepsAWordWiderThanTheLineWhole) {
    const struct {
        const char* text;
        float width;
        const char* wrapped;
    } cases[] = {
        {"ab cd", 20, "ab\rcd "},               // the space before the moved word becomes the break
        {"ab cd", 100, "ab cd "},
        {"abcdefgh ij", 20, "abcdefgh\rij "},   // the first word alone is too wide: it stays first
        {"ab cdefgh ij", 20, "ab\rcdefgh\rij "},
        {"", 20, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plm::WrapGuiText(1, c.text, 0, 1, c.width), c.wrapped) << c.text << " at " << c.width;
}

TEST_F(GuiTextTest, AWrappedTextIsDrawnLineByLineAndNeverReacts) {
    // Glyphs 7 and spaces 5 with spacing 1: "AB CD EF" wraps at 30 into "AB", "CD", "EF ".
    AddText("AB CD EF", 10, 20, plm::tLeftWordWrap, 30);
    Frame(12, 22, false, true);
    const Points expected = {{10, 20}, {17, 20}, {10, 33}, {17, 33}, {10, 46}, {17, 46}, {24, 46}};
    EXPECT_EQ(GlyphsAt(), expected) << "lines are font height + WrapLineSpacing apart";
    EXPECT_EQ(FirstColor(), 0xFFFFFFFFu);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_FALSE(gui.MouseOver().eMouseOverObject);
}

TEST_F(GuiTextTest, CharactersWithoutAGlyphDrawNothingAndMeasureNothing) {
    AddText(std::string("A\rB\x01") + "C", 10, 20, plm::tLeft);
    Frame(0, 0, false);
    EXPECT_EQ(GlyphsAt(), (Points{{10, 20}, {17, 20}, {24, 20}}));
    EXPECT_FLOAT_EQ(plm::GuiStringWidth(1, "A\r\x1F", 1, 1), 7);
    EXPECT_FLOAT_EQ(plm::GuiStringWidth(17, "ABC", 1, 1), 0) << "no such font";
}

TEST_F(GuiTextTest, TheMessageBoxWrapsItsTextBelowItsBackground) {
    plm::PLMGuiMsgBoxConfig box;
    box.BackgroundXpos = 100;
    box.BackgroundYpos = 200;
    box.TextFontIndex = 1;
    box.TextString = "AB CD";
    box.TextWrapWidth = 20;
    box.TextXpos = 5;
    box.TextYpos = 6;
    box.TextWrapLineSpacing = 2;
    box.TextRed = 1, box.TextGreen = 2, box.TextBlue = 3;
    gui.MessageBox(box);
    Frame(0, 0, false);
    EXPECT_EQ(GlyphsAt(), (Points{{105, 206}, {111, 206}, {105, 218}, {111, 218}, {117, 218}}));
    EXPECT_EQ(FirstColor(), 0xFF010203u);
}

}  // namespace
