// The home screen: the star rating, switching players, the ways into the editor and the
// games, the menu keys and the card drawing, in process and through whole runs of vok.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/state.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "profile/profile_editor.h"
#include "profile/profile_file.h"
#include "screens/game_screen.h"
#include "screens/home_screen.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

// The rating is the percentage of possible points in 20 % steps, computed in 64 bits.
TEST(StarCount, FollowsThePercentageOfPossiblePoints)
{
    struct Case { int earned, possible, stars; };
    const Case cases[] = {
        {0, 0, 0}, {5, 0, 0},                                  // nothing possible: no stars
        {0, 100, 0}, {1, 100, 1}, {19, 100, 1}, {20, 100, 2},
        {79, 100, 4}, {80, 100, 5}, {100, 100, 5}, {250, 100, 5},
        {-5, 100, 0},
        // earned x 100 is beyond 32 bits here; a 32-bit product would wrap negative
        {30000000, 30000000, 5}, {30000000, 60000000, 3}, {2147483647, 2147483647, 5},
        {2147483647, 1, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StarCount(c.earned, c.possible), c.stars) << c.earned << " of " << c.possible;
}

class HomeScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override { StartScreens(); }
    void TearDown() override { ReleaseCard(); }
    void Start() { ResetScreens(card.store()); }
    void Press(int button)
    {
        PushButton(button);
        HomeScreen();
    }
    std::string LanguageOnScreen() const { return LanguageTable.LanguageName(LanguageTable.currentLanguage); }
    TempDir card;
};

// Left and right wrap around the players and switch to each one's language.
TEST_F(HomeScreenInProcess, SwitchingWrapsAndTakesThePlayersLanguage)
{
    ASSERT_GE(LanguageTable.LanguageCount(), 3u);
    WritePlayer(card.store(), {"vok_anna", "Anna", LanguageTable.LanguageName(0)});
    WritePlayer(card.store(), {"vok_ben", "Ben", LanguageTable.LanguageName(1)});
    WritePlayer(card.store(), {"vok_cleo", "Cleo", LanguageTable.LanguageName(2)});
    Start();
    ASSERT_EQ(Profiles.size(), 3u);
    SelectedProfile = 0;
    Press(ButtonLeft);
    EXPECT_EQ(SelectedProfile, 2);
    EXPECT_EQ(LanguageOnScreen(), Profiles[2]->lang);
    Press(ButtonRight);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(LanguageOnScreen(), Profiles[0]->lang);
    Press(ButtonRight);
    EXPECT_EQ(SelectedProfile, 1);
    EXPECT_EQ(LanguageOnScreen(), Profiles[1]->lang);
    EXPECT_EQ(ScreenMode, 1);
}

// An empty card: switching gives -1 and 0 without touching a player, X does nothing,
// B stays, Y opens the editor on a fresh profile with notice 2.
TEST_F(HomeScreenInProcess, EmptyCardNeverReachesForAPlayer)
{
    Start();
    SelectedProfile = 0;
    Press(ButtonLeft);
    EXPECT_EQ(SelectedProfile, -1);
    Press(ButtonX);
    EXPECT_EQ(ScreenMode, 1);
    Press(ButtonB);
    EXPECT_EQ(ScreenMode, 1);
    Press(ButtonRight);
    EXPECT_EQ(SelectedProfile, 0);
    HomeScreen();
    EditorRow = 7;
    Press(ButtonY);
    EXPECT_EQ(ScreenMode, 2);
    EXPECT_EQ(NoticeId, 2);
    EXPECT_EQ(EditorRow, 7);
    EXPECT_EQ(EditedProfile.folder, "");
    EXPECT_EQ(EditedProfile.name, "");
    EXPECT_EQ(EditedProfile.base, "01");
    EXPECT_EQ(EditedProfile.eyes, "");
    EXPECT_EQ(EditedProfile.clothes, "");
}

// X copies every field of the selected player, ears and nose each into its own place;
// Y on a card with players starts a fresh profile without a notice.
TEST_F(HomeScreenInProcess, EditAndNewProfileFillTheEditorsCopy)
{
    PlayerSpec dana{"vok_dana", "Dana", "Deutsch", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11"};
    WritePlayer(card.store(), dana);
    Start();
    EditorRow = 5;
    Press(ButtonX);
    EXPECT_EQ(ScreenMode, 2);
    EXPECT_EQ(EditorRow, 0);
    EXPECT_EQ(EditedProfile.folder, "vok_dana");
    EXPECT_EQ(EditedProfile.lang, "Deutsch");
    EXPECT_EQ(EditedProfile.name, "Dana");
    const std::string parts[] = {EditedProfile.base, EditedProfile.eyes, EditedProfile.browns,
        EditedProfile.nose, EditedProfile.ears, EditedProfile.mouth, EditedProfile.facial,
        EditedProfile.hair, EditedProfile.tatoo, EditedProfile.clothes};
    const std::string expected[] = {"02", "03", "04", "05", "06", "07", "08", "09", "10", "11"};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(parts[i], expected[i]) << "part " << i;

    ScreenMode = 1;
    EditorRow = 4;
    Press(ButtonY);
    EXPECT_EQ(ScreenMode, 2);
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(EditorRow, 4);
    EXPECT_EQ(EditedProfile.folder, "");
    EXPECT_EQ(EditedProfile.base, "01");
    EXPECT_EQ(EditedProfile.nose, "");
}

// The menu keys wrap, the other keys rest while a menu is open, and a notice takes
// exactly one press (notice 3 ends the program with it).
TEST_F(HomeScreenInProcess, MenuKeysAndNotices)
{
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    WritePlayer(card.store(), {"vok_ben", "Ben"});
    Start();
    SelectedProfile = 0;
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 1);
    EXPECT_EQ(PopupCursor, 0);
    Press(ButtonUp);
    EXPECT_EQ(PopupCursor, 2);
    Press(ButtonDown);
    EXPECT_EQ(PopupCursor, 0);
    Press(ButtonLeft);
    Press(ButtonY);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(ScreenMode, 1);
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 0);

    // Closing the confirmation with the menu key removes nothing.
    PopupId = 2;
    PopupCursor = 0;
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 0);
    EXPECT_TRUE(FileExists(card / "vok_anna/vok.cfg"));
    EXPECT_EQ(Profiles.size(), 2u);

    NoticeId = 1;
    Press(ButtonMenu);
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(PopupId, 0);
    Press(ButtonMenu);
    EXPECT_EQ(PopupId, 1);
    Press(ButtonMenu);

    NoticeId = 4;
    Press(ButtonRight);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(QuitRequested, 0);
    NoticeId = 3;
    Press(ButtonRight);
    EXPECT_EQ(QuitRequested, 1);
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(SelectedProfile, 0);
}

// B lists the games and opens the first with the cursor at its start; without a folder
// holding "vok.dat" the home screen stays.
TEST_F(HomeScreenInProcess, BOpensTheGamesOnlyWhenThereAreSome)
{
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    MakeDir(card / "vok_anna/not_a_game");
    Start();
    GridColumn = 4;
    GridRow = 3;
    Press(ButtonB);
    EXPECT_EQ(ScreenMode, 1);
    EXPECT_TRUE(GameFolders.empty());

    GameSpec racer = CountedGame("racer", 12, 12);
    racer.title = "Racer";
    WriteGame(card.store(), "vok_anna", racer);
    GridColumn = 4;
    GridRow = 3;
    Press(ButtonB);
    EXPECT_EQ(ScreenMode, 3);
    ASSERT_EQ(GameFolders.size(), 1u);
    EXPECT_EQ(GameTitle, "Racer");
    EXPECT_EQ(Achievements.size(), 12u);
    EXPECT_EQ(AchievementTexts.size(), 12u);
    EXPECT_EQ(GridColumn, 1);
    EXPECT_EQ(GridRow, 1);
}

// Stars, icon rows (an empty slot keeps its place) and the hints that depend on the
// number of players, drawn with solid stand-ins for the media.
TEST_F(HomeScreenInProcess, CardStarsIconsAndHints)
{
    const uint32_t star = 0xFFFF00, completed = 0x00FF00, favourite = 0xFF0000, pad = 0x0000FF;
    StarSurface = SolidSurface(20, 20, star);
    ButtonPadSurface = SolidSurface(18, 12, pad);
    ButtonYSurface = SolidSurface(12, 12, pad);
    ButtonXSurface = SolidSurface(12, 12, pad);
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    Start();
    Profiles[0]->pointsEarned = 50;
    Profiles[0]->pointsPossible = 100;
    CompletedIcons[0] = SolidSurface(20, 20, completed);
    CompletedIcons[2] = SolidSurface(20, 20, completed);
    FavouriteIcons[4] = SolidSurface(20, 20, favourite);
    HomeScreen();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Near(ScreenPixel(185 + 22 * i, 33), 255, 255, 0), i < 3) << "star " << i;
    EXPECT_TRUE(Near(ScreenPixel(159, 99), 0, 255, 0));
    EXPECT_FALSE(Near(ScreenPixel(183, 99), 0, 255, 0));
    EXPECT_TRUE(Near(ScreenPixel(207, 99), 0, 255, 0));
    EXPECT_TRUE(Near(ScreenPixel(255, 147), 255, 0, 0));
    EXPECT_FALSE(Near(ScreenPixel(26, 222), 0, 0, 255)) << "pad hint with one player";
    EXPECT_TRUE(Near(ScreenPixel(112, 222), 0, 0, 255)) << "X hint";
    EXPECT_TRUE(Near(ScreenPixel(222, 222), 0, 0, 255)) << "Y hint";

    WritePlayer(card.store(), {"vok_ben", "Ben"});
    Start();
    HomeScreen();
    EXPECT_TRUE(Near(ScreenPixel(26, 222), 0, 0, 255)) << "pad hint with two players";

    std::filesystem::remove_all(card / "vok_anna");
    std::filesystem::remove_all(card / "vok_ben");
    Start();
    HomeScreen();
    EXPECT_FALSE(Near(ScreenPixel(112, 222), 0, 0, 255)) << "X hint without players";
    EXPECT_TRUE(Near(ScreenPixel(222, 222), 0, 0, 255)) << "Y hint without players";
    FreeSurface(&StarSurface);
    FreeSurface(&ButtonPadSurface);
    FreeSurface(&ButtonYSurface);
    FreeSurface(&ButtonXSurface);
}

// ---- Whole runs of vok ----

// The game screen's frame colour left of the grid, where the home screen has its card.
bool ShowsGameScreen(const std::string& screenshot)
{
    uint32_t rgb = 0;
    return BmpPixel(screenshot, 32, 100, &rgb) && Near(rgb, 255, 199, 140);
}

// Switching left, then leaving through the home menu's exit and one more press: the
// player switched to is remembered and the launcher takes over.
TEST(HomeScreenRun, ExitRemembersThePlayerAndStartsTheLauncher)
{
    TempDir card, tools;
    WritePlayer(card.store(), {"vok_anna", "Anna", "Deutsch"});
    WritePlayer(card.store(), {"vok_ben", "Ben", "English"});
    WritePlayer(card.store(), {"vok_cleo", "Cleo", "Deutsch"});
    const std::vector<std::string> order = PlayerOrder(card.store());
    ASSERT_EQ(order.size(), 3u);
    SelectAtStart(card.store(), order[0]);
    const std::string launcher = tools / "launcher.sh";
    WriteFile(launcher, "#!/bin/sh\ntouch '" + (tools / "launched") + "'\nexit 7\n");
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    const VokRun run = RunOnCard(card.store(),
        "1 button left\n2 button menu\n3 button up\n4 button b\n5 screenshot " + (tools / "goodbye.bmp") +
        "\n6 button y\n", 40, {"--launcher", launcher});
    EXPECT_EQ(run.status, 7) << run.err;
    EXPECT_EQ(ReadFile(card / "activevok"), order[2]);
    EXPECT_TRUE(FileExists(tools / "launched"));
    uint32_t rgb = 0;
    ASSERT_TRUE(BmpPixel(tools / "goodbye.bmp", 160, 128, &rgb));
    EXPECT_TRUE(Near(rgb, 0, 0, 255)) << "notice 3 is shown before the last press";
}

// A game's update marker is honoured when switching to its player: totals and ranking
// are rebuilt from the summaries and the marker goes.
TEST(HomeScreenRun, SwitchingRecomputesAMarkedPlayer)
{
    TempDir card;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    WritePlayer(card.store(), {"vok_ben", "Ben"});
    GameSpec racer = CountedGame("racer", 3, 3);
    racer.summary = {3, 5, 30, 50, 7};
    WriteGame(card.store(), "vok_ben", racer);
    WriteFile(card / "vok_ben/update", "");
    SelectAtStart(card.store(), "vok_anna");
    const VokRun run = RunOnCard(card.store(), "1 button right\n", 3);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(FileExists(card / "vok_ben/update"));
    std::string totals;
    for (int value : {3, 5, 30, 50}) AppendInt32(&totals, value);
    EXPECT_EQ(ReadFile(card / "vok_ben/vok.erience"), totals);
    EXPECT_NE(ReadFile(card / "vok_ben/vok.ranking").find("racer"), std::string::npos);
}

// B leads to the game screen only for a player with a game.
TEST(HomeScreenRun, BOpensTheGameScreenOnlyWithGames)
{
    TempDir card, shots;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    WritePlayer(card.store(), {"vok_ben", "Ben"});
    WriteGame(card.store(), "vok_ben", CountedGame("racer", 3, 3));
    const std::string script = "1 button b\n2 screenshot " + (shots / "after.bmp") + "\n";
    SelectAtStart(card.store(), "vok_anna");
    RunOnCard(card.store(), script, 2);
    EXPECT_FALSE(ShowsGameScreen(shots / "after.bmp"));
    SelectAtStart(card.store(), "vok_ben");
    RunOnCard(card.store(), script, 2);
    EXPECT_TRUE(ShowsGameScreen(shots / "after.bmp"));
}

// Menu item 0 saves the card two frames later, after the menu has gone and before the
// notice is drawn; the notice shows on screen. An empty card saves nothing.
TEST(HomeScreenRun, SnapshotHoldsTheCardWithoutNoticeOrMenu)
{
    TempDir card, shots;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    const VokRun run = RunOnCard(card.store(),
        "2 button menu\n3 button b\n5 screenshot " + (shots / "screen.bmp") + "\n", 6);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string snapshot = card / "vok_anna.bmp";
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(snapshot, &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    RgbImage saved, shown;
    ASSERT_TRUE(ReadBmpPixels(snapshot, &saved));
    ASSERT_TRUE(ReadBmpPixels(shots / "screen.bmp", &shown));
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 320; ++x) differing += saved.at(x, y) != shown.at(x, y);
    EXPECT_EQ(differing, 0) << "the card above the notice is the same";
    int hintsDiffer = 0;
    for (int x = 0; x < 320; ++x) hintsDiffer += saved.at(x, 225) != shown.at(x, 225);
    EXPECT_GT(hintsDiffer, 0) << "the hints are not in the snapshot";
    EXPECT_TRUE(Near(shown.at(160, 128), 0, 0, 255));
    EXPECT_FALSE(Near(saved.at(160, 128), 0, 0, 255));

    TempDir empty;
    RunOnCard(empty.store(), "1 button menu\n2 button menu\n3 button b\n", 8);
    for (const std::string& name : ListFolder(empty.store()))
        EXPECT_EQ(name.find(".bmp"), std::string::npos) << name;
}

// Notice 1 greets an empty card; the first press only closes it, the same button then
// acts normally.
TEST(HomeScreenRun, FirstNoticeTakesOnePress)
{
    TempDir card, shots;
    RunOnCard(card.store(),
        "1 screenshot " + (shots / "1.bmp") + "\n2 button menu\n2 screenshot " + (shots / "2.bmp") +
        "\n3 button menu\n3 screenshot " + (shots / "3.bmp") + "\n", 3);
    uint32_t rgb = 0;
    ASSERT_TRUE(BmpPixel(shots / "1.bmp", 160, 128, &rgb));
    EXPECT_TRUE(Near(rgb, 0, 0, 255)) << "notice 1";
    ASSERT_TRUE(BmpPixel(shots / "2.bmp", 160, 128, &rgb));
    EXPECT_FALSE(Near(rgb, 0, 0, 255)) << "notice closed";
    ASSERT_TRUE(BmpPixel(shots / "2.bmp", 112, 138, &rgb));
    EXPECT_FALSE(Near(rgb, 0, 0, 128)) << "no menu yet";
    ASSERT_TRUE(BmpPixel(shots / "3.bmp", 112, 138, &rgb));
    EXPECT_TRUE(Near(rgb, 0, 0, 128)) << "home menu";
}

// Pictures of the demo card's home screens for a person to look at.
TEST(HomeScreenRun, PicturesOfTheDemoPlayers)
{
    TempDir card;
    RunProgram(BuildDir() + "/tools/make_demo_card", {card.path()}, BuildDir());
    const std::vector<std::string> players = PlayerOrder(card.store());
    if (players.empty()) GTEST_SKIP() << "the demo card tool made no players";
    const std::string folder = BuildDir() + "/pictures/home";
    std::filesystem::create_directories(folder);
    SelectAtStart(card.store(), players[0]);
    std::string script;
    for (size_t i = 0; i < players.size(); ++i) {
        script += std::to_string(2 * i + 1) + " screenshot " + folder + "/" + players[i] + ".bmp\n";
        script += std::to_string(2 * i + 2) + " button right\n";
    }
    const VokRun run = RunOnCard(card.store(), script, int(2 * players.size()));
    EXPECT_EQ(run.status, 0) << run.err;
    for (const std::string& player : players) EXPECT_TRUE(FileExists(folder + "/" + player + ".bmp"));
}

} // namespace
