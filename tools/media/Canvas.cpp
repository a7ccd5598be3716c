#include "Canvas.h"

#include <cstddef>
#include <cstdlib>

#include <fontconfig/fontconfig.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "FileOut.h"
#include "JpegEncode.h"

namespace media {

Rgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double k) {
    if (k <= 1) return {c.r * k, c.g * k, c.b * k};
    return Mix(c, {1, 1, 1}, std::min(1.0, k - 1));
}

void SetRgb(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

static void SetPattern(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) AddStop(p, s.offset, s.colour, s.alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
    SetPattern(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void SetRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
               std::initializer_list<Stop> stops) {
    SetPattern(cr, cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

uint32_t Random::Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}
double Random::Unit() { return (Next() >> 8) / 16777216.0; }
double Random::Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
int Random::Int(int lo, int hi) { return lo + static_cast<int>(Unit() * (hi - lo + 1)); }

static double Lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / 16777215.0;
}

double Noise2(double x, double y, uint32_t seed, int period) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto wrap = [&](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = Lattice(wrap(x0), wrap(y0), seed), b = Lattice(wrap(x0 + 1), wrap(y0), seed);
    double c = Lattice(wrap(x0), wrap(y0 + 1), seed), d = Lattice(wrap(x0 + 1), wrap(y0 + 1), seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double Fbm(double x, double y, int octaves, uint32_t seed, int period) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise2(x, y, seed + i * 131, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

Image::Image(int w, int h) : width(w), height(h) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surface);
}

Image::~Image() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

uint32_t* Image::Pixels() {
    cairo_surface_flush(surface);
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
}
void Image::Flush() { cairo_surface_flush(surface); }
void Image::MarkDirty() { cairo_surface_mark_dirty(surface); }

static int Stride(Image& img) { return cairo_image_surface_get_stride(img.surface) / 4; }

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void FlushPng(png_structp) {}

}  // namespace

// Both encoders fill memory; WriteWhole then puts the file in place whole.
void SavePng(Image& img, const std::string& path) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png error " + path);
    }
    png_set_write_fn(png, &out, AppendPng, FlushPng);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, img.width, img.height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    uint32_t* px = img.Pixels();
    int stride = Stride(img);
    std::vector<uint8_t> row(img.width * 4);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            uint32_t p = px[y * stride + x];
            unsigned a = p >> 24;
            unsigned r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (a > 0 && a < 255) {  // cairo keeps premultiplied colour; PNG wants it straight
                r = std::min(255u, (r * 255 + a / 2) / a);
                g = std::min(255u, (g * 255 + a / 2) / a);
                b = std::min(255u, (b * 255 + a / 2) / a);
            } else if (a == 0) {
                r = g = b = 0;
            }
            row[x * 4 + 0] = r;
            row[x * 4 + 1] = g;
            row[x * 4 + 2] = b;
            row[x * 4 + 3] = a;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    WriteWhole(path, out);
}

void SaveJpeg(Image& img, const std::string& path, int quality, int w, int h) {
    if (w <= 0) w = img.width;
    if (h <= 0) h = img.height;
    // Opaque pictures: premultiplied = straight. Full-resolution colour keeps panel edges crisp.
    std::string out = EncodeJpeg(img.Pixels(), Stride(img), img.width, img.height, w, h, quality, true);
    WriteWhole(path, out);
}

void Blit(Image& src, int sx, int sy, int w, int h, Image& dst, int dx, int dy) {
    uint32_t* s = src.Pixels();
    uint32_t* d = dst.Pixels();
    int ss = Stride(src), ds = Stride(dst);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int X = sx + x, Y = sy + y, DX = dx + x, DY = dy + y;
            if (X < 0 || Y < 0 || X >= src.width || Y >= src.height) continue;
            if (DX < 0 || DY < 0 || DX >= dst.width || DY >= dst.height) continue;
            d[DY * ds + DX] = s[Y * ss + X];
        }
    dst.MarkDirty();
}

void DrawScaled(Image& src, cairo_t* cr, double x, double y, double w, double h, double alpha) {
    src.Flush();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / src.width, h / src.height);
    cairo_set_source_surface(cr, src.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_rectangle(cr, 0, 0, src.width, src.height);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

bool FacesInstalled(std::string& missing) {
    for (const char* family : {"URW Gothic", "DejaVu Sans"}) {
        FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(family));
        FcPatternAddInteger(pat, FC_WEIGHT, FC_WEIGHT_BOLD);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pat, &result);
        FcChar8* found = nullptr;
        bool ok = match && FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
                  std::string(reinterpret_cast<const char*>(found)) == family;
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pat);
        if (!ok) {
            missing = family;
            return false;
        }
    }
    return true;
}

void SelectFace(cairo_t* cr, Face face, double size) {
    switch (face) {
    case Face::Display:
        cairo_select_font_face(cr, "URW Gothic", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        break;
    case Face::Sans:
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        break;
    }
    cairo_set_font_size(cr, size);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
}

double DrawText(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle st, double maxWidth) {
    cairo_save(cr);
    cairo_text_extents_t ext;
    for (;;) {
        SelectFace(cr, st.face, st.size);
        cairo_text_extents(cr, text.c_str(), &ext);
        if (maxWidth <= 0 || ext.width + st.outlineWidth * 2 <= maxWidth || st.size < 6) break;
        st.size *= 0.95;
    }
    cairo_text_extents_t cap;
    cairo_text_extents(cr, "H", &cap);
    double x = cx - ext.width / 2 - ext.x_bearing;
    double y = cy + cap.height / 2;
    cairo_new_path(cr);
    if (st.glow > 0) {
        for (int i = 4; i >= 1; --i) {
            cairo_move_to(cr, x, y);
            cairo_text_path(cr, text.c_str());
            SetRgb(cr, st.glowColour, st.glow / 4);
            cairo_set_line_width(cr, st.outlineWidth * 2 + i * 3);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        }
    }
    if (st.shadow > 0) {
        cairo_move_to(cr, x + st.shadowOffset * 0.6, y + st.shadowOffset);
        cairo_text_path(cr, text.c_str());
        SetRgb(cr, {0, 0, 0}, st.shadow);
        cairo_set_line_width(cr, st.outlineWidth * 2 + 1);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (st.outlineWidth > 0) {
        SetRgb(cr, st.outline);
        cairo_set_line_width(cr, st.outlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetLinear(cr, 0, y - cap.height, 0, y, {{0, st.top}, {1, st.bottom}});
    cairo_fill(cr);
    cairo_restore(cr);
    return ext.width;
}

TextStyle BodyText(double size) {
    TextStyle t;
    t.face = Face::Sans;
    t.size = size;
    t.top = Hex(0xf4f8ff);
    t.bottom = Hex(0xc8d4f0);
    t.outlineWidth = 1.2;
    t.shadow = 0.5;
    t.shadowOffset = 1.2;
    return t;
}

void DiamondLattice(cairo_t* cr, double spacing, double size, double alpha, double lineWidth) {
    const int n = static_cast<int>(std::ceil(size / spacing));
    for (int k = -n; k <= 2 * n; ++k) {
        cairo_move_to(cr, k * spacing, 0);
        cairo_line_to(cr, k * spacing + size, size);
        cairo_move_to(cr, k * spacing, 0);
        cairo_line_to(cr, k * spacing - size, size);
    }
    cairo_set_source_rgba(cr, 0.6, 0.7, 1, alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

TextStyle GoldText(double size) {
    TextStyle t;
    t.size = size;
    t.top = Hex(0xfffbe8);
    t.bottom = Hex(0xffc437);
    t.outline = Hex(0x2a1400);
    t.outlineWidth = 2.2;
    t.glow = 0.3;
    return t;
}

void DrawPanel(cairo_t* cr, double x, double y, double w, double h, const PanelStyle& st) {
    cairo_save(cr);
    // Soft drop shadow: a few widening translucent rounded rectangles.
    for (int i = 6; i >= 1; --i) {
        RoundedRect(cr, x - i * 0.5 + 3, y - i * 0.5 + 5, w + i, h + i, st.radius + i);
        cairo_set_source_rgba(cr, 0, 0, 0, st.shadow / 8);
        cairo_fill(cr);
    }
    // Rim.
    RoundedRect(cr, x, y, w, h, st.radius);
    SetLinear(cr, 0, y, 0, y + h, {{0, Scale(st.rim, 1.25)}, {0.5, st.rim}, {1, st.rimDark}});
    cairo_fill(cr);
    // Body.
    double r = st.rimWidth;
    RoundedRect(cr, x + r, y + r, w - 2 * r, h - 2 * r, std::max(1.0, st.radius - r));
    SetLinear(cr, 0, y, 0, y + h, {{0, st.top}, {1, st.bottom}});
    cairo_fill_preserve(cr);
    // Bevel: light along the top inside edge, shade along the bottom.
    cairo_clip(cr);
    SetLinear(cr, 0, y + r, 0, y + r + std::min(30.0, h * 0.5), {{0, {1, 1, 1}, 0.28}, {1, {1, 1, 1}, 0.0}});
    cairo_paint(cr);
    RoundedRect(cr, x + r + 1, y + r + 1, w - 2 * r - 2, h - 2 * r - 2, std::max(1.0, st.radius - r - 1));
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius, double darkness) {
    cairo_save(cr);
    RoundedRect(cr, x, y, w, h, radius);
    cairo_set_source_rgba(cr, 0.01, 0.02, 0.06, darkness);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // Inner shadow at the top, light at the bottom edge.
    SetLinear(cr, 0, y, 0, y + std::min(14.0, h / 2), {{0, {0, 0, 0}, 0.55}, {1, {0, 0, 0}, 0}});
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_save(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    SetLinear(cr, 0, y, 0, y + h, {{0, {0, 0, 0}, 0.7}, {1, {1, 1, 1}, 0.35}});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawButton(cairo_t* cr, double x, double y, double w, double h, const std::string& label, bool lit,
                const ButtonStyle& st) {
    cairo_save(cr);
    double r = h * 0.32;
    Rgb body = lit ? Scale(st.body, 1.25) : st.body;
    // Shadow.
    for (int i = 4; i >= 1; --i) {
        RoundedRect(cr, x + 1 - i * 0.5 + 1, y + 2 - i * 0.5 + 2, w - 2 + i, h - 3 + i, r + i);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_fill(cr);
    }
    if (lit) {  // outer glow
        for (int i = 5; i >= 1; --i) {
            RoundedRect(cr, x + 2 - i, y + 2 - i, w - 4 + 2 * i, h - 5 + 2 * i, r + i);
            cairo_set_source_rgba(cr, 1.0, 0.85, 0.4, 0.07);
            cairo_fill(cr);
        }
    }
    double bx = x + 2, by = y + 2, bw = w - 5, bh = h - 6;
    // Gold rim.
    RoundedRect(cr, bx, by, bw, bh, r);
    SetLinear(cr, 0, by, 0, by + bh, {{0, Hex(lit ? 0xfff2b0 : 0xffe08a)}, {0.5, Hex(0xd9a23a)}, {1, Hex(0x7a4a10)}});
    cairo_fill(cr);
    // Body.
    RoundedRect(cr, bx + 2.5, by + 2.5, bw - 5, bh - 5, r - 2);
    SetLinear(cr, 0, by, 0, by + bh, {{0, Scale(body, 1.35)}, {0.48, body}, {0.52, Scale(body, 0.78)}, {1, Scale(body, 0.55)}});
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // Gloss over the top half.
    RoundedRect(cr, bx + 5, by + 4, bw - 10, bh * 0.42, r - 3);
    SetLinear(cr, 0, by + 4, 0, by + 4 + bh * 0.42, {{0, {1, 1, 1}, lit ? 0.55 : 0.42}, {1, {1, 1, 1}, 0.04}});
    cairo_fill(cr);
    cairo_restore(cr);
    TextStyle ts;
    ts.face = st.face;
    ts.size = st.labelSize;
    ts.top = lit ? Hex(0xffffff) : Hex(0xfdfbf0);
    ts.bottom = lit ? Hex(0xfff0b0) : Hex(0xd8dcf0);
    ts.outlineWidth = 1.6;
    ts.shadow = 0.5;
    ts.shadowOffset = 1.5;
    DrawText(cr, label, bx + bw / 2, by + bh / 2, ts, bw - 16);
}

void DrawButtonPair(cairo_t* cr, tessaly::media::Rect up, tessaly::media::Rect down, const std::string& label,
                    const ButtonStyle& st) {
    DrawButton(cr, up.x, up.y, up.w, up.h, label, false, st);
    DrawButton(cr, down.x, down.y, down.w, down.h, label, true, st);
}

void Downsample(Image& src, int factor, Image& dst, int dx, int dy) {
    uint32_t* s = src.Pixels();
    uint32_t* d = dst.Pixels();
    int ss = Stride(src), ds = Stride(dst);
    int w = src.width / factor, h = src.height / factor, n = factor * factor;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned acc[4] = {0, 0, 0, 0};
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    uint32_t p = s[(y * factor + j) * ss + x * factor + i];
                    acc[0] += p >> 24;
                    acc[1] += (p >> 16) & 255;
                    acc[2] += (p >> 8) & 255;
                    acc[3] += p & 255;
                }
            int X = dx + x, Y = dy + y;
            if (X < 0 || Y < 0 || X >= dst.width || Y >= dst.height) continue;
            d[Y * ds + X] = ((acc[0] + n / 2) / n) << 24 | ((acc[1] + n / 2) / n) << 16 |
                            ((acc[2] + n / 2) / n) << 8 | ((acc[3] + n / 2) / n);
        }
    dst.MarkDirty();
}

}  // namespace media
