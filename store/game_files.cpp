#include "store/game_files.h"

#include <cstdio>

#include "graphics/media.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "store/store_paths.h"

std::string GameTitle;
std::string GameAuthor;
std::vector<AchievementRecord> Achievements;
std::vector<AchievementText> AchievementTexts;

static const int IconCount = 50;

// Path of `file` in the selected game folder; false when no game is selected.
static bool SelectedGamePath(const std::string& file, std::string* path)
{
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game) return false;
    *path = GamePath(*profile, *game, file);
    return true;
}

// "vok.title": key=value lines; only "title" and "author" count, a later line wins, and a
// key the file lacks keeps the previous game's value.
void ParseTitle(const std::string& text)
{
    std::vector<KeyValueLine> lines = ParseKeyValueLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].key == "title") GameTitle = lines[i].value;
        else if (lines[i].key == "author") GameAuthor = lines[i].value;
    }
}

void LoadGameInfo(std::vector<AchievementRecord>* list)
{
    if (!list) return;
    list->clear();
    std::string path;
    if (!SelectedGamePath("vok.title", &path)) return;
    std::string text;
    if (ReadTextFile(path, &text)) ParseTitle(text);
    std::string bytes;
    SelectedGamePath("vok.dat", &path);
    if (ReadFileBytes(path, &bytes, MaxAchievementRecords * AchievementRecordSize))
        *list = ParseAchievementRecords(bytes);
    LoadAchievementIcons();
}

std::string AchievementIconName(int id)
{
    char name[16];
    std::sprintf(name, "%03d", id);
    return name;
}

void LoadAchievementIcons()
{
    std::string path;
    if (!SelectedGamePath("", &path)) return;
    for (int n = 1; n <= IconCount; ++n) {
        FreeSurface(&AchievementIcons[n - 1]);
        SelectedGamePath(AchievementIconName(n), &path);
        AchievementIcons[n - 1] = LoadBitmap(path);
    }
}

SDL_Surface* AchievementIcon(int id)
{
    if (id < 1 || id > IconCount) return 0;
    return AchievementIcons[id - 1];
}

// Copies a complemented field of `size` bytes back to text; the last byte is always NUL so
// a field without its own terminator never runs into the next one.
static void Uncomplement(const std::string& bytes, size_t offset, char* field, size_t size)
{
    for (size_t i = 0; i < size; ++i) field[i] = char(~static_cast<unsigned char>(bytes[offset + i]));
    field[size - 1] = '\0';
}

// Achievement text file: 128-byte records, no header; a trailing partial record is ignored.
//   offset 0   4 bytes  id, signed little-endian
//   offset 4   21 bytes name, every byte complemented
//   offset 25  101 bytes description, every byte complemented
//   offset 126 2 bytes  unused
std::vector<AchievementText> ParseAchievementTexts(const std::string& bytes)
{
    std::vector<AchievementText> texts;
    for (size_t offset = 0; bytes.size() - offset >= AchievementTextSize; offset += AchievementTextSize) {
        AchievementText text;
        text.id = Int32At(bytes, offset);
        Uncomplement(bytes, offset + 4, text.name, sizeof text.name);
        Uncomplement(bytes, offset + 25, text.description, sizeof text.description);
        texts.push_back(text);
    }
    return texts;
}

int LoadAchievementTexts()
{
    AchievementTexts.clear();
    const ProfileRecord* profile = CurrentProfile();
    std::string candidates[3];
    if (!SelectedGamePath("vok.desc." + (profile ? profile->lang : std::string()), &candidates[0]))
        return 0;
    SelectedGamePath("vok.desc.default", &candidates[1]);
    SelectedGamePath("vok.desc." + ReadTextLanguage(), &candidates[2]);
    for (int i = 0; i < 3; ++i) {
        std::string bytes;
        if (!ReadFileBytes(candidates[i], &bytes, MaxAchievementRecords * AchievementTextSize)) continue; // as if missing
        AchievementTexts = ParseAchievementTexts(bytes);
        return 1;
    }
    return 0;
}

// "vok.lang": the first line names the language of the game's own texts. The line end
// is not part of the name; nothing else is trimmed.
std::string ReadTextLanguage()
{
    std::string path;
    std::string language;
    if (SelectedGamePath("vok.lang", &path)) ReadFirstLine(path, &language);
    return language;
}
