// The store across runs and the menu's removals: the active-profile file, the update
// marker, MenuAction's table, and removing a player or one game.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/state.h"
#include "localization/language_table.h"
#include "screens/notices.h"
#include "store/active_profile.h"
#include "store/game_files.h"
#include "store/game_files_writer.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/progress_writer.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

namespace {

struct Card {
    TempDir dir;
    std::string store = dir.store();
    Card()
    {
        ResetStore(store);
        PopupId = 0;
        PopupCursor = 0;
        SnapshotCountdown = 0;
        ScreenMode = 1;
    }
    ~Card() { ResetStore(store); }

    void Player(const std::string& folder, const std::string& lang)
    {
        MakePlayer(store, folder, "lang=" + lang + "\r\nname=" + folder.substr(4) + "\r\n");
    }
    int IndexOf(const std::string& folder) const
    {
        for (size_t i = 0; i < Profiles.size(); ++i)
            if (Profiles[i]->folder == folder) return int(i);
        return -1;
    }
};

bool IsPlayer(const std::string& name) { return name.compare(0, 4, "vok_") == 0; }
bool IsGame(const std::string& name) { return name != "." && name != ".."; }

std::string Totals(int a, int b, int c, int d)
{
    std::string bytes;
    for (int v : { a, b, c, d })
        for (int i = 0; i < 4; ++i) bytes += char((uint32_t(v) >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

// "activevok" holds exactly the selected folder name; the next start selects that player
// in its language; a name followed by CR matches nobody; with no player no file is written.
TEST(ActiveProfile, RemembersThePlayerAcrossRuns)
{
    Card card;
    card.Player("vok_anna", "Deutsch");
    card.Player("vok_bob", "English");
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 2u);
    SelectedProfile = card.IndexOf("vok_anna");
    SaveActiveProfile();
    EXPECT_EQ(ReadFile(card.store + "activevok"), "vok_anna");
    EXPECT_EQ(ListFolder(card.store).size(), 2u + 3u); // ".", "..", two players, the file

    const int deutsch = LanguageTable.FindLanguage("Deutsch");
    const int english = LanguageTable.FindLanguage("English");
    ASSERT_NE(deutsch, english) << "the language files must be in the working folder";

    struct { const char* file; const char* selected; int language; } cases[] = {
        { "vok_anna", "vok_anna", deutsch },
        { "vok_anna\nvok_bob", "vok_anna", deutsch },
        { "vok_anna\r", nullptr, english },
        { "vok_ann", nullptr, english },
        { "", nullptr, english },
    };
    for (const auto& c : cases) {
        WriteFile(card.store + "activevok", c.file);
        LanguageTable.SetLanguage("English");
        ScanProfiles();
        const int last = SelectedProfile;
        LoadStore();
        EXPECT_EQ(SelectedProfile, c.selected ? card.IndexOf(c.selected) : last) << c.file;
        EXPECT_EQ(LanguageTable.currentLanguage, c.language) << c.file;
    }
    LanguageTable.SetLanguage("English");

    // No player: the file is neither created nor changed.
    Card empty;
    ScanProfiles();
    SaveActiveProfile();
    EXPECT_FALSE(FileExists(empty.store + "activevok"));
    WriteFile(empty.store + "activevok", "vok_old");
    SaveActiveProfile();
    EXPECT_EQ(ReadFile(empty.store + "activevok"), "vok_old");
    EXPECT_EQ(HasUpdateMarker(), 0);
    LoadStore(); // nothing to load, nothing to crash on
}

// An "update" marker makes the start rebuild totals and ranking from the summaries and go
// away; without it the start only reads the cached totals.
TEST(ActiveProfile, UpdateMarkerRecomputesAtStart)
{
    Card card;
    card.Player("vok_anna", "English");
    MakeGame(card.store, "vok_anna", "A", { 3, 5, 30, 50, 7 });
    MakeGame(card.store, "vok_anna", "B", { 2, 2, 20, 20, 9 });
    WriteFile(card.store + "vok_anna/vok.erience", Totals(1, 1, 1, 1));
    WriteFile(card.store + "activevok", "vok_anna");

    ScanProfiles();
    LoadStore();
    EXPECT_EQ(Profiles[0]->pointsEarned, 1);
    EXPECT_FALSE(FileExists(card.store + "vok_anna/vok.ranking"));

    ASSERT_TRUE(WriteUpdateMarker(card.store + "vok_anna"));
    ScanProfiles();
    EXPECT_EQ(HasUpdateMarker(), 1);
    LoadStore();
    const ProfileRecord& anna = *Profiles[0];
    EXPECT_EQ(anna.unlockedCount, 5);
    EXPECT_EQ(anna.achievementCount, 7);
    EXPECT_EQ(anna.pointsEarned, 50);
    EXPECT_EQ(anna.pointsPossible, 70);
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(5, 7, 50, 70));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.ranking"), "fav1=B\r\nfav2=A\r\ncmp1=B\r\n");
    EXPECT_FALSE(FileExists(card.store + "vok_anna/update"));
    EXPECT_EQ(HasUpdateMarker(), 0);
    ASSERT_EQ(FavouriteList.size(), 2u);
    EXPECT_EQ(FavouriteList[0].gameFolder, "B");
}

// Every row of the menu table, and pairs that must do nothing. With no player the two
// removal confirmations only close the menu.
TEST(ActiveProfile, MenuActionTable)
{
    Card card;
    ScanProfiles();
    NoticeId = 0;
    struct { int popup, cursor, popupAfter, notice, countdown; } rows[] = {
        { 1, 0, 0, 0, 4 }, { 1, 1, 2, 0, 0 }, { 1, 2, 0, 3, 0 },
        { 2, 0, 0, 0, 0 }, { 2, 1, 0, 0, 0 },
        { 3, 0, 0, 0, 4 }, { 3, 1, 4, 0, 0 }, { 3, 2, 0, 3, 0 },
        { 4, 0, 0, 0, 0 }, { 4, 1, 0, 0, 0 },
        // nothing happens
        { 2, 2, 2, 0, 0 }, { 4, 2, 4, 0, 0 }, { 1, 3, 1, 0, 0 }, { 3, -1, 3, 0, 0 },
        { 0, 0, 0, 0, 0 }, { 0, 2, 0, 0, 0 }, { 5, 0, 5, 0, 0 }, { -1, 1, -1, 0, 0 },
    };
    for (const auto& row : rows) {
        PopupId = row.popup;
        PopupCursor = row.cursor;
        NoticeId = 0;
        SnapshotCountdown = 0;
        ScreenMode = 3;
        MenuAction();
        EXPECT_EQ(PopupId, row.popupAfter) << row.popup << "," << row.cursor;
        EXPECT_EQ(NoticeId, row.notice) << row.popup << "," << row.cursor;
        EXPECT_EQ(SnapshotCountdown, row.countdown) << row.popup << "," << row.cursor;
        EXPECT_EQ(PopupCursor, row.cursor);
        EXPECT_EQ(ScreenMode, 3);
    }
    PopupId = 0;
    PopupCursor = 0;
}

// Removing the only game: totals 0, an empty ranking file, back to the home screen.
TEST(ActiveProfile, RemovingTheOnlyGame)
{
    Card card;
    card.Player("vok_anna", "English");
    MakeGame(card.store, "vok_anna", "solo", { 4, 4, 40, 40, 3 });
    WriteFile(card.store + "vok_anna/solo/vok.icon", "");
    ScanProfiles();
    RecomputeTotals();
    LoadRanking();
    ListGames();
    ASSERT_EQ(GameFolders.size(), 1u);
    ScreenMode = 3;
    PopupId = 4;
    PopupCursor = 0;
    MenuAction();
    EXPECT_EQ(PopupId, 0);
    EXPECT_FALSE(FileExists(card.store + "vok_anna/solo"));
    EXPECT_EQ(Profiles[0]->pointsEarned, 0);
    EXPECT_EQ(Profiles[0]->unlockedCount, 0);
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(0, 0, 0, 0));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/vok.ranking"));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.ranking"), "");
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_TRUE(GameFolders.empty());
    EXPECT_EQ(ScreenMode, 1);
    EXPECT_TRUE(FileExists(card.store + "vok_anna/vok.cfg"));
}

// Removing a game whose name holds a blank removes exactly that folder, then shows the
// first game left with its summary, records, title and texts.
TEST(ActiveProfile, RemovingAGameWithABlank)
{
    Card card;
    card.Player("vok_anna", "English");
    for (const char* game : { "my game", "my", "game" }) MakeGame(card.store, "vok_anna", game, { 1, 2, 3, 4, 5 });
    ScanProfiles();
    ListGames();
    const auto it = std::find(GameFolders.begin(), GameFolders.end(), "my game");
    ASSERT_NE(it, GameFolders.end());
    SelectedGame = int(it - GameFolders.begin());
    std::vector<std::string> left = DirectoryOrder(card.store + "vok_anna/", IsGame);
    left.erase(std::find(left.begin(), left.end(), "my game"));
    left.erase(std::remove_if(left.begin(), left.end(), [](const std::string& n) { return n.compare(0, 4, "vok.") == 0; }), left.end());
    const std::string first = left.at(0);
    WriteTitleFile(card.store + "vok_anna/" + first, "Next Up", "Kim");
    WriteAchievementTexts(card.store + "vok_anna/" + first, "English", { { 1, "First", "The first" } });
    GameSummary = GameSummaryRecord{ 9, 9, 9, 9, 9 };
    ScreenMode = 3;

    RemoveGame();
    EXPECT_FALSE(FileExists(card.store + "vok_anna/my game"));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/my/vok.dat"));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/game/vok.dat"));
    ASSERT_EQ(GameFolders.size(), 2u);
    EXPECT_EQ(SelectedGame, 0);
    EXPECT_EQ(GameFolders[0], first);
    EXPECT_EQ(ScreenMode, 3);
    EXPECT_EQ(GameSummary.achievementCount, 2);
    EXPECT_EQ(GameTitle, "Next Up");
    ASSERT_EQ(Achievements.size(), 1u);
    ASSERT_EQ(AchievementTexts.size(), 1u);
    EXPECT_STREQ(AchievementTexts[0].name, "First");
    EXPECT_EQ(Profiles[0]->achievementCount, 4);
}

// Removing one of three players leaves two with the last listed selected and both icon rows
// empty; removing the last raises notice 1 once per run; with nobody left it only closes.
TEST(ActiveProfile, RemovingPlayers)
{
    Card card;
    for (const char* name : { "vok_anna", "vok_bob", "vok_cleo" }) card.Player(name, "English");
    MakeGame(card.store, "vok_bob", "racer", { 1, 1, 1, 1, 1 });
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 3u);
    FirstRunNoticeShown = 0;
    NoticeId = 0;
    const std::string removed = Profiles[0]->folder;
    SelectedProfile = 0;
    FavouriteIcons[0] = MakeSurface(24, 24);
    CompletedIcons[4] = MakeSurface(24, 24);
    PopupId = 2;
    PopupCursor = 0;
    MenuAction();
    EXPECT_EQ(PopupId, 0);
    EXPECT_FALSE(FileExists(card.store + removed));
    ASSERT_EQ(Profiles.size(), 2u);
    const std::vector<std::string> order = DirectoryOrder(card.store, IsPlayer);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(SelectedProfile, 1);
    EXPECT_EQ(Profiles[1]->folder, order[1]);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(FavouriteIcons[i], nullptr);
        EXPECT_EQ(CompletedIcons[i], nullptr);
    }
    EXPECT_EQ(NoticeId, 0);

    RemoveProfile();
    RemoveProfile();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(NoticeId, 1);
    EXPECT_TRUE(FileExists(card.store));

    NoticeId = 0;
    card.Player("vok_dora", "English");
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 1u);
    RemoveProfile();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(NoticeId, 0);

    PopupId = 2;
    PopupCursor = 0;
    MenuAction();
    EXPECT_EQ(PopupId, 0);
    EXPECT_EQ(ListFolder(card.store).size(), 2u);
}
