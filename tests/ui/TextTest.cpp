#include "ui/Text.h"

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "platform/test/RecordingDevice.h"

namespace {

using plm::platform::Call;
using plm::platform::CallKind;

class TextTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        device = std::make_shared<plm::platform::RecordingDevice>();
        device->RecordQueries(false);
        plm::State().D3DDevice = device;
    }
    struct Drawn {
        std::array<int32_t, 4> rect;
        int64_t format;
        uint32_t color;
        bool operator==(const Drawn&) const = default;
    };
    std::vector<Drawn> Texts() const {
        std::vector<Drawn> out;
        for (const Call& c : device->CallsOf(CallKind::DrawText))
            out.push_back(Drawn{{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}, c.ints[0], c.color});
        return out;
    }
    std::shared_ptr<plm::platform::RecordingDevice> device;
    plm::Text text;
};

TEST_F(TextTest, AlignmentsAndTheShadowRule) {
    const int32_t white = -1;
    struct Case {
        int32_t style;
        float sx, sy;
        int32_t shadowColor;
        std::vector<Drawn> drawn;
    };
    const uint32_t w = 0xFFFFFFFFu;
    for (const Case& c : {
             // Shadow colour 0 is opaque black; only the left and top edges move.
             Case{plm::AlignLeft, 2, 2, 0, {{{12, 12, 110, 60}, 0, 0xFF000000u}, {{10, 10, 110, 60}, 0, w}}},
             Case{plm::AlignRight, 3, 3, 0x7F0000FF, {{{13, 13, 110, 60}, 2, 0x7F0000FFu}, {{10, 10, 110, 60}, 2, w}}},
             Case{plm::AlignCenter, -2, 0, 0, {{{8, 10, 110, 60}, 5, 0xFF000000u}, {{10, 10, 110, 60}, 5, w}}},
             // No offsets: no shadow, whatever its colour; an unknown style is left aligned.
             Case{plm::AlignCenter, 0, 0, 0x12345678, {{{10, 10, 110, 60}, 5, w}}},
             Case{7, 0, 0, 0, {{{10, 10, 110, 60}, 0, w}}},
         }) {
        SCOPED_TRACE(c.style);
        device->ClearCalls();
        text.Render(10, 10, 100, 50, "Hello", c.style, white, "DejaVu Sans", 12, true, false, c.sx, c.sy, c.shadowColor);
        EXPECT_EQ(Texts(), c.drawn);
    }
    const Call* call = device->Find(CallKind::DrawText);
    EXPECT_EQ(call->text, "Hello");
    EXPECT_EQ(call->font.name, "DejaVu Sans");
    EXPECT_EQ(call->font.size, 12);
    EXPECT_TRUE(call->font.bold);
    EXPECT_FALSE(call->font.italic);
}

TEST_F(TextTest, EdgesRoundHalvesToEvenAndBlendsGoThroughTheCache) {
    text.Render(10.5f, 11.5f, 100, 50.5f, "x", plm::AlignLeft, -1, "Arial", 8, false, true, 0.5f, 0, 0);
    text.Render(0, 0, 10, 10, "y", plm::AlignLeft, -1, "Arial", 8, false, false, 0, 0, 0);
    const auto t = Texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].rect, (std::array<int32_t, 4>{11, 12, 110, 62}));  // shadow: 11.0 left
    EXPECT_EQ(t[1].rect, (std::array<int32_t, 4>{10, 12, 110, 62}));
    std::vector<std::vector<int64_t>> states;
    for (const Call& c : device->CallsOf(CallKind::SetRenderState)) states.push_back(c.ints);
    EXPECT_EQ(states, (std::vector<std::vector<int64_t>>{{19, 5}, {20, 6}}));  // sent once
}

}  // namespace
