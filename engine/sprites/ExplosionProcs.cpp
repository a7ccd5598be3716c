#include "sprites/ExplosionProcs.h"

#include <algorithm>
#include <cmath>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "sprites/AnimationRecord.h"

namespace plm {

ExplosionRecord* ExplosionSlot(int32_t group, int32_t slot) {
    ExplosionPool& p = State().Explosions;
    if (group < 1 || group > p.ExplosionIndexes || slot < 1 || slot > p.ExplosionsToWrap) return nullptr;
    return p.ExplosionTable.find((group - 1) * p.ExplosionsToWrap + slot);
}

int32_t TakeExplosionSlot(int32_t group, int32_t texture, float duration, float startDelay, int32_t sourceMode,
                          int32_t destinationMode) {
    ExplosionPool& p = State().Explosions;
    int32_t* cursor = p.ExplosionCursor.find(group);
    if (!cursor || p.ExplosionsToWrap < 1) return 0;
    *cursor += 1;
    if (*cursor > p.ExplosionsToWrap || *cursor < 1) *cursor = 1;
    ExplosionRecord* r = ExplosionSlot(group, *cursor);
    if (!r) return 0;
    r->TextureIndex = texture;
    r->StartDelay = startDelay;
    r->Duration = duration;
    r->SourceMode = sourceMode;
    r->DestinationMode = destinationMode;
    r->Running = false;
    r->NodeCount = 0;
    r->BorderOffset = 0;
    return *cursor;
}

ExplosionNode& AddExplosionNode(ExplosionRecord& r) {
    r.NodeCount += 1;
    if (r.NodeCount > static_cast<float>(kMaxExplosionNodes)) r.NodeCount = static_cast<float>(kMaxExplosionNodes);
    if (r.NodeCount < 1) r.NodeCount = 1;
    ExplosionNode& n = r.Nodes[static_cast<size_t>(Int(r.NodeCount))];
    n = ExplosionNode{};
    n.Alive = true;
    return n;
}

namespace {

constexpr int32_t kMaxVariation = 1000000000;

float RandomBetween(float low, float high) { return low + RandomNumber() * (high - low); }

int32_t Component(int32_t packed, int shift, int32_t variation) {
    int32_t v = (packed >> shift) & 0xFF;
    // Held to a width the random range and the sum can take without overflowing.
    if (variation > 0) v += RandomInRange(-std::min(variation, kMaxVariation), std::min(variation, kMaxVariation));
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

float WrapDegrees(float a) {
    a = std::fmod(a, 360.0f);
    return a < 0 ? a + 360.0f : a;
}

}  // namespace

void PickNodeFrame(ExplosionNode& n, int32_t srcX, int32_t srcY, int32_t width, int32_t height, int32_t frames) {
    const int32_t f = RandomInRange(0, (frames < 1 ? 1 : frames) - 1);
    // In 64 bits: a wide frame far along the strip lies beyond the 32-bit range.
    n.TexX = static_cast<float>(int64_t{srcX} + int64_t{f} * (int64_t{width} + 1));
    n.TexY = static_cast<float>(srcY);
    n.Width = static_cast<float>(width);
    n.Height = static_cast<float>(height);
}

void AddBurstNodes(ExplosionRecord& r, const PLMExplosionConfig& c) {
    const int32_t total = c.NodesTotal < 1 ? 1 : (c.NodesTotal > kMaxExplosionNodes ? kMaxExplosionNodes : c.NodesTotal);
    // A full circle spaces its nodes all round; a fan puts its first and last on its edges.
    const bool fullCircle = c.AngleRange >= 360.0f;
    for (int32_t i = 1; i <= total; ++i) {
        ExplosionNode& n = AddExplosionNode(r);
        PickNodeFrame(n, c.TextureSrcX, c.TextureSrcY, c.TextureSrcWidth, c.TextureSrcHeight, c.TextureSrcFrames);
        float angle;
        if (c.EvenSpread) {
            const float parts = fullCircle ? static_cast<float>(total) : static_cast<float>(total > 1 ? total - 1 : 1);
            angle = c.AngleStart + c.AngleRange * static_cast<float>(i - 1) / parts;
        } else {
            angle = c.AngleStart + RandomNumber() * c.AngleRange;
        }
        angle = WrapDegrees(angle);
        const float speed = RandomBetween(c.SpeedMin, c.SpeedMax);
        float vx = 0, vy = 0;
        DirectionVector(angle, speed, vx, vy);
        n.XSpeed = vx;
        n.YSpeed = vy;
        n.XThrust = -vx * c.Drag;
        n.YThrust = -vy * c.Drag + c.YGravity;
        n.X = c.XPos + (RandomNumber() - 0.5f) * c.RandomPosSize;
        n.Y = c.YPos + (RandomNumber() - 0.5f) * c.RandomPosSize;
        n.Alpha = c.AlphaStart * RandomBetween(0.7f, 1.0f);
        n.AlphaDir = c.AlphaFadeSpeed;
        n.Scale = c.ScaleStart * RandomBetween(0.6f, 1.0f);
        n.ScaleDir = c.ScaleDir;
        n.ScaleX = 1.0f;
        n.ScaleY = c.YStretch;
        if (c.RotateTowardLaunch) {
            n.Rotate = angle;
        } else {
            n.Rotate = c.rotatestart < 0 ? static_cast<float>(RandomInRange(0, 360)) : c.rotatestart;
        }
        n.RotateDir = RandomBetween(-c.RotateDir, c.RotateDir);
        // A dragged node stops after 1 / Drag ms (and would fly back): it lives no longer.
        n.Duration = c.NodeDurationMS;
        if (c.Drag > 0 && 1.0f / c.Drag < n.Duration) n.Duration = 1.0f / c.Drag;
        n.StartDelay = c.NodesStartDelayMS * static_cast<float>(i);
        n.Red = Component(c.Color, 16, c.ColorVariation);
        n.Green = Component(c.Color, 8, c.ColorVariation);
        n.Blue = Component(c.Color, 0, c.ColorVariation);
        if (c.YFloor > 0) {
            n.Kind = static_cast<float>(kNodeBouncing);
            n.YMax = c.YPos + c.YFloor;
            n.BounceFactor = c.BounceFactor;
        }
    }
}

bool StartBurst(const PLMExplosionConfig& c, int32_t group) {
    const int32_t slot = TakeExplosionSlot(group, c.TextureIndex, c.ExplosionDurationMS, c.StartDelay, c.SourceMode,
                                           c.DestinationMode);
    ExplosionRecord* r = ExplosionSlot(group, slot);
    if (!r) return false;
    AddBurstNodes(*r, c);
    r->Running = true;
    return true;
}

namespace {

void Spin(ExplosionNode& n, float d) {
    n.Rotate += n.RotateDir * d;
    if (n.Rotate > 360.0f) n.Rotate = 0;
    if (n.Rotate < 0) n.Rotate = 360.0f;
}

void DrawNode(const ExplosionRecord& r, const ExplosionNode& n, int32_t left, int32_t top) {
    EngineState& st = State();
    const platform::SurfaceId texture = TextureDrawSource(r.TextureIndex);
    if (texture == platform::kNoSurface) return;
    const MapState& map = st.Map;
    DrawArgs& a = st.Draw;
    a.Src.left = left;
    a.Src.top = top;
    a.Src.right = RoundHalfEven(n.Width + static_cast<float>(left));
    a.Src.bottom = RoundHalfEven(n.Height + static_cast<float>(top));
    const float sx = n.ScaleX * n.Scale;
    const float sy = n.ScaleY * n.Scale;
    a.RotationCentre = {static_cast<float>(IntDiv(RoundHalfEven(n.Width), 2)) * sx,
                        static_cast<float>(IntDiv(RoundHalfEven(n.Height), 2)) * sy};
    a.Scaling = {sx, sy};
    const int32_t halfW = IntDiv(RoundHalfEven(n.ScaleX * n.Width * n.Scale), 2);
    const int32_t halfH = IntDiv(RoundHalfEven(n.ScaleY * n.Height * n.Scale), 2);
    a.Translation = {static_cast<float>(Int(n.X - static_cast<float>(halfW)) - Int(map.MapX) + map.MapScreenX),
                     static_cast<float>(Int(n.Y - static_cast<float>(halfH)) - Int(map.MapY) + map.MapScreenY)};
    const uint32_t color = DrawColor(n.Alpha, static_cast<float>(n.Red), static_cast<float>(n.Green),
                                     static_cast<float>(n.Blue));
    st.D3DDevice->SpriteDraw(texture, &a.Src, a.Scaling, a.RotationCentre, DegreeToRad(n.Rotate), a.Translation,
                             color);
}

// Flight of a flying or bouncing node; false when it died this frame.
bool StepFlying(ExplosionNode& n, float d) {
    const EngineState& st = State();
    n.X += (st.MiscAddX + n.XSpeed) * d;
    n.XSpeed += n.XThrust * d;
    n.Y += (st.MiscAddY + n.YSpeed) * d;
    n.YSpeed += n.YThrust * d;
    if (Int(n.Kind) == kNodeBouncing && n.Y >= n.YMax) {
        n.YSpeed = -n.YSpeed * n.BounceFactor;
        n.Y = n.YMax;
    }
    n.Alpha += n.AlphaDir * d;
    if (n.Alpha < 0) {
        n.Alpha = 0;
        n.Alive = false;
        return false;
    }
    n.Scale += n.ScaleDir * d;
    if (n.Scale < 0) {
        n.Scale = 0;
        n.Alive = false;
        return false;
    }
    n.ScaleX += n.ScaleXDir * d;
    n.ScaleY += n.ScaleYDir * d;
    Spin(n, d);
    return true;
}

// An animated node: drawn at its current frame, then advanced. False when the explosion ends
// (past the last frame, or the alpha ran out).
bool StepAnimated(ExplosionRecord& r, ExplosionNode& n, float d) {
    const EngineState& st = State();
    n.X += st.MiscAddX * d;
    n.Y += st.MiscAddY * d;
    // Frames sit in a grid with the record's gutter between columns and between rows alike.
    const int32_t left = RoundHalfEven((n.Width + r.BorderOffset) * n.FrameX + n.TexX);
    const int32_t top = RoundHalfEven((n.Height + r.BorderOffset) * n.FrameY + n.TexY);
    DrawNode(r, n, left, top);
    n.Scale += n.ScaleDir * d;
    Spin(n, d);
    n.Alpha += n.AlphaDir * d;
    if (n.Alpha < 0) return false;
    n.AnimPosition += n.AnimSpeed * d;
    const AnimationRecord* anim = st.Animations.find(Int(n.AnimIndex));
    if (!anim || Int(n.AnimPosition) > anim->Length || anim->Length < 1) return false;
    const size_t k = static_cast<size_t>(FrameSlot(Int(n.AnimPosition)));
    n.FrameX = static_cast<float>(anim->XFrame[k]);
    n.FrameY = static_cast<float>(anim->YFrame[k]);
    r.TextureIndex = anim->Texture[k];
    return true;
}

}  // namespace

void RenderExplosionGroup(int32_t group) {
    const ExplosionPool& p = State().Explosions;
    if (group < 1 || group > p.ExplosionIndexes) return;
    const float d = State().Delta;
    for (int32_t s = 1; s <= p.ExplosionsToWrap; ++s) {
        ExplosionRecord* r = ExplosionSlot(group, s);
        if (!r || !r->Running) continue;
        if (r->StartDelay > 0) {
            r->StartDelay -= d;
            if (r->StartDelay < 0) r->StartDelay = 0;
            continue;
        }
        // An explosion on an empty texture slot runs its course but draws nothing, blends included.
        if (TextureDrawSource(r->TextureIndex) != platform::kNoSurface) SetBlend(r->SourceMode, r->DestinationMode);
        const int32_t count = RoundHalfEven(r->NodeCount);
        const int32_t last = count > kMaxExplosionNodes ? kMaxExplosionNodes : count;
        bool ended = false;
        for (int32_t i = 1; i <= last && !ended; ++i) {
            ExplosionNode& n = r->Nodes[static_cast<size_t>(i)];
            if (!n.Alive) continue;
            if (n.StartDelay > 0) {
                n.StartDelay -= d;
                if (n.StartDelay < 0) n.StartDelay = 0;
                continue;
            }
            if (Int(n.Kind) == kNodeAnimated) {
                ended = !StepAnimated(*r, n, d);
                continue;
            }
            if (!StepFlying(n, d)) continue;
            DrawNode(*r, n, RoundHalfEven(n.TexX), RoundHalfEven(n.TexY));
            n.Duration -= d;
            if (n.Duration < 0) n.Alive = false;
        }
        if (ended) {
            r->Running = false;
            continue;
        }
        r->Duration -= d;
        if (r->Duration < 0) r->Running = false;
    }
}

}  // namespace plm
