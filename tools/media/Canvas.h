#pragma once
// Drawing helpers shared by the picture generators: cairo surfaces, colours, the deterministic
// random sequence and value noise, rounded shapes, lettering and the PNG / JPEG writers.
#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "MediaLayout.h"

namespace media {

struct Rgb {
    double r, g, b;
};
Rgb Hex(uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double k);  // k > 1 brightens towards white, k < 1 darkens
void SetRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
struct Stop {
    double offset;
    Rgb colour;
    double alpha = 1.0;
};
// Makes a gradient from the stops the source of cr (the context keeps the pattern alive).
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);
void SetRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
               std::initializer_list<Stop> stops);

// A small deterministic random sequence (xorshift), so every build draws the same pictures.
class Random {
public:
    explicit Random(uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
    uint32_t Next();
    double Unit();                         // [0, 1)
    double Range(double lo, double hi);
    int Int(int lo, int hi);               // lo..hi inclusive

private:
    uint32_t s_;
};

// Smooth value noise in [0, 1]; Fbm sums octaves. Period > 0 makes it tile every `period` units.
double Noise2(double x, double y, uint32_t seed, int period = 0);
double Fbm(double x, double y, int octaves, uint32_t seed, int period = 0);

struct Image {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int width = 0, height = 0;
    Image(int w, int h);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    uint32_t* Pixels();  // premultiplied ARGB, row stride = width
    void Flush();
    void MarkDirty();
};

void SavePng(Image& img, const std::string& path);
void SaveJpeg(Image& img, const std::string& path, int quality, int w = 0, int h = 0);

// Copies (sx, sy, w, h) of src onto dst at (dx, dy), replacing the pixels.
void Blit(Image& src, int sx, int sy, int w, int h, Image& dst, int dx, int dy);
// Draws src scaled into the rectangle of dst with good filtering.
void DrawScaled(Image& src, cairo_t* dst, double x, double y, double w, double h, double alpha = 1.0);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Faint diagonal lines every `spacing` pixels both ways over a size x size area from the origin
// (a period that divides the area keeps a tile seamless).
void DiamondLattice(cairo_t* cr, double spacing, double size, double alpha, double lineWidth);

// Fonts: the families come from the system's open-licence fonts through fontconfig.
enum class Face { Display, Sans };
// True when fontconfig finds the very families the faces ask for (not a stand-in); the pictures
// are only made with them, so every build looks the same. Names the missing one in `missing`.
bool FacesInstalled(std::string& missing);
void SelectFace(cairo_t* cr, Face face, double size);
// Text laid out with its baseline centred on (cx, cy) vertically (cy is the visual middle of
// capitals) and centred horizontally; outline and shadow make it read on any background.
struct TextStyle {
    Face face = Face::Display;
    double size = 20;
    Rgb top{1, 1, 1}, bottom{0.85, 0.88, 0.95};
    Rgb outline{0.05, 0.05, 0.12};
    double outlineWidth = 2.0;
    double shadow = 0.6;  // alpha of the drop shadow, 0 for none
    double shadowOffset = 2.0;
    double glow = 0.0;    // alpha of an outer glow in glowColour
    Rgb glowColour{1, 0.8, 0.3};
};
// The game's headline lettering: white-gold gradient, dark brown outline, a little glow.
TextStyle GoldText(double size);
// Body lettering: near-white sans with a thin outline and a soft shadow.
TextStyle BodyText(double size);
// Returns the width drawn. maxWidth > 0 shrinks the size until the text fits.
double DrawText(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle st, double maxWidth = 0);

// A panel with depth: soft drop shadow, gradient body, bevel light on top, gold rim.
struct PanelStyle {
    Rgb top = Hex(0x2a3a7a), bottom = Hex(0x121a42);
    Rgb rim = Hex(0xe8b84a), rimDark = Hex(0x8a5a14);
    double radius = 14, rimWidth = 3, shadow = 0.55;
};
void DrawPanel(cairo_t* cr, double x, double y, double w, double h, const PanelStyle& st);
// A recessed dark well (inset box).
void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius, double darkness = 0.6);

// A glossy push button with a label. lit = the down / hover image.
struct ButtonStyle {
    Rgb body = Hex(0x3556d8);
    double labelSize = 22;
    Face face = Face::Display;
};
void DrawButton(cairo_t* cr, double x, double y, double w, double h,
                const std::string& label, bool lit, const ButtonStyle& st);

// A button's up image at `up` and its lit down / hover image at `down`.
void DrawButtonPair(cairo_t* cr, tessaly::media::Rect up, tessaly::media::Rect down, const std::string& label,
                    const ButtonStyle& st);

// Box-filters src (premultiplied) down by an integer factor into dst at (dx, dy).
void Downsample(Image& src, int factor, Image& dst, int dx, int dy);

// Draws into rectangle r of dst through a 4x larger canvas: draw(cr, w, h) paints in r's own
// logical pixels, and the result is filtered down, for clean small images.
template <typename F>
void Supersample(Image& dst, tessaly::media::Rect r, F draw) {
    Image big(r.w * 4, r.h * 4);
    cairo_scale(big.cr, 4, 4);
    draw(big.cr, static_cast<double>(r.w), static_cast<double>(r.h));
    Downsample(big, 4, dst, r.x, r.y);
}

}  // namespace media
