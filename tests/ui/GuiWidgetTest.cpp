// Gui widgets as records: adding, counting and resetting, the keep markers of the Set* members,
// the value properties and their clamps, option groups, and widget numbers outside the lists.
#include <gtest/gtest.h>

#include "GuiFixture.h"

namespace {

using plmtest::GuiTest;

// One widget of every kind, in the order the counts are listed.
void AddOneOfEach(plm::Gui& gui) {
    gui.AddFrame(1, 0, 0, 60, 30, 10, 20, 1, 1, 0, 255, 255, 255, 255, true);
    gui.AddMenuStrip(1, 100, 20, 0, 0, 0, 20, 4, 0, 0, true, 1, 0, 255, 0, true, true);
    gui.AddMenuBar(1, 100, 20, 0, 0, 0, 20, 0, 40, 4, 0, 0, true, 2, 1, 0, 255, 0, false, true, true);
    gui.AddCheckBox(2, 16, 16, 0, 0, 16, 0, 0, 0, 1, 1, 0, 255, 0, true, true);
    gui.AddOptionButton(2, 16, 16, 0, 16, 16, 16, 0, 0, true, 1, 1, 0, 255, 0, true, true);
    gui.AddSliderBar(1, 120, 10, 0, 60, 0, 70, 6, 12, 0, 0, true, 60, 1, 255, 0, true, true);
    gui.AddButton(1, 40, 20, 0, 0, 0, 20, 0, 40, 0, 0, 1, 0, 0, 255, 255, 255, 255, true, true);
    gui.AddTile(3, 0, 0, 8, 8, 0, 0, 1, 255, 0, true);
    gui.AddText(1, "hi", 0, 0, 1, 255, 255, 255, 0, 0, 0, 255, 0, plm::tLeft, 0, 0, 0, true, true);
}

TEST_F(GuiTest, CountsFollowTheAddersAndResetEmptiesEveryListButKeepsTheSwitches) {
    AddOneOfEach(gui);
    AddOneOfEach(gui);
    const plm::PLMGuiCount c = gui.Count();
    for (int n : {c.eFrameCount, c.eMenuStripCount, c.eMenuBarCount, c.eCheckBoxCount, c.eOptionButtonCount,
                  c.eSliderBarCount, c.eButtonCount, c.eTileCount, c.eTextCount})
        EXPECT_EQ(n, 2);
    // Earlier records survive a later add.
    EXPECT_FLOAT_EQ(gui.X(plm::eFrame, 1), 10);
    EXPECT_EQ(gui.MenuBarValue(1), 2);

    gui.GuiEnabled(false);
    gui.MouseChecking(false);
    gui.Reset();
    const plm::PLMGuiCount z = gui.Count();
    for (int n : {z.eFrameCount, z.eMenuStripCount, z.eMenuBarCount, z.eCheckBoxCount, z.eOptionButtonCount,
                  z.eSliderBarCount, z.eButtonCount, z.eTileCount, z.eTextCount})
        EXPECT_EQ(n, 0);
    EXPECT_FALSE(gui.GuiEnabled());
    EXPECT_FALSE(gui.MouseChecking());
    AddButton(5, 6);
    EXPECT_EQ(gui.Count().eButtonCount, 1);
    EXPECT_FLOAT_EQ(gui.X(plm::ebutton, 1), 5);
}

TEST_F(GuiTest, PropertiesReachEveryKindAndRefuseOtherKinds) {
    AddOneOfEach(gui);
    for (int type = plm::eFrame; type <= plm::eText; ++type) {
        SCOPED_TRACE(type);
        const auto t = static_cast<plm::PLMGuiEventType>(type);
        gui.X(t, 1, 12.5f);
        gui.Y(t, 1, -3);
        gui.Alpha(t, 1, 99);
        gui.Enabled(t, 1, false);
        gui.Visible(t, 1, false);
        EXPECT_FLOAT_EQ(gui.X(t, 1), 12.5f);
        EXPECT_FLOAT_EQ(gui.Y(t, 1), -3);
        EXPECT_FLOAT_EQ(gui.Alpha(t, 1), 99);
        EXPECT_FALSE(gui.Enabled(t, 1));
        EXPECT_FALSE(gui.Visible(t, 1));
    }
    for (auto t : {plm::eMsgBox, static_cast<plm::PLMGuiEventType>(9)}) {
        gui.X(t, 1, 7);
        gui.Enabled(t, 1, true);
        EXPECT_EQ(gui.X(t, 1), 0);
        EXPECT_FALSE(gui.Enabled(t, 1));
    }
    EXPECT_FLOAT_EQ(gui.X(plm::eFrame, 1), 12.5f) << "a write to another kind went nowhere";
}

// Numbers outside 1..count read 0, false or "" and write nothing, in every member.
TEST_F(GuiTest, WidgetNumbersOutsideTheListsReadBlankAndWriteNothing) {
    AddOneOfEach(gui);
    for (int index : {0, -1, 2, 1000}) {
        SCOPED_TRACE(index);
        for (int type = plm::eFrame; type <= plm::eText; ++type) {
            const auto t = static_cast<plm::PLMGuiEventType>(type);
            gui.X(t, index, 5);
            gui.Visible(t, index, true);
            EXPECT_EQ(gui.X(t, index), 0);
            EXPECT_FALSE(gui.Visible(t, index));
        }
        gui.CheckBoxValue(index, 1);
        gui.OptionButtonValue(index, true);
        gui.MenuBarValue(index, 3);
        gui.SliderBarValue(index, 3);
        gui.TextString(index, "x");
        gui.SetFrame(index, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, true);
        gui.SetTile(index, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, true);
        gui.SetText(index, "x", 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, true);
        EXPECT_EQ(gui.CheckBoxValue(index), 0);
        EXPECT_FALSE(gui.OptionButtonValue(index));
        EXPECT_EQ(gui.MenuBarValue(index), 0);
        EXPECT_EQ(gui.SliderBarValue(index), 0);
        EXPECT_EQ(gui.TextString(index), "");
    }
    // Widget 1 of each kind is as it was added.
    EXPECT_EQ(gui.Count().eFrameCount, 1);
    EXPECT_TRUE(gui.OptionButtonValue(1));
    EXPECT_EQ(gui.CheckBoxValue(1), 1);
    EXPECT_EQ(gui.TextString(1), "hi");
    EXPECT_FLOAT_EQ(gui.X(plm::eFrame, 1), 10);
    EXPECT_FLOAT_EQ(gui.X(plm::eTile, 1), 0);
}

TEST_F(GuiTest, CheckBoxValueTwoShowsOffUntilSetAndSetValuesClampToOnOrOff) {
    AddCheckBox(0, 0, 2);
    Frame(500, 500, false);
    EXPECT_EQ(SrcOf(0), "16,0,32,16") << "2 is not exactly 1: the OFF image";
    EXPECT_EQ(gui.CheckBoxValue(1), 2);

    const struct {
        int set, stored;
        const char* src;
    } cases[] = {{7, 1, "0,0,16,16"}, {0, 0, "16,0,32,16"}, {1, 1, "0,0,16,16"}, {-5, 0, "16,0,32,16"}};
    for (const auto& c : cases) {
        gui.CheckBoxValue(1, c.set);
        Frame(500, 500, false);
        EXPECT_EQ(gui.CheckBoxValue(1), c.stored) << c.set;
        EXPECT_EQ(SrcOf(0), c.src) << c.set;
    }
}

TEST_F(GuiTest, OptionButtonsKeepOneOnPerGroup) {
    AddOption(0, 0, true, 1);
    AddOption(20, 0, true, 1);  // adding a second one on switches the first off
    AddOption(40, 0, true, 2);
    EXPECT_FALSE(gui.OptionButtonValue(1));
    EXPECT_TRUE(gui.OptionButtonValue(2));
    EXPECT_TRUE(gui.OptionButtonValue(3)) << "another group is left alone";

    gui.OptionButtonValue(1, true);
    EXPECT_TRUE(gui.OptionButtonValue(1));
    EXPECT_FALSE(gui.OptionButtonValue(2));
    EXPECT_TRUE(gui.OptionButtonValue(3));
    gui.OptionButtonValue(1, false);  // off touches no other button
    EXPECT_FALSE(gui.OptionButtonValue(2));
    Frame(500, 500, false);
    EXPECT_EQ(SrcOf(0), "16,16,32,32");
    EXPECT_EQ(SrcOf(1), "16,16,32,32");
    EXPECT_EQ(SrcOf(2), "0,16,16,32");
}

TEST_F(GuiTest, MenuBarAndSliderValuesClampToTheirRange) {
    gui.AddMenuBar(1, 100, 20, 0, 0, 0, 20, 0, 40, 4, 0, 0, true, 1, 1, 0, 255, 0, false, true, true);
    gui.AddSliderBar(1, 120, 10, 0, 60, 0, 70, 6, 12, 0, 0, true, 60, 1, 255, 0, true, true);
    gui.AddSliderBar(1, 120, 10, 0, 60, 0, 70, 6, 12, 0, 0, false, 5, 1, 255, 0, true, true);
    const struct {
        int set, bar, slider, vertical;
    } cases[] = {{0, 1, 1, 1}, {99, 4, 99, 10}, {500, 4, 120, 10}, {3, 3, 3, 3}, {-7, 1, 1, 1}};
    for (const auto& c : cases) {
        gui.MenuBarValue(1, c.set);
        gui.SliderBarValue(1, c.set);
        gui.SliderBarValue(2, c.set);
        EXPECT_EQ(gui.MenuBarValue(1), c.bar) << c.set;
        EXPECT_EQ(gui.SliderBarValue(1), c.slider) << c.set;
        EXPECT_EQ(gui.SliderBarValue(2), c.vertical) << c.set << " (vertical: the height is the length)";
    }
}

TEST_F(GuiTest, SetMembersKeepFieldsAtTheirMarkers) {
    gui.AddFrame(1, 5, 6, 60, 30, 10, 20, 3, 1, 0, 200, 1, 2, 3, true);
    gui.SetFrame(1, -1, -1, -1, 90, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, false);
    EXPECT_FALSE(gui.Enabled(plm::eFrame, 1)) << "Enabled is always stored";
    // Only the width changed: the corners are now 30 x 10, the centre spans 3 x 1 of them.
    Frame(500, 500, false);
    const std::vector<std::string> draws = Draws();
    ASSERT_EQ(draws.size(), 9u);
    EXPECT_EQ(SrcOf(0), "35,16,65,26");
    EXPECT_EQ(draws[8],
              "SpriteDraw(tex=101, src=(65,26,95,36), scale=(1,1), centre=(15,5), rot=0, at=(130,40), color=C8010203)");
    EXPECT_FLOAT_EQ(gui.X(plm::eFrame, 1), 10);

    gui.AddTile(3, 1, 2, 8, 8, 50, 60, 2, 255, 0, true);
    gui.SetTile(1, -1, -1, -1, -1, -1, -0.5f, -1, -1, -2, -1, false);
    EXPECT_FLOAT_EQ(gui.X(plm::eTile, 1), -0.5f) << "only exactly -1 keeps a position";
    EXPECT_FLOAT_EQ(gui.Y(plm::eTile, 1), 60);
    EXPECT_FLOAT_EQ(gui.Alpha(plm::eTile, 1), 255);
    EXPECT_FALSE(gui.Enabled(plm::eTile, 1)) << "Enabled is always stored";

    gui.AddText(1, "abc", 1, 2, 1, 10, 20, 30, 40, 50, 60, 255, 1, plm::tRight, 0, 0, 0, false, true);
    gui.SetText(1, "", -1, -1, -1, -2, -0.5f, -1, -1, -1, -1, -1, -1, -1, -1, -1, true);
    EXPECT_EQ(gui.TextString(1), "abc") << "an empty text is kept";
    EXPECT_TRUE(gui.Enabled(plm::eText, 1));
    gui.TextString(1, "");
    EXPECT_EQ(gui.TextString(1), "") << "TextString stores even an empty text";
}

}  // namespace
