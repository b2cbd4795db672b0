#include "tests/support/store_support.h"

#include <SDL.h>

#include "frame/state.h"
#include "graphics/media.h"
#include "store/profiles.h"
#include "store/progress_writer.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/test_support.h"

void ResetStore(const std::string& store)
{
    StoreRoot = store;
    for (ProfileRecord* record : Profiles) delete record;
    Profiles.clear();
    SelectedProfile = 0;
    GameFolders.clear();
    SelectedGame = 0;
    FavouriteList.clear();
    CompletedList.clear();
    FreeRankingIcons();
    for (SDL_Surface*& icon : AchievementIcons) FreeSurface(&icon);
    GameSummary = GameSummaryRecord{0, 0, 0, 0, 0};
    NoticeId = 0;
}

void MakePlayer(const std::string& store, const std::string& folder, const std::string& profileText)
{
    MakeDir(store + folder);
    WriteFile(store + folder + "/vok.cfg", profileText);
}

void MakeGame(const std::string& store, const std::string& player, const std::string& game,
              const GameSummaryRecord& summary, bool withRecords)
{
    const std::string dir = store + player + "/" + game;
    MakeDir(dir);
    WriteSummaryFile(dir + "/vok.summary", summary);
    if (withRecords) WriteAchievementFile(dir + "/vok.dat", {AchievementRecord{1, 10, 0, 1}});
}

std::vector<std::string> DirectoryOrder(const std::string& folder, bool (*keep)(const std::string&))
{
    std::vector<std::string> kept;
    for (const std::string& name : ListFolder(folder))
        if (keep(name)) kept.push_back(name);
    return kept;
}

SDL_Surface* MakeSurface(int width, int height)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 16, 0, 0, 0, 0);
}
