#include "core/Scene.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "EngineFixture.h"
#include "core/Convert.h"
#include "core/DeviceProcs.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "platform/ImageCodec.h"
#include "platform/test/RecordingDevice.h"
#include "platform/software/SoftwareDevice.h"

namespace {

using plm::platform::Call;
using plm::platform::CallKind;
using plm::platform::RecordingDevice;

std::shared_ptr<plm::platform::GraphicsDevice> SoftwareDevice(int32_t width, int32_t height) {
    plm::platform::DeviceSettings ds;
    ds.width = width;
    ds.height = height;
    return plm::platform::CreateSoftwareDevice(ds);
}

// A frame over a recorded software device, with the ring filled for 50 fps (20 ms frames) and
// the last frame stamped now, as InitDevice leaves them.
class SceneTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        device = std::make_shared<RecordingDevice>(SoftwareDevice(64, 48));
        device->RecordQueries(false);
        plm::State().D3DDevice = device;
        plm::FillFrameTimes(50);
        plm::State().Frame.LastFrameTime = clock->Peek();
        plm::State().Delta = 20;
    }
    // One frame that took ms milliseconds before Render read the clock.
    void Frame(uint32_t ms) {
        scene.Begin();
        clock->Advance(ms);
        scene.Render();
    }
    plm::SceneState& F() { return plm::State().Frame; }
    // The recorded calls by name, and those of one kind as text.
    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const Call& c : device->Calls()) n.push_back(c.name);
        return n;
    }
    std::vector<std::string> Lines(CallKind kind) const { return device->LinesOf(kind); }

    std::shared_ptr<RecordingDevice> device;
    plm::Scene scene;
};

TEST_F(SceneTest, FrameBracketsTheDeviceInOrder) {
    scene.SetBackgroundColor(10, 20, 30);
    Frame(20);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Clear", "BeginScene", "SpriteBegin", "SpriteEnd", "EndScene", "Present"}));
    const Call* clear = device->Find(CallKind::Clear);
    EXPECT_EQ(clear->ints, (std::vector<int64_t>{1, 0}));
    EXPECT_EQ(clear->color, 0xFF0A141Eu);
    EXPECT_EQ(clear->floats, (std::vector<float>{1.0f}));
    EXPECT_EQ(plm::State().BlendSrcCache, -1);
    device->ClearCalls();
    scene.SetClearFlags(plm::TargetNotCleared);
    Frame(20);
    EXPECT_EQ(device->Count(CallKind::Clear), 0u);
}

TEST_F(SceneTest, DeltaIsTheSmoothedFrameTime) {
    // Steady 20 ms frames: the average equals the step, no wait.
    for (int i = 0; i < 12; ++i) Frame(20);
    EXPECT_FLOAT_EQ(plm::State().Delta, 20.0f);
    EXPECT_EQ(F().FrameDt, 20);

    // A 200 ms stall counts as 50: ring nine 20s and a 50, average 23, Delta (23 + 50) / 2.
    Frame(200);
    EXPECT_EQ(F().FrameDt, 50);
    EXPECT_FLOAT_EQ(plm::State().Delta, 36.5f);
    EXPECT_EQ(plm::State().FrameTimes[static_cast<size_t>(plm::State().FrameTimePos - 1)], 50);
}

TEST_F(SceneTest, ShortFrameWaitsOutTheAverage) {
    struct Case {
        uint32_t ms;
        int32_t wait;  // a - dt rounded, halves to even
        float delta;
    };
    // Ring of 20s with one new entry: a = (180 + dt) / 10.
    for (Case c : {Case{10, 9, 14.5f}, Case{16, 4, 17.8f}, Case{15, 4, 17.25f}, Case{20, 0, 20.0f}}) {
        SCOPED_TRACE(c.ms);
        plm::FillFrameTimes(50);
        clock->SetStepPerRead(0);
        scene.Begin();
        clock->Advance(c.ms);
        // Every clock read now moves time 1 ms, so the busy wait ends; the frame's own read and the
        // wait's start read account for 2 of the elapsed milliseconds.
        clock->SetStepPerRead(1);
        const uint32_t before = clock->Peek();
        scene.Render();
        const int32_t waited = static_cast<int32_t>(clock->Peek() - before) - (c.wait > 0 ? 2 : 1);
        EXPECT_EQ(waited, c.wait);
        EXPECT_FLOAT_EQ(plm::State().Delta, c.delta);
        plm::State().Frame.LastFrameTime = clock->Peek();
    }
}

TEST_F(SceneTest, ClockWrapGivesTheTrueStep) {
    clock->Set(0xFFFFFFF0u);
    F().LastFrameTime = 0xFFFFFFF0u;
    Frame(0x14);  // wraps past 0 to 4
    EXPECT_EQ(F().FrameDt, 20);
    EXPECT_FLOAT_EQ(plm::State().Delta, 20.0f);

    // A frame cap whose deadline lies just past the wrap waits until it, not for ever.
    scene.FrameRate(20);
    clock->Set(0xFFFFFFF0u);
    F().NextFrameTime = 0x00000010u;
    clock->SetStepPerRead(1);
    scene.Render();
    EXPECT_EQ(F().NextFrameTime, 0x00000010u + 50u);

    // A deadline never set, on a clock that has run for 35 days: no wait at all.
    clock->Set(3000000000u);
    F().NextFrameTime = 0;
    scene.Render();
    EXPECT_LT(F().NextFrameTime - 3000000000u, 60u);
}

TEST_F(SceneTest, FrameRateSetsTheCap) {
    struct Case {
        int32_t fps;
        int32_t interval;
    };
    for (Case c : {Case{20, 50}, Case{30, 33}, Case{7, 142}, Case{1000, 1}, Case{1, 1000}}) {
        scene.FrameRate(c.fps);
        EXPECT_EQ(scene.FrameRate(), c.fps);
        EXPECT_EQ(F().FrameInterval, c.interval) << c.fps;
    }
    for (int32_t off : {0, -3}) {
        plm::State().FrameTimes.fill(50);
        scene.FrameRate(off);
        EXPECT_EQ(F().FrameInterval, 0);
        EXPECT_EQ(plm::State().FrameTimes, (std::array<int32_t, 10>{20, 20, 20, 20, 20, 20, 20, 20, 20, 20}));
    }
}

TEST_F(SceneTest, FrameCapHoldsEachFrameToItsInterval) {
    scene.FrameRate(20);
    clock->SetStepPerRead(1);
    Frame(0);
    const uint32_t first = F().NextFrameTime;
    Frame(0);  // presented at once, so it waits for the deadline
    EXPECT_GE(F().LastFrameTime, first);
    EXPECT_EQ(F().NextFrameTime - first, 50u);
}

TEST_F(SceneTest, FpsCountsTheFramesOfEachSecond) {
    F().FpsSecondStart = clock->Peek();
    for (int i = 0; i < 49; ++i) Frame(20);
    EXPECT_EQ(F().FPS, 0);
    Frame(20);  // 1000 ms: the second is over, before this frame is counted
    EXPECT_EQ(F().FPS, 49);
    for (int i = 0; i < 50; ++i) Frame(20);
    EXPECT_EQ(F().FPS, 50);
}

TEST_F(SceneTest, BackgroundFlashFadesOutInThirteenFrames) {
    scene.SetBackgroundFlash(255, 0, 0, 1);
    int frames = 0;
    while (F().FlashOn && frames < 100) {
        scene.Begin();
        ++frames;
        if (frames == 1) {
            EXPECT_EQ(F().ClearColor, 0xFFEB0000u);  // 255 - 20
        }
        clock->Advance(20);
        scene.Render();  // steady 20 ms frames keep Delta at 20
    }
    EXPECT_EQ(frames, 13);
    EXPECT_EQ(F().ClearColor, 0xFF000000u);
    EXPECT_EQ(device->CallsOf(CallKind::Clear).back().color, 0xFF000000u);
}

TEST_F(SceneTest, GammaRampIsLimitedToTheWordRange) {
    struct Case {
        float gamma;
        int i;
        uint16_t word;
    };
    for (Case c : {Case{1, 0, 0}, Case{1, 1, 255}, Case{1, 255, 65025}, Case{2, 128, 65280}, Case{2, 255, 65535},
                   Case{0.5f, 1, 128}, Case{0.5f, 3, 382}, Case{-1, 255, 0}, Case{-1, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << c.gamma << " " << c.i);
        ASSERT_TRUE(scene.SetGammaCorrection(c.gamma));
        const auto ramps = device->CallsOf(CallKind::SetGammaRamp);
        // Red, green and blue alike.
        for (int ramp = 0; ramp < 3; ++ramp)
            EXPECT_EQ(ramps.back().ints[static_cast<size_t>(256 * ramp + c.i)], c.word);
    }
}

TEST_F(SceneTest, GammaFadesEndAtTheirEndValue) {
    struct Case {
        float start, end, speed;
        int frames;  // Renders until the fade is over, at Delta 20
    };
    for (Case c : {Case{0, 1, 0.011f, 5}, Case{1, 0.5f, -0.01f, 3}, Case{0.3f, 1, 0, 1}}) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.speed);
        scene.SetGammaFading(c.start, c.end, c.speed);
        EXPECT_TRUE(scene.IsGammaFading());
        int frames = 0;
        while (scene.IsGammaFading() && frames < 50) {
            Frame(20);  // Delta stays 20
            ++frames;
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_FLOAT_EQ(F().Gamma, c.end);
        EXPECT_EQ(device->CallsOf(CallKind::SetGammaRamp).back().ints[255], plm::RoundHalfEven(c.end * 255.0 * 255.0));
    }
}

TEST_F(SceneTest, InfoLineTextAndItsDraw) {
    auto& s = plm::State();
    s.SpriteTable.resize(5);
    for (int i : {1, 3, 4}) s.SpriteTable(i).On = 1;
    s.MouseX = 320;
    s.MouseY = 240;
    F().FPS = 60;
    EXPECT_EQ(plm::SceneInfoLine(), "FPS=60 Sprites=3 Mouse=320/240 Button=0");
    s.MouseState.Buttons[0] = 0x80;
    s.MouseX = 12.5f;
    EXPECT_EQ(plm::SceneInfoLine(), "FPS=60 Sprites=3 Mouse=12.5/240 Button=1");
    s.Map.MapX = 33.9f;
    s.Map.MapY = 7.2f;
    EXPECT_EQ(plm::SceneInfoLine(), "FPS=60 Sprites=3 Mouse=12.5/240 Button=1");  // no map yet
    s.Map.MapInitialised = true;
    // A map without cells: no cell lies under the pointer.
    EXPECT_EQ(plm::SceneInfoLine(), "FPS=60 Sprites=3 Mouse=12.5/240 Button=1 Map= 33/7 Tile= -1");

    scene.SceneInfo(true);
    Frame(20);
    ASSERT_EQ(device->Count(CallKind::DrawText), 1u);
    const Call t = *device->Find(CallKind::DrawText);
    EXPECT_EQ(t.text.rfind("FPS=", 0), 0u);
    EXPECT_EQ(t.font.name, "Arial");
    EXPECT_EQ(t.font.size, 8);
    EXPECT_FALSE(t.font.bold);
    EXPECT_EQ(t.ints, (std::vector<int64_t>{0}));
    EXPECT_EQ(t.color, 0xFFFFFFFFu);
    EXPECT_EQ((std::array<int32_t, 4>{t.rect.left, t.rect.top, t.rect.right, t.rect.bottom}),
              (std::array<int32_t, 4>{10, 10, 410, 60}));
    // Drawn after the scene ends and before the frame is presented.
    const auto n = Names();
    auto at = [&](const std::string& c) { return std::find(n.begin(), n.end(), c) - n.begin(); };
    EXPECT_LT(at("EndScene"), at("DrawText"));
    EXPECT_LT(at("DrawText"), at("Present"));
}

TEST_F(SceneTest, WarmUpRunsTwentyFiveFramesWithTheInfoLineOff) {
    scene.SceneInfo(true);
    clock->SetStepPerRead(1);
    plm::WarmUpFrames();
    EXPECT_EQ(device->Count(CallKind::Present), 25u);
    EXPECT_EQ(device->Count(CallKind::DrawText), 0u);
    EXPECT_TRUE(scene.SceneInfo());
}

TEST_F(SceneTest, HooksClipAndRenderStates) {
    scene.HookStart();
    plm::State().BlendSrcCache = 5;
    scene.HookEnd();
    EXPECT_EQ(plm::State().BlendSrcCache, -1);
    scene.SetClipArea(10, 20, 300, 200);
    EXPECT_EQ(Names(), (std::vector<std::string>{"SpriteEnd", "SpriteBegin", "SetViewport"}));
    const Call* vp = device->Find(CallKind::SetViewport);
    EXPECT_EQ(vp->ints, (std::vector<int64_t>{10, 20, 300, 200}));
    EXPECT_EQ(vp->floats, (std::vector<float>{0.0f, 1.0f}));

    device->ClearCalls();
    scene.ResetRenderStates();
    std::vector<std::vector<int64_t>> states;
    for (const Call& c : device->Calls()) states.push_back(c.ints);
    EXPECT_EQ(states, (std::vector<std::vector<int64_t>>{{27, 1}, {19, 5}, {20, 6}, {22, 1}, {0, 2, 2}, {0, 3, 0},
                                                          {0, 5, 2}, {0, 6, 0}, {0, 1, 4}, {0, 4, 2}, {0, 16, 2}, {0, 17, 2}}));
    device->ClearCalls();
    plm::State().BypassRenderStateReset = true;
    plm::State().BlendDestCache = 6;
    scene.ResetRenderStates();
    EXPECT_TRUE(device->Calls().empty());
    EXPECT_EQ(plm::State().BlendDestCache, -1);
}

TEST_F(SceneTest, RenderToTextureKeepsAndRestoresTheTarget) {
    auto& s = plm::State();
    s.Textures.resize(3);
    s.Textures(2).Object = device->CreateTexture(16, 16, true);
    s.Textures(3).Object = device->CreateTexture(16, 16, false);  // no render target
    const auto screen = device->GetRenderTarget();
    device->ClearCalls();
    scene.RenderToTextureStart(2, plm::Target, static_cast<int32_t>(0xFF00FF00u));
    EXPECT_EQ(device->GetRenderTarget(), s.Textures(2).Object);
    scene.RenderToTextureStart(2, plm::TargetNotCleared, 0);  // a second start keeps the screen
    scene.RenderToTextureEnd();
    EXPECT_EQ(device->GetRenderTarget(), screen);
    scene.RenderToTextureEnd();  // nothing to end
    EXPECT_EQ(Names(), (std::vector<std::string>{"SetRenderTarget", "Clear", "SetRenderTarget", "SetRenderTarget"}));
    EXPECT_EQ(device->Find(CallKind::Clear)->color, 0xFF00FF00u);

    // An empty slot, slots outside the table, a texture that is no render target: refused, logged.
    device->ClearCalls();
    for (int32_t bad : {1, 0, 9, 3}) scene.RenderToTextureStart(bad, plm::Target, 0);
    EXPECT_EQ(device->Count(CallKind::Clear), 0u);
    EXPECT_EQ(device->GetRenderTarget(), screen);
    EXPECT_FALSE(F().RenderingToTexture);
    const auto log = LogText();
    EXPECT_NE(log.find("Error: (Scene.RenderToTextureStart)"), std::string::npos);
    EXPECT_NE(log.find("TextureIndex=9"), std::string::npos);
    EXPECT_NE(log.find("The texture is not a render target."), std::string::npos);
}

TEST_F(SceneTest, NoDeviceMeansNoDrawingAndNoCrash) {
    plm::State().D3DDevice.reset();
    scene.SceneInfo(true);
    Frame(20);
    EXPECT_FLOAT_EQ(plm::State().Delta, 20.0f);
    EXPECT_FALSE(scene.SetGammaCorrection(1));
    EXPECT_EQ(scene.GetDirect3DDevice8(), nullptr);
    EXPECT_FALSE(scene.SaveScreenShot(""));
}

// Screenshots on a real 800 x 600 software device.
class ScreenShotTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::State().D3DDevice = SoftwareDevice(800, 600);
        plm::State().ScreenWidth = 800;
        plm::State().ScreenHeight = 600;
        clock->SetStepPerRead(1);
    }
    plm::platform::Image Read(const std::string& path) {
        plm::platform::Image img;
        std::string error;
        EXPECT_TRUE(plm::platform::LoadImageFile(path, img, error)) << error;
        return img;
    }
    plm::Scene scene;
};

TEST_F(ScreenShotTest, SavesTheLastPresentedFrameAsBmp) {
    scene.SetBackgroundColor(0, 128, 255);
    scene.Begin();
    scene.Render();
    // Mid-frame, with the back buffer cleared to another colour: the capture is what was shown.
    scene.SetBackgroundColor(255, 0, 0);
    scene.Begin();
    ASSERT_TRUE(scene.SaveScreenShot(""));
    scene.Render();
    const std::string path = folder.file("screen1.bmp");
    const auto img = Read(path);
    EXPECT_EQ(img.width, 800);
    EXPECT_EQ(img.height, 600);
    EXPECT_EQ(img.pixels[static_cast<size_t>(300 * 800 + 400)] & 0xFFFFFFu, 0x0080FFu);
    // The file is a plain BMP that other programs read too.
    if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    const std::string cmd = "identify -format '%m %w %h' '" + path + "' > '" + folder.file("id.txt") + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << plmtest::ReadFile(folder.file("id.txt"));
    const std::string id = plmtest::ReadFile(folder.file("id.txt"));  // "BMP3 800 600": a version 3 header
    EXPECT_EQ(id.substr(0, 3), "BMP");
    EXPECT_EQ(id.substr(id.find(' ')), " 800 600");
}

TEST_F(ScreenShotTest, NumberingSkipsFilesThatExist) {
    plmtest::WriteFile(folder.file("screen1.bmp"), "keep me");
    plmtest::WriteFile(folder.file("screen2.bmp"), "keep me too");
    scene.Begin();
    scene.Render();
    ASSERT_TRUE(scene.SaveScreenShot(""));
    ASSERT_TRUE(scene.SaveScreenShot(""));
    EXPECT_EQ(plmtest::ReadFile(folder.file("screen1.bmp")), "keep me");
    EXPECT_EQ(plmtest::ReadFile(folder.file("screen2.bmp")), "keep me too");
    EXPECT_EQ(Read(folder.file("screen3.bmp")).width, 800);
    EXPECT_EQ(Read(folder.file("screen4.bmp")).width, 800);
    // A path given by the caller is used as it is.
    ASSERT_TRUE(scene.SaveScreenShot(folder.file("shot.bmp")));
    EXPECT_EQ(Read(folder.file("shot.bmp")).height, 600);
    EXPECT_FALSE(std::filesystem::exists(folder.file("screen5.bmp")));
}

TEST_F(ScreenShotTest, FailureIsLoggedAndReported) {
    scene.Begin();
    scene.Render();
    EXPECT_FALSE(scene.SaveScreenShot(folder.file("no/such/folder/shot.bmp")));
    EXPECT_NE(LogText().find("Error: (Scene.SaveScreenShot)"), std::string::npos);
    // Before any frame was shown, the back buffer as it stands.
    plm::State().D3DDevice = SoftwareDevice(32, 16);
    ASSERT_TRUE(scene.SaveScreenShot(folder.file("first.bmp")));
    EXPECT_EQ(Read(folder.file("first.bmp")).width, 32);
}

}  // namespace
