#include "core/Lib.h"

#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "EngineFixture.h"
#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/Window.h"

namespace {

using plmtest::ReadFile;
using plmtest::WriteFile;

class LibTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        plm::State().ScreenWidth = 800;
        plm::State().ScreenHeight = 600;
    }
    bool LogHas(const std::string& text) const { return LogText().find(text) != std::string::npos; }
    plm::Lib lib;
};

TEST_F(LibTest, RandomRangesWithAFixedSeed) {
    std::set<int> dice, bytes, signs;
    for (int i = 0; i < 4000; ++i) {
        EXPECT_EQ(lib.GetNumber(5, 5), 5);
        int d = lib.GetNumber(1, 6);
        ASSERT_TRUE(d >= 1 && d <= 6) << d;
        dice.insert(d);
        int b = lib.GetRandom255();
        ASSERT_TRUE(b >= 0 && b <= 255) << b;
        bytes.insert(b);
        signs.insert(lib.GetRandomSign());
        EXPECT_TRUE(lib.Chance(100));
        float w = lib.GetRandomScreenWidth();
        ASSERT_TRUE(w >= 0 && w < 800 && w == std::floor(w)) << w;
        int h = lib.GetRandomScreenHeight();
        ASSERT_TRUE(h >= 0 && h < 600) << h;
    }
    EXPECT_EQ(dice.size(), 6u);  // both ends are reached
    EXPECT_EQ(bytes.size(), 256u);
    EXPECT_EQ(signs, (std::set<int>{-1, 1}));

    // One sequence: reseeding repeats it, and Lib draws from the engine's own generator.
    lib.RandomizeSeed(77);
    int a = lib.GetNumber(1, 1000000);
    plm::RandomizeSeed(77);
    EXPECT_EQ(plm::RandomInRange(1, 1000000), a);
}

TEST_F(LibTest, RandomRGBDrawsInOrder) {
    for (int seed = 1; seed <= 30; ++seed) {
        plm::RandomizeSeed(seed);
        int k = plm::Int(plm::RandomNumber() * 3.0);
        float want[3];
        for (int ch = 0; ch < 3; ++ch)
            want[ch] = static_cast<float>(ch == k ? plm::RandomInRange(230, 255) : plm::Int(plm::RandomNumber() * 256.0));
        lib.RandomizeSeed(seed);
        plm::PLMRGB c = lib.GetRandomRGB();
        EXPECT_EQ(c.Red, want[0]) << seed;
        EXPECT_EQ(c.Green, want[1]) << seed;
        EXPECT_EQ(c.Blue, want[2]) << seed;
        EXPECT_GE(std::max({c.Red, c.Green, c.Blue}), 230.0f);
    }
}

TEST_F(LibTest, BoxesCirclesAndLinesAtTouchingEdges) {
    EXPECT_FALSE(lib.CollideBoxes(0, 0, 10, 10, 10, 0, 10, 10));
    EXPECT_TRUE(lib.CollideBoxes(0, 0, 10, 10, 9, 0, 10, 10));
    EXPECT_TRUE(lib.CollideBoxes(0, 0, 10, 10, 0, 9, 10, 10));
    EXPECT_TRUE(lib.CollideCircles(0, 0, 5, 10, 0, 5));  // touching counts
    EXPECT_FALSE(lib.CollideCircles(0, 0, 5, 10.01f, 0, 5));

    // Circle to box: touching does not count; the nearest box point is left in Rx, Ry.
    EXPECT_FALSE(lib.CollideCircleToBox(15, 5, 5, 0, 0, 10, 10));
    EXPECT_FLOAT_EQ(plm::State().Rx, 10);
    EXPECT_FLOAT_EQ(plm::State().Ry, 5);
    EXPECT_TRUE(lib.CollideCircleToBox(15, 5, 5.01f, 0, 0, 10, 10));
    EXPECT_TRUE(lib.CollideCircleToBox(5, 5, 1, 0, 0, 10, 10));  // centre inside

    EXPECT_TRUE(lib.LineIntersect(0, 0, 10, 0, 10, 0, 10, 10));   // one shared end point
    EXPECT_TRUE(lib.LineIntersect(0, 0, 10, 10, 0, 10, 10, 0));   // crossing
    EXPECT_FALSE(lib.LineIntersect(0, 0, 10, 0, 5, 0, 15, 0));    // parallel, overlapping
    EXPECT_FALSE(lib.LineIntersect(0, 0, 10, 0, 0, 1, 10, 1));    // parallel
    EXPECT_FALSE(lib.LineIntersect(0, 0, 10, 0, 11, -5, 11, 5));  // would cross beyond an end
    EXPECT_FALSE(lib.LineIntersect(3, 3, 3, 3, 0, 0, 10, 10));    // a point is degenerate
}

TEST_F(LibTest, RotatedBoxes) {
    struct Row {
        float x1, y1, w1, h1, r1, x2, y2, w2, h2, r2;
        bool hit;
        const char* what;
    };
    const float d = 5 + 5 * std::sqrt(2.0f);  // centre distance at which a 45-degree box touches
    for (Row r : {
             Row{0, 0, 10, 10, 0, 10, 0, 10, 10, 0, true, "edges on one line touch"},
             Row{0, 0, 10, 10, 0, 10.5f, 0, 10, 10, 0, false, "half a pixel apart"},
             Row{0, 0, 10, 10, 0, 9.99f, 9.99f, 10, 10, 0, true, "corners overlap"},
             Row{0, 0, 10, 10, 0, 0, 20, 10, 10, 0, false, "on one line, apart"},
             Row{0, 0, 10, 10, 0, 4, 4, 2, 2, 30, true, "small box inside"},
             Row{4, 4, 2, 2, 30, 0, 0, 10, 10, 0, true, "big box around"},
             Row{0, 0, 10, 10, 0, 5 + d - 0.5f - 5, 0, 10, 10, 45, true, "diamond corner inside"},
             Row{0, 0, 10, 10, 0, 5 + d + 0.5f - 5, 0, 10, 10, 45, false, "diamond corner outside"},
             Row{0, 0, 100, 4, 90, 48, -50, 4, 4, 0, true, "rotated long bar reaches up"},
             Row{0, 0, 100, 4, 0, 48, -50, 4, 4, 0, false, "unrotated long bar does not"},
             Row{5, 5, 0, 0, 30, 0, 0, 10, 10, 0, true, "zero-size box inside"},
             Row{50, 50, 0, 0, 30, 0, 0, 10, 10, 0, false, "zero-size box outside"},
             Row{3, 3, 0, 0, 0, 3, 3, 0, 0, 0, true, "two points on one spot"},
         }) {
        EXPECT_EQ(lib.CollideRotatedBoxes(r.x1, r.y1, r.w1, r.h1, r.r1, r.x2, r.y2, r.w2, r.h2, r.r2), r.hit) << r.what;
    }

    EXPECT_FALSE(lib.CollideRotatedBoxToCircle(0, 0, 10, 10, 0, 15, 5, 5));  // touching does not count
    EXPECT_TRUE(lib.CollideRotatedBoxToCircle(0, 0, 10, 10, 0, 15, 5, 5.1f));
    EXPECT_TRUE(lib.CollideRotatedBoxToCircle(0, 0, 10, 10, 0, 5, 5, 1));      // centre inside
    EXPECT_FALSE(lib.CollideRotatedBoxToCircle(0, 0, 10, 10, 45, 13, 13, 2));  // the cut-off corner
    EXPECT_TRUE(lib.CollideRotatedBoxToCircle(0, 0, 10, 10, 0, 13, 13, 4.3f));
    EXPECT_TRUE(lib.CollideRotatedBoxToCircle(5, 5, 0, 0, 0, 5, 5, 1));  // zero-size box
    EXPECT_FALSE(lib.CollideRotatedBoxToCircle(5, 5, 0, 0, 0, 9, 5, 1));
}

TEST_F(LibTest, ValueStepping) {
    float var = 9, value = 2;
    lib.VarAddPong(var, value, 0, 10, false);
    EXPECT_EQ(var, 10);
    EXPECT_EQ(value, -2);  // reversed, and the reversal persists
    lib.VarAddPong(var, value, 0, 10, false);
    EXPECT_EQ(var, 8);
    var = 8, value = 2;
    lib.VarAddPong(var, value, 0, 10, false);  // landing on a limit reverses nothing
    EXPECT_EQ(var, 10);
    EXPECT_EQ(value, 2);
    plm::State().Delta = 0.5f;
    var = 1, value = -4;
    lib.VarAddPong(var, value, 0, 10, true);
    EXPECT_EQ(var, 0);
    EXPECT_EQ(value, 4);

    var = 9;
    lib.VarAddWrap(var, 2, 0, 10, false);
    EXPECT_EQ(var, 0);  // to the other end, nothing carried
    var = 0;
    lib.VarAddWrap(var, -1, 0, 10, false);
    EXPECT_EQ(var, 10);
    var = 9;
    lib.VarAddLimit(var, 4, 0, 10, true);  // 9 + 4 * 0.5
    EXPECT_EQ(var, 10);
    lib.VarAddLimit(var, -40, 0, 10, false);
    EXPECT_EQ(var, 0);

    EXPECT_FLOAT_EQ(lib.Percent(50, 200, 100), 25);
    EXPECT_EQ(lib.Percent(0, 0, 100), 0);
    EXPECT_EQ(lib.Percent(7, 0, 100), 0);
    EXPECT_EQ(lib.Percent(7, 10, 0), 0);
}

TEST_F(LibTest, GetPan) {
    for (auto [x, pan] : std::vector<std::pair<float, int>>{
             {-5, 0}, {0, 0}, {4, 0}, {12, 2}, {400, 50}, {799, 100}, {900, 100}}) {
        EXPECT_EQ(lib.GetPan(x), pan) << x;  // 4 -> 0.5 -> 0, 12 -> 1.5 -> 2 (halves to even)
    }
    plm::State().ScreenWidth = 0;
    EXPECT_EQ(lib.GetPan(0), 0);
    EXPECT_EQ(lib.GetPan(10), 100);
}

TEST_F(LibTest, AnglesDirectionsAndColours) {
    EXPECT_EQ(lib.GetAngle(0, 0, 0, -10), 360);  // straight up stays 360
    EXPECT_EQ(lib.GetAngle(0, 0, 10, 0), 90);
    struct Row {
        float angle, x, y;
    };
    for (Row r : {Row{0, 0, -3}, Row{90, 3, 0}, Row{180, 0, 3}, Row{270, -3, 0}, Row{720, 0, -3}, Row{450, 3, 0},
                  Row{-30, 0, -3}, Row{89.6f, 3, 0}}) {
        plm::State().Rx = 42;
        plm::PLMXY v = lib.GetDirection(r.angle, 3);
        EXPECT_NEAR(v.X, r.x, 1e-5) << r.angle;
        EXPECT_NEAR(v.Y, r.y, 1e-5) << r.angle;
        EXPECT_EQ(plm::State().Rx, 42);  // untouched
    }
    EXPECT_FLOAT_EQ(lib.GetDistance(0, 0, 3, 4), 5);
    EXPECT_FLOAT_EQ(lib.DegreeToRad(90), plm::State().DegreeToRadTable[90]);
    EXPECT_EQ(static_cast<uint32_t>(lib.GetARGBColor(255, 1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(lib.GetARGBColor(0, 0, 0, 255), 255);
}

TEST_F(LibTest, TimeScreenAndWindowWithoutAWindow) {
    lib.InitDelta(60);
    for (int32_t t : plm::State().FrameTimes) EXPECT_EQ(t, 17);  // 16.67 rounded
    lib.InitDelta(0);
    EXPECT_EQ(plm::State().FrameTimes[0], 17);
    EXPECT_TRUE(LogHas("Error: (Lib.InitDelta)"));

    clock->SetStepPerRead(1);
    uint32_t before = clock->Peek();
    lib.Delay(20);
    EXPECT_GE(clock->Peek() - before, 20u);
    before = clock->Peek();
    lib.GotoSleep(125);
    EXPECT_EQ(clock->Peek() - before, 125u);
    int vb = lib.VBTimer();
    EXPECT_TRUE(vb >= 0 && vb <= 86400);

    plm::State().ColorBitDepth = 32;
    EXPECT_EQ(lib.GetScreenWidth(), 800);
    EXPECT_EQ(lib.GetScreenHeight(), 600);
    EXPECT_EQ(lib.GetScreenDepth(), 32);
    std::string dir = lib.GetWindowsDir();
    EXPECT_EQ(dir.back(), '/');

    EXPECT_FALSE(lib.IsWindowActive(0));
    EXPECT_FALSE(lib.IsWindowActive(12345));
    lib.MouseHide();
    lib.MouseShow();
    plm::PLMXY p = lib.MouseXY();
    EXPECT_EQ(p.X, 0);
    EXPECT_EQ(p.Y, 0);
}

TEST_F(LibTest, WindowQueriesFindTheWindowByHandle) {
    plm::platform::WindowSettings settings;
    settings.headless = true;
    std::shared_ptr<plm::platform::Window> w = plm::platform::CreateWindow(settings);
    ASSERT_TRUE(w);
    plm::State().FormhWnd = w->Handle();
    EXPECT_TRUE(lib.IsWindowActive(w->Handle()));
    EXPECT_FALSE(lib.IsWindowActive(w->Handle() + 1));
    lib.MouseHide();
    lib.MouseShow();
    EXPECT_EQ(lib.MouseXY().X, 0);  // a headless window has no pointer
    const int32_t handle = w->Handle();
    w.reset();
    EXPECT_FALSE(lib.IsWindowActive(handle));  // a closed window is never active
    lib.MouseHide();
}

TEST_F(LibTest, FileExistsNeedsTwoBytes) {
    WriteFile(folder.file("one"), "1");
    WriteFile(folder.file("two"), "12");
    EXPECT_FALSE(lib.FileExists(folder.file("one")));
    EXPECT_TRUE(lib.FileExists(folder.file("two")));
    EXPECT_FALSE(lib.FileExists(folder.file("none")));
    EXPECT_FALSE(lib.FileExists(folder.path()));  // a folder is no file
}

TEST_F(LibTest, FileDeleteStaysInsideTheFolder) {
    plmtest::TempFolder outer;
    plm::State().EnginePath = outer.path();
    std::filesystem::create_directory(outer.file("inner"));
    plm::State().EnginePath = outer.file("inner/");
    const std::string in = outer.file("inner/");
    for (const char* n : {"a.png", "B.PNG", "c.txt", "d.png.bak"}) WriteFile(in + n, "xx");
    WriteFile(outer.file("up.png"), "xx");

    for (const char* refused : {"*", "*.*", "**", "../*.png", "..\\*.png", "/tmp/*.png", "sub/*.png", "", " "})
        lib.FileDelete(refused);
    for (const char* n : {"a.png", "B.PNG", "c.txt", "d.png.bak"}) EXPECT_TRUE(std::filesystem::exists(in + n)) << n;
    EXPECT_TRUE(std::filesystem::exists(outer.file("up.png")));

    lib.FileDelete("*.png");  // any case, as the files of the game's folder were named
    EXPECT_FALSE(std::filesystem::exists(in + "a.png"));
    EXPECT_FALSE(std::filesystem::exists(in + "B.PNG"));
    EXPECT_TRUE(std::filesystem::exists(in + "c.txt"));
    EXPECT_TRUE(std::filesystem::exists(in + "d.png.bak"));
    lib.FileDelete("?.txt");
    EXPECT_FALSE(std::filesystem::exists(in + "c.txt"));
}

class LibCompressTest : public LibTest {
protected:
    static std::string Payload() {
        std::string s;
        for (int i = 0; i < 5000; ++i) s += "line " + std::to_string(i % 97) + "\n";
        for (int i = 0; i < 256; ++i) s.push_back(static_cast<char>(i));
        return s;
    }
    std::string Compressed(const std::string& plain) {
        WriteFile(folder.file("plain"), plain);
        EXPECT_TRUE(lib.FileCompress(folder.file("plain"), folder.file("packed"), 9));
        return ReadFile(folder.file("packed"));
    }
};

TEST_F(LibCompressTest, RoundTrip) {
    for (const std::string& plain : {Payload(), std::string(), std::string("x")}) {
        std::string packed = Compressed(plain);
        ASSERT_GE(packed.size(), 4u);
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i) n |= uint32_t{static_cast<uint8_t>(packed[i])} << (8 * i);
        EXPECT_EQ(n, plain.size());  // little-endian original length first
        // The rest is one plain zlib stream.
        std::string check(plain.size() + 1, '\0');
        uLongf len = check.size();
        EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(check.data()), &len,
                             reinterpret_cast<const Bytef*>(packed.data() + 4), packed.size() - 4),
                  Z_OK);
        EXPECT_EQ(len, plain.size());
        ASSERT_TRUE(lib.FileUncompress(folder.file("packed"), folder.file("restored")));
        EXPECT_EQ(ReadFile(folder.file("restored")), plain);
    }
    EXPECT_LT(Compressed(Payload()).size(), Payload().size() / 4);
    for (int q : {0, 1, -1, 42}) EXPECT_TRUE(lib.FileCompress(folder.file("plain"), folder.file("q"), q)) << q;
}

TEST_F(LibCompressTest, InPlaceKeepsTheFileWhole) {
    const std::string plain = Payload();
    WriteFile(folder.file("data.bin"), plain);
    ASSERT_TRUE(lib.FileCompress(folder.file("data.bin"), folder.file("data.bin"), 6));
    EXPECT_NE(ReadFile(folder.file("data.bin")), plain);
    ASSERT_TRUE(lib.FileUncompress(folder.file("data.bin"), folder.file("data.bin")));
    EXPECT_EQ(ReadFile(folder.file("data.bin")), plain);
    // A destination that cannot be written leaves the source alone and no temporary file.
    EXPECT_FALSE(lib.FileCompress(folder.file("data.bin"), folder.file("missing/dir/x"), 6));
    EXPECT_EQ(ReadFile(folder.file("data.bin")), plain);
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(folder.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 2u);  // data.bin and data.log
}

TEST_F(LibCompressTest, DamagedStreamsAreRefused) {
    const std::string good = Compressed(Payload());
    auto withLength = [&](uint32_t n) {
        std::string s = good;
        for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
        return s;
    };
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x10;
    std::vector<std::pair<const char*, std::string>> cases = {
        {"byte flipped", flipped},
        {"truncated", good.substr(0, good.size() - 3)},
        {"stream cut short", good.substr(0, 30)},
        {"length one too small", withLength(static_cast<uint32_t>(Payload().size() - 1))},
        {"length one too large", withLength(static_cast<uint32_t>(Payload().size() + 1))},
        {"impossible length", withLength(0xFFFFFFF0u)},
        {"bytes after the stream", good + "junk"},
        {"only a length", good.substr(0, 4)},
        {"shorter than a length", "ab"},
        {"not zlib at all", std::string(4, '\0') + "hello world"},
    };
    for (const auto& [what, bytes] : cases) {
        WriteFile(folder.file("bad"), bytes);
        WriteFile(folder.file("out"), "previous");
        EXPECT_FALSE(lib.FileUncompress(folder.file("bad"), folder.file("out"))) << what;
        EXPECT_EQ(ReadFile(folder.file("out")), "previous") << what;
    }
    EXPECT_TRUE(LogHas("Error: (Lib.FileUncompress)"));
    EXPECT_FALSE(lib.FileUncompress(folder.file("none"), folder.file("out2")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("out2")));
}

}  // namespace
