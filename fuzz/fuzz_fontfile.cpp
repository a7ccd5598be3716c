// Fuzzes Font.Init and Font.InitV231 with arbitrary font files, then measures and draws every font
// with every character code. The first byte chooses the form: even for the multi-font file, odd
// for the single-font file (font 1 + byte / 2 % 16, offsets from the next byte). A refused file
// must leave the whole font table as it was.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzFolder.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"
#include "ui/Font.h"
#include "ui/FontFader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    if (size < 2) return 0;
    plm::EngineState& st = plm::State();
    st.LogState = false;
    st.Delta = 16;
    auto rec = std::make_shared<plm::platform::RecordingDevice>();
    rec->RecordQueries(false);
    st.D3DDevice = rec;
    st.Textures.resize(3);
    for (int slot : {1, 2, 3}) {
        st.Textures(slot).Object = rec->CreateTexture(64, 64, false);
        st.Textures(slot).Loaded = true;
    }
    // A font left by an earlier input, so a refused file has something to keep.
    st.FontTable = plm::FontTableArray{};
    st.FontTable[2].TextureIndex = 2;
    st.FontTable[2].Height = 9;
    st.FontTable[2].Width[34] = 5;
    const plm::FontTableArray before = st.FontTable;

    folder.Put("f.dat", std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    plm::Font font;
    const bool single = data[0] % 2 == 1;
    const float offset = static_cast<float>(static_cast<int>(data[1]) - 128) / 4.0f;
    const bool ok = single ? font.InitV231(1 + data[0] / 2 % 16, "f.dat", 1 + data[1] % 3, offset, -offset)
                           : font.Init("f.dat");
    if (!ok && !(st.FontTable == before)) std::abort();

    std::string every;
    for (int c = 1; c < 256; ++c) every += static_cast<char>(c);
    plm::FontFader fader;
    fader.Init(4);
    for (int32_t index = -1; index <= 17; ++index) {
        font.Render(index, every, 3.5f, -2.5f, 1, 255, 1.5f, 1, 2, 255, 255, 255, 5, 6);
        font.RenderFast(index, every, 0, 0, -2, 5, 6);
        font.CopyToTexture(3, index, every, 1.5f, 2.5f, 0.5f);
        font.GetStringSize(index, every, 1, 2, 0.5f, 3);
        for (int32_t code : {-100, 0, 31, 32, 255, 286, 287, 100000}) font.GetCharRect(index, code);
        fader.Add(index, every, 100, 100, 1, 1, 0.01f, 0.4f, 0.4f, 10, 0, -0.1f, 0, 0.00005f, 0, 255, 255, 255);
        rec->ClearCalls();
    }
    for (int frame = 0; frame < 3; ++frame) fader.Render();
    st.D3DDevice.reset();
    folder.CheckAndClear();
    return 0;
}
