#include "Media.h"

#include <string_view>
#include <vector>

#include "GameState.h"
#include "MediaLayout.h"
#include "core/Convert.h"
#include "core/PelmarEngine.h"
#include "core/TextFieldReader.h"

namespace tessaly {

namespace {

// The board map: 25 x 19 cells of 32 x 32 pixels, one layer, its tiles from the game sheet; drawn
// 25 x 17 cells from (13, -9) until a game moves it to the board's place.
constexpr int32_t kMapColumns = 25, kMapRows = 19;
constexpr int32_t kDrawAreaX = 13, kDrawAreaY = -9, kDrawColumns = 25, kDrawRows = 17;

// Frames 0..n-1 along one sheet row, as (column, row) pairs: "0,0,1,0,...,30,0".
std::string RowFrames(int32_t frames) {
    std::string text;
    for (int32_t f = 0; f < frames; ++f) text += (f ? "," : "") + std::to_string(f) + ",0";
    return text;
}

// The same texture for every frame: "1,1,...,1".
std::string SameTexture(int32_t frames, int32_t texture) {
    std::string text;
    for (int32_t f = 0; f < frames; ++f) text += (f ? "," : "") + std::to_string(texture);
    return text;
}

// The whole-number value a playlist piece starts with (blanks skipped); 0 when there is none.
int32_t PieceValue(std::string_view piece) {
    double value = 0;
    plm::ReadNumberPrefix(piece, value);
    return plm::RoundHalfEven(value);
}

void FadeInCurrent() {
    const MediaArea& m = Game().Media;
    E().Music()->FadeIn(m.Playlist(m.PlaylistPosition), Game().Settings.MusicVolume, kPlaylistFadeMs, true);
}

}  // namespace

bool LoadMedia() {
    plm::PelmarEngine& e = E();
    if (!e.Pak()->UnPack(media::kPakName, media::kPakPassword, media::kPakKey, false, "")) return false;
    for (const media::TextureFile& t : media::kMediaTextures)
        if (!e.Texture()->Load(t.slot, t.name, 0, false, 0)) return false;
    e.Map()->Init(media::kTileSize, media::kTileSize, kMapColumns, kMapRows, media::kSheetSize, media::kSheetSize,
                  media::kTilesAcross, media::kTilesAcross, 1, 1, 1);
    e.Map()->SetDrawArea(kDrawAreaX, kDrawAreaY, kDrawColumns, kDrawRows);
    if (!e.Font()->Init(media::kFontFile)) return false;

    MediaArea& m = Game().Media;
    m.SampleCount = static_cast<int32_t>(media::kSamples.size());
    m.MusicCount = static_cast<int32_t>(media::kMusic.size());
    for (int32_t slot = 1; slot <= m.SampleCount; ++slot)
        e.Sample()->Load(slot, media::kSamples[slot - 1], media::kSampleInstances[slot - 1], false);
    for (int32_t slot = 1; slot <= m.MusicCount; ++slot) e.Music()->Load(slot, media::kMusic[slot - 1], true);

    const std::string frames = RowFrames(media::kFramesPerKind);
    const std::string textures = SameTexture(media::kFramesPerKind, 1);
    for (int32_t i = 0; i < kGemAnimations; ++i)
        e.SpriteAnimate()->Add(i + 1, 0, i * media::kTileStep, media::kTileSize, media::kTileSize,
                               media::kFramesPerKind, frames, textures, false);
    return true;
}

void StartPlaylist(const std::string& list, int32_t start) {
    MediaArea& m = Game().Media;
    std::vector<int32_t> slots;
    size_t from = 0;
    while (true) {
        const size_t comma = list.find(',', from);
        slots.push_back(PieceValue(std::string_view(list).substr(from, comma == std::string::npos ? std::string::npos : comma - from)));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    m.PlaylistLength = static_cast<int32_t>(slots.size());
    m.Playlist.resize(m.PlaylistLength);
    for (int32_t k = 1; k <= m.PlaylistLength; ++k) m.Playlist(k) = slots[static_cast<size_t>(k - 1)];
    m.PlaylistPosition = start;
    FadeInCurrent();
    m.PlaylistActive = true;
}

void UpdatePlaylist() {
    MediaArea& m = Game().Media;
    if (m.PlaylistLength < 1) return;
    plm::Music& music = *E().Music();
    if (m.PlaylistPosition > 0 && music.IsPlaying(m.Playlist(m.PlaylistPosition)))
        music.FadeOut(m.Playlist(m.PlaylistPosition), kPlaylistFadeMs);
    if (++m.PlaylistPosition > m.PlaylistLength) m.PlaylistPosition = 1;
    FadeInCurrent();
}

void StopAllSounds() {
    MediaArea& m = Game().Media;
    plm::PelmarEngine& e = E();
    for (int32_t slot = 1; slot <= m.MusicCount; ++slot) e.Music()->StopMusic(slot);
    m.PlaylistActive = false;
    for (int32_t slot = 1; slot <= m.SampleCount; ++slot) e.Sample()->StopSample(slot);
}

}  // namespace tessaly
