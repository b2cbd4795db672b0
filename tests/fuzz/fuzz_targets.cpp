#include "tests/fuzz/fuzz_targets.h"

#include <cstdlib>
#include <cstring>

#include "graphics/media.h"
#include "localization/language_table.h"
#include "profile/profile_file.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/store_files.h"

namespace {

void Require(bool holds)
{
    if (!holds) std::abort(); // a broken property is a finding, like a crash
}

bool LinesFit(const std::string& text)
{
    size_t start = 0;
    for (size_t feed; (feed = text.find('\n', start)) != std::string::npos; start = feed + 1)
        if (feed - start > MaxLineLength) return false;
    return text.size() - start <= MaxLineLength;
}

// Key "=" value lines of every store text file: vok.cfg, vok.ranking and vok.title. A saved
// profile reads back as written (save then load is the identity once the values fit), no
// line it writes is over the reader's limit, and a ranking's text reads back to itself.
void KeyValue(const std::string& bytes)
{
    for (const KeyValueLine& line : ParseKeyValueLines(bytes))
        Require(!line.key.empty() && line.key.size() + line.value.size() < MaxLineLength);
    ProfileRecord record;
    ParseProfileFile(bytes, &record);
    const std::string saved = FormatProfileFile(record);
    Require(LinesFit(saved));
    ProfileRecord reloaded;
    ParseProfileFile(saved, &reloaded);
    Require(FormatProfileFile(reloaded) == saved);

    ParseRanking(bytes);
    const std::string ranking = FormatRanking();
    ParseRanking(ranking); // vok writes game folder names, far shorter than a line can be
    Require(FormatRanking() == ranking || !LinesFit(ranking));
    ParseTitle(bytes);
}

// vok.summary and vok.erience: fixed little-endian values, short files read as zeros.
void Summary(const std::string& bytes)
{
    GameSummaryRecord summary = ParseSummary(bytes);
    ProfileRecord record;
    ParseTotals(bytes, &record);
    Require(bytes.size() >= 16 || record.pointsPossible == 0);
    Require(bytes.size() >= 20 || summary.favouriteScore == 0);
}

// vok.dat: 16-byte records, a trailing part ignored.
void Records(const std::string& bytes)
{
    Require(ParseAchievementRecords(bytes).size() == bytes.size() / AchievementRecordSize);
}

// vok.desc.*: 128-byte records whose text fields always end inside the field.
void Texts(const std::string& bytes)
{
    for (const AchievementText& text : ParseAchievementTexts(bytes))
        Require(std::memchr(text.name, 0, sizeof text.name) && std::memchr(text.description, 0, sizeof text.description));
}

// Every bitmap vok loads: the header check, then SDL's decoder and the conversion, only for
// bytes the check accepts.
void Bitmap(const std::string& bytes)
{
    SDL_Surface* surface = DecodeBitmap(bytes);
    Require(!surface || IsValidBitmap(bytes));
    FreeSurface(&surface);
}

// Language files: "@id text" lines and the "@lang" name.
void Language(const std::string& bytes)
{
    Require(ParseLanguageTexts(bytes).size() <= size_t(MaxTextId) + 1);
    LanguageKeyValue(bytes, "lang");
}

} // namespace

const FuzzTarget FuzzTargets[] = {
    {"key_value", KeyValue}, {"summary", Summary}, {"records", Records},
    {"texts", Texts},        {"bitmap", Bitmap},   {"language", Language},
};
const int FuzzTargetCount = sizeof FuzzTargets / sizeof FuzzTargets[0];

const FuzzTarget* FindFuzzTarget(const std::string& name)
{
    for (const FuzzTarget& target : FuzzTargets)
        if (name == target.name) return &target;
    return nullptr;
}
