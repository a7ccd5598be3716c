#include "ui/GuiDraw.h"

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "ui/FontProcs.h"

namespace plm {

void DrawGuiImage(int32_t texture, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float x, float y, float alpha,
                  float xScale, float yScale, bool topLeft, float red, float green, float blue) {
    const platform::SurfaceId tex = TextureDrawSource(texture);
    if (tex == platform::kNoSurface) return;
    EngineState& s = State();
    SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    DrawArgs& d = s.Draw;
    d.Src = platform::Rect{srcX, srcY, srcX + w, srcY + h};
    d.Scaling = {xScale, yScale};
    d.RotationCentre = {static_cast<float>(w) / 2 * xScale, static_cast<float>(h) / 2 * yScale};
    if (topLeft) {
        d.Translation = {static_cast<float>(Int(x)), static_cast<float>(Int(y))};
    } else {
        const int32_t halfW = IntDiv(RoundHalfEven(static_cast<float>(w) * xScale), 2);
        const int32_t halfH = IntDiv(RoundHalfEven(static_cast<float>(h) * yScale), 2);
        d.Translation = {static_cast<float>(Int(x - static_cast<float>(halfW))),
                         static_cast<float>(Int(y - static_cast<float>(halfH)))};
    }
    s.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre, 0.0f, d.Translation,
                            DrawColor(alpha, red, green, blue));
}

void GuiRenderText(int32_t font, const std::string& text, float x, float y, float spacing, float alpha, float scale,
                   float red, float green, float blue) {
    const FontGlyphTable* f = FindFont(font);
    if (!f || TextureDrawSource(f->TextureIndex) == platform::kNoSurface) return;
    SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    DrawGlyphRun(*f, text, x, y, spacing, scale, scale, DrawColor(alpha, red, green, blue));
}

float GuiStringWidth(int32_t font, const std::string& text, float spacing, float scale) {
    const FontGlyphTable* f = FindFont(font);
    return f ? GlyphRunWidth(*f, text, spacing, scale) : 0;
}

float GuiFontHeight(int32_t font, float scale) {
    const FontGlyphTable* f = FindFont(font);
    return f ? scale * static_cast<float>(f->Height) : 0;
}

std::string WrapGuiText(int32_t font, const std::string& text, float spacing, float scale, float width) {
    std::string result, line;
    if (text.empty()) return result;
    auto fits = [&](const std::string& s) { return GuiStringWidth(font, s, spacing, scale) < width; };
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(' ', start);
        const std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        for (size_t c = 1; c <= word.size(); ++c) {
            line += word[c - 1];
            // The word so far reaches the width: move it to a new line, replacing the space (or
            // break) before it. A word that starts the text has nothing before it and stays.
            if (!fits(line) && result.size() >= c) {
                result.resize(result.size() - c);
                result += '\r';
                result.append(word, 0, c);
                line = word.substr(0, c);
            } else {
                result += word[c - 1];
            }
        }
        if (GuiStringWidth(font, line + " ", spacing, scale) <= width) {
            result += ' ';
            line += ' ';
        } else {
            result += '\r';
            line.clear();
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

}  // namespace plm
