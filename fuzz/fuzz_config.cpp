// Fuzzes the game's settings file reader with arbitrary files. Whatever the file, the volumes and
// gamma stay within 0..100 and the player's name holds no double quote or control character; and
// what the settings writer makes of the result reads back to the same values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/GameState.h"
#include "game/Settings.h"

namespace {

bool Sound(const tessaly::SettingsArea& s) {
    for (int32_t v : {s.SoundVolume, s.MusicVolume, s.GammaSetting})
        if (v < 0 || v > 100) return false;
    for (char c : s.CurrentPlayer)
        if (c == '"' || static_cast<unsigned char>(c) < 32 || c == 127) return false;
    return true;
}

bool Same(const tessaly::SettingsArea& a, const tessaly::SettingsArea& b) {
    return a.TrueColor == b.TrueColor && a.FullScreen == b.FullScreen && a.SoundVolume == b.SoundVolume &&
           a.MusicVolume == b.MusicVolume && a.GammaSetting == b.GammaSetting && a.VSync == b.VSync &&
           a.CurrentPlayer == b.CurrentPlayer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::SettingsArea& s = tessaly::Game().Settings;
    s = {};
    tessaly::ReadConfig(std::string(reinterpret_cast<const char*>(data), size));
    if (!Sound(s)) std::abort();
    const tessaly::SettingsArea read = s;
    const std::string text = tessaly::ConfigText();
    s = {false, true, 1, 2, 3, false, "X"};
    tessaly::ReadConfig(text);
    if (!Same(s, read)) std::abort();
    return 0;
}
