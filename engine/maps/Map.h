#pragma once
// The tile map's front: set-up and sizes, cell properties and puts, buffers, the per-cell effects,
// the camera and drawing, and the lookups and movement tests. All state lives in the shared engine
// state (MapState); the object itself holds none, so every Map object sees the same map.
//
// Cells are addressed by column and row as singles, each rounded to the nearest whole number
// (halves to even), and a layer 1..MapLayers. A column, row, layer, buffer or tile number outside
// the grids is refused: a read gives 0 (a lookup -1, or (-1, 0)), a write does nothing and a draw
// skips the cell.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class Map {
public:
    // Set-up and sizes.
    void Init(int32_t tilewidth, int32_t tileheight, int32_t MapWidth, int32_t MapHeight, int32_t MapTexturesWidth,
              int32_t MapTexturesHeight, int32_t SourceTilesAcross, int32_t SourceTilesDown, int32_t HowManyMapTextures,
              int32_t HowManyBufferIndexes, int32_t HowManyLayers);
    int32_t GetWidth() const;
    int32_t GetHeight() const;
    int32_t GetPixelWidth() const;
    int32_t GetPixelHeight() const;
    int32_t GetHowManyLayers() const;
    int32_t GetHowManyIndexes() const;
    int32_t GetHowManyTextures() const;
    int32_t GetSourceTextureWidth() const;
    int32_t GetSourceTextureHeight() const;
    int32_t GetSourceTileWidth() const;
    int32_t GetSourceTileHeight() const;
    int32_t GetSourceTilesAcross() const;
    int32_t GetSourceTilesDown() const;

    // The map file (maps/MapFile.h): the whole map, or the buffers only for map editors. The path
    // is used as given. A save writes the whole file or leaves the old one; it fails before Init.
    // A load that fails leaves the map as it was.
    bool SaveMap(const std::string& FullFilePath) const;
    bool LoadMap(const std::string& FullFilePath);
    bool SaveBufferAsMapFile(const std::string& FullFilePath, int32_t HowManyMapTextures) const;

    // Cell properties.
    float Value(float XPos, float Ypos, int32_t Layer) const;
    void Value(float XPos, float Ypos, int32_t Layer, float value);
    float GetAtXY(float XPos, float Ypos, int32_t Layer) const;
    float Alpha(float XPos, float Ypos, int32_t Layer) const;
    void Alpha(float XPos, float Ypos, int32_t Layer, float value);
    float Rotate(float XPos, float Ypos, int32_t Layer) const;
    void Rotate(float XPos, float Ypos, int32_t Layer, float value);
    float Scaled(float XPos, float Ypos, int32_t Layer) const;
    void Scaled(float XPos, float Ypos, int32_t Layer, float value);
    int32_t ID1(float XPos, float Ypos, int32_t Layer) const;
    void ID1(float XPos, float Ypos, int32_t Layer, int32_t value);
    int32_t ID2(float XPos, float Ypos, int32_t Layer) const;
    void ID2(float XPos, float Ypos, int32_t Layer, int32_t value);

    // Puts: each writes one cell as a fresh tile and stops its effects.
    void PutAtXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate, int32_t Layer);
    void PutAtPixelXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate, int32_t Layer);
    bool PutAtScreenXY(float XPos, float Ypos, float TileValue, float TileAlpha, float TileRotate,
                       float RotateTileToSprite, int32_t Layer);
    bool PutAtMouse(float TileValue, float TileAlpha, float TileRotate, float RotateTileToSprite, int32_t Layer);
    void PutAtSprite(int32_t sprite, float TileValue, float XOffset, float YOffset, float TileAlpha, float TileRotate,
                     float RotateTileToSprite, int32_t Layer);
    void Swap(float Xpos1, float Ypos1, float Xpos2, float Ypos2, int32_t Layer);
    PLMMapTileRect GetTileRect(float TileValue) const;

    // Buffers.
    bool MapToBuffer(int32_t Index, int32_t Layer);
    bool BufferToMap(int32_t Index, int32_t Layer);
    float buffer(int32_t Index, float XPos, float Ypos) const;
    void buffer(int32_t Index, float XPos, float Ypos, float value);
    float GetBuffer(int32_t Index, float XPos, float Ypos) const;

    // Cell effects.
    void SetScaling(float XPos, float Ypos, float StartingScale, float StartingDir, float min, float max, float length,
                    float Style, int32_t Layer);
    void SetAlphaFading(float XPos, float Ypos, float StartingAlpha, float StartingDir, float min, float max,
                        float length, float Style, int32_t Layer);
    void SetRotating(float XPos, float Ypos, float StartingRotate, float StartingDir, float min, float max,
                     float length, float Style, int32_t Layer);
    void SetRotateToSprite(float XPos, float Ypos, int32_t sprite, int32_t Layer);
    void SetAnimating(float XPos, float Ypos, float StartingDir, float StartValue, float EndValue, float length,
                      float Style, int32_t Layer);
    void SetShaking(float XPos, float Ypos, float Velocity, float SpeedMS, float length, int32_t Layer);
    void FxOff(float XPos, float Ypos, int32_t Layer);
    void FxOffAll(int32_t Layer);
    void SetScaleOnAll(float ScaleValue, int32_t Layer);
    void SetRotateOnAll(float Rotate, int32_t Layer);
    void SetAlphaOnAll(float TileAlpha, int32_t Layer);
    bool IsScaling(float XPos, float Ypos, int32_t Layer) const;
    bool IsAlphaFading(float XPos, float Ypos, int32_t Layer) const;
    bool IsRotating(float XPos, float Ypos, int32_t Layer) const;
    bool IsAnimating(float XPos, float Ypos, int32_t Layer) const;
    bool IsShaking(float XPos, float Ypos, int32_t Layer) const;

    // Camera and draw area.
    float X() const;
    void X(float value);
    float Y() const;
    void Y(float value);
    PLMRect SetXY(float XPos, float Ypos);
    PLMRect MoveBy(float XDir, float YDir, bool WithDelta);
    void SetDrawArea(int32_t ScreenX, int32_t ScreenY, int32_t TilesAcrossToDraw, int32_t TilesDownToDraw);
    int32_t ScreenX() const;
    void ScreenX(int32_t value);
    int32_t ScreenY() const;
    void ScreenY(int32_t value);
    void SetCameraOnSprite(int32_t sprite);
    void UpdateCamera(int32_t Layer);
    void SetRenderState(int32_t SourceMode, int32_t DestinationMode);

    // Drawing, between Scene.Begin and Scene.Render.
    void Render(int32_t Layer);
    void RenderAll(int32_t Layer);
    void RenderFast(int32_t Layer);
    void RenderFastFrom(float XPos, float Ypos, float MapAlpha, float MapRGB, int32_t Layer);
    void RenderFastFromBuffer(int32_t Index, float XPos, float Ypos, float MapAlpha, float MapRGB);

    // Lookups: -1 (or (-1, 0)) off the map or off the window.
    int32_t GetGridTile(float XPos, float Ypos) const;
    int32_t GetGridTileAtSprite(int32_t sprite, float XOffset, float YOffset) const;
    float GetAtPixelXY(float XPos, float Ypos, int32_t Layer) const;
    float GetAtScreenXY(float XPos, float Ypos, int32_t Layer) const;
    float GetAtMouse(int32_t Layer) const;
    float GetAtSprite(int32_t sprite, float XOffset, float YOffset, int32_t Layer) const;
    PLMXY GetMouseToXY() const;
    PLMXY GetMouseToXYPixel() const;
    PLMXY GetSpriteToXY(int32_t sprite, float XOffset, float YOffset) const;
    PLMXY GetSpriteToXYPixel(int32_t sprite, float XOffset, float YOffset) const;
    float GetSpriteToXPixel(int32_t sprite, float XOffset) const;
    float GetSpriteToYPixel(int32_t sprite, float YOffset) const;
    PLMMapTileCheck GetSpriteTile(int32_t sprite, bool EightWay, int32_t Layer) const;

    // Movement tests: a tile passes when TileMinValue <= tile <= TileMaxValue.
    void SetOkToMoveSprite(int32_t sprite, float OffsetX, float OffsetY, float Width, float Height);
    PLMArea GetOkToMoveSprite(int32_t sprite) const;
    bool OkToMove(float XPos, float Ypos, float Width, float Height, int32_t TileMinValue, int32_t TileMaxValue,
                  int32_t Layer) const;
    bool OkToMoveSprite(int32_t sprite, float XDir, float YDir, int32_t TileMinValue, int32_t TileMaxValue,
                        int32_t Layer) const;
    bool OkToMoveSpriteFast(int32_t sprite, float XDir, float YDir, int32_t TileMinValue, int32_t TileMaxValue,
                            int32_t Layer) const;
    float NotOkToMoveX() const;
    float NotOkToMoveY() const;
};

}  // namespace plm
