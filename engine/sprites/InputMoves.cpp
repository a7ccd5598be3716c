// Input-driven behaviours: moved by held keys, following the mouse pointer, or acting as a
// button under the pointer. They read the input snapshot of the frame (KeyState, MouseX, MouseY,
// MouseState) and change only their own sprite.
#include "core/Convert.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

constexpr uint8_t kHeld = 0x80;

bool KeyHeld(int32_t key) { return key >= 0 && key <= 255 && (State().KeyState[static_cast<size_t>(key)] & kHeld); }

// The pointer in world pixels: the screen position less the map's draw area, plus its camera.
PLMXY PointerInWorld() {
    const EngineState& st = State();
    return PLMXY{st.MouseX - static_cast<float>(st.Map.MapScreenX) + st.Map.MapX,
                 st.MouseY - static_cast<float>(st.Map.MapScreenY) + st.Map.MapY};
}

// Key move: Param1, Param2 are the speeds per ms; the sprite is held inside its bounds.
bool StepKeyMove(SpriteRecord& r, float d) {
    const float right = (KeyHeld(r.KeyRight) ? 1.0f : 0.0f) - (KeyHeld(r.KeyLeft) ? 1.0f : 0.0f);
    const float down = (KeyHeld(r.KeyDown) ? 1.0f : 0.0f) - (KeyHeld(r.KeyUp) ? 1.0f : 0.0f);
    r.XDir = right * r.Param1;
    r.YDir = down * r.Param2;
    AdvanceByVelocity(r, d);
    r.X = LimitInto(r.X, r.XMin, r.XMax);
    r.Y = LimitInto(r.Y, r.YMin, r.YMax);
    RefreshDirectionCode(r);
    return true;
}

// Mouse: on the pointer plus the offset (Param1, Param2), held inside the bounds.
bool StepMouse(SpriteRecord& r, float d) {
    const float fromX = r.X, fromY = r.Y;
    const PLMXY p = PointerInWorld();
    r.X = LimitInto(p.X + r.Param1, r.XMin, r.XMax);
    r.Y = LimitInto(p.Y + r.Param2, r.YMin, r.YMax);
    TakeVelocityOfMove(r, fromX, fromY, d);
    return true;
}

// Button: state 0 up, 1 under the pointer, 2 pressed (button 1 held over it); the frame column
// of each state is in Param1..Param3. A release over the sprite after a press is a click.
bool StepButton(int32_t s, SpriteRecord& r) {
    const PLMXY p = PointerInWorld();
    const bool over = IsSpriteOverBox(s, p.X, p.Y, 1, 1);
    const bool held = (State().MouseState.Buttons[0] & kHeld) != 0;
    const int32_t state = !over ? 0 : (held ? 2 : 1);
    if (r.ButtonState == 2 && state == 1) r.ButtonClicked = true;
    r.ButtonState = state;
    r.ButtonUp = state == 0;
    r.ButtonOver = state == 1;
    r.ButtonDown = state == 2;
    r.XFrame = RoundHalfEven(state == 0 ? r.Param1 : (state == 1 ? r.Param2 : r.Param3));
    return true;
}

}  // namespace

bool StepInputMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 23: return StepKeyMove(r, d);
        case 24: return StepButton(s, r);
        case 32: return StepMouse(r, d);
        default: return true;
    }
}

}  // namespace plm
