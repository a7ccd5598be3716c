#pragma once
// The mouse: the pointer position MouseX, MouseY in screen pixels (moved by Scene.Begin), pointer
// tests, button latches over the snapshot MouseState, and the engine's own pointer, an animation
// of the animation table that Scene.Render draws while it is enabled.
#include <array>
#include <cstddef>
#include <cstdint>

namespace plm {

class Mouse {
public:
    float X() const;
    void X(float value);
    float Y() const;
    void Y(float value);
    // True when the pointer pixel lies in the box (whole-pixel overlap of a 1 x 1 box).
    bool IsOverBox(float x1, float y1, float Width, float Height) const;
    // True once per press of the left / right button, as Key.PressedOnce.
    bool Button1PressedOnce();
    bool Button2PressedOnce();

    // The engine's own pointer: drawn by Scene.Render while enabled.
    bool Enabled() const;
    void Enabled(bool value);
    // The pointer's animation (an index of the animation table), played at Speed frames per
    // millisecond in Mode 0 (still), 1 (repeat) or 2 (once), with Alpha 0-255; centred on the
    // pointer unless OriginTopLeft. Starts at frame 1.
    void SetPointer(int32_t Animation, float Speed, int32_t Mode, float Alpha, bool OriginTopLeft);
    // A black drop shadow drawn first at the pointer plus the offset; Alpha 0-255.
    void SetPointerShadow(bool Enabled, float XOffset, float YOffset, float Alpha);
    // The blend factors of pointer and shadow (default 5, 6: source alpha, inverse source alpha).
    void SetPointerBlend(int32_t SourceMode, int32_t DestinationMode);

private:
    bool PressedOnce(size_t button);
    std::array<bool, 2> latched_{};
};

}  // namespace plm
