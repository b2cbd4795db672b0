#include "store/ranking.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "card/card_format.h"
#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "store/store_folder.h"
#include "store/store_paths.h"

std::vector<RankEntry> FavouriteList;
std::vector<RankEntry> CompletedList;
SDL_Surface* FavouriteIcons[5];
SDL_Surface* CompletedIcons[5];

static const size_t RankedCount = CARD_RANKED; // entries written to the file and given icons

// RankingFile "vok.ranking" (its keys in the card library): the families in file order.
struct RankingFamily {
    std::vector<RankEntry>* list;
    SDL_Surface** icons;         // RankedCount slots
};
static const RankingFamily RankingFamilies[] = {
    { &FavouriteList, FavouriteIcons },
    { &CompletedList, CompletedIcons },
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
            char key[8];
            CardRankingKey(f, static_cast<int>(i + 1), key);
            text += std::string(key) + "=" + list[i].gameFolder + "\r\n";
        }
    }
    return text;
}

// Lines are taken in file order whatever their number; a repeated key adds another entry.
// Into FavouriteList and CompletedList, or where `lists` points (in RankingFamilies' order).
static void ParseRankingInto(const std::string& text, std::vector<RankEntry>* const* lists)
{
    for (int f = 0; f < RankingFamilyCount; ++f) lists[f]->clear();
    std::vector<KeyValueLine> lines = ParseKeyValueLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        int family = CardRankingFamily(lines[i].key.data(), lines[i].key.size());
        if (family < 0) continue;
        RankEntry entry;
        entry.score = 0;
        entry.gameFolder = lines[i].value;
        lists[family]->push_back(entry);
    }
}

void ParseRanking(const std::string& text)
{
    std::vector<RankEntry>* lists[RankingFamilyCount];
    for (int f = 0; f < RankingFamilyCount; ++f) lists[f] = RankingFamilies[f].list;
    ParseRankingInto(text, lists);
}

bool WriteRankingFile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return false;
    return WriteStoreFile(profile->folder, CARD_RANKING_FILE, FormatRanking());
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

// Icons read ahead for the players a left or right press shows next, one a step, so
// that the press itself reads none: LoadRanking takes them by their path. Nothing else writes
// to the card while vok runs, so an icon read ahead is the file as it is when shown.
struct PreparedIcon {
    std::string path;
    SDL_Surface* icon; // null for a path without a valid icon, which is not read again
};
static std::vector<PreparedIcon> PreparedIcons;
static std::vector<std::string> WantedIcons; // what the two players show, each path once
static size_t NextWanted = 0;                // the first of WantedIcons maybe not read yet
static std::string PreparedFor[2];           // folders of the players they are wanted for

static bool IsPrepared(const std::string& path)
{
    for (size_t i = 0; i < PreparedIcons.size(); ++i)
        if (PreparedIcons[i].path == path) return true;
    return false;
}

// The icon paths of the first five entries of each of a player's rankings, each once.
static void AddIconPaths(const ProfileRecord& profile, std::vector<std::string>* paths)
{
    std::vector<RankEntry> favourites, completed;
    std::vector<RankEntry>* lists[RankingFamilyCount] = { &favourites, &completed };
    std::string text;
    if (ReadTextFile(ProfilePath(profile, CARD_RANKING_FILE), &text)) ParseRankingInto(text, lists);
    for (int f = 0; f < RankingFamilyCount; ++f)
        for (size_t i = 0; i < lists[f]->size() && i < RankedCount; ++i) {
            std::string path = GamePath(profile, (*lists[f])[i].gameFolder, CARD_GAME_ICON_FILE);
            if (std::find(paths->begin(), paths->end(), path) == paths->end()) paths->push_back(path);
        }
}

// Frees the icons read ahead that the players to either side no longer show.
static void DropUnwanted()
{
    for (size_t i = PreparedIcons.size(); i-- > 0;) {
        if (std::find(WantedIcons.begin(), WantedIcons.end(), PreparedIcons[i].path) != WantedIcons.end()) continue;
        FreeSurface(&PreparedIcons[i].icon);
        PreparedIcons.erase(PreparedIcons.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void FreePreparedIcons()
{
    for (size_t i = 0; i < PreparedIcons.size(); ++i) FreeSurface(&PreparedIcons[i].icon);
    PreparedIcons.clear();
    WantedIcons.clear();
    NextWanted = 0;
    PreparedFor[0].clear();
    PreparedFor[1].clear();
}

bool PrepareRankingIcons(const ProfileRecord* next, const ProfileRecord* previous)
{
    if (!DrawingCaches || !next || !previous) return false;
    if (next->folder != PreparedFor[0] || previous->folder != PreparedFor[1]) {
        PreparedFor[0] = next->folder;
        PreparedFor[1] = previous->folder;
        WantedIcons.clear();
        AddIconPaths(*next, &WantedIcons);
        if (previous != next) AddIconPaths(*previous, &WantedIcons);
        DropUnwanted();
        NextWanted = 0;
        return true; // one step a call: the list, then one icon at a time
    }
    while (NextWanted < WantedIcons.size() && IsPrepared(WantedIcons[NextWanted])) ++NextWanted;
    if (NextWanted == WantedIcons.size()) return false;
    PreparedIcon prepared;
    prepared.path = WantedIcons[NextWanted++];
    prepared.icon = LoadBitmap(prepared.path);
    PrepareForScreen(prepared.icon);
    PreparedIcons.push_back(prepared);
    return true;
}

// The icon at `path`: the one read ahead when there is one, else read now.
static SDL_Surface* RankingIcon(const std::string& path)
{
    for (size_t i = 0; i < PreparedIcons.size(); ++i) {
        if (PreparedIcons[i].path != path) continue;
        SDL_Surface* icon = PreparedIcons[i].icon;
        PreparedIcons.erase(PreparedIcons.begin() + static_cast<std::ptrdiff_t>(i));
        return icon;
    }
    return LoadBitmap(path);
}

// Slot `i` of family `f`: a game in both rankings, or twice in one, shares the surface of its
// first slot (SDL counts the references, so each slot frees its own).
static SDL_Surface* SharedIcon(int f, size_t i)
{
    const std::string& game = (*RankingFamilies[f].list)[i].gameFolder;
    for (int g = 0; g <= f; ++g) {
        const std::vector<RankEntry>& list = *RankingFamilies[g].list;
        for (size_t j = 0; j < list.size() && j < RankedCount && (g < f || j < i); ++j) {
            SDL_Surface* icon = RankingFamilies[g].icons[j];
            if (list[j].gameFolder != game || !icon) continue;
            ++icon->refcount;
            return icon;
        }
    }
    return 0;
}

static void LoadIcons(const ProfileRecord& profile, int f)
{
    const std::vector<RankEntry>& list = *RankingFamilies[f].list;
    for (size_t i = 0; i < list.size() && i < RankedCount; ++i) {
        SDL_Surface* icon = SharedIcon(f, i);
        RankingFamilies[f].icons[i] = icon ? icon : RankingIcon(GamePath(profile, list[i].gameFolder, CARD_GAME_ICON_FILE));
    }
}

void LoadRanking()
{
    FavouriteList.clear();
    CompletedList.clear();
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    std::string text;
    if (ReadTextFile(ProfilePath(*profile, CARD_RANKING_FILE), &text)) ParseRanking(text);
    FreeRankingIcons();
    for (int f = 0; f < RankingFamilyCount; ++f) LoadIcons(*profile, f);
}
