#pragma once
// A blitter object: one rectangle of a texture, or one frame of a grid of frames, with its own
// position, per-axis scale, rotation, tint, alpha, mirroring and flipping, blend factors, two tags
// and ten number and ten text slots for the caller. Unlike the engine's services it keeps all its
// state in the object, so a program makes as many as it needs and renders each once a frame.
// The source rectangle, scaling and rotation centre are worked out when the properties they
// depend on change, so Render only places and draws.
#include <array>
#include <cstdint>
#include <string>

#include "platform/GraphicsDevice.h"

namespace plm {

class Bob {
public:
    float X() const { return X_; }
    void X(float value) { X_ = value; }
    float Y() const { return Y_; }
    void Y(float value) { Y_ = value; }
    int32_t Texture() const { return Texture_; }
    void Texture(int32_t value) { Texture_ = value; }

    // The frame: frame (XFrame, YFrame) of Width x Height frames laid from (SourceX, SourceY) with
    // a one-pixel gutter.
    int32_t SourceX() const { return SourceX_; }
    void SourceX(int32_t value);
    int32_t SourceY() const { return SourceY_; }
    void SourceY(int32_t value);
    int32_t Width() const { return Width_; }
    void Width(int32_t value);
    int32_t Height() const { return Height_; }
    void Height(int32_t value);
    int32_t XFrame() const { return XFrame_; }
    void XFrame(int32_t value);
    int32_t YFrame() const { return YFrame_; }
    void YFrame(int32_t value);
    void TextureRect(int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight);

    float Scaled() const { return Scaled_; }
    void Scaled(float value);
    float ScaledX() const { return ScaledX_; }
    void ScaledX(float value);
    float ScaledY() const { return ScaledY_; }
    void ScaledY(float value);
    bool Mirror() const { return MirrorSign_ == -1; }
    void Mirror(bool value);
    bool Flip() const { return FlipSign_ == -1; }
    void Flip(bool value);

    // Rotation in radians, or in engine degrees (0 = up, clockwise) with RotateAsDegree.
    float Rotate() const { return Rotate_; }
    void Rotate(float value);
    bool RotateAsDegree() const { return RotateAsDegree_; }
    void RotateAsDegree(bool value);

    float Alpha() const { return Alpha_; }
    void Alpha(float value);
    float Red() const { return Red_; }
    void Red(float value);
    float Green() const { return Green_; }
    void Green(float value);
    float Blue() const { return Blue_; }
    void Blue(float value);

    bool Enabled() const { return Enabled_; }
    void Enabled(bool value) { Enabled_ = value; }
    bool OriginTopLeft() const { return OriginTopLeft_; }
    void OriginTopLeft(bool value) { OriginTopLeft_ = value; }
    int32_t ID1() const { return ID1_; }
    void ID1(int32_t value) { ID1_ = value; }
    int32_t ID2() const { return ID2_; }
    void ID2(int32_t value) { ID2_ = value; }

    // The caller's slots 1..10; another id reads 0 or "" and stores nothing.
    float data(int32_t id) const;
    void data(int32_t id, float value);
    std::string DataString(int32_t id) const;
    void DataString(int32_t id, const std::string& value);

    void SetRenderState(int32_t SrcMode, int32_t DstMode);

    void AddToPos(float XDir, float YDir, bool WithDelta);
    void AddToPosLimit(float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, bool WithDelta);
    void AddToPosWrap(float XDir, float YDir, float XMin, float YMin, float XMax, float YMax, bool WithDelta);
    // X (or Y) += value x Delta; Sprite is accepted and ignored.
    void XAdd(int32_t Sprite, float value);
    void YAdd(int32_t Sprite, float value);

    void Render();

private:
    void WorkOutDraw();
    void Recolor();

    int32_t XFrame_ = 0, YFrame_ = 0;
    float X_ = 0, Y_ = 0;
    int32_t Texture_ = 0;
    int32_t SourceX_ = 0, SourceY_ = 0;
    int32_t Width_ = 0, Height_ = 0;
    float Alpha_ = 255;
    float RotationRadians_ = 0;
    bool RotateAsDegree_ = false;
    float Rotate_ = 0;
    float Scaled_ = 1.0f, ScaledX_ = 1.0f, ScaledY_ = 1.0f;
    bool Enabled_ = true;
    float Red_ = 255, Green_ = 255, Blue_ = 255;
    uint32_t Color_ = 0xFFFFFFFFu;
    int32_t ID1_ = 0, ID2_ = 0;
    int32_t MirrorSign_ = 1, FlipSign_ = 1;
    bool OriginTopLeft_ = true;
    platform::Rect SourceRect_{};
    float DrawScaleX_ = 0, DrawScaleY_ = 0;
    float DrawCenterX_ = 0, DrawCenterY_ = 0;
    float DrawX_ = 0, DrawY_ = 0;
    std::array<float, 10> data_{};
    std::array<std::string, 10> DataString_{};
    int32_t SrcMode_ = 5, DstMode_ = 6;  // source alpha, inverse source alpha
};

}  // namespace plm
