// The menu's removals in process: the player shown after a removal, removals the card refuses,
// bind mounts inside what is removed; and the new-player editor's first row, names of blanks
// only and names a dangling link holds.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "frame/state.h"
#include "profile/profile_file.h"
#include "screens/home_screen.h"
#include "screens/keyboard.h"
#include "screens/menu_actions.h"
#include "screens/profile_editor.h"
#include "store/progress.h"
#include "store/removal.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

namespace {

const int NoMounts = 77; // the child could not make its own mounts: the test is skipped

// `work` in a child with its own mounts, after `mounts` made them; its result is the child's
// status (0 passed), NoMounts when the machine allows no mounts.
int InOwnMounts(const std::function<bool()>& mounts, const std::function<int()>& work)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 || !mounts())
            _exit(NoMounts);
        _exit(work());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ReadOnly(const std::string& folder)
{
    return mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

class MenuActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        ResetScreens(card.store());
    }
    void TearDown() override { ReleaseCard(); }
    TempDir card;
};

} // namespace

// After a removal the player now selected shows as a switch to it would: its language, its
// totals recomputed when a game left the marker, its rankings.
TEST_F(MenuActions, TheNextPlayerShowsAsASwitchWould)
{
    const std::string store = card.store();
    WritePlayer(store, PlayerSetup{"vok_ann", "Ann", "Deutsch"});
    WritePlayer(store, PlayerSetup{"vok_bob", "Bob", "English"});
    GameSetup game = CountedGame("racer", 1, 1);
    game.summary = {1, 1, 5, 5, 3};
    WriteGame(store, "vok_ann", game);
    WriteFile(store + "vok_ann/update", "");
    ScanProfiles();
    SelectedProfile = IndexOf("vok_bob");
    LanguageTable.SetLanguage("English");
    PopupId = PopupRemoveProfile;
    PopupCursor = 0;
    MenuAction();
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(std::string(LanguageTable.LanguageName(LanguageTable.currentLanguage)), "Deutsch");
    EXPECT_EQ(Profiles[0]->pointsEarned, 5);
    ASSERT_EQ(FavouriteList.size(), 1u);
    EXPECT_EQ(FavouriteList[0].gameFolder, "racer");
    EXPECT_FALSE(FileExists(store + "vok_ann/update"));
    EXPECT_EQ(NoticeId, NoticeNone);
}

// On a card mounted read-only a removal of a player or of a game tells that nothing was
// written; the player stays selected and listed, the game screen stays on the game.
TEST_F(MenuActions, ARefusedRemovalIsToldAndChangesNothing)
{
    const std::string store = card.store();
    WritePlayer(store, PlayerSetup{"vok_ann", "Ann"});
    WritePlayer(store, PlayerSetup{"vok_bob", "Bob"});
    WriteGame(store, "vok_ann", CountedGame("racer", 1, 1));
    ScanProfiles();
    const int ann = IndexOf("vok_ann");
    const int status = InOwnMounts([&] { return ReadOnly(store); }, [&] {
        SelectedProfile = ann;
        RemoveProfile();
        int failures = NoticeId == NoticeNotSaved && SelectedProfile == ann && Profiles.size() == 2 ? 0 : 1;
        NoticeId = NoticeNone;
        ListGames();
        ScreenMode = ScreenGame;
        RemoveGame();
        if (NoticeId != NoticeNotSaved || ScreenMode != ScreenGame || GameFolders.size() != 1) failures |= 2;
        return failures;
    });
    if (status == NoMounts) GTEST_SKIP() << "this machine allows no mounts for a read-only card";
    EXPECT_EQ(status, 0);
}

// A bind mount of the card's own file system inside a game being removed is never emptied:
// it shares the card's st_dev, not its mount.
TEST_F(MenuActions, ABindMountInsideARemovedGameIsLeftAlone)
{
    const std::string store = card.store();
    WritePlayer(store, PlayerSetup{"vok_ann", "Ann"});
    WriteGame(store, "vok_ann", CountedGame("racer", 1, 1));
    MakeDir(card / "outside");
    WriteFile(card / "outside/keep", "mine");
    MakeDir(store + "vok_ann/racer/mounted");
    const std::string inside = store + "vok_ann/racer/mounted", outside = card / "outside";
    const int status = InOwnMounts([&] { return mount(outside.c_str(), inside.c_str(), nullptr, MS_BIND, nullptr) == 0; },
                                   [&] {
                                       RemoveGameFolder("vok_ann", "racer");
                                       return ReadFile(outside + "/keep") == "mine" ? 0 : 1;
                                   });
    if (status == NoMounts) GTEST_SKIP() << "this machine allows no bind mounts";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(outside + "/keep"), "mine");
}

// A name of blanks only is no name (it would read back empty); a stored player whose file lost
// its name may type one; a new player starts on the name row whatever row was used before.
TEST_F(MenuActions, NamesOfBlanksAndTheFirstRow)
{
    ScreenMode = ScreenEditor;
    EditedProfile = ProfileRecord();
    EditedProfile.name = "   ";
    PushButton(ButtonX);
    ProfileEditor();
    EXPECT_EQ(NoticeId, NoticeNoName);
    EXPECT_TRUE(ListFolder(card.store()).empty());
    EXPECT_FALSE(HasVisibleName(" \t "));
    EXPECT_TRUE(HasVisibleName(" a "));

    NoticeId = NoticeNone;
    KeyboardOpen = 0;
    EditedProfile.folder = "vok_lost";
    EditedProfile.name = "";
    EditorRow = 0;
    NextChoice();
    EXPECT_EQ(KeyboardOpen, 1);
    KeyboardOpen = 0;
    EditedProfile.name = "Kim";
    NextChoice();
    EXPECT_EQ(KeyboardOpen, 0);

    ScreenMode = ScreenHome;
    EditorRow = 5;
    PushButton(ButtonY);
    HomeScreen();
    EXPECT_EQ(ScreenMode, ScreenEditor);
    EXPECT_EQ(EditorRow, 0);
}

// A dangling link named as the new player's folder takes the name as any entry does: the
// player gets the next free folder and is stored, the link left as it was.
TEST_F(MenuActions, ADanglingLinkTakesAName)
{
    const std::string store = card.store();
    ASSERT_EQ(symlink((card / "nowhere").c_str(), (store + "vok_qw").c_str()), 0);
    EditedProfile = ProfileRecord();
    EditedProfile.name = "qw";
    EXPECT_TRUE(CommitProfile());
    EXPECT_EQ(EditedProfile.folder, "vok_qw2");
    EXPECT_TRUE(FileExists(store + "vok_qw2/vok.cfg"));
    EXPECT_FALSE(FileExists(card / "nowhere"));
}
