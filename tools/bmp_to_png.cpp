// bmp_to_png FILE.bmp...: writes FILE.png beside each bitmap, for pictures a web page or a
// README can show (the tour's screenshots). SDL's loader reads the bitmap (ReadBmp) and
// libpng writes the PNG, 8 bits per channel, RGB.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/bitmap_writer.h"

namespace {

// The PNG of `image` at `path`; false when libpng cannot write it.
bool WritePng(const std::string& path, const RgbImage& image)
{
    std::vector<png_byte> rows;
    rows.reserve(image.pixels.size() * 3);
    for (uint32_t rgb : image.pixels) {
        rows.push_back(png_byte(rgb >> 16));
        rows.push_back(png_byte(rgb >> 8));
        rows.push_back(png_byte(rgb));
    }
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    const bool ok = png_image_write_to_file(&png, path.c_str(), 0, rows.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

// "shot.bmp" -> "shot.png"; a name without an extension gets ".png" added.
std::string PngPath(const std::string& bmpPath)
{
    const size_t slash = bmpPath.rfind('/');
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = bmpPath.rfind('.');
    return bmpPath.substr(0, dot != std::string::npos && dot > name ? dot : bmpPath.size()) + ".png";
}

bool Convert(const std::string& bmpPath)
{
    RgbImage image;
    return ReadBmp(bmpPath, &image) && WritePng(PngPath(bmpPath), image);
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
