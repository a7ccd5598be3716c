#pragma once
// Writes the engine's plain-text files in the layout TextFieldReader reads: fields on one line
// are joined by commas, strings stand in double quotes, numbers are plain decimals, Booleans are
// "#TRUE#" and "#FALSE#", and every line ends with CR LF.
#include <cstdint>
#include <string>
#include <string_view>

namespace plm {

class TextFieldWriter {
public:
    // A string in double quotes. Quotes, CRs and LFs inside it are dropped: the file format has no
    // escape for them, and a reader would otherwise split the field or lose the rest of the file.
    void String(std::string_view s);
    // A whole number: a minus sign when negative, no padding.
    void Whole(int64_t v);
    // A single as the runtime prints one: at most 7 significant digits, no trailing zeros.
    void Single(float v);
    void Bool(bool v);
    // Text as it stands, not a field (no comma before it): for lines with a layout of their own.
    void Text(std::string_view text);
    // Ends the line with CR LF; the next field starts a new line.
    void EndLine();

    const std::string& Bytes() const { return out_; }

private:
    void Separate();

    std::string out_;
    bool lineHasField_ = false;
};

}  // namespace plm
