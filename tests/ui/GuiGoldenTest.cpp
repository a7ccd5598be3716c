// A small GUI panel on the software device: a nine-piece frame, buttons up, hovered and pressed,
// a checked and an unchecked box, a slider, and a wrapped text in a bitmap font, compared with a
// golden image.
#include <array>
#include <string>

#include "core/GoldenImage.h"
#include "core/TextureFixture.h"
#include "ui/FontTable.h"
#include "ui/Gui.h"

namespace {

using plm::platform::Image;

// 3 x 5 glyphs of the letters the panel's text uses, '#' lit.
struct Glyph {
    char c;
    std::array<const char*, 5> rows;
};
constexpr Glyph kGlyphs[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}}, {'E', {"###", "#..", "##.", "#..", "###"}},
    {'H', {"#.#", "#.#", "###", "#.#", "#.#"}}, {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'N', {"#.#", "###", "###", "#.#", "#.#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}}, {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}}, {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'W', {"#.#", "#.#", "###", "###", "#.#"}}, {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
};

class GuiGoldenTest : public plmtest::TextureTest {
protected:
    static Image Blank(int w, int h) {
        Image img;
        img.width = w;
        img.height = h;
        img.pixels.assign(static_cast<size_t>(w * h), 0);
        return img;
    }
    static void Fill(Image& img, int x0, int y0, int w, int h, uint32_t color) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) img.pixels[static_cast<size_t>(y * img.width + x)] = color;
    }
    // A box with a one-pixel border.
    static void Box(Image& img, int x, int y, int w, int h, uint32_t border, uint32_t fill) {
        Fill(img, x, y, w, h, border);
        Fill(img, x + 1, y + 1, w - 2, h - 2, fill);
    }

    // The widget sheet: frame 24 x 24 at (0, 0); button up / down / hover 40 x 16 at (32, 0 / 16 /
    // 32); check box ON / OFF 12 x 12 at (80 / 96, 0); slider 60 x 6 at (0, 48), marker 6 x 12 at (64, 48).
    static Image Sheet() {
        Image img = Blank(128, 64);
        Fill(img, 0, 0, 24, 24, 0xFF203060u);
        Fill(img, 2, 2, 20, 20, 0xD0304880u);
        Box(img, 32, 0, 40, 16, 0xFFC0C0C0u, 0xFF607080u);
        Box(img, 32, 16, 40, 16, 0xFF101010u, 0xFF303840u);
        Box(img, 32, 32, 40, 16, 0xFFFFFFFFu, 0xFF90A0C0u);
        Fill(img, 36, 6, 32, 4, 0xFFE0E0E0u);
        Fill(img, 37, 23, 32, 4, 0xFF909090u);
        Fill(img, 36, 38, 32, 4, 0xFFFFFF80u);
        Box(img, 80, 0, 12, 12, 0xFFC0C0C0u, 0xFF202020u);
        Fill(img, 83, 3, 6, 6, 0xFF40E040u);
        Box(img, 96, 0, 12, 12, 0xFFC0C0C0u, 0xFF202020u);
        Box(img, 0, 48, 60, 6, 0xFF808080u, 0xFF404040u);
        Box(img, 64, 48, 6, 12, 0xFF803000u, 0xFFFF9020u);
        return img;
    }

    // The glyphs side by side, 4 pixels apart, in white; font 2 on texture slot `slot`.
    static Image FontSheet(int slot) {
        Image img = Blank(4 * static_cast<int>(std::size(kGlyphs)) + 4, 5);
        plm::FontGlyphTable& f = plm::State().FontTable[2];
        f.TextureIndex = slot;
        f.Height = 5;
        f.Width[1] = 2;                     // the space: an empty glyph
        f.X[1] = img.width - 4;             // the last cell holds no glyph
        for (size_t g = 0; g < std::size(kGlyphs); ++g) {
            const size_t s = static_cast<size_t>(kGlyphs[g].c - 31);
            f.X[s] = static_cast<int32_t>(4 * g);
            f.Width[s] = 3;
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 3; ++x)
                    if (kGlyphs[g].rows[static_cast<size_t>(y)][x] == '#')
                        img.pixels[static_cast<size_t>(y * img.width + static_cast<int>(4 * g) + x)] = 0xFFFFFFFFu;
        }
        return img;
    }

    static void Pointer(float x, float y, bool held) {
        plm::State().MouseX = x;
        plm::State().MouseY = y;
        plm::State().MouseState.Buttons[0] = held ? 0x80 : 0;
    }
};

TEST_F(GuiGoldenTest, APanelOfWidgets) {
    MakeDevice(160, 128);
    WriteImage("gui.png", Sheet(), plm::platform::ImageFormat::Png);
    WriteImage("font.png", FontSheet(2), plm::platform::ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "gui.png", 0));
    ASSERT_TRUE(texture.Load(2, "font.png", 0));

    plm::Gui gui;
    gui.AddFrame(1, 0, 0, 24, 24, 8, 8, 16, 12, 0, 255, 255, 255, 255, true);  // 144 x 112
    for (int b = 0; b < 3; ++b)
        gui.AddButton(1, 40, 16, 32, 0, 32, 16, 32, 32, 8.0f + 44.0f * static_cast<float>(b), 8, 1, 0, 1, 255, 255,
                      255, 255, true, true);
    gui.AddCheckBox(1, 12, 12, 80, 0, 96, 0, 8, 30, 1, 1, 0, 255, 1, true, true);
    gui.AddCheckBox(1, 12, 12, 80, 0, 96, 0, 26, 30, 0, 1, 0, 255, 1, true, true);
    gui.AddSliderBar(1, 60, 6, 0, 48, 64, 48, 6, 12, 48, 33, true, 40, 1.5f, 255, 1, true, true);
    gui.AddText(2, "A PANEL WITH BUTTONS A BOX A SLIDER AND WRAPPED TEXT", 8, 48, 2, 255, 240, 160, 255, 255, 255,
                255, 2, plm::tLeftWordWrap, 126, 2, 1, true, true);

    Image frame = Frame(0xFF102018u, [&] {
        // Everything with the pointer resting over button 2 (hover); then button 3 alone, pressed.
        Pointer(80, 20, false);
        gui.Visible(plm::ebutton, 3, false);
        gui.Render(false);
        for (int type = plm::eFrame; type <= plm::eText; ++type)
            for (int i = 1; i <= 3; ++i) gui.Visible(static_cast<plm::PLMGuiEventType>(type), i, false);
        gui.Visible(plm::ebutton, 3, true);
        Pointer(124, 20, true);
        gui.Render(false);
    });
    plmtest::ExpectMatchesGolden(frame, "gui_panel");
}

}  // namespace
