#pragma once
// The picture files of the game: each function draws one file into `dir`.
#include <string>

namespace media {

void MakeGameSheet(const std::string& dir);       // t1.png
void MakeResourceSheet(const std::string& dir);   // plmres1.png and font.dat
void MakeTitlePictures(const std::string& dir);   // title.png, modes.png, help.jpg
void MakeBackgrounds(const std::string& dir);     // 1b.jpg .. 10b.jpg, survival.jpg, previews.png
void MakeBesideFiles(const std::string& dir);     // affimage.jpg, help.htm, the link file
void MakeLauncherPictures(const std::string& dir);  // launcher.bmp, about.bmp

}  // namespace media
