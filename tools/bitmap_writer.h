// Writes Windows bitmaps from RGB pixels: 24-bit ones for the demo card and the tests, and
// 16-bit ones in the screen's 5-6-5 layout (BI_BITFIELDS) for the art generators, which the
// program loads without converting. The program itself only reads bitmaps.
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
// Reads a 24- or 32-bit uncompressed BMP, or a 16-bit 5-6-5 one as written above (each channel
// widened back to 8 bits, so magenta reads as Magenta); false when it is none of these.
bool ReadBmp24(const std::string& path, RgbImage* image);

#endif
