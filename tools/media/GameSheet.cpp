// t1.png: gem tiles and their animation frames, checker and wall tiles, backing plates, shards,
// the in-game menu box and its buttons, banners, high-score headings, cursor and preview light.
#include <cmath>

#include "Canvas.h"
#include "GemArt.h"
#include "Sheets.h"

namespace media {

using namespace tessaly::media;

namespace {

void Banner(cairo_t* cr, Rect r, const std::string& line1, const std::string& line2, double size1, double size2) {
    PanelStyle ps;
    ps.radius = std::min(18.0, r.h * 0.4);
    ps.rimWidth = 2.5;
    ps.top = Hex(0x2c3d8c);
    ps.bottom = Hex(0x101845);
    ps.shadow = 0.5;
    DrawPanel(cr, r.x + 3, r.y + 3, r.w - 8, r.h - 9, ps);
    TextStyle ts = GoldText(size1);
    ts.outlineWidth = 2.0;
    ts.glow = 0.35;
    double inner = r.w - 30;
    if (line2.empty()) {
        DrawText(cr, line1, r.x + r.w / 2.0 - 1, r.y + r.h / 2.0 - 2, ts, inner);
    } else {
        DrawText(cr, line1, r.x + r.w / 2.0 - 1, r.y + r.h * 0.36, ts, inner);
        TextStyle t2 = ts;
        t2.size = size2;
        t2.top = Hex(0xffffff);
        t2.bottom = Hex(0xb8e4ff);
        t2.outline = Hex(0x001030);
        t2.glow = 0.25;
        t2.glowColour = Hex(0x60c0ff);
        DrawText(cr, line2, r.x + r.w / 2.0 - 1, r.y + r.h * 0.70, t2, inner);
    }
}

void Heading(cairo_t* cr, Rect r, const std::string& text) {
    RoundedRect(cr, r.x + 1, r.y + 1, r.w - 2, r.h - 2, 8);
    SetLinear(cr, 0, r.y, 0, r.y + r.h, {{0, Hex(0x3a4ea8), 0.9}, {1, Hex(0x182060), 0.9}});
    cairo_fill_preserve(cr);
    SetRgb(cr, Hex(0xe8b84a));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    TextStyle ts;
    ts.face = Face::Sans;
    ts.size = 15;
    ts.top = Hex(0xfff6d0);
    ts.bottom = Hex(0xf0c050);
    ts.outlineWidth = 1.2;
    ts.shadow = 0.4;
    ts.shadowOffset = 1;
    DrawText(cr, text, r.x + r.w / 2.0, r.y + r.h / 2.0, ts, r.w - 12);
}

void MenuBox(cairo_t* cr) {
    Rect r = kMenuBox;
    PanelStyle ps;
    ps.radius = 18;
    DrawPanel(cr, r.x + 2, r.y + 2, r.w - 8, r.h - 9, ps);
    TextStyle ts = GoldText(30);
    ts.glow = 0.25;
    DrawText(cr, "GAME PAUSED", r.x + r.w / 2.0, r.y + 30, ts);
    TextStyle t2;
    t2.face = Face::Sans;
    t2.size = 14;
    t2.outlineWidth = 1.2;
    t2.top = Hex(0xe8f0ff);
    t2.bottom = Hex(0xb8c8f0);
    DrawText(cr, "Leave this game, or carry on playing?", r.x + r.w / 2.0, r.y + 60, t2);
    // Recessed seats under the two buttons the game draws on the box.
    int bx1 = kLeaveAt.x - kMenuBoxAt.x, bx2 = kContinueAt.x - kMenuBoxAt.x, by = kLeaveAt.y - kMenuBoxAt.y;
    DrawInset(cr, r.x + bx1 - 4, r.y + by - 4, 110 + 8, 50 + 8, 16, 0.5);
    DrawInset(cr, r.x + bx2 - 4, r.y + by - 4, 110 + 8, 50 + 8, 16, 0.5);
    // ornaments between the seats
    for (int i = 0; i < 3; ++i) {
        double x = r.x + r.w / 2.0 - 24 + i * 24, y = r.y + by + 25;
        Image g(64, 64);
        cairo_scale(g.cr, 2, 2);
        DrawGem(g.cr, i * 2 + 1, 16, 16, 12, 0);
        DrawScaled(g, cr, x - 9, y - 9, 18, 18);
    }
}

}  // namespace

void MakeGameSheet(const std::string& dir) {
    Image sheet(kSheetSize, kSheetSize);
    cairo_t* cr = sheet.cr;
    // Gem kinds 1..19 with their frames; the blocker repeats its one image in every frame slot.
    for (int kind = 1; kind <= kBlocker; ++kind) {
        int frames = KindFrames(kind);
        for (int f = 0; f < kFramesPerKind; ++f) {
            if (f >= frames && kind != kBlocker) break;
            Rect t = KindFrameRect(kind, f);
            RenderTile(sheet, t.x, t.y, kind, kind == kBlocker ? 0 : f);
            if (kind == kBlocker) break;
        }
    }
    Rect c0 = TileRect(kCheckerTile), c1 = TileRect(kCheckerTile + 1), w = TileRect(kWallTile);
    RenderTile(sheet, c0.x, c0.y, kChecker, 0);
    RenderTile(sheet, c1.x, c1.y, kChecker, 1);
    RenderTile(sheet, w.x, w.y, kWall, 0);

    for (int k = 1; k <= kPlateKinds; ++k) Supersample(sheet, BackingPlate(k), [k](cairo_t* c, double, double) { DrawPlate(c, k); });
    for (int colour = 1; colour <= kColours; ++colour)
        for (int i = 0; i < 4; ++i)
            Supersample(sheet, Shard(colour, i), [colour, i](cairo_t* c, double, double) { DrawShard(c, colour, i); });
    // The 24-frame strip on row y 700 carries every colour's four shards in turn; its first four
    // frames are colour 1's own shards.
    for (int i = 4; i < kShardStripFrames; ++i)
        Supersample(sheet, ShardStripFrame(i), [i](cairo_t* c, double, double) { DrawShard(c, i / 4 + 1, i % 4); });

    MenuBox(cr);
    ButtonStyle leave;
    leave.body = Hex(0xc83040);
    leave.labelSize = 20;
    ButtonStyle cont;
    cont.body = Hex(0x1f9a50);
    cont.labelSize = 20;
    DrawButtonPair(cr, kLeaveUp, kLeaveDown, "LEAVE", leave);
    DrawButtonPair(cr, kContinueUp, kContinueDown, "PLAY ON", cont);

    Banner(cr, kBannerOpening, "GET READY!", "", 38, 0);
    Banner(cr, kBannerLevelUp, "LEVEL UP!", "", 21, 0);
    Banner(cr, kBannerBoardClear, "BOARD CLEAR!", "BONUS FOR EVERY GEM", 44, 20);
    Banner(cr, kBannerGameOver, "GAME", "OVER", 46, 46);
    Heading(cr, kHeadingName, "NAME");
    Heading(cr, kHeadingScore, "SCORE");
    Heading(cr, kHeadingLevel, "LEVEL");

    Supersample(sheet, kCursorBox, [](cairo_t* c, double, double) { DrawCursorBox(c); });
    Supersample(sheet, kPreviewLight, [](cairo_t* c, double, double) { DrawPreviewLight(c); });
    SavePng(sheet, dir + "/t1.png");
}

}  // namespace media
