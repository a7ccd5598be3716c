#pragma once
// A headless engine whose draws go to the recording device, with textures in slots 2 and 3 and a
// small font 1 on texture 3: space 4 wide at (0,0), "!" 5 wide at (10,0), "A" 7 wide at (20,30),
// "B" 3 wide at (30,0), all 12 high.
#include <memory>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"

namespace plmtest {

class FontDrawTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rec = std::make_shared<plm::platform::RecordingDevice>();
        plm::State().D3DDevice = rec;
        plm::State().Textures.resize(4);
        for (int slot : {2, 3}) {
            plm::State().Textures(slot).Object = rec->CreateTexture(256, 256, false);
            plm::State().Textures(slot).Loaded = true;
        }
        plm::FontGlyphTable& f = plm::State().FontTable[1];
        f.TextureIndex = 3;
        f.Height = 12;
        f.X[1] = 0, f.Width[1] = 4;
        f.X[2] = 10, f.Width[2] = 5;
        f.X[34] = 20, f.Y[34] = 30, f.Width[34] = 7;
        f.X[35] = 30, f.Width[35] = 3;
        rec->RecordQueries(false);
        rec->ClearCalls();
    }

    std::vector<plm::platform::Call> Draws() const { return rec->CallsOf(plm::platform::CallKind::SpriteDraw); }

    std::shared_ptr<plm::platform::RecordingDevice> rec;
};

}  // namespace plmtest
