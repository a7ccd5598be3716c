#include "platform/Input.h"

#include "platform/sdl/SdlEventHub.h"
#include "platform/sdl/SdlInput.h"

namespace plm::platform {
namespace {

class HeadlessInput : public Input {
public:
    bool Open() override { return true; }
    void Close() override {}
    void Pump() override {}
    bool Acquire(InputDevice) override { return true; }
    ReadResult ReadKeyboard(KeyboardState& keys) override {
        keys.fill(0);
        return ReadResult::Ok;
    }
    ReadResult ReadMouse(MouseReading& mouse) override {
        mouse = MouseReading{};
        return ReadResult::Ok;
    }
    void PointerPosition(int32_t& x, int32_t& y) override { x = y = 0; }
    int32_t PadCount() const override { return 0; }
    ReadResult ReadPad(int32_t, PadReading&) override { return ReadResult::Failed; }
    bool HasFocus() const override { return true; }
    uint32_t CloseRequests() const override { return 0; }
};

}  // namespace

std::shared_ptr<Input> CreateInput() {
    // SDL's drivers without a display deliver no input worth reading.
    if (sdl::RealVideoDriver()) return std::make_shared<SdlInput>();
    return CreateHeadlessInput();
}

std::shared_ptr<Input> CreateHeadlessInput() { return std::make_shared<HeadlessInput>(); }

}  // namespace plm::platform
