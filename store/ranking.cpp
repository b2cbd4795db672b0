#include "store/ranking.h"

#include <cstdio>

#include "graphics/media.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "store/store_paths.h"

std::vector<RankEntry> FavouriteList;
std::vector<RankEntry> CompletedList;
SDL_Surface* FavouriteIcons[5];
SDL_Surface* CompletedIcons[5];

static const size_t RankedCount = 5; // entries written to the file and given icons

// RankingFile "vok.ranking": text lines ended by "\r\n", first "fav1=<game folder>" to at most
// "fav5=...", then "cmp1=..." to at most "cmp5=...". No header, no scores, no other keys.
struct RankingFamily {
    const char* prefix;          // key without its number
    std::vector<RankEntry>* list;
    SDL_Surface** icons;         // RankedCount slots
};
static const RankingFamily RankingFamilies[] = {
    { "fav", &FavouriteList, FavouriteIcons },
    { "cmp", &CompletedList, CompletedIcons },
};
static const int RankingFamilyCount = sizeof RankingFamilies / sizeof RankingFamilies[0];

static void Insert(std::vector<RankEntry>* list, int score, const std::string& gameFolder)
{
    RankEntry entry;
    entry.score = score;
    entry.gameFolder = gameFolder;
    std::vector<RankEntry>::iterator place = list->begin();
    while (place != list->end() && place->score >= score) ++place; // equal scores keep insertion order
    list->insert(place, entry);
}

void InsertFavourite(int score, const std::string& gameFolder) { Insert(&FavouriteList, score, gameFolder); }
void InsertCompleted(int score, const std::string& gameFolder) { Insert(&CompletedList, score, gameFolder); }

std::string FormatRanking()
{
    std::string text;
    for (int f = 0; f < RankingFamilyCount; ++f) {
        const std::vector<RankEntry>& list = *RankingFamilies[f].list;
        for (size_t i = 0; i < list.size() && i < RankedCount; ++i) {
            char number[4];
            std::sprintf(number, "%d", static_cast<int>(i + 1));
            text += std::string(RankingFamilies[f].prefix) + number + "=" + list[i].gameFolder + "\r\n";
        }
    }
    return text;
}

// The list a key such as "fav3" belongs to: the prefix and one digit 1 to 5, exactly.
static std::vector<RankEntry>* ListOfKey(const std::string& key)
{
    for (int f = 0; f < RankingFamilyCount; ++f) {
        const std::string prefix = RankingFamilies[f].prefix;
        if (key.size() == prefix.size() + 1 && key.compare(0, prefix.size(), prefix) == 0 &&
            key[prefix.size()] >= '1' && key[prefix.size()] <= '5')
            return RankingFamilies[f].list;
    }
    return 0;
}

// Lines are taken in file order whatever their number; a repeated key adds another entry.
void ParseRanking(const std::string& text)
{
    FavouriteList.clear();
    CompletedList.clear();
    std::vector<KeyValueLine> lines = ParseKeyValueLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<RankEntry>* list = ListOfKey(lines[i].key);
        if (!list) continue;
        RankEntry entry;
        entry.score = 0;
        entry.gameFolder = lines[i].value;
        list->push_back(entry);
    }
}

bool WriteRankingFile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return false;
    return WriteFileSafely(ProfilePath(*profile, "vok.ranking"), FormatRanking());
}

void SaveRanking()
{
    WriteRankingFile(); // a card that cannot be written keeps the old ranking; nothing to tell
}

void FreeRankingIcons()
{
    for (size_t i = 0; i < RankedCount; ++i) {
        FreeSurface(&FavouriteIcons[i]);
        FreeSurface(&CompletedIcons[i]);
    }
}

static void LoadIcons(const ProfileRecord& profile, const RankingFamily& family)
{
    const std::vector<RankEntry>& list = *family.list;
    for (size_t i = 0; i < list.size() && i < RankedCount; ++i)
        family.icons[i] = LoadBitmap(GamePath(profile, list[i].gameFolder, "vok.icon"));
}

void LoadRanking()
{
    FavouriteList.clear();
    CompletedList.clear();
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    std::string text;
    if (ReadTextFile(ProfilePath(*profile, "vok.ranking"), &text)) ParseRanking(text);
    FreeRankingIcons();
    for (int f = 0; f < RankingFamilyCount; ++f) LoadIcons(*profile, RankingFamilies[f]);
}
