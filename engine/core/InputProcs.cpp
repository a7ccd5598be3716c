#include "core/InputProcs.h"

#include <algorithm>
#include <limits>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "sprites/AnimationProcs.h"

namespace plm {
namespace {

using platform::InputDevice;
using platform::ReadResult;

// One device read, answered by an acquire and a second read when it fails.
template <typename Read>
bool ReadWithAcquire(platform::Input& input, InputDevice device, Read read) {
    if (read() == ReadResult::Ok) return true;
    return input.Acquire(device) && read() == ReadResult::Ok;
}

bool ReadMouseSnapshot() {
    EngineState& s = State();
    platform::MouseReading m;
    bool ok = s.InputDevices &&
              ReadWithAcquire(*s.InputDevices, InputDevice::Mouse, [&] { return s.InputDevices->ReadMouse(m); });
    // A mouse that cannot be read holds no button and moves nowhere.
    if (!ok) m = platform::MouseReading{};
    s.MouseState.lX = m.dx;
    s.MouseState.lY = m.dy;
    s.MouseState.lZ = m.dz;
    s.MouseState.Buttons = m.buttons;
    return ok;
}

}  // namespace

void SetInputBackend(std::shared_ptr<platform::Input> input) {
    EngineState& s = State();
    if (s.InputDevices && s.InputDevices != input) s.InputDevices->Close();
    s.InputInstalled = input != nullptr;
    s.InputDevices = std::move(input);
}

bool init_di() {
    EngineState& s = State();
    if (!s.InputDevices) s.InputDevices = platform::CreateInput();
    s.KeyState.fill(0);
    s.MouseState = MouseStateRecord{};
    return s.InputDevices && s.InputDevices->Open();
}

void ReleaseInput() {
    EngineState& s = State();
    if (!s.InputDevices) return;
    s.InputDevices->Close();
    if (!s.InputInstalled) s.InputDevices.reset();
}

bool ReadKeyboardSnapshot() {
    EngineState& s = State();
    platform::KeyboardState keys{};
    bool ok = s.InputDevices && ReadWithAcquire(*s.InputDevices, InputDevice::Keyboard,
                                                [&] { return s.InputDevices->ReadKeyboard(keys); });
    if (!ok) keys.fill(0);
    s.KeyState = keys;
    return ok;
}

bool ReadPadSnapshot(int32_t pad, platform::PadReading& state) {
    EngineState& s = State();
    platform::PadReading read;
    auto device = pad == 1 ? InputDevice::Pad1 : InputDevice::Pad2;
    bool ok = (pad == 1 || pad == 2) && s.InputDevices &&
              ReadWithAcquire(*s.InputDevices, device, [&] { return s.InputDevices->ReadPad(pad - 1, read); });
    state = ok ? read : platform::PadReading{};
    return ok;
}

void ReadInputSnapshot() {
    EngineState& s = State();
    ReadKeyboardSnapshot();
    ReadMouseSnapshot();
    int32_t xm = std::clamp(s.MouseState.lX, -s.MouseMaxMoveX, s.MouseMaxMoveX);
    int32_t ym = std::clamp(s.MouseState.lY, -s.MouseMaxMoveY, s.MouseMaxMoveY);
    s.MouseX += static_cast<float>(xm) * s.MouseSpeed;
    s.MouseY += static_cast<float>(ym) * s.MouseSpeed;
    s.MouseX = std::clamp(s.MouseX, s.MouseMinX, std::max(s.MouseMinX, s.MouseMaxX));
    s.MouseY = std::clamp(s.MouseY, s.MouseMinY, std::max(s.MouseMinY, s.MouseMaxY));
}

void AdvanceTimers() {
    EngineState& s = State();
    uint32_t now = GetTickMs();
    // Unsigned difference: right across a wrap of the millisecond counter.
    uint32_t elapsed = now - s.TimerLastTick;
    s.TimerLastTick = now;
    for (TimerRecord& t : s.Timers) {
        uint32_t room = std::numeric_limits<uint32_t>::max() - t.Elapsed;
        t.Elapsed += std::min(elapsed, room);
    }
}

void RenderMousePointer() {
    EngineState& s = State();
    MousePointerRecord& p = s.MousePointer;
    if (!p.Enabled) return;
    const AnimationRecord& a = s.Animations(p.Animation);
    // Mode 1 repeats; mode 2 plays once and then stands on frame 1 (mode 0).
    if (p.Mode == 1 || p.Mode == 2) {
        p.Frame += s.Delta * p.Speed;
        if (!(p.Frame >= 1.0f)) p.Frame = 1.0f;  // a negative speed holds the first frame
        if (Int(p.Frame) > a.Length) {
            p.Frame = 1.0f;
            if (p.Mode == 2) p.Mode = 0;
        }
    }
    if (!s.D3DDevice) return;
    const int32_t k = FrameSlot(Int(p.Frame));
    platform::Rect src;
    src.left = FrameLeft(a, k);
    src.top = FrameTop(a, k);
    src.right = src.left + a.FrameWidth;
    src.bottom = src.top + a.FrameHeight;
    float x = s.MouseX, y = s.MouseY;
    if (!p.OriginTopLeft) {
        x -= static_cast<float>(a.FrameWidth) / 2.0f;
        y -= static_cast<float>(a.FrameHeight) / 2.0f;
    }
    // An empty texture slot draws nothing and sends no blend states, as for every drawing class.
    const platform::SurfaceId texture = TextureDrawSource(a.Texture[static_cast<size_t>(k)]);
    if (texture == platform::kNoSurface) return;
    SetBlend(p.BlendSrc, p.BlendDest);
    auto draw = [&](float dx, float dy, uint32_t color) {
        const platform::Vec2 at{static_cast<float>(Int(dx)), static_cast<float>(Int(dy))};
        s.D3DDevice->SpriteDraw(texture, &src, platform::Vec2{1, 1}, platform::Vec2{0, 0}, 0, at, color);
    };
    if (p.Shadow) draw(x + p.ShadowXOffset, y + p.ShadowYOffset, DrawColor(p.ShadowAlpha, 0, 0, 0));
    draw(x, y, DrawColor(p.Alpha, 255, 255, 255));
}

}  // namespace plm
