#include "tests/support/kit_support.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>

#include "store/store_paths.h"

static VokText ToKit(const AchievementTextSource& source)
{
    VokText text = {source.id, "", ""};
    source.name.copy(text.name, VOK_NAME_MAX);
    source.description.copy(text.description, VOK_DESCRIPTION_MAX);
    return text;
}

static VokAchievement ToKit(const AchievementRecord& r) { return VokAchievement{r.id, r.points, r.hidden, r.unlocked}; }

static VokSummary ToKit(const GameSummaryRecord& s)
{
    return VokSummary{s.unlockedCount, s.achievementCount, s.pointsEarned, s.pointsPossible, s.favouriteScore};
}

std::string FormatSummary(const GameSummaryRecord& summary)
{
    const VokSummary kit = ToKit(summary);
    unsigned char bytes[VOK_SUMMARY_SIZE];
    VokEncodeSummary(&kit, bytes);
    return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

// `items` one record after another, each as the kit's `encode` writes it in `Size` bytes.
template <size_t Size, class Item, class Kit, class Result>
static std::string EncodeEach(const std::vector<Item>& items, Result (*encode)(const Kit*, unsigned char*))
{
    std::string all;
    for (const Item& item : items) {
        const Kit kit = ToKit(item);
        unsigned char bytes[Size];
        encode(&kit, bytes);
        all.append(reinterpret_cast<char*>(bytes), sizeof bytes);
    }
    return all;
}

std::string FormatAchievementRecords(const std::vector<AchievementRecord>& records) { return EncodeEach<VOK_RECORD_SIZE>(records, VokEncodeRecord); }
std::string EncodeAchievementTexts(const std::vector<AchievementTextSource>& texts) { return EncodeEach<VOK_TEXT_RECORD_SIZE>(texts, VokEncodeText); }

bool WriteSummary(const std::string& gameDir, const GameSummaryRecord& summary)
{
    const VokSummary kit = ToKit(summary);
    return VokWriteSummary(gameDir.c_str(), &kit) == VOK_OK;
}

// Records and texts go through the kit's encoders and safe writer as given, odd ids
// included: the readers' fault cases need them, and the kit's own writers refuse them.
static bool WriteBytes(const std::string& gameDir, const std::string& file, const std::string& bytes)
{
    const std::string path = WithTrailingSlash(gameDir) + file;
    return VokWriteFile(path.c_str(), bytes.data(), bytes.size()) == VOK_OK;
}

bool WriteRecords(const std::string& gameDir, const std::vector<AchievementRecord>& records)
{
    return WriteBytes(gameDir, "vok.dat", FormatAchievementRecords(records));
}

bool WriteTexts(const std::string& gameDir, const std::string& language, const std::vector<AchievementTextSource>& texts)
{
    for (const AchievementTextSource& text : texts)
        if (text.name.size() > VOK_NAME_MAX || text.description.size() > VOK_DESCRIPTION_MAX) return false;
    return WriteBytes(gameDir, "vok.desc." + language, EncodeAchievementTexts(texts));
}

bool WriteTitle(const std::string& gameDir, const std::string& title, const std::string& author)
{ return VokWriteTitle(gameDir.c_str(), title.c_str(), author.c_str()) == VOK_OK; }

bool WriteIcon(const std::string& gameDir, int id, const RgbImage& image)
{
    // the kit copies a game's own bitmap files; this one is drawn for the moment
    const std::string source = (std::filesystem::temp_directory_path() /
                                ("vok-test-icon-" + std::to_string(getpid()) + ".bmp")).string();
    bool ok = WriteBmp24(source, image) && VokCopyIcon(gameDir.c_str(), id, source.c_str()) == VOK_OK;
    std::remove(source.c_str());
    return ok;
}

bool MarkUpdate(const std::string& playerDir) { return VokMarkUpdate(playerDir.c_str()) == VOK_OK; }
