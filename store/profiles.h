// The players on the card and the games of the selected player: one ProfileRecord per
// ProfileFolder ("vok_" + name) under StoreRoot, in directory order, and the names of the
// selected player's game folders (sub-folders holding "vok.dat").
#ifndef VOK_STORE_PROFILES_H
#define VOK_STORE_PROFILES_H

#include <string>
#include <vector>
#include <SDL.h>

struct ProfileRecord {
    std::string folder;      // ProfileFolder name, "vok_" included
    int languageIndex;       // position of `lang` in the language list
    std::string lang;        // user-interface language name
    std::string name;        // display name, at most 15 characters
    std::string base, eyes, browns, nose, ears, mouth, facial, hair, tatoo, clothes; // avatar part numbers as text
    int unlockedCount;       // totals of the player's game summaries
    int achievementCount;
    int pointsEarned;
    int pointsPossible;

    ProfileRecord();
};

extern std::vector<ProfileRecord*> Profiles; // owned records, in directory order
extern int SelectedProfile;                  // index into Profiles; -1 possible while it is empty
extern std::vector<std::string> GameFolders; // game folder names of the selected player
extern int SelectedGame;                     // index into GameFolders
extern SDL_Surface* AchievementIcons[50];    // icon of achievement id k + 1 in slot k once asked for (AchievementIcon)
extern int FirstRunNoticeShown;              // NoticeNoProfile already raised in this run
extern std::vector<std::string> StoreEntries; // the store folder's entries as the last scan listed them

// The selected player, or null when SelectedProfile is outside Profiles.
ProfileRecord* CurrentProfile();
// The selected game folder name, or null when SelectedGame is outside GameFolders.
const std::string* CurrentGameFolder();

void ScanStore();    // creates StoreRoot when missing, then ScanProfiles
void ScanProfiles(); // rebuilds Profiles, loads every player's totals, raises NoticeNoProfile once
void ListGames();    // rebuilds GameFolders for the selected player; SelectedGame = 0
// False for the entries of a player's folder that are never games: ".", ".." and vok's own
// working names (temporaries, the remnant of an interrupted removal, a game's journal and lock).
bool IsGameFolderCandidate(const std::string& name);

#endif
