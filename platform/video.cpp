// The video surface and the joystick. The handheld, and a desktop window at zoom 1, draw
// straight into the 320 x 240 video surface. A zoomed desktop draws into a 320 x 240 surface
// of its own that every flip enlarges onto the window by the integer zoom, so the screens
// never know the window's size.
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
    InstallDesktopInput();
    const SDL_PixelFormat* format = Window->format; // 16 bits: SDL converts when the display differs
    if (WindowZoom == 1) {
        ScreenSurface = Window;
        return true;
    }
    ScreenSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, ScreenWidth, ScreenHeight, BytesPerPixel * 8,
                                         format->Rmask, format->Gmask, format->Bmask, 0);
    return ScreenSurface != 0;
}

bool PlatformOpenVideo()
{
    ScreenKeepsPicture = false; // a new video surface shows no frame yet
    ShownPartCount = 0;
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

// Two pixels (the low 32 bits of `two`, little-endian) as four: each in its own 32 bits, then twice.
static Uint64 Doubled(Uint64 two)
{
    two = (two | two << 16) & 0x0000FFFF0000FFFFULL;
    return two | two << 16;
}

// One drawing row widened onto a window row, each pixel `zoom` times. At zoom 2 on a
// little-endian machine four pixels are read at once and written as two 8-byte values holding
// each twice (rows are 8-byte aligned in SDL's surfaces and 320 pixels wide).
static void WidenRow(const Uint16* source, Uint16* target, int width, int zoom)
{
    const Uint16 probe = 1;
    if (zoom == 2 && width % 4 == 0 && *(const Uint8*)&probe == 1) {
        const Uint64* in = (const Uint64*)source;
        Uint64* out = (Uint64*)target;
        for (int i = 0; i < width / 4; ++i) {
            const Uint64 four = in[i];
            out[2 * i] = Doubled(four & 0xFFFFFFFFu);
            out[2 * i + 1] = Doubled(four >> 32);
        }
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int k = 0; k < zoom; ++k) *target++ = source[x];
}

// Copies rows [top, bottom) of the drawing surface onto the window, each pixel as a zoom x zoom
// block: each row widened once and copied down, the last of a block darkened for scan lines.
static void Enlarge(const SDL_Surface* from, SDL_Surface* to, int zoom, bool scanlines, int top, int bottom)
{
    const size_t rowBytes = size_t(from->w) * zoom * sizeof(Uint16);
    for (int y = top; y < bottom; ++y) {
        const Uint16* source = (const Uint16*)((const Uint8*)from->pixels + y * from->pitch);
        Uint8* first = (Uint8*)to->pixels + y * zoom * to->pitch;
        WidenRow(source, (Uint16*)first, from->w, zoom);
        for (int row = 1; row < zoom; ++row) {
            Uint16* target = (Uint16*)(first + row * to->pitch);
            if (scanlines && row == zoom - 1) {
                for (int x = 0; x < from->w * zoom; ++x) target[x] = Darkened(((Uint16*)first)[x], to->format);
            } else {
                std::memcpy(target, first, rowBytes);
            }
        }
    }
}

// The rows of `part` held to the drawing surface's height, as [*top, *bottom).
static void PartRows(const SDL_Rect& part, int height, int* top, int* bottom)
{
    *top = part.y < 0 ? 0 : part.y > height ? height : part.y;
    *bottom = part.y + part.h > height ? height : part.y + part.h;
    if (*bottom < *top) *bottom = *top;
}

void PlatformPresent()
{
    const int parts = ShownPartCount; // a frame that redrew parts shows only those
    ShownPartCount = 0;
    if (!Window || Window == ScreenSurface) {
        if (ScreenSurface && parts > 0) SDL_UpdateRects(ScreenSurface, parts, ShownParts);
        else if (ScreenSurface) SDL_Flip(ScreenSurface);
        return;
    }
    if (SDL_MUSTLOCK(Window) && SDL_LockSurface(Window) < 0) return;
    const bool scanlines = Options.scanlines && WindowZoom > 1;
    SDL_Rect shown[MaxShownParts];
    for (int i = 0; i < parts; ++i) {
        int top, bottom;
        PartRows(ShownParts[i], ScreenSurface->h, &top, &bottom);
        Enlarge(ScreenSurface, Window, WindowZoom, scanlines, top, bottom); // whole rows: they widen four pixels at a time
        shown[i].x = 0;
        shown[i].y = Sint16(top * WindowZoom);
        shown[i].w = Uint16(Window->w);
        shown[i].h = Uint16((bottom - top) * WindowZoom);
    }
    if (parts == 0) Enlarge(ScreenSurface, Window, WindowZoom, scanlines, 0, ScreenSurface->h);
    if (SDL_MUSTLOCK(Window)) SDL_UnlockSurface(Window);
    if (parts > 0) SDL_UpdateRects(Window, parts, shown);
    else SDL_Flip(Window);
}

void PlatformCloseVideo()
{
    if (Window && Window != ScreenSurface) SDL_FreeSurface(ScreenSurface); // the video surface is SDL's, freed by SDL_Quit
    ScreenSurface = 0;
    Window = 0;
}
