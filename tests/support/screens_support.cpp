#include "tests/support/screens_support.h"

#include <cstdlib>
#include <sstream>
#include "frame/state.h"
#include "profile/profile_file.h"
#include "screens/notices.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "tests/support/graphics_support.h"
#include "tests/support/program_state.h"

void WritePlayer(const std::string& store, const PlayerSetup& p)
{
    const ProfileRecord kept = EditedProfile; // borrowed to reach the program's formatter
    SetEditedProfile(p.folder, p.lang, p.name, p.base, p.eyes, p.browns, p.ears, p.nose, p.mouth,
                     p.facial, p.hair, p.tatoo, p.clothes);
    MakeDir(store + p.folder);
    WriteFile(store + p.folder + "/vok.cfg", FormatProfileFile(EditedProfile));
    EditedProfile = kept;
}

void WriteGame(const std::string& store, const std::string& playerFolder, const GameSetup& game)
{
    const std::string dir = store + playerFolder + "/" + game.folder;
    MakeDir(dir);
    WriteSummary(dir, game.summary);
    WriteRecords(dir, game.records);
    WriteTitle(dir, game.title, game.author);
    if (!game.texts.empty()) WriteTexts(dir, "default", game.texts);
    for (int id : game.iconIds) WriteIcon(dir, id, RgbImage(20, 20, game.iconColour));
}

GameSetup CountedGame(const std::string& folder, int texts, int records)
{
    GameSetup game;
    game.folder = folder;
    for (int i = 1; i <= texts; ++i)
        game.texts.push_back({i, "Name" + std::to_string(i), "Description " + std::to_string(i)});
    for (int i = 1; i <= records; ++i) game.records.push_back({i, i, 0, 0});
    return game;
}

// Entries of `dir` named `prefix`... that hold `file`, in directory order.
static std::vector<std::string> Holding(const std::string& dir, const std::string& prefix,
                                        const std::string& file)
{
    std::vector<std::string> names;
    for (const std::string& name : ListFolder(dir)) {
        const bool prefixed = name.compare(0, prefix.size(), prefix) == 0;
        if (name != "." && name != ".." && prefixed && PathExists(dir + name + file)) names.push_back(name);
    }
    return names;
}

std::vector<std::string> PlayerOrder(const std::string& store) { return Holding(store, "vok_", "/vok.cfg"); }

std::vector<std::string> GameOrder(const std::string& store, const std::string& player)
{
    return Holding(store + player + "/", "", "/vok.dat");
}

VokRun RunOnCard(const std::string& store, const std::string& script, int maxFrames,
                 std::vector<std::string> args)
{
    args.insert(args.begin(), {"--store", store, "--max-frames", std::to_string(maxFrames)});
    return RunVok(args, script);
}

std::string WordsScript(const std::string& words, int* frame)
{
    std::istringstream in(words);
    std::string text, word;
    while (in >> word) {
        const size_t comma = word.find(',');
        if (word[0] == '.')
            *frame += std::stoi(word.substr(1));
        else if (comma != std::string::npos)
            text += std::to_string((*frame)++) + " touch " + word.replace(comma, 1, " ") + "\n";
        else
            text += std::to_string((*frame)++) + " button " + word + "\n";
    }
    return text;
}

void SelectAtStart(const std::string& store, const std::string& folder) { WriteFile(store + "activevok", folder); }

bool Near(uint32_t rgb, int red, int green, int blue)
{
    return std::abs(int(rgb >> 16) - red) <= 8
        && std::abs(int((rgb >> 8) & 0xFF) - green) <= 8
        && std::abs(int(rgb & 0xFF) - blue) <= 8;
}

bool Near(uint32_t rgb, uint32_t want) { return Near(rgb, want >> 16, (want >> 8) & 0xFF, want & 0xFF); }

bool Shows(int x, int y, uint32_t want) { return Near(ScreenPixel(x, y), want); }

void StartScreens()
{
    MakeTestScreen();
    if (!FontSmall) FontSmall = OpenBuildFont(8);
}

void ResetScreens(const std::string& store)
{
    ResetProgramState(KeepTheMedia);
    StoreRoot = store;
    for (SDL_Event event; SDL_PollEvent(&event);) {}
    ScanProfiles();
    NoticeId = 0; // the notice of an empty card's first scan: the tests raise notices themselves
    ClearScreen();
}

void ReleaseCard() { ResetProgramState(); }

void PushButton(int button)
{
    SDL_Event event;
    event.jbutton = {SDL_JOYBUTTONDOWN, 0, Uint8(button), SDL_PRESSED};
    SDL_PushEvent(&event);
}

void PushTouch(int x, int y, int mouseButton)
{
    SDL_Event event;
    event.button = {SDL_MOUSEBUTTONUP, 0, Uint8(mouseButton), SDL_RELEASED, Uint16(x), Uint16(y)};
    SDL_PushEvent(&event);
}

uint32_t ScreenPixel(int x, int y)
{
    Uint8 r, g, b;
    SDL_GetRGB(PixelAt(ScreenSurface, x, y), ScreenSurface->format, &r, &g, &b);
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
    ScreenKeepsPicture = false; // the next frame draws whole, as on a fresh screen
}
