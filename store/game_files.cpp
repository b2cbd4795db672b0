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
    LoadAchievementIcons(); // first, so no icon of the game shown before outlives it
    std::string path;
    if (!SelectedGamePath("vok.title", &path)) return;
    std::string text;
    if (ReadTextFile(path, &text)) ParseTitle(text);
    std::string bytes;
    SelectedGamePath("vok.dat", &path);
    if (ReadFileBytes(path, &bytes, MaxAchievementRecords * AchievementRecordSize))
        *list = ParseAchievementRecords(bytes);
}

std::string AchievementIconName(int id)
{
    char name[16];
    if (id < 0 || id > 999) {
        std::sprintf(name, "%03d", id);
        return name;
    }
    name[0] = char('0' + id / 100); // by hand: fifty of these each time a game opens
    name[1] = char('0' + id / 10 % 10);
    name[2] = char('0' + id % 10);
    name[3] = '\0';
    return name;
}

// The folder the icons come from, and which of its fifty icons were looked for already: an
// icon is read when the grid first asks for it, so a locked achievement's icon never is.
static std::string IconFolder;
static bool IconLookedFor[IconCount];

void FreeAchievementIcons()
{
    for (int n = 1; n <= IconCount; ++n) {
        FreeSurface(&AchievementIcons[n - 1]);
        IconLookedFor[n - 1] = false;
    }
}

void LoadAchievementIcons()
{
    FreeAchievementIcons();
    if (!SelectedGamePath("", &IconFolder)) IconFolder.clear();
}

SDL_Surface* AchievementIcon(int id)
{
    if (id < 1 || id > IconCount) return 0;
    if (!IconLookedFor[id - 1] && !IconFolder.empty()) {
        AchievementIcons[id - 1] = LoadBitmap(IconFolder + AchievementIconName(id));
        IconLookedFor[id - 1] = true;
    }
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
