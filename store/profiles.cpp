#include "store/profiles.h"

#include <sys/stat.h>

#include "frame/state.h"
#include "graphics/media.h"
#include "store/game_commits.h"
#include "store/game_files.h"
#include "store/player_file.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/removal.h"
#include "store/store_files.h"
#include "store/store_folder.h"
#include "store/store_paths.h"

ProfileRecord::ProfileRecord()
    : languageIndex(0), unlockedCount(0), achievementCount(0), pointsEarned(0), pointsPossible(0)
{
}

std::vector<ProfileRecord*> Profiles;
int SelectedProfile = 0;
std::vector<std::string> GameFolders;
int SelectedGame = 0;
SDL_Surface* AchievementIcons[50];
int FirstRunNoticeShown = 0;
std::vector<std::string> StoreEntries;

ProfileRecord* CurrentProfile()
{
    if (SelectedProfile < 0 || SelectedProfile >= static_cast<int>(Profiles.size())) return 0;
    return Profiles[SelectedProfile];
}

const std::string* CurrentGameFolder()
{
    if (SelectedGame < 0 || SelectedGame >= static_cast<int>(GameFolders.size())) return 0;
    return &GameFolders[SelectedGame];
}

static void ClearProfiles()
{
    for (size_t i = 0; i < Profiles.size(); ++i) delete Profiles[i];
    Profiles.clear();
}

// On the handheld the launcher replaces the process; a desktop run ends normally, and then
// the list must release the records it owns. Defined after Profiles, so destroyed before it.
static struct ProfilesOwner {
    ~ProfilesOwner() { ClearProfiles(); }
} ProfilesOwnerAtExit;

static void FindProfiles()
{
    StoreEntries = ListFolder(StoreRoot);
    const std::vector<std::string>& names = StoreEntries;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!CardIsPlayer(StoreRoot.c_str(), names[i].c_str())) continue; // a link is never a player
        ProfileRecord* record = new ProfileRecord;
        record->folder = names[i];
        if (LoadProfileFile(record)) Profiles.push_back(record);
        else delete record; // no readable profile file: not a player, its files stay
    }
}

void ScanProfiles()
{
    ClearProfiles();
    FindProfiles();
    for (size_t i = 0; i < Profiles.size(); ++i) {
        SelectedProfile = static_cast<int>(i);
        LoadTotals();
    }
    FreeAchievementIcons();
    FreeRankingIcons();
    FreePreparedIcons(); // the players around may be others now
    if (Profiles.empty() && !FirstRunNoticeShown) {
        NoticeId = NoticeNoProfile;
        FirstRunNoticeShown = 1;
    }
}

void ScanStore()
{
    OpenStoreFolder(); // made only at start-up: a rescan never makes it again
    if (CardGone || (!Profiles.empty() && !StoreReachable())) return; // the players shown stay
    ScanProfiles();
}

bool IsGameFolderCandidate(const std::string& name)
{
    return CardIsGameFolderCandidate(name.c_str()) != 0;
}

void ListGames()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    GameFolders.clear();
    SelectedGame = 0;
    std::string folder = ProfilePath(*profile, "");
    std::vector<std::string> names = ListFolder(folder);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!IsGameFolderCandidate(names[i])) continue;
        FinishGameCommit(folder + names[i] + "/"); // a commit a cut stopped first, so the game reads whole
        if (PathExists(GamePath(*profile, names[i], CARD_RECORDS_FILE))) GameFolders.push_back(names[i]);
    }
}
