// The demo card tool: the card it writes reads back in full through the store's own
// loaders and agrees with itself, and the tool never clears a folder that is not its card.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "frame/state.h"
#include "localization/language_table.h"
#include "store/active_profile.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

namespace {

std::string Tool() { return BuildDir() + "/tools/make_demo_card"; }

VokRun MakeCard(const std::string& folder) { return RunProgram(Tool(), { folder }, BuildDir()); }

struct Sums {
    int unlocked = 0, achievements = 0, earned = 0, possible = 0;
};

// What the card shows overall, gathered while every game is read back.
struct Seen {
    std::set<size_t> textCounts;
    int hiddenLocked = 0;
    int unlockedWithoutIcon = 0;
    int iconsPresent = 0;
    int completeGames = 0;
    int textsFromOtherLanguage = 0;
};

// Every game of the selected player: summary, title, records, icons and texts.
Sums ReadGames(const std::string& store, Seen* seen)
{
    Sums sums;
    const ProfileRecord& player = *CurrentProfile();
    ListGames();
    EXPECT_GE(GameFolders.size(), 4u) << player.folder;
    EXPECT_LE(GameFolders.size(), 8u) << player.folder;
    for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
        const std::string game = GameFolders[size_t(SelectedGame)];
        const std::string where = player.folder + "/" + game;
        EXPECT_EQ(LoadGameSummary(), 1);
        GameTitle.clear();
        GameAuthor.clear();
        LoadGameInfo(&Achievements);
        EXPECT_FALSE(GameTitle.empty()) << where;
        EXPECT_FALSE(GameAuthor.empty()) << where;
        EXPECT_EQ(LoadAchievementTexts(), 1) << where;
        EXPECT_FALSE(Achievements.empty()) << where;
        EXPECT_EQ(AchievementTexts.size(), Achievements.size()) << where;
        if (AchievementTexts.size() != Achievements.size()) continue;
        seen->textCounts.insert(AchievementTexts.size());
        if (!FileExists(store + where + "/vok.desc." + player.lang)) ++seen->textsFromOtherLanguage;

        GameSummaryRecord fromRecords = { 0, 0, 0, 0, 0 };
        for (size_t i = 0; i < Achievements.size(); ++i) {
            const AchievementRecord& r = Achievements[i];
            EXPECT_EQ(r.id, int(i + 1)) << where;
            EXPECT_EQ(AchievementTexts[i].id, r.id) << where;
            EXPECT_GT(std::strlen(AchievementTexts[i].name), 0u) << where;
            EXPECT_GT(std::strlen(AchievementTexts[i].description), 0u) << where;
            EXPECT_GT(r.points, 0) << where;
            fromRecords.achievementCount += 1;
            fromRecords.pointsPossible += r.points;
            if (r.unlocked) {
                fromRecords.unlockedCount += 1;
                fromRecords.pointsEarned += r.points;
            }
            if (r.hidden && !r.unlocked) ++seen->hiddenLocked;
            if (r.unlocked && !AchievementIcon(r.id)) ++seen->unlockedWithoutIcon;
            if (AchievementIcon(r.id)) ++seen->iconsPresent;
        }
        EXPECT_EQ(GameSummary.unlockedCount, fromRecords.unlockedCount) << where;
        EXPECT_EQ(GameSummary.achievementCount, fromRecords.achievementCount) << where;
        EXPECT_EQ(GameSummary.pointsEarned, fromRecords.pointsEarned) << where;
        EXPECT_EQ(GameSummary.pointsPossible, fromRecords.pointsPossible) << where;
        if (GameSummary.unlockedCount == GameSummary.achievementCount) ++seen->completeGames;

        int width = 0, height = 0;
        EXPECT_TRUE(BmpSize(store + where + "/vok.icon", &width, &height)) << where;
        EXPECT_TRUE((width == 24 && height == 24) || (width == 22 && height == 22)) << where;
        sums.unlocked += GameSummary.unlockedCount;
        sums.achievements += GameSummary.achievementCount;
        sums.earned += GameSummary.pointsEarned;
        sums.possible += GameSummary.pointsPossible;
    }
    return sums;
}

} // namespace

// Players in different languages with four to eight games each, every game complete in its
// files, summaries that agree with the records, and cached totals and rankings as the
// program would compute them, except for the one player whose update marker says otherwise.
TEST(DemoCard, ReadsBackInFull)
{
    TempDir dir;
    const std::string store = dir / "card/";
    VokRun run = MakeCard(store);
    ASSERT_EQ(run.status, 0) << run.err << " (is " << Tool() << " built?)";
    ResetStore(store);
    ScanProfiles();
    ASSERT_GE(Profiles.size(), 3u);

    std::set<std::string> languages, names;
    for (const ProfileRecord* p : Profiles) {
        languages.insert(p->lang);
        names.insert(p->name);
        bool known = false;
        for (const LanguageInfo& l : LanguageTable.languages) known = known || l.name == p->lang;
        EXPECT_TRUE(known) << p->lang;
        EXPECT_FALSE(p->base.empty());
        EXPECT_FALSE(p->clothes.empty());
    }
    EXPECT_EQ(languages.size(), Profiles.size());
    EXPECT_EQ(names.size(), Profiles.size());

    const std::string active = ReadFile(store + "activevok");
    bool activeFound = false;
    for (const ProfileRecord* p : Profiles) activeFound = activeFound || p->folder == active;
    EXPECT_TRUE(activeFound) << active;

    Seen seen;
    int markers = 0;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        ProfileRecord& player = *Profiles[size_t(SelectedProfile)];
        const Sums sums = ReadGames(store, &seen);
        const std::string totals = ReadFile(store + player.folder + "/vok.erience");
        const std::string ranking = ReadFile(store + player.folder + "/vok.ranking");
        const bool marker = HasUpdateMarker();
        markers += marker;
        EXPECT_EQ(totals.size(), 16u);
        EXPECT_FALSE(ranking.empty());
        RecomputeTotals();
        EXPECT_EQ(player.unlockedCount, sums.unlocked);
        EXPECT_EQ(player.achievementCount, sums.achievements);
        EXPECT_EQ(player.pointsEarned, sums.earned);
        EXPECT_EQ(player.pointsPossible, sums.possible);
        if (marker) {
            EXPECT_NE(ReadFile(store + player.folder + "/vok.erience"), totals) << "a marker with nothing new";
        } else {
            EXPECT_EQ(ReadFile(store + player.folder + "/vok.erience"), totals) << player.folder;
            EXPECT_EQ(ReadFile(store + player.folder + "/vok.ranking"), ranking) << player.folder;
        }
    }
    EXPECT_EQ(markers, 1);
    EXPECT_TRUE(seen.textCounts.count(23));
    EXPECT_GT(*seen.textCounts.rbegin(), 26u);
    EXPECT_GT(seen.hiddenLocked, 0);
    EXPECT_GT(seen.unlockedWithoutIcon, 0);
    EXPECT_GT(seen.iconsPresent, 100);
    EXPECT_GT(seen.completeGames, 2);
    EXPECT_GT(seen.textsFromOtherLanguage, 0);
    ResetStore(store);
}

// One game ships only the texts of the language its vok.lang names.
TEST(DemoCard, GameWithOnlyItsOwnLanguage)
{
    TempDir dir;
    const std::string store = dir / "card/";
    ASSERT_EQ(MakeCard(store).status, 0);
    ResetStore(store);
    ScanProfiles();
    int found = 0;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        ListGames();
        for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
            const std::string game = store + CurrentProfile()->folder + "/" + *CurrentGameFolder() + "/";
            if (FileExists(game + "vok.desc.default")) continue;
            const std::string own = ReadTextLanguage();
            EXPECT_FALSE(own.empty());
            EXPECT_TRUE(FileExists(game + "vok.desc." + own));
            int files = 0;
            for (const std::string& name : ListFolder(game)) files += name.compare(0, 9, "vok.desc.") == 0;
            EXPECT_EQ(files, 1);
            EXPECT_EQ(LoadAchievementTexts(), 1);
            ++found;
        }
    }
    EXPECT_GT(found, 1);
    ResetStore(store);
}

// Run again, the tool writes the card afresh; a folder holding anything else is refused
// and left as it was.
TEST(DemoCard, ReplacesOnlyItsOwnCard)
{
    TempDir dir;
    const std::string card = dir / "card";
    ASSERT_EQ(MakeCard(card).status, 0);
    WriteFile(card + "/vok_anna/stray", "x");
    WriteFile(card + "/activevok", "vok_jonas");
    ASSERT_EQ(MakeCard(card).status, 0);
    EXPECT_FALSE(FileExists(card + "/vok_anna/stray"));
    EXPECT_EQ(ReadFile(card + "/activevok"), "vok_anna");

    MakeDir(dir / "empty");
    EXPECT_EQ(MakeCard(dir / "empty").status, 0);

    MakeDir(dir / "precious/vok_real");
    WriteFile(dir / "precious/vok_real/vok.cfg", "name=Real\r\n");
    VokRun refused = MakeCard(dir / "precious");
    EXPECT_NE(refused.status, 0);
    EXPECT_FALSE(refused.err.empty());
    EXPECT_EQ(ReadFile(dir / "precious/vok_real/vok.cfg"), "name=Real\r\n");
    EXPECT_EQ(ListFolder(dir / "precious").size(), 3u);

    WriteFile(dir / "file", "keep");
    EXPECT_NE(MakeCard(dir / "file").status, 0);
    EXPECT_EQ(ReadFile(dir / "file"), "keep");
    EXPECT_NE(RunProgram(Tool(), {}, BuildDir()).status, 0);
}
