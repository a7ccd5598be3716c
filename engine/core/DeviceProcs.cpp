#include "core/DeviceProcs.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/Scene.h"
#include "platform/software/SoftwareDevice.h"
#include "platform/Display.h"

namespace plm {

uint32_t VertexProcessingFlags(uint32_t devCaps) {
    if (!(devCaps & platform::kDevCapsHwTransformAndLight)) return 32;
    WriteLog("D3DCREATE_HARDWARE_VERTEXPROCESSING: Enabled");
    if (!(devCaps & platform::kDevCapsPureDevice)) return 64;
    WriteLog("D3DCREATE_PUREDevice: Enabled");
    return 80;
}

bool HasDeviceCap(uint32_t flag) { return (platform::AdapterCaps(State().Adapter).devCaps & flag) == flag; }

int32_t FullScreenFormat(int32_t colorBitDepth) {
    switch (colorBitDepth) {
    case 24: return 20;
    case 32: return 22;
    default: return 23;
    }
}

bool init_Device() {
    EngineState& s = State();
    SceneState& f = s.Frame;
    try {
        f.ClearColor = 0;
        platform::DeviceSettings ds;
        const std::string size = std::to_string(s.ScreenWidth) + "x" + std::to_string(s.ScreenHeight);
        ds.windowed = s.Windowed;
        if (s.Windowed) {
            // Windowed: the desktop's format; depth, refresh rate and vsync do not apply.
            WriteLog("Initializing Windowed Mode: " + size);
            ds.backBufferFormat = platform::CurrentDisplayMode(s.Adapter).format;
        } else {
            ds.backBufferFormat = FullScreenFormat(s.ColorBitDepth);
            WriteLog("Initializing Screen: " + size + " " + std::to_string(s.ColorBitDepth) + " bit color depth");
            ds.refreshRate = s.RefreshRate;
            ds.immediatePresent = s.FullScreenImmediate;
        }
        ds.backBufferCount = s.TripleBufferedGraphics ? 2 : 1;
        ds.width = s.ScreenWidth;
        ds.height = s.ScreenHeight;
        ds.creationFlags = VertexProcessingFlags(platform::AdapterCaps(s.Adapter).devCaps);
        ds.depthStencil = s.EnableDepthStencil;
        ds.depthStencilFormat = s.DepthStencilFormat;
        f.ClearFlags = s.EnableDepthStencil ? 3 : 1;
        // No window (handle 0 or unknown): a headless device that presents nowhere.
        f.TargetWindow = platform::FindWindow(s.TargethWnd);
        ds.window = f.TargetWindow.get();
        // Only full-screen presents wait for the vertical blank, and only with vsync on.
        if (ds.window) ds.window->SetVsync(!ds.windowed && !ds.immediatePresent);
        if (s.ScreenWidth < 1 || s.ScreenHeight < 1) throw std::runtime_error("Invalid back-buffer size " + size + ".");
        if (s.Adapter >= platform::AdapterCount())
            throw std::runtime_error("There is no adapter " + std::to_string(s.Adapter + 1) + ".");
        s.D3DDevice = platform::CreateSoftwareDevice(ds);
        if (!s.D3DDevice) throw std::runtime_error("The display device could not be created.");
        SetDefaultRenderStates();
        return true;
    } catch (const std::exception& e) {
        s.D3DDevice.reset();
        f.TargetWindow.reset();
        LogError("init_Device", {}, ErrorInfo{"plm232", 1, e.what()});
        return false;
    }
}

void SetDefaultRenderStates() {
    EngineState& s = State();
    if (!s.BypassRenderStateReset && s.D3DDevice) {
        using namespace platform;
        GraphicsDevice& d = *s.D3DDevice;
        d.SetRenderState(RsAlphaBlendEnable, 1);
        d.SetRenderState(RsSrcBlend, 5);   // source alpha
        d.SetRenderState(RsDestBlend, 6);  // inverse source alpha
        d.SetRenderState(RsCullMode, 1);   // none
        d.SetTextureStageState(0, TssColorArg1, 2);  // texture
        d.SetTextureStageState(0, TssColorArg2, 0);  // diffuse
        d.SetTextureStageState(0, TssAlphaArg1, 2);
        d.SetTextureStageState(0, TssAlphaArg2, 0);
        d.SetTextureStageState(0, TssColorOp, TopModulate);
        d.SetTextureStageState(0, TssAlphaOp, TopSelectArg1);
        d.SetTextureStageState(0, TssMagFilter, FilterLinear);
        d.SetTextureStageState(0, TssMinFilter, FilterLinear);
    }
    ForgetBlend();
}

void PumpWindowMessages() {
    if (const auto& w = State().Frame.TargetWindow) w->PumpMessages();
}

void ReleaseTextures() {
    EngineState& s = State();
    for (TextureSlot& slot : s.Textures) {
        if (s.D3DDevice && slot.Object != platform::kNoSurface) s.D3DDevice->ReleaseSurface(slot.Object);
        slot.Object = platform::kNoSurface;
    }
    s.BackBuffer = platform::kNoSurface;
}

void ReleaseDirectX() {
    EngineState& s = State();
    s.D3DDevice.reset();
    s.Frame.TargetWindow.reset();
    s.Frame.RenderingToTexture = false;
    s.Frame.SavedTarget = s.Frame.SavedDepth = platform::kNoSurface;
}

void WarmUpFrames() {
    SceneState& f = State().Frame;
    const bool info = f.SceneInfo;
    f.SceneInfo = false;
    Scene scene;
    for (int i = 0; i < 25; ++i) {
        scene.Begin();
        scene.Render();
        BusyWait(25);
    }
    f.SceneInfo = info;
}

}  // namespace plm
