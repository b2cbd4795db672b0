// bmp_to_png FILE.bmp...: writes FILE.png beside each bitmap, for pictures a web page or a
// README can show (the tour's screenshots). SDL reads the bitmap, zlib packs the PNG, so
// nothing beyond the build's own packages is needed.
#include <SDL.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

void AppendBigEndian(std::string* bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) bytes->push_back(char((value >> shift) & 0xFF));
}

// Length, type, data and the CRC of type and data.
void AppendChunk(std::string* png, const char* type, const std::string& data)
{
    AppendBigEndian(png, uint32_t(data.size()));
    std::string typed = std::string(type, 4) + data;
    png->append(typed);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()));
    AppendBigEndian(png, uint32_t(crc));
}

// The picture as 8-bit RGB rows, each led by filter byte 0; empty when SDL cannot convert it.
std::string RawRows(SDL_Surface* picture)
{
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (!rgb) return "";
    SDL_BlitSurface(picture, nullptr, rgb, nullptr);
    std::string rows;
    for (int y = 0; y < rgb->h; ++y) {
        rows.push_back(0);
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x) {
            rows.push_back(char((row[x] >> 16) & 0xFF));
            rows.push_back(char((row[x] >> 8) & 0xFF));
            rows.push_back(char(row[x] & 0xFF));
        }
    }
    SDL_FreeSurface(rgb);
    return rows;
}

std::string EncodePng(SDL_Surface* picture)
{
    std::string rows = RawRows(picture);
    uLongf packedSize = compressBound(uLong(rows.size()));
    std::string packed(packedSize, '\0');
    if (rows.empty() || compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
                                  reinterpret_cast<const Bytef*>(rows.data()), uLong(rows.size()), 9) != Z_OK)
        return "";
    packed.resize(packedSize);
    std::string header;
    AppendBigEndian(&header, uint32_t(picture->w));
    AppendBigEndian(&header, uint32_t(picture->h));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits per channel, RGB, no interlace
    std::string png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(&png, "IHDR", header);
    AppendChunk(&png, "IDAT", packed);
    AppendChunk(&png, "IEND", "");
    return png;
}

bool Convert(const std::string& bmpPath)
{
    SDL_Surface* picture = SDL_LoadBMP(bmpPath.c_str());
    if (!picture) return false;
    std::string png = EncodePng(picture);
    SDL_FreeSurface(picture);
    size_t name = bmpPath.rfind('/') == std::string::npos ? 0 : bmpPath.rfind('/') + 1;
    size_t dot = bmpPath.rfind('.');
    std::string pngPath = bmpPath.substr(0, dot != std::string::npos && dot > name ? dot : bmpPath.size()) + ".png";
    std::ofstream file(pngPath, std::ios::binary | std::ios::trunc);
    file.write(png.data(), std::streamsize(png.size()));
    return !png.empty() && bool(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bmp_to_png FILE.bmp...\n");
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        if (Convert(argv[i])) continue;
        std::fprintf(stderr, "bmp_to_png: cannot convert %s\n", argv[i]);
        status = 1;
    }
    return status;
}
