// mksounds DIR: synthesises the game's sixteen sound effects as 16-bit, 44100 Hz WAV files.
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "MediaLayout.h"
#include "Synth.h"

using namespace media;

namespace {

double Midi(double n) { return 440.0 * std::pow(2.0, (n - 69) / 12); }

// A glassy bell: inharmonic partials with their own decays.
Buffer Bell(double f, double seconds, double decay, double bright = 1.0) {
    Buffer b = Silence(seconds);
    const double ratios[4] = {1.0, 2.76, 5.40, 8.93};
    const double gains[4] = {1.0, 0.55, 0.3, 0.15};
    for (int i = 0; i < 4; ++i) {
        if (f * ratios[i] > 15000) break;  // keep every partial well below the Nyquist limit
        Tone t;
        t.f0 = t.f1 = f * ratios[i];
        t.seconds = seconds;
        t.attack = 0.003;
        t.decay = decay / (1 + i * 0.7);
        t.gain = gains[i] * (i ? bright : 1.0);
        MixInto(b, Render(t), 0);
    }
    return b;
}

Buffer GlassTick() {
    Buffer b = Bell(2350, 0.28, 0.22);
    MixInto(b, Bell(3120, 0.2, 0.12, 0.6), 0.004, 0.5f);
    NoiseBurst n{0.03, 0.0005, 0.015, 6000, 6000, 2, 0.35, 3};
    MixInto(b, Render(n), 0);
    return b;
}

Buffer Break() {
    Buffer b = Silence(0.55);
    NoiseBurst crash{0.35, 0.001, 0.18, 7000, 3000, 0.8, 0.6, 11};
    MixInto(b, Render(crash), 0);
    Tone thump{Wave::Sine, 180, 70, 0.2, 0.002, 0.12, 0.7};
    MixInto(b, Render(thump), 0);
    const double shards[7] = {2900, 3700, 2500, 4300, 3300, 5100, 2700};
    for (int i = 0; i < 7; ++i) MixInto(b, Bell(shards[i], 0.2, 0.1, 0.8), 0.012 + i * 0.037, 0.45f - i * 0.04f);
    return b;
}

Buffer Firework(double boomFreq, double seconds, uint32_t seed, double crackles) {
    Buffer b = Silence(seconds);
    NoiseBurst whoosh{0.18, 0.12, 0.08, 900, 3500, 1.5, 0.25, seed};
    MixInto(b, Render(whoosh), 0);
    Tone boom{Wave::Sine, boomFreq, boomFreq * 0.45, 0.7, 0.003, 0.45, 0.9};
    MixInto(b, Render(boom), 0.16);
    NoiseBurst blast{0.9, 0.002, 0.5, 1500, 300, 0.7, 0.8, seed + 1};
    MixInto(b, Render(blast), 0.16);
    Noise rnd(seed + 2);
    for (int i = 0; i < crackles; ++i) {
        double at = 0.3 + (rnd.Next() * 0.5 + 0.5) * (seconds - 0.45);
        NoiseBurst c{0.02, 0.0005, 0.012, 5000 + 2000 * rnd.Next(), 5000, 2, 0.35, seed + 10 + i};
        MixInto(b, Render(c), at);
    }
    return b;
}

Buffer Nope() {
    Buffer b = Silence(0.14);
    Tone t{Wave::Triangle, 520, 300, 0.12, 0.001, 0.07, 0.9};
    MixInto(b, Render(t), 0);
    Tone click{Wave::Sine, 1400, 900, 0.02, 0.0005, 0.01, 0.3};
    MixInto(b, Render(click), 0);
    LowPass(b, 3500);
    return b;
}

Buffer Explode() {
    Buffer b = Silence(1.4);
    Tone thump{Wave::Sine, 110, 38, 0.8, 0.002, 0.55, 1.0};
    MixInto(b, Render(thump), 0);
    NoiseBurst blast{1.3, 0.002, 0.8, 2500, 180, 0.6, 1.0, 21};
    MixInto(b, Render(blast), 0);
    NoiseBurst rumble{1.3, 0.05, 1.0, 160, 90, 0.9, 0.8, 22};
    MixInto(b, Render(rumble), 0.02);
    return b;
}

Buffer Pop(double f0, double f1) {
    Buffer b = Silence(0.12);
    Tone t{Wave::Sine, f0, f1, 0.09, 0.001, 0.06, 1.0};
    MixInto(b, Render(t), 0);
    NoiseBurst n{0.012, 0.0005, 0.006, 3000, 3000, 1, 0.4, 31};
    MixInto(b, Render(n), 0);
    return b;
}

Buffer Swish() {
    Buffer b = Silence(0.45);
    NoiseBurst n{0.42, 0.12, 0.25, 5000, 700, 2.5, 1.0, 41};
    MixInto(b, Render(n), 0);
    return b;
}

// Notes in sequence: (midi note, start seconds, length seconds).
Buffer Phrase(const std::vector<std::tuple<double, double, double>>& notes, Wave w, double decay, double seconds,
              double bright, double lowpass) {
    Buffer b = Silence(seconds);
    for (auto [n, at, len] : notes) {
        Tone t;
        t.wave = w;
        t.f0 = t.f1 = Midi(n);
        t.seconds = len;
        t.attack = 0.006;
        t.decay = decay;
        t.vibratoRate = 5.5;
        t.vibratoDepth = 0.08;
        MixInto(b, Render(t), at, 0.6f);
        if (bright > 0) MixInto(b, Bell(Midi(n + 12), std::min(len, 0.6), 0.4), at, static_cast<float>(0.35 * bright));
    }
    LowPass(b, lowpass);
    LowPass(b, lowpass * 1.5);
    return b;
}

Buffer Success() {
    return Phrase({{72, 0.0, 0.5}, {76, 0.09, 0.5}, {79, 0.18, 0.5}, {84, 0.27, 0.7}, {88, 0.36, 0.6}},
                  Wave::Triangle, 0.45, 1.1, 1.0, 9000);
}

Buffer GameOver() {
    Buffer b = Phrase({{67, 0.0, 0.45}, {66, 0.4, 0.45}, {65, 0.8, 0.45}, {64, 1.2, 1.2}}, Wave::Square, 0.8, 2.4, 0, 1800);
    Buffer low = Phrase({{43, 1.2, 1.2}, {40, 1.2, 1.2}}, Wave::Triangle, 1.0, 2.4, 0, 900);
    MixInto(b, low, 0, 0.8f);
    return b;
}

Buffer Fanfare() {
    std::vector<std::tuple<double, double, double>> lead = {
        {67, 0.0, 0.16}, {67, 0.16, 0.16}, {67, 0.32, 0.16}, {72, 0.48, 0.7}, {71, 1.2, 0.2},
        {72, 1.4, 0.2},  {74, 1.6, 0.2},   {76, 1.8, 0.9}};
    Buffer b = Phrase(lead, Wave::Saw, 0.6, 3.0, 0.4, 3200);
    Buffer chord = Phrase({{60, 1.8, 1.1}, {64, 1.8, 1.1}, {67, 1.8, 1.1}, {48, 1.8, 1.1}}, Wave::Saw, 1.2, 3.0, 0, 2200);
    MixInto(b, chord, 0, 0.7f);
    NoiseBurst cym{1.1, 0.002, 0.9, 8000, 6000, 0.7, 0.25, 51};
    MixInto(b, Render(cym), 1.8);
    return b;
}

Buffer Pickazo() {
    Buffer b = Silence(0.9);
    Tone sweep{Wave::Sine, 300, 2400, 0.35, 0.005, 0.3, 0.6, 2.0, 1.5, 0.2};
    MixInto(b, Render(sweep), 0);
    const double notes[4] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i) MixInto(b, Bell(Midi(notes[i]), 0.55, 0.4), 0.18 + i * 0.06, 0.4f);
    NoiseBurst shine{0.5, 0.05, 0.3, 9000, 11000, 2, 0.2, 61};
    MixInto(b, Render(shine), 0.15);
    return b;
}

Buffer Misc() {
    Buffer b = Silence(0.4);
    Tone zap{Wave::Square, 1800, 160, 0.33, 0.001, 0.25, 0.5};
    MixInto(b, Render(zap), 0);
    Tone zap2{Wave::Saw, 1200, 120, 0.3, 0.001, 0.22, 0.35};
    MixInto(b, Render(zap2), 0.015);
    LowPass(b, 5000);
    return b;
}

Buffer Block() {
    Buffer b = Silence(0.3);
    const double partials[4] = {170, 410, 690, 1130};
    for (int i = 0; i < 4; ++i) {
        Tone t{Wave::Sine, partials[i], partials[i] * 0.97, 0.28, 0.001, 0.16 / (1 + i * 0.5), 1.0 / (1 + i)};
        MixInto(b, Render(t), 0);
    }
    NoiseBurst knock{0.03, 0.0005, 0.02, 1200, 800, 1.2, 0.6, 71};
    MixInto(b, Render(knock), 0);
    return b;
}

Buffer Spacey() {
    Buffer b = Silence(1.0);
    Tone t{Wave::Sine, 220, 880, 0.95, 0.05, 0.8, 0.8, 1.5, 2.5, 0.8, 7, 0.6};
    MixInto(b, Render(t), 0);
    Tone t2{Wave::Triangle, 330, 1320, 0.95, 0.08, 0.7, 0.4, 0, 0, 0, 6, 0.5};
    MixInto(b, Render(t2), 0.03);
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mksounds DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    const std::vector<std::pair<std::function<Buffer()>, double>> sounds = {
        {GlassTick, 0.7},
        {Break, 0.8},
        {[] { return Firework(90, 1.3, 81, 12); }, 0.85},
        {[] { return Firework(65, 1.7, 91, 22); }, 0.9},
        {Nope, 0.6},
        {Explode, 0.92},
        {[] { return Pop(380, 1300); }, 0.7},
        {[] { return Pop(900, 260); }, 0.7},
        {Swish, 0.7},
        {Success, 0.8},
        {GameOver, 0.8},
        {Fanfare, 0.85},
        {Pickazo, 0.75},
        {Misc, 0.7},
        {Block, 0.75},
        {Spacey, 0.7},
    };
    try {
        for (size_t i = 0; i < sounds.size(); ++i) {
            Buffer b = sounds[i].first();
            Finish(b, sounds[i].second);
            WriteWav(dir + "/" + tessaly::media::kSamples[i], b);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mksounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
