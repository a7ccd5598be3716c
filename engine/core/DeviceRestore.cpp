#include "core/DeviceRestore.h"

#include "core/EngineState.h"

namespace plm {

int32_t DeviceLostProc() { return 0; }
bool RestoreDeviceProc() { return true; }
bool IsDeviceLostProc() {
    const EngineState& s = State();
    return s.D3DDevice && s.D3DDevice->TestCooperativeLevel() != platform::kDeviceOk;
}

}  // namespace plm
