#pragma once
#include <cstdint>

namespace plm {

// One slot of the music or sample table (owned by Music and Sample).
struct SoundSlot {
    uint32_t Handle = 0;  // the audio layer's handle; 0 = empty or failed
    float Volume = 0;     // music: the channel volume read right after a successful load
    int32_t Unused1 = 0, Unused2 = 0;
    int32_t Flags = 0;  // the load flags, written after a successful load
};

}  // namespace plm
