#include "core/Key.h"

#include "core/EngineState.h"
#include "core/InputProcs.h"

namespace plm {
namespace {

constexpr uint8_t kHeld = 0x80;

bool InRange(int32_t key) { return key >= 0 && key < 256; }

}  // namespace

bool Key::Pressed(int32_t key) const { return InRange(key) && (State().KeyState[key] & kHeld) != 0; }

bool Key::PressedOnce(int32_t key) {
    if (!InRange(key)) return false;
    return LatchPress(Pressed(key), latched_[key]);
}

void Key::Clear(int32_t key) {
    if (!InRange(key)) return;
    EngineState& s = State();
    platform::Input* input = s.InputDevices.get();
    const uint32_t closes = input ? input->CloseRequests() : 0;
    while (input && Pressed(key)) {
        input->Pump();
        // A window that lost the focus or is closing will not see the key go up; without the
        // focus no key counts as held.
        if (!input->HasFocus()) {
            s.KeyState.fill(0);
            break;
        }
        if (input->CloseRequests() != closes) break;
        if (!ReadKeyboardSnapshot()) break;
        if (Pressed(key)) s.Clock->SleepMs(1);
    }
    latched_[key] = false;
}

int32_t Key::LettersPressedOnce() {
    for (size_t i = 0; i < platform::kLetterScanCodes.size(); ++i)
        if (PressedOnce(platform::kLetterScanCodes[i])) return 'A' + static_cast<int32_t>(i);
    if (PressedOnce(platform::kScanEnter) || PressedOnce(platform::kScanKeypadEnter)) return platform::kScanEnter;
    if (PressedOnce(platform::kScanBackspace)) return platform::kScanBackspace;
    if (PressedOnce(platform::kScanInsert)) return platform::kScanInsert;
    return 0;
}

}  // namespace plm
