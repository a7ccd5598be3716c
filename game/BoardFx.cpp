#include "BoardFx.h"

#include "Board.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr int32_t kWallLeft = kBoardLeft - 1, kWallRight = kBoardRight + 1, kWallLastRow = 16;
constexpr int32_t kFireworksSample = 3;  // "f1"; "f2" follows it

// The plate of gem kind `kind` centred on screen point (cx, cy). Only kinds 1..19 have a plate:
// checker tiles, walls and anything else read none.
void DrawPlate(int32_t kind, float cx, float cy, float alpha) {
    if (kind < 1 || kind > media::kPlateKinds) return;
    const media::Rect r = media::BackingPlate(kind);
    E().Texture()->Render(media::kSheetTexture, r.x, r.y, r.w, r.h, cx, cy, alpha, 0, 1, 1, false, 0, 2, 2, 1, 1, 0,
                          255, 255, 255, plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
}

}  // namespace

void RenderCellMarks() {
    plm::Map& map = *E().Map();
    const float sx = static_cast<float>(map.ScreenX()), sy = static_cast<float>(map.ScreenY());
    for (int32_t y = kEntryRow; y <= kPlayBottom; ++y)
        for (int32_t x = kBoardLeft; x <= kBoardRight; ++x) {
            const int32_t v = CellValue(x, y);
            if (v > 0) DrawPlate(TileKind(v), static_cast<float>(x * kCellSize + 16) + sx,
                                 static_cast<float>(y * kCellSize + 16) + sy, 255);
        }
}

void RenderSpriteMarks() {
    plm::PelmarEngine& e = E();
    plm::Sprite& sprite = *e.Sprite();
    const float sx = static_cast<float>(e.Map()->ScreenX()), sy = static_cast<float>(e.Map()->ScreenY());
    for (int32_t s = kFallingGemFirst; s <= kFallingGemLast; ++s)
        if (sprite.Enabled(s) && sprite.ID2(s) == 0)
            DrawPlate(TileKind(sprite.ID1(s)), sprite.X(s) + 16 + sx, sprite.Y(s) + 16 + sy, sprite.Alpha(s));
}

void ShakeBoard() {
    FxArea& fx = Game().Fx;
    if (fx.ShakeTimer == 0) return;
    plm::PelmarEngine& e = E();
    fx.ShakeTimer -= e.Delta();
    e.Map()->ScreenX(e.Lib()->GetNumber(0, 4) + media::kBoardOrigin.x - 2);
    e.Map()->ScreenY(e.Lib()->GetNumber(0, 4) + media::kBoardOrigin.y - 2);
    if (fx.ShakeTimer < 1) {
        fx.ShakeTimer = 0;
        e.Map()->ScreenX(media::kBoardOrigin.x);
        e.Map()->ScreenY(media::kBoardOrigin.y);
    }
}

void RenderFireworks() {
    FxArea& fx = Game().Fx;
    if (fx.FireworksTimer <= 0) return;
    plm::PelmarEngine& e = E();
    plm::Lib& lib = *e.Lib();
    fx.FireworksTimer -= e.Delta();
    if (fx.FireworksTimer < 1) fx.FireworksTimer = 0;
    fx.FireworksDelay -= e.Delta();
    if (fx.FireworksDelay >= 1) return;

    fx.FireworksDelay = static_cast<float>(lib.GetNumber(0, 500));
    if (++fx.FireworksSound > 1) fx.FireworksSound = 0;
    const int32_t x = lib.GetNumber(100, 700);
    const int32_t y = lib.GetNumber(100, 500);
    int32_t red = -1, green = -1, blue = -1;  // -1: the style's own colours
    if (!lib.Chance(50)) {
        red = lib.GetNumber(50, 255);
        green = lib.GetNumber(50, 255);
        blue = lib.GetNumber(50, 255);
    }
    const int32_t style = lib.GetNumber(86, 87);
    const int32_t size = lib.GetNumber(1, 4);
    e.SpritePFX()->Explosion(style, static_cast<float>(x), static_cast<float>(y), static_cast<float>(size), 1.0f, 0,
                             2, red, green, blue, plm::BlendSrcAlpha, plm::BlendOne);
    e.Sample()->PlayPan(kFireworksSample + fx.FireworksSound, static_cast<float>(x), Game().Settings.SoundVolume, 0);
}

void WipeBoard() {
    plm::Map& map = *E().Map();
    const int32_t wallTile = Game().Levels.WallTile;
    for (int32_t y = 0; y <= map.GetHeight() - 1; ++y)
        for (int32_t x = 0; x <= map.GetWidth() - 1; ++x) {
            map.FxOff(static_cast<float>(x), static_cast<float>(y), kBoardLayer);
            map.Value(static_cast<float>(x), static_cast<float>(y), kBoardLayer, 0);
        }
    for (int32_t y = 0; y <= kWallLastRow; ++y) {
        map.Value(kWallLeft, static_cast<float>(y), kBoardLayer, static_cast<float>(wallTile));
        map.Value(kWallRight, static_cast<float>(y), kBoardLayer, static_cast<float>(wallTile));
    }
    for (int32_t x = kBoardLeft; x <= kBoardRight; ++x)
        map.Value(static_cast<float>(x), kFloorRow, kBoardLayer, static_cast<float>(wallTile));
}

}  // namespace tessaly
