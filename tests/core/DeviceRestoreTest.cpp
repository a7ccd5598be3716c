// Lost-device recovery on the software device's simulated loss: every texture comes back with
// its pixels, backups are cleaned up, nothing is leaked, and a device that never recovers does
// not hold the caller for ever.
#include "core/DeviceRestore.h"

#include <filesystem>

#include "TextureFixture.h"
#include "core/DeviceProcs.h"
#include "core/InputProcs.h"
#include "core/TextureProcs.h"
#include "platform/test/ScriptedInput.h"

namespace {

using plm::State;
using plm::platform::Image;
using plm::platform::SoftwareDevice;

class DeviceRestoreTest : public plmtest::TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        clock->SetStepPerRead(1);  // so that the waits on the clock end
        State().Windowed = true;
        State().ScreenWidth = 64;
        State().ScreenHeight = 48;
        ASSERT_TRUE(plm::init_Device());
        device = State().D3DDevice;
        State().BackBuffer = device->GetBackBuffer();
    }

    SoftwareDevice& Soft() const { return dynamic_cast<SoftwareDevice&>(*State().D3DDevice); }

    // Slot 1 from a PNG with a colour key, slot 2 made by Create and drawn into by CopyToTexture,
    // slot 3 a render target, slot 4 loaded at a forced size.
    void FillTable() {
        WriteImage("a.png", Pattern(8, 6, true), plm::platform::ImageFormat::Png);
        ASSERT_TRUE(texture.Load(1, "a.png", -1));
        ASSERT_TRUE(texture.Create(2, 8, false));
        texture.CopyToTexture(1, 2, 1, 4, 4, 2, 1, 3);
        ASSERT_TRUE(texture.Create(3, 16, true));
        ASSERT_TRUE(texture.Load(4, "a.png", 0, false, 16));
    }

    std::vector<std::string> LogTexts() const {
        std::vector<std::string> out;
        for (const std::string& l : Log()) out.push_back(plmtest::Undated(l));
        return out;
    }

    bool Logged(const std::string& text) const {
        for (const std::string& l : LogTexts())
            if (l == text) return true;
        return false;
    }
};

TEST_F(DeviceRestoreTest, AFineDeviceIsLeftAlone) {
    EXPECT_EQ(plm::DeviceLostProc(), 0);
    EXPECT_FALSE(plm::IsDeviceLostProc());
}

TEST_F(DeviceRestoreTest, EveryTextureComesBackWithItsPixels) {
    FillTable();
    std::vector<Image> before;
    for (int i = 1; i <= 4; ++i) before.push_back(Pixels(i));
    const std::vector<plm::TextureSlot> slots(State().Textures.begin(), State().Textures.end());
    const size_t surfaces = Soft().SurfaceCount();
    const auto old = State().D3DDevice;

    Soft().SimulateLoss();
    EXPECT_TRUE(plm::IsDeviceLostProc());
    Soft().SimulateReadyToReset();
    EXPECT_EQ(plm::DeviceLostProc(), 2);

    ASSERT_NE(State().D3DDevice, old) << "the device was rebuilt";
    device = State().D3DDevice;
    EXPECT_FALSE(plm::IsDeviceLostProc());
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const plm::TextureSlot& slot = State().Textures(i);
        EXPECT_TRUE(slot.Loaded);
        EXPECT_EQ(slot.FileName, slots[static_cast<size_t>(i - 1)].FileName) << "not the backup's name";
        EXPECT_EQ(slot.ColorKey, slots[static_cast<size_t>(i - 1)].ColorKey);
        EXPECT_EQ(slot.IsRenderTarget, i == 3);
        EXPECT_EQ(texture.GetWidth(i), slots[static_cast<size_t>(i - 1)].Width);
        if (i != 3) {
            EXPECT_EQ(Pixels(i).pixels, before[static_cast<size_t>(i - 1)].pixels);
        }
        EXPECT_FALSE(std::filesystem::exists(plm::BackupFilePath(i))) << "backup deleted after the reload";
    }
    EXPECT_FALSE(State().Textures(5).Loaded);
    EXPECT_TRUE(State().TexturesRestored);
    EXPECT_EQ(Soft().SurfaceCount(), surfaces) << "one surface per texture, as before the loss";
    EXPECT_EQ(State().BackBuffer, device->GetBackBuffer());
    EXPECT_TRUE(Logged("Device lost. Attempting full restore."));
    EXPECT_TRUE(Logged("Device restored ok."));
}

TEST_F(DeviceRestoreTest, AMissingBackupFallsBackToTheTexturesFile) {
    FillTable();
    const Image keyed = Pixels(1), created = Pixels(2);
    // A folder where a backup file should go makes those saves fail.
    std::filesystem::create_directory(plm::BackupFilePath(1));
    std::filesystem::create_directory(plm::BackupFilePath(2));
    Soft().SimulateReadyToReset();
    EXPECT_EQ(plm::DeviceLostProc(), 2);
    device = State().D3DDevice;
    EXPECT_EQ(Pixels(1).pixels, keyed.pixels) << "reloaded from a.png with its colour key";
    EXPECT_EQ(State().Textures(1).FileName, folder.file("a.png"));
    // A Create slot has no file: it comes back blank at its size, and the loss is logged.
    EXPECT_TRUE(State().Textures(2).Loaded);
    EXPECT_EQ(texture.GetWidth(2), 8);
    EXPECT_NE(Pixels(2).pixels, created.pixels);
    EXPECT_TRUE(Logged("Error: (SaveTexture)"));
    EXPECT_TRUE(Logged("Error: (init_texturesbackup)"));
    EXPECT_TRUE(Logged("Device restored ok."));
}

TEST_F(DeviceRestoreTest, ABackupIsKeptWhenItsReloadFails) {
    FillTable();
    plm::BackupTextures();
    // Damage slot 4's backup and take its own file away: nothing can fill it again.
    plmtest::WriteFile(plm::BackupFilePath(4), "DDS damaged");
    plm::ReleaseTextures();
    plm::ReleaseDirectX();
    ASSERT_TRUE(plm::init_Device());
    std::filesystem::remove(folder.file("a.png"));
    plm::init_texturesbackup();
    device = State().D3DDevice;
    EXPECT_TRUE(std::filesystem::exists(plm::BackupFilePath(4))) << "kept, its reload failed";
    EXPECT_FALSE(std::filesystem::exists(plm::BackupFilePath(1)));
    EXPECT_EQ(texture.GetWidth(4), 16) << "a blank texture of the kept size";
}

TEST_F(DeviceRestoreTest, ARestoreThatFailsInStartUpLeavesNoBackups) {
    // The device cannot be created again (no valid back-buffer size), or input cannot be opened.
    auto input = std::make_shared<plm::platform::ScriptedInput>();
    plm::SetInputBackend(input);
    for (const char* step : {"device", "input"}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(plm::init_Device());
        State().BackBuffer = State().D3DDevice->GetBackBuffer();
        FillTable();
        const bool failDevice = std::string(step) == "device";
        if (failDevice) State().ScreenWidth = 0;
        input->FailOpen(!failDevice);
        Soft().SimulateReadyToReset();
        EXPECT_EQ(plm::DeviceLostProc(), 1);
        EXPECT_TRUE(Logged("Error: (private_init_restore)"));
        for (int i = 1; i <= 4; ++i) {
            EXPECT_FALSE(std::filesystem::exists(plm::BackupFilePath(i))) << i;
            EXPECT_FALSE(State().Textures(i).BackupWritten) << i;
        }
        State().ScreenWidth = 64;
        input->FailOpen(false);
        device.reset();
        plm::ReleaseTextures();
        plm::ReleaseDirectX();
    }
    plm::SetInputBackend(nullptr);
}

TEST_F(DeviceRestoreTest, ADeviceThatNeverRecoversIsGivenUp) {
    FillTable();
    Soft().SimulateLoss();
    const uint32_t start = clock->Peek();
    EXPECT_EQ(plm::DeviceLostProc(), 1);
    const uint32_t waited = clock->Peek() - start;
    EXPECT_GE(waited, static_cast<uint32_t>(plm::kMaxLostDevicePolls) * plm::kLostDevicePollMs);
    EXPECT_LT(waited, static_cast<uint32_t>(plm::kMaxLostDevicePolls + 1) * plm::kLostDevicePollMs);
    EXPECT_TRUE(State().Textures(1).Loaded) << "nothing was released";
    EXPECT_TRUE(Logged("Error: (DeviceLost)"));
}

}  // namespace
