// Whole runs of the real vok binary, headless, each on a store in a temporary folder: how it
// starts, ends and hands over, what bad command lines get, and the installed command.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "platform/device.h"
#include "tests/support/screens_support.h"

// The player at exit is remembered, also when the launcher then fails (status 1); the launcher
// starts from its own folder with its full path as argument zero, even given relative.
TEST(Program, HandsOverToTheLauncher)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick";
    TempDir dir;
    MakeDir(dir / "menu");
    const std::string launcher = dir / "menu/launch.sh", seen = dir / "seen.txt";
    WriteFile(launcher, "#!/bin/sh\npwd > '" + seen + "'\necho \"$0\" >> '" + seen + "'\n");
    chmod(launcher.c_str(), 0755);
    WritePlayer(dir.store(), {"vok_ana", "Ana"});
    const std::string relative = std::filesystem::relative(launcher, BuildDir()).string();
    const struct { std::string launcher, argv0; int status; } runs[] = {
        {launcher, launcher, 0}, {relative, BuildDir() + "/" + relative, 0}, {dir / "menu/missing", "", 1}};
    for (const auto& r : runs) {
        std::remove(seen.c_str());
        std::remove((dir / "activevok").c_str());
        const VokRun run = RunVok({"--store", dir.path(), "--launcher", r.launcher, "--max-frames", "2"});
        EXPECT_EQ(run.status, r.status);
        EXPECT_EQ(ReadFile(seen), r.argv0.empty() ? "" : dir / "menu\n" + r.argv0 + "\n") << r.launcher;
        EXPECT_EQ(ReadFile(dir / "activevok"), "vok_ana") << r.launcher;
    }
}

// Bad command lines and scripts stop before SDL starts: status 2, one line naming the problem, no
// store made; --help is no error.
TEST(Program, BadOptionsAndScriptsEndWithStatus2)
{
    TempDir dir;
    WriteFile(dir / "bad.txt", "# ok\n1 button b\n2 button jump\n");
    const struct { std::vector<std::string> args; std::string err; } table[] = {
        {{"--frobnicate"}, "vok: unknown option --frobnicate\n"},
        {{"--script", dir / "none.txt"}, "vok: cannot read the script " + (dir / "none.txt") + "\n"},
        {{"--script", dir / "bad.txt"}, "vok: " + (dir / "bad.txt") + ": line 3: unknown button \"jump\"\n"},
    };
    for (const auto& c : table) {
        std::vector<std::string> args = {"--store", dir / "card"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const VokRun run = RunVok(args);
        EXPECT_TRUE(run.status == 2 && run.err == c.err && !FileExists(dir / "card")) << run.status << " " << run.err;
    }
    const VokRun help = RunVok({"--help"});
    EXPECT_TRUE(help.status == 0 && help.out.find("--max-frames") != std::string::npos);
}

// The installed command, run elsewhere, zoomed, without sound: it finds media and languages, takes
// paths from the caller's folder, saves the screenshot the unzoomed build-tree run saves, ends
// silent with status 0, writes no active player without one. The handheld build (not installed)
// without joystick or script ends at once, making nothing.
TEST(Program, InstalledCommandRunsAndEnds)
{
    TempDir dir;
    const std::vector<std::string> install = {"--install", BuildDir(), "--prefix", dir / "prefix"};
    if (!HandheldBuild) {
        ASSERT_EQ(RunProgram(VOK_CMAKE_COMMAND, install, BuildDir()).status, 0);
    }
    MakeDir(dir / "caller");
    WriteFile(dir / "caller/shots.txt", "2 screenshot shot.bmp\n");
    const std::string vok = HandheldBuild ? BuildDir() + "/vok" : dir / "prefix/bin/vok";
    std::vector<std::string> args = {"SDL_AUDIODRIVER=nosuch", vok, "--store", "card", "--zoom", "3", "--max-frames", "3"};
    if (!HandheldBuild) args.insert(args.end(), {"--script", "shots.txt"}); // a script stands in for the buttons
    const VokRun run = RunProgram("/usr/bin/env", args, dir / "caller");
    EXPECT_TRUE(run.status == 0 && run.err.empty()) << run.err;
    EXPECT_EQ(FileExists(dir / "caller/card"), !HandheldBuild);
    EXPECT_EQ(FileExists(dir / "caller/shot.bmp"), !HandheldBuild);
    EXPECT_FALSE(FileExists(dir / "caller/card/activevok"));
    RunVok({"--store", dir / "caller/card", "--max-frames", "3"}, "2 screenshot " + (dir / "ref.bmp") + "\n");
    ASSERT_TRUE(FileExists(dir / "ref.bmp"));
    EXPECT_TRUE(HandheldBuild || ReadFile(dir / "caller/shot.bmp") == ReadFile(dir / "ref.bmp"));
}

// One screen handler a frame: the frame of a press that changes the screen still shows the
// screen it was pressed on, the next frame the new one.
TEST(Program, AScreenChangeShowsFromTheNextFrame)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick";
    TempDir dir;
    WritePlayer(dir.store(), {"vok_ana", "Ana"});
    RunOnCard(dir.store(), "1 screenshot " + (dir / "home.bmp") + "\n", 1);
    const std::string script = "1 button x\n1 screenshot " + (dir / "pressed.bmp") + "\n2 screenshot " +
                               (dir / "next.bmp") + "\n";
    EXPECT_EQ(RunOnCard(dir.store(), script, 2).status, 0);
    ASSERT_FALSE(ReadFile(dir / "home.bmp").empty());
    EXPECT_EQ(ReadFile(dir / "pressed.bmp"), ReadFile(dir / "home.bmp"));
    EXPECT_NE(ReadFile(dir / "next.bmp"), ReadFile(dir / "home.bmp"));
}

// What changes without a press is still shown: the snapshot's countdown runs on to the file and
// its notice, the keyboard slides in to rest and a typed key's flash ends, while no button is
// pressed; each picture taken at rest is the one drawing every frame gives and, where the press
// only started the change, not the picture of the press.
TEST(Program, ChangesWithoutAPressAreDrawn)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick";
    TempDir dir;
    WritePlayer(dir.store(), {"vok_ana", "Ana"});
    const struct { std::string presses; int pressed, rest; } cases[] = {
        {"9 button menu\n12 button b\n", 10, 40},                    // the menu, then the snapshot's notice
        {"10 button y\n12 button right\n", 12, 40},                 // the keyboard sliding in
        {"10 button y\n12 button right\n40 button x\n", 41, 70},    // a key's flash ending
    };
    for (const auto& c : cases) {
        std::string shots[2];
        for (int every = 0; every < 2; ++every) {
            const std::string prefix = dir / (std::to_string(every) + "-");
            std::vector<std::string> lines; // in frame order, as a script must be
            std::istringstream presses(c.presses);
            for (std::string line; std::getline(presses, line);) lines.push_back(line);
            lines.push_back(std::to_string(c.pressed) + " screenshot " + prefix + "pressed.bmp");
            lines.push_back(std::to_string(c.rest) + " screenshot " + prefix + "rest.bmp");
            std::stable_sort(lines.begin(), lines.end(),
                             [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); });
            std::string script;
            for (const std::string& line : lines) script += line + "\n";
            std::vector<std::string> extra;
            if (every) extra.push_back("--draw-every-frame");
            ASSERT_EQ(RunOnCard(dir.store(), script, c.rest, extra).status, 0) << c.presses;
            shots[every] = ReadFile(prefix + "rest.bmp");
            EXPECT_TRUE(shots[every] != ReadFile(prefix + "pressed.bmp")) << c.presses;
        }
        EXPECT_FALSE(shots[0].empty());
        EXPECT_TRUE(shots[0] == shots[1]) << c.presses;
    }
    EXPECT_TRUE(FileExists(dir / "vok_ana.bmp")); // the snapshot was saved, unpressed
}

// A program or emulator named without a path is found through PATH, as CTest finds it; a
// path is taken as it is.
TEST(Program, ARunnerFindsABareNameThroughPath)
{
    EXPECT_EQ(RunProgram("sh", {"-c", "exit 3"}, BuildDir()).status, 3);
    EXPECT_EQ(ResolveProgram("./sh"), "./sh");
    EXPECT_EQ(ResolveProgram("vok-no-such-program"), "vok-no-such-program");
    EXPECT_EQ(RunProgram("vok-no-such-program", {}, BuildDir()).status, 127);
}
