#include "core/Bass.h"

#include "core/EngineState.h"
#include "core/SoundProcs.h"

namespace plm {

bool Bass::Init(int32_t FormhWnd, int32_t Frequency) { return InitBass(FormhWnd, Frequency); }

std::any Bass::Terminate() {
    FreeBass();
    return {};
}

void Bass::PauseAll() { SoundLayer().Pause(); }
void Bass::ResumeAll() { SoundLayer().Start(); }

int32_t Bass::BufferSize() const { return SoundLayer().GetConfig(platform::kConfigBufferMs); }
void Bass::BufferSize(int32_t value) { SoundLayer().SetConfig(platform::kConfigBufferMs, value); }

float Bass::PanWidth() const { return State().SoundPanWidth; }
void Bass::PanWidth(float value) { State().SoundPanWidth = value; }

void Bass::GetInfo(BASS_INFO& BassInfo) {
    platform::AudioDeviceInfo i;
    if (!SoundLayer().GetInfo(i)) return;
    BassInfo = BASS_INFO{i.flags,  i.hwSize, i.hwFree,  i.freeSam,   i.free3d,    i.minRate,  i.maxRate,
                         i.eax,    i.minBuf, i.dsVer,   i.latency,   i.initFlags, i.speakers, i.driver};
}

}  // namespace plm
