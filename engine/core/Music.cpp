#include "core/Music.h"

#include "core/EngineState.h"
#include "core/Paths.h"
#include "core/SoundProcs.h"

namespace plm {
namespace {
uint32_t HandleOf(int32_t index) { return State().MusicTable(index).Handle; }
}  // namespace

bool Music::Load(int32_t Index, const std::string& FileNameOnly, bool LoopMusic) {
    EngineState& s = State();
    const int32_t flags = kLoadFlags | (LoopMusic ? platform::kAudioLoop : 0);
    SoundSlot* slot = SlotForLoad(s.MusicTable, s.MusicCount, Index);
    if (!slot) return false;
    if (slot->Handle != 0) {
        StopMusic(Index);
        FreeMusicSlot(Index);
    }
    platform::Audio& audio = SoundLayer();
    slot->Handle = audio.MusicLoad(FilePath(FileNameOnly), static_cast<uint32_t>(flags));
    slot->Volume = static_cast<float>(ChannelVolume(slot->Handle));
    if (slot->Handle == 0) return false;
    slot->Flags = flags;
    return true;
}

void Music::FreeMusicSlot(int32_t Index) { SoundLayer().MusicFree(HandleOf(Index)); }

void Music::Play(int32_t Index, bool FromStart) { SoundLayer().ChannelPlay(HandleOf(Index), FromStart); }
void Music::StopMusic(int32_t Index) { SoundLayer().ChannelStop(HandleOf(Index)); }

void Music::FadeIn(int32_t Index, int32_t FadeToVolume, int32_t FadeSpeedMS, bool FromStart) {
    FadeInChannel(HandleOf(Index), FadeToVolume, FadeSpeedMS, FromStart);
}
void Music::FadeOut(int32_t Index, int32_t FadeSpeedMS) { FadeOutChannel(HandleOf(Index), FadeSpeedMS); }
bool Music::IsFading(int32_t Index) { return ChannelIsFading(HandleOf(Index)); }
bool Music::IsPlaying(int32_t Index) { return ChannelIsPlaying(HandleOf(Index)); }

int32_t Music::Volume(int32_t Index) { return ChannelVolume(HandleOf(Index)); }
void Music::Volume(int32_t Index, int32_t value) { SetChannelVolume(HandleOf(Index), value); }

int32_t Music::Position(int32_t Index) { return ChannelPosition(HandleOf(Index)); }
void Music::Position(int32_t Index, int32_t value) { SetChannelPosition(HandleOf(Index), value); }

}  // namespace plm
