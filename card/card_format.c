/* The card's formats; see card_format.h for the byte layouts. */
#include "card/card_format.h"

#include <string.h>

int CardWrapInt32(unsigned long bits)
{
    bits &= 0xFFFFFFFFUL;
    /* two's complement by hand: converting a large unsigned value to signed is not portable */
    return bits < 0x80000000UL ? (int)bits : -(int)(0xFFFFFFFFUL - bits) - 1;
}

unsigned long CardGetUint32(const unsigned char *bytes)
{
    return (unsigned long)bytes[0] | ((unsigned long)bytes[1] << 8) | ((unsigned long)bytes[2] << 16) |
           ((unsigned long)bytes[3] << 24);
}

int CardGetInt32(const unsigned char *bytes)
{
    return CardWrapInt32(CardGetUint32(bytes));
}

void CardPutInt32(unsigned char *bytes, int value)
{
    unsigned long bits = (unsigned long)value & 0xFFFFFFFFUL;
    bytes[0] = (unsigned char)(bits & 0xFF);
    bytes[1] = (unsigned char)((bits >> 8) & 0xFF);
    bytes[2] = (unsigned char)((bits >> 16) & 0xFF);
    bytes[3] = (unsigned char)((bits >> 24) & 0xFF);
}

int CardInt32At(const unsigned char *bytes, size_t size, size_t offset)
{
    if (offset > size || size - offset < 4) return 0;
    return CardGetInt32(bytes + offset);
}

static int IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

long CardReadDecimal(const char *text, size_t size, long cap)
{
    size_t i = 0;
    int negative = 0;
    long value = 0;
    while (i < size && IsBlank(text[i])) ++i;
    if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > cap) value = cap;
    }
    return negative ? -value : value;
}

void CardDecodeRecord(const unsigned char *bytes, CardRecord *record)
{
    record->id = CardGetInt32(bytes);
    record->points = CardGetInt32(bytes + 4);
    record->hidden = CardGetInt32(bytes + 8);
    record->unlocked = CardGetInt32(bytes + 12);
}

void CardEncodeRecord(const CardRecord *record, unsigned char *bytes)
{
    CardPutInt32(bytes, record->id);
    CardPutInt32(bytes + 4, record->points);
    CardPutInt32(bytes + 8, record->hidden);
    CardPutInt32(bytes + 12, record->unlocked);
}

int CardDecodeRecords(const unsigned char *bytes, size_t size, CardRecord *records, int most)
{
    int count = 0;
    size_t offset;
    for (offset = 0; size - offset >= CARD_RECORD_SIZE && count < most; offset += CARD_RECORD_SIZE)
        CardDecodeRecord(bytes + offset, &records[count++]);
    return count;
}

void CardDecodeSummary(const unsigned char *bytes, size_t size, CardSummary *summary)
{
    summary->unlockedCount = CardInt32At(bytes, size, 0);
    summary->achievementCount = CardInt32At(bytes, size, 4);
    summary->pointsEarned = CardInt32At(bytes, size, 8);
    summary->pointsPossible = CardInt32At(bytes, size, 12);
    summary->favouriteScore = CardInt32At(bytes, size, 16);
}

void CardEncodeSummary(const CardSummary *summary, unsigned char *bytes)
{
    CardPutInt32(bytes, summary->unlockedCount);
    CardPutInt32(bytes + 4, summary->achievementCount);
    CardPutInt32(bytes + 8, summary->pointsEarned);
    CardPutInt32(bytes + 12, summary->pointsPossible);
    CardPutInt32(bytes + 16, summary->favouriteScore);
}

/* a + b as 32-bit two's complement: sums of what a game wrote must not overflow */
static int Add32(int a, int b)
{
    return CardWrapInt32(((unsigned long)a & 0xFFFFFFFFUL) + ((unsigned long)b & 0xFFFFFFFFUL));
}

void CardCountSummary(const CardRecord *records, int count, int favouriteScore, CardSummary *summary)
{
    int i;
    summary->unlockedCount = summary->achievementCount = summary->pointsEarned = summary->pointsPossible = 0;
    summary->favouriteScore = favouriteScore;
    for (i = 0; i < count; ++i) {
        summary->achievementCount += 1;
        summary->pointsPossible = Add32(summary->pointsPossible, records[i].points);
        if (!records[i].unlocked) continue;
        summary->unlockedCount += 1;
        summary->pointsEarned = Add32(summary->pointsEarned, records[i].points);
    }
}

void CardDecodeTotals(const unsigned char *bytes, size_t size, CardTotals *totals)
{
    totals->unlockedCount = CardInt32At(bytes, size, 0);
    totals->achievementCount = CardInt32At(bytes, size, 4);
    totals->pointsEarned = CardInt32At(bytes, size, 8);
    totals->pointsPossible = CardInt32At(bytes, size, 12);
}

void CardEncodeTotals(const CardTotals *totals, unsigned char *bytes)
{
    CardPutInt32(bytes, totals->unlockedCount);
    CardPutInt32(bytes + 4, totals->achievementCount);
    CardPutInt32(bytes + 8, totals->pointsEarned);
    CardPutInt32(bytes + 12, totals->pointsPossible);
}

void CardAddToTotals(CardTotals *totals, const CardSummary *summary)
{
    totals->unlockedCount = Add32(totals->unlockedCount, summary->unlockedCount);
    totals->achievementCount = Add32(totals->achievementCount, summary->achievementCount);
    totals->pointsEarned = Add32(totals->pointsEarned, summary->pointsEarned);
    totals->pointsPossible = Add32(totals->pointsPossible, summary->pointsPossible);
}

/* A text field: its bytes complemented; the last byte is always NUL, so a field without its
   own terminator never runs into the next one. */
static void GetComplemented(const unsigned char *field, size_t size, char *text)
{
    size_t i;
    for (i = 0; i < size; ++i) text[i] = (char)(~field[i] & 0xFFu);
    text[size - 1] = '\0';
}

static void PutComplemented(unsigned char *field, size_t size, const char *text)
{
    size_t length = strlen(text), i;
    for (i = 0; i < size; ++i) field[i] = (unsigned char)(~(i < length ? (unsigned char)text[i] : 0u) & 0xFFu);
}

void CardDecodeText(const unsigned char *bytes, CardText *text)
{
    text->id = CardGetInt32(bytes);
    GetComplemented(bytes + 4, CARD_NAME_MAX + 1, text->name);
    GetComplemented(bytes + 25, CARD_DESCRIPTION_MAX + 1, text->description);
}

int CardEncodeText(const CardText *text, unsigned char *bytes)
{
    if (strlen(text->name) > CARD_NAME_MAX || strlen(text->description) > CARD_DESCRIPTION_MAX) return 0;
    CardPutInt32(bytes, text->id);
    PutComplemented(bytes + 4, CARD_NAME_MAX + 1, text->name);
    PutComplemented(bytes + 25, CARD_DESCRIPTION_MAX + 1, text->description);
    bytes[126] = 0;
    bytes[127] = 0;
    return 1;
}

int CardNextLine(const char *text, size_t size, size_t *position, const char **line, size_t *length)
{
    const char *start = text + *position;
    const char *end;
    if (*position >= size) return 0;
    end = (const char *)memchr(start, '\n', size - *position);
    *length = end ? (size_t)(end - start) : size - *position;
    if (*length > CARD_MAX_LINE) return 0; /* an overlong line and all after it are ignored */
    *line = start;
    *position += *length + 1;
    return 1;
}

int CardSplitKeyValue(const char *line, size_t length, size_t *keyLength, size_t *valueStart, size_t *valueLength)
{
    const char *equals = length > 1 ? (const char *)memchr(line + 1, '=', length - 1) : 0;
    size_t end = length;
    if (!equals) return 0;
    *keyLength = (size_t)(equals - line);
    *valueStart = *keyLength + 1;
    while (end > *valueStart && (unsigned char)line[end - 1] <= 32) --end;
    *valueLength = end - *valueStart;
    return 1;
}

size_t CardFittingValueLength(size_t keyLength, const char *value, size_t valueLength)
{
    size_t room = CARD_MAX_LINE - keyLength - 2; /* "=" and the CR */
    if (valueLength <= room) return valueLength;
    while (room > 0 && (unsigned char)value[room - 1] <= 32) --room;
    return room;
}

static const char *const RankingPrefixes[CARD_RANKING_FAMILIES] = { "fav", "cmp" };

int CardRankingFamily(const char *key, size_t length)
{
    int family;
    /* the prefix and one digit 1 to 5, exactly */
    if (length != 4 || key[3] < '1' || key[3] > '0' + CARD_RANKED) return -1;
    for (family = 0; family < CARD_RANKING_FAMILIES; ++family)
        if (memcmp(key, RankingPrefixes[family], 3) == 0) return family;
    return -1;
}

void CardRankingKey(int family, int rank, char *key)
{
    memcpy(key, RankingPrefixes[family], 3);
    key[3] = (char)('0' + rank);
    key[4] = '\0';
}

const char *const CardProfileKeys[CARD_PROFILE_KEYS] = {
    "lang", "name", "base", "eyes", "browns", "nose", "ears", "mouth", "facial", "hair", "tatoo", "clothes"
};

int CardIconName(int id, char *name)
{
    if (id < 1 || id > CARD_MAX_ID) return 0;
    name[0] = (char)('0' + id / 100); /* by hand: fifty of these each time a game opens */
    name[1] = (char)('0' + id / 10 % 10);
    name[2] = (char)('0' + id % 10);
    name[3] = '\0';
    return 1;
}

static int StartsWith(const char *name, const char *prefix)
{
    return strncmp(name, prefix, strlen(prefix)) == 0;
}

int CardIsPlayerFolder(const char *name)
{
    return StartsWith(name, CARD_PLAYER_PREFIX);
}

int CardIsWorkingName(const char *name)
{
    return StartsWith(name, ".vok-");
}

int CardIsTemporary(const char *name)
{
    return StartsWith(name, CARD_TEMPORARY_PREFIX);
}

int CardIsRemovalRemnant(const char *name)
{
    return strcmp(name, CARD_REMOVAL_REMNANT) == 0;
}

int CardIsGameFolderCandidate(const char *name)
{
    /* "." and ".." would make the player's folder or the whole store look like one game,
       which the game menu could then delete */
    return strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && !CardIsWorkingName(name);
}

int CardIsRankableName(const char *name)
{
    size_t length = strlen(name);
    /* a line feed would split its line and a trailing blank is dropped by the line reader */
    return length > 0 && strchr(name, '\n') == 0 && (unsigned char)name[length - 1] > 32;
}

const char *const CardShippedLanguages[CARD_SHIPPED_LANGUAGES] = {
    "English", "Deutsch", "Fran\xe7" "ais", "Espa\xf1" "ol"
};

/* A Latin-1 letter folded to lower case (ASCII and the accented capitals 0xC0 to 0xDE). */
static unsigned Folded(unsigned c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    return c;
}

/* `name` read as UTF-8 into Latin-1 `out` (at least CARD_LANGUAGE_MAX + 1 bytes); 0 when it is
   not UTF-8 of Latin-1 characters alone. */
static int FromUtf8(const char *name, char *out)
{
    const unsigned char *c = (const unsigned char *)name;
    size_t n = 0;
    while (*c && n < CARD_LANGUAGE_MAX) {
        if (*c < 0x80) {
            out[n++] = (char)*c++;
        } else if ((c[0] == 0xC2 || c[0] == 0xC3) && (c[1] & 0xC0) == 0x80) {
            out[n++] = (char)(((c[0] & 0x1Fu) << 6) | (c[1] & 0x3Fu));
            c += 2;
        } else {
            return 0;
        }
    }
    out[n] = '\0';
    return *c == '\0';
}

int CardSameIgnoringCase(const char *a, const char *b)
{
    while (*a && Folded((unsigned char)*a) == Folded((unsigned char)*b)) ++a, ++b;
    return *a == '\0' && *b == '\0';
}

const char *CardMisspelledLanguage(const char *name)
{
    char latin1[CARD_LANGUAGE_MAX + 1];
    int utf8 = FromUtf8(name, latin1), i;
    for (i = 0; i < CARD_SHIPPED_LANGUAGES; ++i) {
        const char *shipped = CardShippedLanguages[i];
        if (strcmp(name, shipped) == 0) return 0;
        if (CardSameIgnoringCase(name, shipped) || (utf8 && CardSameIgnoringCase(latin1, shipped))) return shipped;
    }
    return 0;
}
