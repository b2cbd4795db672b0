// Fixtures of the screen tests: players and games written onto a temporary card, the card's
// directory order, whole runs on it, and in-process screens with pushed events and pixels.
#ifndef VOK_TESTS_SUPPORT_SCREENS_SUPPORT_H
#define VOK_TESTS_SUPPORT_SCREENS_SUPPORT_H

#include <SDL.h>
#include "graphics/media.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/kit_support.h"
#include "tests/support/test_support.h"

using Ints = std::vector<int>; // several state values compared at once

struct PlayerSetup { // folder ("vok_..." under the store), name, language, the parts in the file's order
    std::string folder, name, lang = "English";
    std::string base = "01", eyes = "01", browns = "01", nose = "01", ears = "01", mouth = "01", facial = "";
    std::string hair = "01", tatoo = "", clothes = "01";
};

struct GameSetup {
    std::string folder;                       // game folder inside the player's folder
    std::string title = "Game";
    std::string author = "Maker";
    GameSummaryRecord summary = {0, 0, 0, 0, 0};
    std::vector<AchievementRecord> records;   // vok.dat
    std::vector<AchievementTextSource> texts; // vok.desc.default
    std::vector<int> iconIds;                 // icon files written, solid 20 x 20
    uint32_t iconColour = 0x00FF00;
};

// `store` ends with "/". The profile file goes through the program's own formatter.
void WritePlayer(const std::string& store, const PlayerSetup& player);
void WriteGame(const std::string& store, const std::string& playerFolder, const GameSetup& game);
// Texts 1..count named "Name<i>" with "Description <i>", records id i worth i points.
GameSetup CountedGame(const std::string& folder, int texts, int records);
// The players' folders and a player's games in the order the directory returns them.
std::vector<std::string> PlayerOrder(const std::string& store);
std::vector<std::string> GameOrder(const std::string& store, const std::string& playerFolder);

// Runs vok headless on the card `store` for `maxFrames` frames with an input script.
VokRun RunOnCard(const std::string& store, const std::string& script, int maxFrames,
                 std::vector<std::string> extraArgs = {});
void SelectAtStart(const std::string& store, const std::string& folder); // "activevok" naming it
// The input script of `words`, one a frame from *frame on: a button name, "X,Y" a touch, ".N"
// N frames without input; *frame becomes the frame after the last word.
std::string WordsScript(const std::string& words, int* frame);
bool Near(uint32_t rgb, int red, int green, int blue); // 0xRRGGBB within what 16 bits keep
bool Near(uint32_t rgb, uint32_t want);                // the same, both 0xRRGGBB
bool Shows(int x, int y, uint32_t want);               // ScreenPixel(x, y) is Near `want`

void StartScreens(); // in process: dummy video, a fresh 320 x 240 x 16 ScreenSurface, FontSmall
// ResetProgramState keeping the media, StoreRoot = store, scanned; no events, no notice, black screen.
void ResetScreens(const std::string& store);
void ReleaseCard(); // ResetProgramState: the program keeps its records until it ends, a test does not
void PushButton(int button);
void PushTouch(int x, int y, int mouseButton = 1);
uint32_t ScreenPixel(int x, int y);                           // 0xRRGGBB of ScreenSurface
SDL_Surface* SolidSurface(int width, int height, uint32_t rgb); // one colour, no colour key
void ClearScreen();                                           // ScreenSurface to black

#endif
