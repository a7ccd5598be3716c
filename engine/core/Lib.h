#pragma once
// The game's grab-bag of utilities: random numbers from the engine's one sequence, 2D geometry
// and collision tests, value stepping scaled by Delta, timing, window, screen and cursor
// queries, file tests and zlib file compression. It keeps no state of its own.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class Lib {
public:
    // Random numbers (the engine's one uniform sequence; 0 reseeds from the clock).
    void RandomizeSeed(int32_t SeedValue);
    int32_t GetNumber(int32_t Low, int32_t High);  // Low..High inclusive
    bool Chance(int32_t Percent);                   // true when Percent >= rnd * 100
    int32_t GetRandomSign();                        // +1 when rnd * 100 <= 50, else -1
    int32_t GetRandom255();
    PLMRGB GetRandomRGB();  // one channel (picked at random) bright: 230..255
    float GetRandomScreenWidth();
    int32_t GetRandomScreenHeight();

    // Geometry (engine angles: whole degrees, 0 = up, clockwise; boxes by top-left and size).
    float GetAngle(float x1, float y1, float x2, float Y2);
    PLMXY GetDirection(float Angle, float Velocity);
    float GetDistance(float x1, float y1, float x2, float Y2);
    float DegreeToRad(float Degree);
    // Segments, ends included; parallel or degenerate segments never intersect.
    bool LineIntersect(float Line1X1, float Line1Y1, float Line1X2, float Line1Y2, float Line2X1, float Line2Y1,
                       float Line2X2, float Line2Y2);
    bool CollideBoxes(float x1, float y1, float Width1, float Height1, float x2, float Y2, float Width2,
                      float Height2);
    bool CollideCircles(float x1, float y1, float Radius1, float x2, float Y2, float radius2);
    // Touching does not count; the nearest box point is left in Rx, Ry.
    bool CollideCircleToBox(float CircleX, float CircleY, float CircleRadius, float BoxX, float BoxY, float BoxWidth,
                            float BoxHeight);
    // Boxes rotated by whole degrees about their centres.
    bool CollideRotatedBoxes(float x1, float y1, float x1width, float y1height, float rot1, float x2, float Y2,
                             float x2width, float y2height, float rot2);
    bool CollideRotatedBoxToCircle(float x1, float y1, float x1width, float y1height, float rot1, float x2, float Y2,
                                   float Radius);

    // Value stepping: Var += Value (times Delta when WithDelta), then kept in min..max by
    // bouncing (Value changes sign), jumping to the other end, or clamping.
    void VarAddPong(float& Var, float& Value, float min, float max, bool WithDelta);
    void VarAddWrap(float& Var, float Value, float min, float max, bool WithDelta);
    void VarAddLimit(float& Var, float Value, float min, float max, bool WithDelta);
    // Number / (Total / Parts); 0 when that is no finite number (Total 0).
    float Percent(float Number, float Total, float Parts);
    // A screen x as a pan of 0..100 (halves to even).
    int32_t GetPan(float XPos);

    // Time.
    void Delay(int32_t DelayMs);  // spins on the millisecond clock
    void GotoSleep(int32_t ms);   // gives the processor away
    // Fills the frame-time ring with 1000 / FPS rounded; an FPS below 1 is refused (logged).
    void InitDelta(int32_t FPS);
    int32_t VBTimer();  // seconds since local midnight, rounded

    // Window, screen and cursor. Without a window (or for an unknown handle) these answer
    // false / (0, 0) and change nothing.
    bool IsWindowActive(int32_t hwnd);
    PLMXY MouseXY();  // the system pointer in desktop pixels
    void MouseHide();
    void MouseShow();
    int32_t GetScreenWidth();
    int32_t GetScreenHeight();
    int32_t GetScreenDepth();
    std::string GetWindowsDir();  // the system's settings folder, ending in "/"

    // Files.
    bool FileExists(const std::string& FullFilePath);  // 2 bytes or more
    // Deletes the files in EnginePath matching a wildcard pattern ("*" and "?", any case).
    // Refuses patterns that reach outside the folder or match every file ("*", "*.*").
    void FileDelete(const std::string& ext);
    int32_t GetARGBColor(int16_t Alpha, int16_t R, int16_t G, int16_t B);
    // Compresses a whole file with zlib at level Quality (0..9; others mean the default):
    // the 4-byte little-endian original length, then the zlib stream. Source and destination
    // may be the same file; the destination is replaced only once it is complete.
    bool FileCompress(const std::string& SourceFile, const std::string& DestFile, int32_t Quality);
    // Restores a file written by FileCompress; a stream that is damaged, or whose length does
    // not match the stored one, is refused (logged) and nothing is written.
    bool FileUncompress(const std::string& SourceFile, const std::string& DestFile);
};

}  // namespace plm
