// Whole runs of the real program, headless, as a player goes through it, each on its own fresh
// demo card: the files on the card are checked byte for byte where their format is fixed and
// the screen where it shows the result. Also the guided tour of tools/tour.sh.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
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
    VokRun made = RunProgram(BuildDir() + "/tools/make_demo_card", {dir / "card"}, BuildDir());
    EXPECT_EQ(made.status, 0) << made.err;
    return dir / "card/";
}

// An input script built step by step. A press is queued at the current frame and the next step
// comes `wait` frames later, when a change of screen has taken effect; a picture is saved after
// the current frame is shown.
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
        text += std::to_string(frame) + " screenshot " + file + "\n";
        frame += 1;
        return *this;
    }
    // Menu, up to its last item (exit), then a press on the goodbye notice ends the run.
    Script& Leave() { return Press("menu").Press("up").Press("b").Press("b"); }
};

VokRun Play(const std::string& store, const Script& script) { return RunOnCard(store, script.text, script.frame + 10); }

std::string ProfileValue(const std::string& store, const std::string& player, const std::string& key)
{
    std::string text = ReadFile(store + player + "/vok.cfg");
    size_t at = text.find(key + "=");
    if (at == std::string::npos) return "";
    return text.substr(at + key.size() + 1, text.find('\r', at) - at - key.size() - 1);
}

// The player selected at start: the one "activevok" names, else the last one listed.
size_t ActivePlayer(const std::string& store, const std::vector<std::string>& players)
{
    std::string active = ReadFile(store + "activevok");
    for (size_t i = 0; i < players.size(); ++i)
        if (players[i] == active) return i;
    return players.size() - 1;
}

int32_t LittleInt32(const std::string& bytes, size_t offset)
{
    if (offset + 4 > bytes.size()) return 0;
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[offset + i]);
    return int32_t(value);
}

std::string Int32Bytes(uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += char(value >> (8 * i) & 0xFF);
    return bytes;
}

struct Ranked {
    int32_t score;
    std::string game;
};
void Insert(std::vector<Ranked>* list, const Ranked& entry)
{
    auto at = list->begin();
    while (at != list->end() && at->score >= entry.score) ++at;
    list->insert(at, entry);
}

// What the player's totals file and ranking file must hold, worked out here from the games'
// summaries in directory order: the sums, then the favourites by score and the completed games
// newest first (equal keys keep the directory's order).
void ExpectedCache(const std::string& store, const std::string& player, std::string* totals, std::string* ranking)
{
    uint32_t sums[4] = {0, 0, 0, 0};
    std::vector<Ranked> favourites, completed;
    const std::string dir = store + player + "/";
    DIR* folder = opendir(dir.c_str());
    for (dirent* entry; folder && (entry = readdir(folder));) {
        const std::string name = entry->d_name;
        std::string summary;
        if (!fs::is_regular_file(dir + name + "/vok.summary")) continue;
        summary = ReadFile(dir + name + "/vok.summary");
        for (int i = 0; i < 4; ++i) sums[i] += uint32_t(LittleInt32(summary, 4 * i));
        Insert(&favourites, {LittleInt32(summary, 16), name});
        struct stat dat;
        int32_t finished = stat((dir + name + "/vok.dat").c_str(), &dat) == 0 ? int32_t(dat.st_mtime) : 0;
        if (LittleInt32(summary, 0) == LittleInt32(summary, 4)) Insert(&completed, {finished, name});
    }
    if (folder) closedir(folder);
    totals->clear();
    for (uint32_t sum : sums) *totals += Int32Bytes(sum);
    ranking->clear();
    for (size_t i = 0; i < favourites.size() && i < 5; ++i)
        *ranking += "fav" + std::to_string(i + 1) + "=" + favourites[i].game + "\r\n";
    for (size_t i = 0; i < completed.size() && i < 5; ++i)
        *ranking += "cmp" + std::to_string(i + 1) + "=" + completed[i].game + "\r\n";
}

RgbImage Picture(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmpPixels(path, &image)) << path;
    return image;
}

// Every file under `root` with its bytes, by path below it.
std::map<std::string, std::string> CardFiles(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadFile(entry.path());
    return files;
}

// The handheld build ends at once without its buttons: these runs are the desktop's.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick";
    }
};

} // namespace

// The road of one press: B opens the selected player's first game, the menu's second item and
// its confirmation remove the shown game, the next one is loaded, and after the last one the home
// screen is back. The removed folders are gone, the totals and the ranking count nothing of them,
// and the home screen shows what a fresh start on the card shows.
TEST_F(EndToEnd, RemovingEveryGameLeadsBackHome)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    const std::vector<std::string> players = PlayerOrder(store);
    ASSERT_FALSE(players.empty());
    const std::string player = players[ActivePlayer(store, players)];
    const std::vector<std::string> games = GameOrder(store, player);
    ASSERT_GE(games.size(), 2u);

    Script script;
    script.Shot(dir / "home.bmp").Press("b").Shot(dir / "game.bmp");
    for (size_t i = 0; i < games.size(); ++i) {
        // The confirmation opens on its second line ("cancel"): up, then B removes.
        script.Press("menu").Press("down").Press("b").Press("up").Press("b");
        if (i == 0) script.Shot(dir / "next-game.bmp");
    }
    script.Shot(dir / "home-after.bmp");
    ASSERT_EQ(Play(store, script).status, 0);

    for (const std::string& game : games) EXPECT_FALSE(FileExists(store + player + "/" + game)) << game;
    std::string totals, ranking;
    ExpectedCache(store, player, &totals, &ranking);
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), totals);
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), ranking);
    EXPECT_FALSE(FileExists(store + player + "/update"));

    // The game screen's frames around the grid and the panel, where the home screen has its card.
    uint32_t pixel = 0;
    ASSERT_TRUE(BmpPixel(dir / "game.bmp", 284, 212, &pixel));
    EXPECT_TRUE(Near(pixel, 255, 199, 140));
    ASSERT_TRUE(BmpPixel(dir / "next-game.bmp", 284, 212, &pixel));
    EXPECT_TRUE(Near(pixel, 255, 199, 140));
    EXPECT_FALSE(Picture(dir / "game.bmp").pixels == Picture(dir / "next-game.bmp").pixels);
    Script look;
    look.Shot(dir / "restart.bmp");
    ASSERT_EQ(Play(store, look).status, 0);
    EXPECT_TRUE(Picture(dir / "home-after.bmp").pixels == Picture(dir / "restart.bmp").pixels);
    EXPECT_FALSE(Picture(dir / "home-after.bmp").pixels == Picture(dir / "home.bmp").pixels);
}

// A game's "update" marker: the start recomputes the player's totals and rankings, writes both
// files, removes the marker and shows the new values (as the next start, from the files, does).
// Without the marker the stale files are what the card shows.
TEST_F(EndToEnd, UpdateMarkerRecomputesAtStart)
{
    TempDir dir, other;
    const std::string store = DemoCard(dir), unmarked = DemoCard(other);
    std::string player;
    for (const std::string& p : PlayerOrder(store))
        if (FileExists(store + p + "/update")) player = p;
    ASSERT_NE(player, "") << "the demo card has a player with an update marker";
    const std::string stale = std::string(16, '\0');
    for (const std::string& card : {store, unmarked}) {
        SelectAtStart(card, player);
        WriteFile(card + player + "/vok.erience", stale);
        WriteFile(card + player + "/vok.ranking", "");
    }
    std::remove((unmarked + player + "/update").c_str());
    std::string totals, ranking;
    ExpectedCache(store, player, &totals, &ranking);
    ASSERT_NE(totals, stale);

    Script first, second, third;
    ASSERT_EQ(Play(store, first.Shot(dir / "marked.bmp")).status, 0);
    EXPECT_FALSE(FileExists(store + player + "/update"));
    EXPECT_EQ(ReadFile(store + player + "/vok.erience"), totals);
    EXPECT_EQ(ReadFile(store + player + "/vok.ranking"), ranking);
    ASSERT_EQ(Play(store, second.Shot(dir / "next-start.bmp")).status, 0);
    ASSERT_EQ(Play(unmarked, third.Shot(dir / "unmarked.bmp")).status, 0);
    EXPECT_EQ(ReadFile(unmarked + player + "/vok.erience"), stale);
    EXPECT_TRUE(Picture(dir / "marked.bmp").pixels == Picture(dir / "next-start.bmp").pixels);
    EXPECT_FALSE(Picture(dir / "marked.bmp").pixels == Picture(dir / "unmarked.bmp").pixels);
}

// Leaving with another player selected writes exactly that player's folder name; the next start
// shows that player's card in that player's language.
TEST_F(EndToEnd, RestartRestoresPlayerAndLanguage)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    const std::vector<std::string> players = PlayerOrder(store);
    const size_t active = ActivePlayer(store, players);
    size_t steps = 1;
    while (steps < players.size() &&
           (ProfileValue(store, players[(active + steps) % players.size()], "lang") == "English" ||
            ProfileValue(store, players[(active + steps) % players.size()], "lang") ==
                ProfileValue(store, players[active], "lang")))
        ++steps;
    ASSERT_LT(steps, players.size()) << "the demo card has a player in another language than English";
    const std::string chosen = players[(active + steps) % players.size()];

    Script script;
    script.Shot(dir / "start.bmp");
    for (size_t i = 0; i < steps; ++i) script.Press("right");
    script.Shot(dir / "chosen.bmp").Leave();
    VokRun run = Play(store, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(store + "activevok"), chosen);

    Script again;
    ASSERT_EQ(Play(store, again.Shot(dir / "restart.bmp")).status, 0);
    EXPECT_TRUE(Picture(dir / "restart.bmp").pixels == Picture(dir / "chosen.bmp").pixels);
    EXPECT_FALSE(Picture(dir / "restart.bmp").pixels == Picture(dir / "start.bmp").pixels);
}

// The snapshot of each screen is saved on the card under the player's (and game's) name: the
// screen's content as shown, without the menu, the notice or the button hints.
TEST_F(EndToEnd, SnapshotsOfHomeAndGameScreens)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    const std::vector<std::string> players = PlayerOrder(store);
    const std::string player = players[ActivePlayer(store, players)];
    const std::vector<std::string> games = GameOrder(store, player);
    ASSERT_FALSE(games.empty());

    Script script;
    script.Shot(dir / "home.bmp").Press("menu").Press("b", 4).Press("x");
    script.Press("b").Shot(dir / "game.bmp").Press("menu").Press("b", 4).Press("x");
    ASSERT_EQ(Play(store, script).status, 0);

    const RgbImage background = Picture(BuildDir() + "/media/background.bmp");
    const std::pair<std::string, std::string> screens[] = {
        {store + player + ".bmp", dir / "home.bmp"},
        {store + player + "_" + games[0] + ".bmp", dir / "game.bmp"}};
    for (const auto& [snapshot, shown] : screens) {
        int width = 0, height = 0;
        ASSERT_TRUE(BmpSize(snapshot, &width, &height)) << snapshot;
        EXPECT_EQ(width, 320);
        EXPECT_EQ(height, 240);
        const RgbImage saved = Picture(snapshot), screen = Picture(shown);
        int differentContent = 0, hintsOrNotice = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                if (y < 215) differentContent += saved.at(x, y) != screen.at(x, y);
                else hintsOrNotice += !Near(saved.at(x, y), int(background.at(x, y) >> 16),
                                            int(background.at(x, y) >> 8 & 0xFF), int(background.at(x, y) & 0xFF));
            }
        EXPECT_EQ(differentContent, 0) << snapshot;
        EXPECT_EQ(hintsOrNotice, 0) << snapshot;
    }
}

// Removing the selected player from the home menu: the folder goes with everything in it, the
// last player listed is selected (and written at exit), and nothing else on the card changes.
TEST_F(EndToEnd, RemovingAPlayerFromTheHomeMenu)
{
    TempDir dir;
    const std::string store = DemoCard(dir);
    const std::vector<std::string> players = PlayerOrder(store);
    ASSERT_GE(players.size(), 3u);
    const std::string removed = players[ActivePlayer(store, players)];
    std::map<std::string, std::string> before = CardFiles(store);

    Script script;
    script.Shot(dir / "before.bmp").Press("menu").Press("down").Press("b").Press("up").Press("b");
    script.Shot(dir / "after.bmp");
    ASSERT_EQ(Play(store, script).status, 0);

    EXPECT_FALSE(FileExists(store + removed));
    const std::vector<std::string> left = PlayerOrder(store);
    ASSERT_EQ(left.size(), players.size() - 1);
    EXPECT_EQ(ReadFile(store + "activevok"), left.back());
    std::map<std::string, std::string> after = CardFiles(store);
    for (auto it = before.begin(); it != before.end();)
        it = it->first.compare(0, removed.size() + 1, removed + "/") == 0 || it->first == "activevok" ? before.erase(it)
                                                                                                       : std::next(it);
    after.erase("activevok");
    EXPECT_TRUE(before == after);
    EXPECT_FALSE(Picture(dir / "before.bmp").pixels == Picture(dir / "after.bmp").pixels);
}

// The guided tour runs through every screen on a fresh demo card and leaves one PNG per step.
TEST_F(EndToEnd, GuidedTour)
{
    TempDir dir;
    VokRun tour = RunProgram("/bin/bash", {SourceDir() + "/tools/tour.sh", "--no-build", BuildDir(), dir / "tour"},
                             BuildDir());
    ASSERT_EQ(tour.status, 0) << tour.out << tour.err;
    EXPECT_NE(tour.out.find(dir / "tour"), std::string::npos) << tour.out;
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(dir / "tour")) {
        if (entry.path().extension() != ".png") continue;
        ++pictures;
        EXPECT_EQ(ReadFile(entry.path()).substr(0, 8), "\x89PNG\r\n\x1a\n") << entry.path();
    }
    EXPECT_GE(pictures, 15);
    for (const char* step : {"-home-menu.png", "-editor-typing.png", "-game-hidden-achievement.png",
                             "-game-next-with-R.png", "-game-menu.png", "-notice-goodbye.png"}) {
        bool found = false;
        for (const auto& entry : fs::directory_iterator(dir / "tour"))
            found = found || entry.path().filename().string().find(step) != std::string::npos;
        EXPECT_TRUE(found) << step;
    }
}
