#include "platform/test/ScriptedInput.h"

namespace plm::platform {

void ScriptedInput::SetButton(int32_t button, bool down) {
    if (button >= 0 && button < static_cast<int32_t>(mouse_.buttons.size()))
        mouse_.buttons[static_cast<size_t>(button)] = down ? 0x80 : 0;
}

void ScriptedInput::Move(int32_t dx, int32_t dy, int32_t dz) {
    mouse_.dx += dx;
    mouse_.dy += dy;
    mouse_.dz += dz;
}

void ScriptedInput::SetPad(int32_t pad, const PadReading& state) {
    if (pad < 0 || pad >= kMaxPads) return;
    padPresent_[static_cast<size_t>(pad)] = true;
    pads_[static_cast<size_t>(pad)] = state;
}

void ScriptedInput::RemovePad(int32_t pad) {
    if (pad >= 0 && pad < kMaxPads) padPresent_[static_cast<size_t>(pad)] = false;
}

void ScriptedInput::FailReads(InputDevice device, int32_t count, ReadResult result) {
    Of(device).failures = count;
    Of(device).failure = result;
    if (result == ReadResult::NotAcquired && count > 0) Of(device).acquired = false;
}

void ScriptedInput::LoseFocus() {
    focused_ = false;
    for (Device& d : devices_) d.acquired = false;
}

bool ScriptedInput::Open() {
    if (failOpen_) return false;
    open_ = true;
    for (Device& d : devices_) d.acquired = focused_;
    return true;
}

void ScriptedInput::Pump() {
    ++pumps_;
    if (onPump_) onPump_(*this);
}

bool ScriptedInput::Acquire(InputDevice device) {
    ++acquires_;
    if (!open_ || !focused_) return false;
    Of(device).acquired = true;
    return true;
}

ReadResult ScriptedInput::Check(InputDevice device) {
    Device& d = Of(device);
    if (!open_) return ReadResult::Failed;
    if (d.failures > 0) {
        --d.failures;
        return d.failure;
    }
    if (!focused_) d.acquired = false;
    return d.acquired ? ReadResult::Ok : ReadResult::NotAcquired;
}

ReadResult ScriptedInput::ReadKeyboard(KeyboardState& keys) {
    ++keyboardReads_;
    ReadResult r = Check(InputDevice::Keyboard);
    if (r == ReadResult::Ok) keys = keys_;
    return r;
}

ReadResult ScriptedInput::ReadMouse(MouseReading& mouse) {
    ReadResult r = Check(InputDevice::Mouse);
    if (r != ReadResult::Ok) return r;
    mouse = mouse_;
    mouse_.dx = mouse_.dy = mouse_.dz = 0;
    return r;
}

int32_t ScriptedInput::PadCount() const {
    int32_t n = 0;
    for (bool present : padPresent_) n += present ? 1 : 0;
    return n;
}

ReadResult ScriptedInput::ReadPad(int32_t pad, PadReading& state) {
    if (pad < 0 || pad >= kMaxPads || !padPresent_[static_cast<size_t>(pad)]) return ReadResult::Failed;
    ReadResult r = Check(pad == 0 ? InputDevice::Pad1 : InputDevice::Pad2);
    if (r == ReadResult::Ok) state = pads_[static_cast<size_t>(pad)];
    return r;
}

}  // namespace plm::platform
