// The caches change no pixel: the guided tour of tools/tour.sh replayed in this process's
// children, once with every cache off (texts rendered anew, colour keys blitted unencoded)
// and once with them on, gives the same pictures byte for byte, and the same as the real
// program's tour. Nor does drawing only the frames in which something changed: the tour, and a
// script that rests between its presses, give every picture the same as drawing every frame.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "frame/main_loop.h"
#include "frame/state.h"
#include "graphics/draw.h"
#include "platform/device.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The tour's script with its pictures saved into `shots` instead of the tour's folder.
std::string Redirected(std::string script, const std::string& tourFolder, const std::string& shots)
{
    for (size_t at = script.find(tourFolder + "/"); at != std::string::npos; at = script.find(tourFolder + "/", at))
        script.replace(at, tourFolder.size(), shots), at += shots.size();
    return script;
}

// Runs vok in a child of this process on a fresh demo card in `folder`, caches on or off,
// drawing every frame or only those in which something changed; the exit status.
int ReplayInChild(const std::string& folder, const std::string& script, bool caches, bool onlyWhenChanged = true,
                  const std::string& frames = "2000")
{
    MakeDir(folder + "/shots");
    if (RunProgram(BuildDir() + "/tools/make_demo_card", {folder + "/card"}, BuildDir()).status != 0) return -1;
    WriteFile(folder + "/script.txt", script);
    const pid_t child = fork();
    if (child == 0) {
        DrawingCaches = caches;
        DrawOnlyWhenChanged = onlyWhenChanged;
        std::string args[] = {"vok", "--store", folder + "/card/", "--script", folder + "/script.txt",
                              "--max-frames", frames};
        char* argv[7];
        for (int i = 0; i < 7; ++i) argv[i] = args[i].data();
        _exit(RunVok(7, argv));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Pictures(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Replays `script` drawing every frame and drawing only when something changed; expects at
// least `least` pictures, each the same both ways.
void ExpectSamePicturesWhenDrawingOnlyChanges(const TempDir& dir, const std::string& script,
                                              const std::string& shotsMark, size_t least, const std::string& frames)
{
    std::string every = script, changed = script;
    for (size_t at = every.find(shotsMark); at != std::string::npos; at = every.find(shotsMark, at))
        every.replace(at, shotsMark.size(), dir / "every/shots"), at += 1;
    for (size_t at = changed.find(shotsMark); at != std::string::npos; at = changed.find(shotsMark, at))
        changed.replace(at, shotsMark.size(), dir / "changed/shots"), at += 1;
    ASSERT_EQ(ReplayInChild(dir / "every", every, true, false, frames), 0);
    ASSERT_EQ(ReplayInChild(dir / "changed", changed, true, true, frames), 0);
    const std::vector<std::string> names = Pictures(dir / "every/shots", ".bmp");
    ASSERT_EQ(names, Pictures(dir / "changed/shots", ".bmp"));
    EXPECT_GE(names.size(), least);
    for (const std::string& name : names)
        EXPECT_TRUE(ReadFile(dir / ("every/shots/" + name)) == ReadFile(dir / ("changed/shots/" + name))) << name;
}

} // namespace

TEST(Identity, TourPicturesAreTheSameWithAndWithoutCaches)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
    TempDir dir;
    const std::string tour = dir / "tour";
    VokRun run = RunProgram("/bin/bash", {SourceDir() + "/tools/tour.sh", "--no-build", BuildDir(), tour}, BuildDir());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::string script = ReadFile(tour + "/tour-script.txt");
    ASSERT_EQ(ReplayInChild(dir / "off", Redirected(script, tour, dir / "off/shots"), false), 0);
    ASSERT_EQ(ReplayInChild(dir / "on", Redirected(script, tour, dir / "on/shots"), true), 0);
    const std::vector<std::string> names = Pictures(dir / "off/shots", ".bmp");
    ASSERT_EQ(names, Pictures(dir / "on/shots", ".bmp"));
    EXPECT_GE(names.size(), 15u);
    for (const std::string& name : names)
        EXPECT_TRUE(ReadFile(dir / ("off/shots/" + name)) == ReadFile(dir / ("on/shots/" + name))) << name;
    // The real program's tour saved the same pictures.
    std::vector<std::string> bmps;
    for (const std::string& name : names) bmps.push_back(dir / ("on/shots/" + name));
    ASSERT_EQ(RunProgram(BuildDir() + "/tools/bmp_to_png", bmps, dir.path()).status, 0);
    const std::vector<std::string> pngs = Pictures(dir / "on/shots", ".png");
    ASSERT_EQ(pngs, Pictures(tour, ".png"));
    for (const std::string& png : pngs)
        EXPECT_TRUE(ReadFile(dir / ("on/shots/" + png)) == ReadFile(tour + "/" + png)) << png;
}

TEST(Identity, TourPicturesAreTheSameDrawingOnlyWhenSomethingChanged)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
    TempDir dir;
    const std::string tour = dir / "tour";
    VokRun run = RunProgram("/bin/bash", {SourceDir() + "/tools/tour.sh", "--no-build", BuildDir(), tour}, BuildDir());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    ExpectSamePicturesWhenDrawingOnlyChanges(dir, ReadFile(tour + "/tour-script.txt"), tour, 15, "2000");
}

// Presses with rests between them, pictures taken while resting and through every frame of
// what changes without a press: the neighbours' icons read ahead, a player switched, the grid
// cursor, the menu, a snapshot's countdown and its notice, the editor's bar gliding, the
// keyboard sliding in and out, a key's flash ending, a refused save's notice.
TEST(Identity, RestingScriptPicturesAreTheSameDrawingOnlyWhenSomethingChanged)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
    TempDir dir;
    const std::string shots = "@SHOTS@";
    std::multimap<int, std::string> lines; // by frame, as the script must be
    auto shot = [&](int frame) { lines.emplace(frame, " screenshot " + shots + "/" + std::to_string(100000 + frame) + ".bmp"); };
    auto press = [&](int frame, const std::string& button) { lines.emplace(frame, " button " + button); };
    auto every = [&](int from, int to) { for (int f = from; f <= to; ++f) shot(f); };
    every(1, 25);
    press(40, "right"), every(40, 60);
    press(80, "b"), shot(80), shot(81), shot(100);
    press(110, "right"), shot(110), shot(130);
    press(140, "down"), shot(160);
    press(170, "menu"), shot(170), shot(190);
    press(200, "b"), every(200, 215), shot(240);           // the game's snapshot and its notice
    press(250, "up"), shot(250), shot(270);                 // the notice takes the press
    press(280, "y"), shot(280), shot(281), shot(300);       // home again
    press(310, "menu"), press(320, "b"), every(320, 335), shot(360); // the card's snapshot
    press(370, "left"), shot(390);
    press(400, "x"), every(400, 405), shot(430);            // the editor
    press(440, "down"), press(441, "down"), press(442, "down"), every(440, 455), shot(480);
    press(490, "y"), shot(510);
    press(520, "y"), every(520, 545), shot(570);            // a new player: the editor
    press(575, "up"), press(576, "up"), press(577, "up"), press(578, "up"); // onto the name
    press(580, "right"), every(580, 600), shot(630);        // the keyboard slides in
    press(640, "x"), every(640, 652), shot(680);            // a key typed, its flash
    press(690, "right"), press(691, "x"), every(691, 703);
    press(720, "y"), every(720, 740), shot(770);            // leaves, the keyboard sliding out
    std::string script;
    for (const auto& [frame, line] : lines) script += std::to_string(frame) + line + "\n";
    ExpectSamePicturesWhenDrawingOnlyChanges(dir, script, shots, 200, "780");
}

// The grid cursor walked a cell a frame redraws only its cells and the panel: every frame of the
// walk, along rows and columns, against the edges, by touch, across a switch of game and a menu
// opened and closed, gives the same picture as drawing every frame whole.
TEST(Identity, CursorWalkPicturesAreTheSameDrawingOnlyWhenSomethingChanged)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
    TempDir dir;
    const std::string shots = "@SHOTS@";
    std::string script = "10 button b\n";
    int frame = 30;
    auto press = [&](const std::string& button, int times) {
        for (int i = 0; i < times; ++i) script += std::to_string(frame++) + " button " + button + "\n";
    };
    press("right", 11), press("down", 5), press("left", 11), press("up", 2);
    script += std::to_string(frame++) + " touch 160 100\n";
    press("right", 2), press("r", 1), press("down", 2), press("right", 3);
    press("menu", 1), press("down", 1), press("menu", 1), press("left", 2), press("l", 1), press("right", 2);
    const int last = frame + 3;
    for (int f = 29; f <= last; ++f) script += std::to_string(f) + " screenshot " + shots + "/" + std::to_string(100 + f) + ".bmp\n";
    std::string ordered; // the script's lines by frame
    std::multimap<int, std::string> lines;
    for (size_t at = 0, end; at < script.size(); at = end + 1) {
        end = script.find('\n', at);
        const std::string line = script.substr(at, end - at);
        lines.emplace(std::stoi(line), line);
    }
    for (const auto& [f, line] : lines) ordered += line + "\n";
    ExpectSamePicturesWhenDrawingOnlyChanges(dir, ordered, shots, size_t(last - 28), std::to_string(last + 1));
}
