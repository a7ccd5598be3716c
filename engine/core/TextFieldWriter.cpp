#include "core/TextFieldWriter.h"

#include "core/Convert.h"

namespace plm {

void TextFieldWriter::Separate() {
    if (lineHasField_) out_ += ',';
    lineHasField_ = true;
}

void TextFieldWriter::String(std::string_view s) {
    Separate();
    out_ += '"';
    for (char c : s)
        if (c != '"' && c != '\r' && c != '\n') out_ += c;
    out_ += '"';
}

void TextFieldWriter::Whole(int64_t v) {
    Separate();
    out_ += std::to_string(v);
}

void TextFieldWriter::Single(float v) {
    Separate();
    out_ += SingleToText(v);
}

void TextFieldWriter::Bool(bool v) {
    Separate();
    out_ += v ? "#TRUE#" : "#FALSE#";
}

void TextFieldWriter::Text(std::string_view text) { out_ += text; }

void TextFieldWriter::EndLine() {
    out_ += "\r\n";
    lineHasField_ = false;
}

}  // namespace plm
