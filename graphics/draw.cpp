#include "graphics/draw.h"

#include <cstring>
#include "frame/state.h"

bool DrawingCaches = true;

SDL_Rect MakeRect(int x, int y, int w, int h)
{
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    return rect;
}

// Same bits and masks, no key or alpha, no lock: SDL's blit of such a pair is a plain copy.
static bool PlainCopy(const SDL_Surface* from, const SDL_Surface* to)
{
    const SDL_PixelFormat* f = from->format;
    const SDL_PixelFormat* t = to->format;
    return DrawingCaches && !(from->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA)) && f->Amask == 0 &&
           f->BitsPerPixel == t->BitsPerPixel && f->BytesPerPixel == t->BytesPerPixel && f->Rmask == t->Rmask &&
           f->Gmask == t->Gmask && f->Bmask == t->Bmask && !SDL_MUSTLOCK(from) && !SDL_MUSTLOCK(to);
}

// SDL's copy blit costs some two instructions a pixel; memcpy a row costs a few dozen in all.
// Clipped as SDL_UpperBlit clips: to the source, then to the target's clip rectangle.
void CopySurface(SDL_Surface* from, const SDL_Rect* part, SDL_Surface* to, int x, int y)
{
    if (!from || !to) return;
    if (!PlainCopy(from, to)) {
        SDL_Rect where = MakeRect(x, y, 0, 0);
        SDL_BlitSurface(from, const_cast<SDL_Rect*>(part), to, &where);
        return;
    }
    int sx = part ? part->x : 0, sy = part ? part->y : 0, w = part ? part->w : from->w, h = part ? part->h : from->h;
    if (sx < 0) { w += sx; x -= sx; sx = 0; }
    if (sy < 0) { h += sy; y -= sy; sy = 0; }
    if (w > from->w - sx) w = from->w - sx;
    if (h > from->h - sy) h = from->h - sy;
    const SDL_Rect& clip = to->clip_rect;
    int d = clip.x - x;
    if (d > 0) { w -= d; x += d; sx += d; }
    d = x + w - clip.x - clip.w;
    if (d > 0) w -= d;
    d = clip.y - y;
    if (d > 0) { h -= d; y += d; sy += d; }
    d = y + h - clip.y - clip.h;
    if (d > 0) h -= d;
    if (w <= 0 || h <= 0) return;
    const int bytes = from->format->BytesPerPixel;
    const Uint8* source = static_cast<const Uint8*>(from->pixels) + sy * from->pitch + sx * bytes;
    Uint8* target = static_cast<Uint8*>(to->pixels) + y * to->pitch + x * bytes;
    for (int row = 0; row < h; ++row, source += from->pitch, target += to->pitch)
        std::memcpy(target, source, size_t(w) * bytes);
}

// Blits `part` of `image` (null: the whole) with its top-left at (x, y); nothing for a null
// image or target.
static void BlitAt(SDL_Surface* image, SDL_Surface* target, int x, int y, const SDL_Rect* part = 0)
{
    if (!image || !target) return;
    SDL_Rect where = MakeRect(x, y, 0, 0);
    SDL_Rect from = part ? *part : MakeRect(0, 0, image->w, image->h);
    SDL_BlitSurface(image, &from, target, &where);
}

// Rendered texts by font, colour and text, so a text that stays on screen is rendered once:
// an open-addressed table, emptied whole when it is half full or when either of the program's
// fonts is replaced. The texts of every language share it: a player switch back to a language
// seen before renders nothing.
struct CachedText {
    Uint32 hash;
    TTF_Font* font;
    Uint32 colour;
    std::string text;
    SDL_Surface* surface; // null: a free slot
    SDL_Rect part;        // the part of the surface that holds ink
    int dx, dy;           // where that part lies inside the text as rendered
    int width;            // TextWidth of the text; -1 until asked
};
static const unsigned TextSlots = 256; // a power of two
static const unsigned MaxCachedTexts = TextSlots / 2;
static CachedText TextCache[TextSlots];
static unsigned CachedTextCount = 0;
static TTF_Font* CachedFontSmall = 0;
static TTF_Font* CachedFontLarge = 0;

void ClearTextCache()
{
    for (unsigned i = 0; i < TextSlots; ++i) {
        if (TextCache[i].surface) SDL_FreeSurface(TextCache[i].surface);
        TextCache[i].surface = 0;
    }
    CachedTextCount = 0;
    CachedFontSmall = FontSmall;
    CachedFontLarge = FontLarge;
}

// Of the font and the text only, so the same text in every colour lies in one run of slots.
void PrepareFonts()
{
    if (!DrawingCaches || !FontSmall) return;
    char all[256 - 32 + 1];
    for (int c = 32; c < 256; ++c) all[c - 32] = static_cast<char>(c);
    all[256 - 32] = '\0';
    SDL_Color white = { 255, 255, 255, 0 };
    SDL_Surface* rendered = TTF_RenderText_Blended(FontSmall, all, white);
    if (rendered) SDL_FreeSurface(rendered);
}

static Uint32 TextHash(TTF_Font* font, const char* text)
{
    Uint32 hash = 2166136261u ^ static_cast<Uint32>(reinterpret_cast<size_t>(font));
    for (; *text; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * 16777619u;
    return hash;
}

static const Uint32* TextRow(const SDL_Surface* rendered, int y)
{
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rendered->pixels) + y * rendered->pitch);
}

static bool RowHasInk(const SDL_Surface* rendered, int y)
{
    const Uint32* row = TextRow(rendered, y);
    for (int x = 0; x < rendered->w; ++x)
        if (row[x] & rendered->format->Amask) return true;
    return false;
}

// The rows and columns of a rendered text that hold some ink: wholly transparent pixels blend
// to nothing, so a blit of the rest draws the same. The whole text when it is not 32-bit or
// holds no ink. Inside the inked rows only the columns beyond the bounds found so far are read.
static SDL_Rect InkedPart(const SDL_Surface* rendered)
{
    const int w = rendered->w, h = rendered->h;
    const Uint32 ink = rendered->format->Amask;
    int top = 0, bottom = h - 1, left = w, right = -1;
    if (rendered->format->BitsPerPixel != 32) return MakeRect(0, 0, w, h);
    while (top < h && !RowHasInk(rendered, top)) ++top;
    if (top == h) return MakeRect(0, 0, w, h);
    while (!RowHasInk(rendered, bottom)) --bottom;
    for (int y = top; y <= bottom; ++y) {
        const Uint32* row = TextRow(rendered, y);
        for (int x = 0; x < left; ++x)
            if (row[x] & ink) left = x;
        for (int x = w - 1; x > right; --x)
            if (row[x] & ink) right = x;
    }
    return MakeRect(left, top, right - left + 1, bottom - top + 1);
}

static void CheckTextCache()
{
    if (FontSmall != CachedFontSmall || FontLarge != CachedFontLarge)
        ClearTextCache();
}

// The slot of the text in `font` and colour `key`, or the free slot where it would go; in
// *sibling the same text in another colour when there is one.
static unsigned FindText(TTF_Font* font, const char* text, Uint32 hash, Uint32 key, CachedText** sibling)
{
    unsigned slot = hash & (TextSlots - 1);
    for (; TextCache[slot].surface; slot = (slot + 1) & (TextSlots - 1)) {
        CachedText& entry = TextCache[slot];
        if (entry.hash != hash || entry.font != font || entry.text != text) continue;
        if (entry.colour == key) return slot;
        *sibling = &entry;
    }
    return slot;
}

// The inked part of the same text in another colour: a blended text's alpha is its ink whatever
// the colour, so only the colour of each pixel changes. Null when it cannot copy.
static SDL_Surface* Recoloured(const CachedText& sibling, Uint32 key)
{
    SDL_Surface* from = sibling.surface;
    const SDL_PixelFormat* f = from->format;
    const SDL_Rect& part = sibling.part;
    if (f->BitsPerPixel != 32) return 0;
    SDL_Surface* to = SDL_CreateRGBSurface(SDL_SWSURFACE, part.w, part.h, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!to) return 0;
    const Uint32 colour = SDL_MapRGB(to->format, Uint8(key >> 16), Uint8(key >> 8), Uint8(key)) & ~f->Amask;
    for (int y = 0; y < part.h; ++y) {
        const Uint32* source = TextRow(from, part.y + y) + part.x;
        Uint32* target = reinterpret_cast<Uint32*>(static_cast<Uint8*>(to->pixels) + y * to->pitch);
        for (int x = 0; x < part.w; ++x) target[x] = (source[x] & f->Amask) | colour;
    }
    return to;
}

// The rendered text, from the table or rendered now and kept; null when it cannot render.
static const CachedText* CachedRender(TTF_Font* font, const char* text, SDL_Color colour)
{
    CheckTextCache();
    const Uint32 key = Uint32(colour.r) << 16 | Uint32(colour.g) << 8 | colour.b;
    const Uint32 hash = TextHash(font, text);
    CachedText* sibling = 0;
    unsigned slot = FindText(font, text, hash, key, &sibling);
    if (TextCache[slot].surface) return &TextCache[slot];
    SDL_Surface* surface = sibling ? Recoloured(*sibling, key) : 0;
    SDL_Rect part = surface ? MakeRect(0, 0, surface->w, surface->h) : SDL_Rect();
    int dx = sibling ? sibling->dx : 0, dy = sibling ? sibling->dy : 0, width = sibling ? sibling->width : -1;
    if (!surface) {
        surface = TTF_RenderText_Blended(font, text, colour);
        if (!surface) return 0;
        part = InkedPart(surface);
        dx = part.x;
        dy = part.y;
    }
    if (CachedTextCount >= MaxCachedTexts) {
        ClearTextCache();
        slot = hash & (TextSlots - 1);
    }
    CachedText& entry = TextCache[slot];
    entry.hash = hash;
    entry.font = font;
    entry.colour = key;
    entry.text = text;
    entry.surface = surface;
    entry.part = part;
    entry.dx = dx;
    entry.dy = dy;
    entry.width = width;
    ++CachedTextCount;
    return &entry;
}

// A width asked before, kept with the text in any colour; -1 when none is known.
static int CachedWidth(TTF_Font* font, const char* text, int width)
{
    if (!DrawingCaches || (font != FontSmall && font != FontLarge)) return -1;
    CheckTextCache();
    const Uint32 hash = TextHash(font, text);
    for (unsigned slot = hash & (TextSlots - 1); TextCache[slot].surface; slot = (slot + 1) & (TextSlots - 1)) {
        CachedText& entry = TextCache[slot];
        if (entry.hash != hash || entry.font != font || entry.text != text) continue;
        if (width >= 0) entry.width = width;
        if (entry.width >= 0) return entry.width;
    }
    return -1;
}

void DrawText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font)
{
    if (!text || !*text || !font) return; // an empty text draws nothing; no font: no text at all
    SDL_Color colour;
    colour.r = static_cast<Uint8>(red);
    colour.g = static_cast<Uint8>(green);
    colour.b = static_cast<Uint8>(blue);
    colour.unused = 0;
    if (DrawingCaches && (font == FontSmall || font == FontLarge)) {
        const CachedText* cached = CachedRender(font, text, colour);
        if (cached) BlitAt(cached->surface, target, x + cached->dx, y + cached->dy, &cached->part);
        return;
    }
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text, colour);
    if (!rendered) return;
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
    // no blank to split at (a long name): cut inside the word, keeping the box's two lines
    firstLine->assign(text, 48);
    secondLine->assign(text + 48, length - 48 < 48 ? length - 48 : 48);
}

void DrawTwoLineText(SDL_Surface* target, const char* text, int x, int y, int red, int green, int blue, TTF_Font* font)
{
    if (!text) return;
    static std::string firstLine, secondLine; // keep their storage from frame to frame
    firstLine.clear();
    secondLine.clear();
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
    // In whole rows: a fill costs by the row, and one-pixel columns are all rows.
    FillPart(x + 2, y, w - 4, 1, colour);
    FillPart(x + 1, y + 1, w - 2, 1, colour);
    FillPart(x, y + 2, w, h - 4, colour);
    FillPart(x + 1, y + h - 2, w - 2, 1, colour);
    FillPart(x + 2, y + h - 1, w - 4, 1, colour);
}

void FillRoundRectSmall(SDL_Rect rect, Uint32 colour)
{
    int x = rect.x, y = rect.y, w = rect.w, h = rect.h;
    if (w <= 3 || h <= 3) return;
    FillPart(x + 1, y, w - 2, 1, colour);
    FillPart(x, y + 1, w, h - 2, colour);
    FillPart(x + 1, y + h - 1, w - 2, 1, colour);
}

// FillRoundRect's shape less the middle that the inner shape of DrawBox covers anyway: the
// same pixels in the end, each filled once.
static void FillRoundFrame(SDL_Rect rect, Uint32 colour)
{
    int x = rect.x, y = rect.y, w = rect.w, h = rect.h;
    FillPart(x + 2, y, w - 4, 1, colour);
    FillPart(x + 1, y + 1, w - 2, 1, colour);
    FillPart(x + 1, y + h - 2, w - 2, 1, colour);
    FillPart(x + 2, y + h - 1, w - 4, 1, colour);
    FillPart(x, y + 2, 2, h - 4, colour); // the outer column and the middle's first one
    FillPart(x + w - 2, y + 2, 2, h - 4, colour);
}

void DrawBox(SDL_Rect rect, Uint32 fill, Uint32 border)
{
    // Only a box over 7 pixels has an inner shape; below 2 the shrunk size would wrap to 65535.
    if (rect.w <= 7 || rect.h <= 7) {
        FillRoundRect(rect, border);
        return;
    }
    FillRoundFrame(rect, border);
    FillRoundRect(MakeRect(rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2), fill);
}

int TextWidth(TTF_Font* font, const char* text)
{
    if (!font || !text) return 0;
    int width = CachedWidth(font, text, -1);
    if (width >= 0) return width;
    int height = 0;
    if (TTF_SizeText(font, text, &width, &height) != 0) return 0;
    CachedWidth(font, text, width);
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

void DrawImageInside(SDL_Surface* image, int x, int y, int width, int height)
{
    if (!image) return;
    const SDL_Rect part = MakeRect(0, 0, image->w < width ? image->w : width, image->h < height ? image->h : height);
    BlitAt(image, ScreenSurface, x, y, &part);
}

void DrawTextInside(const char* text, int x, int y, int red, int green, int blue, TTF_Font* font, SDL_Rect area)
{
    if (!ScreenSurface) return;
    SDL_Rect before;
    SDL_GetClipRect(ScreenSurface, &before);
    SDL_SetClipRect(ScreenSurface, &area);
    DrawText(ScreenSurface, text, x, y, red, green, blue, font);
    SDL_SetClipRect(ScreenSurface, &before);
}
