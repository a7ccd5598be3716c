// The generated media: every file the game loads is there, every picture has its size and holds
// an image at every rectangle the game draws from, the gem animations loop, the samples decode
// cleanly, the modules play and the font file parses.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "core/Pak.h"
#include "ui/Font.h"
#include "platform/audio/AudioFiles.h"
#include "platform/ImageCodec.h"
#include "game/MediaLayout.h"

namespace {

namespace tm = tessaly::media;

std::string BinDir() { return std::string(PLM_BIN_DIR) + "/"; }

// media.pak from beside the game, unpacked once with the game's password and key into a folder
// of its own; every check reads the unpacked files, as the game does.
struct Unpacked {
    plmtest::TempFolder folder;
    bool ok = false;
    Unpacked() {
        std::error_code ec;
        std::filesystem::copy_file(BinDir() + tm::kPakName, folder.file(tm::kPakName), ec);
        plm::ResetState();
        plm::State().EnginePath = folder.path();
        ok = !ec && plm::Pak().UnPack(tm::kPakName, tm::kPakPassword, tm::kPakKey, false, "");
        plm::ResetState();
    }
};

const Unpacked& Media() {
    static Unpacked unpacked;
    return unpacked;
}

std::string MediaDir() { return Media().folder.path(); }

// A picture as the engine reads it: ARGB pixels, straight alpha.
struct Picture {
    int width = 0, height = 0;
    bool hasAlpha = false;  // PNG pictures carry an alpha channel; the JPEG screens are opaque
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

Picture Read(const std::string& path) {
    plm::platform::Image img;
    std::string error;
    Picture p;
    if (!plm::platform::LoadImageFile(path, img, error)) return p;
    p.width = img.width;
    p.height = img.height;
    p.argb = std::move(img.pixels);
    p.hasAlpha = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    return p;
}

const Picture& Load(const std::string& name) {
    static std::map<std::string, Picture> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    return cache.emplace(name, Read(MediaDir() + name)).first->second;
}

int Channel(uint32_t argb, int c) { return (argb >> (24 - 8 * c)) & 255; }  // 0 alpha, 1 red, 2 green, 3 blue

// An image at r: some visible pixel (pictures with alpha) or some variation (opaque pictures).
bool HoldsImage(const Picture& p, tm::Rect r) {
    int lo = 255, hi = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            uint32_t px = p.At(x, y);
            if (p.hasAlpha && Channel(px, 0) > 16) return true;
            int v = (Channel(px, 1) + Channel(px, 2) + Channel(px, 3)) / 3;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    return !p.hasAlpha && hi - lo > 12;
}

// Mean absolute difference per channel between two same-sized rectangles.
double Difference(const Picture& p, tm::Rect a, tm::Rect b) {
    double sum = 0;
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            for (int c = 0; c < 4; ++c) sum += std::abs(Channel(p.At(a.x + x, a.y + y), c) - Channel(p.At(b.x + x, b.y + y), c));
    return sum / (a.w * a.h * 4.0);
}

TEST(MediaFiles, EveryFileTheGameLoadsIsThere) {
    ASSERT_TRUE(Media().ok) << "media.pak does not unpack with the game's password and key";
    std::vector<std::string> names;
    for (const auto& p : tm::kPictures) names.push_back(p.name);
    for (const char* s : tm::kSamples) names.push_back(s);
    for (const char* m : tm::kMusic) names.push_back(m);
    names.push_back(tm::kFontFile);
    for (const std::string& n : names) EXPECT_TRUE(plm::FileHasData(MediaDir() + n)) << n;
    for (const char* n : {tm::kSplashFile, tm::kHelpFile, tm::kLinkFile}) EXPECT_TRUE(plm::FileHasData(BinDir() + n)) << n;
    std::string link = plmtest::ReadFile(BinDir() + tm::kLinkFile);
    EXPECT_EQ(link.rfind("\"https://", 0), 0u) << "the link file's first field is the address";
}

TEST(MediaFiles, PicturesHaveTheirSizes) {
    for (const auto& f : tm::kPictures) {
        const Picture& p = Load(f.name);
        EXPECT_EQ(p.width, f.width) << f.name;
        EXPECT_EQ(p.height, f.height) << f.name;
    }
    Picture splash = Read(BinDir() + tm::kSplashFile);
    EXPECT_EQ(splash.width, 256);
}

TEST(MediaFiles, EveryRectangleLiesInsideItsPictureAndHoldsAnImage) {
    for (const tm::NamedRect& n : tm::AllRects()) {
        const Picture& p = Load(n.picture);
        ASSERT_GT(p.width, 0) << n.picture;
        ASSERT_TRUE(n.r.w > 0 && n.r.h > 0) << n.picture << " " << n.name;
        ASSERT_TRUE(n.r.x >= 0 && n.r.y >= 0 && n.r.x + n.r.w <= p.width && n.r.y + n.r.h <= p.height)
            << n.picture << " " << n.name;
        EXPECT_TRUE(HoldsImage(p, n.r)) << n.picture << " " << n.name << " is empty";
    }
}

// The launcher's tooltips: each text ends inside its box, clear of the right-hand border.
TEST(MediaFiles, LauncherTooltipTextStaysInsideItsBox) {
    const Picture p = Read(BinDir() + tm::kLauncherPicture);
    ASSERT_EQ(p.width, tm::kLauncherPictureWidth);
    for (size_t b = 0; b < tm::kLauncherTooltip.size(); ++b) {
        const tm::Rect r = tm::kLauncherTooltip[b];
        if (r.w == 0) continue;
        // The two columns inside the border hold nothing but the box's fill.
        for (int x = r.x + r.w - 3; x <= r.x + r.w - 2; ++x)
            for (int y = r.y + 1; y <= r.y + r.h - 2; ++y)
                EXPECT_EQ(p.At(x, y) & 0xffffffu, 0xffffe1u) << tm::kLauncherTooltipText[b] << " at " << x << "," << y;
    }
}

// Every level background frames the level, score and gems-left numbers in a panel centred on them:
// the panel's gold rim lies as far left of the numbers' centre as right of it.
TEST(MediaFiles, HudPanelIsCentredOnTheHudNumbers) {
    auto gold = [](uint32_t px) { return Channel(px, 1) > 170 && Channel(px, 2) > 110 && Channel(px, 3) < 110; };
    std::vector<std::string> names{"survival.jpg"};
    for (int i = 1; i <= tm::kBackgrounds; ++i) names.push_back(std::to_string(i) + "b.jpg");
    const int y = (tm::kHudNumberY[0] + tm::kHudNumberY[1]) / 2;  // between the level and score boxes
    for (const std::string& name : names) {
        const Picture& p = Load(name);
        ASSERT_GT(p.width, 0) << name;
        int left = tm::kHudCentreX, right = tm::kHudCentreX;
        while (left > 0 && !gold(p.At(left, y))) --left;
        while (right < tm::kScreen.w - 1 && !gold(p.At(right, y))) ++right;
        EXPECT_NEAR(tm::kHudCentreX - left, right - tm::kHudCentreX, 3) << name << ": rim at " << left << " and " << right;
    }
}

TEST(MediaFiles, FadeTexelIsOpaqueBlack) {
    const Picture& p = Load("plmres1.png");
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(p.At(x, y), 0xff000000u);
        }
}

TEST(MediaFiles, GemAnimationsLoopBackToTheirFirstFrame) {
    const Picture& p = Load("t1.png");
    ASSERT_EQ(p.width, tm::kSheetSize);
    for (int kind = 1; kind <= tm::kShuffleGem; ++kind) {
        if (kind >= tm::kRowGem && kind <= tm::kDiagonalGem) continue;  // played back and forth
        int last = tm::KindFrames(kind) - 1;
        double seam = Difference(p, tm::KindFrameRect(kind, last), tm::KindFrameRect(kind, 0));
        double largest = 0;
        for (int f = 1; f <= last; ++f)
            largest = std::max(largest, Difference(p, tm::KindFrameRect(kind, f), tm::KindFrameRect(kind, f - 1)));
        EXPECT_LT(seam, 6.0) << "kind " << kind << ": the last frame does not lead back into the first";
        EXPECT_LE(seam, largest * 1.5 + 0.5) << "kind " << kind << ": the loop jumps at the seam";
        double motion = 0;
        for (int f = 1; f <= last; ++f) motion = std::max(motion, Difference(p, tm::KindFrameRect(kind, f), tm::KindFrameRect(kind, 0)));
        EXPECT_GT(motion, 1.0) << "kind " << kind << " does not animate";
    }
}

struct Wav {
    int channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

bool DecodeWav(const std::string& bytes, Wav& w) {
    auto u32 = [&](size_t o) { return static_cast<uint32_t>(static_cast<uint8_t>(bytes[o]) | static_cast<uint8_t>(bytes[o + 1]) << 8 |
                                                           static_cast<uint8_t>(bytes[o + 2]) << 16 | static_cast<uint8_t>(bytes[o + 3]) << 24); };
    auto u16 = [&](size_t o) { return static_cast<uint16_t>(static_cast<uint8_t>(bytes[o]) | static_cast<uint8_t>(bytes[o + 1]) << 8); };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    size_t o = 12;
    bool fmt = false;
    while (o + 8 <= bytes.size()) {
        std::string id = bytes.substr(o, 4);
        uint32_t len = u32(o + 4);
        if (o + 8 + len > bytes.size()) return false;
        if (id == "fmt ") {
            if (u16(o + 8) != 1) return false;
            w.channels = u16(o + 10);
            w.rate = static_cast<int>(u32(o + 12));
            w.bits = u16(o + 22);
            fmt = true;
        } else if (id == "data" && fmt) {
            w.samples.resize(len / 2);
            std::memcpy(w.samples.data(), bytes.data() + o + 8, len / 2 * 2);
            return true;
        }
        o += 8 + len + (len & 1);
    }
    return false;
}

TEST(MediaFiles, SamplesDecodeStartCleanlyAndNeverClip) {
    for (const char* name : tm::kSamples) {
        Wav w;
        ASSERT_TRUE(DecodeWav(plmtest::ReadFile(MediaDir() + name), w)) << name;
        plm::platform::SampleData played;
        EXPECT_TRUE(plm::platform::LoadWavFile(MediaDir() + name, 44100, played)) << name << " does not load";
        EXPECT_EQ(played.FrameCount(), w.samples.size()) << name;
        EXPECT_EQ(w.rate, 44100) << name;
        EXPECT_EQ(w.bits, 16) << name;
        ASSERT_GT(w.samples.size(), 2000u) << name;
        EXPECT_LT(w.samples.size(), 44100u * 4) << name << " is longer than a sound effect should be";
        int peak = 0;
        for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32000) << name << " clips";
        EXPECT_GT(peak, 8000) << name << " is nearly silent";
        EXPECT_LT(std::abs(w.samples.front()), 300) << name << " starts with a click";
        EXPECT_LT(std::abs(w.samples.back()), 300) << name << " ends with a click";
    }
}

TEST(MediaFiles, ModulesLoadAndPlayWithFourChannels) {
    for (const char* name : tm::kMusic) {
        std::string bytes = plmtest::ReadFile(MediaDir() + name);
        ASSERT_GT(bytes.size(), 1084u) << name;
        EXPECT_EQ(bytes.substr(1080, 4), "M.K.") << name;
        std::unique_ptr<openmpt::module> loaded = plm::platform::LoadModuleFile(MediaDir() + name);
        ASSERT_TRUE(loaded) << name << " does not load";
        openmpt::module& mod = *loaded;
        EXPECT_EQ(mod.get_num_channels(), 4) << name;
        EXPECT_GT(mod.get_duration_seconds(), 20.0) << name;
        std::vector<float> left(44100 * 8), right(44100 * 8);
        size_t got = mod.read(44100, left.size(), left.data(), right.data());
        ASSERT_EQ(got, left.size()) << name;
        double energy = 0;
        float peak = 0;
        for (size_t i = 0; i < got; ++i) {
            energy += left[i] * left[i];
            peak = std::max(peak, std::fabs(left[i]));
        }
        EXPECT_GT(std::sqrt(energy / got), 0.02) << name << " is silent";
        EXPECT_LE(peak, 1.0f) << name << " clips";
    }
}

// Played twice through, the jump back to the start sounds like any other bar line: the largest
// step between neighbouring samples around the seam is no larger than around the song's bar lines.
TEST(MediaFiles, ModulesLoopWithoutAClick) {
    constexpr int kRate = 22050;
    for (const char* name : tm::kMusic) {
        std::string bytes = plmtest::ReadFile(MediaDir() + name);
        std::vector<char> data(bytes.begin(), bytes.end());
        openmpt::module mod(data);
        mod.set_repeat_count(1);
        double loop = mod.get_duration_seconds();
        std::vector<float> left(static_cast<size_t>(kRate * (loop * 2 + 1))), right(left.size());
        size_t got = mod.read(kRate, left.size(), left.data(), right.data());
        ASSERT_GT(got, static_cast<size_t>(kRate * loop * 1.9)) << name << " does not play a second time";
        auto largestStep = [&](double at) {
            size_t c = static_cast<size_t>(at * kRate), from = c > 600 ? c - 600 : 1, to = std::min(got, c + 600);
            float step = 0;
            for (size_t i = from; i < to; ++i) step = std::max(step, std::fabs(left[i] - left[i - 1]));
            return step;
        };
        float elsewhere = 0;
        for (int k = 1; k < 8; ++k) elsewhere = std::max(elsewhere, largestStep(loop * k / 8.0));
        EXPECT_LE(largestStep(loop), elsewhere * 1.25f + 0.01f) << name << " clicks where it loops";
    }
}

// The multi-font file, loaded by the engine's font loader: every glyph the game draws lies on the
// resource sheet and holds an image there, at the font's height from the media layout.
TEST(MediaFiles, FontFileLoadsAndEveryGlyphLiesOnTheResourceSheet) {
    const Picture& sheet = Load("plmres1.png");
    plm::ResetState();
    plm::State().EnginePath = MediaDir();
    plm::Font font;
    ASSERT_TRUE(font.Init(tm::kFontFile));
    const int heights[] = {0, tm::kFont1Height, tm::kFont2Height, tm::kFont3Height};
    auto expectGlyphs = [&](int index, const std::string& chars) {
        EXPECT_EQ(font.GetHeight(index, 1, 1), heights[index]);
        for (char c : chars) {
            plm::PLMFontCharRect g = font.GetCharRect(index, static_cast<unsigned char>(c));
            EXPECT_EQ(g.Texture, tm::kFontTexture);
            EXPECT_EQ(g.Height, heights[index]);
            ASSERT_GT(g.Width, 0) << "font " << index << " lacks " << c;
            tm::Rect r{g.SrcX, g.SrcY, g.Width, g.Height};
            ASSERT_TRUE(r.x >= 0 && r.y >= tm::kFontAreaTop && r.x + r.w <= sheet.width && r.y + r.h <= sheet.height);
            if (c != ' ') {
                EXPECT_TRUE(HoldsImage(sheet, r)) << "font " << index << " glyph " << c << " is empty";
            }
        }
    };
    expectGlyphs(1, " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    expectGlyphs(2, "0123456789");
    expectGlyphs(3, "C");
    EXPECT_EQ(font.GetCharRect(1, 'a').SrcX, font.GetCharRect(1, 'A').SrcX) << "lower case shows the capitals";
    // Fonts the file does not name stay empty.
    EXPECT_EQ(font.GetHeight(4, 1, 1), 0);
    plm::ResetState();
}

}  // namespace
