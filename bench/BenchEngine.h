#pragma once
// The engine state a benchmark draws with: fresh tables, the angle tables, a fixed random seed
// and a software device of the given size as the engine's device.
#include <memory>

#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/software/SoftwareDevice.h"

namespace plmbench {

inline std::shared_ptr<plm::platform::GraphicsDevice> StartBenchEngine(int width, int height, float delta) {
    plm::ResetState();
    plm::BuildAngleTables();
    plm::RandomizeSeed(7);
    plm::platform::DeviceSettings settings;
    settings.width = width;
    settings.height = height;
    std::shared_ptr<plm::platform::GraphicsDevice> device = plm::platform::CreateSoftwareDevice(settings);
    plm::EngineState& st = plm::State();
    st.D3DDevice = device;
    st.Delta = delta;
    return device;
}

}  // namespace plmbench
