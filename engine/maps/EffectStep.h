#pragma once
// The step of one time-based value effect (a scale, alpha, rotation or tile animation of a map
// cell or a texture effect image): the value moves by its direction times the frame time, and the
// effect's style says what happens at its limits and whether it ends after a time.
//   0 wrap            1 wrap, time ends it with a reset     2 wrap, time ends it with a removal
//   3 bounce          4 bounce, time ends it with a reset   5 bounce, time ends it with a removal
//   6 once: clamp to the limit reached and stop   7 once: reset at a limit   8 once: remove at a limit
#include <cstdint>

namespace plm {

// How a step ended. The stepper only reports a reset or a removal: restoring the neutral value
// or emptying the cell is the owner's, since each owner has its own neutral state.
enum class EffectEnd { Running, Stopped, Reset, Removed };

// One running value effect, as the owner keeps it.
struct EffectValue {
    float& Value;
    float& Dir;  // change per millisecond; a bounce turns it
    float Min, Max;
    float& Length;  // remaining ms of the timed styles
    int32_t Style;
};

// Advances e by delta milliseconds. The arithmetic is in double precision, stored back as single;
// the limit tests use the new value before it is stored. A style outside 0..8 leaves the value
// alone and reports Running. Stopped means the value was clamped to a limit (style 6).
EffectEnd StepEffectValue(const EffectValue& e, double delta);

}  // namespace plm
