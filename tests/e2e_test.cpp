// Whole runs of the real program, headless, as a player goes through it, each on its own fresh
// demo card: the files on the card are checked byte for byte where their format is fixed and
// the screen where it shows the result. Also the guided tour of tools/tour.sh.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>

#include "platform/device.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// A fresh demo card in `dir`; the store path, ending with "/".
std::string DemoCard(const TempDir& dir)
{
    EXPECT_EQ(RunProgram(BuildDir() + "/tools/make_demo_card", {dir / "card"}, BuildDir()).status, 0);
    return dir / "card/";
}

// An input script built step by step: a press at the current frame, the next step `wait` frames
// later (when a change of screen has taken effect); a picture saved after the frame is shown.
struct Script {
    std::string text;
    int frame = 2; // frame 1 draws the starting screen
    Script& Press(const std::string& button, int wait = 2)
    {
        text += std::to_string(frame) + " button " + button + "\n";
        frame += wait;
        return *this;
    }
    Script& Shot(const std::string& f) { text += std::to_string(frame++) + " screenshot " + f + "\n"; return *this; }
    // The menu's second item, then "yes" on its confirmation (which opens on "cancel").
    Script& Remove() { return Press("menu").Press("down").Press("b").Press("up").Press("b"); }
};

void Play(const std::string& store, const Script& s) { ASSERT_EQ(RunOnCard(store, s.text, s.frame + 10).status, 0); }

std::vector<uint32_t> Picture(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmpPixels(path, &image)) << path;
    return image.pixels;
}

// What the player's totals file and ranking file must hold, worked out here from the games'
// summaries in directory order: the sums, then the favourites by score and the completed games
// newest first (equal keys keep the directory's order).
std::pair<std::string, std::string> ExpectedCache(const std::string& store, const std::string& player)
{
    uint32_t sums[4] = {0, 0, 0, 0};
    std::vector<std::pair<int32_t, std::string>> favourites, completed;
    for (const std::string& game : GameOrder(store, player)) {
        const std::string dir = store + player + "/" + game + "/", summary = ReadFile(dir + "vok.summary");
        int32_t values[5] = {0, 0, 0, 0, 0}; // little-endian, as the host
        std::memcpy(values, summary.data(), std::min<size_t>(summary.size(), sizeof values));
        for (size_t i = 0; i < 4; ++i) sums[i] += uint32_t(values[i]);
        favourites.push_back({values[4], game});
        struct stat dat;
        if (values[0] == values[1])
            completed.push_back({stat((dir + "vok.dat").c_str(), &dat) == 0 ? int32_t(dat.st_mtime) : 0, game});
    }
    std::string ranking;
    for (auto [list, key] : {std::make_pair(&favourites, "fav"), std::make_pair(&completed, "cmp")}) {
        std::stable_sort(list->begin(), list->end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (size_t i = 0; i < list->size() && i < 5; ++i)
            ranking += key + std::to_string(i + 1) + "=" + (*list)[i].second + "\r\n";
    }
    return {std::string(reinterpret_cast<const char*>(sums), 16), ranking};
}

// The handheld build ends at once without its buttons: these runs are the desktop's.
class EndToEnd : public ::testing::Test {
    void SetUp() override { if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick"; }
};

} // namespace

// A game's "update" marker: the start recomputes the player's totals and rankings, writes both
// files and removes the marker; the next start shows the same from the files. Then the road of
// one press: B opens the player's first game, the menu's second item and its confirmation remove
// the shown game, the next one is loaded, and after the last one the home screen is back, as a
// fresh start shows it. The folders are gone and the totals and the ranking count nothing of
// them. On the way, the menu's first item saves the snapshot of each screen under the player's
// (and game's) name: the content as shown, without the menu, the notice or the button hints.
TEST_F(EndToEnd, UpdateMarkerThenRemovingEveryGame)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    std::string player;
    for (const std::string& p : PlayerOrder(store))
        if (FileExists(store + p + "/update")) player = p;
    ASSERT_NE(player, "") << "the demo card has a player with an update marker";
    const std::vector<std::string> games = GameOrder(store, player);
    ASSERT_GE(games.size(), 2u);
    const std::string home = player + ".bmp", game = player + "_" + games[0] + ".bmp"; // as the snapshots
    SelectAtStart(store, player);
    WriteFile(store + player + "/vok.erience", std::string(16, '\0'));
    WriteFile(store + player + "/vok.ranking", "");
    const auto [totals, ranking] = ExpectedCache(store, player);
    ASSERT_NE(totals, std::string(16, '\0'));
    Play(store, Script().Shot(dir / "marked.bmp"));
    EXPECT_FALSE(FileExists(store + player + "/update"));
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), totals);
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), ranking);

    Script script;
    script.Shot(dir / home).Press("menu").Press("b", 4).Press("x").Press("b").Shot(dir / game);
    script.Press("menu").Press("b", 4).Press("x").Remove().Shot(dir / "next-game.bmp");
    for (size_t i = 1; i < games.size(); ++i) script.Remove();
    Play(store, script.Shot(dir / "home-after.bmp"));
    Play(store, Script().Shot(dir / "restart.bmp"));
    for (const std::string& game : games) EXPECT_FALSE(FileExists(store + player + "/" + game)) << game;
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), std::string(16, '\0'));
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), "");
    EXPECT_EQ(Picture(dir / "marked.bmp"), Picture(dir / home));
    EXPECT_NE(Picture(dir / game), Picture(dir / "next-game.bmp"));
    EXPECT_EQ(Picture(dir / "home-after.bmp"), Picture(dir / "restart.bmp"));
    EXPECT_NE(Picture(dir / "home-after.bmp"), Picture(dir / home));

    RgbImage background, saved, shown;
    ASSERT_TRUE(ReadBmpPixels(BuildDir() + "/media/background.bmp", &background));
    for (const std::string& name : {home, game}) {
        ASSERT_TRUE(ReadBmpPixels(store + name, &saved) && ReadBmpPixels(dir / name, &shown)) << name;
        ASSERT_EQ(saved.pixels.size(), 320u * 240u);
        int wrong = 0; // content rows as shown, hint rows as the bare background
        for (size_t i = 0; i < saved.pixels.size(); ++i) {
            const uint32_t b = background.pixels[i], got = saved.pixels[i];
            wrong += i < 320 * 215 ? got != shown.pixels[i] : !Near(got, b >> 16, b >> 8 & 0xFF, b & 0xFF);
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

// Removing the selected player from the home menu: the folder goes with everything in it, the
// last player listed is selected, and nothing else on the card changes. Leaving with another
// player selected writes exactly that player's folder name; the next start shows that player's
// card in that player's language (not English).
TEST_F(EndToEnd, RemovingAPlayerAndRestoringAnother)
{
    TempDir dir;
    const std::string store = DemoCard(dir), removed = PlayerOrder(store).front();
    SelectAtStart(store, removed);
    auto cardFiles = [&] {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(store)) {
            const std::string path = fs::relative(entry.path(), store).string();
            if (entry.is_regular_file() && path != "activevok" && path.rfind(removed + "/", 0) != 0)
                files[path] = ReadFile(entry.path());
        }
        return files;
    };
    for (const std::string& p : PlayerOrder(store)) std::remove((store + p + "/update").c_str()); // no recount
    const std::map<std::string, std::string> before = cardFiles();
    std::vector<std::string> left = PlayerOrder(store);
    left.erase(std::find(left.begin(), left.end(), removed));
    ASSERT_GE(left.size(), 2u);
    size_t steps = 1;
    auto chosen = [&] { return left[(left.size() - 1 + steps) % left.size()]; };
    while (steps < left.size() && ReadFile(store + chosen() + "/vok.cfg").find("lang=English\r") != std::string::npos)
        ++steps;
    ASSERT_LT(steps, left.size()) << "the demo card has a player in another language than English";

    Script script = Script().Remove();
    for (size_t i = 0; i < steps; ++i) script.Press("right");
    Play(store, script.Shot(dir / "chosen.bmp").Press("menu").Press("up").Press("b").Press("b"));
    EXPECT_FALSE(FileExists(store + removed));
    EXPECT_TRUE(before == cardFiles());
    EXPECT_EQ(ReadFile(store + "activevok"), chosen());
    Play(store, Script().Shot(dir / "restart.bmp"));
    EXPECT_EQ(Picture(dir / "restart.bmp"), Picture(dir / "chosen.bmp"));
}

// The guided tour runs through every screen on a fresh demo card and leaves one PNG per step.
TEST_F(EndToEnd, GuidedTour)
{
    // The pictures stay in the build tree for a person to look at: every screen of the program.
    const std::string pictures = BuildDir() + "/pictures/tour";
    VokRun tour = RunProgram("/bin/bash", {SourceDir() + "/tools/tour.sh", "--no-build", BuildDir(), pictures},
                             BuildDir());
    ASSERT_EQ(tour.status, 0) << tour.out << tour.err;
    std::string names;
    for (const auto& entry : fs::directory_iterator(pictures))
        if (entry.is_regular_file() && ReadFile(entry.path()).substr(0, 8) == "\x89PNG\r\n\x1a\n")
            names += entry.path().filename().string() + "\n";
    EXPECT_GE(std::count(names.begin(), names.end(), '\n'), 15);
    for (const char* step : {"-home-menu.png", "-editor-typing.png", "-game-hidden-achievement.png",
                             "-game-next-with-R.png", "-game-menu.png", "-notice-goodbye.png"})
        EXPECT_NE(names.find(step), std::string::npos) << step;
}
