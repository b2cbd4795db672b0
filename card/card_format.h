/* The card's files, in one place for vok, the game kit and vok-card: their names and limits,
   the byte codecs of every format, the line reader of the key "=" value files and the rules
   for the names of players, games, languages and vok's own working files.
   Plain C89 that also compiles as C++98; nothing here touches a disk. */
#ifndef VOK_CARD_FORMAT_H
#define VOK_CARD_FORMAT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- limits ---- */
#define CARD_MAX_ID 50             /* achievement ids are 1 to 50, one grid cell each */
#define CARD_MAX_RECORDS 100       /* records read of vok.dat and of a text file */
#define CARD_RECORD_SIZE 16        /* one record of vok.dat */
#define CARD_SUMMARY_SIZE 20       /* vok.summary */
#define CARD_TOTALS_SIZE 16        /* vok.erience */
#define CARD_TEXT_RECORD_SIZE 128  /* one record of vok.desc.<language> */
#define CARD_NAME_MAX 20           /* bytes of an achievement's name */
#define CARD_DESCRIPTION_MAX 100   /* bytes of an achievement's description */
#define CARD_TITLE_MAX 255         /* bytes of a game's title or author */
#define CARD_LANGUAGE_MAX 63       /* bytes of a language name */
#define CARD_FOLDER_NAME_MAX 255   /* bytes of a player's or a game's folder name */
#define CARD_TEXT_FILE_LIMIT 65536 /* bytes of a text file read; the lines past it are never needed */
#define CARD_MAX_LINE 1023         /* a longer line ends the reading of a text file */
#define CARD_RANKED 5              /* entries of each ranking written and given icons */
#define CARD_ICON_SIDE 24          /* widest and tallest icon (001 to 050, vok.icon) vok draws whole */

/* ---- file names ---- */
#define CARD_RECORDS_FILE "vok.dat"
#define CARD_SUMMARY_FILE "vok.summary"
#define CARD_TITLE_FILE "vok.title"
#define CARD_TEXT_LANGUAGE_FILE "vok.lang"
#define CARD_TEXTS_PREFIX "vok.desc." /* followed by the language name */
#define CARD_DEFAULT_LANGUAGE "default"
#define CARD_GAME_ICON_FILE "vok.icon"
#define CARD_TOTALS_FILE "vok.erience"
#define CARD_RANKING_FILE "vok.ranking"
#define CARD_PROFILE_FILE "vok.cfg"
#define CARD_UPDATE_MARKER "update"
#define CARD_ACTIVE_PLAYER_FILE "activevok"
#define CARD_PLAYER_PREFIX "vok_"
#define CARD_TITLE_KEY "title"
#define CARD_AUTHOR_KEY "author"
/* vok's own working names; each starts with ".vok-", so no player, game or text file has one */
#define CARD_TEMPORARY_PREFIX ".vok-tmp." /* a file being written, until its rename */
#define CARD_REMOVAL_REMNANT ".vok-gone"  /* a folder being removed */
#define CARD_JOURNAL_FILE ".vok-journal"  /* a game's commit between its commit point and its end */
#define CARD_LOCK_FILE ".vok-lock"        /* held by whoever commits to a game folder */

/* vok.dat: 16-byte records, no header, little-endian signed 32-bit
     0 id, 4 points, 8 hidden (non-zero: masked while locked), 12 unlocked (non-zero: earned).
   A trailing part under 16 bytes is ignored; at most CARD_MAX_RECORDS records are read. */
typedef struct CardRecord {
    int id;
    int points;
    int hidden;
    int unlocked;
} CardRecord;

/* vok.summary: 20 bytes, the five values in this order; a short file reads the rest as 0. */
typedef struct CardSummary {
    int unlockedCount;
    int achievementCount;
    int pointsEarned;
    int pointsPossible;
    int favouriteScore;
} CardSummary;

/* vok.erience: the player's four totals, 16 bytes in this order; missing values read as 0. */
typedef struct CardTotals {
    int unlockedCount;
    int achievementCount;
    int pointsEarned;
    int pointsPossible;
} CardTotals;

/* vok.desc.<language>: 128-byte records, no header
     0 id (signed 32-bit), 4 name (21 bytes), 25 description (101 bytes), 126 two zero bytes;
   every byte of both text fields complemented, the text NUL-padded before it is. */
typedef struct CardText {
    int id;
    char name[CARD_NAME_MAX + 1];               /* always NUL-terminated once decoded */
    char description[CARD_DESCRIPTION_MAX + 1]; /* always NUL-terminated once decoded */
} CardText;

/* ---- numbers ---- */
int CardGetInt32(const unsigned char *bytes);            /* little-endian, two's complement */
void CardPutInt32(unsigned char *bytes, int value);
unsigned long CardGetUint32(const unsigned char *bytes);
/* The value at `offset` of `size` bytes; 0 when those four bytes run past the end. */
int CardInt32At(const unsigned char *bytes, size_t size, size_t offset);
/* The 32 bits of `bits` as two's complement, without the undefined conversion. */
int CardWrapInt32(unsigned long bits);

/* The one number parser: `size` bytes of `text` read as strtol does in base 10 (leading blanks,
   a sign, digits up to the first other byte; no digits is 0), the magnitude held at `cap`
   so that a long run of digits cannot overflow. */
long CardReadDecimal(const char *text, size_t size, long cap);

/* ---- binary files ---- */
void CardDecodeRecord(const unsigned char *bytes, CardRecord *record);
void CardEncodeRecord(const CardRecord *record, unsigned char *bytes);
/* The records of `size` bytes of vok.dat (at most `most`); the count read. */
int CardDecodeRecords(const unsigned char *bytes, size_t size, CardRecord *records, int most);
void CardDecodeSummary(const unsigned char *bytes, size_t size, CardSummary *summary);
void CardEncodeSummary(const CardSummary *summary, unsigned char *bytes);
/* The summary vok.dat's records give: counts and points of the records, sums wrapping as
   32-bit two's complement, so that huge points cannot overflow. */
void CardCountSummary(const CardRecord *records, int count, int favouriteScore, CardSummary *summary);
void CardDecodeTotals(const unsigned char *bytes, size_t size, CardTotals *totals);
void CardEncodeTotals(const CardTotals *totals, unsigned char *bytes);
/* Adds a summary's first four values into `totals`, wrapping as above. */
void CardAddToTotals(CardTotals *totals, const CardSummary *summary);
void CardDecodeText(const unsigned char *bytes, CardText *text);
/* 0 (nothing written) when the name or the description is longer than its field allows. */
int CardEncodeText(const CardText *text, unsigned char *bytes);

/* ---- text files ---- */
/* The line at `*position` of `size` bytes: its start and its length without the "\n".
   0 at the end, and at a line over CARD_MAX_LINE bytes, which ends the reading there. */
int CardNextLine(const char *text, size_t size, size_t *position, const char **line, size_t *length);
/* A line split at its first "=" from the second byte on: the key's length, and the value's
   start and length without its trailing bytes of code 32 or less. 0: no such "=". */
int CardSplitKeyValue(const char *line, size_t length, size_t *keyLength, size_t *valueStart, size_t *valueLength);
/* How much of a value fits on a key "=" value line of `keyLength` with its CR: a longer line
   would end the reading there. Blanks a cut leaves at the end go too, as the reader drops them. */
size_t CardFittingValueLength(size_t keyLength, const char *value, size_t valueLength);

/* vok.ranking: "fav1=<game folder>" up to "fav5=..." then "cmp1=..." up to "cmp5=...", each
   ended by CR LF. The family of a key (0 favourites, 1 completed), -1 for any other key. */
#define CARD_RANKING_FAMILIES 2
int CardRankingFamily(const char *key, size_t length);
/* "fav1" ... "cmp5": `rank` is 1 to CARD_RANKED; `key` holds at least 5 bytes. */
void CardRankingKey(int family, int rank, char *key);

/* vok.cfg: twelve lines "key=value\r\n" in this order. */
#define CARD_PROFILE_KEYS 12
extern const char *const CardProfileKeys[CARD_PROFILE_KEYS]; /* "lang", "name", then the ten avatar parts */

/* ---- names ---- */
/* "001" to "050" for ids 1 to 50 into `name` (at least 4 bytes); 0 for any other id. */
int CardIconName(int id, char *name);
int CardIsPlayerFolder(const char *name);      /* begins with "vok_", case-sensitive */
int CardIsWorkingName(const char *name);       /* one of vok's own working names (".vok-...") */
int CardIsTemporary(const char *name);         /* the name of a file being written */
int CardIsRemovalRemnant(const char *name);    /* the name of a folder being removed */
/* Not ".", "..", nor a working name: an entry of a player's folder that may be a game. */
int CardIsGameFolderCandidate(const char *name);
/* A game folder name that reads back the same from a vok.ranking line: none ending in a byte
   of code 32 or less, none holding a line feed. Other games count but are never ranked. */
int CardIsRankableName(const char *name);

/* 1 when two Latin-1 texts differ at most by the case of their letters. */
int CardSameIgnoringCase(const char *a, const char *b);

/* The user-interface languages vok ships, as their language files name them (Latin-1). */
#define CARD_SHIPPED_LANGUAGES 4
extern const char *const CardShippedLanguages[CARD_SHIPPED_LANGUAGES];
/* The shipped language that `name` differs from only by letter case or by being written in
   UTF-8 instead of Latin-1 (vok would never pick its texts); null when there is none. */
const char *CardMisspelledLanguage(const char *name);

#ifdef __cplusplus
}
#endif

#endif
