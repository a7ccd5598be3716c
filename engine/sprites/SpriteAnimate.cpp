#include "sprites/SpriteAnimate.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "sprites/AnimationProcs.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRows.h"

namespace plm {

namespace {

// An animation file larger than this is refused unread (a full table of 64-frame records in
// text is well below it).
constexpr uint64_t kMaxAnimationFileBytes = 64ull << 20;

bool IsPlayableIndex(int32_t anim) { return State().Animations.contains(anim); }
bool IsPlayableSpeed(float speed) { return speed >= 0; }  // also refuses NaN

// The common start of the play-once modes: mode, index, speed, position 1 and frame 1.
void StartMode(int32_t sprite, int32_t mode, int32_t anim, float speed) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !IsPlayableIndex(anim) || !IsPlayableSpeed(speed)) return;
    r->AnimSpeed = speed;
    r->AnimMode = mode;
    r->AnimIndex = anim;
    r->AnimPosition = 1.0f;
    TakeAnimationGrid(*r);
    ShowAnimationFrame(*r, 1);
}

}  // namespace

// ---- The animation table ------------------------------------------------------------------------

bool SpriteAnimate::Add(int32_t Index, int32_t SrcX, int32_t SrcY, int32_t FrameWidth, int32_t FrameHeight,
                        int32_t AnimLength, const std::string& Frame_Parameters,
                        const std::string& Texture_Parameters, bool Reverse) {
    AnimationRecord rec;
    if (!BuildAnimation({"Error. (Animate.Add)", "Error. (Animate.Add)"}, SrcX, SrcY, FrameWidth, FrameHeight,
                        AnimLength, Frame_Parameters, Texture_Parameters, Reverse, rec))
        return false;
    if (Index < 1 || Index > kMaxAnimationTotal) {
        LogAddError("Error. (Animate.Add)",
                    "Index passed to Animate.Add not between 1-" + std::to_string(kMaxAnimationTotal) + ".");
        return false;
    }
    Table<AnimationRecord>& table = State().Animations;
    table.grow(Index);
    table(Index) = std::move(rec);
    return true;
}

bool SpriteAnimate::FileInit(const std::string& FileNameOnly, float textureindeXOffset) {
    const std::string path = FilePath(FileNameOnly);
    std::string text, error;
    std::vector<AnimationRecord> records;
    if (!ReadWholeFile(path, text, kMaxAnimationFileBytes)) {
        error = "File not found, unreadable or too large.";
    } else {
        ParseAnimationFile(text, textureindeXOffset, records, error);
    }
    if (!error.empty()) {
        LogError("Animate.FileInit", {"Path=" + State().EnginePath, "Filename=" + FileNameOnly},
                 {"SpriteAnimate.FileInit", 0, error});
        return false;
    }
    // The whole file has been read and checked: only now is the table replaced. The names of the
    // records that stay are kept.
    Table<AnimationRecord>& table = State().Animations;
    const int32_t total = static_cast<int32_t>(records.size());
    std::vector<std::string> names;
    for (int32_t a = 1; a <= total && a <= table.size(); ++a) names.push_back(std::move(table(a).Name));
    table.resize(total);
    for (int32_t a = 1; a <= total; ++a) {
        records[static_cast<size_t>(a - 1)].Name = a <= static_cast<int32_t>(names.size())
                                                       ? std::move(names[static_cast<size_t>(a - 1)])
                                                       : std::string();
        table(a) = std::move(records[static_cast<size_t>(a - 1)]);
    }
    return true;
}

// ---- The sprite's current frame -----------------------------------------------------------------

int32_t SpriteAnimate::GetAnim(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->AnimIndex : 0;
}

int32_t SpriteAnimate::GetFrameWidth(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->Width : 0;
}

int32_t SpriteAnimate::GetFrameHeight(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->Height : 0;
}

PLMXY SpriteAnimate::GetFrameIndex(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    if (!r) return PLMXY{};
    return PLMXY{static_cast<float>(r->XFrame), static_cast<float>(r->YFrame)};
}

void SpriteAnimate::SetFrameIndex(int32_t sprite, int32_t XFrame, int32_t YFrame) {
    if (SpriteRecord* r = SpriteRow(sprite)) {
        r->XFrame = XFrame;
        r->YFrame = YFrame;
    }
}

void SpriteAnimate::SetFrame(int32_t sprite, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width,
                             int32_t Height, int32_t XFrame, int32_t YFrame) {
    if (SpriteRecord* r = SpriteRow(sprite)) StoreFrame(*r, Texture, SrcX, SrcY, Width, Height, XFrame, YFrame);
}

// ---- Playing ------------------------------------------------------------------------------------

void SpriteAnimate::Repeat(int32_t sprite, int32_t AnimIndex, float AnimSpeed, bool JustUpdateAnimIndex) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !IsPlayableIndex(AnimIndex)) return;
    if (JustUpdateAnimIndex) {
        r->AnimMode = 1;
        r->AnimIndex = AnimIndex;
        TakeAnimationGrid(*r);
        return;
    }
    StartMode(sprite, 1, AnimIndex, AnimSpeed);
}

void SpriteAnimate::Collide(int32_t sprite, int32_t AnimIndex, float AnimSpeed) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !IsPlayableIndex(AnimIndex) || !IsPlayableSpeed(AnimSpeed)) return;
    StartMode(sprite, 2, AnimIndex, AnimSpeed);
    r->CollideEnabled = false;
}

void SpriteAnimate::Hit(int32_t sprite, int32_t AnimIndex, float AnimSpeed, int32_t NewAnimIndex,
                        float NewAnimSpeed) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !IsPlayableIndex(AnimIndex) || !IsPlayableSpeed(AnimSpeed) || !IsPlayableIndex(NewAnimIndex) ||
        !IsPlayableSpeed(NewAnimSpeed))
        return;
    StartMode(sprite, 3, AnimIndex, AnimSpeed);
    r->HitNextAnim = NewAnimIndex;
    r->HitNextSpeed = NewAnimSpeed;
}

void SpriteAnimate::Once(int32_t sprite, int32_t AnimIndex, float AnimSpeed) { StartMode(sprite, 4, AnimIndex, AnimSpeed); }

void SpriteAnimate::OnceThenTurnOff(int32_t sprite, int32_t AnimIndex, float AnimSpeed) {
    StartMode(sprite, 6, AnimIndex, AnimSpeed);
}

void SpriteAnimate::HitAndDirection(int32_t sprite, int32_t AnimIndex, float AnimSpeed) {
    StartMode(sprite, 7, AnimIndex, AnimSpeed);
}

bool SpriteAnimate::Direction(int32_t sprite, float StartDirection, const std::string& Anim_Parameters) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r) return false;
    const std::vector<std::string> items = SplitItems(Anim_Parameters);
    if (items.size() != 18) return false;
    const int32_t code = RoundHalfEven(StartDirection);
    if (code < 0 || code > 8) return false;
    std::array<int32_t, 9> anims{}, speeds{};
    for (size_t i = 0; i < 9; ++i) {
        anims[i] = RoundHalfEven(LeadingNumber(items[2 * i]));
        speeds[i] = RoundHalfEven(LeadingNumber(items[2 * i + 1]));
        // An index of 0 or less means "keep playing"; one above the table cannot be played.
        if (anims[i] > State().Animations.size() || speeds[i] < 0) return false;
    }
    r->DirAnim = anims;
    r->DirSpeed = speeds;
    r->AnimMode = 5;
    r->DirectionCode = code;
    r->LastDirectionCode = code;
    r->AnimIndex = anims[static_cast<size_t>(code)];
    r->AnimSpeed = static_cast<float>(speeds[static_cast<size_t>(code)]);
    r->AnimPosition = 1.0f;
    TakeAnimationGrid(*r);
    ShowAnimationFrame(*r, 1);
    return true;
}

void SpriteAnimate::RepeatRoboMove(int32_t sprite, int32_t AnimIndex, float RoboSpeed, float XDir, float YDir,
                                   float XMin, float YMin, float XMax, float YMax, bool JustUpdateMoveDir,
                                   bool JustUpdateRoboSpeed, float Length) {
    SpriteRecord* r = SpriteRow(sprite);
    if (!r || !IsPlayableSpeed(RoboSpeed)) return;
    if (JustUpdateRoboSpeed) {
        r->RoboInterval = RoboSpeed;
        return;
    }
    if (JustUpdateMoveDir) {
        r->EngineType = 0;
        r->XDir = XDir;
        r->YDir = YDir;
        return;
    }
    if (!IsPlayableIndex(AnimIndex)) return;
    r->RoboInterval = RoboSpeed;
    r->RoboTimer = RoboSpeed;
    r->XDir = XDir;
    r->YDir = YDir;
    r->XMin = XMin;
    r->XMax = XMax;
    r->YMin = YMin;
    r->YMax = YMax;
    // The animation moves the sprite itself.
    r->EngineType = 0;
    r->DirectionCode = DirectionCodeFromMove(XDir, YDir);
    r->MoveTimer = Length;
    r->AnimMode = 8;
    r->AnimIndex = AnimIndex;
    TakeAnimationGrid(*r);
    r->AnimPosition = 1.0f;
    r->AnimSpeed = 0;
    ShowAnimationFrame(*r, 1);
}

void SpriteAnimate::Off(int32_t sprite) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->AnimMode = 0;
}

void SpriteAnimate::Pause(int32_t sprite) {
    if (SpriteRecord* r = SpriteRow(sprite)) {
        r->PausedAnimMode = r->AnimMode;
        r->AnimMode = 0;
    }
}

void SpriteAnimate::Continue(int32_t sprite) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->AnimMode = r->PausedAnimMode;
}

float SpriteAnimate::Position(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->AnimPosition : 0;
}

void SpriteAnimate::Position(int32_t sprite, float value) {
    if (SpriteRecord* r = SpriteRow(sprite)) r->AnimPosition = value;
}

float SpriteAnimate::Speed(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? r->AnimSpeed : 0;
}

void SpriteAnimate::Speed(int32_t sprite, float value) {
    SpriteRecord* r = SpriteRow(sprite);
    if (r && IsPlayableSpeed(value)) r->AnimSpeed = value;
}

bool SpriteAnimate::IsAnimating(int32_t sprite) const {
    const SpriteRecord* r = SpriteRow(sprite);
    return r && r->On != 0 && r->AnimMode != 0;
}

}  // namespace plm
