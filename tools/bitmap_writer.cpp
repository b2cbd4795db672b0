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

static uint32_t To565(uint32_t p) { return (p >> 19 & 0x1F) << 11 | (p >> 10 & 0x3F) << 5 | (p >> 3 & 0x1F); }

std::string EncodeBmp565(const RgbImage& image)
{
    const uint32_t rowBytes = (uint32_t(image.width) * 2 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * uint32_t(image.height);
    const uint32_t offset = 14 + 40 + 12; // the three channel masks follow the header
    std::string out;
    out += "BM";
    Put32(out, offset + dataBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(image.width));
    Put32(out, uint32_t(image.height));
    Put16(out, 1);
    Put16(out, 16);
    Put32(out, 3); // BI_BITFIELDS
    Put32(out, dataBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) Put16(row, To565(image.at(x, y)));
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

static bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

bool WriteBmp24(const std::string& path, const RgbImage& image) { return WriteBytes(path, EncodeBmp24(image)); }

bool WriteBmp565(const std::string& path, const RgbImage& image)
{
    for (uint32_t p : image.pixels)
        if (p != Magenta && To565(p) == To565(Magenta)) return false;
    return WriteBytes(path, EncodeBmp565(image));
}

// A 5-6-5 pixel widened to 0xRRGGBB, the top bits repeated below, so 0xF81F reads as Magenta.
static uint32_t From565(uint32_t v)
{
    const uint32_t r = v >> 11 & 0x1F, g = v >> 5 & 0x3F, b = v & 0x1F;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
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
    const bool is565 = bits == 16 && Get32(b, 30) == 3 && b.size() >= 66 && Get32(b, 54) == 0xF800
                       && Get32(b, 58) == 0x07E0 && Get32(b, 62) == 0x001F;
    if ((bits != 24 && bits != 32 && !is565) || (Get32(b, 30) != 0 && Get32(b, 30) != 3)) return false;
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
            if (is565) {
                image->at(x, y) = From565(uint32_t(uint8_t(b[p])) | uint32_t(uint8_t(b[p + 1])) << 8);
                continue;
            }
            image->at(x, y) = uint32_t(uint8_t(b[p + 2])) << 16 | uint32_t(uint8_t(b[p + 1])) << 8 | uint8_t(b[p]);
        }
    }
    return true;
}
