#include "ModFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "FileOut.h"

namespace media {

int ModPeriod(int note) {
    static const int periods[kModNotes] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
    return periods[std::clamp(note, 0, kModNotes - 1)];
}

void WriteMod(const std::string& path, const ModSong& song) {
    if (song.instruments.size() > 31 || song.order.empty() || song.order.size() > 128)
        throw std::runtime_error("module out of bounds: " + path);
    std::string o;
    auto text = [&](const std::string& s, size_t n) {
        for (size_t i = 0; i < n; ++i) o += i < s.size() ? s[i] : '\0';
    };
    auto be16 = [&](int v) {
        o += static_cast<char>((v >> 8) & 255);
        o += static_cast<char>(v & 255);
    };
    text(song.title, 20);
    for (int i = 0; i < 31; ++i) {
        ModInstrument ins = i < static_cast<int>(song.instruments.size()) ? song.instruments[i] : ModInstrument{};
        text(ins.name, 22);
        be16(static_cast<int>(ins.data.size() / 2));
        o += '\0';  // finetune
        o += static_cast<char>(std::clamp(ins.volume, 0, 64));
        if (ins.loopLength > 0) {
            be16(ins.loopStart / 2);
            be16(ins.loopLength / 2);
        } else {
            be16(0);
            be16(1);
        }
    }
    o += static_cast<char>(song.order.size());
    o += static_cast<char>(127);
    int maxPattern = 0;
    for (int i = 0; i < 128; ++i) {
        int p = i < static_cast<int>(song.order.size()) ? song.order[i] : 0;
        maxPattern = std::max(maxPattern, p);
        o += static_cast<char>(p);
    }
    o += "M.K.";
    for (int p = 0; p <= maxPattern; ++p) {
        const ModPattern& pat = song.patterns.at(p);
        for (const auto& row : pat)
            for (const ModCell& c : row) {
                int period = c.note >= 0 ? ModPeriod(c.note) : 0;
                o += static_cast<char>((c.instrument & 0xf0) | ((period >> 8) & 0x0f));
                o += static_cast<char>(period & 0xff);
                o += static_cast<char>(((c.instrument & 0x0f) << 4) | (c.effect & 0x0f));
                o += static_cast<char>(c.param & 0xff);
            }
    }
    for (const ModInstrument& ins : song.instruments)
        for (int8_t s : ins.data) o += static_cast<char>(s);
    WriteWhole(path, o);
}

}  // namespace media
