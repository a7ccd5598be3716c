#include "platform/audio/AudioFiles.h"

#include <SDL.h>

#include <iterator>
#include <libopenmpt/libopenmpt.hpp>
#include <memory>
#include <new>
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
    // SDL's buffer and stream are freed however this returns, a refused allocation included.
    std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> wav(buf, &SDL_FreeWAV);
    if (spec.freq <= 0 || spec.channels == 0) return false;
    const int outChannels = spec.channels >= 2 ? 2 : 1;
    std::unique_ptr<SDL_AudioStream, decltype(&SDL_FreeAudioStream)> stream(
        SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_F32SYS, static_cast<Uint8>(outChannels),
                           outputRate),
        &SDL_FreeAudioStream);
    if (!stream || SDL_AudioStreamPut(stream.get(), buf, static_cast<int>(len)) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0)
        return false;
    SampleData data;
    try {
        data.frames.resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream.get())) / sizeof(float));
    } catch (const std::bad_alloc&) {
        return false;  // converted to the output rate it would not fit in memory: refused
    }
    int got = SDL_AudioStreamGet(stream.get(), data.frames.data(), static_cast<int>(data.frames.size() * sizeof(float)));
    if (got < 0) return false;
    data.frames.resize(static_cast<size_t>(got) / sizeof(float));
    data.channels = outChannels;
    data.fileRate = spec.freq;
    data.fileBytesPerFrame = static_cast<int32_t>(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    out = std::move(data);
    return true;
}

std::unique_ptr<openmpt::module> LoadModuleFile(const std::string& path) {
    // The module keeps the stream for messages while it plays, so it must outlive every module.
    static NullBuffer nothing;
    static std::ostream quiet(&nothing);
    // A file too large for memory is refused like a damaged one.
    try {
        std::string bytes;
        if (!ReadWholeFile(path, bytes) || bytes.empty()) return nullptr;
        return std::make_unique<openmpt::module>(bytes.data(), bytes.size(), quiet);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace plm::platform
