// modrender MODULE OUT.wav [SECONDS]: plays a module through libopenmpt into a 16-bit stereo WAV,
// so the music can be reviewed like the samples (spectrogram, listening).
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: modrender MODULE OUT.wav [SECONDS]\n");
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        openmpt::module mod(data);
        double seconds = argc > 3 ? std::atof(argv[3]) : mod.get_duration_seconds() * 2;  // two loops
        mod.set_repeat_count(-1);
        size_t frames = static_cast<size_t>(seconds * 44100);
        std::vector<float> l(frames), r(frames);
        mod.read(44100, frames, l.data(), r.data());
        std::string o = "RIFF";
        auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) o += static_cast<char>((v >> (8 * i)) & 255); };
        auto u16 = [&](uint16_t v) { o += static_cast<char>(v & 255); o += static_cast<char>(v >> 8); };
        u32(static_cast<uint32_t>(36 + frames * 4));
        o += "WAVEfmt ";
        u32(16); u16(1); u16(2); u32(44100); u32(44100 * 4); u16(4); u16(16);
        o += "data";
        u32(static_cast<uint32_t>(frames * 4));
        for (size_t i = 0; i < frames; ++i)
            for (float s : {l[i], r[i]}) u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767))));
        std::ofstream out(argv[2], std::ios::binary);
        out << o;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modrender: %s\n", e.what());
        return 1;
    }
    return 0;
}
