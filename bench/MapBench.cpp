// Tile map benchmark on the software device, 800 x 600, Delta fixed at 60 frames a second: the
// game's full board (25 x 19 tiles of 32 pixels from one 1024 x 1024 sheet), every cell running
// an animation and a bouncing scale effect:
//   map.Render - Map.Render of the board, effects and drawing together;
//   direct     - the same tiles at the same places and scales handed straight to the sprite batch,
//                the cost of the drawing alone.
// Prints milliseconds per frame (best of three runs of 120 frames) and the tiles drawn a frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "BenchEngine.h"
#include "maps/Map.h"
#include "platform/software/SoftwareDevice.h"

namespace {

namespace pf = plm::platform;

constexpr int kScreenW = 800, kScreenH = 600;
constexpr int kColumns = 25, kRows = 19, kTile = 32;
constexpr float kDelta = 1000.0f / 60.0f;

// A 1024 x 1024 sheet of 31 x 31 tiles with one-pixel gutters, each tile a shaded square.
pf::Image TileSheet() {
    pf::Image img;
    img.width = img.height = 1024;
    img.pixels.assign(1024 * 1024, 0);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            const int tx = x % (kTile + 1), ty = y % (kTile + 1);
            if (tx == kTile || ty == kTile) continue;
            const uint32_t shade = static_cast<uint32_t>(128 + (tx + ty) * 2);
            img.pixels[static_cast<size_t>(y) * 1024 + x] =
                0xFF000000u | (shade << 16) | ((x / 33 * 8) << 8) | (y / 33 * 8);
        }
    return img;
}

struct Board {
    std::shared_ptr<pf::GraphicsDevice> device;
    plm::Map map;
};

void Setup(Board& b) {
    b.device = plmbench::StartBenchEngine(kScreenW, kScreenH, kDelta);
    plm::EngineState& st = plm::State();
    st.ScreenWidth = kScreenW;
    st.ScreenHeight = kScreenH;
    st.Textures.resize(1);
    st.Textures(1).Object = b.device->CreateTextureFromImage(TileSheet());
    st.Textures(1).Loaded = true;
    b.map.Init(kTile, kTile, kColumns, kRows, 1024, 1024, 31, 31, 1, 1, 1);
    b.map.SetDrawArea(0, 0, kColumns, kRows - 1);  // the window and its extra row: all 19 rows
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const float first = static_cast<float>((column + row * kColumns) % 21 * 31 + 1);
            b.map.PutAtXY(column, row, first, 255, 0, 1);
            b.map.SetAnimating(column, row, 0.03f, first, first + 30.99f, 0, 0, 1);
            b.map.SetScaling(column, row, 0.5f + (column % 5) * 0.1f, 0.001f, 0.5f, 1.0f, 0, 3, 1);
        }
}

void Frame(Board& b, const std::function<void()>& draw) {
    pf::GraphicsDevice& d = *b.device;
    d.Clear(pf::ClearTarget, 0xFF000000u, 1, 0);
    d.BeginScene();
    d.SpriteBegin();
    plm::ForgetBlend();
    draw();
    d.SpriteEnd();
    d.EndScene();
}

// The cells as they stand, drawn without the map: one batch draw each, as Render places them.
void DrawDirect(Board& b) {
    plm::EngineState& st = plm::State();
    plm::SetBlend(plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
    const pf::SurfaceId tex = st.Textures(1).Object;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const plm::MapCell& c = *st.Map.FindCell(1, column, row);
            const plm::MapTileSourceEntry& e = st.Map.MapTileSource(c.Value);
            const pf::Rect src{e.SrcX, e.SrcY, e.SrcX + kTile, e.SrcY + kTile};
            const float s = c.Scaled;
            const pf::Vec2 at{static_cast<float>(plm::Int(column * kTile + 16 - 16 * s)),
                              static_cast<float>(plm::Int(row * kTile + 16 - 16 * s))};
            b.device->SpriteDraw(tex, &src, {s, s}, {16 * s, 16 * s}, 0, at, 0xFFFFFFFFu);
        }
}

double Run(const char* name, const std::function<void(Board&)>& draw) {
    Board b;
    Setup(b);
    for (int f = 0; f < 30; ++f) Frame(b, [&] { b.map.Render(1); });  // effects under way
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        constexpr int kFrames = 120;
        for (int f = 0; f < kFrames; ++f) Frame(b, [&] { draw(b); });
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, ms / kFrames);
    }
    std::printf("%-11s %8.3f ms/frame  %4d tiles a frame\n", name, best, kColumns * kRows);
    return best;
}

}  // namespace

int main() {
    std::printf("the game's board on the software device, %d x %d\n", kScreenW, kScreenH);
    const double render = Run("map.Render", [](Board& b) { b.map.Render(1); });
    const double direct = Run("direct", DrawDirect);
    std::printf("map overhead %8.3f ms/frame (%.1f%%)\n", render - direct, 100.0 * (render - direct) / direct);
    return 0;
}
