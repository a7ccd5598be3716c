#include "TitleScores.h"

#include "Fade.h"
#include "GameState.h"
#include "Title.h"
#include "TitleMenu.h"
#include "core/PelmarEngine.h"

namespace tessaly {
namespace {

plm::Gui& G() { return *E().Gui(); }

}  // namespace

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

// The table's rows come with the high-score page's drawing.
void DrawHighScorePage() {}

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
