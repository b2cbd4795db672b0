// Helpers of the drawing, media and popup tests: a 16-bit software screen, pixel access,
// the real font of the build tree, and a working-directory switch that undoes itself.
#ifndef VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H
#define VOK_TESTS_SUPPORT_GRAPHICS_SUPPORT_H

#include <SDL.h>
#include <SDL_ttf.h>
#include <string>

// Starts SDL video (dummy driver) and TTF once, and gives ScreenSurface a fresh black
// 320 x 240 16-bit software surface; the previous one is freed.
void MakeTestScreen();
// The raw 16-bit pixel of `surface` at (x, y).
Uint32 PixelAt(SDL_Surface* surface, int x, int y);
// SDL_MapRGB in `surface`'s format.
Uint32 MapColour(SDL_Surface* surface, int red, int green, int blue);
// Pixels of `surface` equal to `value`.
int CountPixels(SDL_Surface* surface, Uint32 value);
// True when every pixel of `a` equals the pixel of `b` (same size).
bool SameSurfaces(SDL_Surface* a, SDL_Surface* b);
// "media/pfcb.ttf" of the build tree at `size`; null when missing.
TTF_Font* OpenBuildFont(int size);

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
