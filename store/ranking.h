// The player's two short rankings, favourites and completed games, their file
// "vok.ranking" and the icons ("vok.icon" of each game) of their first five entries.
#ifndef VOK_STORE_RANKING_H
#define VOK_STORE_RANKING_H

#include <string>
#include <vector>
#include <SDL.h>

struct ProfileRecord;

struct RankEntry {
    int score;              // favourite score or completion time; 0 when read back from the file
    std::string gameFolder; // game folder name inside the ProfileFolder
};

extern std::vector<RankEntry> FavouriteList; // descending by score while built; file order after loading
extern std::vector<RankEntry> CompletedList; // the same for completed games
extern SDL_Surface* FavouriteIcons[5];       // icons of the first five favourites, or null
extern SDL_Surface* CompletedIcons[5];       // icons of the first five completed games, or null

void InsertFavourite(int score, const std::string& gameFolder);
void InsertCompleted(int score, const std::string& gameFolder);
void SaveRanking();  // writes the selected player's "vok.ranking"
bool WriteRankingFile(); // SaveRanking's work; false when there is no player or the write failed
void LoadRanking();  // reads it back and reloads both icon rows
void FreeRankingIcons(); // empties the ten icon slots
// Reads ahead the icons that switching to `next` or `previous` shows, one step a call (their
// list, then one icon); true when it did a step, false when all are read. Nothing while the
// drawing caches are off.
bool PrepareRankingIcons(const ProfileRecord* next, const ProfileRecord* previous);
void FreePreparedIcons(); // frees every icon read ahead

// The file's text for the current lists, and the reverse; shared by the loaders and the tests.
std::string FormatRanking();
void ParseRanking(const std::string& text);

#endif
