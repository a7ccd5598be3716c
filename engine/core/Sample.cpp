#include "core/Sample.h"

#include "core/EngineState.h"
#include "core/Paths.h"
#include "core/SoundProcs.h"

namespace plm {
namespace {

uint32_t HandleOf(int32_t index) { return State().SampleTable(index).Handle; }

// A new playback of the sample at these attributes, from its start.
void PlayChannel(uint32_t sample, int32_t rate, int32_t volume, int32_t pan) {
    platform::Audio& audio = SoundLayer();
    platform::AudioHandle channel = audio.SampleGetChannel(sample);
    audio.ChannelSetAttributes(channel, rate, volume, pan);
    audio.ChannelPlay(channel, true);
}

}  // namespace

bool Sample::Load(int32_t Index, const std::string& FileNameOnly, int32_t Instances, bool LoopSample) {
    EngineState& s = State();
    const int32_t flags = kLoadFlags | (LoopSample ? platform::kAudioLoop : 0);
    SoundSlot* slot = SlotForLoad(s.SampleTable, s.SampleCount, Index);
    if (!slot) return false;
    if (slot->Handle != 0) {
        StopSample(Index);
        FreeSampleSlot(Index);
    }
    slot->Handle = SoundLayer().SampleLoad(FilePath(FileNameOnly), Instances, static_cast<uint32_t>(flags));
    if (slot->Handle == 0) return false;
    slot->Flags = flags;
    return true;
}

void Sample::FreeSampleSlot(int32_t Index) { SoundLayer().SampleFree(HandleOf(Index)); }

void Sample::Play(int32_t Index, int32_t Volume, int32_t Pan) {
    PlayChannel(HandleOf(Index), platform::kKeepRate, Volume, BalanceToPan(Pan));
}

void Sample::PlayPan(int32_t Index, float XPos, int32_t Volume, int32_t Freq) {
    int32_t pan = ScreenXToPan(XPos, State().SoundPanWidth);
    PlayChannel(HandleOf(Index), Freq == 0 ? platform::kKeepRate : Freq, Volume, pan);
}

void Sample::StopSample(int32_t Index) { SoundLayer().SampleStop(HandleOf(Index)); }

void Sample::FadeIn(int32_t Index, int32_t FadeToVolume, int32_t FadeSpeedMS) {
    FadeInChannel(HandleOf(Index), FadeToVolume, FadeSpeedMS, true);
}
void Sample::FadeOut(int32_t Index, int32_t FadeSpeedMS) { FadeOutChannel(HandleOf(Index), FadeSpeedMS); }
bool Sample::IsFading(int32_t Index) { return ChannelIsFading(HandleOf(Index)); }
bool Sample::IsPlaying(int32_t Index) { return ChannelIsPlaying(HandleOf(Index)); }

int32_t Sample::Volume(int32_t Index) { return ChannelVolume(HandleOf(Index)); }
void Sample::Volume(int32_t Index, int32_t value) { SetChannelVolume(HandleOf(Index), value); }

int32_t Sample::Frequency(int32_t Index) {
    int32_t rate = 0;
    SoundLayer().ChannelGetAttributes(HandleOf(Index), &rate, nullptr, nullptr);
    return rate;
}
void Sample::Frequency(int32_t Index, int32_t value) {
    SoundLayer().ChannelSetAttributes(HandleOf(Index), value, platform::kKeepVolume, platform::kKeepPan);
}

int32_t Sample::Position(int32_t Index) { return ChannelPosition(HandleOf(Index)); }
void Sample::Position(int32_t Index, int32_t value) { SetChannelPosition(HandleOf(Index), value); }

}  // namespace plm
