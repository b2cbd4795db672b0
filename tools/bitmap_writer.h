// RGB pictures for the art generators, the demo card, the picture converter and the tests:
// written as 24-bit Windows bitmaps, or as 16-bit ones in the screen's 5-6-5 layout
// (BI_BITFIELDS) for the art, which the program loads without converting; read back through
// SDL's own bitmap loader, the one the program uses. The program itself only reads bitmaps.
#ifndef VOK_TOOLS_BITMAP_WRITER_H
#define VOK_TOOLS_BITMAP_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xRRGGBB, row by row from the top

    RgbImage() = default;
    RgbImage(int w, int h, uint32_t fill = 0xFF00FF) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    uint32_t& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

constexpr uint32_t Magenta = 0xFF00FF; // transparent wherever the program draws a bitmap

// The bytes of a bottom-up 24-bit BMP file of the image.
std::string EncodeBmp24(const RgbImage& image);
// Writes the image as a BMP file; false when the file cannot be written.
bool WriteBmp24(const std::string& path, const RgbImage& image);
// The bytes of a bottom-up 16-bit 5-6-5 BMP file of the image (each channel's low bits dropped).
std::string EncodeBmp565(const RgbImage& image);
// Writes the image as a 5-6-5 BMP file; false when it cannot be written or when a pixel other
// than magenta would turn into magenta's 5-6-5 value, the colour key (a hole in the picture).
bool WriteBmp565(const std::string& path, const RgbImage& image);
// Reads any bitmap SDL_LoadBMP reads (ours, and the 16-bit screens SDL_SaveBMP writes); a
// 5-6-5 one has each channel widened with its top bits repeated, so magenta reads as Magenta.
// False when SDL cannot load it.
bool ReadBmp(const std::string& path, RgbImage* image);

#endif
