#pragma once
// Lost-device recovery: the wait for a device that can be reset, and the full restore of the
// device side with the texture contents carried across through backup files.
#include <cstdint>
#include <string>

namespace plm {

// Scene.DeviceLost: 0 device fine, 1 lost and the restore failed, 2 lost and restored.
int32_t DeviceLostProc();
// Scene.RestoreDevice: the same wait and restore, true on success.
bool RestoreDeviceProc();
// Scene.IsDeviceLost: the device's cooperative-level test is not 0.
bool IsDeviceLostProc();

// The full restore: backs the textures up, rebuilds the device and input, reloads the textures.
bool private_init_restore();
// Saves every loaded slot that is not a render target as DDS to its backup file; false when any
// save failed. Each slot remembers whether its backup was written.
bool BackupTextures();
// Refills every loaded slot after the device was rebuilt: render targets empty at their size, the
// others from their backup (deleted once reloaded), or from their own file when the backup is
// missing or unreadable.
void init_texturesbackup();
// The backup file of a slot: EnginePath & "plmrestore" & slot & ".dds".
std::string BackupFilePath(int32_t slot);

// Longest wait for a lost device to become ready: 250 ms polls for ten minutes. Past it
// DeviceLost reports a failed restore instead of waiting for ever.
inline constexpr int32_t kLostDevicePollMs = 250;
inline constexpr int32_t kMaxLostDevicePolls = 4 * 60 * 10;

}  // namespace plm
