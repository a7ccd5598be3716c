// mkmusic DIR: composes the game's six looping modules (m1.mod .. m6.mod). Each has a melody,
// chord harmony, a bass line and drums on the four channels, its own key, tempo and groove, and
// ends its last bar so that the jump back to the first row sounds like the next bar.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "MediaLayout.h"
#include "ModFile.h"
#include "Synth.h"

using namespace media;

namespace {

constexpr double kTau = 2 * M_PI;
constexpr int kCycle = 32;  // samples per cycle of the pitched loops: C-2 plays about middle C

// ---- instruments --------------------------------------------------------------------------

std::vector<int8_t> Quantise(const Buffer& b, double peak = 0.95) {
    float mx = 1e-6f;
    for (float s : b) mx = std::max(mx, std::fabs(s));
    std::vector<int8_t> d(b.size() + (b.size() & 1));
    for (size_t i = 0; i < b.size(); ++i) d[i] = static_cast<int8_t>(std::lround(b[i] / mx * peak * 127));
    return d;
}

// A seamless loop of `cycles` cycles of a wave of kCycle * scale samples, plus a second voice
// that completes one cycle fewer over the loop (a slow chorus that still loops exactly).
ModInstrument Looped(const std::string& name, int scale, int cycles, const std::vector<std::pair<double, double>>& harmonics,
                     double detuneMix, double pulseWidth = 0, int volume = 48) {
    int n = kCycle * scale * cycles;
    Buffer b(n);
    for (int voice = 0; voice < (detuneMix > 0 ? 2 : 1); ++voice) {
        double cyc = cycles - voice;  // whole cycles over the loop
        double g = voice ? detuneMix : 1.0;
        for (int i = 0; i < n; ++i) {
            double ph = cyc * i / n;
            double v = 0;
            if (pulseWidth > 0) {
                double p = ph - std::floor(ph);
                v = p < pulseWidth ? 1.0 : -1.0;
            } else {
                for (auto [h, a] : harmonics) v += a * std::sin(kTau * h * ph);
            }
            b[i] += static_cast<float>(g * v);
        }
    }
    if (pulseWidth > 0) LowPass(b, 9000, 8287);
    ModInstrument ins{name, Quantise(b, 0.85), volume, 0, n};
    return ins;
}

// One-shot instruments are rendered at the rate the note C-3 plays (16574 Hz) or C-2 (8287 Hz).
constexpr int kDrumRate = 16574;
constexpr int kPluckRate = 8287;

ModInstrument OneShot(const std::string& name, Buffer b, int volume) {
    Finish(b, 0.95, 0.3, 4, kDrumRate);
    return {name, Quantise(b, 0.95), volume, 0, 0};
}

ModInstrument Kick() {
    Tone t{Wave::Sine, 150, 42, 0.32, 0.001, 0.22, 1.0};
    Buffer b = Render(t, kDrumRate);
    Tone click{Wave::Sine, 900, 200, 0.015, 0.0005, 0.01, 0.4};
    MixInto(b, Render(click, kDrumRate), 0, 1.0f, kDrumRate);
    return OneShot("kick", b, 64);
}

ModInstrument Snare() {
    NoiseBurst n{0.25, 0.001, 0.16, 4200, 2600, 0.6, 1.0, 301};
    Buffer b = Render(n, kDrumRate);
    Tone body{Wave::Triangle, 230, 170, 0.12, 0.001, 0.07, 0.8};
    MixInto(b, Render(body, kDrumRate), 0, 1.0f, kDrumRate);
    return OneShot("snare", b, 56);
}

ModInstrument Hat(bool open) {
    NoiseBurst n{open ? 0.35 : 0.06, 0.0005, open ? 0.28 : 0.035, 8000, 7500, 1.2, 1.0, open ? 311u : 313u};
    Buffer b = Render(n, kDrumRate);
    HighPass(b, 5000, kDrumRate);
    return OneShot(open ? "open hat" : "hat", b, open ? 36 : 40);
}

ModInstrument Pluck() {
    // a bell-like pluck at exactly the loop instruments' pitch (kPluckRate / kCycle)
    double f = static_cast<double>(kPluckRate) / kCycle;
    Buffer b(static_cast<size_t>(0.9 * kPluckRate));
    for (size_t i = 0; i < b.size(); ++i) {
        double t = static_cast<double>(i) / kPluckRate;
        double v = std::sin(kTau * f * t) * std::exp(-t * 4) + 0.4 * std::sin(kTau * 2 * f * t) * std::exp(-t * 7) +
                   0.2 * std::sin(kTau * 3 * f * t) * std::exp(-t * 10) + 0.1 * std::sin(kTau * 4.02 * f * t) * std::exp(-t * 14);
        b[i] = static_cast<float>(v);
    }
    Finish(b, 0.95, 0.5, 20, kPluckRate);
    return {"pluck", Quantise(b, 0.95), 56, 0, 0};
}

enum Instrument { kLead = 1, kHarmony, kBass, kKick, kSnare, kHat, kOpenHat, kBell, kPad };

std::vector<ModInstrument> Instruments(int flavour) {
    std::vector<ModInstrument> v;
    // lead: a bright detuned saw-ish stack, or a hollow square for flavour 1
    if (flavour == 1)
        v.push_back(Looped("lead", 1, 64, {}, 0.7, 0.5, 44));
    else
        v.push_back(Looped("lead", 1, 64, {{1, 1}, {2, 0.5}, {3, 0.33}, {4, 0.22}, {5, 0.15}, {6, 0.1}}, 0.8, 0, 46));
    v.push_back(Looped("harmony", 1, 64, {}, 0.6, 0.25, 30));
    v.push_back(Looped("bass", 2, 32, {{1, 1}, {2, 0.45}, {3, 0.2}, {4, 0.08}}, 0, 0, 60));
    v.push_back(Kick());
    v.push_back(Snare());
    v.push_back(Hat(false));
    v.push_back(Hat(true));
    v.push_back(Pluck());
    v.push_back(Looped("pad", 1, 128, {{1, 1}, {2, 0.35}, {3, 0.25}, {4, 0.1}, {5, 0.08}}, 1.0, 0, 34));
    return v;
}

// ---- composition --------------------------------------------------------------------------

struct Chord {
    int root;   // semitones above the key
    bool minor;
};

enum class Drums { Rock, Four, Half, Funky, Ambient, March };
enum class Bass { Eighths, Driving, Halftime, Walking, Octaves };
enum class Harmony { Arpeggio, Pad };

struct SongSpec {
    std::string title;
    int bpm, speed;
    int key;  // MIDI note of the key
    bool minor;
    std::vector<std::vector<Chord>> sections;  // four chords each: one a bar
    std::vector<int> order;                     // sections in playing order
    Drums drums;
    Bass bass;
    Harmony harmony;
    int leadInstrument;
    uint32_t seed;
};

int MidiToLead(int midi) { return std::clamp(midi - 48, 0, kModNotes - 1); }  // loop instruments: C-2 = MIDI 60
int MidiToBass(int midi) { return std::clamp(midi - 36, 0, kModNotes - 1); }  // twice as long cycle

class Rng {
public:
    explicit Rng(uint32_t s) : s_(s * 2654435761u + 7) {}
    uint32_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

private:
    uint32_t s_;
};

std::vector<int> ScaleNotes(int key, bool minor) {
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11}, minorScale[7] = {0, 2, 3, 5, 7, 8, 10};
    std::vector<int> v;
    for (int oct = -2; oct <= 3; ++oct)
        for (int i = 0; i < 7; ++i) v.push_back(key + 12 * oct + (minor ? minorScale[i] : major[i]));
    return v;
}

bool InChord(int midi, int key, Chord c) {
    int rel = ((midi - key - c.root) % 12 + 12) % 12;
    return rel == 0 || rel == (c.minor ? 3 : 4) || rel == 7;
}

// Rhythms of one bar: onset rows and lengths.
const std::vector<std::vector<std::pair<int, int>>> kRhythms = {
    {{0, 4}, {4, 2}, {6, 2}, {8, 4}, {12, 4}},
    {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}},
    {{0, 6}, {6, 2}, {8, 8}},
    {{0, 3}, {3, 3}, {6, 2}, {8, 3}, {11, 3}, {14, 2}},
    {{0, 4}, {4, 4}, {8, 4}, {12, 2}, {14, 2}},
    {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 6}, {14, 2}},
};

struct Voice {
    ModPattern* pat;
    int ch;
    void Note(int row, int note, int ins, int vol) {
        ModCell& c = (*pat)[row][ch];
        c.note = note;
        c.instrument = ins;
        c.effect = 0xC;
        c.param = vol;
    }
    void Effect(int row, int effect, int param) {
        ModCell& c = (*pat)[row][ch];
        c.effect = effect;
        c.param = param;
    }
};

// One bar of melody over chord c. The melody walks the scale in one direction between the beats
// and lands on a chord tone on every beat, turning at the ends of its range and now and then at
// random; the last bar of a phrase ends on the chord's root. A motif records the bar's steps
// (when empty) or replays them from the bar's first chord tone (when filled), so the second bar
// answers the first with the same figure, each beat still snapped onto its own chord.
void MelodyBar(Voice v, int bar, const SongSpec& s, Chord c, int rhythm, Rng& rng, int& last, int& dir, bool cadence,
               std::vector<int>* motif) {
    // the melody's range: a tenth and more above the key, moved down an octave where it would
    // run past the highest note a module can play (MIDI 83 on the loop instruments)
    int lo = s.key + 2, hi = s.key + 21;
    while (hi > 83) {
        lo -= 12;
        hi -= 12;
    }
    std::vector<int> scale;
    for (int n : ScaleNotes(s.key, s.minor))
        if (n >= lo && n <= hi) scale.push_back(n);
    auto indexOf = [&](int note) {
        int best = 0;
        for (int i = 0; i < static_cast<int>(scale.size()); ++i)
            if (std::abs(scale[i] - note) < std::abs(scale[best] - note)) best = i;
        return best;
    };
    int idx = indexOf(last);
    const int top = static_cast<int>(scale.size()) - 1;
    const auto& rh = cadence ? kRhythms[2] : kRhythms[rhythm];
    const bool replay = motif && motif->size() == rh.size();
    if (motif && !replay) motif->clear();
    auto snapToChord = [&](int j) {
        for (int d : {0, 1, -1, 2, -2})
            if (j + d >= 0 && j + d <= top && InChord(scale[j + d], s.key, c)) return j + d;
        return j;
    };
    for (size_t i = 0; i < rh.size(); ++i) {
        auto [row, len] = rh[i];
        bool strong = row % 4 == 0;
        int before = idx;
        if (replay) {
            idx = std::clamp(idx + (*motif)[i], 0, top);
            if (strong) idx = snapToChord(idx);
        } else if (strong) {
            if (rng.Int(0, 3) == 0) dir = -dir;
            int found = -1;
            for (int step = rng.Int(0, 1); step <= 3 && found < 0; ++step) {
                int j = idx + dir * step;
                if (j >= 0 && j <= top && InChord(scale[j], s.key, c)) found = j;
            }
            for (int step = 1; step <= 3 && found < 0; ++step) {
                int j = idx - dir * step;
                if (j >= 0 && j <= top && InChord(scale[j], s.key, c)) found = j;
            }
            if (found >= 0) idx = found;
        } else {
            idx += dir * (rng.Int(0, 9) < 7 ? 1 : 2);
        }
        if (idx < 0 || idx > top) {
            dir = -dir;
            idx = std::clamp(idx, 0, top);
        }
        if (idx <= 1) dir = 1;
        if (idx >= top - 1) dir = -1;
        if (motif && !replay) motif->push_back(idx - before);
        int target = scale[idx];
        if (cadence && i + 1 == rh.size()) {
            // the chord's root in the octave nearest the note the melody has reached
            int best = -1;
            for (int root = s.key + c.root - 36; root <= hi; root += 12)
                if (root >= lo && (best < 0 || std::abs(root - target) < std::abs(best - target))) best = root;
            target = best >= 0 ? best : target;
            idx = indexOf(target);
        }
        last = target;
        int r = bar * 16 + row;
        v.Note(r, MidiToLead(target), s.leadInstrument, strong ? 44 : 38);
        if (len >= 6 && s.leadInstrument == kLead) {  // vibrato on long notes
            v.Effect(r + 2, 0x4, 0x34);
            v.Effect(r + 3, 0x4, 0x00);
        }
        if (i + 1 < rh.size() && rh[i + 1].first > row + len) v.Effect(r + len - 1, 0xE, 0xC0 | (s.speed - 2));
    }
}

void HarmonyBar(Voice v, int bar, const SongSpec& s, Chord c, int& last) {
    int root = s.key + c.root;
    while (root >= s.key + 7) root -= 12;  // the chords sit around middle C, under the melody
    if (s.harmony == Harmony::Arpeggio) {
        // the chord as a fast arpeggio of root, third and fifth, struck twice a bar
        int arp = ((c.minor ? 3 : 4) << 4) | 7;
        for (int row = 0; row < 16; ++row) {
            int r = bar * 16 + row;
            if (row % 8 == 0) v.Note(r, MidiToLead(root), kHarmony, row == 0 ? 30 : 24);
            else v.Effect(r, 0x0, arp);
        }
    } else {
        // a sustained second voice on the chord tone nearest the last one
        int best = last, bestD = 99;
        for (int n = s.key - 5; n <= s.key + 9; ++n)
            if (InChord(n, s.key, c) && std::abs(n - last) < bestD) {
                bestD = std::abs(n - last);
                best = n;
            }
        last = best;
        v.Note(bar * 16, MidiToLead(best), kPad, 34);
        v.Note(bar * 16 + 8, MidiToLead(best + ((c.minor ? 3 : 4))), kPad, 26);
    }
}

void BassBar(Voice v, int bar, const SongSpec& s, Chord c, Chord next) {
    int root = s.key - 24 + c.root;
    while (root < 36) root += 12;
    int fifth = root + 7, octave = root + 12, third = root + (c.minor ? 3 : 4);
    int base = bar * 16;
    switch (s.bass) {
    case Bass::Eighths:
        for (int r = 0; r < 16; r += 2) v.Note(base + r, MidiToBass(r % 4 == 2 ? octave : root), kBass, r % 4 ? 40 : 52);
        break;
    case Bass::Driving:
        for (int r = 0; r < 16; r += 2) v.Note(base + r, MidiToBass(r == 12 ? fifth : root), kBass, 50);
        break;
    case Bass::Halftime:
        v.Note(base, MidiToBass(root), kBass, 56);
        v.Note(base + 6, MidiToBass(fifth), kBass, 44);
        v.Note(base + 8, MidiToBass(root), kBass, 50);
        v.Effect(base + 14, 0xE, 0xC0 | 3);
        break;
    case Bass::Walking: {
        int nroot = s.key - 24 + next.root;
        while (nroot < 36) nroot += 12;
        const int notes[4] = {root, third, fifth, nroot + (nroot > fifth ? -1 : 1)};
        for (int i = 0; i < 4; ++i) v.Note(base + i * 4, MidiToBass(notes[i]), kBass, 52);
        break;
    }
    case Bass::Octaves:
        for (int r = 0; r < 16; r += 2) {
            if (r == 6 || r == 14) continue;
            v.Note(base + r, MidiToBass(r % 4 == 2 ? octave : root), kBass, 50);
        }
        v.Note(base + 7, MidiToBass(octave), kBass, 40);
        break;
    }
}

void DrumBar(Voice v, int bar, const SongSpec& s, bool fill, bool crash) {
    // K kick, S snare, H hat, O open hat, . nothing
    const char* pattern = "K.H.S.H.K.H.S.H.";
    switch (s.drums) {
    case Drums::Rock: pattern = "K.H.S.H.K.KHS.HO"; break;
    case Drums::Four: pattern = "K.H.S.H.K.H.S.HH"; break;
    case Drums::Half: pattern = "K...H...S...H..H"; break;
    case Drums::Funky: pattern = "K.HKS.H..KH.S.HO"; break;
    case Drums::Ambient: pattern = "K.......H...S..."; break;
    case Drums::March: pattern = "K.HHS.H.K.HHS.SS"; break;
    }
    std::string p = pattern;
    if (fill) p.replace(12, 4, s.drums == Drums::Ambient ? "S.S." : "SSSS");
    int base = bar * 16;
    for (int r = 0; r < 16; ++r) {
        char ch = (crash && r == 0) ? 'O' : p[r];
        switch (ch) {
        case 'K': v.Note(base + r, 24, kKick, 60); break;
        case 'S': v.Note(base + r, 24, kSnare, fill && r >= 12 ? 34 + (r - 12) * 6 : 50); break;
        case 'H': v.Note(base + r, 24, kHat, r % 4 == 2 ? 30 : 22); break;
        case 'O': v.Note(base + r, 24, kOpenHat, crash ? 40 : 26); break;
        default: break;
        }
    }
}

ModSong Compose(const SongSpec& s) {
    ModSong song;
    song.title = s.title;
    song.instruments = Instruments(s.leadInstrument == kLead && s.minor ? 1 : 0);
    Rng rng(s.seed);
    int lastHarmony = s.key + 4;
    std::vector<int> sectionRhythm;
    for (size_t i = 0; i < s.sections.size(); ++i) sectionRhythm.push_back(rng.Int(0, static_cast<int>(kRhythms.size()) - 1));
    for (size_t pos = 0; pos < s.order.size(); ++pos) {
        int sec = s.order[pos];
        const auto& chords = s.sections[sec];
        ModPattern pat{};
        Voice lead{&pat, 0}, harm{&pat, 1}, bass{&pat, 2}, drums{&pat, 3};
        // A section's first two visits play the same tune; later visits vary it.
        Rng phrase(s.seed * 31 + sec * 7 + static_cast<uint32_t>(pos) * (pos > 2 ? 3 : 0));
        int lastMelody = s.key + 7, direction = 1;
        std::vector<int> motif;
        for (int bar = 0; bar < 4; ++bar) {
            Chord c = chords[bar], next = bar < 3 ? chords[bar + 1] : s.sections[s.order[(pos + 1) % s.order.size()]][0];
            int rhythm = bar == 2 ? (sectionRhythm[sec] + 1) % static_cast<int>(kRhythms.size()) : sectionRhythm[sec];
            MelodyBar(lead, bar, s, c, rhythm, phrase, lastMelody, direction, bar == 3, bar < 2 ? &motif : nullptr);
            HarmonyBar(harm, bar, s, c, lastHarmony);
            BassBar(bass, bar, s, c, next);
            DrumBar(drums, bar, s, bar == 3 && pos % 2 == 1, bar == 0 && pos == 2);
        }
        if (pos == 0) {  // tempo on the first row of the song, so every loop plays alike
            pat[0][2].effect = 0xF;
            pat[0][2].param = s.speed;
            pat[1][2].effect = 0xF;
            pat[1][2].param = s.bpm;
        }
        if (pos + 1 == s.order.size()) {
            // ease the sustained voices out over the last beat, so the jump back is clean
            for (int r = 60; r < 64; ++r) {
                if (pat[r][1].note < 0) pat[r][1] = ModCell{-1, 0, 0xA, 0x04};
            }
        }
        song.patterns.push_back(pat);
        song.order.push_back(static_cast<int>(pos));
    }
    return song;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkmusic DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    const Chord I{0, false}, ii{2, true}, iii{4, true}, IV{5, false}, V{7, false}, vi{9, true};
    const Chord i{0, true}, III{3, false}, iv{5, true}, v{7, true}, VI{8, false}, VII{10, false};
    const std::vector<SongSpec> songs = {
        {"Tessaly: Bright Rows", 128, 6, 60, false, {{I, V, vi, IV}, {IV, V, iii, vi}, {ii, V, I, I}},
         {0, 1, 0, 2, 1, 0}, Drums::Rock, Bass::Eighths, Harmony::Arpeggio, kLead, 11},
        {"Tessaly: Crown of Gems", 108, 6, 65, false, {{I, IV, V, I}, {vi, IV, ii, V}, {IV, I, ii, V}},
         {0, 1, 0, 2, 1, 2}, Drums::March, Bass::Walking, Harmony::Pad, kLead, 23},
        {"Tessaly: Deep Shaft", 140, 6, 57, true, {{i, VI, III, VII}, {iv, v, i, i}, {VI, VII, i, V}},
         {0, 0, 1, 2, 1, 2}, Drums::Four, Bass::Driving, Harmony::Arpeggio, kLead, 37},
        {"Tessaly: Still Water", 92, 6, 62, true, {{i, iv, VII, III}, {VI, iv, v, i}, {III, VII, iv, V}},
         {0, 1, 0, 2}, Drums::Half, Bass::Halftime, Harmony::Pad, kBell, 41},
        {"Tessaly: Sparkle Funk", 118, 6, 67, false, {{I, vi, ii, V}, {IV, iii, ii, V}, {I, IV, I, V}},
         {0, 1, 0, 2, 0, 1}, Drums::Funky, Bass::Octaves, Harmony::Arpeggio, kLead, 53},
        {"Tessaly: Starlight", 76, 6, 64, true, {{i, VI, iv, V}, {III, VII, VI, V}},
         {0, 1, 0, 1}, Drums::Ambient, Bass::Halftime, Harmony::Pad, kBell, 67},
    };
    try {
        for (size_t n = 0; n < songs.size(); ++n) WriteMod(dir + "/" + tessaly::media::kMusic[n], Compose(songs[n]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkmusic: %s\n", e.what());
        return 1;
    }
    return 0;
}
