#include "profile/avatar.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "store/player_file.h"
#include "store/store_files.h"

// The layers are the player file's keys after language and name, in the card's order.
static AvatarPartInfo PartAt(int part)
{
    AvatarPartInfo info = { CardProfileKeys[FirstAvatarPartKey + part], ProfileFields[FirstAvatarPartKey + part] };
    return info;
}

const AvatarPartInfo AvatarParts[AvatarPartCount] = {
    PartAt(0), PartAt(1), PartAt(2), PartAt(3), PartAt(4), PartAt(5), PartAt(6), PartAt(7), PartAt(8), PartAt(9),
};

std::vector<std::string> AvatarPartFiles[AvatarPartCount];
std::vector<SDL_Surface*> AvatarPartImages[AvatarPartCount];
const SDL_Rect AvatarOrigin = { 50, 60, 0, 0 };

// Layers lower in this list are covered by later ones: paint and beard lie under the
// eyes, the ears over the hair, the clothes over everything.
static const AvatarPart DrawingOrder[AvatarPartCount] = {
    AvatarBase, AvatarTatoo, AvatarMouth, AvatarFacial, AvatarEyes,
    AvatarNose, AvatarBrowns, AvatarHair, AvatarEars, AvatarClothes,
};

static const int MaxPartImages = 99;

std::string AvatarPartName(int part, int number)
{
    if (part < 0 || part >= AvatarPartCount || number < 1 || number > MaxPartImages) return "";
    char name[64];
    std::sprintf(name, number < 10 ? "vok_%s_0%i.bmp" : "vok_%s_%i.bmp", AvatarParts[part].key, number);
    return name;
}

std::string AvatarPartFileName(int part, int number)
{
    const std::string name = AvatarPartName(part, number);
    return name.empty() ? name : "media/" + name;
}

void ScanAvatarParts()
{
    for (int part = 0; part < AvatarPartCount; ++part) {
        std::vector<std::string>& files = AvatarPartFiles[part];
        files.clear();
        for (int number = 1; number <= MaxPartImages; ++number) {
            std::string name = AvatarPartFileName(part, number);
            if (!PathExists(name)) break; // a file beyond a gap is never seen
            files.push_back(name);
        }
    }
}

// Where each loaded image's surface lies inside its part's picture: LoadAvatarImages keeps only
// the rows and columns that are not all transparent, which draw the same at that offset.
struct PartPlace {
    SDL_Surface* image; // the surface the offset belongs to: images put in by hand have none
    SDL_Rect offset;
    bool read;          // its file was read (or found unreadable) already
    bool prepared;      // and made ready for the screen
};
static std::vector<PartPlace> PartPlaces[AvatarPartCount];

static bool TransparentColumn(const SDL_Surface* image, int x, int top, int bottom, Uint32 key)
{
    for (int y = top; y <= bottom; ++y)
        if (reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(image->pixels) + y * image->pitch)[x] != key) return false;
    return true;
}

static bool TransparentRow(const SDL_Surface* image, int y, Uint32 key)
{
    const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(image->pixels) + y * image->pitch);
    for (int x = 0; x < image->w; ++x)
        if (row[x] != key) return false;
    return true;
}

// The part of a freshly loaded 16-bit keyed image that shows, at *offset; takes `image`.
static SDL_Surface* ShownPart(SDL_Surface* image, SDL_Rect* offset)
{
    offset->x = offset->y = 0;
    offset->w = Uint16(image ? image->w : 0);
    offset->h = Uint16(image ? image->h : 0);
    if (!image || !DrawingCaches || image->format->BitsPerPixel != 16 || !(image->flags & SDL_SRCCOLORKEY)) return image;
    const Uint32 key = image->format->colorkey;
    int top = 0, bottom = image->h - 1, left = 0, right = image->w - 1;
    while (top <= bottom && TransparentRow(image, top, key)) ++top;
    while (bottom > top && TransparentRow(image, bottom, key)) --bottom;
    if (top > bottom) return image; // nothing shows: kept whole, it blits nothing either way
    while (left < right && TransparentColumn(image, left, top, bottom, key)) ++left;
    while (right > left && TransparentColumn(image, right, top, bottom, key)) --right;
    SDL_Rect part = { Sint16(left), Sint16(top), Uint16(right - left + 1), Uint16(bottom - top + 1) };
    const SDL_PixelFormat* f = image->format;
    SDL_Surface* shown = SDL_CreateRGBSurface(SDL_SWSURFACE, part.w, part.h, 16, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!shown) return image;
    for (int y = 0; y < part.h; ++y)
        std::memcpy(static_cast<Uint8*>(shown->pixels) + y * shown->pitch,
                    static_cast<const Uint8*>(image->pixels) + (top + y) * image->pitch + left * 2, size_t(part.w) * 2);
    SDL_SetColorKey(shown, SDL_SRCCOLORKEY | ((image->flags & SDL_RLEACCELOK) ? SDL_RLEACCEL : 0), key);
    SDL_FreeSurface(image);
    *offset = part;
    return shown;
}

void FreeAvatarImages()
{
    for (int part = 0; part < AvatarPartCount; ++part) {
        std::vector<SDL_Surface*>& images = AvatarPartImages[part];
        for (size_t i = 0; i < images.size(); ++i) FreeSurface(&images[i]);
    }
}

// Every slot left empty: each image is read when first drawn (ReadPart), so a start reads only
// the parts its first player wears.
void LoadAvatarImages()
{
    FreeAvatarImages(); // a second call replaces, never leaks
    for (int part = 0; part < AvatarPartCount; ++part) {
        PartPlace unread = { 0, { 0, 0, 0, 0 }, false, false };
        try { // a slot for every image, each read when first drawn
            AvatarPartImages[part].assign(AvatarPartFiles[part].size(), static_cast<SDL_Surface*>(0));
            PartPlaces[part].assign(AvatarPartFiles[part].size(), unread);
        } catch (const std::bad_alloc&) { // without memory this part has no images: the avatar is drawn without it
            AvatarPartImages[part].clear();
            PartPlaces[part].clear();
        }
    }
}

// One step of making image `number` of `part` ready to draw: reading it, unless it was read or
// tried before, then preparing it for the screen. True when it did a step; `both` does both.
static bool ReadPart(int part, int number, bool both)
{
    std::vector<PartPlace>& places = PartPlaces[part];
    std::vector<SDL_Surface*>& images = AvatarPartImages[part];
    if (number < 1 || size_t(number) > places.size() || size_t(number) > images.size()) return false;
    PartPlace& place = places[number - 1];
    if (place.prepared || (!place.read && images[number - 1]) || size_t(number) > AvatarPartFiles[part].size())
        return false;
    if (!place.read) {
        place.image = ShownPart(LoadBitmap(AvatarPartFiles[part][number - 1]), &place.offset);
        place.read = true; // null keeps its slot, and is not read again
        images[number - 1] = place.image;
        if (!both) return true;
    }
    PrepareForScreen(place.image); // a player switch then encodes nothing
    place.prepared = true;
    return true;
}

// One step a call, so that reading ahead keeps each frame in its budget.
bool PrepareAvatar(const ProfileRecord* record)
{
    if (!record || !DrawingCaches) return false;
    for (int part = 0; part < AvatarPartCount; ++part)
        if (ReadPart(part, PartNumber(record->*AvatarParts[part].field), false)) return true;
    return false;
}

int PartNumber(const std::string& text)
{
    return static_cast<int>(ReadDecimal(text, 1000)); // far above any image count
}

// The image a layer's part number selects, or null when it selects none; its place in *at.
static SDL_Surface* SelectedImage(const ProfileRecord& record, int part, SDL_Rect* at)
{
    const std::vector<SDL_Surface*>& images = AvatarPartImages[part];
    int number = PartNumber(record.*AvatarParts[part].field);
    if (number < 1 || number > int(images.size())) return 0;
    ReadPart(part, number, true);
    *at = AvatarOrigin;
    const std::vector<PartPlace>& places = PartPlaces[part];
    const SDL_Surface* image = images[number - 1];
    const PartPlace* place = size_t(number) <= places.size() ? &places[number - 1] : 0;
    if (image && place && place->image == image && place->offset.w == image->w && place->offset.h == image->h) {
        at->x = Sint16(at->x + place->offset.x);
        at->y = Sint16(at->y + place->offset.y);
    }
    return images[number - 1];
}

void DrawAvatar(const ProfileRecord* record)
{
    if (!record || !ScreenSurface) return;
    for (int i = 0; i < AvatarPartCount; ++i) {
        SDL_Rect at; // the blit writes the clipped size back
        SDL_Surface* image = SelectedImage(*record, DrawingOrder[i], &at);
        if (!image) continue;
        SDL_BlitSurface(image, 0, ScreenSurface, &at);
    }
}
