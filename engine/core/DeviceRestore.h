#pragma once
// Lost-device recovery: the wait for a device that can be reset, and the full restore of the
// device side with the texture contents carried across through backup files.
#include <cstdint>

namespace plm {

// Scene.DeviceLost: 0 device fine, 1 lost and the restore failed, 2 lost and restored.
int32_t DeviceLostProc();
// Scene.RestoreDevice: the same wait and restore, true on success.
bool RestoreDeviceProc();
// Scene.IsDeviceLost: the device's cooperative-level test is not 0.
bool IsDeviceLostProc();

}  // namespace plm
