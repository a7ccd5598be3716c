#include "Scoring.h"

#include <array>
#include <string>

#include "Board.h"
#include "Falling.h"
#include "GameState.h"
#include "Levels.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

struct Rgb {
    int32_t r, g, b;
};
// Popup colours 1..6, cycling from clear to clear.
constexpr std::array<Rgb, 6> kPopupColours{{{255, 220, 100}, {125, 255, 125}, {125, 180, 255}, {255, 150, 255},
                                            {255, 255, 80}, {255, 255, 255}}};

constexpr int32_t kExplosionGroup = 1;
constexpr int32_t kBurstNodes = 50;
constexpr float kBurstDuration = 4000;

float CellCentre(float cell) { return kCellSize * cell + kCellSize / 2.0f; }

// A colour gem breaks into 50 bouncing shards of its colour, fanned upward.
void ShardBurst(float cx, float cy, int32_t colour) {
    plm::PelmarEngine& e = E();
    plm::SpritePFX& pfx = *e.SpritePFX();
    pfx.ExplosionCustomStart(1, kBurstDuration, 0, kExplosionGroup, 5, 2);
    for (int32_t n = 1; n <= kBurstNodes; ++n) {
        const float angle = static_cast<float>(e.Lib()->GetNumber(280, 440));
        const plm::PLMXY d = e.Lib()->GetDirection(angle, n * 0.003f);
        const media::Rect shard = media::Shard(colour, e.Lib()->GetNumber(0, 3));
        const float floor = static_cast<float>(e.Lib()->GetNumber(597, 603));
        pfx.ExplosionCustomSetNodeYBouncing(cx, cy, shard.x, shard.y, shard.w, shard.h, 255, -0.08f, 0, 8 * d.X, 1.0f,
                                            -0.0001f, 1.0f, 0, 1.0f, 0, d.X, 0, d.Y, 0.00055f, floor, 0.5f,
                                            kBurstDuration, 0, 255, 255, 255);
    }
    pfx.ExplosionCustomEnd();
}

// Any other tile shatters into pieces of a quarter of its size.
void TileBurst(float cx, float cy, const plm::PLMMapTileRect& tile) {
    float fade = -0.1f, spin = 1.0f;
    E().SpritePFX()->ExplosionCustom(cx, cy, tile.Texture, tile.SrcX, tile.SrcY, plm::RoundHalfEven(tile.Width / 4.0),
                                     plm::RoundHalfEven(tile.Height / 4.0), 1, kBurstNodes, 16, 16, false, false, 1.0f,
                                     fade, 0, 1.0f, 1.0f, spin, 0, 0, kBurstDuration, kBurstDuration, kExplosionGroup,
                                     255, 255, 255, 5, 2);
}

void AddRisingText(int32_t font, const std::string& text, float x, float y, float spacing) {
    E().FontFader()->Add(font, text, x, y, spacing, 1.5f, 0, 0.2f, 0.2f, 1000, 0, -0.025f, 0, 0, 0, 255, 255, 255);
}

}  // namespace

void PopMarkedCells(bool Force) {
    const BoardArea& board = Game().Board;
    if (!Force && board.MarkedCount < 3) return;
    const int32_t count = board.MarkedCount;
    for (int32_t i = 1; i <= count; ++i) {
        const MarkedCell& m = board.MarkedCells(i);
        const int32_t x = plm::RoundHalfEven(m.X), y = plm::RoundHalfEven(m.Y);
        const int32_t value = CellValue(x, y);
        const int32_t kind = TileKind(value);
        const plm::PLMMapTileRect tile = E().Map()->GetTileRect(static_cast<float>(value));
        EmptyCell(x, y);
        if (kind >= media::kColourGem1 && kind < media::kBomb) {
            ShardBurst(CellCentre(m.X), CellCentre(m.Y), kind);
        } else if (tile.Texture > 0) {  // an empty cell has no tile to shatter
            TileBurst(CellCentre(m.X), CellCentre(m.Y), tile);
        }
    }
}

void ScoreMatch(float X, float Y, float Count) {
    if (Count < 3) return;
    GameState& g = Game();
    ScoringArea& s = g.Scoring;
    s.PopupColour = s.PopupColour + 1 > 6 ? 1 : s.PopupColour + 1;
    const Rgb colour = kPopupColours[static_cast<size_t>(s.PopupColour - 1)];
    s.Multiplier += 1;
    const int32_t points = plm::RoundHalfEven(static_cast<double>(s.Multiplier) * g.Session.PointsPerGem * Count);
    AddScore(static_cast<float>(points));
    std::string text = std::to_string(points);
    if (s.Multiplier > 1) text += " X" + std::to_string(plm::RoundHalfEven(s.Multiplier));
    plm::Map& map = *E().Map();
    E().FontFader()->Add(1, text, CellCentre(X) + map.ScreenX(), CellCentre(Y) + map.ScreenY() - kCellSize, 1.0f, 1.0f,
                         0, 0.4f, 0.4f, 500, 0, -0.1f, 0, 0.00005f, 0, static_cast<float>(colour.r),
                         static_cast<float>(colour.g), static_cast<float>(colour.b));
    if (s.Multiplier > 4) g.Fx.FireworksTimer = 2000;
    s.ComboTimer = g.Session.ComboWindow;
    g.Session.GemsLeft -= plm::RoundHalfEven(Count);
}

void UpdateComboTimer() {
    ScoringArea& s = Game().Scoring;
    s.ComboTimer -= E().Delta();
    if (s.ComboTimer >= 1) return;
    s.ComboTimer = 0;
    if (s.Multiplier > 4) {
        plm::Map& map = *E().Map();
        const int32_t bonus = plm::RoundHalfEven(s.Multiplier * 100.0);
        AddRisingText(3, "C", static_cast<float>(map.ScreenX() + 390), static_cast<float>(map.ScreenY() + 280), 2.0f);
        AddRisingText(2, std::to_string(bonus), static_cast<float>(map.ScreenX() + 385),
                      static_cast<float>(map.ScreenY() + 340), -2.0f);
        AddScore(static_cast<float>(bonus));
    }
    s.Multiplier = 0;
}

void PopCell(int32_t X, int32_t Y, int32_t /*Unused*/) {
    plm::PelmarEngine& e = E();
    EmptyCell(X, Y);
    const int32_t r = e.Lib()->GetNumber(100, 255);
    const int32_t g = e.Lib()->GetNumber(100, 255);
    const int32_t b = e.Lib()->GetNumber(100, 255);
    e.SpritePFX()->Explosion(94, CellCentre(static_cast<float>(X)), CellCentre(static_cast<float>(Y)), 0.5f, 1.0f, 0,
                             kExplosionGroup, r, g, b, 5, 2);
}

void ClearMarkedCells(float X, float Y, bool Force) {
    BoardArea& board = Game().Board;
    PopMarkedCells(Force);
    ScoreMatch(X, Y, static_cast<float>(board.MarkedCount));
    board.MarkedCount = 0;
    StartFall(static_cast<float>(kPlayBottom), false);
}

}  // namespace tessaly
