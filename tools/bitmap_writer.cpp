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

static bool Is565(const SDL_PixelFormat* f)
{
    return f->BitsPerPixel == 16 && f->Rmask == 0xF800 && f->Gmask == 0x07E0 && f->Bmask == 0x001F;
}

bool ReadBmp(const std::string& path, RgbImage* image)
{
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    if (Is565(loaded->format)) { // widened here, not by a blit whose rounding may differ
        *image = RgbImage(loaded->w, loaded->h, 0);
        for (int y = 0; y < loaded->h; ++y) {
            const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(loaded->pixels) + y * loaded->pitch);
            for (int x = 0; x < loaded->w; ++x) image->at(x, y) = From565(row[x]);
        }
        SDL_FreeSurface(loaded);
        return true;
    }
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
