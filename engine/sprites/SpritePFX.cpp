#include "sprites/SpritePFX.h"

#include <string>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/ExplosionPresets.h"
#include "sprites/ExplosionProcs.h"
#include "sprites/ParticleSheet.h"
#include "sprites/SpriteParticleStep.h"
#include "sprites/SpriteRecord.h"
#include "sprites/SpriteRows.h"

namespace plm {

namespace {

// Total kept within the pool: 100 at 100 or more, 1 below 1.
float ClampTotal(float total) { return total >= 100.0f ? 100.0f : (total < 1.0f ? 1.0f : total); }

// What every setter does last: the pool in use is cleared to dead particles of the emitter's
// colour, and the delay, timer, total and slot start afresh.
void StartRun(SpriteRecord& r, float total, float delay) {
    total = ClampTotal(total);
    SpriteParticleEmitter& e = r.Emitter;
    r.ParticleTotal = total;
    const int32_t n = ParticlesInUse(r);
    for (int32_t i = 1; i <= n; ++i) {
        SpriteParticle& q = r.Particle[static_cast<size_t>(i)];
        q.Alpha = 0;
        q.Red = static_cast<float>(e.Red);
        q.Green = static_cast<float>(e.Green);
        q.Blue = static_cast<float>(e.Blue);
    }
    r.ParticleDelay = r.ParticleDelayTimer = delay;
    r.ParticleSlot = 0;
}

void StoreColour(SpriteParticleEmitter& e, float red, float green, float blue) {
    e.Red = RoundHalfEven(red);
    e.Green = RoundHalfEven(green);
    e.Blue = RoundHalfEven(blue);
}

// Image scales, scatter and the start speeds and thrusts, as the preset and custom setters take them.
void StoreMotion(SpriteRecord& r, float XScale, float YScale, bool RandomPlacement, float RandomPlacementScale,
                 float XSpeedStart, float XSpeedThrust, float YSpeedStart, float YSpeedThrust) {
    SpriteParticleEmitter& e = r.Emitter;
    e.XScale = XScale;
    e.YScale = YScale;
    r.ParticleRandomPlacement = RandomPlacement;
    e.RandomPlacementScale = RandomPlacementScale;
    e.XSpeedStart = XSpeedStart;
    e.XSpeedThrust = XSpeedThrust;
    e.YSpeedStart = YSpeedStart;
    e.YSpeedThrust = YSpeedThrust;
}

// The preset emitter styles 1..46: image, start alpha, scale-step factor and movement kind.
struct ParticlePreset {
    sheet::Rect Image;
    float AlphaStart;
    float ScaleFactor;
    int Kind;
};

// Styles 13..44 come in eight groups of four (plain, spinning, coloured, spinning and coloured;
// twice), each group holding the movement kinds 0, 3, 1, 2 in turn.
bool PresetOf(int style, ParticlePreset& p) {
    constexpr int kFourKinds[4] = {0, 3, 1, 2};
    switch (style) {
        case 1: case 2: case 3: case 4:
            p = {sheet::kParticleGlow, 100, style <= 2 ? -0.002f : -0.0005f, kFourKinds[style - 1]};
            return true;
        case 5: case 6: case 7: case 8:
            p = {sheet::kParticleStar, 100, style <= 6 ? -0.002f : -0.0005f, kFourKinds[style - 5]};
            return true;
        case 9: p = {sheet::kParticleFlameUp, 130, -0.0005f, 2}; return true;
        case 10: p = {sheet::kParticleFlameDown, 130, -0.0005f, 2}; return true;
        case 11: p = {sheet::kParticleFlameLeft, 130, -0.0005f, 1}; return true;
        case 12: p = {sheet::kParticleFlameRight, 130, -0.0005f, 1}; return true;
        case 46: p = {sheet::kParticleFlameUp, 130, -0.0005f, 4}; return true;
        default: break;
    }
    if (style >= 13 && style <= 44) {
        p = {style <= 27 ? sheet::kParticleFlare : sheet::kParticleSpark, 255, -0.0015f, kFourKinds[(style - 13) % 4]};
        return true;
    }
    return false;
}

}  // namespace

// ---- Emitters ------------------------------------------------------------------------------------

void SpritePFX::ParticleOn(int32_t sprite, float Style, float XOffset, float YOffset, bool OnTop, float ScaleSize,
                           float Total, float Delay, float AlphaFadingScale, float ShrinkingScale, float XScale,
                           float YScale, bool RandomPlacement, float RandomPlacementScale, float XSpeedStart,
                           float XSpeedThrust, float YSpeedStart, float YSpeedThrust, bool LeaveOn, float Red,
                           float Green, float Blue, int32_t SourceMode, int32_t DestinationMode) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    SpriteParticleEmitter& e = r->Emitter;
    e.TextureIndex = static_cast<float>(State().Explosions.PFXTexture);
    e.XOffset = XOffset;
    e.YOffset = YOffset;
    e.OnTop = OnTop;
    e.ScaleSize = ScaleSize;
    StoreMotion(*r, XScale, YScale, RandomPlacement, RandomPlacementScale, XSpeedStart, XSpeedThrust, YSpeedStart,
                YSpeedThrust);
    e.LeaveOn = LeaveOn;
    e.SourceMode = SourceMode;
    e.DestinationMode = DestinationMode;
    StoreColour(e, Red, Green, Blue);
    e.AutoScale = false;
    r->ParticleAmount = Style;
    e.LastX = r->X;
    e.LastY = r->Y;
    e.RotateDir = 0;
    r->ParticleStyle = 0;
    r->ParticleRandomRotate = false;
    e.RandomRotateStartDir = e.RandomColor = false;
    StartRun(*r, Total, Delay);

    const int style = Int(Style);
    if (static_cast<float>(style) != Style) return;  // fractions set no preset
    ParticlePreset p{};
    if (PresetOf(style, p)) {
        e.SrcX = static_cast<float>(p.Image.x);
        e.SrcY = static_cast<float>(p.Image.y);
        e.Width = static_cast<float>(p.Image.w);
        e.Height = static_cast<float>(p.Image.h);
        e.AlphaStart = p.AlphaStart;
        e.ScalingDir = ShrinkingScale * p.ScaleFactor;
        e.AlphaFadingDir = AlphaFadingScale * -0.1f;
        r->ParticleStyle = static_cast<float>(p.Kind);
        r->ParticleRandomRotate = (style >= 1 && style <= 8) || (style >= 13 && style <= 44);
        if (style == 46) e.XOffset = -XOffset;
        const int inGroup = (style - 13) / 4;  // 0..7 for styles 13..44
        if (style >= 13 && style <= 44) {
            if (inGroup % 2 == 1) {
                e.RotateDir = 0.5f;
                e.RandomRotateStartDir = true;
            }
            if (inGroup == 2 || inGroup == 3 || inGroup == 6 || inGroup == 7) e.RandomColor = true;
        }
    } else if (style == 45) {
        // The ring: a fresh emitter holds no alpha or steps, so the ring takes full alpha and
        // the fade and shrink of styles 1 and 5 (a set-up that showed nothing is no use to anyone).
        e.SrcX = static_cast<float>(sheet::kParticleRing.x);
        e.SrcY = static_cast<float>(sheet::kParticleRing.y);
        e.Width = static_cast<float>(sheet::kParticleRing.w);
        e.Height = static_cast<float>(sheet::kParticleRing.h);
        e.AlphaStart = 255;
        e.ScalingDir = ShrinkingScale * -0.002f;
        e.AlphaFadingDir = AlphaFadingScale * -0.1f;
    }
}

namespace {

// The fields ParticleOnCustom and the two rotated setters share.
void StoreCustom(SpriteRecord& r, float XOffset, float YOffset, bool OnTop, float ScaleSize, int32_t TextureIndex,
                 int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float AlphaStart, float AlphaFadingDir,
                 float ScalingDir, bool RandomColor, bool RandomRotate, float RotateDir, bool RandomRotateStartDir,
                 bool LeaveOn, float Red, float Green, float Blue, int32_t SourceMode, int32_t DestinationMode) {
    SpriteParticleEmitter& e = r.Emitter;
    e.TextureIndex = static_cast<float>(TextureIndex);
    e.SrcX = static_cast<float>(SrcX);
    e.SrcY = static_cast<float>(SrcY);
    e.Width = static_cast<float>(Width);
    e.Height = static_cast<float>(Height);
    r.ParticleAmount = 1.0f;
    e.ScaleSize = ScaleSize;
    e.ScalingDir = ScalingDir;
    e.AlphaStart = AlphaStart;
    e.AlphaFadingDir = AlphaFadingDir;
    e.RotateDir = RotateDir;
    e.RandomColor = RandomColor;
    r.ParticleRandomRotate = RandomRotate;
    e.RandomRotateStartDir = RandomRotateStartDir;
    e.LeaveOn = LeaveOn;
    e.OnTop = OnTop;
    e.XOffset = XOffset;
    e.YOffset = YOffset;
    e.SourceMode = SourceMode;
    e.DestinationMode = DestinationMode;
    StoreColour(e, Red, Green, Blue);
    e.AutoScale = false;
    e.LastX = r.X;
    e.LastY = r.Y;
}

}  // namespace

void SpritePFX::ParticleOnCustom(int32_t sprite, int32_t Style, float XOffset, float YOffset, bool OnTop,
                                 float ScaleSize, float Total, float Delay, int32_t TextureIndex, int32_t SrcX,
                                 int32_t SrcY, int32_t Width, int32_t Height, float AlphaStart, float AlphaFadingDir,
                                 float ScalingDir, float XScale, float YScale, bool RandomPlacement,
                                 float RandomPlacementScale, float XSpeedStart, float XSpeedThrust, float YSpeedStart,
                                 float YSpeedThrust, bool RandomColor, bool RandomRotate, float RotateDir,
                                 bool RandomRotateStartDir, bool LeaveOn, float Red, float Green, float Blue,
                                 int32_t SourceMode, int32_t DestinationMode) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    StoreCustom(*r, XOffset, YOffset, OnTop, ScaleSize, TextureIndex, SrcX, SrcY, Width, Height, AlphaStart,
                AlphaFadingDir, ScalingDir, RandomColor, RandomRotate, RotateDir, RandomRotateStartDir, LeaveOn, Red,
                Green, Blue, SourceMode, DestinationMode);
    r->ParticleStyle = static_cast<float>(Style);
    StoreMotion(*r, XScale, YScale, RandomPlacement, RandomPlacementScale, XSpeedStart, XSpeedThrust, YSpeedStart,
                YSpeedThrust);
    StartRun(*r, Total, Delay);
}

namespace {

// The rotated kinds 5 and 6 share every field but their speeds: the X offset is stored negated,
// the image is unscaled and nothing is scattered.
SpriteRecord* StoreRotated(int32_t sprite, int kind, float XOffset, float YOffset, bool OnTop, float ScaleSize,
                           int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                           float AlphaStart, float AlphaFadingDir, float ScalingDir, bool RandomColor,
                           bool RandomRotate, float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                           float Green, float Blue, int32_t SourceMode, int32_t DestinationMode) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return nullptr;
    StoreCustom(*r, -XOffset, YOffset, OnTop, ScaleSize, TextureIndex, SrcX, SrcY, Width, Height, AlphaStart,
                AlphaFadingDir, ScalingDir, RandomColor, RandomRotate, RotateDir, RandomRotateStartDir, LeaveOn, Red,
                Green, Blue, SourceMode, DestinationMode);
    r->ParticleStyle = static_cast<float>(kind);
    r->Emitter.XScale = r->Emitter.YScale = 1.0f;
    r->ParticleRandomPlacement = false;
    return r;
}

}  // namespace

void SpritePFX::ParticleOnCustomRotateWithRails(int32_t sprite, float XOffset, float YOffset, bool OnTop,
                                                float ScaleSize, float Total, float Delay, int32_t TextureIndex,
                                                int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                                                float AlphaStart, float AlphaFadingDir, float ScalingDir,
                                                float MovementSpeed, bool RandomColor, bool RandomRotate,
                                                float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                                                float Green, float Blue, int32_t SourceMode, int32_t DestinationMode) {
    SpriteRecord* r = StoreRotated(sprite, 5, XOffset, YOffset, OnTop, ScaleSize, TextureIndex, SrcX, SrcY, Width,
                                   Height, AlphaStart, AlphaFadingDir, ScalingDir, RandomColor, RandomRotate,
                                   RotateDir, RandomRotateStartDir, LeaveOn, Red, Green, Blue, SourceMode,
                                   DestinationMode);
    if (!r) return;
    SpriteParticleEmitter& e = r->Emitter;
    e.RandomPlacementScale = 0;
    // The rail's length grows by MovementSpeed per ms.
    e.XSpeedStart = e.YSpeedStart = e.YSpeedThrust = 0;
    e.XSpeedThrust = MovementSpeed;
    StartRun(*r, Total, Delay);
}

void SpritePFX::ParticleOnCustomRotateWithTrails(int32_t sprite, float XOffset, float YOffset, bool OnTop,
                                                 float ScaleSize, float Total, float Delay, int32_t TextureIndex,
                                                 int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                                                 float AlphaStart, float AlphaFadingDir, float ScalingDir,
                                                 float MovementSpeed, bool RandomColor, bool RandomRotate,
                                                 float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                                                 float Green, float Blue, int32_t /*SourceMode*/,
                                                 int32_t /*DestinationMode*/) {
    const SpriteRecord* row = SpriteRow(sprite);
    const int32_t dest = row && row->Blend ? BlendOne : BlendInvSrcAlpha;
    SpriteRecord* r = StoreRotated(sprite, 6, XOffset, YOffset, OnTop, ScaleSize, TextureIndex, SrcX, SrcY, Width,
                                   Height, AlphaStart, AlphaFadingDir, ScalingDir, RandomColor, RandomRotate,
                                   RotateDir, RandomRotateStartDir, LeaveOn, Red, Green, Blue, BlendSrcAlpha, dest);
    if (!r) return;
    SpriteParticleEmitter& e = r->Emitter;
    e.RandomPlacementScale = 1.0f;
    e.XSpeedStart = MovementSpeed;  // launch speed, backwards along the heading
    e.XSpeedThrust = e.YSpeedStart = e.YSpeedThrust = 0;
    StartRun(*r, Total, Delay);
}

bool SpritePFX::ParticleAutoScale(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r && r->Emitter.AutoScale;
}
void SpritePFX::ParticleAutoScale(int32_t sprite, bool value) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->Emitter.AutoScale = value;
}
float SpritePFX::ParticleAlphaDirection(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->Emitter.AlphaFadingDir : 0;
}
void SpritePFX::ParticleAlphaDirection(int32_t sprite, float value) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->Emitter.AlphaFadingDir = value;
}
float SpritePFX::ParticleScaleDirection(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->Emitter.ScalingDir : 0;
}
void SpritePFX::ParticleScaleDirection(int32_t sprite, float value) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->Emitter.ScalingDir = value;
}

void SpritePFX::ParticleSetRGB(int32_t sprite, float Red, float Green, float Blue) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return;
    StoreColour(r->Emitter, Red, Green, Blue);
    const int32_t n = ParticlesInUse(*r);
    for (int32_t i = 1; i <= n; ++i) {
        SpriteParticle& q = r->Particle[static_cast<size_t>(i)];
        q.Red = Red;
        q.Green = Green;
        q.Blue = Blue;
    }
}

int32_t SpritePFX::ParticleTotal(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? RoundHalfEven(r->ParticleTotal) : 0;
}
void SpritePFX::ParticleTotal(int32_t sprite, int32_t value) {
    // The pool holds 100 usable particles: a larger total would run past it.
    if (SpriteRecord* r = SpriteRow(sprite)) r->ParticleTotal = ClampTotal(static_cast<float>(value));
}

void SpritePFX::ParticleOff(int32_t sprite) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->ParticleAmount = 0;
}

// ---- The explosion pool ----------------------------------------------------------------------

void SpritePFX::Init(int32_t Texture, int32_t HowManyExplosionsToWrap, int32_t HowManyExplosionIndexes) {
    const int64_t slots = static_cast<int64_t>(HowManyExplosionsToWrap) * HowManyExplosionIndexes;
    if (HowManyExplosionsToWrap < 0 || HowManyExplosionIndexes < 0 || slots > kMaxExplosionSlots) {
        LogError("SpritePFX.Init", {"Explosion pool of " + std::to_string(HowManyExplosionsToWrap) + " x " +
                                    std::to_string(HowManyExplosionIndexes) + " slots refused (at most " +
                                    std::to_string(kMaxExplosionSlots) + ")."});
        return;
    }
    ExplosionPool& p = State().Explosions;
    p.PFXTexture = Texture;
    p.ExplosionsToWrap = HowManyExplosionsToWrap;
    p.ExplosionIndexes = HowManyExplosionIndexes;
    p.ExplosionTable.resize(static_cast<int>(slots));
    p.ExplosionCursor.resize(HowManyExplosionIndexes);
    CurrentIndex = CurrentSlot = 0;
}

int32_t SpritePFX::Texture() const { return State().Explosions.PFXTexture; }
void SpritePFX::Texture(int32_t value) { State().Explosions.PFXTexture = value; }

void SpritePFX::ExplosionCustomStart(int32_t TextureIndex, float ExplosionDuration, float StartDelay, int32_t Index,
                                     int32_t SourceMode, int32_t DestinationMode) {
    CurrentSlot = TakeExplosionSlot(Index, TextureIndex, ExplosionDuration, StartDelay, SourceMode, DestinationMode);
    CurrentIndex = CurrentSlot != 0 ? Index : 0;
}

void SpritePFX::ExplosionCustomSetNode(float XPos, float Ypos, int32_t TextureXSrc, int32_t TextureYSrc,
                                       int32_t Width, int32_t Height, float AlphaStart, float AlphaDir,
                                       float rotatestart, float RotateDir, float ScaleStart, float ScaleDir,
                                       float ScaleXStart, float ScaleXDir, float ScaleYStart, float ScaleYDir,
                                       float XSpeedStart, float XSpeedThrust, float YSpeedStart, float YSpeedThrust,
                                       float StartDelay, float Red, float Green, float Blue) {
    ExplosionCustomSetNodeYBouncing(XPos, Ypos, TextureXSrc, TextureYSrc, Width, Height, AlphaStart, AlphaDir,
                                    rotatestart, RotateDir, ScaleStart, ScaleDir, ScaleXStart, ScaleXDir, ScaleYStart,
                                    ScaleYDir, XSpeedStart, XSpeedThrust, YSpeedStart, YSpeedThrust, 0, 0, 4000,
                                    StartDelay, Red, Green, Blue);
    if (ExplosionRecord* r = ExplosionSlot(CurrentIndex, CurrentSlot))
        r->Nodes[static_cast<size_t>(Int(r->NodeCount))].Kind = static_cast<float>(kNodeFlying);
}

void SpritePFX::ExplosionCustomSetNodeYBouncing(float XPos, float Ypos, int32_t TextureXSrc, int32_t TextureYSrc,
                                                int32_t Width, int32_t Height, float AlphaStart, float AlphaDir,
                                                float rotatestart, float RotateDir, float ScaleStart, float ScaleDir,
                                                float ScaleXStart, float ScaleXDir, float ScaleYStart,
                                                float ScaleYDir, float XSpeedStart, float XSpeedThrust,
                                                float YSpeedStart, float YSpeedThrust, float YMax, float BounceFactor,
                                                float Duration, float StartDelay, float Red, float Green, float Blue) {
    ExplosionRecord* r = ExplosionSlot(CurrentIndex, CurrentSlot);
    if (!r) return;  // before Init or before a custom start
    ExplosionNode& n = AddExplosionNode(*r);
    n.Kind = static_cast<float>(kNodeBouncing);
    n.X = XPos;
    n.Y = Ypos;
    n.TexX = static_cast<float>(TextureXSrc);
    n.TexY = static_cast<float>(TextureYSrc);
    n.Width = static_cast<float>(Width);
    n.Height = static_cast<float>(Height);
    n.Alpha = AlphaStart;
    n.AlphaDir = AlphaDir;
    n.Rotate = rotatestart;
    n.RotateDir = RotateDir;
    n.Scale = ScaleStart;
    n.ScaleDir = ScaleDir;
    n.ScaleX = ScaleXStart;
    n.ScaleXDir = ScaleXDir;
    n.ScaleY = ScaleYStart;
    n.ScaleYDir = ScaleYDir;
    n.XSpeed = XSpeedStart;
    n.XThrust = XSpeedThrust;
    n.YSpeed = YSpeedStart;
    n.YThrust = YSpeedThrust;
    n.YMax = YMax;
    n.BounceFactor = BounceFactor;
    n.Duration = Duration;
    n.StartDelay = StartDelay;
    n.Red = RoundHalfEven(Red);
    n.Green = RoundHalfEven(Green);
    n.Blue = RoundHalfEven(Blue);
}

void SpritePFX::ExplosionCustomEnd() {
    if (ExplosionRecord* r = ExplosionSlot(CurrentIndex, CurrentSlot)) r->Running = true;
}

void SpritePFX::Explosion(int32_t Style, float XPos, float Ypos, float SizeScale, float SpeedScale, float StartDelay,
                          int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                          int32_t DestinationMode) {
    StartPresetExplosion(Style, XPos, Ypos, SizeScale, SpeedScale, StartDelay, Index, Red, Green, Blue, SourceMode,
                         DestinationMode);
}

void SpritePFX::ExplosionCustom(float XPos, float Ypos, int32_t TextureIndex, int32_t SrcX, int32_t SrcY,
                                int32_t SrcWidth, int32_t SrcHeight, int32_t SrcFrames, int32_t TotalNodes,
                                float RandomPosWidth, float RandomPosHeight, bool RotateTowardLaunch, bool NoMovement,
                                float YGravityScale, float FadeDir, float ScalingDir, float SizeScale,
                                float SpeedScale, float RotateSpeedScale, float StartDelay, float NodeStartDelay,
                                float NodeDuration, float ExplosionDuration, int32_t Index, int32_t Red,
                                int32_t Green, int32_t Blue, int32_t SourceMode, int32_t DestinationMode) {
    const int32_t slot =
        TakeExplosionSlot(Index, TextureIndex, ExplosionDuration, StartDelay, SourceMode, DestinationMode);
    ExplosionRecord* r = ExplosionSlot(Index, slot);
    if (!r) return;
    const int32_t total = TotalNodes < 1 ? 1 : (TotalNodes > kMaxExplosionNodes ? kMaxExplosionNodes : TotalNodes);
    const bool randomColour = Red == 0 && Green == 0 && Blue == 0;
    for (int32_t i = 1; i <= total; ++i) {
        ExplosionNode& n = AddExplosionNode(*r);
        PickNodeFrame(n, SrcX, SrcY, SrcWidth, SrcHeight, SrcFrames);
        n.X = XPos - RandomPosWidth / 2.0f + RandomNumber() * RandomPosWidth;
        n.Y = Ypos - RandomPosHeight / 2.0f + RandomNumber() * RandomPosHeight;
        const float angle = RandomNumber() * 360.0f;
        if (!NoMovement) {
            const float speed = (0.025f + RandomNumber() * 0.075f) * SpeedScale;
            DirectionVector(angle, speed, n.XSpeed, n.YSpeed);
            n.YThrust = SpeedScale * 0.0001f * YGravityScale;
        }
        n.Scale = SizeScale;
        n.ScaleDir = ScalingDir;
        n.ScaleX = n.ScaleY = 1.0f;
        n.Alpha = total <= 2 ? 255.0f : 150.0f + RandomNumber() * 105.0f;
        n.AlphaDir = FadeDir;
        n.RotateDir = (0.01f + RandomNumber() * 0.31f) * RotateSpeedScale;
        if (RandomChance(50)) n.RotateDir = -n.RotateDir;
        n.Rotate = RotateTowardLaunch ? angle : RandomNumber() * 360.0f;
        n.StartDelay = NodeStartDelay * static_cast<float>(i);
        n.Duration = NodeDuration;
        if (randomColour) {
            n.Red = RandomInRange(50, 255);
            n.Green = RandomInRange(50, 255);
            n.Blue = RandomInRange(50, 255);
        } else {
            n.Red = Red;
            n.Green = Green;
            n.Blue = Blue;
        }
    }
    r->Running = true;
}

void SpritePFX::ExplosionCustom2(float XPos, float Ypos, int32_t TextureIndex, int32_t SrcX, int32_t SrcY,
                                 int32_t SrcWidth, int32_t SrcHeight, int32_t SrcFrames, int32_t TotalNodes,
                                 float AngleStart, float AngleRange, bool EvenSpread, float SpeedMin, float SpeedMax,
                                 float Drag, float YGravity, float ScaleStart, float ScaleDir, float AlphaStart,
                                 float AlphaFadeSpeed, float RotateDir, bool RotateTowardLaunch, float NodeDuration,
                                 float ExplosionDuration, float StartDelay, int32_t Index, int32_t Red, int32_t Green,
                                 int32_t Blue, int32_t SourceMode, int32_t DestinationMode) {
    PLMExplosionConfig c;
    c.XPos = XPos;
    c.YPos = Ypos;
    c.TextureIndex = TextureIndex;
    c.TextureSrcX = SrcX;
    c.TextureSrcY = SrcY;
    c.TextureSrcWidth = SrcWidth;
    c.TextureSrcHeight = SrcHeight;
    c.TextureSrcFrames = SrcFrames;
    c.NodesTotal = TotalNodes;
    c.AngleStart = AngleStart;
    c.AngleRange = AngleRange;
    c.EvenSpread = EvenSpread;
    c.SpeedMin = SpeedMin;
    c.SpeedMax = SpeedMax;
    c.Drag = Drag;
    c.YGravity = YGravity;
    c.ScaleStart = ScaleStart;
    c.ScaleDir = ScaleDir;
    c.AlphaStart = AlphaStart;
    c.AlphaFadeSpeed = AlphaFadeSpeed;
    c.RotateDir = RotateDir;
    c.RotateTowardLaunch = RotateTowardLaunch;
    c.NodeDurationMS = NodeDuration;
    c.ExplosionDurationMS = ExplosionDuration;
    c.StartDelay = StartDelay;
    c.Color = static_cast<int32_t>(MakeColorARGB(255, static_cast<float>(Red), static_cast<float>(Green),
                                                 static_cast<float>(Blue)));
    c.SourceMode = SourceMode;
    c.DestinationMode = DestinationMode;
    StartBurst(c, Index);
}

void SpritePFX::ExplosionConfigure(const PLMExplosionConfig& Config, int32_t Index) { StartBurst(Config, Index); }

void SpritePFX::ExplosionAnim(float XPos, float Ypos, int32_t AnimIndex, float AnimSpeed, float Scale, float ScaleDir,
                              float Rotate, float RotateDir, float AlphaStart, float AlphaDir, float StartDelay,
                              int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                              int32_t DestinationMode) {
    const AnimationRecord* anim = State().Animations.find(AnimIndex);
    if (!anim || anim->Length < 1) return;
    // The node ends the explosion after its last frame; the record's own time is only a bound.
    const float playTime = AnimSpeed > 0 ? static_cast<float>(anim->Length) / AnimSpeed : 0;
    const float duration = playTime > 0 && playTime < 600000.0f ? playTime + 1000.0f : 600000.0f;
    const int32_t slot = TakeExplosionSlot(Index, anim->Texture[1], duration, StartDelay, SourceMode, DestinationMode);
    ExplosionRecord* r = ExplosionSlot(Index, slot);
    if (!r) return;
    r->BorderOffset = 1;  // the animation grid's gutter
    ExplosionNode& n = AddExplosionNode(*r);
    n.Kind = static_cast<float>(kNodeAnimated);
    n.X = XPos;
    n.Y = Ypos;
    n.TexX = static_cast<float>(anim->SrcX);
    n.TexY = static_cast<float>(anim->SrcY);
    n.Width = static_cast<float>(anim->FrameWidth);
    n.Height = static_cast<float>(anim->FrameHeight);
    n.Scale = Scale;
    n.ScaleDir = ScaleDir;
    n.ScaleX = n.ScaleY = 1.0f;
    n.Rotate = Rotate;
    n.RotateDir = RotateDir;
    n.Alpha = AlphaStart;
    n.AlphaDir = AlphaDir;
    n.AnimIndex = static_cast<float>(AnimIndex);
    n.AnimPosition = 1.0f;
    n.AnimSpeed = AnimSpeed;
    n.FrameX = static_cast<float>(anim->XFrame[1]);
    n.FrameY = static_cast<float>(anim->YFrame[1]);
    n.Duration = duration;
    n.Red = Red;
    n.Green = Green;
    n.Blue = Blue;
    r->Running = true;
}

void SpritePFX::ExplosionsOff(int32_t Index) {
    const int32_t w = State().Explosions.ExplosionsToWrap;
    for (int32_t s = 1; s <= w; ++s)
        if (ExplosionRecord* r = ExplosionSlot(Index, s)) r->Running = false;
}

void SpritePFX::RenderExplosions(int32_t Index) { RenderExplosionGroup(Index); }

}  // namespace plm
