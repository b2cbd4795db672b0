// Writers of the progress files games put into a game folder ("vok.summary", "vok.dat")
// and of the update marker, byte for byte as the store's readers expect. Tests and tools only.
#ifndef VOK_STORE_PROGRESS_WRITER_H
#define VOK_STORE_PROGRESS_WRITER_H

#include <string>
#include <vector>
#include "store/progress.h"

// Creates or truncates `path` with `bytes`, plainly, as a game writes its files.
bool WriteGameFile(const std::string& path, const std::string& bytes);
bool WriteSummaryFile(const std::string& path, const GameSummaryRecord& summary);
bool WriteSummaryFile(const std::string& path, int unlockedCount, int achievementCount, int pointsEarned,
                      int pointsPossible, int favouriteScore);
bool WriteAchievementFile(const std::string& path, const std::vector<AchievementRecord>& records);
// Creates the empty "update" file in a player's folder (path ends with or without "/").
bool WriteUpdateMarker(const std::string& profileFolderPath);

// The bytes those writers put in the files.
std::string FormatSummary(const GameSummaryRecord& summary);
std::string FormatAchievementRecords(const std::vector<AchievementRecord>& records);

#endif
