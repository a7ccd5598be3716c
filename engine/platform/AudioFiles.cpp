#include "platform/AudioFiles.h"

#include <SDL.h>

#include <iterator>
#include <libopenmpt/libopenmpt.hpp>
#include <ostream>
#include <streambuf>
#include <string>

#include "core/FileIO.h"

namespace plm::platform {
namespace {

// libopenmpt reports load warnings on a stream; the layer has no log of its own, so they go nowhere.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

}  // namespace

bool LoadWavFile(const std::string& path, int32_t outputRate, SampleData& out) {
    SDL_AudioSpec spec{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &buf, &len)) return false;
    if (spec.freq <= 0 || spec.channels == 0) {
        SDL_FreeWAV(buf);
        return false;
    }
    const int outChannels = spec.channels >= 2 ? 2 : 1;
    SDL_AudioStream* stream =
        SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_F32SYS, static_cast<Uint8>(outChannels), outputRate);
    bool ok = stream && SDL_AudioStreamPut(stream, buf, static_cast<int>(len)) == 0 && SDL_AudioStreamFlush(stream) == 0;
    SampleData data;
    if (ok) {
        data.frames.resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream)) / sizeof(float));
        int got = SDL_AudioStreamGet(stream, data.frames.data(), static_cast<int>(data.frames.size() * sizeof(float)));
        ok = got >= 0;
        if (ok) data.frames.resize(static_cast<size_t>(got) / sizeof(float));
    }
    if (stream) SDL_FreeAudioStream(stream);
    SDL_FreeWAV(buf);
    if (!ok) return false;
    data.channels = outChannels;
    data.fileRate = spec.freq;
    data.fileBytesPerFrame = static_cast<int32_t>(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    out = std::move(data);
    return true;
}

std::unique_ptr<openmpt::module> LoadModuleFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes) || bytes.empty()) return nullptr;
    // The module keeps the stream for messages while it plays, so it must outlive every module.
    static NullBuffer nothing;
    static std::ostream quiet(&nothing);
    try {
        return std::make_unique<openmpt::module>(bytes.data(), bytes.size(), quiet);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace plm::platform
