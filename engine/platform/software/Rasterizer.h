#pragma once
// Internal to SoftwareDevice: the pixel pipeline (texture sampling, texture-stage operations,
// blending) and the scan conversion of convex polygons and lines into a 32-bit ARGB buffer.
//
// Coverage: pixel centres sit at +0.5; vertices are snapped to 1/256 pixel and the edge tests are
// exact integer arithmetic with a top-left rule, so two polygons sharing an edge never both cover
// (or both miss) a pixel on it. A polygon is drawn row by row over a span of the destination;
// every span is shaded by one function chosen once per polygon, so nothing is decided per pixel
// that does not have to be. Rows are independent, so the device draws bands of rows in parallel.
#include <cstdint>

namespace plm::platform::raster {

// The instruction sets the pixel loops may use. Every path draws the same pixels, bit for bit.
enum class PixelPath : uint8_t { Scalar, Sse2, Avx2, Avx512 };

// The widest path this processor runs.
PixelPath BestPixelPath();

struct Target {
    uint32_t* pixels = nullptr;
    int32_t width = 0, height = 0;     // the stride is the width
    int32_t clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;  // right/bottom exclusive
    bool hasAlpha = true;              // false: alpha bytes stay 255 (destination alpha reads 1)
};

struct Texture {
    const uint32_t* pixels = nullptr;  // null: no texture (the texture argument reads white)
    int32_t width = 0, height = 0;
    // Texels outside this inclusive box are never read: coordinates clamp to it (the sprite
    // batch passes its source rectangle) unless wrap is set (the whole texture repeats).
    int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool wrap = false;
    // A guarded copy: the pixels hold the clamp box with `guard` texels around it on every side,
    // each the box's texel nearest to it, so a tap there reads what clamping would and the
    // loops need not clamp. The vertices' texture coordinates stay those of the original
    // texture, whose texel (originX, originY) is the copy's first. The box is in copy texels.
    int32_t guard = 0, originX = 0, originY = 0;
};

struct State {
    Texture texture;
    bool magLinear = false, minLinear = false;
    bool colorModulate = true;  // false: the colour is the texture's (select argument 1)
    bool alphaModulate = true;  // false: the alpha is the texture's
    bool blend = false;
    int32_t srcBlend = 2, destBlend = 1;  // Direct3D blend factors
    int32_t cullMode = 1;                 // 1 none, 2 clockwise, 3 counter-clockwise
    PixelPath path = PixelPath::Sse2;     // tests compare the paths
};

// Position in pixels, texture coordinate in texels, colour ARGB.
struct Vertex {
    float x = 0, y = 0, u = 0, v = 0;
    uint32_t color = 0xFFFFFFFF;
};

// What a span's pixels share: the texture as the loops read it, the texture-stage operations and
// the blend.
struct Shade {
    const uint32_t* tex = nullptr;
    int32_t tw = 0, th = 0, minX = 0, minY = 0, maxX = 0, maxY = 0;
    int32_t guard = 0;  // see Texture
    bool colorMod = true, alphaMod = true;
    int32_t src = 2, dst = 1;
    uint32_t alphaOr = 0;
    uint32_t color = 0xFFFFFFFF;  // the diffuse colour when it is the same at every vertex
};

// One run of pixels along a row.
struct SpanArgs {
    uint32_t* dst;
    int32_t count;
    int32_t u, v, du, dv;  // 16.16 texels
    int32_t c[4], dc[4];   // 8.16 channels a, r, g, b (Gouraud only)
};

using SpanFn = void (*)(const Shade&, const SpanArgs&);

// Attribute plane: value at (x, y) = base + dx * (x - x0) + dy * (y - y0).
struct Plane {
    double base = 0, dx = 0, dy = 0;
    double At(double x, double y, double x0, double y0) const { return base + dx * (x - x0) + dy * (y - y0); }
};

// A polygon set up once (edges, rows, attribute planes, span functions), then drawn by ranges of
// rows: any split into ranges draws the same pixels as one range.
struct Polygon {
    // An edge bounds the span of the rows it spans from the left (side 1) or the right (-1) at
    // the floor quotient of n0 + y step over d on row y; a flat edge (side 0) lies along a row.
    struct Edge {
        int64_t n0 = 0, step = 0, d = 1, dq = 0, dr = 0;  // dq, dr: step's quotient and remainder
        double inverse = 1;                               // 1 / d
        int32_t rowFirst = 0, rowLast = -1;
        int8_t side = 0;
        bool flatEmpty = false;  // a flat edge leaves its row outside
    } edges[4];
    int32_t n = 0;
    // The edges in order: those bounding from the left, then from the right, then the flat ones.
    int32_t lefts = 0, rights = 0;
    int32_t rowFirst = 0, rowLast = -1;  // the rows it covers, inside the clip box
    int32_t clipL = 0, clipR = 0;
    uint32_t* pixels = nullptr;
    int32_t stride = 0;
    int32_t tex = 0;  // 0 none, 1 point, 2 bilinear
    bool wrap = false, gouraud = false;
    int32_t du = 0, dv = 0;
    int32_t originX = 0, originY = 0;
    // With a guarded copy: the 16.16 coordinates whose taps all lie in it, [low, high).
    int64_t guardLowX = 0, guardHighX = 0, guardLowY = 0, guardHighY = 0;
    SpanFn free = nullptr, bounded = nullptr;  // for spans whose taps need no clamping, and the rest
    // A strictly convex polygon whose every span's taps lie in the guarded copy, its coordinates
    // well inside 16.16 (worked out once from the corners), so no row tests them.
    bool guarded = false;
    Plane pu, pv;
    double x0 = 0, y0 = 0;  // the planes' origin
    Shade shade;
    double inverseDu = 0, inverseDv = 0;
    Plane pc[4];  // Gouraud only
};

// src over dst by src's alpha (source alpha / inverse source alpha), the blend text uses.
uint32_t AlphaBlend(uint32_t src, uint32_t dst);

// A convex polygon of 3 or 4 vertices in either winding (the cull mode may drop one winding).
void DrawPolygon(const Target& target, const State& state, const Vertex* vertices, int count);
// The same in two steps: the set-up (false when the polygon covers no pixel), then the rows in
// [top, bottom), the set-up read only, so threads may draw separate rows of one polygon at once.
bool SetUpPolygon(const Target& target, const State& state, const Vertex* vertices, int count, Polygon& out);
void DrawPolygonRows(const Polygon& polygon, int32_t top, int32_t bottom);
// A one-pixel line from a to b; the last pixel is left out, so strips do not draw joints twice.
void DrawLine(const Target& target, const State& state, const Vertex& a, const Vertex& b);
// An axis-aligned copy of texels (tx, ty) onwards to (x, y) of w x h pixels, unscaled, through the
// whole pipeline (modulation and blending), clipped to the target's clip box; the caller has
// made sure the texels lie inside the texture.
void DrawTexelBlock(const Target& target, const State& state, int32_t x, int32_t y, int32_t w, int32_t h,
                    int32_t tx, int32_t ty, uint32_t color);

}  // namespace plm::platform::raster
