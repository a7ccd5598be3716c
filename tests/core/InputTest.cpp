// Keyboard, mouse and game pads over a scripted input: the frame snapshot, the press latches,
// Key.Clear's wait, failed reads and focus loss.
#include "core/EngineStart.h"
#include "core/GamePad.h"
#include "core/InputProcs.h"
#include "core/Key.h"
#include "core/Mouse.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "EngineFixture.h"
#include "platform/test/ScriptedInput.h"

namespace {

using plm::State;
using plmtest::EngineTest;
using plm::platform::InputDevice;
using plm::platform::ReadResult;
using plm::platform::ScriptedInput;

class InputTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        input = std::make_shared<ScriptedInput>();
        plm::SetInputBackend(input);
        ASSERT_TRUE(plm::init_di());
        // The boundary InitDevice sets for an 800 x 600 screen.
        State().MouseMinX = 0;
        State().MouseMinY = 0;
        State().MouseMaxX = 799;
        State().MouseMaxY = 599;
    }
    // What Scene.Begin reads at the start of a frame.
    void Frame() { plm::ReadInputSnapshot(); }

    std::shared_ptr<ScriptedInput> input;
    plm::Key key;
    plm::Mouse mouse;
};

// Every key the game names reads under its scan code and latches once per press.
TEST_F(InputTest, GameKeysReadByScanCodeAndLatchOncePerPress) {
    std::vector<int> codes{1, 14, 28, 31, 33, 57, 59, 60, 61, 87, 88, 156, 210};
    for (uint8_t letter : plm::platform::kLetterScanCodes) codes.push_back(letter);
    for (int code : codes) {
        SCOPED_TRACE(code);
        input->SetKey(static_cast<uint8_t>(code), true);
        Frame();
        EXPECT_EQ(State().KeyState[code], 0x80);
        EXPECT_TRUE(key.Pressed(code));
        EXPECT_TRUE(key.PressedOnce(code));
        Frame();
        EXPECT_FALSE(key.PressedOnce(code)) << "still held: no second press";
        input->SetKey(static_cast<uint8_t>(code), false);
        Frame();
        EXPECT_FALSE(key.Pressed(code));
        EXPECT_FALSE(key.PressedOnce(code));
        input->SetKey(static_cast<uint8_t>(code), true);
        Frame();
        EXPECT_TRUE(key.PressedOnce(code)) << "a new press fires again";
        input->SetKey(static_cast<uint8_t>(code), false);
        Frame();
        key.PressedOnce(code);
    }
    for (int held = 0; held < 256; ++held) EXPECT_EQ(State().KeyState[held], 0) << held;
}

TEST_F(InputTest, KeyReadsOutsideTheTableAreRefused) {
    for (int code : {-1, 256, 100000}) {
        EXPECT_FALSE(key.Pressed(code));
        EXPECT_FALSE(key.PressedOnce(code));
        key.Clear(code);
    }
}

// Held all at once, the keys come out one a frame in the order A..Z, Enter, keypad Enter,
// Backspace, Insert; both Enters read 28.
TEST_F(InputTest, LettersPressedOnceOrderAndEnterMapping) {
    for (uint8_t letter : plm::platform::kLetterScanCodes) input->SetKey(letter, true);
    for (uint8_t other : {28, 156, 14, 210, 57}) input->SetKey(other, true);
    std::vector<int> got;
    for (int frame = 0; frame < 32; ++frame) {
        Frame();
        got.push_back(key.LettersPressedOnce());
    }
    std::vector<int> want;
    for (int c = 'A'; c <= 'Z'; ++c) want.push_back(c);
    for (int c : {28, 28, 14, 210, 0, 0}) want.push_back(c);
    EXPECT_EQ(got, want);
}

TEST_F(InputTest, LettersPressedOnceSingleKeys) {
    struct Row {
        uint8_t scan;
        int result;
    };
    for (Row r : {Row{30, 'A'}, Row{44, 'Z'}, Row{50, 'M'}, Row{156, 28}, Row{28, 28}, Row{14, 14}, Row{210, 210},
                  Row{57, 0}, Row{2, 0}}) {
        input->ReleaseAllKeys();
        Frame();
        key.LettersPressedOnce();
        input->SetKey(r.scan, true);
        Frame();
        EXPECT_EQ(key.LettersPressedOnce(), r.result) << int(r.scan);
        EXPECT_EQ(key.LettersPressedOnce(), 0) << int(r.scan);
    }
}

// Key.Clear waits for the release and returns whatever ends the wait: the release, focus loss,
// a close request or a keyboard that cannot be read. A hook bounds every wait so a fault fails
// the test instead of hanging it.
TEST_F(InputTest, ClearReturnsOnReleaseFocusLossCloseOrReadFailure) {
    enum class End { Release, FocusLoss, Close, ReadFailure };
    for (End end : {End::Release, End::FocusLoss, End::Close, End::ReadFailure}) {
        SCOPED_TRACE(static_cast<int>(end));
        input = std::make_shared<ScriptedInput>();
        plm::SetInputBackend(input);
        ASSERT_TRUE(plm::init_di());
        plm::Key k;
        input->SetKey(31, true);
        Frame();
        ASSERT_TRUE(k.PressedOnce(31));
        bool hung = false;
        input->OnPump([&](ScriptedInput& in) {
            if (in.Pumps() == 3) {
                if (end == End::Release) in.SetKey(31, false);
                if (end == End::FocusLoss) in.LoseFocus();
                if (end == End::Close) in.RequestClose();
                if (end == End::ReadFailure) in.FailReads(InputDevice::Keyboard, 1000);
            }
            if (in.Pumps() > 500) {
                hung = true;
                in.SetKey(31, false);
            }
        });
        k.Clear(31);
        EXPECT_FALSE(hung);
        EXPECT_EQ(input->Pumps(), 3);
        if (end != End::Close) {
            EXPECT_FALSE(k.Pressed(31));
        }
        // The latch is open again: the next frame that sees the key down fires.
        input->OnPump(nullptr);
        input->GainFocus();
        input->FailReads(InputDevice::Keyboard, 0);
        input->SetKey(31, true);
        Frame();
        EXPECT_TRUE(k.PressedOnce(31));
    }
}

TEST_F(InputTest, ClearOfAReleasedKeyReturnsAtOnce) {
    Frame();
    key.Clear(31);
    EXPECT_EQ(input->Pumps(), 0);
}

// A read reported "not acquired" is answered by an acquire and a second read.
TEST_F(InputTest, NotAcquiredReadIsAcquiredAndReadAgain) {
    input->SetKey(57, true);
    input->SetButton(0, true);
    input->FailReads(InputDevice::Keyboard, 1, ReadResult::NotAcquired);
    input->FailReads(InputDevice::Mouse, 1, ReadResult::NotAcquired);
    Frame();
    EXPECT_EQ(input->Acquires(), 2);
    EXPECT_TRUE(key.Pressed(57));
    EXPECT_EQ(State().MouseState.Buttons[0], 0x80);
}

// A device that cannot be read leaves no stale key, button or move in the snapshot.
TEST_F(InputTest, FailedReadClearsTheSnapshot) {
    State().MouseX = 400;
    State().MouseY = 300;
    input->SetKey(1, true);
    input->SetButton(0, true);
    Frame();
    ASSERT_TRUE(key.Pressed(1));
    ASSERT_TRUE(mouse.Button1PressedOnce());
    input->FailReads(InputDevice::Keyboard, 2);
    input->FailReads(InputDevice::Mouse, 2);
    input->Move(10, 10);
    Frame();
    EXPECT_GE(input->Acquires(), 2);
    EXPECT_FALSE(key.PressedOnce(1));
    EXPECT_FALSE(mouse.Button1PressedOnce());
    EXPECT_EQ(State().MouseState.Buttons[0], 0);
    EXPECT_FLOAT_EQ(mouse.X(), 400);
    EXPECT_FLOAT_EQ(mouse.Y(), 300);
    // The devices read again on the next frame; the held key counts as a new press.
    Frame();
    EXPECT_TRUE(key.PressedOnce(1));
    EXPECT_TRUE(mouse.Button1PressedOnce());
}

TEST_F(InputTest, FocusLossClearsHeldKeysAndButtons) {
    input->SetKey(28, true);
    input->SetButton(0, true);
    input->SetButton(1, true);
    Frame();
    ASSERT_TRUE(key.PressedOnce(28));
    ASSERT_TRUE(mouse.Button1PressedOnce());
    input->LoseFocus();
    Frame();
    EXPECT_FALSE(key.PressedOnce(28));
    EXPECT_EQ(State().MouseState.Buttons, (std::array<uint8_t, 4>{}));
    EXPECT_FALSE(mouse.Button1PressedOnce());
    EXPECT_FALSE(mouse.Button2PressedOnce());
    input->GainFocus();
    Frame();
    EXPECT_TRUE(key.Pressed(28));
    EXPECT_TRUE(key.PressedOnce(28));
    EXPECT_TRUE(mouse.Button1PressedOnce());
}

// Each axis moves at most 32 a frame, then the pointer stays inside the boundary.
TEST_F(InputTest, MouseMovesAreCappedAndClampedToTheBoundary) {
    struct Row {
        float x, y;
        int dx, dy;
        float wantX, wantY;
    };
    for (Row r : {Row{400, 300, 5, -7, 405, 293}, Row{400, 300, 100, -100, 432, 268},
                  Row{400, 300, -33, 33, 368, 332}, Row{790, 5, 20, -20, 799, 0}, Row{3, 590, -32, 32, 0, 599},
                  Row{799, 599, 1, 1, 799, 599}, Row{-50, 900, 0, 0, 0, 599}}) {
        mouse.X(r.x);
        mouse.Y(r.y);
        input->Move(r.dx, r.dy, 120);
        Frame();
        EXPECT_FLOAT_EQ(mouse.X(), r.wantX) << r.x << "," << r.y << " by " << r.dx << "," << r.dy;
        EXPECT_FLOAT_EQ(mouse.Y(), r.wantY) << r.x << "," << r.y << " by " << r.dx << "," << r.dy;
        EXPECT_EQ(State().MouseState.lX, r.dx);
        EXPECT_EQ(State().MouseState.lZ, 120);
    }
    // Moves are relative to the last read: a frame without a move leaves the pointer alone.
    Frame();
    EXPECT_EQ(State().MouseState.lX, 0);
    EXPECT_FLOAT_EQ(mouse.X(), 0);
    EXPECT_FLOAT_EQ(mouse.Y(), 599);
}

TEST_F(InputTest, IsOverBoxTestsThePointerPixel) {
    mouse.X(10);
    mouse.Y(20);
    struct Row {
        float x, y, w, h;
        bool over;
    };
    for (Row r : {Row{10, 20, 1, 1, true}, Row{5, 15, 6, 6, true}, Row{5, 15, 5, 6, false},
                  Row{5, 15, 6, 5, false}, Row{11, 20, 5, 5, false}, Row{10, 21, 5, 5, false},
                  Row{10, 20, 0, 0, false}, Row{0, 0, 800, 600, true}}) {
        EXPECT_EQ(mouse.IsOverBox(r.x, r.y, r.w, r.h), r.over) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
}

TEST_F(InputTest, ButtonLatchesFireOncePerPressEach) {
    std::vector<std::pair<bool, bool>> got;
    // Frames: left down, left held + right down, both held, both up, left down again.
    std::vector<std::pair<bool, bool>> held{{true, false}, {true, true}, {true, true}, {false, false}, {true, false}};
    for (auto [left, right] : held) {
        input->SetButton(0, left);
        input->SetButton(1, right);
        Frame();
        bool b1 = mouse.Button1PressedOnce();
        got.emplace_back(b1, mouse.Button2PressedOnce());
    }
    std::vector<std::pair<bool, bool>> want{{true, false}, {false, true}, {false, false}, {false, false}, {true, false}};
    EXPECT_EQ(got, want);
}

TEST_F(InputTest, PointerSettingsAreKeptForTheFrame) {
    EXPECT_FALSE(mouse.Enabled());
    mouse.Enabled(true);
    mouse.SetPointer(4, 0.02f, 2, 200, true);
    mouse.SetPointerShadow(true, 3, 4, 90);
    mouse.SetPointerBlend(5, 2);
    const plm::MousePointerRecord& p = State().MousePointer;
    EXPECT_TRUE(p.Enabled);
    EXPECT_EQ(p.Animation, 4);
    EXPECT_FLOAT_EQ(p.Speed, 0.02f);
    EXPECT_EQ(p.Mode, 2);
    EXPECT_FLOAT_EQ(p.Frame, 1.0f);
    EXPECT_TRUE(p.OriginTopLeft);
    EXPECT_TRUE(p.Shadow);
    EXPECT_FLOAT_EQ(p.ShadowAlpha, 90);
    EXPECT_EQ(p.BlendDest, 2);
    mouse.X(std::nanf(""));
    EXPECT_FLOAT_EQ(mouse.X(), 0) << "a position that is not a number is refused";
}

TEST_F(InputTest, GamePadsAreOptionalAndPolled) {
    plm::GamePad pads;
    EXPECT_EQ(pads.Count(), 0);
    EXPECT_FALSE(pads.Poll(1));
    plm::platform::PadReading reading;
    reading.x = -32768;
    reading.ry = 1200;
    reading.buttons[0] = 0x80;
    input->SetPad(1, reading);
    EXPECT_EQ(pads.Count(), 1);
    EXPECT_FALSE(pads.Poll(1));
    EXPECT_TRUE(pads.Poll(2));
    EXPECT_EQ(pads.GetState(2).x, -32768);
    EXPECT_EQ(pads.GetState(2).ry, 1200);
    EXPECT_TRUE(pads.Button(2, 0));
    EXPECT_FALSE(pads.Button(2, 1));
    EXPECT_FALSE(pads.Button(2, 99));
    // A pad that goes away reads as centred with nothing held.
    input->RemovePad(1);
    EXPECT_FALSE(pads.Poll(2));
    EXPECT_EQ(pads.GetState(2).x, 0);
    EXPECT_FALSE(pads.Button(2, 0));
    for (int bad : {0, 3, -1}) {
        EXPECT_FALSE(pads.Poll(bad));
        EXPECT_EQ(pads.GetState(bad).x, 0);
    }
}

// Releasing keeps an installed input for the next init_di (a device restore reopens it).
TEST_F(InputTest, ReleaseClosesAndInitReopensTheInstalledInput) {
    plm::ReleaseInput();
    EXPECT_FALSE(input->IsOpen());
    EXPECT_EQ(State().InputDevices, input);
    input->SetKey(57, true);
    Frame();
    EXPECT_FALSE(key.Pressed(57)) << "a closed input reads nothing";
    ASSERT_TRUE(plm::init_di());
    EXPECT_TRUE(input->IsOpen());
    Frame();
    EXPECT_TRUE(key.Pressed(57));
}

// Without an installed input and without a display, init_di opens an input that reads nothing.
TEST_F(EngineTest, InitDiWithoutADisplayOpensAHeadlessInput) {
    ASSERT_TRUE(plm::init_di());
    ASSERT_TRUE(State().InputDevices);
    plm::ReadInputSnapshot();
    for (uint8_t b : State().KeyState) EXPECT_EQ(b, 0);
    plm::Key k;
    k.Clear(1);
    plm::ReleaseInput();
    EXPECT_FALSE(State().InputDevices);
}

// The engine's own frame: InitDevice opens the installed input and sets the boundary, Scene.Begin
// takes the snapshot and advances the timers, Terminate releases the input.
TEST_F(EngineTest, SceneBeginReadsInputAndAdvancesTimers) {
    auto input = std::make_shared<ScriptedInput>();
    plm::SetInputBackend(input);
    clock->SetStepPerRead(1);  // busy waits end
    plm::PelmarEngine e;
    ASSERT_TRUE(plmtest::StartWindowedEngine(e, folder.path()));
    EXPECT_TRUE(input->IsOpen());
    EXPECT_FLOAT_EQ(State().MouseMaxX, 799);
    EXPECT_FLOAT_EQ(State().MouseMaxY, 599);
    e.Mouse()->X(400);
    e.Mouse()->Y(300);
    e.Timer()->Init(1);
    e.Timer()->Configure(1, 100, true);

    input->SetKey(plm::platform::kScanF1, true);
    input->SetButton(0, true);
    input->Move(50, -10);
    clock->Advance(100);
    e.Scene()->Begin();
    EXPECT_TRUE(e.Key()->PressedOnce(59));
    EXPECT_TRUE(e.Mouse()->Button1PressedOnce());
    EXPECT_FLOAT_EQ(e.Mouse()->X(), 432);
    EXPECT_FLOAT_EQ(e.Mouse()->Y(), 290);
    EXPECT_TRUE(e.Timer()->Check(1));
    e.Scene()->Render();
    e.Terminate();
    EXPECT_FALSE(input->IsOpen());
}

TEST_F(EngineTest, InputThatCannotOpenFailsInitDevice) {
    auto input = std::make_shared<ScriptedInput>();
    input->FailOpen(true);
    plm::SetInputBackend(input);
    clock->SetStepPerRead(1);
    plm::PelmarEngine e;
    EXPECT_FALSE(plmtest::StartWindowedEngine(e, folder.path()));
    std::vector<std::string> undated;
    for (const std::string& line : Log()) undated.push_back(plmtest::Undated(line));
    auto failed = std::find(undated.begin(), undated.end(), "Direct Input Init Failed");
    ASSERT_NE(failed, undated.end());
    EXPECT_EQ(*(failed + 2), "Error: (InitDevice)");
    e.Terminate();
}

}  // namespace
