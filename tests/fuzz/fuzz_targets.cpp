#include "tests/fuzz/fuzz_targets.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "card/card_progress.h"

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

// vok.progress: 16-byte records, a trailing part ignored, at most 100 read; whatever they hold
// (huge, negative, above the target), a bar shows 0 to its target, the date is a real one,
// and each record encodes back to its own bytes.
void Progress(const std::string& bytes)
{
    const std::vector<CardProgress> records = ParseAchievementProgress(bytes);
    Require(records.size() == std::min(bytes.size() / CARD_PROGRESS_RECORD_SIZE, MaxAchievementRecords));
    for (size_t i = 0; i < records.size(); ++i) {
        const CardProgress& p = records[i];
        const int shown = CardProgressShown(&p);
        Require(shown >= 0 && (p.target <= 0 ? shown == 0 : shown <= p.target));
        Require(p.unlockedAt <= 0xFFFFFFFFUL);
        CardDateTime date;
        CardDateFromSeconds(p.unlockedAt, &date);
        Require(date.year >= 1970 && date.year <= 2106 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
                date.day <= 31 && date.hour < 24 && date.minute < 60 && date.second < 60);
        unsigned char encoded[CARD_PROGRESS_RECORD_SIZE];
        CardEncodeProgress(&p, encoded);
        Require(std::memcmp(encoded, bytes.data() + i * CARD_PROGRESS_RECORD_SIZE, sizeof encoded) == 0);
    }
    AchievementProgress = records;
    if (!records.empty()) { // the last record of an id is the one vok takes
        const CardProgress found = ProgressOf(records.back().id);
        Require(found.current == records.back().current && found.target == records.back().target &&
                found.unlockedAt == records.back().unlockedAt);
    }
    AchievementProgress.clear();
}

} // namespace

const FuzzTarget FuzzTargets[] = {
    {"key_value", KeyValue}, {"summary", Summary}, {"records", Records},
    {"texts", Texts},        {"bitmap", Bitmap},   {"language", Language},
    {"progress", Progress},
};
const int FuzzTargetCount = sizeof FuzzTargets / sizeof FuzzTargets[0];

const FuzzTarget* FindFuzzTarget(const std::string& name)
{
    for (const FuzzTarget& target : FuzzTargets)
        if (name == target.name) return &target;
    return nullptr;
}
