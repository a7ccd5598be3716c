#include "core/Lib.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "platform/Window.h"

namespace plm {

namespace {

// ---- Rotated boxes ---------------------------------------------------------------------------

struct Pt {
    double x, y;
};
// Corners 1..4 of a box rotated about its centre, and corner 5 = corner 1, so that edge i runs
// from corner i to corner i + 1 (index 0 unused, as the edges are numbered from 1).
using Corners = std::array<Pt, 6>;

Corners RotatedCorners(float x, float y, float width, float height, float rot) {
    const double pi = State().Pi;
    double a = Int(rot) * pi / 180.0;
    double cx = x + width / 2.0, cy = y + height / 2.0;
    double r = std::sqrt(double{width} * width + double{height} * height) / 2.0;
    // The half-angle of the diagonal: asin(height / 2r), which atan2 gives without dividing,
    // so a box of no size has all four corners at its centre.
    double b = std::atan2(double{height}, std::fabs(double{width}));
    Corners c{};
    const double angle[5] = {0, a - b, a + b, pi - b + a, pi + b + a};
    for (int i = 1; i <= 4; ++i) c[i] = {cx + r * std::cos(angle[i]), cy + r * std::sin(angle[i])};
    c[5] = c[1];
    return c;
}

// Two segments known to lie on one line (or to be points on it): they meet when their spans
// along that line overlap.
bool CollinearOverlap(Pt p1, Pt p2, Pt q1, Pt q2) {
    Pt dp{p2.x - p1.x, p2.y - p1.y}, dq{q2.x - q1.x, q2.y - q1.y};
    Pt d = (dp.x * dp.x + dp.y * dp.y >= dq.x * dq.x + dq.y * dq.y) ? dp : dq;
    if (d.x == 0 && d.y == 0) return p1.x == q1.x && p1.y == q1.y;
    auto t = [&](Pt p) { return p.x * d.x + p.y * d.y; };
    double pLo = std::min(t(p1), t(p2)), pHi = std::max(t(p1), t(p2));
    double qLo = std::min(t(q1), t(q2)), qHi = std::max(t(q1), t(q2));
    return std::max(pLo, qLo) <= std::min(pHi, qHi);
}

bool EdgesCross(const Corners& P, const Corners& Q) {
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            double numA = (Q[j + 1].x - Q[j].x) * (P[i].y - Q[j].y) - (Q[j + 1].y - Q[j].y) * (P[i].x - Q[j].x);
            double numB = (P[i].y - Q[j].y) * (P[i + 1].x - P[i].x) - (P[i + 1].y - P[i].y) * (P[i].x - Q[j].x);
            double den = (Q[j + 1].y - Q[j].y) * (P[i + 1].x - P[i].x) - (Q[j + 1].x - Q[j].x) * (P[i + 1].y - P[i].y);
            if (den != 0) {
                double ua = numA / den, ub = numB / den;
                if (ua >= 0 && ua <= 1 && ub >= 0 && ub <= 1) return true;
            } else if (numA == 0 && numB == 0 && CollinearOverlap(P[i], P[i + 1], Q[j], Q[j + 1])) {
                return true;
            }
        }
    }
    return false;
}

// True when point q lies strictly inside the box of corners P.
bool Inside(const Corners& P, Pt q) {
    for (int j = 1; j <= 4; ++j)
        if (!((q.y - P[j].y) * (P[j + 1].x - P[j].x) - (q.x - P[j].x) * (P[j + 1].y - P[j].y) > 0)) return false;
    return true;
}

bool AnyCornerInside(const Corners& outer, const Corners& inner) {
    for (int i = 1; i <= 4; ++i)
        if (Inside(outer, inner[i])) return true;
    return false;
}

// ---- Files ------------------------------------------------------------------------------------

// Windows-style wildcard match: "*" any run, "?" any one character, letters in any case.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// A pattern FileDelete may use: a plain name pattern that does not match every file.
bool IsDeletePattern(const std::string& pattern) {
    if (!IsSafeFileName(pattern)) return false;
    return pattern.find_first_not_of("*.") != std::string::npos;
}

void PutLength(std::string& out, uint32_t n) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
}

// Deflate expands at most about 1032 times: a stored length beyond that is a damaged header,
// refused before any memory is set aside for it.
constexpr uint64_t kMaxInflateRatio = 1040;

}  // namespace

// ---- Random numbers -----------------------------------------------------------------------------

void Lib::RandomizeSeed(int32_t SeedValue) { plm::RandomizeSeed(SeedValue); }

int32_t Lib::GetNumber(int32_t Low, int32_t High) { return RandomInRange(Low, High); }

bool Lib::Chance(int32_t Percent) { return static_cast<double>(Percent) >= RandomNumber() * 100.0; }

int32_t Lib::GetRandomSign() { return (RandomNumber() * 100.0 <= 50.0) ? 1 : -1; }

int32_t Lib::GetRandom255() { return Int(RandomNumber() * 256.0); }

PLMRGB Lib::GetRandomRGB() {
    int32_t k = Int(RandomNumber() * 3.0);
    PLMRGB c;
    // Channel by channel, red first, so the draws come in a fixed order.
    c.Red = static_cast<float>(k == 0 ? GetNumber(230, 255) : GetRandom255());
    c.Green = static_cast<float>(k == 1 ? GetNumber(230, 255) : GetRandom255());
    c.Blue = static_cast<float>(k == 2 ? GetNumber(230, 255) : GetRandom255());
    return c;
}

float Lib::GetRandomScreenWidth() { return static_cast<float>(Int(State().ScreenWidth * double{RandomNumber()})); }

int32_t Lib::GetRandomScreenHeight() { return Int(State().ScreenHeight * double{RandomNumber()}); }

// ---- Geometry -----------------------------------------------------------------------------------

float Lib::GetAngle(float x1, float y1, float x2, float Y2) { return AngleBetweenPoints(x1, y1, x2, Y2); }

PLMXY Lib::GetDirection(float Angle, float Velocity) {
    PLMXY v;
    DirectionVector(Angle, Velocity, v.X, v.Y);
    return v;
}

float Lib::GetDistance(float x1, float y1, float x2, float Y2) { return PointDistance(x1, y1, x2, Y2); }

float Lib::DegreeToRad(float Degree) { return plm::DegreeToRad(Degree); }

bool Lib::LineIntersect(float Line1X1, float Line1Y1, float Line1X2, float Line1Y2, float Line2X1, float Line2Y1,
                        float Line2X2, float Line2Y2) {
    float dx1 = Line1X2 - Line1X1, dy1 = Line1Y2 - Line1Y1;
    float dx2 = Line2X2 - Line2X1, dy2 = Line2Y2 - Line2Y1;
    float den = dx1 * dy2 - dy1 * dx2;
    if (den == 0 || std::isnan(den)) return false;
    float ey = Line1Y1 - Line2Y1, ex = Line1X1 - Line2X1;
    float r = (ey * dx2 - ex * dy2) / den;
    float s = (dx1 * ey - dy1 * ex) / den;
    return r >= 0 && r <= 1 && s >= 0 && s <= 1;
}

bool Lib::CollideBoxes(float x1, float y1, float Width1, float Height1, float x2, float Y2, float Width2,
                       float Height2) {
    return BoxesOverlap(x1, y1, Width1, Height1, x2, Y2, Width2, Height2);
}

bool Lib::CollideCircles(float x1, float y1, float Radius1, float x2, float Y2, float radius2) {
    return CirclesOverlap(x1, y1, Radius1, x2, Y2, radius2);
}

bool Lib::CollideCircleToBox(float CircleX, float CircleY, float CircleRadius, float BoxX, float BoxY,
                             float BoxWidth, float BoxHeight) {
    EngineState& s = State();
    s.Rx = std::clamp(CircleX, std::min(BoxX, BoxX + BoxWidth), std::max(BoxX, BoxX + BoxWidth));
    s.Ry = std::clamp(CircleY, std::min(BoxY, BoxY + BoxHeight), std::max(BoxY, BoxY + BoxHeight));
    return PointDistance(CircleX, CircleY, s.Rx, s.Ry) < CircleRadius;
}

bool Lib::CollideRotatedBoxes(float x1, float y1, float x1width, float y1height, float rot1, float x2, float Y2,
                              float x2width, float y2height, float rot2) {
    Corners P = RotatedCorners(x1, y1, x1width, y1height, rot1);
    Corners Q = RotatedCorners(x2, Y2, x2width, y2height, rot2);
    return EdgesCross(P, Q) || AnyCornerInside(P, Q) || AnyCornerInside(Q, P);
}

bool Lib::CollideRotatedBoxToCircle(float x1, float y1, float x1width, float y1height, float rot1, float x2,
                                    float Y2, float Radius) {
    Corners P = RotatedCorners(x1, y1, x1width, y1height, rot1);
    const Pt c{x2, Y2};
    const double r2 = double{Radius} * Radius;
    for (int i = 1; i <= 4; ++i) {
        Pt d{P[i].x - c.x, P[i].y - c.y}, e{P[i + 1].x - P[i].x, P[i + 1].y - P[i].y};
        double A = e.x * e.x + e.y * e.y;
        double B = 2 * (d.x * e.x + d.y * e.y);
        double K = d.x * d.x + d.y * d.y - r2;
        // The edge's nearest point to the centre: its start (B > 0), a point inside it, or its end.
        bool hit = (B > 0) ? K < 0 : (2 * A > -B) ? 4 * A * K - B * B < 0 : A + B + K < 0;
        if (hit) return true;
    }
    return Inside(P, c);
}

// ---- Value stepping -----------------------------------------------------------------------------

namespace {
float Step(float value, bool withDelta) { return withDelta ? value * State().Delta : value; }
}  // namespace

void Lib::VarAddPong(float& Var, float& Value, float min, float max, bool WithDelta) {
    Var += Step(Value, WithDelta);
    if (Var < min) {
        Var = min;
        Value = -Value;
    } else if (Var > max) {
        Var = max;
        Value = -Value;
    }
}

void Lib::VarAddWrap(float& Var, float Value, float min, float max, bool WithDelta) {
    Var += Step(Value, WithDelta);
    if (Var < min) Var = max;
    else if (Var > max) Var = min;
}

void Lib::VarAddLimit(float& Var, float Value, float min, float max, bool WithDelta) {
    Var += Step(Value, WithDelta);
    if (Var < min) Var = min;
    else if (Var > max) Var = max;
}

float Lib::Percent(float Number, float Total, float Parts) {
    float part = Total / Parts;
    float p = Number / part;
    return std::isfinite(p) ? p : 0.0f;
}

int32_t Lib::GetPan(float XPos) {
    float p = XPos / static_cast<float>(State().ScreenWidth) * 100.0f;
    if (std::isnan(p)) p = 0;
    return RoundHalfEven(std::clamp(p, 0.0f, 100.0f));
}

// ---- Time ---------------------------------------------------------------------------------------

void Lib::Delay(int32_t DelayMs) { BusyWait(DelayMs); }

void Lib::GotoSleep(int32_t ms) {
    if (ms > 0) State().Clock->SleepMs(static_cast<uint32_t>(ms));
}

void Lib::InitDelta(int32_t FPS) {
    if (FPS < 1) {
        LogError("Lib.InitDelta", {"FPS=" + std::to_string(FPS)}, {"Lib", 5, "Invalid procedure call or argument"});
        return;
    }
    State().FrameTimes.fill(RoundHalfEven(1000.0 / FPS));
}

int32_t Lib::VBTimer() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    double frac = duration<double>(now.time_since_epoch()).count();
    frac -= std::floor(frac);
    return RoundHalfEven(tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec + frac);
}

// ---- Window, screen, cursor ------------------------------------------------------------------

namespace {
// The window the engine draws into and reads input for: the form, else the target window.
std::shared_ptr<platform::Window> EngineWindow() {
    const EngineState& s = State();
    std::shared_ptr<platform::Window> w = platform::FindWindow(s.FormhWnd);
    return w ? w : platform::FindWindow(s.TargethWnd);
}
}  // namespace

bool Lib::IsWindowActive(int32_t hwnd) {
    std::shared_ptr<platform::Window> w = platform::FindWindow(hwnd);
    return w && w->IsActive();
}

PLMXY Lib::MouseXY() {
    PLMXY p;
    if (std::shared_ptr<platform::Window> w = EngineWindow()) {
        int32_t x = 0, y = 0;
        w->CursorPosition(x, y);
        p.X = static_cast<float>(x);
        p.Y = static_cast<float>(y);
    }
    return p;
}

// The window system keeps one shown/hidden state rather than a display counter, so one request
// reaches the state the counter loop aims for.
void Lib::MouseHide() {
    if (std::shared_ptr<platform::Window> w = EngineWindow()) w->ShowCursor(false);
}

void Lib::MouseShow() {
    if (std::shared_ptr<platform::Window> w = EngineWindow()) w->ShowCursor(true);
}

int32_t Lib::GetScreenWidth() { return State().ScreenWidth; }
int32_t Lib::GetScreenHeight() { return State().ScreenHeight; }
int32_t Lib::GetScreenDepth() { return State().ColorBitDepth; }

std::string Lib::GetWindowsDir() { return "/etc/"; }

// ---- Files --------------------------------------------------------------------------------------

bool Lib::FileExists(const std::string& FullFilePath) { return FileHasData(FullFilePath); }

void Lib::FileDelete(const std::string& ext) {
    if (ext.empty() || ext == " ") return;
    const std::string pattern = NativePath(ext);
    if (!IsDeletePattern(pattern)) {
        LogError("Lib.FileDelete", {"Pattern refused: " + ext}, {"Lib", 5, "Invalid procedure call or argument"});
        return;
    }
    std::error_code ec;
    std::vector<std::filesystem::path> doomed;
    for (std::filesystem::directory_iterator it(State().EnginePath, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && WildcardMatch(pattern, it->path().filename().string()))
            doomed.push_back(it->path());
    for (const auto& p : doomed) std::filesystem::remove(p, ec);
}

int32_t Lib::GetARGBColor(int16_t Alpha, int16_t R, int16_t G, int16_t B) {
    return static_cast<int32_t>(MakeColorARGB(Alpha, R, G, B));
}

bool Lib::FileCompress(const std::string& SourceFile, const std::string& DestFile, int32_t Quality) {
    const std::string src = NativePath(SourceFile), dst = NativePath(DestFile);
    std::string data;
    if (!ReadWholeFile(src, data, UINT32_MAX)) {
        LogError("Lib.FileCompress", {"Filename=" + src}, {"Lib", 53, "File not found or unreadable"});
        return false;
    }
    int level = (Quality >= 0 && Quality <= 9) ? Quality : Z_DEFAULT_COMPRESSION;
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out;
    PutLength(out, static_cast<uint32_t>(data.size()));
    out.resize(4 + size);
    int rc = compress2(reinterpret_cast<Bytef*>(out.data() + 4), &size,
                       reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), level);
    if (rc != Z_OK) {
        LogError("Lib.FileCompress", {"Filename=" + src}, {"zlib", rc, "compress2 failed"});
        return false;
    }
    out.resize(4 + size);
    if (!WriteWholeFile(dst, out)) {
        LogError("Lib.FileCompress", {"Filename=" + dst}, {"Lib", 75, "Could not write the file"});
        return false;
    }
    return true;
}

bool Lib::FileUncompress(const std::string& SourceFile, const std::string& DestFile) {
    const std::string src = NativePath(SourceFile), dst = NativePath(DestFile);
    std::string data;
    if (!ReadWholeFile(src, data, UINT32_MAX)) {
        LogError("Lib.FileUncompress", {"Filename=" + src}, {"Lib", 53, "File not found or unreadable"});
        return false;
    }
    auto refuse = [&](int32_t number, const std::string& why) {
        LogError("Lib.FileUncompress", {"Filename=" + src, why}, {"zlib", number, why});
        return false;
    };
    if (data.size() < 4) return refuse(Z_DATA_ERROR, "File too short for a compressed file");
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= uint32_t{static_cast<uint8_t>(data[i])} << (8 * i);
    const uLong streamSize = static_cast<uLong>(data.size() - 4);
    if (length > kMaxInflateRatio * streamSize + 1024) return refuse(Z_DATA_ERROR, "Stored length is not possible");

    // One spare byte: a stream holding more than the stored length fills it and is caught.
    std::string out(uint64_t{length} + 1, '\0');
    uLongf outSize = static_cast<uLongf>(out.size());
    uLong used = streamSize;
    int rc = uncompress2(reinterpret_cast<Bytef*>(out.data()), &outSize,
                         reinterpret_cast<const Bytef*>(data.data() + 4), &used);
    if (rc != Z_OK) return refuse(rc, "Damaged compressed data");
    if (outSize != length) return refuse(Z_DATA_ERROR, "Length does not match the stored length");
    if (used != streamSize) return refuse(Z_DATA_ERROR, "Bytes after the end of the compressed data");
    out.resize(length);
    if (!WriteWholeFile(dst, out)) {
        LogError("Lib.FileUncompress", {"Filename=" + dst}, {"Lib", 75, "Could not write the file"});
        return false;
    }
    return true;
}

}  // namespace plm
