#include "Settings.h"

#include <algorithm>
#include <filesystem>

#include "GameState.h"
#include "core/Convert.h"
#include "core/FileIO.h"
#include "core/PelmarEngine.h"
#include "core/TextFieldReader.h"
#include "core/TextFieldWriter.h"
#include "desktop/GameWindow.h"

namespace tessaly {

namespace {

// A settings file is seven short fields; anything larger is not one.
constexpr uint64_t kMaxConfigBytes = 64 * 1024;
constexpr int32_t kSizeSteps = 9;

std::string ConfigPath() {
    std::string folder = Game().Run.Folder;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder + kConfigFileName;
}

int32_t Percent(int32_t value) { return std::clamp(value, 0, 100); }

// F1, F2 and F3: a frame cap and the fixed frame time that goes with it.
void SetFrameCap(int32_t framesPerSecond) {
    E().Scene()->FrameRate(framesPerSecond);
    Game().Frame.FixedDelta = framesPerSecond > 0 ? 1000.0f / static_cast<float>(framesPerSecond) : 0.0f;
}

void StepWindowSize(int32_t by) {
    int32_t& step = Game().Settings.WindowSizeStep;
    step += by;
    if (step < 1) step = kSizeSteps;
    if (step > kSizeSteps) step = 1;
    ApplyWindowScale();
}

}  // namespace

std::string CleanPlayerName(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c != '"' && byte >= 32 && byte != 127) out += c;
    }
    return out;
}

bool FileHasData(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return !ec && size >= 2;
}

void ReadConfig(std::string_view text) {
    SettingsArea& s = Game().Settings;
    plm::TextFieldReader in(text);
    int32_t number = 0;
    std::string name;
    if (!in.ReadBool(s.TrueColor) || !in.ReadBool(s.FullScreen)) return;
    if (!in.ReadWhole(number)) return;
    s.SoundVolume = Percent(number);
    if (!in.ReadWhole(number)) return;
    s.MusicVolume = Percent(number);
    if (!in.ReadWhole(number)) return;
    s.GammaSetting = Percent(number);
    if (!in.ReadBool(s.VSync) || !in.ReadString(name)) return;
    s.CurrentPlayer = CleanPlayerName(name);
}

void LoadConfig() {
    Game().Settings = SettingsArea{.WindowSizeStep = Game().Settings.WindowSizeStep,
                                   .BaseWindowWidth = Game().Settings.BaseWindowWidth,
                                   .BaseWindowHeight = Game().Settings.BaseWindowHeight};
    const std::string path = ConfigPath();
    // A save of an earlier run killed mid-way may have left its temporary file.
    plm::RemoveStaleTemporaries(path);
    std::string text;
    if (FileHasData(path) && plm::ReadWholeFile(path, text, kMaxConfigBytes)) ReadConfig(text);
}

std::string ConfigText() {
    const SettingsArea& s = Game().Settings;
    plm::TextFieldWriter out;
    out.Bool(s.TrueColor);
    out.EndLine();
    out.Bool(s.FullScreen);
    out.EndLine();
    for (int32_t v : {s.SoundVolume, s.MusicVolume, s.GammaSetting}) {
        out.Whole(v);
        out.EndLine();
    }
    out.Bool(s.VSync);
    out.EndLine();
    out.String(s.CurrentPlayer);
    out.EndLine();
    return out.Bytes();
}

bool SaveConfig() { return plm::WriteWholeFile(ConfigPath(), ConfigText()); }

void ApplyWindowScale() {
    const SettingsArea& s = Game().Settings;
    desktop::GameWindow* window = Game().Run.GameForm.get();
    if (s.FullScreen || !window) return;
    const double factor = 0.5 + 0.25 * (s.WindowSizeStep - 1);
    window->ResizeCentred(plm::RoundHalfEven(s.BaseWindowWidth * factor), plm::RoundHalfEven(s.BaseWindowHeight * factor));
}

void ApplyMusicVolume() {
    for (int32_t slot = 1; slot <= Game().Media.MusicCount; ++slot) E().Music()->Volume(slot, Game().Settings.MusicVolume);
}

// Below the floor the screen, the gamma slider included, would be too dark to read or set back.
void ApplyGamma() {
    const int32_t setting = std::max(Game().Settings.GammaSetting, kGammaFloor);
    E().Scene()->SetGammaCorrection(static_cast<float>(setting) * 0.02f);
}

void ApplyFrameCap() {
    const float fixed = Game().Frame.FixedDelta;
    if (fixed > 0) E().Scene()->FrameRate(plm::RoundHalfEven(1000.0 / fixed));
}

void HandleFunctionKeys() {
    plm::PelmarEngine& e = E();
    plm::Key& key = *e.Key();
    // While the player's name is typed, F is a letter of it.
    if (!Game().Title.EnteringName && key.PressedOnce(kKeyF)) e.Scene()->SceneInfo(!e.Scene()->SceneInfo());
    if (key.PressedOnce(kKeyF1)) SetFrameCap(20);
    if (key.PressedOnce(kKeyF2)) SetFrameCap(30);
    if (key.PressedOnce(kKeyF3)) SetFrameCap(0);
    if (key.PressedOnce(kKeyF11)) StepWindowSize(-1);
    if (key.PressedOnce(kKeyF12)) StepWindowSize(1);
}

}  // namespace tessaly
