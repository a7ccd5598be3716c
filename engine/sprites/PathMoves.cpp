// Path movements: around the edge of a box (frame move), in whole steps on a beat (robo move),
// along a smooth curve through a path's points (spline) and straight from point to point (way
// points).
#include <algorithm>
#include <cmath>

#include "core/Convert.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpritePaths.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

// The end of a path: from the start again (handled by the caller), stop on it, or turn off.
bool EndOfPath(int32_t s, SpriteRecord& r) { return r.LeaveOn ? EndByStop(r) : EndByTurnOff(s); }

// Frame move: along the edges of the box at Param3 per ms, in direction Param1 (0 up, 2 right,
// 4 down, 6 left), turning by Param2 (+2 clockwise, -2 counter-clockwise) at each corner.
float DistanceToCorner(const SpriteRecord& r, int32_t dir) {
    switch (dir) {
        case 0: return r.Y - r.YMin;
        case 2: return r.XMax - r.X;
        case 4: return r.YMax - r.Y;
        default: return r.X - r.XMin;
    }
}

void StepAlongEdge(SpriteRecord& r, int32_t dir, float distance) {
    switch (dir) {
        case 0: r.Y -= distance; break;
        case 2: r.X += distance; break;
        case 4: r.Y += distance; break;
        default: r.X -= distance; break;
    }
}

bool StepFrameMove(SpriteRecord& r, float d) {
    const float fromX = r.X, fromY = r.Y;
    float remaining = r.Param3 * d;
    int32_t dir = ModPositive(RoundHalfEven(r.Param1), 8);
    // A corner takes the rest of the step round it; a box of no size cannot loop for ever.
    for (int corner = 0; corner < 5 && remaining > 0; ++corner) {
        const float toCorner = std::max(DistanceToCorner(r, dir), 0.0f);
        if (remaining <= toCorner) {
            StepAlongEdge(r, dir, remaining);
            break;
        }
        StepAlongEdge(r, dir, toCorner);
        remaining -= toCorner;
        dir = ModPositive(dir + RoundHalfEven(r.Param2), 8);
    }
    r.Param1 = static_cast<float>(dir);
    TakeVelocityOfMove(r, fromX, fromY, d);
    r.DirectionCode = dir;
    return TimerRunsOut(r.MoveTimer, d) ? EndByStop(r) : true;
}

// Robo move: every Param2 ms a whole step of (XDir, YDir); Param1 counts down to it.
bool StepRoboMove(int32_t s, SpriteRecord& r, float d) {
    r.Param1 -= d;
    if (r.Param1 < 0) {
        r.Param1 = r.Param2;
        r.X += r.XDir;
        r.Y += r.YDir;
        if (IsOutsideBounds(r)) return EndByTurnOff(s);
    }
    return TimerRunsOut(r.MoveTimer, d) ? EndByStop(r) : true;
}

// The Catmull-Rom curve of the segment P1..P2 with its neighbours P0 and P3.
PLMXY CurvePoint(const std::array<PLMXY, 4>& p, float t) {
    const float t2 = t * t, t3 = t2 * t;
    auto axis = [&](float a, float b, float c, float e) {
        return 0.5f * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - e) * t2 + (3 * b - a - 3 * c + e) * t3);
    };
    return PLMXY{axis(p[0].X, p[1].X, p[2].X, p[3].X), axis(p[0].Y, p[1].Y, p[2].Y, p[3].Y)};
}

void LoadSegment(SpriteRecord& r, const std::vector<PLMXY>& points) {
    for (int32_t k = 0; k < 4; ++k) r.SplinePoints[static_cast<size_t>(k)] = PathPoint(r, points, r.SplineSegment - 1 + k);
}

// Spline: SplineT runs 0..1 along segment SplineSegment (points i to i + 1) at SplineSpeed per ms.
bool StepSpline(int32_t s, SpriteRecord& r, float d) {
    const std::vector<PLMXY>& points = State().Splines(r.SplineIndex).Points;
    const int32_t last = static_cast<int32_t>(points.size()) - 1;
    const float fromX = r.X, fromY = r.Y;
    if (last < 1) {
        // One point (or a path emptied since): the sprite goes there and the path ends.
        const PLMXY p = PathPoint(r, points, 1);
        r.X = p.X;
        r.Y = p.Y;
        TakeVelocityOfMove(r, fromX, fromY, d);
        return EndOfPath(s, r);
    }
    r.SplineLastSegment = last;
    r.SplineT += r.SplineSpeed * d;
    if (r.SplineT >= 1.0f) {
        const int32_t whole = Int(r.SplineT);
        r.SplineT -= static_cast<float>(whole);
        r.SplineSegment += whole;
    }
    const bool ended = r.SplineSegment > last;
    if (ended && r.Repeat) r.SplineSegment = 1 + ModPositive(r.SplineSegment - 1, last);
    if (ended && !r.Repeat) {
        const PLMXY p = PathPoint(r, points, last + 1);
        r.X = p.X;
        r.Y = p.Y;
        TakeVelocityOfMove(r, fromX, fromY, d);
        return EndOfPath(s, r);
    }
    LoadSegment(r, points);
    const PLMXY p = CurvePoint(r.SplinePoints, r.SplineT);
    r.X = p.X;
    r.Y = p.Y;
    TakeVelocityOfMove(r, fromX, fromY, d);
    return true;
}

// Way points: straight at SplineSpeed per ms to point SplineSegment, then on to the next; the rest
// of a step that reaches a point carries on toward the next one.
bool StepWayPoint(int32_t s, SpriteRecord& r, float d) {
    const std::vector<PLMXY>& points = State().WayPoints(r.SplineIndex).Points;
    const int32_t n = static_cast<int32_t>(points.size());
    const float fromX = r.X, fromY = r.Y;
    if (n == 0) return EndByStop(r);
    float remaining = r.SplineSpeed * d;
    // Each point is reached at most once a frame, so a path of coinciding points cannot spin.
    for (int32_t reached = 0; reached <= n && remaining > 0; ++reached) {
        const PLMXY target = PathPoint(r, points, r.SplineSegment);
        const float dx = target.X - r.X, dy = target.Y - r.Y;
        const float distance = std::sqrt(dx * dx + dy * dy);
        if (remaining < distance) {
            r.X += dx / distance * remaining;
            r.Y += dy / distance * remaining;
            break;
        }
        r.X = target.X;
        r.Y = target.Y;
        remaining -= distance;
        if (++r.SplineSegment <= n) continue;
        if (!r.Repeat) {
            TakeVelocityOfMove(r, fromX, fromY, d);
            return EndOfPath(s, r);
        }
        r.SplineSegment = 1;
    }
    TakeVelocityOfMove(r, fromX, fromY, d);
    return true;
}

}  // namespace

bool StepPathMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 9: return StepFrameMove(r, d);
        case 27: return StepRoboMove(s, r, d);
        case 41: return StepSpline(s, r, d);
        case 46: return StepWayPoint(s, r, d);
        default: return true;
    }
}

}  // namespace plm
