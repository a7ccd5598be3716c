#include "Scenery.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace media {

namespace {

constexpr double kTau = 2 * M_PI;

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }
double Smooth(double e0, double e1, double x) {
    double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Writes every pixel from f (opaque).
void PaintPixels(Image& img, const std::function<Rgb(double, double)>& f) {
    uint32_t* px = img.Pixels();
    int stride = cairo_image_surface_get_stride(img.surface) / 4;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            Rgb c = f(x, y);
            auto q = [](double v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255)); };
            px[y * stride + x] = 0xff000000u | q(c.r) << 16 | q(c.g) << 8 | q(c.b);
        }
    img.MarkDirty();
}

Rgb Vertical(double y, double h, Rgb top, Rgb bottom) { return Mix(top, bottom, Clamp01(y / h)); }

void Stars(cairo_t* cr, int w, int h, int count, uint32_t seed, double maxY) {
    Random rnd(seed);
    for (int i = 0; i < count; ++i) {
        double x = rnd.Range(0, w), y = rnd.Range(0, maxY > 0 ? maxY : h);
        double r = rnd.Unit() < 0.92 ? rnd.Range(0.4, 1.1) : rnd.Range(1.2, 2.0);
        double a = rnd.Range(0.35, 1.0) * (1 - y / (maxY > 0 ? maxY * 1.2 : h * 1.2));
        cairo_arc(cr, x, y, r, 0, kTau);
        cairo_set_source_rgba(cr, 0.9, 0.95, 1.0, a);
        cairo_fill(cr);
        if (r > 1.5) {
            cairo_arc(cr, x, y, r * 4, 0, kTau);
            SetRadial(cr, x, y, 0, x, y, r * 4, {{0, {0.8, 0.9, 1}, 0.35 * a}, {1, {0.8, 0.9, 1}, 0}});
            cairo_fill(cr);
        }
    }
}

// A mountain or dune ridge: filled from its fbm skyline down to the bottom.
void Ridge(cairo_t* cr, int w, int h, double baseY, double amp, double freq, uint32_t seed, Rgb top, Rgb bottom,
           double sharp = 0) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, h);
    for (int x = 0; x <= w; x += 4) {
        double n = Fbm(x * freq, 0.5, 5, seed);
        if (sharp > 0) n = 1 - std::fabs(2 * n - 1) * sharp;
        cairo_line_to(cr, x, baseY - amp * n);
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    SetLinear(cr, 0, baseY - amp, 0, h, {{0, top}, {1, bottom}});
    cairo_fill(cr);
}

void GlowDisc(cairo_t* cr, double x, double y, double r, Rgb c, double a) {
    cairo_arc(cr, x, y, r, 0, kTau);
    SetRadial(cr, x, y, 0, x, y, r, {{0, c, a}, {1, c, 0}});
    cairo_fill(cr);
}

void Aurora(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        Rgb c = Vertical(y, h, Hex(0x02061a), Hex(0x0b2a4a));
        for (int band = 0; band < 2; ++band) {
            double y0 = 170 + band * 90 + 60 * std::sin(x * 0.006 + band * 2) + 40 * (Fbm(x * 0.004, band, 3, 11) - 0.5);
            double d = (y - y0) / (band ? 55 : 70);
            double curtain = std::exp(-d * d) * (0.45 + 0.8 * Fbm(x * 0.03, y * 0.004, 3, 21 + band));
            double above = y < y0 ? std::exp(-(y0 - y) / 90.0) : std::exp(-(y - y0) / 25.0);
            Rgb col = band ? Hex(0x9a40ff) : Hex(0x30ffa0);
            c = Mix(c, col, Clamp01(curtain * above * 0.85));
        }
        return c;
    });
    Stars(img.cr, w, h, 260, 3, h * 0.75);
    Ridge(img.cr, w, h, h * 0.86, 120, 0.004, 5, Hex(0x0c1830), Hex(0x04070f), 1.0);
    Ridge(img.cr, w, h, h * 0.96, 70, 0.007, 6, Hex(0x050a16), Hex(0x010205), 0.8);
}

void SunsetSea(Image& img) {
    int h = img.height;
    double horizon = h * 0.62;
    PaintPixels(img, [&](double x, double y) {
        if (y < horizon) {
            double t = y / horizon;
            Rgb c = t < 0.55 ? Mix(Hex(0x241048), Hex(0xd0406a), t / 0.55) : Mix(Hex(0xd0406a), Hex(0xffb860), (t - 0.55) / 0.45);
            double cloud = Fbm(x * 0.006, y * 0.02, 4, 31);
            c = Mix(c, Hex(0x5a2050), Clamp01((cloud - 0.55) * 2.5) * 0.6 * (1 - t));
            return c;
        }
        double t = (y - horizon) / (h - horizon);
        Rgb c = Mix(Hex(0x3a2a60), Hex(0x0a1030), t);
        double dx = std::fabs(x - 560) / (60 + 200 * t);
        double wave = Fbm(x * 0.02, y * 0.15, 3, 41);
        double glint = std::exp(-dx * dx) * Smooth(0.45, 0.75, wave);
        return Mix(c, Hex(0xffd080), Clamp01(glint));
    });
    GlowDisc(img.cr, 560, horizon - 20, 220, Hex(0xffb050), 0.55);
    cairo_arc(img.cr, 560, horizon - 20, 58, M_PI, kTau);
    cairo_line_to(img.cr, 618, horizon);
    cairo_line_to(img.cr, 502, horizon);
    cairo_close_path(img.cr);
    SetRgb(img.cr, Hex(0xffe6a0));
    cairo_fill(img.cr);
}

void Nebula(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        double n1 = Fbm(x * 0.004, y * 0.004, 6, 51), n2 = Fbm(x * 0.007 + 10, y * 0.007, 5, 52);
        Rgb c = Hex(0x040414);
        c = Mix(c, Hex(0x5a1a8a), Smooth(0.45, 0.8, n1) * 0.9);
        c = Mix(c, Hex(0x1a6aff), Smooth(0.5, 0.85, n2) * 0.6);
        c = Mix(c, Hex(0xff60b0), Smooth(0.7, 0.95, n1 * n2 * 1.6) * 0.7);
        return c;
    });
    Stars(img.cr, w, h, 420, 9, 0);
    GlowDisc(img.cr, 690, 140, 70, Hex(0xc0e0ff), 0.5);
    GlowDisc(img.cr, 90, 520, 50, Hex(0xffd0f0), 0.4);
}

void Mountains(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double, double y) { return Vertical(y, h, Hex(0x8ec8f0), Hex(0xf0e8d0)); });
    GlowDisc(img.cr, 120, 150, 160, Hex(0xfff6d8), 0.8);
    const uint32_t tops[5] = {0x9ab4d0, 0x7896b8, 0x56789a, 0x34566e, 0x1c3040};
    for (int i = 0; i < 5; ++i)
        Ridge(img.cr, w, h, h * (0.45 + i * 0.12), 170 - i * 20, 0.003 + i * 0.0012, 60 + i, Hex(tops[i]),
              Scale(Hex(tops[i]), 0.8), 1.0);
    // mist between the ridges
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(img.cr, 0, h * (0.5 + i * 0.13), w, 60);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, h * (0.5 + i * 0.13), 0, h * (0.5 + i * 0.13) + 60);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0.22);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
        cairo_set_source(img.cr, g);
        cairo_fill(img.cr);
        cairo_pattern_destroy(g);
    }
}

void Dunes(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double, double y) { return Vertical(y, h * 0.6, Hex(0xff9a58), Hex(0xffe2a8)); });
    GlowDisc(img.cr, 680, 200, 140, Hex(0xffffff), 0.7);
    const uint32_t sand[4] = {0xe8a060, 0xd08040, 0xb86830, 0x8a4a20};
    for (int i = 0; i < 4; ++i)
        Ridge(img.cr, w, h, h * (0.6 + i * 0.11), 90 - i * 10, 0.0025 + i * 0.001, 80 + i, Hex(sand[i]),
              Scale(Hex(sand[i]), 0.7));
}

void Underwater(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        Rgb c = Vertical(y, h, Hex(0x1aa0c8), Hex(0x031838));
        double caustic = Fbm(x * 0.02, y * 0.02, 3, 91);
        c = Mix(c, Hex(0x80f0ff), Smooth(0.62, 0.8, caustic) * 0.25 * (1 - y / h));
        return c;
    });
    Random rnd(93);
    for (int i = 0; i < 9; ++i) {  // light rays
        double x = rnd.Range(-100, w), wd = rnd.Range(30, 90);
        cairo_move_to(img.cr, x, 0);
        cairo_line_to(img.cr, x + wd, 0);
        cairo_line_to(img.cr, x + wd * 2.5 + 120, h);
        cairo_line_to(img.cr, x + 120, h);
        cairo_close_path(img.cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.8, 1, 1, 0.18);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.8, 1, 1, 0);
        cairo_set_source(img.cr, g);
        cairo_fill(img.cr);
        cairo_pattern_destroy(g);
    }
    for (int i = 0; i < 60; ++i) {
        double x = rnd.Range(0, w), y = rnd.Range(0, h), r = rnd.Range(1.5, 6);
        cairo_arc(img.cr, x, y, r, 0, kTau);
        cairo_set_source_rgba(img.cr, 0.8, 0.95, 1, 0.5);
        cairo_set_line_width(img.cr, 0.8);
        cairo_stroke(img.cr);
        cairo_arc(img.cr, x - r * 0.3, y - r * 0.3, r * 0.25, 0, kTau);
        cairo_set_source_rgba(img.cr, 1, 1, 1, 0.6);
        cairo_fill(img.cr);
    }
    Ridge(img.cr, w, h, h * 0.97, 60, 0.006, 95, Hex(0x1a3a40), Hex(0x081418));
}

void CrystalCave(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        double n = Fbm(x * 0.006, y * 0.006, 5, 71);
        Rgb c = Mix(Hex(0x0c0620), Hex(0x2a1050), n);
        return c;
    });
    Random rnd(73);
    for (int i = 0; i < 26; ++i) {
        bool fromTop = i % 2;
        double x = rnd.Range(0, w), len = rnd.Range(80, 220), wd = rnd.Range(18, 46);
        double tilt = rnd.Range(-0.35, 0.35);
        double baseY = fromTop ? 0 : h;
        double dir = fromTop ? 1 : -1;
        Rgb col = rnd.Unit() < 0.5 ? Hex(0x40e0ff) : Hex(0xe060ff);
        GlowDisc(img.cr, x + tilt * len * 0.6, baseY + dir * len * 0.6, len * 0.7, col, 0.18);
        cairo_move_to(img.cr, x - wd / 2, baseY);
        cairo_line_to(img.cr, x - wd / 2 + tilt * len * 0.7, baseY + dir * len * 0.75);
        cairo_line_to(img.cr, x + tilt * len, baseY + dir * len);
        cairo_line_to(img.cr, x + wd / 2 + tilt * len * 0.7, baseY + dir * len * 0.75);
        cairo_line_to(img.cr, x + wd / 2, baseY);
        cairo_close_path(img.cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(x - wd / 2, 0, x + wd / 2, 0);
        AddStop(g, 0, Scale(col, 0.5), 0.95);
        AddStop(g, 0.45, Scale(col, 1.4), 0.95);
        AddStop(g, 1, Scale(col, 0.3), 0.95);
        cairo_set_source(img.cr, g);
        cairo_fill(img.cr);
        cairo_pattern_destroy(g);
    }
}

void Volcano(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        Rgb c = Vertical(y, h, Hex(0x120408), Hex(0x6a1808));
        double smoke = Fbm(x * 0.005, y * 0.008, 5, 111);
        c = Mix(c, Hex(0x2a1a1a), Smooth(0.4, 0.8, smoke) * 0.7 * (1 - y / h));
        return c;
    });
    GlowDisc(img.cr, 400, h * 0.55, 380, Hex(0xff5010), 0.5);
    // the cone: concave slopes with a ragged skyline and a notched crater
    cairo_move_to(img.cr, 0, h);
    for (int x = 0; x <= w; x += 3) {
        double d = std::max(0.0, std::fabs(x - 400.0) - 65) / 360.0;
        double y = h * 0.42 + h * 0.62 * std::pow(d, 0.8) + 14 * (Fbm(x * 0.02, 3.5, 4, 117) - 0.5);
        if (std::fabs(x - 400.0) < 65) y += 6 * std::sin((x - 335) / 130.0 * M_PI);
        cairo_line_to(img.cr, x, std::min<double>(h, y));
    }
    cairo_line_to(img.cr, w, h);
    cairo_close_path(img.cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, h * 0.42, 0, h);
    AddStop(g, 0, Hex(0x2a0e0a));
    AddStop(g, 1, Hex(0x0a0404));
    cairo_set_source(img.cr, g);
    cairo_fill(img.cr);
    cairo_pattern_destroy(g);
    Random rnd(113);
    for (int i = 0; i < 7; ++i) {  // lava streams
        double x0 = rnd.Range(340, 460);
        cairo_move_to(img.cr, x0, h * 0.43);
        double x = x0, y = h * 0.43;
        while (y < h) {
            x += rnd.Range(-25, 25) + (x0 - 400) * 0.25;
            y += rnd.Range(30, 60);
            cairo_line_to(img.cr, x, y);
        }
        double width = rnd.Range(2, 5);
        cairo_set_line_join(img.cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(img.cr, 1, 0.35, 0.0, 0.22);
        cairo_set_line_width(img.cr, width * 4);
        cairo_stroke_preserve(img.cr);
        cairo_set_source_rgba(img.cr, 1, 0.5, 0.08, 0.85);
        cairo_set_line_width(img.cr, width);
        cairo_stroke_preserve(img.cr);
        cairo_set_source_rgba(img.cr, 1, 0.9, 0.5, 0.9);
        cairo_set_line_width(img.cr, width * 0.35);
        cairo_stroke(img.cr);
    }
    GlowDisc(img.cr, 400, h * 0.42, 90, Hex(0xffa040), 0.8);
    for (int i = 0; i < 90; ++i) GlowDisc(img.cr, rnd.Range(0, w), rnd.Range(0, h * 0.8), rnd.Range(2, 5), Hex(0xffa030), 0.8);
}

void BlossomHills(Image& img) {
    int w = img.width, h = img.height;
    PaintPixels(img, [&](double x, double y) {
        Rgb c = Vertical(y, h * 0.7, Hex(0x9ad0ff), Hex(0xffd8e8));
        double cl = Fbm(x * 0.004, y * 0.012, 4, 121);
        return Mix(c, Hex(0xffffff), Smooth(0.55, 0.75, cl) * 0.6 * (1 - y / h));
    });
    const uint32_t hills[4] = {0xa8d890, 0x78c060, 0x50a048, 0x307830};
    for (int i = 0; i < 4; ++i)
        Ridge(img.cr, w, h, h * (0.62 + i * 0.1), 80, 0.002 + i * 0.0008, 130 + i, Hex(hills[i]), Scale(Hex(hills[i]), 0.75));
    Random rnd(131);
    for (int i = 0; i < 120; ++i) {
        double x = rnd.Range(0, w), y = rnd.Range(0, h), r = rnd.Range(2, 4.5);
        cairo_save(img.cr);
        cairo_translate(img.cr, x, y);
        cairo_rotate(img.cr, rnd.Range(0, kTau));
        cairo_scale(img.cr, r, r * 0.6);
        cairo_arc(img.cr, 0, 0, 1, 0, kTau);
        cairo_restore(img.cr);
        cairo_set_source_rgba(img.cr, 1, 0.75, 0.85, 0.85);
        cairo_fill(img.cr);
    }
}

void Glacier(Image& img) {
    int w = img.width, h = img.height;
    double horizon = h * 0.66;
    PaintPixels(img, [&](double x, double y) {
        if (y < horizon) return Vertical(y, horizon, Hex(0x3a78c0), Hex(0xd8f0ff));
        double t = (y - horizon) / (h - horizon);
        double ripple = Fbm(x * 0.01, y * 0.08, 3, 141);
        return Mix(Mix(Hex(0x9ac8e8), Hex(0x1a4a78), t), Hex(0xffffff), Smooth(0.6, 0.8, ripple) * 0.3);
    });
    Random rnd(143);
    for (int i = 0; i < 6; ++i) {
        double cx = rnd.Range(0, w), bw = rnd.Range(90, 200), bh = rnd.Range(60, 160);
        cairo_move_to(img.cr, cx - bw / 2, horizon);
        cairo_line_to(img.cr, cx - bw * 0.3, horizon - bh * 0.7);
        cairo_line_to(img.cr, cx - bw * 0.05, horizon - bh);
        cairo_line_to(img.cr, cx + bw * 0.2, horizon - bh * 0.8);
        cairo_line_to(img.cr, cx + bw / 2, horizon);
        cairo_close_path(img.cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(cx - bw / 2, 0, cx + bw / 2, 0);
        AddStop(g, 0, Hex(0xffffff));
        AddStop(g, 0.6, Hex(0xc8e8ff));
        AddStop(g, 1, Hex(0x6aa0d0));
        cairo_set_source(img.cr, g);
        cairo_fill(img.cr);
        cairo_pattern_destroy(g);
    }
}

void Storm(Image& img) {
    int h = img.height;
    PaintPixels(img, [&](double x, double y) {
        double n = Fbm(x * 0.004, y * 0.006, 6, 151);
        Rgb c = Mix(Hex(0x0a0206), Hex(0x5a0c14), Smooth(0.3, 0.85, n));
        return Mix(c, Hex(0xff6030), Smooth(0.75, 0.95, n) * 0.5);
    });
    Random rnd(153);
    for (int b = 0; b < 2; ++b) {
        double x = b ? 700 : 90, y = 0;
        cairo_move_to(img.cr, x, y);
        while (y < h * 0.8) {
            x += rnd.Range(-30, 30);
            y += rnd.Range(20, 50);
            cairo_line_to(img.cr, x, y);
        }
        cairo_set_source_rgba(img.cr, 1, 0.8, 0.9, 0.25);
        cairo_set_line_width(img.cr, 9);
        cairo_stroke_preserve(img.cr);
        cairo_set_source_rgba(img.cr, 1, 1, 1, 0.9);
        cairo_set_line_width(img.cr, 2);
        cairo_stroke(img.cr);
    }
}

}  // namespace

void PaintScene(Image& img, int n) {
    switch (n) {
    case 1: Aurora(img); break;
    case 2: SunsetSea(img); break;
    case 3: Nebula(img); break;
    case 4: Mountains(img); break;
    case 5: Dunes(img); break;
    case 6: Underwater(img); break;
    case 7: CrystalCave(img); break;
    case 8: Volcano(img); break;
    case 9: BlossomHills(img); break;
    case 10: Glacier(img); break;
    default: Storm(img); break;
    }
}

}  // namespace media
