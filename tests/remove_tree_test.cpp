#include "store/remove_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "tests/support/test_support.h"

static void Link(const std::string& target, const std::string& link)
{
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
}

// A game folder full of awkward names and links goes completely; its siblings, and the
// targets of its links outside (a file, a folder, "..", "/"), stay. A link given as the path
// itself is removed, not followed; paths naming no single entry, or a parent, are refused.
TEST(RemoveTree, RemovesTheTreeOnly)
{
    TempDir dir;
    const std::string game = dir / "vok_anna/my game", outside = dir / "outside";
    MakeDir(game + "/sub folder/$(echo x)");
    const char* const awkward[] = {"two words", "it's \"quoted\"", "$HOME", "a;rm -rf ~", "new\nline", "-rf",
                                   "*", " lead"};
    for (const char* name : awkward) {
        ASSERT_TRUE(WriteFile(game + "/" + name, "x"));
        MakeDir(game + "/sub folder/$(echo x)/" + name);
    }
    MakeDir(outside + "/folder/inner");
    WriteFile(outside + "/file", "keep");
    WriteFile(outside + "/folder/inner/keep", "keep");
    const std::pair<std::string, std::string> links[] = { // target, link inside the game
        {outside + "/file", "/file link"},
        {outside + "/folder", "/sub folder/folder link"},
        {"..", "/sub folder/up"},
        {"/", "/root"},
        {dir / "nowhere", "/dangling"},
    };
    for (const auto& [target, link] : links)
        Link(target, game + link);
    WriteFile(dir / "vok_anna/my game2", "sibling");
    MakeDir(dir / "vok_anna/my");

    EXPECT_TRUE(RemoveTree(game));
    EXPECT_FALSE(FileExists(game));
    EXPECT_EQ(ReadFile(dir / "vok_anna/my game2"), "sibling");
    EXPECT_EQ(ReadFile(outside + "/file"), "keep");
    EXPECT_EQ(ReadFile(outside + "/folder/inner/keep"), "keep");

    Link(outside + "/folder", dir / "vok_link");
    EXPECT_TRUE(RemoveTree(dir / "vok_link/"));
    EXPECT_FALSE(FileExists(dir / "vok_link"));
    EXPECT_TRUE(FileExists(outside + "/folder/inner/keep"));
    EXPECT_TRUE(RemoveTree(dir / "vok_nobody")); // already gone

    WriteFile(dir / "vok_anna/my/vok.dat", ""); // the sibling "my" is still there
    const std::string refused[] = {dir / "vok_anna/my/..", dir / "vok_anna/.", "", "/"};
    for (const std::string& path : refused)
        EXPECT_FALSE(RemoveTree(path)) << path;
    EXPECT_TRUE(FileExists(dir / "vok_anna/my/vok.dat"));
}

// While the removal runs, sub-folders keep being swapped for links to a folder outside;
// whatever the timing, nothing outside is touched.
TEST(RemoveTree, FolderSwappedForLinkWhileRunning)
{
    TempDir dir;
    const std::string outside = dir / "outside", game = dir / "game";
    MakeDir(outside);
    for (int i = 0; i < 20; ++i)
        WriteFile(outside + "/keep" + std::to_string(i), "x");
    for (int round = 0; round < 15; ++round) {
        for (int i = 0; i < 20; ++i) {
            const std::string folder = game + "/d" + std::to_string(i);
            MakeDir(folder + "/e");
            for (int j = 0; j < 5; ++j)
                WriteFile(folder + "/f" + std::to_string(j), "x");
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
        EXPECT_TRUE(RemoveTree(game));
        EXPECT_FALSE(FileExists(game));
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(FileExists(outside + "/keep" + std::to_string(i))) << round;
    }
}

// A deep tree is removed level by level; beyond the depth the removal holds descriptors
// for, it fails without harm.
TEST(RemoveTree, DeepTrees)
{
    TempDir dir;
    const std::string path = dir / "deep";
    for (const int depth : {60, 210}) {
        MakeDir(path);
        ASSERT_EQ(chdir(path.c_str()), 0);
        for (int i = 0; i < depth; ++i) {
            ASSERT_EQ(mkdir("d", 0755), 0);
            ASSERT_EQ(chdir("d"), 0);
        }
        ASSERT_EQ(chdir("/"), 0);
        EXPECT_EQ(RemoveTree(path), depth < 200) << depth;
        EXPECT_TRUE(FileExists(dir.path()));
    }
}
