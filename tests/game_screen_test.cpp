// The game screen in process: touches, the cursor's limits, presses, menus and removing games,
// grid cells and panel. Removing the last game, its files and snapshots: e2e_test.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "frame/state.h"
#include "graphics/draw.h"
#include "screens/game_screen.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

class GameScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override { StartScreens(); }
    void TearDown() override { ReleaseCard(); }
    void Open(const GameSetup& game) // Anna's only game, opened as home's B does
    {
        WritePlayer(card.store(), {"vok_anna", "Anna"});
        std::remove((card / ("vok_anna/" + game.folder + "/vok.desc.default")).c_str());
        WriteGame(card.store(), "vok_anna", game);
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

// Releases of the first mouse button without a menu map to 25-pixel cells from (35, 35) that
// have a text (26 here); a notice neither blocks them nor is cleared.
TEST_F(GameScreenInProcess, Touches)
{
    Open(CountedGame("racer", 26, 26));
    const struct { int x, y, button, popup, notice, column, row; } cases[] = {
        {160, 100, 1, 0, 1, 6, 3}, {59, 59, 1, 0, 0, 1, 1}, {60, 60, 1, 0, 0, 2, 2}, {284, 59, 1, 0, 0, 10, 1},
        // past the texts, off the grid, another mouse button, a menu open: the cursor stays
        {185, 100, 1, 0, 0, 9, 9}, {160, 170, 1, 0, 0, 9, 9}, {20, 100, 1, 0, 0, 9, 9}, {285, 60, 1, 0, 0, 9, 9},
        {60, 34, 1, 0, 0, 9, 9}, {65535, 65535, 1, 0, 0, 9, 9}, {160, 100, 3, 0, 0, 9, 9}, {160, 100, 1, 3, 0, 9, 9},
    };
    for (const auto& c : cases) {
        GridColumn = GridRow = 9;
        PopupId = c.popup;
        NoticeId = c.notice;
        PushTouch(c.x, c.y, c.button);
        GameScreen();
        EXPECT_EQ(Ints({GridColumn, GridRow, NoticeId}), Ints({c.column, c.row, c.notice})) << c.x << "," << c.y;
    }
}

// 23 texts: the cursor reaches index 22 (row 3, column 3), column 10 is the right edge, nothing
// lies before index 0. 60 texts: it stops at row 5, the grid frame's last. No texts: it cannot
// move and there is no panel.
TEST_F(GameScreenInProcess, CursorStaysOnCellsWithText)
{
    const struct { int texts, button, times, column, row; } steps[] = {
        {23, ButtonUp, 1, 1, 1}, {23, ButtonLeft, 1, 1, 1}, {23, ButtonRight, 12, 10, 1},
        {23, ButtonDown, 1, 10, 2}, {23, ButtonDown, 1, 10, 2}, {23, ButtonLeft, 7, 3, 2},
        {23, ButtonDown, 1, 3, 3}, {23, ButtonRight, 1, 3, 3}, {23, ButtonDown, 1, 3, 3}, {23, ButtonUp, 3, 3, 1},
        {60, ButtonDown, 9, 1, 5}, {60, ButtonRight, 12, 10, 5}, {60, ButtonDown, 1, 10, 5}, {60, ButtonUp, 1, 10, 4},
        {0, ButtonRight, 1, 1, 1}, {0, ButtonDown, 1, 1, 1}, {0, ButtonLeft, 1, 1, 1}, {0, ButtonUp, 1, 1, 1},
    };
    for (const auto& s : steps) {
        if (&s == steps || s.texts != (&s)[-1].texts) Open(CountedGame("racer", s.texts, 23));
        ASSERT_EQ(AchievementTexts.size(), size_t(s.texts));
        Press(s.button, s.times);
        EXPECT_EQ(Ints({GridColumn, GridRow}), Ints({s.column, s.row})) << "step " << &s - steps;
    }
    for (int y = 166; y < 213; ++y)
        for (int x = 35; x < 284; ++x)
            ASSERT_EQ(ScreenPixel(x, y), ScreenPixel(33, 190)) << "an empty panel " << x << "," << y;
}

// B and X rest without a menu; L and R wrap over the games, reload and reset the cursor; the menu
// wraps and takes the other keys; its removal item opens menu 4 on the cancelling line; the menu
// key closes it; a notice takes one press. Removing the shown game shows the next from its first
// cell; with one game left L reloads it and the L/R hint goes.
TEST_F(GameScreenInProcess, PressesMenusAndRemovingGames)
{
    ButtonLSurface = SolidSurface(14, 12, 0xFF0000);
    WriteGame(card.store(), "vok_anna", CountedGame("alpha", 26, 26));
    Open(CountedGame("beta", 26, 26));
    ASSERT_EQ(GameFolders, GameOrder(card.store(), "vok_anna"));
    // A notice raised before the press; after it no notice and the game screen.
    const struct { int notice, button, popup, cursor, games, selected, column; } steps[] = {
        {0, ButtonB, 0, 0, 2, 0, 1}, {0, ButtonX, 0, 0, 2, 0, 1}, {0, ButtonRight, 0, 0, 2, 0, 2},
        {0, ButtonL, 0, 0, 2, 1, 1}, {0, ButtonRight, 0, 0, 2, 1, 2}, {0, ButtonR, 0, 0, 2, 0, 1},
        // menu 3 wraps and takes the other keys; its removal item opens menu 4
        {0, ButtonRight, 0, 0, 2, 0, 2}, {0, ButtonMenu, 3, 0, 2, 0, 2}, {0, ButtonUp, 3, 2, 2, 0, 2},
        {0, ButtonDown, 3, 0, 2, 0, 2}, {0, ButtonDown, 3, 1, 2, 0, 2}, {0, ButtonR, 3, 1, 2, 0, 2},
        {0, ButtonX, 4, 1, 2, 0, 2}, {0, ButtonDown, 4, 0, 2, 0, 2}, {0, ButtonMenu, 0, 0, 2, 0, 2},
        {6, ButtonY, 0, 0, 2, 0, 2},
        // removing the shown game
        {0, ButtonMenu, 3, 0, 2, 0, 2}, {0, ButtonDown, 3, 1, 2, 0, 2}, {0, ButtonB, 4, 1, 2, 0, 2},
        {0, ButtonUp, 4, 0, 2, 0, 2}, {0, ButtonB, 0, 0, 1, 0, 1},
    };
    for (const auto& s : steps) {
        NoticeId = s.notice;
        Press(s.button);
        EXPECT_EQ(Ints({PopupId, PopupCursor, ScreenMode, int(GameFolders.size()), SelectedGame, GridColumn, NoticeId}),
                  Ints({s.popup, s.cursor, ScreenGame, s.games, s.selected, s.column, 0})) << "step " << &s - steps;
        EXPECT_TRUE(&s != steps || Shows(107, 222, 0xFF0000)) << "the L/R hint for two games";
    }
    GameTitle = "changed";
    GridColumn = 2;
    Press(ButtonL);
    EXPECT_EQ(Ints({SelectedGame, GridColumn}), Ints({0, 1}));
    EXPECT_EQ(GameTitle, "Game");
    EXPECT_FALSE(Shows(107, 222, 0xFF0000)) << "no L/R hint for one game";
    FreeSurface(&ButtonLSurface);
}

// The panel's pixels, or with `name` the panel drawn afresh from that name and description.
static std::vector<uint32_t> Panel(const std::string& name = "", const std::string& description = "")
{
    if (!name.empty()) {
        ClearScreen();
        FillRoundRect({31, 165, 257, 50}, ScreenColour(255, 199, 140));
        DrawText(ScreenSurface, name.c_str(), 35, 165, 0, 0, 0, FontSmall);
        DrawTwoLineText(ScreenSurface, description.c_str(), 35, 185, 0, 0, 0, FontSmall);
    }
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 257 * 50; ++i) pixels.push_back(ScreenPixel(31 + i % 257, 165 + i / 257));
    return pixels;
}

// A cell shows the icon only when unlocked and it has one, else the locked or unlocked
// placeholder; ids outside 1 to 50 have none; ten cells a row. The panel: name with points and a
// two-line description; texts 24 and 25 for a hidden locked achievement, its own once unlocked;
// the first text when no id matches; without a record, the text at that position, no points.
TEST_F(GameScreenInProcess, GridCellsAndPanel)
{
    const uint32_t icon = 0x00FF00, locked = 0xFF0000, unlocked = 0x0000FF;
    LockedSurface = SolidSurface(20, 20, locked);
    UnlockedSurface = SolidSurface(20, 20, unlocked);
    GameSetup game = CountedGame("racer", 12, 0);
    game.texts[6].description = "A description long enough to need a second line on the panel of the screen";
    game.records = {{7, 7, 0, 1}, {8, 1, 0, 1}, {9, 1, 0, 0}, {60, 6, 0, 1}, {0, 1, 0, 1}, {-3, 1, 0, 1},
                    {50, 1, 0, 1}, {2, 2, 1, 0}, {2, 1, 0, 0}, {3, 1, 0, 0}, {7, 1, 0, 1}};
    game.iconIds = {7, 9, 50};
    Open(game);
    ASSERT_EQ(Achievements.size(), 11u);
    Press(ButtonDown); // the cursor away from the first row
    const uint32_t cells[] = {icon, unlocked, locked, unlocked, unlocked, unlocked, icon, locked, locked, locked, icon};
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(Shows(45 + 25 * (i % 10), 45 + 25 * (i / 10), cells[i])) << "cell " << i;
    const struct { int cell, unlockHidden; std::string name, description; } cases[] = {
        {0, 0, "Name7 (7)", game.texts[6].description},
        {7, 0, LanguageTable.GetText(TextHiddenName), LanguageTable.GetText(TextHiddenDescription)},
        {7, 1, "Name2 (2)", "Description 2"}, {3, 0, "Name1 (6)", "Description 1"}, {11, 0, "Name12", "Description 12"},
    };
    for (const auto& c : cases) {
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

// vok.progress of the opened game: records of id, current, target, unlock time.
static void WriteProgress(const std::string& game, const std::vector<CardProgress>& records)
{
    std::string bytes;
    for (const CardProgress& p : records) {
        unsigned char record[CARD_PROGRESS_RECORD_SIZE];
        CardEncodeProgress(&p, record);
        bytes.append(reinterpret_cast<char*>(record), sizeof record);
    }
    WriteFile(game + "vok.progress", bytes);
}

// The panel drawn afresh as without vok.progress, then the row under the name: a date, or a
// bar of `filled` pixels out of 118 and its count.
static std::vector<uint32_t> PanelWith(const std::string& name, const std::string& description, const std::string& date,
                                       int filled = -1, const std::string& count = "")
{
    Panel(name, description);
    if (!date.empty()) DrawText(ScreenSurface, date.c_str(), 35, 175, 0, 0, 0, FontSmall);
    if (filled >= 0) {
        SDL_Rect frame = MakeRect(35, 177, 120, 7), empty = MakeRect(36, 178, 118, 5), bar = MakeRect(36, 178, filled, 5);
        SDL_FillRect(ScreenSurface, &frame, ScreenColour(0, 0, 0));
        SDL_FillRect(ScreenSurface, &empty, ScreenColour(255, 255, 255));
        if (filled > 0) SDL_FillRect(ScreenSurface, &bar, ScreenColour(0, 150, 0));
        DrawText(ScreenSurface, count.c_str(), 160, 175, 0, 0, 0, FontSmall);
    }
    return Panel();
}

// Under the name: the date an unlocked achievement was unlocked, in the player's language and
// its usual form; a bar and "current / target" for a locked one with a target, current held to
// 0..target. Nothing of a hidden locked one, of an unlocked one without a time, of a locked one
// without a target, of a record for another id; with no vok.progress, the panel of before. The
// bar itself: empty, half and full pixels, green on white in a black frame.
TEST_F(GameScreenInProcess, PanelShowsUnlockDateAndProgress)
{
    GameSetup game = CountedGame("racer", 8, 0);
    game.records = {{1, 5, 0, 1}, {2, 5, 0, 0}, {3, 5, 1, 0}, {4, 5, 0, 1}, {5, 5, 0, 0}, {6, 5, 0, 0}, {7, 5, 0, 0}, {8, 5, 0, 1}};
    Open(game);
    const std::string folder = card / "vok_anna/racer/";
    WriteProgress(folder, {{1, 0, 0, 1714564800UL}, {2, 1, 2, 0}, {3, 5, 10, 0}, {5, 500, 100, 0}, {6, -5, 100, 0},
                           {7, 3, 0, 0}, {9, 1, 2, 3}, {2, 37, 100, 0}, {8, 0, 0, 0}});
    const struct { const char* language; int cell; std::string date; int filled; std::string count; } cases[] = {
        {"English", 0, "Unlocked on 1 May 2024", -1, ""}, {"Deutsch", 0, "Freigeschaltet am 01.05.2024", -1, ""},
        {"Fran\xe7" "ais", 0, "D\xe9" "bloqu\xe9 le 01/05/2024", -1, ""}, {"Espa\xf1" "ol", 0, "Desbloqueado el 01/05/2024", -1, ""},
        {"English", 1, "", 43, "37 / 100"}, {"Deutsch", 1, "", 43, "37 / 100"}, {"English", 4, "", 118, "100 / 100"},
        {"English", 5, "", 0, "0 / 100"}, {"English", 2, "", -1, ""}, {"English", 3, "", -1, ""}, {"English", 6, "", -1, ""},
        {"English", 7, "", -1, ""},
    };
    for (const auto& c : cases) {
        ResetScreens(card.store());
        ListGames();
        LoadSelectedGame();
        LanguageTable.SetLanguage(c.language);
        ScreenMode = ScreenGame;
        GridColumn = c.cell + 1;
        GridRow = 1;
        Press(ButtonB, 0);
        const std::vector<uint32_t> shown = Panel();
        const bool hidden = c.cell == 2;
        const std::string name = hidden ? LanguageTable.GetText(TextHiddenName) : "Name" + std::to_string(c.cell + 1) + " (5)";
        const std::string description = hidden ? LanguageTable.GetText(TextHiddenDescription) : "Description " + std::to_string(c.cell + 1);
        EXPECT_TRUE(shown == PanelWith(name, description, c.date, c.filled, c.count)) << c.language << " cell " << c.cell;
    }
    ResetScreens(card.store());
    ListGames();
    LoadSelectedGame();
    LanguageTable.SetLanguage("English");
    GridColumn = 2;
    Press(ButtonB, 0);
    EXPECT_TRUE(Shows(35, 180, 0x000000) && Shows(36 + 42, 180, 0x009600) && Shows(36 + 43, 180, 0xFFFFFF) &&
                Shows(154, 180, 0x000000)) << "frame, 43 of 118 filled, white after";

    std::remove((folder + "vok.progress").c_str()); // no file: exactly the panel of before
    LoadSelectedGame();
    for (int cell : {0, 1}) {
        GridColumn = cell + 1;
        Press(ButtonB, 0);
        EXPECT_TRUE(Panel() == Panel("Name" + std::to_string(cell + 1) + " (5)", "Description " + std::to_string(cell + 1)));
    }
}

// A hostile vok.progress: a FIFO without a writer reads as missing and does not hang; a 2 GB
// sparse file costs its first 100 records; huge and negative values draw a full or an empty
// bar, never past its frame, and a negative target none.
TEST_F(GameScreenInProcess, HostileProgressFiles)
{
    GameSetup game = CountedGame("racer", 3, 3);
    Open(game);
    const std::string file = card / "vok_anna/racer/vok.progress";
    ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
    LoadSelectedGame();
    EXPECT_TRUE(AchievementProgress.empty());
    std::remove(file.c_str());
    std::string records;
    for (int i = 0; i < 100; ++i) records += Int32s({1, INT32_MAX, INT32_MAX, 0, 2, INT32_MIN, 5, 0, 3, 7, INT32_MIN, -1});
    WriteFile(file, records.substr(0, 100 * 16));
    ASSERT_EQ(truncate(file.c_str(), 2147483648LL), 0);
    LoadSelectedGame();
    EXPECT_EQ(AchievementProgress.size(), 100u);
    const struct { int cell; int filled; std::string count; } cases[] = {{0, 118, "2147483647 / 2147483647"}, {1, 0, "0 / 5"}, {2, -1, ""}};
    for (const auto& c : cases) {
        GridColumn = c.cell + 1;
        Press(ButtonB, 0);
        EXPECT_TRUE(Panel() == PanelWith("Name" + std::to_string(c.cell + 1) + " (" + std::to_string(c.cell + 1) + ")",
                                         "Description " + std::to_string(c.cell + 1), "", c.filled, c.count)) << c.cell;
    }
}

// Every pixel of ScreenSurface, 0xRRGGBB, row by row.
static std::vector<uint32_t> ScreenPixels()
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) pixels.push_back(ScreenPixel(x, y));
    return pixels;
}

// The grid area (frame, cells, header) is kept between frames and copied; whatever it shows that
// changes without a press is drawn at once: a cell unlocked by a recompute, new counts, another
// title, an image replaced (perhaps at the same address), another game loaded.
TEST_F(GameScreenInProcess, KeptGridAreaIsNeverStale)
{
    LockedSurface = SolidSurface(20, 20, 0xFF0000);
    UnlockedSurface = SolidSurface(20, 20, 0x0000FF);
    GameSetup game = CountedGame("racer", 12, 0);
    game.records = {{1, 1, 0, 1}, {2, 1, 0, 0}, {3, 1, 0, 1}};
    game.iconIds = {1};
    Open(game);
    ASSERT_EQ(Achievements.size(), 3u);
    const auto kept = [&] { Press(ButtonB, 0); return ScreenPixels(); };
    const auto fresh = [&] {
        DrawingCaches = false;
        Press(ButtonB, 0);
        DrawingCaches = true;
        return ScreenPixels();
    };
    const std::function<void()> changes[] = {
        [] {},
        [] { Achievements[1].unlocked = !Achievements[1].unlocked; },
        [] { Achievements[0].unlocked = !Achievements[0].unlocked; },
        [] { GameSummary.unlockedCount += 1; },
        [] { GameSummary.pointsPossible += 5; },
        [] { GameTitle = "Another title"; },
        [] { GameAuthor = "Someone else"; },
        [] { FreeSurface(&UnlockedSurface); UnlockedSurface = SolidSurface(20, 20, 0x00FF00); },
        [] { FreeSurface(&LockedSurface); LockedSurface = SolidSurface(20, 20, 0xFFFF00); },
        [] { Achievements.pop_back(); },
        [] { LoadSelectedGame(); },
    };
    int i = 0;
    for (const auto& change : changes) {
        kept(); // kept from here on
        change();
        const std::vector<uint32_t> shown = kept();
        EXPECT_TRUE(shown == fresh()) << "change " << i;
        ++i;
    }
    FreeSurface(&LockedSurface);
    FreeSurface(&UnlockedSurface);
}
