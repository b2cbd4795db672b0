// A game's commit through the kit: all of it or none of it as vok and vok-card read the card,
// whatever call a cut or a failing card stops it at, and no unlock lost between writers.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <regex>

#include "tests/support/kit_support.h"
#include "tests/support/store_support.h"
#include "tests/support/trace_support.h"

namespace {

namespace fs = std::filesystem;

// Kim's "racer": achievements 1 and 2 described in English, none unlocked.
struct RacerCard : TestCard {
    std::string game = store + "vok_kim/racer/";
    RacerCard()
    {
        Player("vok_kim", "lang=Deutsch\r\nname=Kim Lee\r\n");
        VokGame* kit = Open();
        EXPECT_EQ(Describe(kit), VOK_OK) << VokErrorMessage();
        EXPECT_EQ(VokCommit(kit), VOK_OK) << VokErrorMessage();
        VokCloseGame(kit);
    }
    VokGame* Open() const
    {
        VokGame* kit = nullptr;
        EXPECT_EQ(VokOpenGame(store.c_str(), "vok_kim", "racer", &kit), VOK_OK) << VokErrorMessage();
        return kit;
    }
    static int Describe(VokGame* kit)
    {
        int result = VokSetTitle(kit, "Star Racer", "Nova Works");
        for (int id = 1; id <= 2 && result == VOK_OK; ++id) {
            result = VokDescribe(kit, id, 10 * id, 0);
            if (result == VOK_OK) result = VokSetText(kit, id, VOK_LANGUAGE_ENGLISH, "Lap", "Finish a race.");
        }
        return result;
    }
    // The records as the card holds them, and whether the summary agrees with them.
    std::string Records() const { return ReadFile(game + "vok.dat"); }
    bool SummaryAgrees() const
    {
        const std::vector<AchievementRecord> records = ParseAchievementRecords(Records());
        GameSummaryRecord counted, stored = ParseSummary(ReadFile(game + "vok.summary"));
        CardCountSummary(records.data(), int(records.size()), stored.favouriteScore, &counted);
        return FormatSummary(counted) == FormatSummary(stored);
    }
};

// The game folder as readers see it: without its lock file, which stays for the next writer,
// and without temporaries, which nothing reads and the next commit deletes. Unlock times are
// the clock's of each run: known or not is what counts here.
FileTree GameFiles(const std::string& game)
{
    FileTree files;
    for (auto entry : ReadTree(game)) {
        if (entry.first == ".vok-lock" || entry.first.rfind(".vok-tmp.", 0) == 0) continue;
        const size_t content = entry.second.find(' ') + 1; // after the entry's kind
        for (size_t at = content + 12; entry.first == "vok.progress" && at + 4 <= entry.second.size(); at += 16)
            if (entry.second.compare(at, 4, std::string(4, '\0')) != 0) entry.second.replace(at, 4, "TIME");
        files.insert(entry);
    }
    return files;
}

// vok-card's words without whether the update marker waits (the cache's state, not the game's),
// and with each known unlock time as "T".
std::string Comparable(std::string shown)
{
    for (const char* pending : {"\"updatePending\": true, ", "\"updatePending\": false, "})
        for (size_t at; (at = shown.find(pending)) != std::string::npos;) shown.erase(at, std::strlen(pending));
    static const std::regex known("\"unlockedAt\": [1-9][0-9]*, \"unlockedAtUtc\": \"[^\"]*\"");
    return std::regex_replace(shown, known, "\"unlockedAt\": T");
}

} // namespace

// Two handles on one game each unlock one achievement: the second commit merges into what the
// first left, so both stay; the title set last wins. A commit that changes nothing writes
// nothing; VokUnlockOnce says whether it unlocked; the player's name and language read back.
TEST(KitCommit, HandlesMergeIntoTheCard)
{
    RacerCard card;
    VokGame *first = card.Open(), *second = card.Open();
    int newly = -1;
    ASSERT_EQ(VokUnlockOnce(first, 1, &newly), VOK_OK);
    EXPECT_EQ(newly, 1);
    ASSERT_EQ(VokUnlockOnce(first, 1, &newly), VOK_OK);
    EXPECT_EQ(newly, 0);
    ASSERT_EQ(VokCommit(first), VOK_OK) << VokErrorMessage();
    ASSERT_EQ(VokUnlock(second, 2), VOK_OK);
    ASSERT_EQ(VokSetTitle(second, "Star Racer II", "Nova Works"), VOK_OK);
    ASSERT_EQ(VokCommit(second), VOK_OK) << VokErrorMessage();
    EXPECT_EQ(card.Records(), FormatAchievementRecords({{1, 10, 0, 1}, {2, 20, 0, 1}}));
    EXPECT_TRUE(card.SummaryAgrees());
    EXPECT_EQ(ReadFile(card.game + "vok.title"), "title=Star Racer II\r\nauthor=Nova Works\r\n");
    VokAchievement record = {};
    EXPECT_TRUE(VokGetAchievement(second, 1, &record) == VOK_OK && record.unlocked) << "the handle holds the merged game";

    std::remove((card.store + "vok_kim/update").c_str());
    const FileTree before = ReadTree(card.store, true);
    EXPECT_EQ(VokCommit(first), VOK_OK) << "nothing changed since: nothing written, not even the marker";
    EXPECT_EQ(VokCommit(second), VOK_OK);
    EXPECT_TRUE(before == ReadTree(card.store, true));
    VokCloseGame(first);
    VokCloseGame(second);

    VokPlayer player;
    ASSERT_EQ(VokReadPlayer(card.store.c_str(), "vok_kim", &player), VOK_OK);
    EXPECT_EQ(std::string(player.name) + "|" + player.language, "Kim Lee|Deutsch");
    EXPECT_EQ(VokReadPlayer(card.store.c_str(), "vok_nobody", &player), VOK_NO_PLAYER);
}

// A write the card refuses part-way (a file size limit here) names the file and the system's
// reason, and the card stays as it was: no file changed, no temporary, no journal.
TEST(KitCommit, ARefusedWriteSaysWhyAndChangesNothing)
{
    RacerCard card;
    VokGame* kit = card.Open();
    ASSERT_EQ(VokSetText(kit, 1, VOK_LANGUAGE_ENGLISH, "Lap", std::string(100, 'd').c_str()), VOK_OK);
    for (int id = 1; id <= 2; ++id) ASSERT_EQ(VokSetText(kit, id, "Klingon", "Qapla", std::string(100, 'k').c_str()), VOK_OK);
    const FileTree before = GameFiles(card.game);
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    const struct rlimit small = {200, saved.rlim_max}; // less than a text file of two records
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = VokCommit(kit);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, VOK_WRITE_FAILED);
    const std::string message = VokErrorMessage();
    EXPECT_TRUE(message.find(card.game + "vok.desc.") != std::string::npos && message.find(": File too large") != std::string::npos)
        << message;
    EXPECT_TRUE(before == GameFiles(card.game));
    ASSERT_EQ(VokCommit(kit), VOK_OK) << "the same commit goes through once the card takes it";
    EXPECT_EQ(ReadFile(card.game + "vok.desc.Klingon").size(), 256u);
    VokCloseGame(kit);
}

// Two processes unlock one achievement each and commit at the same moment, again and again:
// every call succeeds, both unlocks survive, the summary agrees, no working file is left.
TEST(KitCommit, TwoWritersAtOnceLoseNothing)
{
    const int rounds = 100;
    int lost = 0, failed = 0;
    for (int round = 0; round < rounds; ++round) {
        RacerCard card;
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        pid_t writers[2];
        for (int id = 1; id <= 2; ++id) {
            writers[id - 1] = fork();
            if (writers[id - 1] == 0) {
                char start;
                close(go[1]);
                VokGame* kit = nullptr;
                int result = VokOpenGame(card.store.c_str(), "vok_kim", "racer", &kit);
                if (read(go[0], &start, 1) != 0) result = -1; // both wait for the pipe to close
                if (result == VOK_OK) result = VokUnlock(kit, id);
                if (result == VOK_OK) result = VokSetFavouriteScore(kit, id);
                if (result == VOK_OK) result = VokCommit(kit);
                _exit(result);
            }
        }
        close(go[0]);
        close(go[1]);
        for (pid_t writer : writers) {
            int status = 0;
            waitpid(writer, &status, 0);
            failed += !WIFEXITED(status) || WEXITSTATUS(status) != VOK_OK;
        }
        const std::vector<AchievementRecord> records = ParseAchievementRecords(card.Records());
        lost += records.size() != 2 || !records[0].unlocked || !records[1].unlocked || !card.SummaryAgrees();
        for (const auto& entry : ReadTree(card.game))
            EXPECT_TRUE(entry.first == ".vok-lock" || entry.first.find(".vok-") == std::string::npos) << entry.first;
    }
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(lost, 0);
    std::printf("[ figures  ] %d rounds of two writers committing at once\n", rounds);
}

namespace {

struct CommitScenario {
    const char* name;
    bool gameExists; // false: the game's first commit makes the folder and every file
};

// A card for the example game: Kim, selected, with Tiny Quest already played once (its totals
// cached) or not at all.
struct GameCard {
    TempDir dir;
    std::string store = dir / "card/";
    explicit GameCard(const CommitScenario& scenario)
    {
        MakeDir(store + "vok_kim");
        WriteFile(store + "vok_kim/vok.cfg", "lang=English\r\nname=Kim\r\n");
        WriteFile(store + "activevok", "vok_kim");
        if (!scenario.gameExists) return;
        EXPECT_EQ(Game({"1"}).status, 0);
        EXPECT_EQ(RunVok({"--store", store, "--max-frames", "1"}).status, 0); // the totals as vok caches them
    }
    // The example game unlocking achievement 2, under strace with `options` when given.
    VokRun Game(const std::vector<std::string>& options) const
    {
        std::vector<std::string> command = TracedEmulator();
        command.insert(command.end(), {BuildDir() + "/tools/example_game", store, options.empty() ? "2" : options[0]});
        if (options.size() <= 1) return RunProgram("/usr/bin/env", command, BuildDir());
        std::vector<std::string> args = StraceOptions();
        args.insert(args.end(), options.begin() + 1, options.end());
        args.push_back("--");
        args.insert(args.end(), command.begin(), command.end());
        return RunProgram(VOK_STRACE, args, BuildDir());
    }
    // What vok-card shows of the player and of the game, as it reads the card now.
    std::string Shown() const
    {
        std::string shown;
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"show", store, "--json"}, {"show", store, "vok_kim", "tinyquest", "--json", "--reveal"}}) {
            const VokRun run = RunProgram(BuildDir() + "/vok-card", args, BuildDir());
            shown += std::to_string(run.status) + run.out;
        }
        return Comparable(shown);
    }
    FileTree GameTree() const { return GameFiles(store + "vok_kim/tinyquest/"); }
};

const CommitScenario CommitScenarios[] = {{"FirstCommit", false}, {"Unlock", true}};

} // namespace

class KitPowerCut : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(FileExists(VOK_STRACE)) << "strace is missing: tools/setup-packages.sh installs it"; }
};

// The example game's commit killed, or failed with ENOSPC or EIO, at each write-related call on
// the card: vok-card then shows the card as before the commit or as after it, and after vok's
// next start the game's files are those of before or of after, the summary agreeing.
TEST_P(KitPowerCut, EveryCutLeavesBeforeOrAfter)
{
    const CommitScenario& scenario = CommitScenarios[GetParam()];
    GameCard uncut(scenario);
    const std::string shownBefore = uncut.Shown();
    const FileTree gameBefore = uncut.GameTree();
    const VokRun traced = uncut.Game({"2", "-o", uncut.dir / "trace.txt", "-e", std::string("trace=") + TracedCalls});
    ASSERT_EQ(traced.status, 0) << traced.err;
    const std::vector<Point> points = WritePoints(ReadFile(uncut.dir / "trace.txt"), uncut.store);
    ASSERT_FALSE(points.empty());
    const std::string shownAfter = uncut.Shown();
    ASSERT_EQ(RunVok({"--store", uncut.store, "--max-frames", "2"}).status, 0);
    const FileTree gameAfter = uncut.GameTree();
    const char* faults[] = {"signal=KILL", "error=ENOSPC", "error=EIO"};
    int tried = 0, atAfter = 0;
    for (size_t p = 0; p < points.size(); p += Stride())
        for (const char* fault : faults) {
            GameCard card(scenario);
            const std::string label = std::string(scenario.name) + ", " + fault + " at " + points[p].line;
            std::vector<std::string> options = {"2"};
            const std::vector<std::string> inject = InjectAt(points[p], fault);
            options.insert(options.end(), inject.begin(), inject.end());
            card.Game(options);
            ++tried;
            const std::string shown = card.Shown();
            EXPECT_TRUE(shown == shownBefore || shown == shownAfter) << label << "\n" << shown;
            atAfter += shown == shownAfter;
            EXPECT_EQ(RunVok({"--store", card.store, "--max-frames", "2"}).status, 0) << label;
            const FileTree game = card.GameTree();
            EXPECT_TRUE(game == gameBefore || game == gameAfter) << label;
            EXPECT_EQ(card.Shown(), shown) << label << ": vok finished the commit otherwise than vok-card showed";
        }
    EXPECT_GT(atAfter, 0) << "a cut after the commit point shows the commit";
    std::printf("[ figures  ] %s: %d runs at %zu cut points\n", scenario.name, tried, points.size());
}

INSTANTIATE_TEST_SUITE_P(Scenarios, KitPowerCut, ::testing::Range(0, int(std::size(CommitScenarios))),
                         [](const ::testing::TestParamInfo<int>& info) { return CommitScenarios[info.param].name; });
