#include "store/profiles.h"

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

void ScanProfiles() {}
void ListGames() {}
