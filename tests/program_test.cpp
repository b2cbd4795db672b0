// Whole runs of the real vok binary, headless, each on a store in a temporary folder: how it
// starts, ends and hands over, what bad command lines get, screenshots, and the installed
// command.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/device.h"
#include "profile/profile_file.h"
#include "tests/support/test_support.h"

namespace {

// GTEST_SKIP only leaves the function it is written in, hence a macro.
#define SKIP_ON_HANDHELD() \
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends at once without a joystick"

// A shell script that records its working directory and argument zero into `out`.
std::string FakeLauncher(const TempDir& dir, const std::string& out)
{
    MakeDir(dir / "menu");
    const std::string path = dir / "menu/launch.sh";
    WriteFile(path, "#!/bin/sh\npwd > '" + out + "'\necho \"$0\" >> '" + out + "'\n");
    chmod(path.c_str(), 0755);
    return path;
}

void WriteProfile(const std::string& store, const std::string& folder, const std::string& name)
{
    ProfileRecord record;
    record.folder = folder;
    record.lang = "English";
    record.name = name;
    MakeDir(store + folder);
    WriteFile(store + folder + "/vok.cfg", FormatProfileFile(record));
}

bool IsScreenSizedBmp(const std::string& path)
{
    int w = 0, h = 0;
    return BmpSize(path, &w, &h) && w == 320 && h == 240;
}

} // namespace

// A plain run: StoreRoot made when missing, frames until --max-frames, status 0, nothing said;
// with no player on the card no active-profile file is written.
TEST(Program, RunsAndEndsAfterMaxFrames)
{
    SKIP_ON_HANDHELD();
    TempDir dir;
    VokRun run = RunVok({"--store", dir / "card", "--max-frames", "5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(FileExists(dir / "card"));
    EXPECT_FALSE(FileExists(dir / "card/activevok"));

    // A desktop without a sound device runs silent instead of ending.
    const std::string shot = dir / "silent.bmp";
    WriteFile(dir / "script.txt", "2 screenshot " + shot + "\n");
    run = RunProgram("/usr/bin/env", {"SDL_AUDIODRIVER=nosuch", BuildDir() + "/vok", "--store", dir / "card",
                                      "--max-frames", "2", "--script", dir / "script.txt"}, BuildDir());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(IsScreenSizedBmp(shot));
}

// The player on the card at exit is remembered, also when the launcher then fails to start;
// the launcher is started from its own folder with its full path as argument zero, even
// when it was given relative to the caller's folder.
TEST(Program, HandsOverToTheLauncher)
{
    SKIP_ON_HANDHELD();
    TempDir dir;
    const std::string launcher = FakeLauncher(dir, dir / "seen.txt");
    WriteProfile(dir.store(), "vok_ana", "Ana");
    VokRun run = RunVok({"--store", dir.path(), "--launcher", launcher, "--max-frames", "3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadFile(dir / "seen.txt"), dir / "menu\n" + launcher + "\n");
    EXPECT_NE(ReadFile(dir / "activevok").find("vok_ana"), std::string::npos);

    std::remove((dir / "seen.txt").c_str());
    const std::string relative = std::filesystem::relative(launcher, BuildDir()).string();
    run = RunVok({"--store", dir.path(), "--launcher", relative, "--max-frames", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadFile(dir / "seen.txt"), dir / "menu\n" + BuildDir() + "/" + relative + "\n");

    std::remove((dir / "activevok").c_str());
    run = RunVok({"--store", dir.path(), "--launcher", dir / "menu/missing", "--max-frames", "2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(ReadFile(dir / "activevok").find("vok_ana"), std::string::npos);
    chmod(launcher.c_str(), 0644);
    run = RunVok({"--store", dir.path(), "--launcher", launcher, "--max-frames", "2"});
    EXPECT_EQ(run.status, 1);
}

// Screenshots are 320 x 240 whatever the window's zoom.
TEST(Program, ScreenshotsAreScreenSized)
{
    SKIP_ON_HANDHELD();
    TempDir dir;
    for (const char* zoom : {"1", "3"}) {
        const std::string shot = dir / (std::string("shot") + zoom + ".bmp");
        VokRun run = RunVok({"--store", dir / "card", "--zoom", zoom, "-scanlines", "--max-frames", "3"},
                            "2 screenshot " + shot + "\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(IsScreenSizedBmp(shot)) << zoom;
    }
}

// Bad command lines and scripts stop before SDL starts: status 2, one line naming the problem.
TEST(Program, BadOptionsAndScriptsEndWithStatus2)
{
    TempDir dir;
    VokRun run = RunVok({"--store", dir / "card", "--frobnicate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vok: unknown option --frobnicate\n");
    EXPECT_FALSE(FileExists(dir / "card"));

    run = RunVok({"--max-frames", "soon"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vok: --max-frames needs a whole number from 1, not \"soon\"\n");

    run = RunVok({"--script", dir / "none.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vok: cannot read the script " + (dir / "none.txt") + "\n");

    WriteFile(dir / "bad.txt", "# ok\n1 button b\n2 button jump\n");
    run = RunVok({"--store", dir / "card", "--script", dir / "bad.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vok: " + (dir / "bad.txt") + ": line 3: unknown button \"jump\"\n");
    EXPECT_FALSE(FileExists(dir / "card"));

    run = RunVok({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--max-frames"), std::string::npos);
}

// Without a joystick the handheld build ends with status 0 before anything is drawn or read;
// the desktop build runs on its keys.
TEST(Program, NoJoystick)
{
    TempDir dir;
    VokRun run = RunVok({"--store", dir / "card", "--max-frames", "3"}, "1 screenshot " + (dir / "shot.bmp") + "\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(FileExists(dir / "shot.bmp"), !HandheldBuild);
    EXPECT_EQ(FileExists(dir / "card"), !HandheldBuild);
}

// The installed command runs from any folder, finds its media and languages, and takes
// relative paths from the caller's folder.
TEST(Program, InstalledCommand)
{
    SKIP_ON_HANDHELD();
    TempDir dir;
    VokRun install = RunProgram(VOK_CMAKE_COMMAND, {"--install", BuildDir(), "--prefix", dir / "prefix"}, BuildDir());
    ASSERT_EQ(install.status, 0) << install.err;
    EXPECT_TRUE(FileExists(dir / "prefix/lib/vok/media/pfcb.ttf"));
    EXPECT_TRUE(FileExists(dir / "prefix/lib/vok/lang"));

    MakeDir(dir / "caller");
    WriteFile(dir / "caller/tour.txt", "2 screenshot shot.bmp\n");
    VokRun run = RunProgram(dir / "prefix/bin/vok", {"--store", "card", "--script", "tour.txt", "--max-frames", "3"},
                            dir / "caller");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(FileExists(dir / "caller/card"));
    EXPECT_TRUE(IsScreenSizedBmp(dir / "caller/shot.bmp"));
    // The same picture as a run from the build tree: the installed media were found.
    VokRun reference = RunVok({"--store", dir / "caller/card", "--max-frames", "3"},
                              "2 screenshot " + (dir / "reference.bmp") + "\n");
    EXPECT_EQ(reference.status, 0);
    EXPECT_EQ(ReadFile(dir / "caller/shot.bmp"), ReadFile(dir / "reference.bmp"));
}
