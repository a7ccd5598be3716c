#pragma once
// Sound samples in numbered slots (the sample table of the engine state); each slot may sound
// several times at once. Members other than Play and PlayPan act on all of the slot's playbacks.
#include <cstdint>
#include <string>

namespace plm {

class Sample {
public:
    // Loads EnginePath + FileNameOnly into slot Index (1..kMaxSoundSlots) so that up to Instances
    // playbacks sound at once; a further one takes over the longest playing.
    bool Load(int32_t Index, const std::string& FileNameOnly, int32_t Instances, bool LoopSample);
    // Pan 0 (left) .. 50 (centre) .. 100 (right).
    void Play(int32_t Index, int32_t Volume, int32_t Pan);
    // The pan from a screen x over Bass.PanWidth; Freq 0 keeps the sample's rate.
    void PlayPan(int32_t Index, float XPos, int32_t Volume, int32_t Freq);
    void StopSample(int32_t Index);
    void FadeIn(int32_t Index, int32_t FadeToVolume, int32_t FadeSpeedMS);
    void FadeOut(int32_t Index, int32_t FadeSpeedMS);
    bool IsFading(int32_t Index);
    bool IsPlaying(int32_t Index);
    int32_t Volume(int32_t Index);
    void Volume(int32_t Index, int32_t value);
    int32_t Frequency(int32_t Index);
    void Frequency(int32_t Index, int32_t value);
    // Bytes into the sample's data, as its file holds it.
    int32_t Position(int32_t Index);
    void Position(int32_t Index, int32_t value);

    static constexpr int32_t kLoadFlags = 0x20040;

private:
    void FreeSampleSlot(int32_t Index);
};

}  // namespace plm
