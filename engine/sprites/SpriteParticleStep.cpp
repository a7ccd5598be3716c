#include "sprites/SpriteParticleStep.h"

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

// Movement kinds of the emitter (ParticleStyle).
constexpr int kTrailsConstant = 0, kVrails = 1, kHrails = 2, kTrailsIfMoved = 3, kRotatedRail = 4,
              kRotatedRailSpin = 5, kRotatedTrail = 6;

int KindOf(const SpriteParticles& p) {
    const float k = p.ParticleStyle;
    return (k == static_cast<float>(Int(k)) && k >= 0 && k <= 6) ? Int(k) : -1;
}

// The rotation step of a particle: wraps past 360 to 0 and below 0 to 360 (360 itself stays).
void Spin(SpriteParticle& q, float d) {
    q.Rotation += q.RotationStep * d;
    if (q.Rotation > 360.0f) q.Rotation = 0;
    if (q.Rotation < 0) q.Rotation = 360.0f;
}

void ScaleStep(SpriteParticle& q, bool autoScale, float d) {
    if (autoScale) return;
    q.Scale += q.ScaleStep * d;
    if (q.Scale < 0) q.Scale = 0;
}

// A particle on a rail: it travels along one axis relative to the emission point and stays on
// the emission point's line in the other; both speeds take their thrust.
void RailStep(float& rel, float& along, float& speed, float thrust, float base, float& across, float& acrossSpeed,
              float acrossThrust, float acrossBase, float d) {
    rel += speed * d;
    along = base + rel;
    speed += thrust * d;
    across = acrossBase;
    acrossSpeed += acrossThrust * d;
}

// One emission check; writes the next particle when the delay has run out.
void Emit(SpriteRecord& r, int kind) {
    EngineState& st = State();
    SpriteParticleEmitter& e = r.Emitter;
    if (kind == kTrailsIfMoved) {
        // Only whole-pixel moves count; the timer waits while the sprite stands.
        if (static_cast<float>(Int(r.X)) == e.LastX && static_cast<float>(Int(r.Y)) == e.LastY) return;
        e.LastX = static_cast<float>(Int(r.X));
        e.LastY = static_cast<float>(Int(r.Y));
    }
    r.ParticleDelayTimer -= st.Delta;
    if (r.ParticleDelayTimer >= 0) return;
    r.ParticleDelayTimer = r.ParticleDelay;
    r.ParticleSlot += 1;
    if (r.ParticleSlot > r.ParticleTotal || r.ParticleSlot > static_cast<float>(kMaxParticles)) r.ParticleSlot = 1;
    SpriteParticle& q = r.Particle[static_cast<size_t>(Int(r.ParticleSlot))];
    // LeaveOn: a particle still visible keeps its slot; the slot has advanced all the same.
    if (e.LeaveOn && q.Alpha > 0) return;

    if (kind != kRotatedTrail) {
        q.XSpeed = e.XSpeedStart;
        q.YSpeed = e.YSpeedStart;
        q.X = r.X + e.XOffset;
        q.Y = r.Y + e.YOffset;
        if (r.ParticleRandomPlacement) {
            const float spread = 16.0f * e.RandomPlacementScale;
            const int32_t range = RoundHalfEven(32.0f * e.RandomPlacementScale);
            q.X = r.X + e.XOffset - spread + static_cast<float>(RandomInRange(1, range));
            q.Y = r.Y + e.YOffset - spread + static_cast<float>(RandomInRange(1, range));
        }
    } else {
        q.X = r.X;
        q.Y = r.Y;
        AddTurnedOffset(r.Rotate, e.XOffset, e.YOffset, q.X, q.Y);
        DirectionFromAngle(r.Rotate, e.XSpeedStart);
        q.XSpeed = -st.Rx;
        q.YSpeed = -st.Ry;
    }
    q.RelX = q.RelY = 0;
    q.Alpha = e.AlphaStart;
    q.AlphaStep = e.AlphaFadingDir;
    if (e.RandomColor) {
        q.Red = static_cast<float>(RandomInRange(10, 255));
        q.Green = static_cast<float>(RandomInRange(10, 255));
        q.Blue = static_cast<float>(RandomInRange(10, 255));
    }
    q.Rotation = r.ParticleRandomRotate ? static_cast<float>(RandomInRange(0, 360)) : r.Rotate;
    q.RotationStep = e.RotateDir;
    if (e.RandomRotateStartDir && RandomChance(50)) q.RotationStep = -e.RotateDir;
    if (!e.AutoScale) {
        q.Scale = e.ScaleSize;
        q.ScaleStep = e.ScalingDir;
    } else {
        q.Scale = r.Scaled;
        e.XScale = r.XScaled;
        e.YScale = r.YScaled;
    }
}

// Moves one living particle by this frame's Delta.
void Move(const SpriteRecord& r, int kind, SpriteParticle& q) {
    const EngineState& st = State();
    const SpriteParticleEmitter& e = r.Emitter;
    const float d = st.Delta;
    switch (kind) {
        case kTrailsConstant:
        case kTrailsIfMoved:
        case kRotatedTrail:
            q.X += (st.MiscAddX + q.XSpeed) * d;
            q.XSpeed += e.XSpeedThrust * d;
            q.Y += (st.MiscAddY + q.YSpeed) * d;
            q.YSpeed += e.YSpeedThrust * d;
            // Free particles scale twice a frame: once with the move, once after the spin.
            ScaleStep(q, e.AutoScale, d);
            Spin(q, d);
            ScaleStep(q, e.AutoScale, d);
            break;
        case kVrails:
            RailStep(q.RelX, q.X, q.XSpeed, e.XSpeedThrust, r.X + e.XOffset, q.Y, q.YSpeed, e.YSpeedThrust,
                     r.Y + e.YOffset, d);
            Spin(q, d);
            ScaleStep(q, e.AutoScale, d);
            break;
        case kHrails:
            RailStep(q.RelY, q.Y, q.YSpeed, e.YSpeedThrust, r.Y + e.YOffset, q.X, q.XSpeed, e.XSpeedThrust,
                     r.X + e.XOffset, d);
            Spin(q, d);
            ScaleStep(q, e.AutoScale, d);
            break;
        case kRotatedRail:
        case kRotatedRailSpin: {
            // Sits behind the sprite along its heading; XSpeed is the distance along the rail.
            float x = r.X, y = r.Y;
            AddTurnedOffset(r.Rotate, e.XOffset, e.YOffset, x, y);
            if (kind == kRotatedRail || !r.ParticleRandomRotate) q.Rotation = r.Rotate;
            DirectionFromAngle(r.Rotate, q.XSpeed);
            q.X = x - st.Rx;
            q.Y = y - st.Ry;
            q.XSpeed += e.XSpeedThrust * d;
            if (kind == kRotatedRailSpin) Spin(q, d);
            ScaleStep(q, e.AutoScale, d);
            break;
        }
        default:
            ScaleStep(q, e.AutoScale, d);
            break;
    }
}

void DrawParticle(const SpriteRecord& r, const SpriteParticle& q, platform::SurfaceId texture) {
    EngineState& st = State();
    const SpriteParticleEmitter& e = r.Emitter;
    const MapState& map = st.Map;
    DrawArgs& a = st.Draw;
    a.Src.left = RoundHalfEven(e.SrcX);
    a.Src.top = RoundHalfEven(e.SrcY);
    a.Src.right = RoundHalfEven(static_cast<float>(a.Src.left) + e.Width);
    a.Src.bottom = RoundHalfEven(e.Height + static_cast<float>(a.Src.top));
    const float sx = q.Scale * e.XScale;
    const float sy = q.Scale * e.YScale;
    a.RotationCentre = {static_cast<float>(IntDiv(RoundHalfEven(e.Width), 2)) * e.XScale * q.Scale,
                        static_cast<float>(IntDiv(RoundHalfEven(e.Height), 2)) * e.YScale * q.Scale};
    a.Scaling = {sx, sy};
    const int32_t halfW = IntDiv(RoundHalfEven(e.Width * e.XScale * q.Scale), 2);
    const int32_t halfH = IntDiv(RoundHalfEven(e.Height * e.YScale * q.Scale), 2);
    a.Translation = {static_cast<float>(Int(q.X - static_cast<float>(halfW)) - Int(map.MapX) + map.MapScreenX),
                     static_cast<float>(Int(q.Y - static_cast<float>(halfH)) - Int(map.MapY) + map.MapScreenY)};
    // Not DrawColor: a particle's colour is rounded (ParticleSetRGB stores fractions), only its
    // alpha is cut to the whole part.
    const uint32_t color = MakeColorARGB(static_cast<float>(Int(q.Alpha)), q.Red, q.Green, q.Blue);
    st.D3DDevice->SpriteDraw(texture, &a.Src, a.Scaling, a.RotationCentre, DegreeToRad(q.Rotation), a.Translation,
                             color);
}

}  // namespace

int32_t ParticlesInUse(const SpriteParticles& p) {
    const int32_t n = RoundHalfEven(p.ParticleTotal);
    return n < 0 ? 0 : (n > kMaxParticles ? kMaxParticles : n);
}

void StepAndDrawParticles(int32_t sprite) {
    SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r || r->ParticleAmount == 0) return;
    const int kind = KindOf(*r);
    if (r->On != 0) Emit(*r, kind);
    // Particles on an empty texture slot still fly and fade, but draw nothing and send no blends.
    const platform::SurfaceId texture = TextureDrawSource(RoundHalfEven(r->Emitter.TextureIndex));
    if (texture != platform::kNoSurface) SetBlend(r->Emitter.SourceMode, r->Emitter.DestinationMode);
    const float d = State().Delta;
    const int32_t n = ParticlesInUse(*r);
    for (int32_t i = 1; i <= n; ++i) {
        SpriteParticle& q = r->Particle[static_cast<size_t>(i)];
        if (!(q.Alpha > 0)) continue;
        Move(*r, kind, q);
        q.Alpha += q.AlphaStep * d;
        if (q.Alpha < 0) {
            q.Alpha = 0;  // dead from the next frame on
            continue;
        }
        if (texture != platform::kNoSurface) DrawParticle(*r, q, texture);
    }
}

}  // namespace plm
