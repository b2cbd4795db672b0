// Progress files: the five-value summary and the achievement records games write into a
// game folder, and the player's cached totals ("vok.erience") kept beside them.
#ifndef VOK_STORE_PROGRESS_H
#define VOK_STORE_PROGRESS_H

#include <cstddef>
#include <string>
#include <vector>

// One 16-byte record of "vok.dat": four little-endian signed 32-bit values.
struct AchievementRecord {
    int id;        // achievement number, 1 to 50
    int points;
    int hidden;    // non-zero: name and description masked while locked
    int unlocked;  // non-zero: the player has it
};

// The five values of "vok.summary", in file order.
struct GameSummaryRecord {
    int unlockedCount;
    int achievementCount;
    int pointsEarned;
    int pointsPossible;
    int favouriteScore;
};

const size_t AchievementRecordSize = 16; // bytes of one "vok.dat" record
// Records read of "vok.dat" and of an achievement text file: twice the fifty the grid shows,
// so a file of any size costs at most a few kilobytes.
const size_t MaxAchievementRecords = 100;

extern GameSummaryRecord GameSummary; // summary of GameFolders[SelectedGame]; zeros until loaded

void LoadTotals();      // selected player's totals from "vok.erience"
void ComputeTotals();   // totals and both rankings from every summary, in memory only
void RecomputeTotals(); // ComputeTotals, then writes the cache and ranking and clears the marker
int LoadGameSummary();  // 1 when a game is selected (file read or not), 0 otherwise

struct ProfileRecord;

// Decoders from memory, shared by the loaders, the tests and the fuzzers.
GameSummaryRecord ParseSummary(const std::string& bytes);
void ParseTotals(const std::string& bytes, ProfileRecord* profile); // "vok.erience" into its totals
std::vector<AchievementRecord> ParseAchievementRecords(const std::string& bytes);

#endif
