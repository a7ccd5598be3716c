#pragma once
// Input over SDL2: the keyboard from SDL's key state, mouse moves and buttons from its mouse
// state, the wheel, focus, close requests and game controllers from the events the window's
// message pump hands out (SdlEventHub). A key or button that went down and up again between two
// reads is still reported held by the first read after it, so a quick tap is never lost.
#include <cstdint>
#include <memory>

#include "platform/Input.h"

namespace plm::platform {

// The DirectInput scan code of an SDL scancode (0 for keys without one).
uint8_t ScanCodeFromSdl(int32_t sdlScancode);

class SdlInput : public Input {
public:
    SdlInput();
    ~SdlInput() override;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;

    bool Open() override;
    void Close() override;
    void Pump() override;
    bool Acquire(InputDevice device) override;
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    ReadResult ReadMouse(MouseReading& mouse) override;
    void PointerPosition(int32_t& x, int32_t& y) override;
    int32_t PadCount() const override;
    ReadResult ReadPad(int32_t pad, PadReading& state) override;
    bool HasFocus() const override;
    uint32_t CloseRequests() const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace plm::platform
