#include "store/profiles.h"

#include <gtest/gtest.h>

#include "frame/state.h"
#include "store/progress_writer.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

static std::vector<std::string> ProfileFolders()
{
    std::vector<std::string> folders;
    for (const ProfileRecord* record : Profiles) folders.push_back(record->folder);
    return folders;
}

// An empty card raises the first-run notice once per run, not at every rescan.
TEST(Profiles, FirstRunNoticeOnce)
{
    TempDir dir;
    ResetStore(dir.store());
    FirstRunNoticeShown = 0;
    ScanProfiles();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(NoticeId, 1);
    EXPECT_EQ(FirstRunNoticeShown, 1);
    NoticeId = 0;
    ScanProfiles();
    EXPECT_EQ(NoticeId, 0);
    ResetStore(dir.store() + "missing/"); // a store that cannot be opened is just empty
    ScanProfiles();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(NoticeId, 0);
}

// Only "vok_" folders (exact case) with a readable profile file are players, in directory
// order; the last one is selected, everyone's totals come from the cache, icons are emptied.
TEST(Profiles, ScanFindsPlayersInDirectoryOrder)
{
    TempDir dir;
    const std::string store = dir.store();
    ResetStore(store);
    MakePlayer(store, "vok_anna", "name=Anna\r\n");
    MakePlayer(store, "VOK_bob", "name=Bob\r\n");
    MakePlayer(store, "vok_", "name=   \r\n");
    MakePlayer(store, "vok_cleo", "");
    MakeDir(dir / "vok_nocfg");
    MakeDir(dir / "vok");
    WriteFile(dir / "vok_file", "name=File\r\n");
    WriteFile(dir / ".vok-tmp.vok_x", "name=X\r\n");
    std::string totals;
    for (int value : {1, -2, 3, 4}) AppendInt32(&totals, value);
    WriteFile(dir / "vok_anna/vok.erience", totals);
    WriteFile(dir / "vok_cleo/vok.erience", totals.substr(0, 6)); // short: one value and a half

    AchievementIcons[3] = MakeSurface(4, 4);
    FavouriteIcons[0] = MakeSurface(4, 4);
    CompletedIcons[4] = MakeSurface(4, 4);
    FirstRunNoticeShown = 0;
    ScanProfiles();

    const std::vector<std::string> expected = DirectoryOrder(dir.path(), [](const std::string& n) {
        return n == "vok_anna" || n == "vok_" || n == "vok_cleo";
    });
    ASSERT_EQ(ProfileFolders(), expected);
    EXPECT_EQ(SelectedProfile, 2);
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(FirstRunNoticeShown, 0);
    for (const ProfileRecord* record : Profiles) {
        if (record->folder == "vok_anna") {
            EXPECT_EQ(record->name, "Anna");
            EXPECT_EQ(record->unlockedCount, 1);
            EXPECT_EQ(record->achievementCount, -2);
            EXPECT_EQ(record->pointsEarned, 3);
            EXPECT_EQ(record->pointsPossible, 4);
        } else if (record->folder == "vok_cleo") {
            EXPECT_EQ(record->unlockedCount, 1);
            EXPECT_EQ(record->achievementCount, 0);
            EXPECT_EQ(record->pointsPossible, 0);
        } else {
            EXPECT_EQ(record->name, "");
            EXPECT_EQ(record->pointsEarned, 0);
        }
    }
    EXPECT_EQ(AchievementIcons[3], nullptr);
    EXPECT_EQ(FavouriteIcons[0], nullptr);
    EXPECT_EQ(CompletedIcons[4], nullptr);
    ResetStore(store);
}

// Games are the sub-folders holding "vok.dat", in directory order; the player's own folder
// and the store above it never count, even with a stray "vok.dat" there.
TEST(Profiles, ListGames)
{
    TempDir dir;
    const std::string store = dir.store();
    ResetStore(store);
    MakePlayer(store, "vok_anna", "name=Anna\r\n");
    const GameSummaryRecord some = {1, 2, 3, 4, 5};
    MakeGame(store, "vok_anna", "alpha", some);
    MakeGame(store, "vok_anna", "beta", some);
    MakeGame(store, "vok_anna", "summary only", some, false);
    MakeGame(store, "vok_anna", "gamma", some);
    WriteFile(dir / "vok_anna/vok.dat", "");
    WriteFile(dir / "vok.dat", "");
    ScanProfiles();

    SelectedGame = 2;
    ListGames();
    const std::vector<std::string> expected = DirectoryOrder(dir / "vok_anna", [](const std::string& n) {
        return n == "alpha" || n == "beta" || n == "gamma";
    });
    EXPECT_EQ(GameFolders, expected);
    EXPECT_EQ(SelectedGame, 0);
    ASSERT_NE(CurrentGameFolder(), nullptr);
    EXPECT_EQ(*CurrentGameFolder(), expected[0]);

    // no player, or an index left outside the list: nothing is read, nothing changes
    for (int selected : {-1, 1, 7}) {
        SelectedProfile = selected;
        SelectedGame = 2;
        EXPECT_EQ(CurrentProfile(), nullptr);
        ListGames();
        EXPECT_EQ(GameFolders, expected);
        EXPECT_EQ(SelectedGame, 2);
    }
    SelectedGame = 3;
    EXPECT_EQ(CurrentGameFolder(), nullptr);
    SelectedGame = -1;
    EXPECT_EQ(CurrentGameFolder(), nullptr);
    ResetStore(store);
    ListGames();
    EXPECT_TRUE(GameFolders.empty());
    EXPECT_EQ(SelectedGame, 0);
}
