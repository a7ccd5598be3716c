// The audio layer over our own mixer, with two outputs: the SDL audio device, whose callback runs
// on SDL's audio thread, and the null output, which mixes only when a test asks. The engine's
// thread and the callback share nothing but the mix state, and only under `mutex_`.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <libopenmpt/libopenmpt.hpp>
#include <mutex>

#include "platform/Audio.h"
#include "platform/audio/AudioFiles.h"
#include "platform/audio/AudioMixer.h"
#include "platform/sdl/SdlEventHub.h"

namespace plm::platform {
namespace {

constexpr int32_t kMinOutputRate = 8000, kMaxOutputRate = 192000;
constexpr int32_t kMinBufferMs = 10, kMaxBufferMs = 5000, kStartBufferMs = 500;
// The device buffer follows the configured length but stays short, so that a sound starts within
// a frame or two of its play call; the mix is rendered only as the device asks for it.
constexpr int32_t kMaxDeviceBufferMs = 40;

class MixerAudio final : public Audio {
public:
    explicit MixerAudio(AudioOutput output) : output_(output) {}
    ~MixerAudio() override { Free(); }

    uint32_t GetVersion() const override { return kAudioVersion; }

    bool Init(int32_t device, int32_t rate, uint32_t flags, int32_t /*window*/) override {
        Free();
        if (device != kDefaultAudioDevice && device != 1) return false;
        if (rate < kMinOutputRate || rate > kMaxOutputRate) return false;
        auto mixer = std::make_unique<AudioMixer>(rate);
        int32_t latencyMs = 0;
        if (output_ == AudioOutput::Device && !OpenDevice(rate, latencyMs)) return false;
        {
            std::lock_guard lock(mutex_);
            mixer_ = std::move(mixer);
            info_ = AudioDeviceInfo{};
            info_.flags = kInfoContinuousRate | kInfoSoftwareMixing;
            info_.minRate = kMinRate;
            info_.maxRate = kMaxRate;
            info_.minBuf = std::max(kMinBufferMs, latencyMs);
            info_.latency = latencyMs;
            info_.initFlags = static_cast<int32_t>(flags);
            info_.speakers = 2;
        }
        if (device_) SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    bool Free() override {
        // The device is closed first and without the lock: closing waits for a running callback,
        // which may itself be waiting for the lock.
        if (device_) {
            SDL_CloseAudioDevice(device_);
            device_ = 0;
            sdl::QuitSubsystem(SDL_INIT_AUDIO);
        }
        std::lock_guard lock(mutex_);
        if (!mixer_) return false;
        mixer_.reset();
        return true;
    }

    bool Pause() override { return SetPaused(true); }
    bool Start() override { return SetPaused(false); }

    int32_t GetConfig(int32_t option) const override {
        std::lock_guard lock(mutex_);
        return option == kConfigBufferMs ? bufferMs_ : -1;
    }
    bool SetConfig(int32_t option, int32_t value) override {
        if (option != kConfigBufferMs) return false;
        std::lock_guard lock(mutex_);
        bufferMs_ = std::clamp(value, kMinBufferMs, kMaxBufferMs);
        return true;
    }

    bool GetInfo(AudioDeviceInfo& info) const override {
        std::lock_guard lock(mutex_);
        if (!mixer_) return false;
        info = info_;
        return true;
    }

    AudioHandle MusicLoad(const std::string& path, uint32_t flags) override {
        if (!Started()) return kNoAudio;
        auto module = LoadModuleFile(path);  // read outside the lock: the output keeps playing
        if (!module) return kNoAudio;
        std::lock_guard lock(mutex_);
        return mixer_ ? mixer_->AddMusic(std::move(module), flags) : kNoAudio;
    }
    bool MusicFree(AudioHandle music) override {
        return WithMixer([&](AudioMixer& m) { return m.FreeMusic(music); });
    }

    AudioHandle SampleLoad(const std::string& path, int32_t maxPlaybacks, uint32_t flags) override {
        int32_t rate = 0;
        {
            std::lock_guard lock(mutex_);
            if (!mixer_) return kNoAudio;
            rate = mixer_->OutputRate();
        }
        SampleData data;
        if (maxPlaybacks < 1 || !LoadWavFile(path, rate, data)) return kNoAudio;
        std::lock_guard lock(mutex_);
        return mixer_ ? mixer_->AddSample(std::move(data), maxPlaybacks, flags) : kNoAudio;
    }
    bool SampleFree(AudioHandle sample) override {
        return WithMixer([&](AudioMixer& m) { return m.FreeSample(sample); });
    }
    AudioHandle SampleGetChannel(AudioHandle sample) override {
        return WithMixer([&](AudioMixer& m) { return m.GetChannel(sample); });
    }
    bool SampleStop(AudioHandle sample) override {
        return WithMixer([&](AudioMixer& m) { return m.StopSample(sample); });
    }

    bool ChannelPlay(AudioHandle channel, bool restart) override {
        return WithMixer([&](AudioMixer& m) { return m.Play(channel, restart); });
    }
    bool ChannelStop(AudioHandle channel) override {
        return WithMixer([&](AudioMixer& m) { return m.Stop(channel); });
    }
    bool ChannelSetAttributes(AudioHandle channel, int32_t rate, int32_t volume, int32_t pan) override {
        return WithMixer([&](AudioMixer& m) { return m.SetAttributes(channel, rate, volume, pan); });
    }
    bool ChannelGetAttributes(AudioHandle channel, int32_t* rate, int32_t* volume, int32_t* pan) const override {
        return WithMixer([&](AudioMixer& m) { return m.GetAttributes(channel, rate, volume, pan); });
    }
    bool ChannelSlideAttributes(AudioHandle channel, int32_t rate, int32_t volume, int32_t pan,
                                int32_t timeMs) override {
        return WithMixer([&](AudioMixer& m) { return m.Slide(channel, rate, volume, pan, timeMs); });
    }
    uint32_t ChannelIsSliding(AudioHandle channel) const override {
        return WithMixer([&](AudioMixer& m) { return m.IsSliding(channel); });
    }
    ChannelState ChannelIsActive(AudioHandle channel) const override {
        return WithMixer([&](AudioMixer& m) { return m.IsActive(channel); });
    }
    int64_t ChannelGetPosition(AudioHandle channel) const override {
        std::lock_guard lock(mutex_);
        return mixer_ ? mixer_->GetPosition(channel) : -1;
    }
    bool ChannelSetPosition(AudioHandle channel, int64_t position) override {
        return WithMixer([&](AudioMixer& m) { return m.SetPosition(channel, position); });
    }

    std::vector<float> RenderFrames(int32_t frames) override {
        std::lock_guard lock(mutex_);
        if (output_ != AudioOutput::Null || !mixer_ || frames <= 0) return {};
        std::vector<float> out(2 * static_cast<size_t>(frames));
        mixer_->Render(out.data(), frames);
        return out;
    }

private:
    // Runs `fn` on the mixer under the lock; a layer that is not started answers with the
    // result type's zero (false, 0, "stopped").
    template <typename Fn>
    auto WithMixer(Fn fn) const -> decltype(fn(std::declval<AudioMixer&>())) {
        std::lock_guard lock(mutex_);
        if (!mixer_) return {};
        return fn(*mixer_);
    }

    bool Started() const {
        std::lock_guard lock(mutex_);
        return mixer_ != nullptr;
    }

    bool SetPaused(bool paused) {
        std::lock_guard lock(mutex_);
        if (!mixer_) return false;
        mixer_->SetPaused(paused);
        return true;
    }

    bool OpenDevice(int32_t rate, int32_t& latencyMs) {
        if (!sdl::InitSubsystem(SDL_INIT_AUDIO)) return false;
        int32_t ms = std::min(GetConfig(kConfigBufferMs), kMaxDeviceBufferMs);
        Uint16 frames = 256;
        while (frames < 8192 && frames * 1000 < rate * ms) frames = static_cast<Uint16>(frames * 2);
        SDL_AudioSpec want{};
        want.freq = rate;
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        want.samples = frames;
        want.callback = &MixerAudio::Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        // No changes allowed: SDL converts our float stereo to whatever the device takes.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (!device_) {
            sdl::QuitSubsystem(SDL_INIT_AUDIO);
            return false;
        }
        latencyMs = static_cast<int32_t>(have.samples * 1000 / std::max(1, have.freq));
        return true;
    }

    static void Callback(void* user, Uint8* stream, int len) {
        auto* self = static_cast<MixerAudio*>(user);
        std::lock_guard lock(self->mutex_);
        int frames = len / static_cast<int>(2 * sizeof(float));
        if (self->mixer_) {
            self->mixer_->Render(reinterpret_cast<float*>(stream), frames);
        } else {
            std::memset(stream, 0, static_cast<size_t>(len));
        }
    }

    const AudioOutput output_;
    mutable std::mutex mutex_;
    std::unique_ptr<AudioMixer> mixer_;  // null while not started
    AudioDeviceInfo info_;
    int32_t bufferMs_ = kStartBufferMs;
    SDL_AudioDeviceID device_ = 0;
};

}  // namespace

AudioOutput DefaultAudioOutput() {
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    return driver && std::strcmp(driver, "dummy") == 0 ? AudioOutput::Null : AudioOutput::Device;
}

std::shared_ptr<Audio> CreateAudio(AudioOutput output) { return std::make_shared<MixerAudio>(output); }

}  // namespace plm::platform
