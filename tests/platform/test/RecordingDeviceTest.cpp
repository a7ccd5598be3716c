#include "platform/test/RecordingDevice.h"

#include <gtest/gtest.h>

#include "platform/software/SoftwareDevice.h"

namespace pp = plm::platform;

TEST(RecordingDevice, RecordsArgumentsAndForwards) {
    pp::DeviceSettings s;
    s.width = 8, s.height = 8;
    auto inner = pp::CreateSoftwareDevice(s);
    pp::RecordingDevice rec(inner);
    pp::SurfaceId tex = rec.CreateTextureFromImage(pp::Image{2, 2, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}});
    rec.Clear(pp::ClearTarget, 0xFF000000, 1.0f, 0);
    rec.SpriteBegin();
    rec.SetRenderState(pp::RsSrcBlend, 5);
    pp::Rect src{0, 0, 2, 2};
    rec.SpriteDraw(tex, &src, {1, 1}, {1, 1}, 0.5f, {3, 4}, 0xFF112233);
    rec.SpriteEnd();

    ASSERT_EQ(rec.Count(pp::CallKind::SpriteDraw), 1u);
    ASSERT_NE(rec.Find(pp::CallKind::SpriteDraw), nullptr);
    const pp::Call& draw = *rec.Find(pp::CallKind::SpriteDraw);
    EXPECT_EQ(draw.surfaces[0], tex);
    EXPECT_TRUE(draw.hasRect);
    EXPECT_EQ(draw.rect.right, 2);
    EXPECT_FLOAT_EQ(draw.floats[4], 0.5f);
    EXPECT_FLOAT_EQ(draw.floats[6], 4.0f);
    EXPECT_EQ(draw.color, 0xFF112233u);
    EXPECT_EQ(draw.ToString(),
              "SpriteDraw(tex=" + std::to_string(tex) +
                  ", src=(0,0,2,2), scale=(1,1), centre=(1,1), rot=0.5, at=(3,4), color=FF112233)");
    EXPECT_EQ(rec.LinesOf(pp::CallKind::SetRenderState), std::vector<std::string>{"SetRenderState(19, 5)"});
    EXPECT_EQ(rec.Lines()[1], "Clear(flags=1, color=FF000000, z=1, stencil=0)");

    // Forwarded: the sprite reached the software device's back buffer.
    pp::Image img;
    ASSERT_TRUE(inner->ReadPixels(inner->GetBackBuffer(), img));
    EXPECT_NE(img.pixels[size_t(4) * 8 + 3], 0xFF000000u);

    rec.ClearCalls();
    EXPECT_TRUE(rec.Calls().empty());
    rec.RecordQueries(false);
    pp::SurfaceDesc d;
    EXPECT_TRUE(rec.GetSurfaceDesc(tex, d));
    EXPECT_TRUE(rec.Calls().empty());
}

TEST(RecordingDevice, StandsAloneWithoutAWrappedDevice) {
    pp::RecordingDevice rec;
    pp::SurfaceId a = rec.CreateTexture(64, 32, false);
    pp::SurfaceId rt = rec.CreateTexture(16, 16, true);
    EXPECT_NE(a, pp::kNoSurface);
    EXPECT_NE(a, rec.GetBackBuffer());
    pp::SurfaceDesc d;
    ASSERT_TRUE(rec.GetSurfaceDesc(a, d));
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.height, 32);
    EXPECT_TRUE(rec.SetRenderTarget(rt, 0));
    EXPECT_FALSE(rec.SetRenderTarget(a, 0));
    rec.ReleaseSurface(a);
    EXPECT_FALSE(rec.GetSurfaceDesc(a, d));
    EXPECT_NE(rec.CreateTexture(64, 32, false), a);
    EXPECT_EQ(rec.TestCooperativeLevel(), pp::kDeviceOk);
    rec.SetCooperativeLevel(pp::kDeviceNotReset);
    EXPECT_EQ(rec.TestCooperativeLevel(), pp::kDeviceNotReset);
    EXPECT_TRUE(rec.GetCaps().caps2 & pp::kCaps2FullScreenGamma);

    pp::ScreenVertex v[3] = {{0, 0, 0, 1, 0xFFFF0000, 0, 0}, {4, 0, 0, 1, 0xFFFF0000, 0, 0}, {0, 4, 0, 1, 0xFFFF0000, 0, 0}};
    rec.SetVertexShader(pp::kScreenVertexFormat);
    rec.DrawPrimitiveUP(pp::PrimitiveType::TriangleList, 1, v);
    auto prim = rec.CallsOf(pp::CallKind::DrawPrimitiveUP);
    ASSERT_EQ(prim.size(), 1u);
    EXPECT_EQ(prim[0].vertices.size(), 3u);
    EXPECT_EQ(prim[0].ints[0], 4);
    EXPECT_EQ(rec.LinesOf(pp::CallKind::SetVertexShader), std::vector<std::string>{"SetVertexShader(0x144)"});
}
