// The caches change no pixel: the guided tour of tools/tour.sh replayed in this process's
// children, once with every cache off (texts rendered anew, colour keys blitted unencoded)
// and once with them on, gives the same pictures byte for byte, and the same as the real
// program's tour.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "frame/main_loop.h"
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

// Runs vok in a child of this process on a fresh demo card in `folder`, caches on or off;
// the exit status.
int ReplayInChild(const std::string& folder, const std::string& script, bool caches)
{
    MakeDir(folder + "/shots");
    if (RunProgram(BuildDir() + "/tools/make_demo_card", {folder + "/card"}, BuildDir()).status != 0) return -1;
    WriteFile(folder + "/script.txt", script);
    const pid_t child = fork();
    if (child == 0) {
        DrawingCaches = caches;
        std::string args[] = {"vok", "--store", folder + "/card/", "--script", folder + "/script.txt",
                              "--max-frames", "2000"};
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
