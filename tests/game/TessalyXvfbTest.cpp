// The program as a player meets it, on the test display: Tessaly from its build folder shows the
// launcher; xdotool clicks Play, then the main menu's third mode, its page's Play, and on the
// picture carousel the next picture, a higher start level and Play; the test reads the board from
// the window's pixels, clicks gems that clear runs, opens the in-game menu and goes on, then
// drops rows until the game is over; the title opens on the mode's high scores with the new row
// in green; closing the windows (the window manager's close request) ends the program with 0,
// leaving its settings, its high scores and a log free of errors.
//
// Every wait is on what the window shows: the window's pixels are compared with the pictures
// the game draws them from (unpacked from the build's media.pak), so a slow software renderer
// only makes the test slower.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "core/Pak.h"
#include "game/Board.h"
#include "game/GameFixture.h"
#include "game/MediaLayout.h"
#include "platform/ImageCodec.h"
#include "platform/TestDisplay.h"
#include "ui/HighScores.h"

// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
namespace media = tessaly::media;
using plm::platform::Image;
using Clock = std::chrono::steady_clock;

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

// Calls `done` every 100 ms until it is true or `seconds` have passed; its last answer.
bool WaitUntil(const std::function<bool()>& done, double seconds) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (done()) return true;
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// The shown window named exactly "Tessaly" with the given client size.
std::optional<WindowInfo> FindWindow(int w, int h) {
    const std::string ids = Output("xdotool search --onlyvisible --name '^Tessaly$' 2>/dev/null");
    size_t start = 0;
    while (start < ids.size()) {
        const size_t end = ids.find('\n', start);
        const std::string id = ids.substr(start, end - start);
        start = end == std::string::npos ? ids.size() : end + 1;
        if (id.empty()) continue;
        WindowInfo info;
        info.id = std::stoul(id);
        const std::string geo = Output("xdotool getwindowgeometry --shell " + id);
        std::sscanf(geo.c_str(), "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &info.x, &info.y, &info.w, &info.h);
        if (info.w == w && info.h == h) return info;
    }
    return std::nullopt;
}

std::optional<WindowInfo> WaitForWindow(int w, int h, double seconds = 20) {
    std::optional<WindowInfo> found;
    WaitUntil([&] { return (found = FindWindow(w, h)).has_value(); }, seconds);
    return found;
}

// Sends the window the close request a window manager would (WM_DELETE_WINDOW).
void RequestClose(Display* d, unsigned long window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &e);
    XFlush(d);
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 255u); }

// Whether the screen shows the opaque pixels of `sheet`'s rectangle r at (x, y): at most one in
// ten may differ by more than a small tolerance (the gamma of the default settings is the
// identity). Gives up at the first pixel past that share.
bool Shows(const Image& screen, int x, int y, const Image& sheet, const media::Rect& r) {
    int opaque = 0, differ = 0;
    for (int sy = 0; sy < r.h; ++sy)
        for (int sx = 0; sx < r.w; ++sx) {
            const uint32_t want = sheet.pixels[static_cast<size_t>(r.y + sy) * sheet.width + r.x + sx];
            if ((want >> 24) != 255) continue;
            ++opaque;
            const int px = x + sx, py = y + sy;
            int diff = 255;
            if (px >= 0 && py >= 0 && px < screen.width && py < screen.height) {
                const uint32_t got = screen.pixels[static_cast<size_t>(py) * screen.width + px];
                diff = 0;
                for (int shift : {0, 8, 16}) diff += std::abs(Channel(want, shift) - Channel(got, shift));
            }
            if (diff > 30 && ++differ > r.w * r.h / 10) return false;
        }
    return opaque > 0 && differ * 10 <= opaque;
}

// Mean per-channel difference of two screens over a rectangle.
double Difference(const Image& a, const Image& b, int x, int y, int w, int h) {
    double sum = 0;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px) {
            const uint32_t p = a.pixels[static_cast<size_t>(py) * a.width + px], q = b.pixels[static_cast<size_t>(py) * b.width + px];
            for (int shift : {0, 8, 16}) sum += std::abs(Channel(p, shift) - Channel(q, shift));
        }
    return sum / (3.0 * w * h);
}

// A board cell in the game space (the window's client pixels at natural size).
struct Cell {
    int x, y;
    int left() const { return media::kBoardOrigin.x + tessaly::kCellSize * x; }
    int top() const { return media::kBoardOrigin.y + tessaly::kCellSize * y; }
    int centreX() const { return left() + tessaly::kCellSize / 2; }
    int centreY() const { return top() + tessaly::kCellSize / 2; }
};

constexpr int kGemKinds = 19;  // the colour gems, the bomb and the special gems
constexpr int kColumns = tessaly::kBoardRight - tessaly::kBoardLeft + 1, kRows = tessaly::kPlayBottom - tessaly::kPlayTop + 1;
// The board as the window shows it: the kind at rest in each cell, 0 for an empty or unclear one.
using BoardPicture = std::array<std::array<int, kColumns>, kRows>;

// The mode whose Play button opens the picture carousel.
constexpr int32_t kCarouselMode = 3;

class TessalyXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        if (!plmtest::UseTestDisplay()) GTEST_SKIP() << "PLM_XDISPLAY is not set";
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        LoadSheets();
        // The program's folder starts without the files a session writes, so the test sees its own.
        for (const char* name : {"config.dat", media::kScoresFile, "data.log"}) fs::remove(plmtest::BuildBinFile(name));
        WriteScores();
        shots = plmtest::BuildBinFile("../xvfb-shots");
        fs::create_directories(shots);
    }
    void TearDown() override {
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (display) XCloseDisplay(display);
    }

    // The game's sheet and the title's picture, as the game unpacks them from its archive.
    void LoadSheets() {
        plmtest::TempFolder folder;
        fs::create_symlink(plmtest::BuildBinFile(media::kPakName), folder.file(media::kPakName));
        plm::ResetState();
        plm::State().EnginePath = folder.path();
        ASSERT_TRUE(plm::Pak().UnPack(media::kPakName, media::kPakPassword, media::kPakKey, false, ""));
        std::string error;
        ASSERT_TRUE(plm::platform::LoadImageFile(folder.file("t1.png"), sheet, error)) << error;
        ASSERT_TRUE(plm::platform::LoadImageFile(folder.file("title.png"), title, error)) << error;
        ASSERT_TRUE(plm::platform::LoadImageFile(folder.file("modes.png"), modes, error)) << error;
        ASSERT_TRUE(plm::platform::LoadImageFile(folder.file("previews.png"), previews, error)) << error;
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(plm::platform::LoadImageFile(folder.file(std::to_string(i + 1) + "b.jpg"), backgrounds[i], error))
                << error;
        plm::DeleteUnpackedFiles();
        plm::ResetState();
    }

    // A scores file whose third table a short game can enter half way down; the others hold the
    // game's default rows.
    static void WriteScores() {
        plm::ResetState();
        plm::State().EnginePath = plmtest::BuildBinFile("");
        plm::HighScores scores;
        scores.Init(media::kScoresFile, 10, 1000, 5);
        for (int32_t table = 1; table <= 5; ++table)
            for (int32_t place = 1; place <= 10; ++place) scores.SetHighScore(place, "GUEST", -1, "1", "", table);
        const std::array<const char*, 10> names{"ADA", "BORIS", "CLEO", "DMITRI", "EVA", "FINN", "GRETA", "HUGO", "IRIS", "JUN"};
        const std::array<int32_t, 10> points{500, 400, 300, 200, 150, 100, 50, 40, 30, 20};
        for (int32_t place = 1; place <= 10; ++place)
            scores.SetHighScore(place, names[place - 1], points[place - 1], std::to_string(place), "", kCarouselMode);
        ASSERT_TRUE(scores.SaveScores());
        plm::ResetState();
    }

    void Start() {
        const std::string program = plmtest::BuildBinFile("Tessaly");
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    }

    // The window's client pixels, opaque ARGB; empty when it cannot be read.
    Image Shot(const WindowInfo& w) {
        Image img;
        XImage* x = XGetImage(display, w.id, 0, 0, static_cast<unsigned>(w.w), static_cast<unsigned>(w.h), AllPlanes, ZPixmap);
        if (!x) return img;
        img.width = w.w;
        img.height = w.h;
        img.pixels.resize(static_cast<size_t>(w.w) * static_cast<size_t>(w.h));
        for (int y = 0; y < w.h; ++y)
            for (int xx = 0; xx < w.w; ++xx) {
                const unsigned long p = XGetPixel(x, xx, y);
                const uint32_t r = static_cast<uint32_t>((p & x->red_mask) >> 16), g = static_cast<uint32_t>((p & x->green_mask) >> 8),
                               b = static_cast<uint32_t>(p & x->blue_mask);
                img.pixels[static_cast<size_t>(y) * w.w + xx] = 0xFF000000u | (r << 16) | (g << 8) | b;
            }
        XDestroyImage(x);
        return img;
    }
    // Saves the screen for a person to look at; for a failure message, the file's name.
    std::string Saved(const Image& img, const std::string& name) {
        Save(img, name);
        return " (screen in " + shots + "/" + name + ")";
    }
    void Save(const Image& img, const std::string& name) {
        std::string error;
        EXPECT_TRUE(plm::platform::SaveImageFile(shots + "/" + name, img, plm::platform::ImageFormat::Png, error)) << error;
    }

    // The pointer to (x, y) of the window, and a click of the left button there.
    static void MoveTo(const WindowInfo& w, int x, int y) {
        Output("xdotool mousemove --window " + std::to_string(w.id) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    static void ClickAt(const WindowInfo& w, int x, int y) {
        MoveTo(w, x, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));  // a frame sees the pointer there before the press
        Output("xdotool click 1");
    }
    // Clicks at (x, y), the pointer back at `rest`, until `done`: a click can come in a frame that
    // does not take it (the last frames of a fade), so it is given again after a few seconds.
    static bool ClickUntil(const WindowInfo& w, int x, int y, media::Point rest, const std::function<bool()>& done,
                           double seconds = 20) {
        return WaitUntil(
            [&] {
                ClickAt(w, x, y);
                MoveTo(w, rest.x, rest.y);
                return WaitUntil(done, 3);
            },
            seconds);
    }
    // Waits until the window shows the rectangle r of `picture` at (x, y).
    bool WaitToShow(const WindowInfo& w, const Image& picture, const media::Rect& r, media::Point at, double seconds = 20) {
        return WaitUntil([&] { return Shows(Shot(w), at.x, at.y, picture, r); }, seconds);
    }

    // Reads each playfield cell's gem kind from a screen: the kind one of whose frames it shows
    // (resting gems glint now and then).
    BoardPicture ReadBoard(const Image& screen) const {
        BoardPicture board{};
        for (int row = 0; row < kRows; ++row)
            for (int col = 0; col < kColumns; ++col) {
                const Cell c{tessaly::kBoardLeft + col, tessaly::kPlayTop + row};
                for (int kind = 1; kind <= kGemKinds && board[row][col] == 0; ++kind)
                    for (int frame = 0; frame < media::KindFrames(kind); ++frame)
                        if (Shows(screen, c.left(), c.top(), sheet, media::KindFrameRect(kind, frame))) {
                            board[row][col] = kind;
                            break;
                        }
            }
        return board;
    }
    // The board once two screens 300 ms apart read the same, and that screen.
    std::optional<std::pair<BoardPicture, Image>> SettledBoard(const WindowInfo& w, double seconds = 20) {
        std::optional<std::pair<BoardPicture, Image>> last, settled;
        WaitUntil(
            [&] {
                Image screen = Shot(w);
                const BoardPicture board = ReadBoard(screen);
                if (last && last->first == board) {
                    settled.emplace(board, std::move(screen));
                    return true;
                }
                last.emplace(board, std::move(screen));
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                return false;
            },
            seconds);
        return settled;
    }
    // Three or more colour gems of one kind in a line, across or down: the cells of the run.
    static std::vector<Cell> FindRun(const BoardPicture& b) {
        for (int row = 0; row < kRows; ++row)
            for (int col = 0; col < kColumns; ++col) {
                const int kind = b[row][col];
                if (kind < 1 || kind > 6) continue;
                for (auto [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
                    std::vector<Cell> run;
                    for (int c = col, r = row; c < kColumns && r < kRows && b[r][c] == kind; c += dx, r += dy)
                        run.push_back({tessaly::kBoardLeft + c, tessaly::kPlayTop + r});
                    if (run.size() >= 3) return run;
                }
            }
        return {};
    }

    std::optional<WindowInfo> StartToTheTitle();
    void CloseToTheEnd(const WindowInfo& game);
    std::optional<std::pair<BoardPicture, Image>> WaitForTheBoard(const WindowInfo& game);
    bool OpenTheMenuBox(const WindowInfo& game);
    bool ShowsTheMenuBox(const WindowInfo& game);

    Display* display = nullptr;
    Image sheet, title, modes, previews;
    std::array<Image, 2> backgrounds;  // the first two level backgrounds, "1b.jpg" and "2b.jpg"
    std::string shots;
    pid_t pid = 0;
};

// Where the pointer rests while the test reads the screen: off the board, the incoming-row strip,
// the menu button and every title widget.
constexpr media::Point kRestTitle{400, 270}, kRestGame{770, 160}, kRestCarousel{720, 200};
// A patch of the level background beside the board that the game leaves uncovered.
constexpr media::Rect kBackgroundSample{620, 20, 160, 60};
// The main menu's second mode button (as the title places it) and the mode page's Play button.
constexpr media::Point kModeTwoAt{7, 316}, kModePlayAt{440, 370};
// Mode 3 picks its picture and start level on the carousel: its button on the main menu, the
// carousel's next, level-down and Play buttons (in their panel at 138, 90), the picture window,
// and the start level's digits between the level buttons.
constexpr media::Point kModeThreeAt{322, 437};
constexpr media::Point kNextPictureAt{138 + 378, 90 + 137}, kLevelUpAt{138 + 288, 90 + 305}, kCarouselPlayAt{138 + 378, 90 + 367};
constexpr media::Point kPictureWindowAt{320, 204};
constexpr media::Rect kLevelDigits{382, 409, 42, 30};
// The high-score page: its OK button (in its panel at 162, 90) and its first row of names.
constexpr media::Point kScoresOkAt{162 + 343, 90 + 364};
constexpr int kFirstRowY = 165, kRowStep = 29, kRowHeight = 24;
constexpr media::Rect kNameColumn{188, 0, 200, kRowHeight};

// Pixels of a row that show the new score's light green (150, 255, 100) more than any grey.
int GreenPixels(const Image& screen, int place) {
    int n = 0;
    const int top = kFirstRowY + kRowStep * (place - 1);
    for (int y = top; y < top + kRowHeight; ++y)
        for (int x = kNameColumn.x; x < kNameColumn.x + kNameColumn.w; ++x) {
            const uint32_t p = screen.pixels[static_cast<size_t>(y) * screen.width + x];
            n += Channel(p, 8) > 200 && Channel(p, 16) < Channel(p, 8) - 40 && Channel(p, 0) < Channel(p, 8) - 80;
        }
    return n;
}

// Starts the program, clicks Play on the launcher and waits for the title's main menu, faded in.
std::optional<WindowInfo> TessalyXvfb::StartToTheTitle() {
    Start();
    const auto launcher = WaitForWindow(media::kLauncherBackground.w, media::kLauncherBackground.h);
    EXPECT_TRUE(launcher) << "no launcher";
    if (!launcher) return std::nullopt;
    // The window can be mapped before its first frame is drawn: wait for the green Play button.
    const media::Point play = media::kLauncherButtonAt[media::kLauncherPlay];
    const int px = play.x + 75, py = play.y + 52;
    const bool green = WaitUntil(
        [&] {
            const Image shot = Shot(*launcher);
            if (shot.pixels.empty()) return false;
            const uint32_t p = shot.pixels[static_cast<size_t>(py) * shot.width + px];
            return Channel(p, 8) > Channel(p, 16) + 20 && Channel(p, 8) > Channel(p, 0) + 20;
        },
        10);
    EXPECT_TRUE(green) << "no green Play button" << Saved(Shot(*launcher), "no-launcher.png");
    if (!green) return std::nullopt;
    Save(Shot(*launcher), "launcher.png");
    ClickAt(*launcher, px, py);

    const auto game = WaitForWindow(800, 600);
    EXPECT_TRUE(game) << "no game window";
    if (!game) return std::nullopt;
    MoveTo(*game, kRestTitle.x, kRestTitle.y);
    const bool menu = WaitToShow(*game, title, media::MenuModeButtonUp(2), kModeTwoAt, 30);
    EXPECT_TRUE(menu) << "no main menu" << Saved(Shot(*game), "no-main-menu.png");
    if (!menu) return std::nullopt;
    return game;
}

// Closes the game window (the session ends and the launcher comes back), then the launcher; the
// program ends with 0.
void TessalyXvfb::CloseToTheEnd(const WindowInfo& game) {
    RequestClose(display, game.id);
    const auto again = WaitForWindow(media::kLauncherBackground.w, media::kLauncherBackground.h);
    ASSERT_TRUE(again) << "no launcher after the session";
    RequestClose(display, again->id);
    std::optional<int> status;
    WaitUntil(
        [&] {
            int s = 0;
            if (waitpid(pid, &s, WNOHANG) != pid) return false;
            status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
            return true;
        },
        20);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, 0);
    pid = 0;
}

// The board of a game just started: after its opening hold the first rows fall onto the floor.
std::optional<std::pair<BoardPicture, Image>> TessalyXvfb::WaitForTheBoard(const WindowInfo& game) {
    std::optional<std::pair<BoardPicture, Image>> board;
    const bool shown = WaitUntil(
        [&] {
            board = SettledBoard(game, 5);
            return board && board->first[kRows - 1][0] != 0;
        },
        40);
    EXPECT_TRUE(shown) << "no board" << Saved(Shot(game), "no-board.png");
    return shown ? board : std::nullopt;
}

// The in-game menu box's heading (its buttons cover the lower part), over the darkened board.
bool TessalyXvfb::ShowsTheMenuBox(const WindowInfo& game) {
    const media::Rect heading{media::kMenuBox.x, media::kMenuBox.y, media::kMenuBox.w, media::kLeaveAt.y - media::kMenuBoxAt.y};
    return Shows(Shot(game), media::kMenuBoxAt.x, media::kMenuBoxAt.y, sheet, heading);
}

// A click on the in-game menu button, until the box shows.
bool TessalyXvfb::OpenTheMenuBox(const WindowInfo& game) {
    const media::Rect button = media::kMenuButtonHitBox;
    const bool open = ClickUntil(game, button.x + button.w / 2, button.y + button.h / 2, kRestGame, [&] { return ShowsTheMenuBox(game); });
    EXPECT_TRUE(open) << "no menu box" << Saved(Shot(game), "no-menu.png");
    return open;
}

TEST_F(TessalyXvfb, PlaysAGameFromTheLauncherThroughTheCarouselToItsHighScore) {
    const auto game = StartToTheTitle();
    ASSERT_TRUE(game);
    Save(Shot(*game), "title.png");
    // The third mode's button, then its page's Play button, which opens the carousel.
    const media::Rect modeButton = media::MenuModeButtonUp(kCarouselMode);
    auto showsPlay = [&] { return Shows(Shot(*game), kModePlayAt.x, kModePlayAt.y, title, media::kModePlayUp); };
    ASSERT_TRUE(ClickUntil(*game, kModeThreeAt.x + modeButton.w / 2, kModeThreeAt.y + modeButton.h / 2, kRestTitle, showsPlay))
        << "no mode page" << Saved(Shot(*game), "no-mode-page.png");
    const media::Rect playUp = media::CarouselButtonUp(media::kCarouselPlay), playDown = media::CarouselButtonDown(media::kCarouselPlay);
    auto showsCarousel = [&] { return Shows(Shot(*game), kCarouselPlayAt.x, kCarouselPlayAt.y, modes, playUp); };
    ASSERT_TRUE(ClickUntil(*game, kModePlayAt.x + media::kModePlayUp.w / 2, kModePlayAt.y + media::kModePlayUp.h / 2,
                           kRestCarousel, showsCarousel))
        << "no carousel" << Saved(Shot(*game), "no-carousel.png");

    // Next: the second picture slides into the window. Level up: 2.
    const media::Rect button = media::CarouselButtonUp(media::kCarouselNext);
    auto showsSecond = [&] {
        return Shows(Shot(*game), kPictureWindowAt.x, kPictureWindowAt.y, previews, media::PictureSource(2));
    };
    ASSERT_TRUE(ClickUntil(*game, kNextPictureAt.x + button.w / 2, kNextPictureAt.y + button.h / 2, kRestCarousel, showsSecond))
        << "no second picture" << Saved(Shot(*game), "no-second-picture.png");
    const Image levelOne = Shot(*game);
    auto levelChanged = [&] {
        const media::Rect& r = kLevelDigits;
        return Difference(levelOne, Shot(*game), r.x, r.y, r.w, r.h) > 10;
    };
    ASSERT_TRUE(ClickUntil(*game, kLevelUpAt.x + button.w / 2, kLevelUpAt.y + button.h / 2, kRestCarousel, levelChanged))
        << "the start level stayed" << Saved(Shot(*game), "no-level.png");
    Save(Shot(*game), "carousel.png");
    // Play: the carousel fades out, its button shows neither its up nor its hover image.
    auto carouselGone = [&] {
        const Image screen = Shot(*game);
        return !Shows(screen, kCarouselPlayAt.x, kCarouselPlayAt.y, modes, playUp) &&
               !Shows(screen, kCarouselPlayAt.x, kCarouselPlayAt.y, modes, playDown);
    };
    ASSERT_TRUE(ClickUntil(*game, kCarouselPlayAt.x + playUp.w / 2, kCarouselPlayAt.y + playUp.h / 2, kRestGame, carouselGone))
        << "the carousel stayed" << Saved(Shot(*game), "no-game.png");

    // The game: after its opening hold the first rows fall onto the floor.
    auto board = WaitForTheBoard(*game);
    ASSERT_TRUE(board);
    Save(board->second, "game-start.png");
    // The game is played on the second picture.
    const media::Rect& sky = kBackgroundSample;
    EXPECT_LT(Difference(board->second, backgrounds[1], sky.x, sky.y, sky.w, sky.h) * 3,
              Difference(board->second, backgrounds[0], sky.x, sky.y, sky.w, sky.h))
        << "not the second picture";

    // Two moves: a run found on the screen is clicked, and its cells change (the gems burst and
    // what lay above falls into their place).
    for (int move = 1; move <= 2; ++move) {
        SCOPED_TRACE(move);
        std::vector<Cell> run = FindRun(board->first);
        for (int drop = 0; run.empty() && drop < 5; ++drop) {
            // No run yet: the right button drops the incoming row at once.
            MoveTo(*game, kRestGame.x, kRestGame.y);
            Output("xdotool click 3");
            board = SettledBoard(*game);
            ASSERT_TRUE(board);
            run = FindRun(board->first);
        }
        ASSERT_FALSE(run.empty()) << "no run on the board";
        const Image before = board->second;
        const Cell& target = run[run.size() / 2];
        auto changed = [&](const Image& after) {
            int cells = 0;
            for (const Cell& c : run) cells += Difference(before, after, c.left(), c.top(), tessaly::kCellSize, tessaly::kCellSize) > 20;
            return cells;
        };
        Image after;
        ASSERT_TRUE(ClickUntil(*game, target.centreX(), target.centreY(), kRestGame, [&] {
            after = Shot(*game);
            return changed(after) == static_cast<int>(run.size());
        })) << "the run stayed" << Saved(Shot(*game), "no-clear.png");
        Save(before, "move" + std::to_string(move) + "-before.png");
        Save(after, "move" + std::to_string(move) + "-after.png");
        board = SettledBoard(*game);
        ASSERT_TRUE(board);
    }

    // The in-game menu over the darkened board, and its second button back to the game.
    ASSERT_TRUE(OpenTheMenuBox(*game));
    Save(Shot(*game), "menu.png");
    ASSERT_TRUE(ClickUntil(*game, media::kContinueAt.x + media::kContinueUp.w / 2, media::kContinueAt.y + media::kContinueUp.h / 2,
                           kRestGame, [&] { return !ShowsTheMenuBox(*game); }))
        << "the menu box stayed" << Saved(Shot(*game), "no-continue.png");

    // The right button drops each incoming row at once until the board is full: the game is
    // over, and the title opens on the third table with the new score's row in green.
    auto showsScores = [&] { return Shows(Shot(*game), kScoresOkAt.x, kScoresOkAt.y, title, media::kOkUp); };
    ASSERT_TRUE(WaitUntil(
        [&] {
            Output("xdotool click 3");
            return showsScores();
        },
        60))
        << "no high-score page after the game" << Saved(Shot(*game), "no-scores.png");
    const media::Rect h = media::ModeHeading(kCarouselMode);
    ASSERT_TRUE(WaitToShow(*game, title, h, {400 - h.w / 2, 97 - h.h / 2}, 5)) << "not the third table" << Saved(Shot(*game), "no-table.png");
    const Image scores = Shot(*game);
    Save(scores, "scores-after-game.png");
    int tinted = 0;
    for (int place = 1; place <= 10; ++place)
        if (GreenPixels(scores, place) > 40) {
            EXPECT_EQ(tinted, 0) << "two green rows";
            tinted = place;
        }
    ASSERT_GT(tinted, 0) << "no green row";
    // OK: the main menu.
    ASSERT_TRUE(ClickUntil(*game, kScoresOkAt.x + media::kOkUp.w / 2, kScoresOkAt.y + media::kOkUp.h / 2, kRestTitle,
                           [&] { return Shows(Shot(*game), kModeThreeAt.x, kModeThreeAt.y, title, modeButton); }))
        << "no main menu after the scores" << Saved(Shot(*game), "no-menu-after-scores.png");
    CloseToTheEnd(*game);
    if (HasFatalFailure()) return;

    // The session's files: the default settings; the game's score in the green row's place of the
    // third table, at the level the game reached, the rows below it one place down; the other tables as they were;
    // and no error block in the log (the game turns the engine's log off, so a data.log here would
    // hold only a failure the program reported).
    EXPECT_EQ(plmtest::ReadFile(plmtest::BuildBinFile("config.dat")),
              "#TRUE#\r\n#FALSE#\r\n80\r\n90\r\n50\r\n#TRUE#\r\n\"GUEST\"\r\n");
    plm::ResetState();
    plm::State().EnginePath = plmtest::BuildBinFile("");
    plm::HighScores saved;
    saved.Init(media::kScoresFile, 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    EXPECT_EQ(saved.GetName(tinted, kCarouselMode), "GUEST");
    EXPECT_GE(std::stoi("0" + saved.GetDataString1(tinted, kCarouselMode)), 2);
    if (tinted < 10) {
        EXPECT_EQ(saved.GetDataString1(tinted + 1, kCarouselMode), std::to_string(tinted));
    }
    for (int32_t table : {1, 2, 4, 5}) EXPECT_EQ(saved.GetName(10, table), "GUEST");
    plm::ResetState();
    if (fs::exists(plmtest::BuildBinFile("data.log"))) {
        EXPECT_EQ(plmtest::ReadFile(plmtest::BuildBinFile("data.log")).find("Error: ("), std::string::npos);
    }
    // Nothing unpacked is left beside the program.
    for (const char* name : {"t1.png", "title.png", "font.dat"}) EXPECT_FALSE(fs::exists(plmtest::BuildBinFile(name))) << name;
}

// The second mode from its page, and the in-game menu's first button: the game fades out to the
// title's main menu. No game ended, so the scores file is written back as it was.
TEST_F(TessalyXvfb, InGameMenuLeavesTheGameForTheTitle) {
    const auto game = StartToTheTitle();
    ASSERT_TRUE(game);
    const media::Rect modeButton = media::MenuModeButtonUp(2);
    ASSERT_TRUE(ClickUntil(*game, kModeTwoAt.x + modeButton.w / 2, kModeTwoAt.y + modeButton.h / 2, kRestTitle,
                           [&] { return Shows(Shot(*game), kModePlayAt.x, kModePlayAt.y, title, media::kModePlayUp); }))
        << "no mode page" << Saved(Shot(*game), "no-mode-page.png");
    // The page fades out: the button shows neither its up nor its hover image.
    const media::Rect playDown{media::kModePlayDown.x, media::kModePlayDown.y, media::kModePlayUp.w, media::kModePlayUp.h};
    ASSERT_TRUE(ClickUntil(*game, kModePlayAt.x + media::kModePlayUp.w / 2, kModePlayAt.y + media::kModePlayUp.h / 2, kRestGame, [&] {
        const Image screen = Shot(*game);
        return !Shows(screen, kModePlayAt.x, kModePlayAt.y, title, media::kModePlayUp) &&
               !Shows(screen, kModePlayAt.x, kModePlayAt.y, title, playDown);
    })) << "the mode page stayed" << Saved(Shot(*game), "no-game.png");
    ASSERT_TRUE(WaitForTheBoard(*game));
    ASSERT_TRUE(OpenTheMenuBox(*game));
    ASSERT_TRUE(ClickUntil(*game, media::kLeaveAt.x + media::kLeaveUp.w / 2, media::kLeaveAt.y + media::kLeaveUp.h / 2, kRestTitle,
                           [&] { return !ShowsTheMenuBox(*game); }))
        << "the menu box stayed" << Saved(Shot(*game), "no-leave.png");
    ASSERT_TRUE(WaitToShow(*game, title, modeButton, kModeTwoAt, 30)) << "no title after leaving" << Saved(Shot(*game), "no-title.png");
    CloseToTheEnd(*game);
    if (HasFatalFailure()) return;
    plm::ResetState();
    plm::State().EnginePath = plmtest::BuildBinFile("");
    plm::HighScores saved;
    saved.Init(media::kScoresFile, 10, 0, 5);
    ASSERT_TRUE(saved.LoadScores());
    EXPECT_EQ(saved.GetName(1, kCarouselMode), "ADA");
    EXPECT_EQ(saved.GetName(10, kCarouselMode), "JUN");
    for (int32_t table : {1, 2, 4, 5}) EXPECT_EQ(saved.GetName(10, table), "GUEST");
    plm::ResetState();
}

}  // namespace
