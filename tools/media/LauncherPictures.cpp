// The launcher and about windows' pictures, beside the program: launcher.bmp (background, the
// four buttons in their normal and lit images, the tooltips) and about.bmp (background with the
// version line and the credits, the Ok button up and down). BMP, because the game's desktop layer
// reads them with SDL alone.
#include <cmath>
#include <cstdint>
#include <string>

#include "Canvas.h"
#include "FileOut.h"
#include "GemArt.h"
#include "Sheets.h"
#include "Version.h"

namespace media {

using namespace tessaly::media;

namespace {

constexpr double kTau = 2 * M_PI;

// A 24-bit bottom-up BMP of the opaque picture.
std::string EncodeBmp(Image& img) {
    img.Flush();
    const uint32_t* px = img.Pixels();
    const int stride = cairo_image_surface_get_stride(img.surface) / 4;
    const int rowBytes = (img.width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(img.height);
    std::string out;
    auto u16 = [&](uint32_t v) {
        out.push_back(static_cast<char>(v & 255));
        out.push_back(static_cast<char>((v >> 8) & 255));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xffff);
        u16(v >> 16);
    };
    out += "BM";
    u32(54 + dataSize);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<uint32_t>(img.width));
    u32(static_cast<uint32_t>(img.height));
    u16(1);
    u16(24);
    u32(0);
    u32(dataSize);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = img.height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < img.width; ++x) {
            const uint32_t p = px[y * stride + x];
            row[x * 3 + 0] = static_cast<char>(p & 255);
            row[x * 3 + 1] = static_cast<char>((p >> 8) & 255);
            row[x * 3 + 2] = static_cast<char>((p >> 16) & 255);
        }
        out += row;
    }
    return out;
}

void SaveBmp(Image& img, const std::string& path) { WriteWhole(path, EncodeBmp(img)); }

// Plain text of the window system's kind: one colour, no outline, left-aligned at x or centred
// in [x, x + w), baseline so that capitals sit centred on cy.
void PlainText(cairo_t* cr, const std::string& text, double x, double w, double cy, double size, bool bold, Rgb colour,
               bool centred) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e, cap;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_text_extents(cr, "H", &cap);
    const double left = centred ? x + (w - e.width) / 2 - e.x_bearing : x;
    cairo_move_to(cr, left, cy + cap.height / 2);
    SetRgb(cr, colour);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

// A resting gem of the colour, drawn large and filtered into the size x size square at (x, y).
void Gem(cairo_t* cr, int colour, double x, double y, double size) {
    Image g(128, 128);
    cairo_scale(g.cr, 4, 4);
    DrawGem(g.cr, colour, 16, 16, 14, 0);
    DrawScaled(g, cr, x, y, size, size);
}

void GemRow(cairo_t* cr, double cx, double cy, double size, double gap) {
    for (int i = 0; i < 6; ++i) Gem(cr, i + 1, cx - 2.5 * gap + i * gap - size / 2, cy - size / 2, size);
}

void LauncherBackground(cairo_t* cr) {
    SetRadial(cr, 320, 150, 20, 320, 240, 420, {{0, Hex(0x2b4ab8)}, {0.5, Hex(0x14205e)}, {1, Hex(0x060a1e)}});
    cairo_rectangle(cr, 0, 0, 640, 480);
    cairo_fill(cr);
    // A faint diamond lattice with scattered gem outlines.
    cairo_save(cr);
    DiamondLattice(cr, 48, 640, 0.07, 1.2);
    Random rnd(311);
    for (int i = 0; i < 26; ++i) {
        const int colour = rnd.Int(1, 6);
        GemShapePath(cr, colour, rnd.Range(10, 630), rnd.Range(10, 470), rnd.Range(7, 14));
        SetRgb(cr, GemColour(colour), 0.10);
        cairo_fill_preserve(cr);
        SetRgb(cr, Scale(GemColour(colour), 1.4), 0.18);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_restore(cr);

    TextStyle t = GoldText(86);
    t.outlineWidth = 4;
    t.shadowOffset = 4;
    t.shadow = 0.7;
    t.glow = 0.45;
    DrawText(cr, "TESSALY", 320, 68, t, 560);
    GemRow(cr, 320, 138, 34, 44);
    DrawTwinkle(cr, 120, 40, 12, 0.9);
    DrawTwinkle(cr, 530, 104, 9, 0.8);

    // A small board of gems on the left, beside the Play button.
    const double bx = 66, by = 190, cell = 36;
    DrawInset(cr, bx - 6, by - 6, cell * 8 + 12, cell * 4 + 12, 10, 0.7);
    Random board(523);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 8; ++col) Gem(cr, board.Int(1, 6), bx + col * cell + 1, by + row * cell + 1, cell - 2);
    DrawTwinkle(cr, bx + cell * 5.5, by + cell * 1.5, 14, 0.9);

    DrawText(cr, "Clear the gems before the board fills up", 484, 286, BodyText(15), 220);
}

// The launcher's background as it lies behind a button placed at `at`, in the button's own pixels.
void LauncherBackgroundAt(cairo_t* cr, Point at) {
    cairo_save(cr);
    cairo_translate(cr, -at.x, -at.y);
    LauncherBackground(cr);
    cairo_restore(cr);
}

// The button picture b, normal or lit, into rectangle r.
void LauncherButtonImage(cairo_t* cr, int b, Rect r, bool lit) {
    static const char* const kLabels[kLauncherButtons] = {"PLAY", "MORE GAMES", "ABOUT", "HELP"};
    ButtonStyle st;
    st.body = b == kLauncherPlay ? Hex(0x2a9a44) : Hex(0x3556d8);
    st.labelSize = b == kLauncherPlay ? 30 : 20;
    DrawButton(cr, r.x + 2, r.y + 4, r.w - 4, r.h - 8, kLabels[b], lit, st);
}

void Tooltip(cairo_t* cr, Rect r, const std::string& text) {
    cairo_save(cr);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    SetRgb(cr, Hex(0xffffe1));
    cairo_fill(cr);
    cairo_rectangle(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1);
    SetRgb(cr, Hex(0x303030));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    PlainText(cr, text, r.x + 3, r.w, r.y + r.h / 2.0, 12, false, Hex(0x000000), false);
    cairo_restore(cr);
}

void MakeLauncherPicture(const std::string& dir) {
    Image img(kLauncherPictureWidth, kLauncherPictureHeight);
    cairo_t* cr = img.cr;
    SetRgb(cr, Hex(0x202020));
    cairo_paint(cr);
    LauncherBackground(cr);
    for (int b = 0; b < kLauncherButtons; ++b) {
        const Point at = kLauncherButtonAt[b];
        const Rect normal = LauncherButtonNormal(b);
        // The stores beyond the edge, and the normal image in place, so the background alone
        // already shows the launcher as it opens.
        Supersample(img, normal, [&](cairo_t* c, double w, double h) {
            cairo_rectangle(c, 0, 0, w, h);
            cairo_clip(c);
            LauncherBackgroundAt(c, at);
            LauncherButtonImage(c, b, {0, 0, normal.w, normal.h}, false);
        });
        const Rect lit = LauncherButtonLit(b);
        Supersample(img, lit, [&](cairo_t* c, double w, double h) {
            cairo_rectangle(c, 0, 0, w, h);
            cairo_clip(c);
            LauncherBackgroundAt(c, at);
            LauncherButtonImage(c, b, {0, 0, lit.w, lit.h}, true);
        });
        Blit(img, normal.x, normal.y, normal.w, normal.h, img, at.x, at.y);
        if (!std::string(kLauncherTooltipText[b]).empty()) Tooltip(cr, kLauncherTooltip[b], kLauncherTooltipText[b]);
    }
    SaveBmp(img, dir + "/" + kLauncherPicture);
}

void AboutBackground(cairo_t* cr) {
    const Rect bg = kAboutBackground;
    SetLinear(cr, 0, 0, 0, bg.h, {{0, Hex(0x24389a)}, {1, Hex(0x0c1238)}});
    cairo_rectangle(cr, bg.x, bg.y, bg.w, bg.h);
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = kTau * i / 6;
        GemShapePath(cr, i + 1, 125 + std::cos(a) * 100, 124 + std::sin(a) * 100, 10);
        SetRgb(cr, GemColour(i + 1), 0.14);
        cairo_fill(cr);
    }
}

void MakeAboutPicture(const std::string& dir) {
    Image img(kAboutPictureWidth, kAboutPictureHeight);
    cairo_t* cr = img.cr;
    SetRgb(cr, Hex(0x202020));
    cairo_paint(cr);
    AboutBackground(cr);
    const Rgb gold = Hex(0xffd46a), white = Hex(0xf4f8ff);
    // Label places and sizes as the window lays them out (left, top, width, height).
    PlainText(cr, tessaly::VersionLine(), 46, 161, 14 + 8.5, 13, true, gold, true);
    PlainText(cr, "Programming:", 58, 133, 44 + 10.5, 11, true, gold, true);
    PlainText(cr, "The Tessaly team", 58, 133, 60 + 6.5, 11, false, white, true);
    PlainText(cr, "Graphics:", 58, 133, 94 + 7.5, 11, true, gold, true);
    PlainText(cr, "Drawn in code with cairo", 16, 225, 108 + 7.5, 11, false, white, true);
    PlainText(cr, "Music", 60, 133, 142 + 7.5, 11, true, gold, true);
    PlainText(cr, "Composed in code, four channels", 4, 243, 158 + 8.5, 11, false, white, true);
    for (bool down : {false, true}) {
        const Rect r = down ? kAboutOkDown : kAboutOkUp;
        Supersample(img, r, [&](cairo_t* c, double w, double h) {
            // The background as it lies behind the button's place, so the corners blend in.
            cairo_save(c);
            cairo_translate(c, -kAboutOkAt.x, -kAboutOkAt.y);
            AboutBackground(c);
            cairo_restore(c);
            ButtonStyle st;
            st.labelSize = 15;
            st.face = Face::Sans;
            DrawButton(c, 1, down ? 2 : 1, w - 2, h - 2, "Ok", down, st);
        });
    }
    Blit(img, kAboutOkUp.x, kAboutOkUp.y, kAboutOkUp.w, kAboutOkUp.h, img, kAboutOkAt.x, kAboutOkAt.y);
    SaveBmp(img, dir + "/" + kAboutPicture);
}

}  // namespace

void MakeLauncherPictures(const std::string& dir) {
    MakeLauncherPicture(dir);
    MakeAboutPicture(dir);
}

}  // namespace media
