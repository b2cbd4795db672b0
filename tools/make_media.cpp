// Draws the interface pictures and the stepping sound into the media folder:
//   make_media <repo>/data <build>/media
// Everything is computed here (no randomness, no clock), so every build gets the same bytes.
// Magenta is transparent in every picture but the background.
#include "tools/art_canvas.h"
#include "tools/art_glyphs.h"
#include "tools/bitmap_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace art;

namespace {

// ---- background: 320 x 240, seen around the card, behind the editor and under the hints ----

constexpr int HintStripTop = 216; // hints are yellow text at y 220: the strip below stays dark

Colour BackgroundAt(int x, int y)
{
    const double t = y / double(HintStripTop);
    Colour c = Mix(Rgb(0x74452F), Rgb(0x2E1A13), SmoothStep(0, 1, t));
    // a warm glow behind the middle of the screen, where the card and boxes sit
    const double dx = (x - 160) / 200.0, dy = (y - 90) / 160.0;
    const double glow = std::max(0.0, 1.0 - (dx * dx + dy * dy));
    c = Mix(c, Rgb(0x9A5E3A), 0.30 * glow * glow);
    // a faint diamond lattice, so the surface is not dead flat
    const int u = (x + y) % 20, v = (x - y + 400) % 20;
    if (u == 0 || v == 0) c = Scale(c, 1.10);
    else if (u == 1 || v == 1) c = Scale(c, 0.94);
    return c;
}

Colour HintStripAt(int y)
{
    if (y == HintStripTop) return Rgb(0x7A4E34); // a lit edge between screen and hint strip
    if (y == HintStripTop + 1) return Rgb(0x120A07);
    return Mix(Rgb(0x24150F), Rgb(0x160D09), (y - HintStripTop) / double(240 - HintStripTop));
}

RgbImage Background()
{
    RgbImage image(320, 240, 0);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            image.at(x, y) = Dither565(y < HintStripTop ? BackgroundAt(x, y) : HintStripAt(y), x, y);
    return image;
}

// ---- the profile card, drawn at (24, 24); positions below are card pixels (screen - 24) ----

constexpr int CardWidth = 272, CardHeight = 190;
constexpr int CardBodyWidth = CardWidth - 2, CardBodyHeight = CardHeight - 2; // 2 px drop shadow
constexpr int BannerBottom = 51;      // name, points and stars sit on the dark band above
constexpr int PortraitX = 26, PortraitY = 36, PortraitW = 88, PortraitH = 105; // the avatar's place
constexpr int SlotX = 130, SlotStep = 24, SlotRow1Y = 70, SlotRow2Y = 118;      // game icons
constexpr int HeadingRow1Y = 56, HeadingRow2Y = 104;                            // black headings
constexpr int FooterTop = 160;

void CardShapeAndShadow(RgbImage& card)
{
    FillRoundRect(card, 2, 2, CardBodyWidth, CardBodyHeight, 6, 0x140B07);
    FillRoundRect(card, 0, 0, CardBodyWidth, CardBodyHeight, 6, Outline);
    ShadeRoundRect(card, 1, 1, CardBodyWidth - 2, CardBodyHeight - 2, 5,
                   VerticalGradient(Cream, 0xF7E4C4, 1, CardBodyHeight - 2));
}

// Teal band with a faint diagonal grain, ended by a gold trim.
void CardBanner(RgbImage& card, int top, int bottom, bool trimAbove)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = 1; x < CardBodyWidth - 1; ++x) {
            if (card.at(x, y) == Outline || card.at(x, y) == Magenta) continue;
            const double t = double(y - top) / std::max(1, bottom - top);
            Colour c = Mix(Rgb(0x187070), Rgb(0x0F4E50), t);
            if ((x + y) % 6 < 2) c = Scale(c, 1.06);
            card.at(x, y) = Dither565(c, x, y);
        }
    const int trim = trimAbove ? top - 1 : bottom + 1;
    for (int x = 1; x < CardBodyWidth - 1; ++x)
        if (card.at(x, trim) != Outline && card.at(x, trim) != Magenta) card.at(x, trim) = Gold;
    const int shade = trimAbove ? top - 2 : bottom + 2;
    for (int x = 1; x < CardBodyWidth - 1; ++x)
        if (card.at(x, shade) != Outline && card.at(x, shade) != Magenta) card.at(x, shade) = 0xC89A3A;
}

// The frame of the avatar: the editor's white-bordered peach box, ringed in brown and gold.
void CardPortrait(RgbImage& card)
{
    FillRoundRect(card, PortraitX - 3, PortraitY - 3, PortraitW + 6, PortraitH + 6, 4, Outline);
    FillRoundRect(card, PortraitX - 2, PortraitY - 2, PortraitW + 4, PortraitH + 4, 3, Gold);
    FillRoundRect(card, PortraitX - 1, PortraitY - 1, PortraitW + 2, PortraitH + 2, 2, Outline);
    FillRoundRect(card, PortraitX, PortraitY, PortraitW, PortraitH, 2, White);
    FillRoundRect(card, PortraitX + 1, PortraitY + 1, PortraitW - 2, PortraitH - 2, 2, Peach);
}

// A dark pill behind the points, with a gold coin at its left end.
void CardPointsPill(RgbImage& card)
{
    FillRoundRect(card, 176, 33, 78, 15, 7.5, 0x0C3C3E);
    FillRoundRect(card, 180, 35, 11, 11, 5.5, Outline);
    ShadeRoundRect(card, 181, 36, 9, 9, 4.5, VerticalGradient(0xFFF0A0, 0xE0A028, 36, 9));
    FillRect(card, 185, 38, 1, 5, 0xB07818);
}

// Sunken slots where the five icons of a ranking row go, under a thin rule for the heading.
void CardIconRow(RgbImage& card, int headingY, int slotY)
{
    FillRect(card, SlotX, headingY + 11, SlotStep * 5, 1, 0xE3C9A0);
    for (int i = 0; i < 5; ++i) {
        const int x = SlotX + SlotStep * i;
        FillRoundRect(card, x + 1, slotY + 1, 22, 22, 3, 0xE8D2AE);
        FillRoundRect(card, x + 2, slotY + 2, 20, 20, 2.5, 0xF1E0C2);
    }
}

void CardFooterPattern(RgbImage& card)
{
    for (int y = FooterTop + 4; y < CardBodyHeight - 3; ++y)
        for (int x = 6; x < CardBodyWidth - 6; ++x) {
            const int u = (x + 4) % 12, v = (y - FooterTop) % 12;
            if (std::abs(u - 6) + std::abs(v - 6) == 3 && card.at(x, y) != Outline) card.at(x, y) = Mix(card.at(x, y), 0x58B8B0, 0.25);
        }
}

RgbImage Card()
{
    RgbImage card(CardWidth, CardHeight);
    CardShapeAndShadow(card);
    CardBanner(card, 1, BannerBottom - 2, false);
    CardBanner(card, FooterTop, CardBodyHeight - 2, true);
    CardFooterPattern(card);
    CardPointsPill(card);
    CardIconRow(card, HeadingRow1Y, SlotRow1Y);
    CardIconRow(card, HeadingRow2Y, SlotRow2Y);
    CardPortrait(card);
    return card;
}

// ---- hint buttons, 13 px tall, drawn at y 220 before their hint text ----

void Letter(RgbImage& image, const Grid& letter, int x, int y, uint32_t colour)
{
    DrawGrid(image, x, y, letter, {{'#', colour}});
}

// A round face button: outline, shaded face, a small shine, and its letter.
RgbImage RoundButton(const Grid& letter, uint32_t light, uint32_t dark, uint32_t ink)
{
    RgbImage image(13, 13);
    FillRoundRect(image, 0, 0, 13, 13, 6.5, Outline);
    ShadeRoundRect(image, 1, 1, 11, 11, 5.5, VerticalGradient(light, dark, 1, 11));
    Put(image, 3, 3, Mix(light, White, 0.6));
    Letter(image, letter, 4, 3, ink);
    return image;
}

// A shoulder button: a pill with its letter.
RgbImage ShoulderButton(const Grid& letter)
{
    RgbImage image(15, 13);
    FillRoundRect(image, 0, 1, 15, 11, 5.5, Outline);
    ShadeRoundRect(image, 1, 2, 13, 9, 4.5, VerticalGradient(0xFFF8EA, 0xD9C3A2, 2, 9));
    Letter(image, letter, 5, 3, Outline);
    return image;
}

// The d-pad cross; `vertical` adds the up and down arrows to left and right.
RgbImage Pad(bool vertical)
{
    RgbImage image(13, 13);
    FillRect(image, 4, 0, 5, 13, Outline);
    FillRect(image, 0, 4, 13, 5, Outline);
    ShadeRoundRect(image, 5, 1, 3, 11, 0, VerticalGradient(0xFFF8EA, 0xD9C3A2, 1, 11));
    ShadeRoundRect(image, 1, 5, 11, 3, 0, VerticalGradient(0xFFF8EA, 0xD9C3A2, 5, 3));
    Put(image, 6, 6, 0xC8B090);
    const uint32_t arrow = 0x008C8C;
    DrawGrid(image, 1, 5, {".#", "##", ".#"}, {{'#', arrow}});
    DrawGrid(image, 10, 5, {"#.", "##", "#."}, {{'#', arrow}});
    if (vertical) {
        DrawGrid(image, 5, 1, {".#.", "###"}, {{'#', arrow}});
        DrawGrid(image, 5, 10, {"###", ".#."}, {{'#', arrow}});
    }
    return image;
}

// ---- the editor's highlighted row: a frame, open in the middle so the row's texts show ----

RgbImage SelectBar()
{
    RgbImage image(160, 13);
    FillRoundRect(image, 0, 0, 160, 13, 4, 0x006A6A);
    FillRoundRect(image, 1, 1, 158, 11, 3, Teal);
    FillRoundRect(image, 2, 2, 156, 9, 2, Magenta);
    return image;
}

// ---- keyboard: the key cursor (also the grid cursor) and the four special keys, 24 x 24 ----

// A thin gold ring with white corner brackets: the corners catch the eye, while the middle of
// each side stays thin so a key's label (its top a pixel or two below the key's top) shows.
RgbImage SelectKey()
{
    RgbImage image(24, 24);
    FillRoundRect(image, 0, 0, 24, 24, 3, Outline);
    FillRoundRect(image, 1, 1, 22, 22, 2, Gold);
    FillRoundRect(image, 2, 2, 20, 20, 1, Magenta);
    const int arm = 5, thick = 2;
    for (int corner = 0; corner < 4; ++corner) {
        const bool right = corner % 2, bottom = corner / 2;
        const int x = right ? 22 - arm : 2, y = bottom ? 22 - arm : 2;
        FillRect(image, x, bottom ? 22 - thick : 2, arm, thick, White);
        FillRect(image, right ? 22 - thick : 2, y, thick, arm, White);
    }
    return image;
}

// A key as the keyboard draws its own (purple, corner pixels cut) with a yellow symbol centred.
RgbImage SymbolKey(const Grid& symbol)
{
    RgbImage image(24, 24);
    FillRect(image, 0, 0, 24, 24, KeyPurple);
    for (int corner = 0; corner < 4; ++corner) Put(image, corner % 2 * 23, corner / 2 * 23, Magenta);
    const int w = GridWidth(symbol), h = int(symbol.size());
    DrawGrid(image, (24 - w) / 2, (24 - h) / 2, symbol, {{'#', KeyYellow}});
    return image;
}

// ---- achievement placeholders, 24 x 24 cells of the game grid ----

RgbImage Tile(uint32_t light, uint32_t dark)
{
    RgbImage image(24, 24);
    FillRoundRect(image, 0, 0, 24, 24, 3, Outline);
    ShadeRoundRect(image, 1, 1, 22, 22, 2, VerticalGradient(light, dark, 1, 22));
    return image;
}

RgbImage LockedTile()
{
    RgbImage image = Tile(0xA69C94, 0x7A716A);
    DrawGrid(image, 6, 5, LockedPadlock,
             {{'o', 0x4A423C}, {'s', 0xC9C1BA}, {'b', 0x968C84}, {'h', 0xB4ABA3}, {'d', 0x6E655E}, {'k', 0x3A3430}});
    return image;
}

RgbImage UnlockedTile()
{
    RgbImage image = Tile(0x3CC8C8, 0x0A7C7E);
    DrawGrid(image, 4, 4, Trophy, {{'o', Outline}, {'y', Gold}, {'h', 0xFFF4B8}, {'d', 0xD89A1C}});
    return image;
}

// ---- the handheld menu's icon for vok, 32 x 32, opaque: the menu draws it on its own ground ----

RgbImage MenuIcon()
{
    RgbImage image(32, 32, 0x140B07);
    FillRoundRect(image, 0, 0, 32, 32, 5, Outline);
    ShadeRoundRect(image, 1, 1, 30, 30, 4, VerticalGradient(0x3CC8C8, 0x0A7C7E, 1, 30));
    DrawGrid(image, 8, 8, Trophy, {{'o', Outline}, {'y', Gold}, {'h', 0xFFF4B8}, {'d', 0xD89A1C}});
    // the card's gold trim along the bottom, so it reads as vok's at a glance
    FillRect(image, 4, 27, 24, 2, Gold);
    return image;
}

// ---- the rating star, 20 x 20 ----

RgbImage Star()
{
    RgbImage image(20, 20);
    std::vector<std::pair<double, double>> points; // the ten corners, outer and inner in turn
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 3.9 : 9.0;
        const double angle = -pi / 2 + i * pi / 5;
        points.push_back({10 + radius * std::cos(angle), 10.6 + radius * std::sin(angle)});
    }
    const paint::Shape star = paint::Polygon(points);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const double cover = Coverage(x, y, star);
            if (cover < 0.5) continue;
            // lit from the upper left: a light facet over a deeper one
            const double lit = ((x - 10) + (y - 10)) / 18.0;
            image.at(x, y) = Dither565(Mix(Rgb(0xFFF0A0), Rgb(0xF0A820), SmoothStep(-0.6, 0.8, lit)), x, y);
        }
    AddOutline(image, Outline, false);
    return image;
}

// ---- the stepping sound: a short rising blip, 22050 Hz, 16-bit mono PCM ----

void Put16(std::string& out, uint32_t v) { out += char(v & 0xFF); out += char(v >> 8 & 0xFF); }
void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF); Put16(out, v >> 16); }

std::vector<int16_t> BlipSamples()
{
    const int rate = 22050;
    const int count = rate * 13 / 100; // 0.13 s
    const double pi = std::acos(-1.0);
    std::vector<int16_t> samples;
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double pitch = 660 + 330 * SmoothStep(0, 0.035, t); // a quick rise, then it holds
        phase += 2 * pi * pitch / rate;
        const double attack = SmoothStep(0, 0.004, t);
        const double release = SmoothStep(0, 0.02, double(count - 1 - i) / rate); // ends on silence
        const double envelope = attack * std::exp(-t / 0.045) * release;
        const double wave = std::sin(phase) + 0.18 * std::sin(2 * phase);
        samples.push_back(int16_t(std::lround(9000 * envelope * wave)));
    }
    return samples;
}

std::string Wav(const std::vector<int16_t>& samples)
{
    const uint32_t rate = 22050, channels = 1, bytesPerSample = 2;
    const uint32_t dataBytes = uint32_t(samples.size()) * bytesPerSample * channels;
    std::string out = "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * channels * bytesPerSample);
    Put16(out, channels * bytesPerSample);
    Put16(out, bytesPerSample * 8);
    out += "data";
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, uint16_t(s));
    return out;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

struct Picture {
    const char* file;
    RgbImage (*draw)();
};

const Picture Pictures[] = {
    {"background.bmp", Background},
    {"card.bmp", Card},
    {"button_pad.bmp", [] { return Pad(false); }},
    {"button_pad2.bmp", [] { return Pad(true); }},
    {"button_y.bmp", [] { return RoundButton(LetterY, 0xFF9A78, 0xD8603E, White); }},
    {"button_x.bmp", [] { return RoundButton(LetterX, 0x30CCCC, 0x008A8C, White); }},
    {"button_b.bmp", [] { return RoundButton(LetterB, 0xFFE27A, 0xE0A226, Outline); }},
    {"button_l.bmp", [] { return ShoulderButton(LetterL); }},
    {"button_r.bmp", [] { return ShoulderButton(LetterR); }},
    {"select_bar.bmp", SelectBar},
    {"selectkey.bmp", SelectKey},
    {"deletekey.bmp", [] { return SymbolKey(DeleteSymbol); }},
    {"returnkey.bmp", [] { return SymbolKey(ReturnSymbol); }},
    {"capskey.bmp", [] { return SymbolKey(ShiftSymbol); }},
    {"lockkey.bmp", [] { return SymbolKey(PadlockSymbol); }},
    {"experience.bmp", LockedTile},
    {"experiencew.bmp", UnlockedTile},
    {"star.bmp", Star},
    {"icon.bmp", MenuIcon},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_media <data folder> <media folder>\n");
        return 2;
    }
    const std::string media = std::string(argv[2]) + "/";
    int failures = 0;
    for (const Picture& picture : Pictures)
        if (!WriteBmp24(media + picture.file, picture.draw())) {
            std::fprintf(stderr, "make_media: cannot write %s%s\n", media.c_str(), picture.file);
            ++failures;
        }
    if (!WriteBytes(media + "next.wav", Wav(BlipSamples()))) {
        std::fprintf(stderr, "make_media: cannot write %snext.wav\n", media.c_str());
        ++failures;
    }
    return failures ? 1 : 0;
}
