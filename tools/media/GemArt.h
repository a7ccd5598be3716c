#pragma once
// The board's pieces: colour gems in six colours and six shapes, bombs, colour bombs, line gems,
// the shuffle gem, the blocker, checker and wall tiles, their backing plates and shards. Every
// function draws in logical pixels of the game's 32-pixel cell; callers draw at a larger scale
// and filter down.
#include <cairo.h>

#include "Canvas.h"

namespace media {

Rgb GemColour(int colour);  // colour 1..6
// Outline of colour gem `colour`'s shape, centred on (cx, cy) with radius r.
void GemShapePath(cairo_t* cr, int colour, double cx, double cy, double r);
// A faceted, lit gem. frame 0..30 runs the glint and sparkle loop (0 = resting).
void DrawGem(cairo_t* cr, int colour, double cx, double cy, double r, int frame);
// Tile `frame` of board kind `kind` into the 32 x 32 cell at the origin.
void DrawKindFrame(cairo_t* cr, int kind, int frame);
void DrawCheckerTile(cairo_t* cr, bool light);
void DrawWallTile(cairo_t* cr);
void DrawPlate(cairo_t* cr, int kind);  // 48 x 48
void DrawShard(cairo_t* cr, int colour, int variant);  // 8 x 8
void DrawCursorBox(cairo_t* cr);  // 40 x 40
void DrawPreviewLight(cairo_t* cr);  // 32 x 32
// A four-pointed twinkle of radius r.
void DrawTwinkle(cairo_t* cr, double cx, double cy, double r, double alpha, Rgb colour = {1, 1, 1});

// Draws kind/frame through a 4x supersampled cell and filters it into dst at (x, y).
void RenderTile(Image& dst, int x, int y, int kind, int frame);

}  // namespace media
