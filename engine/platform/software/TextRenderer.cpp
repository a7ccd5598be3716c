#include "platform/software/TextRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace plm::platform {

namespace {

constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr const char* kFallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Windows-1252 bytes 0x80..0x9F; the other bytes are their own code points.
constexpr uint16_t kCp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

uint32_t CodePoint(uint8_t byte) { return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte; }

struct Glyph {
    int32_t left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;
};

struct Face {
    FT_Face face = nullptr;
    std::map<std::pair<int32_t, uint32_t>, Glyph> glyphs;  // (pixel size, code point)
};

}  // namespace

struct TextRenderer::Impl {
    FT_Library library = nullptr;
    // A configuration of our own rather than fontconfig's process-wide default, so that it is
    // freed with the renderer instead of living (and showing as a leak) to the end.
    FcConfig* config = nullptr;
    bool started = false, failed = false;
    std::map<std::tuple<std::string, bool, bool>, Face> faces;

    ~Impl() {
        for (auto& [key, f] : faces)
            if (f.face) FT_Done_Face(f.face);
        if (library) FT_Done_FreeType(library);
        if (config) FcConfigDestroy(config);
    }

    bool Start() {
        if (!started) {
            started = true;
            failed = FT_Init_FreeType(&library) != 0;
            config = FcInitLoadConfigAndFonts();  // null: only the fallback file is tried
        }
        return !failed;
    }

    // The file fontconfig picks for the name, weight and slant (its best match, which falls back
    // to a default family itself when the name is unknown).
    std::string MatchFile(const std::string& name, bool bold, bool italic, int& index) {
        std::string file;
        if (!config) return file;
        FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(name.empty() ? kFallbackFamily : name.c_str()));
        if (!pat) return file;
        FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(config, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pat, &result);
        if (match) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
                file = reinterpret_cast<const char*>(path);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pat);
        return file;
    }

    Face* FaceFor(const FontSpec& spec) {
        if (!Start()) return nullptr;
        auto key = std::make_tuple(spec.name, spec.bold, spec.italic);
        auto it = faces.find(key);
        if (it != faces.end()) return it->second.face ? &it->second : nullptr;
        Face f;
        int index = 0;
        std::string file = MatchFile(spec.name, spec.bold, spec.italic, index);
        if (file.empty() || FT_New_Face(library, file.c_str(), index, &f.face) != 0) {
            f.face = nullptr;
            if (FT_New_Face(library, kFallbackFile, 0, &f.face) != 0) f.face = nullptr;
        }
        Face& stored = faces[key] = std::move(f);
        return stored.face ? &stored : nullptr;
    }

    static int32_t PixelSize(const FontSpec& spec) {
        return std::clamp(int32_t(std::lround(double(spec.size) * 96.0 / 72.0)), 1, 512);
    }

    const Glyph* GlyphFor(Face& f, int32_t px, uint32_t cp) {
        auto key = std::make_pair(px, cp);
        auto it = f.glyphs.find(key);
        if (it != f.glyphs.end()) return &it->second;
        Glyph g;
        if (FT_Set_Pixel_Sizes(f.face, 0, FT_UInt(px)) == 0 &&
            FT_Load_Char(f.face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0) {
            FT_GlyphSlot slot = f.face->glyph;
            const FT_Bitmap& bm = slot->bitmap;
            g.left = slot->bitmap_left;
            g.top = slot->bitmap_top;
            g.width = int32_t(bm.width);
            g.rows = int32_t(bm.rows);
            g.advance = int32_t((slot->advance.x + 32) >> 6);
            if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.buffer) {
                g.coverage.resize(size_t(g.width) * size_t(g.rows));
                for (int32_t r = 0; r < g.rows; ++r)
                    std::copy_n(bm.buffer + ptrdiff_t(r) * bm.pitch, g.width, g.coverage.data() + size_t(r) * g.width);
            } else {
                g.width = g.rows = 0;
            }
        }
        return &(f.glyphs[key] = std::move(g));
    }

    struct Metrics {
        int32_t ascender = 0, lineHeight = 0;
    };

    Metrics MetricsFor(Face& f, int32_t px) {
        Metrics m;
        if (FT_Set_Pixel_Sizes(f.face, 0, FT_UInt(px)) == 0) {
            m.ascender = int32_t((f.face->size->metrics.ascender + 63) >> 6);
            m.lineHeight = int32_t((f.face->size->metrics.height + 63) >> 6);
        }
        if (m.lineHeight <= 0) m.lineHeight = px;
        return m;
    }

    std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines(1);
        for (char ch : text) {
            if (ch == '\n')
                lines.emplace_back();
            else if (ch != '\r')
                lines.back() += ch;
        }
        return lines;
    }

    int32_t LineWidth(Face& f, int32_t px, const std::string& line) {
        int32_t w = 0;
        for (char ch : line) w += GlyphFor(f, px, CodePoint(uint8_t(ch)))->advance;
        return w;
    }
};

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {}
TextRenderer::~TextRenderer() = default;

bool TextRenderer::Measure(const FontSpec& font, const std::string& text, int32_t& width, int32_t& height) {
    width = height = 0;
    Face* f = impl_->FaceFor(font);
    if (!f) return false;
    int32_t px = Impl::PixelSize(font);
    auto lines = impl_->Lines(text);
    for (const auto& line : lines) width = std::max(width, impl_->LineWidth(*f, px, line));
    height = impl_->MetricsFor(*f, px).lineHeight * int32_t(lines.size());
    return true;
}

void TextRenderer::Draw(const raster::Target& t, const FontSpec& font, const std::string& text, const Rect& rect,
                        int32_t format, uint32_t color) {
    Face* f = impl_->FaceFor(font);
    if (!f || !t.pixels) return;
    int32_t px = Impl::PixelSize(font);
    Impl::Metrics m = impl_->MetricsFor(*f, px);
    auto lines = impl_->Lines(text);
    int32_t blockHeight = m.lineHeight * int32_t(lines.size());
    int64_t y = rect.top;
    if (format & 4)
        y = rect.top + (int64_t(rect.bottom - rect.top) - blockHeight) / 2;
    else if (format & 8)
        y = int64_t(rect.bottom) - blockHeight;

    int32_t clipL = std::max(0, t.clipLeft), clipT = std::max(0, t.clipTop);
    int32_t clipR = std::min(t.width, t.clipRight), clipB = std::min(t.height, t.clipBottom);
    uint32_t alpha = color >> 24, rgb = color & 0x00FFFFFF;
    uint32_t alphaOr = t.hasAlpha ? 0 : 0xFF000000u;
    for (const auto& line : lines) {
        int64_t x = rect.left;
        int32_t width = impl_->LineWidth(*f, px, line);
        if (format & 2)
            x = int64_t(rect.right) - width;
        else if (format & 1)
            x = rect.left + (int64_t(rect.right - rect.left) - width) / 2;
        int64_t baseline = y + m.ascender;
        for (char ch : line) {
            const Glyph* g = impl_->GlyphFor(*f, px, CodePoint(uint8_t(ch)));
            for (int32_t r = 0; r < g->rows; ++r) {
                int64_t py = baseline - g->top + r;
                if (py < clipT || py >= clipB) continue;
                uint32_t* row = t.pixels + size_t(py) * size_t(t.width);
                for (int32_t c = 0; c < g->width; ++c) {
                    int64_t pxl = x + g->left + c;
                    if (pxl < clipL || pxl >= clipR) continue;
                    uint32_t cov = g->coverage[size_t(r) * g->width + c];
                    uint32_t a = (alpha * (cov + (cov >> 7))) >> 8;  // colour alpha times coverage
                    if (!a) continue;
                    row[pxl] = raster::AlphaBlend((a << 24) | rgb, row[pxl]) | alphaOr;
                }
            }
            x += g->advance;
        }
        y += m.lineHeight;
    }
}

}  // namespace plm::platform
