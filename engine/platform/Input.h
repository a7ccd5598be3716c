#pragma once
// Keyboard, mouse and game pads as the engine reads them once a frame: 256 key bytes by
// DirectInput scan code, the mouse as relative moves since the last read with a wheel and four
// buttons, the pointer's absolute position in the window, and up to two game pads. A held key or
// button has bit 0x80 set. A read that fails tells the caller so, and the caller re-acquires.
#include <array>
#include <cstdint>
#include <memory>

namespace plm::platform {

// The result of a device read. NotAcquired: the device was taken away (focus loss) and must be
// acquired again before it reads; Failed: any other failure.
enum class ReadResult { Ok, NotAcquired, Failed };

// Scan codes of the keys the engine and the game name.
enum ScanCode : uint8_t {
    kScanEscape = 1, kScanBackspace = 14, kScanEnter = 28, kScanA = 30, kScanS = 31, kScanF = 33,
    kScanSpace = 57, kScanF1 = 59, kScanF2 = 60, kScanF3 = 61, kScanF11 = 87, kScanF12 = 88,
    kScanKeypadEnter = 156, kScanInsert = 210
};
// The scan codes of the letters A to Z, in alphabetical order (the keyboard's rows).
constexpr std::array<uint8_t, 26> kLetterScanCodes{30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                                   49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

using KeyboardState = std::array<uint8_t, 256>;

struct MouseReading {
    int32_t dx = 0, dy = 0, dz = 0;     // moves since the last read; dz 120 per wheel notch
    std::array<uint8_t, 4> buttons{};  // left, right, middle, fourth; 0x80 = held
};

struct PadReading {
    int32_t x = 0, y = 0, z = 0;     // left stick, left trigger: -32768..32767
    int32_t rx = 0, ry = 0, rz = 0;  // right stick, right trigger
    std::array<uint8_t, 16> buttons{};  // 0x80 = held
};

enum class InputDevice { Keyboard, Mouse, Pad1, Pad2 };

class Input {
public:
    static constexpr int kMaxPads = 2;

    virtual ~Input() = default;
    // Opens the keyboard, the mouse and up to two game pads (none present is not an error).
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Lets the window system deliver its pending events (focus, close, keys, moves).
    virtual void Pump() = 0;
    virtual bool Acquire(InputDevice device) = 0;
    virtual ReadResult ReadKeyboard(KeyboardState& keys) = 0;
    virtual ReadResult ReadMouse(MouseReading& mouse) = 0;
    // The pointer's position in the window's client area, in window pixels.
    virtual void PointerPosition(int32_t& x, int32_t& y) = 0;
    virtual int32_t PadCount() const = 0;
    // pad 0 or 1; Failed when that pad is not there.
    virtual ReadResult ReadPad(int32_t pad, PadReading& state) = 0;
    // True while the window the input belongs to has the focus.
    virtual bool HasFocus() const = 0;
    // Counts the window system's requests to close the window, so a waiting caller can stop.
    virtual uint32_t CloseRequests() const = 0;
};

// The input of the running program: the SDL backend when SDL video runs on a real display,
// otherwise a headless input that opens and reads nothing.
std::shared_ptr<Input> CreateInput();

// An input that reads nothing: no key held, no move, no pad; every read succeeds.
std::shared_ptr<Input> CreateHeadlessInput();

}  // namespace plm::platform
