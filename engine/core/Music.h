#pragma once
// Music modules in numbered slots (the music table of the engine state): load, play, fade, stop,
// volume and position by slot number.
#include <cstdint>
#include <string>

namespace plm {

class Music {
public:
    // Loads EnginePath + FileNameOnly into slot Index (1..kMaxSoundSlots), freeing what the slot
    // held.
    bool Load(int32_t Index, const std::string& FileNameOnly, bool LoopMusic);
    void Play(int32_t Index, bool FromStart);
    void StopMusic(int32_t Index);
    void FadeIn(int32_t Index, int32_t FadeToVolume, int32_t FadeSpeedMS, bool FromStart);
    void FadeOut(int32_t Index, int32_t FadeSpeedMS);
    bool IsFading(int32_t Index);
    bool IsPlaying(int32_t Index);
    int32_t Volume(int32_t Index);
    void Volume(int32_t Index, int32_t value);
    // Order in the low 16 bits, row in the high 16 bits.
    int32_t Position(int32_t Index);
    void Position(int32_t Index, int32_t value);

    static constexpr int32_t kLoadFlags = 0x28200;

private:
    void FreeMusicSlot(int32_t Index);
};

}  // namespace plm
