#include "platform/sdl/SdlInput.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/sdl/SdlEventHub.h"

namespace plm::platform {
namespace {

// SDL scancode -> DirectInput scan code, for every key a PC keyboard has.
constexpr std::pair<SDL_Scancode, uint8_t> kScanCodes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03}, {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06}, {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09}, {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12}, {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15}, {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18}, {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E}, {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24}, {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27}, {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_NONUSHASH, 0x2B}, {SDL_SCANCODE_Z, 0x2C}, {SDL_SCANCODE_X, 0x2D}, {SDL_SCANCODE_C, 0x2E},
    {SDL_SCANCODE_V, 0x2F}, {SDL_SCANCODE_B, 0x30}, {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33}, {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36}, {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39}, {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D}, {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F}, {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41}, {SDL_SCANCODE_F8, 0x42}, {SDL_SCANCODE_F9, 0x43}, {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46}, {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48}, {SDL_SCANCODE_KP_9, 0x49}, {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B}, {SDL_SCANCODE_KP_5, 0x4C}, {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E}, {SDL_SCANCODE_KP_1, 0x4F}, {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51}, {SDL_SCANCODE_KP_0, 0x52}, {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_F11, 0x57}, {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_F13, 0x64}, {SDL_SCANCODE_F14, 0x65}, {SDL_SCANCODE_F15, 0x66},
    {SDL_SCANCODE_INTERNATIONAL2, 0x70}, {SDL_SCANCODE_INTERNATIONAL1, 0x73},
    {SDL_SCANCODE_INTERNATIONAL4, 0x79}, {SDL_SCANCODE_INTERNATIONAL5, 0x7B},
    {SDL_SCANCODE_INTERNATIONAL3, 0x7D}, {SDL_SCANCODE_KP_EQUALS, 0x8D},
    {SDL_SCANCODE_AUDIOPREV, 0x90}, {SDL_SCANCODE_AUDIONEXT, 0x99}, {SDL_SCANCODE_KP_ENTER, 0x9C},
    {SDL_SCANCODE_RCTRL, 0x9D}, {SDL_SCANCODE_AUDIOMUTE, 0xA0}, {SDL_SCANCODE_MUTE, 0xA0},
    {SDL_SCANCODE_CALCULATOR, 0xA1}, {SDL_SCANCODE_AUDIOPLAY, 0xA2}, {SDL_SCANCODE_AUDIOSTOP, 0xA4},
    {SDL_SCANCODE_VOLUMEDOWN, 0xAE}, {SDL_SCANCODE_VOLUMEUP, 0xB0}, {SDL_SCANCODE_AC_HOME, 0xB2},
    {SDL_SCANCODE_KP_COMMA, 0xB3}, {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_SYSREQ, 0xB7}, {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_HOME, 0xC7}, {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9},
    {SDL_SCANCODE_LEFT, 0xCB}, {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF},
    {SDL_SCANCODE_DOWN, 0xD0}, {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2},
    {SDL_SCANCODE_DELETE, 0xD3}, {SDL_SCANCODE_LGUI, 0xDB}, {SDL_SCANCODE_RGUI, 0xDC},
    {SDL_SCANCODE_APPLICATION, 0xDD}, {SDL_SCANCODE_POWER, 0xDE}, {SDL_SCANCODE_SLEEP, 0xDF},
    {SDL_SCANCODE_AC_SEARCH, 0xE5}, {SDL_SCANCODE_AC_BOOKMARKS, 0xE6}, {SDL_SCANCODE_AC_REFRESH, 0xE7},
    {SDL_SCANCODE_AC_STOP, 0xE8}, {SDL_SCANCODE_AC_FORWARD, 0xE9}, {SDL_SCANCODE_AC_BACK, 0xEA},
    {SDL_SCANCODE_COMPUTER, 0xEB}, {SDL_SCANCODE_MAIL, 0xEC}, {SDL_SCANCODE_MEDIASELECT, 0xED},
};

const std::array<uint8_t, SDL_NUM_SCANCODES>& ScanCodeTable() {
    static const std::array<uint8_t, SDL_NUM_SCANCODES> table = [] {
        std::array<uint8_t, SDL_NUM_SCANCODES> t{};
        for (const auto& [sdl, dik] : kScanCodes) t[sdl] = dik;
        return t;
    }();
    return table;
}

// Mouse buttons in the engine's order (left, right, middle, fourth) as SDL numbers them.
constexpr std::array<int, 4> kSdlButtons{SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1};

constexpr uint8_t kHeld = 0x80;
constexpr int32_t kWheelNotch = 120;

}  // namespace

uint8_t ScanCodeFromSdl(int32_t sdlScancode) {
    if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) return 0;
    return ScanCodeTable()[static_cast<size_t>(sdlScancode)];
}

struct SdlInput::Impl {
    bool open = false;
    bool keyboardAcquired = false, mouseAcquired = false;
    // Presses seen in events since the last read: reported held once even if already released.
    std::array<bool, 256> keyTaps{};
    std::array<bool, 4> buttonTaps{};
    int32_t dx = 0, dy = 0, dz = 0;
    uint32_t closeRequests = 0;
    std::array<SDL_GameController*, Input::kMaxPads> pads{};
    bool controllers = false;

    static void OnEvent(const SDL_Event& e, void* user) { static_cast<Impl*>(user)->Handle(e); }

    void Handle(const SDL_Event& e) {
        switch (e.type) {
        case SDL_KEYDOWN:
            if (uint8_t code = ScanCodeFromSdl(e.key.keysym.scancode)) keyTaps[code] = true;
            break;
        case SDL_MOUSEBUTTONDOWN:
            for (size_t i = 0; i < kSdlButtons.size(); ++i)
                if (e.button.button == kSdlButtons[i]) buttonTaps[i] = true;
            break;
        case SDL_MOUSEMOTION:
            dx += e.motion.xrel;
            dy += e.motion.yrel;
            break;
        case SDL_MOUSEWHEEL: {
            int32_t notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            dz += notches * kWheelNotch;
            break;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) LoseDevices();
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) ++closeRequests;
            break;
        case SDL_QUIT:
            ++closeRequests;
            break;
        case SDL_CONTROLLERDEVICEADDED:
            OpenPad(e.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            for (auto& pad : pads) {
                if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == e.cdevice.which) {
                    SDL_GameControllerClose(pad);
                    pad = nullptr;
                }
            }
            break;
        default:
            break;
        }
    }

    // Focus went elsewhere: the devices must be acquired again, and nothing seen before counts.
    void LoseDevices() {
        keyboardAcquired = mouseAcquired = false;
        keyTaps.fill(false);
        buttonTaps.fill(false);
        dx = dy = dz = 0;
    }

    void OpenPad(int deviceIndex) {
        if (!SDL_IsGameController(deviceIndex)) return;
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
        for (auto* pad : pads)
            if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return;
        for (auto& pad : pads) {
            if (!pad) {
                pad = SDL_GameControllerOpen(deviceIndex);
                return;
            }
        }
    }

    static bool Focused() { return SDL_GetKeyboardFocus() != nullptr; }
};

SdlInput::SdlInput() : impl_(std::make_unique<Impl>()) {}

SdlInput::~SdlInput() { Close(); }

bool SdlInput::Open() {
    if (impl_->open) return true;
    if (!sdl::InitSubsystem(SDL_INIT_VIDEO)) return false;
    impl_->open = true;
    sdl::AddEventListener(&Impl::OnEvent, impl_.get());
    // Game pads are optional: without the controller subsystem there are simply none.
    impl_->controllers = sdl::InitSubsystem(SDL_INIT_GAMECONTROLLER);
    if (impl_->controllers)
        for (int i = 0; i < SDL_NumJoysticks(); ++i) impl_->OpenPad(i);
    impl_->keyboardAcquired = impl_->mouseAcquired = Impl::Focused();
    return true;
}

void SdlInput::Close() {
    if (!impl_->open) return;
    for (auto& pad : impl_->pads) {
        if (pad) SDL_GameControllerClose(pad);
        pad = nullptr;
    }
    if (impl_->controllers) sdl::QuitSubsystem(SDL_INIT_GAMECONTROLLER);
    impl_->controllers = false;
    sdl::RemoveEventListener(&Impl::OnEvent, impl_.get());
    impl_->LoseDevices();
    impl_->open = false;
    sdl::QuitSubsystem(SDL_INIT_VIDEO);
}

void SdlInput::Pump() { sdl::PumpEvents(); }

bool SdlInput::Acquire(InputDevice device) {
    if (!impl_->open || !Impl::Focused()) return false;
    if (device == InputDevice::Keyboard) impl_->keyboardAcquired = true;
    if (device == InputDevice::Mouse) impl_->mouseAcquired = true;
    return true;
}

ReadResult SdlInput::ReadKeyboard(KeyboardState& keys) {
    if (!impl_->open) return ReadResult::Failed;
    if (!impl_->keyboardAcquired || !Impl::Focused()) {
        impl_->keyboardAcquired = false;
        return ReadResult::NotAcquired;
    }
    keys.fill(0);
    int n = 0;
    const Uint8* sdlKeys = SDL_GetKeyboardState(&n);
    for (int i = 0; i < n; ++i)
        if (sdlKeys[i])
            if (uint8_t code = ScanCodeFromSdl(i)) keys[code] = kHeld;
    for (size_t code = 1; code < keys.size(); ++code)
        if (impl_->keyTaps[code]) keys[code] = kHeld;
    impl_->keyTaps.fill(false);
    return ReadResult::Ok;
}

ReadResult SdlInput::ReadMouse(MouseReading& mouse) {
    if (!impl_->open) return ReadResult::Failed;
    if (!impl_->mouseAcquired || !Impl::Focused()) {
        impl_->mouseAcquired = false;
        return ReadResult::NotAcquired;
    }
    Uint32 held = SDL_GetMouseState(nullptr, nullptr);
    for (size_t i = 0; i < kSdlButtons.size(); ++i) {
        bool down = (held & SDL_BUTTON(kSdlButtons[i])) != 0 || impl_->buttonTaps[i];
        mouse.buttons[i] = down ? kHeld : 0;
    }
    mouse.dx = impl_->dx;
    mouse.dy = impl_->dy;
    mouse.dz = impl_->dz;
    impl_->dx = impl_->dy = impl_->dz = 0;
    impl_->buttonTaps.fill(false);
    return ReadResult::Ok;
}

void SdlInput::PointerPosition(int32_t& x, int32_t& y) {
    int px = 0, py = 0;
    if (impl_->open) SDL_GetMouseState(&px, &py);
    x = px;
    y = py;
}

int32_t SdlInput::PadCount() const {
    return static_cast<int32_t>(std::count_if(impl_->pads.begin(), impl_->pads.end(), [](auto* p) { return p; }));
}

ReadResult SdlInput::ReadPad(int32_t pad, PadReading& state) {
    if (pad < 0 || pad >= kMaxPads) return ReadResult::Failed;
    SDL_GameController* c = impl_->pads[static_cast<size_t>(pad)];
    if (!c || !SDL_GameControllerGetAttached(c)) return ReadResult::Failed;
    state.x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    state.y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    state.z = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    state.rx = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    state.ry = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY);
    state.rz = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (size_t b = 0; b < state.buttons.size(); ++b) {
        bool down = b < SDL_CONTROLLER_BUTTON_MAX &&
                    SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)) != 0;
        state.buttons[b] = down ? kHeld : 0;
    }
    return ReadResult::Ok;
}

bool SdlInput::HasFocus() const { return impl_->open && Impl::Focused(); }

uint32_t SdlInput::CloseRequests() const { return impl_->closeRequests; }

}  // namespace plm::platform
