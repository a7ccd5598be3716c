// mediarects: prints every named rectangle of the layout table, one a line: picture, x, y, width,
// height and name, separated by tabs (scripts/media-review.sh outlines them on the contact sheets).
#include <cstdio>

#include "MediaLayout.h"

int main() {
    for (const auto& n : tessaly::media::AllRects())
        std::printf("%s\t%d\t%d\t%d\t%d\t%s\n", n.picture.c_str(), n.r.x, n.r.y, n.r.w, n.r.h, n.name.c_str());
}
