// Removing a folder with everything in it: nothing outside the given folder may go, links
// are removed and never followed, odd names are taken literally.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "store/remove_tree.h"
#include "tests/support/test_support.h"

namespace {

void Link(const std::string& target, const std::string& link) { ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0) << link; }

} // namespace

// A game folder full of awkward names goes completely; its siblings stay.
TEST(RemoveTree, RemovesEverythingWithOddNames)
{
    TempDir dir;
    const std::string game = dir / "vok_anna/my game";
    const char* names[] = { "plain", "two words", "it's \"quoted\"", "$HOME", "a;rm -rf ~", "new\nline",
                            "-rf", "*", "back\\slash", " lead", "trail " };
    MakeDir(game + "/sub folder/$(echo x)/deeper");
    for (const char* name : names) {
        ASSERT_TRUE(WriteFile(game + "/" + name, "x"));
        ASSERT_TRUE(WriteFile(game + "/sub folder/" + name, "x"));
        MakeDir(game + "/sub folder/$(echo x)/" + name);
    }
    WriteFile(dir / "vok_anna/my game2", "sibling");
    MakeDir(dir / "vok_anna/my");
    WriteFile(dir / "vok_anna/vok.cfg", "name=Anna\n");

    EXPECT_TRUE(RemoveTree(game));
    EXPECT_FALSE(FileExists(game));
    EXPECT_EQ(ReadFile(dir / "vok_anna/my game2"), "sibling");
    EXPECT_TRUE(FileExists(dir / "vok_anna/my"));
    EXPECT_TRUE(FileExists(dir / "vok_anna/vok.cfg"));

    // A trailing slash names the same folder; a missing folder is already gone.
    MakeDir(dir / "vok_bob/game/x");
    EXPECT_TRUE(RemoveTree(dir / "vok_bob/"));
    EXPECT_FALSE(FileExists(dir / "vok_bob"));
    EXPECT_TRUE(RemoveTree(dir / "vok_nobody"));
}

// Links inside the tree are removed, their targets outside survive: a file, a folder, a
// dangling link, and a link at the given path itself (with or without a trailing slash).
TEST(RemoveTree, NeverFollowsLinks)
{
    TempDir dir;
    const std::string outside = dir / "outside";
    MakeDir(outside + "/folder/inner");
    WriteFile(outside + "/file", "keep me");
    WriteFile(outside + "/folder/inner/keep", "keep me too");

    const std::string game = dir / "store/vok_anna/game";
    MakeDir(game + "/sub");
    Link(outside + "/file", game + "/file link");
    Link(outside + "/folder", game + "/folder link");
    Link(outside + "/folder", game + "/sub/deep link");
    Link("..", game + "/sub/up");
    Link("/", game + "/root");
    Link(dir / "nowhere", game + "/dangling");

    EXPECT_TRUE(RemoveTree(game));
    EXPECT_FALSE(FileExists(game));
    EXPECT_EQ(ReadFile(outside + "/file"), "keep me");
    EXPECT_EQ(ReadFile(outside + "/folder/inner/keep"), "keep me too");
    EXPECT_TRUE(FileExists(dir / "store/vok_anna"));

    Link(outside + "/folder", dir / "store/vok_link");
    EXPECT_TRUE(RemoveTree(dir / "store/vok_link/"));
    EXPECT_FALSE(FileExists(dir / "store/vok_link"));
    EXPECT_EQ(ReadFile(outside + "/folder/inner/keep"), "keep me too");
}

// Paths that name no single entry, or the parent, are refused and nothing goes.
TEST(RemoveTree, RefusesDotNames)
{
    TempDir dir;
    MakeDir(dir / "store/vok_anna/game");
    WriteFile(dir / "store/vok_anna/game/vok.dat", "");
    EXPECT_FALSE(RemoveTree(dir / "store/vok_anna/game/.."));
    EXPECT_FALSE(RemoveTree(dir / "store/vok_anna/."));
    EXPECT_FALSE(RemoveTree(""));
    EXPECT_FALSE(RemoveTree("/"));
    EXPECT_TRUE(FileExists(dir / "store/vok_anna/game/vok.dat"));
}

// While the removal runs, sub-folders keep being swapped for links to a folder outside;
// whatever the timing, nothing outside is touched.
TEST(RemoveTree, FolderSwappedForLinkWhileRunning)
{
    TempDir dir;
    const std::string outside = dir / "outside";
    MakeDir(outside);
    for (int i = 0; i < 20; ++i) WriteFile(outside + "/keep" + std::to_string(i), "x");

    for (int round = 0; round < 15; ++round) {
        const std::string game = dir / "game";
        for (int i = 0; i < 20; ++i) {
            MakeDir(game + "/d" + std::to_string(i) + "/e");
            for (int j = 0; j < 5; ++j) WriteFile(game + "/d" + std::to_string(i) + "/f" + std::to_string(j), "x");
        }
        std::atomic<bool> stop(false);
        std::thread swapper([&] {
            for (int n = 0; !stop; n = (n + 1) % 20) {
                const std::string d = game + "/d" + std::to_string(n);
                if (rename(d.c_str(), (dir / "parked").c_str()) == 0) {
                    symlink(outside.c_str(), d.c_str());
                    RemoveTree(dir / "parked");
                }
            }
        });
        RemoveTree(game);
        stop = true;
        swapper.join();
        RemoveTree(game);
        EXPECT_FALSE(FileExists(game));
        for (int i = 0; i < 20; ++i) ASSERT_TRUE(FileExists(outside + "/keep" + std::to_string(i))) << round;
    }
}

// A very deep tree is removed level by level; beyond the depth the removal holds
// descriptors for, it fails without harm.
TEST(RemoveTree, DeepTrees)
{
    TempDir dir;
    std::string path = dir / "deep";
    MakeDir(path);
    std::string cursor = path;
    for (int i = 0; i < 60; ++i) {
        cursor += "/d";
        ASSERT_EQ(mkdir(cursor.c_str(), 0755), 0);
    }
    WriteFile(cursor + "/f", "x");
    EXPECT_TRUE(RemoveTree(path));
    EXPECT_FALSE(FileExists(path));

    MakeDir(path);
    ASSERT_EQ(chdir(path.c_str()), 0);
    for (int i = 0; i < 210; ++i) {
        ASSERT_EQ(mkdir("d", 0755), 0);
        ASSERT_EQ(chdir("d"), 0);
    }
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_FALSE(RemoveTree(path));
    EXPECT_TRUE(FileExists(dir.path()));
}
