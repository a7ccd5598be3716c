#include "FrameLoop.h"

#include <algorithm>
#include <array>
#include <string>
#include <cmath>

#include "BoardFx.h"
#include "Cursor.h"
#include "EndSequences.h"
#include "Fade.h"
#include "GameState.h"
#include "Media.h"
#include "MediaLayout.h"
#include "Scoring.h"
#include "Session.h"
#include "Settings.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"
#include "desktop/Desktop.h"
#include "desktop/GameWindow.h"

namespace tessaly {
namespace {

bool GameWindowInactive() {
    const RunArea& run = Game().Run;
    return run.GameForm && (run.GameForm->IsMinimised() || !run.WindowActive);
}

}  // namespace

void PauseWhileInactive() {
    RunArea& run = Game().Run;
    if (!GameWindowInactive()) return;
    run.GameForm->SetCaption(kPausedCaption);
    E().Bass()->PauseAll();
    // A close request ends the wait too: a minimised window closed from the task bar, or a
    // terminate signal, must not leave the program waiting for a focus that never comes.
    while (GameWindowInactive() && !run.QuitRequested) {
        E().Lib()->GotoSleep(125);
        desktop::PumpDesktopEvents();
    }
    E().Bass()->ResumeAll();
    E().Delta(0);
    run.GameForm->SetCaption(kCaption);
}

void OnWindowEvent(const desktop::WindowEvent& event) {
    using desktop::WindowEventKind;
    RunArea& run = Game().Run;
    if (event.Kind == WindowEventKind::Quit) {
        run.QuitRequested = true;
        run.EndProgram = true;
        return;
    }
    if (!run.GameForm || event.Window != run.GameForm->Handle()) return;
    switch (event.Kind) {
    case WindowEventKind::Close:
        if (!run.CloseAllowed) run.QuitRequested = true;
        break;
    case WindowEventKind::FocusGained: run.WindowActive = true; break;
    case WindowEventKind::FocusLost: run.WindowActive = false; break;
    case WindowEventKind::PointerMoved:
        MapToGameSpace(event.X, event.Y, event.Width, event.Height, Game().Frame.GameMouseX, Game().Frame.GameMouseY);
        break;
    default: break;
    }
}

bool MapToGameSpace(float x, float y, int32_t width, int32_t height, float& gx, float& gy) {
    if (width < 1 || height < 1) return false;
    const double scale = std::min(static_cast<double>(width) / kGameWidth, static_cast<double>(height) / kGameHeight);
    // The frame's place in the window, in whole pixels as the presenter centres it.
    const int32_t shownWidth = static_cast<int32_t>(std::floor(kGameWidth * scale));
    const int32_t shownHeight = static_cast<int32_t>(std::floor(kGameHeight * scale));
    const int32_t left = plm::IntDiv(width - shownWidth, 2), top = plm::IntDiv(height - shownHeight, 2);
    gx = static_cast<float>((x - left) / scale);
    gy = static_cast<float>((y - top) / scale);
    return true;
}

void MapPointer() {
    const FrameArea& frame = Game().Frame;
    // Windowed and full screen alike: the watch has mapped the pointer into the game space.
    E().Mouse()->X(static_cast<float>(plm::Int(frame.GameMouseX)));
    E().Mouse()->Y(static_cast<float>(plm::Int(frame.GameMouseY)));
}

void UpdateMouse() {
    MapPointer();
    Game().Frame.MouseClicked = E().Mouse()->Button1PressedOnce();
}

void UnloadGameForm() {
    RunArea& run = Game().Run;
    run.CloseAllowed = true;
    if (run.GameForm) run.GameForm->Hide();
    desktop::PumpDesktopEvents();
}

bool BeginGameFrame() {
    RunArea& run = Game().Run;
    if (run.QuitRequested) {
        UnloadGameForm();
        run.AbortSession = true;
        return false;
    }
    PauseWhileInactive();
    const int32_t lost = E().Scene()->DeviceLost();
    if (lost == 1) {
        run.AbortSession = true;
        return false;
    }
    if (lost == 2) E().Scene()->SetClearFlags(plm::TargetNotCleared);
    E().Scene()->Begin();
    return true;
}

void HandleScreenshotKey() {
    plm::Key& key = *E().Key();
    if (!key.PressedOnce(kKeyS)) return;
    key.Clear(kKeyS);
    E().Scene()->SaveScreenShot("");
}

namespace {

constexpr int32_t kResourceTexture = 3;  // the small resource sheet, with its opaque black texel

// The in-game menu box over the screen darkened by one black texel stretched over it.
void RenderMenuBox() {
    const media::Rect t = media::kFadeTexel;
    E().Texture()->Render(kResourceTexture, t.x, t.y, t.w, t.h, 0, 0, 200, 0, kGameWidth, kGameHeight, true, 0, 2, 2,
                          1, 1, 0, 255, 255, 255, 5, 6);
    E().Gui()->Render(Game().Frame.MouseClicked);
}

// Back to front; the layers that only a running game shows draw nothing when `play` is false.
constexpr std::array<FrameLayer, 17> kFrameLayers{{
    {"combo text", [](bool) { UpdateComboTimer(); }},
    {"board shake", [](bool) { ShakeBoard(); }},
    {"fireworks", [](bool) { RenderFireworks(); }},
    {"background", [](bool) { RenderPanels(); }},
    {"hud", [](bool) { RenderHud(); }},
    {"explosions under", [](bool) { E().SpritePFX()->RenderExplosions(2); }},
    {"cell backings", [](bool) { RenderCellMarks(); }},
    {"board", [](bool) { E().Map()->Render(kBoardLayer); }},
    {"falling backings", [](bool) { RenderSpriteMarks(); }},
    {"sprites", [](bool) { E().Sprite()->Render(); }},
    {"idle sparkle", [](bool play) { if (play) UpdateIdleSparkle(); }},
    {"hover preview", [](bool play) { if (play && Game().Session.HoverPreview) UpdateHoverPreview(); }},
    {"cursor", [](bool play) { if (play && !Game().Session.DialogOpen) DrawCursor(); }},
    {"fading texts", [](bool) { E().FontFader()->Render(); }},
    {"explosions over", [](bool) { E().SpritePFX()->RenderExplosions(1); }},
    {"menu box", [](bool play) { if (play && Game().Session.DialogOpen) RenderMenuBox(); }},
    {"fade", [](bool) { RenderFade(); }},
}};

void RenderFrame(bool play) {
    for (const FrameLayer& layer : kFrameLayers) layer.Draw(play);
}

}  // namespace

void RunGameLoop() {
    FrameArea& frame = Game().Frame;
    frame.InGame = true;
    while (GameFrame()) {
    }
    if (!frame.LeaveAfterFade && Game().Session.GameOver && !Game().Run.AbortSession) RunGameOver();
    StopAllSounds();
}

bool GameFrame() {
    FrameArea& frame = Game().Frame;
    if (!frame.InGame) return false;
    if (!BeginGameFrame()) return false;
    plm::PelmarEngine& e = E();
    if (frame.FixedDelta > 0) e.Delta(frame.FixedDelta);
    UpdateMouse();
    if (e.Key()->PressedOnce(kKeyEscape) && !frame.LeaveAfterFade) QuitToTitle();
    HandleFunctionKeys();
    UpdateGame();
    RenderGame();
    e.Scene()->Render();
    HandleScreenshotKey();
    if (frame.LeaveAfterFade && !Game().Fade.FadeOn) frame.InGame = false;
    return frame.InGame;
}

std::span<const FrameLayer> GameFrameLayers() { return kFrameLayers; }

void RenderGame() { RenderFrame(true); }

void RenderGameOver() { RenderFrame(false); }

void RenderPanels() {
    plm::Texture& texture = *E().Texture();
    const SessionArea& session = Game().Session;
    texture.Render(2, media::kScreen.x, media::kScreen.y, media::kScreen.w, media::kScreen.h, 0, 0, 255, 0, 1, 1, true,
                   0, 2, 2, 1, 1, 0, 255, 255, 255, 5, 6);
    if (session.OverPreviewStrip) {
        const media::Rect r = media::kStripHighlight;
        texture.RenderFast(2, r.x, r.y, r.w, r.h, media::kStripHighlightAt.x, media::kStripHighlightAt.y, 255, 0, 1,
                           true, false, 5, 6);
    }
    if (session.OverMenuButton && !session.DialogOpen) {
        const media::Rect r = media::kMenuButtonHighlight;
        texture.RenderFast(2, r.x, r.y, r.w, r.h, media::kMenuButtonHighlightAt.x, media::kMenuButtonHighlightAt.y,
                           255, 0, 1, true, false, 5, 6);
    }
}

void RenderHud() {
    FrameArea& frame = Game().Frame;
    SessionArea& session = Game().Session;
    frame.ScoreCountTimer -= E().Delta();
    if (frame.ScoreCountTimer < 0) {
        frame.ScoreCountTimer = 20;
        if (session.DisplayedScore < session.Score) session.DisplayedScore = std::min(session.DisplayedScore + 10, session.Score);
    }
    plm::Font& font = *E().Font();
    const std::array<int32_t, 3> values{session.Level, session.DisplayedScore, session.GemsLeft};
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string text = std::to_string(values[i]);
        const float w = font.GetStringWidth(1, text, 1, 1, 1);
        font.Render(1, text, media::kHudCentreX - w / 2, static_cast<float>(media::kHudNumberY[i]), 1, 255, 1, 1, 1,
                    255, 255, 255, 5, 6);
    }
}

}  // namespace tessaly
