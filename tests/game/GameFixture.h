#pragma once
// Fixtures for the game's tests.
//   GameTest: a fresh game state and engine state, an engine root (not started) whose folder,
//     the program's folder, is a temporary one; a manual clock (with a hook on its sleeps) and a
//     fixed random seed.
//   GameEngineTest: besides, the build's media files beside the program (media.pak, gdata.dat,
//     the splash, help and link files), and the engine started the way the game starts it:
//     800 x 600 windowed, five texture slots, headless software device under a recording
//     decorator, null audio, scripted input.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"
#include "game/GameState.h"
#include "platform/Clock.h"
#include "platform/test/RecordingDevice.h"
#include "platform/test/ScriptedInput.h"

namespace plmtest {

// Where the build puts the program and its generated files.
inline std::string BuildBinFile(const std::string& name) { return std::string(PLM_BIN_DIR) + "/" + name; }

// A manual clock whose sleeps can run a step of the test (the hook gets the sleep's number): the
// pause loop sleeps between its checks.
class SleepHookClock : public plm::platform::ManualClock {
public:
    explicit SleepHookClock(std::function<void(int)> hook = {}) : ManualClock(1000, 0), hook(std::move(hook)) {}
    void SleepMs(uint32_t ms) override {
        ManualClock::SleepMs(ms);
        ++sleeps;
        if (hook) hook(sleeps);
    }
    std::function<void(int)> hook;
    int sleeps = 0;
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        plm::ResetState();
        tessaly::ResetGame();
        clock = std::make_shared<SleepHookClock>();
        plm::State().Clock = clock;
        tessaly::Game().Run.Folder = folder.path();
        tessaly::Game().Run.Engine = tessaly::EngineHandle(new plm::PelmarEngine, {});
        tessaly::E().Path(folder.path());
        plm::RandomizeSeed(12345);
    }
    void TearDown() override {
        tessaly::ResetGame();
        plm::ResetState();
    }

    tessaly::GameState& G() { return tessaly::Game(); }
    std::string LogText() const { return ReadFile(folder.file("data.log")); }

    TempFolder folder;
    std::shared_ptr<SleepHookClock> clock;
};

class GameEngineTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (const char* name : {"media.pak", "gdata.dat", "affimage.jpg", "help.htm", "othergames.dat "}) {
            std::error_code ec;
            std::filesystem::copy_file(BuildBinFile(name), folder.file(name), ec);
        }
        input = std::make_shared<plm::platform::ScriptedInput>();
        plm::SetInputBackend(input);
        plm::PelmarEngine& e = tessaly::E();
        e.Initialize();
        e.Bass()->Init(0, 44100);
        e.Bass()->PanWidth(800);
        auto d = e.Device();
        d->ColorBitDepth(32);
        d->MaxTextures(5);
        d->ScreenWidth(800);
        d->ScreenHeight(600);
        d->ShowLogo(false);
        d->Windowed(true);
        d->FormhWnd(0);
        d->TargethWnd(0);
        clock->SetStepPerRead(1);  // the warm-up frames wait on the clock
        started = e.InitDevice();
        clock->SetStepPerRead(0);
        ASSERT_TRUE(started);
        device = std::make_shared<plm::platform::RecordingDevice>(plm::State().D3DDevice);
        device->RecordQueries(false);
        plm::State().D3DDevice = device;
        plm::RandomizeSeed(12345);
    }
    void TearDown() override {
        if (tessaly::Game().Run.Engine) tessaly::E().Terminate();
        plm::SetInputBackend(nullptr);
        GameTest::TearDown();
    }

    bool started = false;
    std::shared_ptr<plm::platform::ScriptedInput> input;
    std::shared_ptr<plm::platform::RecordingDevice> device;
};

}  // namespace plmtest
