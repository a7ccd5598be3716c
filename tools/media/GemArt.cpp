#include "GemArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace media {

using tessaly::media::kTileSize;

namespace {

struct V2 {
    double x, y;
};

constexpr double kTau = 2 * M_PI;

// The six shapes in unit coordinates, centred on the origin, y down.
std::vector<V2> ShapeVertices(int colour) {
    std::vector<V2> v;
    auto ring = [&](int n, double r, double start) {
        for (int i = 0; i < n; ++i) {
            double a = start + kTau * i / n;
            v.push_back({r * std::cos(a), r * std::sin(a)});
        }
    };
    switch (colour) {
    case 1:  // round brilliant
        ring(16, 0.98, -M_PI / 2);
        break;
    case 2:  // emerald cut
        v = {{-0.52, -0.88}, {0.52, -0.88}, {0.86, -0.54}, {0.86, 0.54},
             {0.52, 0.88},   {-0.52, 0.88}, {-0.86, 0.54}, {-0.86, -0.54}};
        break;
    case 3:  // diamond (rhombus)
        v = {{0, -1.02}, {0.80, 0}, {0, 1.02}, {-0.80, 0}};
        break;
    case 4: {  // trillion: a triangle with clipped corners
        std::vector<V2> t;
        for (int i = 0; i < 3; ++i) {
            double a = -M_PI / 2 + kTau * i / 3;
            t.push_back({1.12 * std::cos(a), 1.12 * std::sin(a) + 0.14});
        }
        for (int i = 0; i < 3; ++i) {
            V2 a = t[i], b = t[(i + 1) % 3], p = t[(i + 2) % 3];
            (void)p;
            v.push_back({a.x + (b.x - a.x) * 0.12, a.y + (b.y - a.y) * 0.12});
            v.push_back({a.x + (b.x - a.x) * 0.88, a.y + (b.y - a.y) * 0.88});
        }
        break;
    }
    case 5:  // hexagon, flat top
        ring(6, 0.98, 0);
        break;
    default:  // five-pointed star
        for (int i = 0; i < 10; ++i) {
            double a = -M_PI / 2 + kTau * i / 10;
            double r = (i % 2 == 0) ? 1.06 : 0.52;
            v.push_back({r * std::cos(a), r * std::sin(a) + 0.05});
        }
        break;
    }
    return v;
}

double TableScale(int colour) {
    switch (colour) {
    case 1: return 0.56;
    case 2: return 0.62;
    case 3: return 0.48;
    case 4: return 0.5;
    case 5: return 0.58;
    default: return 0.42;
    }
}

void PolyPath(cairo_t* cr, const std::vector<V2>& v, double cx, double cy, double r) {
    cairo_new_path(cr);
    for (size_t i = 0; i < v.size(); ++i) {
        if (i == 0) cairo_move_to(cr, cx + v[i].x * r, cy + v[i].y * r);
        else cairo_line_to(cr, cx + v[i].x * r, cy + v[i].y * r);
    }
    cairo_close_path(cr);
}

// Brightness of a facet tilted `tilt` radians outward in direction `angle`, lit from the top left.
double FacetLight(double angle, double tilt) {
    double nx = std::cos(angle) * std::sin(tilt), ny = std::sin(angle) * std::sin(tilt), nz = std::cos(tilt);
    double lx = -0.55, ly = -0.7, lz = 0.75;
    double l = std::sqrt(lx * lx + ly * ly + lz * lz);
    double d = (nx * lx + ny * ly + nz * lz) / l;
    return std::max(0.0, d);
}

// The smooth loop values of a gem frame: a glint crossing, a twinkle, a slight breathing.
// A landed gem loops its frames for ever, so the glint and twinkle take only the first half of
// the loop and the gem rests for the rest of it.
double GlintPos(int frame) { return (frame >= 2 && frame <= 13) ? (frame - 2) / 11.0 : -1; }
double TwinkleSize(int frame) { return (frame >= 6 && frame <= 16) ? std::sin(M_PI * (frame - 6) / 10.0) : 0; }

void Sphere(cairo_t* cr, double cx, double cy, double r, Rgb base) {
    cairo_arc(cr, cx, cy, r, 0, kTau);
    SetRadial(cr, cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r, {{0, Scale(base, 1.55)}, {0.45, base}, {1, Scale(base, 0.35)}});
    cairo_fill(cr);
    // rim light at the bottom right
    cairo_arc(cr, cx, cy, r - 0.5, 0, kTau);
    SetRadial(cr, cx + r * 0.5, cy + r * 0.55, 0, cx + r * 0.5, cy + r * 0.55, r * 0.9, {{0, Scale(base, 1.3), 0.45}, {1, base, 0}});
    cairo_fill(cr);
    // gloss
    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.3, cy - r * 0.45);
    cairo_scale(cr, r * 0.52, r * 0.32);
    cairo_arc(cr, 0, 0, 1, 0, kTau);
    cairo_restore(cr);
    SetLinear(cr, 0, cy - r * 0.8, 0, cy - r * 0.1, {{0, {1, 1, 1}, 0.85}, {1, {1, 1, 1}, 0.0}});
    cairo_fill(cr);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, double head) {
    double dx = x1 - x0, dy = y1 - y0, l = std::hypot(dx, dy);
    dx /= l;
    dy /= l;
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1 - dx * head * 0.6, y1 - dy * head * 0.6);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - dx * head - dy * head * 0.75, y1 - dy * head + dx * head * 0.75);
    cairo_line_to(cr, x1 - dx * head + dy * head * 0.75, y1 - dy * head - dx * head * 0.75);
    cairo_close_path(cr);
}

// A line gem: dark glass tile with glowing arrows; frame 0..15 pushes the arrows out and brightens.
void DrawLineGem(cairo_t* cr, int kind, int frame) {
    double t = frame / 15.0;
    double cx = 16, cy = 16;
    RoundedRect(cr, 3, 3, 26, 26, 7);
    SetLinear(cr, 3, 3, 29, 29, {{0, Hex(0x4a6cff)}, {0.5, Hex(0x1a2a8c)}, {1, Hex(0x0a1040)}});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetLinear(cr, 0, 3, 0, 29, {{0, Hex(0xd8f4ff)}, {1, Hex(0x3aa8ff)}});
    cairo_stroke(cr);
    // gloss
    RoundedRect(cr, 5, 4.5, 22, 10, 5);
    SetLinear(cr, 0, 4.5, 0, 14.5, {{0, {1, 1, 1}, 0.45}, {1, {1, 1, 1}, 0.02}});
    cairo_fill(cr);

    double d = 9.5 + 1.6 * t;
    std::vector<std::pair<double, double>> dirs;
    if (kind == 14 || kind == 16) dirs.push_back({1, 0});
    if (kind == 15 || kind == 16) dirs.push_back({0, 1});
    if (kind == 17) {
        dirs.push_back({0.7071, 0.7071});
        dirs.push_back({0.7071, -0.7071});
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double head = kind == 17 ? 3.3 : 4.2;
    for (int pass = 0; pass < 3; ++pass) {
        for (auto [ux, uy] : dirs) {
            double dd = kind == 17 ? d * 1.02 : d;
            Arrow(cr, cx, cy, cx + ux * dd, cy + uy * dd, head);
            Arrow(cr, cx, cy, cx - ux * dd, cy - uy * dd, head);
        }
        if (pass == 0) {
            cairo_set_source_rgba(cr, 0.3, 0.9, 1.0, 0.25 + 0.35 * t);
            cairo_set_line_width(cr, 5.5);
            cairo_stroke(cr);
        } else if (pass == 1) {
            cairo_set_source_rgba(cr, 0.05, 0.1, 0.3, 0.9);
            cairo_set_line_width(cr, 3.4);
            cairo_stroke_preserve(cr);
            cairo_fill(cr);
        } else {
            cairo_set_source_rgba(cr, 0.85 + 0.15 * t, 0.97, 1.0, 1.0);
            cairo_set_line_width(cr, 1.7);
            cairo_stroke_preserve(cr);
            cairo_fill(cr);
        }
    }
    cairo_arc(cr, cx, cy, 2.2 + 0.6 * t, 0, kTau);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
}

void DrawBomb(cairo_t* cr, int frame) {
    double cx = 15, cy = 18, r = 11.5;
    // fuse cap and fuse
    cairo_save(cr);
    cairo_translate(cr, cx + 6.5, cy - 8.5);
    cairo_rotate(cr, M_PI / 4);
    RoundedRect(cr, -3.2, -3, 6.4, 6, 1.2);
    SetLinear(cr, -3, 0, 3, 0, {{0, Hex(0x7a6a50)}, {0.4, Hex(0xe0d0a8)}, {1, Hex(0x5a4a30)}});
    cairo_fill(cr);
    cairo_restore(cr);
    Sphere(cr, cx, cy, r, Hex(0x2a2f45));
    cairo_move_to(cr, cx + 8, cy - 10.5);
    cairo_curve_to(cr, cx + 10, cy - 15, cx + 12, cy - 13, cx + 12.5, cy - 14.5);
    cairo_set_source_rgb(cr, 0.55, 0.45, 0.3);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // spark: eight rays turning an eighth of a turn per loop, pulsing three times
    double sx = cx + 12.8, sy = cy - 14.8;
    double phase = frame / 31.0;
    double size = 4.4 + 1.2 * std::sin(kTau * 3 * phase);
    cairo_arc(cr, sx, sy, size + 2.5, 0, kTau);
    SetRadial(cr, sx, sy, 0, sx, sy, size + 2.5, {{0, {1, 0.9, 0.4}, 0.9}, {1, {1, 0.4, 0.0}, 0.0}});
    cairo_fill(cr);
    for (int i = 0; i < 8; ++i) {
        double a = kTau * i / 8 + kTau / 8 * phase;
        double len = (i % 2 ? 0.6 : 1.0) * size;
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + std::cos(a) * len, sy + std::sin(a) * len);
    }
    cairo_set_source_rgba(cr, 1, 0.95, 0.7, 1);
    cairo_set_line_width(cr, 0.9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, sx, sy, 1.3, 0, kTau);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

void DrawColourBomb(cairo_t* cr, int colour, int frame) {
    double cx = 16, cy = 16, r = 12.5;
    Rgb base = GemColour(colour);
    double phase = frame / 31.0;
    // halo
    cairo_arc(cr, cx, cy, 15.5, 0, kTau);
    SetRadial(cr, cx, cy, 10, cx, cy, 15.8, {{0, Scale(base, 1.4), 0.7 + 0.2 * std::sin(kTau * phase)}, {1, base, 0}});
    cairo_fill(cr);
    Sphere(cr, cx, cy, r, Scale(base, 0.9));
    // dark band ring so it reads as a bomb
    cairo_arc(cr, cx, cy, r - 1.2, 0, kTau);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.12, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // the colour's own shape in white at the centre
    GemShapePath(cr, colour, cx, cy + 0.5, 5.8);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.15, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    SetLinear(cr, 0, cy - 6, 0, cy + 6, {{0, {1, 1, 1}}, {1, Scale(base, 1.6)}});
    cairo_fill(cr);
    // six orbiting sparks: a sixth of a turn per loop matches the six-fold ring
    for (int i = 0; i < 6; ++i) {
        double a = kTau * i / 6 + kTau / 6 * phase;
        DrawTwinkle(cr, cx + std::cos(a) * 9.6, cy + std::sin(a) * 9.6, 2.4, 0.95);
    }
}

void DrawShuffle(cairo_t* cr, int frame) {
    double cx = 16, cy = 16, r = 12.5;
    Sphere(cr, cx, cy, r, Hex(0xd8d8f0));
    // A quarter turn per loop while each arrow takes on the colour of the one ahead of it, so the
    // sixteenth frame would be the first again.
    double t = frame / 16.0;
    double rot = (M_PI / 2) * t;
    const uint32_t cols[4] = {0xff3b4a, 0xffd23a, 0x33d46a, 0x3a8cff};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int i = 0; i < 4; ++i) {
        double a0 = rot + i * M_PI / 2 + 0.18, a1 = a0 + M_PI / 2 - 0.62;
        double rr = 7.3;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, rr, a0, a1);
        cairo_set_source_rgba(cr, 0.05, 0.05, 0.15, 0.85);
        cairo_set_line_width(cr, 4.6);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, rr, a0, a1);
        Rgb col = Mix(Hex(cols[i]), Hex(cols[(i + 1) % 4]), t);
        SetRgb(cr, col);
        cairo_set_line_width(cr, 2.8);
        cairo_stroke(cr);
        // head
        double hx = cx + std::cos(a1) * rr, hy = cy + std::sin(a1) * rr;
        double tx = -std::sin(a1), ty = std::cos(a1);  // travel direction
        double nx = std::cos(a1), ny = std::sin(a1);
        cairo_move_to(cr, hx + tx * 3.6, hy + ty * 3.6);
        cairo_line_to(cr, hx + nx * 3.2, hy + ny * 3.2);
        cairo_line_to(cr, hx - nx * 3.2, hy - ny * 3.2);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.05, 0.05, 0.15, 0.85);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke_preserve(cr);
        SetRgb(cr, col);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, 2.0, 0, kTau);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

void DrawBlocker(cairo_t* cr) {
    RoundedRect(cr, 2, 2, 28, 28, 4);
    SetLinear(cr, 2, 2, 30, 30, {{0, Hex(0x9aa0ad)}, {0.5, Hex(0x5d6270)}, {1, Hex(0x2c2f38)}});
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.13);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // inner bevelled plate
    RoundedRect(cr, 6, 6, 20, 20, 2);
    cairo_pattern_t* in = cairo_pattern_create_linear(6, 6, 26, 26);
    AddStop(in, 0, Hex(0x3a3e4a));
    AddStop(in, 1, Hex(0x7d8392));
    cairo_set_source(cr, in);
    cairo_fill(cr);
    // cross brace
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, 8, 8);
        cairo_line_to(cr, 24, 24);
        cairo_move_to(cr, 24, 8);
        cairo_line_to(cr, 8, 24);
        if (pass == 0) {
            cairo_set_source_rgb(cr, 0.12, 0.12, 0.15);
            cairo_set_line_width(cr, 4.2);
        } else {
            SetLinear(cr, 8, 8, 24, 24, {{0, Hex(0xd6dae3)}, {1, Hex(0x80869a)}});
            cairo_set_line_width(cr, 2.4);
            cairo_stroke(cr);
            break;
        }
        cairo_stroke(cr);
    }
    cairo_pattern_destroy(in);
    // rivets
    const double pts[4][2] = {{4.8, 4.8}, {27.2, 4.8}, {4.8, 27.2}, {27.2, 27.2}};
    for (auto& p : pts) {
        cairo_arc(cr, p[0], p[1], 1.5, 0, kTau);
        SetRadial(cr, p[0] - 0.5, p[1] - 0.5, 0, p[0], p[1], 1.6, {{0, {1, 1, 1}}, {1, Hex(0x505564)}});
        cairo_fill(cr);
    }
    // top gloss
    RoundedRect(cr, 3, 2.5, 26, 6, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_fill(cr);
}

// Light on the top and left edges of a full cell, shade on the bottom and right.
void Bevel(cairo_t* cr, Rgb light, double lightAlpha, double shadeAlpha, double width) {
    cairo_move_to(cr, 0.5, 31.5);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, 31.5, 0.5);
    SetRgb(cr, light, lightAlpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_move_to(cr, 31.5, 0.5);
    cairo_line_to(cr, 31.5, 31.5);
    cairo_line_to(cr, 0.5, 31.5);
    cairo_set_source_rgba(cr, 0, 0, 0, shadeAlpha);
    cairo_stroke(cr);
}

}  // namespace

Rgb GemColour(int colour) {
    static const uint32_t c[6] = {0xf0283c, 0x20c854, 0x2a78ff, 0xffc81e, 0xb040f0, 0xff7a1a};
    return Hex(c[(colour - 1 + 6) % 6]);
}

void GemShapePath(cairo_t* cr, int colour, double cx, double cy, double r) {
    PolyPath(cr, ShapeVertices(colour), cx, cy, r);
}

void DrawTwinkle(cairo_t* cr, double cx, double cy, double r, double alpha, Rgb colour) {
    if (r <= 0 || alpha <= 0) return;
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r * 0.9, 0, kTau);
    SetRadial(cr, cx, cy, 0, cx, cy, r * 0.9, {{0, colour, 0.8 * alpha}, {1, colour, 0}});
    cairo_fill(cr);
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + r * 0.12, cy - r * 0.12, cx + r * 0.12, cy - r * 0.12, cx + r, cy);
    cairo_curve_to(cr, cx + r * 0.12, cy + r * 0.12, cx + r * 0.12, cy + r * 0.12, cx, cy + r);
    cairo_curve_to(cr, cx - r * 0.12, cy + r * 0.12, cx - r * 0.12, cy + r * 0.12, cx - r, cy);
    cairo_curve_to(cr, cx - r * 0.12, cy - r * 0.12, cx - r * 0.12, cy - r * 0.12, cx, cy - r);
    SetRgb(cr, colour, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawGem(cairo_t* cr, int colour, double cx, double cy, double r, int frame) {
    std::vector<V2> v = ShapeVertices(colour);
    Rgb base = GemColour(colour);
    double breathe = 1.0 + 0.06 * std::sin(kTau * frame / 31.0);
    base = Scale(base, breathe);
    const double ts = TableScale(colour);
    size_t n = v.size();
    // facets of the crown
    for (size_t i = 0; i < n; ++i) {
        V2 a = v[i], b = v[(i + 1) % n];
        double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        double ang = std::atan2(my, mx);
        double light = FacetLight(ang, 0.95);
        Rgb c = Scale(base, 0.42 + 0.95 * light);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + a.x * r, cy + a.y * r);
        cairo_line_to(cr, cx + b.x * r, cy + b.y * r);
        cairo_line_to(cr, cx + b.x * r * ts, cy + b.y * r * ts);
        cairo_line_to(cr, cx + a.x * r * ts, cy + a.y * r * ts);
        cairo_close_path(cr);
        SetLinear(cr, cx + mx * r, cy + my * r, cx + mx * r * ts, cy + my * r * ts, {{0, Scale(c, 0.8)}, {1, Scale(c, 1.12)}});
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.10 + 0.25 * light);
        cairo_set_line_width(cr, 0.35);
        cairo_stroke(cr);
    }
    // table
    PolyPath(cr, v, cx, cy, r * ts);
    SetLinear(cr, cx - r * ts, cy - r * ts, cx + r * ts, cy + r * ts, {{0, Scale(base, 1.5)}, {0.55, Scale(base, 1.05)}, {1, Scale(base, 0.75)}});
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 0.45);
    cairo_stroke(cr);
    // outline
    PolyPath(cr, v, cx, cy, r);
    SetRgb(cr, Scale(GemColour(colour), 0.3), 0.95);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // glossy reflection on the upper left of the table
    cairo_save(cr);
    PolyPath(cr, v, cx, cy, r);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.28, cy - r * 0.36);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, r * 0.42, r * 0.2);
    cairo_arc(cr, 0, 0, 1, 0, kTau);
    cairo_restore(cr);
    SetRadial(cr, cx - r * 0.28, cy - r * 0.36, 0, cx - r * 0.28, cy - r * 0.36, r * 0.42, {{0, {1, 1, 1}, 0.85}, {1, {1, 1, 1}, 0.0}});
    cairo_fill(cr);
    // the glint: a bright band sweeping from the top left to the bottom right
    double gp = GlintPos(frame);
    if (gp >= 0) {
        double s = -1.5 + 3.0 * gp;  // position along the diagonal, in radii
        double px = cx + s * r * 0.7071, py = cy + s * r * 0.7071;
        cairo_pattern_t* band = cairo_pattern_create_linear(px - r * 0.35, py - r * 0.35, px + r * 0.35, py + r * 0.35);
        double peak = std::sin(M_PI * gp) * 0.75;
        cairo_pattern_add_color_stop_rgba(band, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 1, peak);
        cairo_pattern_add_color_stop_rgba(band, 1, 1, 1, 1, 0);
        cairo_set_source(cr, band);
        cairo_paint(cr);
        cairo_pattern_destroy(band);
    }
    cairo_restore(cr);
    double tw = TwinkleSize(frame);
    if (tw > 0) DrawTwinkle(cr, cx - r * 0.42, cy - r * 0.48, r * 0.62 * tw, tw);
}

void DrawKindFrame(cairo_t* cr, int kind, int frame) {
    if (kind >= 1 && kind <= 6) {
        // soft contact shadow, then the gem
        cairo_save(cr);
        cairo_translate(cr, 16.8, 18.2);
        cairo_scale(cr, 1.0, 0.96);
        cairo_arc(cr, 0, 0, 14.2, 0, kTau);
        cairo_restore(cr);
        SetRadial(cr, 16.8, 18.2, 8, 16.8, 18.2, 14.8, {{0, {0, 0, 0}, 0.45}, {1, {0, 0, 0}, 0}});
        cairo_fill(cr);
        DrawGem(cr, kind, 16, 16, 14.2, frame);
    } else if (kind == 7) {
        DrawBomb(cr, frame);
    } else if (kind >= 8 && kind <= 13) {
        DrawColourBomb(cr, kind - 7, frame);
    } else if (kind >= 14 && kind <= 17) {
        DrawLineGem(cr, kind, frame);
    } else if (kind == 18) {
        DrawShuffle(cr, frame);
    } else if (kind == 19) {
        DrawBlocker(cr);
    } else if (kind == 20) {
        DrawCheckerTile(cr, frame == 0);
    } else if (kind == 21) {
        DrawWallTile(cr);
    }
}

void DrawCheckerTile(cairo_t* cr, bool light) {
    Rgb a = light ? Hex(0xf6cf5a) : Hex(0x2b3a9a);
    cairo_rectangle(cr, 0, 0, 32, 32);
    SetLinear(cr, 0, 0, 32, 32, {{0, Scale(a, 1.3)}, {1, Scale(a, 0.7)}});
    cairo_fill(cr);
    Bevel(cr, {1, 1, 1}, 0.5, 0.45, 1.4);
    // an inlaid diamond
    cairo_move_to(cr, 16, 7);
    cairo_line_to(cr, 25, 16);
    cairo_line_to(cr, 16, 25);
    cairo_line_to(cr, 7, 16);
    cairo_close_path(cr);
    SetRgb(cr, Scale(a, light ? 1.45 : 1.6), 0.8);
    cairo_fill_preserve(cr);
    SetRgb(cr, Scale(a, 0.55), 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void DrawWallTile(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 32, 32);
    SetLinear(cr, 0, 0, 32, 32, {{0, Hex(0x3b4878)}, {1, Hex(0x1a2040)}});
    cairo_fill(cr);
    RoundedRect(cr, 3, 3, 26, 26, 3);
    SetLinear(cr, 0, 3, 0, 29, {{0, Hex(0x2a3460)}, {1, Hex(0x202850)}});
    cairo_fill(cr);
    Bevel(cr, {0.75, 0.82, 1}, 0.45, 0.6, 1.2);
    // gold studs
    cairo_arc(cr, 16, 16, 2.3, 0, kTau);
    SetRadial(cr, 15.2, 15.2, 0, 16, 16, 2.4, {{0, Hex(0xfff0b0)}, {1, Hex(0x9a6a18)}});
    cairo_fill(cr);
}

void DrawPlate(cairo_t* cr, int kind) {
    Rgb c;
    double strength = 0.55;
    if (kind <= 6) c = GemColour(kind);
    else if (kind == 7) c = Hex(0xff8a2a);
    else if (kind <= 13) { c = GemColour(kind - 7); strength = 0.8; }
    else if (kind <= 17) c = Hex(0x48c8ff);
    else if (kind == 18) { c = Hex(0xffffff); strength = 0.5; }
    else { c = Hex(0x000000); strength = 0.6; }
    cairo_arc(cr, 24, 24, 23.5, 0, kTau);
    SetRadial(cr, 24, 24, 2, 24, 24, 23.5, {{0, Scale(c, kind == 19 ? 1 : 0.9), strength}, {0.45, Scale(c, kind == 19 ? 1 : 0.6), strength * 0.6}, {1, Scale(c, 0.3), 0}});
    cairo_fill(cr);
}

void DrawShard(cairo_t* cr, int colour, int variant) {
    Rgb c = GemColour(colour);
    cairo_save(cr);
    cairo_translate(cr, 4, 4);
    cairo_rotate(cr, variant * M_PI / 2 + 0.4);
    const double pts[4][3][2] = {
        {{-3.5, -2.5}, {3.6, -1.2}, {-0.8, 3.6}},
        {{-3.0, -3.4}, {3.4, 0.2}, {-2.0, 3.0}},
        {{0.0, -3.8}, {3.4, 2.8}, {-3.4, 2.2}},
        {{-3.6, 0.0}, {0.4, -3.6}, {3.4, 3.0}},
    };
    auto& p = pts[variant & 3];
    cairo_move_to(cr, p[0][0], p[0][1]);
    cairo_line_to(cr, p[1][0], p[1][1]);
    cairo_line_to(cr, p[2][0], p[2][1]);
    cairo_close_path(cr);
    SetLinear(cr, -3, -3, 3, 3, {{0, Scale(c, 1.6)}, {0.5, c}, {1, Scale(c, 0.5)}});
    cairo_fill_preserve(cr);
    SetRgb(cr, Scale(c, 0.35));
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawCursorBox(cairo_t* cr) {
    for (int i = 3; i >= 1; --i) {
        RoundedRect(cr, 3 - i * 0.8, 3 - i * 0.8, 34 + i * 1.6, 34 + i * 1.6, 7 + i);
        cairo_set_source_rgba(cr, 1, 0.85, 0.35, 0.18);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
    RoundedRect(cr, 3, 3, 34, 34, 7);
    cairo_set_source_rgba(cr, 0.15, 0.08, 0.0, 0.8);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
    RoundedRect(cr, 3, 3, 34, 34, 7);
    SetLinear(cr, 0, 3, 0, 37, {{0, Hex(0xffffff)}, {0.5, Hex(0xffd860)}, {1, Hex(0xd88a10)}});
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    const double corners[4][2] = {{4, 4}, {36, 4}, {4, 36}, {36, 36}};
    for (auto& c : corners) DrawTwinkle(cr, c[0], c[1], 3.2, 0.9);
}

void DrawPreviewLight(cairo_t* cr) {
    RoundedRect(cr, 1, 1, 30, 30, 6);
    SetRadial(cr, 16, 16, 2, 16, 16, 22, {{0, Hex(0xe8f8ff), 0.95}, {0.6, Hex(0xa0dcff), 0.55}, {1, Hex(0x60b0ff), 0.3}});
    cairo_fill(cr);
    RoundedRect(cr, 1.5, 1.5, 29, 29, 6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void RenderTile(Image& dst, int x, int y, int kind, int frame) {
    Supersample(dst, {x, y, kTileSize, kTileSize}, [kind, frame](cairo_t* c, double, double) { DrawKindFrame(c, kind, frame); });
}

}  // namespace media
