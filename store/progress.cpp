#include "store/progress.h"

#include <cstdio>
#include <sys/stat.h>

#include "store/game_commits.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "store/store_folder.h"
#include "store/store_paths.h"

GameSummaryRecord GameSummary;

GameSummaryRecord ParseSummary(const std::string& bytes)
{
    GameSummaryRecord summary;
    CardDecodeSummary(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &summary);
    return summary;
}

std::vector<AchievementRecord> ParseAchievementRecords(const std::string& bytes)
{
    std::vector<AchievementRecord> records(bytes.size() / AchievementRecordSize);
    if (!records.empty())
        CardDecodeRecords(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &records[0],
                          static_cast<int>(records.size()));
    return records;
}

static std::string FormatTotals(const ProfileRecord& profile)
{
    CardTotals totals = { profile.unlockedCount, profile.achievementCount, profile.pointsEarned, profile.pointsPossible };
    unsigned char bytes[CARD_TOTALS_SIZE];
    CardEncodeTotals(&totals, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

static void SetTotals(ProfileRecord* profile, const CardTotals& totals)
{
    profile->unlockedCount = totals.unlockedCount;
    profile->achievementCount = totals.achievementCount;
    profile->pointsEarned = totals.pointsEarned;
    profile->pointsPossible = totals.pointsPossible;
}

void ParseTotals(const std::string& bytes, ProfileRecord* profile)
{
    CardTotals totals;
    CardDecodeTotals(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &totals);
    SetTotals(profile, totals);
}

void LoadTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    std::string bytes;
    ReadFileBytes(ProfilePath(*profile, CARD_TOTALS_FILE), &bytes, CARD_TOTALS_SIZE); // missing: all 0
    ParseTotals(bytes, profile);
}

// Completion time of a game: the modification time of its "vok.dat", 0 when unknown.
static int CompletionTime(const std::string& records)
{
    struct stat status;
    if (stat(records.c_str(), &status) != 0) return 0;
    return WrapToSint32(static_cast<Uint32>(status.st_mtime)); // wraps after 2038 instead of overflowing
}

static void AddGame(const ProfileRecord& profile, const std::string& name, CardTotals* totals)
{
    std::string bytes;
    if (!ReadFileBytes(GamePath(profile, name, CARD_SUMMARY_FILE), &bytes, CARD_SUMMARY_SIZE)) return;
    GameSummaryRecord summary = ParseSummary(bytes);
    CardAddToTotals(totals, &summary); // wraps as 32-bit: a game reporting huge values cannot overflow
    if (!CardIsRankableName(name.c_str())) return;
    InsertFavourite(summary.favouriteScore, name);
    if (summary.unlockedCount == summary.achievementCount) InsertCompleted(CompletionTime(GamePath(profile, name, CARD_RECORDS_FILE)), name);
}

void ComputeTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    FavouriteList.clear();
    CompletedList.clear();
    CardTotals totals = { 0, 0, 0, 0 };
    std::string folder = ProfilePath(*profile, "");
    std::vector<std::string> names = ListFolder(folder);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!IsGameFolderCandidate(names[i])) continue;
        FinishGameCommit(folder + names[i] + "/"); // its summary as the game's last commit left it
        AddGame(*profile, names[i], &totals);
    }
    SetTotals(profile, totals);
}

void RecomputeTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    ComputeTotals();
    bool saved = WriteStoreFile(profile->folder, CARD_TOTALS_FILE, FormatTotals(*profile));
    saved = WriteRankingFile() && saved;
    // The marker goes only once both files are on the card: if either is missing or a power
    // cut comes first, the next start recomputes again instead of showing stale totals.
    if (saved) RemoveStoreFile(profile->folder, CARD_UPDATE_MARKER);
}

int LoadGameSummary()
{
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game) return 0;
    GameSummaryRecord zeros = {0, 0, 0, 0, 0};
    GameSummary = zeros;
    std::string bytes;
    if (ReadFileBytes(GamePath(*profile, *game, CARD_SUMMARY_FILE), &bytes, CARD_SUMMARY_SIZE)) GameSummary = ParseSummary(bytes);
    return 1;
}
