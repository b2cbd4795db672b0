#include "store/ranking.h"

#include <gtest/gtest.h>

#include "frame/state.h"

#include <filesystem>

#include "graphics/draw.h"
#include "tests/support/kit_support.h"
#include "tests/support/store_support.h"

// Descending by signed score, ties in arrival order; read back by line order, exact keys.
TEST(Ranking, OrderAndFileText)
{
    TestCard card;
    for (const auto& [score, name] : {std::pair<int, const char*>{5, "5a"}, {9, "9"}, {5, "5b"}}) InsertFavourite(score, name);
    for (const auto& [score, name] : {std::pair<int, const char*>{-5, "-5"}, {INT32_MIN, "min"}, {0, "0"}}) InsertCompleted(score, name);
    EXPECT_EQ(FormatRanking(), "fav1=9\r\nfav2=5a\r\nfav3=5b\r\ncmp1=0\r\ncmp2=-5\r\ncmp3=min\r\n");

    ParseRanking("cmp2=b\r\ncmp1=a\r\nfav1=my game  \r\n"
                 " fav1=blank before\r\nfav6=six\r\nFav1=caps\r\nfav=none\r\nfav12=x\r\nxcmp1=y\r\n=fav1\n"
                 "fav1=\r\nfav1= a=b\r\nfav3=again\nfav3=again\n");
    EXPECT_EQ(FormatRanking(), "fav1=my game\r\nfav2=\r\nfav3= a=b\r\nfav4=again\r\nfav5=again\r\n"
                               "cmp1=b\r\ncmp2=a\r\n");
}

// Five lines a list in the file, icons (keyed only with magenta) for the first five; no player:
// lists emptied, nothing written.
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
    for (int i = 1; i <= 6; ++i) InsertFavourite(10 - i, "g" + std::to_string(i));
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
    EXPECT_TRUE(FavouriteList.size() == 6u && !FavouriteIcons[0] && !FavouriteIcons[4] && !CompletedIcons[0]); // none left from before
    SelectedProfile = -1;
    LoadRanking();
    SaveRanking();
    EXPECT_TRUE(FavouriteList.empty());
    EXPECT_EQ(ReadFile(player + "vok.ranking"), sixLines);
}

// The home screen reads the neighbours' icons ahead: their list first, then one icon a call, and a
// switch takes them by path, so icons gone from the card by then still show; a game in both lists
// shares one surface. Caches off, none is read ahead.
TEST(Ranking, NeighboursIconsReadAheadOneACall)
{
    TestCard card;
    for (const char* folder : {"vok_a", "vok_b", "vok_c"}) {
        card.Player(folder);
        for (const char* game : {"/g", "/h"}) {
            MakeDir(card.store + folder + game);
            WriteIcon(card.store + folder + game, 0, RgbImage(2, 2, 0x00FF00));
        }
        WriteFile(card.store + folder + "/vok.ranking", "fav1=g\r\nfav2=h\r\ncmp1=g\r\n");
    }
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 3u);
    const ProfileRecord* b = Profiles[IndexOf("vok_b")];
    const ProfileRecord* c = Profiles[IndexOf("vok_c")];
    auto hide = [&](bool away) { // the two neighbours' icon files, moved aside or back
        for (const std::string icon : {"vok_b/g/vok.icon", "vok_b/h/vok.icon", "vok_c/g/vok.icon", "vok_c/h/vok.icon"})
            away ? std::filesystem::rename(card.store + icon, card.store + icon + "~")
                 : std::filesystem::rename(card.store + icon + "~", card.store + icon);
    };
    auto iconsAfter = [&](int calls, const ProfileRecord* shown) { // 100: fav1's icon, 10: fav2's, 1: cmp1's
        FreePreparedIcons();
        for (int i = 0; i < calls; ++i) PrepareRankingIcons(b, c);
        hide(true);
        SelectedProfile = IndexOf(shown->folder);
        LoadRanking();
        hide(false);
        return 100 * !!FavouriteIcons[0] + 10 * !!FavouriteIcons[1] + !!CompletedIcons[0];
    };
    EXPECT_EQ(iconsAfter(1, b), 0);   // the list only
    EXPECT_EQ(iconsAfter(2, b), 101); // g, read once for both of its slots
    EXPECT_EQ(FavouriteIcons[0], CompletedIcons[0]);
    EXPECT_EQ(iconsAfter(3, b), 111); // then h
    EXPECT_EQ(iconsAfter(3, c), 0);   // c's come after b's
    EXPECT_EQ(iconsAfter(5, c), 111);
    DrawingCaches = false;
    EXPECT_EQ(iconsAfter(5, c), 0);
    DrawingCaches = true;
    FreePreparedIcons();
}

// Reading ahead happens in frames nobody pressed in: every step that read something says so, so
// the frames go on reading until all are read, and then the program may rest.
TEST(Ranking, ReadingAheadStepsUntilAllAreRead)
{
    TestCard card;
    for (const char* folder : {"vok_a", "vok_b"}) {
        card.Player(folder);
        for (const char* game : {"/g", "/h"}) {
            MakeDir(card.store + folder + game);
            WriteIcon(card.store + folder + game, 0, RgbImage(2, 2, 0x00FF00));
        }
        WriteFile(card.store + folder + "/vok.ranking", "fav1=g\r\nfav2=h\r\n");
    }
    ScanProfiles();
    const ProfileRecord* b = Profiles[IndexOf("vok_b")];
    FreePreparedIcons();
    std::vector<int> steps;
    for (int call = 0; call < 5; ++call) steps.push_back(PrepareRankingIcons(b, b));
    EXPECT_EQ(steps, std::vector<int>({1, 1, 1, 0, 0})); // the list, g, h, then nothing left
    FreePreparedIcons();
}
