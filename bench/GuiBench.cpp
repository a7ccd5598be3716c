// GUI benchmark: a title-screen-sized widget set (a frame, 16 buttons, 4 check boxes, 2 sliders,
// 10 texts and a 600-character word-wrapped text) rendered once a frame on an 800 x 600 software
// device, with the pointer sweeping over the widgets and button 1 pressed now and then.
//
// Two runs: "drawn" times Render with every image and glyph drawn; "logic" empties the texture
// slots so nothing reaches the device, leaving layout, hit tests, events and word wrap.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/software/SoftwareDevice.h"
#include "ui/FontTable.h"
#include "ui/Gui.h"

namespace {

namespace pf = plm::platform;

constexpr int kScreenW = 800, kScreenH = 600;

pf::Image Sheet() {
    pf::Image img;
    img.width = img.height = 256;
    img.pixels.resize(256 * 256);
    for (size_t i = 0; i < img.pixels.size(); ++i)
        img.pixels[i] = 0xC0000000u | static_cast<uint32_t>((i * 2654435761u) & 0xFFFFFFu);
    return img;
}

// Font 1: glyphs 8 x 12 on a 256 x 256 sheet, 32 to a row.
void MakeFont() {
    plm::FontGlyphTable& f = plm::State().FontTable[1];
    f.TextureIndex = 2;
    f.Height = 12;
    for (int s = 1; s < plm::kGlyphSlots; ++s) {
        f.X[static_cast<size_t>(s)] = 8 * (s % 32);
        f.Y[static_cast<size_t>(s)] = 12 * (s / 32);
        f.Width[static_cast<size_t>(s)] = s == 1 ? 5 : 8;
    }
}

void Build(plm::Gui& gui) {
    gui.AddFrame(1, 0, 0, 48, 48, 100, 100, 36, 26, 0, 255, 255, 255, 255, true);
    for (int b = 0; b < 16; ++b)
        gui.AddButton(1, 120, 40, 0, 48, 0, 88, 0, 128, 20.0f + 140.0f * static_cast<float>(b % 5),
                      20.0f + 60.0f * static_cast<float>(b / 5), 1, 0, 1, 255, 255, 255, 255, true, true);
    for (int c = 0; c < 4; ++c)
        gui.AddCheckBox(1, 24, 24, 128, 0, 152, 0, 40, 300.0f + 30.0f * static_cast<float>(c), 1, 1, 0, 255, 1, true, true);
    for (int s = 0; s < 2; ++s)
        gui.AddSliderBar(1, 200, 12, 0, 176, 200, 176, 12, 24, 100, 300.0f + 40.0f * static_cast<float>(s), true, 50, 1,
                         255, 1, true, true);
    for (int t = 0; t < 10; ++t)
        gui.AddText(1, "MENU ENTRY " + std::to_string(t), 600, 300.0f + 20.0f * static_cast<float>(t), 1, 255, 255,
                    255, 255, 200, 0, 255, 1, plm::tCenter, 0, 0, 0, true, true);
    std::string help;
    while (help.size() < 600) help += "Clear every run of three or more gems of one colour before the board fills. ";
    gui.AddText(1, help, 20, 450, 1, 255, 255, 255, 0, 0, 0, 255, 1, plm::tLeftWordWrap, 760, 2, 0, true, true);
}

double Run(const char* name, bool drawn) {
    plm::ResetState();
    plm::BuildAngleTables();
    pf::DeviceSettings settings;
    settings.width = kScreenW;
    settings.height = kScreenH;
    auto device = pf::CreateSoftwareDevice(settings);
    plm::EngineState& st = plm::State();
    st.D3DDevice = device;
    st.Textures.resize(2);
    if (drawn) {
        for (int slot = 1; slot <= 2; ++slot) {
            st.Textures(slot).Object = device->CreateTextureFromImage(Sheet());
            st.Textures(slot).Loaded = true;
        }
    }
    MakeFont();
    plm::Gui gui;
    Build(gui);
    int frame = 0;
    auto one = [&] {
        st.MouseX = static_cast<float>((frame * 7) % kScreenW);
        st.MouseY = static_cast<float>((frame * 3) % kScreenH);
        st.MouseState.Buttons[0] = (frame / 10) % 2 ? 0x80 : 0;
        device->Clear(pf::ClearTarget, 0xFF000000u, 1, 0);
        device->BeginScene();
        device->SpriteBegin();
        plm::ForgetBlend();
        gui.Render(frame % 15 == 0);
        device->SpriteEnd();
        device->EndScene();
        ++frame;
    };
    for (int f = 0; f < 30; ++f) one();
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        constexpr int kFrames = 60;
        const auto t0 = std::chrono::steady_clock::now();
        for (int f = 0; f < kFrames; ++f) one();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, ms / kFrames);
    }
    std::printf("%-6s %8.3f ms/frame\n", name, best);
    return best;
}

}  // namespace

int main() {
    std::printf("GUI Render on the software device, %d x %d\n", kScreenW, kScreenH);
    Run("drawn", true);
    Run("logic", false);
    return 0;
}
