#include "sprites/AnimationProcs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"

namespace plm {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the number at the start of text (after blanks; blanks inside it are skipped) into value.
// Returns how many characters the number took, 0 when there is none.
size_t ReadNumber(std::string_view text, double& value) {
    std::string digits;  // the number without blanks, in the grammar strtod reads the same way
    size_t i = 0, end = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) digits += text[i++];
    bool any = false, point = false;
    for (skipBlanks(); i < text.size(); skipBlanks()) {
        const char c = text[i];
        if (IsDigit(c)) {
            any = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        digits += c;
        end = ++i;
    }
    if (!any) {
        value = 0;
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        size_t first = j;
        while (j < text.size() && IsDigit(text[j]) && j - first < 6) exponent += text[j++];
        while (j < text.size() && IsDigit(text[j])) ++j;  // absurd exponents saturate below
        if (j > first) {
            digits += exponent;
            end = j;
        }
    }
    value = std::strtod(digits.c_str(), nullptr);
    return end;
}

}  // namespace

void LogAddError(const std::string& header, const std::string& message) {
    WriteLog(kDashLine);
    WriteLog(header);
    WriteLog(message);
}

double LeadingNumber(std::string_view text) {
    double v = 0;
    ReadNumber(text, v);
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

// The values of an animation file in order: numbers separated by commas, blanks or line ends.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : text_(text) {}

    // The next value; false (with the reason) at the end of the text or on a value that is not
    // a number.
    bool Next(double& value, std::string& error) {
        while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) {
            error = "Unexpected end of file after value " + std::to_string(count_) + ".";
            return false;
        }
        size_t end = pos_;
        while (end < text_.size() && !IsSeparator(text_[end])) ++end;
        const std::string_view token = text_.substr(pos_, end - pos_);
        ++count_;
        if (ReadNumber(token, value) != token.size()) {
            error = "Value " + std::to_string(count_) + " is not a number.";
            return false;
        }
        pos_ = end;
        return true;
    }
    bool NextWhole(int32_t& value, std::string& error) {
        double v = 0;
        if (!Next(v, error)) return false;
        value = RoundHalfEven(v);
        return true;
    }

private:
    static bool IsSeparator(char c) { return c == ',' || IsBlank(c); }
    std::string_view text_;
    size_t pos_ = 0;
    int count_ = 0;
};

}  // namespace

bool ParseAnimationFile(std::string_view text, float textureOffset, std::vector<AnimationRecord>& out,
                        std::string& error) {
    out.clear();
    ValueReader in(text);
    int32_t total = 0;
    if (!in.NextWhole(total, error)) return false;
    if (total < 1 || total > kMaxAnimationTotal) {
        error = "Animation count " + std::to_string(total) + " not between 1-" + std::to_string(kMaxAnimationTotal) + ".";
        return false;
    }
    std::vector<AnimationRecord> records;
    for (int32_t a = 1; a <= total; ++a) {
        AnimationRecord r;
        if (!in.NextWhole(r.SrcX, error) || !in.NextWhole(r.SrcY, error) || !in.NextWhole(r.FrameWidth, error) ||
            !in.NextWhole(r.FrameHeight, error) || !in.NextWhole(r.Length, error))
            return false;
        if (r.Length < 1 || r.Length > kMaxAnimationFrames) {
            error = "Frame total of animation " + std::to_string(a) + " not between 1-64.";
            return false;
        }
        for (int32_t k = 1; k <= r.Length; ++k) {
            if (!in.NextWhole(r.XFrame[static_cast<size_t>(k)], error) ||
                !in.NextWhole(r.YFrame[static_cast<size_t>(k)], error))
                return false;
        }
        for (int32_t k = 1; k <= r.Length; ++k) {
            double t = 0;
            if (!in.Next(t, error)) return false;
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
