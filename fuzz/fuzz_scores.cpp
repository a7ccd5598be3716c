// Fuzzes HighScores.LoadScores with arbitrary score files. The first byte chooses the size of the
// tables. Whether the file is refused or accepted, the tables must hold only what they may hold
// (a refused file keeps the entries read whole before the damage); an accepted one must also save
// and load back to the same tables and the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFolder.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "ui/HighScores.h"

namespace {

bool SameTables(const plm::HighScores& a, const plm::HighScores& b, int positions, int indexes) {
    for (int i = 0; i <= indexes + 1; ++i)
        for (int p = 0; p <= positions + 1; ++p)
            if (a.GetScore(p, i) != b.GetScore(p, i) || a.GetName(p, i) != b.GetName(p, i) ||
                a.GetDataString1(p, i) != b.GetDataString1(p, i) || a.GetDataString2(p, i) != b.GetDataString2(p, i))
                return false;
    return true;
}

bool Storable(const std::string& s) { return s.find_first_of("\"\r\n") == std::string::npos; }

bool HoldsOnlyStorable(const plm::HighScores& scores, int positions, int indexes) {
    for (int i = 1; i <= indexes; ++i)
        for (int p = 1; p <= positions; ++p)
            if (scores.GetScore(p, i) > 9999999 || scores.GetName(p, i).size() > 20 || !Storable(scores.GetName(p, i)) ||
                !Storable(scores.GetDataString1(p, i)) || !Storable(scores.GetDataString2(p, i)))
                return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    if (size < 1) return 0;
    plm::State().LogState = false;
    const int positions = 1 + data[0] % 12, indexes = 1 + data[0] / 12 % 4;
    plm::HighScores scores;
    scores.Init("s.dat", positions, 1000, indexes);
    folder.Put("s.dat", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const bool loaded = scores.LoadScores();
    if (!HoldsOnlyStorable(scores, positions, indexes)) std::abort();
    if (!loaded) {
        folder.CheckAndClear();
        return 0;
    }
    std::string first, second;
    if (!scores.SaveScores() || !plm::ReadWholeFile(folder.engine() + "s.dat", first)) std::abort();
    plm::HighScores again;
    again.Init("s.dat", positions, 0, indexes);
    if (!again.LoadScores() || !SameTables(scores, again, positions, indexes)) std::abort();
    if (!again.SaveScores() || !plm::ReadWholeFile(folder.engine() + "s.dat", second) || first != second) std::abort();
    scores.Check(static_cast<int32_t>(size) * 997, 1 + static_cast<int>(size) % indexes);
    folder.CheckAndClear();
    return 0;
}
