// The game screen: the grid cursor and its limits, touches, stepping through the games,
// the grid cells and the panel, in process; menus, removal and snapshots through whole
// runs of vok.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "screens/game_screen.h"
#include "screens/notices.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

class GameScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        LanguageTable.SetLanguage("English");
        WritePlayer(card.store(), {"vok_anna", "Anna"});
    }
    void TearDown() override { ReleaseCard(); }
    // Opens the player's games as the home screen's B does.
    void Open()
    {
        ResetScreens(card.store());
        ListGames();
        LoadSelectedGame();
        ScreenMode = 3;
    }
    void Press(int button)
    {
        PushButton(button);
        GameScreen();
    }
    void Touch(int x, int y, int mouseButton = 1)
    {
        PushTouch(x, y, mouseButton);
        GameScreen();
    }
    void ExpectCursor(int column, int row, int line)
    {
        EXPECT_EQ(GridColumn, column) << "line " << line;
        EXPECT_EQ(GridRow, row) << "line " << line;
    }
    TempDir card;
};

// Touch positions map to 25-pixel cells from (35, 35); only cells with a text are taken.
TEST_F(GameScreenInProcess, HitTestCells)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 50, 50));
    Open();
    struct Case { int x, y, column, row; };
    const Case cases[] = {
        {35, 35, 1, 1}, {59, 59, 1, 1}, {60, 60, 2, 2}, {284, 159, 10, 5}, {160, 100, 6, 3},
        {34, 100, 6, 3}, {285, 100, 6, 3}, {100, 34, 6, 3}, {100, 160, 6, 3}, {65535, 65535, 6, 3},
    };
    for (const Case& c : cases) {
        GridHitTest(Uint16(c.x), Uint16(c.y));
        EXPECT_EQ(GridColumn, c.column) << c.x << "," << c.y;
        EXPECT_EQ(GridRow, c.row) << c.x << "," << c.y;
        GridColumn = 6;
        GridRow = 3;
    }
    AchievementTexts.resize(25); // (160, 100) is index 25: no text there
    GridColumn = GridRow = 1;
    GridHitTest(160, 100);
    ExpectCursor(1, 1, __LINE__);
}

// With 23 texts the cursor reaches index 22 (row 3, column 3) and no further; column 10
// is the right edge; nothing lies before index 0.
TEST_F(GameScreenInProcess, CursorStaysOnCellsWithText)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 23, 23));
    Open();
    Press(ButtonUp);
    Press(ButtonLeft);
    ExpectCursor(1, 1, __LINE__);
    for (int i = 0; i < 12; ++i) PushButton(ButtonRight);
    GameScreen();
    ExpectCursor(10, 1, __LINE__);
    Press(ButtonDown);
    ExpectCursor(10, 2, __LINE__);
    Press(ButtonRight);
    Press(ButtonDown);
    ExpectCursor(10, 2, __LINE__);
    for (int i = 0; i < 7; ++i) PushButton(ButtonLeft);
    GameScreen();
    Press(ButtonDown);
    ExpectCursor(3, 3, __LINE__);
    Press(ButtonRight);
    ExpectCursor(3, 3, __LINE__);
    Press(ButtonUp);
    Press(ButtonUp);
    Press(ButtonUp);
    ExpectCursor(3, 1, __LINE__);
}

// A game without texts: the cursor cannot move and the panel stays empty.
TEST_F(GameScreenInProcess, NoTextsNoCursorNoPanel)
{
    GameSpec silent = CountedGame("silent", 0, 12);
    WriteGame(card.store(), "vok_anna", silent);
    Open();
    ASSERT_TRUE(AchievementTexts.empty());
    for (int button : {ButtonRight, ButtonDown, ButtonLeft, ButtonUp}) PushButton(button);
    PushTouch(60, 35);
    GameScreen();
    ExpectCursor(1, 1, __LINE__);
    const uint32_t frame = ScreenPixel(33, 190);
    for (int y = 166; y < 213; ++y)
        for (int x = 35; x < 284; ++x) ASSERT_EQ(ScreenPixel(x, y), frame) << x << "," << y;
}

// Touches move the cursor only with the first mouse button and no menu open; a notice
// does not stop them.
TEST_F(GameScreenInProcess, TouchesAndWhatBlocksThem)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 26, 26));
    Open();
    Touch(160, 100, 3);
    ExpectCursor(1, 1, __LINE__);
    Touch(160, 170);
    Touch(20, 100);
    ExpectCursor(1, 1, __LINE__);
    PopupId = 3;
    Touch(160, 100);
    ExpectCursor(1, 1, __LINE__);
    PopupId = 0;
    NoticeId = 1;
    Touch(160, 100);
    ExpectCursor(6, 3, __LINE__);
    EXPECT_EQ(NoticeId, 1);
}

// Menu keys: open menu 3, wrap the highlight, confirm into menu 4 (cancel highlighted),
// close; Y goes home; a notice takes one press.
TEST_F(GameScreenInProcess, MenuKeysAndLeaving)
{
    WriteGame(card.store(), "vok_anna", CountedGame("racer", 26, 26));
    Open();
    Press(ButtonB);
    Press(ButtonX);
    EXPECT_EQ(PopupId, 0);
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 3);
    Press(ButtonUp);
    EXPECT_EQ(PopupCursor, 2);
    Press(ButtonDown);
    Press(ButtonDown);
    Press(ButtonRight);
    Press(ButtonY);
    EXPECT_EQ(PopupCursor, 1);
    ExpectCursor(1, 1, __LINE__);
    EXPECT_EQ(ScreenMode, 3);
    Press(ButtonX);
    EXPECT_EQ(PopupId, 4);
    EXPECT_EQ(PopupCursor, 1);
    Press(ButtonDown);
    EXPECT_EQ(PopupCursor, 0) << "menu 4 has two lines";
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 0);
    EXPECT_TRUE(FileExists(card / "vok_anna/racer/vok.dat"));
    NoticeId = 6;
    Press(ButtonY);
    EXPECT_EQ(ScreenMode, 3);
    EXPECT_EQ(NoticeId, 0);
    Press(ButtonY);
    EXPECT_EQ(ScreenMode, 1);
}

// L and R step through the games with wrap-around, reload and reset the cursor; with one
// game they reload the same one and the L/R hint is not drawn.
TEST_F(GameScreenInProcess, StepThroughGames)
{
    ButtonLSurface = SolidSurface(14, 12, 0xFF0000);
    GameSpec only = CountedGame("only", 12, 12);
    only.title = "Only";
    WriteGame(card.store(), "vok_anna", only);
    Open();
    GridColumn = 3;
    GameTitle = "changed";
    Press(ButtonL);
    ExpectCursor(1, 1, __LINE__);
    EXPECT_EQ(GameTitle, "Only");
    EXPECT_EQ(SelectedGame, 0);
    Press(ButtonR);
    EXPECT_EQ(SelectedGame, 0);
    EXPECT_FALSE(Near(ScreenPixel(107, 222), 255, 0, 0));

    for (const char* name : {"beta", "gamma"}) {
        GameSpec game = CountedGame(name, 3, 3);
        game.title = name;
        WriteGame(card.store(), "vok_anna", game);
    }
    Open();
    const std::vector<std::string> order = GameOrder(card.store(), "vok_anna");
    ASSERT_EQ(GameFolders, order);
    GridRow = 2;
    Press(ButtonL);
    EXPECT_EQ(SelectedGame, 2);
    EXPECT_EQ(GameTitle, order[2] == "only" ? "Only" : order[2]);
    ExpectCursor(1, 1, __LINE__);
    Press(ButtonR);
    EXPECT_EQ(SelectedGame, 0);
    Press(ButtonR);
    EXPECT_EQ(SelectedGame, 1);
    EXPECT_TRUE(Near(ScreenPixel(107, 222), 255, 0, 0));
    FreeSurface(&ButtonLSurface);
}

// A cell shows the achievement's icon only when it is unlocked and has one; otherwise
// the locked or the unlocked placeholder. Ids outside 1 to 50 have no icon.
TEST_F(GameScreenInProcess, GridCells)
{
    const uint32_t iconGreen = 0x00FF00, locked = 0xFF0000, unlocked = 0x0000FF;
    LockedSurface = SolidSurface(20, 20, locked);
    UnlockedSurface = SolidSurface(20, 20, unlocked);
    GameSpec game = CountedGame("racer", 12, 0);
    game.records = {{7, 1, 0, 1}, {8, 1, 0, 1}, {9, 1, 0, 0}, {60, 1, 0, 1}, {0, 1, 0, 1},
                    {-3, 1, 0, 1}, {50, 1, 0, 1}, {1, 1, 1, 0}, {2, 1, 0, 0}, {3, 1, 0, 0}, {7, 1, 0, 1}};
    game.iconIds = {7, 9, 50};
    game.iconColour = iconGreen;
    WriteGame(card.store(), "vok_anna", game);
    Open();
    GridRow = 2; // the cursor away from the first row
    GameScreen();
    const uint32_t expected[] = {iconGreen, unlocked, locked, unlocked, unlocked, unlocked, iconGreen,
                                 locked, locked, locked};
    for (int i = 0; i < 10; ++i) {
        const uint32_t rgb = ScreenPixel(35 + 25 * i + 10, 45);
        EXPECT_TRUE(Near(rgb, int(expected[i] >> 16), int((expected[i] >> 8) & 0xFF), int(expected[i] & 0xFF)))
            << "cell " << i << " shows " << std::hex << rgb;
    }
    EXPECT_TRUE(Near(ScreenPixel(45, 70), 0, 255, 0)) << "the eleventh record opens the second row";
    FreeSurface(&LockedSurface);
    FreeSurface(&UnlockedSurface);
}

// The panel region of ScreenSurface, for comparing with a drawing of what it should hold.
std::vector<uint32_t> PanelPixels()
{
    std::vector<uint32_t> pixels;
    for (int y = 165; y < 215; ++y)
        for (int x = 31; x < 288; ++x) pixels.push_back(ScreenPixel(x, y));
    return pixels;
}

// What the panel shows for a name line and a description drawn as the screen draws them.
std::vector<uint32_t> ExpectedPanel(const std::string& name, const std::string& description, bool twoLines)
{
    ClearScreen();
    SDL_Rect frame = {31, 165, 257, 50};
    FillRoundRect(frame, ScreenColour(255, 199, 140));
    DrawText(ScreenSurface, name.c_str(), 35, 165, 0, 0, 0, FontSmall);
    if (twoLines)
        DrawTwoLineText(ScreenSurface, description.c_str(), 35, 185, 0, 0, 0, FontSmall);
    else
        DrawText(ScreenSurface, description.c_str(), 35, 185, 0, 0, 0, FontSmall);
    return PanelPixels();
}

// The panel: name with points and description; texts 24 and 25 for a hidden locked one;
// the first text when no id matches; the text at the cursor's position, without points,
// where the game wrote no record.
TEST_F(GameScreenInProcess, PanelShowsTheAchievementUnderTheCursor)
{
    GameSpec game;
    game.folder = "racer";
    game.texts = {{1, "First", "Opening move"}, {2, "Secret", "Found the hidden road"},
                  {3, "Third", "A description long enough to need a second line on the panel of the screen"},
                  {4, "Fourth", "No record for me"}};
    game.records = {{1, 10, 0, 0}, {2, 20, 1, 0}, {3, 30, 0, 1}, };
    WriteGame(card.store(), "vok_anna", game);
    Open();
    const std::string hiddenName = LanguageTable.GetText(TextHiddenName);
    const std::string hiddenText = LanguageTable.GetText(TextHiddenDescription);
    ASSERT_FALSE(hiddenName.empty());
    struct Case { int column; std::string name, description; bool twoLines; };
    const Case cases[] = {
        {1, "First (10)", "Opening move", true},
        {2, hiddenName, hiddenText, false},
        {3, "Third (30)", game.texts[2].description, true},
        {4, "Fourth", "No record for me", true},
    };
    for (const Case& c : cases) {
        ClearScreen();
        GridColumn = c.column;
        GameScreen();
        const std::vector<uint32_t> shown = PanelPixels();
        EXPECT_TRUE(shown == ExpectedPanel(c.name, c.description, c.twoLines)) << "column " << c.column;
    }

    Achievements[1].unlocked = 1; // the hidden one, once unlocked, shows its own texts
    Achievements[0].id = 42;      // no text with that id: the first text stands in
    for (const Case& c : {Case{1, "First (10)", "Opening move", true},
                          Case{2, "Secret (20)", "Found the hidden road", true}}) {
        ClearScreen();
        GridColumn = c.column;
        GameScreen();
        const std::vector<uint32_t> shown = PanelPixels();
        EXPECT_TRUE(shown == ExpectedPanel(c.name, c.description, c.twoLines)) << "column " << c.column;
    }
}

// ---- Whole runs of vok ----

bool ShowsGameScreen(const std::string& screenshot)
{
    uint32_t rgb = 0;
    return BmpPixel(screenshot, 32, 100, &rgb) && Near(rgb, 255, 199, 140);
}

// L from the first game wraps to the last, R from the last wraps to the first: each
// snapshot names the game shown, and notice 5 reports it.
TEST(GameScreenRun, StepsWrapAndSnapshotsNameTheGame)
{
    TempDir card, shots;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    for (const char* name : {"alpha", "beta", "gamma"}) WriteGame(card.store(), "vok_anna", CountedGame(name, 5, 5));
    const std::vector<std::string> order = GameOrder(card.store(), "vok_anna");
    // A snapshot asked for with menu and B in frames F and F + 1 is written in F + 3; the
    // notice stays until the press of F + 5.
    const VokRun run = RunOnCard(card.store(),
        "1 button b\n2 button l\n3 button menu\n4 button b\n5 screenshot " + (shots / "notice.bmp") +
        "\n8 button up\n10 button r\n11 button menu\n12 button b\n16 button up\n", 18);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string last = card / ("vok_anna_" + order[2] + ".bmp");
    const std::string first = card / ("vok_anna_" + order[0] + ".bmp");
    EXPECT_TRUE(FileExists(last));
    EXPECT_TRUE(FileExists(first));
    EXPECT_FALSE(FileExists(card / ("vok_anna_" + order[1] + ".bmp")));
    EXPECT_TRUE(ShowsGameScreen(last));
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(last, &w, &h));
    EXPECT_EQ(w * 1000 + h, 320240);
    uint32_t rgb = 0;
    ASSERT_TRUE(BmpPixel(shots / "notice.bmp", 160, 128, &rgb));
    EXPECT_TRUE(Near(rgb, 0, 0, 255)) << "notice 5";
    ASSERT_TRUE(BmpPixel(last, 160, 128, &rgb));
    EXPECT_FALSE(Near(rgb, 0, 0, 255)) << "the snapshot has no notice";
}

// Removing a game through menus 3 and 4: the folder goes, totals and ranking are rebuilt,
// the next game is shown; removing the last one returns to the home screen.
TEST(GameScreenRun, RemovingGames)
{
    TempDir card, shots;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    GameSpec alpha = CountedGame("alpha", 5, 5), beta = CountedGame("beta", 5, 5);
    alpha.summary = {1, 5, 10, 50, 3};
    beta.summary = {5, 5, 40, 40, 9};
    WriteGame(card.store(), "vok_anna", alpha);
    WriteGame(card.store(), "vok_anna", beta);
    const std::vector<std::string> order = GameOrder(card.store(), "vok_anna");
    const std::string removal = "2 button menu\n3 button down\n4 button b\n5 button up\n6 button b\n";
    RunOnCard(card.store(), "1 button b\n" + removal + "7 screenshot " + (shots / "next.bmp") + "\n", 7);
    EXPECT_FALSE(FileExists(card / ("vok_anna/" + order[0])));
    ASSERT_TRUE(FileExists(card / ("vok_anna/" + order[1] + "/vok.dat")));
    EXPECT_TRUE(ShowsGameScreen(shots / "next.bmp"));
    const GameSpec& left = order[1] == "alpha" ? alpha : beta;
    std::string totals;
    for (int value : {left.summary.unlockedCount, left.summary.achievementCount, left.summary.pointsEarned,
                      left.summary.pointsPossible})
        AppendInt32(&totals, value);
    EXPECT_EQ(ReadFile(card / "vok_anna/vok.erience"), totals);
    const std::string ranking = ReadFile(card / "vok_anna/vok.ranking");
    EXPECT_EQ(ranking.find(order[0]), std::string::npos) << ranking;
    EXPECT_NE(ranking.find(order[1]), std::string::npos) << ranking;

    RunOnCard(card.store(), "1 button b\n" + removal + "8 screenshot " + (shots / "home.bmp") + "\n", 8);
    EXPECT_FALSE(FileExists(card / ("vok_anna/" + order[1])));
    EXPECT_FALSE(ShowsGameScreen(shots / "home.bmp"));
    EXPECT_EQ(ReadFile(card / "vok_anna/vok.erience"), std::string(16, '\0'));
}

// Pictures of several demo games for a person to look at.
TEST(GameScreenRun, PicturesOfDemoGames)
{
    TempDir card;
    RunProgram(BuildDir() + "/tools/make_demo_card", {card.path()}, BuildDir());
    const std::vector<std::string> players = PlayerOrder(card.store());
    if (players.empty()) GTEST_SKIP() << "the demo card tool made no players";
    const std::string folder = BuildDir() + "/pictures/game";
    std::filesystem::create_directories(folder);
    for (size_t p = 0; p < players.size() && p < 2; ++p) {
        const std::vector<std::string> games = GameOrder(card.store(), players[p]);
        SelectAtStart(card.store(), players[p]);
        std::string script = "1 button b\n3 button right\n3 button down\n";
        int frame = 4;
        for (size_t g = 0; g < games.size() && g < 4; ++g, frame += 2) {
            script += std::to_string(frame) + " screenshot " + folder + "/" + players[p] + "_" + games[g] + ".bmp\n";
            script += std::to_string(frame + 1) + " button r\n";
        }
        const VokRun run = RunOnCard(card.store(), script, frame);
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

} // namespace
