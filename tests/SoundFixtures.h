#pragma once
// Sound files made from code for the sound tests and the mixer benchmark: WAV files and a tiny
// 4-channel module. Nothing here depends on the test framework.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace plmtest {

inline void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void PutBE16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

// A 16-bit PCM WAV file of interleaved samples.
inline std::string MakeWav(const std::vector<int16_t>& samples, int channels = 1, int rate = 44100) {
    std::string data;
    for (int16_t s : samples) PutLE(data, static_cast<uint16_t>(s), 2);
    std::string out = "RIFF";
    PutLE(out, static_cast<uint32_t>(36 + data.size()), 4);
    out += "WAVEfmt ";
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);  // PCM
    PutLE(out, static_cast<uint32_t>(channels), 2);
    PutLE(out, static_cast<uint32_t>(rate), 4);
    PutLE(out, static_cast<uint32_t>(rate * channels * 2), 4);
    PutLE(out, static_cast<uint32_t>(channels * 2), 2);
    PutLE(out, 16, 2);
    out += "data";
    PutLE(out, static_cast<uint32_t>(data.size()), 4);
    return out + data;
}

// A mono WAV holding one level throughout (16384 = 0.5 of full scale), `frames` long.
inline std::string MakeLevelWav(int frames, int16_t level = 16384, int rate = 44100) {
    return MakeWav(std::vector<int16_t>(static_cast<size_t>(frames), level), 1, rate);
}

// A mono WAV of a sine tone.
inline std::string MakeToneWav(int frames, double hz, int rate = 44100) {
    std::vector<int16_t> s(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) s[static_cast<size_t>(i)] = static_cast<int16_t>(12000 * std::sin(6.283185307 * hz * i / rate));
    return MakeWav(s, 1, rate);
}

// A 4-channel module ("M.K.") of two orders, patterns 0 and 1, each 8 rows long at speed 1
// (20 ms a row, so 160 ms an order). Pattern 0 starts a looping square-wave note on channel 1;
// pattern 1 sets that channel's volume to 0, so order 1 is silent. The song then starts over.
inline std::string MakeTinyMod() {
    std::string out(20, '\0');
    out.replace(0, 4, "tiny");
    const int sampleWords = 32;  // 64 bytes
    for (int i = 0; i < 31; ++i) {
        std::string name(22, '\0');
        out += name;
        PutBE16(out, i == 0 ? sampleWords : 0);  // length in words
        out.push_back('\0');                     // finetune
        out.push_back(static_cast<char>(i == 0 ? 64 : 0));  // volume
        PutBE16(out, 0);                                    // repeat start
        PutBE16(out, i == 0 ? sampleWords : 1);             // repeat length
    }
    out.push_back(2);    // song length
    out.push_back(127);  // restart byte
    std::string orders(128, '\0');
    orders[1] = 1;
    out += orders;
    out += "M.K.";
    auto cell = [](int sample, int period, int effect, int param) {
        std::string c(4, '\0');
        c[0] = static_cast<char>((sample & 0xF0) | ((period >> 8) & 0x0F));
        c[1] = static_cast<char>(period & 0xFF);
        c[2] = static_cast<char>(((sample & 0x0F) << 4) | (effect & 0x0F));
        c[3] = static_cast<char>(param & 0xFF);
        return c;
    };
    for (int pattern = 0; pattern < 2; ++pattern) {
        for (int row = 0; row < 64; ++row) {
            for (int ch = 0; ch < 4; ++ch) {
                std::string c(4, '\0');
                if (row == 0 && ch == 0) c = pattern == 0 ? cell(1, 214, 0xC, 64) : cell(0, 0, 0xC, 0);
                if (row == 0 && ch == 1) c = cell(0, 0, 0xF, 1);  // speed 1
                if (row == 7 && ch == 1) c = cell(0, 0, 0xD, 0);  // next order
                out += c;
            }
        }
    }
    for (int i = 0; i < sampleWords * 2; ++i) out.push_back(static_cast<char>(i < sampleWords ? 100 : -100));
    return out;
}

// Largest absolute value of one side (0 left, 1 right) of interleaved stereo frames [from, to).
inline float Peak(const std::vector<float>& mix, int side, size_t from = 0, size_t to = SIZE_MAX) {
    float peak = 0;
    to = std::min(to, mix.size() / 2);
    for (size_t i = from; i < to; ++i) peak = std::max(peak, std::fabs(mix[2 * i + static_cast<size_t>(side)]));
    return peak;
}

}  // namespace plmtest
