// Progress files: the five-value summary and the achievement records games write into a
// game folder, and the player's cached totals ("vok.erience") kept beside them.
#ifndef VOK_STORE_PROGRESS_H
#define VOK_STORE_PROGRESS_H

#include <cstddef>
#include <string>
#include <vector>

#include "card/card_format.h"

// One record of "vok.dat" and the five values of "vok.summary", as the card library decodes them.
typedef CardRecord AchievementRecord;
typedef CardSummary GameSummaryRecord;

const size_t AchievementRecordSize = CARD_RECORD_SIZE; // bytes of one "vok.dat" record
// Records read of "vok.dat" and of an achievement text file: twice the fifty the grid shows,
// so a file of any size costs at most a few kilobytes.
const size_t MaxAchievementRecords = CARD_MAX_RECORDS;

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
