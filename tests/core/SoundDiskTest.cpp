// The SDL output end to end: SDL's disk audio driver writes what the device would play into a
// file, and sox measures its level.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "EngineFixture.h"
#include "SoundFixtures.h"
#include "core/Bass.h"
#include "core/EngineState.h"
#include "core/Music.h"
#include "core/Sample.h"

namespace {

// The "RMS amplitude" line of `sox ... -n stat`, or -1 when sox gives none.
double RmsOfRawFloatStereo(const std::string& path) {
    std::string cmd = "sox -t raw -e floating-point -b 32 -c 2 -r 44100 '" + path + "' -n stat 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return -1;
    double rms = -1;
    char line[256];
    while (fgets(line, sizeof line, p)) {
        std::string l(line);
        if (l.rfind("RMS     amplitude:", 0) == 0) rms = std::atof(l.substr(18).c_str());
    }
    pclose(p);
    return rms;
}

// Sets environment variables for one test and puts the old values back afterwards.
class EnvOverride {
public:
    EnvOverride(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~EnvOverride() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

using plmtest::EngineTest;

TEST_F(EngineTest, DeviceOutputPlaysSampleAndModule) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox is not installed";
    const std::string out = folder.file("output.raw");
    EnvOverride driver("SDL_AUDIODRIVER", "disk");
    EnvOverride file("SDL_DISKAUDIOFILE", out);
    plmtest::WriteFile(folder.file("tone.wav"), plmtest::MakeToneWav(44100 / 4, 440.0));
    plmtest::WriteFile(folder.file("tiny.mod"), plmtest::MakeTinyMod());

    plm::State().Audio = plm::platform::CreateAudio(plm::platform::AudioOutput::Device);
    plm::Bass bass;
    plm::Sample sample;
    plm::Music music;
    ASSERT_TRUE(bass.Init(0, 44100));
    ASSERT_TRUE(sample.Load(1, "tone.wav", 1, false));
    ASSERT_TRUE(music.Load(1, "tiny.mod", true));
    sample.Play(1, 100, 50);
    music.Play(1, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(music.IsPlaying(1));
    bass.Terminate();

    double rms = RmsOfRawFloatStereo(out);
    EXPECT_GT(rms, 0.01) << "level of " << out;
}

}  // namespace
