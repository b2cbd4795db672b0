// Drawing primitives shared by every screen: text in one or two lines, and the filled
// shapes with cut corners that give boxes, buttons and keys their rounded look.
// The shapes always draw onto ScreenSurface; the text calls draw onto the surface given.
#ifndef VOK_GRAPHICS_DRAW_H
#define VOK_GRAPHICS_DRAW_H

#include <string>
#include <SDL.h>
#include <SDL_ttf.h>

extern bool DrawingCaches; // false (tests only): texts rendered anew, keys blitted unencoded, nothing kept, copies blitted

// Renders Latin-1 `text` blended in (red, green, blue) with its top-left at (x, y).
void DrawText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font);
// Renders every Latin-1 character once in FontSmall, the font of nearly every text, so that
// the font engine holds all its glyphs before a first screen or a new language needs them.
void PrepareFonts();
// Frees every rendered text kept for reuse; done by itself when a font changes.
void ClearTextCache();
// Splits at a space like SplitTextLine; the second line 10 pixels below the first.
void DrawTwoLineText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font);
// Texts over 48 characters split at the right-most space of indexes 48 down to 1; one without
// such a space is cut at 48, its second line kept to 48 characters too.
void SplitTextLine(const char* text, std::string* firstLine, std::string* secondLine);
// Fills all but three pixels at each corner; nothing unless w > 5 and h > 5.
void FillRoundRect(SDL_Rect rect, Uint32 colour);
// Fills all but the four corner pixels; nothing unless w > 3 and h > 3.
void FillRoundRectSmall(SDL_Rect rect, Uint32 colour);
// A box with a one-pixel border of `border` around a fill of `fill`.
void DrawBox(SDL_Rect rect, Uint32 fill, Uint32 border);

// SDL_BlitSurface(from, part, to, {x, y}) for an opaque surface (no colour key, no alpha) of
// `to`'s own pixel layout, copied row by row with memcpy; any other pair goes through SDL's blit.
void CopySurface(SDL_Surface* from, const SDL_Rect* part, SDL_Surface* to, int x, int y);
// A rectangle; positions and sizes wrap into its 16-bit fields as SDL's own do.
SDL_Rect MakeRect(int x, int y, int w, int h);
// Width in pixels of `text` in `font` (0 for no font).
int TextWidth(TTF_Font* font, const char* text);
// A pixel value of ScreenSurface's format.
Uint32 ScreenColour(int red, int green, int blue);
// Blits the whole of `image` with its top-left at (x, y); a null image draws nothing.
void DrawImage(SDL_Surface* image, int x, int y);
// The top left `width` x `height` pixels of `image` at most: a card's oversized icon stays in its cell.
void DrawImageInside(SDL_Surface* image, int x, int y, int width, int height);
// DrawText onto ScreenSurface with nothing drawn outside `area`: a long name stays on its card.
void DrawTextInside(const char* text, int x, int y, int red, int green, int blue, TTF_Font* font, SDL_Rect area);

#endif
