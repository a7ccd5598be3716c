#include "core/SoundProcs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/Convert.h"
#include "core/EngineState.h"

namespace plm {

platform::Audio& SoundLayer() {
    EngineState& s = State();
    if (!s.Audio) s.Audio = platform::CreateAudio(platform::DefaultAudioOutput());
    return *s.Audio;
}

bool InitBass(int32_t window, int32_t rate) {
    EngineState& s = State();
    s.SoundReady = false;
    platform::Audio& audio = SoundLayer();
    if (audio.GetVersion() != static_cast<uint32_t>(MakeLong(2, 2))) return false;
    if (!audio.Init(platform::kDefaultAudioDevice, rate, 0, window)) return false;
    s.MusicCount = 0;
    s.SampleCount = 0;
    s.SoundReady = true;
    return true;
}

void FreeBass() {
    if (State().SoundReady) SoundLayer().Free();
}

void PauseSoundOutput() {
    if (State().SoundReady) SoundLayer().Pause();
}

void ResumeSoundOutput() {
    if (State().SoundReady) SoundLayer().Start();
}

int32_t SetChannelPosition(uint32_t handle, int32_t position) {
    int64_t pos = static_cast<int64_t>(static_cast<uint32_t>(position));
    return SoundLayer().ChannelSetPosition(handle, pos) ? 1 : 0;
}

int32_t MakeLong(int32_t low, int32_t high) {
    return static_cast<int32_t>((static_cast<uint32_t>(low) & 0xFFFFu) | (static_cast<uint32_t>(high) << 16));
}

SoundSlot* SlotForLoad(Table<SoundSlot>& table, int32_t& count, int32_t index) {
    if (index < 1 || index > kMaxSoundSlots) return nullptr;
    if (index > count) {
        count = index;
        table.grow(index);
    }
    return table.find(index);
}

void FadeInChannel(uint32_t handle, int32_t volume, int32_t ms, bool fromStart) {
    platform::Audio& audio = SoundLayer();
    audio.ChannelSetAttributes(handle, platform::kKeepRate, 0, platform::kKeepPan);
    audio.ChannelPlay(handle, fromStart);
    audio.ChannelSlideAttributes(handle, platform::kKeepRate, volume, platform::kKeepPan, ms);
}

void FadeOutChannel(uint32_t handle, int32_t ms) {
    SoundLayer().ChannelSlideAttributes(handle, platform::kKeepRate, platform::kSlideToSilenceAndStop,
                                        platform::kKeepPan, ms);
}

bool ChannelIsFading(uint32_t handle) { return (SoundLayer().ChannelIsSliding(handle) & platform::kSlidingVolume) != 0; }

bool ChannelIsPlaying(uint32_t handle) { return (SoundLayer().ChannelIsActive(handle) & 1) != 0; }

void SetChannelVolume(uint32_t handle, int32_t volume) {
    SoundLayer().ChannelSetAttributes(handle, platform::kKeepRate, volume, platform::kKeepPan);
}

int32_t ChannelVolume(uint32_t handle) {
    int32_t volume = 0;
    SoundLayer().ChannelGetAttributes(handle, nullptr, &volume, nullptr);
    return volume;
}

int32_t ChannelPosition(uint32_t handle) {
    return static_cast<int32_t>(static_cast<uint64_t>(SoundLayer().ChannelGetPosition(handle)) & 0xFFFFFFFFu);
}

int32_t BalanceToPan(int32_t pan) {
    int64_t v = static_cast<int64_t>(pan) * 2 - 100;
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t ScreenXToPan(float x, float width) {
    if (width == 0) return 0;
    double pan = static_cast<double>(x) / width * 200.0 - 100.0;
    if (std::isnan(pan)) return 0;
    return RoundHalfEven(std::clamp(pan, -100.0, 100.0));
}

}  // namespace plm
