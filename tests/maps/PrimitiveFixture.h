#pragma once
// A headless engine drawing on the recording device, with a 128 x 64 texture in slot 1 and an
// empty slot 2, for the classes that draw screen-space primitives and sprite-batch copies.
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"

namespace plmtest {

class PrimitiveTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rec = std::make_shared<plm::platform::RecordingDevice>();
        plm::State().D3DDevice = rec;
        plm::State().Textures.resize(4);
        tex = rec->CreateTexture(128, 64, false);
        plm::State().Textures(1).Object = tex;
        plm::State().Textures(1).Loaded = true;
        rec->RecordQueries(false);
        rec->ClearCalls();
    }

    std::vector<plm::platform::Call> Prims() const { return rec->CallsOf(plm::platform::CallKind::DrawPrimitiveUP); }
    // The device calls since the last ClearCalls, one readable line each.
    std::vector<std::string> Lines() const { return rec->Lines(); }

    std::shared_ptr<plm::platform::RecordingDevice> rec;
    plm::platform::SurfaceId tex = 0;
};

}  // namespace plmtest
