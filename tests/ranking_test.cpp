#include "store/ranking.h"

#include <gtest/gtest.h>

#include "store/game_files_writer.h"
#include "tests/support/store_support.h"

// Descending by score, signed; equal scores keep the order in which they came. The file
// holds at most five lines per list, favourites first, CR LF each; read back, line order
// wins, keys match exactly and values are trimmed at the end only.
TEST(Ranking, OrderAndFileText)
{
    TestCard card;
    InsertFavourite(5, "5a");
    InsertFavourite(9, "9");
    InsertFavourite(5, "5b");
    InsertFavourite(1, "1");
    InsertCompleted(-5, "-5");
    InsertCompleted(INT32_MIN, "min");
    InsertCompleted(0, "0");
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"9", "5a", "5b", "1"}));
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"0", "-5", "min"}));
    InsertFavourite(0, "g5");
    InsertFavourite(-1, "g6");
    CompletedList.clear();
    EXPECT_EQ(FormatRanking(), "fav1=9\r\nfav2=5a\r\nfav3=5b\r\nfav4=1\r\nfav5=g5\r\n");

    ParseRanking("cmp2=b\r\ncmp1=a\r\nfav1=my game  \r\n"
                 " fav1=blank before\r\nfav6=six\r\nFav1=caps\r\nfav=none\r\nfav12=x\r\nxcmp1=y\r\n=fav1\n"
                 "fav1=\r\nfav1= a=b\r\nfav3=repeated\nfav3=repeated\n");
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"b", "a"}));
    const std::vector<std::string> favourites = {"my game", "", " a=b", "repeated", "repeated"};
    EXPECT_EQ(Names(FavouriteList), favourites);
    EXPECT_EQ(FavouriteList[0].score, 0);
}

// Saving and loading go through the selected player's file; icons come from each listed
// game, at their own size with a colour key, for the first five entries only (an
// empty name names the player's folder). No file: empty lists and rows; no player: lists
// emptied, icons kept, nothing written.
TEST(Ranking, SaveLoadAndIcons)
{
    TestCard card;
    card.Player("vok_ana"), ScanProfiles();
    const std::string player = card.store + "vok_ana/";
    const RgbImage icon(22, 22, 0x00FF00);
    for (const char* game : {"g1", "g3", "g6"}) {
        MakeDir(player + game);
        WriteGameIcon(player + game, icon);
    }
    WriteGameIcon(player, RgbImage(3, 4, 0x0000FF));
    for (int i = 1; i <= 6; ++i)
        InsertFavourite(10 - i, "g" + std::to_string(i));
    InsertCompleted(100, "");
    InsertCompleted(50, "g3");
    SaveRanking();
    EXPECT_EQ(ReadFile(player + "vok.ranking"),
              "fav1=g1\r\nfav2=g2\r\nfav3=g3\r\nfav4=g4\r\nfav5=g5\r\ncmp1=\r\ncmp2=g3\r\n");
    FavouriteIcons[4] = MakeSurface(2, 2); // a slot from before is replaced
    LoadRanking();
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"g1", "g2", "g3", "g4", "g5"}));
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"", "g3"}));
    const SDL_Surface* first = FavouriteIcons[0];
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->w, 22);
    EXPECT_EQ(first->h, 22);
    EXPECT_EQ(first->format->BitsPerPixel, 16);
    EXPECT_TRUE(first->flags & SDL_SRCCOLORKEY);
    EXPECT_TRUE(!FavouriteIcons[1] && FavouriteIcons[2] && !FavouriteIcons[4]);
    ASSERT_TRUE(CompletedIcons[0] && CompletedIcons[1] && !CompletedIcons[2]);
    EXPECT_EQ(CompletedIcons[0]->w, 3);

    std::string fiveAndOne;
    for (int i = 0; i < 5; ++i)
        fiveAndOne += "fav1=g2\r\n";
    WriteFile(player + "vok.ranking", fiveAndOne + "fav1=g6\r\n");
    LoadRanking();
    EXPECT_EQ(FavouriteList.size(), 6u);
    EXPECT_TRUE(CompletedList.empty());
    EXPECT_TRUE(!FavouriteIcons[0] && !FavouriteIcons[4] && !CompletedIcons[0]);
    std::remove((player + "vok.ranking").c_str());
    LoadRanking();
    EXPECT_TRUE(FavouriteList.empty());
    FavouriteIcons[0] = MakeSurface(2, 2);
    FavouriteList.push_back(RankEntry{1, "x"});
    SelectedProfile = -1;
    LoadRanking();
    SaveRanking();
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_NE(FavouriteIcons[0], nullptr);
    EXPECT_FALSE(FileExists(player + "vok.ranking"));
}
