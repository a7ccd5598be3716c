#include "core/Device.h"

#include <algorithm>

#include "core/EngineState.h"
#include "platform/Display.h"

namespace plm {

int32_t Device::ScreenWidth() const { return State().ScreenWidth; }
void Device::ScreenWidth(int32_t value) { State().ScreenWidth = value; }
int32_t Device::ScreenHeight() const { return State().ScreenHeight; }
void Device::ScreenHeight(int32_t value) { State().ScreenHeight = value; }

int32_t Device::ColorBitDepth() const { return State().ColorBitDepth; }
void Device::ColorBitDepth(int32_t value) {
    State().ColorBitDepth = (value == 16 || value == 24 || value == 32) ? value : 16;
}

int32_t Device::DepthStencilFormat() const { return State().DepthStencilFormat; }
void Device::DepthStencilFormat(int32_t value) { State().DepthStencilFormat = value; }
bool Device::EnableDepthStencil() const { return State().EnableDepthStencil; }
void Device::EnableDepthStencil(bool value) { State().EnableDepthStencil = value; }
bool Device::FullScreenMouseModeExclusive() const { return State().FullScreenMouseModeExclusive; }
void Device::FullScreenMouseModeExclusive(bool value) { State().FullScreenMouseModeExclusive = value; }
bool Device::ShowLogo() const { return State().ShowLogo; }
void Device::ShowLogo(bool value) { State().ShowLogo = value; }
bool Device::Windowed() const { return State().Windowed; }
void Device::Windowed(bool value) { State().Windowed = value; }
bool Device::TripleBufferedGraphics() const { return State().TripleBufferedGraphics; }
void Device::TripleBufferedGraphics(bool value) { State().TripleBufferedGraphics = value; }

// Kept as its negation (immediate presentation); the get answers the setting as given.
bool Device::FullScreenVsync() const { return !State().FullScreenImmediate; }
void Device::FullScreenVsync(bool value) { State().FullScreenImmediate = !value; }

int32_t Device::Adapter() const { return State().Adapter + 1; }
void Device::Adapter(int32_t value) { State().Adapter = std::max(value, 1) - 1; }

int32_t Device::TargethWnd() const { return State().TargethWnd; }
void Device::TargethWnd(int32_t value) { State().TargethWnd = value; }
int32_t Device::FormhWnd() const { return State().FormhWnd; }
void Device::FormhWnd(int32_t value) { State().FormhWnd = value; }
int32_t Device::RefreshRate() const { return State().RefreshRate; }
void Device::RefreshRate(int32_t value) { State().RefreshRate = value; }

int32_t Device::MaxTextures() const { return State().MaxTextures; }
void Device::MaxTextures(int32_t value) { State().MaxTextures = std::max(value, 1); }

int32_t Device::GetAdapterCount() const { return platform::AdapterCount(); }
std::string Device::GetAdapterDescription(int32_t AdapterID) const { return platform::AdapterDescription(AdapterID); }

int32_t Device::GetDisplayModeTotal() const {
    return static_cast<int32_t>(platform::ListDisplayModes(State().Adapter).size());
}

namespace {
PLMDisplayMode ToRecord(const platform::DisplayMode& m) {
    return PLMDisplayMode{m.width, m.height, platform::FormatBitDepth(m.format), m.refreshRate};
}
}  // namespace

PLMDisplayMode Device::GetDisplayMode(int32_t Index) const {
    const auto modes = platform::ListDisplayModes(State().Adapter);
    if (Index < 0 || Index >= static_cast<int32_t>(modes.size())) return PLMDisplayMode{};
    return ToRecord(modes[static_cast<size_t>(Index)]);
}

bool Device::IsDisplayModeAvailable(int32_t Width, int32_t Height, int32_t Depth, int32_t RefreshRate) const {
    for (const auto& m : platform::ListDisplayModes(State().Adapter)) {
        const PLMDisplayMode r = ToRecord(m);
        if (r.Width == Width && r.Height == Height && r.BitDepth == Depth && r.RefreshRate == RefreshRate) return true;
    }
    return false;
}

}  // namespace plm
