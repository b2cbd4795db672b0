// Drawing primitives: the exact pixels of the cut-corner shapes and boxes, the line split of
// long texts, and text drawn in its colour, or not at all.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/state.h"
#include "graphics/draw.h"
#include "tests/support/graphics_support.h"

// Whether FillRoundRect (cut 1: three pixels per corner, drawn over 5 x 5) or FillRoundRectSmall
// (cut 0: the corner pixel, drawn over 3 x 3) of `r` covers (x, y).
static bool Covers(const SDL_Rect& r, int cut, int x, int y)
{
    const int i = x - r.x, j = y - r.y, w = r.w, h = r.h;
    const bool inside = w > 3 + 2 * cut && h > 3 + 2 * cut && i >= 0 && j >= 0 && i < w && j < h;
    return inside && std::min(i, w - 1 - i) + std::min(j, h - 1 - j) > cut;
}

enum Shape { Round, Small, Box };
static const Uint32 White = 0xFFFF, Blue = 0x001F;

// Every pixel of the screen after one shape: the cut corners, the size limits (tested on the
// unsigned size, so 65535 draws), clipping at the edges, and a box's border ring around its
// fill, whose own cut corners show the border colour (a 7 x 7 box is border only).
TEST(Draw, ShapesPixelExact)
{
    const struct { Shape shape; int x, y, w, h, count; } cases[] = { // count: pixels drawn, -1 not checked
        // the smallest drawn, the largest not drawn, clipped, the widest
        { Round, 10, 20, 6, 6, 24 }, { Round, 10, 10, 5, 50, 0 }, { Round, 10, 10, 50, 5, 0 },
        { Round, -3, -3, 10, 10, -1 }, { Round, 0, 10, 65535, 6, -1 },
        { Small, 50, 60, 4, 4, 12 }, { Small, 5, 6, 3, 30, 0 },
        // a box with its fill, border only, the smallest filled, none
        { Box, 100, 50, 30, 12, -1 }, { Box, 10, 10, 7, 7, 37 }, { Box, 10, 10, 8, 8, 52 },
        { Box, 10, 10, 0, 40, 0 }};
    for (const auto& c : cases) {
        MakeTestScreen();
        const SDL_Rect r = {Sint16(c.x), Sint16(c.y), Uint16(c.w), Uint16(c.h)};
        const SDL_Rect inner = {Sint16(c.x + 1), Sint16(c.y + 1), Uint16(c.w - 2), Uint16(c.h - 2)};
        if (c.shape == Round) FillRoundRect(r, White);
        if (c.shape == Small) FillRoundRectSmall(r, White);
        if (c.shape == Box) DrawBox(r, Blue, White);
        const bool filled = c.shape == Box && c.w > 7 && c.h > 7;
        const int cut = c.shape == Small ? 0 : 1;
        auto expected = [&](int x, int y) -> Uint32 {
            return filled && Covers(inner, 1, x, y) ? Blue : Covers(r, cut, x, y) ? White : 0;
        };
        SCOPED_TRACE(std::to_string(c.shape) + ": " + std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(WrongPixels(ScreenSurface, expected), 0);
        EXPECT_EQ(c.count < 0 ? c.count : 320 * 240 - CountPixels(ScreenSurface, 0), c.count);
    }
}

// Long texts break at the right-most space of indexes 48 down to 1, or at 48 without one (a
// long name in the goodbye), each line at most 48; the outputs are left alone when nothing
// needs splitting or there is no text.
TEST(Draw, SplitTextLine)
{
    const std::string a48(48, 'a');
    std::string spaced(100, 'x'); // split at 10: a second line of 89
    spaced[10] = spaced[60] = ' ';
    const struct { std::string text, first, second; bool none = false; } cases[] = {
        {a48, a48, "keep"}, {a48 + " ", a48, ""}, {" " + std::string(48, 'b'), " " + std::string(47, 'b'), "b"},
        {std::string(1000, 'c'), std::string(48, 'c'), std::string(48, 'c')},
        {spaced, "xxxxxxxxxx", spaced.substr(11)}, {"", "keep", "keep", true}, // none: a null text
    };
    for (const auto& c : cases) {
        std::string first = "keep", second = "keep";
        SplitTextLine(c.none ? nullptr : c.text.c_str(), &first, &second);
        EXPECT_EQ(first + "|" + second, c.first + "|" + c.second) << c.text;
    }
}

// Text renders in the low 8 bits of each component; no text, no font or an empty text draws
// nothing; the second line is 10 lower. (Its place: the screens' tests.)
TEST(Draw, Text)
{
    MakeTestScreen();
    TTF_Font* font = OpenBuildFont(8);
    ASSERT_NE(font, nullptr);
    DrawText(ScreenSurface, "Hello", 10, 10, 255, 255, 0, nullptr);
    DrawText(ScreenSurface, nullptr, 10, 10, 255, 255, 0, font);
    DrawText(ScreenSurface, "", 10, 10, 255, 255, 0, font);
    EXPECT_EQ(CountPixels(ScreenSurface, 0), 320 * 240);

    DrawText(ScreenSurface, "Hello", 100, 50, 0x1FF, 0x3FF, 0x100, font);
    EXPECT_GT(CountPixels(ScreenSurface, MapColour(ScreenSurface, 255, 255, 0)), 10);

    SDL_Surface* twoLines = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    DrawTwoLineText(twoLines, ("I " + std::string(60, 'W')).c_str(), 5, 100, 255, 255, 255, font);
    MakeTestScreen();
    DrawText(ScreenSurface, "I", 5, 100, 255, 255, 255, font);
    DrawText(ScreenSurface, std::string(60, 'W').c_str(), 5, 110, 255, 255, 255, font);
    EXPECT_EQ(WrongPixels(ScreenSurface, [&](int x, int y) { return PixelAt(twoLines, x, y); }), 0);
    SDL_FreeSurface(twoLines);
    TTF_CloseFont(font);
}
