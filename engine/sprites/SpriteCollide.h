#pragma once
// Collision areas of sprites and the tests between them. Each test places the areas from the
// sprite rows at the moment of the call: a box (CollideXOffset, CollideYOffset, CollideWidth,
// CollideHeight) or a circle (CollideRadius), scaled by the sprite's scales; a centred sprite's
// box is placed from its frame's top-left corner. A test sprite that is off or whose collision
// is disabled hits nothing; sprites of the range that are off or disabled are skipped.
//
// Single-result forms walk StartSprite..EndSprite upward and return the first other sprite hit,
// or 0. Array forms walk the whole range: CollideArray[i] (indexed by sprite number) is set to 1
// for each sprite i hit and to 0 for every other i of the range; elements outside the range are
// not touched; the result is true when anything was hit. An array that does not cover the range
// is refused: nothing is written, the refusal is logged and the result is false.
#include <cstdint>
#include <vector>

#include "core/Records.h"

namespace plm {

class SpriteCollide {
public:
    // Each sprite as its own shape (box or circle).
    int32_t Check(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const;
    bool CheckArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite, std::vector<uint8_t>& CollideArray) const;
    // Every sprite as a box.
    int32_t CheckBoxes(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const;
    bool CheckBoxesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                         std::vector<uint8_t>& CollideArray) const;
    // Every sprite as a circle.
    int32_t CheckCircles(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const;
    bool CheckCirclesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                           std::vector<uint8_t>& CollideArray) const;
    // Every sprite as a box turned by its Rotate (about the box's centre).
    int32_t CheckRotatedBoxes(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const;
    bool CheckRotatedBoxesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                std::vector<uint8_t>& CollideArray) const;
    // Each sprite as its own shape, boxes turned by their Rotate.
    int32_t CheckRotatedBoxesAndCircles(int32_t sprite, int32_t StartSprite, int32_t EndSprite) const;
    bool CheckRotatedBoxesAndCirclesArray(int32_t sprite, int32_t StartSprite, int32_t EndSprite,
                                          std::vector<uint8_t>& CollideArray) const;

    // The placed area: a box (left, top, width, height; radius 0) or a circle (centre, radius;
    // width and height 0).
    PLMCollideArea GetArea(int32_t sprite) const;
    void SetAsCircle(int32_t sprite, float Radius, float XOffset, float YOffset);
    void SetAsBox(int32_t sprite, float XOffset, float YOffset, float Width, float Height);
    bool Enabled(int32_t sprite) const;
    void Enabled(int32_t sprite, bool value);
    // The sprite's own shape against a box (left, top, size) or a circle (centre, radius).
    bool IsOverBox(int32_t sprite, float XPos, float Ypos, float Width, float Height) const;
    bool IsOverCircle(int32_t sprite, float XPos, float Ypos, float Radius) const;
};

}  // namespace plm
