// Drawing primitives: the exact pixels of the cut-corner shapes and boxes, line splitting
// of long texts, and text rendering with and without a font.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "frame/state.h"
#include "graphics/draw.h"
#include "tests/support/graphics_support.h"

namespace {

SDL_Rect Rect(int x, int y, int w, int h)
{
    SDL_Rect rect;
    rect.x = Sint16(x);
    rect.y = Sint16(y);
    rect.w = Uint16(w);
    rect.h = Uint16(h);
    return rect;
}

// Distances of (x, y) from the nearest vertical and horizontal edge of a w x h rectangle.
int EdgeX(int i, int w) { return std::min(i, w - 1 - i); }
int EdgeY(int j, int h) { return std::min(j, h - 1 - j); }

// Checks every pixel of the screen against `expected` (the pixel value it should hold).
void ExpectScreen(const std::function<Uint32(int, int)>& expected)
{
    int wrong = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (PixelAt(ScreenSurface, x, y) != expected(x, y) && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(wrong, 0);
}

// What FillRoundRect of (rx, ry, w, h) must leave: three pixels cut at each corner.
std::function<Uint32(int, int)> RoundShape(int rx, int ry, int w, int h, Uint32 colour)
{
    return [=](int x, int y) -> Uint32 {
        int i = x - rx, j = y - ry;
        if (i < 0 || j < 0 || i >= w || j >= h) return 0;
        return EdgeX(i, w) + EdgeY(j, h) <= 1 ? 0 : colour;
    };
}

const Uint32 White = 0xFFFF;

} // namespace

// The big shape leaves out exactly three pixels per corner, and nothing below 6 x 6; the
// size test is made on the unsigned width, so 65535 (not -1) draws.
TEST(FillRoundRect, CutsThreePixelsPerCornerAndSkipsSmallRectangles)
{
    MakeTestScreen();
    FillRoundRect(Rect(10, 20, 6, 6), White);
    EXPECT_EQ(CountPixels(ScreenSurface, White), 24);
    ExpectScreen(RoundShape(10, 20, 6, 6, White));

    MakeTestScreen();
    FillRoundRect(Rect(3, 7, 40, 17), White);
    ExpectScreen(RoundShape(3, 7, 40, 17, White));

    MakeTestScreen();
    FillRoundRect(Rect(10, 10, 5, 50), White);
    FillRoundRect(Rect(10, 10, 50, 5), White);
    FillRoundRect(Rect(10, 10, 0, 0), White);
    EXPECT_EQ(CountPixels(ScreenSurface, White), 0);

    MakeTestScreen();
    FillRoundRect(Rect(0, 10, 65535, 6), White);
    EXPECT_EQ(PixelAt(ScreenSurface, 1, 11), White);
    EXPECT_EQ(PixelAt(ScreenSurface, 319, 12), White);
    EXPECT_EQ(PixelAt(ScreenSurface, 0, 10), 0u); // corner still cut

    // Off the screen's edges the fills are clipped, not wrapped around.
    MakeTestScreen();
    FillRoundRect(Rect(-3, -3, 10, 10), White);
    ExpectScreen(RoundShape(-3, -3, 10, 10, White));
}

// The key shape leaves out only the four corner pixels, and nothing below 4 x 4.
TEST(FillRoundRectSmall, CutsOnlyTheCornerPixels)
{
    MakeTestScreen();
    FillRoundRectSmall(Rect(50, 60, 4, 4), White);
    EXPECT_EQ(CountPixels(ScreenSurface, White), 12);

    MakeTestScreen();
    FillRoundRectSmall(Rect(5, 6, 24, 9), White);
    ExpectScreen([](int x, int y) -> Uint32 {
        int i = x - 5, j = y - 6;
        if (i < 0 || j < 0 || i >= 24 || j >= 9) return 0;
        return EdgeX(i, 24) == 0 && EdgeY(j, 9) == 0 ? 0 : White;
    });

    MakeTestScreen();
    FillRoundRectSmall(Rect(5, 6, 3, 30), White);
    FillRoundRectSmall(Rect(5, 6, 30, 3), White);
    EXPECT_EQ(CountPixels(ScreenSurface, White), 0);
}

// A box is the border shape with the fill shape one pixel inside it; the fill's own cut
// corners show the border colour. A 7 x 7 box is border only; tiny boxes draw nothing.
TEST(DrawBox, BorderRingAroundFillWithCutCorners)
{
    const Uint32 Fill = 0x001F;
    MakeTestScreen();
    DrawBox(Rect(100, 50, 30, 12), Fill, White);
    auto outer = RoundShape(100, 50, 30, 12, White);
    auto inner = RoundShape(101, 51, 28, 10, Fill);
    ExpectScreen([&](int x, int y) -> Uint32 { return inner(x, y) ? Fill : outer(x, y); });

    MakeTestScreen();
    DrawBox(Rect(10, 10, 7, 7), Fill, White);
    EXPECT_EQ(CountPixels(ScreenSurface, Fill), 0);
    ExpectScreen(RoundShape(10, 10, 7, 7, White));

    MakeTestScreen();
    DrawBox(Rect(10, 10, 8, 8), Fill, White);
    EXPECT_EQ(CountPixels(ScreenSurface, Fill), 24); // the inner 6 x 6 shape

    MakeTestScreen();
    DrawBox(Rect(10, 10, 1, 1), Fill, White);
    DrawBox(Rect(10, 10, 0, 40), Fill, White);
    EXPECT_EQ(CountPixels(ScreenSurface, 0), 320 * 240);
}

// Long texts break at the right-most space of indexes 48 down to 1; outputs are left
// alone when nothing needs splitting or no space is found.
TEST(SplitTextLine, BreaksAtTheRightMostSpaceUpToIndex48)
{
    struct Case {
        std::string text, first, second;
    };
    const std::string a48(48, 'a');
    std::string spaceAt10And60(100, 'x');
    spaceAt10And60[10] = ' ';
    spaceAt10And60[60] = ' ';
    std::string spaceAt0 = " " + std::string(48, 'b');
    std::string spaceAt48 = a48 + " ";
    std::string spaceAt47And48 = std::string(47, 'c') + "  d";
    const Case cases[] = {
        { "short text", "short text", "keep" },
        { a48, a48, "keep" },
        { spaceAt48, a48, "" },
        { spaceAt0, "keep", "keep" },
        { spaceAt10And60, "xxxxxxxxxx", std::string(89, 'x').replace(49, 1, " ") },
        { spaceAt47And48, std::string(47, 'c') + " ", "d" },
    };
    for (const Case& c : cases) {
        std::string first = "keep", second = "keep";
        SplitTextLine(c.text.c_str(), &first, &second);
        EXPECT_EQ(first, c.first) << c.text;
        EXPECT_EQ(second, c.second) << c.text;
    }
    std::string first = "keep", second = "keep";
    SplitTextLine(nullptr, &first, &second);
    EXPECT_EQ(first + second, "keepkeep");
}

// Text renders in the given colour (low 8 bits of each component) at the given place; no
// font, no text or an empty text draws nothing; the second line sits 10 pixels lower.
TEST(DrawText, RendersWithFontAndNothingWithout)
{
    MakeTestScreen();
    TTF_Font* font = OpenBuildFont(8);
    ASSERT_NE(font, nullptr);

    DrawText(ScreenSurface, "Hello", 10, 10, 255, 255, 0, nullptr);
    DrawText(ScreenSurface, nullptr, 10, 10, 255, 255, 0, font);
    DrawText(ScreenSurface, "", 10, 10, 255, 255, 0, font);
    DrawTwoLineText(ScreenSurface, "Hello", 10, 10, 255, 255, 0, nullptr);
    DrawTwoLineText(ScreenSurface, (" " + std::string(48, 'b')).c_str(), 10, 10, 255, 255, 0, font);
    EXPECT_EQ(CountPixels(ScreenSurface, 0), 320 * 240);

    DrawText(ScreenSurface, "Hello", 100, 50, 255, 255, 0, font);
    int yellow = CountPixels(ScreenSurface, MapColour(ScreenSurface, 255, 255, 0));
    EXPECT_GT(yellow, 10);
    int inside = 0;
    for (int y = 50; y < 70; ++y)
        for (int x = 100; x < 100 + TextWidth(font, "Hello"); ++x) inside += PixelAt(ScreenSurface, x, y) != 0;
    EXPECT_EQ(inside, 320 * 240 - CountPixels(ScreenSurface, 0)); // nothing outside its place

    SDL_Surface* plain = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    DrawText(plain, "Hello", 100, 50, 0x1FF, 0x3FF, 0x100, font);
    EXPECT_TRUE(SameSurfaces(plain, ScreenSurface));

    // Two lines: the same pixels as the two halves drawn one by one, 10 pixels apart.
    const std::string text = "I " + std::string(60, 'W');
    MakeTestScreen();
    DrawTwoLineText(ScreenSurface, text.c_str(), 5, 100, 255, 255, 255, font);
    SDL_FillRect(plain, nullptr, 0);
    DrawText(plain, "I", 5, 100, 255, 255, 255, font);
    DrawText(plain, std::string(60, 'W').c_str(), 5, 110, 255, 255, 255, font);
    EXPECT_TRUE(SameSurfaces(plain, ScreenSurface));
    EXPECT_GT(320 * 240 - CountPixels(ScreenSurface, 0), 100);

    SDL_FreeSurface(plain);
    TTF_CloseFont(font);
}

// Widths come from the font; without one every text is 0 wide.
TEST(TextWidth, MeasuresWithTheFont)
{
    MakeTestScreen();
    TTF_Font* font = OpenBuildFont(8);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(TextWidth(nullptr, "Hello"), 0);
    EXPECT_EQ(TextWidth(font, ""), 0);
    EXPECT_GT(TextWidth(font, "W"), 0);
    EXPECT_GT(TextWidth(font, "WW"), TextWidth(font, "W"));
    TTF_CloseFont(font);
}

// A null image is skipped; an image lands with its top-left corner at the position.
TEST(DrawImage, BlitsWholeImageOrNothing)
{
    MakeTestScreen();
    DrawImage(nullptr, 10, 10);
    EXPECT_EQ(CountPixels(ScreenSurface, 0), 320 * 240);
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 16, 0, 0, 0, 0);
    SDL_FillRect(image, nullptr, White);
    DrawImage(image, 318, 239);
    EXPECT_EQ(CountPixels(ScreenSurface, White), 2);
    EXPECT_EQ(PixelAt(ScreenSurface, 318, 239), White);
    EXPECT_EQ(ScreenColour(255, 255, 255), White);
    SDL_FreeSurface(image);
}
