#include "sprites/SpriteEngine.h"

#include <algorithm>
#include <cmath>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/SpritePaths.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRows.h"

namespace plm {

namespace {

// True when any sprite of start..end (clipped to the table) passes test.
template <typename Test>
bool AnyInRange(int32_t start, int32_t end, Test test) {
    const int32_t last = std::min(end, State().SpriteTable.size());
    for (int32_t s = std::max(start, 1); s <= last; ++s)
        if (test(*SpriteRow(s))) return true;
    return false;
}

void SetBounds(SpriteRecord& r, float xMin, float yMin, float xMax, float yMax) {
    r.XMin = xMin;
    r.YMin = yMin;
    r.XMax = xMax;
    r.YMax = yMax;
}

// Velocity, bounds and timer of the straight movements; the direction code from the velocity.
void StartStraight(SpriteRecord& r, int32_t type, float xDir, float yDir, float xMin, float yMin, float xMax,
                   float yMax, float length) {
    r.XDir = xDir;
    r.YDir = yDir;
    SetBounds(r, xMin, yMin, xMax, yMax);
    r.MoveTimer = length;
    r.DirectionCode = DirectionCodeFromMove(xDir, yDir);
    r.EngineType = type;
}

void StartThrust(int32_t sprite, int32_t type, float startX, float startY, float thrustX, float thrustY, float xMin,
                 float yMin, float xMax, float yMax, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.ThrustX = thrustX;
        r.ThrustY = thrustY;
        StartStraight(r, type, startX, startY, xMin, yMin, xMax, yMax, length);
    });
}

// An angle brought within 0..360 whatever the spread added to it, so that it always indexes the
// wrap table: one turn added or taken off, and any further turns by the remainder.
float WrapShotAngle(float a) {
    if (!std::isfinite(a)) return 0;
    if (a < 0) a += 360;
    if (a > 360) a -= 360;
    if (a < 0 || a > 360) {
        a = static_cast<float>(std::fmod(static_cast<double>(a), 360.0));
        if (a < 0) a += 360;
    }
    return a;
}

float StartShot(int32_t sprite, float angle, float velocity, float xMin, float yMin, float xMax, float yMax,
                float length, float diff) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return 0;
    const float a = WrapShotAngle(angle + RandomWhole(-diff, diff + diff));
    int32_t v = WrapAngle(a) + 270;
    if (v > 360) v -= 360;
    const double rad = static_cast<double>(v) * 3.14159265358979323846 / 180.0;
    StartStraight(*r, 1, static_cast<float>(std::cos(rad) * velocity), static_cast<float>(std::sin(rad) * velocity),
                  xMin, yMin, xMax, yMax, length);
    r->OffWhenTimedMoveEnds = 1;
    return a;
}

void StartBounce(int32_t sprite, int32_t type, float bounce, float lo, float hi, bool towardFar, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.XDir = 0;
        r.YDir = 0;
        // Starts on the near bound falling toward the far one, or the other way round.
        const float thrust = towardFar ? std::fabs(bounce) : -std::fabs(bounce);
        float& pos = (type == 26) ? r.Y : r.X;
        pos = towardFar ? lo : hi;
        if (type == 26) {
            r.ThrustY = thrust;
            r.YMin = lo;
            r.YMax = hi;
        } else {
            r.ThrustX = thrust;
            r.XMin = lo;
            r.XMax = hi;
        }
        r.BounceMode = towardFar ? 1.0f : 0.0f;
        r.DirectionCode = DirectionCodeFromMove(0, 0);
        r.MoveTimer = length;
        r.EngineType = type;
    });
}

void StartRepeat(int32_t sprite, int32_t type, float xDir, float yDir, float xMin, float yMin, float xMax,
                 float yMax, bool wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartStraight(r, type, xDir, yDir, xMin, yMin, xMax, yMax, 0);
        r.RepeatWrap = wrap;
    });
}

// The accelerating pursuits: current speed, acceleration and limit of each axis.
void StartPursuit(SpriteRecord& r, int32_t type, int32_t target, float xStart, float xAccel, float xMax,
                  float yStart, float yAccel, float yMax) {
    r.TargetSprite = target;
    r.Param1 = xStart;
    r.Param2 = xAccel;
    r.Param3 = xMax;
    r.Param4 = yStart;
    r.Param5 = yAccel;
    r.Param6 = yMax;
    r.EngineType = type;
}

// The chases with a wobble: speed, wobble accelerations and limits; the wobbles start at 0.
void StartWobblyChase(SpriteRecord& r, int32_t type, float velocity, float xDiff, float yDiff, float maxXDiff,
                      float maxYDiff, float xMin, float yMin, float xMax, float yMax, float length, bool wrap) {
    r.Param1 = velocity;
    r.Param2 = xDiff;
    r.Param3 = maxXDiff;
    r.Param4 = yDiff;
    r.Param5 = maxYDiff;
    r.Param6 = r.Param7 = 0;
    SetBounds(r, xMin, yMin, xMax, yMax);
    r.MoveTimer = length;
    r.Option3 = wrap;
    r.EngineType = type;
}

// Behaviours without a start angle start just short of 3 pi / 2: above the centre.
constexpr float kAngleAbove = 4.7f;

void StartCircle(SpriteRecord& r, int32_t type, float radius, float speed, float angle, int32_t side, float length) {
    r.OrbitRadius = radius;
    r.OrbitSpeed = speed;
    r.OrbitAngle = angle;
    r.OrbitSide = side;
    r.MoveTimer = length;
    r.EngineType = type;
}

// A centre coordinate of -10000 or less stands for the sprite's own.
void SetStillCentre(SpriteRecord& r, float x, float y) {
    r.CentreX = (x <= -10000) ? r.X : x;
    r.CentreY = (y <= -10000) ? r.Y : y;
}

void StartWave(SpriteRecord& r, int32_t type, float xDir, float yDir, float radius, float speed, float xMin,
               float yMin, float xMax, float yMax, bool sideFlag, float length, float angle) {
    StartCircle(r, type, radius, speed, angle, sideFlag ? 1 : -1, length);
    // YCos waves swing across X around CentreX; XSin waves across Y around CentreY.
    if (type == 7 || type == 30 || type == 33) {
        r.CentreX = r.X;
    } else {
        r.CentreY = r.Y;
    }
    r.XDir = xDir;
    r.YDir = yDir;
    SetBounds(r, xMin, yMin, xMax, yMax);
    r.DirectionCode = DirectionCodeFromMove(xDir, yDir);
}

void StartLatch(SpriteRecord& r, int32_t type, int32_t target, float xOffset, float yOffset, float length) {
    r.LatchSprite = target;
    r.LatchXOffset = xOffset;
    r.LatchYOffset = yOffset;
    r.MoveTimer = length;
    r.EngineType = type;
}

void StartBillboard(SpriteRecord& r, int32_t type, float xDir, float yDir, float thrustX, float thrustY, float line,
                    float holdTime) {
    r.XDir = xDir;
    r.YDir = yDir;
    r.Param1 = thrustX;
    r.Param2 = thrustY;
    r.Param3 = line;
    r.HoldTimer = 0;
    r.MoveTimer = holdTime;
    r.EndFlag = 0;
    r.BillboardWaiting = false;
    r.DirectionCode = DirectionCodeFromMove(xDir, yDir);
    r.EngineType = type;
}

// Where a frame move starts and how it goes: the corner, the first edge's direction code, and
// the turn at each corner (+2 clockwise, -2 counter-clockwise), by FrameMoveStartDirection.
struct FrameStart {
    bool right, bottom;
    int32_t dir, turn;
};
constexpr FrameStart kFrameStarts[8] = {
    {true, true, 0, -2},  {true, true, 6, 2},   {false, true, 0, 2},  {false, true, 2, -2},
    {false, false, 4, -2}, {false, false, 2, 2}, {true, false, 4, 2},  {true, false, 6, -2},
};

// A file of at most this size is read as a spline file.
constexpr uint64_t kMaxSplineFileBytes = 4u << 20;

void StartPath(SpriteRecord& r, int32_t type, int32_t index, float speed, bool repeat, bool leaveOn) {
    r.SplineIndex = index;
    r.SplineSpeed = speed;
    r.Repeat = repeat;
    r.LeaveOn = leaveOn;
    r.SplineSegment = 1;
    r.SplineT = 0;
    r.EngineType = type;
}

// The path of a table that a behaviour is to follow, or nullptr (logged) when it has no points.
const SpritePath* PathToFollow(const Table<SpritePath>& table, int32_t index, const std::string& operation) {
    const SpritePath* path = table.find(index);
    if (path && !path->Points.empty()) return path;
    LogError(operation, {"Index=" + std::to_string(index), "The path has no points."});
    return nullptr;
}

void StartScaling(SpriteScalingEffect& e, float& value, float startingScale, float dir, float min,
                  float max, float length, int32_t style, bool enabled) {
    if (startingScale > -1) value = startingScale;
    e.Dir = dir;
    e.Min = min;
    e.Max = max;
    e.Length = length;
    e.Style = style;
    e.Param1 = 0;
    e.On = enabled;
}

void StartRotating(SpriteRecord& r, float startingRotate, float dir, float min, float max, float length,
                   int32_t style, bool enabled) {
    if (startingRotate > -1) r.Rotate = startingRotate;
    r.RotateDir = dir;
    r.RotateMin = std::max(min, 0.0f);
    r.RotateMax = std::min(max, 719.0f);
    r.RotateLength = length;
    r.RotateStyle = style;
    r.RotatingOn = enabled;
}

}  // namespace

void SpriteEngine::Shake(int32_t sprite, float Velocity, float Speed, float length) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    r->ShakeRadius = Velocity;
    r->ShakeInterval = Speed;
    r->ShakeTimeLeft = length;
    r->ShakeTimer = 0;
    r->ShakeOn = true;
}

// ---- Alpha fades and flashes --------------------------------------------------------------------

void SpriteEngine::SetAlphaFading(int32_t sprite, float StartingAlpha, float StartingDir, float min, float max,
                                  float length, float Style, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        if (StartingAlpha > -1) r.Alpha = StartingAlpha;
        r.AlphaMax = std::min(max, 255.0f);
        r.AlphaDir = StartingDir;
        r.AlphaMin = std::max(min, 0.0f);
        r.AlphaLength = length;
        r.AlphaStyle = RoundHalfEven(Style);
        r.AlphaFadeOn = Enabled;
    });
}

void SpriteEngine::SetFadeIn(int32_t sprite, float Speed, float TargetAlpha, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.AlphaMax = TargetAlpha;
        r.AlphaDir = Speed;
        r.Alpha = 0;
        r.AlphaStyle = 11;
        r.AlphaFadeOn = Enabled;
    });
}

void SpriteEngine::SetFadeOff(int32_t sprite, float Speed, bool /*Enabled*/) {
    SetAlphaFading(sprite, 255, -Speed, 0, 255, 0, 8, true);
}

void SpriteEngine::SetFadeOnFadeOff(int32_t sprite, float Speed, float HoldTime, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.AlphaLength = HoldTime;
        r.AlphaDir = Speed;
        r.Alpha = 0;
        r.AlphaMin = 0;  // phase 0: fading on
        r.AlphaStyle = 10;
        r.AlphaFadeOn = Enabled;
    });
}

void SpriteEngine::SetAlphaFlash(int32_t sprite, float R, float G, float B, float Speed, float /*Alpha*/) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.FlashRed = r.BaseRed;
        r.FlashGreen = r.BaseGreen;
        r.FlashBlue = r.BaseBlue;
        r.Red = R;
        r.Green = G;
        r.Blue = B;
        r.Alpha = 255;
        r.AlphaFadeOn = true;
        r.AlphaStyle = 9;
        r.AlphaDir = Speed;
    });
}

bool SpriteEngine::IsAlphaFading(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.AlphaFadeOn; });
}

// ---- The behaviour and its start delay -------------------------------------------------------

int32_t SpriteEngine::Delay(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.EngineDelay; });
}

void SpriteEngine::Delay(int32_t sprite, int32_t value) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        if (value <= 0) {
            r.EngineTypeAfterDelay = 0;
            r.EngineDelay = 0;
            return;
        }
        r.EngineTypeAfterDelay = r.EngineType;
        r.On = 0;
        r.EngineDelay = value;
    });
}

int32_t SpriteEngine::GetEngineType(int32_t sprite) const {
    return ReadSprite<int32_t>(sprite, [](const SpriteRecord& r) { return r.EngineType; });
}

bool SpriteEngine::IsMoving(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.EngineType > 0; });
}

void SpriteEngine::PauseMovement(int32_t sprite) {
    WriteSprite(sprite, [](SpriteRecord& r) {
        // A second pause would store the 0 of the first and lose the paused behaviour.
        if (r.EngineType == 0) return;
        r.SavedEngineType = r.EngineType;
        r.EngineType = 0;
    });
}

void SpriteEngine::ResumeMovement(int32_t sprite) {
    WriteSprite(sprite, [](SpriteRecord& r) {
        if (r.SavedEngineType == 0) return;
        r.EngineType = r.SavedEngineType;
        r.SavedEngineType = 0;
    });
}

void SpriteEngine::TurnOffMovement(int32_t sprite) {
    WriteSprite(sprite, [](SpriteRecord& r) { r.EngineType = 0; });
}

bool SpriteEngine::IsAnyOfTheseDelaying(int32_t StartSprite, int32_t EndSprite) const {
    return AnyInRange(StartSprite, EndSprite, [](const SpriteRecord& r) { return r.EngineDelay > 0; });
}

bool SpriteEngine::IsAnyOfTheseOnOrDelaying(int32_t StartSprite, int32_t EndSprite) const {
    return AnyInRange(StartSprite, EndSprite,
                      [](const SpriteRecord& r) { return r.On > 0 || r.EngineDelay > 0; });
}

PLMXY SpriteEngine::GetMoveDirection(int32_t sprite) const {
    return ReadSprite<PLMXY>(sprite, [](const SpriteRecord& r) { return PLMXY{r.XDir, r.YDir}; });
}

void SpriteEngine::SetMiscAddXY(float DirX, float DirY) {
    State().MiscAddX = DirX;
    State().MiscAddY = DirY;
}

// ---- Straight movement, bounds, bouncing and wrapping ----------------------------------------

void SpriteEngine::Move(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                        float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartStraight(r, 1, XDir, YDir, XMin, YMin, XMax, YMax, length);
        r.OffWhenTimedMoveEnds = 0;
    });
}

float SpriteEngine::Shoot(int32_t sprite, float Angle, float Velocity, float XMin, float YMin, float XMax, float YMax,
                          float length, float Diff) {
    return StartShot(sprite, Angle, Velocity, XMin, YMin, XMax, YMax, length, Diff);
}

float SpriteEngine::ShootSprite(int32_t sprite, int32_t SpriteToShoot, float Velocity, float XMin, float YMin,
                                float XMax, float YMax, float length, float Diff) {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return 0;
    const PLMXY a = SpriteCentre(*r);
    const PLMXY b = SpriteCentre(State().SpriteTable(SpriteToShoot));
    return StartShot(sprite, AngleBetweenPoints(a.X, a.Y, b.X, b.Y), Velocity, XMin, YMin, XMax, YMax, length, Diff);
}

void SpriteEngine::Pong(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                        float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) { StartStraight(r, 2, XDir, YDir, XMin, YMin, XMax, YMax, length); });
}

void SpriteEngine::MoveToXY(int32_t sprite, float XPos, float Ypos, float Velocity) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.TargetX = XPos;
        r.TargetY = Ypos;
        r.MoveToSpeed = Velocity;
        r.DirectionCode = DirectionCodeFromMove(r.XDir, r.YDir);
        r.EngineType = 10;
    });
}

void SpriteEngine::Thrust(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed,
                          float ThrustYSpeed, float XMin, float YMin, float XMax, float YMax, float length) {
    StartThrust(sprite, 14, StartXThrust, StartYThrust, ThrustXSpeed, ThrustYSpeed, XMin, YMin, XMax, YMax, length);
}

void SpriteEngine::YBounce(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed,
                           float ThrustYSpeed, float XMin, float YMin, float XMax, float YMax, float length) {
    StartThrust(sprite, 18, StartXThrust, StartYThrust, ThrustXSpeed, ThrustYSpeed, XMin, YMin, XMax, YMax, length);
}

void SpriteEngine::XBounce(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed,
                           float ThrustYSpeed, float XMin, float YMin, float XMax, float YMax, float length) {
    StartThrust(sprite, 19, StartXThrust, StartYThrust, ThrustXSpeed, ThrustYSpeed, XMin, YMin, XMax, YMax, length);
}

void SpriteEngine::Wrap(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                        float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) { StartStraight(r, 25, XDir, YDir, XMin, YMin, XMax, YMax, length); });
}

void SpriteEngine::BounceY(int32_t sprite, float YBounce, float YMin, float YMax, bool BounceDown, float length) {
    StartBounce(sprite, 26, YBounce, YMin, YMax, BounceDown, length);
}

void SpriteEngine::BounceX(int32_t sprite, float XBounce, float XMin, float XMax, bool BounceRight, float length) {
    StartBounce(sprite, 34, XBounce, XMin, XMax, BounceRight, length);
}

void SpriteEngine::MoveYRepeat(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax,
                               float YMax, bool Wrap) {
    StartRepeat(sprite, 28, XDir, YDir, XMin, YMin, XMax, YMax, Wrap);
}

void SpriteEngine::MoveXRepeat(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax,
                               float YMax, bool Wrap) {
    StartRepeat(sprite, 29, XDir, YDir, XMin, YMin, XMax, YMax, Wrap);
}

void SpriteEngine::JumpAndMove(int32_t sprite, float XDir, float StartYThrust, float ThrustYSpeed, float YLandon,
                               float XDirAfterJump, float YDirAfterJump, float XMinAfterJump, float YMinAfterJump,
                               float XMaxAfterJump, float YMaxAfterJump) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.XDir = XDir;
        r.YDir = StartYThrust;
        r.ThrustY = ThrustYSpeed;
        r.YMax = YLandon;
        r.XDirAfterJump = XDirAfterJump;
        r.YDirAfterJump = YDirAfterJump;
        r.XMinAfterJump = XMinAfterJump;
        r.YMinAfterJump = YMinAfterJump;
        r.XMaxAfterJump = XMaxAfterJump;
        r.YMaxAfterJump = YMaxAfterJump;
        r.DirectionCode = DirectionCodeFromMove(r.XDir, r.YDir);
        r.EngineType = 36;
    });
}

void SpriteEngine::Throttle(int32_t sprite, float StartXSpeed, float XSpeed, float XSpeedMin, float XSpeedMax,
                            float StartYspeed, float YSpeed, float YSpeedMin, float YSpeedMax, float XMin, float YMin,
                            float XMax, float YMax, float length, bool Wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.ThrustX = XSpeed;
        r.ThrustY = YSpeed;
        r.Param1 = XSpeedMin;
        r.Param2 = XSpeedMax;
        r.Param3 = YSpeedMin;
        r.Param4 = YSpeedMax;
        r.Option3 = Wrap;
        StartStraight(r, 38, StartXSpeed, StartYspeed, XMin, YMin, XMax, YMax, length);
    });
}

// ---- Tracking and chasing --------------------------------------------------------------------

void SpriteEngine::Track(int32_t sprite, int32_t SpriteToTrack, float XDir, float YDir, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.TargetSprite = SpriteToTrack;
        r.XDir = XDir;
        r.YDir = YDir;
        r.MoveTimer = length;
        r.EngineType = 3;
    });
}

void SpriteEngine::TrackI(int32_t sprite, int32_t SpriteToTrack, float XSpeed, float XSpeedMax, float YSpeed,
                          float YSpeedMax, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartPursuit(r, 11, SpriteToTrack, 0, XSpeed, XSpeedMax, 0, YSpeed, YSpeedMax);
        r.MoveTimer = length;
    });
}

void SpriteEngine::TrackIWrap(int32_t sprite, int32_t SpriteToTrack, float XSpeedStart, float XSpeed,
                              float XSpeedMax, float YSpeedStart, float YSpeed, float YSpeedMax, float XMin,
                              float YMin, float XMax, float YMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartPursuit(r, 5, SpriteToTrack, XSpeedStart, XSpeed, XSpeedMax, YSpeedStart, YSpeed, YSpeedMax);
        SetBounds(r, XMin, YMin, XMax, YMax);
    });
}

void SpriteEngine::TrackIBoundry(int32_t sprite, int32_t SpriteToTrack, float XSpeedStart, float XSpeed,
                                 float XSpeedMax, float YSpeedStart, float YSpeed, float YSpeedMax, float XMin,
                                 float YMin, float XMax, float YMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartPursuit(r, 43, SpriteToTrack, XSpeedStart, XSpeed, XSpeedMax, YSpeedStart, YSpeed, YSpeedMax);
        SetBounds(r, XMin, YMin, XMax, YMax);
    });
}

void SpriteEngine::Chase(int32_t sprite, int32_t SpriteToChase, float Velocity, float XMin, float YMin, float XMax,
                         float YMax, float length, bool TurnOffIfSpriteToChaseIsOff) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.TargetSprite = SpriteToChase;
        r.Param1 = Velocity;
        SetBounds(r, XMin, YMin, XMax, YMax);
        r.MoveTimer = length;
        r.Option1 = TurnOffIfSpriteToChaseIsOff;
        r.EngineType = 39;
    });
}

void SpriteEngine::ChaseC(int32_t sprite, int32_t SpriteToChase, float Velocity, float XDiffSpeed, float YDiffSpeed,
                          float MaxXDiffSpeed, float MaxYDiffSpeed, float XMin, float YMin, float XMax, float YMax,
                          float length, bool TurnOffIfSpriteToChaseIsOff, bool Wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWobblyChase(r, 44, Velocity, XDiffSpeed, YDiffSpeed, MaxXDiffSpeed, MaxYDiffSpeed, XMin, YMin, XMax,
                         YMax, length, Wrap);
        r.TargetSprite = SpriteToChase;
        r.Option1 = TurnOffIfSpriteToChaseIsOff;
    });
}

void SpriteEngine::ChaseCToXY(int32_t sprite, float XPos, float Ypos, float Velocity, float XDiffSpeed,
                              float YDiffSpeed, float MaxXDiffSpeed, float MaxYDiffSpeed, float XMin, float YMin,
                              float XMax, float YMax, float length, bool Wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWobblyChase(r, 45, Velocity, XDiffSpeed, YDiffSpeed, MaxXDiffSpeed, MaxYDiffSpeed, XMin, YMin, XMax,
                         YMax, length, Wrap);
        r.TargetX = XPos;
        r.TargetY = Ypos;
    });
}

void SpriteEngine::UpdateToXY(int32_t sprite, float XPos, float Ypos) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.TargetX = XPos;
        r.TargetY = Ypos;
    });
}

// ---- Orbits and waves ------------------------------------------------------------------------

void SpriteEngine::Orbit(int32_t sprite, int32_t SpriteToOrbit, float Radius, float OrbitSpeed, float XOffset,
                         float YOffset, float Style, bool OrbitRight, float length, float RadiusGrowth,
                         float RadiusGrowthSpeed, bool TurnOffWhenOrbitedIsOff, float StartAngle) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 4, Radius, OrbitSpeed, StartAngleRadians(StartAngle), OrbitRight ? 1 : -1, length);
        r.TargetSprite = SpriteToOrbit;
        r.OrbitXOffset = XOffset;
        r.OrbitYOffset = YOffset;
        r.OrbitStyle = std::clamp(CLng(Style), 0, 2);
        r.Param5 = RadiusGrowth;
        r.Param6 = r.Param7 = RadiusGrowthSpeed;
        r.TurnOffWithTarget = TurnOffWhenOrbitedIsOff;
    });
}

void SpriteEngine::OrbitStill(int32_t sprite, float Radius, float OrbitSpeed, bool OrbitRight, float length,
                              float StartAngle, float XPos, float Ypos) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 21, Radius, OrbitSpeed, StartAngleRadians(StartAngle), OrbitRight ? 1 : -1, length);
        r.CentreX = (XPos == 0) ? r.X : XPos;
        r.CentreY = (Ypos == 0) ? r.Y : Ypos;
    });
}

void SpriteEngine::OrbitStillX(int32_t sprite, float Radius, float OrbitSpeed, bool OrbitRight, float length,
                               float StartAngle, float XPos, float Ypos) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 6, Radius, OrbitSpeed, StartAngleRadians(StartAngle), OrbitRight ? -1 : 1, length);
        SetStillCentre(r, XPos, Ypos);
    });
}

void SpriteEngine::OrbitStillY(int32_t sprite, float Radius, float OrbitSpeed, bool orbitdown, float length,
                               float StartAngle, float XPos, float Ypos) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 20, Radius, OrbitSpeed, StartAngleRadians(StartAngle), orbitdown ? 1 : -1, length);
        SetStillCentre(r, XPos, Ypos);
    });
}

void SpriteEngine::OrbitMove(int32_t sprite, float Radius, float OrbitSpeed, float XDir, float YDir, float XMin,
                             float YMin, float XMax, float YMax, bool OrbitRight, float RadiusGrowthSpeed,
                             float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 22, Radius, OrbitSpeed, kAngleAbove, OrbitRight ? 1 : -1, length);
        r.CentreX = r.X;
        r.CentreY = r.Y;
        r.Param1 = RadiusGrowthSpeed;
        r.XDir = XDir;
        r.YDir = YDir;
        SetBounds(r, XMin, YMin, XMax, YMax);
    });
}

void SpriteEngine::OrbitMoveXY(int32_t sprite, float Radius, float OrbitSpeed, float XDir, float YDir, float XMin,
                               float YMin, float XMax, float YMax, bool OrbitRight, float length, bool Wrap,
                               float RandomMovementLengthMin, float RandomMovementLengthMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartCircle(r, 42, Radius, OrbitSpeed, kAngleAbove, OrbitRight ? 1 : -1, length);
        r.XDir = XDir;
        r.YDir = YDir;
        SetBounds(r, XMin, YMin, XMax, YMax);
        r.Option3 = Wrap;
        if (RandomMovementLengthMin > 0) {
            r.Param1 = RandomWhole(RandomMovementLengthMin, RandomMovementLengthMax);
            r.Param2 = RandomMovementLengthMin;
            r.Param3 = RandomMovementLengthMax;
        } else {
            r.Param1 = 0;
        }
    });
}

void SpriteEngine::YCos(int32_t sprite, float YDir, float Radius, float RotateSpeed, float XMin, float YMin,
                        float XMax, float YMax, bool StartRight, float length, float StartAngle) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWave(r, 7, 0, YDir, Radius, RotateSpeed, XMin, YMin, XMax, YMax, StartRight, length,
                  StartAngleRadians(StartAngle));
    });
}

void SpriteEngine::XSin(int32_t sprite, float XDir, float Radius, float RotateSpeed, float XMin, float YMin,
                        float XMax, float YMax, bool StartDown, float length, float StartAngle) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWave(r, 12, XDir, 0, Radius, RotateSpeed, XMin, YMin, XMax, YMax, StartDown, length,
                  StartAngleRadians(StartAngle));
    });
}

void SpriteEngine::YCosRepeat(int32_t sprite, float YDir, float Radius, float RotateSpeed, float XMin, float YMin,
                              float XMax, float YMax, bool StartDown, bool Wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWave(r, 30, 0, YDir, Radius, RotateSpeed, XMin, YMin, XMax, YMax, StartDown, 0, kAngleAbove);
        r.Option3 = Wrap;
    });
}

void SpriteEngine::XSinRepeat(int32_t sprite, float XDir, float Radius, float RotateSpeed, float XMin, float YMin,
                              float XMax, float YMax, bool StartDown, bool Wrap) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWave(r, 31, XDir, 0, Radius, RotateSpeed, XMin, YMin, XMax, YMax, StartDown, 0, kAngleAbove);
        r.Option3 = Wrap;
    });
}

void SpriteEngine::YCosYThrust(int32_t sprite, float YDir, float ythrust, float Radius, float RotateSpeed,
                               float XMin, float YMin, float XMax, float YMax, bool StartRight, float length,
                               float StartAngle) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartWave(r, 33, 0, YDir, Radius, RotateSpeed, XMin, YMin, XMax, YMax, StartRight, length,
                  StartAngleRadians(StartAngle));
        r.Param1 = ythrust;
    });
}

float SpriteEngine::OrbitRadius(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.OrbitRadius; });
}

void SpriteEngine::OrbitRadius(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.OrbitRadius = value; });
}

float SpriteEngine::OrbitRadiusSpeed(int32_t sprite) const {
    return ReadSprite<float>(sprite, [](const SpriteRecord& r) { return r.OrbitSpeed; });
}

void SpriteEngine::OrbitRadiusSpeed(int32_t sprite, float value) {
    WriteSprite(sprite, [&](SpriteRecord& r) { r.OrbitSpeed = value; });
}

// ---- Latching and billboards -----------------------------------------------------------------

void SpriteEngine::Latch(int32_t sprite, int32_t SpriteToLatchOn, float XOffset, float YOffset, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) { StartLatch(r, 8, SpriteToLatchOn, XOffset, YOffset, length); });
}

void SpriteEngine::LatchMove(int32_t sprite, float XDir, float YDir, int32_t SpriteToLatchOn, float XOffset,
                             float YOffset, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartLatch(r, 37, SpriteToLatchOn, XOffset, YOffset, length);
        r.XDir = XDir;
        r.YDir = YDir;
        r.CentreX = r.CentreY = 0;
        r.DirectionCode = DirectionCodeFromMove(XDir, YDir);
    });
}

void SpriteEngine::LatchRotate(int32_t sprite, int32_t SpriteToLatchOn, float XOffset, float YOffset,
                               bool RotateSprite, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        // Stored negated: a positive XOffset lands on the latched sprite's right-hand side.
        StartLatch(r, 40, SpriteToLatchOn, -XOffset, YOffset, length);
        r.Param1 = RotateSprite ? 1.0f : 0.0f;
    });
}

void SpriteEngine::BillboardX(int32_t sprite, float XDir, float YDir, float ThrustXSpeed, float ThrustYSpeed,
                              float Xtarget, float TargetDelay, float XMin, float XMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartBillboard(r, 17, XDir, YDir, ThrustXSpeed, ThrustYSpeed, Xtarget, TargetDelay);
        r.XMin = XMin;
        r.XMax = XMax;
    });
}

void SpriteEngine::BillboardY(int32_t sprite, float XDir, float YDir, float ThrustXSpeed, float ThrustYSpeed,
                              float Ytarget, float TargetDelay, float YMin, float YMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartBillboard(r, 13, XDir, YDir, ThrustXSpeed, ThrustYSpeed, Ytarget, TargetDelay);
        r.YMin = YMin;
        r.YMax = YMax;
    });
}

bool SpriteEngine::IsBillboardWaiting(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.BillboardWaiting; });
}

// ---- Paths -----------------------------------------------------------------------------------

void SpriteEngine::FrameMove(int32_t sprite, float Speed, float XMin, float YMin, float XMax, float YMax,
                             int32_t StartDirection, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        int32_t start = StartDirection;
        if (start < 0 || start > 7) start = RandomInRange(0, 7);
        const FrameStart& f = kFrameStarts[start];
        SetBounds(r, XMin, YMin, XMax, YMax);
        r.X = f.right ? XMax : XMin;
        r.Y = f.bottom ? YMax : YMin;
        r.FrameMoveStart = start;
        r.Param1 = static_cast<float>(f.dir);
        r.Param2 = static_cast<float>(f.turn);
        r.Param3 = Speed;
        DirectionVector(static_cast<float>(f.dir * 45), Speed, r.XDir, r.YDir);
        r.DirectionCode = f.dir;
        r.MoveTimer = length;
        r.EngineType = 9;
    });
}

void SpriteEngine::RoboMove(int32_t sprite, float XStep, float YStep, float Interval, float XMin, float YMin,
                            float XMax, float YMax, float length) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartStraight(r, 27, XStep, YStep, XMin, YMin, XMax, YMax, length);
        r.Param1 = r.Param2 = Interval;
    });
}

bool SpriteEngine::SplineAdd(int32_t Index, float XPos, float Ypos) {
    SpritePath* path = PathForWriting(true, Index, "SpriteEngine.SplineAdd");
    if (!path || path->Points.size() >= kMaxPathPoints) return false;
    path->Points.push_back(PLMXY{XPos, Ypos});
    return true;
}

bool SpriteEngine::SplineLoad(int32_t Index, const std::string& FileName) {
    SpritePath* path = PathForWriting(true, Index, "SpriteEngine.SplineLoad");
    if (!path) return false;
    const std::string full = FilePath(FileName);
    std::string text;
    if (!FileHasData(full) || !ReadWholeFile(full, text, kMaxSplineFileBytes)) {
        LogError("SpriteEngine.SplineLoad", {"Path=" + State().EnginePath, "Filename=" + FileName},
                 {"SplineLoad", 53, "File not found or unreadable"});
        return false;
    }
    std::vector<PLMXY> points;
    int32_t badLine = 0;
    if (!ParseSplineText(text, points, badLine) || points.empty()) {
        LogError("SpriteEngine.SplineLoad",
                 {"Path=" + State().EnginePath, "Filename=" + FileName, "Line=" + std::to_string(badLine)},
                 {"SplineLoad", 13, badLine > 0 ? "Not a point: X,Y expected" : "The file holds no points"});
        return false;
    }
    path->Points = std::move(points);
    return true;
}

void SpriteEngine::Spline(int32_t sprite, int32_t Index, float Speed, float XOffset, float YOffset, bool Repeat,
                          bool LeaveOn, bool Mirror, bool Flip) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    const SpritePath* path = PathToFollow(State().Splines, Index, "SpriteEngine.Spline");
    if (!path) return;
    r->SplineXOffset = XOffset;
    r->SplineYOffset = YOffset;
    r->SplineMirror = Mirror;
    r->SplineFlip = Flip;
    r->SplineLastSegment = static_cast<int32_t>(path->Points.size()) - 1;
    StartPath(*r, 41, Index, Speed, Repeat, LeaveOn);
    // Starts on the first point.
    const PLMXY p = PathPoint(*r, path->Points, 1);
    r->X = p.X;
    r->Y = p.Y;
}

bool SpriteEngine::WayPointAdd(int32_t Index, float XPos, float Ypos) {
    SpritePath* path = PathForWriting(false, Index, "SpriteEngine.WayPointAdd");
    if (!path || path->Points.size() >= kMaxPathPoints) return false;
    path->Points.push_back(PLMXY{XPos, Ypos});
    return true;
}

void SpriteEngine::WayPoint(int32_t sprite, int32_t Index, float Speed, bool Repeat, bool LeaveOn) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !PathToFollow(State().WayPoints, Index, "SpriteEngine.WayPoint")) return;
    // The points are used as given: no offset, mirror or flip.
    r->SplineXOffset = r->SplineYOffset = 0;
    r->SplineMirror = r->SplineFlip = false;
    StartPath(*r, 46, Index, Speed, Repeat, LeaveOn);
}

// ---- Input-driven behaviours -----------------------------------------------------------------

void SpriteEngine::KeyMove(int32_t sprite, int32_t KeyLeft, int32_t KeyRight, int32_t KeyUp, int32_t KeyDown,
                           float XSpeed, float YSpeed, float XMin, float YMin, float XMax, float YMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.KeyLeft = KeyLeft;
        r.KeyRight = KeyRight;
        r.KeyUp = KeyUp;
        r.KeyDown = KeyDown;
        r.Param1 = XSpeed;
        r.Param2 = YSpeed;
        StartStraight(r, 23, 0, 0, XMin, YMin, XMax, YMax, 0);
    });
}

void SpriteEngine::Mouse(int32_t sprite, float XOffset, float YOffset, float XMin, float YMin, float XMax,
                         float YMax) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.Param1 = XOffset;
        r.Param2 = YOffset;
        StartStraight(r, 32, 0, 0, XMin, YMin, XMax, YMax, 0);
    });
}

void SpriteEngine::Button(int32_t sprite, int32_t XFrameUp, int32_t XFrameOver, int32_t XFrameDown) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.Param1 = static_cast<float>(XFrameUp);
        r.Param2 = static_cast<float>(XFrameOver);
        r.Param3 = static_cast<float>(XFrameDown);
        r.ButtonState = 0;
        r.ButtonClicked = false;
        r.ButtonUp = true;
        r.ButtonOver = r.ButtonDown = false;
        r.EngineType = 24;
    });
}

bool SpriteEngine::ButtonClicked(int32_t sprite) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !r->ButtonClicked) return false;
    r->ButtonClicked = false;
    return true;
}

// ---- Scaling and rotation effects ------------------------------------------------------------

void SpriteEngine::SetScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max,
                              float length, float Style, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.Scaling, r.Scaled, StartingScale, StartingDir, min, max, length, CLng(Style), Enabled);
    });
}

void SpriteEngine::SetXScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max,
                               float length, float Style, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.XScaling, r.XScaled, StartingScale, StartingDir, min, max, length, CLng(Style), Enabled);
    });
}

void SpriteEngine::SetYScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max,
                               float length, float Style, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.YScaling, r.YScaled, StartingScale, StartingDir, min, max, length, CLng(Style), Enabled);
    });
}

void SpriteEngine::SetScalingInAndOut(int32_t sprite, float StartingScale, float StartingDir, float min, float max,
                                      bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.Scaling, r.Scaled, StartingScale, StartingDir, min, max, 0, 10, Enabled);
    });
}

void SpriteEngine::SetScalingXYDistance(int32_t sprite, float XPos, float Ypos, float MinDistance, float MaxDistance,
                                        float MinScale, float MaxScale, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.Scaling, r.Scaled, -1, 0, MinScale, MaxScale, 0, 11, Enabled);
        r.Scaling.Param1 = XPos;
        r.Scaling.Param2 = Ypos;
        r.Scaling.MinDistance = MinDistance;
        r.Scaling.MaxDistance = MaxDistance;
    });
}

void SpriteEngine::SetScalingSpriteDistance(int32_t sprite, int32_t SpriteToMeasure, float MinDistance,
                                            float MaxDistance, float MinScale, float MaxScale, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartScaling(r.Scaling, r.Scaled, -1, 0, MinScale, MaxScale, 0, 12, Enabled);
        r.Scaling.Target = SpriteToMeasure;
        r.Scaling.MinDistance = MinDistance;
        r.Scaling.MaxDistance = MaxDistance;
    });
}

bool SpriteEngine::IsScaling(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.Scaling.On; });
}

void SpriteEngine::SetRotating(int32_t sprite, float StartingRotate, float StartingDir, float min, float max,
                               float length, float Style, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartRotating(r, StartingRotate, StartingDir, min, max, length, CLng(Style), Enabled);
    });
}

void SpriteEngine::SetRotatingRandom(int32_t sprite, float StartingRotate, float MinSpeed, float MaxSpeed, float min,
                                     float max, float ChangeInterval, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        StartRotating(r, StartingRotate, MinSpeed + RandomNumber() * (MaxSpeed - MinSpeed), min, max, ChangeInterval,
                      9, Enabled);
        r.RotateSpeedMin = MinSpeed;
        r.RotateSpeedMax = MaxSpeed;
        r.RotateStep = ChangeInterval;
    });
}

void SpriteEngine::SetRotateToSprite(int32_t sprite, int32_t SpriteToRotateTo, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.RotateTarget = SpriteToRotateTo;
        r.RotateStyle = 10;
        r.RotatingOn = Enabled;
    });
}

void SpriteEngine::SetRotateWithSprite(int32_t sprite, int32_t SpriteToRotateWith, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.RotateTarget = SpriteToRotateWith;
        r.RotateStyle = 11;
        r.RotatingOn = Enabled;
    });
}

void SpriteEngine::SetRotateToDirection(int32_t sprite, bool Enabled) {
    WriteSprite(sprite, [&](SpriteRecord& r) {
        r.RotateLastX = r.X;
        r.RotateLastY = r.Y;
        r.RotateStyle = 12;
        r.RotatingOn = Enabled;
    });
}

bool SpriteEngine::IsRotating(int32_t sprite) const {
    return ReadSprite<bool>(sprite, [](const SpriteRecord& r) { return r.RotatingOn; });
}

}  // namespace plm
