#include "core/Device.h"

#include "EngineFixture.h"
#include "core/EngineStart.h"
#include "core/DeviceProcs.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/PelmarEngine.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/software/SoftwareDevice.h"

namespace {

using plmtest::EngineTest;
using plmtest::Undated;

TEST_F(EngineTest, DeviceStoreRules) {
    plm::Device d;
    for (auto [in, stored] : {std::pair{15, 16}, {16, 16}, {24, 24}, {32, 32}, {0, 16}, {-32, 16}}) {
        d.ColorBitDepth(in);
        EXPECT_EQ(d.ColorBitDepth(), stored) << in;
    }
    for (auto [in, got, index] : {std::tuple{0, 1, 0}, {-5, 1, 0}, {1, 1, 0}, {3, 3, 2}}) {
        d.Adapter(in);
        EXPECT_EQ(d.Adapter(), got) << in;
        EXPECT_EQ(plm::State().Adapter, index) << in;
    }
    for (auto [in, stored] : {std::pair{0, 1}, {-2, 1}, {1, 1}, {5, 5}}) {
        d.MaxTextures(in);
        EXPECT_EQ(d.MaxTextures(), stored) << in;
    }
    d.FullScreenVsync(false);
    EXPECT_TRUE(plm::State().FullScreenImmediate);
    EXPECT_FALSE(d.FullScreenVsync());
    d.FullScreenVsync(true);
    EXPECT_FALSE(plm::State().FullScreenImmediate);
    d.ScreenWidth(-7);  // stored unchanged: init_Device refuses it later
    EXPECT_EQ(d.ScreenWidth(), -7);
}

TEST_F(EngineTest, DisplayModesWithoutARealDisplay) {
    plm::Device d;
    EXPECT_EQ(d.GetAdapterCount(), 1);
    EXPECT_EQ(d.GetAdapterDescription(0), "plm232 software rasteriser");
    const int32_t total = d.GetDisplayModeTotal();
    ASSERT_GT(total, 0);
    for (int32_t depth : {16, 32}) {
        EXPECT_TRUE(d.IsDisplayModeAvailable(800, 600, depth, 60)) << depth;
        EXPECT_TRUE(d.IsDisplayModeAvailable(640, 480, depth, 60)) << depth;
    }
    EXPECT_FALSE(d.IsDisplayModeAvailable(800, 600, 15, 60));
    EXPECT_FALSE(d.IsDisplayModeAvailable(800, 600, 32, 75));
    for (int32_t i = 0; i < total; ++i) {
        const plm::PLMDisplayMode m = d.GetDisplayMode(i);
        EXPECT_GT(m.Width, 0);
        EXPECT_TRUE(m.BitDepth == 16 || m.BitDepth == 32) << m.BitDepth;
    }
    for (int32_t outside : {-1, total}) {
        const plm::PLMDisplayMode m = d.GetDisplayMode(outside);
        EXPECT_EQ(m.Width + m.Height + m.BitDepth + m.RefreshRate, 0);
    }
}

TEST_F(EngineTest, VertexProcessingFromTheAdapterCaps) {
    struct Case {
        uint32_t caps;
        uint32_t flags;
        std::vector<std::string> lines;
    };
    for (const Case& c : {Case{0, 32, {}}, Case{0x100000, 32, {}},
                          Case{0x10000, 64, {"D3DCREATE_HARDWARE_VERTEXPROCESSING: Enabled"}},
                          Case{0x110000, 80, {"D3DCREATE_HARDWARE_VERTEXPROCESSING: Enabled", "D3DCREATE_PUREDevice: Enabled"}}}) {
        std::remove(folder.file("data.log").c_str());
        EXPECT_EQ(plm::VertexProcessingFlags(c.caps), c.flags);
        std::vector<std::string> lines;
        for (const auto& l : Log()) lines.push_back(Undated(l));
        EXPECT_EQ(lines, c.lines);
    }
}

// init_Device opens the device from the settings, with its log line and back-buffer format.
TEST_F(EngineTest, InitDeviceLinesAndSettings) {
    struct Case {
        bool windowed;
        int32_t depth;
        bool triple, depthBuffer, vsync;
        std::string line;
        int32_t format;
        int32_t clearFlags;
    };
    for (const Case& c : {Case{true, 16, false, false, true, "Initializing Windowed Mode: 800x600", 22, 1},
                          Case{false, 16, true, false, false, "Initializing Screen: 800x600 16 bit color depth", 23, 1},
                          Case{false, 24, false, true, true, "Initializing Screen: 800x600 24 bit color depth", 20, 3},
                          Case{false, 32, false, false, true, "Initializing Screen: 800x600 32 bit color depth", 22, 1}}) {
        SCOPED_TRACE(c.line);
        std::remove(folder.file("data.log").c_str());
        auto& s = plm::State();
        s.ScreenWidth = 800;
        s.ScreenHeight = 600;
        s.Windowed = c.windowed;
        s.ColorBitDepth = c.depth;
        s.TripleBufferedGraphics = c.triple;
        s.EnableDepthStencil = c.depthBuffer;
        s.FullScreenImmediate = !c.vsync;
        s.RefreshRate = 75;
        s.TargethWnd = 12345;  // no such window: headless
        ASSERT_TRUE(plm::init_Device());
        std::vector<std::string> lines;
        for (const auto& l : Log()) lines.push_back(Undated(l));
        EXPECT_EQ(lines, std::vector<std::string>{c.line});
        const auto& ds = s.D3DDevice->Settings();
        EXPECT_EQ(ds.width, 800);
        EXPECT_EQ(ds.height, 600);
        EXPECT_EQ(ds.windowed, c.windowed);
        EXPECT_EQ(ds.backBufferFormat, c.format);
        EXPECT_EQ(ds.backBufferCount, c.triple ? 2 : 1);
        EXPECT_EQ(ds.depthStencil, c.depthBuffer);
        EXPECT_EQ(ds.creationFlags, 32u);
        // Windowed mode ignores refresh rate and vsync.
        EXPECT_EQ(ds.refreshRate, c.windowed ? 0 : 75);
        EXPECT_EQ(ds.immediatePresent, !c.windowed && !c.vsync);
        EXPECT_EQ(ds.window, nullptr);
        EXPECT_EQ(s.Frame.ClearFlags, c.clearFlags);
        plm::ReleaseDirectX();
        EXPECT_EQ(s.D3DDevice, nullptr);
    }
}

// The device presents into the window named by TargethWnd; only full screen with vsync waits.
TEST_F(EngineTest, InitDeviceFindsItsWindowAndSetsItsVsync) {
    plm::platform::WindowSettings ws;
    ws.headless = true;
    auto window = plm::platform::CreateWindow(ws);
    auto* sdlWindow = dynamic_cast<plm::platform::SdlWindow*>(window.get());
    ASSERT_NE(sdlWindow, nullptr);
    auto& s = plm::State();
    s.TargethWnd = window->Handle();
    for (auto [windowed, vsync, waits] : {std::tuple{true, true, false}, {false, false, false}, {false, true, true}}) {
        s.Windowed = windowed;
        s.FullScreenImmediate = !vsync;
        ASSERT_TRUE(plm::init_Device());
        EXPECT_EQ(s.D3DDevice->Settings().window, window.get());
        EXPECT_EQ(sdlWindow->Vsync(), waits) << windowed << vsync;
        plm::ReleaseDirectX();
    }
}

TEST_F(EngineTest, InitDeviceRunsWarmUpAndLogsItsLines) {
    clock->SetStepPerRead(1);  // busy waits end
    plm::PelmarEngine e;
    e.Scene()->SceneInfo(true);
    e.Scene()->FrameRate(30);
    ASSERT_TRUE(plmtest::StartWindowedEngine(e, folder.path()));
    auto& s = plm::State();
    std::vector<std::string> lines;
    for (const auto& l : Log()) lines.push_back(Undated(l));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 5),
              (std::vector<std::string>{"Adapter #1 : plm232 software rasteriser", "Initializing Windowed Mode: 800x600"}));
    auto* device = dynamic_cast<plm::platform::SoftwareDevice*>(s.D3DDevice.get());
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->PresentCount(), 25);
    EXPECT_EQ(s.BackBuffer, device->GetBackBuffer());
    EXPECT_EQ(s.SortCursor, 1);
    // InitDevice turns the overlay off and removes the frame cap before its frames.
    EXPECT_FALSE(e.Scene()->SceneInfo());
    EXPECT_EQ(s.Frame.FrameInterval, 0);
    EXPECT_EQ(s.BlendSrcCache, -1);
    // The warm-up keeps the overlay off for its frames and gives back the setting it found.
    e.Scene()->SceneInfo(true);
    plm::WarmUpFrames();
    EXPECT_TRUE(e.Scene()->SceneInfo());
    e.Terminate();
    EXPECT_EQ(s.D3DDevice, nullptr);
}

TEST_F(EngineTest, InitDeviceFailureIsLogged) {
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    e.Device()->ScreenWidth(0);
    EXPECT_FALSE(e.InitDevice());
    std::vector<std::string> lines;
    for (const auto& l : Log()) lines.push_back(Undated(l));
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    const auto n = static_cast<long>(lines.size());
    EXPECT_LT(at("Error: (init_Device)"), n);
    EXPECT_LT(at("Description: Invalid back-buffer size 0x480."), n);
    EXPECT_LT(at("Error: (init_Device)"), at("Device Init Failed"));
    EXPECT_LT(at("Device Init Failed"), at("Error: (InitDevice)"));
    EXPECT_EQ(plm::State().D3DDevice, nullptr);
    EXPECT_FLOAT_EQ(plm::State().Delta, 1.0f);  // set before the device, no frame since

    // An adapter that does not exist is refused the same way.
    e.Device()->ScreenWidth(640);
    e.Device()->Adapter(2);
    EXPECT_FALSE(e.InitDevice());
    EXPECT_NE(LogText().find("Description: There is no adapter 2."), std::string::npos);
    e.Terminate();
}

}  // namespace
