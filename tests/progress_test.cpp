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

struct OnePlayer : TestCard { // "vok_ana" on the card, scanned and selected
    std::string player = store + "vok_ana/";
    OnePlayer()
    {
        Player("vok_ana");
        ScanProfiles();
        EXPECT_EQ(Profiles.size(), 1u);
    }
};

// 20-byte summaries and 16-byte records, signed; short data padded with 0, extra bytes ignored.
TEST(Progress, FileLayouts)
{
    EXPECT_EQ(FormatSummary({1, 2, 3, 4, -1}), std::string("\1\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\xFF\xFF\xFF\xFF", 20));
    EXPECT_EQ(FormatSummary(ParseSummary(std::string("\4\0\0\0\4\0\0\0", 8))), FormatSummary({4, 4, 0, 0, 0}));
    EXPECT_EQ(ParseSummary(FormatSummary({1, 2, 3, 4, 5}) + "extra").favouriteScore, 5);
    const std::string bytes = FormatAchievementRecords({{1, 10, 0, 1}, {50, -3, 7, 0}});
    EXPECT_EQ(bytes.substr(16), std::string("\x32\0\0\0\xFD\xFF\xFF\xFF\7\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(FormatAchievementRecords(ParseAchievementRecords(bytes + std::string(8, '\x7F'))), bytes);
}

// Totals and rankings from the summaries (one without vok.dat: key 0); completed by vok.dat's date.
TEST(Progress, RecomputeTotalsAndRankings)
{
    OnePlayer card;
    card.Game("vok_ana", "A", {3, 5, 30, 50, 7});
    card.Game("vok_ana", "B", {2, 2, 20, 20, 9});
    MakeDir(card.player + "nodat");
    WriteSummary(card.player + "nodat", {6, 6, 1, 1, 3});
    card.Game("vok_ana", "zeros", {0, 0, 0, 0, 0});
    SetModified(card.player + "B/vok.dat", 1234567);
    SetModified(card.player + "zeros/vok.dat", 50);
    WriteFile(card.player + "vok.summary", std::string(20, '\1'));
    CompletedList.push_back(RankEntry{1, "stale"});
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(11, 13, 51, 71));
    EXPECT_EQ(FormatRanking(), "fav1=B\r\nfav2=A\r\nfav3=nodat\r\nfav4=zeros\r\ncmp1=B\r\ncmp2=zeros\r\ncmp3=nodat\r\n");
    ASSERT_EQ(CompletedList.size(), 3u);
    EXPECT_TRUE(CompletedList[0].score == 1234567 && CompletedList[2].score == 0);
}

// Totals wrap as 32 bits; an unwritable cache keeps the totals in memory and the marker in place.
TEST(Progress, WrapAroundAndUnwritableCache)
{
    OnePlayer card;
    card.Game("vok_ana", "big", {INT_MAX, INT_MIN, INT_MAX, -1, 0});
    card.Game("vok_ana", "more", {1, -1, INT_MAX, INT_MIN, 0});
    RecomputeTotals();
    EXPECT_EQ(ReadFile(card.player + "vok.erience"), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    std::remove((card.player + "vok.erience").c_str());
    MakeDir(card.player + "vok.erience/blocked");
    MarkUpdate(card.player);
    RecomputeTotals();
    EXPECT_EQ(TotalsOf(*Profiles[0]), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    EXPECT_TRUE(FileExists(card.player + "update"));
}

// The shown game's summary: zeros without a file, untouched for an index out of range.
TEST(Progress, LoadGameSummary)
{
    OnePlayer card;
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
