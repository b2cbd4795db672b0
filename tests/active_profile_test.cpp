// The store across runs and the menu's removals: the active-profile file, the update
// marker, MenuAction's table, and removing a player or one game.
#include "store/active_profile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "localization/language_table.h"
#include "store/game_files.h"
#include "store/game_files_writer.h"
#include "tests/support/store_support.h"

static bool IsPlayer(const std::string& name) { return name.compare(0, 4, "vok_") == 0; }

// "activevok" holds exactly the selected folder name; the next start selects that player
// in its language; a name followed by CR matches nobody; with no player no file is written.
// Damaged files of another player neither stop the start nor get rewritten.
TEST(ActiveProfile, RemembersThePlayerAcrossRuns)
{
    TestCard card;
    card.Player("vok_anna", "lang=Deutsch\r\nname=Anna\r\n");
    card.Player("vok_bob", "lang=English\r\nname=Bob\r\n");
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += char(i * 7919 % 251);
    card.Player("vok_zed", junk);
    WriteFile(card.store + "vok_zed/vok.erience", "\x01\x02");
    WriteFile(card.store + "vok_zed/vok.ranking", "fav1=" + std::string(3000, 'x') + "\n" + junk);
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 3u);
    SelectedProfile = IndexOf("vok_anna");
    SaveActiveProfile();
    EXPECT_EQ(ReadFile(card.store + "activevok"), "vok_anna");
    EXPECT_EQ(ListFolder(card.store).size(), 2u + 4u); // ".", "..", three players, the file

    const int deutsch = LanguageTable.FindLanguage("Deutsch"), english = LanguageTable.FindLanguage("English");
    ASSERT_NE(deutsch, english) << "the language files must be in the working folder";
    const struct { const char* file; const char* selected; int language; } cases[] = {
        {"vok_anna", "vok_anna", deutsch}, {"vok_anna\nvok_bob", "vok_anna", deutsch}, {"vok_zed", "vok_zed", english},
        {"vok_anna\r", nullptr, english}, {"vok_ann", nullptr, english}, {"", nullptr, english},
    };
    for (const auto& c : cases) {
        WriteFile(card.store + "activevok", c.file);
        LanguageTable.SetLanguage("English");
        ScanProfiles();
        const int last = SelectedProfile;
        LoadStore();
        EXPECT_EQ(SelectedProfile, c.selected ? IndexOf(c.selected) : last) << c.file;
        EXPECT_EQ(LanguageTable.currentLanguage, c.language) << c.file;
    }
    LanguageTable.SetLanguage("English");
    EXPECT_EQ(ReadFile(card.store + "vok_zed/vok.cfg") + ReadFile(card.store + "vok_zed/vok.erience"), junk + "\x01\x02");

    TestCard empty;
    ScanProfiles();
    SaveActiveProfile();
    EXPECT_FALSE(FileExists(empty.store + "activevok"));
    LoadStore(); // nothing to load, nothing to crash on
}

// An "update" marker makes the start rebuild totals and ranking from the summaries and go
// away; without it the start only reads the cached totals.
TEST(ActiveProfile, UpdateMarkerRecomputesAtStart)
{
    TestCard card;
    card.Player("vok_anna");
    card.Game("vok_anna", "A", {3, 5, 30, 50, 7});
    WriteFile(card.store + "vok_anna/vok.erience", Totals(1, 1, 1, 1));
    for (const bool marked : {false, true}) {
        if (marked) WriteUpdateMarker(card.store + "vok_anna");
        ScanProfiles();
        LoadStore();
        EXPECT_EQ(Profiles[0]->pointsEarned, marked ? 30 : 1);
        EXPECT_EQ(Names(FavouriteList), std::vector<std::string>(marked, "A")); // read back from the new file
        EXPECT_EQ(HasUpdateMarker(), 0);
    }
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(3, 5, 30, 50));
}

// Every row of the menu table, and pairs that must do nothing. With no player the two
// removal confirmations only close the menu.
TEST(ActiveProfile, MenuActionTable)
{
    TestCard card;
    ScanProfiles();
    const struct { int popup, cursor, popupAfter, notice, countdown; } rows[] = {
        {1, 0, 0, 0, 4}, {1, 1, 2, 0, 0}, {1, 2, 0, 3, 0}, {2, 0, 0, 0, 0}, {2, 1, 0, 0, 0},
        {3, 0, 0, 0, 4}, {3, 1, 4, 0, 0}, {3, 2, 0, 3, 0}, {4, 0, 0, 0, 0}, {4, 1, 0, 0, 0},
        {2, 2, 2, 0, 0}, {4, 2, 4, 0, 0}, {1, 3, 1, 0, 0}, {3, -1, 3, 0, 0}, {0, 0, 0, 0, 0}, {5, 0, 5, 0, 0},
    };
    for (const auto& row : rows) {
        PopupId = row.popup;
        PopupCursor = row.cursor;
        NoticeId = SnapshotCountdown = 0;
        ScreenMode = 3;
        MenuAction();
        EXPECT_EQ(std::vector<int>({PopupId, NoticeId, SnapshotCountdown, PopupCursor, ScreenMode}),
                  std::vector<int>({row.popupAfter, row.notice, row.countdown, row.cursor, 3}))
            << row.popup << "," << row.cursor;
    }
}

// Removing the only game: totals 0, an empty ranking file, the home screen. Removing a game
// whose name holds a blank removes exactly that folder, then shows the first game left.
TEST(ActiveProfile, RemovingGames)
{
    TestCard card;
    card.Player("vok_anna", "lang=English\r\n");
    card.Game("vok_anna", "solo", {4, 4, 40, 40, 3});
    ScanProfiles();
    RecomputeTotals();
    ListGames();
    ScreenMode = 3;
    PopupId = 4;
    MenuAction();
    EXPECT_FALSE(FileExists(card.store + "vok_anna/solo"));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(0, 0, 0, 0));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/vok.ranking") && ReadFile(card.store + "vok_anna/vok.ranking").empty());
    EXPECT_TRUE(GameFolders.empty());
    EXPECT_EQ(ScreenMode, 1);

    for (const char* game : {"my game", "my", "game"}) card.Game("vok_anna", game, {1, 2, 3, 4, 5});
    ListGames();
    SelectedGame = int(std::find(GameFolders.begin(), GameFolders.end(), "my game") - GameFolders.begin());
    const std::string next = GameFolders[SelectedGame == 0 ? 1 : 0];
    WriteTitleFile(card.store + "vok_anna/" + next, "Next Up", "Kim");
    WriteAchievementTexts(card.store + "vok_anna/" + next, "English", {{1, "First", "The first"}});
    ScreenMode = 3;
    RemoveGame();
    EXPECT_FALSE(FileExists(card.store + "vok_anna/my game"));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/my/vok.dat") && FileExists(card.store + "vok_anna/game/vok.dat"));
    ASSERT_EQ(GameFolders.size(), 2u);
    EXPECT_EQ(GameFolders[0], next);
    EXPECT_EQ(ScreenMode, 3);
    EXPECT_EQ(GameTitle, "Next Up");
    EXPECT_EQ(GameSummary.achievementCount, 2);
    ASSERT_EQ(AchievementTexts.size(), 1u);
    EXPECT_EQ(Profiles[0]->achievementCount, 4);
}

// Removing one of three players leaves two with the last listed selected and both icon rows
// empty; removing the last raises notice 1 once per run; with nobody left it only closes.
TEST(ActiveProfile, RemovingPlayers)
{
    TestCard card;
    for (const char* name : {"vok_anna", "vok_bob", "vok_cleo"}) card.Player(name);
    card.Game("vok_bob", "racer", {1, 1, 1, 1, 1});
    ScanProfiles();
    const std::string removed = Profiles[0]->folder;
    SelectedProfile = 0;
    FavouriteIcons[0] = MakeSurface(24, 24);
    CompletedIcons[4] = MakeSurface(24, 24);
    PopupId = 2;
    MenuAction();
    EXPECT_FALSE(FileExists(card.store + removed));
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Profiles[1]->folder, DirectoryOrder(card.store, IsPlayer).at(1));
    EXPECT_EQ(SelectedProfile, 1);
    EXPECT_TRUE(!FavouriteIcons[0] && !CompletedIcons[4]);
    EXPECT_EQ(NoticeId, 0);

    RemoveProfile();
    RemoveProfile();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(NoticeId, 1);
    NoticeId = 0;
    card.Player("vok_dora");
    ScanProfiles();
    RemoveProfile();
    EXPECT_EQ(NoticeId, 0);
    PopupId = 2;
    MenuAction();
    EXPECT_EQ(PopupId, 0);
    EXPECT_EQ(ListFolder(card.store).size(), 2u);
}
