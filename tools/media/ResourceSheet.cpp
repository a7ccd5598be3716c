// plmres1.png: the particle images, our explosion images, the opaque fade patch and the glyphs of
// the bitmap fonts; font.dat: where each glyph lies.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "Canvas.h"
#include "FileOut.h"
#include "GemArt.h"
#include "Sheets.h"

namespace media {

using namespace tessaly::media;

namespace {

constexpr double kTau = 2 * M_PI;

void Glow(cairo_t* cr, double w, double h, Rgb inner, Rgb outer) {
    double r = std::min(w, h) / 2;
    cairo_arc(cr, w / 2, h / 2, r, 0, kTau);
    SetRadial(cr, w / 2, h / 2, 0, w / 2, h / 2, r, {{0, inner, 1}, {0.35, Mix(inner, outer, 0.5), 0.6}, {1, outer, 0}});
    cairo_fill(cr);
}

// A flame licking in its own "up" direction: a round body with a pointed tip, white at the core.
void Flame(cairo_t* cr, double w, double h, double angle) {
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, angle);
    double L = std::max(w, h), S = std::min(w, h);
    static const uint32_t cols[3] = {0xff4a08, 0xffa828, 0xfff6d0};
    static const double alphas[3] = {0.6, 0.8, 0.95};
    for (int pass = 0; pass < 3; ++pass) {
        double k = 1.0 - pass * 0.3;
        double r = S / 2 * k * 0.95, cy = L / 2 - S / 2 * 0.95;  // the round end sits at the bottom
        double tip = -L / 2 + (1 - k) * L * 0.25;
        cairo_new_path(cr);
        cairo_move_to(cr, 0, tip);
        cairo_curve_to(cr, r * 0.35, tip + (cy - tip) * 0.35, r, cy - r * 0.9, r, cy);
        cairo_arc(cr, 0, cy, r, 0, M_PI);
        cairo_curve_to(cr, -r, cy - r * 0.9, -r * 0.35, tip + (cy - tip) * 0.35, 0, tip);
        cairo_close_path(cr);
        SetRgb(cr, Hex(cols[pass]), alphas[pass]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A pale crystal fragment that takes any tint.
void Fragment(cairo_t* cr, double w, double h) {
    cairo_move_to(cr, w * 0.18, h * 0.3);
    cairo_line_to(cr, w * 0.62, h * 0.08);
    cairo_line_to(cr, w * 0.9, h * 0.55);
    cairo_line_to(cr, w * 0.42, h * 0.92);
    cairo_close_path(cr);
    SetLinear(cr, 0, 0, w, h, {{0, {1, 1, 1}}, {0.5, Hex(0xdde6f0)}, {1, Hex(0x8a96a8)}});
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.3, 0.35, 0.45, 0.9);
    cairo_set_line_width(cr, std::max(0.5, w / 32));
    cairo_stroke(cr);
    cairo_move_to(cr, w * 0.62, h * 0.08);
    cairo_line_to(cr, w * 0.5, h * 0.5);
    cairo_line_to(cr, w * 0.9, h * 0.55);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_set_line_width(cr, std::max(0.4, w / 40));
    cairo_stroke(cr);
}

void Smoke(cairo_t* cr, double w, double h, uint32_t seed) {
    Random rnd(seed);
    for (int i = 0; i < 7; ++i) {
        double x = w / 2 + rnd.Range(-w * 0.18, w * 0.18), y = h / 2 + rnd.Range(-h * 0.18, h * 0.18);
        double r = rnd.Range(w * 0.2, w * 0.32);
        cairo_arc(cr, x, y, r, 0, kTau);
        SetRadial(cr, x, y, 0, x, y, r, {{0, {0.75, 0.75, 0.78}, 0.35}, {1, {0.5, 0.5, 0.55}, 0}});
        cairo_fill(cr);
    }
}

void Ring(cairo_t* cr, double w, double h) {
    double r = std::min(w, h) / 2;
    cairo_arc(cr, w / 2, h / 2, r * 0.98, 0, kTau);
    SetRadial(cr, w / 2, h / 2, r * 0.45, w / 2, h / 2, r * 0.98, {{0, {1, 1, 1}, 0}, {0.7, {1, 1, 1}, 0.95}, {1, {1, 1, 1}, 0}});
    cairo_fill(cr);
}

void Flare(cairo_t* cr, double w, double h) {
    Glow(cr, w, h, {1, 1, 1}, Hex(0xffd080));
    double cx = w / 2, cy = h / 2, r = std::min(w, h) / 2;
    for (int i = 0; i < 8; ++i) {
        double a = kTau * i / 8;
        double len = (i % 2 ? 0.55 : 1.0) * r;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + std::cos(a) * len, cy + std::sin(a) * len);
    }
    cairo_set_source_rgba(cr, 1, 1, 0.95, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    DrawTwinkle(cr, cx, cy, r * 0.9, 0.9);
}

// ---- the bitmap font ------------------------------------------------------------------------

struct Glyph {
    int code, x, y, w;
};

struct FontBlock {
    int index, height;
    std::vector<Glyph> glyphs;
};

struct FontLook {
    Face face;
    double size, outline, baseline;  // baseline from the glyph box's top
    Rgb top, bottom, outlineColour;
    double glow;
    Rgb glowColour;
};

// Lays out and draws the glyphs of one font row after row from (x0, y0) within `width`.
FontBlock DrawFont(Image& sheet, int index, int height, const std::string& chars, const FontLook& look, int x0,
                   int& y, int width) {
    FontBlock block{index, height, {}};
    cairo_t* cr = sheet.cr;
    int x = x0;
    for (char ch : chars) {
        std::string s(1, ch);
        SelectFace(cr, look.face, look.size);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, s.c_str(), &ext);
        // The box holds the ink and its outline; the spacing the game passes sets the gaps.
        int pad = static_cast<int>(std::lround(look.outline + look.glow * 3));
        int w = static_cast<int>(std::ceil(ext.width)) + 2 * pad;
        if (ch == ' ') w = static_cast<int>(std::ceil(look.size * 0.3));
        if (x + w > x0 + width) {
            x = x0;
            y += height + 2;
        }
        if (ch != ' ') {
            cairo_save(cr);
            cairo_rectangle(cr, x, y, w, height);
            cairo_clip(cr);
            double gx = x + (w - ext.width) / 2 - ext.x_bearing;
            double gy = y + look.baseline;
            cairo_new_path(cr);
            if (look.glow > 0) {
                for (int i = 3; i >= 1; --i) {
                    cairo_move_to(cr, gx, gy);
                    cairo_text_path(cr, s.c_str());
                    SetRgb(cr, look.glowColour, look.glow / 3);
                    cairo_set_line_width(cr, look.outline * 2 + i * 2.2);
                    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                    cairo_stroke(cr);
                }
            }
            cairo_move_to(cr, gx, gy);
            cairo_text_path(cr, s.c_str());
            SetRgb(cr, look.outlineColour, 0.95);
            cairo_set_line_width(cr, look.outline * 2);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
            cairo_text_extents_t cap;
            cairo_text_extents(cr, "H", &cap);
            SetLinear(cr, 0, gy - cap.height, 0, gy, {{0, look.top}, {1, look.bottom}});
            cairo_fill(cr);
            cairo_restore(cr);
        }
        block.glyphs.push_back({static_cast<unsigned char>(ch), x, y, w});
        x += w + 2;  // the outline may spill a fraction of a pixel into the gap
    }
    y += height + 3;
    return block;
}

// Writes the multi-font file: the count, then per font its block header, its rows (runs of
// consecutive codes on one texture row) and their glyph positions and widths.
void WriteFontFile(const std::string& path, const std::vector<FontBlock>& fonts) {
    std::string out = std::to_string(fonts.size()) + "\r\n";
    for (const FontBlock& f : fonts) {
        std::vector<std::vector<Glyph>> rows;
        for (const Glyph& g : f.glyphs) {
            if (rows.empty() || rows.back().back().y != g.y || rows.back().back().code + 1 != g.code) rows.push_back({});
            rows.back().push_back(g);
        }
        out += std::to_string(f.index) + "," + std::to_string(kFontTexture) + ",0,0," + std::to_string(f.height) + "," +
               std::to_string(rows.size()) + "\r\n";
        for (const auto& row : rows) {
            out += std::to_string(row.front().code) + "," + std::to_string(row.front().y) + "," +
                   std::to_string(row.size()) + "\r\n";
            std::string line;
            for (size_t i = 0; i < row.size(); ++i) {
                if (i) line += ",";
                line += std::to_string(row[i].x) + "," + std::to_string(row[i].w);
            }
            out += line + "\r\n";
        }
    }
    WriteWhole(path, out);
}

}  // namespace

void MakeResourceSheet(const std::string& dir) {
    Image sheet(kResWidth, kResHeight);
    cairo_t* cr = sheet.cr;
    cairo_rectangle(cr, kFadePatch.x, kFadePatch.y, kFadePatch.w, kFadePatch.h);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);

    Supersample(sheet, kParticleGlow, [](cairo_t* c, double w, double h) { Glow(c, w, h, {1, 1, 1}, {1, 1, 1}); });
    Supersample(sheet, kParticleStar, [](cairo_t* c, double w, double h) { DrawTwinkle(c, w / 2, h / 2, w / 2, 1.0); });
    Supersample(sheet, kParticleFlameUp, [](cairo_t* c, double w, double h) { Flame(c, w, h, 0); });
    Supersample(sheet, kParticleFlameDown, [](cairo_t* c, double w, double h) { Flame(c, w, h, M_PI); });
    Supersample(sheet, kParticleFlameLeft, [](cairo_t* c, double w, double h) { Flame(c, w, h, -M_PI / 2); });
    Supersample(sheet, kParticleFlameRight, [](cairo_t* c, double w, double h) { Flame(c, w, h, M_PI / 2); });
    Supersample(sheet, kParticleFlare, [](cairo_t* c, double w, double h) { Flare(c, w, h); });
    Supersample(sheet, kParticleSpark, [](cairo_t* c, double w, double h) {
        Glow(c, w, h, {1, 1, 1}, Hex(0xfff0c0));
        DrawTwinkle(c, w / 2, h / 2, w / 2, 1.0);
    });
    Supersample(sheet, kParticleRing, [](cairo_t* c, double w, double h) { Ring(c, w, h); });
    for (int i = 0; i < kExplosionImages; ++i) {
        auto draw = [i](cairo_t* c, double w, double h) {
            switch (i) {
            case kExpGlow: Glow(c, w, h, {1, 1, 1}, Hex(0xffe0a0)); break;
            case kExpStar: DrawTwinkle(c, w / 2, h / 2, w / 2, 1.0); break;
            case kExpSmoke: Smoke(c, w, h, 7); break;
            case kExpRing: Ring(c, w, h); break;
            case kExpFlame: Flame(c, w, h, 0); break;
            default: Fragment(c, w, h); break;
            }
        };
        Supersample(sheet, ExplosionImageLarge(i), draw);
        Supersample(sheet, ExplosionImageSmall(i), draw);
    }

    // Fonts.
    std::string font1;
    for (int c = 32; c <= 90; ++c) font1 += static_cast<char>(c);
    FontLook look1{Face::Sans, 18.5, 1.3, 18.5, Hex(0xffffff), Hex(0xdde4f2), Hex(0x0a0c1c), 0, {}};
    FontLook look2{Face::Display, 31, 2.0, 28.5, Hex(0xffffff), Hex(0xffd040), Hex(0x301400), 0, {}};
    FontLook look3{Face::Display, 40, 2.4, 38.5, Hex(0xfff6c0), Hex(0xff7a10), Hex(0x401000), 0.45, Hex(0xffb030)};
    int y = kFontAreaTop;
    std::vector<FontBlock> fonts;
    FontBlock f1 = DrawFont(sheet, 1, kFont1Height, font1, look1, 0, y, kResWidth);
    // Lower-case letters show the capitals' glyphs.
    std::vector<Glyph> lower;
    for (const Glyph& g : f1.glyphs)
        if (g.code >= 'A' && g.code <= 'Z') lower.push_back({g.code + 32, g.x, g.y, g.w});
    f1.glyphs.insert(f1.glyphs.end(), lower.begin(), lower.end());
    fonts.push_back(f1);
    fonts.push_back(DrawFont(sheet, 2, kFont2Height, "0123456789", look2, 0, y, kResWidth));
    fonts.push_back(DrawFont(sheet, 3, kFont3Height, "C", look3, 0, y, kResWidth));
    if (y > kResHeight) throw std::runtime_error("font glyphs overflow the resource sheet");
    SavePng(sheet, dir + "/plmres1.png");
    WriteFontFile(dir + "/" + kFontFile, fonts);
}

}  // namespace media
