#include "maps/EffectStep.h"

namespace plm {

EffectEnd StepEffectValue(const EffectValue& e, double delta) {
    if (e.Style < 0 || e.Style > 8) return EffectEnd::Running;
    double v = static_cast<double>(e.Value) + static_cast<double>(e.Dir) * delta;
    const double lo = e.Min, hi = e.Max;
    EffectEnd end = EffectEnd::Running;
    switch (e.Style) {
    case 0:
    case 1:
    case 2:
        if (v > hi)
            v = lo;
        else if (v < lo)
            v = hi;
        break;
    case 3:
    case 4:
    case 5:
        // The step is undone and the direction turned.
        if (v > hi || v < lo) {
            e.Dir = -e.Dir;
            v += static_cast<double>(e.Dir) * delta;
        }
        break;
    case 6:
        if (v > hi) {
            v = hi;
            end = EffectEnd::Stopped;
        } else if (v < lo) {
            v = lo;
            end = EffectEnd::Stopped;
        }
        break;
    case 7:
        if (v > hi || v < lo) end = EffectEnd::Reset;
        break;
    default:  // 8
        if (v > hi || v < lo) end = EffectEnd::Removed;
        break;
    }
    e.Value = static_cast<float>(v);
    if (e.Style == 1 || e.Style == 2 || e.Style == 4 || e.Style == 5) {
        e.Length = static_cast<float>(static_cast<double>(e.Length) - delta);
        if (e.Length < 1.0f) end = (e.Style == 1 || e.Style == 4) ? EffectEnd::Reset : EffectEnd::Removed;
    }
    return end;
}

}  // namespace plm
