// Small painting kit for the interface art: colours, 16-bit-aware shading, rounded shapes and
// pixel-art grids. Every picture ends up on a 5-6-5 screen, so smooth shading is ordered-dithered
// to the levels that screen can show instead of leaving it to banding.
#ifndef VOK_TOOLS_ART_CANVAS_H
#define VOK_TOOLS_ART_CANVAS_H

#include "tools/avatar_paint.h"
#include "tools/bitmap_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

// The house palette, shared with the avatar parts.
constexpr uint32_t Outline = paint::Ink; // dark brown of every outline
constexpr uint32_t Peach = 0xFFC78C;   // frames behind avatars and the game grid
constexpr uint32_t Cream = 0xFFF3DC;   // card body
constexpr uint32_t Teal = 0x00B4B4;    // accent, as the popup highlight bar
constexpr uint32_t Gold = 0xFFD23C;    // stars, trophies, trims
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t KeyPurple = 0x800080; // the on-screen keyboard's keys
constexpr uint32_t KeyYellow = 0xFFFF00; // the on-screen keyboard's labels

struct Colour {
    double r, g, b; // 0..255
};

inline Colour Rgb(uint32_t c) { return Colour{double(c >> 16 & 0xFF), double(c >> 8 & 0xFF), double(c & 0xFF)}; }

inline Colour Mix(Colour a, Colour b, double t) { return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
using paint::Mix; // the same blend on packed colours
inline Colour Scale(Colour c, double k) { return Colour{c.r * k, c.g * k, c.b * k}; }

inline double SmoothStep(double edge0, double edge1, double v)
{
    const double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// One channel to `bits` bits with a 4 x 4 Bayer threshold, expanded back to 8 bits so that the
// screen's conversion (which keeps the top bits) lands exactly on the chosen level.
inline uint32_t DitherChannel(double v, int bits, int x, int y)
{
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int levels = (1 << bits) - 1;
    const double threshold = (bayer[y & 3][x & 3] + 0.5) / 16.0;
    const int level = std::clamp(int(std::floor(std::clamp(v, 0.0, 255.0) / 255.0 * levels + threshold)), 0, levels);
    return uint32_t(level << (8 - bits) | level >> (2 * bits - 8));
}

// A colour as the 5-6-5 screen can show it at (x, y).
inline uint32_t Dither565(Colour c, int x, int y)
{
    return DitherChannel(c.r, 5, x, y) << 16 | DitherChannel(c.g, 6, x, y) << 8 | DitherChannel(c.b, 5, x, y);
}

inline void Put(RgbImage& image, int x, int y, uint32_t colour)
{
    if (image.inside(x, y)) image.at(x, y) = colour;
}

inline bool Opaque(const RgbImage& image, int x, int y) { return image.inside(x, y) && image.at(x, y) != Magenta; }

// True when the centre of pixel (px, py) lies in the rectangle with corners rounded by `radius`.
inline bool InRoundRect(int px, int py, double x, double y, double w, double h, double radius)
{
    const double cx = px + 0.5, cy = py + 0.5;
    if (cx < x || cy < y || cx > x + w || cy > y + h) return false;
    const double nx = std::clamp(cx, x + radius, x + w - radius);
    const double ny = std::clamp(cy, y + radius, y + h - radius);
    return (cx - nx) * (cx - nx) + (cy - ny) * (cy - ny) <= radius * radius;
}

// Paints every pixel of a rounded rectangle with shade(x, y).
inline void ShadeRoundRect(RgbImage& image, int x, int y, int w, int h, double radius,
                           const std::function<uint32_t(int, int)>& shade)
{
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            if (image.inside(px, py) && InRoundRect(px, py, x, y, w, h, radius)) image.at(px, py) = shade(px, py);
}

inline void FillRoundRect(RgbImage& image, int x, int y, int w, int h, double radius, uint32_t colour)
{
    ShadeRoundRect(image, x, y, w, h, radius, [colour](int, int) { return colour; });
}

inline void FillRect(RgbImage& image, int x, int y, int w, int h, uint32_t colour)
{
    FillRoundRect(image, x, y, w, h, 0, colour);
}

// A vertical gradient from `top` at row y to `bottom` at row y + h - 1, dithered.
inline std::function<uint32_t(int, int)> VerticalGradient(uint32_t top, uint32_t bottom, int y, int h)
{
    return [=](int px, int py) {
        const double t = h > 1 ? double(py - y) / (h - 1) : 0.0;
        return Dither565(Mix(Rgb(top), Rgb(bottom), t), px, py);
    };
}

// Rings a shape: every transparent pixel touching an opaque one (4 neighbours, or 8 when
// `corners`) takes `colour`.
inline void AddOutline(RgbImage& image, uint32_t colour, bool corners)
{
    const RgbImage before = image;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (before.at(x, y) != Magenta) continue;
            bool touches = Opaque(before, x - 1, y) || Opaque(before, x + 1, y) || Opaque(before, x, y - 1) ||
                           Opaque(before, x, y + 1);
            if (corners)
                touches = touches || Opaque(before, x - 1, y - 1) || Opaque(before, x + 1, y - 1) ||
                          Opaque(before, x - 1, y + 1) || Opaque(before, x + 1, y + 1);
            if (touches) image.at(x, y) = colour;
        }
}

// One colour of a pixel-art grid: the character used in the rows and what it paints.
struct Ink {
    char key;
    uint32_t colour;
};

// Paints a pixel-art grid with its top-left at (x, y); characters without an ink stay untouched.
inline void DrawGrid(RgbImage& image, int x, int y, const std::vector<std::string>& rows, const std::vector<Ink>& inks)
{
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < rows[row].size(); ++column)
            for (const Ink& ink : inks)
                if (ink.key == rows[row][column]) Put(image, x + int(column), y + int(row), ink.colour);
}

inline int GridWidth(const std::vector<std::string>& rows)
{
    size_t width = 0;
    for (const std::string& row : rows) width = std::max(width, row.size());
    return int(width);
}

// Fraction of pixel (px, py) inside a shape, from 4 x 4 samples.
inline double Coverage(int px, int py, const std::function<bool(double, double)>& inside)
{
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside(px + (sx + 0.5) / 4, py + (sy + 0.5) / 4)) ++hits;
    return hits / 16.0;
}

} // namespace art

#endif
