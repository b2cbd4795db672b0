#include "graphics/media.h"

#include <new>
#include <cstdlib>

#include "card/card_bitmap.h"
#include "card/card_files.h"
#include "frame/state.h"
#include "graphics/draw.h"

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
static Uint32 MagentaKey(const SDL_Surface* surface)
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

// The card library checks and reads the headers (layout in card/card_bitmap.h).
typedef CardBitmapHeader BitmapHeader;
static const size_t MaxBitmapFileSize = CARD_MAX_BITMAP_FILE; // all a valid one uses

// The bytes of a bitmap file where they lie, read or cut, without a copy.
struct BitmapBytes {
    const unsigned char* data;
    size_t size;
};

static BitmapBytes View(const std::string& bytes)
{
    BitmapBytes view = { reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size() };
    return view;
}

bool IsValidBitmap(const std::string& bytes)
{
    return CardCheckBitmap(View(bytes).data, bytes.size(), 0) == CARD_BITMAP_OK;
}

static void PutUint16(std::string* bytes, size_t offset, Uint32 value)
{
    (*bytes)[offset] = static_cast<char>(value & 0xFFu);
    (*bytes)[offset + 1] = static_cast<char>((value >> 8) & 0xFFu);
}

static void PutUint32(std::string* bytes, size_t offset, Uint32 value)
{
    PutUint16(bytes, offset, value & 0xFFFFu);
    PutUint16(bytes, offset + 2, value >> 16);
}

// A valid bitmap cut to its upper-left ScreenWidth x ScreenHeight pixels before decoding, so
// that a large one never costs more than the screen's worth of decoded pixels: the headers and
// palette as they are with the new size, then the kept part of each kept row. False, leaving
// `cut` alone, when the bitmap already fits.
static bool CutToScreen(const BitmapBytes& bytes, const BitmapHeader& header, std::string* cut)
{
    long rows = header.height < 0 ? -header.height : header.height;
    long width = header.width < ScreenWidth ? header.width : ScreenWidth;
    long kept = rows < ScreenHeight ? rows : ScreenHeight;
    if (width == header.width && kept == rows) return false;
    size_t stride = CardBitmapStride(header.width, header.depth);
    size_t cutStride = CardBitmapStride(width, header.depth);
    // rows are stored bottom-up unless the height is negative: the top rows come last
    size_t firstRow = header.height < 0 ? 0 : static_cast<size_t>(rows - kept);
    const char* data = reinterpret_cast<const char*>(bytes.data);
    cut->assign(data, header.pixelOffset);
    for (long row = 0; row < kept; ++row) cut->append(data + header.pixelOffset + (firstRow + row) * stride, cutStride);
    PutUint32(cut, 2, static_cast<Uint32>(cut->size()));
    if (header.headerSize == 12) {
        PutUint16(cut, 18, static_cast<Uint32>(width));
        PutUint16(cut, 20, static_cast<Uint32>(kept));
    } else {
        PutUint32(cut, 18, static_cast<Uint32>(width));
        PutUint32(cut, 22, static_cast<Uint32>(header.height < 0 ? -kept : kept));
        PutUint32(cut, 34, static_cast<Uint32>(cutStride * kept));
    }
    return true;
}

// A 24-bit bitmap (blue, green, red bytes) decoded straight into a new 5-6-5 surface, `width` x
// `height` when given (0: the bitmap's own size; beyond the bitmap black), each channel's low
// bits dropped as SDL's own blit does; null for any other depth, which SDL's decoder takes.
static SDL_Surface* Decoded24(const BitmapBytes& bytes, int width, int height)
{
    BitmapHeader header;
    CardReadBitmapHeader(bytes.data, bytes.size, &header);
    if (header.depth != 24 || header.compression != CARD_BITMAP_RGB) return 0;
    const int rows = static_cast<int>(header.height < 0 ? -header.height : header.height); // negative: stored top-down
    const int columns = static_cast<int>(header.width);
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width ? width : columns, height ? height : rows,
                                                16, 0xF800, 0x07E0, 0x001F, 0);
    if (!surface) return 0;
    const size_t stride = CardBitmapStride(header.width, 24);
    const int shownRows = rows < surface->h ? rows : surface->h;
    const int shownColumns = columns < surface->w ? columns : surface->w;
    for (int y = 0; y < shownRows; ++y) {
        const size_t row = static_cast<size_t>(header.height < 0 ? y : rows - 1 - y);
        const Uint8* source = bytes.data + header.pixelOffset + row * stride;
        Uint16* target = reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < shownColumns; ++x, source += 3)
            target[x] = Uint16((source[2] >> 3) << 11 | (source[1] >> 2) << 5 | source[0] >> 3);
    }
    return surface;
}

// Copies a bitmap SDL decoded into a new 16-bit surface, `width` x `height` when given (0: the
// bitmap's own size); one already in the screen's layout is kept as it is. Takes `loaded`.
static SDL_Surface* Converted(SDL_Surface* loaded, int width, int height)
{
    if ((width == 0 || (width == loaded->w && height == loaded->h)) && ScreenLayout(loaded)) return loaded;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width ? width : loaded->w, height ? height : loaded->h,
                                                16, 0, 0, 0, 0);
    if (surface) {
        SDL_Rect whole = MakeRect(0, 0, loaded->w, loaded->h);
        SDL_BlitSurface(loaded, &whole, surface, 0);
    }
    SDL_FreeSurface(loaded);
    return surface;
}

// True when some pixel of the 16-bit `image` is the colour key: an image without one blits as
// a plain copy, which is cheaper than any keyed blit and draws the same.
static bool HasMagenta(const SDL_Surface* image)
{
    const Uint16 key = static_cast<Uint16>(SDL_MapRGB(image->format, 255, 0, 255));
    for (int y = 0; y < image->h; ++y) {
        const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x)
            if (row[x] == key) return true;
    }
    return false;
}

// Validates, cuts and decodes the bytes of a bitmap file into a 16-bit surface, keyed on magenta
// when `colourKey` and some pixel is magenta.
static SDL_Surface* DecodeWithin(const BitmapBytes& bytes, int width, int height, bool colourKey)
{
    BitmapHeader header;
    if (CardCheckBitmap(bytes.data, bytes.size, &header) != CARD_BITMAP_OK) return 0; // as if the file were missing
    std::string cut;
    const BitmapBytes decoded = CutToScreen(bytes, header, &cut) ? View(cut) : bytes;
    SDL_Surface* surface = Decoded24(decoded, width, height);
    if (!surface) {
        SDL_RWops* stream = SDL_RWFromConstMem(decoded.data, static_cast<int>(decoded.size));
        SDL_Surface* loaded = stream ? SDL_LoadBMP_RW(stream, 1) : 0;
        surface = loaded ? Converted(loaded, width, height) : 0;
    }
    if (surface && colourKey && HasMagenta(surface)) SetMagentaKey(surface);
    return surface;
}

// Without memory to cut or decode a card's bitmap the image is missing, as an unreadable one is.
static SDL_Surface* DecodeConverted(const BitmapBytes& bytes, int width, int height, bool colourKey)
{
    try {
        return DecodeWithin(bytes, width, height, colourKey);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// Read by the card library's bounded reader, so a FIFO, a folder or a file past any valid
// bitmap's size costs no more than that size; decoded where it was read, without a copy.
static SDL_Surface* LoadConverted(const std::string& path, int width, int height, bool colourKey)
{
    BitmapBytes bytes = { 0, 0 };
    unsigned char* read = 0;
    if (!CardReadFile(path.c_str(), MaxBitmapFileSize, &read, &bytes.size)) return 0;
    bytes.data = read;
    SDL_Surface* surface = DecodeConverted(bytes, width, height, colourKey);
    std::free(read);
    return surface;
}

SDL_Surface* DecodeBitmap(const std::string& bytes)
{
    return DecodeConverted(View(bytes), 0, 0, true);
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

unsigned SurfacesFreed = 0;

void FreeSurface(SDL_Surface** surface)
{
    if (*surface) {
        SDL_FreeSurface(*surface);
        ++SurfacesFreed; // a new image may now get the same address
    }
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
}

// The sound device: opened at start-up, closed while vok rests (its thread would otherwise
// wake every few milliseconds to play silence) and opened again by the next sound.
enum SoundDeviceState { SoundNone, SoundOpen, SoundResting };
static SoundDeviceState SoundDevice = SoundNone;

// 22050 Hz, 16-bit stereo, in buffers of 128 samples so a press sounds at once.
static bool OpenSoundDevice()
{
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 128) != 0) return false;
    Mix_Volume(-1, SoundVolume); // every opening sets the channels anew
    return true;
}

void OpenSound()
{
    SoundDevice = OpenSoundDevice() ? SoundOpen : SoundNone; // none: the program runs silent
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
    if (SoundDevice == SoundOpen) Mix_CloseAudio();
    SoundDevice = SoundNone;
}

// Handles are set to null as they go, so a second call frees nothing twice.
void FreeMedia()
{
    for (int i = 0; i < MediaFileCount; ++i) FreeSurface(MediaFiles[i].handle);
}

void PlayNextSound()
{
    if (!NextSound) return;
    if (SoundDevice == SoundResting && OpenSoundDevice()) SoundDevice = SoundOpen; // else silent this time
    if (SoundDevice != SoundOpen) return; // the mixer's channels exist only while it is open
    SDL_PauseAudio(0);
    Mix_PlayChannel(-1, NextSound, 0);
}

void PauseIdleSound()
{
    if (SoundDevice == SoundOpen && Mix_Playing(-1) == 0) SDL_PauseAudio(1); // nothing to mix: the device only plays silence
}

void RestSound()
{
    if (SoundDevice != SoundOpen || Mix_Playing(-1) != 0) return;
    Mix_CloseAudio(); // the sound loaded stays: the device opens again in the same format
    SoundDevice = SoundResting;
}
