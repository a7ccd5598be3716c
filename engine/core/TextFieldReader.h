#pragma once
// Reads the engine's plain-text files (map, font, high-score, settings, level and link files)
// field by field, the way they are written: fields end at a comma or a line end (CR LF, LF or a
// lone CR), strings may stand in double quotes, numbers are plain decimals, Booleans "#TRUE#" and
// "#FALSE#". A number field also ends at a blank, so " 2  3  2 " holds three numbers.
//
// Every read either takes one whole field or fails and says why; a caller reads its layout field
// by field and stops at the first failure. Nothing here allocates beyond the string it returns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plm {

// Reads the number at the start of text, Val-style: blanks before it and inside it are skipped,
// then an optional sign, digits with at most one decimal point and an exponent (e or d) when
// digits follow it. Returns how many characters the number took (0 when there is none; value
// is then 0). Exponents beyond six digits saturate to infinity.
size_t ReadNumberPrefix(std::string_view text, double& value);

class TextFieldReader {
public:
    explicit TextFieldReader(std::string_view text) : text_(text) {}

    // A string field. Blanks before it are skipped. Quoted: the text between the quotes (it may
    // hold commas); whatever follows the closing quote up to the field's end is dropped. Unquoted:
    // the text up to the next comma or line end, blanks at its end dropped; an empty line is an
    // empty string.
    bool ReadString(std::string& out);
    // A whole line as it stands, commas, quotes and blanks included, up to its line end (which it
    // takes); for text lines with no field layout. Fails only past the end of the text.
    bool ReadLine(std::string& out);
    // A number field: blanks and empty lines before it are skipped; it ends at a comma, a blank or
    // a line end and must be a finite decimal number as a whole.
    bool ReadNumber(double& out);
    // A whole-number field: an optional sign and digits only, within the signed 32-bit range.
    bool ReadWhole(int32_t& out);
    // A Boolean field: "#TRUE#" or "#FALSE#".
    bool ReadBool(bool& out);

    // True when only blanks and line ends are left.
    bool AtEnd() const;

    // Why the last read failed, as the log's error block reports it: the runtime's error number
    // (62 input past end of file, 13 type mismatch, 6 overflow) and a description naming the
    // field and its line.
    int32_t ErrorNumber() const { return errorNumber_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    void SkipBlanks();
    bool AtLineEnd() const;
    void SkipLineEnd();
    // Skips the blanks after a field and the comma or line end that closes it, if one comes next.
    void EndField();
    // Skips blanks and empty lines, then takes the token up to a comma, blank or line end; false
    // (past the end) when nothing is left.
    bool NumberToken(std::string_view& token);
    bool Fail(int32_t number, const char* what);

    std::string_view text_;
    size_t pos_ = 0;
    int32_t line_ = 1;
    int32_t fieldLine_ = 1;  // the line the last field started on
    int32_t field_ = 0;
    int32_t errorNumber_ = 0;
    std::string errorText_;
};

}  // namespace plm
