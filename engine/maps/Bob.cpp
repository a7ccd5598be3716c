#include "maps/Bob.h"

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

// Slot id (1..10) of the caller's data as an array position, or -1 outside.
int32_t Slot(int32_t id) { return (id >= 1 && id <= 10) ? id - 1 : -1; }

}  // namespace

void Bob::SourceX(int32_t value) {
    SourceX_ = value;
    WorkOutDraw();
}

void Bob::SourceY(int32_t value) {
    SourceY_ = value;
    WorkOutDraw();
}

void Bob::Width(int32_t value) {
    Width_ = value;
    WorkOutDraw();
}

void Bob::Height(int32_t value) {
    Height_ = value;
    WorkOutDraw();
}

void Bob::XFrame(int32_t value) {
    XFrame_ = value;
    WorkOutDraw();
}

void Bob::YFrame(int32_t value) {
    YFrame_ = value;
    WorkOutDraw();
}

void Bob::TextureRect(int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight) {
    SourceX_ = SrcX;
    SourceY_ = SrcY;
    Width_ = SrcWidth;
    Height_ = SrcHeight;
    WorkOutDraw();
}

void Bob::Scaled(float value) {
    Scaled_ = value;
    WorkOutDraw();
}

void Bob::ScaledX(float value) {
    ScaledX_ = value;
    WorkOutDraw();
}

void Bob::ScaledY(float value) {
    ScaledY_ = value;
    WorkOutDraw();
}

void Bob::Mirror(bool value) {
    MirrorSign_ = value ? -1 : 1;
    WorkOutDraw();
}

void Bob::Flip(bool value) {
    FlipSign_ = value ? -1 : 1;
    WorkOutDraw();
}

void Bob::Rotate(float value) {
    Rotate_ = value;
    RotationRadians_ = RotateAsDegree_ ? DegreeToRad(value) : value;
}

void Bob::RotateAsDegree(bool value) {
    RotateAsDegree_ = value;
    Rotate(Rotate_);
}

void Bob::Alpha(float value) {
    Alpha_ = value;
    Recolor();
}

void Bob::Red(float value) {
    Red_ = value;
    Recolor();
}

void Bob::Green(float value) {
    Green_ = value;
    Recolor();
}

void Bob::Blue(float value) {
    Blue_ = value;
    Recolor();
}

float Bob::data(int32_t id) const {
    const int32_t i = Slot(id);
    return i < 0 ? 0.0f : data_[static_cast<size_t>(i)];
}

void Bob::data(int32_t id, float value) {
    const int32_t i = Slot(id);
    if (i >= 0) data_[static_cast<size_t>(i)] = value;
}

std::string Bob::DataString(int32_t id) const {
    const int32_t i = Slot(id);
    return i < 0 ? std::string() : DataString_[static_cast<size_t>(i)];
}

void Bob::DataString(int32_t id, const std::string& value) {
    const int32_t i = Slot(id);
    if (i >= 0) DataString_[static_cast<size_t>(i)] = value;
}

void Bob::SetRenderState(int32_t SrcMode, int32_t DstMode) {
    SrcMode_ = SrcMode;
    DstMode_ = DstMode;
}

void Bob::AddToPos(float XDir, float YDir, bool WithDelta) {
    const float d = WithDelta ? State().Delta : 1.0f;
    X_ += XDir * d;
    Y_ += YDir * d;
}

void Bob::AddToPosLimit(float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, bool WithDelta) {
    AddToPos(XDir, YDir, WithDelta);
    if (X_ < XMin) {
        X_ = XMin;
    } else if (X_ > XMax) {
        X_ = XMax;
    }
    if (Y_ < YMin) {
        Y_ = YMin;
    } else if (Y_ > YMax) {
        Y_ = YMax;
    }
}

void Bob::AddToPosWrap(float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, bool WithDelta) {
    AddToPos(XDir, YDir, WithDelta);
    if (X_ < XMin) {
        X_ = XMax;
    } else if (X_ > XMax) {
        X_ = XMin;
    }
    if (Y_ < YMin) {
        Y_ = YMax;
    } else if (Y_ > YMax) {
        Y_ = YMin;
    }
}

void Bob::XAdd(int32_t /*Sprite*/, float value) { X_ += value * State().Delta; }
void Bob::YAdd(int32_t /*Sprite*/, float value) { Y_ += value * State().Delta; }

void Bob::WorkOutDraw() {
    const float w = static_cast<float>(Width_), h = static_cast<float>(Height_);
    const int32_t left = ClampToInt32(int64_t{SourceX_} + (int64_t{Width_} + 1) * XFrame_);
    const int32_t top = ClampToInt32(int64_t{SourceY_} + (int64_t{Height_} + 1) * YFrame_);
    SourceRect_ = platform::Rect{left, top, ClampToInt32(int64_t{left} + Width_), ClampToInt32(int64_t{top} + Height_)};
    DrawCenterX_ = static_cast<float>(IntDiv(Width_, 2)) * ScaledX_ * Scaled_;
    DrawCenterY_ = static_cast<float>(IntDiv(Height_, 2)) * ScaledY_ * Scaled_;
    if (MirrorSign_ == -1) DrawCenterX_ -= ScaledX_ * w * Scaled_;
    if (FlipSign_ == -1) DrawCenterY_ -= ScaledY_ * h * Scaled_;
    DrawScaleX_ = ScaledX_ * Scaled_ * static_cast<float>(MirrorSign_);
    DrawScaleY_ = ScaledY_ * Scaled_ * static_cast<float>(FlipSign_);
}

void Bob::Recolor() { Color_ = DrawColor(Alpha_, Red_, Green_, Blue_); }

void Bob::Render() {
    if (!Enabled_) return;
    const platform::SurfaceId tex = TextureDrawSource(Texture_);
    if (tex == platform::kNoSurface) return;
    SetBlend(SrcMode_, DstMode_);
    const float wide = ScaledX_ * static_cast<float>(Width_) * Scaled_;
    const float tall = ScaledY_ * static_cast<float>(Height_) * Scaled_;
    int64_t x, y;
    if (OriginTopLeft_) {
        x = Int(X_);
        y = Int(Y_);
    } else {
        x = Int(X_ - static_cast<float>(IntDiv(RoundHalfEven(wide), 2)));
        y = Int(Y_ - static_cast<float>(IntDiv(RoundHalfEven(tall), 2)));
    }
    // A negative scale draws the image to the left of (or above) its translation: move it back
    // over the same place.
    if (MirrorSign_ == -1) x += Int(wide);
    if (FlipSign_ == -1) y += Int(tall);
    DrawX_ = static_cast<float>(ClampToInt32(x));
    DrawY_ = static_cast<float>(ClampToInt32(y));
    State().D3DDevice->SpriteDraw(tex, &SourceRect_, {DrawScaleX_, DrawScaleY_}, {DrawCenterX_, DrawCenterY_},
                                  RotationRadians_, {DrawX_, DrawY_}, Color_);
}

}  // namespace plm
