#include "graphics/media.h"

#include "frame/state.h"
#include "graphics/draw.h"
#include "profile/avatar.h"
#include "store/profiles.h"
#include "store/ranking.h"

SDL_Surface* BackgroundSurface = 0;
SDL_Surface* CardSurface = 0;
SDL_Surface* ButtonPadSurface = 0;
SDL_Surface* ButtonPad2Surface = 0;
SDL_Surface* ButtonYSurface = 0;
SDL_Surface* ButtonXSurface = 0;
SDL_Surface* ButtonBSurface = 0;
SDL_Surface* ButtonLSurface = 0;
SDL_Surface* ButtonRSurface = 0;
SDL_Surface* SelectBarSurface = 0;
SDL_Surface* SelectKeySurface = 0;
SDL_Surface* DeleteKeySurface = 0;
SDL_Surface* ReturnKeySurface = 0;
SDL_Surface* CapsKeySurface = 0;
SDL_Surface* LockKeySurface = 0;
SDL_Surface* LockedSurface = 0;
SDL_Surface* UnlockedSurface = 0;
SDL_Surface* StarSurface = 0;
Mix_Chunk* NextSound = 0;

struct MediaFile {
    const char* file;
    SDL_Surface** handle;
    bool colourKey; // false only for the background, which is also cut to the screen's size
};

// Load order and, in the same order, the order FreeMedia releases them.
static const MediaFile MediaFiles[] = {
    { "media/background.bmp", &BackgroundSurface, false },
    { "media/card.bmp", &CardSurface, true },
    { "media/button_pad.bmp", &ButtonPadSurface, true },
    { "media/button_pad2.bmp", &ButtonPad2Surface, true },
    { "media/button_y.bmp", &ButtonYSurface, true },
    { "media/button_x.bmp", &ButtonXSurface, true },
    { "media/button_b.bmp", &ButtonBSurface, true },
    { "media/button_l.bmp", &ButtonLSurface, true },
    { "media/button_r.bmp", &ButtonRSurface, true },
    { "media/select_bar.bmp", &SelectBarSurface, true },
    { "media/selectkey.bmp", &SelectKeySurface, true },
    { "media/deletekey.bmp", &DeleteKeySurface, true },
    { "media/returnkey.bmp", &ReturnKeySurface, true },
    { "media/capskey.bmp", &CapsKeySurface, true },
    { "media/lockkey.bmp", &LockKeySurface, true },
    { "media/experience.bmp", &LockedSurface, true },
    { "media/experiencew.bmp", &UnlockedSurface, true },
    { "media/star.bmp", &StarSurface, true }
};
static const int MediaFileCount = sizeof MediaFiles / sizeof MediaFiles[0];

// Magenta in the screen's pixel format, or in the surface's own (the same 5-6-5 layout)
// before the screen exists.
static Uint32 MagentaKey(SDL_Surface* surface)
{
    SDL_PixelFormat* format = ScreenSurface ? ScreenSurface->format : surface->format;
    return SDL_MapRGB(format, 255, 0, 255);
}

// Run-length encoded keys blit whole runs instead of testing every pixel; same pixels.
static void SetMagentaKey(SDL_Surface* surface)
{
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY | (DrawingCaches ? SDL_RLEACCEL : 0), MagentaKey(surface));
}

// A bitmap the build wrote already in the screen's 5-6-5 layout needs no conversion.
static bool ScreenLayout(const SDL_Surface* loaded)
{
    const SDL_PixelFormat* f = loaded->format;
    return f->BitsPerPixel == 16 && f->Rmask == 0xF800 && f->Gmask == 0x07E0 && f->Bmask == 0x001F;
}

// Copies 24-bit rows (blue, green, red bytes on a little-endian machine) into a 5-6-5 surface
// of the same size, each channel's low bits dropped as SDL's own blit does, many times faster;
// false, copying nothing, for any other pair.
static bool Copy24To565(const SDL_Surface* from, SDL_Surface* to)
{
    const Uint16 probe = 1;
    const SDL_PixelFormat* f = from->format;
    if (*reinterpret_cast<const Uint8*>(&probe) != 1 || f->BitsPerPixel != 24 || f->Rmask != 0xFF0000
        || f->Gmask != 0xFF00 || f->Bmask != 0xFF || !ScreenLayout(to) || to->w != from->w || to->h != from->h)
        return false;
    for (int y = 0; y < from->h; ++y) {
        const Uint8* source = static_cast<const Uint8*>(from->pixels) + y * from->pitch;
        Uint16* target = reinterpret_cast<Uint16*>(static_cast<Uint8*>(to->pixels) + y * to->pitch);
        for (int x = 0; x < from->w; ++x, source += 3)
            target[x] = Uint16((source[2] >> 3) << 11 | (source[1] >> 2) << 5 | source[0] >> 3);
    }
    return true;
}

// Reads a bitmap and copies it into a new 16-bit surface, `width` x `height` when given
// (0: the bitmap's own size), keyed on magenta when `colourKey`.
static SDL_Surface* LoadConverted(const std::string& path, int width, int height, bool colourKey)
{
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    if (!stream) return 0;
    SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
    if (!loaded) return 0;
    if (width == 0 || (width == loaded->w && height == loaded->h)) {
        width = loaded->w;
        height = loaded->h;
        if (ScreenLayout(loaded)) {
            if (colourKey) SetMagentaKey(loaded);
            return loaded;
        }
    }
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCCOLORKEY, width, height, 16, 0, 0, 0, 0);
    if (surface) {
        SDL_Rect whole;
        whole.x = 0;
        whole.y = 0;
        whole.w = static_cast<Uint16>(loaded->w);
        whole.h = static_cast<Uint16>(loaded->h);
        if (!Copy24To565(loaded, surface)) SDL_BlitSurface(loaded, &whole, surface, 0);
        if (colourKey) SetMagentaKey(surface);
    }
    SDL_FreeSurface(loaded);
    return surface;
}

SDL_Surface* LoadBitmap(const std::string& path)
{
    return LoadConverted(path, 0, 0, true);
}

void PrepareForScreen(SDL_Surface* image)
{
    if (!image || !ScreenSurface || !DrawingCaches) return;
    SDL_Rect nothing = { 0, 0, 0, 0 }; // mapped onto the screen and encoded, then no pixel blitted
    SDL_Rect at = { 0, 0, 0, 0 };
    SDL_LowerBlit(image, &nothing, ScreenSurface, &at);
}

void FreeSurface(SDL_Surface** surface)
{
    if (*surface) SDL_FreeSurface(*surface);
    *surface = 0;
}

void LoadMedia()
{
    for (int i = 0; i < MediaFileCount; ++i) {
        const MediaFile& media = MediaFiles[i];
        FreeSurface(media.handle); // a second call replaces, never leaks
        if (media.colourKey)
            *media.handle = LoadBitmap(media.file);
        else
            *media.handle = LoadConverted(media.file, ScreenWidth, ScreenHeight, false);
        PrepareForScreen(*media.handle);
    }
    LoadAvatarImages();
}

void LoadSound()
{
    SDL_RWops* stream = SDL_RWFromFile("media/next.wav", "rb");
    NextSound = stream ? Mix_LoadWAV_RW(stream, 1) : 0;
}

void FreeSound()
{
    if (NextSound) Mix_FreeChunk(NextSound);
    NextSound = 0;
    Mix_CloseAudio();
}

static void FreeSurfaces(SDL_Surface** surfaces, size_t count)
{
    for (size_t i = 0; i < count; ++i) FreeSurface(&surfaces[i]);
}

// Handles are set to null as they go, so a second call frees nothing twice.
void FreeMedia()
{
    for (int i = 0; i < MediaFileCount; ++i) FreeSurface(MediaFiles[i].handle);
    for (int part = 0; part < AvatarPartCount; ++part) {
        std::vector<SDL_Surface*>& images = AvatarPartImages[part];
        if (!images.empty()) FreeSurfaces(&images[0], images.size());
    }
    FreeSurfaces(AchievementIcons, sizeof AchievementIcons / sizeof AchievementIcons[0]);
    FreeSurfaces(FavouriteIcons, sizeof FavouriteIcons / sizeof FavouriteIcons[0]);
    FreeSurfaces(CompletedIcons, sizeof CompletedIcons / sizeof CompletedIcons[0]);
}

void PlayNextSound()
{
    if (NextSound) Mix_PlayChannel(-1, NextSound, 0);
}
