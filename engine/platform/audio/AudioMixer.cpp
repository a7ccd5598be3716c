#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <libopenmpt/libopenmpt.hpp>

namespace plm::platform {
namespace {

// Slides take effect between chunks of at most this many frames (about 1.5 ms at 44.1 kHz); a
// chunk ends early where a slide ends, so a fade to silence is silent from its last frame on.
constexpr int32_t kChunkFrames = 64;

double Clamp(double v, double lo, double hi) { return std::min(hi, std::max(lo, v)); }

// Linear balance: the centre plays both sides at full volume, each side fades towards the other.
void Gains(double volume, double pan, float& left, float& right) {
    double vol = Clamp(volume, kMinVolume, kMaxVolume) / 100.0;
    double p = Clamp(pan, kMinPan, kMaxPan) / 100.0;
    left = static_cast<float>(vol * (p > 0 ? 1.0 - p : 1.0));
    right = static_cast<float>(vol * (p < 0 ? 1.0 + p : 1.0));
}

// The value a slide gives its attribute after `elapsed` of its frames.
double SlideValue(double from, double to, int64_t elapsed, int64_t length) {
    double t = elapsed >= length ? 1.0 : static_cast<double>(elapsed) / static_cast<double>(length);
    return from + (to - from) * t;
}

int32_t Whole(double v) { return static_cast<int32_t>(std::lround(v)); }

}  // namespace

AudioHandle NextAudioHandle() {
    static std::atomic<AudioHandle> next{1};
    return next.fetch_add(1);
}

AudioMixer::AudioMixer(int32_t outputRate) : outputRate_(outputRate), scratch_(2 * kChunkFrames) {}
AudioMixer::~AudioMixer() = default;

AudioHandle AudioMixer::AddSample(SampleData data, int32_t maxPlaybacks, uint32_t flags) {
    SampleObject s;
    s.data = std::move(data);
    s.maxPlaybacks = std::max<int32_t>(1, maxPlaybacks);
    s.flags = flags;
    s.defaults.defaultRate = s.data.fileRate;
    s.defaults.attr = {static_cast<double>(s.data.fileRate), 100.0, 0.0};
    AudioHandle h = NextAudioHandle();
    samples_.emplace(h, std::move(s));
    return h;
}

AudioHandle AudioMixer::AddMusic(std::unique_ptr<openmpt::module> module, uint32_t flags) {
    MusicObject m;
    module->set_repeat_count((flags & kAudioLoop) ? -1 : 0);
    m.module = std::move(module);
    m.flags = flags;
    m.core.defaultRate = outputRate_;
    m.core.attr = {static_cast<double>(outputRate_), 100.0, 0.0};
    m.appliedRate = outputRate_;
    AudioHandle h = NextAudioHandle();
    music_.emplace(h, std::move(m));
    return h;
}

void AudioMixer::RemoveVoice(AudioHandle voice) {
    auto it = voices_.find(voice);
    if (it == voices_.end()) return;
    if (auto s = samples_.find(it->second.sample); s != samples_.end()) {
        auto& list = s->second.voices;
        list.erase(std::remove(list.begin(), list.end(), voice), list.end());
    }
    voices_.erase(it);
}

bool AudioMixer::FreeSample(AudioHandle sample) {
    auto it = samples_.find(sample);
    if (it == samples_.end()) return false;
    for (AudioHandle v : it->second.voices) voices_.erase(v);
    samples_.erase(it);
    return true;
}

bool AudioMixer::FreeMusic(AudioHandle music) { return music_.erase(music) > 0; }

AudioHandle AudioMixer::GetChannel(AudioHandle sample) {
    auto it = samples_.find(sample);
    if (it == samples_.end()) return kNoAudio;
    SampleObject& s = it->second;
    if (static_cast<int32_t>(s.voices.size()) >= s.maxPlaybacks) {
        // A channel that has stopped gives its place up first; otherwise the longest playing one
        // is taken over, when the sample allows it.
        AudioHandle victim = kNoAudio;
        for (AudioHandle v : s.voices)
            if (!voices_.at(v).core.playing) {
                victim = v;
                break;
            }
        if (victim == kNoAudio && (s.flags & kSampleTakeOverOldest)) {
            uint64_t oldest = UINT64_MAX;
            for (AudioHandle v : s.voices)
                if (voices_.at(v).core.started < oldest) {
                    oldest = voices_.at(v).core.started;
                    victim = v;
                }
        }
        if (victim == kNoAudio) return kNoAudio;
        RemoveVoice(victim);
    }
    Voice v;
    v.sample = sample;
    v.core = s.defaults;
    v.core.playing = false;
    AudioHandle h = NextAudioHandle();
    voices_.emplace(h, std::move(v));
    s.voices.push_back(h);
    return h;
}

bool AudioMixer::StopSample(AudioHandle sample) {
    auto it = samples_.find(sample);
    if (it == samples_.end()) return false;
    for (AudioHandle v : it->second.voices) voices_.at(v).core.playing = false;
    return true;
}

std::vector<AudioMixer::ChannelCore*> AudioMixer::Targets(AudioHandle h) {
    std::vector<ChannelCore*> out;
    if (auto v = voices_.find(h); v != voices_.end()) {
        out.push_back(&v->second.core);
    } else if (auto m = music_.find(h); m != music_.end()) {
        out.push_back(&m->second.core);
    } else if (auto s = samples_.find(h); s != samples_.end()) {
        for (AudioHandle vh : s->second.voices) out.push_back(&voices_.at(vh).core);
    }
    return out;
}

const AudioMixer::Voice* AudioMixer::NewestVoice(const SampleObject& s) const {
    const Voice* best = nullptr;
    for (AudioHandle vh : s.voices) {
        const Voice& v = voices_.at(vh);
        if (!best || v.core.started > best->core.started) best = &v;
    }
    return best;
}

const AudioMixer::ChannelCore* AudioMixer::QueryTarget(AudioHandle h) const {
    if (auto v = voices_.find(h); v != voices_.end()) return &v->second.core;
    if (auto m = music_.find(h); m != music_.end()) return &m->second.core;
    if (auto s = samples_.find(h); s != samples_.end()) {
        const Voice* v = NewestVoice(s->second);
        return v ? &v->core : &s->second.defaults;
    }
    return nullptr;
}

void AudioMixer::StartCore(ChannelCore& c) {
    c.playing = true;
    c.started = ++startSerial_;
}

bool AudioMixer::Play(AudioHandle h, bool restart) {
    if (auto v = voices_.find(h); v != voices_.end()) {
        if (restart) v->second.pos = 0;
        StartCore(v->second.core);
        return true;
    }
    if (auto m = music_.find(h); m != music_.end()) {
        if (restart) m->second.module->set_position_order_row(0, 0);
        StartCore(m->second.core);
        return true;
    }
    if (samples_.count(h)) {
        AudioHandle channel = GetChannel(h);
        return channel != kNoAudio && Play(channel, true);
    }
    return false;
}

bool AudioMixer::Stop(AudioHandle h) {
    if (samples_.count(h)) return StopSample(h);
    auto targets = Targets(h);
    for (ChannelCore* c : targets) c->playing = false;
    return !targets.empty();
}

bool AudioMixer::SetAttributes(AudioHandle h, int32_t rate, int32_t volume, int32_t pan) {
    auto targets = Targets(h);
    auto s = samples_.find(h);
    if (s != samples_.end()) targets.push_back(&s->second.defaults);
    else if (targets.empty()) return false;
    for (ChannelCore* c : targets) {
        if (rate != kKeepRate) {
            c->attr[AttrRate] = rate == 0 ? c->defaultRate : Clamp(rate, kMinRate, kMaxRate);
            c->slides[AttrRate].active = false;
        }
        if (volume != kKeepVolume) {
            c->attr[AttrVolume] = Clamp(volume, kMinVolume, kMaxVolume);
            c->slides[AttrVolume].active = false;
            c->stopAtSlideEnd = false;
        }
        if (pan != kKeepPan) {
            c->attr[AttrPan] = Clamp(pan, kMinPan, kMaxPan);
            c->slides[AttrPan].active = false;
        }
    }
    return true;
}

bool AudioMixer::GetAttributes(AudioHandle h, int32_t* rate, int32_t* volume, int32_t* pan) const {
    const ChannelCore* c = QueryTarget(h);
    if (!c) return false;
    if (rate) *rate = Whole(c->attr[AttrRate]);
    if (volume) *volume = Whole(c->attr[AttrVolume]);
    if (pan) *pan = Whole(c->attr[AttrPan]);
    return true;
}

bool AudioMixer::Slide(AudioHandle h, int32_t rate, int32_t volume, int32_t pan, int32_t timeMs) {
    auto targets = Targets(h);
    if (targets.empty() && !samples_.count(h)) return false;
    for (ChannelCore* c : targets) {
        std::array<bool, 3> wanted{rate != kKeepRate, volume != kKeepVolume, pan != kKeepPan};
        std::array<double, 3> to{
            rate == 0 ? c->defaultRate : Clamp(rate, kMinRate, kMaxRate),
            volume == kSlideToSilenceAndStop ? 0.0 : Clamp(volume, kMinVolume, kMaxVolume),
            Clamp(pan, kMinPan, kMaxPan)};
        if (wanted[AttrVolume]) c->stopAtSlideEnd = volume == kSlideToSilenceAndStop;
        for (int k = 0; k < 3; ++k) {
            if (!wanted[k]) continue;
            int64_t length = static_cast<int64_t>(std::max(0, timeMs)) * outputRate_ / 1000;
            c->slides[k] = SlideState{true, c->attr[k], to[k], 0, length};
        }
        Advance(*c, 0);  // a slide of no time ends at once
    }
    return true;
}

uint32_t AudioMixer::IsSliding(AudioHandle h) const {
    uint32_t bits = 0;
    auto add = [&bits](const ChannelCore& c) {
        if (c.slides[AttrRate].active) bits |= kSlidingRate;
        if (c.slides[AttrVolume].active) bits |= kSlidingVolume;
        if (c.slides[AttrPan].active) bits |= kSlidingPan;
    };
    if (auto s = samples_.find(h); s != samples_.end()) {
        for (AudioHandle vh : s->second.voices) add(voices_.at(vh).core);
    } else if (const ChannelCore* c = QueryTarget(h)) {
        add(*c);
    }
    return bits;
}

ChannelState AudioMixer::IsActive(AudioHandle h) const {
    bool playing = false;
    if (auto s = samples_.find(h); s != samples_.end()) {
        for (AudioHandle vh : s->second.voices) playing = playing || voices_.at(vh).core.playing;
    } else if (const ChannelCore* c = QueryTarget(h)) {
        playing = c->playing;
    }
    if (!playing) return ChannelStopped;
    return paused_ ? ChannelPaused : ChannelPlaying;
}

int64_t AudioMixer::GetPosition(AudioHandle h) const {
    if (auto m = music_.find(h); m != music_.end()) {
        const auto& mod = *m->second.module;
        auto order = static_cast<int64_t>(std::max(0, mod.get_current_order()));
        auto row = static_cast<int64_t>(std::max(0, mod.get_current_row()));
        return (order & 0xFFFF) | ((row & 0xFFFF) << 16);
    }
    const Voice* v = nullptr;
    if (auto it = voices_.find(h); it != voices_.end()) v = &it->second;
    else if (auto s = samples_.find(h); s != samples_.end()) v = NewestVoice(s->second);
    if (!v) return samples_.count(h) ? 0 : -1;
    const SampleData& d = samples_.at(v->sample).data;
    auto fileFrame = static_cast<int64_t>(std::floor(v->pos * d.fileRate / outputRate_));
    return fileFrame * d.fileBytesPerFrame;
}

bool AudioMixer::SetPosition(AudioHandle h, int64_t position) {
    if (auto m = music_.find(h); m != music_.end()) {
        auto& mod = *m->second.module;
        int32_t order = static_cast<int32_t>(position & 0xFFFF);
        int32_t row = static_cast<int32_t>((position >> 16) & 0xFFFF);
        if (order >= mod.get_num_orders()) return false;
        mod.set_position_order_row(order, row);
        return true;
    }
    std::vector<Voice*> voices;
    if (auto it = voices_.find(h); it != voices_.end()) voices.push_back(&it->second);
    else if (auto s = samples_.find(h); s != samples_.end())
        for (AudioHandle vh : s->second.voices) voices.push_back(&voices_.at(vh));
    else
        return false;
    for (Voice* v : voices) {
        const SampleData& d = samples_.at(v->sample).data;
        if (position < 0 || d.fileBytesPerFrame <= 0) return false;
        double pos = static_cast<double>(position / d.fileBytesPerFrame) * outputRate_ / d.fileRate;
        if (pos >= static_cast<double>(d.FrameCount())) return false;
        v->pos = pos;
    }
    return true;
}

int64_t AudioMixer::FramesToNextSlideEnd() const {
    int64_t next = INT64_MAX;
    auto scan = [&next](const ChannelCore& c) {
        for (const SlideState& s : c.slides)
            if (s.active) next = std::min(next, s.length - s.elapsed);
    };
    for (const auto& [h, v] : voices_) scan(v.core);
    for (const auto& [h, m] : music_) scan(m.core);
    return next;
}

void AudioMixer::Advance(ChannelCore& c, int64_t frames) {
    for (int k = 0; k < 3; ++k) {
        SlideState& s = c.slides[k];
        if (!s.active) continue;
        s.elapsed += frames;
        c.attr[k] = SlideValue(s.from, s.to, s.elapsed, s.length);
        if (s.elapsed < s.length) continue;
        s.active = false;
        if (k == AttrVolume && c.stopAtSlideEnd) {
            c.playing = false;
            c.stopAtSlideEnd = false;
        }
    }
}

AudioMixer::GainRamp AudioMixer::RampOver(const ChannelCore& c, int32_t frames) const {
    auto ahead = [&](int k) {
        const SlideState& s = c.slides[k];
        return s.active ? SlideValue(s.from, s.to, s.elapsed + frames, s.length) : c.attr[k];
    };
    GainRamp g;
    float endLeft, endRight;
    Gains(c.attr[AttrVolume], c.attr[AttrPan], g.left, g.right);
    Gains(ahead(AttrVolume), ahead(AttrPan), endLeft, endRight);
    g.leftStep = (endLeft - g.left) / static_cast<float>(frames);
    g.rightStep = (endRight - g.right) / static_cast<float>(frames);
    return g;
}

void AudioMixer::MixVoice(Voice& v, const SampleObject& s, float* out, int32_t frames) {
    const SampleData& d = s.data;
    const size_t length = d.FrameCount();
    if (length == 0) {
        v.core.playing = false;
        return;
    }
    const bool loop = (s.flags & kAudioLoop) != 0;
    const double step = v.core.attr[AttrRate] / d.fileRate;
    const double end = static_cast<double>(length);
    const GainRamp g = RampOver(v.core, frames);
    const float* src = d.frames.data();
    for (int32_t i = 0; i < frames; ++i) {
        const float gl = g.left + g.leftStep * static_cast<float>(i);
        const float gr = g.right + g.rightStep * static_cast<float>(i);
        auto i0 = static_cast<size_t>(v.pos);
        auto f = static_cast<float>(v.pos - static_cast<double>(i0));
        size_t i1 = i0 + 1 < length ? i0 + 1 : (loop ? 0 : i0);
        if (d.channels == 1) {
            float x = src[i0] + (src[i1] - src[i0]) * f;
            out[2 * i] += x * gl;
            out[2 * i + 1] += x * gr;
        } else {
            float l = src[2 * i0] + (src[2 * i1] - src[2 * i0]) * f;
            float r = src[2 * i0 + 1] + (src[2 * i1 + 1] - src[2 * i0 + 1]) * f;
            out[2 * i] += l * gl;
            out[2 * i + 1] += r * gr;
        }
        v.pos += step;
        if (v.pos >= end) {
            if (loop) {
                v.pos = std::fmod(v.pos, end);
            } else {
                v.pos = 0;  // ended: the next play starts over
                v.core.playing = false;
                return;
            }
        }
    }
}

void AudioMixer::ApplyRate(MusicObject& m) {
    double rate = m.core.attr[AttrRate];
    if (rate == m.appliedRate) return;
    // A module's rate is the speed it is rendered at: tempo and pitch follow it together.
    double factor = rate / outputRate_;
    m.appliedRate = rate;
    try {
        m.module->ctl_set_floatingpoint("play.tempo_factor", factor);
        m.module->ctl_set_floatingpoint("play.pitch_factor", factor);
    } catch (...) {
        // A player without these controls plays on at its own speed; nothing may leave the mix.
    }
}

void AudioMixer::MixMusic(MusicObject& m, float* out, int32_t frames) {
    ApplyRate(m);
    float* buf = scratch_.data();
    size_t got = 0;
    try {
        got = m.module->read_interleaved_stereo(outputRate_, static_cast<size_t>(frames), buf);
    } catch (...) {
        // The mix runs in the output's callback, called from C: a player that fails stops its
        // module below, as at its end, instead of unwinding out of the callback.
        got = 0;
    }
    const GainRamp g = RampOver(m.core, frames);
    for (size_t i = 0; i < got; ++i) {
        out[2 * i] += buf[2 * i] * (g.left + g.leftStep * static_cast<float>(i));
        out[2 * i + 1] += buf[2 * i + 1] * (g.right + g.rightStep * static_cast<float>(i));
    }
    if (got < static_cast<size_t>(frames)) {
        // The end of a module that does not loop: it stops, and the next play starts over.
        m.core.playing = false;
        m.module->set_position_order_row(0, 0);
    }
}

void AudioMixer::Render(float* out, int32_t frames) {
    std::fill(out, out + 2 * static_cast<size_t>(std::max(0, frames)), 0.0f);
    if (paused_) return;
    for (int32_t done = 0; done < frames;) {
        int64_t untilSlideEnd = std::max<int64_t>(1, FramesToNextSlideEnd());
        auto n = static_cast<int32_t>(std::min<int64_t>(std::min(kChunkFrames, frames - done), untilSlideEnd));
        float* dst = out + 2 * static_cast<size_t>(done);
        for (auto& [h, v] : voices_)
            if (v.core.playing) MixVoice(v, samples_.at(v.sample), dst, n);
        for (auto& [h, m] : music_)
            if (m.core.playing) MixMusic(m, dst, n);
        for (auto& [h, v] : voices_) Advance(v.core, n);
        for (auto& [h, m] : music_) Advance(m.core, n);
        done += n;
    }
}

}  // namespace plm::platform
