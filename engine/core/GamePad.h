#pragma once
// Game pads 1 and 2, opened by init_di when present: Poll reads a pad into its state, which the
// other members read.
#include <array>
#include <cstdint>

#include "platform/Input.h"

namespace plm {

class GamePad {
public:
    // The number of pads that are there (0 to 2).
    int32_t Count() const;
    // Reads pad 1 or 2. A failed read re-acquires and reads once more; when the pad cannot be
    // read its state is cleared (sticks centred, no button held) and the result is false.
    bool Poll(int32_t Pad);
    // The state of the last Poll (a cleared state for a pad outside 1..2).
    const platform::PadReading& GetState(int32_t Pad) const;
    // True while button Button (0-based) of the pad was held at the last Poll.
    bool Button(int32_t Pad, int32_t Button) const;

private:
    std::array<platform::PadReading, platform::Input::kMaxPads> pads_{};
};

}  // namespace plm
