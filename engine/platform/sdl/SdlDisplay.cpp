#include "platform/Display.h"
#include "platform/sdl/SdlEventHub.h"

namespace plm::platform {
namespace {

// Format code of an SDL pixel format by its storage size.
int32_t FormatOf(Uint32 sdlFormat) {
    switch (SDL_BYTESPERPIXEL(sdlFormat)) {
    case 2: return 23;  // R5G6B5
    case 3: return 20;  // R8G8B8
    default: return 22;  // X8R8G8B8
    }
}

// Holds the SDL video subsystem for the length of one query.
class VideoScope {
public:
    VideoScope() : up_(sdl::InitSubsystem(SDL_INIT_VIDEO)) {}
    ~VideoScope() {
        if (up_) sdl::QuitSubsystem(SDL_INIT_VIDEO);
    }
    bool Usable() const { return up_ && sdl::RealVideoDriver(); }

private:
    bool up_;
};

std::vector<DisplayMode> FallbackModes() {
    static const int32_t sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}};
    std::vector<DisplayMode> modes;
    for (int32_t format : {23, 22})
        for (auto& s : sizes) modes.push_back(DisplayMode{s[0], s[1], format, 60});
    return modes;
}

}  // namespace

int32_t AdapterCount() { return 1; }

std::string AdapterDescription(int32_t adapter) { return adapter == 0 ? "plm232 software rasteriser" : ""; }

std::vector<DisplayMode> ListDisplayModes(int32_t adapter) {
    if (adapter != 0) return {};
    VideoScope video;
    std::vector<DisplayMode> modes;
    if (video.Usable()) {
        int n = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < n; ++i) {
            SDL_DisplayMode m;
            if (SDL_GetDisplayMode(0, i, &m) == 0) modes.push_back(DisplayMode{m.w, m.h, FormatOf(m.format), m.refresh_rate});
        }
    }
    return modes.empty() ? FallbackModes() : modes;
}

DisplayMode CurrentDisplayMode(int32_t /*adapter*/) {
    VideoScope video;
    SDL_DisplayMode m;
    if (video.Usable() && SDL_GetDesktopDisplayMode(0, &m) == 0) return DisplayMode{m.w, m.h, FormatOf(m.format), m.refresh_rate};
    return DisplayMode{1024, 768, 22, 60};
}

DeviceCaps AdapterCaps(int32_t /*adapter*/) {
    DeviceCaps caps;
    caps.caps2 = kCaps2FullScreenGamma;
    return caps;
}

int32_t FormatBitDepth(int32_t format) {
    switch (format) {
    case 23: case 24: case 25: case 26: case 28: case 29: return 16;
    case 20: return 24;
    case 21: case 22: case 31: case 35: return 32;
    default: return 0;
    }
}

}  // namespace plm::platform
