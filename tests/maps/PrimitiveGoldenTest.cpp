// Pictures of shapes, textured quads and a tiler on the software device, compared with golden
// images under tests/data/golden.
#include "core/GoldenImage.h"
#include "core/DeviceProcs.h"
#include "core/TextureFixture.h"
#include "maps/PolySprite.h"
#include "maps/Shape.h"
#include "maps/Tiler.h"

namespace {

using plm::platform::Image;

class PrimitiveGoldenTest : public plmtest::TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        MakeDevice(200, 150);
        plm::SetDefaultRenderStates();
        WriteImage("checker.png", Checker(), plm::platform::ImageFormat::Png);
        ASSERT_TRUE(texture.Load(1, "checker.png", 0));
    }

    // 64 x 64: four coloured quarters with a dark grid every 8 pixels and a white top row, so that
    // the source rectangle, its orientation and any deformation all show.
    static Image Checker() {
        Image img;
        img.width = img.height = 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                static const uint32_t quarters[4] = {0xFFE04040u, 0xFF40C040u, 0xFF4060E0u, 0xFFE0C040u};
                uint32_t p = quarters[(y / 32) * 2 + x / 32];
                if (x % 8 == 0 || y % 8 == 0) p = 0xFF202020u;
                if (y < 3) p = 0xFFFFFFFFu;
                img.pixels.push_back(p);
            }
        return img;
    }
};

TEST_F(PrimitiveGoldenTest, ShapesOutlinedFilledAndTextured) {
    plm::Shape shape;
    Image frame = Frame(0xFF303848u, [&] {
        shape.ShapeStart(5, 6);
        shape.RenderLine(10, 10, 90, 30, 1, 255, 255, 255, 255, false);
        shape.RenderLine(10, 40, 90, 60, 6, 200, 255, 200, 0, false);
        shape.SetTexture(1, 0, 0, 64, 64);
        shape.RenderLine(10, 80, 90, 70, 12, 255, 255, 255, 255, true);
        shape.RenderRectangle(105.5f, 10.5f, 190, 50, 255, 0, 255, 255, false, false);
        shape.RenderRectangle(110, 20, 150, 60, 140, 255, 60, 60, true, false);
        shape.SetTexture(1, 0, 0, 32, 32);  // the red quarter alone
        shape.RenderRectangle(160, 60, 190, 90, 255, 255, 255, 255, true, true);
        shape.RenderCircle(40, 115, 25, 255, 255, 255, 255, false, false);
        shape.CircleQuality(1);
        shape.SetTexture(1, 0, 0, 64, 64);
        shape.RenderCircle(100, 110, 30, 255, 255, 255, 255, true, true);
        shape.CircleQuality(19);  // 60 degrees: a hexagon
        shape.RenderCircle(165, 120, 20, 180, 80, 160, 255, true, false);
        shape.ShapeEnd();
    });
    plmtest::ExpectMatchesGolden(frame, "shapes");
}

TEST_F(PrimitiveGoldenTest, DeformedQuadsAndTheirGrid) {
    plm::PolySprite poly;
    poly.Init(2);
    poly.SetTexture(1, 1, 0, 0, 64, 64, 6, true);
    // Corners in strip order: top-left, top-right, bottom-left, bottom-right, pulled out of square.
    poly.SetXY(1, 1, 15, 20);
    poly.SetXY(1, 2, 100, 5);
    poly.SetXY(1, 3, 30, 130);
    poly.SetXY(1, 4, 90, 100);
    poly.SetTexture(2, 1, 0, 0, 64, 64, 1, true);
    poly.SetXY(2, 1, 120, 20);
    poly.SetXY(2, 2, 190, 40);
    poly.SetXY(2, 3, 110, 90);
    poly.SetXY(2, 4, 185, 110);
    poly.Alpha(2, 160);
    poly.SetRGB(2, 255, 200, 120);
    Image frame = Frame(0xFF303848u, [&] {
        poly.RenderAll();
        // From the arguments alone: the blue quarter, half transparent, over the first quad's corner.
        poly.RenderQuad(1, 0, 32, 32, 32, 70, 90, 140, 100, 75, 145, 135, 140, 128, 255, 255, 255, 2, 5, 6);
    });
    plmtest::ExpectMatchesGolden(frame, "deformed_quads");
}

TEST_F(PrimitiveGoldenTest, TilerFillsItsAreaWithTrimmedCopies) {
    plm::Tiler tiler;
    // 40 x 24 copies over a 150 x 100 area at (25, 25), scrolled part of a copy left and up.
    tiler.Configure(1, 1, 4, 4, 40, 24, 25, 25, 150, 100, 255, 255, 255, 255);
    Image frame = Frame(0xFF303848u, [&] { tiler.Render(1, -13, -7, false); });
    plmtest::ExpectMatchesGolden(frame, "tiler");
}

}  // namespace
