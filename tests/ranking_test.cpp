#include "store/ranking.h"

#include <gtest/gtest.h>

#include "store/game_files_writer.h"
#include "store/profiles.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

static std::vector<std::string> Names(const std::vector<RankEntry>& list)
{
    std::vector<std::string> names;
    for (const RankEntry& entry : list) names.push_back(entry.gameFolder);
    return names;
}

// Descending by score; equal scores keep the order in which they came.
TEST(Ranking, InsertOrder)
{
    FavouriteList.clear();
    InsertFavourite(5, "first five");
    InsertFavourite(9, "nine");
    InsertFavourite(5, "second five");
    InsertFavourite(1, "one");
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"nine", "first five", "second five", "one"}));
    CompletedList.clear();
    InsertCompleted(-5, "a");
    InsertCompleted(INT32_MIN, "b");
    InsertCompleted(0, "c");
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"c", "a", "b"}));
    FavouriteList.clear();
    CompletedList.clear();
}

// The file holds at most five lines per list, favourites first, CR LF each.
TEST(Ranking, FileText)
{
    FavouriteList.clear();
    CompletedList.clear();
    EXPECT_EQ(FormatRanking(), "");
    for (int i = 1; i <= 7; ++i) FavouriteList.push_back(RankEntry{10 - i, "g" + std::to_string(i)});
    EXPECT_EQ(FormatRanking(), "fav1=g1\r\nfav2=g2\r\nfav3=g3\r\nfav4=g4\r\nfav5=g5\r\n");
    FavouriteList.resize(1);
    CompletedList.push_back(RankEntry{3, "my game"});
    EXPECT_EQ(FormatRanking(), "fav1=g1\r\ncmp1=my game\r\n");
    FavouriteList.clear();
    EXPECT_EQ(FormatRanking(), "cmp1=my game\r\n");

    // hand-edited files: line order wins, keys match exactly, values are trimmed at the end only
    ParseRanking("cmp2=b\r\ncmp1=a\r\n"
                 "fav1=my game  \r\n"
                 " fav1=blank before\r\nfav6=six\r\nFav1=caps\r\nfav=none\r\nfav12=x\r\nxcmp1=y\r\n"
                 "fav1=\r\n"
                 "fav1= a=b\r\n"
                 "fav3=repeated\nfav3=repeated\n"
                 "=fav1\n");
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"my game", "", " a=b", "repeated", "repeated"}));
    for (const RankEntry& entry : FavouriteList) EXPECT_EQ(entry.score, 0);
    ParseRanking("");
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_TRUE(CompletedList.empty());
}

// Saving and loading go through the selected player's file; icons come from each listed game,
// at its own size with magenta transparent, for the first five entries only.
TEST(Ranking, SaveLoadAndIcons)
{
    TempDir dir;
    const std::string store = dir.store();
    ResetStore(store);
    MakePlayer(store, "vok_ana", "name=Ana\r\n");
    ScanProfiles();
    const std::string player = dir / "vok_ana/";
    RgbImage icon(22, 22, 0x00FF00);
    icon.at(0, 0) = Magenta;
    for (const char* game : {"g1", "g3", "g6"}) {
        MakeDir(player + game);
        WriteGameIcon(player + game, icon);
    }
    WriteGameIcon(player, RgbImage(3, 4, 0x0000FF)); // for the entry with an empty name

    for (int i = 1; i <= 6; ++i) InsertFavourite(10 - i, "g" + std::to_string(i));
    InsertCompleted(100, "");
    InsertCompleted(50, "g3");
    SaveRanking();
    EXPECT_EQ(ReadFile(player + "vok.ranking"),
              "fav1=g1\r\nfav2=g2\r\nfav3=g3\r\nfav4=g4\r\nfav5=g5\r\ncmp1=\r\ncmp2=g3\r\n");

    FavouriteIcons[4] = MakeSurface(2, 2); // a slot from before is replaced
    LoadRanking();
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"g1", "g2", "g3", "g4", "g5"}));
    EXPECT_EQ(Names(CompletedList), (std::vector<std::string>{"", "g3"}));
    ASSERT_NE(FavouriteIcons[0], nullptr);
    EXPECT_EQ(FavouriteIcons[0]->w, 22);
    EXPECT_EQ(FavouriteIcons[0]->h, 22);
    EXPECT_EQ(FavouriteIcons[0]->format->BitsPerPixel, 16);
    EXPECT_TRUE(FavouriteIcons[0]->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(FavouriteIcons[0]->format->colorkey, SDL_MapRGB(FavouriteIcons[0]->format, 255, 0, 255));
    const Uint16* pixels = static_cast<const Uint16*>(FavouriteIcons[0]->pixels);
    EXPECT_EQ(pixels[0], FavouriteIcons[0]->format->colorkey);
    EXPECT_EQ(pixels[1], SDL_MapRGB(FavouriteIcons[0]->format, 0, 255, 0));
    EXPECT_EQ(FavouriteIcons[1], nullptr);
    EXPECT_NE(FavouriteIcons[2], nullptr);
    EXPECT_EQ(FavouriteIcons[4], nullptr);
    ASSERT_NE(CompletedIcons[0], nullptr);
    EXPECT_EQ(CompletedIcons[0]->w, 3);
    EXPECT_NE(CompletedIcons[1], nullptr);
    EXPECT_EQ(CompletedIcons[2], nullptr);

    // a hand-edited file with more than five entries: all listed, five icons
    WriteFile(player + "vok.ranking", "fav1=g6\r\nfav1=g1\r\nfav1=g2\r\nfav1=g3\r\nfav1=g4\r\nfav1=g6\r\n");
    LoadRanking();
    EXPECT_EQ(FavouriteList.size(), 6u);
    EXPECT_NE(FavouriteIcons[0], nullptr);
    EXPECT_EQ(FavouriteIcons[4], nullptr);
    EXPECT_TRUE(CompletedList.empty());
    EXPECT_EQ(CompletedIcons[0], nullptr);

    // no file: empty lists and rows; no player: lists emptied, icons kept
    std::remove((player + "vok.ranking").c_str());
    LoadRanking();
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_EQ(FavouriteIcons[0], nullptr);
    FavouriteIcons[0] = MakeSurface(2, 2);
    FavouriteList.push_back(RankEntry{1, "x"});
    SelectedProfile = -1;
    LoadRanking();
    SaveRanking();
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_NE(FavouriteIcons[0], nullptr);
    EXPECT_FALSE(FileExists(player + "vok.ranking"));
    ResetStore(store);
}
