#pragma once
// A small synthesiser for the game's sound effects and the music's instruments: oscillators,
// envelopes, filters and noise over float buffers, and a 16-bit PCM WAV writer.
#include <cstdint>
#include <string>
#include <vector>

namespace media {

constexpr int kSampleRate = 44100;

using Buffer = std::vector<float>;

// Deterministic white noise in [-1, 1].
class Noise {
public:
    explicit Noise(uint32_t seed) : s_(seed * 747796405u + 2891336453u) {}
    float Next();

private:
    uint32_t s_;
};

enum class Wave { Sine, Triangle, Saw, Square };
float Osc(Wave w, double phase);  // phase in cycles

Buffer Silence(double seconds, int rate = kSampleRate);
// Adds src into dst starting at `at` seconds, scaled by gain.
void MixInto(Buffer& dst, const Buffer& src, double at, float gain = 1.0f, int rate = kSampleRate);

// A tone whose frequency glides exponentially from f0 to f1, with an attack and an exponential
// decay (decay = seconds to fall by 60 dB), optionally frequency-modulated.
struct Tone {
    Wave wave = Wave::Sine;
    double f0 = 440, f1 = 440;
    double seconds = 0.3;
    double attack = 0.003, decay = 0.3;
    double gain = 1.0;
    double fmRatio = 0, fmDepth = 0, fmDecay = 0.2;  // modulator at f * ratio, index decaying
    double vibratoRate = 0, vibratoDepth = 0;        // depth in semitones
};
Buffer Render(const Tone& t, int rate = kSampleRate);

// Noise shaped by an attack/decay envelope and a band-pass that glides from f0 to f1.
struct NoiseBurst {
    double seconds = 0.3, attack = 0.002, decay = 0.2;
    double f0 = 2000, f1 = 2000, q = 1.0;
    double gain = 1.0;
    uint32_t seed = 1;
};
Buffer Render(const NoiseBurst& n, int rate = kSampleRate);

void LowPass(Buffer& b, double cutoff, int rate = kSampleRate);
void HighPass(Buffer& b, double cutoff, int rate = kSampleRate);
// Fades the first and last milliseconds so a sound starts and ends without a click, then scales
// the peak to `peak` (of full scale).
void Finish(Buffer& b, double peak, double fadeInMs = 1.5, double fadeOutMs = 8, int rate = kSampleRate);

void WriteWav(const std::string& path, const Buffer& b, int rate = kSampleRate);

}  // namespace media
