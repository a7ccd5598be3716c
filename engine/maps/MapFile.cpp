#include "maps/MapFile.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Paths.h"
#include "core/PelmarEngine.h"
#include "core/TextFieldReader.h"
#include "core/TextFieldWriter.h"
#include "maps/Map.h"
#include "maps/MapProcs.h"

namespace plm {

namespace {

constexpr std::string_view kMapHeader = "Pelmar Engine Map Data";
constexpr std::string_view kEditorHeader = "Pelmar Engine Map Editor";
constexpr std::string_view kMakerSite = "https://pelmar.example/";
constexpr std::string_view kReserved = "Reserved String";
constexpr int kReservedLines = 10;

// The thirteen numbers of the map file, in file order.
enum Size : int {
    kScreenWidth, kScreenHeight, kBuffers, kLayers, kTileWidth, kTileHeight, kWidth, kHeight, kSheetWidth,
    kSheetHeight, kTilesAcross, kTilesDown, kSheets, kSizeCount
};

// A text line as it stands. A line end inside it would split it into two lines and shift every
// later field, so CR and LF are dropped.
void TextLine(TextFieldWriter& w, std::string_view text) {
    std::string clean;
    for (char c : text)
        if (c != '\r' && c != '\n') clean += c;
    w.Text(clean);
    w.EndLine();
}

// A number in print form: a blank for zero and positive numbers or a minus sign, the digits, a blank.
std::string PrintForm(int64_t v) { return (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " "; }

void NumberLine(TextFieldWriter& w, int64_t v) {
    w.Text(PrintForm(v));
    w.EndLine();
}

// The four lines both files open with: header, engine line, maker's site, version.
void Opening(TextFieldWriter& w, std::string_view header, std::string_view engine) {
    TextLine(w, header);
    TextLine(w, engine);
    TextLine(w, kMakerSite);
    w.Text(PrintForm(kVersionMajor) + PrintForm(kVersionMinor) + PrintForm(kVersionRevision));
    w.EndLine();
}

// One record line a row, columns 0..MapWidth - 1 (the spare column and row are not written), for
// each plane from 1 to planes; `at` gives the number at (plane, column, row).
template <typename At>
void RecordLines(TextFieldWriter& w, const MapState& m, int32_t planes, At at) {
    if (m.MapWidth < 1) return;
    for (int32_t p = 1; p <= planes; ++p)
        for (int32_t y = 0; y < m.MapHeight; ++y) {
            for (int32_t x = 0; x < m.MapWidth; ++x) w.Whole(at(p, x, y));
            w.EndLine();
        }
}

void BufferLines(TextFieldWriter& w, MapState& m) {
    RecordLines(w, m, m.MapBufferIndexes, [&](int32_t b, int32_t x, int32_t y) { return *m.FindBufferEntry(b, x, y); });
}

// The file name of texture slot t as the texture table holds it ("" outside the table).
std::string SlotFileName(int32_t t) {
    const TextureSlot* slot = State().Textures.find(t);
    return slot ? slot->FileName : std::string();
}

// The checked contents of a map file, before anything of the map changes.
struct ParsedMap {
    std::array<int32_t, kSizeCount> n{};
    std::vector<int32_t> values;  // the buffers, then the layers, row by row
};

// a x b for counts of 0 or more, held at the largest 64-bit number instead of overflowing.
int64_t CountProduct(int64_t a, int64_t b) {
    return (b != 0 && a > std::numeric_limits<int64_t>::max() / b) ? std::numeric_limits<int64_t>::max() : a * b;
}

bool SkipLines(TextFieldReader& in, int count) {
    std::string line;
    for (int i = 0; i < count; ++i)
        if (!in.ReadLine(line)) return false;
    return true;
}

bool Parse(std::string_view text, ParsedMap& out) {
    TextFieldReader in(text);
    double ignored = 0;
    // Header, engine line and site; the version's three numbers; the "1" line: read, not checked.
    if (!SkipLines(in, 3) || !in.ReadNumber(ignored) || !in.ReadNumber(ignored) || !in.ReadNumber(ignored) ||
        !SkipLines(in, 1))
        return false;
    auto& n = out.n;
    for (int32_t& v : n)
        if (!in.ReadWhole(v)) return false;
    // The texture names are not used: read whole lines (a name may hold a comma) and dropped.
    if (n[kSheets] < 0 || !SkipLines(in, n[kSheets]) || !SkipLines(in, kReservedLines)) return false;
    if (n[kTileWidth] < 1 || n[kTileHeight] < 1 || n[kWidth] < 0 || n[kHeight] < 0 || n[kLayers] < 1 ||
        n[kTilesAcross] < 0 || n[kTilesDown] < 0)
        return false;
    // Init makes at least one buffer, and every buffer it makes is read.
    const int64_t planes = int64_t{std::max(n[kBuffers], 1)} + n[kLayers];
    const int64_t count = CountProduct(CountProduct(planes, n[kWidth]), n[kHeight]);
    // Each number takes at least two characters: the values must fit the text, so a short file
    // cannot announce a huge grid. A map with no columns or no rows holds no values at all, yet
    // Init builds its grids with the spare column and row; such grids are bounded by what any
    // map may hold, and one beyond that is refused here, before Init would log its refusal.
    if (count > static_cast<int64_t>(text.size()) / 2 ||
        !MapGridsFit(n[kWidth], n[kHeight], std::max(n[kBuffers], 1), n[kLayers]))
        return false;
    out.values.resize(static_cast<size_t>(count));
    for (int32_t& v : out.values)
        if (!in.ReadWhole(v)) return false;
    return SkipLines(in, kReservedLines);
}

}  // namespace

std::string MapFileText() {
    MapState& m = State().Map;
    if (!m.MapInitialised) return {};
    const EngineState& st = State();
    TextFieldWriter w;
    Opening(w, kMapHeader, "Pelmar 2D Game Engine");
    TextLine(w, "1");
    for (int64_t v : {int64_t{st.ScreenWidth}, int64_t{st.ScreenHeight}, int64_t{m.MapBufferIndexes},
                      int64_t{m.MapLayers}, int64_t{m.MapTileWidth}, int64_t{m.MapTileHeight}, int64_t{m.MapWidth},
                      int64_t{m.MapHeight}, int64_t{m.MapTexturesWidth}, int64_t{m.MapTexturesHeight},
                      int64_t{m.SourceTilesAcross}, int64_t{m.SourceTilesDown}, int64_t{m.MapTextureCount}})
        NumberLine(w, v);
    // The name of the image in each sheet's slot without its folder; "" for a slot with none.
    for (int32_t t = 1; t <= m.MapTextureCount; ++t) {
        const TextureSlot* slot = st.Textures.find(t);
        TextLine(w, slot && slot->Loaded ? FileNameFromPath(slot->FileName) : std::string());
    }
    for (int i = 0; i < kReservedLines; ++i) TextLine(w, kReserved);
    BufferLines(w, m);
    RecordLines(w, m, m.MapLayers, [&](int32_t l, int32_t x, int32_t y) { return m.FindCell(l, x, y)->Value; });
    for (int i = 0; i < kReservedLines; ++i) TextLine(w, kReserved);
    return w.Bytes();
}

std::string MapEditorFileText() {
    MapState& m = State().Map;
    if (!m.MapInitialised) return {};
    const EngineState& st = State();
    TextFieldWriter w;
    Opening(w, kEditorHeader, "Pelmar 2D+ Game Engine");
    for (int64_t v : {int64_t{st.ScreenWidth}, int64_t{st.ScreenHeight}, int64_t{m.MapBufferIndexes},
                      int64_t{m.MapTileWidth}, int64_t{m.MapTileHeight}, int64_t{m.MapWidth}, int64_t{m.MapHeight},
                      int64_t{m.MapTexturesWidth}, int64_t{m.MapTexturesHeight}, int64_t{m.SourceTilesAcross},
                      int64_t{m.SourceTilesDown}, int64_t{m.MapTextureCount}})
        NumberLine(w, v);
    // The full path each sheet was opened from, as the texture table holds it.
    for (int32_t t = 1; t <= m.MapTextureCount; ++t) TextLine(w, SlotFileName(t));
    BufferLines(w, m);
    return w.Bytes();
}

bool LoadMapFileText(std::string_view text) {
    ParsedMap p;
    if (!Parse(text, p)) return false;
    const auto& n = p.n;
    // Init builds the new map from scratch; should it refuse, the old map comes back whole.
    EngineState& st = State();
    MapState old = std::move(st.Map);
    st.Map = MapState{};
    Map().Init(n[kTileWidth], n[kTileHeight], n[kWidth], n[kHeight], n[kSheetWidth], n[kSheetHeight],
               n[kTilesAcross], n[kTilesDown], n[kSheets], n[kBuffers], n[kLayers]);
    MapState& m = st.Map;
    if (!m.MapInitialised) {
        m = std::move(old);
        return false;
    }
    size_t k = 0;
    for (int32_t b = 1; b <= m.MapBufferIndexes; ++b)
        for (int32_t y = 0; y < m.MapHeight; ++y)
            for (int32_t x = 0; x < m.MapWidth; ++x) *m.FindBufferEntry(b, x, y) = p.values[k++];
    for (int32_t l = 1; l <= m.MapLayers; ++l)
        for (int32_t y = 0; y < m.MapHeight; ++y)
            for (int32_t x = 0; x < m.MapWidth; ++x) m.FindCell(l, x, y)->Value = p.values[k++];
    return true;
}

bool Map::SaveMap(const std::string& FullFilePath) const {
    const std::string text = MapFileText();
    return !text.empty() && WriteWholeFile(NativePath(FullFilePath), text);
}

bool Map::LoadMap(const std::string& FullFilePath) {
    std::string text;
    return ReadWholeFile(NativePath(FullFilePath), text, kMaxMapFileBytes) && LoadMapFileText(text);
}

bool Map::SaveBufferAsMapFile(const std::string& FullFilePath, int32_t /*HowManyMapTextures*/) const {
    // The number of names written is always the map's own sheet count.
    const std::string text = MapEditorFileText();
    return !text.empty() && WriteWholeFile(NativePath(FullFilePath), text);
}

}  // namespace plm
