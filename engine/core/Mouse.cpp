#include "core/Mouse.h"

#include <cmath>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"

namespace plm {

float Mouse::X() const { return State().MouseX; }
// A position that is not a number is refused: it would stick through every clamp.
void Mouse::X(float value) {
    if (!std::isnan(value)) State().MouseX = value;
}
float Mouse::Y() const { return State().MouseY; }
void Mouse::Y(float value) {
    if (!std::isnan(value)) State().MouseY = value;
}

bool Mouse::IsOverBox(float x1, float y1, float Width, float Height) const {
    return BoxesOverlap(State().MouseX, State().MouseY, 1, 1, x1, y1, Width, Height);
}

bool Mouse::PressedOnce(size_t button) {
    return LatchPress((State().MouseState.Buttons[button] & 0x80) != 0, latched_[button]);
}

bool Mouse::Button1PressedOnce() { return PressedOnce(0); }
bool Mouse::Button2PressedOnce() { return PressedOnce(1); }

bool Mouse::Enabled() const { return State().MousePointer.Enabled; }
void Mouse::Enabled(bool value) { State().MousePointer.Enabled = value; }

void Mouse::SetPointer(int32_t Animation, float Speed, int32_t Mode, float Alpha, bool OriginTopLeft) {
    MousePointerRecord& p = State().MousePointer;
    p.Animation = Animation;
    p.Speed = Speed;
    p.Mode = Mode;
    p.Alpha = Alpha;
    p.OriginTopLeft = OriginTopLeft;
    p.Frame = 1.0f;
}

void Mouse::SetPointerShadow(bool Enabled, float XOffset, float YOffset, float Alpha) {
    MousePointerRecord& p = State().MousePointer;
    p.Shadow = Enabled;
    p.ShadowXOffset = XOffset;
    p.ShadowYOffset = YOffset;
    p.ShadowAlpha = Alpha;
}

void Mouse::SetPointerBlend(int32_t SourceMode, int32_t DestinationMode) {
    State().MousePointer.BlendSrc = SourceMode;
    State().MousePointer.BlendDest = DestinationMode;
}

}  // namespace plm
