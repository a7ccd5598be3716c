#pragma once
// The texture table: every image the engine draws lives in one numbered slot, 1..MaxTextures.
// Texture fills slots from files, makes blank ones, copies between them, saves them, and draws
// any rectangle of a slot straight to the screen through the frame's sprite batch.
#include <cstdint>
#include <string>

#include "core/Records.h"
#include "platform/GraphicsDevice.h"

namespace plm {

// The colour key that -1 stands for, and that Create stores: opaque magenta.
inline constexpr uint32_t kDefaultColorKey = 0xFFFF00FFu;

class Texture {
public:
    // Loads an image file (PNG, JPEG, BMP, DDS) into slot Index. Pixels equal to ColorKeyValue
    // (-1: opaque magenta, 0: none) become transparent black. WidthAndHeight above 0 resamples the
    // image to that square; 0 keeps the file's size.
    bool Load(int32_t Index, const std::string& FileNameOnly, int32_t ColorKeyValue = -1, bool UseFullPath = false,
              int32_t WidthAndHeight = 0);
    // Loads slots 1..Total from "t1.<ext>", "t2.<ext>", ... in the engine folder; false when any
    // file was missing (the others are still loaded).
    bool LoadBatch(int32_t Total, int32_t ColorKeyValue, const std::string& ext);
    // A blank square texture in slot Index (2..MaxTextures), optionally a render target.
    bool Create(int32_t Index, int32_t WidthAndHeight, bool RenderTarget);
    // A copy of slot SrcIndex in slot DstIndex.
    void Clone(int32_t SrcIndex, int32_t DstIndex);
    // Copies a rectangle of one slot into another, clipped to both; no scaling or blending.
    void CopyToTexture(int32_t SrcIndex, float SrcX, float SrcY, float SrcWidth, float SrcHeight, int32_t DstIndex,
                       float DstX, float DstY);
    // Writes slot Index as BMP or DDS.
    bool Save(int32_t Index, const std::string& FileNameOnly, bool UseFullPath, PLMTextureSaveFormat Format);
    // Asks the device to discard its managed resources.
    bool Flush();
    bool IsLoaded(int32_t Index) const;
    // The slot's texture, or kNoSurface for an empty slot or an index outside the table.
    platform::SurfaceId GetHandle(int32_t Index) const;
    // Size of the slot's top level, read from the texture itself (0 for an empty slot).
    int32_t GetWidth(int32_t Index) const;
    int32_t GetHeight(int32_t Index) const;
    int32_t GetMaxTextureWidth() const;
    int32_t GetMaxTextureHeight() const;
    int32_t GetAvailableTextureMemory() const;

    // Drawing through the sprite batch. Angles are engine degrees (0 = up, clockwise); alpha and
    // colour components 0..255; blend modes are Direct3D blend factors (BlendFactor).
    void Render(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DstX, float DstY,
                float Alpha = 255, float Rotate = 0, float XScale = 1, float YScale = 1, bool OriginTopLeft = false,
                float ShadowAlpha = 0, float ShadowXOffset = 0, float ShadowYOffset = 0, float ShadowXScale = 1,
                float ShadowYScale = 1, float ShadowRotate = 0, float R = 255, float G = 255, float B = 255,
                int32_t SourceMode = BlendSrcAlpha, int32_t DestinationMode = BlendInvSrcAlpha);
    void RenderFast(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                    float DestY, float Alpha = 255, float Rotate = 0, float Scaled = 1, bool OriginTopLeft = false,
                    bool RotateAsRad = false, int32_t SourceMode = BlendSrcAlpha,
                    int32_t DestinationMode = BlendInvSrcAlpha);
    void RenderFaster(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                      float DestY, float Alpha = 255, float Rotate = 0);
    void RenderFastest(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DestX,
                       float DestY);
    void RenderTransform(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                         const platform::Matrix4& Matrix, float Alpha = 255, float R = 255, float G = 255,
                         float B = 255, int32_t SourceMode = BlendSrcAlpha,
                         int32_t DestinationMode = BlendInvSrcAlpha);
    void RenderSkew(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, float DstX, float DstY,
                    float XScale = 1, float YScale = 1, float XSkew = 0, float YSkew = 0, float Alpha = 255,
                    bool OriginTopLeft = false, float R = 255, float G = 255, float B = 255,
                    int32_t SourceMode = BlendSrcAlpha, int32_t DestinationMode = BlendInvSrcAlpha);
};

}  // namespace plm
