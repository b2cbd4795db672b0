// Draws the avatar part images: "vok_<layer>_NN.bmp" for the ten layers, each 88 x 105 with
// magenta transparent, all against the one face of avatar_geometry.h. Big shapes (heads,
// hair, beards, clothes, ear wear, face paint) are drawn here; the small features (eyes,
// brows, noses, mouths) are pixel grids in <data>/art/avatar. Same input, same bytes.
// Usage: make_avatars <data folder> <media folder>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "profile/avatar.h"
#include "tools/avatar_geometry.h"
#include "tools/avatar_paint.h"
#include "tools/bitmap_writer.h"

using namespace paint;
using Images = std::vector<RgbImage>;

static RgbImage Blank() { return RgbImage(face::Width, face::Height, Magenta); }

// One image per entry of `styles`, each drawn by `draw` onto a blank frame.
template <typename Style, typename Draw>
static Images DrawEach(const std::vector<Style>& styles, Draw draw)
{
    Images images;
    for (const Style& style : styles) {
        RgbImage image = Blank();
        draw(image, style);
        images.push_back(image);
    }
    return images;
}

// ---------------------------------------------------------------------------------------
// Bases: the bare head, ears, neck and shoulders in one skin tone each.

struct Skin {
    uint32_t tone;
    uint32_t blush; // cheeks and inner ear
};

static RgbImage DrawBase(const Skin& skin)
{
    RgbImage image = Blank();
    const Tone tone = ToneOf(skin.tone, 0.22, 0.25);
    Style body;
    body.shadeDx = -2; // light from the right: the shadow falls on the figure's left
    body.shadeDy = 2;
    Fill(image, face::Torso(), tone, body);
    Style neck;
    neck.shadeDx = neck.shadeDy = 0;
    Fill(image, face::Neck(), tone, neck);
    // The chin casts a shadow onto the neck.
    Flat(image, Interior(face::Neck()) & Shifted(face::Head(), 0, 4), tone.shade);
    Style ear;
    ear.shadeDx = 0;
    ear.shadeDy = 2;
    Fill(image, face::Ears(), tone, ear);
    Flat(image, face::BothSides(Ellipse(face::EarX - 0.5, face::EarY, 2, 3.5)), Mix(skin.tone, skin.blush, 0.45));
    Style head;
    head.shadeDx = -3;
    head.shadeDy = 2;
    head.lightDx = -2;
    head.lightDy = 2;
    Fill(image, face::Head(), tone, head);
    return image;
}

static Images Bases()
{
    const Skin skins[] = {
        {0xFCDCC4, 0xF29A94}, {0xF4C49C, 0xE88C7C}, {0xE2AC7C, 0xD9785E},
        {0xC48656, 0xB8604A}, {0x9C6440, 0x8C4434}, {0x6E4430, 0x5C2E26},
    };
    Images images;
    for (const Skin& skin : skins) images.push_back(DrawBase(skin));
    return images;
}

// ---------------------------------------------------------------------------------------
// Hair: each style is the hair behind the head (seen beside the face and neck), the hair on
// top of the head, and the fringe line below which the face shows. The eyes and ears always
// stay uncovered.

using Profile = std::function<double(double x)>; // a y for each column

struct HairStyle {
    uint32_t colour = 0;
    Shape back = Nothing();     // behind the head: cut around the face, neck and shoulders
    Shape top = Nothing();      // over the head
    Profile fringe;             // the face shows below this line
    int strands = 5;            // shaded strands running down to the fringe
    Shape extra = Nothing();    // buns, tails, crests: drawn last, over the top hair
    uint32_t extraColour = 0;   // 0: the hair colour
};

// Parts of the face and body that no hair may cover.
static Shape HairKeepOut() { return face::EyeArea() | Interior(face::Ears()); }

static Shape BelowProfile(Profile line)
{
    return [line](double x, double y) { return y > line(x); };
}

// The hair cap: the head grown by `grow` pixels on top and at the sides.
static Shape Cap(double grow)
{
    return Ellipse(face::CentreX, face::HeadY, face::HeadRX + grow, face::HeadY - face::HeadTop + grow);
}

// Saw-tooth fringe: `teeth` points hanging `depth` below `line`, spread over the forehead.
static Profile Teeth(double line, double depth, int teeth, double phase = 0)
{
    return [=](double x) {
        const double period = 2 * face::HeadRX / teeth;
        double t = std::fmod((x - (face::CentreX - face::HeadRX) + phase * period) / period, 1.0);
        if (t < 0) t += 1;
        return line + depth * (1 - std::fabs(2 * t - 1));
    };
}

// Locks that frame the face: beyond `half` pixels from the axis the fringe drops to `low`.
static Profile WithLocks(Profile fringe, double half, double low)
{
    return [=](double x) { return std::fabs(x - face::CentreX) > half ? std::max(fringe(x), low) : fringe(x); };
}

static void DrawHairStyle(RgbImage& image, const HairStyle& style)
{
    const Tone tone = ToneOf(style.colour, 0.35, 0.3);
    const Tone backTone = ToneOf(Mix(style.colour, 0x1A0E10, 0.22), 0.3, 0.2);
    const Shape keepOut = HairKeepOut();
    Style shaded;
    shaded.shadeDx = -2;
    shaded.shadeDy = 2;
    // Under the chin the neck stands in front of the hair: leave a gap there, so long hair
    // falls beside the neck instead of framing the chin.
    const Shape underChin = Box(face::CentreX - 14, face::ChinY - 8, face::CentreX + 14, face::Height);
    const Shape back = style.back - face::Head() - face::Neck() - face::Torso() - underChin - keepOut;
    Fill(image, back, backTone, shaded);
    const Shape faceOpening = face::Head() & BelowProfile(style.fringe);
    const Shape top = style.top - faceOpening - keepOut - (underChin - face::Head());
    Fill(image, top, tone, shaded);
    // Strands: shaded lines from the crown towards the fringe, and a band of shine.
    const Shape inside = Interior(top);
    for (int i = 0; i < style.strands; ++i) {
        const double x = face::CentreX - face::HeadRX * 0.75 + face::HeadRX * 1.5 * (i + 0.5) / style.strands;
        const double tipY = style.fringe(x) - 1;
        Flat(image, Capsule(face::CentreX + (x - face::CentreX) * 0.6, tipY - 9, x, tipY, 0.5) & inside, tone.shade);
    }
    const Shape shine = (Ellipse(face::CentreX, face::HeadY + 2, 20, 24) - Ellipse(face::CentreX, face::HeadY + 3, 18, 22)) &
                        Box(face::CentreX - 16, 0, face::CentreX + 4, face::Height);
    Flat(image, shine & inside, tone.light);
    const uint32_t extraColour = style.extraColour ? style.extraColour : style.colour;
    Fill(image, style.extra - faceOpening - keepOut, ToneOf(extraColour, 0.35, 0.3), shaded);
}

static Images Hair()
{
    using face::CentreX;
    const double hairLine = face::HairLineY;
    std::vector<HairStyle> styles(12);
    // Short and messy, brown.
    styles[0].colour = 0x7A4A2A;
    styles[0].top = (Cap(3) & Above(48)) |
                    Polygon({{26, 22}, {21, 11}, {32, 15}, {35, 5}, {44, 13}, {51, 4}, {56, 14}, {65, 10}, {62, 22}});
    styles[0].fringe = WithLocks(Teeth(hairLine - 1, 6, 6), 21, 48);
    // Long and straight with a blunt fringe, black.
    styles[1].colour = 0x2E2A36;
    styles[1].top = Cap(3);
    styles[1].back = Box(13, 34, 75, 86) | Cap(3);
    styles[1].fringe = WithLocks([=](double x) { return 37 - std::fabs(x - CentreX) * 0.05; }, 20, 70);
    styles[1].strands = 7;
    // Round bob, blonde.
    styles[2].colour = 0xE8B850;
    styles[2].top = Ellipse(CentreX, 42, 31, 29) & Above(66);
    styles[2].fringe = WithLocks([=](double x) { return 31 + (CentreX + 22 - x) * 0.18; }, 20, 62);
    // Twin tails, pink.
    styles[3].colour = 0xF08CB4;
    styles[3].top = Cap(3) & Above(50);
    styles[3].fringe = WithLocks(Teeth(hairLine, 4, 5, 0.5), 22, 44);
    styles[3].extra = face::BothSides(Ellipse(11, 60, 7, 19) | Ellipse(15, 38, 6, 7));
    // Spiky, ginger.
    styles[4].colour = 0xE0702C;
    styles[4].top = (Cap(3) & Above(46)) |
                    Polygon({{18, 30}, {6, 22}, {20, 20}, {16, 6}, {30, 14}, {36, 0}, {44, 11}, {54, 1},
                             {58, 14}, {72, 6}, {68, 20}, {82, 22}, {70, 30}});
    styles[4].fringe = WithLocks(Teeth(hairLine - 2, 8, 5, 0.25), 22, 46);
    // Afro, dark brown.
    styles[5].colour = 0x4A3024;
    styles[5].top = Circle(CentreX, 30, 22) | Circle(24, 24, 13) | Circle(64, 24, 13) | Circle(18, 40, 11) |
                    Circle(70, 40, 11) | Circle(32, 14, 11) | Circle(56, 14, 11) | Circle(CentreX, 11, 10);
    styles[5].fringe = [=](double x) { return hairLine - 1 + std::pow((x - CentreX) / 26, 2) * 12; };
    styles[5].strands = 0;
    // Top bun, chestnut.
    styles[6].colour = 0x8A4A30;
    styles[6].top = Cap(2) & Above(46);
    styles[6].fringe = WithLocks([=](double x) { return hairLine - 2 + std::fabs(x - CentreX) * 0.2; }, 23, 42);
    styles[6].extra = Circle(CentreX, 10, 9);
    // Neat side part, silver.
    styles[7].colour = 0xB8BCC8;
    styles[7].top = Cap(2) & Above(46);
    styles[7].fringe = WithLocks([=](double x) { return 28 + (x < 36 ? (36 - x) * 0.2 : (x - 36) * 0.12); }, 23, 44);
    // Blue crest over shaved sides.
    styles[8].colour = 0x3A3E58;
    styles[8].top = Cap(0.5) & Above(46);
    styles[8].fringe = WithLocks([=](double) { return hairLine - 4; }, 24, 44);
    styles[8].strands = 0;
    styles[8].extra = Polygon({{37, 30}, {34, 14}, {38, 4}, {41, 10}, {44, 1}, {47, 10}, {50, 4}, {54, 14}, {51, 30}});
    styles[8].extraColour = 0x3C6AD0;
    // Long waves, auburn.
    styles[9].colour = 0xA8442C;
    styles[9].top = Cap(3);
    styles[9].back = [=](double x, double y) {
        const double half = 31 + 2.5 * std::sin(y / 3.0);
        return std::fabs(x - CentreX) < half && y > 30 && y < 88;
    };
    styles[9].fringe = WithLocks([=](double x) { return 26 + std::fabs(x - CentreX) * 0.45; }, 18, 72);
    // Buzz cut, black.
    styles[10].colour = 0x3A3438;
    styles[10].top = Cap(1) & Above(46);
    styles[10].fringe = WithLocks([=](double) { return hairLine - 3; }, 24, 44);
    styles[10].strands = 0;
    // Beanie over brown hair: the hat is the extra part.
    styles[11].colour = 0x6A4430;
    styles[11].top = Cap(3) & Above(48);
    styles[11].fringe = WithLocks(Teeth(hairLine + 1, 4, 7), 22, 48);
    styles[11].extra = (Cap(4) & Above(30)) | Circle(CentreX, 10, 6);
    styles[11].extraColour = 0x3C9A6C;
    return DrawEach(styles, DrawHairStyle);
}

// ---------------------------------------------------------------------------------------
// Facial hair: grows on the jaw below the cheeks, always leaving the mouth open.

// The jaw below a line that runs from beside the mouth up to the ears; `rise` sets how high
// the beard climbs the cheeks.
static Shape Jaw(double rise)
{
    return (face::Head() | Shifted(face::Head(), 0, 2)) & [=](double x, double y) {
        const double d = std::fabs(x - face::CentreX);
        return y > face::MouthY - 3 - std::max(0.0, d - 9) * rise;
    };
}
static Shape Moustache(double width, double droop)
{
    const double top = face::NoseY + 2;
    return face::BothSides(Polygon({{face::CentreX + 0.5, top}, {face::CentreX - width, top + 1 + droop},
                                    {face::CentreX - width + 1, top + 3 + droop}, {face::CentreX + 0.5, top + 3}}));
}

// A fixed pseudo-random number per pixel, for stubble and curls that look scattered.
static uint32_t Scatter(int x, int y)
{
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

static Images Facial()
{
    using face::CentreX;
    const Shape mouth = Ellipse(CentreX, face::MouthY + 0.5, 7, 3.5);
    struct Beard {
        Shape shape;
        uint32_t colour;
        bool stubble;
    };
    const Beard beards[] = {
        {(Jaw(0.9) | Moustache(10, 2)) - mouth, 0x6A3E24, false}, // full beard
        {Moustache(10, 3), 0x4A2E1E, false},                                                           // moustache
        {Moustache(7, 1) | (Ellipse(CentreX, face::ChinY - 1, 5, 5) & Below(face::MouthY + 3.5)), 0x2E2624, false}, // goatee
        {Jaw(0.7) - Grown(mouth), 0x5A4A44, true},                                                     // stubble
        {(Jaw(0.6) | Ellipse(CentreX, face::ChinY, 7.5, 3.5) | Moustache(9, 1)) - mouth, 0xC4622C, false}, // ginger beard
        {(Jaw(0.45) | Ellipse(CentreX, face::ChinY, 7.5, 4) | Moustache(11, 4)) - mouth, 0xCCC8D0, false}, // white beard
    };
    Images images;
    for (const Beard& beard : beards) {
        RgbImage image = Blank();
        if (beard.stubble) {
            // Scattered dots, no outline: the skin shows between them.
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    if (Scatter(x, y) % 3 == 0 && InsideAt(beard.shape & face::Head(), x, y)) image.at(x, y) = beard.colour;
        } else {
            Style style;
            style.shadeDx = -2;
            style.shadeDy = 2;
            const Tone tone = ToneOf(beard.colour, 0.3, 0.3);
            Fill(image, beard.shape & face::Figure(), tone, style);
            // A few short curls give the beard its texture.
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    if (Scatter(x, y) % 11 == 0 && InsideAt(Interior(Interior(beard.shape & face::Figure())), x, y)) {
                        image.at(x, y) = tone.shade;
                        Dot(image, x + 1, y + 1, tone.shade);
                    }
        }
        images.push_back(image);
    }
    return images;
}

// ---------------------------------------------------------------------------------------
// Face paint and tattoos: on the cheeks, under the eyes and the mouth.

static Images Tatoo()
{
    using face::CentreX;
    using face::CheekY;
    const double cheekX = CentreX - face::CheekDX;
    Images images;
    RgbImage blush = Blank(); // rosy cheeks
    Flat(blush, face::BothSides(Ellipse(cheekX, CheekY, 4.5, 2.5)), 0xF08C8C);
    Flat(blush, face::BothSides(Box(cheekX - 2, CheekY - 1, cheekX - 1, CheekY)), 0xFAC0B4);
    images.push_back(blush);
    RgbImage freckles = Blank();
    const int spots[][2] = {{-3, -1}, {0, 1}, {2, -2}, {-1, 2}, {3, 1}};
    for (const auto& spot : spots) {
        Dot(freckles, int(cheekX) + spot[0], int(CheekY) + spot[1], 0x9A5A34);
        Dot(freckles, int(2 * CentreX - 1 - cheekX) - spot[0], int(CheekY) + spot[1], 0x9A5A34);
    }
    images.push_back(freckles);
    RgbImage stripes = Blank(); // two bold stripes on each cheek
    Shape stripe = Capsule(cheekX - 6, CheekY - 2, cheekX + 3, CheekY - 1, 1) | Capsule(cheekX - 6, CheekY + 2, cheekX + 3, CheekY + 3, 1);
    Flat(stripes, face::BothSides(stripe) & face::Head(), 0x2C6ED0);
    images.push_back(stripes);
    RgbImage star = Blank(); // a star under the left eye
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 2.0 : 4.6;
        points.push_back({cheekX + 1 + r * std::cos(angle), CheekY + r * std::sin(angle)});
    }
    Fill(star, Polygon(points), Tone{0xF4C030, 0xD89A20, 0xFFF0A0});
    images.push_back(star);
    RgbImage heart = Blank(); // a heart on the right cheek
    const double hx = 2 * CentreX - cheekX;
    Fill(heart, Circle(hx - 2, CheekY - 1, 2.6) | Circle(hx + 2, CheekY - 1, 2.6) |
                    Polygon({{hx - 4.5, CheekY}, {hx + 4.5, CheekY}, {hx, CheekY + 5}}),
         Tone{0xE03C50, 0xB82A40, 0xF890A0});
    images.push_back(heart);
    return images;
}

// ---------------------------------------------------------------------------------------
// Ear wear: drawn over the hair, at the ear lobes and around the head.

static Images EarWear()
{
    using face::CentreX;
    const double lobeX = face::EarX - 1, lobeY = face::LobeY;
    Images images;
    RgbImage studs = Blank();
    Fill(studs, face::BothSides(Circle(lobeX, lobeY, 1.8)), Tone{0xF0C040, 0xC08A20, 0xFFF4B0});
    images.push_back(studs);
    RgbImage hoops = Blank();
    const Shape ring = Circle(lobeX, lobeY + 4, 4.2) - Circle(lobeX, lobeY + 4, 1.8);
    Fill(hoops, face::BothSides(ring), Tone{0xF0C040, 0xC08A20, 0xFFF4B0});
    images.push_back(hoops);
    RgbImage drops = Blank();
    Flat(drops, face::BothSides(Box(lobeX - 0.5, lobeY, lobeX + 0.5, lobeY + 3)), 0xE0B040);
    Fill(drops, face::BothSides(Ellipse(lobeX, lobeY + 6, 2.4, 3.2)), Tone{0x3CB0A0, 0x2A8078, 0xA8F0E0});
    images.push_back(drops);
    RgbImage phones = Blank();
    const Shape band = Ellipse(CentreX, face::EarY, 31, 42) - Ellipse(CentreX, face::EarY, 28, 39);
    Fill(phones, band & Above(face::EarY - 6), ToneOf(0x4A4E5A, 0.3, 0.3));
    Fill(phones, face::BothSides(Ellipse(face::EarX - 1, face::EarY, 5.5, 8)), ToneOf(0xE04848, 0.3, 0.35));
    images.push_back(phones);
    return images;
}

// ---------------------------------------------------------------------------------------
// Clothes: tops over the shoulders, each covering the bare shoulders of every base.

struct Top {
    Tone cloth;
    Shape neckline;                  // what stays open around the neck
    std::function<void(RgbImage&, const Shape&)> details; // collars, stripes, straps
};

static Shape Body() { return Grown(face::Torso()); }

static void DrawTop(RgbImage& image, const Top& top)
{
    Style style;
    style.shadeDx = -3;
    style.shadeDy = 0;
    const Shape cloth = Body() - top.neckline;
    Fill(image, cloth, top.cloth, style);
    if (top.details) top.details(image, cloth);
}

static Images Clothes()
{
    using face::CentreX;
    const double shoulder = face::ShoulderTop;
    // Necklines stay inside the neck where it meets the shoulders, so no bare shoulder edge
    // of the base shows beside the neck.
    const double neck = face::NeckHalfWidth - 0.5;
    const Shape crew = Ellipse(CentreX, shoulder - 1, neck, 5);
    const Shape vee = Polygon({{CentreX - neck, shoulder - 6}, {CentreX + neck, shoulder - 6}, {CentreX, shoulder + 12}});
    std::vector<Top> tops;
    // Red T-shirt with a ribbed collar.
    tops.push_back({ToneOf(0xD84848), crew, [=](RgbImage& image, const Shape&) {
                        Fill(image, (Ellipse(CentreX, shoulder - 1, neck + 2.5, 7) - crew) & Body(), ToneOf(0xB83838));
                    }});
    // Navy V-neck sweater.
    tops.push_back({ToneOf(0x34467A), vee, [=](RgbImage& image, const Shape&) {
                        Fill(image, (Grown(Grown(vee)) - vee) & Body(), ToneOf(0x4A5C94));
                    }});
    // Grey hoodie with its hood behind the neck and two strings.
    tops.push_back({ToneOf(0x8C94A0), crew, [=](RgbImage& image, const Shape&) {
                        Fill(image, (Ellipse(CentreX, shoulder + 1, 15, 8) - crew) & Body(), ToneOf(0x7A828E));
                        Flat(image, Box(CentreX - 5, shoulder + 6, CentreX - 4, shoulder + 14), 0xF0F0F0);
                        Flat(image, Box(CentreX + 4, shoulder + 6, CentreX + 5, shoulder + 14), 0xF0F0F0);
                    }});
    // White shirt and blue tie.
    tops.push_back({ToneOf(0xF4F4F0, 0.15), crew, [=](RgbImage& image, const Shape&) {
                        Fill(image, Polygon({{CentreX - 3, shoulder + 4}, {CentreX + 3, shoulder + 4}, {CentreX + 4, face::Height},
                                             {CentreX - 4, face::Height}}) | Box(CentreX - 3, shoulder + 1, CentreX + 3, shoulder + 5),
                             ToneOf(0x3A6AC8));
                        Fill(image, face::BothSides(Polygon({{CentreX - 10, shoulder - 3}, {CentreX - 1, shoulder + 4}, {CentreX - 8, shoulder + 7}})),
                             ToneOf(0xFFFFFF, 0.15));
                    }});
    // Sailor stripes.
    tops.push_back({ToneOf(0xF4F0E8, 0.15), crew, [=](RgbImage& image, const Shape& cloth) {
                        for (double y = shoulder + 5; y < face::Height; y += 6)
                            Flat(image, Interior(cloth) & Box(0, y, face::Width, y + 2), 0x2C3E78);
                    }});
    // Yellow T-shirt under denim dungarees.
    tops.push_back({ToneOf(0xF0C838), crew, [=](RgbImage& image, const Shape&) {
                        Fill(image, Box(CentreX - 14, shoulder + 13, CentreX + 14, face::Height + 2), ToneOf(0x4A78B8));
                        const Shape strap = Polygon({{CentreX - 22, shoulder + 1}, {CentreX - 17, shoulder}, {CentreX - 9, shoulder + 14}, {CentreX - 14, shoulder + 14}});
                        Fill(image, face::BothSides(strap) & Body(), ToneOf(0x4A78B8));
                        Fill(image, face::BothSides(Circle(CentreX - 11, shoulder + 16, 1.6)), ToneOf(0xF0D070));
                    }});
    // Mustard turtleneck up to the chin.
    tops.push_back({ToneOf(0xD8A030), Nothing(), [=](RgbImage& image, const Shape&) {
                        const Shape collar = (SuperEllipse(CentreX, shoulder - 2, 10.5, 8, 4) & Below(face::ChinY)) - face::Head();
                        Fill(image, collar, ToneOf(0xC08A28));
                        for (double x = CentreX - 7; x < CentreX + 8; x += 3)
                            Flat(image, Interior(collar) & Box(x, 0, x + 0.9, face::Height), 0xA87420);
                    }});
    // Open brown jacket over a white T-shirt.
    tops.push_back({ToneOf(0x7A4A2C), crew, [=](RgbImage& image, const Shape&) {
                        Fill(image, (Box(CentreX - 9, shoulder - 4, CentreX + 9, face::Height + 2) & Body()) - crew, ToneOf(0xF4F4F0, 0.15));
                        const Shape lapel = Polygon({{CentreX - 13, shoulder - 1}, {CentreX - 8, shoulder + 2}, {CentreX - 8, face::Height + 2}, {CentreX - 15, face::Height + 2}, {CentreX - 18, shoulder + 10}});
                        Fill(image, face::BothSides(lapel) & Body(), ToneOf(0x8A5634));
                    }});
    // Teal top on thin straps.
    tops.push_back({ToneOf(0x2AA898), Above(shoulder + 8), [=](RgbImage& image, const Shape&) {
                        const Shape strap = Capsule(CentreX - 15, shoulder + 1, CentreX - 13, shoulder + 10, 1.6);
                        Fill(image, face::BothSides(strap), ToneOf(0x2AA898));
                    }});
    // Purple wrap top with crossing edges.
    tops.push_back({ToneOf(0x8A4AB0), vee, [=](RgbImage& image, const Shape&) {
                        Fill(image, face::BothSides(Polygon({{CentreX - 12, shoulder - 3}, {CentreX - 8, shoulder - 3}, {CentreX + 1, shoulder + 13}, {CentreX - 2, shoulder + 15}})) & Body(),
                             ToneOf(0xE8C050));
                    }});
    return DrawEach(tops, DrawTop);
}

// ---------------------------------------------------------------------------------------
// Pixel grids: the small features, drawn by hand in text files of this form:
//   # comment
//   colour K 3a2418          a grid letter and its RGB; later lines may redefine a letter
//   image 3 eyes             image number 3, its grid centred on the eye line
//   ..KKKK..                 rows of equal width; '.' is transparent
//   (blank line)             ends the grid
//   image 4 eyes same 3      image 4: the rows of image 3 with today's colours

struct Grid {
    std::string anchor;
    std::vector<std::string> rows;
    std::map<char, uint32_t> palette;
};

// The face point a grid is centred on.
static bool AnchorY(const std::string& anchor, double* y)
{
    static const std::map<std::string, double> anchors = {
        {"brows", face::BrowY}, {"eyes", face::EyeY}, {"nose", face::NoseY},
        {"mouth", face::MouthY}, {"cheeks", face::CheekY},
    };
    auto found = anchors.find(anchor);
    if (found == anchors.end()) return false;
    *y = found->second;
    return true;
}

static bool GridError(const std::string& path, int line, const std::string& what)
{
    std::fprintf(stderr, "make_avatars: %s:%d: %s\n", path.c_str(), line, what.c_str());
    return false;
}

static bool DrawGrid(const Grid& grid, RgbImage* image)
{
    double anchorY = 0;
    if (grid.rows.empty() || !AnchorY(grid.anchor, &anchorY)) return false;
    const int width = int(grid.rows[0].size()), height = int(grid.rows.size());
    const int left = int(face::CentreX - width / 2.0 + 0.5), top = int(anchorY - height / 2.0 + 0.5);
    *image = Blank();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const char letter = grid.rows[size_t(y)][size_t(x)];
            if (letter == '.') continue;
            auto colour = grid.palette.find(letter);
            if (colour == grid.palette.end() || !image->inside(left + x, top + y)) return false;
            image->at(left + x, top + y) = colour->second;
        }
    }
    return true;
}

// Reads a grid file into images 1, 2, ... in number order; false (with a message) on any fault,
// so a typo in the art stops the build instead of shipping a broken part.
static bool LoadGrids(const std::string& path, Images* images)
{
    std::ifstream file(path);
    if (!file) return GridError(path, 0, "cannot read");
    std::map<char, uint32_t> palette;
    std::map<int, Grid> grids;
    Grid* open = nullptr;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (open && !line.empty()) {
            if (!open->rows.empty() && line.size() != open->rows[0].size()) return GridError(path, number, "row width differs");
            open->rows.push_back(line);
            continue;
        }
        open = nullptr;
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#') continue;
        if (word == "colour") {
            std::string letter, hex;
            if (!(words >> letter >> hex) || letter.size() != 1 || letter[0] == '.') return GridError(path, number, "bad colour");
            palette[letter[0]] = uint32_t(std::stoul(hex, nullptr, 16));
        } else if (word == "image") {
            int id = 0;
            std::string anchor, same;
            int sameId = 0;
            if (!(words >> id >> anchor) || id < 1 || grids.count(id)) return GridError(path, number, "bad image line");
            Grid& grid = grids[id];
            grid.anchor = anchor;
            grid.palette = palette;
            if (words >> same >> sameId) {
                if (same != "same" || !grids.count(sameId)) return GridError(path, number, "bad same");
                grid.rows = grids[sameId].rows;
            } else {
                open = &grid;
            }
        } else {
            return GridError(path, number, "unknown line");
        }
    }
    for (int id = 1; id <= int(grids.size()); ++id) {
        if (!grids.count(id)) return GridError(path, 0, "images are not numbered 1 to N");
        RgbImage image;
        if (!DrawGrid(grids[id], &image)) return GridError(path, 0, "image " + std::to_string(id) + " is off the frame or uses an unknown colour");
        images->push_back(image);
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Output

struct Layer {
    AvatarPart part;
    Images images;
    const char* key() const { return AvatarParts[part].key; }
};

// A colour the program would take for transparent once reduced to 16 bits.
static bool LooksTransparent(uint32_t rgb)
{
    const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return rgb != Magenta && r >= 248 && b >= 248 && g <= 3;
}

static bool WriteLayer(const std::string& mediaDir, const Layer& layer)
{
    for (size_t i = 0; i < layer.images.size(); ++i) {
        const RgbImage& image = layer.images[i];
        for (uint32_t rgb : image.pixels) {
            if (LooksTransparent(rgb)) {
                std::fprintf(stderr, "make_avatars: %s %zu uses a colour that shows as transparent\n", layer.key(), i + 1);
                return false;
            }
        }
        const std::string name = AvatarPartName(layer.part, int(i + 1)); // as the program looks for it
        if (name.empty() || !WriteBmp565(mediaDir + "/" + name, image)) {
            std::fprintf(stderr, "make_avatars: cannot write %s %zu into %s\n", layer.key(), i + 1, mediaDir.c_str());
            return false;
        }
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_avatars <data folder> <media folder>\n");
        return 2;
    }
    const std::string artDir = std::string(argv[1]) + "/art/avatar/";
    const std::string mediaDir = argv[2];
    std::vector<Layer> layers = {
        {AvatarBase, Bases()}, {AvatarEars, EarWear()}, {AvatarFacial, Facial()}, {AvatarHair, Hair()},
        {AvatarTatoo, Tatoo()}, {AvatarClothes, Clothes()},
        {AvatarEyes, {}}, {AvatarBrowns, {}}, {AvatarNose, {}}, {AvatarMouth, {}},
    };
    for (Layer& layer : layers) {
        if (layer.images.empty() && !LoadGrids(artDir + layer.key() + ".txt", &layer.images)) return 1;
    }
    for (const Layer& layer : layers) {
        if (!WriteLayer(mediaDir, layer)) return 1;
    }
    return 0;
}
