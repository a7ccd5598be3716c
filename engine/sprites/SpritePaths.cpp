#include "sprites/SpritePaths.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "sprites/SpriteRecord.h"

namespace plm {

SpritePath* PathForWriting(bool splines, int32_t index, const std::string& operation) {
    if (index < 1 || index > kMaxPathIndex) {
        WriteLog("Index passed to " + operation + " not between 1-" + std::to_string(kMaxPathIndex) + ".");
        return nullptr;
    }
    Table<SpritePath>& table = splines ? State().Splines : State().WayPoints;
    table.grow(index);
    return table.find(index);
}

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// One decimal number filling the whole field; false for anything else (and for inf or nan).
bool ParseNumber(std::string_view field, float& out) {
    field = Trim(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    const char* end = field.data() + field.size();
    auto [p, ec] = std::from_chars(field.data(), end, out, std::chars_format::fixed);
    return ec == std::errc() && p == end && std::isfinite(out);
}

}  // namespace

bool ParseSplineText(const std::string& text, std::vector<PLMXY>& points, int32_t& badLine) {
    points.clear();
    badLine = 0;
    int32_t number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line = Trim(std::string_view(text).substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const size_t comma = line.find(',');
        PLMXY p;
        if (comma == std::string_view::npos || !ParseNumber(line.substr(0, comma), p.X) ||
            !ParseNumber(line.substr(comma + 1), p.Y) || points.size() >= kMaxPathPoints) {
            points.clear();
            badLine = number;
            return false;
        }
        points.push_back(p);
    }
    return true;
}

PLMXY PathPoint(const SpriteRecord& r, const std::vector<PLMXY>& points, int32_t i) {
    if (points.empty()) return PLMXY{r.SplineXOffset, r.SplineYOffset};
    const PLMXY& p = points[static_cast<size_t>(std::clamp(i, 1, static_cast<int32_t>(points.size())) - 1)];
    return PLMXY{r.SplineXOffset + (r.SplineMirror ? -p.X : p.X), r.SplineYOffset + (r.SplineFlip ? -p.Y : p.Y)};
}

}  // namespace plm
