// The demo card's pictures, drawn from code in one style: a rounded tile in the game's two
// theme colours with a simple emblem in front, outlined dark like the program's own art.
// Achievement icons are 24 pixels square; game icons 24 or 22, with a light inner ring.
#ifndef VOK_TOOLS_DEMO_ICONS_H
#define VOK_TOOLS_DEMO_ICONS_H

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/bitmap_writer.h"

namespace demo_icons {

using Shape = std::function<bool(double x, double y)>; // true inside; coordinates of a 24-pixel tile

struct Point { double x, y; };

inline bool InPolygon(const std::vector<Point>& p, double x, double y)
{
    bool inside = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > y) != (p[j].y > y) && x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            inside = !inside;
    }
    return inside;
}

inline bool InCircle(double cx, double cy, double r, double x, double y)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

inline bool InRect(double x0, double y0, double x1, double y1, double x, double y)
{
    return x >= x0 && x < x1 && y >= y0 && y < y1;
}

inline std::vector<Point> StarPoints(double cx, double cy, double outer, double inner)
{
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        double angle = -M_PI / 2 + i * M_PI / 5;
        double r = i % 2 ? inner : outer;
        points.push_back({ cx + r * std::cos(angle), cy + r * std::sin(angle) });
    }
    return points;
}

// The emblems by letter: S star, H heart, G gem, Z lightning, T trophy, W sword, P shield,
// C crown, K key, F flag, O coin, L flame, X potion, M moon, E snowflake, R ring.
inline Shape Emblem(char letter)
{
    switch (letter) {
    case 'S': return [](double x, double y) { return InPolygon(StarPoints(12, 12.8, 8.6, 3.6), x, y); };
    case 'H':
        return [](double x, double y) {
            return InCircle(8.6, 9.6, 3.9, x, y) || InCircle(15.4, 9.6, 3.9, x, y) ||
                   InPolygon({ { 4.9, 11 }, { 19.1, 11 }, { 12, 19.5 } }, x, y);
        };
    case 'G': return [](double x, double y) { return InPolygon({ { 5, 9 }, { 8.5, 5 }, { 15.5, 5 }, { 19, 9 }, { 12, 19.5 } }, x, y); };
    case 'Z':
        return [](double x, double y) {
            return InPolygon({ { 14, 3 }, { 6.5, 13 }, { 11, 13 }, { 9, 21 }, { 17.5, 10 }, { 13, 10 }, { 15.5, 3 } }, x, y);
        };
    case 'T':
        return [](double x, double y) {
            bool cup = InPolygon({ { 6.5, 4.5 }, { 17.5, 4.5 }, { 16.5, 10 }, { 14, 13 }, { 10, 13 }, { 7.5, 10 } }, x, y);
            bool handles = (InCircle(6.5, 7.5, 2.6, x, y) && !InCircle(6.5, 7.5, 1.2, x, y)) ||
                           (InCircle(17.5, 7.5, 2.6, x, y) && !InCircle(17.5, 7.5, 1.2, x, y));
            return cup || handles || InRect(11, 13, 13, 16, x, y) || InRect(8, 16, 16, 19.5, x, y);
        };
    case 'W':
        return [](double x, double y) {
            return InPolygon({ { 12, 2.5 }, { 13.7, 5 }, { 13.7, 14 }, { 10.3, 14 }, { 10.3, 5 } }, x, y) ||
                   InRect(7, 14, 17, 16, x, y) || InRect(11, 16, 13, 19.5, x, y) || InCircle(12, 20.3, 1.6, x, y);
        };
    case 'P':
        return [](double x, double y) {
            return InPolygon({ { 5.5, 5 }, { 12, 3.5 }, { 18.5, 5 }, { 18.5, 11 }, { 16, 16 }, { 12, 20 }, { 8, 16 }, { 5.5, 11 } }, x, y);
        };
    case 'C':
        return [](double x, double y) {
            return InPolygon({ { 4.5, 17.5 }, { 4.5, 7.5 }, { 8.5, 12 }, { 12, 5.5 }, { 15.5, 12 }, { 19.5, 7.5 }, { 19.5, 17.5 } }, x, y);
        };
    case 'K':
        return [](double x, double y) {
            return (InCircle(8, 9, 4.3, x, y) && !InCircle(8, 9, 1.8, x, y)) || InRect(11.5, 8, 20, 10.5, x, y) ||
                   InRect(15, 10.5, 16.8, 14, x, y) || InRect(18.2, 10.5, 20, 14.5, x, y);
        };
    case 'F':
        return [](double x, double y) {
            return InRect(5.5, 3.5, 7.5, 20.5, x, y) || InPolygon({ { 7.5, 4 }, { 19, 7.5 }, { 7.5, 12.5 } }, x, y);
        };
    case 'O': return [](double x, double y) { return InCircle(12, 12, 7.6, x, y); };
    case 'L':
        return [](double x, double y) {
            return InCircle(12, 14.5, 5.2, x, y) || InPolygon({ { 7.2, 13.5 }, { 16.8, 13.5 }, { 13, 2.5 }, { 11.5, 7 } }, x, y);
        };
    case 'X':
        return [](double x, double y) {
            return InCircle(12, 14.8, 5.6, x, y) || InRect(10.5, 5.5, 13.5, 10.5, x, y) || InRect(9.5, 3.5, 14.5, 6, x, y);
        };
    case 'M': return [](double x, double y) { return InCircle(12, 12, 7.8, x, y) && !InCircle(15.5, 9.5, 6.2, x, y); };
    case 'E':
        return [](double x, double y) {
            double dx = x - 12, dy = y - 12;
            if (dx * dx + dy * dy > 8.8 * 8.8) return false;
            for (int i = 0; i < 3; ++i) {
                double a = i * M_PI / 3, along = dx * std::cos(a) + dy * std::sin(a);
                double across = -dx * std::sin(a) + dy * std::cos(a);
                if (std::fabs(across) < 0.9 || (std::fabs(std::fabs(along) - 5.6) < 0.7 && std::fabs(across) < 2.3)) return true;
            }
            return false;
        };
    default:
        return [](double x, double y) { return InCircle(12, 12, 7.6, x, y) && !InCircle(12, 12, 4.4, x, y); };
    }
}

inline uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    auto channel = [&](int shift) {
        double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
        return uint32_t(std::lround(va + (vb - va) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Pixel-centre test of a shape scaled from the 24-pixel design to `size`.
inline bool Covers(const Shape& shape, int size, int x, int y)
{
    double scale = 24.0 / size;
    return shape((x + 0.5) * scale, (y + 0.5) * scale);
}

// A rounded tile: magenta outside the corners, a dark border, a vertical gradient.
inline RgbImage Tile(int size, uint32_t top, uint32_t bottom)
{
    RgbImage image(size, size, Magenta);
    const double radius = size / 6.0, c = size - 1;
    const uint32_t border = Mix(bottom, 0x000000, 0.55);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = std::max({ radius - x, x - (c - radius), 0.0 }), dy = std::max({ radius - y, y - (c - radius), 0.0 });
            double distance = std::sqrt(dx * dx + dy * dy);
            if (distance > radius + 0.2) continue;
            bool edge = distance > radius - 0.8 || x == 0 || y == 0 || x == size - 1 || y == size - 1;
            image.at(x, y) = edge ? border : Mix(top, bottom, double(y) / c);
        }
    }
    for (int x = 2; x < size - 2; ++x)
        if (image.at(x, 1) != Magenta && image.at(x, 1) != border) image.at(x, 1) = Mix(top, 0xFFFFFF, 0.35);
    return image;
}

// The emblem in `colour`, lit from the top, outlined in a dark shade of the tile.
inline void DrawEmblem(RgbImage* image, const Shape& shape, uint32_t colour, uint32_t outline)
{
    const int size = image->width;
    std::vector<char> inside(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) inside[size_t(y) * size + x] = Covers(shape, size, x, y);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < size && y < size && inside[size_t(y) * size + x]; };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (in(x, y)) {
                double t = double(y) / (size - 1);
                uint32_t shade = t < 0.45 ? Mix(colour, 0xFFFFFF, 0.45 - t) : Mix(colour, 0x000000, (t - 0.45) * 0.6);
                if (!in(x, y - 1)) shade = Mix(colour, 0xFFFFFF, 0.55); // a lit rim along the top
                image->at(x, y) = shade;
            } else if (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1)) {
                if (image->at(x, y) != Magenta) image->at(x, y) = outline;
            }
        }
    }
}

// Emblem colours: gold, silver, ruby, emerald, sapphire, amethyst, amber.
inline const uint32_t EmblemColours[] = { 0xFFCF3A, 0xE6EBF2, 0xF0485E, 0x4FDB80, 0x58A8FF, 0xBE86FF, 0xFF9E40 };

inline RgbImage AchievementIcon(uint32_t top, uint32_t bottom, char emblem, int colourIndex)
{
    RgbImage image = Tile(24, top, bottom);
    uint32_t colour = EmblemColours[size_t(colourIndex) % (sizeof EmblemColours / sizeof EmblemColours[0])];
    DrawEmblem(&image, Emblem(emblem), colour, Mix(bottom, 0x000000, 0.7));
    return image;
}

// The game's own icon: the same tile with a light inner ring and the game's emblem in gold.
inline RgbImage GameIcon(int size, uint32_t top, uint32_t bottom, char emblem)
{
    RgbImage image = Tile(size, top, bottom);
    const uint32_t ring = Mix(top, 0xFFFFFF, 0.6);
    for (int i = 2; i < size - 2; ++i) {
        if (image.at(i, 2) != Magenta) image.at(i, 2) = ring;
        if (image.at(i, size - 3) != Magenta) image.at(i, size - 3) = ring;
        if (image.at(2, i) != Magenta) image.at(2, i) = ring;
        if (image.at(size - 3, i) != Magenta) image.at(size - 3, i) = ring;
    }
    DrawEmblem(&image, Emblem(emblem), EmblemColours[0], Mix(bottom, 0x000000, 0.7));
    return image;
}

} // namespace demo_icons

#endif
