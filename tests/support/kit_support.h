// The tests' hands on the game kit, the one writer of the game files: the program's records in,
// the kit's encoders and crash-safe writers underneath; true when the kit wrote (or held) the file.
#ifndef VOK_TESTS_SUPPORT_KIT_SUPPORT_H
#define VOK_TESTS_SUPPORT_KIT_SUPPORT_H

#include <string>
#include <vector>
#include "store/progress.h"
#include "tools/bitmap_writer.h"
extern "C" {
#include "kit/vok_kit.h"
}

// One achievement text as a game means it; name and description in Latin-1.
struct AchievementTextSource {
    int id = 0;
    std::string name;        // at most 20 bytes
    std::string description; // at most 100 bytes
};

// The bytes the kit puts in the files.
std::string FormatSummary(const GameSummaryRecord& summary);
std::string FormatAchievementRecords(const std::vector<AchievementRecord>& records);
std::string EncodeAchievementTexts(const std::vector<AchievementTextSource>& texts);

// Files of the game folder `gameDir` (trailing "/" or not); records and texts as given, any ids.
bool WriteSummary(const std::string& gameDir, const GameSummaryRecord& summary);
bool WriteRecords(const std::string& gameDir, const std::vector<AchievementRecord>& records);
// "vok.desc." + language; language "default" writes "vok.desc.default".
bool WriteTexts(const std::string& gameDir, const std::string& language, const std::vector<AchievementTextSource>& texts);
bool WriteTitle(const std::string& gameDir, const std::string& title, const std::string& author);
bool WriteIcon(const std::string& gameDir, int id, const RgbImage& image); // id 0: "vok.icon"
bool MarkUpdate(const std::string& playerDir);                              // "update"

#endif
