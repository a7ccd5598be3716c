#include "ClearEffects.h"

#include <array>

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr int32_t kEffects = 10;
constexpr int32_t kPopSample = 7;
constexpr int32_t kFlyingTile = 1;  // ID2 of a flying tile: no plate, left alone by the falling gems

// Thrust speeds of columns 6..17 in the three patterns (5.6 beside the 6, as played).
constexpr std::array<std::array<float, 12>, 3> kThrustSpeeds{{
    {6, 5, 4, 3, 2, 1, 0.5f, 1, 2, 3, 4, 5},
    {0.5f, 1, 1.5f, 2, 2.5f, 3, 3.5f, 4, 4.5f, 5, 5.6f, 6},
    {6, 5.6f, 5, 4.5f, 4, 3.5f, 3, 2.5f, 2, 1.5f, 1, 0.5f},
}};

float Cell(int32_t n) { return static_cast<float>(n); }
float Centre(int32_t n) { return static_cast<float>(n * kCellSize + kCellSize / 2); }

// Walks the playfield column by column and hands each tile to a sprite of the falling-gem range
// showing its image at its place; `motion` then sets the sprite moving.
template <typename Motion>
void TakeOverTiles(Motion motion) {
    plm::PelmarEngine& e = E();
    plm::Map& map = *e.Map();
    for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
        for (int32_t y = kPlayTop; y <= kPlayBottom; ++y) {
            const int32_t v = plm::Int(map.Value(Cell(x), Cell(y), kBoardLayer));
            if (v <= 0) continue;
            const plm::PLMMapTileRect rect = map.GetTileRect(static_cast<float>(v));
            EmptyCell(x, y);
            const int32_t s = e.Sprite()->Get1AvailableRange(kFallingGemFirst, kFallingGemLast, -1, -1);
            if (s <= 0) continue;
            e.Sprite()->Activate(s, Cell(x * kCellSize), Cell(y * kCellSize), rect.Texture, rect.SrcX, rect.SrcY, 0, 0, rect.Width,
                                 rect.Height, true, true);
            e.SpriteCollide()->Enabled(s, false);
            motion(s, x);
            e.Sprite()->ID2(s, kFlyingTile);
        }
}

}  // namespace

void RunBoardClearEffect() {
    int32_t& effect = Game().Fx.BoardClearEffect;
    if (++effect > kEffects) effect = 1;
    switch (effect) {
        case 2:
            ClearBoardExplode();
            E().Sample()->Play(kPopSample, Game().Settings.SoundVolume, 50);
            break;
        case 4: ClearBoardScatter(); break;
        case 6: ClearBoardScatterTrails(); break;
        case 8: ClearBoardShrink(false); break;
        case 10: ClearBoardShrink(true); break;
        default: ClearBoardThrust(); break;
    }
}

void ClearBoardThrust() {
    const int32_t pattern = E().Lib()->GetNumber(1, 3);
    const std::array<float, 12>& speeds = kThrustSpeeds[static_cast<size_t>(pattern - 1)];
    TakeOverTiles([&](int32_t s, int32_t x) {
        E().SpriteEngine()->Thrust(s, 0, 0, 0, speeds[static_cast<size_t>(x - kBoardLeft)] * 0.0004f, -100, -100,
                                   800, 600, 0);
    });
}

void ClearBoardScatter() {
    TakeOverTiles([](int32_t s, int32_t) {
        plm::PelmarEngine& e = E();
        const plm::PLMXY d = e.Lib()->GetDirection(static_cast<float>(e.Lib()->GetNumber(320, 400)), 0.3f);
        e.SpriteEngine()->Thrust(s, d.X, d.Y, 0, 0.0005f, -100, -100, 800, 600, 0);
    });
}

void ClearBoardScatterTrails() {
    TakeOverTiles([](int32_t s, int32_t) {
        plm::PelmarEngine& e = E();
        const plm::PLMXY d = e.Lib()->GetDirection(static_cast<float>(e.Lib()->GetNumber(140, 220)), 0.2f);
        e.SpriteEngine()->Thrust(s, d.X, d.Y, 0, -0.000325f, -100, -200, 800, 600, 0);
        e.SpritePFX()->ParticleOn(s, 9, 16, 36, true, 2, 3, 70, 1, 4, 1, 1, false, 1, 0, 0, 0.05f, 0, false, 255, 255,
                                  255, plm::BlendSrcAlpha, plm::BlendOne);
    });
}

void ClearBoardShrink(bool Horizontal) {
    TakeOverTiles([Horizontal](int32_t s, int32_t) {
        plm::SpriteEngine& se = *E().SpriteEngine();
        if (Horizontal)
            se.SetXScaling(s, 1.0f, -0.0006f, 0, 1.0f, 0, 8, true);
        else
            se.SetYScaling(s, 1.0f, -0.0006f, 0, 1.0f, 0, 8, true);
    });
}

void ClearBoardExplode() {
    plm::Map& map = *E().Map();
    for (int32_t y = kPlayTop; y <= kPlayBottom; ++y)
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
            if (map.Value(Cell(x), Cell(y), kBoardLayer) > 0) ExplodeTile(x, y);
}

void ExplodeTile(int32_t X, int32_t Y) {
    EmptyCell(X, Y);
    const media::Rect strip = media::ShardStripFrame(0);
    E().SpritePFX()->ExplosionCustom(Centre(X), Centre(Y), media::kSheetTexture, strip.x, strip.y, strip.w, strip.h,
                                     media::kShardStripFrames, 10, 16, 16, false, false, 1.0f, -0.1f, 0, 1.0f, 1.0f,
                                     1.0f, 0, 0, 4000, 4000, 1, 255, 255, 255, plm::BlendSrcAlpha, plm::BlendOne);
}

void PopMapTile(int32_t X, int32_t Y, int32_t Nodes) {
    plm::PelmarEngine& e = E();
    const float v = e.Map()->Value(Cell(X), Cell(Y), kBoardLayer);
    const int32_t kind = TileKind(plm::Int(v));
    const plm::PLMMapTileRect rect = e.Map()->GetTileRect(v);
    if (rect.Texture == -1) {
        e.Log("MapGetTiltRect=-1 at PopMapTile", false);
        Game().Frame.InGame = false;
        return;
    }
    EmptyCell(X, Y);

    plm::SpritePFX& pfx = *e.SpritePFX();
    plm::Lib& lib = *e.Lib();
    if (kind >= media::kColourGem1 && kind < media::kColourGem1 + media::kColours) {
        pfx.ExplosionCustomStart(media::kSheetTexture, 4000, 0, 1, plm::BlendSrcAlpha, plm::BlendOne);
        for (int32_t i = 1; i <= Nodes; ++i) {
            const int32_t angle = lib.GetNumber(280, 440);
            const plm::PLMXY d = lib.GetDirection(static_cast<float>(angle), static_cast<float>(i) * 0.003f);
            const int32_t column = lib.GetNumber(0, 3);
            const int32_t floor = lib.GetNumber(597, 603);
            const media::Rect chip = media::Shard(kind, column);
            pfx.ExplosionCustomSetNodeYBouncing(Centre(X), Centre(Y), chip.x, chip.y, chip.w, chip.h, 255, -0.08f, 0,
                                                d.X * 8, 1.0f, -0.0001f, 1.0f, 0, 1.0f, 0, d.X, 0, d.Y, 0.00055f,
                                                static_cast<float>(floor), 0.5f, 4000, 0, 255, 255, 255);
        }
        pfx.ExplosionCustomEnd();
    }
    pfx.ExplosionCustom(Centre(X), Centre(Y), rect.Texture, rect.SrcX, rect.SrcY, plm::IntDiv(rect.Width, 4),
                        plm::IntDiv(rect.Height, 4), 1, Nodes, 16, 16, false, false, 1.0f, -0.1f, 0, 1.0f, 1.0f, 1.0f,
                        0, 0, 4000, 4000, 1, 255, 255, 255, plm::BlendSrcAlpha, plm::BlendOne);
}

}  // namespace tessaly
