#pragma once
// The keyboard, read from the snapshot KeyState of the last Scene.Begin. Keys are DirectInput
// scan codes (1 Escape, 14 Backspace, 28 Enter, 57 Space, 156 keypad Enter, 210 Insert, ...).
#include <array>
#include <cstdint>

namespace plm {

class Key {
public:
    // True while the key is held in the snapshot.
    bool Pressed(int32_t key) const;
    // True once per press: in the first frame the key is seen down, then false until it has been
    // seen up again.
    bool PressedOnce(int32_t key);
    // Waits, re-reading the keyboard and letting window events run, until the key is released,
    // then clears its PressedOnce latch. Stops waiting when the window loses the focus or is asked
    // to close, or the keyboard cannot be read.
    void Clear(int32_t key);
    // PressedOnce over A to Z, then Enter, keypad Enter, Backspace and Insert; the first hit as a
    // letter's upper-case character code, 28 for either Enter, 14 or 210; 0 when none.
    int32_t LettersPressedOnce();

private:
    std::array<bool, 256> latched_{};
};

}  // namespace plm
