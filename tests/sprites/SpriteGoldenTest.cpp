// A picture of sprite drawing on the software device: frames, rotation, mirror and flip, shadows,
// alpha, additive blending and uneven scales, compared with a golden image.
#include <cmath>

#include "core/GoldenImage.h"
#include "core/TextureFixture.h"
#include "sprites/Sprite.h"

namespace {

using plm::platform::Image;

class SpriteGoldenTest : public plmtest::TextureTest {
protected:
    // Two 32 x 32 frames side by side with a one-pixel gutter. Frame 0: a green body with a white
    // bar along the top ("up") and an orange bar down the left; frame 1: a purple ring.
    static Image TwoFrames() {
        Image img;
        img.width = 65;
        img.height = 32;
        img.pixels.assign(65 * 32, 0);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                uint32_t p = 0xFF000000u | (static_cast<uint32_t>(30 + 3 * x) << 16) |
                             (static_cast<uint32_t>(150 + 3 * y) << 8) | 60u;
                if (y < 5) p = 0xFFFFFFFFu;
                if (x < 5) p = 0xFFFF8000u;
                img.pixels[static_cast<size_t>(y * 65 + x)] = p;
                float d = std::hypot(x - 15.5f, y - 15.5f);
                img.pixels[static_cast<size_t>(y * 65 + 33 + x)] = (d > 9 && d < 15) ? 0xFFB040FFu : 0;
            }
        return img;
    }
};

TEST_F(SpriteGoldenTest, SpritesOnTheSoftwareDevice) {
    MakeDevice(320, 200);
    WriteImage("frames.png", TwoFrames(), plm::platform::ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "frames.png", 0));
    plm::Sprite sprite;
    sprite.Init(10);
    auto on = [&](int s, float x, float y, int frame = 0) {
        sprite.Activate(s, x, y, 1, 0, 0, frame, 0, 32, 32, false, true);
    };
    on(1, 40, 40);  // plain
    on(2, 110, 40);
    sprite.Rotate(2, 30);
    sprite.SetShadow(2, 90, 6, 6, true, 0, 0, 0, 0, 1, 1, 1, true, true);
    on(3, 180, 40);
    sprite.Mirror(3, true);
    on(4, 250, 40);
    sprite.Flip(4, true);
    sprite.Rotate(4, 45);
    on(5, 40, 130, 1);
    sprite.Scaled(5, 1.5f);
    sprite.Alpha(5, 128);
    on(6, 110, 130);
    on(7, 118, 138, 1);
    sprite.Blend(7, true);  // additive, over sprite 6
    sprite.Zorder(7, 1);
    on(8, 200, 130);
    sprite.XScaled(8, 2);
    sprite.YScaled(8, 0.75f);
    sprite.SetRGB(8, 255, 120, 120);
    on(9, 275, 130);
    sprite.Mirror(9, true);
    sprite.Rotate(9, 90);
    Image frame = Frame(0xFF304050u, [&] { sprite.Render(); });
    plmtest::ExpectMatchesGolden(frame, "sprite_draws");
}

}  // namespace
