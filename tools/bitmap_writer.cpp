#include "tools/bitmap_writer.h"

#include <fstream>
#include <iterator>

static void Put16(std::string& out, uint32_t v) { out += char(v & 0xFF); out += char((v >> 8) & 0xFF); }
static void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF); Put16(out, v >> 16); }
static uint32_t Get32(const std::string& b, size_t o)
{
    return uint32_t(uint8_t(b[o])) | uint32_t(uint8_t(b[o + 1])) << 8 | uint32_t(uint8_t(b[o + 2])) << 16 |
           uint32_t(uint8_t(b[o + 3])) << 24;
}

std::string EncodeBmp24(const RgbImage& image)
{
    const uint32_t rowBytes = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * uint32_t(image.height);
    std::string out;
    out += "BM";
    Put32(out, 54 + dataBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, uint32_t(image.width));
    Put32(out, uint32_t(image.height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = image.at(x, y);
            row += char(p & 0xFF);
            row += char((p >> 8) & 0xFF);
            row += char((p >> 16) & 0xFF);
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

bool WriteBmp24(const std::string& path, const RgbImage& image)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::string bytes = EncodeBmp24(image);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

bool ReadBmp24(const std::string& path, RgbImage* image)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t offset = Get32(b, 10);
    const int width = int(Get32(b, 18));
    int height = int(Get32(b, 22));
    const int bits = uint8_t(b[28]) | uint8_t(b[29]) << 8;
    if ((bits != 24 && bits != 32) || (Get32(b, 30) != 0 && Get32(b, 30) != 3)) return false;
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    const size_t bpp = size_t(bits / 8);
    const size_t rowBytes = (size_t(width) * bpp + 3) & ~size_t(3);
    if (offset + rowBytes * size_t(height) > b.size()) return false;
    *image = RgbImage(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + rowBytes * size_t(topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t p = row + size_t(x) * bpp;
            image->at(x, y) = uint32_t(uint8_t(b[p + 2])) << 16 | uint32_t(uint8_t(b[p + 1])) << 8 | uint8_t(b[p]);
        }
    }
    return true;
}
