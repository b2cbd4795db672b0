// Fixtures of the store tests: the in-memory store reset and pointed at a temporary card,
// and players and games written onto that card with the format writers.
#ifndef VOK_TESTS_SUPPORT_STORE_SUPPORT_H
#define VOK_TESTS_SUPPORT_STORE_SUPPORT_H

#include <SDL.h>

#include <string>
#include <vector>

#include "store/progress.h"

// StoreRoot = `store`; players, games, rankings and icons emptied; indexes and notice 0.
void ResetStore(const std::string& store);
// A player's folder with `profileText` as its "vok.cfg".
void MakePlayer(const std::string& store, const std::string& folder, const std::string& profileText);
// A game folder with its summary and, when `withRecords`, a "vok.dat" of one record.
void MakeGame(const std::string& store, const std::string& player, const std::string& game,
              const GameSummaryRecord& summary, bool withRecords = true);
// The entries of `folder` for which `keep` is true, in the order the directory returns them.
std::vector<std::string> DirectoryOrder(const std::string& folder, bool (*keep)(const std::string&));
// A plain 16-bit surface, for filling icon slots.
SDL_Surface* MakeSurface(int width, int height);

#endif
