#include "store/progress.h"

#include <gtest/gtest.h>
#include <utime.h>

#include <climits>

#include "store/profiles.h"
#include "store/progress_writer.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

static void SetModified(const std::string& path, time_t when)
{
    struct utimbuf times = {when, when};
    utime(path.c_str(), &times);
}

static std::string Totals(int a, int b, int c, int d)
{
    std::string bytes;
    for (int value : {a, b, c, d}) AppendInt32(&bytes, value);
    return bytes;
}

static std::vector<std::string> Names(const std::vector<RankEntry>& list)
{
    std::vector<std::string> names;
    for (const RankEntry& entry : list) names.push_back(entry.gameFolder);
    return names;
}

// One player "vok_ana" on a fresh card, selected.
static std::string OnePlayer(const TempDir& dir)
{
    ResetStore(dir.store());
    MakePlayer(dir.store(), "vok_ana", "name=Ana\r\n");
    ScanProfiles();
    return dir / "vok_ana/";
}

// The file layouts, byte for byte, through writer and reader.
TEST(Progress, FileLayouts)
{
    EXPECT_EQ(FormatSummary({1, 2, 3, 4, -1}),
              std::string("\1\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\xFF\xFF\xFF\xFF", 20));
    GameSummaryRecord eight = ParseSummary(std::string("\4\0\0\0\4\0\0\0", 8));
    EXPECT_EQ(eight.unlockedCount, 4);
    EXPECT_EQ(eight.achievementCount, 4);
    EXPECT_EQ(eight.pointsEarned, 0);
    EXPECT_EQ(eight.favouriteScore, 0);
    EXPECT_EQ(ParseSummary(FormatSummary({1, 2, 3, 4, 5}) + "extra").favouriteScore, 5);

    const std::vector<AchievementRecord> records = {{1, 10, 0, 1}, {50, -3, 7, 0}};
    std::string bytes = FormatAchievementRecords(records);
    EXPECT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(16, 16), std::string("\x32\0\0\0\xFD\xFF\xFF\xFF\7\0\0\0\0\0\0\0", 16));
    std::vector<AchievementRecord> read = ParseAchievementRecords(bytes + std::string(8, '\x7F'));
    ASSERT_EQ(read.size(), 2u); // 40 bytes: the last 8 are ignored
    EXPECT_EQ(read[1].id, 50);
    EXPECT_EQ(read[1].points, -3);
    EXPECT_EQ(read[1].hidden, 7);
    EXPECT_EQ(read[0].unlocked, 1);
    EXPECT_TRUE(ParseAchievementRecords(std::string(15, '\1')).empty());

    TempDir dir;
    ASSERT_TRUE(WriteUpdateMarker(dir.path()));
    EXPECT_TRUE(FileExists(dir / "update"));
    EXPECT_EQ(ReadFile(dir / "update"), "");
}

// Two games A (3, 5, 30, 50, 7) and B (2, 2, 20, 20, 9): totals 5, 7, 50, 70; favourites
// B then A; completed only B, keyed on the time of its "vok.dat"; the cache, the ranking
// and the cleared marker on the card.
TEST(Progress, RecomputeTwoGames)
{
    TempDir dir;
    const std::string player = OnePlayer(dir);
    MakeGame(dir.store(), "vok_ana", "A", {3, 5, 30, 50, 7});
    MakeGame(dir.store(), "vok_ana", "B", {2, 2, 20, 20, 9});
    SetModified(player + "B/vok.dat", 1234567);
    WriteUpdateMarker(player);
    CompletedList.push_back(RankEntry{1, "stale"});

    RecomputeTotals();
    const ProfileRecord& ana = *Profiles[0];
    EXPECT_EQ(ana.unlockedCount, 5);
    EXPECT_EQ(ana.achievementCount, 7);
    EXPECT_EQ(ana.pointsEarned, 50);
    EXPECT_EQ(ana.pointsPossible, 70);
    EXPECT_EQ(Names(FavouriteList), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(FavouriteList[0].score, 9);
    ASSERT_EQ(Names(CompletedList), std::vector<std::string>{"B"});
    EXPECT_EQ(CompletedList[0].score, 1234567);
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(5, 7, 50, 70));
    EXPECT_EQ(ReadFile(player + "vok.ranking"), "fav1=B\r\nfav2=A\r\ncmp1=B\r\n");
    EXPECT_FALSE(FileExists(player + "update"));

    // the cache reads back; a short one gives zeros for what is missing
    Profiles[0]->pointsEarned = 0;
    LoadTotals();
    EXPECT_EQ(Profiles[0]->pointsEarned, 50);
    WriteFile(player + "vok.erience", Totals(9, 8, 7, 6).substr(0, 10));
    LoadTotals();
    EXPECT_EQ(ana.unlockedCount, 9);
    EXPECT_EQ(ana.achievementCount, 8);
    EXPECT_EQ(ana.pointsEarned, 0);
    std::remove((player + "vok.erience").c_str());
    LoadTotals();
    EXPECT_EQ(ana.unlockedCount, 0);
    ResetStore(dir.store());
}

// Summaries that are odd but valid: no "vok.dat", 8 bytes long, all zeros, missing.
TEST(Progress, RecomputeOddSummaries)
{
    TempDir dir;
    const std::string player = OnePlayer(dir);
    MakeGame(dir.store(), "vok_ana", "nodat", {6, 6, 1, 1, 3}, false);
    MakeDir(player + "short");
    WriteFile(player + "short/vok.summary", std::string("\4\0\0\0\4\0\0\0", 8));
    MakeGame(dir.store(), "vok_ana", "zeros", {0, 0, 0, 0, 0});
    SetModified(player + "zeros/vok.dat", 50);
    MakeDir(player + "empty");
    WriteAchievementFile(player + "empty/vok.dat", {});
    WriteFile(player + "vok.summary", std::string(20, '\1')); // in the player's folder: not a game

    RecomputeTotals();
    const ProfileRecord& ana = *Profiles[0];
    EXPECT_EQ(ana.unlockedCount, 10);
    EXPECT_EQ(ana.achievementCount, 10);
    EXPECT_EQ(ana.pointsEarned, 1);
    EXPECT_EQ(ana.pointsPossible, 1);
    EXPECT_EQ(Names(FavouriteList)[0], "nodat");
    EXPECT_EQ(FavouriteList.size(), 3u);
    ASSERT_EQ(CompletedList.size(), 3u);
    EXPECT_EQ(CompletedList[0].gameFolder, "zeros");
    for (const RankEntry& entry : CompletedList) {
        if (entry.gameFolder != "zeros") { EXPECT_EQ(entry.score, 0); }
    }
    ResetStore(dir.store());
}

// Totals wrap around as 32-bit two's complement instead of overflowing.
TEST(Progress, TotalsWrapAround)
{
    TempDir dir;
    const std::string player = OnePlayer(dir);
    MakeGame(dir.store(), "vok_ana", "big", {INT_MAX, INT_MIN, INT_MAX, -1, 0});
    MakeGame(dir.store(), "vok_ana", "more", {1, -1, INT_MAX, INT_MIN, 0});
    RecomputeTotals();
    const ProfileRecord& ana = *Profiles[0];
    EXPECT_EQ(ana.unlockedCount, INT_MIN);
    EXPECT_EQ(ana.achievementCount, INT_MAX);
    EXPECT_EQ(ana.pointsEarned, -2);
    EXPECT_EQ(ana.pointsPossible, INT_MAX);
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(INT_MIN, INT_MAX, -2, INT_MAX));
    ResetStore(dir.store());
}

// A cache that cannot be written: the totals stay right in memory, the old files stay,
// and the marker stays so that the next start recomputes.
TEST(Progress, RecomputeWithUnwritableCache)
{
    TempDir dir;
    const std::string player = OnePlayer(dir);
    MakeGame(dir.store(), "vok_ana", "A", {3, 5, 30, 50, 7});
    MakeDir(player + "vok.erience/blocked");
    WriteUpdateMarker(player);
    RecomputeTotals();
    EXPECT_EQ(Profiles[0]->pointsPossible, 50);
    EXPECT_TRUE(FileExists(player + "update"));
    EXPECT_EQ(ReadFile(player + "vok.ranking"), "fav1=A\r\n");
    EXPECT_EQ(DirectoryOrder(player, [](const std::string& n) { return IsSafeWriteTemporary(n); }).size(), 0u);

    // nobody selected: nothing is read or written
    SelectedProfile = 3;
    RecomputeTotals();
    LoadTotals();
    EXPECT_EQ(Profiles[0]->pointsPossible, 50);
    ResetStore(dir.store());
    RecomputeTotals();
    EXPECT_TRUE(FavouriteList.empty());
}

// The shown game's summary: read, zeros without a file, untouched without a game.
TEST(Progress, LoadGameSummary)
{
    TempDir dir;
    const std::string player = OnePlayer(dir);
    MakeGame(dir.store(), "vok_ana", "A", {3, 5, 30, 50, 7});
    MakeDir(player + "B");
    WriteAchievementFile(player + "B/vok.dat", {});
    ListGames();
    ASSERT_EQ(GameFolders.size(), 2u);
    SelectedGame = GameFolders[0] == "A" ? 0 : 1;
    EXPECT_EQ(LoadGameSummary(), 1);
    EXPECT_EQ(GameSummary.pointsPossible, 50);
    EXPECT_EQ(GameSummary.favouriteScore, 7);
    SelectedGame = 1 - SelectedGame;
    EXPECT_EQ(LoadGameSummary(), 1);
    EXPECT_EQ(GameSummary.pointsPossible, 0);
    EXPECT_EQ(GameSummary.unlockedCount, 0);

    GameSummary.pointsEarned = 77;
    for (int selected : {-1, 2}) {
        SelectedGame = selected;
        EXPECT_EQ(LoadGameSummary(), 0);
    }
    GameFolders.clear();
    SelectedGame = 0;
    EXPECT_EQ(LoadGameSummary(), 0);
    EXPECT_EQ(GameSummary.pointsEarned, 77);
    ResetStore(dir.store());
}

// The real program at start-up: a marked player gets fresh totals and ranking on the card,
// and damaged files of another player neither stop it nor get rewritten.
TEST(Progress, WholeRunRecomputesMarkedPlayer)
{
    TempDir dir;
    const std::string store = dir.store();
    MakePlayer(store, "vok_ana", "lang=English\r\nname=Ana\r\nbase=01\r\n");
    MakeGame(store, "vok_ana", "A", {3, 5, 30, 50, 7});
    MakeGame(store, "vok_ana", "B", {2, 2, 20, 20, 9});
    WriteUpdateMarker(dir / "vok_ana");
    WriteFile(store + "activevok", "vok_ana");
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += char(i * 7919 % 251);
    MakePlayer(store, "vok_zed", junk);
    WriteFile(dir / "vok_zed/vok.erience", "\x01\x02");
    WriteFile(dir / "vok_zed/vok.ranking", "fav1=" + std::string(3000, 'x') + "\n" + junk);

    VokRun run = RunVok({"--store", store, "--max-frames", "3"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.erience"), Totals(5, 7, 50, 70));
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.ranking"), "fav1=B\r\nfav2=A\r\ncmp1=B\r\n");
    EXPECT_FALSE(FileExists(dir / "vok_ana/update"));
    EXPECT_EQ(ReadFile(dir / "vok_zed/vok.cfg"), junk);
    EXPECT_EQ(ReadFile(dir / "vok_zed/vok.erience"), "\x01\x02");
}
