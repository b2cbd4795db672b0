#include <gtest/gtest.h>

#include "store/active_profile.h"
#include "store/game_files.h"
#include "tests/support/store_support.h"

// The demo card loads in full with what the tour shows (consistent: VokCard.DemoCardIsClean...):
// every player has an unlock date and a progress bar to show, and some games record neither;
// a folder holding anything but an earlier demo card is refused and left as it was.
TEST(DemoCard, ReadsBackInFullAndRefusesOtherFolders)
{
    TestCard card;
    const std::string tool = BuildDir() + "/tools/make_demo_card";
    ASSERT_EQ(RunProgram(tool, {card.store}, BuildDir()).status, 0) << "is tools/make_demo_card built?";
    ScanProfiles();
    int hiddenLocked = 0, withoutIcon = 0, complete = 0, otherLanguage = 0, withoutProgressFile = 0;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        const ProfileRecord& player = *Profiles[SelectedProfile];
        ListGames();
        int dated = 0, measured = 0;
        EXPECT_TRUE(GameFolders.size() >= 4 && GameFolders.size() <= 8) << player.folder;
        for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
            const std::string where = player.folder + "/" + GameFolders[SelectedGame];
            LoadGameInfo(&Achievements);
            ASSERT_TRUE(LoadGameSummary() == 1 && LoadAchievementTexts() == 1) << where;
            ASSERT_EQ(AchievementTexts.size(), Achievements.size()) << where;
            otherLanguage += !FileExists(card.store + where + "/vok.desc." + player.lang);
            complete += GameSummary.unlockedCount == GameSummary.achievementCount;
            withoutProgressFile += AchievementProgress.empty();
            for (const AchievementRecord& r : Achievements) {
                hiddenLocked += r.hidden && !r.unlocked;
                withoutIcon += !AchievementIcon(r.id);
                dated += r.unlocked && ProgressOf(r.id).unlockedAt > 0;
                measured += !r.unlocked && !r.hidden && ProgressOf(r.id).target > 0;
            }
        }
        EXPECT_TRUE(dated > 0 && measured > 0) << player.folder;
    }
    EXPECT_TRUE(hiddenLocked > 0 && withoutIcon > 0 && complete > 2 && otherLanguage > 0 && withoutProgressFile > 0);
    card.Player("precious/vok_real", "name=Real\r\n");
    EXPECT_NE(RunProgram(tool, {card.store + "precious"}, BuildDir()).status, 0);
    EXPECT_EQ(ReadFile(card.store + "precious/vok_real/vok.cfg"), "name=Real\r\n");
    EXPECT_EQ(ListFolder(card.store + "precious").size(), 1u);
}
