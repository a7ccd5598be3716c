#pragma once
// The title screen's fixture: the headless game engine with the media loaded, frames of 20 ms,
// clicks on widgets and keys, and what a frame drew, by kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/EngineState.h"
#include "game/GameFixture.h"
#include "game/GameState.h"
#include "game/Media.h"
#include "game/MediaLayout.h"
#include "game/Title.h"
#include "game/TitleMenu.h"
#include "platform/test/RecordingDevice.h"
#include "platform/test/ScriptedInput.h"
#include "ui/Gui.h"

// Inside the game's namespace so that the fixture reads the game's names as the game does.
namespace tessaly::fixtures {

class TitleTest : public plmtest::GameEngineTest {
protected:
    using CallKind = plm::platform::CallKind;
    void SetUp() override {
        GameEngineTest::SetUp();
        E().Sprite()->Init(kSpriteTotal);
        ASSERT_TRUE(LoadMedia());
        E().SpritePFX()->Init(3, 300, 2);
        G().Frame.FixedDelta = 20;
        clock->SetStepPerRead(1);  // a frame waits on the clock
    }
    plm::Gui& Ui() { return *E().Gui(); }
    // One frame 20 ms after the last, for the engine's timers as for Delta.
    bool Frame() {
        clock->Advance(20);
        return TitleFrame();
    }
    // The title set up and its fade-in over.
    void Open() {
        ASSERT_TRUE(InitTitle());
        ResetLogoPulse();
        G().Frame.InGame = true;
        for (int i = 0; i < 400 && G().Fade.FadeOn; ++i) Frame();
        ASSERT_FALSE(G().Fade.FadeOn);
    }
    // A press and a release of the left button at (x, y) in the game space.
    void ClickAt(float x, float y) {
        G().Frame.GameMouseX = x;
        G().Frame.GameMouseY = y;
        input->SetButton(0, true);
        Frame();
        input->SetButton(0, false);
        Frame();
    }
    // A click on a button; those of the score and carousel panels sit relative to their frame.
    void ClickButton(int32_t button) {
        const int32_t frame = button == kScoresBackButton || button == kScoresNextButton ? kScoresFrame
                              : button >= kCarouselPreviousButton && button <= kCarouselPlayButton ? kCarouselFrame
                                                                                                   : 0;
        const float fx = frame > 0 ? Ui().X(plm::eFrame, frame) : 0, fy = frame > 0 ? Ui().Y(plm::eFrame, frame) : 0;
        ClickAt(fx + Ui().X(plm::ebutton, button) + 20, fy + Ui().Y(plm::ebutton, button) + 20);
    }
    void PressKey(int32_t scanCode) {
        input->SetKey(static_cast<uint8_t>(scanCode), true);
        Frame();
        input->SetKey(static_cast<uint8_t>(scanCode), false);
        Frame();
    }
    // What each sprite draw of the frame shows, by its source rectangle; runs of one kind folded.
    std::vector<std::string> DrawnKinds() const {
        std::vector<std::string> kinds;
        for (const auto& c : device->CallsOf(CallKind::SpriteDraw)) {
            const auto& r = c.rect;
            const int w = r.right - r.left, h = r.bottom - r.top;
            std::string kind = "other";
            if (r.left == 0 && r.top == 0 && w == 800 && h == 600) kind = "help";
            else if (w >= 100 && r.right <= 512 && r.bottom <= 512) kind = "background";  // tiler pieces
            else if (w == 32 && h == 32) kind = "gem";
            else if (r.left == media::kLogo.x && r.top == media::kLogo.y && w == media::kLogo.w) kind = "logo";
            else if (r.left >= 520 && r.top < 600 && r.left < 1000 && (w == 162 || w == 112)) kind = "button";
            else if (r.left == media::kHelpBackUp.x && w == media::kHelpBackUp.w) kind = "button";
            else if (r.left == media::kFadeTexel.x && r.top == media::kFadeTexel.y && w == 1) kind = "fade";
            else if (r.top >= media::kFontAreaTop || w < 40) kind = "glyph";
            if (kinds.empty() || kinds.back() != kind) kinds.push_back(kind);
        }
        return kinds;
    }
    int32_t FireworksStarted() const { return plm::State().Explosions.ExplosionCursor(1); }
};

}  // namespace tessaly::fixtures
