// vok-card, the desktop card tool.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <sstream>

#include "card/card_format.h"
#include "store/progress.h"
#include "tests/support/kit_support.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

namespace {

VokRun Card(const std::vector<std::string>& args)
{
    return RunProgram(BuildDir() + "/vok-card", args, BuildDir());
}

// Kim's "racer" (2 hidden and unlocked; texts in English and default), its cache as vok makes it.
struct SmallCard : TestCard {
    std::string game = store + "vok_kim/racer/";
    SmallCard()
    {
        WritePlayer(store, PlayerSetup{"vok_kim", "Kim"});
        VokGame* kit = nullptr;
        EXPECT_EQ(VokOpenGame(store.c_str(), "vok_kim", "racer", &kit), VOK_OK);
        VokSetTitle(kit, "Star Racer", "Nova Works");
        VokDescribe(kit, 1, 10, 0);
        VokDescribe(kit, 2, 30, 1);
        for (const char* language : {"English", "default"}) {
            VokSetText(kit, 1, language, "First Lap", "Finish a race.");
            VokSetText(kit, 2, language, "Champion", "Win the cup.");
        }
        VokUnlockAt(kit, 2, 1714564800UL); // 2024-05-01T12:00:00Z
        EXPECT_EQ(VokCommit(kit), VOK_OK) << VokErrorMessage();
        VokCloseGame(kit);
        ScanProfiles(); // the cache as vok leaves it, the marker gone
        RecomputeTotals();
    }
};

} // namespace

// The demo card is clean; checking or showing it changes nothing (not even an update marker).
TEST(VokCard, DemoCardIsCleanAndNeverWritten)
{
    TempDir dir;
    ASSERT_EQ(RunProgram(BuildDir() + "/tools/make_demo_card", {dir / "card"}, BuildDir()).status, 0);
    const std::string store = dir / "card";
    const auto before = ReadTree(store, true);
    const std::pair<std::vector<std::string>, std::string> runs[] = { // all it prints, or (no final LF) a part
        {{"check", store}, "clean\n"}, {{"check", store, "--json"}, "{\"clean\": true, \"problems\": [], \"notes\": []}\n"},
        {{"show", store}, "vok_mateo  Mateo  (Espa\xc3\xb1ol)"}, {{"show", store, "vok_mateo", "--json"}, "\"folder\""},
        {{"show", store, "anna", "skypirates", "--reveal"}, "  "}, {{"show", store, "ANNA", "--json"}, "\"vok_anna\""}};
    for (const auto& [args, printed] : runs) {
        const VokRun run = Card(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.out == printed || (printed.back() != '\n' && run.out.find(printed) != std::string::npos)) << run.out;
    }
    EXPECT_TRUE(before == ReadTree(store, true));
}

// show: players, a player's games, a game's achievements (hidden masked until --reveal or unlocked).
TEST(VokCard, ShowsWhatVokShows)
{
    SmallCard card;
    const std::string kim = "vok_kim  Kim  (English)  achievements 1/2  points 30/40  stars 4\n  favourites: racer\n  completed:\n";
    EXPECT_EQ(Card({"show", card.store}).out, kim);
    EXPECT_EQ(Card({"show", card.store, "Kim"}).out, kim + "racer  Star Racer by Nova Works  achievements 1/2  points 30/40\n");
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer"}).out,
              "Star Racer by Nova Works\n1  locked    10  First Lap: Finish a race.\n2  unlocked  30  Champion: Win the cup."
              "  [unlocked 2024-05-01T12:00:00Z]\n");
    WriteRecords(card.game, {{1, 10, 1, 0}, {2, 30, 1, 1}});
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer"}).out,
              "Star Racer by Nova Works\n1  locked    10  (hidden)\n2  unlocked  30  Champion: Win the cup."
              "  [unlocked 2024-05-01T12:00:00Z]\n");
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer", "--reveal", "--json"}).out,
              "{\"folder\": \"racer\", \"title\": \"Star Racer\", \"author\": \"Nova Works\", \"unlockedCount\": 1, "
              "\"achievementCount\": 2, \"pointsEarned\": 30, \"pointsPossible\": 40, \"favouriteScore\": 0, \"achievements\": "
              "[{\"id\": 1, \"unlocked\": false, \"points\": 10, \"hidden\": true, \"name\": \"First Lap\", \"description\": "
              "\"Finish a race.\", \"current\": 0, \"target\": 0, \"unlockedAt\": 0, \"unlockedAtUtc\": null}, {\"id\": 2, "
              "\"unlocked\": true, \"points\": 30, \"hidden\": true, \"name\": \"Champion\", \"description\": \"Win the cup.\", "
              "\"current\": 0, \"target\": 0, \"unlockedAt\": 1714564800, \"unlockedAtUtc\": \"2024-05-01T12:00:00Z\"}]}\n");
    const std::string masked = Card({"show", card.store, "KIM", "racer", "--json"}).out; // a hidden text is absent
    EXPECT_NE(masked.find("\"hidden\": true, \"name\": null, \"description\": null"), std::string::npos) << masked;
}

// Each broken card gives its report and status 1, some byte for byte.
TEST(VokCard, BrokenCardsGiveTheirReports)
{
    struct Case {
        const char* what;
        std::function<void(const SmallCard&)> breakIt;
        std::string report; // whole output, or lines of it when `exact` is false
        bool exact;
    };
    const Case cases[] = {
        {"records cut, an id out of range and one repeated", [](const SmallCard& c) {
             WriteFile(c.game + "vok.dat", FormatAchievementRecords({{1, 10, 0, 0}, {2, 30, 1, 1}, {60, 0, 0, 0}, {1, 0, 0, 0}}) + "12345"); },
         "vok_kim/racer/vok.dat: is cut mid-record: its last 5 bytes are ignored\n"
         "vok_kim/racer/vok.dat: holds achievement id 60, outside 1 to 50\n"
         "vok_kim/racer/vok.dat: holds achievement id 1 twice\n"
         "vok_kim/racer/vok.summary: says 1/2 achievements, 30/40 points but vok.dat holds 1/4 achievements, 30/40 points\n"
         "vok_kim/racer/vok.desc.English: has no text for achievement 60, which vok shows without a name\n"
         "vok_kim/racer/vok.desc.default: has no text for achievement 60, which vok shows without a name\n"
         "6 problems\n",
         true},
        {"stale totals and ranking", [](const SmallCard& c) {
             WriteFile(c.store + "vok_kim/vok.erience", Totals(0, 2, 0, 40));
             WriteFile(c.store + "vok_kim/vok.ranking", ""); },
         "vok_kim/vok.erience: holds totals 0, 2, 0, 40 but the games add up to 1, 2, 30, 40; vok shows the stale ones "
         "until a game leaves the update marker\n"
         "vok_kim/vok.ranking: differs from the ranking the games give; vok shows the stale one until a game leaves the "
         "update marker\n2 problems\n",
         true},
        {"folders vok ignores, and vok's own files that are no problem", [](const SmallCard& c) {
             c.Player("VOK_bob", "name=Bob\r\n");
             MakeDir(c.store + "vok_ghost");
             MakeDir(c.store + "vok_kim/saves"); // a game not made yet: vok ignores it harmlessly
             MakeDir(c.store + "vok_kim/.vok-gone/racer");
             MakeDir(c.store + ".vok-gone");
             WriteFile(c.store + "vok_kim.bmp", "a snapshot");
             WriteFile(c.store + TemporaryOf("activevok"), "vok_k");
             WriteFile(c.game + TemporaryOf("vok.dat"), "cut");
             WriteFile(c.store + "activevok", "vok_ghost"); },
         "VOK_bob: holds a vok.cfg but its name does not begin with \"vok_\" (case matters); vok ignores it\n"
         "vok_ghost: has no vok.cfg, so it is no player; vok ignores it\n"
         "activevok: names \"vok_ghost\", which is no player; vok selects the last player listed instead\n3 problems\n",
         false},
        {"a name without its terminator", [](const SmallCard& c) {
             WriteFile(c.game + "vok.desc.English", std::string("\1\0\0\0", 4) + std::string(124, char(~'A')) +
                                                        EncodeAchievementTexts({{2, "Champion", "Win the cup."}})); },
         "vok_kim/racer/vok.desc.English: the name of achievement 1 fills its field with no terminator; vok cuts its last byte\n",
         false},
        {"a text file cut mid-record", [](const SmallCard& c) { WriteFile(c.game + "vok.desc.default", ReadFile(c.game + "vok.desc.default") + "xy"); },
         "vok_kim/racer/vok.desc.default: is cut mid-record: its last 2 bytes are ignored\n", false},
        {"an icon vok would not load", [](const SmallCard& c) { WriteFile(c.game + "002", "BMnot a bitmap"); },
         "vok_kim/racer/002: is not a bitmap vok loads (it is not a BMP file); vok draws nothing in its place\n", false},
        {"an icon larger than a cell", [](const SmallCard& c) { WriteBmp24(c.game + "002", RgbImage(30, 20, 0x112233)); },
         "vok_kim/racer/002: is 30 x 20 pixels, larger than the 24 x 24 vok shows whole\n", false},
        {"points that overflow when added", [](const SmallCard& c) {
             WriteFile(c.game + "vok.dat", FormatAchievementRecords({{1, 2147483647, 0, 1}, {2, 2147483647, 1, 1}})); },
         "vok_kim/racer/vok.summary: says 1/2 achievements, 30/40 points but vok.dat holds 2/2 achievements, -2/-2 points\n", false},
        {"a folder where a file belongs", [](const SmallCard& c) { std::remove((c.game + "vok.title").c_str()); MakeDir(c.game + "vok.title"); },
         "vok_kim/racer/vok.title: is not a regular file; vok cannot read it\n", false},
        {"a title without author", [](const SmallCard& c) { WriteFile(c.game + "vok.title", "title=Star Racer\n"); },
         "vok_kim/racer/vok.title: has no author line: vok shows the previous game's author\n", false},
        {"a summary cut short", [](const SmallCard& c) { WriteFile(c.game + "vok.summary", Totals(1, 2, 30, 40).substr(0, 12)); },
         "vok_kim/racer/vok.summary: is cut short (12 of 20 bytes); the missing values read as 0\n", false},
        {"no text for other languages",
         [](const SmallCard& c) { std::remove((c.game + "vok.desc.default").c_str()); std::rename((c.game + "vok.desc.English").c_str(), (c.game + "vok.desc.Deutsch").c_str()); },
         "vok_kim/racer/vok.lang: names English, which has no vok.desc.English, and there is no vok.desc.default: players "
         "of other languages see no names\n", false},
        {"a summary without records",
         [](const SmallCard& c) { MakeDir(c.store + "vok_kim/old"); WriteSummary(c.store + "vok_kim/old", {1, 1, 5, 5, 0}); },
         "vok_kim/old: has vok.summary but no vok.dat: its counts enter the totals, but vok does not list the game\n", false},
    };
    for (const Case& c : cases) {
        SmallCard card;
        c.breakIt(card);
        const VokRun run = Card({"check", card.store});
        EXPECT_EQ(run.status, 1) << c.what << "\n" << run.out;
        if (c.exact) {
            EXPECT_EQ(run.out, c.report) << c.what;
        }
        std::istringstream lines(c.report);
        for (std::string line; !c.exact && std::getline(lines, line);)
            EXPECT_NE(run.out.find(line + "\n"), std::string::npos) << c.what << ": " << line << "\n" << run.out;
    }
    SmallCard card;
    WriteFile(card.game + "vok.summary", "");
    EXPECT_EQ(Card({"check", card.store, "--json"}).out,
              "{\"clean\": false, \"problems\": [{\"path\": \"vok_kim/racer/vok.summary\", \"problem\": \"is cut short (0 of 20 "
              "bytes); the missing values read as 0\"}, {\"path\": \"vok_kim/racer/vok.summary\", \"problem\": \"says 0/0 "
              "achievements, 0/0 points but vok.dat holds 1/2 achievements, 30/40 points\"}, {\"path\": \"vok_kim/vok.erience\", "
              "\"problem\": \"holds totals 1, 2, 30, 40 but the games add up to 0, 0, 0, 0; vok shows the stale ones until a "
              "game leaves the update marker\"}, {\"path\": \"vok_kim/vok.ranking\", \"problem\": \"differs from the ranking the "
              "games give; vok shows the stale one until a game leaves the update marker\"}], \"notes\": []}\n");
}

// Bad usage: status 2, nothing on standard output, one "vok-card: " line on standard error.
TEST(VokCard, BadUsageIsOneLineAndStatusTwo)
{
    SmallCard card;
    const std::vector<std::vector<std::string>> usages = {
        {}, {"list", card.store}, {"check"}, {"check", card.store, "extra"}, {"check", card.store, "--reveal"},
        {"show", card.store, "--colour"}, {"check", card.dir / "missing"}, {"show", card.store, "vok_nobody"},
        {"show", card.store, "vok_kim", "nogame"}};
    for (const std::vector<std::string>& args : usages) {
        const VokRun run = Card(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("vok-card: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_NE(Card({"show", card.store, "vok_nobody"}).err.find("no player vok_nobody on the card"), std::string::npos);
}

// A commit a cut stopped after its journal: vok-card shows the card as vok shows it once the
// commit is finished and calls it a note, not a problem, writing nothing; vok's next start
// finishes it, leaving no journal and no temporary.
TEST(VokCard, AnUnfinishedCommitIsShownAsVokFinishesIt)
{
    SmallCard card;
    const std::string records = FormatAchievementRecords({{1, 10, 0, 1}, {2, 30, 1, 1}});
    WriteFile(card.game + ".vok-tmp.999.vok.dat", records);
    WriteFile(card.game + ".vok-tmp.999.vok.summary", Int32s({2, 2, 40, 40, 0}));
    WriteFile(card.game + ".vok-tmp.998.vok.title", "stray, named by no journal");
    WriteFile(card.game + ".vok-journal", "vok-journal\n.vok-tmp.999.vok.dat\tvok.dat\n.vok-tmp.999.vok.summary\tvok.summary\nend\n");
    WriteFile(card.store + "vok_kim/update", "");
    const auto before = ReadTree(card.store, true);
    const VokRun check = Card({"check", card.store});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(check.out, "note: vok_kim/racer: holds a commit a cut or a kill stopped; shown as vok shows it once it "
                         "finishes the commit\nclean\n");
    const std::string shown = Card({"show", card.store, "kim", "racer"}).out;
    EXPECT_TRUE(shown.find("\n1  unlocked  10  First Lap") != std::string::npos &&
                shown.find("\n2  unlocked  30  Champion") != std::string::npos) << shown;
    EXPECT_NE(Card({"show", card.store}).out.find("achievements 2/2  points 40/40"), std::string::npos);
    EXPECT_TRUE(before == ReadTree(card.store, true)) << "vok-card wrote to the card";

    ASSERT_EQ(RunVok({"--store", card.store, "--max-frames", "2"}).status, 0);
    EXPECT_EQ(ReadFile(card.game + "vok.dat"), records);
    for (const auto& entry : ReadTree(card.store)) // only the lock file stays, for the next writer
        EXPECT_TRUE(entry.first.find(".vok-") == std::string::npos || entry.first.find(".vok-lock") != std::string::npos) << entry.first;
    EXPECT_EQ(Card({"check", card.store}).out, "clean\n");
}

// show gives progress and unlock times as vok's game screen would: text with the time in ISO
// 8601 and the count held to the target; JSON with the raw numbers and the time in UTC; nothing
// of a hidden locked achievement until --reveal.
TEST(VokCard, ShowsProgressAndUnlockTimes)
{
    SmallCard card;
    WriteFile(card.game + "vok.progress", Int32s({1, 150, 100, 0, 2, 0, 0, 1714564800}));
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer"}).out,
              "Star Racer by Nova Works\n1  locked    10  First Lap: Finish a race.  [progress 100/100]\n"
              "2  unlocked  30  Champion: Win the cup.  [unlocked 2024-05-01T12:00:00Z]\n");
    const std::string json = Card({"show", card.store, "vok_kim", "racer", "--json"}).out;
    EXPECT_NE(json.find("\"description\": \"Finish a race.\", \"current\": 150, \"target\": 100, \"unlockedAt\": 0, "
                        "\"unlockedAtUtc\": null}"), std::string::npos) << json;
    WriteRecords(card.game, {{1, 10, 1, 0}, {2, 30, 1, 1}});
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer"}).out.find("progress"), std::string::npos) << "hidden and locked";
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer", "--json"}).out.find("150"), std::string::npos);
    EXPECT_NE(Card({"show", card.store, "vok_kim", "racer", "--reveal"}).out.find("[progress 100/100]"), std::string::npos);
}

// check reports what vok would ignore or show differently in vok.progress, and nothing for a
// good one; a FIFO, a 2 GB sparse file or huge values neither hang nor crash it, nor vok-card show.
TEST(VokCard, ChecksProgress)
{
    {
        SmallCard card;
        WriteFile(card.game + "vok.progress", Int32s({1, 3, 10, 0, 2, 0, 0, 1714564800}));
        EXPECT_EQ(Card({"check", card.store}).out, "clean\n");
    }
    SmallCard card;
    WriteFile(card.game + "vok.progress", Int32s({9, 1, 2, 0, 1, 11, 10, 0, 1, -1, 10, 1714564800, 2, 0, 0, -1}) + "abc");
    const VokRun run = Card({"check", card.store});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "vok_kim/racer/vok.progress: is cut mid-record: its last 3 bytes are ignored\n"
              "vok_kim/racer/vok.progress: holds achievement 9, which vok.dat does not describe; vok ignores it\n"
              "vok_kim/racer/vok.progress: achievement 1 has progress 11 above its target 10; vok shows it held at the target\n"
              "vok_kim/racer/vok.progress: holds achievement 1 twice; vok takes the later record\n"
              "vok_kim/racer/vok.progress: achievement 1 has a negative progress (-1 of 10)\n"
              "vok_kim/racer/vok.progress: achievement 1 is locked but has an unlock time (2024-05-01T12:00:00Z); vok shows no date\n"
              "vok_kim/racer/vok.progress: achievement 2 was unlocked in the future (2106-02-07T06:28:15Z)\n"
              "7 problems\n");
    const std::string json = Card({"check", card.store, "--json"}).out;
    EXPECT_NE(json.find("{\"path\": \"vok_kim/racer/vok.progress\", \"problem\": \"holds achievement 1 twice; vok takes the "
                        "later record\"}"), std::string::npos) << json;

    std::remove((card.game + "vok.progress").c_str());
    ASSERT_EQ(mkfifo((card.game + "vok.progress").c_str(), 0644), 0);
    VokRun fifo = Card({"check", card.store});
    EXPECT_NE(fifo.out.find("vok_kim/racer/vok.progress: is not a regular file; vok cannot read it\n"), std::string::npos) << fifo.out;
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "racer"}).status, 0);
    std::remove((card.game + "vok.progress").c_str());
    {
        std::string huge;
        for (int i = 0; i < 100; ++i) huge += Int32s({1, INT32_MAX, INT32_MAX, -1});
        WriteFile(card.game + "vok.progress", huge);
        ASSERT_EQ(truncate((card.game + "vok.progress").c_str(), 2147483648LL), 0); // sparse: no disk used
    }
    const VokRun big = Card({"check", card.store});
    EXPECT_NE(big.out.find("vok.progress: holds 2147483648 bytes; vok reads only the first 100 records\n"), std::string::npos) << big.out;
    const VokRun shown = Card({"show", card.store, "vok_kim", "racer"});
    EXPECT_NE(shown.out.find("[progress 2147483647/2147483647]"), std::string::npos) << shown.out;
}

// "--" ends the options, so a player or game folder starting with "-" can be named; a game
// folder whose name a ranking line cannot hold (a trailing blank, a line feed) counts in the
// totals, is never ranked, and check says so.
TEST(VokCard, NamesStartingWithADashAndNamesNoRankingHolds)
{
    SmallCard card;
    ASSERT_EQ(std::rename((card.store + "vok_kim/racer").c_str(), (card.store + "vok_kim/-racer").c_str()), 0);
    RecomputeTotals();
    VokRun shown = Card({"show", "--json", "--", card.store, "vok_kim", "-racer"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Star Racer"), std::string::npos) << shown.out;
    EXPECT_EQ(Card({"show", card.store, "vok_kim", "-racer"}).status, 2);
    EXPECT_EQ(Card({"--", "check", card.store}).status, 0);

    for (const std::string name : {"racer ", "rac\ner"}) {
        const std::string before = card.store + "vok_kim/" + (name == "racer " ? "-racer" : "racer ");
        ASSERT_EQ(std::rename(before.c_str(), (card.store + "vok_kim/" + name).c_str()), 0);
        RecomputeTotals();
        EXPECT_TRUE(FavouriteList.empty() && CompletedList.empty()) << name;
        EXPECT_EQ(CurrentProfile()->pointsEarned, 30) << name;
        EXPECT_EQ(ReadFile(card.store + "vok_kim/vok.ranking"), "") << name;
        const VokRun checked = Card({"check", card.store});
        EXPECT_EQ(checked.status, 1) << name;
        EXPECT_NE(checked.out.find("never ranks it"), std::string::npos) << checked.out;
    }
}
