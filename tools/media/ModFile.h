#pragma once
// The classic four-channel, 31-instrument module ("M.K."): instruments, patterns of 64 rows and
// the order list, written in the format every tracker and module player reads.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace media {

constexpr int kModChannels = 4;
constexpr int kModRows = 64;
constexpr int kModNotes = 36;  // C-1 .. B-3

struct ModInstrument {
    std::string name;
    std::vector<int8_t> data;  // even length
    int volume = 64;           // 0..64
    int loopStart = 0, loopLength = 0;  // in bytes; 0 length = one-shot
};

struct ModCell {
    int note = -1;  // 0..35, -1 none
    int instrument = 0;
    int effect = 0, param = 0;
};

using ModPattern = std::array<std::array<ModCell, kModChannels>, kModRows>;

struct ModSong {
    std::string title;
    std::vector<ModInstrument> instruments;  // up to 31
    std::vector<ModPattern> patterns;
    std::vector<int> order;
};

int ModPeriod(int note);  // Amiga period of note 0..35 at finetune 0
void WriteMod(const std::string& path, const ModSong& song);

}  // namespace media
