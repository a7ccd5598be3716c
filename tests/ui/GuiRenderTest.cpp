// Gui rendering and events on the recording device with a scripted mouse: the nine pieces of a
// frame, push buttons and their click, the one event a frame where widgets overlap, option groups
// and check boxes, slider, strip and bar values from the pointer, the modal message box, MouseOver,
// and the switches that silence the GUI.
#include <gtest/gtest.h>

#include "GuiFixture.h"

namespace {

using plmtest::GuiTest;

void ExpectEvent(const plm::PLMGuiEvent& e, bool raised, plm::PLMGuiEventType type, int index, int value) {
    EXPECT_EQ(e.eEventRaised, raised);
    EXPECT_EQ(e.eEventType, type);
    EXPECT_EQ(e.eEventIndex, index);
    EXPECT_EQ(e.eEventValue, value);
}

TEST_F(GuiTest, AFrameIsNineTopLeftPiecesWithStretchedEdgesAndCentre) {
    // A 60 x 30 source (corners 20 x 10) at (10, 20); the centre spans 3 x 2 pieces: 100 x 40 on screen.
    gui.AddFrame(1, 10, 20, 60, 30, 100.7f, 50.2f, 3, 2, 0, 200, 255, 128, 0, true);
    AddButton(5, 5, 1);  // placed from the frame's own position
    Frame(0, 0, false);
    const std::vector<std::string> expected = {
        "SpriteDraw(tex=101, src=(30,30,50,40), scale=(3,2), centre=(30,10), rot=0, at=(120,60), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(30,20,50,30), scale=(3,1), centre=(30,5), rot=0, at=(120,50), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(30,40,50,50), scale=(3,1), centre=(30,5), rot=0, at=(120,80), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(10,30,30,40), scale=(1,2), centre=(10,10), rot=0, at=(100,60), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(50,30,70,40), scale=(1,2), centre=(10,10), rot=0, at=(180,60), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(10,20,30,30), scale=(1,1), centre=(10,5), rot=0, at=(100,50), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(50,20,70,30), scale=(1,1), centre=(10,5), rot=0, at=(180,50), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(10,40,30,50), scale=(1,1), centre=(10,5), rot=0, at=(100,80), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(50,40,70,50), scale=(1,1), centre=(10,5), rot=0, at=(180,80), color=C8FF8000)",
        "SpriteDraw(tex=101, src=(0,0,40,20), scale=(1,1), centre=(20,10), rot=0, at=(105,55), color=FFFFFFFF)",
    };
    EXPECT_EQ(Draws(), expected);
    // Blend factors source alpha / inverse source alpha, sent once.
    EXPECT_EQ(device->LinesOf(plm::platform::CallKind::SetRenderState),
              (std::vector<std::string>{"SetRenderState(19, 5)", "SetRenderState(20, 6)"}));

    const plm::PLMGuiMouseOver over = [&] {
        Pointer(199, 89, false);
        return gui.MouseOver();
    }();
    EXPECT_TRUE(over.eMouseOverObject);
    EXPECT_EQ(over.eMouseOverType, plm::eFrame);
    EXPECT_FLOAT_EQ(over.eMouseOverWidth, 100);
    EXPECT_FLOAT_EQ(over.eMouseOverHeight, 40);
    Pointer(200.7f, 89, false);
    EXPECT_FALSE(gui.MouseOver().eMouseOverObject) << "whole pixels: x + w - 1 is the last one inside";

    // A frame inside the frame: its widgets add only its own position, not its parent's.
    gui.AddFrame(1, 10, 20, 60, 30, 30, 40, 1, 1, 1, 255, 255, 255, 255, false);
    AddButton(5, 5, 2);
    Frame(0, 0, false);
    EXPECT_EQ(Draws().size(), 11u) << "the hidden inner frame is not drawn";
    EXPECT_EQ(device->CallsOf(plm::platform::CallKind::SpriteDraw).back().floats[5], 35);
    EXPECT_EQ(device->CallsOf(plm::platform::CallKind::SpriteDraw).back().floats[6], 45);
}

TEST_F(GuiTest, AButtonShowsUpHoverAndDownAndClicksOnReleaseOverIt) {
    AddButton(100, 100);
    const std::string up = "0,0,40,20", down = "0,20,40,40", hover = "0,40,40,60";
    const struct {
        const char* step;
        float x, y;
        bool held;
        std::string src;
        bool event;
    } steps[] = {
        {"away", 10, 10, false, up, false},
        {"over", 110, 110, false, hover, false},
        {"press over", 139, 119, true, down, false},
        {"release over", 139, 119, false, hover, true},
        {"still over", 139, 119, false, hover, false},
        {"press over again", 110, 110, true, down, false},
        {"drag away", 140, 110, true, up, false},
        {"release away", 140, 110, false, up, false},
        {"back over, released", 110, 110, false, hover, false},
        {"press away", 10, 10, true, up, false},
        {"drag over", 110, 110, true, down, false},
        {"release over", 110, 110, false, hover, true},
    };
    for (const auto& s : steps) {
        Frame(s.x, s.y, s.held);
        EXPECT_EQ(SrcOf(0), s.src) << s.step;
        EXPECT_EQ(gui.GetEvent().eEventRaised, s.event) << s.step;
        if (s.event) ExpectEvent(gui.GetEvent(), true, plm::ebutton, 1, 0);
    }
    ExpectEvent(gui.GetLastEvent(), true, plm::ebutton, 1, 0);

    gui.Enabled(plm::ebutton, 1, false);
    Frame(110, 110, true);
    EXPECT_EQ(SrcOf(0), up) << "a disabled button stays up";
    Frame(110, 110, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
}

// Where a check box and a button lie over each other, the button (later in the drawing order)
// reports the frame's event; it writes no value, so the check box's value stays in the record.
TEST_F(GuiTest, OverlappingWidgetsReportOnlyTheLastInTheDrawingOrder) {
    AddCheckBox(100, 100, 0);
    AddButton(100, 100);
    Frame(105, 105, true);
    Frame(105, 105, false, true);
    EXPECT_EQ(gui.CheckBoxValue(1), 1) << "the check box still toggled";
    ExpectEvent(gui.GetEvent(), true, plm::ebutton, 1, 1);
    ExpectEvent(gui.GetLastEvent(), true, plm::ebutton, 1, 1);
    Pointer(105, 105, false);
    EXPECT_EQ(gui.MouseOver().eMouseOverType, plm::ebutton);

    Frame(500, 500, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised) << "an event lasts one frame";
    EXPECT_EQ(gui.GetEvent().eEventType, plm::ebutton) << "its other fields stay";
    ExpectEvent(gui.GetLastEvent(), true, plm::ebutton, 1, 1);
}

TEST_F(GuiTest, ClicksToggleCheckBoxesAndSelectOptionButtons) {
    AddCheckBox(0, 0, 2);
    AddOption(100, 0, true, 1);
    AddOption(120, 0, false, 1);
    Frame(5, 5, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eCheckBox, 1, 1);  // 2 xor 1 = 3, stored as 1
    Frame(5, 5, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eCheckBox, 1, 0);
    Frame(5, 5, true, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised) << "check boxes answer the click flag, not the held button";

    Frame(125, 5, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eOptionButton, 2, 1);
    EXPECT_FALSE(gui.OptionButtonValue(1));
    EXPECT_TRUE(gui.OptionButtonValue(2));
    Frame(500, 500, false);  // button 1 was drawn before the click switched it off
    EXPECT_EQ(SrcOf(0), "16,16,32,32") << "option buttons are drawn before check boxes";
    EXPECT_EQ(SrcOf(1), "0,16,16,32");
    Pointer(125, 5, false);
    EXPECT_EQ(gui.MouseOver().eMouseOverValue, 1);
}

TEST_F(GuiTest, SliderValuesFollowTheHeldPointerAndStayInsideTheBar) {
    // Horizontal, 120 x 10 at scale 2 from (200, 300); the marker (6 x 12) is centred on the value.
    gui.AddSliderBar(1, 120, 10, 0, 60, 0, 70, 6, 12, 200, 300, true, 60, 2, 255, 0, true, true);
    Frame(221, 305, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(gui.SliderBarValue(1), 60) << "not held: no change";
    Frame(221, 305, true);
    ExpectEvent(gui.GetEvent(), true, plm::eSliderBar, 1, 11);
    EXPECT_EQ(gui.SliderBarValue(1), 11);
    EXPECT_EQ(Draws().at(1),
              "SpriteDraw(tex=101, src=(0,70,6,82), scale=(2,2), centre=(6,12), rot=0, at=(214,298), color=FFFFFFFF)");
    Frame(200, 300, true);
    EXPECT_EQ(gui.SliderBarValue(1), 1) << "first pixel";
    Frame(439, 319, true);
    EXPECT_EQ(gui.SliderBarValue(1), 120) << "last pixel";
    Frame(440, 305, true);
    EXPECT_EQ(gui.SliderBarValue(1), 120) << "beyond the bar: no change";
    Pointer(221, 305, false);
    const plm::PLMGuiMouseOver over = gui.MouseOver();
    EXPECT_EQ(over.eMouseOverType, plm::eSliderBar);
    EXPECT_EQ(over.eMouseOverValue, 120);
    EXPECT_FLOAT_EQ(over.eMouseOverXPos, 220);
    EXPECT_FLOAT_EQ(over.eMouseOverWidth, 1);
    EXPECT_FLOAT_EQ(over.eMouseOverHeight, 10);

    // Vertical, 10 x 120 at scale 1 from (50, 100): the marker runs down the middle.
    gui.AddSliderBar(1, 10, 120, 0, 60, 0, 70, 6, 12, 50, 100, false, 1, 1, 255, 0, true, true);
    Frame(55, 130, true);
    ExpectEvent(gui.GetEvent(), true, plm::eSliderBar, 2, 31);
    EXPECT_EQ(Draws().at(3),
              "SpriteDraw(tex=101, src=(0,70,6,82), scale=(1,1), centre=(3,6), rot=0, at=(52,124), color=FFFFFFFF)");
}

TEST_F(GuiTest, MenuStripsReportTheSectionUnderThePointer) {
    // Vertical: four 25-pixel sections of a 40 x 100 strip at (300, 100); hover image beside it.
    gui.AddMenuStrip(1, 40, 100, 0, 0, 40, 0, 4, 300, 100, false, 1, 0, 255, 0, true, true);
    Frame(310, 160, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(SrcOf(0), "0,0,40,100");
    EXPECT_EQ(Draws().at(1),
              "SpriteDraw(tex=101, src=(40,50,80,75), scale=(1,1), centre=(20,12.5), rot=0, at=(300,150), color=FFFFFFFF)");
    Frame(310, 160, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eMenuStrip, 1, 3);
    Pointer(310, 160, false);
    const plm::PLMGuiMouseOver over = gui.MouseOver();
    EXPECT_EQ(over.eMouseOverValue, 3);
    EXPECT_FLOAT_EQ(over.eMouseOverYpos, 150);
    EXPECT_FLOAT_EQ(over.eMouseOverHeight, 25);

    // Horizontal, three sections of 100 / 3 pixels at scale 2: source values are rounded.
    gui.AddMenuStrip(1, 100, 20, 0, 0, 0, 20, 3, 0, 400, true, 2, 0, 255, 0, true, true);
    Frame(70, 410, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eMenuStrip, 2, 2);
    EXPECT_EQ(SrcOf(2), "33,20,66,40");

    gui.Enabled(plm::eMenuStrip, 2, false);
    Frame(70, 410, false, true);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(device->Count(plm::platform::CallKind::SpriteDraw), 2u) << "a disabled strip shows no hover";
}

TEST_F(GuiTest, MenuBarsKeepTheirSelectedSection) {
    // Selected images at x 80, hover at x 40; value 2 selected.
    gui.AddMenuBar(1, 40, 100, 0, 0, 40, 0, 80, 0, 4, 300, 100, false, 2, 1, 0, 255, 0, false, true, true);
    Frame(0, 0, false);
    EXPECT_EQ(Draws().size(), 3u) << "the bar and its selected section twice";
    EXPECT_EQ(SrcOf(1), "80,25,120,50");
    EXPECT_EQ(SrcOf(2), "80,25,120,50");
    Frame(310, 190, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eMenuBar, 1, 4);
    EXPECT_EQ(gui.MenuBarValue(1), 4);
    EXPECT_EQ(SrcOf(3), "40,75,80,100");

    // A slider bar follows the held button without a click, every frame.
    gui.AddMenuBar(1, 40, 100, 0, 0, 40, 0, 80, 0, 4, 400, 100, false, 1, 1, 0, 255, 0, true, true, true);
    for (int frame = 0; frame < 2; ++frame) {
        Frame(410, 160, true);
        ExpectEvent(gui.GetEvent(), true, plm::eMenuBar, 2, 3);
    }
    Frame(410, 110, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(gui.MenuBarValue(2), 3);
    EXPECT_EQ(SrcOf(Draws().size() - 1), "80,50,120,75") << "the selected section once";
}

// A strip or bar without sections is still numbered, draws its image, and reports nothing.
TEST_F(GuiTest, StripsWithoutSectionsAreCountedButNeverReportASection) {
    gui.AddMenuStrip(1, 40, 100, 0, 0, 40, 0, 0, 0, 0, false, 1, 0, 255, 0, true, true);
    gui.AddMenuBar(1, 40, 100, 0, 0, 40, 0, 80, 0, -2, 100, 0, true, 1, 1, 0, 255, 0, true, true, true);
    gui.AddMenuStrip(1, 40, 100, 0, 0, 40, 0, 2, 200, 0, false, 1, 0, 255, 0, true, true);
    EXPECT_EQ(gui.Count().eMenuStripCount, 2);
    for (float x : {10.0f, 110.0f}) {
        Frame(x, 10, true, true);
        EXPECT_FALSE(gui.GetEvent().eEventRaised) << x;
        Pointer(x, 10, false);
        EXPECT_FALSE(gui.MouseOver().eMouseOverObject) << x;
    }
    Frame(210, 10, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eMenuStrip, 2, 1);
}

TEST_F(GuiTest, TheMessageBoxSilencesEveryOtherWidgetUntilOneOfItsButtonsIsClicked) {
    AddButton(210, 270);
    AddCheckBox(360, 270, 0);
    plm::PLMGuiMsgBoxConfig box;
    box.id = 7;
    box.BackgroundTexture = 3;
    box.BackgroundWidth = 200;
    box.BackgroundHeight = 100;
    box.BackgroundXpos = 200;
    box.BackgroundYpos = 200;
    box.BackgroundAlpha = 128;
    for (auto* b : {&box.Button1Texture, &box.Button2Texture}) *b = 1;
    box.Button1Width = box.Button2Width = 40;
    box.Button1Height = box.Button2Height = 20;
    box.Button1SrcYDown = box.Button2SrcYDown = 20;
    box.Button1SrcYHover = box.Button2SrcYHover = 40;
    box.Button1Xpos = 10;  // relative to the background
    box.Button1Ypos = box.Button2Ypos = 70;
    box.Button2Xpos = 160;
    gui.MessageBox(box);

    Frame(215, 275, false, true);
    EXPECT_FALSE(gui.GetEvent().eEventRaised);
    EXPECT_EQ(gui.CheckBoxValue(1), 0);
    const std::vector<std::string> draws = Draws();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(SrcOf(1), "0,0,40,20") << "the button under the box stays up";
    EXPECT_EQ(draws[2],
              "SpriteDraw(tex=103, src=(0,0,200,100), scale=(1,1), centre=(100,50), rot=0, at=(200,200), color=80FFFFFF)");
    EXPECT_EQ(draws[3],
              "SpriteDraw(tex=101, src=(0,40,40,60), scale=(1,1), centre=(20,10), rot=0, at=(210,270), color=FFFFFFFF)");
    EXPECT_EQ(SrcOf(4), "0,0,40,20");
    EXPECT_FALSE(gui.MouseOver().eMouseOverObject);

    Frame(365, 275, true);  // press box button 2, over the check box
    Frame(365, 275, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eMsgBox, 7, 2);
    EXPECT_EQ(gui.CheckBoxValue(1), 0) << "the click that closed the box reaches no widget";
    Frame(365, 275, false, true);
    ExpectEvent(gui.GetEvent(), true, plm::eCheckBox, 1, 1);
    EXPECT_EQ(device->Count(plm::platform::CallKind::SpriteDraw), 2u) << "the box is closed";

    gui.MessageBox(box);
    Frame(215, 275, true);
    Frame(215, 275, false);
    ExpectEvent(gui.GetEvent(), true, plm::eMsgBox, 7, 1);
    gui.MessageBox(box);
    gui.Reset();
    Frame(215, 275, false);
    EXPECT_EQ(device->Count(plm::platform::CallKind::SpriteDraw), 0u) << "Reset closes the box";
}

TEST_F(GuiTest, WithMouseCheckingOffNothingReacts) {
    AddButton(0, 0);
    AddCheckBox(100, 0, 0);
    gui.AddSliderBar(1, 120, 10, 0, 60, 0, 70, 6, 12, 200, 0, true, 60, 1, 255, 0, true, true);
    plm::PLMGuiMsgBoxConfig box;
    box.Button1Width = 40;
    box.Button1Height = 20;
    box.Button1Xpos = 300;
    box.Button1SrcYDown = 20;
    gui.MouseChecking(false);
    for (float x : {5.0f, 105.0f, 210.0f}) {
        Frame(x, 5, true);
        Frame(x, 5, false, true);
        EXPECT_FALSE(gui.GetEvent().eEventRaised) << x;
        EXPECT_FALSE(gui.MouseOver().eMouseOverObject) << x;
    }
    EXPECT_EQ(gui.SliderBarValue(1), 60);
    gui.MessageBox(box);
    Frame(305, 5, true);
    Frame(305, 5, false);
    EXPECT_FALSE(gui.GetEvent().eEventRaised) << "nor a box button";
    gui.MouseChecking(true);
    Frame(305, 5, true);
    Frame(305, 5, false);
    ExpectEvent(gui.GetEvent(), true, plm::eMsgBox, 0, 1);
}

TEST_F(GuiTest, ADisabledGuiDrawsNothingAndReportsEmptyRecords) {
    AddButton(0, 0);
    Frame(5, 5, true);
    Frame(5, 5, false);
    ASSERT_TRUE(gui.GetEvent().eEventRaised);
    gui.GuiEnabled(false);
    ExpectEvent(gui.GetEvent(), false, plm::eFrame, 0, 0);
    ExpectEvent(gui.GetLastEvent(), false, plm::eFrame, 0, 0);
    EXPECT_FALSE(gui.MouseOver().eMouseOverObject);
    Frame(5, 5, true);
    EXPECT_TRUE(device->Calls().empty());
    gui.GuiEnabled(true);
    EXPECT_FALSE(gui.GetEvent().eEventRaised) << "the disabled Render still ended the old event";
    ExpectEvent(gui.GetLastEvent(), true, plm::ebutton, 1, 0);
}

TEST_F(GuiTest, MouseOverReportsTheLastEnabledWidgetHitWhetherVisibleOrNot) {
    gui.AddTile(3, 0, 0, 50, 50, 0, 0, 2, 255, 0, true);  // 100 x 100
    AddButton(10, 10);
    gui.Visible(plm::ebutton, 1, false);
    Pointer(20, 20, false);
    plm::PLMGuiMouseOver over = gui.MouseOver();
    EXPECT_EQ(over.eMouseOverType, plm::ebutton);
    EXPECT_FLOAT_EQ(over.eMouseOverXPos, 10);
    EXPECT_FLOAT_EQ(over.eMouseOverWidth, 40);
    gui.Enabled(plm::ebutton, 1, false);
    over = gui.MouseOver();
    EXPECT_EQ(over.eMouseOverType, plm::eTile);
    EXPECT_FLOAT_EQ(over.eMouseOverWidth, 100);
    Frame(20, 20, false);
    EXPECT_EQ(Draws().size(), 1u) << "Render skips the hidden button";
}

TEST_F(GuiTest, AnEmptyTextureSlotDrawsNothingAndTheWidgetStillWorks) {
    gui.AddButton(4, 40, 20, 0, 0, 0, 20, 0, 40, 0, 0, 1, 0, 0, 255, 255, 255, 255, true, true);
    Frame(5, 5, true);
    Frame(5, 5, false);
    EXPECT_TRUE(device->Calls().empty());
    ExpectEvent(gui.GetEvent(), true, plm::ebutton, 1, 0);
}

}  // namespace
