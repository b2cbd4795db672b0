#include "store/progress_writer.h"

#include <fstream>

#include "store/store_files.h"
#include "store/store_paths.h"

bool WriteGameFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

std::string FormatSummary(const GameSummaryRecord& summary)
{
    std::string bytes;
    for (int value : {summary.unlockedCount, summary.achievementCount, summary.pointsEarned,
                      summary.pointsPossible, summary.favouriteScore})
        AppendInt32(&bytes, value);
    return bytes;
}

std::string FormatAchievementRecords(const std::vector<AchievementRecord>& records)
{
    std::string bytes;
    for (const AchievementRecord& record : records)
        for (int value : {record.id, record.points, record.hidden, record.unlocked}) AppendInt32(&bytes, value);
    return bytes;
}

bool WriteSummaryFile(const std::string& path, const GameSummaryRecord& summary)
{
    return WriteGameFile(path, FormatSummary(summary));
}

bool WriteSummaryFile(const std::string& path, int unlockedCount, int achievementCount, int pointsEarned,
                      int pointsPossible, int favouriteScore)
{
    GameSummaryRecord summary = {unlockedCount, achievementCount, pointsEarned, pointsPossible, favouriteScore};
    return WriteSummaryFile(path, summary);
}

bool WriteAchievementFile(const std::string& path, const std::vector<AchievementRecord>& records)
{
    return WriteGameFile(path, FormatAchievementRecords(records));
}

bool WriteUpdateMarker(const std::string& profileFolderPath)
{
    return WriteGameFile(WithTrailingSlash(profileFolderPath) + "update", std::string());
}
