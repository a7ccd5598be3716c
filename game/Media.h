#pragma once
// The game's media: unpacking the archive and filling the engine's texture, map, font, sample,
// music and animation slots the game addresses by number; the music playlist.
#include <cstdint>
#include <string>

namespace tessaly {

// Gem sparkle animations 1..6 (one a colour gem).
constexpr int32_t kGemAnimations = 6;
constexpr int32_t kPlaylistFadeMs = 5000;

// Unpacks "media.pak" into the program's folder and loads every slot. False when the archive,
// a texture or the font file could not be loaded (the engine has logged which).
bool LoadMedia();
// Plays the music slots of `list` ("1,3,4,5,2") in turn, starting at entry `start`.
void StartPlaylist(const std::string& list, int32_t start);
// Fades the current entry out and the next one in (after the last, the first); nothing before
// a list was started.
void UpdatePlaylist();
// Stops every music and sample slot; the playlist stops advancing.
void StopAllSounds();

}  // namespace tessaly
