#pragma once
// A Gui on the recording device with a scripted mouse: each Frame sets the pointer and button 1,
// takes the input snapshot as Scene.Begin does and renders the GUI once.
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "platform/test/RecordingDevice.h"
#include "platform/test/ScriptedInput.h"
#include "ui/FontTable.h"
#include "ui/Gui.h"

namespace plmtest {

class GuiTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        device = std::make_shared<plm::platform::RecordingDevice>();
        device->RecordQueries(false);
        plm::State().D3DDevice = device;
        plm::State().Textures.resize(4);
        for (int slot = 1; slot <= 3; ++slot) {
            plm::State().Textures(slot).Object = 100 + slot;
            plm::State().Textures(slot).Loaded = true;
        }
        input = std::make_shared<plm::platform::ScriptedInput>();
        plm::SetInputBackend(input);
        ASSERT_TRUE(plm::init_di());
        plm::State().MouseMaxX = 799;
        plm::State().MouseMaxY = 599;
    }

    // One frame: the pointer at (x, y), button 1 held or not, Render with the click flag.
    void Frame(float x, float y, bool held, bool clicked = false) {
        Pointer(x, y, held);
        device->ClearCalls();
        gui.Render(clicked);
    }
    // Sets the pointer and button 1 and takes the snapshot, without rendering.
    void Pointer(float x, float y, bool held) {
        plm::State().MouseX = x;
        plm::State().MouseY = y;
        input->SetButton(0, held);
        plm::ReadInputSnapshot();
    }

    std::vector<std::string> Draws() const { return device->LinesOf(plm::platform::CallKind::SpriteDraw); }
    // The source rectangle of the nth draw of this frame, as "left,top,right,bottom".
    std::string SrcOf(size_t nth) const {
        const plm::platform::Call* c = device->Find(plm::platform::CallKind::SpriteDraw, nth);
        if (!c) return "none";
        return std::to_string(c->rect.left) + "," + std::to_string(c->rect.top) + "," +
               std::to_string(c->rect.right) + "," + std::to_string(c->rect.bottom);
    }

    // Font 1 on texture 3, 10 pixels high: every glyph 6 wide, the space 4, at (8 x slot, 0).
    static void MonoFont() {
        plm::FontGlyphTable& f = plm::State().FontTable[1];
        f.TextureIndex = 3;
        f.Height = 10;
        for (int slot = 1; slot < plm::kGlyphSlots; ++slot) {
            f.X[static_cast<size_t>(slot)] = 8 * slot;
            f.Width[static_cast<size_t>(slot)] = slot == 1 ? 4 : 6;
        }
    }

    // A 40 x 20 button of texture 1 at (x, y): up image at (0, 0), down at (0, 20), hover at (0, 40).
    void AddButton(float x, float y, int frame = 0) {
        gui.AddButton(1, 40, 20, 0, 0, 0, 20, 0, 40, x, y, 1, 0, frame, 255, 255, 255, 255, true, true);
    }
    // A 16 x 16 check box of texture 2 at (x, y): ON image at (0, 0), OFF at (16, 0).
    void AddCheckBox(float x, float y, int value) {
        gui.AddCheckBox(2, 16, 16, 0, 0, 16, 0, x, y, value, 1, 0, 255, 0, true, true);
    }
    // A 16 x 16 option button of texture 2 at (x, y): ON image at (0, 16), OFF at (16, 16).
    void AddOption(float x, float y, bool on, int group) {
        gui.AddOptionButton(2, 16, 16, 0, 16, 16, 16, x, y, on, 1, group, 0, 255, 0, true, true);
    }

    std::shared_ptr<plm::platform::RecordingDevice> device;
    std::shared_ptr<plm::platform::ScriptedInput> input;
    plm::Gui gui;
};

}  // namespace plmtest
