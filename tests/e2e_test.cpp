// Whole runs of the real program, headless, as a player goes through it, each on a fresh card:
// its files checked byte for byte where their format is fixed, the screen where it shows the
// result. Also the guided tour of tools/tour.sh.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "platform/device.h"
#include "tests/support/screens_support.h"

namespace {

namespace fs = std::filesystem;

std::string DemoCard(const TempDir& dir) // a fresh demo card in `dir`; its store, ending with "/"
{
    EXPECT_EQ(RunProgram(BuildDir() + "/tools/make_demo_card", {dir / "card"}, BuildDir()).status, 0);
    return dir / "card/";
}

// An input script: a press at the current frame, the next step `wait` frames later (once a
// change of screen has taken effect); a picture saved after the frame is shown.
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
    void Play(const std::string& store) const { ASSERT_EQ(RunOnCard(store, text, frame + 10).status, 0); }
};

std::vector<uint32_t> Picture(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmp(path, &image)) << path;
    return image.pixels;
}

class EndToEnd : public ::testing::Test { // the handheld build ends at once without its buttons
    void SetUp() override { if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick"; }
};

} // namespace

// B opens the player's first game; the menu's removal and its confirmation remove games until
// the home screen is back as a fresh start shows it, the folders gone and counted nowhere. The
// menu's first item saves each screen as shown, without menu, notice or button hints.
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
    script.Shot(dir / "home-after.bmp").Play(store);
    Script().Shot(dir / "restart.bmp").Play(store);
    for (const std::string& game : games) EXPECT_FALSE(FileExists(store + player + "/" + game)) << game;
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), std::string(16, '\0'));
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), "");
    EXPECT_EQ(Picture(dir / "home-after.bmp"), Picture(dir / "restart.bmp"));

    const std::vector<uint32_t> background = Picture(BuildDir() + "/media/background.bmp");
    for (const std::string& name : {home, game}) {
        const std::vector<uint32_t> saved = Picture(store + name), shown = Picture(dir / name);
        ASSERT_EQ(saved.size(), 320u * 240u);
        int wrong = 0; // content rows as shown, hint rows as the bare background
        for (size_t i = 0; i < saved.size(); ++i)
            wrong += i < 320 * 215 ? saved[i] != shown[i] : !Near(saved[i], background[i]);
        EXPECT_EQ(wrong, 0) << name;
    }
}

// Removing the selected player from the home menu: its folder goes, the last player listed is
// selected, nothing else on the card changes. Leaving with another player writes its folder
// name; the next start shows that player's card in its language (not English).
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
    for (const std::string& p : PlayerOrder(store)) std::remove((store + p + "/update").c_str()); // no recount
    const std::map<std::string, std::string> before = cardFiles();
    std::vector<std::string> left = PlayerOrder(store);
    left.erase(std::find(left.begin(), left.end(), removed));
    const auto chosen = std::find_if(left.begin(), left.end(), [&](const std::string& p) {
        return ReadFile(store + p + "/vok.cfg").find("lang=English\r") == std::string::npos;
    });
    ASSERT_NE(chosen, left.end()) << "the demo card has a player in another language than English";

    Script script = Script().Remove(); // the last player is selected: right goes round to the first
    for (auto p = left.begin(); p <= chosen; ++p) script.Press("right");
    script.Shot(dir / "chosen.bmp").Press("menu").Press("up").Press("b").Press("b").Play(store);
    EXPECT_FALSE(FileExists(store + removed));
    EXPECT_TRUE(before == cardFiles());
    EXPECT_EQ(ReadFile(store + "activevok"), *chosen);
    Script().Shot(dir / "restart.bmp").Play(store);
    EXPECT_EQ(Picture(dir / "restart.bmp"), Picture(dir / "chosen.bmp"));
}

// A card as hostile games, broken cards and careless copies leave it: a 4097-bit bitmap as icons;
// FIFOs for every file of a game and player, a "vok.cfg", a player folder, "activevok"; /dev/zero
// as "vok.dat", "vok.desc.*", "vok.summary"; a 2 GB sparse "vok.dat"; a 2 MB "vok.ranking". vok
// shows home and every game screen and ends with status 0, no hang (a run over a minute is killed).
TEST_F(EndToEnd, HostileCard)
{
    TempDir dir;
    const std::string store = dir.store(), player = store + "vok_hostile/";
    const std::string crash = ReadFile(SourceDir() + "/tests/corpus/bitmap/bad_depth_4097_34_bytes.bmp");
    auto fifo = [](const std::string& path) {
        std::remove(path.c_str());
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
    };
    auto zero = [](const std::string& path) {
        std::remove(path.c_str());
        ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0) << path;
    };
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
    for (const char* file : {"vok.title", "vok.desc.default", "vok.desc.English", "vok.lang", "vok.icon", "vok.summary"})
        fifo(pipes + file);
    for (int id = 1; id <= 50; ++id) fifo(pipes + (id < 10 ? "00" : "0") + std::to_string(id));
    for (const char* file : {"vok.dat", "vok.desc.default", "vok.desc.English", "vok.summary"}) zero(zeros + file);
    ASSERT_EQ(truncate((sparse + "vok.dat").c_str(), 2000000000), 0);
    std::string ranking = "fav1=bomb\r\nfav2=pipes\r\ncmp1=bomb\r\ncmp2=pipes\r\n";
    while (ranking.size() < 2000000) ranking += "cmp3=s\r\n";
    WriteFile(player + "vok.ranking", ranking);
    fifo(player + "vok.erience");
    // a second player recounts its totals at start from summaries that are a FIFO and /dev/zero
    fifo(game("vok_recount", "pipes") + "vok.summary");
    zero(game("vok_recount", "zeros") + "vok.summary");
    WriteFile(store + "vok_recount/update", "");
    MakeDir(store + "vok_pipecfg");
    fifo(store + "vok_pipecfg/vok.cfg");
    fifo(store + "vok_pipefolder");

    Script script;
    script.Shot(dir / "home.bmp").Press("b", 3);
    for (int i = 0; i < 5; ++i) script.Shot(dir / ("game" + std::to_string(i) + ".bmp")).Press("right").Press("r", 3);
    script.Press("y", 3).Press("right", 3).Press("b", 3).Shot(dir / "game5.bmp").Press("r", 3);
    ASSERT_TRUE(WriteFile(dir / "script.txt", script.text));
    for (const bool activeIsFifo : {false, true}) {
        if (activeIsFifo) fifo(store + "activevok");
        else SelectAtStart(store, "vok_hostile");
        const VokRun run = RunProgram("/usr/bin/timeout", {"-s", "KILL", "60", BuildDir() + "/vok", "--store", store,
            "--max-frames", std::to_string(script.frame + 5), "--script", dir / "script.txt"}, BuildDir());
        EXPECT_EQ(run.status, 0) << run.err;
    }
    uint32_t rgb = 0;
    for (int i = 0; i < 6; ++i) { // every game screen drawn (5: the recounted player's): its grid frame
        ASSERT_TRUE(BmpPixel(dir / ("game" + std::to_string(i) + ".bmp"), 33, 100, &rgb)) << i;
        EXPECT_TRUE(Near(rgb, 0xFFC78C)) << i;
    }
    EXPECT_TRUE(FileExists(dir / "home.bmp"));
}

// The guided tour leaves one PNG per step of every screen in the build tree, for a person.
TEST_F(EndToEnd, GuidedTour)
{
    const std::string pictures = BuildDir() + "/pictures/tour";
    VokRun tour = RunProgram("/bin/bash", {SourceDir() + "/tools/tour.sh", "--no-build", BuildDir(), pictures}, BuildDir());
    ASSERT_EQ(tour.status, 0) << tour.out << tour.err;
    std::string names;
    for (const auto& entry : fs::directory_iterator(pictures))
        if (entry.is_regular_file() && ReadFile(entry.path()).substr(0, 8) == "\x89PNG\r\n\x1a\n")
            names += entry.path().filename().string() + "\n";
    EXPECT_GE(std::count(names.begin(), names.end(), '\n'), 15);
    for (const char* step : {"-home-menu.png", "-editor-typing.png", "-game-menu.png", "-notice-goodbye.png"})
        EXPECT_NE(names.find(step), std::string::npos) << step;
}

// Memory limited from 40 to 120 MiB, every MiB up to the handheld's 64: on a card whose games
// carry valid 1024 x 1024 icons, a run through home, a snapshot, a game, a snapshot and the
// goodbye never ends by a signal (an uncaught std::bad_alloc aborts, and so does a thread that
// cannot end): without memory a step fails and the run goes on.
TEST_F(EndToEnd, MemoryRunningOutNeverAborts)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than any limit here";
#endif
    if (!Emulator().empty()) GTEST_SKIP() << "the emulator's own memory would count against the limit";
    TempDir dir;
    const std::string store = DemoCard(dir);
    const RgbImage big(1024, 1024, 0x3366CC);
    for (const std::string& player : PlayerOrder(store))
        for (const std::string& game : GameOrder(store, player)) {
            ASSERT_TRUE(WriteBmp24(store + player + "/" + game + "/vok.icon", big));
            ASSERT_TRUE(WriteBmp24(store + player + "/" + game + "/001", big));
        }
    Script script;
    script.Press("menu").Press("b", 8).Press("b").Press("b", 4).Press("menu").Press("b", 8).Press("b").Press("menu");
    script.Press("down").Press("down").Press("b").Press("b");
    const std::string input = dir / "input.txt";
    WriteFile(input, script.text);
    for (long mebibytes = 40; mebibytes <= 120; mebibytes += mebibytes < 64 ? 1 : 7) { // below 40 MiB vok cannot even load
        pid_t pid = fork();
        if (pid == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            if (chdir(BuildDir().c_str()) != 0) _exit(126);
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            const rlimit limit = {rlim_t(mebibytes) << 20, rlim_t(mebibytes) << 20};
            setrlimit(RLIMIT_AS, &limit);
            const std::string vok = BuildDir() + "/vok", frames = std::to_string(script.frame + 10);
            execl(vok.c_str(), vok.c_str(), "--store", store.c_str(), "--script", input.c_str(), "--max-frames",
                  frames.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_FALSE(WIFSIGNALED(status)) << mebibytes << " MiB: signal " << WTERMSIG(status);
        if (WIFEXITED(status)) {
            EXPECT_EQ(WEXITSTATUS(status), 0) << mebibytes << " MiB";
        }
    }
}

// A player folder that is a link to a folder outside the card holding a profile file and an
// "update" marker, named by activevok: vok starts on a real player instead, switches players,
// saves a profile and ends; the outside folder stays byte for byte, and the link is no player.
TEST_F(EndToEnd, LinkedPlayerFolderNeverWrittenThrough)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    const std::string outside = dir / "outside";
    MakeDir(outside + "/g");
    WriteFile(outside + "/vok.cfg", "name=Out\r\nlang=English\r\n");
    WriteFile(outside + "/update", "");
    WriteFile(outside + "/g/vok.dat", std::string(16, '\1'));
    const FileTree before = ReadTree(outside);
    ASSERT_EQ(symlink(outside.c_str(), (store + "vok_out").c_str()), 0);
    WriteFile(store + "activevok", "vok_out");
    Script script;
    script.Press("right").Press("left").Press("left").Press("x").Press("x").Press("menu").Press("down", 1).Press("down").Press("b").Press("b");
    script.Play(store);
    EXPECT_EQ(ReadTree(outside), before);
    EXPECT_NE(ReadFile(store + "activevok"), "vok_out");
}
