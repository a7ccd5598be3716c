#include "core/TextFieldReader.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace plm {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t ReadNumberPrefix(std::string_view text, double& value) {
    std::string digits;  // the number without blanks, in the grammar strtod reads the same way
    size_t i = 0, end = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (IsBlank(text[i]) || IsLineEnd(text[i]))) ++i;
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

void TextFieldReader::SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

bool TextFieldReader::AtLineEnd() const { return pos_ < text_.size() && IsLineEnd(text_[pos_]); }

void TextFieldReader::SkipLineEnd() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
}

void TextFieldReader::EndField() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
    } else if (AtLineEnd()) {
        SkipLineEnd();
    }
}

bool TextFieldReader::Fail(int32_t number, const char* what) {
    errorNumber_ = number;
    errorText_ = std::string(what) + " (field " + std::to_string(field_) + ", line " + std::to_string(fieldLine_) + ").";
    return false;
}

bool TextFieldReader::NumberToken(std::string_view& token) {
    ++field_;
    for (;;) {
        SkipBlanks();
        if (!AtLineEnd()) break;
        SkipLineEnd();
    }
    fieldLine_ = line_;
    if (pos_ >= text_.size()) return Fail(62, "Input past end of file");
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsBlank(text_[pos_]) && !IsLineEnd(text_[pos_])) ++pos_;
    token = text_.substr(start, pos_ - start);
    EndField();
    return true;
}

bool TextFieldReader::ReadString(std::string& out) {
    ++field_;
    SkipBlanks();
    fieldLine_ = line_;
    if (pos_ >= text_.size()) return Fail(62, "Input past end of file");
    if (text_[pos_] == '"') {
        const size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) return Fail(62, "Input past end of file: a string has no closing quote");
        out.assign(text_.substr(pos_ + 1, close - pos_ - 1));
        for (size_t i = pos_ + 1; i < close; ++i)
            if (text_[i] == '\n' || (text_[i] == '\r' && text_[i + 1] != '\n')) ++line_;
        pos_ = close + 1;
        // Anything between the closing quote and the field's end is not part of the field.
        while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    } else {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        size_t end = pos_;
        while (end > start && IsBlank(text_[end - 1])) --end;
        out.assign(text_.substr(start, end - start));
    }
    EndField();
    return true;
}

bool TextFieldReader::ReadLine(std::string& out) {
    ++field_;
    fieldLine_ = line_;
    if (pos_ >= text_.size()) return Fail(62, "Input past end of file");
    const size_t start = pos_;
    while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
    out.assign(text_.substr(start, pos_ - start));
    SkipLineEnd();
    return true;
}

bool TextFieldReader::ReadNumber(double& out) {
    std::string_view token;
    if (!NumberToken(token)) return false;
    double v = 0;
    if (token.empty() || ReadNumberPrefix(token, v) != token.size() || !std::isfinite(v))
        return Fail(13, "Type mismatch: not a number");
    out = v;
    return true;
}

bool TextFieldReader::ReadWhole(int32_t& out) {
    std::string_view token;
    if (!NumberToken(token)) return false;
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i >= token.size()) return Fail(13, "Type mismatch: not a whole number");
    int64_t v = 0;
    for (; i < token.size(); ++i) {
        if (!IsDigit(token[i])) return Fail(13, "Type mismatch: not a whole number");
        v = v * 10 + (token[i] - '0');
        if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return Fail(6, "Overflow: not a 32-bit number");
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) return Fail(6, "Overflow: not a 32-bit number");
    out = static_cast<int32_t>(v);
    return true;
}

bool TextFieldReader::ReadBool(bool& out) {
    std::string_view token;
    if (!NumberToken(token)) return false;
    if (token == "#TRUE#") {
        out = true;
    } else if (token == "#FALSE#") {
        out = false;
    } else {
        return Fail(13, "Type mismatch: not #TRUE# or #FALSE#");
    }
    return true;
}

bool TextFieldReader::AtEnd() const {
    for (size_t i = pos_; i < text_.size(); ++i)
        if (!IsBlank(text_[i]) && !IsLineEnd(text_[i])) return false;
    return true;
}

}  // namespace plm
