#pragma once
// An input for tests: the test sets which keys and buttons are held, queues mouse moves, sets pad
// states, and injects read failures, focus loss and close requests. Nothing moves on its own; a
// hook run on every Pump lets a test change the state while the engine waits in a loop.
#include <array>
#include <cstdint>
#include <functional>

#include "platform/Input.h"

namespace plm::platform {

class ScriptedInput : public Input {
public:
    // Script.
    void SetKey(uint8_t scanCode, bool down) { keys_[scanCode] = down ? 0x80 : 0; }
    void ReleaseAllKeys() { keys_.fill(0); }
    void SetButton(int32_t button, bool down);  // 0 left, 1 right, 2 middle, 3 fourth
    void Move(int32_t dx, int32_t dy, int32_t dz = 0);  // added to the next mouse read
    void SetPointer(int32_t x, int32_t y) { pointerX_ = x, pointerY_ = y; }
    void SetPad(int32_t pad, const PadReading& state);  // plugs the pad in
    void RemovePad(int32_t pad);
    // The next count reads of the device report result (and read nothing).
    void FailReads(InputDevice device, int32_t count, ReadResult result = ReadResult::Failed);
    void LoseFocus();
    void GainFocus() { focused_ = true; }
    void RequestClose() { ++closeRequests_; }
    void FailOpen(bool fail) { failOpen_ = fail; }
    void OnPump(std::function<void(ScriptedInput&)> hook) { onPump_ = std::move(hook); }

    // What the engine did.
    bool IsOpen() const { return open_; }
    int32_t Pumps() const { return pumps_; }
    int32_t Acquires() const { return acquires_; }
    int32_t KeyboardReads() const { return keyboardReads_; }

    bool Open() override;
    void Close() override { open_ = false; }
    void Pump() override;
    bool Acquire(InputDevice device) override;
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    ReadResult ReadMouse(MouseReading& mouse) override;
    void PointerPosition(int32_t& x, int32_t& y) override { x = pointerX_, y = pointerY_; }
    int32_t PadCount() const override;
    ReadResult ReadPad(int32_t pad, PadReading& state) override;
    bool HasFocus() const override { return focused_; }
    uint32_t CloseRequests() const override { return closeRequests_; }

private:
    struct Device {
        bool acquired = false;
        int32_t failures = 0;
        ReadResult failure = ReadResult::Failed;
    };
    Device& Of(InputDevice device) { return devices_[static_cast<size_t>(device)]; }
    ReadResult Check(InputDevice device);

    bool open_ = false, focused_ = true, failOpen_ = false;
    std::array<Device, 4> devices_{};
    KeyboardState keys_{};
    MouseReading mouse_;
    std::array<bool, kMaxPads> padPresent_{};
    std::array<PadReading, kMaxPads> pads_{};
    int32_t pointerX_ = 0, pointerY_ = 0;
    uint32_t closeRequests_ = 0;
    int32_t pumps_ = 0, acquires_ = 0, keyboardReads_ = 0;
    std::function<void(ScriptedInput&)> onPump_;
};

}  // namespace plm::platform
