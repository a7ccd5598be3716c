#pragma once
// The sprite table's front: sizing the table, switching sprites on and off, their placement,
// frame and drawing properties, the render order, the frame's render pass, and queries over the
// table. All state lives in the shared engine state (SpriteTable, SpriteData, RenderOrder);
// the object itself holds none. Sprites are numbered 1..SpriteTotal; a number outside the table
// is refused (reads give 0 / false, writes do nothing).
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class Sprite {
public:
    // Table and lifetime.
    void Init(int32_t SpriteTotal);
    void Activate(int32_t sprite, float XPos, float Ypos, int32_t Texture, int32_t SrcX, int32_t SrcY,
                  int32_t XFrame, int32_t YFrame, int32_t FrameWidth, int32_t FrameHeight, bool OriginTopLeft,
                  bool Enabled);
    void TurnOff(int32_t sprite, bool ClearEngineDelay, bool TurnOffParticle);
    void TurnOffAll(bool ClearEngineDelay, bool TurnOffParticle);
    bool Enabled(int32_t sprite) const;
    void Enabled(int32_t sprite, bool value);
    int32_t GetInitializedTotal() const;

    // Placement.
    float X(int32_t sprite) const;
    void X(int32_t sprite, float value);
    float Y(int32_t sprite) const;
    void Y(int32_t sprite, float value);
    void SetXY(int32_t sprite, float XPos, float Ypos);
    PLMXY GetXY(int32_t sprite) const;
    void XAdd(int32_t sprite, float value);
    void YAdd(int32_t sprite, float value);
    void AddToPos(int32_t sprite, float XDir, float YDir, bool WithDelta);
    void AddToPosRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, bool WithDelta);
    void AddToPosWrap(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                      bool WithDelta);
    void AddToPosWrapRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, float XMin, float YMin,
                           float XMax, float YMax, bool WithDelta);
    void AddToPosLimit(int32_t sprite, float XDir, float YDir, float XMin, float YMin, float XMax, float YMax,
                       bool WithDelta);
    void AddToPosLimitRange(int32_t StartSprite, int32_t EndSprite, float XDir, float YDir, float XMin, float YMin,
                            float XMax, float YMax, bool WithDelta);
    void PullTowards(int32_t sprite, int32_t SpriteToPullTowards, float Speed, float Distance);
    PLMXY GetOffsetPosition(int32_t sprite, float XOffset, float YOffset, bool LatchRotate) const;
    void SetAllToIntPixel();

    // Frame and texture.
    int32_t Texture(int32_t sprite) const;
    void Texture(int32_t sprite, int32_t value);
    int32_t SrcX(int32_t sprite) const;
    void SrcX(int32_t sprite, int32_t value);
    int32_t SrcY(int32_t sprite) const;
    void SrcY(int32_t sprite, int32_t value);
    int32_t Width(int32_t sprite) const;
    void Width(int32_t sprite, int32_t value);
    int32_t Height(int32_t sprite) const;
    void Height(int32_t sprite, int32_t value);
    int32_t XFrame(int32_t sprite) const;
    void XFrame(int32_t sprite, int32_t value);
    int32_t YFrame(int32_t sprite) const;
    void YFrame(int32_t sprite, int32_t value);
    void SetFrame(int32_t sprite, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height);
    void SetFrameAndTexture(int32_t sprite, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                            int32_t Texture);
    PLMSpriteImageRect GetImageRect(int32_t sprite) const;
    int32_t GetWidth(int32_t sprite) const;
    int32_t GetHeight(int32_t sprite) const;
    void SetMapTileToSprite(float MapTile, int32_t sprite, float XPos, float Ypos);

    // Scale, rotation, alpha, colour and blending.
    float Scaled(int32_t sprite) const;
    void Scaled(int32_t sprite, float value);
    float XScaled(int32_t sprite) const;
    void XScaled(int32_t sprite, float value);
    float YScaled(int32_t sprite) const;
    void YScaled(int32_t sprite, float value);
    float GetScale(int32_t sprite) const;
    float Rotate(int32_t sprite) const;
    void Rotate(int32_t sprite, float value);
    float Alpha(int32_t sprite) const;
    void Alpha(int32_t sprite, float value);
    void SetRenderState(int32_t sprite, int32_t SourceMode, int32_t DestinationMode);
    void SetRGB(int32_t sprite, float R, float G, float B);
    PLMRGB GetRGB(int32_t sprite) const;
    bool Blend(int32_t sprite) const;
    void Blend(int32_t sprite, bool value);
    bool Mirror(int32_t sprite) const;
    void Mirror(int32_t sprite, bool value);
    bool Flip(int32_t sprite) const;
    void Flip(int32_t sprite, bool value);
    void SetShadow(int32_t sprite, float Alpha, float XOffset, float YOffset, bool State, float Red, float Green,
                   float Blue, float Rotation, float Scaling, float XScale, float YScale, bool AutoRotate,
                   bool AutoScale);

    // Identity, hits and the caller's values.
    int32_t Hits(int32_t sprite) const;
    void Hits(int32_t sprite, int32_t value);
    bool HitsDecrement(int32_t sprite, int32_t Amount);
    int32_t ID1(int32_t sprite) const;
    void ID1(int32_t sprite, int32_t value);
    int32_t ID2(int32_t sprite) const;
    void ID2(int32_t sprite, int32_t value);
    float data(int32_t sprite, int32_t id) const;
    void data(int32_t sprite, int32_t id, float value);
    std::string DataString(int32_t sprite, int32_t id) const;
    void DataString(int32_t sprite, int32_t id, const std::string& value);

    // Whole rows.
    void Swap(int32_t Sprite1, int32_t Sprite2);
    void Copy(int32_t CopyFrom, int32_t CopyStart, int32_t CopyEnd);

    // Render order.
    void ResetZorder();
    int32_t Zorder(int32_t sprite) const;
    void Zorder(int32_t sprite, int32_t value);
    void Sort(int32_t sortmethod, int32_t howmanysorts);
    void SortScaled();

    // Render passes (between Scene.Begin and Scene.Render).
    void Render();
    void RenderSprites(int32_t StartingSprite, int32_t EndingSprite);
    void RenderSprite(int32_t sprite);
    void RenderFast(bool RenderParticles);
    void RenderEngine(int32_t StartingSprite, int32_t EndingSprite);
    void RenderCopyOf(int32_t sprite, float XPos, float Ypos);

    // Queries.
    int32_t Get1Available(int32_t WithID1, int32_t WithID2) const;
    int32_t Get1AvailableRange(int32_t StartSprite, int32_t EndSprite, int32_t WithID1, int32_t WithID2) const;
    int32_t Get1OnRandomRange(int32_t StartSprite, int32_t EndSprite, int32_t WithID1, int32_t WithID2) const;
    int32_t GetRightMost(int32_t StartSprite, int32_t EndSprite) const;
    int32_t GetLeftMost(int32_t StartSprite, int32_t EndSprite) const;
    int32_t GetBottomMost(int32_t StartSprite, int32_t EndSprite) const;
    int32_t GetTopMost(int32_t StartSprite, int32_t EndSprite) const;
    int32_t GetHowManyOn() const;
    int32_t GetHowManyOnWithID1(int32_t id) const;
    int32_t GetHowManyOnWithID2(int32_t id) const;
    int32_t GetHowManyOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const;
    bool IsAnyOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const;
    bool IsAllOfTheseOn(int32_t StartSprite, int32_t EndSprite, bool WithEngineDelay) const;
    bool IsActive(int32_t sprite) const;
    float GetDistanceBetweenSprites(int32_t Sprite1, int32_t Sprite2) const;
    float GetAngleBetweenSprites(int32_t Sprite1, int32_t Sprite2) const;
};

}  // namespace plm
