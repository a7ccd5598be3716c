#pragma once
// Internal to the audio layer: reading sound files into what the mixer plays.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace openmpt {
class module;
}

namespace plm::platform {

// A sound held in memory as float frames at the output rate, one or two channels interleaved,
// with what the file said about itself (its rate, and its bytes per frame for positions).
struct SampleData {
    std::vector<float> frames;
    int32_t channels = 1;
    int32_t fileRate = 44100;
    int32_t fileBytesPerFrame = 2;
    size_t FrameCount() const { return channels > 0 ? frames.size() / static_cast<size_t>(channels) : 0; }
};

// Reads a WAV file and converts it to float at `outputRate`; false for a missing or damaged file.
bool LoadWavFile(const std::string& path, int32_t outputRate, SampleData& out);

// Reads a MOD, XM, S3M or IT module; null for a missing or damaged file.
std::unique_ptr<openmpt::module> LoadModuleFile(const std::string& path);

}  // namespace plm::platform
