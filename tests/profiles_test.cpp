#include "store/profiles.h"

#include <gtest/gtest.h>

#include "tests/support/store_support.h"

// An empty card raises the first-run notice once per run, not at every rescan; a store that
// cannot be opened is just empty. Only "vok_" folders (exact case, "vok_" itself included)
// with a readable profile file are players, in directory order; the last is selected, every
// player's totals come from its cache (short: zeros for the rest), and the icon slots are
// emptied.
TEST(Profiles, ScanFindsPlayersInDirectoryOrder)
{
    TestCard card;
    ScanProfiles();
    EXPECT_TRUE(Profiles.empty() && NoticeId == 1);
    NoticeId = 0;
    ScanProfiles();
    StoreRoot = card.store + "missing/";
    ScanProfiles();
    EXPECT_EQ(NoticeId, 0);

    StoreRoot = card.store;
    for (const char* folder : {"vok_anna", "VOK_bob", "vok_", "vok_cleo"}) card.Player(folder);
    MakeDir(card.store + "vok_nocfg");
    WriteFile(card.store + "vok_file", "name=File\r\n");
    WriteFile(card.store + "vok_anna/vok.erience", Totals(1, -2, 3, 4));
    WriteFile(card.store + "vok_cleo/vok.erience", Totals(7, 8, 9, 9).substr(0, 6));
    AchievementIcons[3] = MakeSurface(4, 4);
    FavouriteIcons[0] = MakeSurface(4, 4);
    CompletedIcons[4] = MakeSurface(4, 4);
    ScanProfiles();
    std::vector<std::string> folders;
    for (const ProfileRecord* record : Profiles)
        folders.push_back(record->folder);
    const auto isPlayer = [](const std::string& n) {
        return n == "vok_anna" || n == "vok_" || n == "vok_cleo";
    };
    EXPECT_EQ(folders, DirectoryOrder(card.store, isPlayer));
    EXPECT_EQ(SelectedProfile, 2);
    EXPECT_EQ(NoticeId, 0);
    const ProfileRecord& anna = *Profiles[IndexOf("vok_anna")];
    const ProfileRecord& cleo = *Profiles[IndexOf("vok_cleo")];
    EXPECT_EQ(Totals(anna.unlockedCount, anna.achievementCount, anna.pointsEarned, anna.pointsPossible),
              Totals(1, -2, 3, 4));
    EXPECT_EQ(Totals(cleo.unlockedCount, cleo.achievementCount, cleo.pointsEarned, cleo.pointsPossible),
              Totals(7, 0, 0, 0));
    EXPECT_TRUE(!AchievementIcons[3] && !FavouriteIcons[0] && !CompletedIcons[4]);
}

// Games are the sub-folders holding "vok.dat", in directory order; the player's own folder
// and the store above never count, even with a stray "vok.dat" (a removal would take them).
// With no player selected nothing is read and nothing changes.
TEST(Profiles, ListGames)
{
    TestCard card;
    card.Player("vok_anna");
    for (const char* game : {"alpha", "beta", "gamma"})
        card.Game("vok_anna", game, {1, 2, 3, 4, 5});
    card.Game("vok_anna", "summary only", {1, 2, 3, 4, 5}, false);
    WriteFile(card.store + "vok_anna/vok.dat", "");
    WriteFile(card.store + "vok.dat", "");
    ScanProfiles();
    const auto isGame = [](const std::string& n) { return n == "alpha" || n == "beta" || n == "gamma"; };
    const std::vector<std::string> expected = DirectoryOrder(card.store + "vok_anna", isGame);
    for (int selected : {0, -1, 1}) {
        SelectedProfile = selected;
        SelectedGame = 2;
        ListGames();
        EXPECT_EQ(GameFolders, expected) << selected;
        EXPECT_EQ(SelectedGame, selected ? 2 : 0) << selected;
    }
    SelectedGame = -1;
    EXPECT_EQ(CurrentGameFolder(), nullptr);
}
