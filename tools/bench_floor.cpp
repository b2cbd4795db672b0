// The floor of tools/bench.sh: the least any frame of vok can cost on this machine, a
// 320 x 240 x 16 background blitted onto the video surface and flipped, FRAMES times.
#include <SDL.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::atoi(argv[1]) : 30;
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    SDL_Surface* screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    SDL_Surface* loaded = SDL_LoadBMP("media/background.bmp");
    if (!screen || !loaded) return 1;
    SDL_Surface* background = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    for (int i = 0; i < frames; ++i) {
        SDL_BlitSurface(background, 0, screen, 0);
        SDL_Flip(screen);
    }
    SDL_FreeSurface(background);
    SDL_Quit();
    return 0;
}
