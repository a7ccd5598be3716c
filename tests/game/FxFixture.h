#pragma once
// The headless game with its media loaded and the board map set up as media loading sets it,
// the level tables filled, and frames run at a fixed Delta.
#include <functional>
#include <vector>

#include "GameFixture.h"
#include "core/PelmarEngine.h"
#include "game/Fade.h"
#include "game/Levels.h"
#include "game/Media.h"
#include "game/MediaLayout.h"

namespace plmtest {

class FxTest : public GameEngineTest {
protected:
    void SetUp() override {
        GameEngineTest::SetUp();
        // The engine tables as a session sets them up, then the media.
        tessaly::E().Sprite()->Init(tessaly::kSpriteTotal);
        tessaly::E().SpritePFX()->Init(3, 300, 2);
        ASSERT_TRUE(tessaly::LoadMedia());
        // The board: 25 x 19 cells of 32 x 32 on one layer, cut from the 1024 x 1024 sheet.
        tessaly::E().Map()->Init(32, 32, 25, 19, 1024, 1024, 31, 31, 1, 1, 1);
        tessaly::E().Map()->SetDrawArea(tessaly::media::kBoardOrigin.x, tessaly::media::kBoardOrigin.y, 25, 17);
        tessaly::InitTileTables();
        clock->SetStepPerRead(1);  // the frame's pacing waits on the clock
        device->ClearCalls();
    }

    // One frame at the given Delta: Scene.Begin (with the keys held in `input`), `draw`, then
    // Scene.Render. The recorded calls are those of this frame.
    void Frame(float delta, const std::function<void()>& draw) {
        device->ClearCalls();
        clock->Advance(static_cast<uint32_t>(delta));
        plm::PelmarEngine& e = tessaly::E();
        e.Scene()->Begin();
        e.Delta(delta);
        draw();
        e.Scene()->Render();
    }

    std::vector<plm::platform::Call> Draws() const { return device->CallsOf(plm::platform::CallKind::SpriteDraw); }

    // The player-name box as the title passes it: font 1 centred on (400, 140) over the box of
    // texture 2 drawn at (244, 91).
    static tessaly::TextEntryStyle NameBox() {
        tessaly::TextEntryStyle s;
        s.X = 400, s.Y = 140;
        s.BoxTexture = 2;
        s.BoxSrcX = static_cast<float>(tessaly::media::kNameBox.x);
        s.BoxSrcY = static_cast<float>(tessaly::media::kNameBox.y);
        s.BoxWidth = tessaly::media::kNameBox.w, s.BoxHeight = tessaly::media::kNameBox.h;
        s.BoxX = 244, s.BoxY = 91;
        return s;
    }

    // Fills the playfield (rows 3..17, columns 6..17) and rows 1..2 with resting colour gems.
    static void FillBoard() {
        for (int y = 1; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                tessaly::E().Map()->Value(static_cast<float>(x), static_cast<float>(y), 1,
                                          static_cast<float>(tessaly::KindFirstValue(1 + (x + y) % 6)));
    }
};

}  // namespace plmtest
