#include "Launcher.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "GameState.h"
#include "MediaLayout.h"
#include "core/TextFieldReader.h"
#include "desktop/Desktop.h"
#include "desktop/MessageBoxes.h"
#include "desktop/PictureWindow.h"
#include "desktop/Shell.h"

namespace tessaly {
namespace {

using desktop::WindowEvent;
using desktop::WindowEventKind;
namespace media = tessaly::media;

bool Inside(const media::Rect& r, float x, float y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

// The button under the pointer, or -1 over the background.
int ButtonAt(float x, float y) {
    for (int b = 0; b < media::kLauncherButtons; ++b) {
        const media::Point at = media::kLauncherButtonAt[b];
        const media::Rect normal = media::LauncherButtonNormal(b);
        if (Inside({at.x, at.y, normal.w, normal.h}, x, y)) return b;
    }
    return -1;
}

bool OverOk(float x, float y) {
    return Inside({media::kAboutOkAt.x, media::kAboutOkAt.y, media::kAboutOkUp.w, media::kAboutOkUp.h}, x, y);
}

// The program's folder with a final separator.
std::string FolderWithSlash() {
    std::string p = Game().Run.Folder;
    if (p.empty() || p.back() != '/') p += '/';
    return p;
}

desktop::DesktopRecorder* Recorder() { return Game().Run.Recorder.get(); }

void Draw(desktop::PictureWindow& w, const media::Rect& src, int x, int y) { w.Draw(src.x, src.y, src.w, src.h, x, y); }

}  // namespace

std::string LinkFileAddress(const std::string& text) {
    plm::TextFieldReader reader(text);
    std::string link;
    return reader.ReadString(link) ? link : "";
}

Launcher::Launcher() = default;
Launcher::~Launcher() = default;

bool Launcher::Open(std::string& error) {
    window_ = desktop::PictureWindow::Open(kLauncherCaption, media::kLauncherBackground.w, media::kLauncherBackground.h,
                                           FolderWithSlash() + media::kLauncherPicture, 0, error);
    closed_ = !window_;
    dirty_ = true;
    return window_ != nullptr;
}

int32_t Launcher::Handle() const { return window_ ? window_->Handle() : 0; }
int32_t Launcher::AboutHandle() const { return about_ ? about_->Handle() : 0; }

void Launcher::AllDown() {
    for (bool& l : lit_) {
        if (l) dirty_ = true;
        l = false;
    }
}

void Launcher::OnEvent(const WindowEvent& event, uint32_t nowMs) {
    if (closed_) return;
    if (event.Kind == WindowEventKind::Quit) {
        // The program is asked to end: the launcher closes without Play.
        CloseAbout();
        closed_ = true;
        return;
    }
    if (about_ && event.Window == about_->Handle()) {
        HandleAbout(event);
        return;
    }
    // While the about box shows, the launcher takes no input (it is modal).
    if (!about_ && event.Window == Handle()) HandleLauncher(event, nowMs);
}

void Launcher::HandleLauncher(const WindowEvent& event, uint32_t nowMs) {
    const int b = ButtonAt(event.X, event.Y);
    switch (event.Kind) {
    case WindowEventKind::Close: closed_ = true; break;
    case WindowEventKind::PointerMoved:
        // Over a button it lights (the others keep their pictures); over the background all unlight.
        if (b >= 0) {
            if (!lit_[b]) dirty_ = true;
            lit_[b] = true;
        } else {
            AllDown();
        }
        if (b != hover_) {
            if (tooltipShown_) dirty_ = true;
            tooltipShown_ = false;
            hover_ = b;
            hoverSince_ = nowMs;
        }
        tooltipX_ = event.X;
        tooltipY_ = event.Y;
        break;
    case WindowEventKind::PointerPressed:
        pressed_ = b;
        if (tooltipShown_) dirty_ = true;
        tooltipShown_ = false;
        break;
    case WindowEventKind::PointerReleased: {
        const int was = pressed_;
        pressed_ = -1;
        if (b < 0 || b != was) break;
        switch (b) {
        case media::kLauncherPlay: Play(); break;
        case media::kLauncherOtherGames: OpenOtherGames(); break;
        case media::kLauncherAbout: ShowAbout(); break;
        case media::kLauncherHelp: OpenHelp(); break;
        default: break;
        }
        break;
    }
    default: break;
    }
}

void Launcher::HandleAbout(const WindowEvent& event) {
    switch (event.Kind) {
    case WindowEventKind::Close:
    case WindowEventKind::Confirm:  // Ok is the default button
    case WindowEventKind::Cancel: CloseAbout(); break;
    case WindowEventKind::PointerPressed:
        okPressed_ = okDown_ = OverOk(event.X, event.Y);
        aboutDirty_ = true;
        break;
    case WindowEventKind::PointerMoved:
        if (okPressed_ && okDown_ != OverOk(event.X, event.Y)) {
            okDown_ = !okDown_;
            aboutDirty_ = true;
        }
        break;
    case WindowEventKind::PointerReleased:
        if (okPressed_ && OverOk(event.X, event.Y)) {
            CloseAbout();
        } else {
            okPressed_ = okDown_ = false;
            aboutDirty_ = true;
        }
        break;
    default: break;
    }
}

void Launcher::Play() {
    AllDown();
    Game().Run.PlayChosen = true;
    CloseAbout();
    closed_ = true;
}

void Launcher::OpenHelp() {
    const std::string target = FolderWithSlash() + media::kHelpFile;
    if (!desktop::OpenFile(target, Recorder()))
        desktop::ShowMessageBox("Failed To Launch Default Web Browser!", "Error launching " + target, Recorder());
}

void Launcher::OpenOtherGames() {
    // The link file's name ends in a blank; it is opened by exactly that name.
    const std::string path = FolderWithSlash() + media::kLinkFile;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    if (in) text << in.rdbuf();
    const std::string link = in ? LinkFileAddress(text.str()) : "";
    if (!in || link.empty()) {
        desktop::ShowMessageBox("Error", "The list of other games could not be read from " + path + ".", Recorder());
        return;
    }
    // Only a web address goes to the shell; anything else in the file is refused like a failed launch.
    if (!desktop::OpenWebAddress(link, Recorder()))
        desktop::ShowMessageBox("Failed To Web Browser!", "Error launching " + link, Recorder());
}

void Launcher::ShowAbout() {
    if (about_) return;
    std::string error;
    about_ = desktop::PictureWindow::Open(kAboutCaption, media::kAboutBackground.w, media::kAboutBackground.h,
                                          FolderWithSlash() + media::kAboutPicture, Handle(), error);
    if (!about_) {
        desktop::ShowMessageBox("Error", "The about box could not be shown: " + error, Recorder());
        return;
    }
    okPressed_ = okDown_ = false;
    aboutDirty_ = true;
    if (tooltipShown_) dirty_ = true;
    tooltipShown_ = false;
    hover_ = -1;
}

void Launcher::CloseAbout() {
    if (!about_) return;
    about_.reset();
    okPressed_ = okDown_ = false;
    dirty_ = true;
}

bool Launcher::Frame(uint32_t nowMs) {
    if (closed_) {
        about_.reset();
        window_.reset();  // the launcher unloads itself
        return false;
    }
    if (!about_ && hover_ >= 0 && !tooltipShown_ && pressed_ < 0 && media::kLauncherTooltip[hover_].w > 0 &&
        nowMs - hoverSince_ >= kTooltipDelay) {
        tooltipShown_ = true;
        dirty_ = true;
    }
    if (dirty_) Draw();
    if (about_ && aboutDirty_) DrawAbout();
    return true;
}

void Launcher::Draw() {
    desktop::PictureWindow& w = *window_;
    tessaly::Draw(w, media::kLauncherBackground, 0, 0);
    for (int b = 0; b < media::kLauncherButtons; ++b) {
        const media::Point at = media::kLauncherButtonAt[b];
        tessaly::Draw(w, lit_[b] ? media::LauncherButtonLit(b) : media::LauncherButtonNormal(b), at.x, at.y);
    }
    if (tooltipShown_) {
        // Below the pointer, kept inside the window.
        const media::Rect tip = media::kLauncherTooltip[hover_];
        const int x = std::clamp(static_cast<int>(tooltipX_), 0, w.Width() - tip.w);
        int y = static_cast<int>(tooltipY_) + 22;
        if (y + tip.h > w.Height()) y = static_cast<int>(tooltipY_) - tip.h - 4;
        tessaly::Draw(w, tip, x, y);
    }
    w.Present();
    dirty_ = false;
}

void Launcher::DrawAbout() {
    desktop::PictureWindow& w = *about_;
    tessaly::Draw(w, media::kAboutBackground, 0, 0);
    tessaly::Draw(w, okDown_ ? media::kAboutOkDown : media::kAboutOkUp, media::kAboutOkAt.x, media::kAboutOkAt.y);
    w.Present();
    aboutDirty_ = false;
}

bool ShowLauncher(std::string& error) {
    Game().Run.PlayChosen = false;
    Launcher launcher;
    if (!launcher.Open(error)) return false;
    while (launcher.Frame(desktop::DesktopTicks())) {
        desktop::WindowEvent event;
        // Wakes for the tooltip's delay even when no event comes.
        if (desktop::NextWindowEvent(event, 100)) {
            launcher.OnEvent(event, desktop::DesktopTicks());
            while (desktop::NextWindowEvent(event, 0)) launcher.OnEvent(event, desktop::DesktopTicks());
        }
    }
    return true;
}

}  // namespace tessaly
