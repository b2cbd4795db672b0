// The media the build draws: sizes the screens rely on, transparency, the same bytes every build.
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

#include <gtest/gtest.h>

// Each picture's size limits: hints ending before their text, a star within its 22-pixel step, the
// bar within its row, the card (at 24, 24) under its icon rows (x 274, y 166), above the hints.
static const struct { const char* name; int minW, minH, maxW, maxH; } Pictures[] = {
    {"background.bmp", 320, 240, 320, 240}, {"card.bmp", 250, 142, 296, 192},
    {"button_pad.bmp", 1, 1, 20, 16}, {"button_pad2.bmp", 1, 1, 20, 16}, {"button_y.bmp", 1, 1, 14, 16},
    {"button_x.bmp", 1, 1, 14, 16}, {"button_b.bmp", 1, 1, 19, 16}, {"button_l.bmp", 1, 1, 16, 16},
    {"button_r.bmp", 1, 1, 17, 16}, {"select_bar.bmp", 1, 1, 186, 15}, {"star.bmp", 1, 1, 22, 24},
    // the keys, the cursor and the achievement cells
    {"selectkey.bmp", 24, 24, 24, 24}, {"deletekey.bmp", 24, 24, 24, 24}, {"returnkey.bmp", 24, 24, 24, 24},
    {"capskey.bmp", 24, 24, 24, 24}, {"lockkey.bmp", 24, 24, 24, 24}, {"experience.bmp", 24, 24, 24, 24},
    {"experiencew.bmp", 24, 24, 24, 24},
    // the handheld menu's icon, opaque like the background
    {"icon.bmp", 32, 32, 32, 32},
};

// Each picture has its size; keyed ones have magenta corners (rounded shapes) and no colour the
// screen would turn into the key (a hole); the background and the menu's icon have no magenta;
// the cursor and the bar are open in the middle for the text below.
TEST(MediaFiles, SizesTransparencyAndTheSameOnEveryRun)
{
    for (const auto& p : Pictures) {
        SCOPED_TRACE(p.name);
        RgbImage image;
        ASSERT_TRUE(ReadBmp(BuildDir() + "/media/" + p.name, &image));
        EXPECT_TRUE(image.width >= p.minW && image.width <= p.maxW && image.height >= p.minH && image.height <= p.maxH);
        const bool keyed = std::string(p.name) != "background.bmp" && std::string(p.name) != "icon.bmp";
        int magenta = 0, holes = 0;
        for (uint32_t c : image.pixels) {
            magenta += c == Magenta;
            holes += c != Magenta && On565(c) == On565(Magenta);
        }
        EXPECT_EQ(holes, 0);
        EXPECT_EQ(magenta > 0, keyed);
        EXPECT_EQ(image.at(0, 0) == Magenta && image.at(image.width - 1, image.height - 1) == Magenta, keyed);
        if (std::string(p.name).rfind("select", 0) == 0) {
            EXPECT_EQ(image.at(image.width / 2, image.height / 2), Magenta);
        }
    }
    // Drawing the media again gives the same bytes as the build's: nothing depends on time or chance.
    TempDir again;
    const std::string tool = BuildDir() + "/tools/make_media";
    const std::string data = SourceDir() + "/data";
    ASSERT_EQ(RunProgram(tool, {data, again.path()}, again.path()).status, 0);
    for (const auto& p : Pictures)
        EXPECT_TRUE(ReadFile(again / p.name) == ReadFile(BuildDir() + "/media/" + p.name)) << p.name;
    EXPECT_TRUE(ReadFile(again / "next.wav") == ReadFile(BuildDir() + "/media/next.wav"));
    EXPECT_NE(RunProgram(tool, {data, again / "missing/folder"}, again.path()).status, 0);
}
