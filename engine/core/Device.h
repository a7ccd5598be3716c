#pragma once
// The display settings a game sets between PelmarEngine.Initialize and InitDevice, and the
// adapter and display-mode queries.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class Device {
public:
    int32_t ScreenWidth() const;
    void ScreenWidth(int32_t value);
    int32_t ScreenHeight() const;
    void ScreenHeight(int32_t value);
    // 16, 24 or 32; any other value stores 16.
    int32_t ColorBitDepth() const;
    void ColorBitDepth(int32_t value);
    int32_t DepthStencilFormat() const;
    void DepthStencilFormat(int32_t value);
    bool EnableDepthStencil() const;
    void EnableDepthStencil(bool value);
    bool FullScreenMouseModeExclusive() const;
    void FullScreenMouseModeExclusive(bool value);
    bool ShowLogo() const;
    void ShowLogo(bool value);
    bool Windowed() const;
    void Windowed(bool value);
    bool TripleBufferedGraphics() const;
    void TripleBufferedGraphics(bool value);
    bool FullScreenVsync() const;
    void FullScreenVsync(bool value);
    // 1-based: the let stores max(value, 1) - 1.
    int32_t Adapter() const;
    void Adapter(int32_t value);
    int32_t TargethWnd() const;
    void TargethWnd(int32_t value);
    int32_t FormhWnd() const;
    void FormhWnd(int32_t value);
    int32_t RefreshRate() const;
    void RefreshRate(int32_t value);
    // Values below 1 store 1; takes effect at the next InitDevice.
    int32_t MaxTextures() const;
    void MaxTextures(int32_t value);

    // The queries work before InitDevice. Adapters and display modes count from 0, as the
    // adapter's own enumeration does.
    int32_t GetAdapterCount() const;
    std::string GetAdapterDescription(int32_t AdapterID) const;
    // Display modes of the selected adapter.
    int32_t GetDisplayModeTotal() const;
    // Mode Index 0..GetDisplayModeTotal() - 1; an index outside gives a mode of zeros.
    PLMDisplayMode GetDisplayMode(int32_t Index) const;
    // True when one mode of the selected adapter matches all four values.
    bool IsDisplayModeAvailable(int32_t Width, int32_t Height, int32_t Depth, int32_t RefreshRate) const;
};

}  // namespace plm
