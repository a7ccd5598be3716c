// Draws the engine's start-up logo and writes it as a JPEG and as the C++ source that embeds it in
// the library. Rows 0-129 hold the logo itself; the 60 x 60 square at (10, 135) holds the soft
// light that the start-up sequence sweeps across it. Everything is drawn from code, so the output
// is the same on every run.
//
//   make_logo <out.jpg> <out.cpp>
#include <cairo.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "JpegEncode.h"

namespace {

constexpr int kWidth = 256, kHeight = 256;

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A faceted gem: an octagon split into a lit crown and a shaded pavilion.
void Gem(cairo_t* cr, double cx, double cy, double r) {
    const int n = 8;
    std::vector<double> px(n), py(n);
    for (int i = 0; i < n; ++i) {
        double a = M_PI / n + i * 2 * M_PI / n;
        px[i] = cx + r * std::cos(a);
        py[i] = cy + r * std::sin(a);
    }
    for (int i = 0; i < n; ++i) {
        int j = (i + 1) % n;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, px[i], py[i]);
        cairo_line_to(cr, px[j], py[j]);
        cairo_close_path(cr);
        // Facets facing the upper left catch the light.
        double mid = M_PI / n + (i + 0.5) * 2 * M_PI / n;
        double lit = 0.5 + 0.5 * std::cos(mid - 1.25 * M_PI);
        cairo_set_source_rgb(cr, 0.10 + 0.35 * lit, 0.45 + 0.45 * lit, 0.55 + 0.45 * lit);
        cairo_fill(cr);
    }
    cairo_pattern_t* table = cairo_pattern_create_radial(cx - r * 0.25, cy - r * 0.3, 0, cx, cy, r * 0.55);
    cairo_pattern_add_color_stop_rgba(table, 0, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(table, 1, 0.6, 0.95, 1, 0.0);
    cairo_set_source(cr, table);
    cairo_arc(cr, cx, cy, r * 0.55, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(table);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.85, 1, 1, 0.8);
    for (int i = 0; i < n; ++i) (i ? cairo_line_to : cairo_move_to)(cr, px[i], py[i]);
    cairo_close_path(cr);
    cairo_stroke(cr);
}

void Text(cairo_t* cr, const char* text, double size, double spacing, double x, double y, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    for (const char* c = text; *c; ++c) {
        char one[2] = {*c, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, one);
        x += e.x_advance + spacing;
    }
}

double TextWidth(cairo_t* cr, const char* text, double size, double spacing, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    double w = 0;
    for (const char* c = text; *c; ++c) {
        char one[2] = {*c, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        w += e.x_advance + (c[1] ? spacing : 0);
    }
    return w;
}

void DrawLogo(cairo_t* cr) {
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);

    // The badge: a dark blue plate with a thin bright rim, rows 8-121.
    RoundedRect(cr, 6, 8, 244, 114, 14);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, 8, 0, 122);
    cairo_pattern_add_color_stop_rgb(plate, 0, 0.09, 0.16, 0.30);
    cairo_pattern_add_color_stop_rgb(plate, 1, 0.02, 0.04, 0.10);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgb(cr, 0.35, 0.75, 0.95);
    cairo_stroke(cr);

    Gem(cr, 48, 65, 30);

    // Lettering with a gradient fill and a dark drop shadow.
    const double x = 88;
    for (int pass = 0; pass < 2; ++pass) {
        double off = pass == 0 ? 2 : 0;
        if (pass == 0) {
            cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
        } else {
            cairo_pattern_t* ink = cairo_pattern_create_linear(0, 40, 0, 75);
            cairo_pattern_add_color_stop_rgb(ink, 0, 1.0, 1.0, 1.0);
            cairo_pattern_add_color_stop_rgb(ink, 1, 0.55, 0.85, 1.0);
            cairo_set_source(cr, ink);
            cairo_pattern_destroy(ink);
        }
        Text(cr, "PELMAR", 30, 1.0, x + off, 72 + off, true);
    }
    double w = TextWidth(cr, "PELMAR", 30, 1.0, true);
    double ew = TextWidth(cr, "ENGINE", 15, 5.5, false);
    cairo_set_source_rgb(cr, 0.95, 0.78, 0.30);
    Text(cr, "ENGINE", 15, 5.5, x + (w - ew) / 2, 96, false);
    cairo_set_source_rgba(cr, 0.35, 0.75, 0.95, 0.7);
    cairo_rectangle(cr, x, 80, w, 1.5);
    cairo_fill(cr);

    // The sweeping light: white in the middle, fading to black at the square's edges.
    cairo_pattern_t* light = cairo_pattern_create_radial(40, 165, 0, 40, 165, 30);
    cairo_pattern_add_color_stop_rgb(light, 0, 0.8, 0.8, 0.8);
    cairo_pattern_add_color_stop_rgb(light, 0.45, 0.3, 0.3, 0.3);
    cairo_pattern_add_color_stop_rgb(light, 1, 0, 0, 0);
    cairo_set_source(cr, light);
    cairo_rectangle(cr, 10, 135, 60, 60);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
}

std::vector<unsigned char> EncodeJpeg(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
    const int stride = cairo_image_surface_get_stride(surface) / 4;
    std::string jpeg = media::EncodeJpeg(px, stride, kWidth, kHeight, kWidth, kHeight, 95, false);
    return std::vector<unsigned char>(jpeg.begin(), jpeg.end());
}

bool WriteBytes(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return (std::fclose(f) == 0) && ok;
}

std::string SourceFile(const std::vector<unsigned char>& jpeg) {
    std::string s =
        "// Generated by tools/logo (make_logo): the start-up logo, a JPEG. Do not edit; run\n"
        "// scripts/make-logo to draw it again.\n"
        "#include \"core/LogoImage.h\"\n\nnamespace plm {\n\nconst unsigned char kLogoJpeg[] = {";
    char buf[8];
    for (size_t i = 0; i < jpeg.size(); ++i) {
        if (i % 20 == 0) s += "\n   ";
        std::snprintf(buf, sizeof buf, " %u,", jpeg[i]);
        s += buf;
    }
    s += "\n};\nconst size_t kLogoJpegSize = sizeof(kLogoJpeg);\n\n}  // namespace plm\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_logo <out.jpg> <out.cpp>\n");
        return 2;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    DrawLogo(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    std::vector<unsigned char> jpeg = EncodeJpeg(surface);
    cairo_surface_destroy(surface);
    if (!WriteBytes(argv[1], std::string(jpeg.begin(), jpeg.end())) || !WriteBytes(argv[2], SourceFile(jpeg))) {
        std::fprintf(stderr, "make_logo: cannot write output\n");
        return 1;
    }
    return 0;
}
