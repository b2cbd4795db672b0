#include "store/player_file.h"

#include <cstring>

#include "localization/language_table.h"
#include "store/store_files.h"
#include "store/store_folder.h"
#include "store/store_paths.h"

// ProfileFile "vok.cfg": twelve lines "key=value\r\n", one table driving reader and writer.
std::string ProfileRecord::* const ProfileFields[CARD_PROFILE_KEYS] = {
    &ProfileRecord::lang, &ProfileRecord::name,   &ProfileRecord::base,   &ProfileRecord::eyes,
    &ProfileRecord::browns, &ProfileRecord::nose, &ProfileRecord::ears,   &ProfileRecord::mouth,
    &ProfileRecord::facial, &ProfileRecord::hair, &ProfileRecord::tatoo,  &ProfileRecord::clothes,
};

// A value clipped so that its whole line stays within the reader's line limit: a longer line
// would end the reading there and lose every field after it at the next load.
static std::string FittingValue(const char* key, const std::string& value)
{
    return value.substr(0, CardFittingValueLength(std::strlen(key), value.data(), value.size()));
}

std::string FormatProfileFile(const ProfileRecord& record)
{
    std::string text;
    for (int i = 0; i < CARD_PROFILE_KEYS; ++i)
        text += std::string(CardProfileKeys[i]) + "=" + FittingValue(CardProfileKeys[i], record.*ProfileFields[i]) + "\r\n";
    return text;
}

// Keys match exactly; a later line wins; other keys and fields without a line are left alone.
void ParseProfileFile(const std::string& text, ProfileRecord* record)
{
    std::vector<KeyValueLine> lines = ParseKeyValueLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        for (int k = 0; k < CARD_PROFILE_KEYS; ++k) {
            if (lines[i].key != CardProfileKeys[k]) continue;
            record->*ProfileFields[k] = lines[i].value;
            if (ProfileFields[k] == &ProfileRecord::lang) record->languageIndex = LanguageTable.FindLanguage(lines[i].value);
        }
    }
}

bool LoadProfileFile(ProfileRecord* record)
{
    if (!record) return false;
    std::string text;
    if (!ReadTextFile(ProfilePath(*record, CARD_PROFILE_FILE), &text)) return false;
    ParseProfileFile(text, record);
    return true;
}

bool WriteProfileFile(const ProfileRecord& record)
{
    return WriteStoreFile(record.folder, CARD_PROFILE_FILE, FormatProfileFile(record));
}
