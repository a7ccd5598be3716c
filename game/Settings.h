#pragma once
// The settings file "config.dat" beside the program, the window size steps, the music volume and
// gamma, and the function keys every frame loop handles.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

constexpr const char* kConfigFileName = "config.dat";

// True when the file exists and holds at least 2 bytes.
bool FileHasData(const std::string& path);
// The defaults, then the file's values when it holds data; a bad field keeps the values read
// before it and the defaults after it.
void LoadConfig();
// Reads the settings file's text over the current values, field by field, stopping at the first
// bad one. Volumes and gamma are held to 0..100; double quotes and control characters are
// dropped from the player's name.
void ReadConfig(std::string_view text);
// The name as the high-score file can store it: no double quotes, no control characters.
std::string CleanPlayerName(const std::string& name);
// The settings file's text for the current values.
std::string ConfigText();
// Writes the file whole or not at all; false when it could not be written.
bool SaveConfig();

// Windowed: gives the game window its outer size at the size step and centres it.
void ApplyWindowScale();
// Every loaded music slot at MusicVolume.
void ApplyMusicVolume();
// The lowest GammaSetting the display is given: 15, a factor of 0.3.
constexpr int32_t kGammaFloor = 15;
// The display's gamma from GammaSetting (50 is 1.0), never below the floor.
void ApplyGamma();
// The frame cap that FixedDelta stands for, on the engine of a new session (which starts
// without one).
void ApplyFrameCap();
// F: the engine's info line; F1, F2, F3: 20, 30 or no frames a second with FixedDelta to match;
// F11, F12: the window one size step smaller or larger, wrapping between 1 and 9.
void HandleFunctionKeys();

}  // namespace tessaly
