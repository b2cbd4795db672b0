// Media: each file to its handle as a 16-bit surface of its own size with magenta transparent,
// the background cut or padded to 320 x 240 and opaque; missing or broken files left null
// without stopping the rest; shutdown freeing only what exists; the sound.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "graphics/media.h"
#include "profile/avatar.h"
#include "store/ranking.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

// The media drawn with magenta transparent, in the order of the files written below.
static const struct { const char* file; SDL_Surface** handle; } Keyed[] = {
    {"card", &CardSurface}, {"button_pad", &ButtonPadSurface}, {"button_pad2", &ButtonPad2Surface},
    {"button_y", &ButtonYSurface}, {"button_x", &ButtonXSurface}, {"button_b", &ButtonBSurface},
    {"button_l", &ButtonLSurface}, {"button_r", &ButtonRSurface}, {"select_bar", &SelectBarSurface},
    {"selectkey", &SelectKeySurface}, {"deletekey", &DeleteKeySurface}, {"returnkey", &ReturnKeySurface},
    {"capskey", &CapsKeySurface}, {"lockkey", &LockKeySurface}, {"experience", &LockedSurface},
    {"experiencew", &UnlockedSurface}, {"star", &StarSurface}};

static Uint32 Rgb(uint32_t rgb) { return MapColour(ScreenSurface, rgb >> 16, rgb >> 8 & 255, rgb & 255); }

// What `image` shows at (x, y) when blitted onto a green screen.
static Uint32 Shown(SDL_Surface* image, int x, int y)
{
    SDL_FillRect(ScreenSurface, nullptr, Rgb(0x00FF00));
    SDL_BlitSurface(image, nullptr, ScreenSurface, nullptr);
    return PixelAt(ScreenSurface, x, y);
}

// Keyed file k is (4 + k) x 3 with magenta at (0, 0): each keeps its size, and the card shows the
// green through its magenta. The 640 x 480 background shows its upper-left 320 x 240, magenta and
// all. Without star.bmp and with a broken button_y.bmp those two stay null, the rest loads.
TEST(Media, LoadFreeAndSound)
{
    TempDir dir;
    MakeTestScreen();
    MakeDir(dir / "media");
    RgbImage image(640, 480, 0x3050A0);
    image.at(0, 0) = Magenta;
    image.at(319, 239) = 0xFF0000;
    WriteBmp24(dir / "media/background.bmp", image);
    for (int k = 0; k < 16; ++k) {
        image = RgbImage(4 + k, 3, 0x20A040);
        image.at(0, 0) = Magenta;
        WriteBmp24(dir / (std::string("media/") + Keyed[k].file + ".bmp"), image);
    }
    WriteFile(dir / "media/button_y.bmp", "BM not really a bitmap");
    WorkingDirectory cwd(dir.path());
    LoadMedia();
    for (int k = 0; k < 17; ++k) {
        SDL_Surface* surface = *Keyed[k].handle;
        EXPECT_EQ(surface == nullptr, k == 3 || k == 16) << Keyed[k].file; // button_y and star
        EXPECT_TRUE(!surface || (surface->w == 4 + k && surface->h == 3)) << Keyed[k].file;
    }
    EXPECT_EQ(Shown(CardSurface, 0, 0), Rgb(0x00FF00));
    EXPECT_EQ(Shown(CardSurface, 1, 0), Rgb(0x20A040));
    ASSERT_TRUE(BackgroundSurface && BackgroundSurface->w == 320 && BackgroundSurface->h == 240);
    EXPECT_EQ(Shown(BackgroundSurface, 0, 0), Rgb(Magenta));
    EXPECT_EQ(Shown(BackgroundSurface, 319, 239), Rgb(0xFF0000));

    // Loaded again (replacing, not leaking): a small background padded black.
    WriteBmp24(dir / "media/background.bmp", RgbImage(100, 50, 0xFFFFFF));
    LoadMedia();
    EXPECT_EQ(Shown(BackgroundSurface, 99, 49), Rgb(0xFFFFFF));
    EXPECT_EQ(Shown(BackgroundSurface, 100, 0) | Shown(BackgroundSurface, 0, 50), 0u);

    // Shutdown frees the media, avatar images and icons that exist, skips null ones, nulls all.
    auto make = [] { return SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 16, 0, 0, 0, 0); };
    AvatarPartImages[AvatarEyes] = {nullptr, make()};
    AchievementIcons[49] = make();
    CompletedIcons[4] = make();
    FreeMedia(); // the sanitizer build reports a double free or a leak here
    EXPECT_TRUE(!BackgroundSurface && !AchievementIcons[49] && !CompletedIcons[4]);
    EXPECT_EQ(AvatarPartImages[AvatarEyes][1], nullptr);

    // No sound in the folder: null, played silently; the build's sound loads, plays and is freed.
    LoadSound();
    EXPECT_EQ(NextSound, nullptr);
    PlayNextSound();
    FreeSound();
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 128) != 0)
        GTEST_SKIP() << "no audio device";
    WorkingDirectory build(BuildDir());
    LoadSound();
    PlayNextSound();
    EXPECT_TRUE(NextSound && Mix_Playing(-1) >= 1);
    FreeSound();
}

// A bitmap in the screen's 5-6-5 layout loads as written, a 24-bit one converts to the same
// pixels (each channel's low bits dropped), both keyed on magenta; the writer refuses a colour
// that would turn into the key.
TEST(Media, ScreenLayoutAndConvertedBitmapsLoadAlike)
{
    MakeTestScreen();
    TempDir dir;
    RgbImage image(5, 3, 0x12AB7F);
    image.at(0, 0) = Magenta;
    image.at(4, 2) = 0xFFFFFF;
    image.at(2, 1) = 0x07FC03;
    ASSERT_TRUE(WriteBmp565(dir / "screen.bmp", image));
    ASSERT_TRUE(WriteBmp24(dir / "deep.bmp", image));
    SDL_Surface* screen = LoadBitmap(dir / "screen.bmp");
    SDL_Surface* deep = LoadBitmap(dir / "deep.bmp");
    ASSERT_TRUE(screen && deep);
    for (SDL_Surface* s : {screen, deep}) {
        EXPECT_EQ(s->format->BitsPerPixel, 16);
        EXPECT_TRUE(s->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(s->format->colorkey, MapColour(ScreenSurface, 255, 0, 255));
        EXPECT_EQ(PixelAt(s, 0, 0), s->format->colorkey);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t rgb = image.at(x, y);
            const Uint32 expected = (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F);
            EXPECT_EQ(PixelAt(screen, x, y), expected) << x << "," << y;
            EXPECT_EQ(PixelAt(deep, x, y), expected) << x << "," << y;
        }
    FreeSurface(&screen);
    FreeSurface(&deep);
    image.at(1, 1) = 0xFC03FC; // 5-6-5 magenta, not magenta itself
    EXPECT_FALSE(WriteBmp565(dir / "hole.bmp", image));
}
