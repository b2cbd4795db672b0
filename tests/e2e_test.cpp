// Whole runs of the real program, headless, as a player goes through it, each on its own fresh
// demo card: the files on the card are checked byte for byte where their format is fixed and
// the screen where it shows the result. Also the guided tour of tools/tour.sh.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
    Script& Shot(const std::string& file)
    {
        text += std::to_string(frame++) + " screenshot " + file + "\n";
        return *this;
    }
    // The menu's second item, then "yes" on its confirmation (which opens on "cancel").
    Script& Remove() { return Press("menu").Press("down").Press("b").Press("up").Press("b"); }
};

void Play(const std::string& store, const Script& s)
{
    ASSERT_EQ(RunOnCard(store, s.text, s.frame + 10).status, 0);
}

std::vector<uint32_t> Picture(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmp(path, &image)) << path;
    return image.pixels;
}

// The handheld build ends at once without its buttons: these runs are the desktop's.
class EndToEnd : public ::testing::Test {
    void SetUp() override { if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick"; }
};

} // namespace

// B opens the player's first game; the menu's second item and its confirmation remove games
// until the home screen is back, as a fresh start shows it, the folders gone and counted
// nowhere. The menu's first item saves each screen under the player's (and game's) name: the
// content as shown, without the menu, the notice or the button hints.
TEST_F(EndToEnd, RemovingEveryGameAndSnapshots)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    std::string player;
    for (const std::string& p : PlayerOrder(store))
        if (GameOrder(store, p).size() >= 2) player = p;
    ASSERT_NE(player, "") << "the demo card has a player with two games";
    const std::vector<std::string> games = GameOrder(store, player);
    const std::string home = player + ".bmp", game = player + "_" + games[0] + ".bmp"; // as the snapshots
    SelectAtStart(store, player);

    Script script;
    script.Shot(dir / home).Press("menu").Press("b", 4).Press("x").Press("b").Shot(dir / game);
    script.Press("menu").Press("b", 4).Press("x").Remove();
    for (size_t i = 1; i < games.size(); ++i) script.Remove();
    Play(store, script.Shot(dir / "home-after.bmp"));
    Play(store, Script().Shot(dir / "restart.bmp"));
    for (const std::string& game : games) EXPECT_FALSE(FileExists(store + player + "/" + game)) << game;
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), std::string(16, '\0'));
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), "");
    EXPECT_EQ(Picture(dir / "home-after.bmp"), Picture(dir / "restart.bmp"));

    RgbImage background, saved, shown;
    ASSERT_TRUE(ReadBmp(BuildDir() + "/media/background.bmp", &background));
    for (const std::string& name : {home, game}) {
        ASSERT_TRUE(ReadBmp(store + name, &saved) && ReadBmp(dir / name, &shown)) << name;
        ASSERT_EQ(saved.pixels.size(), 320u * 240u);
        int wrong = 0; // content rows as shown, hint rows as the bare background
        for (size_t i = 0; i < saved.pixels.size(); ++i) {
            const uint32_t b = background.pixels[i], got = saved.pixels[i];
            wrong += i < 320 * 215 ? got != shown.pixels[i] : !Near(got, b >> 16, b >> 8 & 0xFF, b & 0xFF);
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

// Removing the selected player from the home menu: the folder goes, the last player listed is
// selected, nothing else on the card changes. Leaving with another player selected writes its
// folder name; the next start shows that player's card in its language (not English).
TEST_F(EndToEnd, RemovingAPlayerAndRestoringAnother)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    ASSERT_FALSE(PlayerOrder(store).empty()) << "the demo card has players";
    const std::string removed = PlayerOrder(store).front();
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
    for (const std::string& p : PlayerOrder(store))
        std::remove((store + p + "/update").c_str()); // no recount
    const std::map<std::string, std::string> before = cardFiles();
    std::vector<std::string> left = PlayerOrder(store);
    left.erase(std::find(left.begin(), left.end(), removed));
    const auto chosen = std::find_if(left.begin(), left.end(), [&](const std::string& p) {
        return ReadFile(store + p + "/vok.cfg").find("lang=English\r") == std::string::npos;
    });
    ASSERT_NE(chosen, left.end()) << "the demo card has a player in another language than English";

    Script script = Script().Remove(); // the last player is selected: right goes round to the first
    for (auto p = left.begin(); p <= chosen; ++p) script.Press("right");
    Play(store, script.Shot(dir / "chosen.bmp").Press("menu").Press("up").Press("b").Press("b"));
    EXPECT_FALSE(FileExists(store + removed));
    EXPECT_TRUE(before == cardFiles());
    EXPECT_EQ(ReadFile(store + "activevok"), *chosen);
    Play(store, Script().Shot(dir / "restart.bmp"));
    EXPECT_EQ(Picture(dir / "restart.bmp"), Picture(dir / "chosen.bmp"));
}

// A card as a hostile game, a broken card and a careless copy leave it: a bitmap claiming 4097
// bits per pixel as a ranked game's "vok.icon" and as an unlocked achievement's icon; FIFOs in
// place of every file a game or the player has (and of a player's "vok.cfg", of a player folder,
// of "activevok" in the second run); links to /dev/zero as "vok.dat", "vok.desc.*" and
// "vok.summary"; a 2 GB sparse "vok.dat"; a 2 MB "vok.ranking" of short lines. vok shows the home
// screen and every game screen, steps through the players and ends with status 0, no hang
// (timeout kills a run that takes more than a minute).
TEST_F(EndToEnd, HostileCard)
{
    TempDir dir;
    const std::string store = dir.store(), player = store + "vok_hostile/";
    const std::string crash = ReadFile(SourceDir() + "/tests/corpus/bitmap/bad_depth_4097_34_bytes.bmp");
    auto fifo = [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path; };
    auto zero = [](const std::string& path) { ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0) << path; };
    WritePlayer(store, {"vok_hostile", "Hostile"});
    WritePlayer(store, {"vok_recount", "Recount"});
    auto game = [&](const std::string& owner, const std::string& folder) {
        GameSetup setup = CountedGame(folder, 3, 3);
        setup.records[0].unlocked = 1;
        setup.summary = {3, 3, 6, 6, 9};
        WriteGame(store, owner, setup);
        return store + owner + "/" + folder + "/";
    };
    const std::string bomb = game("vok_hostile", "bomb"), pipes = game("vok_hostile", "pipes");
    const std::string zeros = game("vok_hostile", "zeros"), sparse = game("vok_hostile", "sparse");
    WriteFile(bomb + "001", crash);
    WriteFile(bomb + "vok.icon", crash);
    for (const char* file : {"vok.title", "vok.desc.default", "vok.lang", "vok.icon", "vok.summary"}) {
        std::remove((pipes + file).c_str());
        fifo(pipes + file);
    }
    fifo(pipes + "vok.desc.English");
    for (int id = 1; id <= 50; ++id) fifo(pipes + (id < 10 ? "00" : "0") + std::to_string(id));
    for (const char* file : {"vok.dat", "vok.desc.default", "vok.summary"}) {
        std::remove((zeros + file).c_str());
        zero(zeros + file);
    }
    zero(zeros + "vok.desc.English");
    ASSERT_EQ(truncate((sparse + "vok.dat").c_str(), 2000000000), 0);
    std::string ranking = "fav1=bomb\r\nfav2=pipes\r\ncmp1=bomb\r\ncmp2=pipes\r\n";
    while (ranking.size() < 2000000) ranking += "cmp3=s\r\n";
    WriteFile(player + "vok.ranking", ranking);
    fifo(player + "vok.erience");
    // a second player recounts its totals at start from summaries that are a FIFO and /dev/zero
    const std::string recountPipes = game("vok_recount", "pipes"), recountZeros = game("vok_recount", "zeros");
    std::remove((recountPipes + "vok.summary").c_str());
    fifo(recountPipes + "vok.summary");
    std::remove((recountZeros + "vok.summary").c_str());
    zero(recountZeros + "vok.summary");
    WriteFile(store + "vok_recount/update", "");
    MakeDir(store + "vok_pipecfg");
    fifo(store + "vok_pipecfg/vok.cfg");
    fifo(store + "vok_pipefolder");

    Script script;
    script.Shot(dir / "home.bmp").Press("b", 3);
    for (int i = 0; i < 5; ++i) script.Shot(dir / ("game" + std::to_string(i) + ".bmp")).Press("right").Press("r", 3);
    script.Press("y", 3).Press("right", 3).Press("b", 3).Shot(dir / "recount.bmp").Press("r", 3);
    ASSERT_TRUE(WriteFile(dir / "script.txt", script.text));
    for (const bool activeIsFifo : {false, true}) {
        std::remove((store + "activevok").c_str());
        if (activeIsFifo) fifo(store + "activevok");
        else SelectAtStart(store, "vok_hostile");
        const VokRun run = RunProgram("/usr/bin/timeout", {"-s", "KILL", "60", BuildDir() + "/vok", "--store", store,
            "--max-frames", std::to_string(script.frame + 5), "--script", dir / "script.txt"}, BuildDir());
        EXPECT_EQ(run.status, 0) << run.err;
    }
    uint32_t rgb = 0;
    for (int i = 0; i < 5; ++i) { // every game screen drawn: its grid frame beside the cells
        ASSERT_TRUE(BmpPixel(dir / ("game" + std::to_string(i) + ".bmp"), 33, 100, &rgb)) << i;
        EXPECT_TRUE(Near(rgb, 255, 199, 140)) << i;
    }
    ASSERT_TRUE(BmpPixel(dir / "recount.bmp", 33, 100, &rgb));
    EXPECT_TRUE(Near(rgb, 255, 199, 140));
    EXPECT_TRUE(FileExists(dir / "home.bmp"));
}

// The guided tour leaves one PNG per step of every screen in the build tree, for a person.
TEST_F(EndToEnd, GuidedTour)
{
    const std::string pictures = BuildDir() + "/pictures/tour";
    const std::string tourScript = SourceDir() + "/tools/tour.sh";
    VokRun tour = RunProgram("/bin/bash", {tourScript, "--no-build", BuildDir(), pictures}, BuildDir());
    ASSERT_EQ(tour.status, 0) << tour.out << tour.err;
    std::string names;
    for (const auto& entry : fs::directory_iterator(pictures))
        if (entry.is_regular_file() && ReadFile(entry.path()).substr(0, 8) == "\x89PNG\r\n\x1a\n")
            names += entry.path().filename().string() + "\n";
    EXPECT_GE(std::count(names.begin(), names.end(), '\n'), 15);
    for (const char* step : {"-home-menu.png", "-editor-typing.png", "-game-menu.png", "-notice-goodbye.png"})
        EXPECT_NE(names.find(step), std::string::npos) << step;
}
