// mockscreen MEDIA_DIR OUT_DIR: review only. Composes game and title screens from the generated
// files the way the game draws them (background, plates, board tiles, HUD numbers in the bitmap
// font, banners, the in-game menu, title widgets), so the pictures can be judged together.
#include <cmath>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Canvas.h"

using namespace media;
using namespace tessaly::media;

namespace {

cairo_surface_t* LoadPng(const std::string& path) { return cairo_image_surface_create_from_png(path.c_str()); }

cairo_surface_t* LoadJpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cinfo.output_width, cinfo.output_height);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    std::vector<unsigned char> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        int y = cinfo.output_scanline;
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&cinfo, &r, 1);
        uint32_t* px = reinterpret_cast<uint32_t*>(data + y * stride);
        for (unsigned x = 0; x < cinfo.output_width; ++x)
            px[x] = 0xff000000u | row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    cairo_surface_mark_dirty(s);
    return s;
}

void Draw(cairo_t* cr, cairo_surface_t* src, Rect r, double x, double y, double alpha = 1, bool additive = false,
          double scale = 1, bool centred = false) {
    cairo_save(cr);
    if (additive) cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    if (centred) {
        x -= r.w * scale / 2;
        y -= r.h * scale / 2;
    }
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, r.w, r.h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, src, -r.x, -r.y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

struct Font {
    int height = 0;
    std::map<int, Rect> glyphs;
};

std::map<int, Font> LoadFonts(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string t = ss.str();
    for (char& c : t)
        if (c == ',' || c == '\r' || c == '\n') c = ' ';
    std::istringstream is(t);
    std::map<int, Font> fonts;
    int count;
    is >> count;
    for (int b = 0; b < count; ++b) {
        int index, tex, xo, yo, height, rows;
        is >> index >> tex >> xo >> yo >> height >> rows;
        fonts[index].height = height;
        for (int r = 0; r < rows; ++r) {
            int first, ry, n;
            is >> first >> ry >> n;
            for (int g = 0; g < n; ++g) {
                int x, w;
                is >> x >> w;
                fonts[index].glyphs[first + g] = {x + xo, ry + yo, w, height};
            }
        }
    }
    return fonts;
}

double TextWidth(const Font& f, const std::string& s, double spacing) {
    double w = 0;
    for (unsigned char c : s) w += f.glyphs.at(c).w + spacing;
    return w;
}

void Text(cairo_t* cr, cairo_surface_t* sheet, const Font& f, const std::string& s, double x, double y, double spacing,
          double scale = 1, Rgb tint = {1, 1, 1}) {
    for (unsigned char c : s) {
        Rect g = f.glyphs.at(c);
        cairo_save(cr);
        cairo_push_group(cr);
        Draw(cr, sheet, g, std::floor(x), std::floor(y), 1, false, scale);
        cairo_pattern_t* grp = cairo_pop_group(cr);
        cairo_set_source(cr, grp);
        cairo_paint(cr);
        if (tint.r < 1 || tint.g < 1 || tint.b < 1) {  // multiply tint: draw the tinted glyph instead
            cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
            cairo_mask(cr, grp);
            (void)tint;
        }
        cairo_pattern_destroy(grp);
        cairo_restore(cr);
        x += (g.w + spacing) * scale;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string dir = std::string(argv[1]) + "/", out = std::string(argv[2]) + "/";
    cairo_surface_t* t1 = LoadPng(dir + "t1.png");
    cairo_surface_t* res = LoadPng(dir + "plmres1.png");
    std::map<int, Font> fonts = LoadFonts(dir + "font.dat");
    Random rnd(5);
    for (int scene : {1, 3, 6, 9, 11}) {
        std::string bgName = scene <= 10 ? std::to_string(scene) + "b.jpg" : "survival.jpg";
        cairo_surface_t* bg = LoadJpeg(dir + bgName);
        Image screen(800, 600);
        cairo_t* cr = screen.cr;
        Draw(cr, bg, kScreen, 0, 0);
        if (scene == 3) Draw(cr, bg, kStripHighlight, kStripHighlightAt.x, kStripHighlightAt.y);
        if (scene == 6) Draw(cr, bg, kMenuButtonHighlight, kMenuButtonHighlightAt.x, kMenuButtonHighlightAt.y);
        // HUD
        const std::string hud[3] = {"12", "48210", "87"};
        for (int i = 0; i < 3; ++i) {
            double w = TextWidth(fonts[1], hud[i], 1);
            Text(cr, res, fonts[1], hud[i], kHudCentreX - w / 2, kHudNumberY[i], 1);
        }
        // a board: rows 9..17 filled, some specials
        std::vector<std::vector<int>> board(25, std::vector<int>(19, 0));
        for (int y = 8; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x) {
                if (y < 11 && rnd.Unit() < 0.5) continue;
                int k = rnd.Int(1, 6);
                double u = rnd.Unit();
                if (u < 0.03) k = 7;
                else if (u < 0.06) k = rnd.Int(8, 13);
                else if (u < 0.1) k = rnd.Int(14, 19);
                board[x][y] = k;
            }
        for (int x = 6; x <= 17; ++x)  // keep a gravity-true board: nothing floats
            for (int y = 16; y >= 8; --y)
                if (board[x][y + 1] == 0 && y + 1 <= 17) std::swap(board[x][y], board[x][y + 1]);
        for (int y = 2; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                if (board[x][y]) Draw(cr, t1, BackingPlate(board[x][y]), 20 + 32 * x + 16, -6 + 32 * y + 16, 1, false, 1, true);
        for (int y = 2; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                if (board[x][y]) {
                    int k = board[x][y];
                    int frame = (k <= 13 && rnd.Unit() < 0.2) ? rnd.Int(0, 30) : 0;
                    Draw(cr, t1, KindFrameRect(k, frame), 20 + 32 * x, -6 + 32 * y);
                }
        // incoming previews
        for (int i = 0; i < 7; ++i) Draw(cr, t1, KindFrameRect(rnd.Int(1, 6), 0), 20 + 32 * (6 + i), 26);
        // cursor and a hover preview
        Draw(cr, t1, kCursorBox, 20 + 32 * 10 - 4, -6 + 32 * 15 - 4);
        for (int i = 0; i < 3; ++i) Draw(cr, t1, kPreviewLight, 20 + 32 * (12 + i), -6 + 32 * 16, 150 / 255.0, true);
        // a score popup
        Text(cr, res, fonts[1], "80 X2", 20 + 32 * 9, -6 + 32 * 12, 1);
        if (scene == 1) Draw(cr, t1, kBannerOpening, 382, 150, 1, false, 1, true);
        if (scene == 3) {
            Draw(cr, t1, kBannerBoardClear, 384, 200, 1, false, 1, true);
            Text(cr, res, fonts[2], "60", 600, 32 * 10 - 6, -2);
            Text(cr, res, fonts[3], "C", 20 + 390, -6 + 280, 2, 1.5);
        }
        if (scene == 6) Draw(cr, t1, kBannerLevelUp, 382, 240, 1, false, 1, true);
        if (scene == 9) Draw(cr, t1, kBannerGameOver, 386, 250, 1, false, 1, true);
        if (scene == 11) {
            Draw(cr, res, kFadeTexel, 0, 0, 200 / 255.0, false, 1);
            cairo_save(cr);
            cairo_set_source_rgba(cr, 0, 0, 0, 200 / 255.0);
            cairo_paint(cr);
            cairo_restore(cr);
            Draw(cr, t1, kMenuBox, kMenuBoxAt.x, kMenuBoxAt.y);
            Draw(cr, t1, kLeaveUp, kLeaveAt.x, kLeaveAt.y);
            Draw(cr, t1, kContinueDown, kContinueAt.x, kContinueAt.y);
        }
        screen.Flush();
        cairo_surface_write_to_png(screen.surface, (out + "mock-game-" + std::to_string(scene) + ".png").c_str());
        cairo_surface_destroy(bg);
    }
    // title screen: tiled background, logo, menu buttons, texts
    {
        cairo_surface_t* title = LoadPng(dir + "title.png");
        cairo_surface_t* modes = LoadPng(dir + "modes.png");
        cairo_surface_t* previews = LoadPng(dir + "previews.png");
        for (int page = 1; page <= 4; ++page) {
            Image screen(800, 600);
            cairo_t* cr = screen.cr;
            for (int y = -200; y < 600; y += 512)
                for (int x = 0; x < 800; x += 512) Draw(cr, title, kTitleTile, x, y);
            for (int i = 0; i < 14; ++i) Draw(cr, t1, KindFrameRect(rnd.Int(1, 6), 0), rnd.Range(100, 700), rnd.Range(250, 580), 100 / 255.0);
            double menuAlpha = page == 1 ? 1 : 100 / 255.0;
            Draw(cr, title, kLogo, 400, 175, menuAlpha, false, 1.1, true);
            const Point modeAt[5] = {{149, 395}, {7, 316}, {322, 437}, {495, 390}, {637, 313}};
            const Point smallAt[4] = {{12, 532}, {133, 532}, {254, 532}, {682, 532}};
            for (int m = 1; m <= 5; ++m) Draw(cr, title, m == 3 && page == 1 ? MenuModeButtonDown(m) : MenuModeButtonUp(m), modeAt[m - 1].x, modeAt[m - 1].y, menuAlpha);
            for (int b = 0; b < 4; ++b) Draw(cr, title, MenuSmallButtonUp(b), smallAt[b].x, smallAt[b].y, menuAlpha);
            if (page == 1) {
                std::string w = "WELCOME GUEST";
                Text(cr, res, fonts[1], w, 400 - TextWidth(fonts[1], w, 2) / 2, 20, 2);
                std::string c = "CLICK HERE TO CHANGE PLAYER";
                Text(cr, res, fonts[1], c, 400 - TextWidth(fonts[1], c, 2) * 0.8 / 2, 49, 2, 0.8);
            }
            if (page == 2) {  // a mode page
                Draw(cr, modes, ModeDescription(1), kModeDescriptionAt.x, kModeDescriptionAt.y);
                Draw(cr, title, kModeBackUp, 261, 370);
                Draw(cr, title, kModePlayDown, 440, 370);
            }
            if (page == 3) {  // options
                Draw(cr, modes, kOptionsPanel, 145.5, 120.5);
                for (int i = 0; i < 3; ++i) {
                    Draw(cr, modes, kSliderTracks[i], kSliderAt[i].x, kSliderAt[i].y);
                    Draw(cr, modes, kSliderMarker, kSliderAt[i].x + 60 + 40 * i, kSliderAt[i].y + 10.5, 1, false, 1, true);
                    Draw(cr, title, i == 1 ? kCheckOn : kCheckOff, kCheckBoxAt[i].x, kCheckBoxAt[i].y, i == 1 ? 1 : 100 / 255.0);
                }
                Draw(cr, title, kOkUp, 506, 390);
                std::string n = "PLAYER";
                Draw(cr, title, kNameBox, 244, 91);
                Text(cr, res, fonts[1], n, 400 - TextWidth(fonts[1], n, 2) / 2, 140, 2);
            }
            if (page == 4) {  // high scores and the carousel frame
                // frame 1 at (162, 90), 10 x 9 centre pieces of 40
                Rect f = kFrame;
                int cw = 40, dw = 10, dh = 9;
                double X = 162, Y = 90;
                for (int j = 0; j < dh + 2; ++j)
                    for (int i = 0; i < dw + 2; ++i) {
                        int si = i == 0 ? 0 : i == dw + 1 ? 2 : 1, sj = j == 0 ? 0 : j == dh + 1 ? 2 : 1;
                        Draw(cr, title, {f.x + si * cw, f.y + sj * cw, cw, cw}, X + i * cw, Y + j * cw);
                    }
                Draw(cr, title, ModeHeading(4), 400, 97, 1, false, 1, true);
                Draw(cr, t1, kHeadingName, 188, 130);
                Draw(cr, t1, kHeadingScore, 400, 130);
                Draw(cr, t1, kHeadingLevel, 510, 130);
                const char* names[10] = {"ANNA", "BORIS", "GUEST", "KIM", "LEO", "MIRA", "NOAH", "OLGA", "PAUL", "ZOE"};
                for (int p = 0; p < 10; ++p) {
                    double y = 165 + 29 * p;
                    std::string sc = std::to_string(90000 - p * 7345), lv = std::to_string(40 - p * 3);
                    Text(cr, res, fonts[1], names[p], 188, y, 2);
                    Text(cr, res, fonts[1], sc, 450 - TextWidth(fonts[1], sc, 2) / 2, y, 2);
                    Text(cr, res, fonts[1], lv, 615 - TextWidth(fonts[1], lv, 2), y, 2);
                }
                Draw(cr, title, kOkUp, 343 + 162, 364 + 90);
                Draw(cr, title, kNextUp, 30 + 162, 365 + 90);
            }
            screen.Flush();
            cairo_surface_write_to_png(screen.surface, (out + "mock-title-" + std::to_string(page) + ".png").c_str());
        }
        // carousel page
        {
            Image screen(800, 600);
            cairo_t* cr = screen.cr;
            for (int y = 0; y < 600; y += 512)
                for (int x = 0; x < 800; x += 512) Draw(cr, title, kTitleTile, x, y);
            Rect f = kFrame;
            for (int j = 0; j < 11; ++j)
                for (int i = 0; i < 13; ++i) {
                    int si = i == 0 ? 0 : i == 12 ? 2 : 1, sj = j == 0 ? 0 : j == 10 ? 2 : 1;
                    Draw(cr, title, {f.x + si * 40, f.y + sj * 40, 40, 40}, 138 + i * 40, 90 + j * 40);
                }
            Draw(cr, title, ModeHeading(3), 400, 97, 1, false, 1, true);
            Draw(cr, previews, kCarouselCaption, 138 + 42, 90 + 50);
            Draw(cr, previews, kStartLevelCaption, 138 + 140, 90 + 260);
            Draw(cr, previews, PictureSource(4), 320, 204);
            Draw(cr, title, kCarouselWindowFrame, 303, 192);
            const int bx[6] = {38, 378, 128, 288, 38, 378}, by[6] = {137, 137, 305, 305, 367, 367};
            const int img[6] = {kCarouselPrevious, kCarouselNext, kCarouselPrevious, kCarouselNext, kCarouselBack, kCarouselPlay};
            for (int i = 0; i < 6; ++i) Draw(cr, modes, CarouselButtonUp(img[i]), 138 + bx[i], 90 + by[i]);
            std::string lv = "07";
            Text(cr, res, fonts[2], lv, 400 - TextWidth(fonts[2], lv, 2) / 2, 409, 2);
            screen.Flush();
            cairo_surface_write_to_png(screen.surface, (out + "mock-carousel.png").c_str());
        }
    }
    return 0;
}
