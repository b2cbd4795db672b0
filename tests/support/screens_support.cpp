#include "tests/support/screens_support.h"

#include <SDL_ttf.h>

#include "frame/state.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "screens/game_screen.h"
#include "screens/notices.h"
#include "store/game_files.h"
#include "store/progress_writer.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "tests/support/test_support.h"

void WritePlayer(const std::string& store, const PlayerSpec& player)
{
    ProfileRecord record;
    record.folder = player.folder;
    record.lang = player.lang;
    record.name = player.name;
    record.base = player.base;
    record.eyes = player.eyes;
    record.browns = player.browns;
    record.nose = player.nose;
    record.ears = player.ears;
    record.mouth = player.mouth;
    record.facial = player.facial;
    record.hair = player.hair;
    record.tatoo = player.tatoo;
    record.clothes = player.clothes;
    MakeDir(store + player.folder);
    WriteFile(store + player.folder + "/vok.cfg", FormatProfileFile(record));
}

void WriteGame(const std::string& store, const std::string& playerFolder, const GameSpec& game)
{
    const std::string dir = store + playerFolder + "/" + game.folder;
    MakeDir(dir);
    WriteSummaryFile(dir + "/vok.summary", game.summary);
    WriteAchievementFile(dir + "/vok.dat", game.records);
    WriteTitleFile(dir, game.title, game.author);
    if (!game.texts.empty()) WriteAchievementTexts(dir, "default", game.texts);
    for (int id : game.iconIds) WriteAchievementIcon(dir, id, RgbImage(20, 20, game.iconColour));
}

GameSpec CountedGame(const std::string& folder, int texts, int records)
{
    GameSpec game;
    game.folder = folder;
    for (int i = 1; i <= texts; ++i)
        game.texts.push_back({i, "Name" + std::to_string(i), "Description " + std::to_string(i)});
    for (int i = 1; i <= records; ++i) game.records.push_back({i, i, 0, 0});
    return game;
}

std::vector<std::string> PlayerOrder(const std::string& store)
{
    std::vector<std::string> players;
    for (const std::string& name : ListFolder(store))
        if (name.compare(0, 4, "vok_") == 0 && PathExists(store + name + "/vok.cfg")) players.push_back(name);
    return players;
}

std::vector<std::string> GameOrder(const std::string& store, const std::string& playerFolder)
{
    std::vector<std::string> games;
    const std::string dir = store + playerFolder + "/";
    for (const std::string& name : ListFolder(dir))
        if (name != "." && name != ".." && PathExists(dir + name + "/vok.dat")) games.push_back(name);
    return games;
}

VokRun RunOnCard(const std::string& store, const std::string& script, int maxFrames,
                 const std::vector<std::string>& extraArgs)
{
    std::vector<std::string> args = {"--store", store, "--max-frames", std::to_string(maxFrames)};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return RunVok(args, script);
}

void SelectAtStart(const std::string& store, const std::string& folder)
{
    WriteFile(store + "activevok", folder);
}

bool ReadBmpPixels(const std::string& path, RgbImage* image)
{
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_BlitSurface(loaded, nullptr, rgb, nullptr);
    *image = RgbImage(rgb->w, rgb->h);
    for (int y = 0; y < rgb->h; ++y)
        for (int x = 0; x < rgb->w; ++x)
            image->at(x, y) = static_cast<uint32_t*>(rgb->pixels)[y * (rgb->pitch / 4) + x] & 0xFFFFFF;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(loaded);
    return true;
}

bool Near(uint32_t rgb, int red, int green, int blue)
{
    auto close = [](int a, int b) { return a - b <= 8 && b - a <= 8; };
    return close(int(rgb >> 16), red) && close(int((rgb >> 8) & 0xFF), green) && close(int(rgb & 0xFF), blue);
}

void StartScreens()
{
    if (ScreenSurface) return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    ScreenSurface = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    TTF_Init();
    FontSmall = TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), 8);
}

void ResetScreens(const std::string& store)
{
    StoreRoot = store;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    ScanProfiles();
    GameFolders.clear();
    SelectedGame = 0;
    Achievements.clear();
    AchievementTexts.clear();
    ScreenMode = 1;
    QuitRequested = 0;
    PopupId = 0;
    PopupCursor = 0;
    PopupItemCount = 3;
    NoticeId = 0;
    SnapshotCountdown = 0;
    GridColumn = 1;
    GridRow = 1;
    ClearScreen();
}

void ReleaseCard()
{
    TempDir empty;
    ResetScreens(empty.store());
    NoticeId = 0;
}

void PushButton(int button)
{
    SDL_Event event = {};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.type = SDL_JOYBUTTONDOWN;
    event.jbutton.which = 0;
    event.jbutton.button = Uint8(button);
    event.jbutton.state = SDL_PRESSED;
    SDL_PushEvent(&event);
}

void PushTouch(int x, int y, int mouseButton)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.type = SDL_MOUSEBUTTONUP;
    event.button.button = Uint8(mouseButton);
    event.button.state = SDL_RELEASED;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    SDL_PushEvent(&event);
}

uint32_t ScreenPixel(int x, int y)
{
    SDL_LockSurface(ScreenSurface);
    Uint16 value = static_cast<Uint16*>(ScreenSurface->pixels)[y * (ScreenSurface->pitch / 2) + x];
    SDL_UnlockSurface(ScreenSurface);
    Uint8 r, g, b;
    SDL_GetRGB(value, ScreenSurface->format, &r, &g, &b);
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

SDL_Surface* SolidSurface(int width, int height, uint32_t rgb)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 16, 0, 0, 0, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, Uint8(rgb >> 16), Uint8(rgb >> 8), Uint8(rgb)));
    return s;
}

void ClearScreen()
{
    SDL_FillRect(ScreenSurface, nullptr, 0);
}
