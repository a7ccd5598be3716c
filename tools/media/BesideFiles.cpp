// The files that lie beside the program, outside the archive: the splash picture, the help
// document and the link file of the launcher's other-games button.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "Canvas.h"
#include "FileOut.h"
#include "GemArt.h"
#include "Sheets.h"

namespace media {

using namespace tessaly::media;

namespace {

const char* kHelpHtml = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Tessaly - Help</title>
<style>
body { background: #0e1430; color: #e8eeff; font-family: "DejaVu Sans", sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.5; }
h1, h2 { color: #ffc437; }
table { border-collapse: collapse; }
td, th { border: 1px solid #3a4ea8; padding: 0.3em 0.7em; text-align: left; }
</style>
</head>
<body>
<h1>Tessaly</h1>
<p>Tessaly is a game of coloured gems. Gems arrive in rows of twelve above the board and fall
into it; clear them before the board fills to the top.</p>

<h2>Playing</h2>
<p>Click a gem to clear every straight line of three or more gems of its kind that runs through
it: across, down and along both diagonals, all at once. A gem with no such line cannot be
cleared. The six kinds differ in colour and in shape: a round red gem, a green emerald, a blue
diamond, a yellow triangle, a purple hexagon and an orange star.</p>
<p>New gems are announced one by one in the strip above the board. When all twelve are shown
the row drops in. Click the strip, press Space or the right mouse button to call the row at
once. If a gem lies on the top line of the board when a row is due, the game is over.</p>
<p>Each level asks for a number of gems. Clears made quickly one after another form a combo:
every clear of a chain scores more, and a long chain pays a bonus when it ends.</p>

<h2>Special gems</h2>
<table>
<tr><th>Gem</th><th>What a click does</th></tr>
<tr><td>Bomb</td><td>clears a diamond of cells around it</td></tr>
<tr><td>Colour bomb</td><td>clears every gem of its colour</td></tr>
<tr><td>Row gem</td><td>clears its row</td></tr>
<tr><td>Column gem</td><td>clears its column</td></tr>
<tr><td>Cross gem</td><td>clears its row and its column</td></tr>
<tr><td>Diagonal gem</td><td>clears both diagonals through it</td></tr>
<tr><td>Shuffle gem</td><td>scatters the whole board</td></tr>
<tr><td>Blocker</td><td>cannot be clicked away; special gems break it</td></tr>
</table>

<h2>Game modes</h2>
<ul>
<li><b>Classic</b>: forty prepared levels, each a little faster.</li>
<li><b>Arcade</b>: fresh random boards; the cells a click would clear light up.</li>
<li><b>Custom</b>: choose the background and the start level; the board is never wiped.</li>
<li><b>Survival</b>: rows pour in almost without pause.</li>
<li><b>Relaxed</b>: fewer colours and a gentler quota.</li>
</ul>

<h2>Keys</h2>
<table>
<tr><td>Esc</td><td>leave the game (on the title screen: quit)</td></tr>
<tr><td>S</td><td>save a screenshot</td></tr>
<tr><td>F1, F2, F3</td><td>frame rate 20, 30, or as fast as the screen allows</td></tr>
<tr><td>F11, F12</td><td>smaller or larger window</td></tr>
</table>
</body>
</html>
)";

}  // namespace

void MakeBesideFiles(const std::string& dir) {
    // The splash is shown on a black screen: its glow fades to black before the picture's edge.
    Image img(256, 256);
    cairo_t* cr = img.cr;
    SetRadial(cr, 128, 118, 8, 128, 128, 128, {{0, Hex(0x3a60c8)}, {0.55, Hex(0x14205a)}, {1, Hex(0x000000)}});
    cairo_paint(cr);
    for (int i = 0; i < 6; ++i) {
        double a = -M_PI / 2 + 2 * M_PI * i / 6;
        Image g(160, 160);
        cairo_scale(g.cr, 5, 5);
        DrawGem(g.cr, i + 1, 16, 16, 14, 0);
        DrawScaled(g, cr, 128 + std::cos(a) * 62 - 24, 100 + std::sin(a) * 62 - 24, 48, 48);
    }
    DrawTwinkle(cr, 128, 100, 26, 0.9);
    TextStyle t = GoldText(44);
    t.outlineWidth = 3;
    t.glow = 0.4;
    DrawText(cr, "TESSALY", 128, 212, t, 240);
    SaveJpeg(img, dir + "/" + kSplashFile, 92);
    WriteWhole(dir + "/" + kHelpFile, kHelpHtml);
    WriteWhole(dir + "/" + kLinkFile, "\"https://www.example.com/games/\"\r\n");
}

}  // namespace media
