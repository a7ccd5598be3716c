#pragma once
// Small services of every screen: the one full-screen fade, the one-line text entry of the
// player-name box, two sound shortcuts, and the game set-up's background order and music choice.
#include <array>
#include <cstdint>
#include <string>

namespace tessaly {

// The music playlists a game picks from (tracks 1..5; the title's track 6 is not among them).
constexpr std::array<const char*, 5> kGamePlaylists{{"1,3,4,5,2", "4,1,2,5,3", "5,2,3,4,1", "3,5,1,4,2", "4,2,5,1,3"}};

// Starts (or replaces) the screen fade at StartAlpha, changing by Step alpha per ms (negative
// fades in).
void StartFade(float StartAlpha, float Step);
// While the fade runs: covers the 800 x 600 game space in black at FadeAlpha, then steps it by
// Delta. The fade ends on the frame that carries the alpha past 0 or 255. Drawn last every frame.
void RenderFade();

// The text entry's box and colours (the player-name box passes font 1 at (400, 140), a white
// cursor and text, at most 10 characters, and the 312 x 118 box of texture 2).
struct TextEntryStyle {
    int32_t FontIndex = 1;
    float X = 0, Y = 0, Scale = 1;
    int32_t CursorRed = 255, CursorGreen = 255, CursorBlue = 255;
    int32_t TextRed = 255, TextGreen = 255, TextBlue = 255;
    int32_t MaxLength = 10;
    int32_t BoxTexture = 0;  // 0: no box
    float BoxSrcX = 0, BoxSrcY = 0;
    int32_t BoxWidth = 0, BoxHeight = 0;
    float BoxX = 0, BoxY = 0;
};

// Once a frame: draws the box, edits Text with the key pressed this frame (letters appended while
// Text is shorter than MaxLength, Backspace removes the last character), draws Text centred on X
// and a cursor right of it blinking 500 ms on and off. True in the frame Enter is pressed.
bool InputText(std::string& Text, const TextEntryStyle& style);

// Refusal sound ("nope") and the title's pick sound ("pickazo").
void PlayNopeSound();
void PlayPickSound();

// Reseeds from the seconds since midnight and puts the ten backgrounds in their natural order.
void InitBackgroundOrder();
// Reseeds from the clock, starts one of the five game playlists at its first entry, and counts
// the levels of the new track from 0.
void StartRandomPlaylist();

}  // namespace tessaly
