// The game screens "1b.jpg" .. "10b.jpg" and "survival.jpg": a painted scene under the playing
// chrome (score panel, incoming strip, board well with its walls and floor, menu button), the
// lit copies of the strip and the menu button below row 600, and the thumbnails in previews.png.
#include <cmath>
#include <memory>
#include <vector>

#include "Canvas.h"
#include "GemArt.h"
#include "Scenery.h"
#include "Sheets.h"

namespace media {

using namespace tessaly::media;

namespace {

// Board cell (X, Y) on screen at rest.
double CellX(int col) { return kBoardOrigin.x + 32.0 * col; }
double CellY(int row) { return kBoardOrigin.y + 32.0 * row; }

void Tile32(cairo_t* cr, double x, double y, int kind, int frame) {
    Image big(128, 128);
    cairo_scale(big.cr, 4, 4);
    DrawKindFrame(big.cr, kind, frame);
    Image small(32, 32);
    Downsample(big, 4, small, 0, 0);
    small.Flush();
    cairo_set_source_surface(cr, small.surface, x, y);
    cairo_paint(cr);
}

void GemIcon(cairo_t* cr, int colour, double cx, double cy, double r) {
    Image g(static_cast<int>(r * 8), static_cast<int>(r * 8));
    cairo_scale(g.cr, 4, 4);
    DrawGem(g.cr, colour, r, r, r * 0.9, 0);
    DrawScaled(g, cr, cx - r, cy - r, 2 * r, 2 * r);
}

void Chrome(cairo_t* cr, bool lit) {
    // Board well: rows 1..17 of columns 6..17, dark glass over the scene.
    double wx = CellX(6), wr = CellX(18);
    cairo_rectangle(cr, wx, CellY(1), wr - wx, CellY(18) - CellY(1));
    cairo_set_source_rgba(cr, 0.02, 0.03, 0.10, 0.78);
    cairo_fill(cr);
    // faint cell grid of the playfield
    for (int c = 7; c <= 17; ++c) {
        cairo_move_to(cr, CellX(c) + 0.5, CellY(3));
        cairo_line_to(cr, CellX(c) + 0.5, CellY(18));
    }
    for (int r = 4; r <= 17; ++r) {
        cairo_move_to(cr, wx, CellY(r) + 0.5);
        cairo_line_to(cr, wr, CellY(r) + 0.5);
    }
    cairo_set_source_rgba(cr, 0.55, 0.65, 1.0, 0.07);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // soft light at the bottom of the well
    cairo_rectangle(cr, wx, CellY(3), wr - wx, CellY(18) - CellY(3));
    SetLinear(cr, 0, CellY(12), 0, CellY(18), {{0, {0.3, 0.4, 1}, 0}, {1, {0.3, 0.4, 1}, 0.12}});
    cairo_fill(cr);
    // the top line of the playfield: a gem resting on it when a row is due ends the game
    cairo_move_to(cr, wx, CellY(3) - 0.5);
    cairo_line_to(cr, wr, CellY(3) - 0.5);
    cairo_set_source_rgba(cr, 1.0, 0.35, 0.3, 0.55);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // Incoming strip: a framed slot on row 1 (its ends run under the walls).
    double sy = CellY(1), sh = 32;
    cairo_rectangle(cr, wx, sy - 10, wr - wx, 8);
    cairo_rectangle(cr, wx, sy + sh + 2, wr - wx, 8);
    SetLinear(cr, 0, sy - 10, 0, sy + sh + 10, {{0, Hex(lit ? 0xfff2b0 : 0xf0c860)}, {0.5, Hex(lit ? 0xffd860 : 0xa87020)}, {1, Hex(lit ? 0xfff2b0 : 0xe0b050)}});
    cairo_fill(cr);
    cairo_rectangle(cr, wx, sy - 2, wr - wx, sh + 4);
    cairo_pattern_t* slot = cairo_pattern_create_linear(0, sy - 2, 0, sy + sh + 2);
    if (lit) {
        AddStop(slot, 0, Hex(0x2a70c0), 0.95);
        AddStop(slot, 0.5, Hex(0x50b8ff), 0.95);
        AddStop(slot, 1, Hex(0x2a70c0), 0.95);
    } else {
        AddStop(slot, 0, Hex(0x050818), 0.95);
        AddStop(slot, 0.5, Hex(0x101c48), 0.95);
        AddStop(slot, 1, Hex(0x050818), 0.95);
    }
    cairo_set_source(cr, slot);
    cairo_fill(cr);
    cairo_pattern_destroy(slot);
    for (int c = 6; c <= 17; ++c) {  // twelve seats for the announced gems
        RoundedRect(cr, CellX(c) + 2, sy + 1, 28, 30, 6);
        cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.16 : 0.06);
        cairo_fill(cr);
    }

    // Walls on columns 5 and 18 and the floor on row 18, on the map's own grid.
    for (int r = 0; r <= 18; ++r) {
        Tile32(cr, CellX(5), CellY(r), kWall, 0);
        Tile32(cr, CellX(18), CellY(r), kWall, 0);
    }
    for (int c = 6; c <= 17; ++c) Tile32(cr, CellX(c), CellY(18), kWall, 0);

    // Left column: the title panel, then the level, score and gems-left panel; both end just
    // short of the wall at x 180.
    PanelStyle ps;
    DrawPanel(cr, 14, 18, 164, 76, ps);
    TextStyle logo = GoldText(30);
    DrawText(cr, "TESSALY", 96, 48, logo, 150);
    for (int i = 0; i < 6; ++i) GemIcon(cr, i + 1, 41 + i * 22, 76, 8);

    // Centred on the numbers' x 120.
    const double halfPanel = 58, halfInset = 50;  // the inset holds a seven-digit score
    DrawPanel(cr, kHudCentreX - halfPanel, 140, 2 * halfPanel, 300, ps);
    const char* labels[3] = {"LEVEL", "SCORE", "GEMS LEFT"};
    for (int i = 0; i < 3; ++i) {
        double ny = kHudNumberY[i];
        TextStyle lt;
        lt.face = Face::Sans;
        lt.size = 14;
        lt.top = Hex(0xfff0c0);
        lt.bottom = Hex(0xe8b84a);
        lt.outlineWidth = 1.2;
        DrawText(cr, labels[i], kHudCentreX, ny - 22, lt);
        DrawInset(cr, kHudCentreX - halfInset, ny - 8, 2 * halfInset, 40, 10, 0.75);
    }
    for (int i = 0; i < 3; ++i) GemIcon(cr, 2 * i + 1, kHudCentreX + (i - 1) * 38, 472, 13);
    for (int i = 0; i < 3; ++i) GemIcon(cr, 2 * i + 2, kHudCentreX + (i - 1) * 38, 508, 13);

    // Right panel: the six shapes, then the menu button.
    DrawPanel(cr, 640, 60, 150, 350, ps);
    TextStyle rt = logo;
    rt.size = 20;
    DrawText(cr, "GEMS", 715, 90, rt);
    for (int i = 0; i < 6; ++i) {
        double gx = 684 + (i % 2) * 62, gy = 145 + (i / 2) * 85;
        DrawInset(cr, gx - 26, gy - 26, 52, 52, 12, 0.55);
        GemIcon(cr, i + 1, gx, gy, 21);
    }
    ButtonStyle bs;
    bs.labelSize = 20;
    DrawButton(cr, kMenuButtonHighlightAt.x, kMenuButtonHighlightAt.y, kMenuButtonHighlight.w, kMenuButtonHighlight.h,
               "MENU", lit, bs);
}

}  // namespace

void MakeBackgrounds(const std::string& dir) {
    Image previews(kPreviewsSize, kPreviewsSize);
    for (int n = 1; n <= kSceneCount; ++n) {
        Image scene(kScreen.w, kScreen.h);
        PaintScene(scene, n);
        Image screen(kBackgroundSize, kBackgroundSize);
        cairo_set_source_rgb(screen.cr, 0, 0, 0);
        cairo_paint(screen.cr);
        scene.Flush();
        cairo_set_source_surface(screen.cr, scene.surface, 0, 0);
        cairo_paint(screen.cr);
        Image litScreen(kScreen.w, kScreen.h);
        cairo_set_source_surface(litScreen.cr, scene.surface, 0, 0);
        cairo_paint(litScreen.cr);
        Chrome(screen.cr, false);
        Chrome(litScreen.cr, true);
        Blit(litScreen, kStripHighlightAt.x, kStripHighlightAt.y, kStripHighlight.w, kStripHighlight.h, screen,
             kStripHighlight.x, kStripHighlight.y);
        Blit(litScreen, kMenuButtonHighlightAt.x, kMenuButtonHighlightAt.y, kMenuButtonHighlight.w,
             kMenuButtonHighlight.h, screen, kMenuButtonHighlight.x, kMenuButtonHighlight.y);
        std::string name = n <= kBackgrounds ? std::to_string(n) + "b.jpg" : std::string("survival.jpg");
        SaveJpeg(screen, dir + "/" + name, 92);
        if (n <= kBackgrounds) {
            Rect p = PictureSource(n);
            DrawScaled(scene, previews.cr, p.x, p.y, p.w, p.h);
            cairo_rectangle(previews.cr, p.x + 0.5, p.y + 0.5, p.w - 1, p.h - 1);
            cairo_set_source_rgba(previews.cr, 0, 0, 0, 0.5);
            cairo_set_line_width(previews.cr, 1);
            cairo_stroke(previews.cr);
        }
    }
    TextStyle ts = GoldText(24);
    DrawText(previews.cr, "CHOOSE YOUR BACKGROUND", kCarouselCaption.x + kCarouselCaption.w / 2.0,
             kCarouselCaption.y + kCarouselCaption.h / 2.0, ts, kCarouselCaption.w - 6);
    DrawText(previews.cr, "START LEVEL", kStartLevelCaption.x + kStartLevelCaption.w / 2.0,
             kStartLevelCaption.y + kStartLevelCaption.h / 2.0, ts, kStartLevelCaption.w - 6);
    SavePng(previews, dir + "/previews.png");
}

}  // namespace media
