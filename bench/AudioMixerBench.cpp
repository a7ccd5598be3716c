// The cost of the audio mixer: CPU seconds spent per second of audio mixed, on the null output
// (which mixes exactly what the device output would), for 16 sample voices, one module, and both.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SoundFixtures.h"
#include "platform/Audio.h"

namespace {

using plm::platform::Audio;

constexpr int kRate = 44100;
constexpr int kSeconds = 30;
constexpr int kBlock = 1024;  // frames a device callback typically asks for

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Mixes kSeconds of audio and prints the CPU time it took per second of audio.
void Measure(const char* what, bool voices, bool module, const std::string& dir) {
    auto audio = plm::platform::CreateAudio(plm::platform::AudioOutput::Null);
    if (!audio->Init(plm::platform::kDefaultAudioDevice, kRate, 0, 0)) {
        std::printf("%s: the audio layer did not start\n", what);
        return;
    }
    if (voices) {
        auto sample = audio->SampleLoad(dir + "tone.wav", 16, plm::platform::kAudioLoop);
        for (int i = 0; i < 16; ++i) {
            auto ch = audio->SampleGetChannel(sample);
            // Rates around the sample's own, so every voice interpolates; pans across the field.
            audio->ChannelSetAttributes(ch, 30000 + 1500 * i, 60, -100 + 13 * i);
            audio->ChannelPlay(ch, true);
        }
    }
    if (module) {
        auto music = audio->MusicLoad(dir + "tiny.mod", plm::platform::kAudioLoop);
        audio->ChannelPlay(music, true);
    }
    double start = CpuSeconds();
    for (int done = 0; done < kSeconds * kRate; done += kBlock) audio->RenderFrames(kBlock);
    double perSecond = (CpuSeconds() - start) / kSeconds;
    std::printf("%-22s %.6f CPU s per s of audio (%.0fx faster than real time)\n", what, perSecond,
                perSecond > 0 ? 1.0 / perSecond : 0.0);
}

}  // namespace

int main() {
    std::string dir = (std::filesystem::temp_directory_path() / "plm-bench-audio-XXXXXX").string();
    if (!mkdtemp(dir.data())) return 1;
    dir += "/";
    Write(dir + "tone.wav", plmtest::MakeToneWav(2 * kRate, 440.0));
    Write(dir + "tiny.mod", plmtest::MakeTinyMod());
    std::printf("mixer at %d Hz, %d s of audio in blocks of %d frames:\n", kRate, kSeconds, kBlock);
    Measure("16 voices", true, false, dir);
    Measure("1 module", false, true, dir);
    Measure("16 voices + 1 module", true, true, dir);
    std::filesystem::remove_all(dir);
    return 0;
}
