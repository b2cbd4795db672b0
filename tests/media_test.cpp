// Media: every file to its handle, converted to 16 bits with magenta transparent (except the
// background, cut or padded to 320 x 240 and opaque), missing or broken files left null
// without stopping the rest, shutdown freeing only what exists, and the sound.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <cstdlib>
#include <set>
#include <string>

#include "frame/state.h"
#include "graphics/media.h"
#include "profile/avatar.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

namespace {

struct Expected {
    const char* file;
    SDL_Surface** handle;
};
const Expected KeyedMedia[] = {
    { "card", &CardSurface }, { "button_pad", &ButtonPadSurface }, { "button_pad2", &ButtonPad2Surface },
    { "button_y", &ButtonYSurface }, { "button_x", &ButtonXSurface }, { "button_b", &ButtonBSurface },
    { "button_l", &ButtonLSurface }, { "button_r", &ButtonRSurface }, { "select_bar", &SelectBarSurface },
    { "selectkey", &SelectKeySurface }, { "deletekey", &DeleteKeySurface }, { "returnkey", &ReturnKeySurface },
    { "capskey", &CapsKeySurface }, { "lockkey", &LockKeySurface }, { "experience", &LockedSurface },
    { "experiencew", &UnlockedSurface }, { "star", &StarSurface },
};
const int KeyedCount = sizeof KeyedMedia / sizeof KeyedMedia[0];

// A colour of its own for file k, far from magenta and black.
uint32_t FileColour(int k) { return 0x20A040 + uint32_t(k) * 0x080000; }

// A "media" folder in `dir`: each keyed file 4 x 3 (7 + k) with magenta at (0, 0) and its own
// colour elsewhere; the background as given. Files named in `skip` are not written.
void WriteMedia(const TempDir& dir, const RgbImage& background, const std::set<std::string>& skip = {})
{
    MakeDir(dir / "media");
    for (int k = 0; k < KeyedCount; ++k) {
        if (skip.count(KeyedMedia[k].file)) continue;
        RgbImage image(4 + k, 3, FileColour(k));
        image.at(0, 0) = Magenta;
        WriteBmp24(dir / (std::string("media/") + KeyedMedia[k].file + ".bmp"), image);
    }
    if (!skip.count("background")) WriteBmp24(dir / "media/background.bmp", background);
}

Uint32 Rgb(SDL_Surface* surface, uint32_t rgb) { return MapColour(surface, rgb >> 16, (rgb >> 8) & 255, rgb & 255); }

// The pixel that `image` shows at (x, y) when blitted onto a green screen.
Uint32 ShownPixel(SDL_Surface* image, int x, int y)
{
    SDL_FillRect(ScreenSurface, nullptr, Rgb(ScreenSurface, 0x00FF00));
    SDL_BlitSurface(image, nullptr, ScreenSurface, nullptr);
    return PixelAt(ScreenSurface, x, y);
}

} // namespace

// Each keyed bitmap keeps its own size, is 16-bit and shows green through its magenta; the
// background of 640 x 480 shows its upper-left 320 x 240 with magenta drawn as magenta.
TEST(Media, MagentaTransparentExceptBackground)
{
    MakeTestScreen();
    TempDir dir;
    RgbImage background(640, 480, 0x3050A0);
    background.at(0, 0) = Magenta;
    background.at(319, 239) = 0xFF0000;
    background.at(320, 239) = 0xFFFFFF;
    WriteMedia(dir, background);
    WorkingDirectory cwd(dir.path());
    LoadMedia();

    for (int k = 0; k < KeyedCount; ++k) {
        SDL_Surface* surface = *KeyedMedia[k].handle;
        ASSERT_NE(surface, nullptr) << KeyedMedia[k].file;
        EXPECT_EQ(surface->format->BitsPerPixel, 16);
        EXPECT_EQ(surface->w, 4 + k);
        EXPECT_EQ(surface->h, 3);
        EXPECT_TRUE(surface->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(surface->format->colorkey, Rgb(ScreenSurface, Magenta));
        EXPECT_EQ(ShownPixel(surface, 0, 0), Rgb(ScreenSurface, 0x00FF00)) << KeyedMedia[k].file;
        EXPECT_EQ(ShownPixel(surface, 1, 0), Rgb(ScreenSurface, FileColour(k))) << KeyedMedia[k].file;
    }
    ASSERT_NE(BackgroundSurface, nullptr);
    EXPECT_EQ(BackgroundSurface->w, 320);
    EXPECT_EQ(BackgroundSurface->h, 240);
    EXPECT_FALSE(BackgroundSurface->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(ShownPixel(BackgroundSurface, 0, 0), Rgb(ScreenSurface, Magenta));
    EXPECT_EQ(ShownPixel(BackgroundSurface, 319, 239), Rgb(ScreenSurface, 0xFF0000));
    EXPECT_EQ(ShownPixel(BackgroundSurface, 318, 239), Rgb(ScreenSurface, 0x3050A0));
    FreeMedia();
}

// A missing or broken file leaves its handle null and loading goes on; a small background
// keeps the rest of its 320 x 240 black.
TEST(Media, MissingFilesStayNull)
{
    MakeTestScreen();
    TempDir dir;
    RgbImage background(100, 50, 0xFFFFFF);
    WriteMedia(dir, background, { "card", "star" });
    WriteFile(dir / "media/button_y.bmp", "BM not really a bitmap");
    WorkingDirectory cwd(dir.path());
    LoadMedia();
    EXPECT_EQ(CardSurface, nullptr);
    EXPECT_EQ(StarSurface, nullptr);
    EXPECT_EQ(ButtonYSurface, nullptr);
    EXPECT_NE(ButtonPadSurface, nullptr);
    EXPECT_NE(UnlockedSurface, nullptr);
    ASSERT_NE(BackgroundSurface, nullptr);
    EXPECT_EQ(BackgroundSurface->w, 320);
    EXPECT_EQ(ShownPixel(BackgroundSurface, 99, 49), Rgb(ScreenSurface, 0xFFFFFF));
    EXPECT_EQ(ShownPixel(BackgroundSurface, 100, 0), 0u);
    EXPECT_EQ(ShownPixel(BackgroundSurface, 0, 50), 0u);
    EXPECT_EQ(LoadBitmap("media/nothing.bmp"), nullptr);
    EXPECT_EQ(LoadBitmap("media"), nullptr);
    FreeMedia();

    // No files at all: every handle null, nothing stops.
    TempDir empty;
    WorkingDirectory emptyCwd(empty.path());
    LoadMedia();
    EXPECT_EQ(BackgroundSurface, nullptr);
    for (const Expected& media : KeyedMedia) EXPECT_EQ(*media.handle, nullptr);
    FreeMedia();
}

// Before the screen exists the key is magenta in the surface's own 16-bit format.
TEST(Media, LoadBitmapWithoutScreen)
{
    MakeTestScreen();
    TempDir dir;
    RgbImage image(2, 2, 0x102030);
    image.at(1, 1) = Magenta;
    WriteBmp24(dir / "icon.bmp", image);
    SDL_Surface* screen = ScreenSurface;
    ScreenSurface = nullptr;
    SDL_Surface* icon = LoadBitmap(dir / "icon.bmp");
    ScreenSurface = screen;
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(icon->format->colorkey, MapColour(icon, 255, 0, 255));
    EXPECT_EQ(ShownPixel(icon, 1, 1), Rgb(ScreenSurface, 0x00FF00));
    FreeSurface(&icon);
    EXPECT_EQ(icon, nullptr);
    FreeSurface(&icon);
}

// Shutdown frees the media, the avatar images and the icons that exist, skips the null
// ones, and leaves every handle null so nothing is freed twice.
TEST(Media, FreeMediaFreesOnlyWhatExists)
{
    MakeTestScreen();
    TempDir dir;
    WriteMedia(dir, RgbImage(320, 240, 0), { "background", "lockkey" });
    WorkingDirectory cwd(dir.path());
    LoadMedia();
    auto make = [] { return SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 16, 0, 0, 0, 0); };
    AvatarPartImages[AvatarEyes].assign(1, nullptr);
    AvatarPartImages[AvatarEyes].push_back(make());
    AvatarPartImages[AvatarClothes].assign(1, make());
    AchievementIcons[0] = make();
    AchievementIcons[49] = make();
    FavouriteIcons[2] = make();
    CompletedIcons[4] = make();
    FreeMedia();
    for (const Expected& media : KeyedMedia) EXPECT_EQ(*media.handle, nullptr);
    for (SDL_Surface* image : AvatarPartImages[AvatarEyes]) EXPECT_EQ(image, nullptr);
    EXPECT_EQ(AvatarPartImages[AvatarClothes][0], nullptr);
    for (SDL_Surface* icon : AchievementIcons) EXPECT_EQ(icon, nullptr);
    for (SDL_Surface* icon : FavouriteIcons) EXPECT_EQ(icon, nullptr);
    for (SDL_Surface* icon : CompletedIcons) EXPECT_EQ(icon, nullptr);
    FreeMedia();
    for (auto& images : AvatarPartImages) images.clear();
}

namespace {

// A mono 16-bit WAV of `samples` samples of a square wave.
std::string Wav(int samples)
{
    auto u32 = [](uint32_t v) { return std::string{ char(v), char(v >> 8), char(v >> 16), char(v >> 24) }; };
    auto u16 = [](uint32_t v) { return std::string{ char(v), char(v >> 8) }; };
    std::string data;
    for (int i = 0; i < samples; ++i) data += u16((i / 20) % 2 ? 0x2000 : 0xE000);
    return "RIFF" + u32(36 + uint32_t(data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(22050) +
           u32(44100) + u16(2) + u16(16) + "data" + u32(uint32_t(data.size())) + data;
}

} // namespace

// A missing sound stays null and plays silently; a present one loads, plays and is freed.
TEST(Media, Sound)
{
    TempDir dir;
    MakeDir(dir / "media");
    WorkingDirectory cwd(dir.path());
    LoadSound();
    EXPECT_EQ(NextSound, nullptr);
    PlayNextSound();
    FreeSound();

    setenv("SDL_AUDIODRIVER", "dummy", 0); // never a real sound card from a test
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 128) != 0) GTEST_SKIP() << "no audio device";
    WriteFile(dir / "media/next.wav", Wav(11025));
    LoadSound();
    ASSERT_NE(NextSound, nullptr);
    PlayNextSound();
    EXPECT_GE(Mix_Playing(-1), 1);
    FreeSound();
    EXPECT_EQ(NextSound, nullptr);
}
