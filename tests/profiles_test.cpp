#include "store/profiles.h"

#include <gtest/gtest.h>

#include "tests/support/store_support.h"

// Players are "vok_" folders with a vok.cfg, in directory order, the last selected; then games.
TEST(Profiles, ScanPlayersAndListGames)
{
    TestCard card;
    ScanProfiles();
    EXPECT_TRUE(Profiles.empty() && NoticeId == NoticeNoProfile);
    NoticeId = NoticeNone;
    ScanProfiles();
    StoreRoot = card.store + "missing/";
    ScanProfiles();
    EXPECT_EQ(NoticeId, NoticeNone);

    StoreRoot = card.store;
    for (const char* folder : {"vok_a", "VOK_bob", "vok_", "vok_c"}) card.Player(folder);
    MakeDir(card.store + "vok_nocfg");
    WriteFile(card.store + "vok_file", "name=File\r\n");
    WriteFile(card.store + "vok_c/vok.erience", Totals(7, 8, 9, 9).substr(0, 6));
    FavouriteIcons[0] = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 16, 0, 0, 0, 0);
    ScanProfiles();
    std::vector<std::string> folders;
    for (const ProfileRecord* record : Profiles) folders.push_back(record->folder);
    const auto isPlayer = [](const std::string& n) { return n == "vok_a" || n == "vok_" || n == "vok_c"; };
    EXPECT_EQ(folders, DirectoryOrder(card.store, isPlayer));
    EXPECT_TRUE(SelectedProfile == 2 && NoticeId == NoticeNone && !FavouriteIcons[0]);
    EXPECT_EQ(TotalsOf(*Profiles[IndexOf("vok_c")]), Totals(7, 0, 0, 0));

    // games: sub-folders holding "vok.dat", in directory order, never the player's own or the store
    for (const char* game : {"alpha", "beta", "gamma"}) card.Game("vok_a", game, {1, 2, 3, 4, 5});
    WriteFile(card.store + "vok_a/vok.dat", "");
    WriteFile(card.store + "vok.dat", "");
    const auto isGame = [](const std::string& n) { return n == "alpha" || n == "beta" || n == "gamma"; };
    const std::vector<std::string> expected = DirectoryOrder(card.store + "vok_a", isGame);
    for (int selected : {IndexOf("vok_a"), -1, 3}) {
        SelectedProfile = selected;
        SelectedGame = 2;
        ListGames();
        EXPECT_EQ(GameFolders, expected) << selected;
        EXPECT_EQ(SelectedGame, selected >= 0 && selected < 3 ? 0 : 2) << selected;
    }
    SelectedGame = -1;
    EXPECT_EQ(CurrentGameFolder(), nullptr);
}
