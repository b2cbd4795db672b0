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
}

// Games A (3, 5, 30, 50, 7) and B (2, 2, 20, 20, 9) and two odd but valid ones: without
// "vok.dat" (counts, complete with key 0) and all zeros (complete); a summary in the player's own
// folder is no game. Favourites by score, completed keyed on the time of "vok.dat"; stale entries go.
TEST(Progress, RecomputeTotalsAndRankings)
{
    TestCard card;
    const std::string player = OnePlayer(card);
    ASSERT_EQ(Profiles.size(), 1u);
    card.Game("vok_ana", "A", {3, 5, 30, 50, 7});
    card.Game("vok_ana", "B", {2, 2, 20, 20, 9});
    MakeDir(player + "nodat");
    WriteSummary(player + "nodat", {6, 6, 1, 1, 3});
    card.Game("vok_ana", "zeros", {0, 0, 0, 0, 0});
    SetModified(player + "B/vok.dat", 1234567);
    SetModified(player + "zeros/vok.dat", 50);
    WriteFile(player + "vok.summary", std::string(20, '\1'));
    CompletedList.push_back(RankEntry{1, "stale"});
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(11, 13, 51, 71));
    EXPECT_EQ(FormatRanking(), "fav1=B\r\nfav2=A\r\nfav3=nodat\r\nfav4=zeros\r\n"
                               "cmp1=B\r\ncmp2=zeros\r\ncmp3=nodat\r\n");
    ASSERT_EQ(CompletedList.size(), 3u);
    EXPECT_EQ(CompletedList[0].score, 1234567);
    EXPECT_EQ(CompletedList[2].score, 0);
}

// Totals wrap around as 32-bit two's complement instead of overflowing. A cache that cannot be
// written leaves the totals right in memory and the marker in place for the next start.
TEST(Progress, WrapAroundAndUnwritableCache)
{
    TestCard card;
    const std::string player = OnePlayer(card);
    ASSERT_EQ(Profiles.size(), 1u);
    card.Game("vok_ana", "big", {INT_MAX, INT_MIN, INT_MAX, -1, 0});
    card.Game("vok_ana", "more", {1, -1, INT_MAX, INT_MIN, 0});
    RecomputeTotals();
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    std::remove((player + "vok.erience").c_str());
    MakeDir(player + "vok.erience/blocked");
    MarkUpdate(player);
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    EXPECT_TRUE(FileExists(player + "update"));
}

// The shown game's summary: zeros without a file, untouched for an index out of range.
TEST(Progress, LoadGameSummary)
{
    TestCard card;
    OnePlayer(card);
    GameFolders.push_back("B"); // without a summary
    GameSummary = GameSummaryRecord{1, 1, 1, 1, 1};
    EXPECT_EQ(LoadGameSummary(), 1);
    EXPECT_EQ(FormatSummary(GameSummary), std::string(20, '\0'));
    GameSummary.pointsEarned = 77;
    for (int selected : {-1, 1}) {
        SelectedGame = selected;
        EXPECT_EQ(LoadGameSummary(), 0);
    }
    EXPECT_EQ(GameSummary.pointsEarned, 77);
}
