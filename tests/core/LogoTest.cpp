// The start-up logo as PelmarEngine plays and saves it: the file it writes and deletes, and the
// cases where a file is already there.
#include <filesystem>

#include "TextureFixture.h"
#include "core/DeviceProcs.h"
#include "core/LogoImage.h"
#include "core/PelmarEngine.h"

namespace {

using plm::State;

class LogoTest : public plmtest::TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        program = folder.file("program/");
        std::filesystem::create_directories(program);
        State().ProgramFolder = program;
        State().Windowed = true;
        State().ScreenWidth = 320;
        State().ScreenHeight = 240;
        clock->SetStepPerRead(4);  // frames take time, so Delta moves the sequence on
        ASSERT_TRUE(plm::init_Device());
    }

    int64_t Presented() const { return dynamic_cast<plm::platform::SoftwareDevice&>(*State().D3DDevice).PresentCount(); }
    std::string LogoBytes() const { return std::string(reinterpret_cast<const char*>(plm::kLogoJpeg), plm::kLogoJpegSize); }

    std::string program;
    plm::PelmarEngine engine;
};

TEST_F(LogoTest, PlaysFromSlotOneAndDeletesTheFileItWrote) {
    engine.Scene()->SceneInfo(true);
    engine.PLMShowLogo();
    EXPECT_TRUE(State().Textures(1).Loaded);
    EXPECT_EQ(State().Textures(1).FileName, program + "plm.jpg");
    EXPECT_EQ(State().Textures(1).Width, 256);
    EXPECT_FALSE(std::filesystem::exists(program + "plm.jpg"));
    EXPECT_GT(Presented(), 25) << "the sequence and the warm-up after it";
    EXPECT_TRUE(engine.Scene()->SceneInfo()) << "restored";
}

TEST_F(LogoTest, AFileThatWasThereIsShownAndKept) {
    plmtest::WriteFile(program + "plm.jpg", LogoBytes());
    engine.PLMShowLogo();
    EXPECT_TRUE(State().Textures(1).Loaded);
    EXPECT_TRUE(std::filesystem::exists(program + "plm.jpg"));
}

TEST_F(LogoTest, AnUnreadableLogoIsSkipped) {
    plmtest::WriteFile(program + "plm.jpg", "not a picture");
    engine.PLMShowLogo();
    EXPECT_FALSE(State().Textures(1).Loaded);
    EXPECT_EQ(Presented(), 0) << "no frame drawn from the empty slot";
    EXPECT_EQ(plmtest::ReadFile(program + "plm.jpg"), "not a picture") << "not ours: left alone";
}

TEST_F(LogoTest, SaveLogoWritesTheImageOnce) {
    engine.PLMSaveLogo(folder.path());
    EXPECT_EQ(plmtest::ReadFile(folder.file("plm.jpg")), LogoBytes());
    plmtest::WriteFile(folder.file("plm.jpg"), "mine");
    engine.PLMSaveLogo(folder.path());
    EXPECT_EQ(plmtest::ReadFile(folder.file("plm.jpg")), "mine");
}

}  // namespace
