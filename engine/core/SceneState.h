#pragma once
// The frame's shared state (owned by Scene) and the device state opened by init_Device.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/GraphicsDevice.h"
#include "platform/Window.h"

namespace plm {

struct SceneState {
    // Frame cap: 0 = none; interval Int(1000 / fps) ms; the time of the next allowed frame.
    int32_t FrameRate = 0;
    int32_t FrameInterval = 0;
    uint32_t NextFrameTime = 0;
    // FPS counter.
    int32_t FramesCounted = 0;
    int32_t FPS = 0;
    uint32_t FpsSecondStart = 0;
    // Frame time: the time of the last frame and this frame's step (ms).
    uint32_t LastFrameTime = 0;
    int32_t FrameDt = 0;
    // Background: clear colour and flags, and the fading flash.
    uint32_t ClearColor = 0;
    int32_t ClearFlags = 1;
    bool FlashOn = false;
    float FlashSpeed = 0, FlashRed = 0, FlashGreen = 0, FlashBlue = 0;
    // Gamma and its fade; the three ramps last set.
    bool GammaFading = false;
    float GammaSpeed = 0, GammaEnd = 0, Gamma = 1;
    std::array<uint16_t, 256> GammaRed{}, GammaGreen{}, GammaBlue{};
    // The information line.
    bool SceneInfo = false;
    std::string SceneInfoText;
    // Render to texture: the targets kept while a texture is the target.
    platform::SurfaceId SavedTarget = platform::kNoSurface;
    platform::SurfaceId SavedDepth = platform::kNoSurface;
    bool RenderingToTexture = false;
    // Screenshots of this engine run (the last number used).
    int32_t ScreenShotCounter = 0;
    // The window the device presents into (null: headless); kept alive while the device is open.
    std::shared_ptr<platform::Window> TargetWindow;
};

}  // namespace plm
