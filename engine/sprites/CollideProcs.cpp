#include "sprites/CollideProcs.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/EngineProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

PlacedShape PlaceShape(const SpriteRecord& r, CollideShape shape) {
    const float xs = r.XScaled * r.Scaled;
    const float ys = r.YScaled * r.Scaled;
    PlacedShape p;
    p.IsCircle = shape == CollideShape::Circle || (shape == CollideShape::Own && r.CollideIsCircle);
    p.Rotate = r.Rotate;
    p.X = r.X + r.CollideXOffset * xs;
    p.Y = r.Y + r.CollideYOffset * ys;
    if (p.IsCircle) {
        p.Radius = r.CollideRadius * r.Scaled;
        return p;
    }
    if (!r.OriginTopLeft) {
        p.X -= static_cast<float>(r.Width) * xs / 2.0f;
        p.Y -= static_cast<float>(r.Height) * ys / 2.0f;
    }
    p.Width = r.CollideWidth * xs;
    p.Height = r.CollideHeight * ys;
    return p;
}

PLMCollideArea ToCollideArea(const PlacedShape& s) {
    if (s.IsCircle) return PLMCollideArea{s.X, s.Y, 0, 0, true, s.Radius};
    return PLMCollideArea{s.X, s.Y, s.Width, s.Height, false, 0};
}

PlacedShape BoxShape(float x, float y, float width, float height) {
    PlacedShape s;
    s.X = x;
    s.Y = y;
    s.Width = width;
    s.Height = height;
    return s;
}

PlacedShape CircleShape(float x, float y, float radius) {
    PlacedShape s;
    s.IsCircle = true;
    s.X = x;
    s.Y = y;
    s.Radius = radius;
    return s;
}

bool TakesPartInCollision(const SpriteRecord& r) { return r.On != 0 && r.CollideEnabled; }

namespace {

bool Upright(const PlacedShape& s) { return s.IsCircle || std::fmod(s.Rotate, 360.0f) == 0.0f; }

bool UprightOverlap(const PlacedShape& a, const PlacedShape& b) {
    if (a.IsCircle && b.IsCircle) return CirclesOverlap(a.X, a.Y, a.Radius, b.X, b.Y, b.Radius);
    if (a.IsCircle) return CircleOverlapsBox(a.X, a.Y, a.Radius, b.X, b.Y, b.Width, b.Height);
    if (b.IsCircle) return CircleOverlapsBox(b.X, b.Y, b.Radius, a.X, a.Y, a.Width, a.Height);
    return BoxesOverlap(a.X, a.Y, a.Width, a.Height, b.X, b.Y, b.Width, b.Height);
}

constexpr double kPi = 3.14159265358979323846;

// A box turned about its centre: centre, half extents and its two unit axes.
struct TurnedBox {
    double cx = 0, cy = 0, ex = 0, ey = 0;
    double ux = 1, uy = 0;  // the box's own x axis
    double vx = 0, vy = 1;  // its y axis
    std::array<double, 8> corners{};
};

// pixels: the box covers X .. X + Width - 1 (the whole-pixel rule of the box tests); otherwise
// X .. X + Width (the rule of the circle test). A negative size counts as 0.
TurnedBox Turn(const PlacedShape& s, bool pixels) {
    const double less = pixels ? 1.0 : 0.0;
    TurnedBox b;
    b.ex = std::max(static_cast<double>(s.Width) - less, 0.0) / 2.0;
    b.ey = std::max(static_cast<double>(s.Height) - less, 0.0) / 2.0;
    b.cx = static_cast<double>(s.X) + b.ex;
    b.cy = static_cast<double>(s.Y) + b.ey;
    // Degrees clockwise on the y-down screen are the plain rotation of y-down coordinates.
    const double t = static_cast<double>(s.Rotate) * kPi / 180.0;
    b.ux = std::cos(t);
    b.uy = std::sin(t);
    b.vx = -b.uy;
    b.vy = b.ux;
    // The corners from the centre: half the diagonal away, at the corner angles turned by the
    // rotation. atan2 gives the corner angle of any box, a zero-size one included.
    const double half = std::hypot(b.ex, b.ey);
    const double phi = std::atan2(b.ey, b.ex);
    const std::array<double, 4> angles = {t + phi, t + kPi - phi, t + kPi + phi, t - phi};
    for (size_t i = 0; i < 4; ++i) {
        b.corners[2 * i] = b.cx + half * std::cos(angles[i]);
        b.corners[2 * i + 1] = b.cy + half * std::sin(angles[i]);
    }
    return b;
}

// The corners' extent along an axis.
void Project(const TurnedBox& b, double ax, double ay, double& lo, double& hi) {
    lo = hi = b.corners[0] * ax + b.corners[1] * ay;
    for (size_t i = 1; i < 4; ++i) {
        const double p = b.corners[2 * i] * ax + b.corners[2 * i + 1] * ay;
        lo = std::min(lo, p);
        hi = std::max(hi, p);
    }
}

// Separating axes: two boxes are apart exactly when the projections on one of the four box
// axes do not meet. Touching counts as overlapping, as in the upright rule.
bool TurnedBoxesOverlap(const PlacedShape& a, const PlacedShape& b) {
    const TurnedBox p = Turn(a, true), q = Turn(b, true);
    const std::array<std::array<double, 2>, 4> axes = {{{p.ux, p.uy}, {p.vx, p.vy}, {q.ux, q.uy}, {q.vx, q.vy}}};
    constexpr double kSlack = 1e-9;  // rounding of the corners' sines and cosines
    for (const auto& ax : axes) {
        double lo1, hi1, lo2, hi2;
        Project(p, ax[0], ax[1], lo1, hi1);
        Project(q, ax[0], ax[1], lo2, hi2);
        if (hi1 + kSlack < lo2 || hi2 + kSlack < lo1) return false;
    }
    return true;
}

// The circle's centre in the box's own axes, clamped into the box: the nearest point of the box.
bool CircleOverlapsTurnedBox(const PlacedShape& circle, const PlacedShape& box) {
    const TurnedBox b = Turn(box, false);
    const double dx = static_cast<double>(circle.X) - b.cx, dy = static_cast<double>(circle.Y) - b.cy;
    const double lx = dx * b.ux + dy * b.uy, ly = dx * b.vx + dy * b.vy;
    const double nx = std::clamp(lx, -b.ex, b.ex), ny = std::clamp(ly, -b.ey, b.ey);
    return std::hypot(lx - nx, ly - ny) <= static_cast<double>(circle.Radius);
}

}  // namespace

bool ShapesOverlap(const PlacedShape& a, const PlacedShape& b, bool rotated) {
    if (!rotated || (Upright(a) && Upright(b))) return UprightOverlap(a, b);
    if (a.IsCircle) return CircleOverlapsTurnedBox(a, b);
    if (b.IsCircle) return CircleOverlapsTurnedBox(b, a);
    return TurnedBoxesOverlap(a, b);
}

}  // namespace plm
