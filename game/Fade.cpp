#include "Fade.h"

#include "Board.h"
#include "FrameLoop.h"
#include "GameState.h"
#include "Media.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"

namespace tessaly {

namespace {

constexpr int32_t kKeyEnter = 28;
constexpr int32_t kKeyBackspace = 14;
constexpr float kCursorBlinkMs = 500;
constexpr float kTextSpacing = 2;
constexpr int32_t kPickSample = 13;

}  // namespace

void StartFade(float StartAlpha, float Step) {
    FadeArea& f = Game().Fade;
    f.FadeOn = true;
    f.FadeAlpha = StartAlpha;
    f.FadeStep = Step;
}

void RenderFade() {
    FadeArea& f = Game().Fade;
    if (!f.FadeOn) return;
    const media::Rect& t = media::kFadeTexel;
    E().Texture()->Render(media::kResTexture, t.x, t.y, t.w, t.h, 0, 0, f.FadeAlpha, 0, kGameWidth, kGameHeight,
                          true, 0, 2, 2, 1, 1, 0, 255, 255, 255, plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
    f.FadeAlpha += f.FadeStep * E().Delta();
    if (f.FadeAlpha < 0 || f.FadeAlpha > 255) f.FadeOn = false;
}

bool InputText(std::string& Text, const TextEntryStyle& s) {
    plm::PelmarEngine& e = E();
    if (s.BoxTexture > 0)
        e.Texture()->RenderFast(s.BoxTexture, plm::Int(s.BoxSrcX), plm::Int(s.BoxSrcY), s.BoxWidth, s.BoxHeight,
                                s.BoxX, s.BoxY, 255, 0, 1, true, false, plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
    const size_t maxLength = static_cast<size_t>(s.MaxLength > 0 ? s.MaxLength : 0);
    if (Text.size() > maxLength) Text.resize(maxLength);

    bool entered = false;
    const int32_t k = e.Key()->LettersPressedOnce();
    if (k == kKeyEnter) {
        entered = true;
    } else if (k == kKeyBackspace) {
        if (!Text.empty()) Text.pop_back();
    } else if (k > 0 && k < 256 && Text.size() < maxLength) {
        Text.push_back(static_cast<char>(static_cast<unsigned char>(k)));
    }

    plm::Font& font = *e.Font();
    const float w = font.GetStringWidth(s.FontIndex, Text, kTextSpacing, s.Scale, 1);
    const float h = font.GetHeight(s.FontIndex, s.Scale, 1);
    font.Render(s.FontIndex, Text, s.X - w / 2, s.Y, kTextSpacing, 255, s.Scale, 1, 1, static_cast<float>(s.TextRed),
                static_cast<float>(s.TextGreen), static_cast<float>(s.TextBlue), plm::BlendSrcAlpha,
                plm::BlendInvSrcAlpha);

    FadeArea& f = Game().Fade;
    f.CursorTimer -= e.Delta();
    if (f.CursorTimer < 0) {
        f.CursorShown = !f.CursorShown;
        f.CursorTimer = kCursorBlinkMs;
    }
    if (f.CursorShown) {
        plm::Shape& shape = *e.Shape();
        shape.ShapeStart(plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
        shape.RenderRectangle(s.X + w / 2 + 2, s.Y, s.X + w / 2 + 4, s.Y + h, 255, static_cast<float>(s.CursorRed),
                              static_cast<float>(s.CursorGreen), static_cast<float>(s.CursorBlue), true, false);
        shape.ShapeEnd();
    }
    return entered;
}

void PlayNopeSound() { PlayBoardSound(kRefuseSample); }

void PlayPickSound() { PlayBoardSound(kPickSample); }

void InitBackgroundOrder() {
    E().Lib()->RandomizeSeed(E().Lib()->VBTimer());
    std::array<int32_t, 10>& order = Game().Session.BackgroundOrder;
    for (int32_t i = 1; i <= 10; ++i) order[static_cast<size_t>(i - 1)] = i;
}

void StartRandomPlaylist() {
    E().Lib()->RandomizeSeed(0);
    const int32_t n = E().Lib()->GetNumber(1, static_cast<int32_t>(kGamePlaylists.size()));
    StartPlaylist(kGamePlaylists[static_cast<size_t>(n - 1)], 1);
    Game().Session.TrackLevelCount = 0;
}

}  // namespace tessaly
