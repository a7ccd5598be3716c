#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "FileOut.h"

namespace media {

namespace {
constexpr double kTau = 2 * M_PI;
}

float Noise::Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return static_cast<float>((s_ >> 8) / 8388608.0 - 1.0);
}

float Osc(Wave w, double phase) {
    double p = phase - std::floor(phase);
    switch (w) {
    case Wave::Sine: return static_cast<float>(std::sin(kTau * p));
    case Wave::Triangle: return static_cast<float>(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
    case Wave::Saw: return static_cast<float>(2 * p - 1);
    case Wave::Square: return p < 0.5 ? 1.0f : -1.0f;
    }
    return 0;
}

Buffer Silence(double seconds, int rate) { return Buffer(static_cast<size_t>(seconds * rate), 0.0f); }

void MixInto(Buffer& dst, const Buffer& src, double at, float gain, int rate) {
    size_t start = static_cast<size_t>(at * rate);
    if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[start + i] += src[i] * gain;
}

// PolyBLEP: smooths the jump of a saw or square over one sample either side, which removes most
// of the aliasing a naive waveform folds back under the Nyquist limit.
static double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

static double BandLimited(Wave w, double phase, double dt) {
    double p = phase - std::floor(phase);
    if (w == Wave::Saw) return 2 * p - 1 - PolyBlep(p, dt);
    if (w == Wave::Square) {
        double q = p + 0.5 - std::floor(p + 0.5);
        return (p < 0.5 ? 1.0 : -1.0) + PolyBlep(p, dt) - PolyBlep(q, dt);
    }
    return Osc(w, phase);
}

static double Envelope(double t, double attack, double decay) {
    double a = attack > 0 ? std::min(1.0, t / attack) : 1.0;
    double d = t > attack ? std::exp(-6.9 * (t - attack) / std::max(1e-4, decay)) : 1.0;
    return a * d;
}

Buffer Render(const Tone& t, int rate) {
    size_t n = static_cast<size_t>(t.seconds * rate);
    Buffer b(n);
    double phase = 0, mphase = 0;
    for (size_t i = 0; i < n; ++i) {
        double time = static_cast<double>(i) / rate;
        double k = t.seconds > 0 ? time / t.seconds : 0;
        double f = t.f0 * std::pow(t.f1 / t.f0, k);
        if (t.vibratoRate > 0) f *= std::pow(2.0, t.vibratoDepth / 12 * std::sin(kTau * t.vibratoRate * time));
        double mod = 0;
        if (t.fmRatio > 0) {
            mphase += f * t.fmRatio / rate;
            mod = t.fmDepth * std::exp(-time / std::max(1e-4, t.fmDecay)) * std::sin(kTau * mphase);
        }
        phase += f / rate;
        double wave = t.fmRatio > 0 ? Osc(t.wave, phase + mod) : BandLimited(t.wave, phase, std::min(0.5, f / rate));
        b[i] = static_cast<float>(t.gain * Envelope(time, t.attack, t.decay) * wave);
    }
    return b;
}

Buffer Render(const NoiseBurst& nb, int rate) {
    size_t n = static_cast<size_t>(nb.seconds * rate);
    Buffer b(n);
    Noise noise(nb.seed);
    // band-pass: a trapezoidal state-variable filter, stable at every cutoff below Nyquist
    double ic1 = 0, ic2 = 0;
    double k = 1.0 / std::max(0.3, nb.q);
    for (size_t i = 0; i < n; ++i) {
        double time = static_cast<double>(i) / rate;
        double frac = nb.seconds > 0 ? time / nb.seconds : 0;
        double f = std::min(0.45 * rate, nb.f0 * std::pow(nb.f1 / nb.f0, frac));
        double g = std::tan(M_PI * f / rate);
        double a1 = 1 / (1 + g * (g + k)), a2 = g * a1, a3 = g * a2;
        double v0 = noise.Next();
        double v3 = v0 - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        b[i] = static_cast<float>(nb.gain * Envelope(time, nb.attack, nb.decay) * v1 * k);
    }
    return b;
}

void LowPass(Buffer& b, double cutoff, int rate) {
    double a = 1 - std::exp(-kTau * cutoff / rate), y = 0;
    for (float& s : b) {
        y += a * (s - y);
        s = static_cast<float>(y);
    }
}

void HighPass(Buffer& b, double cutoff, int rate) {
    double a = 1 - std::exp(-kTau * cutoff / rate), y = 0;
    for (float& s : b) {
        y += a * (s - y);
        s = static_cast<float>(s - y);
    }
}

void Finish(Buffer& b, double peak, double fadeInMs, double fadeOutMs, int rate) {
    size_t in = static_cast<size_t>(fadeInMs * rate / 1000), out = static_cast<size_t>(fadeOutMs * rate / 1000);
    // remove any DC offset first so the fades land on silence
    double mean = 0;
    for (float s : b) mean += s;
    mean /= std::max<size_t>(1, b.size());
    for (float& s : b) s = static_cast<float>(s - mean);
    for (size_t i = 0; i < in && i < b.size(); ++i) b[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out && i < b.size(); ++i) b[b.size() - 1 - i] *= static_cast<float>(i) / out;
    float mx = 0;
    for (float s : b) mx = std::max(mx, std::fabs(s));
    if (mx > 0)
        for (float& s : b) s = static_cast<float>(s * peak / mx);
}

void WriteWav(const std::string& path, const Buffer& b, int rate) {
    auto u32 = [](std::string& o, uint32_t v) {
        for (int i = 0; i < 4; ++i) o += static_cast<char>((v >> (8 * i)) & 255);
    };
    auto u16 = [](std::string& o, uint16_t v) {
        o += static_cast<char>(v & 255);
        o += static_cast<char>(v >> 8);
    };
    std::string o = "RIFF";
    uint32_t data = static_cast<uint32_t>(b.size() * 2);
    u32(o, 36 + data);
    o += "WAVEfmt ";
    u32(o, 16);
    u16(o, 1);  // PCM
    u16(o, 1);  // mono
    u32(o, rate);
    u32(o, rate * 2);
    u16(o, 2);
    u16(o, 16);
    o += "data";
    u32(o, data);
    for (float s : b) {
        long v = std::lround(std::max(-1.0f, std::min(1.0f, s)) * 32767.0f);
        u16(o, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    WriteWhole(path, o);
}

}  // namespace media
