// The program as a player starts it, on the test display: Tessaly from its build folder shows the
// launcher; a click on Play (xdotool) opens the 800 x 600 game window; closing the windows (the
// window system's close request, as a window manager sends it) ends the program with 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "game/GameFixture.h"
#include "game/MediaLayout.h"
#include "platform/ImageCodec.h"
#include "platform/TestDisplay.h"

// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/Xlib.h>

extern char** environ;

namespace {

namespace media = tessaly::media;

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    return out;
}

struct WindowInfo {
    unsigned long id = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

// The shown window named exactly "Tessaly" with the given client size, waited for up to 15 s.
std::optional<WindowInfo> WaitForWindow(int w, int h) {
    for (int i = 0; i < 150; ++i) {
        std::string ids = Output("xdotool search --onlyvisible --name '^Tessaly$' 2>/dev/null");
        size_t start = 0;
        while (start < ids.size()) {
            size_t end = ids.find('\n', start);
            const std::string id = ids.substr(start, end - start);
            start = end == std::string::npos ? ids.size() : end + 1;
            if (id.empty()) continue;
            WindowInfo info;
            info.id = std::stoul(id);
            const std::string geo = Output("xdotool getwindowgeometry --shell " + id);
            std::sscanf(geo.c_str(), "WINDOW=%*lu X=%d Y=%d WIDTH=%d HEIGHT=%d", &info.x, &info.y, &info.w, &info.h);
            if (info.w == w && info.h == h) return info;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

// Sends the window the close request a window manager would (WM_DELETE_WINDOW).
void RequestClose(unsigned long window) {
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &e);
    XFlush(d);
    XCloseDisplay(d);
}

// The exit status of the child, waited for up to 15 s; nullopt when it is still running.
std::optional<int> WaitForExit(pid_t pid) {
    for (int i = 0; i < 150; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

// The colour (RGB) of a pixel of the whole display.
std::optional<uint32_t> DisplayPixel(const std::string& shot, int x, int y) {
    plm::platform::Image img;
    std::string error;
    if (!plm::platform::LoadImageFile(shot, img, error)) return std::nullopt;
    return img.pixels[static_cast<size_t>(y) * static_cast<size_t>(img.width) + static_cast<size_t>(x)] & 0xFFFFFFu;
}

TEST(TessalyXvfb, LauncherPlayOpensTheGameWindowAndClosingEndsTheProgram) {
    if (!plmtest::UseTestDisplay()) GTEST_SKIP() << "PLM_XDISPLAY is not set";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string program = plmtest::BuildBinFile("Tessaly");
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    struct Reaper {
        pid_t pid;
        ~Reaper() {
            if (waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    } reaper{pid};

    const auto launcher = WaitForWindow(media::kLauncherBackground.w, media::kLauncherBackground.h);
    ASSERT_TRUE(launcher) << "no launcher";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // A screenshot for a person to look at, and the Play button where it belongs.
    const media::Point play = media::kLauncherButtonAt[media::kLauncherPlay];
    const int px = launcher->x + play.x + 75, py = launcher->y + play.y + 52;
    const std::string display = std::getenv("DISPLAY");
    const std::string shot = plmtest::BuildBinFile("../launcher-screenshot.png");
    // The window can be mapped before its first frame is drawn: look again for up to 3 s.
    if (std::system("command -v import >/dev/null 2>&1") == 0) {
        std::optional<uint32_t> green;
        for (int i = 0; i < 30; ++i) {
            if (std::system(("import -display " + display + " -window root '" + shot + "' >/dev/null 2>&1").c_str()) == 0)
                green = DisplayPixel(shot, px, py);
            if (green && ((*green >> 8) & 255) > (*green >> 16) + 20) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_TRUE(green);
        const uint32_t r = *green >> 16, g = (*green >> 8) & 255, b = *green & 255;
        EXPECT_GT(g, r + 20) << std::hex << *green;  // the green Play button
        EXPECT_GT(g, b + 20) << std::hex << *green;
    }

    Output("xdotool mousemove " + std::to_string(px) + " " + std::to_string(py) + " click 1");
    const auto game = WaitForWindow(800, 600);
    ASSERT_TRUE(game) << "no game window";
    RequestClose(game->id);
    // The session ends and the launcher comes back; closing it ends the program.
    const auto again = WaitForWindow(media::kLauncherBackground.w, media::kLauncherBackground.h);
    ASSERT_TRUE(again) << "no launcher after the session";
    RequestClose(again->id);
    const auto status = WaitForExit(pid);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, 0);
}

}  // namespace
