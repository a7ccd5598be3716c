#pragma once
// The sound layer the engine talks to: start-up on the default output, pause and resume of all
// output, module music and sound samples in memory, playback channels with rate, volume and pan,
// background slides of those attributes, channel states and positions.
//
// One implementation mixes every channel itself into a float buffer (two channels, interleaved)
// and hands that mix to an output: the SDL audio device, or the null output, which plays nothing
// and renders the same mix only when asked (RenderFrames), so tests can read the samples.
//
// Handles are never reused within a process: a freed or taken-over object's handle is refused by
// every operation (false, 0 or -1), never aliased to a newer object. Handle 0 is "none".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plm::platform {

using AudioHandle = uint32_t;
constexpr AudioHandle kNoAudio = 0;

// The version number the layer reports: major 2 in the low 16 bits, minor 2 in the high 16 bits,
// the value the engine compares before it starts the layer.
constexpr uint32_t kAudioVersion = 0x00020002u;

// Start-up: the default output device.
constexpr int32_t kDefaultAudioDevice = -1;

// Load flags the layer acts on; other bits are accepted and ignored.
constexpr uint32_t kAudioLoop = 4;                   // the sample or module loops
constexpr uint32_t kSampleTakeOverOldest = 0x20000;  // a full sample takes over its longest playing channel

// "Keep" values of the attribute operations, and the slide target "to silence, then stop".
constexpr int32_t kKeepRate = -1;
constexpr int32_t kKeepVolume = -1;
constexpr int32_t kKeepPan = -101;
constexpr int32_t kSlideToSilenceAndStop = -2;

// Attribute ranges; values outside are clamped.
constexpr int32_t kMinVolume = 0, kMaxVolume = 100;
constexpr int32_t kMinPan = -100, kMaxPan = 100;
constexpr int32_t kMinRate = 100, kMaxRate = 192000;

// Bits of ChannelIsSliding.
constexpr uint32_t kSlidingRate = 1, kSlidingVolume = 2, kSlidingPan = 4;

// Results of ChannelIsActive. Every channel plays from memory, so none is ever stalled.
enum ChannelState : int32_t { ChannelStopped = 0, ChannelPlaying = 1, ChannelStalled = 2, ChannelPaused = 3 };

// Configuration options.
constexpr int32_t kConfigBufferMs = 0;  // playback buffer length in ms (10..5000, 500 at start)

// Capability bits of AudioDeviceInfo::flags.
constexpr int32_t kInfoContinuousRate = 0x10;  // any rate from minRate to maxRate
constexpr int32_t kInfoSoftwareMixing = 0x20;  // every channel is mixed in software

// What the output device offers; 14 signed 32-bit fields, in this order.
struct AudioDeviceInfo {
    int32_t flags = 0;
    int32_t hwSize = 0, hwFree = 0;  // hardware sound memory, bytes (none: all mixing is ours)
    int32_t freeSam = 0, free3d = 0;  // free hardware sample and 3D slots
    int32_t minRate = 0, maxRate = 0;  // Hz
    int32_t eax = 0;
    int32_t minBuf = 0;  // recommended minimum buffer length, ms
    int32_t dsVer = 0;
    int32_t latency = 0;  // delay before playback starts, ms
    int32_t initFlags = 0;  // the flags given to Init
    int32_t speakers = 0;
    int32_t driver = 0;  // reference to the driver name; 0: none
};

class Audio {
public:
    virtual ~Audio() = default;

    virtual uint32_t GetVersion() const = 0;
    // Starts the layer on the output device at `rate` Hz (8000..192000). A started layer is
    // freed first, so every earlier handle becomes stale. False when the output cannot start.
    virtual bool Init(int32_t device, int32_t rate, uint32_t flags, int32_t window) = 0;
    // Stops the output and frees every sample, channel and module. False when not started.
    virtual bool Free() = 0;
    // Pause and resume all output: nothing advances while paused.
    virtual bool Pause() = 0;
    virtual bool Start() = 0;
    // -1 for an unknown option.
    virtual int32_t GetConfig(int32_t option) const = 0;
    virtual bool SetConfig(int32_t option, int32_t value) = 0;
    // Fills the record when started; leaves it as it is otherwise.
    virtual bool GetInfo(AudioDeviceInfo& info) const = 0;

    // MOD, XM, S3M and IT modules; 0 when the file cannot be read or the layer is not started.
    virtual AudioHandle MusicLoad(const std::string& path, uint32_t flags) = 0;
    virtual bool MusicFree(AudioHandle music) = 0;
    // WAV files, converted to float at the output rate; up to `maxPlaybacks` channels at once.
    virtual AudioHandle SampleLoad(const std::string& path, int32_t maxPlaybacks, uint32_t flags) = 0;
    virtual bool SampleFree(AudioHandle sample) = 0;
    // A new playback channel of the sample, at the sample's attributes. When all its playbacks
    // are busy: with kSampleTakeOverOldest the longest playing one is taken over (its handle
    // becomes stale), without it 0.
    virtual AudioHandle SampleGetChannel(AudioHandle sample) = 0;
    virtual bool SampleStop(AudioHandle sample) = 0;

    // Channel operations take a playback channel or a module. Given a sample handle they act on
    // the sample's channels: attributes set the sample's own (for its next channels) and those of
    // every channel; slides, stops and positions act on every channel; play takes a new channel
    // and plays it; the queries answer for its most recently started channel (the state: playing
    // when any channel plays).
    virtual bool ChannelPlay(AudioHandle channel, bool restart) = 0;
    virtual bool ChannelStop(AudioHandle channel) = 0;
    virtual bool ChannelSetAttributes(AudioHandle channel, int32_t rate, int32_t volume, int32_t pan) = 0;
    // Out-values are written only on success; a null pointer skips that value.
    virtual bool ChannelGetAttributes(AudioHandle channel, int32_t* rate, int32_t* volume, int32_t* pan) const = 0;
    // Slides the attributes from where they stand to the targets over `timeMs` of output time.
    virtual bool ChannelSlideAttributes(AudioHandle channel, int32_t rate, int32_t volume, int32_t pan,
                                        int32_t timeMs) = 0;
    virtual uint32_t ChannelIsSliding(AudioHandle channel) const = 0;
    virtual ChannelState ChannelIsActive(AudioHandle channel) const = 0;
    // Modules: order in the low 16 bits, row in the high 16 bits. Samples: bytes of the sample's
    // data as the file holds it. -1 on a refused handle.
    virtual int64_t ChannelGetPosition(AudioHandle channel) const = 0;
    virtual bool ChannelSetPosition(AudioHandle channel, int64_t position) = 0;

    // Null output: mixes the next `frames` frames and returns them (left, right, ...). A device
    // output plays the mix itself and returns nothing here; so does a layer that is not started.
    virtual std::vector<float> RenderFrames(int32_t frames) = 0;
};

enum class AudioOutput { Device, Null };

// The output the engine starts with: the null output when SDL_AUDIODRIVER is "dummy" (as in the
// test runs), the SDL audio device otherwise. Tests may put a layer of their choice into the
// engine state before the engine starts sound.
AudioOutput DefaultAudioOutput();
std::shared_ptr<Audio> CreateAudio(AudioOutput output);

}  // namespace plm::platform
