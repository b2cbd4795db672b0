#include "tests/support/graphics_support.h"

#include <unistd.h>
#include <climits>
#include <cstdlib>

#include "frame/state.h"
#include "tests/support/test_support.h"

void MakeTestScreen()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
    }
    if (!TTF_WasInit()) TTF_Init();
    if (ScreenSurface) SDL_FreeSurface(ScreenSurface);
    ScreenSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
}

Uint32 PixelAt(SDL_Surface* surface, int x, int y)
{
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint16*>(row)[x];
}

Uint32 MapColour(SDL_Surface* surface, int red, int green, int blue)
{
    return SDL_MapRGB(surface->format, Uint8(red), Uint8(green), Uint8(blue));
}

int CountPixels(SDL_Surface* surface, Uint32 value)
{
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) count += PixelAt(surface, x, y) == value;
    return count;
}

bool SameSurfaces(SDL_Surface* a, SDL_Surface* b)
{
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y)) return false;
    return true;
}

TTF_Font* OpenBuildFont(int size)
{
    if (!TTF_WasInit()) TTF_Init();
    return TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), size);
}

WorkingDirectory::WorkingDirectory(const std::string& path)
{
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer)) previous_ = buffer;
    if (chdir(path.c_str()) != 0) std::abort();
}

WorkingDirectory::~WorkingDirectory()
{
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::abort();
}
