// The avatar: which numbered part files are found, how a part number text selects an image,
// the layers' drawing order on screen, the store scan, and the generated art itself.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frame/state.h"
#include "profile/avatar.h"
#include "store/profiles.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"
#include "tools/avatar_geometry.h"
#include "tools/bitmap_writer.h"

namespace {

const char* const Keys[AvatarPartCount] = {"base", "eyes", "browns", "nose", "ears",
                                           "mouth", "facial", "hair", "tatoo", "clothes"};

// The part file of `number` as the program names it, inside `dir`.
std::string PartFile(const TempDir& dir, int part, int number) { return dir / AvatarPartFileName(part, number); }

void Touch(const std::string& path) { WriteFile(path, "x"); }

void ForgetImages()
{
    for (auto& images : AvatarPartImages) {
        for (SDL_Surface* image : images) SDL_FreeSurface(image);
        images.clear();
    }
}

// A small part image: `colour` from column `from` on, transparent to its left.
RgbImage Stripe(uint32_t colour, int from, int width = 12, int height = 3)
{
    RgbImage image(width, height, Magenta);
    for (int y = 0; y < height; ++y)
        for (int x = from; x < width; ++x) image.at(x, y) = colour;
    return image;
}

Uint32 Rgb(uint32_t rgb) { return MapColour(ScreenSurface, rgb >> 16, (rgb >> 8) & 255, rgb & 255); }

Uint32 ScreenAt(int x, int y) { return PixelAt(ScreenSurface, x, y); }

} // namespace

// File names: two digits below 10, plain numbers from 10 on, nothing outside 1 to 99.
TEST(Avatar, PartFileNames)
{
    EXPECT_EQ(AvatarPartFileName(AvatarBase, 1), "media/vok_base_01.bmp");
    EXPECT_EQ(AvatarPartFileName(AvatarBrowns, 9), "media/vok_browns_09.bmp");
    EXPECT_EQ(AvatarPartFileName(AvatarTatoo, 10), "media/vok_tatoo_10.bmp");
    EXPECT_EQ(AvatarPartFileName(AvatarClothes, 99), "media/vok_clothes_99.bmp");
    EXPECT_EQ(AvatarPartFileName(AvatarHair, 0), "");
    EXPECT_EQ(AvatarPartFileName(AvatarHair, 100), "");
    EXPECT_EQ(AvatarPartFileName(AvatarPartCount, 1), "");
    for (int part = 0; part < AvatarPartCount; ++part) EXPECT_STREQ(AvatarParts[part].key, Keys[part]);
    EXPECT_EQ(AvatarParts[AvatarBrowns].field, &ProfileRecord::browns);
    EXPECT_EQ(AvatarParts[AvatarClothes].field, &ProfileRecord::clothes);
    EXPECT_EQ(AvatarOriginX, 50);
    EXPECT_EQ(AvatarOriginY, 60);
}

// The scan keeps the unbroken run from 1: a gap ends it, a name without the leading zero is
// never seen, 10 needs 1 to 9, and number 100 is never probed.
TEST(Avatar, ScanFindsTheUnbrokenRun)
{
    TempDir dir;
    MakeDir(dir / "media");
    for (int n : {1, 2, 3, 4, 5, 7}) Touch(PartFile(dir, AvatarEyes, n));
    WriteFile(dir / "media/vok_base_1.bmp", "x");
    for (int n = 1; n <= 10; ++n) Touch(PartFile(dir, AvatarHair, n));
    for (int n = 1; n <= 10; ++n)
        if (n != 5) Touch(PartFile(dir, AvatarMouth, n));
    for (int n = 1; n <= 99; ++n) Touch(PartFile(dir, AvatarClothes, n));
    Touch(dir / "media/vok_clothes_100.bmp");
    MakeDir(dir / "media/vok_nose_01.bmp"); // any entry of that name counts
    AvatarPartFiles[AvatarTatoo].assign(3, "stale");

    WorkingDirectory inside(dir.path());
    ScanAvatarParts();
    EXPECT_EQ(AvatarPartFiles[AvatarEyes].size(), 5u);
    EXPECT_EQ(AvatarPartFiles[AvatarEyes][4], "media/vok_eyes_05.bmp");
    EXPECT_TRUE(AvatarPartFiles[AvatarBase].empty());
    ASSERT_EQ(AvatarPartFiles[AvatarHair].size(), 10u);
    EXPECT_EQ(AvatarPartFiles[AvatarHair][9], "media/vok_hair_10.bmp");
    EXPECT_EQ(AvatarPartFiles[AvatarMouth].size(), 4u);
    EXPECT_EQ(AvatarPartFiles[AvatarClothes].size(), 99u);
    EXPECT_EQ(AvatarPartFiles[AvatarNose].size(), 1u);
    EXPECT_TRUE(AvatarPartFiles[AvatarTatoo].empty());
}

// Part number texts read like strtol: spaces and a sign first, digits up to the first other
// character; long digit runs stay large instead of wrapping round to a small number.
TEST(Avatar, PartNumberText)
{
    const struct {
        const char* text;
        int number;
    } cases[] = {
        {"05", 5}, {"5", 5}, {" 5", 5}, {"\t 5", 5}, {"+5", 5}, {"5x", 5}, {"00", 0}, {"", 0}, {"-1", -1},
        {"x5", 0}, {"- 5", 0}, {"12", 12}, {"99", 99},
    };
    for (const auto& c : cases) EXPECT_EQ(PartNumber(c.text), c.number) << '"' << c.text << '"';
    EXPECT_GT(PartNumber("99999999999999999999"), 99);
    EXPECT_GT(PartNumber("4294967301"), 99); // would read as 5 if it wrapped at 32 bits
    EXPECT_LT(PartNumber("-99999999999999999999"), 0);
}

// Drawing: layers in the order base, tatoo, mouth, facial, eyes, nose, browns, hair, ears,
// clothes at (50, 60), magenta left out. Layer i of that order covers columns i and on, so
// column c shows the c-th layer drawn. Part texts select images by number; 0, empty, negative,
// too large and a file that failed to load all draw nothing, and the other layers still draw.
TEST(Avatar, DrawsTheLayersInOrder)
{
    const AvatarPart order[AvatarPartCount] = {AvatarBase, AvatarTatoo, AvatarMouth, AvatarFacial, AvatarEyes,
                                               AvatarNose, AvatarBrowns, AvatarHair, AvatarEars, AvatarClothes};
    const uint32_t colours[AvatarPartCount] = {0x102030, 0x204060, 0x306090, 0x4080C0, 0x50A0F0,
                                               0x60C020, 0x70E050, 0x801080, 0x9030B0, 0xA050E0};
    TempDir dir;
    MakeDir(dir / "media");
    for (int i = 0; i < AvatarPartCount; ++i) {
        // Image 1 of each layer is the wide stripe; eyes also get images 2 to 5 and 7 (not 6).
        WriteBmp24(PartFile(dir, order[i], 1), Stripe(colours[i], i));
    }
    for (int n = 2; n <= 7; ++n)
        if (n != 6) WriteBmp24(PartFile(dir, AvatarEyes, n), Stripe(0x00F000 + uint32_t(n), 0, 3, 2));
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
    EXPECT_EQ(AvatarPartImages[AvatarHair][1], nullptr);
    for (int part = 0; part < AvatarPartCount; ++part)
        EXPECT_EQ(AvatarPartImages[part].size(), AvatarPartFiles[part].size()) << Keys[part];

    ProfileRecord record;
    for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = "01";
    const Uint32 black = Rgb(0x000000);
    SDL_FillRect(ScreenSurface, nullptr, black);
    DrawAvatar(&record);
    for (int c = 0; c < AvatarPartCount; ++c) EXPECT_EQ(ScreenAt(50 + c, 60), Rgb(colours[c])) << "column " << c;
    EXPECT_EQ(ScreenAt(50 + 11, 62), Rgb(colours[AvatarPartCount - 1]));
    EXPECT_EQ(ScreenAt(49, 60), black);
    EXPECT_EQ(ScreenAt(50, 59), black);
    EXPECT_EQ(ScreenAt(50, 63), black);

    // An empty base leaves column 0 alone but draws the rest.
    record.base = "";
    SDL_FillRect(ScreenSurface, nullptr, black);
    DrawAvatar(&record);
    EXPECT_EQ(ScreenAt(50, 60), black);
    EXPECT_EQ(ScreenAt(51, 60), Rgb(colours[1]));

    // Eyes alone: which texts select image 5 (colour 0x00F005) and which select nothing.
    ProfileRecord eyes;
    const struct {
        const char* text;
        Uint32 shown;
    } eyeCases[] = {
        {"05", Rgb(0x00F005)}, {"5", Rgb(0x00F005)}, {" 5", Rgb(0x00F005)}, {"04", Rgb(0x00F004)},
        {"00", black}, {"", black}, {"-1", black}, {"6", black}, {"7", black}, {"99999999999", black},
    };
    for (const auto& c : eyeCases) {
        eyes.eyes = c.text;
        SDL_FillRect(ScreenSurface, nullptr, black);
        DrawAvatar(&eyes);
        EXPECT_EQ(ScreenAt(50, 60), c.shown) << '"' << c.text << '"';
    }
    // A hair file that failed to load draws nothing; the number above it still works.
    eyes.eyes = "";
    eyes.hair = "2";
    SDL_FillRect(ScreenSurface, nullptr, black);
    DrawAvatar(&eyes);
    EXPECT_EQ(ScreenAt(50, 60), black);
    eyes.hair = "3";
    DrawAvatar(&eyes);
    EXPECT_EQ(ScreenAt(50, 60), Rgb(0xF0F000));

    DrawAvatar(nullptr); // nothing to draw, nothing to crash
    ForgetImages();
}

// The store scan creates a missing store folder (and only then), lists the parts and the players.
TEST(Avatar, ScanStoreCreatesTheStore)
{
    TempDir dir;
    MakeDir(dir / "media");
    Touch(PartFile(dir, AvatarEars, 1));
    const std::string previous = StoreRoot;
    StoreRoot = dir / "card/";
    {
        WorkingDirectory inside(dir.path());
        ScanStore();
    }
    struct stat info;
    ASSERT_EQ(stat((dir / "card").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(AvatarPartFiles[AvatarEars].size(), 1u);
    EXPECT_TRUE(Profiles.empty());

    // A store path that cannot be made is no reason to stop.
    StoreRoot = dir / "media/vok_ears_01.bmp/card/";
    {
        WorkingDirectory inside(dir.path());
        ScanStore();
    }
    EXPECT_TRUE(Profiles.empty());
    StoreRoot = previous;
}

// ---------------------------------------------------------------------------------------
// The generated art of the build tree (tests run from the build folder).

namespace {

struct Requirement {
    int part;
    size_t least;
};
const Requirement Required[] = {
    {AvatarBase, 4}, {AvatarEyes, 8}, {AvatarBrowns, 4}, {AvatarNose, 4}, {AvatarEars, 3},
    {AvatarMouth, 8}, {AvatarFacial, 4}, {AvatarHair, 10}, {AvatarTatoo, 3}, {AvatarClothes, 8},
};

std::vector<RgbImage> LoadArt(int part)
{
    std::vector<RgbImage> images;
    for (int n = 1; n <= 99; ++n) {
        RgbImage image;
        if (!ReadBmp24(BuildDir() + "/" + AvatarPartFileName(part, n), &image)) break;
        images.push_back(image);
    }
    return images;
}

bool Opaque(const RgbImage& image, int x, int y) { return image.at(x, y) != Magenta; }

// Pixels of `image` that fail `allowed`, as "x,y" for the message.
template <class Allowed>
std::string Strays(const RgbImage& image, Allowed allowed)
{
    std::string strays;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (Opaque(image, x, y) && !allowed(x, y) && strays.size() < 80)
                strays += std::to_string(x) + "," + std::to_string(y) + " ";
    return strays;
}

} // namespace

// Every layer has its share of images, all 88 x 105 like the editor's frame, on a magenta
// ground, with no colour that turns transparent once reduced to 16 bits.
TEST(AvatarArt, EveryLayerIsComplete)
{
    for (const Requirement& r : Required) {
        const std::vector<RgbImage> images = LoadArt(r.part);
        EXPECT_GE(images.size(), r.least) << Keys[r.part];
        for (size_t i = 0; i < images.size(); ++i) {
            const RgbImage& image = images[i];
            EXPECT_EQ(image.width, face::Width) << Keys[r.part] << " " << i + 1;
            EXPECT_EQ(image.height, face::Height) << Keys[r.part] << " " << i + 1;
            EXPECT_FALSE(Opaque(image, 0, 0)) << Keys[r.part] << " " << i + 1;
            int drawn = 0;
            for (uint32_t rgb : image.pixels) {
                drawn += rgb != Magenta;
                const uint32_t red = rgb >> 16, green = (rgb >> 8) & 255, blue = rgb & 255;
                if (rgb != Magenta) {
                    EXPECT_FALSE(red >= 248 && blue >= 248 && green <= 3) << Keys[r.part] << " " << i + 1;
                }
            }
            EXPECT_GT(drawn, 0) << Keys[r.part] << " " << i + 1 << " is empty";
        }
    }
}

// Every combination is one face: the features stay on every base's face, hair never covers
// an eye, clothes never reach the face, and ear wear and beards stay near the head.
TEST(AvatarArt, PartsFitEveryFace)
{
    const std::vector<RgbImage> bases = LoadArt(AvatarBase);
    ASSERT_FALSE(bases.empty());
    for (const RgbImage& base : bases)
        for (int y = 0; y < base.height; ++y)
            for (int x = 0; x < base.width; ++x)
                ASSERT_EQ(Opaque(base, x, y), Opaque(bases[0], x, y)) << "bases differ in shape at " << x << "," << y;
    const RgbImage& figure = bases[0];
    const paint::Shape head = face::Head();
    auto onFace = [&](int x, int y) { return InsideAt(head, x, y); };
    for (int part : {AvatarEyes, AvatarBrowns, AvatarNose, AvatarMouth, AvatarTatoo, AvatarFacial}) {
        const std::vector<RgbImage> images = LoadArt(part);
        for (size_t i = 0; i < images.size(); ++i) {
            if (part == AvatarFacial) {
                // Beards may hang a little below the chin, never beyond the figure.
                EXPECT_EQ(Strays(images[i], [&](int x, int y) { return Opaque(figure, x, y); }), "") << Keys[part] << " " << i + 1;
            } else if (part == AvatarEyes) {
                // Glasses reach out to the ears.
                EXPECT_EQ(Strays(images[i], [&](int x, int y) { return Opaque(figure, x, y) && y < face::NoseY; }), "")
                    << Keys[part] << " " << i + 1;
            } else {
                EXPECT_EQ(Strays(images[i], onFace), "") << Keys[part] << " " << i + 1;
            }
        }
    }
    const std::vector<RgbImage> eyes = LoadArt(AvatarEyes);
    const paint::Shape eyeArea = face::EyeArea();
    for (const RgbImage& hair : LoadArt(AvatarHair)) {
        EXPECT_EQ(Strays(hair, [&](int x, int y) { return !InsideAt(eyeArea, x, y); }), "") << "hair over the eyes";
    }
    for (const RgbImage& clothes : LoadArt(AvatarClothes)) {
        EXPECT_EQ(Strays(clothes, [&](int, int y) { return y >= face::ChinY; }), "") << "clothes over the face";
    }
    for (const RgbImage& wear : LoadArt(AvatarEars)) {
        EXPECT_EQ(Strays(wear, [&](int, int y) { return y > 4 && y < face::ShoulderTop; }), "") << "ear wear off the head";
    }
}

// Pictures of composed avatars for a person to look at: build/pictures/avatars/*.bmp, each a
// row of avatars drawn by the program on the editor's peach frame.
TEST(AvatarArt, SavesPicturesOfComposedAvatars)
{
    const char* const rows[][6] = {
        {"01 01 01 01 00 01 00 01 00 01", "02 02 02 02 01 02 02 02 01 02", "03 03 03 03 02 03 03 03 02 03",
         "04 04 04 04 03 04 04 04 03 04", "05 05 05 05 04 05 05 05 04 05", "06 06 06 05 00 06 06 06 05 06"},
        {"02 07 07 01 00 07 00 07 00 07", "03 08 08 02 01 08 01 08 01 08", "04 09 01 03 02 09 03 09 02 09",
         "05 10 02 04 03 10 04 10 03 10", "06 11 03 05 04 01 05 11 04 01", "01 01 04 01 01 02 06 12 05 02"},
    };
    MakeTestScreen();
    {
        WorkingDirectory inside(BuildDir());
        ScanAvatarParts();
        LoadAvatarImages();
    }
    const std::string folder = BuildDir() + "/pictures/avatars";
    MakeDir(folder);
    int row = 0;
    for (const auto& avatars : rows) {
        SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 6 * 92 + 4, 113, 16, 0, 0, 0, 0);
        SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 90, 90, 90));
        for (int k = 0; k < 6; ++k) {
            ProfileRecord record;
            char numbers[AvatarPartCount][4];
            std::sscanf(avatars[k], "%3s %3s %3s %3s %3s %3s %3s %3s %3s %3s", numbers[0], numbers[1], numbers[2],
                        numbers[3], numbers[4], numbers[5], numbers[6], numbers[7], numbers[8], numbers[9]);
            for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = numbers[part];
            SDL_Rect frame = {Sint16(AvatarOriginX), Sint16(AvatarOriginY), 88, 105};
            SDL_FillRect(ScreenSurface, &frame, Rgb(0xFFFFFF));
            SDL_Rect inner = {Sint16(AvatarOriginX + 1), Sint16(AvatarOriginY + 1), 86, 103};
            SDL_FillRect(ScreenSurface, &inner, Rgb(0xFFC78C));
            DrawAvatar(&record);
            SDL_Rect to = {Sint16(4 + 92 * k), 4, 88, 105};
            SDL_BlitSurface(ScreenSurface, &frame, sheet, &to);
        }
        const std::string file = folder + "/avatars_" + std::to_string(++row) + ".bmp";
        EXPECT_EQ(SDL_SaveBMP(sheet, file.c_str()), 0);
        SDL_FreeSurface(sheet);
        int width = 0, height = 0;
        EXPECT_TRUE(BmpSize(file, &width, &height));
        EXPECT_EQ(width, 6 * 92 + 4);
    }
    ForgetImages();
}
