#include "ui/FontProcs.h"

#include <algorithm>
#include <cstdint>

#include "core/Convert.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {
// a + b limited to the 32-bit range: glyph edges come from font files.
int32_t SaturatedSum(int32_t a, int32_t b) {
    const int64_t v = int64_t{a} + int64_t{b};
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
}  // namespace

platform::Rect GlyphRect(const FontGlyphTable& font, int32_t slot) {
    if (slot < 0 || slot >= kGlyphSlots) return {};
    const size_t s = static_cast<size_t>(slot);
    return {font.X[s], font.Y[s], SaturatedSum(font.X[s], font.Width[s]), SaturatedSum(font.Y[s], font.Height)};
}

const FontGlyphTable* FindFont(int32_t index) {
    if (index < 0 || index > kLastFont) return nullptr;
    return &State().FontTable[static_cast<size_t>(index)];
}

float GlyphRunWidth(const FontGlyphTable& font, std::string_view text, float spacing, float scale) {
    float width = 0;
    for (char c : text) {
        const int32_t s = GlyphSlot(c);
        if (s == 0) continue;
        width += (static_cast<float>(font.Width[static_cast<size_t>(s)]) + spacing) * scale;
    }
    return width;
}

void DrawGlyphRun(const FontGlyphTable& font, std::string_view text, float x, float y, float spacing, float scaleX,
                  float scaleY, uint32_t color) {
    const platform::SurfaceId tex = TextureDrawSource(font.TextureIndex);
    if (tex == platform::kNoSurface) return;
    EngineState& st = State();
    st.Draw.Scaling = {scaleX, scaleY};
    st.Draw.RotationCentre = {0, 0};
    for (char c : text) {
        const size_t s = static_cast<size_t>(GlyphSlot(c));
        if (s == 0) continue;
        st.Draw.Src = GlyphRect(font, static_cast<int32_t>(s));
        st.Draw.Translation = {static_cast<float>(Int(x)), y};
        st.D3DDevice->SpriteDraw(tex, &st.Draw.Src, st.Draw.Scaling, st.Draw.RotationCentre, 0, st.Draw.Translation,
                                 color);
        x += (static_cast<float>(font.Width[s]) + spacing) * scaleX;
    }
}

}  // namespace plm
