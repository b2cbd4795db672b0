// Tiny raster kit of the avatar art generator: shapes are inside-tests on pixel centres,
// combined with set operations and painted with a cel-shaded fill and a dark outline.
// Header only, so the generator stays one translation unit.
#ifndef VOK_TOOLS_AVATAR_PAINT_H
#define VOK_TOOLS_AVATAR_PAINT_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "tools/bitmap_writer.h"

namespace paint {

// An inside-test on a point; x, y is a pixel centre (column + 0.5, row + 0.5).
class Shape {
public:
    template <class Test, class = std::enable_if_t<!std::is_same_v<std::decay_t<Test>, Shape>>>
    Shape(Test test) : test_(std::move(test)) {}
    bool operator()(double x, double y) const { return test_(x, y); }

private:
    std::function<bool(double, double)> test_;
};

constexpr uint32_t Ink = 0x3A2418; // the outline colour of every part

inline Shape Nothing() { return [](double, double) { return false; }; }
inline Shape Ellipse(double cx, double cy, double rx, double ry)
{
    return [=](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}
// |dx|^power + |dy|^power <= 1: squarer than an ellipse for powers above 2.
inline Shape SuperEllipse(double cx, double cy, double rx, double ry, double power)
{
    return [=](double x, double y) {
        return std::pow(std::fabs(x - cx) / rx, power) + std::pow(std::fabs(y - cy) / ry, power) <= 1.0;
    };
}
inline Shape Circle(double cx, double cy, double r) { return Ellipse(cx, cy, r, r); }
// Axis-aligned box from (x0, y0) to (x1, y1), edges in pixel units.
inline Shape Box(double x0, double y0, double x1, double y1)
{
    return [=](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}
// Points whose centre lies in the polygon (even-odd rule).
inline Shape Polygon(std::vector<std::pair<double, double>> points)
{
    return [points](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const double xi = points[i].first, yi = points[i].second;
            const double xj = points[j].first, yj = points[j].second;
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
}
// A thick segment with round ends.
inline Shape Capsule(double x0, double y0, double x1, double y1, double r)
{
    return [=](double x, double y) {
        const double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
        return dx * dx + dy * dy <= r * r;
    };
}
inline Shape Above(double edge) { return [=](double, double y) { return y < edge; }; }
inline Shape Below(double edge) { return [=](double, double y) { return y > edge; }; }
inline Shape LeftOf(double edge) { return [=](double x, double) { return x < edge; }; }
inline Shape RightOf(double edge) { return [=](double x, double) { return x > edge; }; }

inline Shape operator|(Shape a, Shape b) { return [=](double x, double y) { return a(x, y) || b(x, y); }; }
inline Shape operator&(Shape a, Shape b) { return [=](double x, double y) { return a(x, y) && b(x, y); }; }
inline Shape operator-(Shape a, Shape b) { return [=](double x, double y) { return a(x, y) && !b(x, y); }; }
inline Shape Shifted(Shape a, double dx, double dy) { return [=](double x, double y) { return a(x - dx, y - dy); }; }
// Mirror image about the vertical line x = axis.
inline Shape Mirrored(Shape a, double axis) { return [=](double x, double y) { return a(2 * axis - x, y); }; }
inline Shape Symmetric(Shape a, double axis) { return a | Mirrored(a, axis); }
// The shape without its one-pixel rim: what is left inside its outline.
inline Shape Interior(Shape a)
{
    return [=](double x, double y) { return a(x, y) && a(x - 1, y) && a(x + 1, y) && a(x, y - 1) && a(x, y + 1); };
}
// The shape grown by one pixel in the four directions.
inline Shape Grown(Shape a)
{
    return [=](double x, double y) { return a(x, y) || a(x - 1, y) || a(x + 1, y) || a(x, y - 1) || a(x, y + 1); };
}

// Colours of a cel-shaded fill: base, the shadow on the lower right, the light on the upper left.
struct Tone {
    uint32_t base = 0, shade = 0, light = 0;
};
// A tone from one colour: shadow and light mixed towards dark brown and white.
inline uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    auto channel = [&](int shift) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}
inline Tone ToneOf(uint32_t base, double shadeAmount = 0.28, double lightAmount = 0.35)
{
    return Tone{base, Mix(base, 0x3A1830, shadeAmount), Mix(base, 0xFFFFF0, lightAmount)};
}

// How a fill is shaded and finished.
struct Style {
    double shadeDx = 2, shadeDy = 2; // shadow where the shape ends this far down-right
    double lightDx = 0, lightDy = 0; // light where the shape ends this far up-left; 0: none
    bool outline = true;             // dark rim on the shape's own edge pixels
};

inline bool InsideAt(const Shape& s, int x, int y) { return s(x + 0.5, y + 0.5); }

// Paints the shape onto the image: shadow, light and outline all lie inside the shape, so a
// part never reaches past the geometry it was given.
inline void Fill(RgbImage& image, const Shape& shape, const Tone& tone, const Style& style = Style())
{
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            if (!shape(px, py)) continue;
            uint32_t colour = tone.base;
            if ((style.lightDx != 0 || style.lightDy != 0) && !shape(px - style.lightDx, py - style.lightDy))
                colour = tone.light;
            if ((style.shadeDx != 0 || style.shadeDy != 0) && !shape(px + style.shadeDx, py + style.shadeDy))
                colour = tone.shade;
            if (style.outline && (!shape(px - 1, py) || !shape(px + 1, py) || !shape(px, py - 1) || !shape(px, py + 1)))
                colour = Ink;
            image.at(x, y) = colour;
        }
    }
}
// One flat colour, no outline.
inline void Flat(RgbImage& image, const Shape& shape, uint32_t colour)
{
    Style style;
    style.shadeDx = style.shadeDy = 0;
    style.outline = false;
    Fill(image, shape, Tone{colour, colour, colour}, style);
}
inline void Dot(RgbImage& image, int x, int y, uint32_t colour)
{
    if (image.inside(x, y)) image.at(x, y) = colour;
}
// Removes every pixel of the shape: back to transparent.
inline void Clear(RgbImage& image, const Shape& shape) { Flat(image, shape, Magenta); }

} // namespace paint

#endif
