#include "graphics/draw.h"

#include <cstring>
#include "frame/state.h"

SDL_Rect MakeRect(int x, int y, int w, int h)
{
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    return rect;
}

// Blits the whole of `image` with its top-left at (x, y); nothing for a null image or target.
static void BlitAt(SDL_Surface* image, SDL_Surface* target, int x, int y)
{
    if (!image || !target) return;
    SDL_Rect where = MakeRect(x, y, 0, 0);
    SDL_BlitSurface(image, 0, target, &where);
}

void DrawText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font)
{
    if (!text || !font) return; // no font: the program runs on without text
    SDL_Color colour;
    colour.r = static_cast<Uint8>(red);
    colour.g = static_cast<Uint8>(green);
    colour.b = static_cast<Uint8>(blue);
    colour.unused = 0;
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text, colour);
    if (!rendered) return; // an empty text renders to nothing
    BlitAt(rendered, target, x, y);
    SDL_FreeSurface(rendered);
}

void SplitTextLine(const char* text, std::string* firstLine, std::string* secondLine)
{
    if (!text) return;
    size_t length = std::strlen(text);
    if (length <= 48) {
        *firstLine = text;
        return;
    }
    for (size_t p = 48; p >= 1; --p) {
        if (text[p] != ' ') continue;
        firstLine->assign(text, p);
        secondLine->assign(text + p + 1);
        return;
    }
}

void DrawTwoLineText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font)
{
    if (!text) return;
    std::string firstLine, secondLine;
    SplitTextLine(text, &firstLine, &secondLine);
    DrawText(target, firstLine.c_str(), x, y, red, green, blue, font);
    DrawText(target, secondLine.c_str(), x, y + 10, red, green, blue, font);
}

// One fill of ScreenSurface; positions wrap into the rectangle's 16-bit fields as SDL's own do.
static void FillPart(int x, int y, int w, int h, Uint32 colour)
{
    if (!ScreenSurface) return;
    SDL_Rect part = MakeRect(x, y, w, h);
    SDL_FillRect(ScreenSurface, &part, colour);
}

void FillRoundRect(SDL_Rect rect, Uint32 colour)
{
    int x = rect.x, y = rect.y, w = rect.w, h = rect.h; // w and h unsigned 16-bit: never negative
    if (w <= 5 || h <= 5) return;
    FillPart(x + 1, y + 1, w - 2, h - 2, colour);
    FillPart(x + 2, y, w - 4, 1, colour);
    FillPart(x + 2, y + h - 1, w - 4, 1, colour);
    FillPart(x, y + 2, 1, h - 4, colour);
    FillPart(x + w - 1, y + 2, 1, h - 4, colour);
}

void FillRoundRectSmall(SDL_Rect rect, Uint32 colour)
{
    int x = rect.x, y = rect.y, w = rect.w, h = rect.h;
    if (w <= 3 || h <= 3) return;
    FillPart(x + 1, y, w - 2, h, colour);
    FillPart(x, y + 1, 1, h - 2, colour);
    FillPart(x + w - 1, y + 1, 1, h - 2, colour);
}

void DrawBox(SDL_Rect rect, Uint32 fill, Uint32 border)
{
    FillRoundRect(rect, border);
    // Only a box over 7 pixels has an inner shape; below 2 the shrunk size would wrap to 65535.
    if (rect.w <= 7 || rect.h <= 7) return;
    FillRoundRect(MakeRect(rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2), fill);
}

int TextWidth(TTF_Font* font, const char* text)
{
    if (!font || !text) return 0;
    int width = 0, height = 0;
    if (TTF_SizeText(font, text, &width, &height) != 0) return 0;
    return width;
}

Uint32 ScreenColour(int red, int green, int blue)
{
    if (!ScreenSurface) return 0;
    return SDL_MapRGB(ScreenSurface->format, static_cast<Uint8>(red), static_cast<Uint8>(green),
                      static_cast<Uint8>(blue));
}

void DrawImage(SDL_Surface* image, int x, int y)
{
    BlitAt(image, ScreenSurface, x, y);
}
