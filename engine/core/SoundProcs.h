#pragma once
// The sound side of the engine's lifetime, and the procedures Bass, Music and Sample share.
#include <cstdint>

#include "core/SoundSlot.h"
#include "core/Table.h"
#include "platform/Audio.h"

namespace plm {

// The audio layer of the engine state, made on first use with the default output.
platform::Audio& SoundLayer();

// Starts the audio layer on the default output at `rate` after checking its version; on success
// the music and sample counts are 0 and SoundReady is true.
bool InitBass(int32_t window, int32_t rate);
// Frees the audio layer while SoundReady is set (the flag stays set); freeing twice is harmless,
// as the layer refuses the second call.
void FreeBass();
// Pause and resume all output, only while SoundReady is set (the lost-device path).
void PauseSoundOutput();
void ResumeSoundOutput();

// Sets a channel's position from a 32-bit value (its bits as the low half of the position);
// 1 when the layer accepted it, else 0.
int32_t SetChannelPosition(uint32_t handle, int32_t position);
// (low and 0xFFFF) or (high shifted left by 16 bits).
int32_t MakeLong(int32_t low, int32_t high);

// What Music and Sample do alike with a slot's handle.
// The highest slot number a load accepts. The tables grow to the slot loaded, so a wrong, huge
// number would otherwise ask for gigabytes and end the program instead of being refused.
inline constexpr int32_t kMaxSoundSlots = 65536;
// The first steps of a load into slot `index` (1..kMaxSoundSlots): grows the table and the count
// to reach it and returns the slot, or null (nothing changed) for an index outside that range.
SoundSlot* SlotForLoad(Table<SoundSlot>& table, int32_t& count, int32_t index);
// Volume 0, play (from the start or on), then a volume slide to `volume` over `ms`.
void FadeInChannel(uint32_t handle, int32_t volume, int32_t ms, bool fromStart);
// A volume slide to silence over `ms`, then the channel stops.
void FadeOutChannel(uint32_t handle, int32_t ms);
bool ChannelIsFading(uint32_t handle);
// Playing or paused.
bool ChannelIsPlaying(uint32_t handle);
void SetChannelVolume(uint32_t handle, int32_t volume);
// The channel's volume, or 0 when the layer reports nothing.
int32_t ChannelVolume(uint32_t handle);
// The low 32 bits of the channel's position.
int32_t ChannelPosition(uint32_t handle);

// The layer's pan for a balance 0 (left) .. 50 (centre) .. 100 (right): Pan x 2 - 100, unclamped.
int32_t BalanceToPan(int32_t pan);
// The layer's pan for a screen x over a pan width: x / width x 200 - 100 rounded half to even and
// limited to -100..100. A width of 0 gives the centre.
int32_t ScreenXToPan(float x, float width);

}  // namespace plm
