#include "store/ranking.h"

#include <gtest/gtest.h>

#include "tests/support/kit_support.h"
#include "tests/support/store_support.h"

// Descending by score, signed; equal scores keep the order in which they came. Read back, line
// order wins, keys match exactly and values are trimmed at the end only.
TEST(Ranking, OrderAndFileText)
{
    TestCard card;
    InsertFavourite(5, "5a");
    InsertFavourite(9, "9");
    InsertFavourite(5, "5b");
    InsertCompleted(-5, "-5");
    InsertCompleted(INT32_MIN, "min");
    InsertCompleted(0, "0");
    EXPECT_EQ(FormatRanking(), "fav1=9\r\nfav2=5a\r\nfav3=5b\r\ncmp1=0\r\ncmp2=-5\r\ncmp3=min\r\n");

    ParseRanking("cmp2=b\r\ncmp1=a\r\nfav1=my game  \r\n"
                 " fav1=blank before\r\nfav6=six\r\nFav1=caps\r\nfav=none\r\nfav12=x\r\nxcmp1=y\r\n=fav1\n"
                 "fav1=\r\nfav1= a=b\r\nfav3=again\nfav3=again\n");
    EXPECT_EQ(FormatRanking(), "fav1=my game\r\nfav2=\r\nfav3= a=b\r\nfav4=again\r\nfav5=again\r\n"
                               "cmp1=b\r\ncmp2=a\r\n");
}

// The selected player's file holds at most five lines per list, favourites first, CR LF each.
// Icons come from each listed game, at their own size with a colour key, for the first five
// entries only (an empty name names the player's folder). No player: lists emptied, nothing written.
TEST(Ranking, SaveLoadAndIcons)
{
    TestCard card;
    card.Player("vok_ana");
    ScanProfiles();
    const std::string player = card.store + "vok_ana/";
    for (const char* game : {"g1", "g3", "g6"}) {
        MakeDir(player + game);
        WriteIcon(player + game, 0, RgbImage(22, 22, 0x00FF00));
    }
    WriteIcon(player, 0, RgbImage(3, 4, 0x0000FF));
    for (int i = 1; i <= 6; ++i)
        InsertFavourite(10 - i, "g" + std::to_string(i));
    InsertCompleted(100, "");
    InsertCompleted(50, "g3");
    SaveRanking();
    EXPECT_EQ(ReadFile(player + "vok.ranking"),
              "fav1=g1\r\nfav2=g2\r\nfav3=g3\r\nfav4=g4\r\nfav5=g5\r\ncmp1=\r\ncmp2=g3\r\n");
    LoadRanking();
    ASSERT_TRUE(FavouriteIcons[0] && !(FavouriteIcons[0]->flags & SDL_SRCCOLORKEY)); // no magenta: copied plain
    EXPECT_TRUE(!FavouriteIcons[1] && FavouriteIcons[2] && !FavouriteIcons[4]);
    ASSERT_TRUE(CompletedIcons[0] && CompletedIcons[1] && !CompletedIcons[2]);
    EXPECT_EQ(CompletedIcons[0]->w, 3);

    const std::string sixLines = "fav1=g2\r\nfav1=g2\r\nfav1=g2\r\nfav1=g2\r\nfav1=g2\r\nfav1=g6\r\n";
    WriteFile(player + "vok.ranking", sixLines);
    LoadRanking();
    EXPECT_EQ(FavouriteList.size(), 6u);
    EXPECT_TRUE(!FavouriteIcons[0] && !FavouriteIcons[4] && !CompletedIcons[0]); // none left from before
    SelectedProfile = -1;
    LoadRanking();
    SaveRanking();
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_EQ(ReadFile(player + "vok.ranking"), sixLines);
}
