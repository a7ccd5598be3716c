#pragma once
// Starts and stops sound, pauses and resumes all output, reports the output device and holds the
// buffer length and the pan width of Sample.PlayPan. Keeps no state of its own.
#include <any>
#include <cstdint>

namespace plm {

// The sound device's capabilities, filled by Bass.GetInfo.
struct BASS_INFO {
    int32_t Flags = 0;    // device capability flags
    int32_t hwsize = 0;   // total hardware sound memory, bytes
    int32_t hwfree = 0;   // free hardware memory, bytes
    int32_t freesam = 0;  // free hardware sample slots
    int32_t free3d = 0;   // free hardware 3D slots
    int32_t minrate = 0;  // lowest and highest hardware sample rate, Hz
    int32_t maxrate = 0;
    int32_t eax = 0;        // non-zero when EAX is supported
    int32_t minbuf = 0;     // recommended minimum buffer length, ms
    int32_t dsver = 0;      // DirectSound version
    int32_t latency = 0;    // delay before playback starts, ms
    int32_t initflags = 0;  // the flags given at start-up
    int32_t speakers = 0;   // number of speakers
    int32_t driver = 0;     // reference to the driver name
};

class Bass {
public:
    bool Init(int32_t FormhWnd, int32_t Frequency);
    // Frees the sound library; returns an empty value.
    std::any Terminate();
    void PauseAll();
    void ResumeAll();
    int32_t BufferSize() const;
    void BufferSize(int32_t value);
    float PanWidth() const;
    void PanWidth(float value);
    // Fills the record from the device; leaves it as it is when sound is not started.
    void GetInfo(BASS_INFO& BassInfo);
};

}  // namespace plm
