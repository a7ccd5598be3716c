// The value stepper every time-based effect shares: each style's behaviour at its limits and at
// the end of its time.
#include <gtest/gtest.h>

#include <vector>

#include "maps/EffectStep.h"

namespace {

using plm::EffectEnd;

TEST(EffectStepTest, EachStyleWrapsBouncesOrEndsAsItSays) {
    struct Case {
        int style;
        float value, dir, length;
        float newValue, newDir, newLength;
        EffectEnd end;
    };
    // Limits 0.2 .. 1.0, steps of 10 ms.
    for (const Case& c : std::vector<Case>{
             {0, 0.5f, 0.01f, 0, 0.6f, 0.01f, 0, EffectEnd::Running},
             {0, 0.95f, 0.01f, 0, 0.2f, 0.01f, 0, EffectEnd::Running},    // past Max: to Min
             {0, 0.25f, -0.01f, 0, 1.0f, -0.01f, 0, EffectEnd::Running},  // below Min: to Max
             {0, 0.9f, 0.01f, 0, 1.0f, 0.01f, 0, EffectEnd::Running},     // reaching a limit is not passing it
             {1, 0.95f, 0.01f, 15, 0.2f, 0.01f, 5, EffectEnd::Running},
             {1, 0.5f, 0.01f, 10.5f, 0.6f, 0.01f, 0.5f, EffectEnd::Reset},  // time below 1 ms
             {2, 0.5f, 0.01f, 10.5f, 0.6f, 0.01f, 0.5f, EffectEnd::Removed},
             {2, 0.5f, 0.01f, 11, 0.6f, 0.01f, 1, EffectEnd::Running},
             {3, 0.95f, 0.01f, 0, 0.95f, -0.01f, 0, EffectEnd::Running},  // the step undone and turned
             {3, 0.25f, -0.01f, 0, 0.25f, 0.01f, 0, EffectEnd::Running},
             {3, 0.85f, -0.01f, 0, 0.75f, -0.01f, 0, EffectEnd::Running},
             {4, 0.95f, 0.01f, 5, 0.95f, -0.01f, -5, EffectEnd::Reset},
             {5, 0.5f, 0.01f, 5, 0.6f, 0.01f, -5, EffectEnd::Removed},
             {6, 0.95f, 0.01f, 0, 1.0f, 0.01f, 0, EffectEnd::Stopped},  // clamped to the limit reached
             {6, 0.25f, -0.01f, 0, 0.2f, -0.01f, 0, EffectEnd::Stopped},
             {6, 0.5f, 0.01f, 0, 0.6f, 0.01f, 0, EffectEnd::Running},
             {7, 0.95f, 0.01f, 0, 1.05f, 0.01f, 0, EffectEnd::Reset},  // the owner puts the neutral value
             {7, 0.5f, -0.01f, 0, 0.4f, -0.01f, 0, EffectEnd::Running},
             {8, 0.25f, -0.01f, 0, 0.15f, -0.01f, 0, EffectEnd::Removed},
             {8, 0.5f, -0.01f, 7, 0.4f, -0.01f, 7, EffectEnd::Running},  // no time count in the once styles
             {9, 0.5f, 0.01f, 5, 0.5f, 0.01f, 5, EffectEnd::Running},    // out of range: left alone
             {-1, 0.5f, 0.01f, 5, 0.5f, 0.01f, 5, EffectEnd::Running},
         }) {
        float value = c.value, dir = c.dir, length = c.length;
        const EffectEnd end = plm::StepEffectValue(plm::EffectValue{value, dir, 0.2f, 1.0f, length, c.style}, 10);
        SCOPED_TRACE(testing::Message() << "style " << c.style << " from " << c.value);
        EXPECT_NEAR(value, c.newValue, 1e-6);
        EXPECT_EQ(dir, c.newDir);
        EXPECT_NEAR(length, c.newLength, 1e-6);
        EXPECT_EQ(end, c.end);
    }
}

TEST(EffectStepTest, TheStepIsTakenInDoublePrecision) {
    // 1e8 + 1 is not a single; the limit test sees the double before it is stored.
    float value = 1e8f, dir = 0.1f, length = 0;
    EXPECT_EQ(plm::StepEffectValue(plm::EffectValue{value, dir, 0, 1e8f, length, 8}, 10), EffectEnd::Removed);
}

}  // namespace
