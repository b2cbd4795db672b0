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
std::vector<CardProgress> AchievementProgress;

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
        if (lines[i].key == CARD_TITLE_KEY) GameTitle = lines[i].value;
        else if (lines[i].key == CARD_AUTHOR_KEY) GameAuthor = lines[i].value;
    }
}

void LoadGameInfo(std::vector<AchievementRecord>* list)
{
    if (!list) return;
    list->clear();
    AchievementProgress.clear();
    LoadAchievementIcons(); // first, so no icon of the game shown before outlives it
    std::string path;
    if (!SelectedGamePath(CARD_TITLE_FILE, &path)) return;
    std::string text;
    if (ReadTextFile(path, &text)) ParseTitle(text);
    std::string bytes;
    SelectedGamePath(CARD_RECORDS_FILE, &path);
    if (ReadFileBytes(path, &bytes, MaxAchievementRecords * AchievementRecordSize))
        *list = ParseAchievementRecords(bytes);
    // optional: a card without it shows exactly what it always did
    SelectedGamePath(CARD_PROGRESS_FILE, &path);
    if (ReadFileBytes(path, &bytes, MaxAchievementRecords * CARD_PROGRESS_RECORD_SIZE))
        AchievementProgress = ParseAchievementProgress(bytes);
}

std::vector<CardProgress> ParseAchievementProgress(const std::string& bytes)
{
    std::vector<CardProgress> records(MaxAchievementRecords);
    const int count = CardDecodeProgressRecords(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                                &records[0], static_cast<int>(MaxAchievementRecords));
    records.resize(static_cast<size_t>(count));
    return records;
}

CardProgress ProgressOf(int id)
{
    CardProgress found;
    CardFindProgress(AchievementProgress.empty() ? 0 : &AchievementProgress[0], static_cast<int>(AchievementProgress.size()), id, &found);
    return found;
}

std::string AchievementIconName(int id)
{
    char name[16];
    if (!CardIconName(id, name)) std::sprintf(name, "%03d", id);
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

std::vector<AchievementText> ParseAchievementTexts(const std::string& bytes)
{
    std::vector<AchievementText> texts(bytes.size() / AchievementTextSize);
    for (size_t i = 0; i < texts.size(); ++i)
        CardDecodeText(reinterpret_cast<const unsigned char*>(bytes.data()) + i * AchievementTextSize, &texts[i]);
    return texts;
}

int LoadAchievementTexts()
{
    AchievementTexts.clear();
    const ProfileRecord* profile = CurrentProfile();
    std::string candidates[3];
    if (!SelectedGamePath(CARD_TEXTS_PREFIX + (profile ? profile->lang : std::string()), &candidates[0]))
        return 0;
    SelectedGamePath(CARD_TEXTS_PREFIX CARD_DEFAULT_LANGUAGE, &candidates[1]);
    SelectedGamePath(CARD_TEXTS_PREFIX + ReadTextLanguage(), &candidates[2]);
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
    if (SelectedGamePath(CARD_TEXT_LANGUAGE_FILE, &path)) ReadFirstLine(path, &language);
    return language;
}
