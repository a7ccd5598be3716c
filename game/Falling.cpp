#include "Falling.h"

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

// Whether sprite i is a falling gem now: on, and not borrowed by the board-clear effects.
bool IsFallingGem(int32_t i) {
    plm::Sprite& sprite = *E().Sprite();
    return sprite.Enabled(i) && sprite.ID2(i) == 0;
}

// The landing animation of a gem that settled in cell (x, y) with tile value v.
void StartLanding(float x, float y, int32_t v) {
    plm::PelmarEngine& e = E();
    plm::Map& map = *e.Map();
    const float fv = static_cast<float>(v);
    const int32_t kind = TileKind(v);
    if (kind >= media::kColourGem1 && kind < media::kBomb) {
        const float speed = 0.01f + 0.0005f * static_cast<float>(e.Lib()->GetNumber(1, 20));
        map.SetAnimating(x, y, speed, fv, fv + 30, 0, 0, kBoardLayer);
    } else if (kind >= media::kBomb && kind < media::kRowGem) {
        map.SetAnimating(x, y, 0.01f, fv, fv + 30, 0, 0, kBoardLayer);
    } else if (kind >= media::kRowGem && kind < media::kShuffleGem) {
        map.SetAnimating(x, y, 0.02f, fv, fv + 15, 0, 3, kBoardLayer);
    } else if (kind == media::kShuffleGem) {
        map.SetAnimating(x, y, 0.01f, fv, fv + 15, 0, 0, kBoardLayer);
    }
}

}  // namespace

void StartFall(float FromRow, bool FadeIn) {
    plm::PelmarEngine& e = E();
    plm::Map& map = *e.Map();
    plm::Sprite& sprite = *e.Sprite();
    int32_t n = 0;
    for (int32_t r = plm::RoundHalfEven(FromRow); r >= kEntryRow; --r) {
        n += 2;
        for (int32_t c = kBoardLeft; c <= kBoardRight; ++c) {
            const int32_t above = CellValue(c, r - 1);
            if (CellValue(c, r) != 0 || above <= 0) continue;
            const plm::PLMMapTileRect tile = map.GetTileRect(static_cast<float>(above));
            const int32_t s = sprite.Get1AvailableRange(kFallingGemFirst, kFallingGemLast, -1, -1);
            if (s == 0) continue;  // no free sprite: the gem hangs until the next fall
            sprite.Activate(s, static_cast<float>(kCellSize * c), static_cast<float>(kCellSize * (r - 1)), tile.Texture,
                            tile.SrcX, tile.SrcY, 0, 0, tile.Width, tile.Height, true, true);
            sprite.ID1(s, KindFirstValue(TileKind(above)));
            sprite.data(s, 1, 0);
            sprite.data(s, 2, 0.004f / static_cast<float>(n));
            const float fc = static_cast<float>(c), fr = static_cast<float>(r - 1);
            map.Value(fc, fr, kBoardLayer, 0);
            map.FxOff(fc, fr, kBoardLayer);
            if (FadeIn) e.SpriteEngine()->SetFadeIn(s, 0.4f, 255, true);
        }
    }
}

void UpdateFallingGems() {
    plm::PelmarEngine& e = E();
    plm::Map& map = *e.Map();
    plm::Sprite& sprite = *e.Sprite();
    const float delta = e.Delta();
    for (int32_t i = kFallingGemFirst; i <= kFallingGemLast; ++i) {
        if (!IsFallingGem(i)) continue;
        const float speed = sprite.data(i, 1);
        sprite.YAdd(i, speed);
        if (e.SpriteCollide()->CheckBoxes(i, kFallingGemFirst, kFallingGemLast) > 0) {
            sprite.YAdd(i, -speed);  // held back by the gem below, keeping its speed
        } else {
            sprite.data(i, 1, speed + delta * sprite.data(i, 2));
        }
        if (map.GetAtSprite(i, kCellSize / 2.0f, kCellSize, kBoardLayer) > 0) {
            const plm::PLMXY cell = map.GetSpriteToXY(i, kCellSize / 2.0f, 0);
            const int32_t v = sprite.ID1(i);
            map.FxOff(cell.X, cell.Y, kBoardLayer);
            map.Value(cell.X, cell.Y, kBoardLayer, static_cast<float>(v));
            StartLanding(cell.X, cell.Y, v);
            sprite.TurnOff(i, true, true);
            PlayBoardSound(kLandSample);
        }
    }
}

bool IsGemFallingNearTop() {
    plm::Sprite& sprite = *E().Sprite();
    for (int32_t i = kFallingGemFirst; i <= kFallingGemLast; ++i)
        if (sprite.Enabled(i) && sprite.Y(i) < kCellSize * kPlayTop) return true;
    return false;
}

bool IsFallingGemOverCell(float PixelX, float PixelY) {
    plm::PelmarEngine& e = E();
    plm::Sprite& sprite = *e.Sprite();
    for (int32_t i = kFallingGemFirst; i <= kFallingGemLast; ++i)
        if (sprite.Enabled(i) &&
            e.Lib()->CollideBoxes(sprite.X(i), sprite.Y(i), kCellSize, kCellSize, PixelX, PixelY, kCellSize, kCellSize))
            return true;
    return false;
}

}  // namespace tessaly
