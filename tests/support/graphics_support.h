// Helpers of the graphics tests: a 16-bit screen, pixels, the build's font, a working folder.
#ifndef VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H
#define VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H

#include <SDL.h>
#include <SDL_ttf.h>
#include <cstdint>
#include <functional>
#include <string>

// Starts SDL video (dummy driver) and TTF once; ScreenSurface becomes a fresh black 320 x 240 x 16.
void MakeTestScreen();
Uint32 PixelAt(SDL_Surface* surface, int x, int y);                   // raw 16-bit pixel
Uint32 MapColour(SDL_Surface* surface, int red, int green, int blue); // SDL_MapRGB
int CountPixels(SDL_Surface* surface, Uint32 value);                  // pixels equal to `value`
Uint32 On565(uint32_t rgb); // 0xRRGGBB as the 5-6-5 screen holds it, where the colour key is compared
// Pixels of `surface` that differ from expected(x, y).
int WrongPixels(SDL_Surface* surface, const std::function<Uint32(int, int)>& expected);
TTF_Font* OpenBuildFont(int size); // the build's media/pfcb.ttf, or null (after MakeTestScreen)

// Changes into `path` for the lifetime of the object.
struct WorkingDirectory {
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();
    std::string previous_; // the folder to return to
};

#endif
