#pragma once
// Where everything lies in the game's pictures: the one table of source rectangles, picture sizes
// and media file names. The media generators draw at these places, the media tests check them,
// and the game can address its images through the same names.
#include <array>
#include <string>
#include <vector>

#include "sprites/ParticleSheet.h"

namespace tessaly::media {

using Rect = plm::sheet::Rect;

struct Point {
    int x, y;
};

// ---------------------------------------------------------------------------------------------
// The game sheet "t1.png" (texture slot 1, also the board map's tile source).
constexpr int kSheetTexture = 1;
constexpr int kSheetSize = 1024;
constexpr int kTileSize = 32;
constexpr int kTileStep = 33;  // 32 pixels and a one-pixel gutter
constexpr int kTilesAcross = 31;
constexpr int kFramesPerKind = 31;

// Tile n (1-based) of the board map: row by row, 31 a row, 33 pixels apart.
constexpr Rect TileRect(int n) {
    return {kTileStep * ((n - 1) % kTilesAcross), kTileStep * ((n - 1) / kTilesAcross), kTileSize,
            kTileSize};
}
// Frame f (0-based) of gem kind k (1-based): tile (k - 1) * 31 + 1 + f.
constexpr Rect KindFrameRect(int kind, int frame) { return TileRect((kind - 1) * kFramesPerKind + 1 + frame); }

// Gem kinds and how many of their 31 frames they animate through.
enum Kind : int {
    kColourGem1 = 1,  // 1..6
    kBomb = 7,
    kColourBomb1 = 8,  // 8..13, colour = kind - 7
    kRowGem = 14,
    kColumnGem = 15,
    kCrossGem = 16,
    kDiagonalGem = 17,
    kShuffleGem = 18,
    kBlocker = 19,
    kChecker = 20,
    kWall = 21,
};
constexpr int kColours = 6;
constexpr int kLoopFrames = 31;      // colour gems, bomb, colour bombs: frames 0..30 looping
constexpr int kSpecialFrames = 16;   // line gems (back and forth) and the shuffle gem (looping)
constexpr int KindFrames(int kind) {
    return kind <= kColourBomb1 + 5 ? kLoopFrames : kind <= kShuffleGem ? kSpecialFrames : 1;
}
constexpr int kCheckerTile = 590;  // and 591
constexpr int kWallTile = 627;

// 48 x 48 backing plates under the gems of kinds 1..19.
constexpr int kPlateKinds = 19;
constexpr Rect BackingPlate(int kind) { return {70 + 49 * (kind - 1), 600, 48, 48}; }
// 8 x 8 shards: four of each colour, and the 24-frame particle strip of the board-clear burst.
constexpr Rect Shard(int colour, int c) { return {9 * c, 700 + 9 * (colour - 1), 8, 8}; }
constexpr int kShardStripFrames = 24;
constexpr Rect ShardStripFrame(int i) { return {9 * i, 700, 8, 8}; }

constexpr Rect kMenuBox{535, 435, 437, 162};
constexpr Point kMenuBoxAt{188, 147};  // where the game draws it
constexpr Rect kLeaveUp{480, 670, 110, 50};
constexpr Rect kLeaveDown{595, 670, 110, 50};
constexpr Rect kContinueUp{710, 670, 110, 50};
constexpr Rect kContinueDown{825, 670, 110, 50};
constexpr Point kLeaveAt{212, 229};
constexpr Point kContinueAt{483, 229};

constexpr Rect kBannerOpening{635, 800, 385, 58};
constexpr Rect kBannerLevelUp{380, 810, 245, 34};
constexpr Rect kBannerBoardClear{630, 900, 385, 121};
constexpr Rect kBannerGameOver{385, 890, 228, 131};
constexpr Rect kHeadingName{480, 735, 129, 25};
constexpr Rect kHeadingScore{620, 735, 99, 25};
constexpr Rect kHeadingLevel{730, 735, 109, 25};
constexpr Rect kCursorBox{140, 984, 40, 40};
constexpr Rect kPreviewLight{0, 992, 32, 32};

// ---------------------------------------------------------------------------------------------
// The resource sheet "plmres1.png" (texture slot 3): particles, explosion images, the fade texel
// and the bitmap font's glyphs (slot 3 is always loaded).
constexpr int kResTexture = 3;
constexpr int kResWidth = 512, kResHeight = 512;
constexpr Rect kFadePatch{0, 0, 16, 16};  // opaque black; the game stretches texel (1, 1)
constexpr Rect kFadeTexel{1, 1, 1, 1};
// The particle and explosion images: the engine's presets cut them, so their places live with
// the engine (sprites/ParticleSheet.h) and are used here by the same names.
using namespace plm::sheet;
// The font glyphs lie below y 150.
constexpr int kFontAreaTop = 150;

// ---------------------------------------------------------------------------------------------
// The title-screen pictures "modes.png" (slot 4).
constexpr Rect ModeDescription(int mode) {
    constexpr std::array<Point, 5> at{{{0, 0}, {420, 0}, {0, 330}, {420, 330}, {0, 660}}};
    return {at[mode - 1].x, at[mode - 1].y, 411, 311};
}
constexpr Point kModeDescriptionAt{200, 150};
constexpr Rect kOptionsPanel{420, 650, 509, 359};
constexpr Point kOptionsPanelAt{145, 120};  // drawn at 145.5, 120.5
constexpr Rect kSliderMarker{940, 648, 41, 43};
constexpr std::array<Rect, 3> kSliderTracks{{{646, 754, 200, 21}, {646, 790, 200, 21}, {646, 826, 200, 21}}};
constexpr std::array<Point, 3> kSliderAt{{{371, 224}, {371, 260}, {371, 296}}};
constexpr std::array<Point, 3> kCheckBoxAt{{{400, 327}, {400, 370}, {400, 413}}};
// Carousel buttons, 112 x 62 at x 850: up images, then their down images 252 lower.
enum CarouselButton : int { kCarouselPrevious, kCarouselNext, kCarouselPlay, kCarouselBack };
constexpr Rect CarouselButtonUp(int b) { return {850, 63 * b, 112, 62}; }
constexpr Rect CarouselButtonDown(int b) { return {850, 252 + 63 * b, 112, 62}; }

// "help.jpg" (slot 4 while the help page shows).
constexpr int kHelpSize = 1024;
constexpr Rect kHelpPage{0, 0, 800, 600};
constexpr Rect kHelpBackUp{23, 627, 114, 64};
constexpr Rect kHelpBackDown{23, 719, 114, 64};
constexpr Point kHelpBackAt{660, 525};

// "previews.png" (slot 5): thumbnails of the ten level backgrounds and two captions.
constexpr int kPreviewsSize = 512;
constexpr int kBackgrounds = 10;
constexpr Rect PictureSource(int i) {
    return i == 10 ? Rect{270, 394, 156, 118} : Rect{157 * ((i - 1) % 3), 119 * ((i - 1) / 3), 156, 118};
}
constexpr Rect kCarouselCaption{0, 362, 434, 30};
constexpr Rect kStartLevelCaption{0, 400, 250, 30};

// "title.png" (slot 2 on the title screen).
constexpr const char* kTitlePicture = "title.png";
constexpr const char* kModesPicture = "modes.png";
constexpr const char* kHelpPicture = "help.jpg";
constexpr const char* kTitlePlaylist = "2";  // the title music: track 2 alone
constexpr int kTitleSize = 1024;
constexpr Rect kTitleTile{0, 0, 512, 512};
constexpr Rect kLogo{0, 520, 600, 246};
constexpr Rect MenuModeButtonUp(int mode) { return {520, 100 * (mode - 1), 162, 87}; }
constexpr Rect MenuModeButtonDown(int mode) { return {690, 100 * (mode - 1), 162, 87}; }
enum SmallButton : int { kHelpButton, kOptionsButton, kScoresButton, kQuitButton };
constexpr Rect MenuSmallButtonUp(int b) { return {870, 130 * b, 112, 62}; }
constexpr Rect MenuSmallButtonDown(int b) { return {870, 130 * b + 65, 112, 62}; }
constexpr Rect kModeBackUp{750, 520, 112, 62};
constexpr Rect kModeBackDown{750, 583, 112, 62};
constexpr Rect kModePlayUp{870, 520, 112, 62};
constexpr Rect kModePlayDown{870, 583, 112, 62};
constexpr Rect kOkUp{620, 518, 114, 64};
constexpr Rect kOkDown{620, 590, 114, 64};
constexpr Rect kNextUp{888, 790, 114, 64};
constexpr Rect kNextDown{888, 860, 114, 64};
constexpr Rect kCheckOn{770, 665, 56, 38};
constexpr Rect kCheckOff{700, 665, 56, 38};
constexpr Rect kFrame{870, 660, 120, 120};  // nine pieces of 40 x 40
constexpr Rect kNameBox{0, 780, 312, 118};
constexpr Rect ModeHeading(int mode) {
    constexpr std::array<Rect, 5> r{{{330, 770, 320, 58},
                                     {330, 835, 256, 58},
                                     {330, 900, 278, 58},
                                     {330, 962, 323, 58},
                                     {5, 905, 264, 58}}};
    return r[mode - 1];
}
constexpr Rect kCarouselWindowFrame{670, 710, 190, 142};
constexpr std::array<const char*, 5> kModeNames{{"CLASSIC", "ARCADE", "CUSTOM", "SURVIVAL", "RELAXED"}};

// ---------------------------------------------------------------------------------------------
// The level backgrounds "1b.jpg" .. "10b.jpg" and "survival.jpg" (slot 2 in a game).
constexpr int kBackgroundSize = 1024;
constexpr Rect kScreen{0, 0, 800, 600};
constexpr Rect kStripHighlight{0, 600, 411, 56};
constexpr Point kStripHighlightAt{199, 14};
constexpr Rect kMenuButtonHighlight{422, 609, 100, 45};
constexpr Point kMenuButtonHighlightAt{646, 439};
constexpr Rect kMenuButtonHitBox{653, 441, 100, 45};
constexpr Rect kIncomingStrip{212, 26, 384, 32};   // row 1 of the board, columns 6..17
constexpr Rect kBoardWell{212, 90, 384, 480};      // rows 3..17
constexpr int kHudCentreX = 120;
constexpr std::array<int, 3> kHudNumberY{{205, 298, 391}};  // level, score, gems left
// The board at rest: map cell (X, Y) on screen at (20 + 32 X, -6 + 32 Y).
constexpr Point kBoardOrigin{20, -6};

// ---------------------------------------------------------------------------------------------
// The bitmap font file: fonts 1 (space to "Z", and lower case drawn as capitals), 2 (digits, drawn
// at spacing -2) and 3 (the combo mark "C"), all on texture slot 3.
constexpr int kFontTexture = 3;
constexpr int kFont1Height = 24;
constexpr int kFont2Height = 34;
constexpr int kFont3Height = 46;

// ---------------------------------------------------------------------------------------------
// The launcher and about windows' pictures: opaque BMP files beside the program (the windows
// open before any archive is unpacked). Each picture holds its window's background at the origin
// and, beyond the window's right or bottom edge, the images its buttons copy.
constexpr const char* kLauncherPicture = "launcher.bmp";
constexpr int kLauncherPictureWidth = 960, kLauncherPictureHeight = 576;
constexpr Rect kLauncherBackground{0, 0, 640, 480};
enum LauncherButton : int { kLauncherPlay, kLauncherOtherGames, kLauncherAbout, kLauncherHelp };
constexpr int kLauncherButtons = 4;
constexpr std::array<Point, kLauncherButtons> kLauncherButtonAt{{{409, 195}, {409, 389}, {66, 389}, {237, 389}}};
constexpr Rect LauncherButtonNormal(int b) { return {646, 80 * b, 150, 75}; }
constexpr Rect LauncherButtonLit(int b) { return {800, 80 * b, 150, 75}; }
// Tooltip boxes (Play has none), each as wide as its text needs.
constexpr std::array<Rect, kLauncherButtons> kLauncherTooltip{{{0, 0, 0, 0}, {0, 488, 486, 22}, {0, 516, 100, 22}, {0, 544, 250, 22}}};
constexpr std::array<const char*, kLauncherButtons> kLauncherTooltipText{{
    "",
    " Click here to view our website and learn about other games and screensavers.",
    " About Tessaly",
    " Click here to read the Tessaly help file.",
}};
constexpr const char* kAboutPicture = "about.bmp";
constexpr int kAboutPictureWidth = 336, kAboutPictureHeight = 248;
constexpr Rect kAboutBackground{0, 0, 251, 248};
constexpr Rect kAboutOkUp{256, 0, 75, 29};
constexpr Rect kAboutOkDown{256, 32, 75, 29};
constexpr Point kAboutOkAt{90, 202};

// ---------------------------------------------------------------------------------------------
// File names.
constexpr const char* kPakName = "media.pak";
constexpr const char* kPakPassword = "qelvoptur";
constexpr const char* kPakKey = "wintolbrax";

struct PictureFile {
    const char* name;
    int width, height;
};
constexpr std::array<PictureFile, 17> kPictures{{
    {"t1.png", 1024, 1024},      {"plmres1.png", 512, 512}, {"modes.png", 1024, 1024},
    {"help.jpg", 1024, 1024},    {"previews.png", 512, 512}, {"title.png", 1024, 1024},
    {"1b.jpg", 1024, 1024},      {"2b.jpg", 1024, 1024},   {"3b.jpg", 1024, 1024},
    {"4b.jpg", 1024, 1024},      {"5b.jpg", 1024, 1024},   {"6b.jpg", 1024, 1024},
    {"7b.jpg", 1024, 1024},      {"8b.jpg", 1024, 1024},   {"9b.jpg", 1024, 1024},
    {"10b.jpg", 1024, 1024},     {"survival.jpg", 1024, 1024},
}};
// Texture slots the media loading fills (slot 2 takes the title's or the level's background).
struct TextureFile {
    int slot;
    const char* name;
};
constexpr std::array<TextureFile, 4> kMediaTextures{{{1, "t1.png"}, {3, "plmres1.png"}, {4, "modes.png"}, {5, "previews.png"}}};
// Instances of sample slots 1..16: landing, breaking and the two fireworks may overlap themselves.
constexpr std::array<int, 16> kSampleInstances{{2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}};
// Sample slots 1..16 in order.
constexpr std::array<const char*, 16> kSamples{{
    "glasstick.wav", "break.wav", "f1.wav", "f2.wav", "nope.wav", "explode1.wav", "pop.wav",
    "pop2.wav", "swish.wav", "success.wav", "gameover.wav", "fanfare.wav", "pickazo.wav",
    "misc.wav", "block.wav", "spacey.wav",
}};
constexpr std::array<const char*, 6> kMusic{{"m1.mod", "m2.mod", "m3.mod", "m4.mod", "m5.mod", "m6.mod"}};
constexpr const char* kFontFile = "font.dat";
// Files that live beside the program, outside the archive.
constexpr const char* kSplashFile = "affimage.jpg";
constexpr const char* kHelpFile = "help.htm";
constexpr const char* kLinkFile = "othergames.dat ";  // the name ends in a blank
constexpr const char* kScoresFile = "scores.dat";
// Locked (never written) by the running copy: a second copy started here finds it taken.
constexpr const char* kLockFile = "tessaly.lock";

// ---------------------------------------------------------------------------------------------
// Every named rectangle of every picture, for the checks and the contact sheet.
struct NamedRect {
    std::string picture;
    std::string name;
    Rect r;
};

inline std::vector<NamedRect> AllRects() {
    std::vector<NamedRect> v;
    auto add = [&](const char* pic, std::string name, Rect r) { v.push_back({pic, std::move(name), r}); };
    const char* t1 = "t1.png";
    for (int k = 1; k <= kShuffleGem + 1; ++k)
        for (int f = 0; f < KindFrames(k); ++f) add(t1, "kind " + std::to_string(k) + " frame " + std::to_string(f), KindFrameRect(k, f));
    add(t1, "checker 590", TileRect(kCheckerTile));
    add(t1, "checker 591", TileRect(kCheckerTile + 1));
    add(t1, "wall 627", TileRect(kWallTile));
    for (int k = 1; k <= kPlateKinds; ++k) add(t1, "plate " + std::to_string(k), BackingPlate(k));
    for (int c = 1; c <= kColours; ++c)
        for (int i = 0; i < 4; ++i) add(t1, "shard " + std::to_string(c) + "." + std::to_string(i), Shard(c, i));
    for (int i = 0; i < kShardStripFrames; ++i) add(t1, "shard strip " + std::to_string(i), ShardStripFrame(i));
    add(t1, "menu box", kMenuBox);
    add(t1, "leave up", kLeaveUp);
    add(t1, "leave down", kLeaveDown);
    add(t1, "continue up", kContinueUp);
    add(t1, "continue down", kContinueDown);
    add(t1, "banner opening", kBannerOpening);
    add(t1, "banner level up", kBannerLevelUp);
    add(t1, "banner board clear", kBannerBoardClear);
    add(t1, "banner game over", kBannerGameOver);
    add(t1, "heading name", kHeadingName);
    add(t1, "heading score", kHeadingScore);
    add(t1, "heading level", kHeadingLevel);
    add(t1, "cursor", kCursorBox);
    add(t1, "preview light", kPreviewLight);

    const char* res = "plmres1.png";
    add(res, "fade patch", kFadePatch);
    add(res, "particle glow", kParticleGlow);
    add(res, "particle star", kParticleStar);
    add(res, "particle flame up", kParticleFlameUp);
    add(res, "particle flame down", kParticleFlameDown);
    add(res, "particle flame left", kParticleFlameLeft);
    add(res, "particle flame right", kParticleFlameRight);
    add(res, "particle flare", kParticleFlare);
    add(res, "particle spark", kParticleSpark);
    add(res, "particle ring", kParticleRing);
    for (int i = 0; i < kExplosionImages; ++i) {
        add(res, "explosion " + std::to_string(i), ExplosionImageLarge(i));
        add(res, "explosion small " + std::to_string(i), ExplosionImageSmall(i));
    }

    const char* modes = "modes.png";
    for (int m = 1; m <= 5; ++m) add(modes, "mode " + std::to_string(m), ModeDescription(m));
    add(modes, "options panel", kOptionsPanel);
    add(modes, "slider marker", kSliderMarker);
    for (int i = 0; i < 3; ++i) add(modes, "slider track " + std::to_string(i + 1), kSliderTracks[i]);
    for (int b = 0; b < 4; ++b) {
        add(modes, "carousel up " + std::to_string(b), CarouselButtonUp(b));
        add(modes, "carousel down " + std::to_string(b), CarouselButtonDown(b));
    }

    add("help.jpg", "help page", kHelpPage);
    add("help.jpg", "back up", kHelpBackUp);
    add("help.jpg", "back down", kHelpBackDown);

    for (int i = 1; i <= kBackgrounds; ++i) add("previews.png", "picture " + std::to_string(i), PictureSource(i));
    add("previews.png", "carousel caption", kCarouselCaption);
    add("previews.png", "start level caption", kStartLevelCaption);

    const char* title = "title.png";
    add(title, "background tile", kTitleTile);
    add(title, "logo", kLogo);
    for (int m = 1; m <= 5; ++m) {
        add(title, "mode button up " + std::to_string(m), MenuModeButtonUp(m));
        add(title, "mode button down " + std::to_string(m), MenuModeButtonDown(m));
        add(title, "heading " + std::to_string(m), ModeHeading(m));
    }
    for (int b = 0; b < 4; ++b) {
        add(title, "small button up " + std::to_string(b), MenuSmallButtonUp(b));
        add(title, "small button down " + std::to_string(b), MenuSmallButtonDown(b));
    }
    add(title, "back up", kModeBackUp);
    add(title, "back down", kModeBackDown);
    add(title, "play up", kModePlayUp);
    add(title, "play down", kModePlayDown);
    add(title, "ok up", kOkUp);
    add(title, "ok down", kOkDown);
    add(title, "next up", kNextUp);
    add(title, "next down", kNextDown);
    add(title, "check on", kCheckOn);
    add(title, "check off", kCheckOff);
    add(title, "frame", kFrame);
    add(title, "name box", kNameBox);
    add(title, "carousel window", kCarouselWindowFrame);

    for (const PictureFile& p : kPictures) {
        std::string n = p.name;
        if (n.size() > 5 && n.compare(n.size() - 5, 5, "b.jpg") == 0 && n != "help.jpg") {
            add(p.name, "screen", kScreen);
            add(p.name, "strip highlight", kStripHighlight);
            add(p.name, "menu highlight", kMenuButtonHighlight);
        }
    }
    add("survival.jpg", "screen", kScreen);
    add("survival.jpg", "strip highlight", kStripHighlight);
    add("survival.jpg", "menu highlight", kMenuButtonHighlight);
    return v;
}

}  // namespace tessaly::media
