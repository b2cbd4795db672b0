// The demo card tool: the card it writes reads back in full through the store's own
// loaders and agrees with itself, and the tool never clears a folder that is not its card.
#include <gtest/gtest.h>

#include <set>

#include "store/active_profile.h"
#include "store/game_files.h"
#include "tests/support/store_support.h"

static VokRun MakeCard(const std::string& folder) { return RunProgram(BuildDir() + "/tools/make_demo_card", {folder}, BuildDir()); }

// Players in different languages with four to eight games each; every game has a title,
// records, icons, texts (some only in the language of its vok.lang), and a summary that
// agrees with its records; the cached totals are what a recomputation gives.
TEST(DemoCard, ReadsBackInFull)
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
        EXPECT_FALSE(player.base.empty() || player.clothes.empty());
        ListGames();
        EXPECT_TRUE(GameFolders.size() >= 4 && GameFolders.size() <= 8) << player.folder;
        Uint32 sum[4] = {0, 0, 0, 0};
        for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
            const std::string where = player.folder + "/" + GameFolders[SelectedGame];
            GameTitle = GameAuthor = "";
            ASSERT_EQ(LoadGameSummary(), 1);
            LoadGameInfo(&Achievements);
            EXPECT_EQ(LoadAchievementTexts(), 1) << where;
            EXPECT_FALSE(GameTitle.empty() || GameAuthor.empty() || Achievements.empty()) << where;
            ASSERT_EQ(AchievementTexts.size(), Achievements.size()) << where;
            otherLanguage += !FileExists(card.store + where + "/vok.desc." + player.lang);
            GameSummaryRecord counted = {0, 0, 0, 0, 0};
            for (size_t i = 0; i < Achievements.size(); ++i) {
                const AchievementRecord& r = Achievements[i];
                EXPECT_TRUE(r.id == int(i) + 1 && AchievementTexts[i].id == r.id && AchievementTexts[i].name[0]) << where;
                counted = {counted.unlockedCount + (r.unlocked != 0), counted.achievementCount + 1,
                           counted.pointsEarned + (r.unlocked ? r.points : 0), counted.pointsPossible + r.points, 0};
                hiddenLocked += r.hidden && !r.unlocked;
                withoutIcon += !AchievementIcon(r.id);
            }
            counted.favouriteScore = GameSummary.favouriteScore;
            EXPECT_EQ(FormatSummary(counted), FormatSummary(GameSummary)) << where;
            complete += GameSummary.unlockedCount == GameSummary.achievementCount;
            EXPECT_TRUE(FileExists(card.store + where + "/vok.icon")) << where;
            const int values[4] = {GameSummary.unlockedCount, GameSummary.achievementCount, GameSummary.pointsEarned, GameSummary.pointsPossible};
            for (int k = 0; k < 4; ++k) sum[k] += Uint32(values[k]);
        }
        const std::string totals = ReadFile(card.store + player.folder + "/vok.erience");
        const bool marked = HasUpdateMarker();
        markers += marked;
        RecomputeTotals();
        EXPECT_EQ(Totals(player.unlockedCount, player.achievementCount, player.pointsEarned, player.pointsPossible),
                  Totals(sum[0], sum[1], sum[2], sum[3]));
        // only the marked player's cache is stale
        EXPECT_NE(totals == ReadFile(card.store + player.folder + "/vok.erience"), marked) << player.folder;
    }
    EXPECT_EQ(languages.size(), Profiles.size());
    EXPECT_EQ(markers, 1);
    EXPECT_TRUE(hiddenLocked > 0 && withoutIcon > 0 && complete > 2 && otherLanguage > 0);
}

// A folder holding anything but an earlier demo card is refused and left as it was.
TEST(DemoCard, RefusesOtherFolders)
{
    TempDir dir;
    MakeDir(dir / "precious/vok_real");
    WriteFile(dir / "precious/vok_real/vok.cfg", "name=Real\r\n");
    EXPECT_NE(MakeCard(dir / "precious").status, 0);
    EXPECT_EQ(ReadFile(dir / "precious/vok_real/vok.cfg"), "name=Real\r\n");
    EXPECT_EQ(ListFolder(dir / "precious").size(), 3u);
}
