// The animation table: Add and its log lines, named animations, animation files and damaged ones.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "sprites/AnimationProcs.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteAnimate.h"
#include "sprites/SpriteAnimateDefine.h"

namespace {

using plm::State;

class AnimationTableTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        sprite.Init(4);
    }
    const plm::AnimationRecord& Anim(int i) { return State().Animations(i); }
    // "0,0,1,0,..." for n frames in row 0, and "t,t,..." n times.
    static std::string Pairs(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? "," : "") + std::to_string(i) + ",0";
        return s;
    }
    static std::string Textures(int n, int t = 1) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? "," : "") + std::to_string(t);
        return s;
    }
    std::vector<std::string> UndatedLog() {
        std::vector<std::string> out;
        for (const std::string& l : Log()) out.push_back(plmtest::Undated(l));
        return out;
    }
    plm::Sprite sprite;
    plm::SpriteAnimate animate;
    plm::SpriteAnimateDefine define;
};

TEST_F(AnimationTableTest, AddFillsFramesInOrderOrReversed) {
    ASSERT_TRUE(animate.Add(1, 4, 6, 32, 30, 3, "0,0,1,0,2,0", "5,5,5", false));
    const plm::AnimationRecord& a = Anim(1);
    EXPECT_TRUE(a.Defined);
    EXPECT_EQ(a.Name, "");
    EXPECT_EQ(a.Length, 3);
    EXPECT_EQ(a.SrcX, 4);
    EXPECT_EQ(a.SrcY, 6);
    EXPECT_EQ(a.FrameWidth, 32);
    EXPECT_EQ(a.FrameHeight, 30);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(a.XFrame[k], k - 1);
        EXPECT_EQ(a.YFrame[k], 0);
        EXPECT_EQ(a.Texture[k], 5);
    }
    // Reverse: the first listed pair lands in the last slot; items read by their leading number,
    // rounded halves to even.
    ASSERT_TRUE(animate.Add(1, 0, 0, 8, 8, 3, "0, 7,1x,2.5,2,junk", " 3,4,5", true));
    EXPECT_EQ(Anim(1).XFrame[1], 2);
    EXPECT_EQ(Anim(1).XFrame[2], 1);
    EXPECT_EQ(Anim(1).XFrame[3], 0);
    EXPECT_EQ(Anim(1).YFrame[3], 7);
    EXPECT_EQ(Anim(1).YFrame[2], 2);
    EXPECT_EQ(Anim(1).YFrame[1], 0);
    EXPECT_EQ(Anim(1).Texture[3], 3);
    EXPECT_EQ(Anim(1).Texture[1], 5);
}

TEST_F(AnimationTableTest, AddLimitsAndMismatchesLogTheirLinesAndStoreNothing) {
    EXPECT_TRUE(animate.Add(2, 0, 0, 8, 8, 64, Pairs(64), Textures(64), false));
    EXPECT_EQ(Anim(2).Length, 64);
    EXPECT_EQ(Anim(2).XFrame[64], 63);
    EXPECT_TRUE(LogText().empty());

    struct Case {
        int length;
        std::string frames, textures, message;
    };
    const std::vector<Case> cases = {
        {65, Pairs(65), Textures(65), "Frame total > 64."},
        {0, "", "", "Frame total < 1."},
        {2, "0,0,1,0,2", "1,1", "Passed frame total does not match string parameter Length."},
        {3, Pairs(3), Textures(2), "Passed frame total does not match string parameter Length."},
    };
    for (const Case& c : cases) {
        std::remove(folder.file("data.log").c_str());
        EXPECT_FALSE(animate.Add(3, 0, 0, 8, 8, c.length, c.frames, c.textures, false)) << c.message;
        EXPECT_EQ(UndatedLog(), (std::vector<std::string>{"<bare>" + std::string(plm::kDashLine),
                                                          "Error. (Animate.Add)", c.message}));
    }
    EXPECT_EQ(State().Animations.size(), 2);

    // The named form logs its own headers.
    std::remove(folder.file("data.log").c_str());
    EXPECT_FALSE(define.Add("x", 0, 0, 8, 8, 2, "0,0", "1", false));
    EXPECT_FALSE(define.Add("x", 0, 0, 8, 8, 65, Pairs(65), Textures(65), false));
    EXPECT_EQ(UndatedLog(),
              (std::vector<std::string>{"<bare>" + std::string(plm::kDashLine), "Error. (AnimateDefine Add)",
                                        "Passed frame total does not match string parameter Length.",
                                        "<bare>" + std::string(plm::kDashLine), "Error. (AnimateDefine.Add)",
                                        "Frame total > 64."}));
}

TEST_F(AnimationTableTest, AddGrowsTheTableAndRefusesAnIndexOutsideItsRange) {
    ASSERT_TRUE(animate.Add(10, 0, 0, 8, 8, 1, "0,0", "1", false));
    EXPECT_EQ(State().Animations.size(), 10);
    for (int i = 2; i <= 9; ++i) EXPECT_FALSE(Anim(i).Defined);
    // Overwriting in place never shrinks the table.
    ASSERT_TRUE(animate.Add(3, 0, 0, 8, 8, 1, "0,0", "1", false));
    EXPECT_EQ(State().Animations.size(), 10);

    for (int index : {0, -1, plm::kMaxAnimationTotal + 1, 2000000000}) {
        EXPECT_FALSE(animate.Add(index, 0, 0, 8, 8, 1, "0,0", "1", false)) << index;
    }
    EXPECT_EQ(State().Animations.size(), 10);
    EXPECT_EQ(plmtest::Undated(Log().back()), "Index passed to Animate.Add not between 1-16384.");
}

TEST_F(AnimationTableTest, DefineAppendsAndGetIndexIgnoresCase) {
    ASSERT_TRUE(define.Add("Gem", 0, 0, 8, 8, 1, "0,0", "1", false));
    ASSERT_TRUE(define.Add("gem", 0, 0, 8, 8, 1, "1,0", "1", false));
    EXPECT_EQ(State().Animations.size(), 3);
    EXPECT_EQ(Anim(2).Name, "Gem");
    EXPECT_EQ(define.GetIndex("GEM"), 2);
    EXPECT_EQ(define.GetIndex("gem"), 2);
    EXPECT_EQ(define.GetIndex("bomb"), 0);
    // The blank first record has the empty name.
    EXPECT_EQ(define.GetIndex(""), 1);
}

TEST_F(AnimationTableTest, FileInitReadsAFileAndAddsTheTextureOffset) {
    plmtest::WriteFile(folder.file("anims.txt"), "2\r\n0, 0, 32, 32, 3\r\n0, 0, 1, 0, 2, 0\r\n2, 2, 3\r\n"
                                                  "1,2,3,4,1\n5,6\n3\n");
    define.Add("kept", 0, 0, 8, 8, 1, "0,0", "1", false);  // record 2 keeps its name
    animate.Add(5, 0, 0, 8, 8, 1, "0,0", "1", false);
    ASSERT_TRUE(animate.FileInit("anims.txt", 0.5f));
    EXPECT_EQ(State().Animations.size(), 2);
    const plm::AnimationRecord& a = Anim(1);
    EXPECT_TRUE(a.Defined);
    EXPECT_EQ(a.Length, 3);
    EXPECT_EQ(a.FrameWidth, 32);
    EXPECT_EQ(a.XFrame[3], 2);
    // 2 + 0.5 = 2.5 rounds to 2; 3 + 0.5 = 3.5 rounds to 4 (halves to even).
    EXPECT_EQ(a.Texture[1], 2);
    EXPECT_EQ(a.Texture[3], 4);
    EXPECT_EQ(Anim(2).Name, "kept");
    EXPECT_EQ(Anim(2).SrcX, 1);
    EXPECT_EQ(Anim(2).YFrame[1], 6);
    EXPECT_EQ(Anim(2).Texture[1], 4);

    plmtest::WriteFile(folder.file("one.txt"), "1\n0,0,8,8,1\n0,0\n3\n");
    ASSERT_TRUE(animate.FileInit("one.txt", 2));
    EXPECT_EQ(Anim(1).Texture[1], 5);
}

TEST_F(AnimationTableTest, DamagedFilesAreRefusedAndLeaveTheTableAsItWas) {
    animate.Add(3, 7, 7, 8, 8, 2, "0,0,1,0", "1,1", false);
    const std::vector<std::string> damaged = {
        "",                                       // empty
        "0\n",                                    // count below 1
        "-3\n",                                   // negative count
        "99999999\n0,0,8,8,1\n0,0\n1\n",          // absurd count
        "2\n0,0,8,8,1\n0,0\n1\n",                 // one animation short
        "1\n0,0,8,8,65\n",                        // frame count above 64
        "1\n0,0,8,8,0\n",                         // frame count below 1
        "1\n0,0,8,8,2\n0,0,1\n",                  // frames cut short
        "1\n0,0,8,x,1\n0,0\n1\n",                 // a value that is not a number
        "1\n0,0,8,8,1\n0,0\n1e\n",                // a broken number
        std::string("1\n0,0,8,8,1\n0,0\n\0\n", 16),  // a stray byte
    };
    for (const std::string& text : damaged) {
        plmtest::WriteFile(folder.file("bad.txt"), text);
        EXPECT_FALSE(animate.FileInit("bad.txt", 0)) << text;
        ASSERT_EQ(State().Animations.size(), 3) << text;
        EXPECT_EQ(Anim(3).SrcX, 7);
        EXPECT_EQ(Anim(3).Length, 2);
    }
    EXPECT_FALSE(animate.FileInit("missing.txt", 0));
    EXPECT_EQ(State().Animations.size(), 3);
    const std::string log = LogText();
    EXPECT_NE(log.find("Error: (Animate.FileInit)"), std::string::npos);
    EXPECT_NE(log.find("Filename=missing.txt"), std::string::npos);
}

TEST_F(AnimationTableTest, LeadingNumberReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : std::vector<Case>{{" 3", 3}, {"3x", 3}, {"", 0}, {"abc", 0}, {"-2.5", -2.5}, {"1 2", 12},
                                           {"1e2", 100}, {"1e", 1}, {".5", 0.5}, {"+", 0}}) {
        EXPECT_EQ(plm::LeadingNumber(c.text), c.value) << c.text;
    }
}

}  // namespace
