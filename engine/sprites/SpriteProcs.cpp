#include "sprites/SpriteProcs.h"

#include <cmath>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "sprites/CollideProcs.h"
#include "sprites/SpriteParticleStep.h"
#include "sprites/SpriteRecord.h"

namespace plm {

void ResetSpriteRecord(int32_t sprite) {
    EngineState& st = State();
    SpriteRecord* r = st.SpriteTable.find(sprite);
    SpriteDataRecord* d = st.SpriteData.find(sprite);
    if (r && d) ResetToDefaults(*r, *d);
}

void StoreFrame(SpriteRecord& r, int32_t texture, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                int32_t xFrame, int32_t yFrame) {
    r.Texture = texture;
    r.SrcX = srcX;
    r.SrcY = srcY;
    r.Width = width;
    r.Height = height;
    r.XFrame = xFrame;
    r.YFrame = yFrame;
}

PLMXY SpriteCentre(const SpriteRecord& r) {
    if (!r.OriginTopLeft) return PLMXY{r.X, r.Y};
    return PLMXY{r.X + static_cast<float>(r.Width) / 2.0f, r.Y + static_cast<float>(r.Height) / 2.0f};
}

void AddTurnedOffset(float rotate, float left, float behind, float& x, float& y) {
    const EngineState& st = State();
    DirectionFromAngle(rotate < 91.0f ? rotate + 270.0f : rotate - 90.0f, left);
    x += st.Rx;
    y += st.Ry;
    DirectionFromAngle(rotate < 181.0f ? rotate + 180.0f : rotate - 180.0f, behind);
    x += st.Rx;
    y += st.Ry;
}

bool IsSpriteOverBox(int32_t sprite, float bx, float by, float bw, float bh) {
    const SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r || !TakesPartInCollision(*r)) return false;
    return ShapesOverlap(PlaceShape(*r, CollideShape::Own), BoxShape(bx, by, bw, bh), false);
}

namespace {

// How one image of a sprite is drawn: its scales, rotation, colour and a whole-pixel displacement.
struct ImagePose {
    float XScale = 1, YScale = 1, Scale = 1;
    float Rotation = 0;  // degrees
    float Alpha = 255, Red = 255, Green = 255, Blue = 255;
    int32_t XOffset = 0, YOffset = 0;
};

ImagePose SpritePose(const SpriteRecord& r) {
    return ImagePose{r.XScaled, r.YScaled, r.Scaled, r.Rotate, r.Alpha, r.Red, r.Green, r.Blue, 0, 0};
}

// The shadow's own pose, or the sprite's rotation and scales where the shadow takes them.
ImagePose ShadowPose(const SpriteRecord& r) {
    ImagePose p{r.ShadowXScale, r.ShadowYScale, r.ShadowScaling, r.ShadowRotation, r.ShadowAlpha, r.ShadowRed,
                r.ShadowGreen, r.ShadowBlue, r.ShadowXOffset, r.ShadowYOffset};
    if (r.ShadowAutoRotate) p.Rotation = r.Rotate;
    if (r.ShadowAutoScale) {
        p.Scale = r.Scaled;
        p.XScale = r.XScaled;
        p.YScale = r.YScaled;
    }
    return p;
}

// The current frame of the grid: frames sit side by side with a one-pixel gutter.
platform::Rect FrameRect(const SpriteRecord& r) {
    platform::Rect src;
    src.left = (r.Width + 1) * r.XFrame + r.SrcX;
    src.top = (r.Height + 1) * r.YFrame + r.SrcY;
    src.right = src.left + r.Width;
    src.bottom = src.top + r.Height;
    return src;
}

// Fills the shared draw block for one image of the sprite at world (x, y) and hands it to the
// sprite batch with texture tex. Screen position = whole world pixel - whole camera pixel +
// draw-area offset.
void DrawImage(const SpriteRecord& r, platform::SurfaceId tex, float x, float y, const ImagePose& pose,
               int32_t shakeX, int32_t shakeY) {
    EngineState& st = State();
    const MapState& map = st.Map;
    const float sx = pose.XScale * pose.Scale;
    const float sy = pose.YScale * pose.Scale;
    const float w = static_cast<float>(r.Width);
    const float h = static_cast<float>(r.Height);
    DrawArgs& d = st.Draw;
    d.Src = FrameRect(r);
    d.RotationCentre = {static_cast<float>(IntDiv(r.Width, 2)) * sx, static_cast<float>(IntDiv(r.Height, 2)) * sy};
    d.Scaling = {sx * static_cast<float>(r.Mirror), sy * static_cast<float>(r.Flip)};
    int32_t tx = r.OriginTopLeft ? Int(x) : Int(x - static_cast<float>(IntDiv(RoundHalfEven(w * sx), 2)));
    int32_t ty = r.OriginTopLeft ? Int(y) : Int(y - static_cast<float>(IntDiv(RoundHalfEven(h * sy), 2)));
    tx += map.MapScreenX - Int(map.MapX);
    ty += map.MapScreenY - Int(map.MapY);
    // A negative scale turns the image over about its left (top) edge: move it back by its size.
    if (r.Mirror == -1) {
        tx += Int(w * sx);
        d.RotationCentre.x -= w * sx;
    }
    if (r.Flip == -1) {
        ty += Int(h * sy);
        d.RotationCentre.y -= h * sy;
    }
    d.Translation = {static_cast<float>(tx + pose.XOffset + shakeX), static_cast<float>(ty + pose.YOffset + shakeY)};
    // Stored alpha and colours may lie outside 0..255; only the packed colour is limited.
    const uint32_t color = DrawColor(pose.Alpha, pose.Red, pose.Green, pose.Blue);
    st.D3DDevice->SpriteDraw(tex, &d.Src, d.Scaling, d.RotationCentre,
                             DegreeToRad(pose.Rotation), d.Translation, color);
}

// The shadow and the image from the texture the sprite's slot holds (tex, not kNoSurface).
void DrawShadowAndImage(const SpriteRecord& r, platform::SurfaceId tex, float x, float y, int32_t shakeX,
                        int32_t shakeY) {
    if (r.ShadowState) DrawImage(r, tex, x, y, ShadowPose(r), shakeX, shakeY);
    DrawImage(r, tex, x, y, SpritePose(r), shakeX, shakeY);
}

// Advances a running shake by Delta. When its interval has passed, a new direction is drawn and
// this frame's image is displaced by the shake radius that way. Returns the displacement.
PLMXY StepShake(SpriteRecord& r) {
    PLMXY offset;
    if (!r.ShakeOn) return offset;
    EngineState& st = State();
    r.ShakeTimer += st.Delta;
    if (r.ShakeTimer >= r.ShakeInterval) {
        r.ShakeTimer = 0;
        int32_t a = RandomInRange(0, 359) + 270;
        if (a > 360) a -= 360;
        st.ShakeAngle = a;
        const double rad = static_cast<double>(a) * 3.14159265358979323846 / 180.0;
        offset.X = static_cast<float>(Int(r.ShakeRadius * std::cos(rad)));
        offset.Y = static_cast<float>(Int(r.ShakeRadius * std::sin(rad)));
    }
    if (r.ShakeTimeLeft > 0) r.ShakeTimeLeft -= st.Delta;
    if (r.ShakeTimeLeft < 1.0f) r.ShakeOn = false;
    return offset;
}

}  // namespace

void DrawSprite(int32_t sprite) {
    SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r) return;
    if (r->ParticleAmount != 0 && !r->Emitter.OnTop) {
        StepAndDrawParticles(sprite);
        r = State().SpriteTable.find(sprite);
        if (!r) return;
    }
    // A sprite on an empty texture slot draws nothing and sends no blend states.
    const platform::SurfaceId tex = TextureDrawSource(r->Texture);
    if (tex != platform::kNoSurface) SetBlend(r->SrcBlend, r->DestBlend);
    // The shake moves this frame's shadow and image alike.
    const PLMXY shake = StepShake(*r);
    if (r->ShadowState) {
        // The shadow's automatic rotation and scales are kept in the row.
        const ImagePose p = ShadowPose(*r);
        r->ShadowRotation = p.Rotation;
        r->ShadowScaling = p.Scale;
        r->ShadowXScale = p.XScale;
        r->ShadowYScale = p.YScale;
    }
    if (tex != platform::kNoSurface) DrawShadowAndImage(*r, tex, r->X, r->Y, Int(shake.X), Int(shake.Y));
    if (r->ParticleAmount != 0 && r->Emitter.OnTop) StepAndDrawParticles(sprite);
}

void DrawSpriteCopy(int32_t sprite, float x, float y) {
    const SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r) return;
    const platform::SurfaceId tex = TextureDrawSource(r->Texture);
    if (tex == platform::kNoSurface) return;
    SetBlend(r->SrcBlend, r->DestBlend);
    DrawShadowAndImage(*r, tex, x, y, 0, 0);
}

}  // namespace plm
