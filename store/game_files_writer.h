// Writers of the files a game puts into its game folder besides the progress files: the
// title file, the text language file, the achievement text files (complemented 128-byte
// records) and the bitmaps. For tests and tools only; the program only reads these files.
#ifndef VOK_STORE_GAME_FILES_WRITER_H
#define VOK_STORE_GAME_FILES_WRITER_H

#include <string>
#include <vector>
#include "store/game_files.h"
#include "tools/bitmap_writer.h"

// One achievement text as a game means it; name and description in Latin-1.
struct AchievementTextSource {
    int id = 0;
    std::string name;        // at most 20 bytes survive (the field keeps a NUL)
    std::string description; // at most 100 bytes survive
};

// "title=<title>\r\nauthor=<author>\r\n"; an empty author writes no author line.
std::string FormatTitleFile(const std::string& title, const std::string& author);
// The bytes of an achievement text file: one 128-byte record per entry, text complemented.
std::string EncodeAchievementTexts(const std::vector<AchievementTextSource>& texts);

// The file writers take the game folder's path (with or without a trailing "/").
bool WriteTitleFile(const std::string& gameDir, const std::string& title, const std::string& author);
bool WriteTextLanguageFile(const std::string& gameDir, const std::string& language); // "vok.lang"
// "vok.desc." + language; language "default" writes "vok.desc.default".
bool WriteAchievementTexts(const std::string& gameDir, const std::string& language,
                           const std::vector<AchievementTextSource>& texts);
bool WriteAchievementIcon(const std::string& gameDir, int id, const RgbImage& image);
bool WriteGameIcon(const std::string& gameDir, const RgbImage& image); // "vok.icon"

#endif
