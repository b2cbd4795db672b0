#include "tools/bitmap_writer.h"

#include <SDL.h>

#include <fstream>

static void Put16(std::string& out, uint32_t v) { out += char(v & 0xFF); out += char((v >> 8) & 0xFF); }
static void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF); Put16(out, v >> 16); }

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

bool ReadBmp(const std::string& path, RgbImage* image)
{
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    // A blit onto a 32-bit surface of known masks gives every depth's pixels as 0xRRGGBB.
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    const bool ok = rgb && SDL_BlitSurface(loaded, nullptr, rgb, nullptr) == 0;
    if (ok) {
        *image = RgbImage(rgb->w, rgb->h, 0);
        for (int y = 0; y < rgb->h; ++y) {
            const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch);
            for (int x = 0; x < rgb->w; ++x) image->at(x, y) = row[x] & 0xFFFFFF;
        }
    }
    if (rgb) SDL_FreeSurface(rgb);
    SDL_FreeSurface(loaded);
    return ok;
}
