#include <gtest/gtest.h>

#include <set>

#include "store/active_profile.h"
#include "store/game_files.h"
#include "tests/support/store_support.h"

static VokRun MakeCard(const std::string& folder)
{
    return RunProgram(BuildDir() + "/tools/make_demo_card", {folder}, BuildDir());
}

// The demo card reads back in full through the store's own loaders: players in different
// languages with four to eight games each; every game has a title, records, icons, texts (some
// only in the language of its vok.lang), and a summary that agrees with its records; only the
// marked player's cached totals differ from a recomputation. A folder holding anything but an
// earlier demo card is refused and left as it was.
TEST(DemoCard, ReadsBackInFullAndRefusesOtherFolders)
{
    TestCard card;
    ASSERT_EQ(MakeCard(card.store).status, 0) << "is tools/make_demo_card built?";
    ScanProfiles();
    ASSERT_GE(Profiles.size(), 3u);
    std::set<std::string> languages;
    int hiddenLocked = 0, withoutIcon = 0, complete = 0, otherLanguage = 0, markers = 0;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        const ProfileRecord& player = *Profiles[SelectedProfile];
        languages.insert(player.lang);
        ListGames();
        EXPECT_TRUE(!player.base.empty() && !player.clothes.empty()) << player.folder;
        EXPECT_TRUE(GameFolders.size() >= 4 && GameFolders.size() <= 8) << player.folder;
        for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
            const std::string where = player.folder + "/" + GameFolders[SelectedGame];
            const std::string game = card.store + where;
            GameTitle = GameAuthor = "";
            LoadGameInfo(&Achievements);
            ASSERT_EQ(LoadGameSummary(), 1) << where;
            ASSERT_EQ(LoadAchievementTexts(), 1) << where;
            ASSERT_EQ(AchievementTexts.size(), Achievements.size()) << where;
            EXPECT_FALSE(GameTitle.empty() || GameAuthor.empty() || Achievements.empty()) << where;
            EXPECT_TRUE(FileExists(game + "/vok.icon")) << where;
            otherLanguage += !FileExists(game + "/vok.desc." + player.lang);
            GameSummaryRecord counted = {0, 0, 0, 0, GameSummary.favouriteScore};
            for (size_t i = 0; i < Achievements.size(); ++i) {
                const AchievementRecord& r = Achievements[i];
                EXPECT_EQ(r.id, int(i) + 1) << where;
                EXPECT_EQ(AchievementTexts[i].id, r.id) << where;
                EXPECT_NE(AchievementTexts[i].name[0], 0) << where;
                counted.unlockedCount += r.unlocked != 0;
                counted.achievementCount += 1;
                counted.pointsEarned += r.unlocked ? r.points : 0;
                counted.pointsPossible += r.points;
                hiddenLocked += r.hidden && !r.unlocked;
                withoutIcon += !AchievementIcon(r.id);
            }
            EXPECT_EQ(FormatSummary(counted), FormatSummary(GameSummary)) << where;
            complete += GameSummary.unlockedCount == GameSummary.achievementCount;
        }
        const std::string totals = ReadFile(card.store + player.folder + "/vok.erience");
        const bool marked = HasUpdateMarker();
        RecomputeTotals();
        markers += marked;
        EXPECT_NE(totals == ReadFile(card.store + player.folder + "/vok.erience"), marked) << player.folder;
    }
    EXPECT_EQ(languages.size(), Profiles.size());
    EXPECT_EQ(markers, 1);
    EXPECT_TRUE(hiddenLocked > 0 && withoutIcon > 0 && complete > 2 && otherLanguage > 0);

    MakeDir(card.store + "precious/vok_real");
    WriteFile(card.store + "precious/vok_real/vok.cfg", "name=Real\r\n");
    EXPECT_NE(MakeCard(card.store + "precious").status, 0);
    EXPECT_EQ(ReadFile(card.store + "precious/vok_real/vok.cfg"), "name=Real\r\n");
    EXPECT_EQ(ListFolder(card.store + "precious").size(), 3u);
}
