#pragma once
// A headless engine with a software device and a small texture table, and helpers that write
// image files and read texture pixels back.
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "core/Texture.h"
#include "platform/ImageCodec.h"
#include "platform/software/SoftwareDevice.h"

namespace plmtest {

class TextureTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
        plm::State().MaxTextures = 8;
        plm::State().Textures.resize(8);
        MakeDevice(160, 120);
    }

    // A fresh software device with a back buffer of w x h (the texture table keeps its entries).
    void MakeDevice(int w, int h) {
        plm::platform::DeviceSettings ds;
        ds.width = w;
        ds.height = h;
        device = plm::platform::CreateSoftwareDevice(ds);
        plm::State().D3DDevice = device;
        plm::State().ScreenWidth = w;
        plm::State().ScreenHeight = h;
    }

    // One frame drawn by `draw` into the cleared back buffer, read back.
    template <typename F>
    plm::platform::Image Frame(uint32_t clearColor, F draw) {
        device->Clear(plm::platform::ClearTarget, clearColor, 1, 0);
        device->BeginScene();
        device->SpriteBegin();
        plm::State().BlendSrcCache = plm::State().BlendDestCache = -1;
        draw();
        device->SpriteEnd();
        device->EndScene();
        plm::platform::Image out;
        device->ReadPixels(device->GetBackBuffer(), out);
        return out;
    }

    // An image whose every pixel differs, with opaque magenta at (1, 1).
    static plm::platform::Image Pattern(int w, int h, bool withAlpha = false) {
        plm::platform::Image img;
        img.width = w;
        img.height = h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t a = withAlpha ? static_cast<uint32_t>(0x40 + 8 * x) : 0xFFu;
                img.pixels.push_back((a << 24) | (static_cast<uint32_t>(16 * x + 3) << 16) |
                                     (static_cast<uint32_t>(16 * y + 5) << 8) | 0x80u);
            }
        if (w > 1 && h > 1) img.pixels[static_cast<size_t>(w) + 1] = plm::kDefaultColorKey;
        return img;
    }

    std::string WriteImage(const std::string& name, const plm::platform::Image& img, plm::platform::ImageFormat f) {
        std::string err;
        EXPECT_TRUE(plm::platform::SaveImageFile(folder.file(name), img, f, err)) << err;
        return name;
    }

    plm::platform::Image Pixels(int slot) const {
        plm::platform::Image img;
        device->ReadPixels(plm::State().Textures(slot).Object, img);
        return img;
    }

    static uint32_t At(const plm::platform::Image& img, int x, int y) {
        return img.pixels[static_cast<size_t>(y) * static_cast<size_t>(img.width) + static_cast<size_t>(x)];
    }

    plm::Texture texture;
    std::shared_ptr<plm::platform::GraphicsDevice> device;
};

}  // namespace plmtest
