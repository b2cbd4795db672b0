#include "store/ranking.h"

std::vector<RankEntry> FavouriteList;
std::vector<RankEntry> CompletedList;
SDL_Surface* FavouriteIcons[5];
SDL_Surface* CompletedIcons[5];

void InsertFavourite(int, const std::string&) {}
void InsertCompleted(int, const std::string&) {}
void SaveRanking() {}
void LoadRanking() {}
void FreeRankingIcons() {}
std::string FormatRanking() { return std::string(); }
void ParseRanking(const std::string&) {}
