#include "ui/Font.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "core/TextFieldReader.h"
#include "core/TextureProcs.h"
#include "ui/FontProcs.h"

namespace plm {

namespace {

// A font file larger than this is refused unread (sixteen full fonts take a few dozen kilobytes).
constexpr uint64_t kMaxFontFileBytes = 16ull << 20;

// Runtime error numbers the error block reports.
constexpr int32_t kErrOverflow = 6;
constexpr int32_t kErrSubscript = 9;
constexpr int32_t kErrFileAccess = 75;

// Reads a font file's fields; the first failure is kept for the error block.
class FontFileReader {
public:
    explicit FontFileReader(std::string_view text) : in_(text) {}

    bool Whole(int32_t& v) { return in_.ReadWhole(v) || Fail(in_.ErrorNumber(), in_.ErrorText()); }
    bool Fail(int32_t number, const std::string& text) {
        error_ = ErrorInfo{"plm232", number, text};
        return false;
    }
    // A value that must fit a 32-bit table entry.
    bool Fit(double v, int32_t& out) {
        if (!(v >= -2147483648.5 && v < 2147483647.5)) return Fail(kErrOverflow, "Overflow: a glyph edge does not fit 32 bits.");
        out = RoundHalfEven(v);
        return true;
    }
    bool Slot(int64_t slot) {
        return (slot >= 1 && slot < kGlyphSlots) || Fail(kErrSubscript, "Subscript out of range: glyph slot " +
                                                                             std::to_string(slot) + " not between 1-255.");
    }
    const ErrorInfo& Error() const { return error_; }

private:
    TextFieldReader in_;
    ErrorInfo error_;
};

// One row of glyphs of a multi-font block: Count pairs of X and Width from slot `slot` on.
bool ReadGlyphRow(FontFileReader& in, FontGlyphTable& font, int64_t slot, int32_t count, int32_t xOffset,
                  int32_t top) {
    for (int32_t g = 1; g <= count; ++g, ++slot) {
        int32_t x = 0, width = 0;
        if (!in.Slot(slot) || !in.Whole(x) || !in.Whole(width)) return false;
        const size_t s = static_cast<size_t>(slot);
        if (!in.Fit(static_cast<double>(x) + xOffset, font.X[s])) return false;
        font.Y[s] = top;
        font.Width[s] = width;
    }
    return true;
}

bool ParseMultiFontFile(std::string_view text, FontTableArray& table, ErrorInfo& error) {
    FontFileReader in(text);
    int32_t fonts = 0;
    bool ok = in.Whole(fonts);
    for (int32_t b = 1; ok && b <= fonts; ++b) {
        int32_t index = 0, texture = 0, xOffset = 0, yOffset = 0, height = 0, rows = 0;
        ok = in.Whole(index) && in.Whole(texture) && in.Whole(xOffset) && in.Whole(yOffset) && in.Whole(height) &&
             in.Whole(rows);
        if (ok && (index < 0 || index > kLastFont))
            ok = in.Fail(kErrSubscript, "Subscript out of range: font index " + std::to_string(index) +
                                            " not between 0-16.");
        if (!ok) break;
        FontGlyphTable& font = table[static_cast<size_t>(index)];
        font.TextureIndex = texture;
        font.Height = height;
        for (int32_t r = 1; ok && r <= rows; ++r) {
            int32_t firstChar = 0, rowY = 0, count = 0, top = 0;
            ok = in.Whole(firstChar) && in.Whole(rowY) && in.Whole(count) &&
                 in.Fit(static_cast<double>(rowY) + yOffset, top) &&
                 ReadGlyphRow(in, font, int64_t{firstChar} - 31, count, xOffset, top);
        }
    }
    if (!ok) error = in.Error();
    return ok;
}

bool ParseSingleFontFile(std::string_view text, FontGlyphTable& font, float xOffset, float yOffset,
                         ErrorInfo& error) {
    FontFileReader in(text);
    int32_t height = 0, rows = 0;
    bool ok = in.Whole(height);
    // A height of 0 says the rows carry their own top edges; the real height follows.
    const bool rowTops = ok && height == 0;
    if (rowTops) ok = in.Whole(height);
    font.Height = height;
    ok = ok && in.Whole(rows);
    int64_t slot = 1;
    for (int32_t r = 1; ok && r <= rows; ++r) {
        int32_t count = 0, rowY = 0;
        ok = in.Whole(count) && (!rowTops || in.Whole(rowY));
        const double top = rowTops ? static_cast<double>(rowY) : static_cast<double>(height) * (r - 1);
        for (int32_t g = 1; ok && g <= count; ++g, ++slot) {
            int32_t x = 0, width = 0;
            ok = in.Slot(slot) && in.Whole(x) && in.Whole(width);
            if (!ok) break;
            const size_t s = static_cast<size_t>(slot);
            font.Width[s] = width;
            ok = in.Fit(static_cast<double>(x) + xOffset, font.X[s]) && in.Fit(top + yOffset, font.Y[s]);
        }
    }
    if (!ok) error = in.Error();
    return ok;
}

// Reads a font file whole for the loaders; false (after the error block) when it cannot be read.
bool ReadFontFile(const char* operation, const std::string& fileNameOnly, std::string& text) {
    if (ReadWholeFile(FilePath(fileNameOnly), text, kMaxFontFileBytes)) return true;
    LogError(operation, {"File not found or file error.", "Path=" + State().EnginePath, "Filename=" + fileNameOnly},
             {"plm232", kErrFileAccess, "Path/File access error: the file is unreadable or too large."});
    return false;
}

void LogFontFileError(const char* operation, const std::string& fileNameOnly, const ErrorInfo& error) {
    LogError(operation, {"File not found or file error.", "Path=" + State().EnginePath, "Filename=" + fileNameOnly},
             error);
}

// The font to draw with, or null when the index is outside the table or its texture is empty.
const FontGlyphTable* DrawableFont(int32_t index) {
    const FontGlyphTable* font = FindFont(index);
    if (!font || TextureDrawSource(font->TextureIndex) == platform::kNoSurface) return nullptr;
    return font;
}

}  // namespace

bool Font::Init(const std::string& FileNameOnly) {
    if (!FileHasData(FilePath(FileNameOnly))) return false;
    std::string text;
    if (!ReadFontFile("Font.Init", FileNameOnly, text)) return false;
    // Parsed into a copy of the whole table; committed only when the whole file was read.
    auto scratch = std::make_unique<FontTableArray>(State().FontTable);
    ErrorInfo error;
    if (!ParseMultiFontFile(text, *scratch, error)) {
        LogFontFileError("Font.Init", FileNameOnly, error);
        return false;
    }
    State().FontTable = *scratch;
    return true;
}

bool Font::InitV231(int32_t Index, const std::string& FileNameOnly, int32_t TextureIndex, float XOffset,
                    float YOffset) {
    if (Index < 1 || Index > kLastFont) {
        WriteLog("Index passed to Font.Init not between 1-16.");
        return false;
    }
    if (!FileHasData(FilePath(FileNameOnly))) return false;
    std::string text;
    if (!ReadFontFile("Font.InitV231", FileNameOnly, text)) return false;
    FontGlyphTable font = State().FontTable[static_cast<size_t>(Index)];
    font.TextureIndex = TextureIndex;
    ErrorInfo error;
    if (!ParseSingleFontFile(text, font, XOffset, YOffset, error)) {
        LogFontFileError("Font.InitV231", FileNameOnly, error);
        return false;
    }
    State().FontTable[static_cast<size_t>(Index)] = font;
    return true;
}

void Font::Render(int32_t Index, const std::string& Text, float XPos, float Ypos, float Spacing, float Alpha,
                  float Scaled, float XScaled, float YScaled, float Red, float Green, float Blue, int32_t SourceMode,
                  int32_t DestinationMode) {
    const FontGlyphTable* font = DrawableFont(Index);
    if (!font) return;
    SetBlend(SourceMode, DestinationMode);
    DrawGlyphRun(*font, Text, XPos, static_cast<float>(Int(Ypos)), Spacing, Scaled * XScaled, Scaled * YScaled,
                 DrawColor(Alpha, Red, Green, Blue));
}

void Font::RenderFast(int32_t Index, const std::string& Text, float XPos, float Ypos, float Spacing,
                      int32_t SourceMode, int32_t DestinationMode) {
    const FontGlyphTable* font = DrawableFont(Index);
    if (!font) return;
    SetBlend(SourceMode, DestinationMode);
    DrawGlyphRun(*font, Text, XPos, static_cast<float>(Int(Ypos)), Spacing, 1, 1, State().WhiteColor);
}

void Font::CopyToTexture(int32_t TextureIndex, int32_t Index, const std::string& Text, float XPos, float Ypos,
                         float Spacing) {
    const FontGlyphTable* font = DrawableFont(Index);
    const platform::SurfaceId dst = TextureDrawSource(TextureIndex);
    if (!font || dst == platform::kNoSurface || Text.empty()) return;
    EngineState& st = State();
    st.Fonts.FontCopySrcSurface = TextureDrawSource(font->TextureIndex);
    st.Fonts.FontCopyDstSurface = dst;
    copyRects_.clear();
    copyPoints_.clear();
    const int32_t y = RoundHalfEven(Ypos);
    float x = XPos;
    for (char c : Text) {
        const int32_t s = GlyphSlot(c);
        if (s == 0) continue;
        copyRects_.push_back(GlyphRect(*font, s));
        copyPoints_.push_back({RoundHalfEven(x), y});
        x = x + static_cast<float>(font->Width[static_cast<size_t>(s)]) + Spacing;
    }
    for (size_t i = 0; i < copyRects_.size(); ++i)
        st.D3DDevice->CopyRects(st.Fonts.FontCopySrcSurface, copyRects_[i], st.Fonts.FontCopyDstSurface,
                                copyPoints_[i].X, copyPoints_[i].Y);
}

void Font::RenderToTexture(int32_t TextureIndex, int32_t Index, const std::string& Text, float XPos, float Ypos,
                           float Spacing, float Alpha, float Scaled, float XScaled, float YScaled, float R, float G,
                           float B, int32_t SourceMode, int32_t DestinationMode) {
    // Everything that can fail before the frame is touched is checked first: both slots, the
    // target's size and the temporary render target.
    EngineState& st = State();
    const platform::SurfaceId target = TextureDrawSource(TextureIndex);
    if (!DrawableFont(Index) || target == platform::kNoSurface) return;
    platform::GraphicsDevice& d = *st.D3DDevice;
    platform::SurfaceDesc desc;
    if (!d.GetSurfaceDesc(target, desc) || desc.width < 1 || desc.height < 1) return;
    const platform::SurfaceId temp = d.CreateTexture(desc.width, desc.height, true);
    if (temp == platform::kNoSurface) return;
    const platform::SurfaceId keptTarget = d.GetRenderTarget();
    const platform::SurfaceId keptDepth = st.EnableDepthStencil ? d.GetDepthStencilSurface() : platform::kNoSurface;
    const platform::Rect whole{0, 0, desc.width, desc.height};

    d.SpriteEnd();
    d.EndScene();
    const bool drawn = d.SetRenderTarget(temp, platform::kNoSurface);
    if (drawn) {
        d.SetViewport(0, 0, desc.width, desc.height, 0, 1);
        d.BeginScene();
        d.Clear(platform::ClearTarget, 0xFF000000u, 1.0f, 0);
        // The text is blended over the texture's own content.
        d.CopyRects(target, whole, temp, 0, 0);
        d.SpriteBegin();
        ForgetBlend();
        Render(Index, Text, XPos, Ypos, Spacing, Alpha, Scaled, XScaled, YScaled, R, G, B, SourceMode,
               DestinationMode);
        d.SpriteEnd();
        d.EndScene();
    }
    // The frame goes on as it was, whether or not the text could be drawn.
    d.SetRenderTarget(keptTarget, keptDepth);
    d.BeginScene();
    d.SpriteBegin();
    // The batch's start put the device's blend states back: what the cache says was sent is gone.
    ForgetBlend();
    if (drawn) d.CopyRects(temp, whole, target, 0, 0);
    d.ReleaseSurface(temp);
}

float Font::GetStringWidth(int32_t Index, const std::string& Text, float Spacing, float Scaled,
                           float XScaled) const {
    const FontGlyphTable* font = FindFont(Index);
    return font ? GlyphRunWidth(*font, Text, Spacing, Scaled * XScaled) : 0.0f;
}

float Font::GetHeight(int32_t Index, float Scaled, float YScaled) const {
    const FontGlyphTable* font = FindFont(Index);
    return font ? Scaled * YScaled * static_cast<float>(font->Height) : 0.0f;
}

PLMFontStringSize Font::GetStringSize(int32_t Index, const std::string& Text, float Spacing, float Scaled,
                                      float XScaled, float YScaled) const {
    return {GetStringWidth(Index, Text, Spacing, Scaled, XScaled), GetHeight(Index, Scaled, YScaled)};
}

PLMFontCharRect Font::GetCharRect(int32_t Index, int32_t CharAscii) const {
    const FontGlyphTable* font = FindFont(Index);
    if (!font) return {};
    PLMFontCharRect r;
    r.Texture = font->TextureIndex;
    r.Height = font->Height;
    const int64_t slot = std::max<int64_t>(int64_t{CharAscii} - 31, 0);
    if (slot < kGlyphSlots) {
        const size_t s = static_cast<size_t>(slot);
        r.SrcX = font->X[s];
        r.SrcY = font->Y[s];
        r.Width = font->Width[s];
    }
    return r;
}

}  // namespace plm
