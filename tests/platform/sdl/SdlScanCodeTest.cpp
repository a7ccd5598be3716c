// The SDL scancode table: SDL's numbers (the USB usage codes) to DirectInput scan codes.
#include <gtest/gtest.h>

#include <set>

#include "platform/Input.h"
#include "platform/sdl/SdlInput.h"

namespace {

using plm::platform::ScanCodeFromSdl;

TEST(SdlScanCodes, KeysTheGameUses) {
    struct Row {
        int sdl;  // SDL_Scancode value
        int dik;
    };
    // Escape, Backspace, Enter, S, F, Space, F1-F3, F11, F12, keypad Enter, Insert, and the
    // arrows, Delete, Home, End, PgUp, PgDn, digits, keypad digits and modifiers.
    for (Row r : {Row{41, 1}, Row{42, 14}, Row{40, 28}, Row{22, 31}, Row{9, 33}, Row{44, 57}, Row{58, 59},
                  Row{59, 60}, Row{60, 61}, Row{68, 87}, Row{69, 88}, Row{88, 156}, Row{73, 210}, Row{82, 200},
                  Row{81, 208}, Row{80, 203}, Row{79, 205}, Row{76, 211}, Row{74, 199}, Row{77, 207}, Row{75, 201},
                  Row{78, 209}, Row{30, 2}, Row{39, 11}, Row{89, 79}, Row{98, 82}, Row{224, 29}, Row{228, 157},
                  Row{225, 42}, Row{229, 54}, Row{226, 56}, Row{230, 184}, Row{43, 15}, Row{57, 58}}) {
        EXPECT_EQ(ScanCodeFromSdl(r.sdl), r.dik) << "SDL scancode " << r.sdl;
    }
}

TEST(SdlScanCodes, LettersInAlphabeticalOrder) {
    for (int i = 0; i < 26; ++i) EXPECT_EQ(ScanCodeFromSdl(4 + i), plm::platform::kLetterScanCodes[i]) << char('A' + i);
}

TEST(SdlScanCodes, UnknownAndOutOfRangeGiveZero) {
    for (int sdl : {0, -1, 511, 512, 100000}) EXPECT_EQ(ScanCodeFromSdl(sdl), 0) << sdl;
    // Apart from the few keys that share a code on purpose (the two backslashes, Print Screen and
    // SysRq, the two mute keys), every mapped key has a code of its own.
    std::multiset<int> codes;
    for (int sdl = 0; sdl < 512; ++sdl)
        if (int dik = ScanCodeFromSdl(sdl)) codes.insert(dik);
    for (int dik : codes) {
        if (dik != 0x2B && dik != 0xB7 && dik != 0xA0) {
            EXPECT_EQ(codes.count(dik), 1u) << dik;
        }
    }
}

}  // namespace
