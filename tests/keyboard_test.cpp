// The on-screen keyboard: the slide of the panel and what it draws, what each touched point
// does, upper case by Shift and Lock, and the 15-character limit.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "tests/support/screens_support.h"

// An open keyboard, its panel still below the screen, its cursor on (2, 4), the name "ab".
class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        if (!FontLarge) FontLarge = TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), 16);
        KeyboardShift = KeyboardLock = KeyFlashRow = KeyFlashColumn = KeyFlashFrames = 0;
        KeyboardOpen = KeyboardSlideStep = 1;
        KeyboardRow = 2;
        KeyboardColumn = 4;
        KeyboardPanelY = 240;
        EditedProfile.name = "ab";
    }
};

// Touches the middle of each key (row, column): rows 1 and 3 start at x 25, rows 2 and 4 at 37.
static void Type(std::initializer_list<std::pair<int, int>> keys)
{
    for (const auto& k : keys) KeyboardPress((k.first % 2 ? 25 : 37) + (k.second - 1) * 25 + 12, 115 + (k.first - 1) * 25 + 12);
}

static std::string At(int row, int column) { return std::to_string(row) + "," + std::to_string(column); }

// The name, the key cursor, the flash and the flags that are set, in one string.
static std::string State()
{
    std::string s = EditedProfile.name + " @" + At(KeyboardRow, KeyboardColumn);
    if (KeyFlashFrames) s += " flash" + std::to_string(KeyFlashFrames) + "@" + At(KeyFlashRow, KeyFlashColumn);
    return s + (KeyboardLock ? " lock" : "") + (KeyboardShift ? " shift" : "") + (KeyboardOpen ? "" : " closed");
}

static std::vector<int> Slide(int frames, std::vector<int> ys = {}) // the panel's y after each frame
{
    for (int i = 0; i < frames; ++i) {
        DrawKeyboard();
        ys.push_back(KeyboardPanelY);
    }
    return ys;
}

// Pixels of one colour on the 24 x 24 key at (x0, y0).
static int Count(int x0, int y0, uint32_t rgb, int n = 0)
{
    for (int i = 0; i < 24 * 24; ++i) n += Shows(x0 + i % 24, y0 + i / 24, rgb);
    return n;
}

// The panel glides up 2, 4, 8, 16 ... pixels to 113, draws the flashed label red and a special
// key's image over the cursor (every key in its place: the tour); back at 240 the step is 1 again.
TEST_F(Keyboard, PanelSlidesAndDraws)
{
    DeleteKeySurface = SolidSurface(24, 24, 0x0000FF);
    EXPECT_EQ(Slide(12), (std::vector<int>{238, 234, 226, 210, 194, 178, 162, 146, 130, 114, 113, 113}));
    Type({{2, 3}}); // "e" flashes; the cursor goes under Delete
    KeyboardRow = 1;
    KeyboardColumn = 11;
    DrawKeyboard();
    EXPECT_GT(Count(85, 140, 0xFF0000), 5);
    EXPECT_EQ(Count(273, 115, 0x0000FF), 24 * 24);
    KeyboardOpen = 0;
    EXPECT_EQ(Slide(8), (std::vector<int>{129, 145, 161, 177, 193, 209, 225, 240}));
    EXPECT_TRUE(Slide(1) == std::vector<int>{240} && KeyboardSlideStep == 1);
    FreeSurface(&DeleteKeySurface);
}

// Touches two pixels past the drawn keys (row 1 from x 25, y 115 to x 299, row 2 to x 286, row 4
// to y 214): keys beyond a row and points outside do nothing. Shift is one-shot and survives the
// space; Lock stays. A full name takes only Delete, Lock, Shift and Return, refused keys leave
// the cursor alone, and so does Delete on an empty name.
TEST_F(Keyboard, TouchesUpperCaseAndTheNameLimit)
{
    const struct { int x, y; const char* state; } cases[] = {
        {25, 120, "ab1 @1,1 flash8@1,1"}, {24, 120, "ab @2,4"}, {299, 120, "a @1,11"},
        {300, 120, "ab @2,4"}, {40, 114, "ab @2,4"}, {36, 140, "ab @2,4"}, {290, 140, "ab @2,4"},
        {280, 170, "ab @3,11 closed"}, {40, 214, "ab @4,1 shift"}, {40, 215, "ab @2,4"},
        {250, 195, "ab  @4,9"}, {265, 195, "ab @2,4"},
    };
    for (const auto& c : cases) {
        SetUp();
        KeyboardPress(c.x, c.y);
        EXPECT_EQ(State(), c.state) << c.x << "," << c.y;
    }
    SetUp();
    Type({{4, 1}, {3, 2}, {4, 6}, {3, 1}, {3, 2}, {4, 6}, {3, 1}, {4, 1}, {4, 9}, {2, 2}, {2, 2}});
    EXPECT_EQ(EditedProfile.name, "abAbAB Ww");
    EditedProfile.name = "abcdefghijklmno";
    Type({{1, 1}, {2, 1}, {3, 5}, {4, 3}, {4, 9}});
    EXPECT_EQ(State(), "abcdefghijklmno @2,2 flash8@2,2");
    Type({{3, 1}, {4, 1}, {1, 11}, {2, 1}});
    EXPECT_EQ(State(), "abcdefghijklmnQ @2,1 flash8@2,1 lock");
    EditedProfile.name.clear();
    Type({{4, 1}, {1, 11}});
    EXPECT_EQ(State(), " @4,1 flash8@2,1 lock shift");
}
