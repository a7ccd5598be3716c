#include "core/Scene.h"

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "core/Convert.h"
#include "core/DeviceProcs.h"
#include "core/DeviceRestore.h"
#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "core/Paths.h"
#include "core/TextProcs.h"
#include "maps/MapProcs.h"
#include "platform/ImageCodec.h"

namespace plm {
namespace {

platform::GraphicsDevice* Dev() { return State().D3DDevice.get(); }

// The background flash fades each channel by speed x Delta toward 0; the clear colour follows it.
void StepFlash(EngineState& s) {
    SceneState& f = s.Frame;
    for (float* c : {&f.FlashRed, &f.FlashGreen, &f.FlashBlue})
        if (*c > 0) *c = std::max(0.0f, *c - f.FlashSpeed * s.Delta);
    if (f.FlashRed == 0 && f.FlashGreen == 0 && f.FlashBlue == 0) f.FlashOn = false;
    f.ClearColor = MakeColorARGB(255, f.FlashRed, f.FlashGreen, f.FlashBlue);
}

void StepGammaFade(EngineState& s, Scene& scene) {
    SceneState& f = s.Frame;
    f.Gamma += s.Delta * f.GammaSpeed;
    // A fade of speed 0 would never reach its end: it ends at once, at its end value.
    const bool arrived = (f.GammaSpeed > 0) ? f.Gamma > f.GammaEnd : (f.GammaSpeed < 0) ? f.Gamma < f.GammaEnd : true;
    if (arrived) {
        f.Gamma = f.GammaEnd;
        f.GammaFading = false;
    }
    scene.SetGammaCorrection(f.Gamma);
}

// Holds the frame to the cap: spins until the next allowed time, which then moves an interval on.
// Differences are taken modulo 2^32, so a clock that wraps never stalls the frame, and a deadline
// more than one interval ahead (never set, or set before the clock wrapped) is not waited for.
void HoldFrameCap(SceneState& f) {
    uint32_t now = GetTickMs();
    if (static_cast<int32_t>(f.NextFrameTime - now) > f.FrameInterval) f.NextFrameTime = now;
    while (static_cast<int32_t>(f.NextFrameTime - now) > 0) now = GetTickMs();
    f.NextFrameTime = now + static_cast<uint32_t>(f.FrameInterval);
}

// The new Delta from this frame's time step, smoothed over the ring of the last ten (each at most
// 50 ms). A frame shorter than the average first waits out the difference, so pacing stays even.
void UpdateDelta(EngineState& s) {
    SceneState& f = s.Frame;
    const uint32_t now = GetTickMs();
    if (now - f.FpsSecondStart > 999) {
        f.FpsSecondStart = now;
        f.FPS = f.FramesCounted;
        f.FramesCounted = 0;
    }
    // Unsigned: a clock that wraps between two frames still gives the true, small difference.
    uint32_t dt = now - f.LastFrameTime;
    f.LastFrameTime = now;
    if (dt > 50) dt = 50;
    f.FrameDt = static_cast<int32_t>(dt);
    s.FrameTimePos = (s.FrameTimePos >= 10) ? 1 : s.FrameTimePos + 1;
    s.FrameTimes[static_cast<size_t>(s.FrameTimePos - 1)] = f.FrameDt;
    const float a = static_cast<float>(std::accumulate(s.FrameTimes.begin(), s.FrameTimes.end(), 0) / 10.0);
    const float d = static_cast<float>(f.FrameDt);
    if (a > d) {
        BusyWait(RoundHalfEven(a - d));
        s.Delta = (a + d) / 2;
    } else if (a < d) {
        s.Delta = (a + d) / 2;
    } else {
        s.Delta = a;
    }
    ++f.FramesCounted;
}

std::string ScreenShotName(int32_t n) { return "screen" + std::to_string(n) + ".bmp"; }

}  // namespace

void Scene::Begin() {
    EngineState& s = State();
    ReadInputSnapshot();
    AdvanceTimers();
    if (s.Frame.FlashOn) StepFlash(s);
    if (auto* d = Dev()) {
        if (s.Frame.ClearFlags != 0) d->Clear(static_cast<uint32_t>(s.Frame.ClearFlags), s.Frame.ClearColor, 1.0f, 0);
        d->BeginScene();
        d->SpriteBegin();
    }
    ForgetBlend();
}

void Scene::Render() {
    EngineState& s = State();
    SceneState& f = s.Frame;
    RenderMousePointer();
    if (auto* d = Dev()) {
        d->SpriteEnd();
        d->EndScene();
    }
    if (f.SceneInfo) {
        f.SceneInfoText = SceneInfoLine();
        DrawSystemText(10, 10, 400, 50, f.SceneInfoText, AlignLeft, 0xFFFFFFFFu, "Arial", 8, false, false, 0, 0, 0);
    }
    if (f.GammaFading) StepGammaFade(s, *this);
    if (auto* d = Dev()) d->Present();
    if (f.FrameRate >= 1) HoldFrameCap(f);
    UpdateDelta(s);
}

int32_t Scene::FrameRate() const { return State().Frame.FrameRate; }

void Scene::FrameRate(int32_t fps) {
    SceneState& f = State().Frame;
    f.FrameRate = fps;
    if (fps >= 1) {
        f.FrameInterval = Int(1000.0 / fps);
    } else {
        f.FrameInterval = 0;
        FillFrameTimes(50);
    }
}

bool Scene::SetGammaCorrection(float GammaFactor) {
    auto* d = Dev();
    if (!d || !(d->GetCaps().caps2 & platform::kCaps2FullScreenGamma)) return false;
    SceneState& f = State().Frame;
    for (int i = 0; i < 256; ++i) {
        const int32_t v = RoundHalfEven(static_cast<double>(GammaFactor) * i * 255.0);
        // Limited at both ends: a negative factor gives black, never a wrapped-around bright word.
        f.GammaRed[static_cast<size_t>(i)] = static_cast<uint16_t>(std::clamp(v, 0, 65535));
    }
    f.GammaGreen = f.GammaRed;
    f.GammaBlue = f.GammaRed;
    d->SetGammaRamp(f.GammaRed, f.GammaGreen, f.GammaBlue);
    return true;
}

void Scene::SetGammaFading(float GammaStart, float GammaEnd, float Speed) {
    SceneState& f = State().Frame;
    f.Gamma = GammaStart;
    f.GammaEnd = GammaEnd;
    f.GammaSpeed = Speed;
    f.GammaFading = true;
}

bool Scene::IsGammaFading() const { return State().Frame.GammaFading; }
bool Scene::SceneInfo() const { return State().Frame.SceneInfo; }
void Scene::SceneInfo(bool value) { State().Frame.SceneInfo = value; }

void Scene::SetBackgroundColor(int32_t R, int32_t G, int32_t B) {
    State().Frame.ClearColor = MakeColorARGB(255, static_cast<float>(R), static_cast<float>(G), static_cast<float>(B));
}

void Scene::SetBackgroundFlash(float R, float G, float B, float Speed) {
    SceneState& f = State().Frame;
    f.FlashRed = R;
    f.FlashGreen = G;
    f.FlashBlue = B;
    f.FlashSpeed = Speed;
    f.FlashOn = true;
}

void Scene::SetClearFlags(PLMClearFlags Flag) { State().Frame.ClearFlags = Flag; }

void Scene::SetClipArea(int32_t X, int32_t Y, int32_t Width, int32_t Height) {
    if (auto* d = Dev()) d->SetViewport(X, Y, Width, Height, 0.0f, 1.0f);
}

void Scene::HookStart() {
    if (auto* d = Dev()) d->SpriteEnd();
}

void Scene::HookEnd() {
    if (auto* d = Dev()) d->SpriteBegin();
    ForgetBlend();
}

void Scene::ResetRenderStates() { SetDefaultRenderStates(); }

void Scene::RenderToTextureStart(int32_t TextureIndex, PLMClearFlags ClearFlags, int32_t BackGroundColor) {
    EngineState& s = State();
    SceneState& f = s.Frame;
    auto* d = Dev();
    if (!d) return;
    const TextureSlot* slot = s.Textures.find(TextureIndex);
    if (!slot || slot->Object == platform::kNoSurface) {
        LogError("Scene.RenderToTextureStart", {"TextureIndex=" + std::to_string(TextureIndex)},
                 ErrorInfo{"plm232", 1, "The texture slot holds no texture."});
        return;
    }
    // A second start before the end keeps the targets kept by the first, so End finds the screen.
    const platform::SurfaceId target = f.RenderingToTexture ? f.SavedTarget : d->GetRenderTarget();
    const platform::SurfaceId depth =
        f.RenderingToTexture ? f.SavedDepth : (s.EnableDepthStencil ? d->GetDepthStencilSurface() : platform::kNoSurface);
    if (!d->SetRenderTarget(slot->Object, depth)) {
        LogError("Scene.RenderToTextureStart", {"TextureIndex=" + std::to_string(TextureIndex)},
                 ErrorInfo{"plm232", 2, "The texture is not a render target."});
        return;
    }
    f.SavedTarget = target;
    f.SavedDepth = depth;
    f.RenderingToTexture = true;
    if (ClearFlags != 0) d->Clear(static_cast<uint32_t>(ClearFlags), static_cast<uint32_t>(BackGroundColor), 1.0f, 0);
}

void Scene::RenderToTextureEnd() {
    SceneState& f = State().Frame;
    auto* d = Dev();
    if (!d || !f.RenderingToTexture) return;
    d->SetRenderTarget(f.SavedTarget, f.SavedDepth);
    f.RenderingToTexture = false;
}

bool Scene::SaveScreenShot(const std::string& FullFilePath) {
    EngineState& s = State();
    SceneState& f = s.Frame;
    ++f.ScreenShotCounter;
    std::string file = FullFilePath;
    if (file.empty()) {
        // Never overwrite an earlier screenshot: take the next number whose file does not exist.
        std::error_code ec;
        while (std::filesystem::exists(FilePath(ScreenShotName(f.ScreenShotCounter)), ec))
            ++f.ScreenShotCounter;
        file = FilePath(ScreenShotName(f.ScreenShotCounter));
    }
    auto* d = Dev();
    platform::Image frame;
    std::string error = "No display device.";
    // The frame the player saw last; before the first present, the back buffer as it stands.
    bool ok = d && (d->ReadPresentedFrame(frame) || d->ReadPixels(d->GetBackBuffer(), frame));
    if (ok) ok = platform::SaveImageFile(file, frame, platform::ImageFormat::Bmp, error);
    if (!ok) LogError("Scene.SaveScreenShot", {"Filename=" + file}, ErrorInfo{"plm232", 1, error});
    return ok;
}

platform::GraphicsDevice* Scene::GetDirect3DDevice8() const { return Dev(); }
platform::GraphicsDevice* Scene::GetDirectX8() const { return Dev(); }
platform::GraphicsDevice* Scene::GetDirect3D8() const { return Dev(); }
platform::GraphicsDevice* Scene::GetD3DX8() const { return Dev(); }

int32_t Scene::DeviceLost() { return DeviceLostProc(); }
bool Scene::RestoreDevice() { return RestoreDeviceProc(); }
bool Scene::IsDeviceLost() { return IsDeviceLostProc(); }

std::string SceneInfoLine() {
    const EngineState& s = State();
    int32_t spritesOn = 0;
    for (const SpriteRecord& row : s.SpriteTable)
        if (row.On != 0) ++spritesOn;
    std::string text = "FPS=" + std::to_string(s.Frame.FPS) + " Sprites=" + std::to_string(spritesOn) +
                       " Mouse=" + SingleToText(s.MouseX) + "/" + SingleToText(s.MouseY) +
                       " Button=" + ((s.MouseState.Buttons[0] & 0x80) ? "1" : "0");
    if (s.Map.MapInitialised)
        text += " Map= " + std::to_string(Int(s.Map.MapX)) + "/" + std::to_string(Int(s.Map.MapY)) +
                " Tile= " + std::to_string(InfoTileUnderMouse());
    return text;
}

}  // namespace plm
