#pragma once
// Procedures of the animation table shared by SpriteAnimate, SpriteAnimateDefine and the frame
// step: reading frame lists, checking and filling one definition, reading an animation file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Table.h"
#include "sprites/AnimationRecord.h"

namespace plm {

// The leading number of a text, as a list item is read: leading blanks are skipped (and blanks
// inside the number too), then an optional sign, digits with one decimal point and an optional
// exponent. "" or a text without a leading number reads 0; " 3" reads 3, "3x" reads 3.
double LeadingNumber(std::string_view text);

// True when two definition names are equal ignoring the case of the letters A-Z.
bool NamesMatch(const std::string& a, const std::string& b);

// The first row of a table of named records whose Name matches (NamesMatch), or 0.
template <typename Record>
int32_t IndexOfName(const Table<Record>& table, const std::string& name) {
    for (int32_t i = 1; i <= table.size(); ++i)
        if (NamesMatch(table(i).Name, name)) return i;
    return 0;
}

// The error block of the definers: the dash line, the header, the message.
void LogAddError(const std::string& header, const std::string& message);

// The items of a comma-separated list, untrimmed; an empty text has no items.
std::vector<std::string> SplitItems(const std::string& text);

// The log headers of the two definers: one for the count mismatch, one for the limits.
struct AnimationLogHeaders {
    const char* Mismatch;
    const char* Limits;
};

// Checks the frame and texture lists of a definition against AnimLength and fills out with the
// grid and the frames (Reverse stores the listed frames last first). On a failure the error
// block (dash line, header, message) is logged and false returned; out is then unspecified.
bool BuildAnimation(const AnimationLogHeaders& headers, int32_t SrcX, int32_t SrcY, int32_t FrameWidth,
                    int32_t FrameHeight, int32_t AnimLength, const std::string& Frame_Parameters,
                    const std::string& Texture_Parameters, bool Reverse, AnimationRecord& out);

// Reads an animation file: the count N (1..kMaxAnimationTotal), then per animation SrcX, SrcY,
// FrameWidth, FrameHeight, Length (1..64), Length column/row pairs and Length texture indexes
// (each plus textureOffset). Values are numbers separated by commas, blanks or line ends. The
// whole text is checked before anything is returned: false with a reason in error when a value
// is missing or not a number or a count is out of range. out receives the N records, with
// Defined set and Name empty.
bool ParseAnimationFile(std::string_view text, float textureOffset, std::vector<AnimationRecord>& out,
                        std::string& error);

struct SpriteRecord;

// The sprite takes the grid of its current animation: SrcX, SrcY, Width, Height.
void TakeAnimationGrid(SpriteRecord& r);
// The sprite shows frame k of its current animation: Texture, XFrame, YFrame.
void ShowAnimationFrame(SpriteRecord& r, int32_t k);

// The source rectangle of frame k of an animation (gutter rule), as left and top.
int32_t FrameLeft(const AnimationRecord& a, int32_t k);
int32_t FrameTop(const AnimationRecord& a, int32_t k);

}  // namespace plm
