#pragma once
// Particle emitters on sprites and the explosion pool.
//
// The emitter members write the particle block of one sprite's row; Sprite.Render emits, moves
// and draws the particles (StepAndDrawParticles). A sprite number outside the table is refused:
// setters do nothing, getters give 0 / false. Every setter keeps Total within 1..100.
//
// Explosions live in ExplosionIndexes groups of ExplosionsToWrap slots (Init); each new
// explosion of a group takes the group's next slot, after the last one slot 1 again, whatever
// ran there. A group outside 1..ExplosionIndexes, or any builder call before Init, does nothing;
// the node members add to the explosion of this object's last ExplosionCustomStart, and do
// nothing before one.
#include <cstdint>

#include "core/Records.h"

namespace plm {

class SpritePFX {
public:
    // ---- Sprite particle emitters ----------------------------------------------------------------
    // A preset emitter (styles 1..46) on the engine particle texture. Any other Style sets no
    // preset and is stored as the particle amount: Style 0 leaves the emitter off.
    void ParticleOn(int32_t sprite, float Style, float XOffset, float YOffset, bool OnTop, float ScaleSize, float Total,
                    float Delay, float AlphaFadingScale, float ShrinkingScale, float XScale, float YScale,
                    bool RandomPlacement, float RandomPlacementScale, float XSpeedStart, float XSpeedThrust,
                    float YSpeedStart, float YSpeedThrust, bool LeaveOn, float Red, float Green, float Blue,
                    int32_t SourceMode, int32_t DestinationMode);
    // Every emitter field from its argument; Style is the movement kind (PLMCustomParticleDef).
    void ParticleOnCustom(int32_t sprite, int32_t Style, float XOffset, float YOffset, bool OnTop, float ScaleSize,
                          float Total, float Delay, int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t Width,
                          int32_t Height, float AlphaStart, float AlphaFadingDir, float ScalingDir, float XScale,
                          float YScale, bool RandomPlacement, float RandomPlacementScale, float XSpeedStart,
                          float XSpeedThrust, float YSpeedStart, float YSpeedThrust, bool RandomColor,
                          bool RandomRotate, float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                          float Green, float Blue, int32_t SourceMode, int32_t DestinationMode);
    // Particles on a rail behind the sprite along its heading, the rail growing by MovementSpeed
    // per ms (kind 5).
    void ParticleOnCustomRotateWithRails(int32_t sprite, float XOffset, float YOffset, bool OnTop, float ScaleSize,
                                         float Total, float Delay, int32_t TextureIndex, int32_t SrcX, int32_t SrcY,
                                         int32_t Width, int32_t Height, float AlphaStart, float AlphaFadingDir,
                                         float ScalingDir, float MovementSpeed, bool RandomColor, bool RandomRotate,
                                         float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                                         float Green, float Blue, int32_t SourceMode, int32_t DestinationMode);
    // Free particles launched backwards at MovementSpeed (kind 6). The blends follow the
    // sprite's Blend flag (5 over 2 when set, else 5 over 6); the blend arguments are not used.
    void ParticleOnCustomRotateWithTrails(int32_t sprite, float XOffset, float YOffset, bool OnTop, float ScaleSize,
                                          float Total, float Delay, int32_t TextureIndex, int32_t SrcX, int32_t SrcY,
                                          int32_t Width, int32_t Height, float AlphaStart, float AlphaFadingDir,
                                          float ScalingDir, float MovementSpeed, bool RandomColor, bool RandomRotate,
                                          float RotateDir, bool RandomRotateStartDir, bool LeaveOn, float Red,
                                          float Green, float Blue, int32_t SourceMode, int32_t DestinationMode);
    bool ParticleAutoScale(int32_t sprite) const;
    void ParticleAutoScale(int32_t sprite, bool value);
    float ParticleAlphaDirection(int32_t sprite) const;  // new particles only
    void ParticleAlphaDirection(int32_t sprite, float value);
    float ParticleScaleDirection(int32_t sprite) const;  // new particles only
    void ParticleScaleDirection(int32_t sprite, float value);
    // The emitter colour (rounded), and at once the colour of every particle in use.
    void ParticleSetRGB(int32_t sprite, float Red, float Green, float Blue);
    int32_t ParticleTotal(int32_t sprite) const;
    void ParticleTotal(int32_t sprite, int32_t value);  // kept within 1..100
    // Switches the emitter off: living particles are neither moved nor drawn any more.
    void ParticleOff(int32_t sprite);

    // ---- The explosion pool ----------------------------------------------------------------------
    // Texture: the engine particle texture (presets and particles). The pool is re-created empty;
    // one larger than 8192 slots in all is refused with a logged error.
    void Init(int32_t Texture, int32_t HowManyExplosionsToWrap, int32_t HowManyExplosionIndexes);
    int32_t Texture() const;
    void Texture(int32_t value);

    // Builds one explosion node by node: Start takes the group's next slot, each SetNode adds a
    // node (at most 200: further calls rewrite node 200), End lets it run.
    void ExplosionCustomStart(int32_t TextureIndex, float ExplosionDuration, float StartDelay, int32_t Index,
                              int32_t SourceMode, int32_t DestinationMode);
    void ExplosionCustomSetNode(float XPos, float Ypos, int32_t TextureXSrc, int32_t TextureYSrc, int32_t Width,
                                int32_t Height, float AlphaStart, float AlphaDir, float rotatestart, float RotateDir,
                                float ScaleStart, float ScaleDir, float ScaleXStart, float ScaleXDir, float ScaleYStart,
                                float ScaleYDir, float XSpeedStart, float XSpeedThrust, float YSpeedStart,
                                float YSpeedThrust, float StartDelay, float Red, float Green, float Blue);
    void ExplosionCustomSetNodeYBouncing(float XPos, float Ypos, int32_t TextureXSrc, int32_t TextureYSrc,
                                         int32_t Width, int32_t Height, float AlphaStart, float AlphaDir,
                                         float rotatestart, float RotateDir, float ScaleStart, float ScaleDir,
                                         float ScaleXStart, float ScaleXDir, float ScaleYStart, float ScaleYDir,
                                         float XSpeedStart, float XSpeedThrust, float YSpeedStart, float YSpeedThrust,
                                         float YMax, float BounceFactor, float Duration, float StartDelay, float Red,
                                         float Green, float Blue);
    void ExplosionCustomEnd();

    // Preset explosion Style 1..94 centred on (XPos, Ypos) from the engine particle texture.
    // Red, Green, Blue of 0 or more replace that component of every node; -1 keeps the preset's.
    void Explosion(int32_t Style, float XPos, float Ypos, float SizeScale, float SpeedScale, float StartDelay,
                   int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                   int32_t DestinationMode);
    // TotalNodes (1..200) pieces, each a random frame of SrcFrames laid side by side, launched at
    // a random angle with 0.025..0.1 px/ms times SpeedScale, falling by SpeedScale x 0.0001 x
    // YGravityScale, alpha 150..255 (255 for at most 2 pieces), spin 0.01..0.32 deg/ms times
    // RotateSpeedScale either way. Red, Green, Blue all 0: a random colour per piece.
    void ExplosionCustom(float XPos, float Ypos, int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                         int32_t SrcHeight, int32_t SrcFrames, int32_t TotalNodes, float RandomPosWidth,
                         float RandomPosHeight, bool RotateTowardLaunch, bool NoMovement, float YGravityScale,
                         float FadeDir, float ScalingDir, float SizeScale, float SpeedScale, float RotateSpeedScale,
                         float StartDelay, float NodeStartDelay, float NodeDuration, float ExplosionDuration,
                         int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                         int32_t DestinationMode);
    // A burst with ranges of its own: nodes launched within AngleStart..AngleStart + AngleRange
    // (evenly spaced with EvenSpread) at SpeedMin..SpeedMax, slowed by Drag, pulled by YGravity.
    void ExplosionCustom2(float XPos, float Ypos, int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                          int32_t SrcHeight, int32_t SrcFrames, int32_t TotalNodes, float AngleStart, float AngleRange,
                          bool EvenSpread, float SpeedMin, float SpeedMax, float Drag, float YGravity,
                          float ScaleStart, float ScaleDir, float AlphaStart, float AlphaFadeSpeed, float RotateDir,
                          bool RotateTowardLaunch, float NodeDuration, float ExplosionDuration, float StartDelay,
                          int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                          int32_t DestinationMode);
    // The same burst from a whole description.
    void ExplosionConfigure(const PLMExplosionConfig& Config, int32_t Index);
    // One node playing animation AnimIndex (frames per ms) at (XPos, Ypos); the explosion ends
    // after the last frame or when the node's alpha runs out.
    void ExplosionAnim(float XPos, float Ypos, int32_t AnimIndex, float AnimSpeed, float Scale, float ScaleDir,
                       float Rotate, float RotateDir, float AlphaStart, float AlphaDir, float StartDelay,
                       int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                       int32_t DestinationMode);

    // Stops every explosion of group Index.
    void ExplosionsOff(int32_t Index);
    // Steps and draws group Index, once per frame between Scene.Begin and Scene.Render.
    void RenderExplosions(int32_t Index);

private:
    int32_t CurrentIndex = 0;  // group of the explosion under construction, 0 = none
    int32_t CurrentSlot = 0;   // its slot in that group
};

}  // namespace plm
