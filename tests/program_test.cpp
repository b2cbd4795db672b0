// Whole runs of the real vok binary, headless, each on a store in a temporary folder: how it
// starts, ends and hands over, what bad command lines get, and the installed command.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/device.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

bool IsScreenSizedBmp(const std::string& path)
{
    int w = 0, h = 0;
    return BmpSize(path, &w, &h) && w == 320 && h == 240;
}

} // namespace

// A plain run, zoomed, without a sound device: the store is made when missing, the screenshot
// is 320 x 240 whatever the zoom, the run ends with status 0 after --max-frames, silent, and
// with no player on the card no active-profile file is written. Without a joystick the
// handheld build ends at once with status 0, before anything is drawn or made.
TEST(Program, RunsAndEndsAfterMaxFrames)
{
    TempDir dir;
    WriteFile(dir / "script.txt", "2 screenshot " + (dir / "shot.bmp") + "\n");
    VokRun run = RunProgram("/usr/bin/env", {"SDL_AUDIODRIVER=nosuch", BuildDir() + "/vok", "--store", dir / "card",
                                             "--zoom", "3", "-scanlines", "--max-frames", "3", "--script",
                                             dir / "script.txt"}, BuildDir());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(FileExists(dir / "card"), !HandheldBuild);
    EXPECT_EQ(IsScreenSizedBmp(dir / "shot.bmp"), !HandheldBuild);
    EXPECT_FALSE(FileExists(dir / "card/activevok"));
}

// The player on the card at exit is remembered, also when the launcher then fails (status 1);
// the launcher is started from its own folder with its full path as argument zero, even
// when it was given relative to the caller's folder.
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
        EXPECT_EQ(RunVok({"--store", dir.path(), "--launcher", r.launcher, "--max-frames", "2"}).status, r.status);
        EXPECT_EQ(ReadFile(seen), r.argv0.empty() ? "" : dir / "menu\n" + r.argv0 + "\n") << r.launcher;
        EXPECT_EQ(ReadFile(dir / "activevok"), "vok_ana") << r.launcher;
    }
    chmod(launcher.c_str(), 0644);
    EXPECT_EQ(RunVok({"--store", dir.path(), "--launcher", launcher, "--max-frames", "2"}).status, 1);
}

// Bad command lines and scripts stop before SDL starts: status 2, one line naming the problem,
// no store made; --help is no error.
TEST(Program, BadOptionsAndScriptsEndWithStatus2)
{
    TempDir dir;
    WriteFile(dir / "bad.txt", "# ok\n1 button b\n2 button jump\n");
    const struct { std::vector<std::string> args; std::string err; } table[] = {
        {{"--frobnicate"}, "vok: unknown option --frobnicate\n"},
        {{"--max-frames", "soon"}, "vok: --max-frames needs a whole number from 1, not \"soon\"\n"},
        {{"--script", dir / "none.txt"}, "vok: cannot read the script " + (dir / "none.txt") + "\n"},
        {{"--script", dir / "bad.txt"}, "vok: " + (dir / "bad.txt") + ": line 3: unknown button \"jump\"\n"},
    };
    for (const auto& c : table) {
        std::vector<std::string> args = {"--store", dir / "card"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        VokRun run = RunVok(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(FileExists(dir / "card"));
    }
    VokRun help = RunVok({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--max-frames"), std::string::npos);
}

// The installed command runs from any folder, finds its media and languages (its picture is
// the build tree's), and takes relative paths from the caller's folder.
TEST(Program, InstalledCommand)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick";
    TempDir dir;
    VokRun install = RunProgram(VOK_CMAKE_COMMAND, {"--install", BuildDir(), "--prefix", dir / "prefix"}, BuildDir());
    ASSERT_EQ(install.status, 0) << install.err;
    MakeDir(dir / "caller");
    WriteFile(dir / "caller/tour.txt", "2 screenshot shot.bmp\n");
    VokRun run = RunProgram(dir / "prefix/bin/vok", {"--store", "card", "--script", "tour.txt", "--max-frames", "3"},
                            dir / "caller");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(FileExists(dir / "caller/card"));
    EXPECT_TRUE(IsScreenSizedBmp(dir / "caller/shot.bmp"));
    RunVok({"--store", dir / "caller/card", "--max-frames", "3"}, "2 screenshot " + (dir / "reference.bmp") + "\n");
    EXPECT_EQ(ReadFile(dir / "caller/shot.bmp"), ReadFile(dir / "reference.bmp"));
}
