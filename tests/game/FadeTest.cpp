// The screen fade, the text entry of the name box, the sound shortcuts and the game set-up's
// background order and playlist, in the headless game.
#include <algorithm>
#include <string>
#include <vector>

#include "FxFixture.h"
#include "core/Convert.h"
#include "core/EngineState.h"
#include "game/Fade.h"
#include "platform/Input.h"

namespace {

using plm::platform::Call;
using plm::platform::CallKind;
using tessaly::Game;
namespace pf = plm::platform;

uint32_t AlphaOf(const Call& c) { return c.color >> 24; }

class FadeTest : public plmtest::FxTest {
protected:
    // Runs the fade at `delta` until it ends: the alpha of each frame's overlay.
    std::vector<uint32_t> RunFade(float delta, int maxFrames = 10000) {
        std::vector<uint32_t> alphas;
        for (int f = 0; f < maxFrames && Game().Fade.FadeOn; ++f) {
            Frame(delta, [] { tessaly::RenderFade(); });
            const std::vector<Call> draws = Draws();
            EXPECT_EQ(draws.size(), 1u);
            if (draws.empty()) break;
            alphas.push_back(AlphaOf(draws.back()));
        }
        return alphas;
    }

    // One frame of the entry with `key` (a scan code, 0 for none) held down; its result.
    bool Type(std::string& text, int key, const tessaly::TextEntryStyle& style, float delta = 20) {
        if (key) input->SetKey(static_cast<uint8_t>(key), true);
        bool entered = false;
        Frame(delta, [&] { entered = tessaly::InputText(text, style); });
        if (key) {
            // The key is let go, and the keyboard read once without it.
            input->SetKey(static_cast<uint8_t>(key), false);
            Frame(delta, [] { tessaly::E().Key()->LettersPressedOnce(); });
        }
        return entered;
    }
    bool Type(std::string& text, int key) { return Type(text, key, style); }

    // The cursor bar of this frame, if one was drawn.
    size_t CursorBars() const { return device->Count(CallKind::DrawPrimitiveUP); }

    tessaly::TextEntryStyle style = [] {
        tessaly::TextEntryStyle s;
        s.X = 400, s.Y = 140, s.MaxLength = 3;
        return s;
    }();
};

TEST_F(FadeTest, FadesInAndOutCoverTheScreenForTheirFrames) {
    struct Case {
        float start, step, delta;
        size_t frames;
        uint32_t first, last;
    };
    // In at a game's start: 255 down by 1.6 a frame, the 160th frame drawn at 0.6. Out when
    // leaving a game: 0 up by 2, the 128th frame at 254 nearly opaque.
    for (const Case& c : {Case{255, -0.08f, 20, 160, 255, 0}, Case{0, 0.1f, 20, 128, 0, 254}}) {
        SCOPED_TRACE(c.step);
        tessaly::StartFade(c.start, c.step);
        const std::vector<uint32_t> alphas = RunFade(c.delta);
        ASSERT_EQ(alphas.size(), c.frames);
        EXPECT_EQ(alphas.front(), c.first);
        EXPECT_EQ(alphas.back(), c.last);
        EXPECT_FALSE(Game().Fade.FadeOn);
        Frame(c.delta, [] { tessaly::RenderFade(); });
        EXPECT_TRUE(Draws().empty()) << "a finished fade draws nothing";
    }
}

TEST_F(FadeTest, TheOverlayIsTheBlackTexelStretchedOverTheGameSpace) {
    tessaly::StartFade(128, 0);
    Frame(16, [] { tessaly::RenderFade(); });
    const std::vector<Call> draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const Call& d = draws[0];
    ASSERT_TRUE(d.hasRect);
    EXPECT_EQ(d.rect.left, 1);
    EXPECT_EQ(d.rect.top, 1);
    EXPECT_EQ(d.rect.right, 2);
    EXPECT_EQ(d.rect.bottom, 2);
    EXPECT_FLOAT_EQ(d.floats[0], 800);  // scale
    EXPECT_FLOAT_EQ(d.floats[1], 600);
    EXPECT_FLOAT_EQ(d.floats[5], 0);    // at the origin
    EXPECT_FLOAT_EQ(d.floats[6], 0);
    EXPECT_EQ(d.color, 0x80FFFFFFu);
}

TEST_F(FadeTest, AFadeWithStepZeroNeverEndsAndANewFadeReplacesARunningOne) {
    tessaly::StartFade(100, 0);
    EXPECT_EQ(RunFade(50, 500).size(), 500u);
    EXPECT_TRUE(Game().Fade.FadeOn);
    tessaly::StartFade(10, -0.5f);
    EXPECT_FLOAT_EQ(Game().Fade.FadeAlpha, 10);
    EXPECT_EQ(RunFade(20).size(), 2u);  // 10, then 0 below 0
}

TEST_F(FadeTest, TextEntryTypesLettersDeletesAndEndsOnEnter) {
    std::string text;
    EXPECT_FALSE(Type(text, pf::kScanA));
    EXPECT_FALSE(Type(text, 48));  // B
    EXPECT_EQ(text, "AB");
    EXPECT_FALSE(Type(text, pf::kScanBackspace));
    EXPECT_EQ(text, "A");
    EXPECT_FALSE(Type(text, pf::kScanBackspace));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(Type(text, pf::kScanBackspace)) << "an empty text stays empty";
    EXPECT_EQ(text, "");
    for (int key : {46, 30, 20, 44}) Type(text, key);  // C A T Z: Z is past the limit of 3
    EXPECT_EQ(text, "CAT");
    EXPECT_TRUE(Type(text, pf::kScanEnter)) << "Enter still ends the entry at the limit";
    EXPECT_EQ(text, "CAT");
    EXPECT_FALSE(Type(text, 0)) << "true only in the frame of Enter";
    EXPECT_TRUE(Type(text, pf::kScanKeypadEnter));
}

TEST_F(FadeTest, ATextLongerThanTheLimitIsCutBeforeTheKeysAreRead) {
    std::string text = "ABCDEF";
    Type(text, pf::kScanBackspace);
    EXPECT_EQ(text, "AB");
    text = "ABCDEF";
    Type(text, pf::kScanA);
    EXPECT_EQ(text, "ABC");
}

TEST_F(FadeTest, TextIsCentredOnXWithTheBoxBehindIt) {
    ASSERT_TRUE(tessaly::E().Texture()->Load(2, "title.png", 0, false, 0));
    std::string text = "AB";
    const tessaly::TextEntryStyle box = NameBox();
    Type(text, 0, box);
    const std::vector<Call> draws = Draws();
    ASSERT_EQ(draws.size(), 3u);  // the box, then one draw per letter
    ASSERT_TRUE(draws[0].hasRect);
    EXPECT_EQ(draws[0].rect.left, tessaly::media::kNameBox.x);
    EXPECT_EQ(draws[0].rect.top, tessaly::media::kNameBox.y);
    EXPECT_EQ(draws[0].rect.right, tessaly::media::kNameBox.x + tessaly::media::kNameBox.w);
    EXPECT_FLOAT_EQ(draws[0].floats[5], 244);
    EXPECT_FLOAT_EQ(draws[0].floats[6], 91);
    const float w = tessaly::E().Font()->GetStringWidth(1, "AB", 2, 1, 1);
    EXPECT_FLOAT_EQ(draws[1].floats[5], plm::Int(400 - w / 2));
    EXPECT_FLOAT_EQ(draws[1].floats[6], 140);
}

TEST_F(FadeTest, TheCursorShowsOnTheFirstCallAndBlinksEvery500Ms) {
    std::string text = "AB";
    Type(text, 0, style, 20);
    ASSERT_EQ(CursorBars(), 1u) << "shown at once";
    const Call bar = *device->Find(CallKind::DrawPrimitiveUP);
    // A filled bar 2 pixels wide right of the centred text, as high as the font.
    const float w = tessaly::E().Font()->GetStringWidth(1, "AB", 2, 1, 1);
    const float h = tessaly::E().Font()->GetHeight(1, 1, 1);
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const pf::ScreenVertex& v : bar.vertices) {
        left = std::min(left, v.x), right = std::max(right, v.x);
        top = std::min(top, v.y), bottom = std::max(bottom, v.y);
    }
    EXPECT_FLOAT_EQ(left, plm::Int(400 + w / 2 + 2));
    EXPECT_FLOAT_EQ(right, plm::Int(400 + w / 2 + 4));
    EXPECT_FLOAT_EQ(top, 140);
    EXPECT_FLOAT_EQ(bottom, plm::Int(140 + h));

    // 500 ms on: the timer reloads at 500 and falls below 0 on the 26th frame of 20 ms.
    std::vector<bool> shown;
    for (int f = 0; f < 52; ++f) {
        Type(text, 0, style, 20);
        shown.push_back(CursorBars() == 1);
    }
    for (int f = 0; f < 52; ++f) EXPECT_EQ(shown[static_cast<size_t>(f)], f < 25 || f >= 51) << "frame " << f;
}

TEST_F(FadeTest, TheGameSetUpOrdersTheBackgroundsAndPicksAPlaylist) {
    tessaly::InitBackgroundOrder();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Game().Session.BackgroundOrder[static_cast<size_t>(i)], i + 1);

    Game().Session.TrackLevelCount = 4;
    tessaly::StartRandomPlaylist();
    EXPECT_EQ(Game().Session.TrackLevelCount, 0);
    const tessaly::MediaArea& m = Game().Media;
    ASSERT_EQ(m.PlaylistLength, 5);
    EXPECT_EQ(m.PlaylistPosition, 1);
    std::string list;
    for (int k = 1; k <= 5; ++k) list += (k > 1 ? "," : "") + std::to_string(m.Playlist(k));
    EXPECT_NE(std::find(tessaly::kGamePlaylists.begin(), tessaly::kGamePlaylists.end(), list),
              tessaly::kGamePlaylists.end())
        << list;
}

}  // namespace
