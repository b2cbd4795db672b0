// The on-screen keyboard: the slide of the panel, the touch areas, upper case by Shift and
// Lock, the 15-character limit, the key cursor and flash, and what the panel draws.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "frame/state.h"
#include "graphics/media.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        if (!FontLarge) FontLarge = TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), 16);
        KeyboardOpen = 0;
        KeyboardRow = 1;
        KeyboardColumn = 1;
        KeyboardShift = 0;
        KeyboardLock = 0;
        KeyFlashRow = 0;
        KeyFlashColumn = 0;
        KeyFlashFrames = 0;
        KeyboardPanelY = 240;
        KeyboardSlideStep = 1;
        EditedProfile = ProfileRecord();
        ClearScreen();
    }
    void TearDown() override
    {
        FreeSurface(&SelectKeySurface);
        FreeSurface(&DeleteKeySurface);
        FreeSurface(&ReturnKeySurface);
        FreeSurface(&LockKeySurface);
        FreeSurface(&CapsKeySurface);
    }
    // The middle of the touch area of a key: rows 1 and 3 start at x 25, rows 2 and 4 at 37.
    static void Touch(int row, int column)
    {
        KeyboardPress((row % 2 ? 25 : 37) + (column - 1) * 25 + 12, 115 + (row - 1) * 25 + 12);
    }
    static void OpenFully()
    {
        KeyboardOpen = 1;
        for (int i = 0; i < 12; ++i) DrawKeyboard();
    }
    std::string& name = EditedProfile.name;
};

// The panel glides in 2, 4, 8, 16 ... pixel steps, stops at 113, and back down to 240,
// after which the step is 1 again and nothing is drawn.
TEST_F(Keyboard, PanelSlidesUpAndDown)
{
    KeyboardOpen = 1;
    std::vector<int> up;
    for (int i = 0; i < 12; ++i) {
        DrawKeyboard();
        up.push_back(KeyboardPanelY);
    }
    EXPECT_EQ(up, (std::vector<int>{238, 234, 226, 210, 194, 178, 162, 146, 130, 114, 113, 113}));
    EXPECT_EQ(KeyboardSlideStep, 16);

    KeyboardOpen = 0;
    std::vector<int> down;
    for (int i = 0; i < 8; ++i) {
        DrawKeyboard();
        down.push_back(KeyboardPanelY);
    }
    EXPECT_EQ(down, (std::vector<int>{129, 145, 161, 177, 193, 209, 225, 240}));
    EXPECT_EQ(KeyboardSlideStep, 16);
    ClearScreen();
    DrawKeyboard();
    EXPECT_EQ(KeyboardSlideStep, 1);
    EXPECT_EQ(KeyboardPanelY, 240);
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 320; x += 7) ASSERT_EQ(ScreenPixel(x, y), 0u) << x << "," << y;
}

// The touch areas start two pixels right of the drawn keys and cover the fully open panel.
TEST_F(Keyboard, TouchAreas)
{
    struct Case { int x, y; const char* typed; };
    const Case cases[] = {
        {40, 120, "1"}, {30, 120, "1"}, {20, 120, ""}, {25, 120, "1"}, {24, 120, ""},
        {40, 114, ""}, {40, 115, "1"}, {40, 214, ""}, {40, 215, ""},  // y 214 is row 4, column 1: Shift
        {37, 140, "q"}, {36, 140, ""}, {286, 140, "p"}, {290, 140, ""}, // row 2 has ten keys
        {55, 170, "a"}, {250, 195, " "}, {265, 195, ""},               // row 4: space at 9, nothing at 10
    };
    for (const Case& c : cases) {
        SetUp();
        KeyboardPress(c.x, c.y);
        EXPECT_EQ(name, c.typed) << c.x << "," << c.y;
    }
    SetUp();
    KeyboardPress(40, 170);
    EXPECT_EQ(KeyboardLock, 1);
    EXPECT_EQ(name, "");
    EXPECT_EQ(KeyboardRow, 3);
    EXPECT_EQ(KeyboardColumn, 1);
    SetUp();
    KeyboardPress(40, 214);
    EXPECT_EQ(KeyboardShift, 1);
    name = "ab";
    KeyboardPress(299, 120); // the right-most pixel of Delete
    EXPECT_EQ(name, "a");
    KeyboardPress(300, 120);
    EXPECT_EQ(name, "a");
}

// Shift is one-shot, Lock stays; the space does not release Shift; digits are never shifted.
TEST_F(Keyboard, ShiftAndLock)
{
    Touch(4, 1);  // Shift
    Touch(3, 2);  // a
    Touch(4, 6);  // b
    EXPECT_EQ(name, "Ab");
    EXPECT_EQ(KeyboardShift, 0);

    name.clear();
    Touch(3, 1);  // Lock
    Touch(3, 2);
    Touch(4, 6);
    EXPECT_EQ(name, "AB");
    Touch(3, 1);  // Lock again: off
    Touch(2, 1);
    EXPECT_EQ(name, "ABq");

    name.clear();
    Touch(4, 1);
    Touch(4, 9);  // space keeps Shift for the next letter
    Touch(2, 2);
    Touch(2, 2);
    EXPECT_EQ(name, " Ww");
    Touch(4, 1);
    Touch(1, 3);  // a digit releases Shift
    Touch(2, 3);
    EXPECT_EQ(name, " Ww3e");
}

// Every key moves the cursor onto itself; characters also flash for eight frames.
TEST_F(Keyboard, CursorAndFlash)
{
    Touch(2, 5);
    EXPECT_EQ(name, "t");
    EXPECT_EQ(KeyboardRow, 2);
    EXPECT_EQ(KeyboardColumn, 5);
    EXPECT_EQ(KeyFlashRow, 2);
    EXPECT_EQ(KeyFlashColumn, 5);
    EXPECT_EQ(KeyFlashFrames, 8);
    for (int i = 0; i < 8; ++i) DrawKeyboard();
    EXPECT_EQ(KeyFlashFrames, 0);
    DrawKeyboard();
    EXPECT_EQ(KeyFlashFrames, 0);

    Touch(4, 9);
    EXPECT_EQ(name, "t ");
    EXPECT_EQ(KeyFlashFrames, 0); // the space does not flash
    EXPECT_EQ(KeyboardRow, 4);
    EXPECT_EQ(KeyboardColumn, 9);
    Touch(1, 11);
    EXPECT_EQ(name, "t");
    EXPECT_EQ(KeyboardRow, 1);
    EXPECT_EQ(KeyboardColumn, 11);
    Touch(4, 1);
    EXPECT_EQ(KeyboardRow, 4);
    EXPECT_EQ(KeyboardColumn, 1);
    KeyboardOpen = 1;
    Touch(3, 11); // Return closes
    EXPECT_EQ(KeyboardOpen, 0);
    EXPECT_EQ(KeyboardRow, 3);
    EXPECT_EQ(KeyboardColumn, 11);
}

// A full name takes only Delete, Lock, Shift and Return; the refused keys leave the
// cursor and the flash alone. Delete on an empty name does nothing at all.
TEST_F(Keyboard, FifteenCharacterLimitAndEmptyDelete)
{
    name = "abcdefghijklmno";
    KeyboardRow = 2;
    KeyboardColumn = 4;
    Touch(1, 1);
    Touch(2, 1);
    Touch(3, 5);
    Touch(4, 3);
    Touch(4, 9);
    EXPECT_EQ(name, "abcdefghijklmno");
    EXPECT_EQ(KeyboardRow, 2);
    EXPECT_EQ(KeyboardColumn, 4);
    EXPECT_EQ(KeyFlashFrames, 0);
    Touch(3, 1);
    EXPECT_EQ(KeyboardLock, 1);
    Touch(4, 1);
    EXPECT_EQ(KeyboardShift, 1);
    Touch(1, 11);
    EXPECT_EQ(name, "abcdefghijklmn");
    Touch(2, 1);
    EXPECT_EQ(name, "abcdefghijklmnQ");

    name.clear();
    KeyboardRow = 2;
    KeyboardColumn = 4;
    Touch(1, 11);
    EXPECT_EQ(name, "");
    EXPECT_EQ(KeyboardRow, 2);
    EXPECT_EQ(KeyboardColumn, 4);
}

// The open panel: its colour between the keys, purple keys with yellow labels, the flashed
// key's label in red, the cursor image on its key, and the special images over their keys.
TEST_F(Keyboard, DrawsPanelKeysLabelsCursorAndImages)
{
    SelectKeySurface = SolidSurface(24, 24, 0x00FF00);
    DeleteKeySurface = SolidSurface(24, 24, 0x0000FF);
    ReturnKeySurface = SolidSurface(24, 24, 0xFFFFFF);
    LockKeySurface = SolidSurface(24, 24, 0x00FFFF);
    CapsKeySurface = SolidSurface(24, 24, 0x808080);
    Touch(2, 3); // "e": flash and cursor on row 2, column 3
    KeyboardRow = 1;
    KeyboardColumn = 11; // the cursor under the delete image
    OpenFully();
    Touch(2, 3);
    KeyboardRow = 2;
    ClearScreen();
    DrawKeyboard();
    ASSERT_EQ(KeyboardPanelY, 113);
    EXPECT_TRUE(Near(ScreenPixel(22, 114), 192, 192, 255));   // panel left of the first key
    EXPECT_TRUE(Near(ScreenPixel(47, 130), 192, 192, 255));   // gap between two keys
    EXPECT_EQ(ScreenPixel(21, 113), 0u);                      // cut corner of the panel
    EXPECT_TRUE(Near(ScreenPixel(24, 116), 128, 0, 128));     // key 1 of row 1
    EXPECT_EQ(ScreenPixel(23, 115), ScreenPixel(22, 114));    // cut corner of that key
    auto count = [](int x0, int y0, int r, int g, int b) {
        int n = 0;
        for (int y = y0; y < y0 + 24; ++y)
            for (int x = x0; x < x0 + 24; ++x) n += Near(ScreenPixel(x, y), r, g, b);
        return n;
    };
    EXPECT_GT(count(48, 115, 255, 255, 0), 5);  // "2" in yellow
    EXPECT_EQ(count(48, 115, 255, 0, 0), 0);
    EXPECT_EQ(count(85, 140, 0, 255, 0), 24 * 24); // cursor on row 2, column 3 ...
    KeyboardRow = 3;
    ClearScreen();
    DrawKeyboard();
    EXPECT_GT(count(85, 140, 255, 0, 0), 5);    // ... and off again: "e" flashes red
    EXPECT_EQ(count(273, 115, 0, 0, 255), 24 * 24);   // delete image
    EXPECT_EQ(count(273, 165, 255, 255, 255), 24 * 24); // return image
    EXPECT_EQ(count(23, 165, 0, 255, 255), 24 * 24);  // lock image
    EXPECT_EQ(count(35, 190, 128, 128, 128), 24 * 24); // caps image
    KeyboardRow = 1;
    KeyboardColumn = 11;
    ClearScreen();
    DrawKeyboard();
    EXPECT_EQ(count(273, 115, 0, 0, 255), 24 * 24); // drawn over the cursor
}

} // namespace
