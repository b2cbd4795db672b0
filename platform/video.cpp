// The video surface and the joystick. The handheld draws straight into its 320 x 240 video
// surface. A desktop draws into a 320 x 240 surface of its own that every flip enlarges onto
// the window by the integer zoom, so the screens never know the window's size.
#include "platform/platform.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>

#include "frame/state.h"
#include "platform/device.h"

static SDL_Surface* Window = 0; // the desktop window; null on the handheld

void PlatformPrepareVideo()
{
    if (HandheldBuild) return;
    const char* display = std::getenv("DISPLAY");
    bool noDisplay = !display || !*display;
    if (!noDisplay || std::getenv("SDL_VIDEODRIVER")) return;
    // Without this SDL would try a text terminal's framebuffer when no display exists; a
    // run nobody watches is silent too, rather than complaining about missing sound cards.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
}

bool PlatformInitWithoutSound()
{
    if (HandheldBuild) return false;
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) >= 0;
}

static bool Headless()
{
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    return std::strcmp(name, "dummy") == 0;
}

static bool OpenDesktopWindow()
{
    WindowZoom = Options.zoom > 0 ? Options.zoom : Headless() ? 1 : 2;
    Uint32 flags = SDL_SWSURFACE | (Options.fullscreen ? SDL_FULLSCREEN : 0);
    int scale = DisplayScale * WindowZoom;
    Window = SDL_SetVideoMode(ScreenWidth * scale, ScreenHeight * scale, BytesPerPixel * 8, flags);
    if (!Window) return false;
    const SDL_PixelFormat* format = Window->format; // 16 bits: SDL converts when the display differs
    ScreenSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, ScreenWidth, ScreenHeight, BytesPerPixel * 8,
                                         format->Rmask, format->Gmask, format->Bmask, 0);
    InstallDesktopInput();
    return ScreenSurface != 0;
}

bool PlatformOpenVideo()
{
    if (!HandheldBuild) return OpenDesktopWindow();
    ScreenSurface = SDL_SetVideoMode(ScreenWidth * DisplayScale, ScreenHeight * DisplayScale,
                                     BytesPerPixel * 8, 0);
    return ScreenSurface != 0;
}

bool PlatformOpenJoystick()
{
    // A desktop runs without a joystick: its keys stand in for the buttons. So does an input
    // script on the handheld build (a headless run of the SD-card package under an emulator).
    if (HandheldBuild || SDL_NumJoysticks() > 0) JoystickHandle = SDL_JoystickOpen(0);
    return JoystickHandle != 0 || !HandheldBuild || !Options.script.empty();
}

void PlatformHideCursor()
{
    if (HandheldBuild) SDL_ShowCursor(SDL_DISABLE);
}

// Every channel at half brightness, for the scan-line look.
static Uint16 Darkened(Uint16 pixel, const SDL_PixelFormat* f)
{
    Uint32 keep = ((f->Rmask >> 1) & f->Rmask) | ((f->Gmask >> 1) & f->Gmask) | ((f->Bmask >> 1) & f->Bmask);
    return Uint16((pixel >> 1) & keep);
}

// Copies the drawing surface onto the window, each pixel as a zoom x zoom block.
static void Enlarge(const SDL_Surface* from, SDL_Surface* to, int zoom, bool scanlines)
{
    for (int y = 0; y < from->h; ++y) {
        const Uint16* source = (const Uint16*)((const Uint8*)from->pixels + y * from->pitch);
        for (int row = 0; row < zoom; ++row) {
            Uint16* target = (Uint16*)((Uint8*)to->pixels + (y * zoom + row) * to->pitch);
            bool dark = scanlines && row == zoom - 1;
            for (int x = 0; x < from->w; ++x) {
                Uint16 pixel = dark ? Darkened(source[x], to->format) : source[x];
                for (int k = 0; k < zoom; ++k) *target++ = pixel;
            }
        }
    }
}

void PlatformPresent()
{
    if (!Window) {
        if (ScreenSurface) SDL_Flip(ScreenSurface);
        return;
    }
    if (SDL_MUSTLOCK(Window) && SDL_LockSurface(Window) < 0) return;
    Enlarge(ScreenSurface, Window, WindowZoom, Options.scanlines && WindowZoom > 1);
    if (SDL_MUSTLOCK(Window)) SDL_UnlockSurface(Window);
    SDL_Flip(Window);
}

void PlatformCloseVideo()
{
    if (Window) SDL_FreeSurface(ScreenSurface); // the handheld's is SDL's own, freed by SDL_Quit
    ScreenSurface = 0;
    Window = 0;
}
