#include "core/PelmarEngine.h"
#include "core/EngineLog.h"

#include <dlfcn.h>

#include <filesystem>
#include <limits>

#include "EngineFixture.h"
#include "ClassFactory.h"

namespace {

using plmtest::EngineTest;

TEST_F(EngineTest, PathAppendsOneSeparator) {
    plm::PelmarEngine e;
    struct Row {
        const char* in;
        const char* stored;
    };
    for (Row r : {Row{"/tmp/game", "/tmp/game/"}, Row{"/tmp/game/", "/tmp/game/"}, Row{"C:\\games\\t", "C:/games/t/"},
                  Row{"rel\\", "rel/"}, Row{"", "/"}}) {
        e.Path(r.in);
        EXPECT_EQ(e.Path(), r.stored) << r.in;
    }
}

TEST_F(EngineTest, VersionValues) {
    plm::PelmarEngine e;
    EXPECT_EQ(e.PLMVersion(), "2.3.2");
    EXPECT_EQ(e.PLMVersionVal(), 232);
}

TEST_F(EngineTest, InitializeWritesDefaultsAndStartLines) {
    plm::PelmarEngine e;
    e.Path(folder.path());
    EXPECT_TRUE(e.Initialize());
    auto& s = plm::State();
    EXPECT_EQ(s.ColorBitDepth, 16);
    EXPECT_EQ(s.DepthStencilFormat, 80);
    EXPECT_EQ(s.ScreenWidth, 640);
    EXPECT_EQ(s.ScreenHeight, 480);
    EXPECT_EQ(s.MaxTextures, 32);
    EXPECT_TRUE(s.ShowLogo);
    EXPECT_FALSE(s.Windowed);
    EXPECT_TRUE(e.Device()->FullScreenVsync());
    auto lines = Log();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], plm::kDashLine);
    EXPECT_EQ(plmtest::Undated(lines[1]), "Pelmar Engine V2.3.2");
    EXPECT_EQ(plmtest::Undated(lines[2]), "Session: Start");
    e.Terminate();
    lines = Log();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(plmtest::Undated(lines[3]), "Terminating Pelmar Engine Session");
    EXPECT_EQ(plmtest::Undated(lines[4]), "Session: End");
}

TEST_F(EngineTest, ServicesAreLazyOneInstanceAndReplaceable) {
    plm::PelmarEngine e;
    auto a = e.Sprite();
    ASSERT_TRUE(a);
    EXPECT_EQ(e.Sprite(), a);  // the same object on every read
    auto replacement = std::make_shared<plm::Sprite>();
    e.Sprite(replacement);
    EXPECT_EQ(e.Sprite(), replacement);
    e.Sprite(nullptr);
    EXPECT_TRUE(e.Sprite());  // created again on first read
    EXPECT_NE(e.Sprite(), replacement);
}

// Terminate drops the services in the creation order of Initialize.
std::vector<std::string>* g_dropped = nullptr;
template <typename Base>
struct Watched : Base {
    explicit Watched(std::string n) : name(std::move(n)) {}
    ~Watched() { g_dropped->push_back(name); }
    std::string name;
};

TEST_F(EngineTest, TerminateDropsEveryServiceInCreationOrder) {
    std::vector<std::string> dropped;
    g_dropped = &dropped;
    {
        plm::PelmarEngine e;
        e.Path(folder.path());
        e.Initialize();
        std::weak_ptr<plm::Zone> zone = e.Zone();
        e.Bass(std::make_shared<Watched<plm::Bass>>("Bass"));
        e.Sample(std::make_shared<Watched<plm::Sample>>("Sample"));
        e.Music(std::make_shared<Watched<plm::Music>>("Music"));
        e.Sprite(std::make_shared<Watched<plm::Sprite>>("Sprite"));
        e.Zone(std::make_shared<Watched<plm::Zone>>("Zone"));
        EXPECT_TRUE(zone.expired());  // replaced, so the old one is gone
        e.Terminate();
        EXPECT_EQ(dropped, (std::vector<std::string>{"Bass", "Sample", "Music", "Sprite", "Zone"}));
    }
    g_dropped = nullptr;
}

TEST_F(EngineTest, TerminateRestoresTheTimerResolution) {
    clock->SetStepPerRead(1);  // the warm-up frames wait on the clock
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    e.InitDevice();
    e.Terminate();
    EXPECT_EQ(clock->periodDepth, 0);
}

TEST_F(EngineTest, ASecondInitDeviceRaisesTheTimerResolutionOnce) {
    clock->SetStepPerRead(1);
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    e.Device()->ShowLogo(false);
    e.InitDevice();
    e.InitDevice();
    EXPECT_EQ(clock->periodDepth, 1);
    e.Terminate();
    EXPECT_EQ(clock->periodDepth, 0);
}

TEST_F(EngineTest, InitDeviceBuildsTablesBeforeTheDevice) {
    clock->SetStepPerRead(1);  // the warm-up frames wait on the clock
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    e.Device()->MaxTextures(5);
    e.Device()->ShowLogo(false);
    e.Device()->ScreenWidth(800);
    e.Device()->ScreenHeight(600);
    e.InitDevice();
    auto& s = plm::State();
    EXPECT_EQ(s.Textures.size(), 5);
    EXPECT_FLOAT_EQ(s.MouseMaxX, 799);
    EXPECT_FLOAT_EQ(s.MouseMaxY, 599);
    EXPECT_GT(s.Delta, 1.0f);  // set to 1.0, then smoothed over the warm-up frames
    EXPECT_EQ(s.AngleWrapTable[720], 0);
    EXPECT_EQ(s.DrawMatrix.m[3][3], 1.0f);
    // A later MaxTextures does not resize the table until the next InitDevice.
    e.Device()->MaxTextures(9);
    EXPECT_EQ(s.Textures.size(), 5);
    bool adapterLine = false;
    for (auto& l : Log()) adapterLine |= plmtest::Undated(l).rfind("Adapter #1 : ", 0) == 0;
    EXPECT_TRUE(adapterLine);
    e.Terminate();
}

TEST_F(EngineTest, InitDeviceRefusesATextureTableItCannotHold) {
    plm::PelmarEngine e;
    e.Path(folder.path());
    e.Initialize();
    e.Device()->MaxTextures(std::numeric_limits<int32_t>::max());
    EXPECT_FALSE(e.InitDevice());
    bool blocked = false;
    for (auto& l : Log()) blocked |= plmtest::Undated(l) == "Error: (InitDevice)";
    EXPECT_TRUE(blocked);
    e.Terminate();
}

TEST(ClassFactory, CreatesTheRootByIdentifierOrName) {
    for (const char* id : {"{11ED331D-4929-4ADD-ADA7-B1AC17B32782}", "11ed331d-4929-4add-ada7-b1ac17b32782",
                           "PelmarEngine"}) {
        void* obj = PLMCreateObject(id);
        ASSERT_NE(obj, nullptr) << id;
        PLMReleaseObject(id, obj);
    }
    for (const char* id : {"{6384F115-9B34-475C-89F5-74F1D0B3A70B}", "Sprite", "", "{11ED331D}"})
        EXPECT_EQ(PLMCreateObject(id), nullptr) << id;
    EXPECT_EQ(PLMCreateObject(nullptr), nullptr);
}

TEST(ClassFactory, ExportedFromTheLibrary) {
    void* lib = dlopen(PLM_BIN_DIR "/libplm232.so", RTLD_NOW);
    ASSERT_NE(lib, nullptr) << dlerror();
    EXPECT_NE(dlsym(lib, "PLMCreateObject"), nullptr);
    EXPECT_NE(dlsym(lib, "PLMReleaseObject"), nullptr);
    dlclose(lib);
}

}  // namespace
