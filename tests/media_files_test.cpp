// The pictures and the sound the build draws into media/: present, of the sizes the screens
// rely on, transparent where they should be, readable where texts go over them, and the same
// bytes on every build.
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

const char* const Pictures[] = {
    "background.bmp", "card.bmp", "button_pad.bmp", "button_pad2.bmp", "button_y.bmp", "button_x.bmp",
    "button_b.bmp", "button_l.bmp", "button_r.bmp", "select_bar.bmp", "selectkey.bmp", "deletekey.bmp",
    "returnkey.bmp", "capskey.bmp", "lockkey.bmp", "experience.bmp", "experiencew.bmp", "star.bmp",
};

std::string Media(const std::string& name) { return BuildDir() + "/media/" + name; }

RgbImage Picture(const std::string& name)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmp24(Media(name), &image)) << name;
    return image;
}

// What a pixel becomes on the 5-6-5 screen, where the colour key is compared.
uint32_t On565(uint32_t rgb) { return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F); }

double Luminance(uint32_t rgb)
{
    auto linear = [](uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16 & 0xFF) + 0.7152 * linear(rgb >> 8 & 0xFF) + 0.0722 * linear(rgb & 0xFF);
}

double Contrast(uint32_t a, uint32_t b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast between `text` and any pixel of the area.
double WorstContrast(const RgbImage& image, int x, int y, int w, int h, uint32_t text)
{
    double worst = 1e9;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px) worst = std::min(worst, Contrast(image.at(px, py), text));
    return worst;
}

uint16_t Get16(const std::string& b, size_t o) { return uint16_t(uint8_t(b[o]) | uint8_t(b[o + 1]) << 8); }
uint32_t Get32(const std::string& b, size_t o) { return Get16(b, o) | uint32_t(Get16(b, o + 2)) << 16; }

} // namespace

// Every file of the media table is there and readable; the sizes the program and the screens fix
// (the background's, the 24 x 24 keys, cursor and achievement cells) hold.
TEST(MediaFiles, EveryPictureIsThereWithItsSize)
{
    for (const char* name : Pictures) {
        int w = 0, h = 0;
        ASSERT_TRUE(BmpSize(Media(name), &w, &h)) << name;
        EXPECT_GT(w, 0) << name;
    }
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(Media("background.bmp"), &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    for (const char* name : {"selectkey.bmp", "deletekey.bmp", "returnkey.bmp", "capskey.bmp", "lockkey.bmp",
                             "experience.bmp", "experiencew.bmp"}) {
        ASSERT_TRUE(BmpSize(Media(name), &w, &h)) << name;
        EXPECT_EQ(w, 24) << name;
        EXPECT_EQ(h, 24) << name;
    }
}

// Each picture fits the room the screens give it: hint buttons end before their hint text, the
// card stays above the hint strip, stars fit their 22-pixel step, the editor's bar fits its row.
TEST(MediaFiles, PicturesFitTheirPlaces)
{
    struct Room {
        const char* name;
        int maxWidth, maxHeight;
    };
    const Room rooms[] = {
        {"button_pad.bmp", 20, 16},  {"button_pad2.bmp", 20, 16}, {"button_x.bmp", 14, 16},
        {"button_b.bmp", 19, 16},    {"button_y.bmp", 14, 16},    {"button_l.bmp", 16, 16},
        {"button_r.bmp", 17, 16},    {"star.bmp", 22, 24},        {"select_bar.bmp", 186, 15},
        {"card.bmp", 320 - 24, 216 - 24},
    };
    for (const Room& room : rooms) {
        int w = 0, h = 0;
        ASSERT_TRUE(BmpSize(Media(room.name), &w, &h)) << room.name;
        EXPECT_LE(w, room.maxWidth) << room.name;
        EXPECT_LE(h, room.maxHeight) << room.name;
    }
    // the card must reach under the icon rows (x up to 274, y up to 166 on screen)
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(Media("card.bmp"), &w, &h));
    EXPECT_GE(24 + w, 274);
    EXPECT_GE(24 + h, 166);
}

// Magenta is the colour key: the cursor's middle and the corners of the round shapes are
// magenta, no other pixel turns into the key on the 16-bit screen (it would become a hole), and
// the background, drawn without a key, has no magenta at all.
TEST(MediaFiles, MagentaIsTransparentAndNothingElseIs)
{
    const RgbImage cursor = Picture("selectkey.bmp");
    ASSERT_EQ(cursor.width, 24);
    EXPECT_EQ(cursor.at(12, 12), Magenta);
    EXPECT_EQ(cursor.at(5, 12), Magenta);
    EXPECT_NE(cursor.at(0, 12), Magenta);
    EXPECT_NE(cursor.at(12, 23), Magenta);
    for (const char* name : {"card.bmp", "button_pad.bmp", "button_x.bmp", "button_b.bmp", "button_y.bmp",
                             "button_l.bmp", "star.bmp", "deletekey.bmp", "experience.bmp"}) {
        const RgbImage image = Picture(name);
        ASSERT_GT(image.width, 0) << name;
        EXPECT_EQ(image.at(0, 0), Magenta) << name;
        EXPECT_EQ(image.at(image.width - 1, image.height - 1), Magenta) << name;
    }
    const RgbImage bar = Picture("select_bar.bmp");
    EXPECT_EQ(bar.at(bar.width / 2, bar.height / 2), Magenta); // the row's texts show through
    for (const char* name : Pictures) {
        const RgbImage image = Picture(name);
        const bool keyed = std::string(name) != "background.bmp";
        int holes = 0, magenta = 0;
        for (uint32_t p : image.pixels) {
            if (p == Magenta) {
                ++magenta;
            } else if (On565(p) == On565(Magenta)) {
                ++holes;
            }
        }
        EXPECT_EQ(holes, 0) << name;
        if (!keyed) {
            EXPECT_EQ(magenta, 0) << name;
        }
    }
}

// Texts drawn over the pictures stay readable: yellow hints over the strip at y 216..236, white
// name and points over the card's top band, black headings over its body (screen positions of
// the home screen, minus the card's place at (24, 24)).
TEST(MediaFiles, TextsReadOverThePictures)
{
    const RgbImage background = Picture("background.bmp");
    ASSERT_EQ(background.width, 320);
    EXPECT_GE(WorstContrast(background, 0, 218, 320, 18, 0xFFFF00), 7.0);

    const RgbImage card = Picture("card.bmp");
    ASSERT_GE(card.width, 250);
    EXPECT_GE(WorstContrast(card, 6, 6, 96, 10, 0xFFFFFF), 4.5);    // name at (30, 30)
    EXPECT_GE(WorstContrast(card, 200, 37, 46, 9, 0xFFFFFF), 4.5);  // points ending at x 270, y 60
    EXPECT_GE(WorstContrast(card, 132, 57, 120, 9, 0x000000), 7.0); // heading at (156, 80)
    EXPECT_GE(WorstContrast(card, 132, 105, 120, 9, 0x000000), 7.0); // heading at (156, 128)
}

// The stepping sound: a short 16-bit PCM blip at the mixer's 22050 Hz that starts and ends on
// silence (no click) and is neither inaudible nor clipping.
TEST(MediaFiles, NextSoundIsAShortCleanBlip)
{
    const std::string wav = ReadFile(Media("next.wav"));
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Get32(wav, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Get16(wav, 20), 1); // PCM
    const int channels = Get16(wav, 22);
    EXPECT_TRUE(channels == 1 || channels == 2);
    EXPECT_EQ(Get32(wav, 24), 22050u);
    EXPECT_EQ(Get16(wav, 34), 16);
    ASSERT_EQ(wav.substr(36, 4), "data");
    const size_t bytes = Get32(wav, 40);
    ASSERT_EQ(44 + bytes, wav.size());
    const size_t samples = bytes / 2;
    const double seconds = double(samples / channels) / 22050;
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 0.3);
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(int(int16_t(Get16(wav, 44 + 2 * i)))));
    EXPECT_GE(peak, 3000);
    EXPECT_LE(peak, 30000);
    EXPECT_LE(std::abs(int(int16_t(Get16(wav, 44)))), 300);
    EXPECT_LE(std::abs(int(int16_t(Get16(wav, wav.size() - 2)))), 300);
}

// Drawing the media twice gives the same bytes as the build's: nothing depends on time or chance.
TEST(MediaFiles, TheArtIsTheSameOnEveryRun)
{
    TempDir first, second;
    const std::string tool = BuildDir() + "/tools/make_media";
    ASSERT_EQ(RunProgram(tool, {SourceDir() + "/data", first.path()}, first.path()).status, 0);
    ASSERT_EQ(RunProgram(tool, {SourceDir() + "/data", second.path()}, second.path()).status, 0);
    std::vector<std::string> names(std::begin(Pictures), std::end(Pictures));
    names.push_back("next.wav");
    for (const std::string& name : names) {
        const std::string bytes = ReadFile(first / name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(bytes == ReadFile(second / name)) << name;
        EXPECT_TRUE(bytes == ReadFile(Media(name))) << name;
    }
    EXPECT_NE(RunProgram(tool, {SourceDir() + "/data", first.path() + "/missing/folder"}, first.path()).status, 0);
}
