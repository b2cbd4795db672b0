// The game screen in process: touches, the cursor's limits, menu keys and removing games,
// stepping through games, grid cells and panel. Removal's files and snapshots: e2e_test.
#include <gtest/gtest.h>
#include <cstdio>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "screens/game_screen.h"
#include "store/game_files.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

class GameScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        LanguageTable.SetLanguage("English");
        WritePlayer(card.store(), {"vok_anna", "Anna"});
    }
    void TearDown() override { ReleaseCard(); }
    void Open() // as home's B does
    {
        ResetScreens(card.store());
        ListGames();
        LoadSelectedGame();
        ScreenMode = ScreenGame;
    }
    void Press(int button, int times = 1) // one frame on a fresh background; times 0: no press
    {
        for (int i = 0; i < times; ++i) PushButton(button);
        ClearScreen();
        GameScreen();
    }
    TempDir card;
};

// Touch releases map to 25-pixel cells from (35, 35), only onto cells that have a text
// (26 here), only with the first mouse button and no menu open; a notice neither blocks
// them nor is cleared by them.
TEST_F(GameScreenInProcess, Touches)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 26, 26));
    Open();
    // The touch (position, mouse button) with a popup and a notice open, then the cursor after it.
    struct Case { int x, y, button, popup, notice, column, row; };
    const Case cases[] = {
        //  x      y      button popup notice column row
        // onto cells with a text, a notice kept
        {   160,   100,   1,     0,    1,     6,     3},
        {   59,    59,    1,     0,    0,     1,     1},
        {   60,    60,    1,     0,    0,     2,     2},
        {   284,   59,    1,     0,    0,     10,    1},
        // past the texts, off the grid, another mouse button, a menu open: the cursor stays
        {   185,   100,   1,     0,    0,     9,     9},
        {   160,   170,   1,     0,    0,     9,     9},
        {   20,    100,   1,     0,    0,     9,     9},
        {   285,   60,    1,     0,    0,     9,     9},
        {   60,    34,    1,     0,    0,     9,     9},
        {   65535, 65535, 1,     0,    0,     9,     9},
        {   160,   100,   3,     0,    0,     9,     9},
        {   160,   100,   1,     3,    0,     9,     9},
    };
    for (const Case& c : cases) {
        GridColumn = GridRow = 9;
        PopupId = c.popup;
        NoticeId = c.notice;
        PushTouch(c.x, c.y, c.button);
        GameScreen();
        EXPECT_EQ(std::vector({GridColumn, GridRow, NoticeId}), std::vector({c.column, c.row, c.notice}))
            << c.x << "," << c.y;
    }
}

// With 23 texts the cursor reaches index 22 (row 3, column 3) and no further; column 10 is
// the right edge; nothing lies before index 0. Without texts it cannot move and there is
// no panel. With more than 50 it stops at row 5, the last in the grid's frame.
TEST_F(GameScreenInProcess, CursorStaysOnCellsWithText)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 23, 23));
    Open();
    struct Step { int button, times, column, row; };
    const Step steps[] = {
        {ButtonUp, 1, 1, 1}, {ButtonLeft, 1, 1, 1}, {ButtonRight, 12, 10, 1},
        {ButtonDown, 1, 10, 2}, {ButtonDown, 1, 10, 2}, {ButtonLeft, 7, 3, 2},
        {ButtonDown, 1, 3, 3}, {ButtonRight, 1, 3, 3}, {ButtonDown, 1, 3, 3},
        {ButtonUp, 3, 3, 1},
    };
    for (const Step& s : steps) {
        Press(s.button, s.times);
        EXPECT_EQ(std::vector({GridColumn, GridRow}), std::vector({s.column, s.row})) << s.button;
    }
    std::remove((card / "vok_anna/racer/vok.desc.default").c_str());
    Open();
    ASSERT_TRUE(AchievementTexts.empty());
    for (int button : {ButtonRight, ButtonDown, ButtonLeft, ButtonUp})
        Press(button);
    EXPECT_EQ(GridColumn * GridRow, 1);
    for (int y = 166; y < 213; ++y)
        for (int x = 35; x < 284; ++x)
            ASSERT_EQ(ScreenPixel(x, y), ScreenPixel(33, 190)) << "an empty panel " << x << "," << y;

    // with 60 texts the cursor still stays in the frame's five rows: cell 50 and on have no place
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 60, 60));
    Open();
    ASSERT_EQ(AchievementTexts.size(), 60u);
    const Step many[] = {{ButtonDown, 9, 1, 5}, {ButtonRight, 12, 10, 5}, {ButtonDown, 1, 10, 5}, {ButtonUp, 1, 10, 4}};
    for (const Step& s : many) {
        Press(s.button, s.times);
        EXPECT_EQ(std::vector({GridColumn, GridRow}), std::vector({s.column, s.row})) << s.button;
    }
}

// Presses and the state after each: B and X rest without a menu; L and R wrap over the
// games, reload and reset the cursor; the menu wraps and takes the other keys; confirming
// its removal item opens menu 4 on the cancelling line; the menu key closes it; a notice
// takes one press. Removing the shown game shows the next from its first cell; with one
// game left L reloads it and the L/R hint goes. Removing the last one: e2e_test.
TEST_F(GameScreenInProcess, PressesMenusAndRemovingGames)
{
    ButtonLSurface = SolidSurface(14, 12, 0xFF0000);
    for (const char* folder : {"alpha", "beta"})
        WriteGame(card.store(), "vok_anna", CountedGame(folder, 26, 26));
    Open();
    ASSERT_EQ(GameFolders, GameOrder(card.store(), "vok_anna"));
    // Raised before the press, the button, then the popup, its cursor, the games listed, the game
    // selected and the cursor's column; every press leaves no notice and the game screen.
    struct Step { int notice, button, popup, cursor, games, selected, column; };
    const Step steps[] = {
        //  notice  button       popup cursor games selected column
        // without a menu: B and X rest, L and R switch games
        {   0,      ButtonB,     0,    0,     2,    0,       1},
        {   0,      ButtonX,     0,    0,     2,    0,       1},
        {   0,      ButtonRight, 0,    0,     2,    0,       2},
        {   0,      ButtonL,     0,    0,     2,    1,       1},
        {   0,      ButtonRight, 0,    0,     2,    1,       2},
        {   0,      ButtonR,     0,    0,     2,    0,       1},
        // menu 3 wraps and takes the other keys; its removal item opens menu 4
        {   0,      ButtonRight, 0,    0,     2,    0,       2},
        {   0,      ButtonMenu,  3,    0,     2,    0,       2},
        {   0,      ButtonUp,    3,    2,     2,    0,       2},
        {   0,      ButtonDown,  3,    0,     2,    0,       2},
        {   0,      ButtonDown,  3,    1,     2,    0,       2},
        {   0,      ButtonR,     3,    1,     2,    0,       2},
        {   0,      ButtonX,     4,    1,     2,    0,       2},
        // the menu key closes it; a notice takes one press
        {   0,      ButtonDown,  4,    0,     2,    0,       2},
        {   0,      ButtonMenu,  0,    0,     2,    0,       2},
        {   6,      ButtonY,     0,    0,     2,    0,       2},
        // removing the shown game
        {   0,      ButtonMenu,  3,    0,     2,    0,       2},
        {   0,      ButtonDown,  3,    1,     2,    0,       2},
        {   0,      ButtonB,     4,    1,     2,    0,       2},
        {   0,      ButtonUp,    4,    0,     2,    0,       2},
        {   0,      ButtonB,     0,    0,     1,    0,       1},
    };
    for (const Step& s : steps) {
        NoticeId = s.notice;
        Press(s.button);
        const int games = int(GameFolders.size());
        EXPECT_EQ(std::vector({PopupId, PopupCursor, ScreenMode, games, SelectedGame, GridColumn, NoticeId}),
                  std::vector({s.popup, s.cursor, 3, s.games, s.selected, s.column, 0}))
            << "step " << &s - steps;
        EXPECT_TRUE(&s != steps || Near(ScreenPixel(107, 222), 255, 0, 0)) << "the L/R hint for two games";
    }
    GameTitle = "changed";
    GridColumn = 2;
    Press(ButtonL);
    EXPECT_EQ(std::vector({SelectedGame, GridColumn}), std::vector({0, 1}));
    EXPECT_EQ(GameTitle, "Game");
    EXPECT_FALSE(Near(ScreenPixel(107, 222), 255, 0, 0)) << "no L/R hint for one game";
    FreeSurface(&ButtonLSurface);
}

// The panel pixels, or with `name` the panel as drawn afresh from that name and description.
static std::vector<uint32_t> Panel(const std::string& name = "", const std::string& description = "")
{
    if (!name.empty()) {
        ClearScreen();
        FillRoundRect({31, 165, 257, 50}, ScreenColour(255, 199, 140));
        DrawText(ScreenSurface, name.c_str(), 35, 165, 0, 0, 0, FontSmall);
        DrawTwoLineText(ScreenSurface, description.c_str(), 35, 185, 0, 0, 0, FontSmall);
    }
    std::vector<uint32_t> pixels;
    for (int y = 165; y < 215; ++y)
        for (int x = 31; x < 288; ++x)
            pixels.push_back(ScreenPixel(x, y));
    return pixels;
}

// A cell shows the achievement's icon only when it is unlocked and has one, else the locked
// or the unlocked placeholder; ids outside 1 to 50 have none; ten cells a row. The panel
// shows the name with points and the description on up to two lines; texts 24 and 25 for
// a hidden locked achievement, its own once unlocked; the first text when no id matches;
// where the game wrote no record, the text at that position without points.
TEST_F(GameScreenInProcess, GridCellsAndPanel)
{
    const uint32_t icon = 0x00FF00, locked = 0xFF0000, unlocked = 0x0000FF;
    LockedSurface = SolidSurface(20, 20, locked);
    UnlockedSurface = SolidSurface(20, 20, unlocked);
    GameSetup game = CountedGame("racer", 12, 0);
    game.texts[6].description = "A description long enough to need a second line on the panel of the screen";
    game.records = {
        {7, 7, 0, 1}, {8, 1, 0, 1}, {9, 1, 0, 0}, {60, 6, 0, 1},
        {0, 1, 0, 1}, {-3, 1, 0, 1}, {50, 1, 0, 1}, {2, 2, 1, 0},
        {2, 1, 0, 0}, {3, 1, 0, 0}, {7, 1, 0, 1},
    };
    game.iconIds = {7, 9, 50};
    WriteGame(card.store(), "vok_anna", game);
    Open();
    ASSERT_EQ(Achievements.size(), 11u);
    Press(ButtonDown, 1); // the cursor away from the first row
    const uint32_t cells[] = {
        icon, unlocked, locked, unlocked, unlocked, unlocked, icon, locked, locked, locked, icon,
    };
    for (int i = 0; i < 11; ++i) {
        const uint32_t shown = ScreenPixel(45 + 25 * (i % 10), 45 + 25 * (i / 10));
        EXPECT_TRUE(Near(shown, cells[i] >> 16, (cells[i] >> 8) & 255, cells[i] & 255)) << "cell " << i;
    }
    struct Case { int cell, unlockHidden; std::string name, description; };
    const Case cases[] = {
        {0, 0, "Name7 (7)", game.texts[6].description},
        {7, 0, LanguageTable.GetText(TextHiddenName), LanguageTable.GetText(TextHiddenDescription)},
        {7, 1, "Name2 (2)", "Description 2"},
        {3, 0, "Name1 (6)", "Description 1"},
        {11, 0, "Name12", "Description 12"},
    };
    for (const Case& c : cases) {
        GridColumn = c.cell % 10 + 1;
        GridRow = c.cell / 10 + 1;
        Achievements[7].unlocked = c.unlockHidden;
        Press(ButtonB, 0);
        const std::vector<uint32_t> shown = Panel();
        EXPECT_TRUE(shown == Panel(c.name, c.description)) << c.name;
    }
    FreeSurface(&LockedSurface);
    FreeSurface(&UnlockedSurface);
}
