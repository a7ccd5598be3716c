#include "ui/FontFader.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/Records.h"
#include "ui/FontProcs.h"

namespace plm {

namespace {

// The most slots a fader holds, as for the sound tables: a wrong count cannot take all memory.
constexpr int32_t kMaxFades = 65536;

// Fade in, hold, fade out; a text is done when its alpha falls below 0.
void StepFade(FontFadeRecord& f, float delta) {
    if (f.FadingIn) {
        f.Alpha = f.FadeInSpeed * delta + f.Alpha;
        if (f.Alpha > 255) {
            f.Alpha = 255;
            f.FadingIn = false;
        }
    } else if (f.PauseAfterFadeIn != 0) {
        f.PauseAfterFadeIn = f.PauseAfterFadeIn - delta;
        if (f.PauseAfterFadeIn < 1) f.PauseAfterFadeIn = 0;
    } else {
        f.Alpha = f.Alpha - f.FadeOutSpeed * delta;
        if (f.Alpha < 0) {
            f.Alpha = 0;
            f.Active = false;
        }
    }
}

// Scale and drift, after the movement pause; the position moves with the frame's first velocity.
void StepMovement(FontFadeRecord& f, float delta) {
    if (f.PauseBeforeMovement != 0) {
        f.PauseBeforeMovement = f.PauseBeforeMovement - delta;
        if (f.PauseBeforeMovement < 1) f.PauseBeforeMovement = 0;
        return;
    }
    f.Scale = f.ScaleDirection * delta + f.Scale;
    f.X = delta * f.XDir + f.X;
    f.Y = delta * f.YDir + f.Y;
    f.XDir = f.XDirThrust * delta + f.XDir;
    f.YDir = f.YDirThrust * delta + f.YDir;
}

// The text centred on (X, Y) at its scale.
void DrawFade(const FontFadeRecord& f) {
    const FontGlyphTable* font = FindFont(f.FontIndex);
    if (!font) return;
    const float width = GlyphRunWidth(*font, f.Text, f.Spacing, f.Scale);
    const float top = static_cast<float>(Int(f.Y - static_cast<float>(font->Height) * f.Scale / 2));
    DrawGlyphRun(*font, f.Text, f.X - width / 2, top, f.Spacing, f.Scale, f.Scale,
                 DrawColor(f.Alpha, f.Red, f.Green, f.Blue));
}

}  // namespace

void FontFader::Init(int32_t MaxFades) {
    fades_.resize(std::clamp(MaxFades, 1, kMaxFades));
    lastSlot_ = 0;
    SetRenderState(BlendSrcAlpha, BlendInvSrcAlpha);
}

void FontFader::Add(int32_t FontIndex, const std::string& Text, float X, float Y, float Spacing,
                    float StartingScaleSize, float ScaleDirection, float FadeInSpeed, float FadeOutSpeed,
                    float PauseAfterFadeInMS, float XDir, float YDir, float XDirThrust, float YDirThrust,
                    float PauseBeforeMovement, float Red, float Green, float Blue) {
    if (fades_.empty()) return;
    lastSlot_ = lastSlot_ + 1 > fades_.size() ? 1 : lastSlot_ + 1;
    FontFadeRecord& f = fades_(lastSlot_);
    f = FontFadeRecord{};
    f.X = X;
    f.Y = Y;
    f.Active = true;
    f.FontIndex = FontIndex;
    f.Text = Text;
    f.Scale = StartingScaleSize;
    f.ScaleDirection = ScaleDirection;
    f.FadeInSpeed = FadeInSpeed;
    f.PauseAfterFadeIn = PauseAfterFadeInMS;
    f.PauseBeforeMovement = PauseBeforeMovement;
    f.FadingIn = true;
    f.Alpha = 0;
    f.FadeOutSpeed = FadeOutSpeed;
    f.Spacing = Spacing;
    f.Red = Red;
    f.Green = Green;
    f.Blue = Blue;
    f.XDir = XDir;
    f.YDir = YDir;
    f.XDirThrust = XDirThrust;
    f.YDirThrust = YDirThrust;
}

void FontFader::Render() {
    if (fades_.empty()) return;
    SetBlend(sourceMode_, destinationMode_);
    const float delta = State().Delta;
    for (FontFadeRecord& f : fades_) {
        if (!f.Active) continue;
        StepFade(f, delta);
        StepMovement(f, delta);
        DrawFade(f);
    }
}

void FontFader::SetRenderState(int32_t SourceMode, int32_t DestinationMode) {
    sourceMode_ = SourceMode;
    destinationMode_ = DestinationMode;
}

}  // namespace plm
