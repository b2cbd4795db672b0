#include "store/progress.h"

#include <cstdio>
#include <sys/stat.h>

#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "store/store_paths.h"

GameSummaryRecord GameSummary;

static const size_t SummaryFileSize = 20; // bytes read of "vok.summary"; the rest is ignored
static const size_t TotalsFileSize = 16;  // bytes read of "vok.erience"

// SummaryFile "vok.summary", 20 bytes, little-endian signed 32-bit values:
//   0 unlockedCount, 4 achievementCount, 8 pointsEarned, 12 pointsPossible, 16 favouriteScore.
// Values past the end of a short file are 0; bytes after offset 20 are ignored.
GameSummaryRecord ParseSummary(const std::string& bytes)
{
    GameSummaryRecord summary;
    summary.unlockedCount = Int32At(bytes, 0);
    summary.achievementCount = Int32At(bytes, 4);
    summary.pointsEarned = Int32At(bytes, 8);
    summary.pointsPossible = Int32At(bytes, 12);
    summary.favouriteScore = Int32At(bytes, 16);
    return summary;
}

// AchievementFile "vok.dat": 16-byte records, no header, each little-endian signed 32-bit
//   0 id, 4 points, 8 hidden, 12 unlocked.  A trailing part under 16 bytes is ignored.
std::vector<AchievementRecord> ParseAchievementRecords(const std::string& bytes)
{
    std::vector<AchievementRecord> records;
    for (size_t offset = 0; bytes.size() - offset >= AchievementRecordSize; offset += AchievementRecordSize) {
        AchievementRecord record;
        record.id = Int32At(bytes, offset);
        record.points = Int32At(bytes, offset + 4);
        record.hidden = Int32At(bytes, offset + 8);
        record.unlocked = Int32At(bytes, offset + 12);
        records.push_back(record);
    }
    return records;
}

// TotalsFile "vok.erience", 16 bytes: unlockedCount, achievementCount, pointsEarned,
// pointsPossible of the player, little-endian signed 32-bit; missing values are 0.
static std::string FormatTotals(const ProfileRecord& profile)
{
    std::string bytes;
    AppendInt32(&bytes, profile.unlockedCount);
    AppendInt32(&bytes, profile.achievementCount);
    AppendInt32(&bytes, profile.pointsEarned);
    AppendInt32(&bytes, profile.pointsPossible);
    return bytes;
}

static void SetTotals(ProfileRecord* profile, int unlocked, int achievements, int earned, int possible)
{
    profile->unlockedCount = unlocked;
    profile->achievementCount = achievements;
    profile->pointsEarned = earned;
    profile->pointsPossible = possible;
}

void ParseTotals(const std::string& bytes, ProfileRecord* profile)
{
    SetTotals(profile, Int32At(bytes, 0), Int32At(bytes, 4), Int32At(bytes, 8), Int32At(bytes, 12));
}

void LoadTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    std::string bytes;
    ReadFileBytes(ProfilePath(*profile, "vok.erience"), &bytes, TotalsFileSize); // missing: all 0
    ParseTotals(bytes, profile);
}

// Totals wrap around as 32-bit two's complement; the sums are kept unsigned so that
// a game reporting huge values cannot cause undefined behaviour.
struct TotalsSum {
    Uint32 unlocked, achievements, earned, possible;
};

// Completion time of a game: the modification time of its "vok.dat", 0 when unknown.
static int CompletionTime(const std::string& gameFolder)
{
    struct stat status;
    if (stat((gameFolder + "/vok.dat").c_str(), &status) != 0) return 0;
    return WrapToSint32(static_cast<Uint32>(status.st_mtime)); // wraps after 2038 instead of overflowing
}

static void AddGame(const std::string& folder, const std::string& name, TotalsSum* sum)
{
    std::string bytes;
    if (!ReadFileBytes(folder + name + "/vok.summary", &bytes, SummaryFileSize)) return;
    GameSummaryRecord summary = ParseSummary(bytes);
    sum->unlocked += static_cast<Uint32>(summary.unlockedCount);
    sum->achievements += static_cast<Uint32>(summary.achievementCount);
    sum->earned += static_cast<Uint32>(summary.pointsEarned);
    sum->possible += static_cast<Uint32>(summary.pointsPossible);
    InsertFavourite(summary.favouriteScore, name);
    if (summary.unlockedCount == summary.achievementCount) InsertCompleted(CompletionTime(folder + name), name);
}

void ComputeTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    FavouriteList.clear();
    CompletedList.clear();
    TotalsSum sum = {0, 0, 0, 0};
    std::string folder = ProfilePath(*profile, "");
    std::vector<std::string> names = ListFolder(folder);
    for (size_t i = 0; i < names.size(); ++i)
        if (IsGameFolderCandidate(names[i])) AddGame(folder, names[i], &sum);
    SetTotals(profile, WrapToSint32(sum.unlocked), WrapToSint32(sum.achievements), WrapToSint32(sum.earned),
              WrapToSint32(sum.possible));
}

void RecomputeTotals()
{
    ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    ComputeTotals();
    std::string folder = ProfilePath(*profile, "");
    bool saved = WriteFileSafely(folder + "vok.erience", FormatTotals(*profile));
    saved = WriteRankingFile() && saved;
    // The marker goes only once both files are on the card: if either is missing or a power
    // cut comes first, the next start recomputes again instead of showing stale totals.
    if (saved) std::remove((folder + "update").c_str());
}

int LoadGameSummary()
{
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game) return 0;
    GameSummaryRecord zeros = {0, 0, 0, 0, 0};
    GameSummary = zeros;
    std::string bytes;
    if (ReadFileBytes(GamePath(*profile, *game, "vok.summary"), &bytes, SummaryFileSize)) GameSummary = ParseSummary(bytes);
    return 1;
}
