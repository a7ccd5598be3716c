#include "core/EngineProcs.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/Convert.h"
#include "core/EngineState.h"
#include "core/Paths.h"

namespace plm {

void BuildAngleTables() {
    EngineState& s = State();
    for (int i = 0; i <= 720; ++i) {
        int deg = ModPositive(360 - Mod(i, 360), 360);
        s.DegreeToRadTable[i] = static_cast<float>(deg) * s.Pi / 180.0f;
        // Non-negative, so every entry indexes DegreeToRadTable.
        s.DegreeToMathTable[i] = static_cast<float>(ModPositive(90 - i, 360));
        s.AngleWrapTable[i] = Mod(i, 360);
    }
    for (int a = 0; a <= 360; ++a) s.AngleToDirectionTable[a] = Mod(IntDiv(a + 22, 45), 8);
}

float AngleBetweenPoints(float x1, float y1, float x2, float y2) {
    // The radian angle is narrowed to single precision and turned into degrees in single
    // precision with the single Pi. That absorbs the noise a direction vector leaves on the other
    // axis (a heading of 90 becomes 89.9999999 in double and would floor to 89), and since the
    // quarter turns are built from the same Pi, axes and diagonals land on exact whole degrees.
    const double pi = State().Pi;
    const float dx = x1 - x2;
    const double dy = static_cast<double>(y1) - y2;
    double a;
    if (dx > 0) {
        a = std::atan(dy / dx);
        if (dy < 0) a += 2 * pi;
    } else if (dx == 0) {
        a = (dy > 0) ? pi / 2 : 3 * pi / 2;
    } else {
        a = std::atan(dy / dx) + pi;
    }
    const float rad = static_cast<float>(a);
    int32_t deg = Int(rad * 180.0f / State().Pi) + 270;
    if (deg > 360) deg -= 360;
    return static_cast<float>(deg);
}

int32_t WrapAngle(float angle) {
    float a = std::clamp(std::isnan(angle) ? 0.0f : angle, 0.0f, 720.0f);
    return State().AngleWrapTable[std::clamp(RoundHalfEven(a), 0, 720)];
}

void DirectionVector(float angle, float speed, float& x, float& y) {
    double rad = static_cast<double>(WrapAngle(angle)) * State().Pi / 180.0;
    x = static_cast<float>(speed * std::sin(rad));
    y = static_cast<float>(-speed * std::cos(rad));
}

void DirectionFromAngle(float angle, float speed) {
    EngineState& s = State();
    DirectionVector(angle, speed, s.Rx, s.Ry);
}

float PointDistance(float x1, float y1, float x2, float y2) {
    return static_cast<float>(std::hypot(static_cast<double>(x2) - x1, static_cast<double>(y2) - y1));
}

bool CirclesOverlap(float x1, float y1, float r1, float x2, float y2, float r2) {
    return r1 + r2 >= PointDistance(x1, y1, x2, y2);
}

bool CircleOverlapsBox(float cx, float cy, float radius, float bx, float by, float bw, float bh) {
    float px = std::clamp(cx, bx, std::max(bx, bx + bw));
    float py = std::clamp(cy, by, std::max(by, by + bh));
    return PointDistance(cx, cy, px, py) <= radius;
}

bool BoxesOverlap(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2) {
    return y2 + h2 - 1 >= y1 && y1 + h1 - 1 >= y2 && x2 + w2 - 1 >= x1 && x1 + w1 - 1 >= x2;
}

namespace {
// splitmix64: small, fast, and every seed gives a good sequence.
uint64_t NextRandom() {
    uint64_t& z0 = State().RandomState;
    z0 += 0x9E3779B97F4A7C15ull;
    uint64_t z = z0;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

float RandomNumber() {
    // 24 random bits scaled by 2^-24: every value is exactly representable and below 1.
    return static_cast<float>(NextRandom() >> 40) * (1.0f / 16777216.0f);
}

void RandomizeSeed(int32_t seed) {
    uint64_t v = (seed == 0) ? static_cast<uint64_t>(GetTickMs()) ^ 0xA5A5A5A5ull : static_cast<uint32_t>(seed);
    State().RandomState = v * 0x9E3779B97F4A7C15ull;
}

bool RandomChance(float percent) { return RandomNumber() * 100.0f < percent; }

int32_t RandomInRange(int32_t low, int32_t high) {
    // The width in double: the full 32-bit range is 2^32 wide. The draw never passes high, so
    // adding low back cannot overflow either.
    return Int((static_cast<double>(high) - static_cast<double>(low) + 1.0) * RandomNumber()) + low;
}

uint32_t GetTickMs() { return State().Clock->NowMs(); }

void BusyWait(int32_t ms) {
    if (ms <= 0) return;
    uint32_t start = GetTickMs();
    // Unsigned difference: a clock that wraps never makes the wait endless.
    while (GetTickMs() - start < static_cast<uint32_t>(ms)) {
    }
}

void FillFrameTimes(int32_t fps) {
    EngineState& s = State();
    int32_t v = (fps > 0) ? Int(1000.0 / fps) : 0;
    s.FrameTimes.fill(v);
}

std::string FileNameFromPath(const std::string& path) {
    size_t p = path.find_last_of("\\/");
    return (p == std::string::npos) ? path : path.substr(p + 1);
}

uint32_t MakeColorARGB(float a, float r, float g, float b) {
    auto c = [](float v) { return static_cast<uint32_t>(std::clamp(RoundHalfEven(v), 0, 255)); };
    return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

bool FileHasData(const std::string& fullPath) {
    std::error_code ec;
    std::filesystem::path p(NativePath(fullPath));
    if (!std::filesystem::is_regular_file(p, ec) || ec) return false;
    auto size = std::filesystem::file_size(p, ec);
    return !ec && size >= 2;
}

}  // namespace plm
