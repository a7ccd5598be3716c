// Pictures of the board in the middle of a board-clear effect and of the player-name box on the
// software device with the game's own media, compared with golden images.
#include <string>

#include "FxFixture.h"
#include "core/GoldenImage.h"
#include "game/BoardFx.h"
#include "game/ClearEffects.h"
#include "game/Fade.h"

namespace {

using plm::platform::Image;
using tessaly::E;

class FxGoldenTest : public plmtest::FxTest {
protected:
    // The part (x, y, w, h) of the last presented frame.
    Image Shown(int x, int y, int w, int h) const {
        Image all;
        EXPECT_TRUE(device->ReadPresentedFrame(all));
        Image part;
        part.width = w;
        part.height = h;
        for (int row = y; row < y + h; ++row)
            for (int col = x; col < x + w; ++col)
                part.pixels.push_back(all.pixels[static_cast<size_t>(row * all.width + col)]);
        return part;
    }
};

TEST_F(FxGoldenTest, BoardHalfWayThroughTheThrustEffect) {
    tessaly::WipeBoard();
    for (int y = 1; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x) {
            const int kind = (x * 7 + y * 3) % 23 == 0 ? 7 + (x + y) % 12 : 1 + (x * 5 + y * 2) % 6;
            E().Map()->Value(static_cast<float>(x), static_cast<float>(y), 1,
                             static_cast<float>(tessaly::KindFirstValue(kind)));
        }
    tessaly::ClearBoardThrust();
    auto draw = [] {
        tessaly::RenderCellMarks();
        E().Map()->Render(1);
        tessaly::RenderSpriteMarks();
        E().Sprite()->Render();
    };
    for (int f = 0; f < 25; ++f) Frame(20, draw);
    // The well and its walls: columns 5..18, rows 0..18.
    plmtest::ExpectMatchesGolden(Shown(20 + 5 * 32, 0, 14 * 32, 600), "board_thrust_effect");
}

TEST_F(FxGoldenTest, NameEntryBoxWithTextAndCursor) {
    ASSERT_TRUE(E().Texture()->Load(2, "title.png", 0, false, 0));
    const tessaly::TextEntryStyle box = NameBox();
    std::string name = "PLAYER 1";
    Frame(20, [&] { tessaly::InputText(name, box); });
    plmtest::ExpectMatchesGolden(Shown(234, 81, 332, 138), "name_entry_box");
}

}  // namespace
