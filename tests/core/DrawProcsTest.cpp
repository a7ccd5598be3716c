#include "core/DrawProcs.h"

#include <cmath>

#include "EngineFixture.h"
#include "core/EngineState.h"

namespace {

class DrawProcsTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        plm::BuildAngleTables();
    }
};

TEST_F(DrawProcsTest, DegreeToRadWrapsEveryAngleIntoTheTable) {
    const auto& t = plm::State().DegreeToRadTable;
    struct Case {
        float degrees;
        int entry;
    };
    for (Case c : {Case{0, 0}, Case{90.9f, 90}, Case{360, 360}, Case{720, 720}, Case{721, 1}, Case{-90, 270},
                   Case{-0.5f, 359}, Case{-1000, 80},
                   Case{1080, 0}, Case{std::nanf(""), 0}}) {
        SCOPED_TRACE(c.degrees);
        EXPECT_FLOAT_EQ(plm::DegreeToRad(c.degrees), t[static_cast<size_t>(c.entry)]);
    }
}

TEST_F(DrawProcsTest, SetBlendKeepsTheLastPairAndForgetResetsIt) {
    plm::SetBlend(5, 6);
    EXPECT_EQ(plm::State().BlendSrcCache, 5);
    EXPECT_EQ(plm::State().BlendDestCache, 6);
    plm::ForgetBlend();
    EXPECT_EQ(plm::State().BlendSrcCache, -1);
    EXPECT_EQ(plm::State().BlendDestCache, -1);
}

}  // namespace
