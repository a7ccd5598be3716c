#pragma once
// The launcher, the first window the player sees and the one the program returns to after every
// session: a picture with four buttons (Play, other games, About, Help) that light under the
// pointer and show tooltips, and the about box it opens modally.
#include <cstdint>
#include <memory>
#include <string>

#include "desktop/EventWatch.h"

namespace tessaly {

namespace desktop {
class PictureWindow;
}

constexpr const char* kLauncherCaption = "Tessaly";
constexpr const char* kAboutCaption = "About...";
// How long the pointer rests on a button before its tooltip shows, in ms.
constexpr uint32_t kTooltipDelay = 500;

class Launcher {
public:
    Launcher();
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Opens the window with every button in its normal picture; false, with `error` set, when it
    // cannot be opened.
    bool Open(std::string& error);
    // Handles one event of the launcher or its about box.
    void OnEvent(const desktop::WindowEvent& event, uint32_t nowMs);
    // Shows a tooltip that is due and draws the windows that changed; false once the launcher has
    // closed (Play chosen, the window closed, or the program asked to end).
    bool Frame(uint32_t nowMs);

    int32_t Handle() const;
    int32_t AboutHandle() const;  // 0 while the about box is not shown
    bool Lit(int button) const { return lit_[button]; }
    int TooltipShown() const { return tooltipShown_ ? hover_ : -1; }

    // AllDown: every button back to its normal picture.
    void AllDown();
    // The buttons' actions.
    void Play();
    void OpenOtherGames();
    void ShowAbout();
    void OpenHelp();

private:
    void HandleLauncher(const desktop::WindowEvent& event, uint32_t nowMs);
    void HandleAbout(const desktop::WindowEvent& event);
    void CloseAbout();
    void Draw();
    void DrawAbout();

    std::unique_ptr<desktop::PictureWindow> window_, about_;
    bool closed_ = false;
    bool dirty_ = true, aboutDirty_ = true;
    bool lit_[4] = {false, false, false, false};
    int pressed_ = -1;  // the button the left button went down on
    int hover_ = -1;    // the button under the pointer
    uint32_t hoverSince_ = 0;
    bool tooltipShown_ = false;
    float tooltipX_ = 0, tooltipY_ = 0;
    bool okPressed_ = false, okDown_ = false;  // pressed on Ok; shown down (pointer still on it)
};

// Program start step 1: shows the launcher modally until it closes. Game().Run.PlayChosen tells
// whether Play ended it. False, with `error` set, when the launcher cannot be opened.
bool ShowLauncher(std::string& error);

// The first field of the link file's text: the address to open ("" when there is none).
std::string LinkFileAddress(const std::string& text);

}  // namespace tessaly
