#include "TitleScores.h"

#include <string>

#include "Fade.h"
#include "GameState.h"
#include "MediaLayout.h"
#include "Title.h"
#include "TitleMenu.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

constexpr int32_t kTitleTexture = 2;  // "title.png": the tables' headings
constexpr int32_t kRowFont = 1;
constexpr float kRowSpacing = 2;
constexpr media::Point kHeadingCentre{400, 97};
constexpr float kColumnHeadingsY = 130;
constexpr float kNameColumnHeadingX = 188, kScoreColumnHeadingX = 400, kLevelColumnHeadingX = 510;
constexpr float kFirstRowY = 165, kRowStep = 29;
constexpr float kNameLeft = 188, kScoreCentre = 450, kLevelRight = 615;
// The new score's row: opaque, light green.
constexpr float kNewRowRed = 150, kNewRowGreen = 255, kNewRowBlue = 100;

plm::Gui& G() { return *E().Gui(); }

void DrawColumnHeading(const media::Rect& r, float x) {
    E().Texture()->RenderFast(media::kSheetTexture, r.x, r.y, r.w, r.h, x, kColumnHeadingsY, 255, 0, 1.0f, true);
}

float RowTextWidth(const std::string& text) { return E().Font()->GetStringWidth(kRowFont, text, kRowSpacing, 1, 1); }

void DrawRowText(const std::string& text, float x, float y, bool newScore) {
    plm::Font& font = *E().Font();
    if (newScore)
        font.Render(kRowFont, text, x, y, kRowSpacing, 255, 1, 1, 1, kNewRowRed, kNewRowGreen, kNewRowBlue,
                    plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
    else
        font.RenderFast(kRowFont, text, x, y, kRowSpacing, plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
}

}  // namespace

std::string FontText(const std::string& text) {
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32) out += c;
    return out;
}

void HandleHighScoreEvent(const plm::PLMGuiEvent& ev) {
    if (ev.eEventType != plm::ebutton) return;
    TitleArea& t = Game().Title;
    if (ev.eEventIndex == kScoresBackButton) {
        ShowMainMenu();
        G().Visible(plm::ebutton, kScoresBackButton, false);
        G().Visible(plm::ebutton, kScoresNextButton, false);
        G().Visible(plm::eFrame, kScoresFrame, false);
        t.TitlePage = kMainMenuPage;
        t.ShowingHighScores = false;
        Game().End.NewHighScorePosition = 0;
        PlayNopeSound();
    } else if (ev.eEventIndex == kScoresNextButton) {
        if (++t.HighScorePage > kHighScoreTables) t.HighScorePage = 1;
        Game().End.NewHighScorePosition = 0;
        PlayNopeSound();
    }
}

void DrawHighScorePage() {
    const int32_t table = Game().Title.HighScorePage;
    const int32_t newPlace = Game().End.NewHighScorePosition;
    if (table >= 1 && table <= kHighScoreTables) {
        const media::Rect h = media::ModeHeading(table);
        E().Texture()->RenderFast(kTitleTexture, h.x, h.y, h.w, h.h, kHeadingCentre.x, kHeadingCentre.y, 255, 0, 1,
                                  false);
    }
    DrawColumnHeading(media::kHeadingName, kNameColumnHeadingX);
    DrawColumnHeading(media::kHeadingScore, kScoreColumnHeadingX);
    DrawColumnHeading(media::kHeadingLevel, kLevelColumnHeadingX);

    const plm::HighScores& scores = *E().HighScores();
    for (int32_t place = 1; place <= kHighScorePlaces; ++place) {
        const float y = kFirstRowY + kRowStep * static_cast<float>(place - 1);
        // Names and levels come from a file that may hold anything.
        const std::string name = FontText(scores.GetName(place, table));
        const std::string score = std::to_string(scores.GetScore(place, table));
        const std::string level = FontText(scores.GetDataString1(place, table));
        const bool tinted = place == newPlace;
        DrawRowText(name, kNameLeft, y, tinted);
        DrawRowText(score, kScoreCentre - RowTextWidth(score) / 2, y, tinted);
        DrawRowText(level, kLevelRight - RowTextWidth(level), y, tinted);
    }
}

void OpenHighScorePage(int32_t table) {
    TitleArea& t = Game().Title;
    for (int32_t i = kModeButton1; i <= kQuitButton; ++i) G().Visible(plm::ebutton, i, false);
    G().Visible(plm::eText, kChangePlayerText, false);
    G().Visible(plm::eFrame, kScoresFrame, true);
    G().Visible(plm::ebutton, kScoresBackButton, true);
    G().Visible(plm::ebutton, kScoresNextButton, true);
    t.MenuAlpha = 100;
    t.MenuGhosted = true;
    t.HighScorePage = table;
    t.ShowingHighScores = true;
    t.TitlePage = kHighScoresPage;
}

void OpenNewHighScorePage() {
    OpenHighScorePage(Game().End.NewHighScoreMode);
    Game().End.NewHighScoreMode = 0;
}

}  // namespace tessaly
