#include "ui/HighScores.h"

#include <algorithm>
#include <utility>

#include "core/Convert.h"
#include "core/EngineLog.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "core/TextFieldReader.h"
#include "core/TextFieldWriter.h"

namespace plm {

namespace {

constexpr int32_t kMaxScore = 9999999;
constexpr size_t kMaxNameLength = 20;
// Table sizes beyond these are cut to them: a wrong count cannot take all memory.
constexpr int32_t kMaxPositions = 1000;
constexpr int32_t kMaxIndexes = 100;
// A score file larger than this is refused unread (the largest tables take a few megabytes).
constexpr uint64_t kMaxScoreFileBytes = 64ull << 20;

const std::string& NoText() {
    static const std::string empty;
    return empty;
}

// The text without double quotes, CRs and LFs: the file stores strings between quotes, one a line.
std::string Storable(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"' && c != '\r' && c != '\n') out += c;
    return out;
}

std::string StorableName(const std::string& name) {
    std::string out = Storable(name);
    if (out.size() > kMaxNameLength) out.resize(kMaxNameLength);
    return out;
}

}  // namespace

HighScoreEntry* HighScores::Entry(int32_t Position, int32_t Index) {
    return const_cast<HighScoreEntry*>(std::as_const(*this).Entry(Position, Index));
}

const HighScoreEntry* HighScores::Entry(int32_t Position, int32_t Index) const {
    if (Position < 1 || Position > positions_ || Index < 1 || Index > indexes_) return nullptr;
    return &entries_[static_cast<size_t>(Index - 1) * static_cast<size_t>(positions_) +
                     static_cast<size_t>(Position - 1)];
}

void HighScores::Init(const std::string& FileNameOnly, int32_t Positions, int32_t HighestScore, int32_t Indexes) {
    initialised_ = true;
    fileName_ = FileNameOnly;
    positions_ = std::clamp(Positions, 0, kMaxPositions);
    indexes_ = std::clamp(Indexes, 0, kMaxIndexes);
    if (positions_ == 0 || indexes_ == 0) positions_ = indexes_ = 0;
    entries_.assign(static_cast<size_t>(positions_) * static_cast<size_t>(indexes_), HighScoreEntry{});
    if (HighestScore <= 0 || positions_ == 0) return;
    const int64_t step = RoundHalfEven(static_cast<double>(HighestScore) / positions_);
    for (int32_t i = 1; i <= indexes_; ++i) {
        for (int32_t p = 1; p <= positions_; ++p) {
            HighScoreEntry& e = *Entry(p, i);
            e.Score = static_cast<int32_t>(HighestScore - step * (p - 1));
            e.Name = "GUEST";
        }
    }
}

int32_t HighScores::Check(int32_t NewScore, int32_t Index) {
    if (!Entry(1, Index)) return 0;
    const int32_t score = std::min(NewScore, kMaxScore);
    int32_t place = 0;
    for (int32_t p = 1; p <= positions_ && place == 0; ++p)
        if (Entry(p, Index)->Score < score) place = p;
    if (place == 0) return 0;
    // The entries from the place down move one place down; the last one drops off.
    for (int32_t p = positions_; p > place; --p) *Entry(p, Index) = std::move(*Entry(p - 1, Index));
    *Entry(place, Index) = HighScoreEntry{score, "GUEST", "", ""};
    return place;
}

void HighScores::SetHighScore(int32_t Position, const std::string& NewName, int32_t NewScore,
                              const std::string& DataString1, const std::string& DataString2, int32_t Index) {
    HighScoreEntry* e = Entry(Position, Index);
    if (!e) return;
    const int32_t score = std::min(NewScore, kMaxScore);
    if (score >= 0) e->Score = score;
    e->Name = StorableName(NewName);
    e->DataString1 = Storable(DataString1);
    e->DataString2 = Storable(DataString2);
}

int32_t HighScores::GetScore(int32_t Position, int32_t Index) const {
    const HighScoreEntry* e = Entry(Position, Index);
    return e ? e->Score : 0;
}

std::string HighScores::GetName(int32_t Position, int32_t Index) const {
    const HighScoreEntry* e = Entry(Position, Index);
    return e ? e->Name : NoText();
}

std::string HighScores::GetDataString1(int32_t Position, int32_t Index) const {
    const HighScoreEntry* e = Entry(Position, Index);
    return e ? e->DataString1 : NoText();
}

std::string HighScores::GetDataString2(int32_t Position, int32_t Index) const {
    const HighScoreEntry* e = Entry(Position, Index);
    return e ? e->DataString2 : NoText();
}

bool HighScores::LoadScores() {
    if (!initialised_) return false;
    const std::string path = FilePath(fileName_);
    if (!FileHasData(path)) return false;
    auto fail = [&](const ErrorInfo& error) {
        LogError("LoadScores", {"Path=" + State().EnginePath + fileName_}, error);
        return false;
    };
    std::string text;
    if (!ReadWholeFile(path, text, kMaxScoreFileBytes))
        return fail({"plm232", 75, "Path/File access error: the file is unreadable or too large."});
    // Each entry is read into a copy and stored only when all four of its fields were read, so
    // a damaged file keeps every entry before the damage whole and leaves the rest as they were.
    TextFieldReader in(text);
    for (HighScoreEntry& stored : entries_) {
        HighScoreEntry e;
        if (!in.ReadString(e.Name) || !in.ReadWhole(e.Score) || !in.ReadString(e.DataString1) ||
            !in.ReadString(e.DataString2))
            return fail({"plm232", in.ErrorNumber(), in.ErrorText()});
        e.Score = std::min(e.Score, kMaxScore);
        e.Name = StorableName(e.Name);
        e.DataString1 = Storable(e.DataString1);
        e.DataString2 = Storable(e.DataString2);
        stored = std::move(e);
    }
    return true;
}

bool HighScores::SaveScores() {
    if (!initialised_) return false;
    TextFieldWriter out;
    for (const HighScoreEntry& e : entries_) {
        out.String(e.Name);
        out.EndLine();
        out.Whole(e.Score);
        out.EndLine();
        out.String(e.DataString1);
        out.EndLine();
        out.String(e.DataString2);
        out.EndLine();
    }
    if (WriteWholeFile(FilePath(fileName_), out.Bytes())) return true;
    LogError("SaveScores", {"Path=" + State().EnginePath + fileName_},
             {"plm232", 75, "Path/File access error: the file could not be written."});
    return false;
}

}  // namespace plm
