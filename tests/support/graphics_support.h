// Helpers of the drawing, media and popup tests: a 16-bit software screen, pixel access,
// the build tree's font, and a working-directory switch that undoes itself.
#ifndef VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H
#define VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H

#include <SDL.h>
#include <SDL_ttf.h>
#include <functional>
#include <string>

// Starts SDL video (dummy driver) and TTF once; ScreenSurface becomes a fresh black 320 x 240
// 16-bit software surface (the previous one is freed).
void MakeTestScreen();
Uint32 PixelAt(SDL_Surface* surface, int x, int y);                   // raw 16-bit pixel
Uint32 MapColour(SDL_Surface* surface, int red, int green, int blue); // SDL_MapRGB
int CountPixels(SDL_Surface* surface, Uint32 value);                  // pixels equal to `value`
// Pixels of `surface` that differ from expected(x, y).
int WrongPixels(SDL_Surface* surface, const std::function<Uint32(int, int)>& expected);
TTF_Font* OpenBuildFont(int size); // the build tree's media/pfcb.ttf (after MakeTestScreen); null when missing

// Changes into `path` for the lifetime of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::string previous_;
};

#endif
