#include "core/Texture.h"

#include <filesystem>

#include "TextureFixture.h"
#include "core/LogoImage.h"
#include "core/Scene.h"
#include "core/TextureProcs.h"

namespace {

using plm::platform::Image;
using plm::platform::ImageFormat;
using plmtest::Undated;

class TextureTableTest : public plmtest::TextureTest {};

std::vector<std::string> UndatedLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) out.push_back(Undated(l));
    return out;
}

TEST_F(TextureTableTest, LoadsEachFormatWithAndWithoutTheColorKey) {
    const Image img = Pattern(4, 3);
    struct Case {
        const char* name;
        ImageFormat format;
    };
    for (Case c : {Case{"a.png", ImageFormat::Png}, Case{"a.bmp", ImageFormat::Bmp}, Case{"a.dds", ImageFormat::Dds}}) {
        SCOPED_TRACE(c.name);
        WriteImage(c.name, img, c.format);
        ASSERT_TRUE(texture.Load(2, c.name, -1));
        const plm::TextureSlot& slot = plm::State().Textures(2);
        EXPECT_TRUE(slot.Loaded);
        EXPECT_FALSE(slot.IsRenderTarget);
        EXPECT_EQ(slot.ColorKey, plm::kDefaultColorKey);
        EXPECT_EQ(slot.FileName, folder.file(c.name));
        EXPECT_EQ(slot.Width, 4);
        EXPECT_EQ(slot.Height, 3);
        EXPECT_EQ(texture.GetWidth(2), 4);
        Image keyed = Pixels(2);
        EXPECT_EQ(At(keyed, 1, 1), 0u) << "the key colour becomes transparent black";
        EXPECT_EQ(At(keyed, 2, 1), At(img, 2, 1));

        ASSERT_TRUE(texture.Load(2, c.name, 0));
        EXPECT_EQ(plm::State().Textures(2).ColorKey, 0u);
        EXPECT_EQ(Pixels(2).pixels, img.pixels) << "key 0 keeps every pixel";
    }
}

TEST_F(TextureTableTest, LoadsAJpegWithAndWithoutTheColorKey) {
    // The logo is a JPEG whose lower right is pure black.
    plmtest::WriteFile(folder.file("logo.jpg"), std::string(reinterpret_cast<const char*>(plm::kLogoJpeg),
                                                             plm::kLogoJpegSize));
    ASSERT_TRUE(texture.Load(3, "logo.jpg", 0));
    EXPECT_EQ(texture.GetWidth(3), 256);
    EXPECT_EQ(At(Pixels(3), 200, 200), 0xFF000000u);
    ASSERT_TRUE(texture.Load(3, folder.file("logo.jpg"), static_cast<int32_t>(0xFF000000u), true));
    EXPECT_EQ(At(Pixels(3), 200, 200), 0u);
    EXPECT_EQ(plm::State().Textures(3).FileName, folder.file("logo.jpg"));
}

TEST_F(TextureTableTest, WidthAndHeightResamplesToASquare) {
    WriteImage("a.png", Pattern(4, 2), ImageFormat::Png);
    ASSERT_TRUE(texture.Load(2, "a.png", 0, false, 8));
    EXPECT_EQ(texture.GetWidth(2), 8);
    EXPECT_EQ(texture.GetHeight(2), 8);
    EXPECT_EQ(plm::State().Textures(2).Width, 8);
}

TEST_F(TextureTableTest, MissingAndOneByteFilesLogTheBlockAndEmptyTheSlot) {
    WriteImage("a.png", Pattern(4, 4), ImageFormat::Png);
    plmtest::WriteFile(folder.file("short.png"), "x");
    for (const char* name : {"nothere.png", "short.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(texture.Load(2, "a.png"));
        std::filesystem::remove(folder.file("data.log"));
        EXPECT_FALSE(texture.Load(2, name));
        EXPECT_EQ(UndatedLines(Log()),
                  (std::vector<std::string>{"<bare>--------------------------------------", "Error: (Texture.Load)",
                                            "Path=" + folder.path(), std::string("Filename=") + name, "Source: ",
                                            "Number: 0", "Description: "}));
        EXPECT_FALSE(plm::State().Textures(2).Loaded);
        EXPECT_EQ(plm::State().Textures(2).Object, plm::platform::kNoSurface);
        EXPECT_EQ(texture.GetHandle(2), plm::platform::kNoSurface);
    }
}

TEST_F(TextureTableTest, DamagedFileIsReportedWithTheDecoderError) {
    plmtest::WriteFile(folder.file("bad.png"), std::string("\x89PNG\r\n\x1a\n garbage", 17));
    EXPECT_FALSE(texture.Load(2, "bad.png"));
    std::vector<std::string> lines = UndatedLines(Log());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], "Error: (Texture.Load)");
    EXPECT_EQ(lines[5], "Number: " + std::to_string(plm::kErrInvalidData));
    EXPECT_FALSE(plm::State().Textures(2).Loaded);
}

TEST_F(TextureTableTest, IndexesOutsideTheTableAreRefused) {
    WriteImage("a.png", Pattern(4, 4), ImageFormat::Png);
    EXPECT_FALSE(texture.Load(9, "a.png"));
    EXPECT_FALSE(texture.Load(0, "a.png"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log"))) << "no log line for a bad Load index";
    EXPECT_EQ(texture.GetHandle(9), plm::platform::kNoSurface);
    EXPECT_EQ(texture.GetWidth(-1), 0);
    EXPECT_FALSE(texture.IsLoaded(9));
    EXPECT_EQ(UndatedLines(Log()),
              std::vector<std::string>{"Error: Index passed to Texture.IsLoaded < 1 or > MaxTextures."});
    // Nothing of this touches a slot or a surface.
    texture.Clone(9, 2);
    texture.CopyToTexture(9, 0, 0, 4, 4, 2, 0, 0);
    EXPECT_FALSE(texture.Save(9, "x.dds", false, plm::DDS));
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.dds")));
    for (const plm::TextureSlot& slot : plm::State().Textures) EXPECT_FALSE(slot.Loaded);
}

TEST_F(TextureTableTest, LoadBatchLoadsWhatIsThereAndReportsTheMissingFile) {
    for (int i : {1, 2, 4, 5}) WriteImage("t" + std::to_string(i) + ".png", Pattern(4, 4), ImageFormat::Png);
    EXPECT_FALSE(texture.LoadBatch(5, -1, "png"));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(texture.IsLoaded(i), i != 3) << i;
    EXPECT_EQ(plm::State().Textures(4).ColorKey, plm::kDefaultColorKey);
    EXPECT_EQ(UndatedLines(Log()),
              (std::vector<std::string>{"<bare>--------------------------------------", "Error: (Texture.LoadBatch)",
                                        "Path=" + folder.path(), "Filename=t3.png"}));

    std::filesystem::remove(folder.file("data.log"));
    EXPECT_FALSE(texture.LoadBatch(9, -1, "png"));
    EXPECT_EQ(UndatedLines(Log()),
              (std::vector<std::string>{"<bare>--------------------------------------", "Error: (Texture.LoadBatch)",
                                        "Total passed < 1 or > texture max."}));
    EXPECT_TRUE(texture.IsLoaded(1)) << "a refused batch loads and releases nothing";

    WriteImage("t3.png", Pattern(4, 4), ImageFormat::Png);
    EXPECT_TRUE(texture.LoadBatch(5, 0, "png"));
}

TEST_F(TextureTableTest, CreateNeedsASlotAboveOneAndAFilledSlotBelow) {
    EXPECT_FALSE(texture.Create(1, 64, false));
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log")));
    EXPECT_FALSE(texture.Create(5, 64, false));
    std::vector<std::string> lines = UndatedLines(Log());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "<bare>--------------------------------------");
    EXPECT_EQ(lines[1], "Error: (Texture.Create)");
    EXPECT_EQ(lines[2].rfind("Source: ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("Number: ", 0), 0u);
    EXPECT_EQ(lines[4].rfind("Description: ", 0), 0u);
    EXPECT_FALSE(texture.IsLoaded(5));

    WriteImage("a.png", Pattern(4, 4), ImageFormat::Png);
    ASSERT_TRUE(texture.Load(4, "a.png"));
    ASSERT_TRUE(texture.Create(5, 64, true));
    const plm::TextureSlot& slot = plm::State().Textures(5);
    EXPECT_TRUE(slot.IsRenderTarget);
    EXPECT_EQ(slot.ColorKey, plm::kDefaultColorKey);
    EXPECT_EQ(slot.FileName, "");
    EXPECT_EQ(texture.GetWidth(5), 64);
    EXPECT_EQ(texture.GetHeight(5), 64);
    EXPECT_FALSE(texture.Create(6, 0, false)) << "a size of 0 fails";
    EXPECT_FALSE(texture.IsLoaded(6));
}

TEST_F(TextureTableTest, RenderToACreatedTarget) {
    WriteImage("a.png", Pattern(4, 4), ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "a.png", 0));
    ASSERT_TRUE(texture.Create(2, 16, true));
    ASSERT_TRUE(texture.Create(3, 16, false));
    plm::Scene scene;
    scene.Begin();
    scene.RenderToTextureStart(2, plm::Target, static_cast<int32_t>(0xFF000000u));
    texture.RenderFastest(1, 0, 0, 4, 4, 3, 5);
    scene.RenderToTextureEnd();
    scene.RenderToTextureStart(3, plm::Target, 0);  // not a render target: refused, logged
    scene.Render();
    Image out = Pixels(2);
    const Image src = Pattern(4, 4);
    EXPECT_EQ(At(out, 3, 5), At(src, 0, 0));
    EXPECT_EQ(At(out, 6, 8), At(src, 3, 3));
    EXPECT_EQ(At(out, 2, 5), 0xFF000000u);
    EXPECT_EQ(Pixels(3).pixels, std::vector<uint32_t>(256, 0u)) << "a plain Create stays blank";
}

TEST_F(TextureTableTest, CopyToTextureRoundsHalvesToEvenAndClipsToBothTextures) {
    WriteImage("a.png", Pattern(8, 8), ImageFormat::Png);
    const Image src = Pattern(8, 8);
    ASSERT_TRUE(texture.Load(1, "a.png", 0));
    ASSERT_TRUE(texture.Create(2, 4, false));
    struct Case {
        float srcX;
        int column;
    };
    for (Case c : {Case{2.5f, 2}, Case{3.5f, 4}, Case{2.4f, 2}, Case{2.6f, 3}}) {
        SCOPED_TRACE(c.srcX);
        texture.CopyToTexture(1, c.srcX, 0, 1, 1, 2, 0, 0);
        EXPECT_EQ(At(Pixels(2), 0, 0), At(src, c.column, 0));
    }
    // Width 1.5 from x 2: right = CLng(3.5) = 4, two columns.
    texture.Create(2, 4, false);
    texture.CopyToTexture(1, 2, 0, 1.5f, 1, 2, 0, 0);
    EXPECT_EQ(At(Pixels(2), 1, 0), At(src, 3, 0));
    EXPECT_EQ(At(Pixels(2), 2, 0), 0u);

    // Rectangles reaching past either texture copy only the part inside both.
    texture.Create(2, 4, false);
    texture.CopyToTexture(1, 6, 6, 10, 10, 2, 2, 2);  // source clipped at 8
    EXPECT_EQ(At(Pixels(2), 3, 3), At(src, 7, 7));
    texture.Create(2, 4, false);
    texture.CopyToTexture(1, -2, 0, 4, 1, 2, 0, 0);  // negative source start moves the destination
    EXPECT_EQ(At(Pixels(2), 2, 0), At(src, 0, 0));
    EXPECT_EQ(At(Pixels(2), 1, 0), 0u);
    texture.Create(2, 4, false);
    texture.CopyToTexture(1, 0, 0, 8, 8, 2, -3, 1);  // negative destination moves the source
    EXPECT_EQ(At(Pixels(2), 0, 1), At(src, 3, 0));
    EXPECT_EQ(At(Pixels(2), 0, 0), 0u);
    texture.CopyToTexture(1, 0, 0, 8, 8, 2, 100, 100);  // entirely outside: nothing
    texture.CopyToTexture(1, 0, 0, 8, 8, 3, 0, 0);      // empty destination: nothing
    texture.CopyToTexture(2, 0, 0, 4, 4, 2, 1, 1);      // same slot: nothing
    EXPECT_EQ(At(Pixels(2), 0, 1), At(src, 3, 0));
}

TEST_F(TextureTableTest, CloneCopiesPixelsAndEntries) {
    WriteImage("a.png", Pattern(8, 4, true), ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "a.png", -1));
    texture.Clone(1, 3);
    const plm::TextureSlot& a = plm::State().Textures(1);
    const plm::TextureSlot& b = plm::State().Textures(3);
    EXPECT_TRUE(b.Loaded);
    EXPECT_NE(b.Object, a.Object);
    EXPECT_EQ(b.FileName, a.FileName);
    EXPECT_EQ(b.ColorKey, a.ColorKey);
    EXPECT_EQ(b.Width, 8);
    EXPECT_EQ(b.Height, 4);
    EXPECT_EQ(Pixels(3).pixels, Pixels(1).pixels);
    ASSERT_TRUE(texture.Create(4, 8, true));
    texture.Clone(4, 5);
    EXPECT_TRUE(plm::State().Textures(5).IsRenderTarget);
}

TEST_F(TextureTableTest, SavedBmpAndDdsReadBackIdentical) {
    WriteImage("opaque.png", Pattern(6, 5), ImageFormat::Png);
    WriteImage("alpha.png", Pattern(6, 5, true), ImageFormat::Png);
    ASSERT_TRUE(texture.Load(1, "opaque.png", 0));
    ASSERT_TRUE(texture.Load(2, "alpha.png", 0));
    // BMP keeps colour only, so it carries an opaque picture; DDS keeps alpha as well.
    ASSERT_TRUE(texture.Save(1, "out.bmp", false, plm::BMP));
    ASSERT_TRUE(texture.Save(2, folder.file("out.dds"), true, plm::DDS));
    ASSERT_TRUE(texture.Load(3, "out.bmp", 0));
    ASSERT_TRUE(texture.Load(4, "out.dds", 0));
    EXPECT_EQ(Pixels(3).pixels, Pixels(1).pixels);
    EXPECT_EQ(Pixels(4).pixels, Pixels(2).pixels);
    EXPECT_FALSE(std::filesystem::exists(folder.file("data.log")));

    EXPECT_FALSE(texture.Save(5, "empty.bmp", false, plm::BMP));
    std::vector<std::string> lines = UndatedLines(Log());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Error: (SaveTexture)");
    EXPECT_EQ(lines[2], "Filename=" + folder.file("empty.bmp"));
}

TEST_F(TextureTableTest, DeviceQueries) {
    const plm::platform::DeviceCaps caps = device->GetCaps();
    EXPECT_EQ(texture.GetMaxTextureWidth(), caps.maxTextureWidth);
    EXPECT_EQ(texture.GetMaxTextureHeight(), caps.maxTextureHeight);
    EXPECT_GE(texture.GetAvailableTextureMemory(), 0);
    EXPECT_TRUE(texture.Flush());
}

}  // namespace
