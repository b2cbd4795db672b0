#include "store/remove_tree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "tests/support/test_support.h"

// Awkward names and links go, their targets and the sibling "my" stay; bad paths are refused.
TEST(RemoveTree, RemovesTheTreeOnly)
{
    TempDir dir;
    const std::string game = dir / "vok_anna/my game", outside = dir / "outside";
    MakeDir(game + "/sub folder/$(echo x)");
    for (const char* name : {"it's \"quoted\"", "a;rm -rf ~", "new\nline", "-rf", "*", " lead"})
        ASSERT_TRUE(WriteFile(game + "/sub folder/" + name, "x"));
    MakeDir(outside + "/folder/inner");
    WriteFile(outside + "/file", "keep");
    WriteFile(outside + "/folder/inner/keep", "keep");
    const std::pair<std::string, std::string> links[] = { // target, link inside the game
        {outside + "/file", "/file link"}, {outside + "/folder", "/sub folder/folder link"},
        {"..", "/sub folder/up"}, {"/", "/root"}, {dir / "nowhere", "/dangling"}};
    for (const auto& [target, link] : links) ASSERT_EQ(symlink(target.c_str(), (game + link).c_str()), 0);
    MakeDir(dir / "vok_anna/my");

    EXPECT_TRUE(RemoveTree(game) && !FileExists(game));
    EXPECT_EQ(ReadFile(outside + "/folder/inner/keep"), "keep");

    ASSERT_EQ(symlink((outside + "/folder").c_str(), (dir / "vok_link").c_str()), 0);
    EXPECT_TRUE(RemoveTree(dir / "vok_link/") && !FileExists(dir / "vok_link"));
    EXPECT_TRUE(FileExists(outside + "/folder/inner/keep"));
    EXPECT_TRUE(RemoveTree(dir / "vok_nobody")); // already gone

    WriteFile(dir / "vok_anna/my/vok.dat", ""); // the sibling "my" is still there
    for (const std::string& path : {dir / "vok_anna/my/..", dir / "vok_anna/.", std::string(), std::string("/")})
        EXPECT_FALSE(RemoveTree(path)) << path;
    EXPECT_TRUE(FileExists(dir / "vok_anna/my/vok.dat"));
}

// Sub-folders swapped for links to outside while the removal runs: nothing outside is touched.
TEST(RemoveTree, FolderSwappedForLinkWhileRunning)
{
    TempDir dir;
    const std::string outside = dir / "outside", game = dir / "game";
    MakeDir(outside);
    WriteFile(outside + "/keep", "x");
    for (int round = 0; round < 15; ++round) {
        for (int i = 0; i < 20; ++i) {
            MakeDir(game + "/d" + std::to_string(i) + "/e");
            WriteFile(game + "/d" + std::to_string(i) + "/f", "x");
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
        ASSERT_TRUE(FileExists(outside + "/keep")) << round;
    }
}

// A deep tree goes; beyond the depth the removal holds descriptors for, it fails without harm.
TEST(RemoveTree, DeepTrees)
{
    TempDir dir;
    const std::string path = dir / "deep";
    for (const int depth : {60, 210}) {
        std::string deepest = path;
        for (int i = 0; i < depth; ++i) deepest += "/d";
        MakeDir(deepest);
        EXPECT_EQ(RemoveTree(path), depth < 200) << depth;
    }
}
