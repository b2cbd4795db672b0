// Power cuts and a failing card, on the real vok run headless under strace: for six things it does
// (a recompute at start, creating a player, exit with a player selected, a snapshot, removing a
// game, removing a player) every write-related system call on the card is found in one traced run,
// then vok is killed at each of them in turn, and given ENOSPC, EIO and EROFS at each. After each
// run and one normal start: every file is whole (as before or as after an uncut run), nothing
// outside the card changed, no removal remnant is left, and every player's totals and ranking are
// what a fresh recomputation makes. Failing runs end with status 0, and the player is told "not
// saved" exactly when the snapshot or the new player did not reach the card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "platform/device.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

namespace {

namespace fs = std::filesystem;

// The words that run a program built for another machine (such as "qemu-arm -L /usr/arm-linux-
// gnueabihf"): VOK_EMULATOR from the environment, else the build's CMAKE_CROSSCOMPILING_EMULATOR.
std::vector<std::string> TracedEmulator()
{
    const char* configured = std::getenv("VOK_EMULATOR");
    std::istringstream words(configured ? configured : VOK_TEST_EMULATOR);
    std::vector<std::string> command;
    for (std::string word; words >> word;)
        command.push_back(word);
    return command;
}

// Every how many cut points one is tried: VOK_CUT_STRIDE from the environment (for slow emulated
// builds), else 1, every point.
size_t Stride()
{
    const char* configured = std::getenv("VOK_CUT_STRIDE");
    const int stride = configured ? std::atoi(configured) : 1;
    return stride > 1 ? size_t(stride) : 1;
}

// Calls that change a file system; open only counts with a flag that writes.
const char TracedCalls[] = "?open,openat,?creat,write,?writev,?pwrite64,fsync,?fdatasync,?rename,renameat,"
                           "?renameat2,?unlink,unlinkat,?mkdir,?mkdirat,?rmdir,?ftruncate,?truncate,"
                           "?symlink,?symlinkat,?link,?linkat";

struct Scenario {
    std::string name;
    std::string words;        // one word a frame from frame 2: a button, "X,Y" a touch, ".N" N idle frames
    std::string saved;        // the file whose arrival the player is told of ("" none)
    std::string savedNotice;  // what the screen says when it arrived ("" no notice)
    std::function<void(const std::string& store)> setUp = [](const std::string&) {};
};

// The script of `words`, a screenshot into `shot` after the last word and two more frames.
std::string ScriptOf(const std::string& words, const std::string& shot, int* frames)
{
    int frame = 2;
    std::string text = WordsScript(words, &frame);
    frame += 2;
    text += std::to_string(frame) + " screenshot " + shot + "\n";
    *frames = frame + 1;
    return text;
}

// Two players, Ana (selected at start) with two games and Bob with one, each game with links to
// the outside folder; totals and rankings as a recomputation leaves them; an older snapshot.
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
            const std::string folder = store + g.player + "/" + g.game;
            symlink((outside + "/file").c_str(), (folder + "/file link").c_str());
            symlink((outside + "/folder").c_str(), (folder + "/folder link").c_str());
        }
        WriteFile(store + "vok_ana.bmp", "an older snapshot");
        RecomputeEveryPlayer(store);
        SelectAtStart(store, "vok_ana");
        scenario.setUp(store);
    }
    static void RecomputeEveryPlayer(const std::string& store)
    {
        ResetStore(store);
        ScanProfiles();
        for (size_t i = 0; i < Profiles.size(); ++i) {
            SelectedProfile = int(i);
            RecomputeTotals();
        }
        ResetStore(store);
    }
};

using Files = std::map<std::string, std::string>; // path below the folder -> what is there

Files Contents(const std::string& root)
{
    Files files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); it != fs::end(it); it.increment(error)) {
        const std::string path = fs::relative(it->path(), root).string();
        if (it->is_symlink())
            files[path] = "link to " + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            files[path] = "folder";
        else
            files[path] = "file " + ReadFile(it->path());
    }
    return files;
}

// The paths of `now` that are neither as `before` nor as `after` (a missing file is a state too);
// temporaries of the crash-safe writer, never read, are left out.
std::string TornFiles(const Files& before, const Files& after, const Files& now)
{
    std::map<std::string, int> paths;
    for (const Files* files : {&before, &after, &now})
        for (const auto& entry : *files)
            paths[entry.first] = 0;
    auto at = [](const Files& files, const std::string& path) {
        const auto found = files.find(path);
        return found == files.end() ? std::string("(missing)") : found->second;
    };
    std::string torn;
    for (const auto& [path, unused] : paths) {
        if (fs::path(path).filename().string().rfind(".vok-tmp.", 0) == 0)
            continue;
        if (at(now, path) != at(before, path) && at(now, path) != at(after, path))
            torn += " " + path;
    }
    return torn;
}

// Every player's totals and ranking as the card holds them, then as a fresh recomputation makes them.
std::pair<std::string, std::string> TotalsAndFresh(const std::string& store)
{
    ResetStore(store);
    ScanProfiles();
    std::string stored, fresh;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        const std::string folder = store + Profiles[i]->folder + "/";
        const ProfileRecord& p = *Profiles[i]; // its totals as read, a missing file as zeros
        stored += p.folder + Totals(p.unlockedCount, p.achievementCount, p.pointsEarned, p.pointsPossible) +
                  ReadFile(folder + "vok.ranking");
        SelectedProfile = int(i);
        RecomputeTotals();
        fresh += Profiles[i]->folder + ReadFile(folder + "vok.erience") + ReadFile(folder + "vok.ranking");
    }
    ResetStore(store);
    return {stored, fresh};
}

// True when the screenshot shows the notice box of `text` as the program draws it (the inside
// of the box, which hides whatever screen is below it).
bool ShowsNotice(const std::string& shot, const std::string& text)
{
    RgbImage image;
    if (!ReadBmp(shot, &image) || image.pixels.size() != 320u * 240u)
        return false;
    ClearScreen();
    DrawNoticeBox(text.c_str());
    const SDL_Rect box = NoticeBoxRect(TextWidth(FontSmall, text.c_str()));
    int wrong = 0;
    for (int y = box.y + 3; y < box.y + box.h - 3; ++y)
        for (int x = box.x + 3; x < box.x + box.w - 3; ++x) {
            const uint32_t want = ScreenPixel(x, y);
            wrong += !Near(image.pixels[size_t(y) * 320 + size_t(x)], want >> 16, want >> 8 & 0xFF, want & 0xFF);
        }
    return wrong == 0;
}

struct Point {
    std::string call;
    int number; // of this call in the main thread, from 1, as strace counts for when=
    std::string line;
};

// The write-related calls on the card in strace's log of a whole run, in their order.
std::vector<Point> WritePoints(const std::string& log, const std::string& card)
{
    std::vector<Point> points;
    std::map<std::string, int> counts;
    std::istringstream lines(log);
    std::string mainThread;
    for (std::string line; std::getline(lines, line);) {
        const size_t blank = line.find(' ');
        if (blank == std::string::npos)
            continue;
        const size_t start = line.find_first_not_of(' ', blank); // strace pads the thread id
        if (start == std::string::npos)
            continue;
        const std::string thread = line.substr(0, blank), call = line.substr(start);
        if (mainThread.empty())
            mainThread = thread;
        const size_t open = call.find('(');
        if (thread != mainThread || call.rfind("<...", 0) == 0 || open == std::string::npos || !std::isalpha(call[0]))
            continue;
        const std::string name = call.substr(0, open);
        const int number = ++counts[name];
        const bool opens = name == "open" || name == "openat";
        const bool writes = call.find("O_WRONLY") != std::string::npos || call.find("O_RDWR") != std::string::npos ||
                            call.find("O_CREAT") != std::string::npos;
        if (call.find(card) != std::string::npos && (!opens || writes))
            points.push_back({name, number, call.substr(0, 160)});
    }
    return points;
}

class PowerCut : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (HandheldBuild)
            GTEST_SKIP() << "the handheld build ends without a joystick";
        ASSERT_TRUE(FileExists(VOK_STRACE)) << "strace is missing: tools/setup-packages.sh installs it";
        StartScreens();
        LanguageTable.SetLanguage("English");
    }
    void TearDown() override { ReleaseCard(); }

    // vok on the card of `card` with the scenario's script, under strace with `options` unless empty.
    static VokRun Run(const Card& card, const Scenario& scenario, const std::vector<std::string>& options)
    {
        int frames = 0;
        WriteFile(card.dir / "script.txt", ScriptOf(scenario.words, card.shot, &frames));
        std::vector<std::string> command = TracedEmulator();
        command.insert(command.end(), {BuildDir() + "/vok", "--store", card.store, "--script",
                                       card.dir / "script.txt", "--max-frames", std::to_string(frames)});
        if (options.empty())
            return RunProgram("/usr/bin/env", command, BuildDir()); // env finds an emulator on the PATH
        // LeakSanitizer cannot work under a tracer and would end a sanitizer build's run with an error
        const char* sanitizer = std::getenv("ASAN_OPTIONS");
        std::vector<std::string> args = {"-f", "-qq", "-E",
                                         "ASAN_OPTIONS=" + std::string(sanitizer ? sanitizer : "") + ":detect_leaks=0"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back("--");
        args.insert(args.end(), command.begin(), command.end());
        return RunProgram(VOK_STRACE, args, BuildDir());
    }
    // The start after a cut or a failure, with nothing pressed.
    static VokRun Start(const Card& card) { return Run(card, Scenario{"start", "", "", ""}, {}); }
    // What the scenario leaves when nothing goes wrong, after one more start.
    static Files Uncut(const Scenario& scenario, std::vector<Point>* points)
    {
        Card card(scenario);
        const VokRun traced = Run(card, scenario, {"-y", "-o", card.dir / "trace.txt", "-e", std::string("trace=") + TracedCalls});
        EXPECT_EQ(traced.status, 0) << traced.err;
        *points = WritePoints(ReadFile(card.dir / "trace.txt"), card.store);
        // The exit's own scenario cuts into the active player's file; the others end there too,
        // which adds nothing new to try.
        const auto exit = std::find_if(points->begin(), points->end(),
                                       [](const Point& p) { return p.line.find("activevok") != std::string::npos; });
        if (scenario.name != "exit")
            points->erase(exit, points->end());
        EXPECT_EQ(Start(card).status, 0);
        return Contents(card.store);
    }
    // The checks after one run of `label` on `card` and the normal start after it.
    static void Check(const Card& card, const Files& before, const Files& after, const Files& outside,
                      const std::string& label)
    {
        ASSERT_EQ(Start(card).status, 0) << label;
        const Files now = Contents(card.store);
        EXPECT_EQ(TornFiles(before, after, now), "") << label;
        EXPECT_TRUE(Contents(card.outside) == outside) << label << ": outside the card changed";
        for (const auto& entry : now)
            EXPECT_EQ(entry.first.find(".vok-gone"), std::string::npos) << label << ": " << entry.first;
        const auto [stored, fresh] = TotalsAndFresh(card.store);
        EXPECT_EQ(stored, fresh) << label << ": totals differ from a recomputation";
    }
};

const Scenario Scenarios[] = {
    {"recompute at start", "", "", "", [](const std::string& store) {
         WriteFile(store + "vok_ana/update", "");
         WriteFile(store + "vok_ana/vok.erience", Totals(9, 9, 9, 9));
     }},
    // Y, the name row's keyboard, Shift and "a", Return by touch, X
    {"creating a player", "y right .12 down down down x up right x 287,177 .10 x", "vok_a/vok.cfg", ""},
    {"exit", "right menu up b b", "", ""},
    {"snapshot", "menu b .4", "vok_ana.bmp", "snapshot"},
    {"removing a game", "b .2 menu down b up b", "", ""},
    {"removing a player", "menu down b up b", "", ""},
};

} // namespace

// Killed at every write-related call: after the next start the card is as before or as after.
TEST_P(PowerCut, KilledAtEveryWrite)
{
    const Scenario& scenario = Scenarios[GetParam()];
    std::vector<Point> points;
    const Files after = Uncut(scenario, &points);
    ASSERT_FALSE(points.empty()) << scenario.name;
    int killed = 0, tried = 0;
    for (size_t p = 0; p < points.size(); p += Stride(), ++tried) {
        const Point& point = points[p];
        Card card(scenario);
        const Files before = Contents(card.store), outside = Contents(card.outside);
        const std::string inject = "inject=" + point.call + ":signal=KILL:when=" + std::to_string(point.number);
        const VokRun run = Run(card, scenario, {"-o", "/dev/null", "-e", "trace=" + point.call, "-e", inject});
        killed += run.status != 0;
        Check(card, before, after, outside, scenario.name + ", cut at " + point.line);
    }
    EXPECT_EQ(killed, tried) << "every cut point was reached";
    std::printf("[ figures  ] %s: %d of %zu cut points tried, %d killed\n", scenario.name.c_str(), tried,
                points.size(), killed);
}

// ENOSPC, EIO or EROFS at every write-related call (all three where the player is told of a save,
// one in turn elsewhere): vok runs on and ends with status 0, the card is as before or as after,
// and the notice tells whether the player's file reached the card.
TEST_P(PowerCut, FailingCardAtEveryWrite)
{
    const Scenario& scenario = Scenarios[GetParam()];
    std::vector<Point> points;
    const Files after = Uncut(scenario, &points);
    const std::string notSaved = LanguageTable.GetText(TextNoticeNotSaved);
    const std::string savedNotice = std::string(LanguageTable.GetText(TextSnapshotSaved)) + " vok_ana.bmp " +
                                    LanguageTable.GetText(TextSnapshotWhere);
    const std::vector<std::string> errors = {"ENOSPC", "EIO", "EROFS"};
    int injected = 0, refused = 0;
    for (size_t p = 0; p < points.size(); p += Stride())
        for (size_t e = 0; e < errors.size(); ++e) {
            if (scenario.saved.empty() && e != p % errors.size())
                continue;
            const Point& point = points[p];
            Card card(scenario);
            const Files before = Contents(card.store), outside = Contents(card.outside);
            const std::string label = scenario.name + ", " + errors[e] + " at " + point.line;
            const std::string inject = "inject=" + point.call + ":error=" + errors[e] + ":when=" + std::to_string(point.number);
            const VokRun run = Run(card, scenario, {"-o", "/dev/null", "-e", "trace=" + point.call, "-e", inject});
            ++injected;
            EXPECT_EQ(run.status, 0) << label << run.err;
            if (!scenario.saved.empty()) {
                const auto found = after.find(scenario.saved);
                const bool arrived = found != after.end() && "file " + ReadFile(card.store + scenario.saved) == found->second;
                refused += !arrived;
                EXPECT_EQ(ShowsNotice(card.shot, notSaved), !arrived) << label;
                if (!scenario.savedNotice.empty()) {
                    EXPECT_EQ(ShowsNotice(card.shot, savedNotice), arrived) << label;
                }
            }
            Check(card, before, after, outside, label);
        }
    std::printf("[ figures  ] %s: %d errors injected at %zu points, %d saves refused\n", scenario.name.c_str(),
                injected, points.size(), refused);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, PowerCut, ::testing::Range(0, int(sizeof Scenarios / sizeof Scenarios[0])),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name;
                             for (char c : Scenarios[info.param].name)
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });
