#pragma once
// Where the particle and explosion images lie on the engine particle texture (the game's
// "plmres1.png", texture slot 3). The emitter presets and the explosion presets cut their images
// here, and the game's media generator draws the picture at these same places
// (game/MediaLayout.h takes them from this header).
#include <cstdint>

namespace plm::sheet {

// A source rectangle: x, y, width, height in pixels of the picture.
struct Rect {
    int x, y, w, h;
};

// Images of the preset particle styles of the sprite emitters.
constexpr Rect kParticleGlow{67, 47, 20, 20};         // styles 1-4
constexpr Rect kParticleStar{155, 70, 20, 20};        // styles 5-8
constexpr Rect kParticleFlameUp{68, 70, 18, 27};      // styles 9, 46
constexpr Rect kParticleFlameDown{68, 98, 18, 27};    // style 10
constexpr Rect kParticleFlameLeft{36, 95, 27, 18};    // style 11
constexpr Rect kParticleFlameRight{36, 113, 27, 18};  // style 12
constexpr Rect kParticleFlare{180, 50, 40, 41};       // styles 13-27
constexpr Rect kParticleSpark{155, 48, 18, 18};       // styles 28-44
constexpr Rect kParticleRing{155, 92, 20, 20};        // style 45
// Our own images for the explosion presets: six 32 x 32 and six 16 x 16 ones.
enum ExplosionImage : int { kExpGlow, kExpStar, kExpSmoke, kExpRing, kExpFlame, kExpShard };
constexpr int kExplosionImages = 6;
constexpr Rect ExplosionImageLarge(int i) { return {240 + 33 * (i % 4), 20 + 33 * (i / 4), 32, 32}; }
constexpr Rect ExplosionImageSmall(int i) { return {240 + 17 * i, 90, 16, 16}; }

}  // namespace plm::sheet
