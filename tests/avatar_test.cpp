#include "profile/avatar.h"

#include <gtest/gtest.h>

#include "tests/support/graphics_support.h"
#include "tests/support/store_support.h"
#include "tools/avatar_geometry.h"

static std::string PartFile(const TempDir& dir, int part, int number)
{
    return dir / AvatarPartFileName(part, number);
}

// `colour` from column `from` on, magenta before.
static RgbImage Stripe(uint32_t colour, int from, int width = 12, int height = 3)
{
    RgbImage image(width, height, Magenta);
    for (int y = 0; y < height; ++y)
        for (int x = from; x < width; ++x) image.at(x, y) = colour;
    return image;
}

static Uint32 Rgb(uint32_t rgb) { return MapColour(ScreenSurface, rgb >> 16, (rgb >> 8) & 255, rgb & 255); }

// The scan keeps the unbroken run from 1: a gap ends it, a name without the leading zero is
// never seen, 10 needs 1 to 9, number 100 is never probed, any entry of the name counts.
// ScanStore creates a missing store folder and lists the parts.
TEST(Avatar, ScanFindsTheUnbrokenRun)
{
    TestCard card;
    const TempDir& dir = card.dir;
    MakeDir(dir / "media/vok_nose_01.bmp");
    WriteFile(dir / "media/vok_base_1.bmp", "x");
    for (int n : {1, 2, 3, 4, 5, 7}) WriteFile(PartFile(dir, AvatarEyes, n), "x");
    for (int n = 1; n <= 10; ++n) WriteFile(PartFile(dir, AvatarHair, n), "x");
    for (int n = 1; n <= 10; ++n) // ears lack number 1
        WriteFile(PartFile(dir, n == 5 ? AvatarEars : AvatarMouth, n), "x");
    for (int n = 1; n <= 99; ++n) WriteFile(PartFile(dir, AvatarClothes, n), "x");
    WriteFile(dir / "media/vok_clothes_100.bmp", "x");
    AvatarPartFiles[AvatarTatoo].assign(3, "stale");
    StoreRoot = card.store + "new card/";
    {
        WorkingDirectory inside(dir.path());
        ScanStore();
    }
    const size_t counts[AvatarPartCount] = {0, 5, 0, 1, 0, 4, 0, 10, 0, 99};
    for (int part = 0; part < AvatarPartCount; ++part)
        EXPECT_EQ(AvatarPartFiles[part].size(), counts[part]) << part;
    EXPECT_EQ(AvatarPartFiles[AvatarHair].at(9), "media/vok_hair_10.bmp");
    EXPECT_EQ(AvatarPartFiles[AvatarEyes].at(4), "media/vok_eyes_05.bmp");
    EXPECT_TRUE(FileExists(card.store + "new card"));
}

// Layers are drawn in the order base, tatoo, mouth, facial, eyes, nose, browns, hair, ears,
// clothes at (50, 60), magenta left out: layer i covers columns i and on, so column c shows
// the c-th layer. Part texts read like strtol select images by number, each on its own; 0,
// empty, negative, too large, past a gap, and a file that failed to load draw nothing.
TEST(Avatar, DrawsTheLayersInOrder)
{
    const AvatarPart order[AvatarPartCount] = {AvatarBase, AvatarTatoo, AvatarMouth,  AvatarFacial,
                                               AvatarEyes, AvatarNose,  AvatarBrowns, AvatarHair,
                                               AvatarEars, AvatarClothes};
    TempDir dir;
    MakeDir(dir / "media");
    for (int i = 0; i < AvatarPartCount; ++i)
        WriteBmp24(PartFile(dir, order[i], 1), Stripe(0x102030 * (i + 1), i));
    for (int n : {2, 3, 4, 5, 7})
        WriteBmp24(PartFile(dir, AvatarEyes, n), Stripe(0x00F000 + uint32_t(n), 0, 3, 2));
    WriteFile(PartFile(dir, AvatarHair, 2), "not a bitmap");
    WriteBmp24(PartFile(dir, AvatarHair, 3), Stripe(0xF0F000, 0, 2, 2));
    MakeTestScreen();
    {
        WorkingDirectory inside(dir.path());
        ScanAvatarParts();
        LoadAvatarImages();
    }
    ASSERT_EQ(AvatarPartImages[AvatarEyes].size(), 5u);
    ASSERT_EQ(AvatarPartImages[AvatarHair].size(), 3u);

    ProfileRecord record;
    for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = "01";
    DrawAvatar(&record);
    for (int c = 0; c < AvatarPartCount; ++c)
        EXPECT_EQ(PixelAt(ScreenSurface, 50 + c, 60), Rgb(0x102030 * (c + 1))) << c;
    EXPECT_EQ(PixelAt(ScreenSurface, 49, 60), Rgb(0));
    EXPECT_EQ(PixelAt(ScreenSurface, 50, 59), Rgb(0));
    EXPECT_EQ(PixelAt(ScreenSurface, 50, 63), Rgb(0));

    const auto eyes = &ProfileRecord::eyes;
    const auto hair = &ProfileRecord::hair;
    const struct {
        std::string ProfileRecord::*field;
        const char* text;
        uint32_t shown;
    } cases[] = {
        {eyes, "05", 0x00F005},
        {eyes, " 5", 0x00F005},
        {eyes, "+4x", 0x00F004},
        {eyes, "", 0},
        {eyes, "-1", 0},
        {eyes, "7", 0},
        {hair, "2", 0},
        {hair, "3", 0xF0F000},
        {eyes, "4294967301", 0},           // no wrap round to 5
        {eyes, "99999999999999999999", 0}, // nor clamping to a drawn number
    };
    for (const auto& c : cases) {
        ProfileRecord only;
        only.*c.field = c.text;
        SDL_FillRect(ScreenSurface, nullptr, Rgb(0));
        DrawAvatar(&only);
        EXPECT_EQ(PixelAt(ScreenSurface, 50, 60), Rgb(c.shown)) << '"' << c.text << '"';
    }
    DrawAvatar(nullptr);
    for (auto& images : AvatarPartImages) for (SDL_Surface*& image : images) FreeSurface(&image);
}

// The generated art: every layer has its share of 88 x 105 images on a magenta ground with
// no colour that turns transparent once reduced to 16 bits, all bases share one shape, and
// the parts stay where they belong on every face: features on the face (glasses up to the
// ears, beards on the figure), hair off the eyes, clothes below the chin, ear wear by the head.
TEST(AvatarArt, EveryLayerIsCompleteAndFitsEveryFace)
{
    const size_t least[AvatarPartCount] = {4, 8, 4, 4, 3, 8, 4, 10, 3, 8};
    std::vector<RgbImage> images[AvatarPartCount];
    for (int part = 0; part < AvatarPartCount; ++part) {
        RgbImage image;
        for (int n = 1; n <= 99; ++n) {
            if (!ReadBmp24(BuildDir() + "/" + AvatarPartFileName(part, n), &image)) break;
            images[part].push_back(image);
        }
        EXPECT_GE(images[part].size(), least[part]) << AvatarParts[part].key;
    }
    const RgbImage& figure = images[AvatarBase].at(0);
    const paint::Shape head = face::Head(), eyeArea = face::EyeArea();
    auto allowed = [&](int part, int x, int y) {
        const bool onFigure = figure.at(x, y) != Magenta;
        switch (part) {
        case AvatarBase: case AvatarFacial: return onFigure; // beards may hang below the chin
        case AvatarEyes: return onFigure && y < face::NoseY;   // glasses reach the ears
        case AvatarHair: return !InsideAt(eyeArea, x, y);
        case AvatarClothes: return y >= face::ChinY;
        case AvatarEars: return y > 4 && y < face::ShoulderTop;
        default: return InsideAt(head, x, y);
        }
    };
    for (int part = 0; part < AvatarPartCount; ++part)
        for (size_t i = 0; i < images[part].size(); ++i) {
            const RgbImage& image = images[part][i];
            ASSERT_EQ(image.width, face::Width) << AvatarParts[part].key << i + 1;
            ASSERT_EQ(image.height, face::Height) << AvatarParts[part].key << i + 1;
            int drawn = 0, strays = 0, nearMagenta = 0;
            int otherShape = 0; // every base has the figure's shape
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    const uint32_t rgb = image.at(x, y);
                    otherShape += part == AvatarBase && (rgb != Magenta) != (figure.at(x, y) != Magenta);
                    if (rgb == Magenta) continue;
                    ++drawn;
                    strays += !allowed(part, x, y);
                    nearMagenta += (rgb >> 16) >= 248 && (rgb & 255) >= 248 && ((rgb >> 8) & 255) <= 3;
                }
            EXPECT_TRUE(drawn > 0 && strays == 0 && nearMagenta == 0 && otherShape == 0)
                << AvatarParts[part].key << " " << i + 1 << ": " << drawn << " drawn, " << strays
                << " astray";
        }
}
