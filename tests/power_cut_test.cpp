// The real vok under strace, killed or given ENOSPC, EIO or EROFS at each write-related call of a
// scenario on the card: after a normal start every file is whole, nothing outside changed, no
// removal remnant is left and the totals are what a recomputation makes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "graphics/draw.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "platform/device.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"
#include "tests/support/trace_support.h"

namespace {

namespace fs = std::filesystem;

struct Scenario {
    std::string name, words;  // words: one a frame from frame 2: a button, "X,Y" a touch, ".N" N idle frames
    std::string saved;        // the file whose arrival the player is told of ("" none)
    std::string savedNotice;  // what the screen says when it arrived ("" no notice)
    std::function<void(const std::string& store)> setUp = [](const std::string&) {};
};

// Every player's totals and ranking as the card holds them, then as a fresh recomputation makes them.
std::pair<std::string, std::string> TotalsAndFresh(const std::string& store)
{
    ResetStore(store);
    ScanProfiles();
    std::string stored, fresh;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        const std::string folder = store + Profiles[i]->folder + "/"; // totals as read, a missing file as zeros
        stored += Profiles[i]->folder + TotalsOf(*Profiles[i]) + ReadFile(folder + "vok.ranking");
        SelectedProfile = int(i);
        RecomputeTotals();
        fresh += Profiles[i]->folder + ReadFile(folder + "vok.erience") + ReadFile(folder + "vok.ranking");
    }
    ResetStore(store);
    return {stored, fresh};
}

// Ana (selected) with two games, Bob with one, each linking outside; totals cached; a snapshot.
struct Card {
    TempDir dir;
    std::string store = dir / "card/", outside = dir / "outside", shot = dir / "shot.bmp";
    explicit Card(const Scenario& scenario)
    {
        MakeDir(outside + "/folder");
        WriteFile(outside + "/file", "outside");
        WriteFile(outside + "/folder/inner", "outside too");
        WritePlayer(store, {"vok_ana", "Ana"});
        WritePlayer(store, {"vok_bob", "Bob"});
        const struct { const char *player, *game; GameSummaryRecord summary; } games[] = {
            {"vok_ana", "alpha", {2, 2, 20, 20, 5}}, {"vok_ana", "beta", {1, 3, 10, 30, 7}},
            {"vok_bob", "delta", {1, 1, 5, 5, 2}}};
        for (const auto& g : games) {
            GameSetup game = CountedGame(g.game, 2, 2);
            game.summary = g.summary;
            WriteGame(store, g.player, game);
            for (const std::string target : {"file", "folder"})
                symlink((outside + "/" + target).c_str(), (store + g.player + "/" + g.game + "/" + target + " link").c_str());
        }
        WriteFile(store + "vok_ana.bmp", "an older snapshot");
        TotalsAndFresh(store);
        SelectAtStart(store, "vok_ana");
        scenario.setUp(store);
    }
};

// Paths of `now` neither as `before` nor as `after` (missing is a state), the writer's temporaries aside.
std::string TornFiles(const FileTree& before, const FileTree& after, const FileTree& now)
{
    FileTree paths = before;
    paths.insert(after.begin(), after.end());
    paths.insert(now.begin(), now.end());
    auto at = [](const FileTree& files, const std::string& path) {
        const auto found = files.find(path);
        return found == files.end() ? std::string("(missing)") : found->second;
    };
    std::string torn;
    for (const auto& entry : paths)
        if (fs::path(entry.first).filename().string().rfind(".vok-tmp.", 0) != 0 &&
            at(now, entry.first) != at(before, entry.first) && at(now, entry.first) != at(after, entry.first))
            torn += " " + entry.first;
    return torn;
}

// True when the screenshot shows the inside of the notice box of `text` as the program draws it.
bool ShowsNotice(const std::string& shot, const std::string& text)
{
    RgbImage image;
    if (!ReadBmp(shot, &image) || image.width != 320 || image.height != 240) return false;
    ClearScreen();
    DrawNoticeBox(text.c_str());
    const SDL_Rect box = NoticeBoxRect(TextWidth(FontSmall, text.c_str()));
    for (int y = box.y + 3; y < box.y + box.h - 3; ++y)
        for (int x = box.x + 3; x < box.x + box.w - 3; ++x) {
            const uint32_t want = ScreenPixel(x, y);
            if (!Near(image.at(x, y), want >> 16, want >> 8 & 0xFF, want & 0xFF)) return false;
        }
    return true;
}

class PowerCut : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
        ASSERT_TRUE(FileExists(VOK_STRACE)) << "strace is missing: tools/setup-packages.sh installs it";
        StartScreens();
        LanguageTable.SetLanguage("English");
    }
    void TearDown() override { ReleaseCard(); }

    // vok with the scenario's words and a screenshot after them; under strace with `options` if any.
    static VokRun Run(const Card& card, const Scenario& scenario, const std::vector<std::string>& options)
    {
        int frame = 2;
        const std::string script = WordsScript(scenario.words, &frame);
        WriteFile(card.dir / "script.txt", script + std::to_string(frame + 2) + " screenshot " + card.shot + "\n");
        std::vector<std::string> command = TracedEmulator();
        command.insert(command.end(), {BuildDir() + "/vok", "--store", card.store, "--script",
                                       card.dir / "script.txt", "--max-frames", std::to_string(frame + 3)});
        if (options.empty()) return RunProgram("/usr/bin/env", command, BuildDir()); // env finds an emulator on the PATH
        std::vector<std::string> args = StraceOptions();
        args.insert(args.end(), options.begin(), options.end());
        args.push_back("--");
        args.insert(args.end(), command.begin(), command.end());
        return RunProgram(VOK_STRACE, args, BuildDir());
    }
    static VokRun Start(const Card& card) { return Run(card, Scenario{"start", "", "", ""}, {}); } // nothing pressed

    // What the scenario leaves when nothing goes wrong, after one more start; its cut points.
    static FileTree Uncut(const Scenario& scenario, std::vector<Point>* points)
    {
        Card card(scenario);
        const VokRun traced = Run(card, scenario, {"-y", "-o", card.dir / "trace.txt", "-e", std::string("trace=") + TracedCalls});
        EXPECT_EQ(traced.status, 0) << traced.err;
        *points = WritePoints(ReadFile(card.dir / "trace.txt"), card.store);
        // Every scenario ends by writing the active player's file, which the exit's own cuts cover.
        const auto exit = std::find_if(points->begin(), points->end(),
                                       [](const Point& p) { return p.line.find("activevok") != std::string::npos; });
        if (scenario.name != "Exit") points->erase(exit, points->end());
        EXPECT_EQ(Start(card).status, 0);
        return ReadTree(card.store);
    }

    using Look = std::function<void(const Card&, const VokRun&, const FileTree& after, const std::string& label)>;
    // Each tried point with each of `faults` (inject= actions; one in turn unless `all`), on a fresh card.
    static int EachCut(const Scenario& scenario, const std::vector<std::string>& faults, bool all, const Look& look)
    {
        std::vector<Point> points;
        const FileTree after = Uncut(scenario, &points);
        EXPECT_FALSE(points.empty()) << scenario.name;
        int tried = 0;
        for (size_t p = 0; p < points.size(); p += Stride())
            for (size_t f = 0; f < faults.size(); ++f) {
                if (!all && f != p % faults.size()) continue;
                const Point& point = points[p];
                Card card(scenario);
                const FileTree before = ReadTree(card.store), outside = ReadTree(card.outside);
                const std::string label = scenario.name + ", " + faults[f] + " at " + point.line;
                look(card, Run(card, scenario, InjectAt(point, faults[f])), after, label);
                ++tried;
                EXPECT_EQ(Start(card).status, 0) << label;
                const FileTree now = ReadTree(card.store);
                EXPECT_EQ(TornFiles(before, after, now), "") << label;
                EXPECT_TRUE(ReadTree(card.outside) == outside) << label << ": outside the card changed";
                for (const auto& entry : now) EXPECT_EQ(entry.first.find(".vok-gone"), std::string::npos) << label << ": " << entry.first;
                const auto [stored, fresh] = TotalsAndFresh(card.store);
                EXPECT_EQ(stored, fresh) << label << ": totals differ from a recomputation";
            }
        std::printf("[ figures  ] %s: %d runs at %zu cut points\n", scenario.name.c_str(), tried, points.size());
        return tried;
    }
};

const Scenario Scenarios[] = {
    {"RecomputeAtStart", "", "", "", [](const std::string& store) {
         WriteFile(store + "vok_ana/update", "");
         WriteFile(store + "vok_ana/vok.erience", Totals(9, 9, 9, 9));
     }},
    // Y, the name row's keyboard, Shift and "a", Return by touch, X
    {"CreatingAPlayer", "y right .12 down down down x up right x 287,177 .10 x", "vok_a/vok.cfg", ""},
    {"Exit", "right menu up b b", "", ""},
    {"Snapshot", "menu b .4", "vok_ana.bmp", "snapshot"},
    {"RemovingAGame", "b .2 menu down b up b", "", ""},
    {"RemovingAPlayer", "menu down b up b", "", ""},
};

} // namespace

// Killed at every write-related call: after the next start the card is as before or as after.
TEST_P(PowerCut, KilledAtEveryWrite)
{
    int killed = 0;
    const int tried = EachCut(Scenarios[GetParam()], {"signal=KILL"}, true,
                              [&](const Card&, const VokRun& run, const FileTree&, const std::string&) { killed += run.status != 0; });
    EXPECT_EQ(killed, tried) << "every cut point was reached";
}

// A failing write: vok ends with status 0, its notice saying whether the player's file was saved.
TEST_P(PowerCut, FailingCardAtEveryWrite)
{
    const Scenario& scenario = Scenarios[GetParam()];
    const std::string notSaved = LanguageTable.GetText(TextNoticeNotSaved);
    const std::string savedNotice = std::string(LanguageTable.GetText(TextSnapshotSaved)) + " vok_ana.bmp " +
                                    LanguageTable.GetText(TextSnapshotWhere);
    EachCut(scenario, {"error=ENOSPC", "error=EIO", "error=EROFS"}, !scenario.saved.empty(),
            [&](const Card& card, const VokRun& run, const FileTree& after, const std::string& label) {
                EXPECT_EQ(run.status, 0) << label << run.err;
                if (scenario.saved.empty()) return;
                const auto found = after.find(scenario.saved);
                const bool arrived = found != after.end() && "file " + ReadFile(card.store + scenario.saved) == found->second;
                EXPECT_EQ(ShowsNotice(card.shot, notSaved), !arrived) << label;
                if (!scenario.savedNotice.empty()) {
                    EXPECT_EQ(ShowsNotice(card.shot, savedNotice), arrived) << label;
                }
            });
}

INSTANTIATE_TEST_SUITE_P(Scenarios, PowerCut, ::testing::Range(0, int(std::size(Scenarios))),
                         [](const ::testing::TestParamInfo<int>& info) { return Scenarios[info.param].name; });
