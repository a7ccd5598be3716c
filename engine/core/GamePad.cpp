#include "core/GamePad.h"

#include "core/EngineState.h"
#include "core/InputProcs.h"

namespace plm {
namespace {

bool ValidPad(int32_t pad) { return pad >= 1 && pad <= platform::Input::kMaxPads; }

}  // namespace

int32_t GamePad::Count() const {
    const auto& input = State().InputDevices;
    return input ? input->PadCount() : 0;
}

bool GamePad::Poll(int32_t Pad) {
    if (!ValidPad(Pad)) return false;
    return ReadPadSnapshot(Pad, pads_[static_cast<size_t>(Pad - 1)]);
}

const platform::PadReading& GamePad::GetState(int32_t Pad) const {
    static const platform::PadReading none{};
    return ValidPad(Pad) ? pads_[static_cast<size_t>(Pad - 1)] : none;
}

bool GamePad::Button(int32_t Pad, int32_t Button) const {
    const auto& buttons = GetState(Pad).buttons;
    return Button >= 0 && Button < static_cast<int32_t>(buttons.size()) &&
           (buttons[static_cast<size_t>(Button)] & 0x80) != 0;
}

}  // namespace plm
