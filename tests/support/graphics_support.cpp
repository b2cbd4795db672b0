#include "tests/support/graphics_support.h"

#include <filesystem>

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

Uint32 On565(uint32_t rgb) { return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F); }

Uint32 MapColour(SDL_Surface* s, int r, int g, int b) { return SDL_MapRGB(s->format, r, g, b); }

int WrongPixels(SDL_Surface* surface, const std::function<Uint32(int, int)>& expected)
{
    int wrong = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) wrong += PixelAt(surface, x, y) != expected(x, y);
    return wrong;
}

int CountPixels(SDL_Surface* s, Uint32 value)
{
    return s->w * s->h - WrongPixels(s, [=](int, int) { return value; });
}

TTF_Font* OpenBuildFont(int size) { return TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), size); }

// A failed change throws, or in the destructor ends the run: never a test in the wrong folder.
WorkingDirectory::WorkingDirectory(const std::string& path) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() { std::filesystem::current_path(previous_); }
