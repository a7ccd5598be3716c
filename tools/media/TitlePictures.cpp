// The title screen's pictures: title.png (background tile, logo, menu buttons, check boxes, the
// frame, the name box, headings, the carousel window), modes.png (mode pages, options panel,
// slider images, carousel buttons) and help.jpg (the help page and its back button).
#include <cmath>
#include <vector>

#include "Canvas.h"
#include "GemArt.h"
#include "Sheets.h"

namespace media {

using namespace tessaly::media;

namespace {

constexpr double kTau = 2 * M_PI;

void GemIcon(cairo_t* cr, int kind, double cx, double cy, double size) {
    Image g(128, 128);
    cairo_scale(g.cr, 4, 4);
    DrawKindFrame(g.cr, kind, kind <= 6 ? 0 : 8);
    DrawScaled(g, cr, cx - size / 2, cy - size / 2, size, size);
}

// Left-aligned body text lines starting at (x, y), one every `step` pixels.
void Lines(cairo_t* cr, const std::vector<std::string>& lines, double x, double y, double step, double size) {
    for (const std::string& l : lines) {
        cairo_save(cr);
        SelectFace(cr, Face::Sans, size);
        cairo_text_extents_t e;
        cairo_text_extents(cr, l.c_str(), &e);
        cairo_restore(cr);
        DrawText(cr, l, x + e.width / 2 + e.x_bearing, y, BodyText(size));
        y += step;
    }
}

void TitleTile(cairo_t* cr, Image& img) {
    // Seamless: periodic noise and a lattice whose period divides the tile.
    uint32_t* px = img.Pixels();
    int stride = cairo_image_surface_get_stride(img.surface) / 4;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            double n = Fbm(x / 64.0, y / 64.0, 4, 201, 8);
            Rgb c = Mix(Hex(0x0a1030), Hex(0x23307a), n);
            auto q = [](double v) { return static_cast<uint32_t>(std::lround(std::min(1.0, std::max(0.0, v)) * 255)); };
            px[y * stride + x] = 0xff000000u | q(c.r) << 16 | q(c.g) << 8 | q(c.b);
        }
    img.MarkDirty();
    DiamondLattice(cr, 64, 512, 0.08, 1.5);
    // faint gems at the lattice cells, drawn with wrap-around copies
    Random rnd(207);
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i) {
            if (rnd.Unit() < 0.55) continue;
            int colour = rnd.Int(1, 6);
            double cx = i * 64 + ((j % 2) ? 32 : 0), cy = j * 64 + 32;
            for (int oy = -1; oy <= 1; ++oy)
                for (int ox = -1; ox <= 1; ++ox) {
                    GemShapePath(cr, colour, cx + ox * 512, cy + oy * 512, 13);
                    SetRgb(cr, GemColour(colour), 0.10);
                    cairo_fill_preserve(cr);
                    SetRgb(cr, Scale(GemColour(colour), 1.4), 0.16);
                    cairo_set_line_width(cr, 1.2);
                    cairo_stroke(cr);
                }
        }
}

void Logo(cairo_t* cr, Rect r) {
    double cx = r.x + r.w / 2.0;
    // glow behind the letters
    cairo_save(cr);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    cairo_clip(cr);
    cairo_translate(cr, cx, r.y + 110);
    cairo_scale(cr, 295, 105);
    SetRadial(cr, 0, 0, 0, 0, 0, 1, {{0, {0.4, 0.6, 1}, 0.45}, {0.6, {0.4, 0.6, 1}, 0.15}, {1, {0.4, 0.6, 1}, 0}});
    cairo_arc(cr, 0, 0, 1, 0, kTau);
    cairo_fill(cr);
    cairo_restore(cr);
    TextStyle t = GoldText(118);
    t.outlineWidth = 5;
    t.shadowOffset = 5;
    t.shadow = 0.7;
    t.glow = 0.5;
    DrawText(cr, "TESSALY", cx, r.y + 100, t, r.w - 40);
    // a row of the six gems under the name
    for (int i = 0; i < 6; ++i) GemIcon(cr, i + 1, cx - 150 + i * 60, r.y + 196, 50);
    DrawTwinkle(cr, cx - 210, r.y + 52, 16, 1);
    DrawTwinkle(cr, cx + 230, r.y + 140, 12, 0.9);
    DrawTwinkle(cr, cx + 120, r.y + 40, 9, 0.8);
}

void Checkbox(cairo_t* cr, Rect r, bool on) {
    DrawInset(cr, r.x + 10, r.y + 3, 36, 32, 8, 0.85);
    RoundedRect(cr, r.x + 10.5, r.y + 3.5, 35, 31, 8);
    SetRgb(cr, Hex(0xe8b84a));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    if (on) {
        cairo_move_to(cr, r.x + 17, r.y + 19);
        cairo_line_to(cr, r.x + 26, r.y + 28);
        cairo_line_to(cr, r.x + 41, r.y + 9);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, 0, 0.15, 0, 0.9);
        cairo_set_line_width(cr, 7);
        cairo_stroke_preserve(cr);
        SetRgb(cr, Hex(0x50ff80));
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
}

// The nine-piece frame: corners 40 x 40; the edges and the centre stretch, so everything but
// the corners is uniform along the stretching direction.
void FramePieces(cairo_t* cr, Rect r) {
    double x = r.x, y = r.y, w = r.w, h = r.h;
    for (int i = 4; i >= 1; --i) {
        RoundedRect(cr, x + 4 - i, y + 4 - i, w - 8 + 2 * i, h - 8 + 2 * i, 18 + i);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_fill(cr);
    }
    RoundedRect(cr, x + 4, y + 4, w - 8, h - 8, 18);
    SetRgb(cr, Hex(0xd9a23a));
    cairo_fill(cr);
    RoundedRect(cr, x + 5, y + 5, w - 10, h - 10, 17);
    SetRgb(cr, Hex(0xffe08a));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    RoundedRect(cr, x + 8, y + 8, w - 16, h - 16, 14);
    SetRgb(cr, Hex(0x141c4c), 0.94);
    cairo_fill(cr);
    RoundedRect(cr, x + 9, y + 9, w - 18, h - 18, 13);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void NameBox(cairo_t* cr, Rect r) {
    PanelStyle ps;
    DrawPanel(cr, r.x + 3, r.y + 3, r.w - 9, r.h - 9, ps);
    TextStyle t = GoldText(20);
    t.glow = 0;
    DrawText(cr, "ENTER YOUR NAME", r.x + r.w / 2.0, r.y + 22, t);
    DrawInset(cr, r.x + 24, r.y + 40, r.w - 54, 42, 10, 0.85);
    TextStyle s = BodyText(11);
    DrawText(cr, "PRESS ENTER WHEN DONE", r.x + r.w / 2.0, r.y + 96, s);
}

void Heading(cairo_t* cr, Rect r, const std::string& name) {
    PanelStyle ps;
    ps.radius = 22;
    ps.top = Hex(0x3a4ea8);
    ps.bottom = Hex(0x182060);
    DrawPanel(cr, r.x + 3, r.y + 3, r.w - 8, r.h - 9, ps);
    DrawText(cr, name, r.x + r.w / 2.0, r.y + r.h / 2.0 - 2, GoldText(34), r.w - 40);
}

void CarouselWindow(cairo_t* cr, Rect r) {
    // A gold frame whose hole is exactly the 156 x 118 window at (17, 12).
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    RoundedRect(cr, r.x + 2, r.y + 1, r.w - 4, r.h - 3, 12);
    cairo_rectangle(cr, r.x + 17, r.y + 12, 156, 118);
    SetLinear(cr, r.x, r.y, r.x + r.w, r.y + r.h, {{0, Hex(0xfff0b0)}, {0.5, Hex(0xd9a23a)}, {1, Hex(0x7a4a10)}});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, r.x + 16.5, r.y + 11.5, 157, 119);
    cairo_set_source_rgba(cr, 0.2, 0.1, 0, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (auto [dx, dy] : {std::pair{9.0, 6.5}, {181.0, 6.5}, {9.0, 135.5}, {181.0, 135.5}}) DrawTwinkle(cr, r.x + dx, r.y + dy, 5, 0.9);
}

}  // namespace

void MakeTitlePictures(const std::string& dir) {
    // ---- title.png
    {
        Image img(kTitleSize, kTitleSize);
        cairo_t* cr = img.cr;
        {
            Image tile(512, 512);
            TitleTile(tile.cr, tile);
            Blit(tile, 0, 0, 512, 512, img, 0, 0);
        }
        Logo(cr, kLogo);
        const uint32_t modeColours[5] = {0x3556d8, 0x1f9a50, 0x8a3ad0, 0xc83040, 0x1c9aa8};
        for (int m = 1; m <= 5; ++m) {
            ButtonStyle bs;
            bs.body = Hex(modeColours[m - 1]);
            bs.labelSize = 26;
            Rect u = MenuModeButtonUp(m), d = MenuModeButtonDown(m);
            DrawButtonPair(cr, u, d, kModeNames[m - 1], bs);
            Heading(cr, ModeHeading(m), kModeNames[m - 1]);
        }
        const char* small[4] = {"HELP", "OPTIONS", "SCORES", "QUIT"};
        for (int b = 0; b < 4; ++b) {
            ButtonStyle bs;
            bs.labelSize = 19;
            if (b == kQuitButton) bs.body = Hex(0xa8283a);
            Rect u = MenuSmallButtonUp(b), d = MenuSmallButtonDown(b);
            DrawButtonPair(cr, u, d, small[b], bs);
        }
        ButtonStyle back;
        back.labelSize = 20;
        ButtonStyle play;
        play.body = Hex(0x1f9a50);
        play.labelSize = 22;
        DrawButtonPair(cr, kModeBackUp, kModeBackDown, "BACK", back);
        DrawButtonPair(cr, kModePlayUp, kModePlayDown, "PLAY", play);
        DrawButtonPair(cr, kOkUp, kOkDown, "OK", back);
        DrawButtonPair(cr, kNextUp, kNextDown, "NEXT", back);
        Checkbox(cr, kCheckOn, true);
        Checkbox(cr, kCheckOff, false);
        FramePieces(cr, kFrame);
        NameBox(cr, kNameBox);
        CarouselWindow(cr, kCarouselWindowFrame);
        SavePng(img, dir + "/title.png");
    }
    // ---- modes.png
    {
        Image img(kSheetSize, kSheetSize);
        cairo_t* cr = img.cr;
        const std::vector<std::vector<std::string>> text = {
            {"Gems arrive row by row. Click a gem", "to clear every straight line of three", "or more through it.",
             "Forty prepared levels, each one", "a little faster than the last."},
            {"Forty freshly made boards, new", "specials at every level. The cells", "a click would clear light up",
             "under the pointer.", "Clear the quota to move on."},
            {"Pick your own background and", "the level to start from. The board", "is never wiped: reach the quota",
             "and the next level goes on", "at once."},
            {"Rows pour in almost without pause.", "Think fast and chain your clears,", "bombs and line gems are your",
             "only friends here.", "How long can you hold out?"},
            {"Fewer colours and a gentler quota:", "five more gems a level instead of", "ten. The preview shows what a",
             "click will clear.", "Sit back and enjoy the sparkle."},
        };
        for (int m = 1; m <= 5; ++m) {
            Rect r = ModeDescription(m);
            PanelStyle ps;
            DrawPanel(cr, r.x + 3, r.y + 3, r.w - 9, r.h - 9, ps);
            DrawText(cr, kModeNames[m - 1], r.x + r.w / 2.0, r.y + 34, GoldText(34));
            Lines(cr, text[m - 1], r.x + 22, r.y + 82, 25, 14.5);
            // three pieces the mode is about, down the right edge
            const int pieces[5][3] = {{1, 4, 6}, {14, 7, 17}, {8, 18, 16}, {7, 19, 15}, {2, 3, 5}};
            for (int i = 0; i < 3; ++i) {
                double cx = r.x + r.w - 42, cy = r.y + 92 + i * 46;
                DrawInset(cr, cx - 20, cy - 20, 40, 40, 9, 0.5);
                GemIcon(cr, pieces[m - 1][i], cx, cy, 34);
            }
            // seats under the back and play buttons
            DrawInset(cr, r.x + 61 - 4, r.y + 220 - 4, 120, 70, 18, 0.45);
            DrawInset(cr, r.x + 240 - 4, r.y + 220 - 4, 120, 70, 18, 0.45);
        }
        // options panel
        {
            Rect r = kOptionsPanel;
            PanelStyle ps;
            DrawPanel(cr, r.x + 3, r.y + 3, r.w - 9, r.h - 9, ps);
            DrawText(cr, "OPTIONS", r.x + r.w / 2.0, r.y + 38, GoldText(36));
            const char* sliders[3] = {"SOUND", "MUSIC", "GAMMA"};
            for (int i = 0; i < 3; ++i) {
                Rect t = kSliderTracks[i];
                TextStyle lt = BodyText(16);
                DrawText(cr, sliders[i], r.x + 130, t.y + t.h / 2.0, lt);
                DrawInset(cr, t.x, t.y + 4, t.w, t.h - 8, 6, 0.9);
                cairo_rectangle(cr, t.x + 3, t.y + 9, t.w - 6, 3);
                SetLinear(cr, t.x, 0, t.x + t.w, 0, {{0, Hex(0x2050c0)}, {1, Hex(0x60e0ff)}});
                cairo_fill(cr);
            }
            const char* checks[3] = {"32-BIT COLOUR", "FULL SCREEN", "VERTICAL SYNC"};
            for (int i = 0; i < 3; ++i) {
                double cy = r.y + (kCheckBoxAt[i].y - kOptionsPanelAt.y) + 19 - 0.5;
                cairo_save(cr);
                SelectFace(cr, Face::Sans, 16);
                cairo_text_extents_t e;
                cairo_text_extents(cr, checks[i], &e);
                cairo_restore(cr);
                double right = r.x + (kCheckBoxAt[i].x - kOptionsPanelAt.x) - 8;
                DrawText(cr, checks[i], right - e.width / 2, cy, BodyText(16));
            }
            DrawInset(cr, r.x + 361 - 4, r.y + 270 - 4, 122, 72, 18, 0.45);
        }
        // slider marker: a gem knob
        {
            Rect r = kSliderMarker;
            Image g(r.w * 4, r.h * 4);
            cairo_scale(g.cr, 4, 4);
            cairo_t* c = g.cr;
            // a round gold knob with a gem, centred on the track
            for (int i = 3; i >= 1; --i) {
                cairo_arc(c, 21, 22.5, 16 + i, 0, kTau);
                cairo_set_source_rgba(c, 0, 0, 0, 0.12);
                cairo_fill(c);
            }
            cairo_arc(c, 20.5, 21.5, 16.5, 0, kTau);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, 5, 0, 38);
            AddStop(p, 0, Hex(0xfff0b0));
            AddStop(p, 0.5, Hex(0xd9a23a));
            AddStop(p, 1, Hex(0x7a4a10));
            cairo_set_source(c, p);
            cairo_fill_preserve(c);
            cairo_pattern_destroy(p);
            cairo_set_source_rgba(c, 0.2, 0.1, 0, 0.9);
            cairo_set_line_width(c, 1.2);
            cairo_stroke(c);
            cairo_arc(c, 20.5, 21.5, 12.5, 0, kTau);
            SetRgb(c, Hex(0x141c4c));
            cairo_fill(c);
            DrawGem(c, 3, 20.5, 21.5, 10.5, 0);
            Downsample(g, 4, img, r.x, r.y);
        }
        const char* cb[4] = {"<", ">", "PLAY", "BACK"};
        for (int b = 0; b < 4; ++b) {
            ButtonStyle bs;
            bs.labelSize = b < 2 ? 34 : 22;
            if (b == kCarouselPlay) bs.body = Hex(0x1f9a50);
            Rect u = CarouselButtonUp(b), d = CarouselButtonDown(b);
            DrawButtonPair(cr, u, d, cb[b], bs);
        }
        SavePng(img, dir + "/modes.png");
    }
    // ---- help.jpg
    {
        Image img(kHelpSize, kHelpSize);
        cairo_t* cr = img.cr;
        cairo_rectangle(cr, 0, 0, kHelpSize, kHelpSize);
        SetRgb(cr, Hex(0x0a1030));
        cairo_fill(cr);
        {
            Image tile(512, 512);
            TitleTile(tile.cr, tile);
            for (int y = 0; y < 600; y += 512)
                for (int x = 0; x < 800; x += 512) {
                    tile.Flush();
                    cairo_save(cr);
                    cairo_rectangle(cr, 0, 0, 800, 600);
                    cairo_clip(cr);
                    cairo_set_source_surface(cr, tile.surface, x, y);
                    cairo_paint(cr);
                    cairo_restore(cr);
                }
        }
        PanelStyle ps;
        DrawPanel(cr, 20, 16, 760, 500, ps);
        DrawText(cr, "HOW TO PLAY", 400, 50, GoldText(40));
        Lines(cr,
              {"Click a gem to clear every straight line of three or more gems of its kind",
               "that runs through it: across, down and along both diagonals at once.",
               "New gems are announced one by one in the strip above the board; when the",
               "row is complete it drops in. Click the strip, press Space or the right",
               "button to call it at once. If gems reach the top line, the game is over.",
               "Clear the gems a level asks for to move on. Quick clears build a combo."},
              44, 98, 24, 15);
        struct Item {
            int kind;
            const char* text;
        };
        const Item items[8] = {{7, "Bomb: clears a diamond around it"},
                               {8, "Colour bomb: clears its whole colour"},
                               {14, "Row gem: clears its row"},
                               {15, "Column gem: clears its column"},
                               {16, "Cross gem: clears its row and column"},
                               {17, "Diagonal gem: clears both diagonals"},
                               {18, "Shuffle gem: scatters the whole board"},
                               {19, "Blocker: only special gems break it"}};
        for (int i = 0; i < 8; ++i) {
            double x = 50 + (i / 4) * 360, y = 250 + (i % 4) * 56;
            DrawInset(cr, x, y, 48, 48, 10, 0.6);
            GemIcon(cr, items[i].kind, x + 24, y + 24, 40);
            cairo_save(cr);
            SelectFace(cr, Face::Sans, 14);
            cairo_text_extents_t e;
            cairo_text_extents(cr, items[i].text, &e);
            cairo_restore(cr);
            DrawText(cr, items[i].text, x + 60 + e.width / 2, y + 24, BodyText(14));
        }
        TextStyle keys = BodyText(13);
        DrawText(cr, "Esc: leave the game    S: screenshot    F1 / F2 / F3: 20 / 30 / free frame rate    F11 / F12: window size",
                 400, 494, keys);
        DrawInset(cr, kHelpBackAt.x - 5, kHelpBackAt.y - 5, kHelpBackUp.w + 10, kHelpBackUp.h + 10, 18, 0.45);
        ButtonStyle bs;
        bs.labelSize = 22;
        DrawButtonPair(cr, kHelpBackUp, kHelpBackDown, "BACK", bs);
        SaveJpeg(img, dir + "/help.jpg", 92);
    }
}

}  // namespace media
