#pragma once
// Internal to the audio layer: the mix state and the mixer. It holds every sample, playback
// channel and module by handle, and renders all playing channels into an interleaved stereo
// float buffer. It does no locking: its owner serialises every call (the engine's thread and the
// output's thread share it under one lock).
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/Audio.h"
#include "platform/audio/AudioFiles.h"

namespace plm::platform {

class AudioMixer {
public:
    explicit AudioMixer(int32_t outputRate);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    int32_t OutputRate() const { return outputRate_; }

    AudioHandle AddSample(SampleData data, int32_t maxPlaybacks, uint32_t flags);
    AudioHandle AddMusic(std::unique_ptr<openmpt::module> module, uint32_t flags);
    bool FreeSample(AudioHandle sample);
    bool FreeMusic(AudioHandle music);
    AudioHandle GetChannel(AudioHandle sample);
    bool StopSample(AudioHandle sample);

    bool Play(AudioHandle h, bool restart);
    bool Stop(AudioHandle h);
    bool SetAttributes(AudioHandle h, int32_t rate, int32_t volume, int32_t pan);
    bool GetAttributes(AudioHandle h, int32_t* rate, int32_t* volume, int32_t* pan) const;
    bool Slide(AudioHandle h, int32_t rate, int32_t volume, int32_t pan, int32_t timeMs);
    uint32_t IsSliding(AudioHandle h) const;
    ChannelState IsActive(AudioHandle h) const;
    int64_t GetPosition(AudioHandle h) const;
    bool SetPosition(AudioHandle h, int64_t position);

    // While paused nothing advances and Render gives silence; playing channels report "paused".
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }

    // Overwrites out[0 .. 2 * frames) with the next frames of the mix.
    void Render(float* out, int32_t frames);

private:
    enum Attr { AttrRate = 0, AttrVolume = 1, AttrPan = 2 };
    struct SlideState {
        bool active = false;
        double from = 0, to = 0;
        int64_t elapsed = 0, length = 0;  // in output frames
    };
    // What every kind of channel has: attributes, their slides, and whether it plays.
    struct ChannelCore {
        std::array<double, 3> attr{};  // rate Hz, volume 0..100, pan -100..100
        std::array<SlideState, 3> slides{};
        double defaultRate = 44100;
        bool stopAtSlideEnd = false;  // the volume slide ends in a stop
        bool playing = false;
        uint64_t started = 0;  // serial of the last start, to find the longest playing
    };
    struct Voice {
        AudioHandle sample = kNoAudio;
        ChannelCore core;
        double pos = 0;  // in frames of the sample's data
    };
    struct SampleObject {
        SampleData data;
        int32_t maxPlaybacks = 1;
        uint32_t flags = 0;
        ChannelCore defaults;       // attributes a new channel starts with
        std::vector<AudioHandle> voices;  // in order of creation
    };
    struct MusicObject {
        std::unique_ptr<openmpt::module> module;
        uint32_t flags = 0;
        ChannelCore core;
        double appliedRate = 0;  // the rate the module's tempo and pitch were last set for
    };

    // The channels a handle stands for: one channel or module, or every channel of a sample.
    std::vector<ChannelCore*> Targets(AudioHandle h);
    // The channel whose attributes a query reports.
    const ChannelCore* QueryTarget(AudioHandle h) const;
    const Voice* NewestVoice(const SampleObject& s) const;
    void StartCore(ChannelCore& c);
    void Advance(ChannelCore& c, int64_t frames);
    // Output frames until the first running slide ends (a chunk of the mix never crosses one).
    int64_t FramesToNextSlideEnd() const;
    // Left and right gains over a chunk: from the attributes at its start to those at its end.
    struct GainRamp {
        float left = 0, right = 0, leftStep = 0, rightStep = 0;
    };
    GainRamp RampOver(const ChannelCore& c, int32_t frames) const;
    void MixVoice(Voice& v, const SampleObject& s, float* out, int32_t frames);
    void MixMusic(MusicObject& m, float* out, int32_t frames);
    void ApplyRate(MusicObject& m);
    void RemoveVoice(AudioHandle voice);

    int32_t outputRate_;
    bool paused_ = false;
    uint64_t startSerial_ = 0;
    std::map<AudioHandle, SampleObject> samples_;
    std::map<AudioHandle, Voice> voices_;
    std::map<AudioHandle, MusicObject> music_;
    std::vector<float> scratch_;
};

// The next handle of this process: handles are never reused, so a stale one can never alias.
AudioHandle NextAudioHandle();

}  // namespace plm::platform
