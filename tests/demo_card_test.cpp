#include <gtest/gtest.h>

#include "store/active_profile.h"
#include "store/game_files.h"
#include "tests/support/store_support.h"

// The demo card loads in full with what the tour shows (consistent: VokCard.DemoCardIsClean...);
// a folder holding anything but an earlier demo card is refused and left as it was.
TEST(DemoCard, ReadsBackInFullAndRefusesOtherFolders)
{
    TestCard card;
    const std::string tool = BuildDir() + "/tools/make_demo_card";
    ASSERT_EQ(RunProgram(tool, {card.store}, BuildDir()).status, 0) << "is tools/make_demo_card built?";
    ScanProfiles();
    int hiddenLocked = 0, withoutIcon = 0, complete = 0, otherLanguage = 0;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        const ProfileRecord& player = *Profiles[SelectedProfile];
        ListGames();
        EXPECT_TRUE(GameFolders.size() >= 4 && GameFolders.size() <= 8) << player.folder;
        for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
            const std::string where = player.folder + "/" + GameFolders[SelectedGame];
            LoadGameInfo(&Achievements);
            ASSERT_TRUE(LoadGameSummary() == 1 && LoadAchievementTexts() == 1) << where;
            ASSERT_EQ(AchievementTexts.size(), Achievements.size()) << where;
            otherLanguage += !FileExists(card.store + where + "/vok.desc." + player.lang);
            complete += GameSummary.unlockedCount == GameSummary.achievementCount;
            for (const AchievementRecord& r : Achievements) {
                hiddenLocked += r.hidden && !r.unlocked;
                withoutIcon += !AchievementIcon(r.id);
            }
        }
    }
    EXPECT_TRUE(hiddenLocked > 0 && withoutIcon > 0 && complete > 2 && otherLanguage > 0);
    card.Player("precious/vok_real", "name=Real\r\n");
    EXPECT_NE(RunProgram(tool, {card.store + "precious"}, BuildDir()).status, 0);
    EXPECT_EQ(ReadFile(card.store + "precious/vok_real/vok.cfg"), "name=Real\r\n");
    EXPECT_EQ(ListFolder(card.store + "precious").size(), 1u);
}
