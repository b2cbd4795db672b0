// The pictures the build draws into media/: present, of the sizes the screens rely on,
// transparent where they should be and nowhere else, and the same bytes on every build.
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

#include <gtest/gtest.h>

namespace {

// Every picture with the smallest and largest size its place allows: the background's own,
// 24 x 24 keys, cursor and achievement cells, hint buttons ending before their hint text, a
// star within its 22-pixel step, the editor's bar within its row, and the card (drawn at 24, 24)
// reaching under its icon rows (x 274, y 166) but staying above the hints.
const struct { const char* name; int minW, minH, maxW, maxH; } Pictures[] = {
    { "background.bmp", 320, 240, 320, 240 }, { "card.bmp", 250, 142, 296, 192 },
    { "button_pad.bmp", 1, 1, 20, 16 },       { "button_pad2.bmp", 1, 1, 20, 16 },
    { "button_y.bmp", 1, 1, 14, 16 },         { "button_x.bmp", 1, 1, 14, 16 },
    { "button_b.bmp", 1, 1, 19, 16 },         { "button_l.bmp", 1, 1, 16, 16 },
    { "button_r.bmp", 1, 1, 17, 16 },         { "select_bar.bmp", 1, 1, 186, 15 },
    { "selectkey.bmp", 24, 24, 24, 24 },      { "deletekey.bmp", 24, 24, 24, 24 },
    { "returnkey.bmp", 24, 24, 24, 24 },      { "capskey.bmp", 24, 24, 24, 24 },
    { "lockkey.bmp", 24, 24, 24, 24 },        { "experience.bmp", 24, 24, 24, 24 },
    { "experiencew.bmp", 24, 24, 24, 24 },    { "star.bmp", 1, 1, 22, 24 },
};

// What a pixel becomes on the 5-6-5 screen, where the colour key is compared.
uint32_t On565(uint32_t rgb) { return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F); }

} // namespace

// Each picture has its size; the keyed ones have magenta corners (their rounded shapes) and no
// other colour that the screen would turn into the key (a hole); the background, drawn without a
// key, has no magenta at all; the cursor and the bar are open in the middle for the text below.
TEST(MediaFiles, SizesAndTransparency)
{
    for (const auto& picture : Pictures) {
        RgbImage image;
        ASSERT_TRUE(ReadBmp24(BuildDir() + "/media/" + picture.name, &image)) << picture.name;
        EXPECT_TRUE(image.width >= picture.minW && image.width <= picture.maxW) << picture.name << " " << image.width;
        EXPECT_TRUE(image.height >= picture.minH && image.height <= picture.maxH) << picture.name << " " << image.height;
        const bool keyed = std::string(picture.name) != "background.bmp";
        int magenta = 0, holes = 0;
        for (uint32_t p : image.pixels) {
            magenta += p == Magenta;
            holes += p != Magenta && On565(p) == On565(Magenta);
        }
        EXPECT_EQ(holes, 0) << picture.name;
        EXPECT_EQ(magenta > 0, keyed) << picture.name;
        EXPECT_EQ(image.at(0, 0) == Magenta && image.at(image.width - 1, image.height - 1) == Magenta, keyed) << picture.name;
        const bool open = std::string(picture.name) == "selectkey.bmp" || std::string(picture.name) == "select_bar.bmp";
        EXPECT_TRUE(!open || image.at(image.width / 2, image.height / 2) == Magenta) << picture.name;
    }
}

// Drawing the media twice gives the same bytes as the build's: nothing depends on time or chance.
TEST(MediaFiles, TheSameOnEveryRun)
{
    TempDir first, second;
    const std::string tool = BuildDir() + "/tools/make_media";
    ASSERT_EQ(RunProgram(tool, { SourceDir() + "/data", first.path() }, first.path()).status, 0);
    ASSERT_EQ(RunProgram(tool, { SourceDir() + "/data", second.path() }, second.path()).status, 0);
    auto same = [&](const std::string& name) {
        const std::string bytes = ReadFile(first / name);
        EXPECT_TRUE(!bytes.empty() && bytes == ReadFile(second / name) && bytes == ReadFile(BuildDir() + "/media/" + name)) << name;
    };
    for (const auto& picture : Pictures) same(picture.name);
    same("next.wav");
    EXPECT_NE(RunProgram(tool, { SourceDir() + "/data", first / "missing/folder" }, first.path()).status, 0);
}
