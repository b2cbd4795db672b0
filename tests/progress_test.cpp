#include "store/progress.h"

#include <gtest/gtest.h>
#include <utime.h>

#include <climits>

#include "tests/support/store_support.h"

static void SetModified(const std::string& path, time_t when)
{
    struct utimbuf times = {when, when};
    utime(path.c_str(), &times);
}

// One selected player "vok_ana" on the card; returns its folder path.
static std::string OnePlayer(const TestCard& card)
{
    card.Player("vok_ana");
    ScanProfiles();
    return card.store + "vok_ana/";
}

static std::string TotalsOf(const ProfileRecord& p)
{
    return Totals(p.unlockedCount, p.achievementCount, p.pointsEarned, p.pointsPossible);
}

// The file layouts byte for byte: 20-byte summaries (8 bytes read as 4, 4, 0, 0, 0; bytes
// after 20 ignored) and 16-byte achievement records (40 bytes give two records).
TEST(Progress, FileLayouts)
{
    EXPECT_EQ(FormatSummary({1, 2, 3, 4, -1}),
              std::string("\1\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\xFF\xFF\xFF\xFF", 20));
    const std::string eightBytes("\4\0\0\0\4\0\0\0", 8);
    EXPECT_EQ(FormatSummary(ParseSummary(eightBytes)), FormatSummary({4, 4, 0, 0, 0}));
    EXPECT_EQ(ParseSummary(FormatSummary({1, 2, 3, 4, 5}) + "extra").favouriteScore, 5);
    const std::string bytes = FormatAchievementRecords({{1, 10, 0, 1}, {50, -3, 7, 0}});
    EXPECT_EQ(bytes.substr(16), std::string("\x32\0\0\0\xFD\xFF\xFF\xFF\7\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(FormatAchievementRecords(ParseAchievementRecords(bytes + std::string(8, '\x7F'))), bytes);
    EXPECT_TRUE(ParseAchievementRecords(std::string(15, '\1')).empty());
}

// Two games A (3, 5, 30, 50, 7) and B (2, 2, 20, 20, 9): totals 5, 7, 50, 70; favourites
// B then A; completed only B, keyed on the time of its "vok.dat"; the cache, the ranking and
// the cleared marker on the card. A short cache reads as zeros for the rest.
TEST(Progress, RecomputeTwoGames)
{
    TestCard card;
    const std::string player = OnePlayer(card);
    card.Game("vok_ana", "A", {3, 5, 30, 50, 7});
    card.Game("vok_ana", "B", {2, 2, 20, 20, 9});
    SetModified(player + "B/vok.dat", 1234567);
    WriteUpdateMarker(player);
    CompletedList.push_back(RankEntry{1, "stale"});
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(5, 7, 50, 70));
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(Names(CompletedList), std::vector<std::string>{"B"});
    EXPECT_EQ(CompletedList[0].score, 1234567);
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(5, 7, 50, 70));
    EXPECT_EQ(ReadFile(player + "vok.ranking"), "fav1=B\r\nfav2=A\r\ncmp1=B\r\n");
    EXPECT_FALSE(FileExists(player + "update"));
    WriteFile(player + "vok.erience", Totals(9, 8, 7, 6).substr(0, 10));
    LoadTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(9, 8, 0, 0));
}

// Odd but valid summaries: without "vok.dat" (counts, complete with key 0), 8 bytes long
// (complete), all zeros (complete); a summary in the player's own folder is no game.
TEST(Progress, RecomputeOddSummaries)
{
    TestCard card;
    const std::string player = OnePlayer(card);
    card.Game("vok_ana", "nodat", {6, 6, 1, 1, 3}, false);
    MakeDir(player + "short");
    WriteFile(player + "short/vok.summary", std::string("\4\0\0\0\4\0\0\0", 8));
    card.Game("vok_ana", "zeros", {0, 0, 0, 0, 0});
    SetModified(player + "zeros/vok.dat", 50);
    WriteFile(player + "vok.summary", std::string(20, '\1'));
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(10, 10, 1, 1));
    ASSERT_EQ(FavouriteList.size(), 3u);
    EXPECT_EQ(FavouriteList[0].gameFolder, "nodat");
    ASSERT_EQ(CompletedList.size(), 3u);
    EXPECT_EQ(CompletedList[0].gameFolder, "zeros");
    EXPECT_EQ(CompletedList[1].score + CompletedList[2].score, 0);
}

// Totals wrap around as 32-bit two's complement instead of overflowing. A cache that cannot
// be written leaves the totals right in memory, no temporary, and the marker in place so
// that the next start recomputes.
TEST(Progress, WrapAroundAndUnwritableCache)
{
    TestCard card;
    const std::string player = OnePlayer(card);
    card.Game("vok_ana", "big", {INT_MAX, INT_MIN, INT_MAX, -1, 0});
    card.Game("vok_ana", "more", {1, -1, INT_MAX, INT_MIN, 0});
    RecomputeTotals();
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    std::remove((player + "vok.erience").c_str());
    MakeDir(player + "vok.erience/blocked");
    WriteUpdateMarker(player);
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    EXPECT_TRUE(FileExists(player + "update"));
    EXPECT_TRUE(DirectoryOrder(player, IsSafeWriteTemporary).empty());
}

// The shown game's summary: read, zeros without a file, untouched without a game.
TEST(Progress, LoadGameSummary)
{
    TestCard card;
    OnePlayer(card);
    card.Game("vok_ana", "A", {3, 5, 30, 50, 7});
    MakeDir(card.store + "vok_ana/B");
    WriteAchievementFile(card.store + "vok_ana/B/vok.dat", {});
    ListGames();
    ASSERT_EQ(GameFolders.size(), 2u);
    for (SelectedGame = 0; SelectedGame < 2; ++SelectedGame) {
        const int a = GameFolders[SelectedGame] == "A";
        EXPECT_EQ(LoadGameSummary(), 1);
        EXPECT_EQ(FormatSummary(GameSummary), FormatSummary({3 * a, 5 * a, 30 * a, 50 * a, 7 * a}));
    }
    GameSummary.pointsEarned = 77;
    for (int selected : {-1, 2}) {
        SelectedGame = selected;
        EXPECT_EQ(LoadGameSummary(), 0);
    }
    EXPECT_EQ(GameSummary.pointsEarned, 77);
}
