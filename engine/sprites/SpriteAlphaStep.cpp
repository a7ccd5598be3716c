#include "sprites/SpriteAlphaStep.h"

#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"

namespace plm {

namespace {

enum AlphaStyles : int32_t {
    kWrap = 0,
    kTimedWrap = 1,
    kWrapThenOff = 2,
    kPingPong = 3,
    kTimedPingPong = 4,
    kPingPongThenOff = 5,
    kOnceStop = 6,
    kOnceOpaque = 7,
    kFadeOff = 8,
    kFlash = 9,
    kFadeOnHoldOff = 10,
    kFadeIn = 11,
};

void Advance(SpriteRecord& r, float d) { r.Alpha += r.AlphaDir * d; }
bool Above(const SpriteRecord& r) { return r.Alpha > r.AlphaMax; }
bool Below(const SpriteRecord& r) { return r.Alpha < r.AlphaMin; }

// The timer of the timed styles: true when it has run out (below 1 ms).
bool TimerEnds(SpriteRecord& r, float d) {
    r.AlphaLength -= d;
    return r.AlphaLength < 1.0f;
}

// The effect ends with the sprite turned off; the rest of the frame's step does not run.
bool TurnOff(int32_t sprite, SpriteRecord& r) {
    r.AlphaFadeOn = false;
    return EndByTurnOff(sprite);
}

// The effect ends with the sprite opaque.
void EndOpaque(SpriteRecord& r) {
    r.Alpha = 255;
    r.AlphaFadeOn = false;
}

void StepWrap(SpriteRecord& r, float d) {
    Advance(r, d);
    if (Above(r)) {
        r.Alpha = r.AlphaMin;
    } else if (Below(r)) {
        r.Alpha = r.AlphaMax;
    }
}

// Reverses at a limit and takes one step back at once; no clamp, so a large step may stay
// beyond the limit for a frame.
void StepPingPong(SpriteRecord& r, float d) {
    Advance(r, d);
    if (Above(r) || Below(r)) {
        r.AlphaDir = -r.AlphaDir;
        Advance(r, d);
    }
}

// One colour channel eases toward its saved value by AlphaDir per ms, never past it.
void EaseChannel(float& c, float s, float step) {
    if (c < s) {
        c += step;
        if (c > s) c = s;
    } else if (c > s) {
        c -= step;
        if (c < s) c = s;
    }
}

void StepFlash(SpriteRecord& r, float d) {
    const float step = r.AlphaDir * d;
    EaseChannel(r.Red, r.FlashRed, step);
    EaseChannel(r.Green, r.FlashGreen, step);
    EaseChannel(r.Blue, r.FlashBlue, step);
    if (r.Red == r.FlashRed && r.Green == r.FlashGreen && r.Blue == r.FlashBlue) r.AlphaFadeOn = false;
}

// Fade on, hold, fade off; the phase is kept in AlphaMin. One phase runs per frame.
bool StepFadeOnHoldOff(int32_t sprite, SpriteRecord& r, float d) {
    if (r.AlphaMin == 0) {
        Advance(r, d);
        if (r.Alpha > 255) {
            r.Alpha = 255;
            r.AlphaMin = 1;
        }
    } else if (r.AlphaMin == 1) {
        if (TimerEnds(r, d)) {
            r.AlphaLength = 0;
            r.AlphaMin = 2;
        }
    } else if (r.AlphaMin == 2) {
        r.Alpha -= r.AlphaDir * d;
        if (r.Alpha < 0) return TurnOff(sprite, r);  // Alpha stays where it went
    }
    return true;
}

}  // namespace

bool StepAlpha(int32_t sprite) {
    EngineState& st = State();
    SpriteRecord* row = st.SpriteTable.find(sprite);
    if (!row || !row->AlphaFadeOn) return true;
    SpriteRecord& r = *row;
    const float d = st.Delta;
    switch (r.AlphaStyle) {
        case kWrap:
            StepWrap(r, d);
            return true;
        case kTimedWrap:
            StepWrap(r, d);
            if (TimerEnds(r, d)) EndOpaque(r);
            return true;
        case kWrapThenOff:
            StepWrap(r, d);
            return TimerEnds(r, d) ? TurnOff(sprite, r) : true;
        case kPingPong:
            StepPingPong(r, d);
            return true;
        case kTimedPingPong:
            StepPingPong(r, d);
            if (TimerEnds(r, d)) EndOpaque(r);
            return true;
        case kPingPongThenOff:
            StepPingPong(r, d);
            return TimerEnds(r, d) ? TurnOff(sprite, r) : true;
        case kOnceStop:
            Advance(r, d);
            if (Above(r)) {
                r.Alpha = r.AlphaMax;
                r.AlphaFadeOn = false;
            } else if (Below(r)) {
                r.Alpha = r.AlphaMin;
                r.AlphaFadeOn = false;
            }
            return true;
        case kOnceOpaque:
            Advance(r, d);
            if (Above(r) || Below(r)) EndOpaque(r);
            return true;
        case kFadeOff:
            Advance(r, d);
            return (Above(r) || Below(r)) ? TurnOff(sprite, r) : true;
        case kFlash:
            StepFlash(r, d);
            return true;
        case kFadeOnHoldOff:
            return StepFadeOnHoldOff(sprite, r, d);
        case kFadeIn:
            Advance(r, d);
            if (Above(r)) {
                r.Alpha = r.AlphaMax;
                r.AlphaFadeOn = false;
            }
            return true;
        default:  // any other style does nothing and stays on
            return true;
    }
}

}  // namespace plm
