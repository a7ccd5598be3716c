// mkpictures DIR [PART...]: draws the game's pictures, the bitmap font and the files beside the
// program into DIR. Without parts it makes everything; parts are sheet, res, title, backgrounds,
// beside, launcher (so a build can run them side by side).
#include <cstdio>
#include <exception>
#include <string>

#include "Canvas.h"
#include "Sheets.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkpictures DIR [sheet|res|title|backgrounds|beside|launcher]...\n");
        return 2;
    }
    std::string dir = argv[1];
    auto wanted = [&](const char* part) {
        if (argc == 2) return true;
        for (int i = 2; i < argc; ++i)
            if (part == std::string(argv[i])) return true;
        return false;
    };
    std::string missing;
    if (!media::FacesInstalled(missing)) {
        std::fprintf(stderr, "mkpictures: the font \"%s\" is not installed (scripts/deps.sh installs it)\n",
                     missing.c_str());
        return 1;
    }
    try {
        if (wanted("sheet")) media::MakeGameSheet(dir);
        if (wanted("res")) media::MakeResourceSheet(dir);
        if (wanted("title")) media::MakeTitlePictures(dir);
        if (wanted("backgrounds")) media::MakeBackgrounds(dir);
        if (wanted("beside")) media::MakeBesideFiles(dir);
        if (wanted("launcher")) media::MakeLauncherPictures(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkpictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
