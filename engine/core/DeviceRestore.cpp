#include "core/DeviceRestore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/DeviceProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/Paths.h"
#include "core/SoundProcs.h"
#include "core/TextureProcs.h"

namespace plm {

namespace {

// Waits until the device can be reset, then restores it. False when the device fails in some other
// way, stays lost past the longest wait, or the restore fails.
bool WaitAndRestore() {
    EngineState& s = State();
    for (int32_t polls = 0;; ++polls) {
        PumpWindowMessages();
        const int32_t hr = s.D3DDevice ? s.D3DDevice->TestCooperativeLevel() : platform::kDeviceNotReset;
        // Ready to be reset; or already fine again, when a rebuild does no harm either.
        if (hr == platform::kDeviceNotReset || hr == platform::kDeviceOk) break;
        if (hr != platform::kDeviceLost || polls >= kMaxLostDevicePolls) {
            LogError("DeviceLost", {}, ErrorInfo{"plm232", hr, "The device cannot be reset"});
            return false;
        }
        s.Clock->SleepMs(kLostDevicePollMs);
    }
    return private_init_restore();
}

void RemoveFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(NativePath(path), ec);
}

// Deletes every backup file BackupTextures wrote.
void RemoveBackups() {
    EngineState& s = State();
    for (int32_t i = 1; i <= s.Textures.size(); ++i) {
        TextureSlot& slot = s.Textures(i);
        if (slot.BackupWritten) RemoveFile(BackupFilePath(i));
        slot.BackupWritten = false;
    }
}

}  // namespace

std::string BackupFilePath(int32_t slot) { return FilePath("plmrestore" + std::to_string(slot) + ".dds"); }

int32_t DeviceLostProc() {
    EngineState& s = State();
    // Every frame: the window system's pending messages run first, so the game's handlers do too.
    PumpWindowMessages();
    if (!s.D3DDevice || s.D3DDevice->TestCooperativeLevel() == platform::kDeviceOk) return 0;
    return RestoreDeviceProc() ? 2 : 1;
}

// A failed restore leaves sound paused: there is no device to go on with.
bool RestoreDeviceProc() {
    PauseSoundOutput();
    if (!WaitAndRestore()) return false;
    BusyWait(250);
    ResumeSoundOutput();
    return true;
}

bool IsDeviceLostProc() {
    const EngineState& s = State();
    return s.D3DDevice && s.D3DDevice->TestCooperativeLevel() != platform::kDeviceOk;
}

bool private_init_restore() {
    EngineState& s = State();
    WriteLog("Device lost. Attempting full restore.");
    BackupTextures();
    s.Fonts = FontSurfaces{};
    ReleaseTextures();
    ReleaseInput();
    ReleaseDirectX();
    const char* failure = !init_Device() ? "The device could not be created"
                          : !init_di()     ? "Input could not be opened"
                                           : nullptr;
    if (failure) {
        // Nothing will reload the backups now: the next loss writes them afresh.
        RemoveBackups();
        LogError("private_init_restore", {}, ErrorInfo{"plm232", kErrInvalidCall, failure});
        return false;
    }
    init_texturesbackup();
    s.BackBuffer = s.D3DDevice->GetBackBuffer();
    WriteLog("Device restored ok.");
    return true;
}

bool BackupTextures() {
    EngineState& s = State();
    bool ok = true;
    for (int32_t i = 1; i <= s.Textures.size(); ++i) {
        TextureSlot& slot = s.Textures(i);
        slot.BackupWritten = false;
        if (!slot.Loaded || slot.IsRenderTarget) continue;
        slot.BackupWritten = SaveTexture(i, BackupFilePath(i), 4);
        ok = ok && slot.BackupWritten;
    }
    return ok;
}

void init_texturesbackup() {
    EngineState& s = State();
    for (int32_t i = 1; i <= s.Textures.size(); ++i) {
        TextureSlot& slot = s.Textures(i);
        if (!slot.Loaded) continue;
        const TextureSlot kept = slot;
        ErrorInfo err;
        bool done = false;
        if (!kept.IsRenderTarget) {
            const std::string backup = BackupFilePath(i);
            if (kept.BackupWritten && FileHasData(backup) && LoadTextureFile(i, backup, kept.ColorKey, 0, err)) {
                RemoveFile(backup);
                done = true;
            } else if (!kept.FileName.empty() && FileHasData(kept.FileName)) {
                // No usable backup: the slot's own file, at the size it had.
                const int32_t size = (kept.Width == kept.Height) ? kept.Width : 0;
                done = LoadTextureFile(i, kept.FileName, kept.ColorKey, size, err);
            }
            if (!done) {
                LogError("init_texturesbackup", {"Slot=" + std::to_string(i), "Filename=" + kept.FileName}, err);
            }
            slot.FileName = kept.FileName;  // the slot still comes from its own file, not the backup
        }
        if (!done) {
            // A render target, or a slot whose image is lost: a blank texture of its kept size, so
            // every draw from the slot stays valid.
            if (!CreateTextureSlot(i, kept.Width, kept.Height, kept.IsRenderTarget, err)) {
                EmptyTextureSlot(i);
                continue;
            }
            slot.FileName = kept.FileName;
            slot.ColorKey = kept.ColorKey;
        }
        slot.BackupWritten = false;
    }
    s.TexturesRestored = true;
}

}  // namespace plm
