#pragma once
// Animations: the animation table (Add, FileInit) and the playing of an animation on a sprite.
// The play members only write the animation fields of one sprite's row; the frame advances in
// the sprite's behaviour step (StepAnimation). A sprite number outside the table is refused
// (setters do nothing, getters give 0 / false), and so is an animation index outside the
// animation table, a negative speed and a start direction outside 0..8.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class SpriteAnimate {
public:
    // ---- The animation table -------------------------------------------------------------------
    // Defines animation Index (the table grows to Index, keeping the others): the grid origin,
    // the frame size, AnimLength frames (1..64) given as "column,row,column,row,..." and
    // "texture,texture,...", stored last frame first with Reverse. A count that does not match
    // or lies outside 1..64, or an Index outside 1..16384, is logged and nothing is stored.
    bool Add(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t FrameWidth, int32_t FrameHeight, int32_t AnimLength,
             const std::string& Frame_Parameters, const std::string& Texture_Parameters, bool Reverse);
    // Replaces the whole table with the animations of a text file in the engine folder (see
    // ParseAnimationFile); textureindeXOffset is added to every texture index. Names of the
    // records kept are left as they were. A missing or damaged file is logged, false is
    // returned and the table stays as it was.
    bool FileInit(const std::string& FileNameOnly, float textureindeXOffset);

    // ---- The sprite's current frame --------------------------------------------------------------
    int32_t GetAnim(int32_t sprite) const;
    int32_t GetFrameWidth(int32_t sprite) const;
    int32_t GetFrameHeight(int32_t sprite) const;
    // X = the frame column, Y = the frame row.
    PLMXY GetFrameIndex(int32_t sprite) const;
    void SetFrameIndex(int32_t sprite, int32_t XFrame, int32_t YFrame);
    // Shows one frame: the texture, the grid origin, the frame size and the column and row.
    void SetFrame(int32_t sprite, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                  int32_t XFrame, int32_t YFrame);

    // ---- Playing (speeds in frames per millisecond) ----------------------------------------------
    // Loops the animation. With JustUpdateAnimIndex only the animation (and its grid) changes:
    // the position and speed run on.
    void Repeat(int32_t sprite, int32_t AnimIndex, float AnimSpeed, bool JustUpdateAnimIndex);
    // Plays once, then turns the sprite off; its collision is switched off at once.
    void Collide(int32_t sprite, int32_t AnimIndex, float AnimSpeed);
    // Plays once, then loops NewAnimIndex at NewAnimSpeed.
    void Hit(int32_t sprite, int32_t AnimIndex, float AnimSpeed, int32_t NewAnimIndex, float NewAnimSpeed);
    // Plays once and stays on the last frame.
    void Once(int32_t sprite, int32_t AnimIndex, float AnimSpeed);
    // Plays once, then turns the sprite off.
    void OnceThenTurnOff(int32_t sprite, int32_t AnimIndex, float AnimSpeed);
    // Plays once, then follows the direction animations set by Direction.
    void HitAndDirection(int32_t sprite, int32_t AnimIndex, float AnimSpeed);
    // Plays the animation of the sprite's direction code: Anim_Parameters holds nine pairs
    // "index,speed" for the codes 0..8 (speeds are whole numbers; an index of 0 or less keeps the
    // animation playing when the sprite turns that way). False, and nothing changed, unless
    // there are exactly nine pairs, StartDirection is 0..8 and no index or speed is refused.
    bool Direction(int32_t sprite, float StartDirection, const std::string& Anim_Parameters);
    // Moves the sprite by whole XDir / YDir steps every RoboSpeed milliseconds, one frame a step;
    // off when it leaves the bounds, animation off (sprite on) when Length ms have passed.
    void RepeatRoboMove(int32_t sprite, int32_t AnimIndex, float RoboSpeed, float XDir, float YDir, float XMin,
                        float YMin, float XMax, float YMax, bool JustUpdateMoveDir, bool JustUpdateRoboSpeed,
                        float Length);
    void Off(int32_t sprite);
    void Pause(int32_t sprite);
    void Continue(int32_t sprite);
    float Position(int32_t sprite) const;
    void Position(int32_t sprite, float value);
    float Speed(int32_t sprite) const;
    void Speed(int32_t sprite, float value);
    // True when the sprite is on and an animation mode is set.
    bool IsAnimating(int32_t sprite) const;
};

}  // namespace plm
