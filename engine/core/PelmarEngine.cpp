#include "core/PelmarEngine.h"

#include <filesystem>
#include <system_error>

#include "core/DeviceProcs.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/InputProcs.h"
#include "core/LogoImage.h"
#include "core/LogoSequence.h"
#include "core/Paths.h"
#include "core/SoundProcs.h"

namespace plm {

namespace {

// Writes the embedded logo to path unless something is there already; true when this call wrote
// the file (only such a file is deleted again after the logo).
bool WriteLogoFile(const std::string& path) {
    std::error_code ec;
    const std::string native = NativePath(path);
    if (std::filesystem::exists(native, ec) || ec) return false;
    return WriteWholeFile(native, std::string_view(reinterpret_cast<const char*>(kLogoJpeg), kLogoJpegSize));
}

// The logo's step for one frame: Delta, but at least 1 ms, so that the sequence ends even when
// frames come faster than the clock's resolution (Delta 0) or Delta is not a number.
float LogoStep(float delta) { return delta >= 1.0f ? delta : 1.0f; }

}  // namespace

PelmarEngine::PelmarEngine() {
    EngineState& s = State();
    s.LogState = true;
    s.Adapter = 0;
}

PelmarEngine::~PelmarEngine() = default;

bool PelmarEngine::Initialize() {
    CreateServices();
    plm::Device& d = *Device();
    d.ColorBitDepth(16);
    d.DepthStencilFormat(80);
    d.EnableDepthStencil(false);
    d.FormhWnd(0);
    d.FullScreenMouseModeExclusive(false);
    d.FullScreenVsync(true);
    d.RefreshRate(0);
    d.MaxTextures(32);
    d.ScreenHeight(480);
    d.ScreenWidth(640);
    d.ShowLogo(true);
    d.TargethWnd(0);
    d.TripleBufferedGraphics(false);
    d.Windowed(false);
    WriteLog(kDashLine);
    WriteLog("Pelmar Engine V" + PLMVersion());
    WriteLog("Session: Start");
    return true;
}

bool PelmarEngine::InitDevice() {
    EngineState& s = State();
    // A texture count no device could use is a failed start, not an allocation that ends the process.
    if (s.MaxTextures > kMaxTextureSlots) {
        LogError("InitDevice", {"MaxTextures=" + std::to_string(s.MaxTextures)},
                 {"plm232", 7, "More texture slots than " + std::to_string(kMaxTextureSlots) + "."});
        return false;
    }
    s.Textures.resize(s.MaxTextures);
    s.DrawMatrix = platform::Matrix4{};
    s.DrawMatrix.m[3][3] = 1.0f;
    s.MouseMinX = 0;
    s.MouseMinY = 0;
    s.MouseMaxX = static_cast<float>(s.ScreenWidth - 1);
    s.MouseMaxY = static_cast<float>(s.ScreenHeight - 1);
    s.Pi = 3.1415927f;
    s.TwoPi = 6.2831855f;
    s.WhiteColor = 0xFFFFFFFFu;
    Scene()->FrameRate(0);  // no frame cap; refills the frame-time ring for 50 frames a second
    s.Delta = 1.0f;
    BuildAngleTables();
    // Raised once however often InitDevice runs, so Terminate's one EndPeriod always matches.
    if (!s.TimerPeriodRaised) {
        s.Clock->BeginPeriod(1);
        s.TimerPeriodRaised = true;
    }
    Scene()->SceneInfo(false);
    Timer()->Init(0);
    WriteLog("Adapter #" + std::to_string(s.Adapter + 1) + " : " + Device()->GetAdapterDescription(s.Adapter));

    bool ok = true;
    if (!init_Device()) {
        WriteLog("Device Init Failed");
        ok = false;
    } else if (!init_di()) {
        WriteLog("Direct Input Init Failed");
        ok = false;
    }
    if (!ok) {
        LogError("InitDevice");
        return false;
    }
    // Back buffer 0 is kept for screenshots and the device restore.
    s.BackBuffer = s.D3DDevice->GetBackBuffer();
    WarmUpFrames();
    if (s.ShowLogo) PLMShowLogo();
    s.SortCursor = 1;
    return true;
}

void PelmarEngine::Terminate() {
    EngineState& s = State();
    WriteLog("Terminating Pelmar Engine Session");
    s.Fonts = FontSurfaces{};
    FreeBass();
    ReleaseTextures();
    ReleaseInput();
    ReleaseDirectX();
    DeleteUnpackedFiles();
    DropServices();
    if (s.TimerPeriodRaised) {
        s.Clock->EndPeriod(1);
        s.TimerPeriodRaised = false;
    }
    WriteLog("Session: End");
}

void PelmarEngine::Log(const std::string& txt, bool ResetLog) { WriteLog(txt, ResetLog); }
bool PelmarEngine::LogState() const { return State().LogState; }
void PelmarEngine::LogState(bool value) { State().LogState = value; }
std::string PelmarEngine::Path() const { return State().EnginePath; }
void PelmarEngine::Path(const std::string& value) { State().EnginePath = NormalizeFolder(value); }
float PelmarEngine::Delta() const { return State().Delta; }
void PelmarEngine::Delta(float value) { State().Delta = value; }
int32_t PelmarEngine::Tick() const { return static_cast<int32_t>(State().Clock->NowMs()); }
float PelmarEngine::Rx() const { return State().Rx; }
float PelmarEngine::Ry() const { return State().Ry; }

std::string PelmarEngine::PLMVersion() const {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

// The three numbers' digits joined: 2.3.2 gives 232; a two-digit part keeps all its digits.
int32_t PelmarEngine::PLMVersionVal() const {
    return std::stoi(std::to_string(kVersionMajor) + std::to_string(kVersionMinor) + std::to_string(kVersionRevision));
}

bool PelmarEngine::BypassRenderStateReset() const { return State().BypassRenderStateReset; }
void PelmarEngine::BypassRenderStateReset(bool value) { State().BypassRenderStateReset = value; }

void PelmarEngine::PLMSaveLogo(const std::string& FilePath) { WriteLogoFile(NativePath(FilePath) + "plm.jpg"); }

void PelmarEngine::PLMShowLogo() {
    EngineState& s = State();
    const float cx = static_cast<float>(s.ScreenWidth) / 2, cy = static_cast<float>(s.ScreenHeight) / 2;
    const std::string file = ProgramFolderPath() + "plm.jpg";
    const bool wrote = WriteLogoFile(file);
    // A logo that cannot be loaded is skipped rather than drawn from an empty slot.
    const bool loaded = Texture()->Load(kLogoSlot, file, -1, true, 0);
    plm::Scene& scene = *Scene();
    const bool info = scene.SceneInfo();
    const bool mouse = Mouse()->Enabled();
    if (loaded) {
        scene.SceneInfo(false);
        Mouse()->Enabled(false);
        LogoSequence seq;
        for (bool more = true; more;) {
            scene.Begin();
            more = LogoFrame(*Texture(), seq, cx, cy, LogoStep(s.Delta));
            scene.Render();
        }
    }
    if (wrote) {
        std::error_code ec;
        std::filesystem::remove(NativePath(file), ec);
    }
    if (loaded) {
        WarmUpFrames();
        scene.SceneInfo(info);
        Mouse()->Enabled(mouse);
    }
}

}  // namespace plm
