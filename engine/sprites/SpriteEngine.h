#pragma once
// Behaviours and effects of sprites: each setter stores its arguments in one sprite's row of the
// sprite table; Sprite.Render runs them. The object keeps no state of its own. A sprite number
// outside the table is refused: setters do nothing, queries give 0 / false.
//
// Rates are per millisecond of the frame time Delta; angles are degrees, 0 up, clockwise, unless
// a member says radians; bounds are strict (a sprite exactly on a bound is inside).
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class SpriteEngine {
public:
    // Starts a shake of the drawn position: Velocity = radius in pixels, Speed = ms between new
    // directions, length = ms the shake lasts.
    void Shake(int32_t sprite, float Velocity, float Speed, float length);

    // ---- Alpha fades and flashes ---------------------------------------------------------------
    // Alpha runs 0 (invisible) .. 255; speeds are alpha per ms. The effect steps once a frame.
    // A fade between min (0 or more) and max (255 or less), starting at StartingAlpha (-1 or less
    // keeps the current alpha) and moving by StartingDir per ms. "Above" and "below" are strict;
    // the timer counts length ms down. Style (rounded, halves to even):
    //   0 wrap to the other limit, endless     1 as 0; at the timer's end opaque and stop
    //   2 as 0; at the timer's end sprite off  3 ping-pong (reverse and step back), endless
    //   4 as 3; timer: opaque and stop         5 as 3; timer: sprite off
    //   6 once: held on the limit, stop        7 once: opaque, stop
    //   8 once: the sprite is turned off       9 colour flash (SetAlphaFlash)
    //   10 fade on, hold, fade off (SetFadeOnFadeOff)   11 fade in (SetFadeIn)
    // Any other style does nothing and leaves the effect on.
    void SetAlphaFading(int32_t sprite, float StartingAlpha, float StartingDir, float min, float max, float length,
                        float Style, bool Enabled);
    // Alpha 0 rising by Speed per ms up to TargetAlpha (not limited to 255), then the fade stops.
    void SetFadeIn(int32_t sprite, float Speed, float TargetAlpha, bool Enabled);
    // Alpha 255 falling by Speed per ms; below 0 the sprite is turned off. Always starts.
    void SetFadeOff(int32_t sprite, float Speed, bool Enabled);
    // Alpha 0 rising by Speed per ms to 255, held HoldTime ms, then falling; below 0 the sprite is
    // turned off.
    void SetFadeOnFadeOff(int32_t sprite, float Speed, float HoldTime, bool Enabled);
    // Shows the colour R, G, B at alpha 255 and eases it back by Speed per ms to the colour last
    // given to Sprite.SetRGB. The Alpha argument is not used: the flash is always opaque.
    void SetAlphaFlash(int32_t sprite, float R, float G, float B, float Speed, float Alpha);
    bool IsAlphaFading(int32_t sprite) const;

    // ---- The behaviour and its start delay ----------------------------------------------------
    // Delay > 0 switches the sprite off until the delay has run out, then on with the behaviour it
    // has now; 0 cancels a pending delay (the sprite stays as it is); below 0 counts as 0.
    int32_t Delay(int32_t sprite) const;
    void Delay(int32_t sprite, int32_t value);
    int32_t GetEngineType(int32_t sprite) const;
    bool IsMoving(int32_t sprite) const;
    // Pause stores the behaviour and stops it; pausing a stopped sprite keeps what was stored.
    // Resume restores a stored behaviour once (with nothing stored it changes nothing).
    void PauseMovement(int32_t sprite);
    void ResumeMovement(int32_t sprite);
    // Stops the behaviour; the sprite stays on where it is.
    void TurnOffMovement(int32_t sprite);
    bool IsAnyOfTheseDelaying(int32_t StartSprite, int32_t EndSprite) const;
    bool IsAnyOfTheseOnOrDelaying(int32_t StartSprite, int32_t EndSprite) const;
    // The velocity (XDir, YDir) in pixels per ms.
    PLMXY GetMoveDirection(int32_t sprite) const;
    // The drift added to free-flying particles and explosion pieces.
    void SetMiscAddXY(float DirX, float DirY);

    // ---- Straight movement, bounds, bouncing and wrapping --------------------------------------
    // length: ms the behaviour lasts, 0 or less = untimed.
    void Move(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, float length);
    // A shot at Angle plus a random offset of -Diff..2 x Diff degrees; returns the angle used.
    // A shot whose time runs out is turned off.
    float Shoot(int32_t sprite, float Angle, float Velocity, float XMin, float YMin, float XMax, float YMax,
                float length, float Diff);
    // As Shoot, aimed from the sprite's centre at SpriteToShoot's centre.
    float ShootSprite(int32_t sprite, int32_t SpriteToShoot, float Velocity, float XMin, float YMin, float XMax,
                      float YMax, float length, float Diff);
    void Pong(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, float length);
    // Moves to the point at Velocity and stops exactly on it.
    void MoveToXY(int32_t sprite, float XPos, float Ypos, float Velocity);
    void Thrust(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed, float ThrustYSpeed,
                float XMin, float YMin, float XMax, float YMax, float length);
    void YBounce(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed, float ThrustYSpeed,
                 float XMin, float YMin, float XMax, float YMax, float length);
    void XBounce(int32_t sprite, float StartXThrust, float StartYThrust, float ThrustXSpeed, float ThrustYSpeed,
                 float XMin, float YMin, float XMax, float YMax, float length);
    void Wrap(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, float length);
    void BounceY(int32_t sprite, float YBounce, float YMin, float YMax, bool BounceDown, float length);
    void BounceX(int32_t sprite, float XBounce, float XMin, float XMax, bool BounceRight, float length);
    void MoveYRepeat(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                     bool Wrap);
    void MoveXRepeat(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                     bool Wrap);
    void JumpAndMove(int32_t sprite, float XDir, float StartYThrust, float ThrustYSpeed, float YLandon,
                     float XDirAfterJump, float YDirAfterJump, float XMinAfterJump, float YMinAfterJump,
                     float XMaxAfterJump, float YMaxAfterJump);
    // Starts at (StartXSpeed, StartYspeed); each axis's speed changes by XSpeed / YSpeed per ms and
    // stays within its Min..Max. At the bounds the sprite wraps (Wrap) or is turned off; the timer
    // stops it.
    void Throttle(int32_t sprite, float StartXSpeed, float XSpeed, float XSpeedMin, float XSpeedMax,
                  float StartYspeed, float YSpeed, float YSpeedMin, float YSpeedMax, float XMin, float YMin,
                  float XMax, float YMax, float length, bool Wrap);

    // ---- Tracking and chasing ------------------------------------------------------------------
    // Toward the centre of another sprite (or, ChaseCToXY, a point). Speeds per ms; accelerations
    // per ms per ms; length 0 or less = untimed.
    void Track(int32_t sprite, int32_t SpriteToTrack, float XDir, float YDir, float length);
    void TrackI(int32_t sprite, int32_t SpriteToTrack, float XSpeed, float XSpeedMax, float YSpeed, float YSpeedMax,
                float length);
    void TrackIWrap(int32_t sprite, int32_t SpriteToTrack, float XSpeedStart, float XSpeed, float XSpeedMax,
                    float YSpeedStart, float YSpeed, float YSpeedMax, float XMin, float YMin, float XMax, float YMax);
    void TrackIBoundry(int32_t sprite, int32_t SpriteToTrack, float XSpeedStart, float XSpeed, float XSpeedMax,
                       float YSpeedStart, float YSpeed, float YSpeedMax, float XMin, float YMin, float XMax,
                       float YMax);
    void Chase(int32_t sprite, int32_t SpriteToChase, float Velocity, float XMin, float YMin, float XMax, float YMax,
               float length, bool TurnOffIfSpriteToChaseIsOff);
    void ChaseC(int32_t sprite, int32_t SpriteToChase, float Velocity, float XDiffSpeed, float YDiffSpeed,
                float MaxXDiffSpeed, float MaxYDiffSpeed, float XMin, float YMin, float XMax, float YMax, float length,
                bool TurnOffIfSpriteToChaseIsOff, bool Wrap);
    void ChaseCToXY(int32_t sprite, float XPos, float Ypos, float Velocity, float XDiffSpeed, float YDiffSpeed,
                    float MaxXDiffSpeed, float MaxYDiffSpeed, float XMin, float YMin, float XMax, float YMax,
                    float length, bool Wrap);
    // Moves the point a ChaseCToXY sprite chases; the chase keeps running.
    void UpdateToXY(int32_t sprite, float XPos, float Ypos);

    // ---- Orbits and waves ----------------------------------------------------------------------
    // Radii in pixels, angular speeds in radians per ms; StartAngle in degrees (0 above the
    // centre, 90 right of it, 180 below).
    void Orbit(int32_t sprite, int32_t SpriteToOrbit, float Radius, float OrbitSpeed, float XOffset, float YOffset,
               float Style, bool OrbitRight, float length, float RadiusGrowth, float RadiusGrowthSpeed,
               bool TurnOffWhenOrbitedIsOff, float StartAngle);
    // A centre of 0 means the sprite's own coordinate.
    void OrbitStill(int32_t sprite, float Radius, float OrbitSpeed, bool OrbitRight, float length, float StartAngle,
                    float XPos, float Ypos);
    // A centre coordinate of -10000 or less means the sprite's own coordinate.
    void OrbitStillX(int32_t sprite, float Radius, float OrbitSpeed, bool OrbitRight, float length, float StartAngle,
                     float XPos, float Ypos);
    void OrbitStillY(int32_t sprite, float Radius, float OrbitSpeed, bool orbitdown, float length, float StartAngle,
                     float XPos, float Ypos);
    void OrbitMove(int32_t sprite, float Radius, float OrbitSpeed, float XDir, float YDir, float XMin, float YMin,
                   float XMax, float YMax, bool OrbitRight, float RadiusGrowthSpeed, float length);
    void OrbitMoveXY(int32_t sprite, float Radius, float OrbitSpeed, float XDir, float YDir, float XMin, float YMin,
                     float XMax, float YMax, bool OrbitRight, float length, bool Wrap, float RandomMovementLengthMin,
                     float RandomMovementLengthMax);
    void YCos(int32_t sprite, float YDir, float Radius, float RotateSpeed, float XMin, float YMin, float XMax,
              float YMax, bool StartRight, float length, float StartAngle);
    void XSin(int32_t sprite, float XDir, float Radius, float RotateSpeed, float XMin, float YMin, float XMax,
              float YMax, bool StartDown, float length, float StartAngle);
    void YCosRepeat(int32_t sprite, float YDir, float Radius, float RotateSpeed, float XMin, float YMin, float XMax,
                    float YMax, bool StartDown, bool Wrap);
    void XSinRepeat(int32_t sprite, float XDir, float Radius, float RotateSpeed, float XMin, float YMin, float XMax,
                    float YMax, bool StartDown, bool Wrap);
    void YCosYThrust(int32_t sprite, float YDir, float ythrust, float Radius, float RotateSpeed, float XMin,
                     float YMin, float XMax, float YMax, bool StartRight, float length, float StartAngle);
    float OrbitRadius(int32_t sprite) const;
    void OrbitRadius(int32_t sprite, float value);
    float OrbitRadiusSpeed(int32_t sprite) const;
    void OrbitRadiusSpeed(int32_t sprite, float value);

    // ---- Latching and billboards ---------------------------------------------------------------
    void Latch(int32_t sprite, int32_t SpriteToLatchOn, float XOffset, float YOffset, float length);
    void LatchMove(int32_t sprite, float XDir, float YDir, int32_t SpriteToLatchOn, float XOffset, float YOffset,
                   float length);
    // The offsets turn with the latched sprite's rotation: XOffset to its right, YOffset below it.
    void LatchRotate(int32_t sprite, int32_t SpriteToLatchOn, float XOffset, float YOffset, bool RotateSprite,
                     float length);
    // Flies in with thrust to the line X = Xtarget (Y = Ytarget), holds there TargetDelay ms (-1:
    // for good), then flies out with the thrust reversed and is turned off outside Min..Max.
    void BillboardX(int32_t sprite, float XDir, float YDir, float ThrustXSpeed, float ThrustYSpeed, float Xtarget,
                    float TargetDelay, float XMin, float XMax);
    void BillboardY(int32_t sprite, float XDir, float YDir, float ThrustXSpeed, float ThrustYSpeed, float Ytarget,
                    float TargetDelay, float YMin, float YMax);
    bool IsBillboardWaiting(int32_t sprite) const;

    // ---- Paths ---------------------------------------------------------------------------------
    // Around the edge of the box at Speed per ms, from the corner and along the edge StartDirection
    // names (FrameMoveStartDirection; RandomCorner draws one), turning at each corner; the timer
    // stops it.
    void FrameMove(int32_t sprite, float Speed, float XMin, float YMin, float XMax, float YMax,
                   int32_t StartDirection, float length);
    // Every Interval ms a whole step of (XStep, YStep) pixels; turned off outside the bounds; the
    // timer stops it.
    void RoboMove(int32_t sprite, float XStep, float YStep, float Interval, float XMin, float YMin, float XMax,
                  float YMax, float length);
    // Splines 1..1024: paths of points followed as a smooth curve through every point. SplineAdd
    // appends a point; SplineLoad replaces the path with the points of a spline file (see
    // docs/formats.md) and refuses a damaged or missing file, keeping the path it had.
    bool SplineAdd(int32_t Index, float XPos, float Ypos);
    bool SplineLoad(int32_t Index, const std::string& FileName);
    // Follows spline Index, its points taken about (XOffset, YOffset), X negated when Mirror, Y when
    // Flip, at Speed segments per ms (one segment runs from a point to the next). At the last point
    // it starts again (Repeat), stops there (LeaveOn) or is turned off. An empty path is refused.
    void Spline(int32_t sprite, int32_t Index, float Speed, float XOffset, float YOffset, bool Repeat, bool LeaveOn,
                bool Mirror, bool Flip);
    // Way points 1..1024: paths followed in straight lines at Speed pixels per ms, from the sprite's
    // position to the first point and on; the ends as Spline. Points are used as given.
    bool WayPointAdd(int32_t Index, float XPos, float Ypos);
    void WayPoint(int32_t sprite, int32_t Index, float Speed, bool Repeat, bool LeaveOn);

    // ---- Input-driven behaviours ---------------------------------------------------------------
    // Moved by held keys (scan codes) at XSpeed, YSpeed per ms, held inside the bounds.
    void KeyMove(int32_t sprite, int32_t KeyLeft, int32_t KeyRight, int32_t KeyUp, int32_t KeyDown, float XSpeed,
                 float YSpeed, float XMin, float YMin, float XMax, float YMax);
    // Placed on the mouse pointer plus the offset each frame, held inside the bounds.
    void Mouse(int32_t sprite, float XOffset, float YOffset, float XMin, float YMin, float XMax, float YMax);
    // A button: shows frame column XFrameUp, XFrameOver or XFrameDown as the pointer is away, over
    // it, or over it with button 1 held; releasing the button over it is a click.
    void Button(int32_t sprite, int32_t XFrameUp, int32_t XFrameOver, int32_t XFrameDown);
    // True once for each click since the last call.
    bool ButtonClicked(int32_t sprite);

    // ---- Scaling and rotation effects ----------------------------------------------------------
    // A scale effect on Scaled (SetXScaling: XScaled, SetYScaling: YScaled). The scale is set to
    // StartingScale unless that is -1 or less, then changes by StartingDir per ms. Past a limit
    // means strictly above max or below min; "timer" counts length ms down. Styles:
    //   0 wrap to the other limit, endless     1 as 0, at the timer's end scale 1.0 and stop
    //   2 as 0, at the timer's end sprite off  3 ping-pong (reverse and step back), endless
    //   4 as 3, timer: scale 1.0 and stop      5 as 3, timer: sprite off
    //   6 once: held on the limit, stop        7 once: scale 1.0, stop (the sprite stays on)
    //   8 once: the sprite is turned off       9 no limits; at the timer's end stop
    // Uniform scaling only: 10 in and out (SetScalingInAndOut), 11 and 12 by distance (below).
    void SetScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max, float length,
                    float Style, bool Enabled);
    void SetXScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max, float length,
                     float Style, bool Enabled);
    void SetYScaling(int32_t sprite, float StartingScale, float StartingDir, float min, float max, float length,
                     float Style, bool Enabled);
    // Style 10: the scale runs by StartingDir to the first limit it passes, is held there and turns
    // back, runs to the other limit, is held there and the effect ends.
    void SetScalingInAndOut(int32_t sprite, float StartingScale, float StartingDir, float min, float max,
                            bool Enabled);
    // Styles 11 and 12: each frame the scale follows the distance from the sprite's centre to a
    // point (or to another sprite's centre): MinScale at MinDistance or nearer, MaxScale at
    // MaxDistance or farther, in proportion between.
    void SetScalingXYDistance(int32_t sprite, float XPos, float Ypos, float MinDistance, float MaxDistance,
                              float MinScale, float MaxScale, bool Enabled);
    void SetScalingSpriteDistance(int32_t sprite, int32_t SpriteToMeasure, float MinDistance, float MaxDistance,
                                  float MinScale, float MaxScale, bool Enabled);
    bool IsScaling(int32_t sprite) const;

    // A rotation effect on Rotate, in degrees: Rotate = StartingRotate unless that is -1 or less;
    // min below 0 counts as 0, max above 719 as 719. Styles as the scale effect's 0..8, on Rotate
    // (style 7 ends upright, Rotate 0). Style 0: endless spin, continuing from min above max and
    // from max below min.
    void SetRotating(int32_t sprite, float StartingRotate, float StartingDir, float min, float max, float length,
                     float Style, bool Enabled);
    // Style 9: a spin within min..max (wrapping as style 0) at a speed drawn from
    // MinSpeed..MaxSpeed, drawn again every ChangeInterval ms (0 or less: drawn once).
    void SetRotatingRandom(int32_t sprite, float StartingRotate, float MinSpeed, float MaxSpeed, float min,
                           float max, float ChangeInterval, bool Enabled);
    // Style 10: each frame the sprite faces SpriteToRotateTo (from centre to centre).
    void SetRotateToSprite(int32_t sprite, int32_t SpriteToRotateTo, bool Enabled);
    // Style 11: each frame the sprite takes SpriteToRotateWith's rotation.
    void SetRotateWithSprite(int32_t sprite, int32_t SpriteToRotateWith, bool Enabled);
    // Style 12: each frame the sprite faces the way it moved since the last frame (kept while
    // it stands still).
    void SetRotateToDirection(int32_t sprite, bool Enabled);
    bool IsRotating(int32_t sprite) const;
};

}  // namespace plm
