#pragma once
// The small vector and colour helpers of the drawing primitives (shapes, textured quads): 2-D and
// 3-D vectors in screen pixels, and the packer of colours given as fractions. The packer of
// colours given as whole numbers is MakeColorARGB (core/EngineProcs.h).
#include <cmath>
#include <cstdint>

#include "core/EngineProcs.h"
#include "platform/GraphicsDevice.h"

namespace plm {

using Vec2 = platform::Vec2;

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec2 Vec2Add(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }

// a + (b - a) t: t = 0 gives a, t = 1 gives b.
inline Vec2 Vec2Lerp(Vec2 a, Vec2 b, float t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; }

// The unit vector along v; the zero vector stays zero (it has no direction to keep).
inline Vec2 Vec2Normalize(Vec2 v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y);
    if (!(len > 0)) return {0, 0};
    return {v.x / len, v.y / len};
}

inline Vec3 Vec3Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline Vec3 Vec3Subtract(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

inline Vec3 Vec3Lerp(Vec3 a, Vec3 b, float t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

// The unit vector along v; the zero vector stays zero.
inline Vec3 Vec3Normalize(Vec3 v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(len > 0)) return {0, 0, 0};
    return {v.x / len, v.y / len, v.z / len};
}

// Packed ARGB from red, green, blue and alpha as fractions 0..1: each scaled by 255, rounded and
// limited to 0..255, so a fraction outside 0..1 gives 0 or 255 rather than bleeding into the next
// channel.
inline uint32_t ColorFromFractions(float red, float green, float blue, float alpha) {
    return MakeColorARGB(alpha * 255.0f, red * 255.0f, green * 255.0f, blue * 255.0f);
}

}  // namespace plm
