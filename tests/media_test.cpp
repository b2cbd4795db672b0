// Media: each file to its handle as a 16-bit surface of its own size with magenta transparent,
// the background cut or padded to 320 x 240 and opaque; missing or broken files left null
// without stopping the rest; shutdown freeing only what exists; the sound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "frame/state.h"
#include "graphics/media.h"
#include "profile/avatar.h"
#include "store/game_files.h"
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

// Whether `image` blitted onto a green screen shows `rgb` at (x, y).
static bool Shows(SDL_Surface* image, int x, int y, uint32_t rgb)
{
    SDL_FillRect(ScreenSurface, nullptr, Rgb(0x00FF00));
    SDL_BlitSurface(image, nullptr, ScreenSurface, nullptr);
    return PixelAt(ScreenSurface, x, y) == Rgb(rgb);
}

// Keyed file k is (4 + k) x 3 with magenta at (0, 0): each keeps its size, the card shows the
// green through its magenta. The 640 x 480 background shows its upper-left 320 x 240, magenta
// and all. Without star.bmp and with a broken button_y.bmp those two stay null, the rest loads.
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
    EXPECT_TRUE(Shows(CardSurface, 0, 0, 0x00FF00) && Shows(CardSurface, 1, 0, 0x20A040));
    ASSERT_TRUE(BackgroundSurface && BackgroundSurface->w == 320 && BackgroundSurface->h == 240);
    EXPECT_TRUE(Shows(BackgroundSurface, 0, 0, Magenta) && Shows(BackgroundSurface, 319, 239, 0xFF0000));

    // Loaded again (replacing, not leaking): a small background padded black.
    WriteBmp24(dir / "media/background.bmp", RgbImage(100, 50, 0xFFFFFF));
    LoadMedia();
    EXPECT_TRUE(Shows(BackgroundSurface, 99, 49, 0xFFFFFF));
    EXPECT_TRUE(Shows(BackgroundSurface, 100, 0, 0) && Shows(BackgroundSurface, 0, 50, 0));

    // Shutdown frees the media that exist, nulls them, and leaves the card's images to their
    // own modules: those free them, skipping null ones.
    auto make = [] { return SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 16, 0, 0, 0, 0); };
    AvatarPartImages[AvatarEyes] = {nullptr, make()};
    AchievementIcons[49] = make();
    CompletedIcons[4] = make();
    FreeMedia(); // the sanitizer build reports a double free or a leak here
    EXPECT_TRUE(!BackgroundSurface && AchievementIcons[49] && CompletedIcons[4]);
    FreeAvatarImages();
    FreeAchievementIcons();
    FreeRankingIcons();
    EXPECT_TRUE(!AchievementIcons[49] && !CompletedIcons[4]);
    EXPECT_EQ(AvatarPartImages[AvatarEyes][1], nullptr);

    // No sound in the folder: null, played silently; the build's sound loads, plays and is freed.
    LoadSound();
    EXPECT_EQ(NextSound, nullptr);
    PlayNextSound();
    FreeSound();
    auto opened = [] { return Mix_QuerySpec(nullptr, nullptr, nullptr); }; // the mixer's count of openings
    OpenSound();
    if (opened() == 0) GTEST_SKIP() << "no audio device";
    WorkingDirectory build(BuildDir());
    LoadSound();
    PlayNextSound();
    EXPECT_TRUE(NextSound && Mix_Playing(-1) >= 1);
    // At rest the device closes, but not under a sound still playing; the next sound opens it
    // again and the sound loaded before still plays.
    RestSound();
    EXPECT_EQ(opened(), 1);
    Mix_HaltChannel(-1);
    RestSound();
    EXPECT_EQ(opened(), 0);
    PauseIdleSound(); // nothing to pause while closed
    RestSound();
    PlayNextSound();
    EXPECT_TRUE(opened() == 1 && Mix_Playing(-1) >= 1);
    FreeSound();
    EXPECT_EQ(opened(), 0);
}

// The one bitmap check before any decoding: every good seed of the fuzz corpus (each depth,
// BI_BITFIELDS, OS/2 and V4 headers, top-down, SDL_SaveBMP's files) loads, every broken one (a
// single field wrong, the 34-byte file claiming 4097 bits per pixel among them) reads like a
// missing file. On the card too: a bitmap, a FIFO or a device as an icon loads null, unblocked.
TEST(Media, BitmapsValidatedBeforeDecoding)
{
    MakeTestScreen();
    int good = 0, bad = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "/tests/corpus/bitmap")) {
        const std::string name = entry.path().filename(), bytes = ReadFile(entry.path());
        const bool valid = name.compare(0, 5, "good_") == 0;
        SDL_Surface* surface = DecodeBitmap(bytes);
        EXPECT_EQ(IsValidBitmap(bytes), valid) << name;
        EXPECT_EQ(surface != nullptr, valid) << name;
        EXPECT_TRUE(!surface || (surface->format->BitsPerPixel == 16 && surface->w >= 2)) << name;
        FreeSurface(&surface);
        (valid ? good : bad)++;
    }
    EXPECT_TRUE(good >= 10 && bad >= 10);
    TempDir dir;
    WriteFile(dir / "crash.bmp", ReadFile(SourceDir() + "/tests/corpus/bitmap/bad_depth_4097_34_bytes.bmp"));
    ASSERT_EQ(mkfifo((dir / "fifo.bmp").c_str(), 0644), 0);
    for (const std::string& path : {dir / "crash.bmp", dir / "fifo.bmp", std::string("/dev/zero"), dir.path()})
        EXPECT_EQ(LoadBitmap(path), nullptr) << path;

    // a large bitmap is cut to the screen before decoding (nothing beyond it can show), stored
    // bottom-up or top-down (a negative height, its rows reversed)
    RgbImage image(1000, 300, 0x808080), flipped(1000, 300);
    image.at(0, 0) = 0xFF0000;
    image.at(319, 239) = 0x0000FF;
    image.at(320, 0) = image.at(0, 240) = 0x00FF00;
    for (int i = 0; i < 1000 * 300; ++i) flipped.at(i % 1000, i / 1000) = image.at(i % 1000, 299 - i / 1000);
    std::string topDown = EncodeBmp24(flipped);
    topDown.replace(22, 4, std::string("\xD4\xFE\xFF\xFF", 4)); // -300
    for (const std::string& bytes : {EncodeBmp24(image), topDown}) {
        SDL_Surface* large = DecodeBitmap(bytes);
        ASSERT_NE(large, nullptr);
        EXPECT_TRUE(large->w == ScreenWidth && large->h == ScreenHeight);
        EXPECT_TRUE(Shows(large, 0, 0, 0xFF0000) && Shows(large, 319, 239, 0x0000FF) && Shows(large, 319, 0, 0x808080));
        FreeSurface(&large);
    }
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
    ASSERT_TRUE(WriteBmp565(dir / "screen.bmp", image) && WriteBmp24(dir / "deep.bmp", image));
    for (const char* file : {"screen.bmp", "deep.bmp"}) {
        SCOPED_TRACE(file);
        SDL_Surface* s = LoadBitmap(dir / file);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->format->BitsPerPixel, 16);
        EXPECT_TRUE(s->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(s->format->colorkey, MapColour(ScreenSurface, 255, 0, 255));
        EXPECT_EQ(PixelAt(s, 0, 0), s->format->colorkey);
        for (int i = 0; i < 15; ++i) EXPECT_EQ(PixelAt(s, i % 5, i / 5), On565(image.at(i % 5, i / 5))) << i;
        FreeSurface(&s);
    }
    image.at(1, 1) = 0xFC03FC; // 5-6-5 magenta, not magenta itself
    EXPECT_FALSE(WriteBmp565(dir / "hole.bmp", image));
}

// The bytes of `bmp`, a bottom-up 24-bit file of `image`, stored top-down: rows reversed,
// height negative.
static std::string TopDown(std::string bmp, const RgbImage& image)
{
    const size_t stride = (size_t(image.width) * 3 + 3) / 4 * 4, pixels = 54;
    std::string rows = bmp.substr(pixels);
    for (int y = 0; y < image.height; ++y)
        bmp.replace(pixels + y * stride, stride, rows, (image.height - 1 - y) * stride, stride);
    const int32_t height = -image.height;
    std::memcpy(&bmp[22], &height, 4);
    return bmp;
}

// 24-bit bitmaps are decoded straight to 5-6-5, pixel for pixel as SDL's decoder and blit make
// them: either row order, padded rows, a large one cut to the screen. Only an image with some
// pixel that turns magenta is keyed; any other blits as a plain copy.
TEST(Media, DeepBitmapsDecodeAsSdlMakesThem)
{
    MakeTestScreen();
    for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {5, 7}, {24, 24}, {400, 250}}) {
        RgbImage image(w, h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.at(x, y) = (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) & 0xFFFFFF;
        if (w == 5) image.at(4, 6) = 0xFE03FC; // turns into magenta's 5-6-5 value
        const std::string bottomUp = EncodeBmp24(image);
        for (const std::string& bytes : {bottomUp, TopDown(bottomUp, image)}) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + (bytes == bottomUp ? " bottom-up" : " top-down"));
            SDL_Surface* ours = DecodeBitmap(bytes);
            SDL_Surface* decoded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
            ASSERT_TRUE(ours && decoded);
            SDL_Surface* sdl = SDL_CreateRGBSurface(SDL_SWSURFACE, std::min(w, 320), std::min(h, 240), 16, 0xF800,
                                                    0x07E0, 0x001F, 0);
            SDL_BlitSurface(decoded, nullptr, sdl, nullptr);
            EXPECT_EQ(std::pair(ours->w, ours->h), std::pair(sdl->w, sdl->h));
            EXPECT_EQ(WrongPixels(ours, [&](int x, int y) { return PixelAt(sdl, x, y); }), 0);
            EXPECT_EQ(bool(ours->flags & SDL_SRCCOLORKEY), CountPixels(sdl, 0xF81F) > 0);
            for (SDL_Surface* s : {ours, decoded, sdl}) SDL_FreeSurface(s);
        }
    }
}
