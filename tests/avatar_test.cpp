#include "profile/avatar.h"

#include <gtest/gtest.h>

#include "tests/support/graphics_support.h"
#include "tests/support/store_support.h"
#include "tools/avatar_geometry.h"

static std::string PartFile(const TempDir& dir, int part, int number) { return dir / AvatarPartFileName(part, number); }

// `colour` from column `from` on, magenta before.
static RgbImage Stripe(uint32_t colour, int from, int width = 12, int height = 3)
{
    RgbImage image(width, height, Magenta);
    for (int i = 0; i < width * height; ++i)
        if (i % width >= from) image.at(i % width, i / width) = colour;
    return image;
}

static Uint32 Rgb(uint32_t rgb) { return MapColour(ScreenSurface, rgb >> 16, (rgb >> 8) & 255, rgb & 255); }

// The scan keeps the unbroken run from 1: a gap ends it, a name without the leading zero is never
// seen, 100 is never probed, any entry of the name counts. ScanStore creates a missing store folder.
TEST(Avatar, ScanFindsTheUnbrokenRun)
{
    TestCard card;
    const TempDir& dir = card.dir;
    MakeDir(dir / "media/vok_nose_01.bmp");
    WriteFile(dir / "media/vok_base_1.bmp", "x");
    for (int n : {1, 2, 3, 4, 5, 7}) WriteFile(PartFile(dir, AvatarEyes, n), "x");
    for (int n = 1; n <= 10; ++n) WriteFile(PartFile(dir, AvatarHair, n), "x");
    WriteFile(PartFile(dir, AvatarEars, 2), "x"); // ears lack number 1
    for (int n = 1; n <= 99; ++n) WriteFile(PartFile(dir, AvatarClothes, n), "x");
    WriteFile(dir / "media/vok_clothes_100.bmp", "x");
    StoreRoot = card.store + "new card/";
    {
        WorkingDirectory inside(dir.path());
        ScanAvatarParts();
        ScanStore();
    }
    const size_t counts[AvatarPartCount] = {0, 5, 0, 1, 0, 0, 0, 10, 0, 99};
    for (int part = 0; part < AvatarPartCount; ++part) EXPECT_EQ(AvatarPartFiles[part].size(), counts[part]) << part;
    EXPECT_TRUE(FileExists(card.store + "new card"));
}

// Layers are drawn base, tatoo, mouth, facial, eyes, nose, browns, hair, ears, clothes at
// (50, 60), magenta left out: layer i covers columns i and on, so column c shows the c-th layer.
// Part texts read like strtol select images; empty, too large, past a gap draw nothing.
TEST(Avatar, DrawsTheLayersInOrder)
{
    const AvatarPart order[AvatarPartCount] = {AvatarBase, AvatarTatoo, AvatarMouth, AvatarFacial, AvatarEyes,
                                               AvatarNose, AvatarBrowns, AvatarHair, AvatarEars, AvatarClothes};
    TempDir dir;
    MakeDir(dir / "media");
    for (int i = 0; i < AvatarPartCount; ++i) WriteBmp24(PartFile(dir, order[i], 1), Stripe(0x102030 * (i + 1), i));
    for (int n : {2, 3, 4, 5, 7}) WriteBmp24(PartFile(dir, AvatarEyes, n), Stripe(0x00F000 + uint32_t(n), 0, 3, 2));
    WriteFile(PartFile(dir, AvatarHair, 2), "not a bitmap");
    WriteBmp24(PartFile(dir, AvatarHair, 3), Stripe(0xF0F000, 0, 2, 2));
    MakeTestScreen();
    WorkingDirectory inside(dir.path()); // each image is read when first drawn
    ScanAvatarParts();
    LoadAvatarImages();
    ProfileRecord record;
    for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = "01";
    DrawAvatar(&record);
    for (int c = 0; c < AvatarPartCount; ++c) EXPECT_EQ(PixelAt(ScreenSurface, 50 + c, 60), Rgb(0x102030 * (c + 1))) << c;

    const auto eyes = &ProfileRecord::eyes, hair = &ProfileRecord::hair;
    const struct { std::string ProfileRecord::*field; const char* text; uint32_t shown; } cases[] = {
        {eyes, "05", 0x00F005}, {eyes, "+4x", 0x00F004}, {eyes, "", 0}, {eyes, "7", 0}, // empty, past the gap
        {hair, "2", 0}, {hair, "3", 0xF0F000}, // a failed load leaves the next image in place
        {eyes, "4294967301", 0}, {eyes, "99999999999999999999", 0}, // no wrap round to 5 nor clamping
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

// The generated art: every layer has enough images, all 88 x 105, none with a colour that turns
// transparent in 16 bits, each fitting one shared face so that any combination looks like one:
// every base has the same outline, features stay on the head, hair keeps off the eyes, clothes
// start at the chin, ear pieces stay beside the head.
TEST(AvatarArt, EveryLayerIsCompleteAndFitsEveryFace)
{
    const size_t least[AvatarPartCount] = {4, 8, 4, 4, 3, 8, 4, 10, 3, 8};
    std::vector<RgbImage> images[AvatarPartCount];
    for (int part = 0; part < AvatarPartCount; ++part) {
        RgbImage image;
        for (int n = 1; ReadBmp(BuildDir() + "/" + AvatarPartFileName(part, n), &image); ++n) images[part].push_back(image);
        EXPECT_GE(images[part].size(), least[part]) << AvatarParts[part].key;
    }
    const RgbImage& figure = images[AvatarBase].at(0);
    const paint::Shape head = face::Head(), eyeArea = face::EyeArea();
    auto allowed = [&](int part, int x, int y) {
        const bool onFigure = figure.at(x, y) != Magenta;
        switch (part) {
        case AvatarBase:
        case AvatarFacial: return onFigure;                  // beards may hang below the chin
        case AvatarEyes: return onFigure && y < face::NoseY; // glasses reach the ears
        case AvatarHair: return !InsideAt(eyeArea, x, y);
        case AvatarClothes: return y >= face::ChinY;
        case AvatarEars: return y > 4 && y < face::ShoulderTop;
        default: return InsideAt(head, x, y);
        }
    };
    for (int part = 0; part < AvatarPartCount; ++part)
        for (size_t i = 0; i < images[part].size(); ++i) {
            SCOPED_TRACE(std::string(AvatarParts[part].key) + " " + std::to_string(i + 1));
            const RgbImage& image = images[part][i];
            ASSERT_TRUE(image.width == face::Width && image.height == face::Height);
            int drawn = 0, strays = 0, nearMagenta = 0, otherShape = 0; // otherShape: a base's outline unlike the first's
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    const uint32_t rgb = image.at(x, y);
                    otherShape += part == AvatarBase && (rgb != Magenta) != (figure.at(x, y) != Magenta);
                    if (rgb == Magenta) continue;
                    ++drawn;
                    strays += !allowed(part, x, y);
                    nearMagenta += On565(rgb) == On565(Magenta);
                }
            EXPECT_GT(drawn, 0);
            EXPECT_EQ(std::vector<int>({strays, nearMagenta, otherShape}), std::vector<int>(3, 0)) << "strays, near magenta, other shape";
        }
}
