// Writes the fuzzers' seed corpus: small good and malformed files of every format vok reads,
//
//   make_corpus <folder>      (the repository's copy is tests/corpus/)
//
// one sub-folder per fuzz target (tests/fuzz/fuzz_targets.cpp). The good files come from the
// program's profile writer, the game kit's encoders and SDL_SaveBMP; the malformed ones are
// such files with one field broken, among them the 34-byte bitmap that claims 4097 bits per pixel.
#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <cstdio>
#include <iostream>
#include <tuple>
#include <string>
#include <vector>

#include <fstream>

#include "profile/profile_file.h"
#include "store/store_files.h"
extern "C" {
#include "kit/vok_kit.h"
}

namespace fs = std::filesystem;

namespace {

fs::path Root;
int Written = 0;

void Seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    fs::create_directories(Root / target);
    std::ofstream file(Root / target / name, std::ios::binary);
    if (!file.write(bytes.data(), std::streamsize(bytes.size()))) {
        std::cerr << "make_corpus: cannot write " << (Root / target / name) << "\n";
        std::exit(1);
    }
    ++Written;
}

std::string U16(unsigned value) { return {char(value & 0xFF), char((value >> 8) & 0xFF)}; }
std::string U32(uint32_t value)
{
    std::string bytes;
    AppendInt32(&bytes, WrapToSint32(value));
    return bytes;
}

std::string FormatSummary(const VokSummary& summary)
{
    unsigned char bytes[VOK_SUMMARY_SIZE];
    VokEncodeSummary(&summary, bytes);
    return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

std::string FormatAchievementRecords(const std::vector<VokAchievement>& records)
{
    std::string text;
    for (const VokAchievement& record : records) {
        unsigned char bytes[VOK_RECORD_SIZE];
        VokEncodeRecord(&record, bytes);
        text.append(reinterpret_cast<char*>(bytes), sizeof bytes);
    }
    return text;
}

// Text records as the kit writes them; fields too long for the kit are written complemented
// to the field's end, without the terminator vok relies on.
std::string EncodeAchievementTexts(const std::vector<std::tuple<int, std::string, std::string>>& texts)
{
    std::string all;
    for (const auto& [id, name, description] : texts) {
        std::string record = U32(uint32_t(id)) + std::string(VOK_TEXT_RECORD_SIZE - 4, '\xFF');
        for (size_t i = 0; i < name.size() && i < 21; ++i) record[4 + i] = char(~name[i]);
        for (size_t i = 0; i < description.size() && i < 101; ++i) record[25 + i] = char(~description[i]);
        VokText text = {id, {0}, {0}};
        if (name.size() <= VOK_NAME_MAX && description.size() <= VOK_DESCRIPTION_MAX) {
            std::snprintf(text.name, sizeof text.name, "%s", name.c_str());
            std::snprintf(text.description, sizeof text.description, "%s", description.c_str());
            VokEncodeText(&text, reinterpret_cast<unsigned char*>(&record[0]));
        }
        all += record;
    }
    return all;
}

// A bitmap built field by field; every field can be set to a wrong value.
struct Bmp {
    uint32_t headerSize = 40, compression = 0, colours = 0;
    int32_t width = 2, height = 2;
    unsigned planes = 1, depth = 24;
    std::vector<uint32_t> masks;   // BI_BITFIELDS masks, after a 40-byte header or inside a longer one
    int32_t offsetShift = 0;       // added to the right pixel offset
    int32_t pixelShift = 0;        // bytes added to (or cut from) the pixel data

    std::string Bytes() const
    {
        std::string info;
        if (headerSize == 12) {
            info = U32(12) + U16(unsigned(width)) + U16(unsigned(height)) + U16(planes) + U16(depth);
        } else {
            info = U32(headerSize) + U32(uint32_t(width)) + U32(uint32_t(height)) + U16(planes) + U16(depth) +
                   U32(compression) + U32(0) + U32(2835) + U32(2835) + U32(colours) + U32(0);
            for (uint32_t mask : masks) info += U32(mask);
            info.resize(std::max<size_t>(info.size(), headerSize), '\0');
        }
        const uint32_t entries = depth <= 8 ? (colours ? colours : 1u << depth) : 0;
        std::string palette;
        for (uint32_t i = 0; i < entries; ++i) {
            palette += std::string{char(i * 37), char(i * 91), char(i * 13)};
            if (headerSize != 12) palette += '\0';
        }
        const int64_t rows = height == INT32_MIN ? 0 : std::abs(height); // no pixels for a height that has no size
        const size_t rowBytes = (size_t(uint32_t(width)) * depth + 31) / 32 * 4;
        std::string pixels(std::max<int64_t>(0, int64_t(rowBytes) * rows + pixelShift), '\0');
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = char(i * 29 + 7);
        const uint32_t offset = uint32_t(14 + info.size() + palette.size() + offsetShift);
        std::string file = "BM" + U32(uint32_t(14 + info.size() + palette.size() + pixels.size())) + U32(0) + U32(offset);
        return file + info + palette + pixels;
    }
};

Bmp Depth(unsigned depth, uint32_t compression = 0, std::vector<uint32_t> masks = {})
{
    Bmp bmp;
    bmp.depth = depth;
    bmp.compression = compression;
    bmp.masks = masks;
    return bmp;
}

// What SDL itself writes: SDL_SaveBMP of an 8-bit palette surface and of a 16-bit one.
std::string SavedBySdl(int depth)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, depth, 0, 0, 0, 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 0, 255));
    const std::string path = (Root / ".sdl.bmp").string();
    SDL_SaveBMP(surface, path.c_str());
    SDL_FreeSurface(surface);
    std::string bytes;
    ReadFileBytes(path, &bytes, 1 << 16);
    fs::remove(path);
    return bytes;
}

void Bitmaps()
{
    const std::vector<uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F}, rgb555 = {0x7C00, 0x03E0, 0x001F};
    const std::vector<uint32_t> rgb888 = {0xFF0000, 0x00FF00, 0x0000FF};
    struct { const char* name; Bmp bmp; } good[] = {
        {"good_24.bmp", Depth(24)}, {"good_1.bmp", Depth(1)}, {"good_4.bmp", Depth(4)}, {"good_8.bmp", Depth(8)},
        {"good_16_rgb.bmp", Depth(16)}, {"good_32_rgb.bmp", Depth(32)},
        {"good_16_bitfields_565.bmp", Depth(16, 3, rgb565)}, {"good_16_bitfields_555.bmp", Depth(16, 3, rgb555)},
        {"good_32_bitfields.bmp", Depth(32, 3, rgb888)}};
    for (auto& seed : good) Seed("bitmap", seed.name, seed.bmp.Bytes());
    Bmp v4 = Depth(16, 3, rgb565);
    v4.headerSize = 108;
    Seed("bitmap", "good_16_bitfields_v4.bmp", v4.Bytes());
    Bmp os2 = Depth(8);
    os2.headerSize = 12;
    Seed("bitmap", "good_os2_8.bmp", os2.Bytes());
    Bmp topDown = Depth(24);
    topDown.height = -2;
    Seed("bitmap", "good_top_down.bmp", topDown.Bytes());
    Seed("bitmap", "good_sdl_8.bmp", SavedBySdl(8));
    Seed("bitmap", "good_sdl_16.bmp", SavedBySdl(16));

    // The crash at every start: a 34-byte file whose header claims 4097 (12289, 16385) bits per pixel.
    for (unsigned depth : {4097u, 12289u, 16385u})
        Seed("bitmap", "bad_depth_" + std::to_string(depth) + "_34_bytes.bmp", Depth(depth).Bytes().substr(0, 34));
    struct { const char* name; void (*breakIt)(Bmp*); } bad[] = {
        {"bad_width_0.bmp", [](Bmp* b) { b->width = 0; }},
        {"bad_width_1025.bmp", [](Bmp* b) { b->width = 1025; }},
        {"bad_height_min.bmp", [](Bmp* b) { b->height = INT32_MIN; }},
        {"bad_planes.bmp", [](Bmp* b) { b->planes = 2; }},
        {"bad_depth_15.bmp", [](Bmp* b) { b->depth = 15; }},
        {"bad_rle8.bmp", [](Bmp* b) { b->depth = 8; b->compression = 1; }},
        {"bad_24_bitfields.bmp", [](Bmp* b) { b->compression = 3; b->masks = {0xFF0000, 0xFF00, 0xFF}; }},
        {"bad_masks_overlap.bmp", [](Bmp* b) { b->depth = 16; b->compression = 3; b->masks = {0xF800, 0xFFE0, 0x1F}; }},
        {"bad_header_size.bmp", [](Bmp* b) { b->headerSize = 41; }},
        {"bad_palette_too_big.bmp", [](Bmp* b) { b->depth = 4; b->colours = 300; }},
        {"bad_pixels_short.bmp", [](Bmp* b) { b->pixelShift = -1; }},
        {"bad_offset_past_end.bmp", [](Bmp* b) { b->offsetShift = 1 << 20; }},
        {"bad_offset_in_header.bmp", [](Bmp* b) { b->offsetShift = -20; }},
    };
    for (auto& seed : bad) {
        Bmp bmp;
        seed.breakIt(&bmp);
        Seed("bitmap", seed.name, bmp.Bytes());
    }
    std::string signature = Depth(24).Bytes();
    signature[1] = 'A';
    Seed("bitmap", "bad_signature.bmp", signature);
    Seed("bitmap", "empty", "");
}

void KeyValues()
{
    ProfileRecord anna;
    anna.lang = "English";
    anna.name = "Anna";
    anna.base = "01";
    anna.hair = "03";
    Seed("key_value", "profile_good.cfg", FormatProfileFile(anna));
    const std::string lang = "lang=English\r\n";
    Seed("key_value", "profile_1023_byte_line.cfg", lang + "name=" + std::string(1017, 'n') + "\r\nbase=02\r\n");
    Seed("key_value", "profile_1023_lf_only.cfg", lang + "name=" + std::string(1018, 'n') + "\nbase=02\n");
    Seed("key_value", "profile_1024_byte_line.cfg", lang + "name=" + std::string(1018, 'n') + "\r\nbase=02\r\n");
    Seed("key_value", "profile_odd_lines.cfg", "=x\nname==v  \r\n\nnoequals\nname=later\nhair=-7\neyes= 0009x");
    Seed("key_value", "ranking_good", "fav1=game_a\r\nfav2=game_b\r\ncmp1=game_a\r\n");
    Seed("key_value", "ranking_odd_keys", "fav6=x\r\nfav0=y\r\nfav1x=z\r\nFAV1=w\r\ncmp5=v\r\ncmp5=again\r\n");
    Seed("key_value", "title_good", "title=Star Race\r\nauthor=Ana\r\n");
    Seed("key_value", "title_latin1", "title=Caf\xE9 \xFF\r\nauthor=\r\ntitle=last wins\n");
    Seed("key_value", "empty", "");
}

void Binaries()
{
    Seed("summary", "summary_good", FormatSummary({3, 5, 30, 50, 12}));
    Seed("summary", "summary_short_7", FormatSummary({3, 5, 30, 50, 12}).substr(0, 7));
    Seed("summary", "summary_extremes_30", FormatSummary({INT32_MIN, INT32_MAX, -1, 0, INT32_MIN}) + "0123456789");
    Seed("summary", "totals_good", FormatSummary({10, 20, 100, 200, 0}).substr(0, 16));
    Seed("summary", "empty", "");

    Seed("records", "records_good", FormatAchievementRecords({{1, 10, 0, 1}, {2, 20, 1, 0}, {50, 5, 1, 1}}));
    Seed("records", "records_trailing_part", FormatAchievementRecords({{1, 10, 0, 1}}) + "partial");
    Seed("records", "records_extremes", FormatAchievementRecords({{INT32_MIN, INT32_MAX, -1, 7}, {0, 0, 0, 0}}));
    Seed("records", "empty", "");

    const std::string texts = EncodeAchievementTexts({{1, "First", "The first one"}, {2, "Second", "Two"}});
    Seed("texts", "texts_good", texts);
    Seed("texts", "texts_unterminated", std::string(128, '\x01') + texts.substr(0, 100));
    Seed("texts", "texts_long_fields", EncodeAchievementTexts({{7, std::string(40, 'n'), std::string(200, 'd')}}));
    Seed("texts", "empty", "");

    Seed("progress", "progress_good", U32(7) + U32(37) + U32(100) + U32(0) + U32(3) + U32(0) + U32(0) + U32(1714564800));
    Seed("progress", "progress_trailing_part", U32(7) + U32(37) + U32(100) + U32(0) + "cut mid");
    Seed("progress", "progress_extremes", U32(0x80000000) + U32(0x7FFFFFFF) + U32(0xFFFFFFFF) + U32(0xFFFFFFFF) + U32(50) +
                                              U32(0xFFFFFFFF) + U32(0x80000000) + U32(978307199));
    Seed("progress", "progress_repeated_id", U32(2) + U32(1) + U32(10) + U32(0) + U32(2) + U32(9) + U32(10) + U32(0));
    std::string many;
    for (uint32_t i = 0; i < 101; ++i) many += U32(1 + i % 50) + U32(i) + U32(100) + U32(i * 86400);
    Seed("progress", "progress_101_records", many);
    Seed("progress", "empty", "");

    Seed("language", "language_good", "@lang English\r\n@author Ana\r\n@7 Save\r\n@35 Remove game\r\n");
    Seed("language", "language_odd_ids", "@-1 minus\r\n@4096 too big\r\n@4095 last\r\n@ 12 blank\r\n@+3 plus\r\n@07x\r\n");
    Seed("language", "language_overlong", "@lang Long\r\n@1 " + std::string(1030, 'x') + "\r\n@2 after\r\n");
    Seed("language", "language_no_spaces", "@lang\n@\n@1\nx\n");
    Seed("language", "empty", "");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_corpus <folder>\n";
        return 2;
    }
    Root = argv[1];
    fs::remove_all(Root);
    Bitmaps();
    KeyValues();
    Binaries();
    std::cout << Written << " seed files in " << Root.string() << "\n";
    return 0;
}
