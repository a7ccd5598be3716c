#include "sprites/AnimationProcs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/TextFieldReader.h"

namespace plm {

void LogAddError(const std::string& header, const std::string& message) {
    WriteLog(kDashLine);
    WriteLog(header);
    WriteLog(message);
}

double LeadingNumber(std::string_view text) {
    double v = 0;
    ReadNumberPrefix(text, v);
    return v;
}

bool NamesMatch(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    if (text.empty()) return items;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return items;
}

bool BuildAnimation(const AnimationLogHeaders& headers, int32_t SrcX, int32_t SrcY, int32_t FrameWidth,
                    int32_t FrameHeight, int32_t AnimLength, const std::string& Frame_Parameters,
                    const std::string& Texture_Parameters, bool Reverse, AnimationRecord& out) {
    const std::vector<std::string> frames = SplitItems(Frame_Parameters);
    const std::vector<std::string> textures = SplitItems(Texture_Parameters);
    // Pairs is kept as a fraction: an odd number of frame items never matches a whole length.
    const double pairs = static_cast<double>(frames.size()) / 2.0;
    const double texs = static_cast<double>(textures.size());
    if (AnimLength != pairs || AnimLength != texs) {
        LogAddError(headers.Mismatch, "Passed frame total does not match string parameter Length.");
        return false;
    }
    if (pairs < 1 || texs < 1) {
        LogAddError(headers.Limits, "Frame total < 1.");
        return false;
    }
    if (pairs > kMaxAnimationFrames || texs > kMaxAnimationFrames) {
        LogAddError(headers.Limits, "Frame total > 64.");
        return false;
    }
    out = AnimationRecord{};
    out.SrcX = SrcX;
    out.SrcY = SrcY;
    out.FrameWidth = FrameWidth;
    out.FrameHeight = FrameHeight;
    out.Length = AnimLength;
    for (int32_t n = 0; n < AnimLength; ++n) {
        const int32_t k = Reverse ? AnimLength - n : n + 1;
        const size_t f = static_cast<size_t>(n) * 2;
        out.XFrame[static_cast<size_t>(k)] = RoundHalfEven(LeadingNumber(frames[f]));
        out.YFrame[static_cast<size_t>(k)] = RoundHalfEven(LeadingNumber(frames[f + 1]));
        out.Texture[static_cast<size_t>(k)] = RoundHalfEven(LeadingNumber(textures[static_cast<size_t>(n)]));
    }
    out.Defined = true;
    return true;
}

namespace {

// The next value of an animation file, rounded to a whole number (halves to even).
bool NextWhole(TextFieldReader& in, int32_t& value) {
    double v = 0;
    if (!in.ReadNumber(v)) return false;
    value = RoundHalfEven(v);
    return true;
}

}  // namespace

bool ParseAnimationFile(std::string_view text, float textureOffset, std::vector<AnimationRecord>& out,
                        std::string& error) {
    out.clear();
    TextFieldReader in(text);
    auto readError = [&] {
        error = in.ErrorText();
        return false;
    };
    int32_t total = 0;
    if (!NextWhole(in, total)) return readError();
    if (total < 1 || total > kMaxAnimationTotal) {
        error = "Animation count " + std::to_string(total) + " not between 1-" + std::to_string(kMaxAnimationTotal) + ".";
        return false;
    }
    std::vector<AnimationRecord> records;
    for (int32_t a = 1; a <= total; ++a) {
        AnimationRecord r;
        if (!NextWhole(in, r.SrcX) || !NextWhole(in, r.SrcY) || !NextWhole(in, r.FrameWidth) ||
            !NextWhole(in, r.FrameHeight) || !NextWhole(in, r.Length))
            return readError();
        if (r.Length < 1 || r.Length > kMaxAnimationFrames) {
            error = "Frame total of animation " + std::to_string(a) + " not between 1-64.";
            return false;
        }
        for (int32_t k = 1; k <= r.Length; ++k) {
            if (!NextWhole(in, r.XFrame[static_cast<size_t>(k)]) || !NextWhole(in, r.YFrame[static_cast<size_t>(k)]))
                return readError();
        }
        for (int32_t k = 1; k <= r.Length; ++k) {
            double t = 0;
            if (!in.ReadNumber(t)) return readError();
            r.Texture[static_cast<size_t>(k)] = RoundHalfEven(t + static_cast<double>(textureOffset));
        }
        r.Defined = true;
        records.push_back(std::move(r));
    }
    out = std::move(records);
    return true;
}

namespace {
// (size + 1) * cell + origin, limited to the 32-bit range: values come from files and callers.
int32_t GridOrigin(int32_t size, int32_t cell, int32_t origin) {
    const int64_t v = (int64_t{size} + 1) * int64_t{cell} + int64_t{origin};
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
}  // namespace

void TakeAnimationGrid(SpriteRecord& r) {
    const AnimationRecord& a = State().Animations(r.AnimIndex);
    r.SrcX = a.SrcX;
    r.SrcY = a.SrcY;
    r.Width = a.FrameWidth;
    r.Height = a.FrameHeight;
}

void ShowAnimationFrame(SpriteRecord& r, int32_t k) {
    const AnimationRecord& a = State().Animations(r.AnimIndex);
    const size_t i = static_cast<size_t>(FrameSlot(k));
    r.Texture = a.Texture[i];
    r.XFrame = a.XFrame[i];
    r.YFrame = a.YFrame[i];
}

int32_t FrameLeft(const AnimationRecord& a, int32_t k) {
    return GridOrigin(a.FrameWidth, a.XFrame[static_cast<size_t>(FrameSlot(k))], a.SrcX);
}

int32_t FrameTop(const AnimationRecord& a, int32_t k) {
    return GridOrigin(a.FrameHeight, a.YFrame[static_cast<size_t>(FrameSlot(k))], a.SrcY);
}

}  // namespace plm
