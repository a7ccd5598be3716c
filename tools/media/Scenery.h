#pragma once
// The painted scenes behind the game screens: ten level backgrounds and the survival scene.
#include "Canvas.h"

namespace media {

constexpr int kSceneCount = 11;  // 1..10 the level backgrounds, 11 survival
// Paints scene n over the whole image.
void PaintScene(Image& img, int n);

}  // namespace media
