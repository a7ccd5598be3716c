#pragma once
// The frame: Begin reads input, advances timers and the background flash, clears the target and
// opens the scene and the sprite batch; Render closes them, draws the information line, steps the
// gamma fade, presents, holds the frame cap and computes Delta, the smoothed frame time in ms.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

namespace platform {
class GraphicsDevice;
}

class Scene {
public:
    void Begin();
    void Render();

    // fps >= 1 caps the frame rate at an interval of Int(1000 / fps) ms; below 1 removes the cap
    // and refills the frame-time ring for 50 fps.
    int32_t FrameRate() const;
    void FrameRate(int32_t fps);

    // Sets the three gamma ramps alike (entry i = GammaFactor x i x 255, limited to 0..65535);
    // false when the device has no full-screen gamma.
    bool SetGammaCorrection(float GammaFactor);
    void SetGammaFading(float GammaStart, float GammaEnd, float Speed);
    bool IsGammaFading() const;

    bool SceneInfo() const;
    void SceneInfo(bool value);

    void SetBackgroundColor(int32_t R, int32_t G, int32_t B);
    void SetBackgroundFlash(float R, float G, float B, float Speed);
    void SetClearFlags(PLMClearFlags Flag);
    void SetClipArea(int32_t X, int32_t Y, int32_t Width, int32_t Height);

    // Raw-device drawing in mid-frame: HookStart ends the sprite batch, HookEnd begins it again.
    void HookStart();
    void HookEnd();
    void ResetRenderStates();

    void RenderToTextureStart(int32_t TextureIndex, PLMClearFlags ClearFlags, int32_t BackGroundColor);
    void RenderToTextureEnd();

    // Saves the last presented frame as BMP: to FullFilePath, or with "" to the engine folder as
    // "screen<n>.bmp" with the next number whose file does not exist yet.
    bool SaveScreenShot(const std::string& FullFilePath);

    // The engine's own device objects for direct use (null before InitDevice). One drawing device
    // stands for all four.
    platform::GraphicsDevice* GetDirect3DDevice8() const;
    platform::GraphicsDevice* GetDirectX8() const;
    platform::GraphicsDevice* GetDirect3D8() const;
    platform::GraphicsDevice* GetD3DX8() const;

    // Lost-device recovery: 0 fine, 1 lost and the restore failed, 2 lost and restored.
    int32_t DeviceLost();
    bool RestoreDevice();
    bool IsDeviceLost();
};

// The text of the information line for the current state ("FPS=.. Sprites=.. Mouse=../..
// Button=..", then the map part once a map is set up).
std::string SceneInfoLine();

}  // namespace plm
