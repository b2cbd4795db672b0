// Removing players and games: hidden in one rename, then deleted.
#include "store/removal.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "screens/menu_actions.h"
#include "store/active_profile.h"
#include "store/remove_tree.h"
#include "tests/support/store_support.h"

namespace {

std::vector<std::string> Entries(const std::string& folder) // sorted, without "." and ".."
{
    std::vector<std::string> names = DirectoryOrder(folder, [](const std::string& n) { return n != "." && n != ".."; });
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Links go as links, never entered (the update marker first); names of no single entry are refused.
TEST(Removal, LinksAreRemovedAsLinksNeverEntered)
{
    TestCard card;
    const Outside outside(card.dir / "outside");
    const std::string store = StoreRoot = card.store = card.store + "card/";
    MakeDir(store);
    ASSERT_EQ(symlink(outside.path.c_str(), (store + "vok_link").c_str()), 0);
    card.Player("vok_anna");
    card.Game("vok_anna", "real", {1, 1, 10, 10, 1});
    ASSERT_EQ(symlink((outside.path + "/g").c_str(), (store + "vok_anna/glink").c_str()), 0);

    ScanProfiles();
    EXPECT_LT(IndexOf("vok_link"), 0) << "a link to a folder with a profile file is never listed";
    Profiles.push_back(new ProfileRecord); // as if the player folder became a link after the scan
    Profiles.back()->folder = "vok_link";
    SelectedProfile = IndexOf("vok_link");
    ASSERT_GE(SelectedProfile, 0);
    ListGames();
    ASSERT_EQ(GameFolders, std::vector<std::string>{"g"});
    ScreenMode = ScreenGame;
    RemoveGame();
    EXPECT_EQ(ScreenMode, ScreenGame);
    EXPECT_EQ(GameFolders, std::vector<std::string>{"g"});
    EXPECT_TRUE(outside.Intact());

    EXPECT_TRUE(RemoveGameFolder("vok_anna", "glink") && RemoveProfileFolder("vok_link"));
    EXPECT_EQ(Entries(store + "vok_anna"), (std::vector<std::string>{"real", "update", "vok.cfg"}));
    EXPECT_FALSE(FileExists(store + "vok_link"));
    EXPECT_TRUE(outside.Intact());

    for (const std::string bad : {"", ".", "..", "vok_anna/real", ".vok-gone"}) {
        EXPECT_FALSE(RemoveProfileFolder(bad)) << bad;
        EXPECT_FALSE(RemoveGameFolder("vok_anna", bad)) << bad;
    }
    EXPECT_FALSE(RemoveGameFolder("..", "card"));
    EXPECT_TRUE(RemoveProfileFolder("vok_anna"));
    EXPECT_EQ(Entries(store), std::vector<std::string>{}) << "no remnant left behind";
}

// Another device (through the seam, then a real mount where allowed) is neither emptied nor hidden.
TEST(Removal, NeverOntoAnotherFileSystem)
{
    TestCard card;
    card.Player("vok_anna");
    card.Game("vok_anna", "g", {1, 1, 1, 1, 1});
    const int store = open(card.store.c_str(), O_RDONLY | O_DIRECTORY);
    struct stat status;
    ASSERT_EQ(fstat(store, &status), 0);
    EXPECT_FALSE(HideAndRemove(store, "vok_anna", status.st_dev + 1) || RemoveTreeAt(store, "vok_anna", status.st_dev + 1));
    EXPECT_TRUE(FileExists(card.store + "vok_anna/g/vok.dat"));
    EXPECT_TRUE(HideAndRemove(store, "absent", status.st_dev));
    close(store);

    const std::string mountPoint = card.store + "vok_anna/g/mount";
    MakeDir(mountPoint);
    if (mount("none", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no mount allowed here; the device check was tested through the seam";
    WriteFile(mountPoint + "/keep", "x");
    EXPECT_TRUE(RemoveGameFolder("vok_anna", "g"));
    ScanProfiles();
    ListGames();
    EXPECT_TRUE(GameFolders.empty());
    FinishRemovals(ListFolder(card.store));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/.vok-gone/mount/keep"), "x");
    EXPECT_EQ(umount2((card.store + "vok_anna/.vok-gone/mount").c_str(), MNT_DETACH), 0);
    FinishRemovals(ListFolder(card.store));
    EXPECT_FALSE(FileExists(card.store + "vok_anna/.vok-gone"));
}

// A cut removal's remnant counts nowhere, does not stop the next removal (a name with a blank:
// that folder only), and the next start deletes it and nothing else.
TEST(Removal, RemnantsIgnoredThenFinishedAtStart)
{
    TestCard card;
    card.Player("vok_anna", "lang=English\r\nname=Anna\r\n");
    card.Game("vok_anna", "kept", {1, 2, 10, 20, 3});
    card.Game("vok_anna", ".vok-gone", {5, 5, 50, 50, 9});
    MakeDir(card.store + ".vok-gone/vok_old");
    WriteFile(card.store + ".vok-gone/vok_old/vok.cfg", "name=Old\r\n");
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 1u);
    ListGames();
    EXPECT_EQ(GameFolders, std::vector<std::string>{"kept"});
    RecomputeTotals();
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(1, 2, 10, 20));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.ranking"), "fav1=kept\r\n");

    card.Game("vok_anna", "kept 2", {1, 1, 1, 1, 1}); // a blank in the name: "kept" stays
    EXPECT_TRUE(RemoveGameFolder("vok_anna", "kept 2"));
    EXPECT_FALSE(FileExists(card.store + "vok_anna/kept 2"));
    EXPECT_FALSE(FileExists(card.store + "vok_anna/.vok-gone")) << "the older remnant went first";

    card.Game("vok_anna", ".vok-gone", {5, 5, 50, 50, 9});
    WriteFile(card.store + "vok_anna/update", "");
    LoadStore();
    EXPECT_EQ(Entries(card.store), std::vector<std::string>{"vok_anna"});
    EXPECT_EQ(Entries(card.store + "vok_anna"), (std::vector<std::string>{"kept", "vok.cfg", "vok.erience", "vok.ranking"}));
    EXPECT_EQ(Profiles[0]->pointsEarned, 10);
    EXPECT_EQ(ReadFile(card.store + "vok_anna/kept/vok.summary"), FormatSummary({1, 2, 10, 20, 3}));
}
