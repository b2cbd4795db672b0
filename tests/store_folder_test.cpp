// The store folder as opened at start-up: no write through a linked or swapped player folder,
// none at all once StoreRoot no longer reaches that folder.
#include "store/store_folder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "profile/profile_file.h"
#include "screens/menu_actions.h"
#include "store/active_profile.h"
#include "store/player_file.h"
#include "store/progress.h"
#include "store/removal.h"
#include "tests/support/store_support.h"

namespace {

// Every write vok makes for the selected player and the store: totals, ranking, the marker,
// the profile file, activevok, a new player.
void WriteEverything()
{
    RecomputeTotals();
    WriteRankingFile();
    if (ProfileRecord* player = CurrentProfile()) {
        WriteProfileFile(*player);
        EditedProfile = *player;
        EditedProfile.name = "Anna";
        CommitProfile();
    }
    SaveActiveProfile();
    EditedProfile = ProfileRecord(); // a new player
    EditedProfile.name = "Zed";
    EditedProfile.lang = "English";
    CommitProfile();
}

} // namespace

// A player folder that is a link is never listed; one swapped for a link after the scan is
// never written through, nor is activevok's target: the outside stays byte for byte.
TEST(StoreFolder, NoWriteThroughALinkedOrSwappedPlayerFolder)
{
    TestCard card;
    const Outside outside(card.dir / "outside", true); // a player whose totals are due
    const Outside target(card.dir / "target", true);
    card.Player("vok_anna", "name=Anna\r\n");
    card.Game("vok_anna", "racer", {1, 1, 10, 10, 1});
    ASSERT_EQ(symlink(outside.path.c_str(), (card.store + "vok_link").c_str()), 0);
    ASSERT_EQ(symlink((target.path + "/vok.cfg").c_str(), (card.store + "activevok").c_str()), 0);
    ScanStore();
    EXPECT_LT(IndexOf("vok_link"), 0) << "a linked player folder is listed";
    ASSERT_EQ(IndexOf("vok_anna"), 0);
    SelectedProfile = 0;
    WriteEverything();
    EXPECT_EQ(ReadFile(card.store + "activevok"), "vok_anna") << "activevok is replaced, its target never written";
    EXPECT_TRUE(target.Intact());

    ASSERT_EQ(std::rename((card.store + "vok_anna").c_str(), (card.dir / "moved").c_str()), 0);
    ASSERT_EQ(symlink(outside.path.c_str(), (card.store + "vok_anna").c_str()), 0);
    SelectedProfile = IndexOf("vok_anna");
    WriteEverything();
    ListGames();
    EXPECT_TRUE(outside.Intact());
    EXPECT_TRUE(target.Intact());
    EXPECT_FALSE(CardGone);
}

// The store folder renamed away and replaced by an empty one: nothing is written anywhere, the
// new folder stays empty, the players shown stay, and the card's loss is told once.
TEST(StoreFolder, NothingWrittenOnceTheStoreFolderIsReplaced)
{
    TestCard card;
    const std::string store = StoreRoot = card.store + "card/";
    MakeDir(store);
    card.store = store;
    card.Player("vok_anna", "name=Anna\r\n");
    card.Game("vok_anna", "racer", {1, 1, 10, 10, 1});
    card.Player("vok_bob", "name=Bob\r\n");
    ScanStore();
    ASSERT_EQ(Profiles.size(), 2u);
    const std::string away = card.dir / "away";
    ASSERT_EQ(std::rename(store.c_str(), away.c_str()), 0);
    MakeDir(store);
    const FileTree moved = ReadTree(away);

    SelectedProfile = 0;
    NoticeId = NoticeNone;
    EXPECT_FALSE(StoreReachable());
    EXPECT_TRUE(CardGone);
    EXPECT_EQ(NoticeId, NoticeCardGone);
    NoticeId = NoticeNone;
    WriteEverything();
    RemoveProfile();
    EXPECT_EQ(NoticeId, NoticeNotSaved) << "told once, then a failed write as any other";
    ScanStore();
    EXPECT_EQ(Profiles.size(), 2u) << "the players shown stay";
    EXPECT_TRUE(ReadTree(store).empty()) << "nothing made in the folder now at StoreRoot";
    EXPECT_EQ(ReadTree(away), moved) << "nothing written into the folder opened at start";

    std::remove(store.c_str()); // removed without a replacement: the same
    EXPECT_FALSE(StoreReachable());
    WriteEverything();
    ScanStore();
    EXPECT_FALSE(FileExists(store)) << "the store folder is never made again mid-run";
}

// A card on its own file system unmounted lazily while vok runs (the card pulled): nothing is
// written under the mount point, which is left empty. Needs the right to mount.
TEST(StoreFolder, NothingWrittenUnderTheMountPointOfAnUnmountedCard)
{
    TestCard card;
    const std::string point = card.dir / "mnt";
    MakeDir(point);
    if (mount("vok-test", point.c_str(), "tmpfs", 0, "size=4m") != 0)
        GTEST_SKIP() << "mounting is not permitted here: " << std::strerror(errno);
    const std::string store = StoreRoot = point + "/store/";
    card.store = store;
    ScanStore(); // makes the store folder, as a first start does
    card.Player("vok_anna", "name=Anna\r\n");
    card.Game("vok_anna", "racer", {1, 1, 10, 10, 1});
    ScanStore();
    ASSERT_EQ(Profiles.size(), 1u);
    SelectedProfile = 0;
    ASSERT_EQ(umount2(point.c_str(), MNT_DETACH), 0);

    WriteEverything();
    RemoveProfile();
    ScanStore();
    SaveActiveProfile();
    EXPECT_TRUE(CardGone);
    EXPECT_TRUE(ReadTree(point).empty()) << "written under the mount point";
    EXPECT_EQ(Profiles.size(), 1u);
}
