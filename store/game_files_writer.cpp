#include "store/game_files_writer.h"

#include "store/progress_writer.h"
#include "store/store_files.h"
#include "store/store_paths.h"

static std::string Join(const std::string& dir, const std::string& file) { return WithTrailingSlash(dir) + file; }

std::string FormatTitleFile(const std::string& title, const std::string& author)
{
    std::string text = "title=" + title + "\r\n";
    if (!author.empty()) text += "author=" + author + "\r\n";
    return text;
}

// Copies `text` complemented into a field of `size` bytes, leaving at least one NUL (~0xFF).
static void PutComplemented(std::string* record, size_t offset, size_t size, const std::string& text)
{
    for (size_t i = 0; i < size; ++i) {
        unsigned char byte = i + 1 < size && i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        (*record)[offset + i] = char(~byte & 0xFF);
    }
}

std::string EncodeAchievementTexts(const std::vector<AchievementTextSource>& texts)
{
    std::string bytes;
    for (const AchievementTextSource& t : texts) {
        std::string record;
        AppendInt32(&record, t.id);
        record.resize(128, '\0');
        PutComplemented(&record, 4, 21, t.name);
        PutComplemented(&record, 25, 101, t.description);
        bytes += record;
    }
    return bytes;
}

bool WriteTitleFile(const std::string& gameDir, const std::string& title, const std::string& author)
{
    return WriteGameFile(Join(gameDir, "vok.title"), FormatTitleFile(title, author));
}

bool WriteTextLanguageFile(const std::string& gameDir, const std::string& language)
{
    return WriteGameFile(Join(gameDir, "vok.lang"), language); // no line end: the reader takes the first line as it stands
}

bool WriteAchievementTexts(const std::string& gameDir, const std::string& language,
                           const std::vector<AchievementTextSource>& texts)
{
    return WriteGameFile(Join(gameDir, "vok.desc." + language), EncodeAchievementTexts(texts));
}

bool WriteAchievementIcon(const std::string& gameDir, int id, const RgbImage& image)
{
    return WriteBmp24(Join(gameDir, AchievementIconName(id)), image);
}

bool WriteGameIcon(const std::string& gameDir, const RgbImage& image)
{
    return WriteBmp24(Join(gameDir, "vok.icon"), image);
}
