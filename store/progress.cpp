#include "store/progress.h"

GameSummaryRecord GameSummary;

void LoadTotals() {}
void RecomputeTotals() {}
int LoadGameSummary() { return 0; }

GameSummaryRecord ParseSummary(const std::string&)
{
    GameSummaryRecord summary = {0, 0, 0, 0, 0};
    return summary;
}

std::vector<AchievementRecord> ParseAchievementRecords(const std::string&)
{
    return std::vector<AchievementRecord>();
}
