/* The vok game kit; see vok_kit.h for the interface and README.md for the card's files. Every
   file format and card rule comes from the card library (card/), shared with vok itself. */
#ifndef _XOPEN_SOURCE
#define _XOPEN_SOURCE 700 /* fsync, opendir and friends under -std=c89 */
#endif

#include "vok_kit.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include "card/card_bitmap.h"
#include "card/card_commit.h"
#include "card/card_files.h"
#include "card/card_format.h"
#include "card/card_progress.h"

#define MESSAGE_SIZE (2 * VOK_PATH_MAX + 200)
#define MAX_FILE_BYTES (4UL * 1024 * 1024) /* no file a game writes comes near this */

/* What this handle changed since it was opened or last committed: a commit merges exactly
   these into what the card holds by then. */
#define CHANGED_DESCRIPTION 1
#define CHANGED_UNLOCK 2
#define CHANGED_PROGRESS 4
#define CHANGED_RELOCK 8 /* locked again here: the handle's state of it replaces the card's */

/* The kit's public limits are the card library's: a game's header stands alone, so they are
   written twice, and the compiler holds them equal. */
typedef char VokLimitsAreTheCards[(VOK_MAX_ID == CARD_MAX_ID && VOK_NAME_MAX == CARD_NAME_MAX &&
                                   VOK_DESCRIPTION_MAX == CARD_DESCRIPTION_MAX && VOK_TITLE_MAX == CARD_TITLE_MAX &&
                                   VOK_LANGUAGE_MAX == CARD_LANGUAGE_MAX && VOK_ICON_SIDE == CARD_ICON_SIDE &&
                                   VOK_RECORD_SIZE == CARD_RECORD_SIZE && VOK_SUMMARY_SIZE == CARD_SUMMARY_SIZE &&
                                   VOK_TEXT_RECORD_SIZE == CARD_TEXT_RECORD_SIZE) ? 1 : -1];

struct VokGame {
    char folder[VOK_PATH_MAX]; /* game folder path, ending in "/" */
    char player[VOK_PATH_MAX]; /* player folder path, ending in "/" */
    int count;                 /* described achievements, in display order */
    VokAchievement records[VOK_MAX_ID];
    int recordChanges[VOK_MAX_ID]; /* CHANGED_ bits of records[i] */
    CardProgress progress[VOK_MAX_ID]; /* of records[i]: its vok.progress record */
    int favourite;
    char title[VOK_TITLE_MAX + 1];
    char author[VOK_TITLE_MAX + 1];
    char textLanguage[VOK_LANGUAGE_MAX + 1];
    int titleChanged, textLanguageChanged, favouriteChanged;
    int languageCount;
    char languages[VOK_MAX_LANGUAGES][VOK_LANGUAGE_MAX + 1];
    VokText texts[VOK_MAX_LANGUAGES][VOK_MAX_ID]; /* slot id - 1; id 0 while unset */
    char textChanged[VOK_MAX_LANGUAGES][VOK_MAX_ID];
    char icons[VOK_MAX_ID + 1][VOK_PATH_MAX]; /* bitmaps to copy, slot 0 for vok.icon; "" none */
};

static char Message[MESSAGE_SIZE] = "no error";

const char *VokErrorMessage(void)
{
    return Message;
}

/* Sets the message from up to three pieces and returns `code`. */
static int Fail(int code, const char *a, const char *b, const char *c)
{
    Message[0] = '\0';
    strncat(Message, a, MESSAGE_SIZE - 1);
    strncat(Message, b ? b : "", MESSAGE_SIZE - 1 - strlen(Message));
    strncat(Message, c ? c : "", MESSAGE_SIZE - 1 - strlen(Message));
    return code;
}

/* VOK_WRITE_FAILED naming the path and the system's reason. */
static int FailWrite(const char *what, const char *path, int error)
{
    char reason[160];
    sprintf(reason, ": %.150s", strerror(error));
    Message[0] = '\0';
    strncat(Message, what, MESSAGE_SIZE - 1);
    strncat(Message, path, MESSAGE_SIZE - 1 - strlen(Message));
    strncat(Message, reason, MESSAGE_SIZE - 1 - strlen(Message));
    return VOK_WRITE_FAILED;
}

static const char *Number(int value)
{
    static char text[16];
    sprintf(text, "%d", value);
    return text;
}

/* out = a + b + c; false (with the message set) when it would not fit. */
static int Join(char *out, const char *a, const char *b, const char *c)
{
    if (CardJoin(out, a, b, c)) return 1;
    Fail(VOK_TOO_LONG, "path too long: ", a, b);
    return 0;
}

/* A folder path with the "/" the kit's paths are joined with. */
static int FolderPath(char *out, const char *a, const char *b)
{
    const char *tail = b ? b : "";
    const char *last = *tail ? tail : a;
    size_t length = strlen(last);
    return Join(out, a, tail, length > 0 && last[length - 1] == '/' ? "" : "/");
}

static int IsFolder(const char *path)
{
    struct stat status;
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

/* ---- bytes: the card library's codecs, in the kit's own types ---- */

static CardRecord ToCard(const VokAchievement *a)
{
    CardRecord r;
    r.id = a->id;
    r.points = a->points;
    r.hidden = a->hidden;
    r.unlocked = a->unlocked;
    return r;
}

void VokEncodeRecord(const VokAchievement *record, unsigned char bytes[VOK_RECORD_SIZE])
{
    CardRecord r = ToCard(record);
    CardEncodeRecord(&r, bytes);
}

void VokDecodeRecord(const unsigned char bytes[VOK_RECORD_SIZE], VokAchievement *record)
{
    CardRecord r;
    CardDecodeRecord(bytes, &r);
    record->id = r.id;
    record->points = r.points;
    record->hidden = r.hidden;
    record->unlocked = r.unlocked;
}

void VokEncodeSummary(const VokSummary *summary, unsigned char bytes[VOK_SUMMARY_SIZE])
{
    CardSummary s;
    s.unlockedCount = summary->unlockedCount;
    s.achievementCount = summary->achievementCount;
    s.pointsEarned = summary->pointsEarned;
    s.pointsPossible = summary->pointsPossible;
    s.favouriteScore = summary->favouriteScore;
    CardEncodeSummary(&s, bytes);
}

int VokEncodeText(const VokText *text, unsigned char bytes[VOK_TEXT_RECORD_SIZE])
{
    CardText t;
    if (strlen(text->name) > VOK_NAME_MAX) return Fail(VOK_TOO_LONG, "name longer than 20 bytes: ", text->name, 0);
    if (strlen(text->description) > VOK_DESCRIPTION_MAX)
        return Fail(VOK_TOO_LONG, "description longer than 100 bytes: ", text->description, 0);
    t.id = text->id;
    strcpy(t.name, text->name);
    strcpy(t.description, text->description);
    CardEncodeText(&t, bytes);
    return VOK_OK;
}

void VokDecodeText(const unsigned char bytes[VOK_TEXT_RECORD_SIZE], VokText *text)
{
    CardText t;
    CardDecodeText(bytes, &t);
    text->id = t.id;
    strcpy(text->name, t.name);
    strcpy(text->description, t.description);
}

/* ---- files ---- */

/* The whole file in a new buffer (caller frees); VOK_READ_FAILED, or VOK_NO_STORE when missing. */
static int ReadWhole(const char *path, unsigned char **bytes, size_t *size)
{
    struct stat status;
    if (CardReadFile(path, MAX_FILE_BYTES, bytes, size)) return VOK_OK;
    if (stat(path, &status) != 0 && errno == ENOENT) return Fail(VOK_NO_STORE, "cannot open ", path, 0);
    return Fail(VOK_READ_FAILED, "cannot read ", path, " (not a regular file, unreadable, or no memory)");
}

/* 1 when `path` holds exactly `size` bytes `bytes`. */
static int SameContent(const char *path, const void *bytes, size_t size)
{
    unsigned char *old = 0;
    size_t oldSize = 0;
    int same;
    if (!CardReadFile(path, size + 1, &old, &oldSize)) return 0;
    same = oldSize == size && (size == 0 || memcmp(old, bytes, size) == 0);
    free(old);
    return same;
}

int VokWriteFile(const char *path, const void *bytes, size_t size)
{
    const char *slash = path ? strrchr(path, '/') : 0;
    int failure;
    if (!path || !*(slash ? slash + 1 : path) || (!bytes && size > 0)) return Fail(VOK_BAD_ARGUMENT, "no file name to write", 0, 0);
    if (strlen(path) + 40 >= VOK_PATH_MAX) return Fail(VOK_TOO_LONG, "path too long: ", path, 0);
    failure = CardWriteFile(path, bytes, size);
    return failure ? FailWrite("cannot write ", path, failure) : VOK_OK;
}

/* Writes `bytes` as `file` of `folder` unless it holds them already (which keeps vok.dat's
   date, the completion date of vok's ranking, and spares the card). */
static int WriteGameFile(const char *folder, const char *file, const void *bytes, size_t size)
{
    char path[VOK_PATH_MAX], base[VOK_PATH_MAX];
    if (!folder) return Fail(VOK_BAD_ARGUMENT, "no game folder", 0, 0);
    if (!FolderPath(base, folder, 0) || !Join(path, base, file, "")) return VOK_TOO_LONG;
    if (!IsFolder(base)) return Fail(VOK_NO_STORE, "no game folder ", base, 0);
    if (SameContent(path, bytes, size)) return VOK_OK;
    return VokWriteFile(path, bytes, size);
}

/* ---- checks ---- */

static int CheckId(int id)
{
    if (id < 1 || id > VOK_MAX_ID) return Fail(VOK_BAD_ID, "achievement id ", Number(id), " is outside 1 to 50");
    return VOK_OK;
}

/* A text vok draws or reads as a line: no line end, tab or other control byte. */
static int CheckPrintable(const char *what, const char *text)
{
    const char *c;
    for (c = text; *c; ++c)
        if ((unsigned char)*c < 32 || (unsigned char)*c == 127)
            return Fail(VOK_BAD_ARGUMENT, what, " holds a line end or control byte: ", text);
    return VOK_OK;
}

/* A text that becomes a file name: not empty, no "/", no control bytes, none of vok's own. */
static int CheckName(const char *what, const char *text, size_t limit)
{
    if (!text || !*text) return Fail(VOK_BAD_ARGUMENT, what, " is empty", 0);
    if (strlen(text) > limit) return Fail(VOK_TOO_LONG, what, " is too long: ", text);
    if (strchr(text, '/')) return Fail(VOK_BAD_ARGUMENT, what, " holds a \"/\": ", text);
    if (CheckPrintable(what, text) != VOK_OK) return VOK_BAD_ARGUMENT;
    if (!CardIsGameFolderCandidate(text)) return Fail(VOK_BAD_ARGUMENT, what, " is a name vok keeps for itself: ", text);
    return VOK_OK;
}

/* A text language: a name, and not a shipped one misspelt. */
static int CheckLanguage(const char *language)
{
    const char *shipped;
    int result = CheckName("the language", language, VOK_LANGUAGE_MAX);
    if (result != VOK_OK) return result;
    shipped = CardMisspelledLanguage(language);
    if (shipped) {
        char hint[VOK_LANGUAGE_MAX * 2 + 120];
        sprintf(hint, "\": vok ships it as \"%s\" (Latin-1; use the constant VOK_LANGUAGE_...), and never shows texts of another spelling",
                shipped);
        return Fail(VOK_BAD_ARGUMENT, "the language \"", language, hint);
    }
    return VOK_OK;
}

/* A title line's value: vok drops trailing blanks and reads one line of at most 1023 bytes. */
static int CheckLine(const char *what, const char *text)
{
    size_t length;
    if (!text) return Fail(VOK_BAD_ARGUMENT, what, " is missing", 0);
    length = strlen(text);
    if (length > VOK_TITLE_MAX) return Fail(VOK_TOO_LONG, what, " is longer than 255 bytes: ", text);
    if (CheckPrintable(what, text) != VOK_OK) return VOK_BAD_ARGUMENT;
    if (length > 0 && text[length - 1] == ' ') return Fail(VOK_BAD_ARGUMENT, what, " ends in a blank, which vok drops: ", text);
    return VOK_OK;
}

static int CheckText(const char *name, const char *description)
{
    if (!name || !description) return Fail(VOK_BAD_ARGUMENT, "name or description missing", 0, 0);
    if (strlen(name) > VOK_NAME_MAX) return Fail(VOK_TOO_LONG, "name longer than 20 bytes: ", name, 0);
    if (strlen(description) > VOK_DESCRIPTION_MAX) return Fail(VOK_TOO_LONG, "description longer than 100 bytes: ", description, 0);
    if (CheckPrintable("the name", name) != VOK_OK || CheckPrintable("the description", description) != VOK_OK)
        return VOK_BAD_ARGUMENT;
    return VOK_OK;
}

/* The bitmap check vok itself uses, and the size vok's screens show whole. */
static int CheckBitmapBytes(const char *path, const unsigned char *bytes, size_t size)
{
    CardBitmapHeader header;
    int problem = CardCheckBitmap(bytes, size, &header);
    char sides[64];
    if (problem != CARD_BITMAP_OK) return Fail(VOK_BAD_BITMAP, path, " ", CardBitmapProblemText(problem));
    if (CardIsIconSize(&header)) return VOK_OK;
    sprintf(sides, " is %ld x %ld pixels; icons are at most 24 x 24", header.width,
            header.height < 0 ? -header.height : header.height);
    return Fail(VOK_BAD_BITMAP, path, sides, 0);
}

int VokCheckBitmap(const char *path)
{
    unsigned char *bytes = 0;
    size_t size = 0;
    int result;
    if (!path) return Fail(VOK_BAD_ARGUMENT, "no bitmap named", 0, 0);
    result = ReadWhole(path, &bytes, &size);
    if (result == VOK_NO_STORE) return Fail(VOK_BAD_BITMAP, "no bitmap ", path, 0);
    if (result != VOK_OK) return result;
    result = CheckBitmapBytes(path, bytes, size);
    free(bytes);
    return result;
}

/* ---- single files ---- */

/* The records' bytes into `bytes` (room for VOK_MAX_ID records); their size. */
static size_t EncodeRecords(const VokAchievement *records, int count, unsigned char *bytes)
{
    int i;
    for (i = 0; i < count; ++i) VokEncodeRecord(&records[i], bytes + i * VOK_RECORD_SIZE);
    return (size_t)count * VOK_RECORD_SIZE;
}

int VokWriteRecords(const char *folder, const VokAchievement *records, int count)
{
    unsigned char bytes[VOK_MAX_ID * VOK_RECORD_SIZE];
    int i;
    if (count < 0 || count > VOK_MAX_ID || (count > 0 && !records)) return Fail(VOK_BAD_ARGUMENT, "bad record count ", Number(count), 0);
    for (i = 0; i < count; ++i)
        if (CheckId(records[i].id) != VOK_OK) return VOK_BAD_ID;
    return WriteGameFile(folder, CARD_RECORDS_FILE, bytes, EncodeRecords(records, count, bytes));
}

int VokWriteSummary(const char *folder, const VokSummary *summary)
{
    unsigned char bytes[VOK_SUMMARY_SIZE];
    if (!summary) return Fail(VOK_BAD_ARGUMENT, "no summary", 0, 0);
    VokEncodeSummary(summary, bytes);
    return WriteGameFile(folder, CARD_SUMMARY_FILE, bytes, sizeof bytes);
}

/* The texts' bytes into `bytes` (room for VOK_MAX_ID records); their size, or 0 with the
   message set when one is refused. */
static int EncodeTexts(const VokText *texts, int count, unsigned char *bytes, size_t *size)
{
    int i, result = VOK_OK;
    for (i = 0; i < count && result == VOK_OK; ++i) {
        result = CheckId(texts[i].id);
        if (result == VOK_OK) result = VokEncodeText(&texts[i], bytes + i * VOK_TEXT_RECORD_SIZE);
    }
    *size = (size_t)count * VOK_TEXT_RECORD_SIZE;
    return result;
}

int VokWriteTexts(const char *folder, const char *language, const VokText *texts, int count)
{
    char file[VOK_PATH_MAX];
    unsigned char bytes[VOK_MAX_ID * VOK_TEXT_RECORD_SIZE];
    size_t size = 0;
    int result = CheckLanguage(language);
    if (result != VOK_OK) return result;
    if (count < 0 || count > VOK_MAX_ID || (count > 0 && !texts)) return Fail(VOK_BAD_ARGUMENT, "bad text count ", Number(count), 0);
    result = EncodeTexts(texts, count, bytes, &size);
    if (result != VOK_OK) return result;
    if (!Join(file, CARD_TEXTS_PREFIX, language, "")) return VOK_TOO_LONG;
    return WriteGameFile(folder, file, bytes, size);
}

/* vok.title's text: both lines always, as vok keeps the previous game's author when the line
   is missing. `text` holds 2 * VOK_TITLE_MAX + 32 bytes. */
static void FormatTitle(const char *title, const char *author, char *text)
{
    sprintf(text, "%s=%s\r\n%s=%s\r\n", CARD_TITLE_KEY, title, CARD_AUTHOR_KEY, author);
}

static int CheckTitle(const char *title, const char *author)
{
    int result = CheckLine("the title", title);
    if (result == VOK_OK) result = CheckLine("the author", author);
    if (result == VOK_OK && !*title) result = Fail(VOK_BAD_ARGUMENT, "the title is empty", 0, 0);
    return result;
}

int VokWriteTitle(const char *folder, const char *title, const char *author)
{
    char text[2 * VOK_TITLE_MAX + 32];
    int result = CheckTitle(title, author);
    if (result != VOK_OK) return result;
    FormatTitle(title, author, text);
    return WriteGameFile(folder, CARD_TITLE_FILE, text, strlen(text));
}

int VokWriteTextLanguage(const char *folder, const char *language)
{
    int result = CheckLanguage(language);
    if (result != VOK_OK) return result;
    return WriteGameFile(folder, CARD_TEXT_LANGUAGE_FILE, language, strlen(language)); /* vok reads the first line as it stands */
}

/* "001" to "050", or "vok.icon" for id 0. */
static void IconFile(int id, char *file)
{
    if (id == 0) strcpy(file, CARD_GAME_ICON_FILE);
    else CardIconName(id, file);
}

/* The bytes of the bitmap at `path`, checked as vok loads icons (caller frees). */
static int ReadIcon(const char *path, unsigned char **bytes, size_t *size)
{
    int result = ReadWhole(path, bytes, size);
    if (result == VOK_NO_STORE) return Fail(VOK_BAD_BITMAP, "no bitmap ", path, 0);
    if (result != VOK_OK) return result;
    result = CheckBitmapBytes(path, *bytes, *size);
    if (result != VOK_OK) free(*bytes);
    return result;
}

int VokCopyIcon(const char *folder, int id, const char *bitmapPath)
{
    char file[16];
    unsigned char *bytes = 0;
    size_t size = 0;
    int result;
    if (id != 0 && CheckId(id) != VOK_OK) return VOK_BAD_ID;
    if (!bitmapPath) return Fail(VOK_BAD_ARGUMENT, "no bitmap named", 0, 0);
    result = ReadIcon(bitmapPath, &bytes, &size);
    if (result != VOK_OK) return result;
    IconFile(id, file);
    result = WriteGameFile(folder, file, bytes, size);
    free(bytes);
    return result;
}

int VokMarkUpdate(const char *playerFolder)
{
    char folder[VOK_PATH_MAX], path[VOK_PATH_MAX];
    int failure;
    if (!playerFolder) return Fail(VOK_BAD_ARGUMENT, "no player folder", 0, 0);
    if (!FolderPath(folder, playerFolder, 0) || !Join(path, folder, CARD_UPDATE_MARKER, "")) return VOK_TOO_LONG;
    if (!IsFolder(folder)) return Fail(VOK_NO_STORE, "no player folder ", folder, 0);
    failure = CardTouchFile(path, folder);
    return failure ? FailWrite("cannot create ", path, failure) : VOK_OK;
}

/* ---- players ---- */

static int OpenStore(const char *store, char *root)
{
    if (!store || !*store) return Fail(VOK_BAD_ARGUMENT, "no store given", 0, 0);
    if (!FolderPath(root, store, 0)) return VOK_TOO_LONG;
    if (!IsFolder(root)) return Fail(VOK_NO_STORE, "no store at ", root, " (is the card in?)");
    return VOK_OK;
}

int VokActivePlayer(const char *store, char *folder, size_t size)
{
    char root[VOK_PATH_MAX], path[VOK_PATH_MAX], line[CARD_MAX_LINE + 1];
    unsigned char *bytes = 0;
    size_t got = 0;
    int result = OpenStore(store, root);
    if (result != VOK_OK) return result;
    if (!folder || size == 0) return Fail(VOK_BAD_ARGUMENT, "no room for the player's folder", 0, 0);
    if (!Join(path, root, CARD_ACTIVE_PLAYER_FILE, "")) return VOK_TOO_LONG;
    if (!CardReadFile(path, CARD_MAX_LINE, &bytes, &got)) return Fail(VOK_NO_PLAYER, "no active player: ", path, " is missing");
    memcpy(line, bytes, got);
    free(bytes);
    line[got] = '\0';
    if (strchr(line, '\n')) *strchr(line, '\n') = '\0';
    if (!CardIsPlayer(root, line)) return Fail(VOK_NO_PLAYER, "no active player: activevok names \"", line, "\", no player with a vok.cfg");
    if (strlen(line) >= size) return Fail(VOK_TOO_LONG, "no room for the player's folder ", line, 0);
    strcpy(folder, line);
    return VOK_OK;
}

struct PlayerVisit {
    const char *root;
    void (*visit)(const char *folder, void *context);
    void *context;
};

static void VisitPlayer(const char *name, void *context)
{
    struct PlayerVisit *players = (struct PlayerVisit *)context;
    if (CardIsPlayer(players->root, name)) players->visit(name, players->context);
}

int VokListPlayers(const char *store, void (*visit)(const char *folder, void *context), void *context)
{
    char root[VOK_PATH_MAX];
    struct PlayerVisit players;
    int result = OpenStore(store, root);
    if (result != VOK_OK) return result;
    if (!visit) return Fail(VOK_BAD_ARGUMENT, "no function to call for each player", 0, 0);
    players.root = root;
    players.visit = visit;
    players.context = context;
    if (!CardListFolder(root, VisitPlayer, &players)) return Fail(VOK_READ_FAILED, "cannot list ", root, 0);
    return VOK_OK;
}

/* A value of vok.cfg's `key` line into `out`; the later line wins, as vok reads it. */
static void ProfileValue(const char *text, size_t size, const char *key, char *out)
{
    size_t position = 0, length, keyLength, valueStart, valueLength;
    const char *line;
    while (CardNextLine(text, size, &position, &line, &length)) {
        if (!CardSplitKeyValue(line, length, &keyLength, &valueStart, &valueLength)) continue;
        if (keyLength != strlen(key) || memcmp(line, key, keyLength) != 0) continue;
        memcpy(out, line + valueStart, valueLength);
        out[valueLength] = '\0';
    }
}

int VokReadPlayer(const char *store, const char *player, VokPlayer *info)
{
    char root[VOK_PATH_MAX], path[VOK_PATH_MAX];
    unsigned char *bytes = 0;
    size_t size = 0;
    int result = OpenStore(store, root);
    if (result != VOK_OK) return result;
    if (!info) return Fail(VOK_BAD_ARGUMENT, "no room for the player", 0, 0);
    result = CheckName("the player folder", player, CARD_FOLDER_NAME_MAX);
    if (result != VOK_OK) return result;
    if (!CardIsPlayer(root, player) || !Join(path, root, player, "/" CARD_PROFILE_FILE) ||
        !CardReadFile(path, CARD_TEXT_FILE_LIMIT, &bytes, &size))
        return Fail(VOK_NO_PLAYER, "no player ", player, " (a vok_ folder with vok.cfg) in the store");
    info->name[0] = info->language[0] = '\0';
    ProfileValue((const char *)bytes, size, CardProfileKeys[1], info->name);
    ProfileValue((const char *)bytes, size, CardProfileKeys[0], info->language);
    free(bytes);
    return VOK_OK;
}

/* ---- a game as the card holds it ---- */

static int RecordIndex(const VokGame *game, int id)
{
    int i;
    for (i = 0; i < game->count; ++i)
        if (game->records[i].id == id) return i;
    return -1;
}

static VokAchievement *FindRecord(const VokGame *game, int id)
{
    int i = RecordIndex(game, id);
    return i < 0 ? 0 : (VokAchievement *)&game->records[i];
}

/* Index of `language` among the game's text languages, added when `add`; -1 when absent or full. */
static int LanguageIndex(VokGame *game, const char *language, int add)
{
    int i;
    for (i = 0; i < game->languageCount; ++i)
        if (strcmp(game->languages[i], language) == 0) return i;
    if (!add || game->languageCount == VOK_MAX_LANGUAGES) return -1;
    strcpy(game->languages[game->languageCount], language);
    return game->languageCount++;
}

/* `file` of the game folder, read whole; 0 when missing or unreadable. */
static int ReadGameFile(const VokGame *game, const char *file, size_t limit, unsigned char **bytes, size_t *size)
{
    char path[VOK_PATH_MAX];
    return CardJoin(path, game->folder, file, "") && CardReadFile(path, limit, bytes, size);
}

/* vok.dat as vok reads it, each id once: the first record of an id is the one vok counts. */
static void ReadRecords(VokGame *game)
{
    unsigned char *bytes = 0;
    size_t size = 0;
    CardRecord records[CARD_MAX_RECORDS];
    int count, i;
    if (!ReadGameFile(game, CARD_RECORDS_FILE, CARD_MAX_RECORDS * CARD_RECORD_SIZE, &bytes, &size)) return;
    count = CardDecodeRecords(bytes, size, records, CARD_MAX_RECORDS);
    free(bytes);
    for (i = 0; i < count && game->count < VOK_MAX_ID; ++i) {
        VokAchievement *a;
        if (records[i].id < 1 || records[i].id > VOK_MAX_ID || FindRecord(game, records[i].id)) continue;
        a = &game->records[game->count++];
        a->id = records[i].id;
        a->points = records[i].points;
        a->hidden = records[i].hidden;
        a->unlocked = records[i].unlocked;
    }
}

/* vok.progress as vok reads it: records of described ids only, the later of an id winning. */
static void ReadProgress(VokGame *game)
{
    unsigned char *bytes = 0;
    size_t size = 0;
    CardProgress records[CARD_MAX_RECORDS];
    int count, i;
    if (!ReadGameFile(game, CARD_PROGRESS_FILE, CARD_MAX_RECORDS * CARD_PROGRESS_RECORD_SIZE, &bytes, &size)) return;
    count = CardDecodeProgressRecords(bytes, size, records, CARD_MAX_RECORDS);
    free(bytes);
    for (i = 0; i < count; ++i) {
        int index = RecordIndex(game, records[i].id);
        if (index >= 0) game->progress[index] = records[i];
    }
}

static void ReadSummary(VokGame *game)
{
    unsigned char *bytes = 0;
    size_t size = 0;
    CardSummary summary;
    if (!ReadGameFile(game, CARD_SUMMARY_FILE, CARD_SUMMARY_SIZE, &bytes, &size)) return;
    CardDecodeSummary(bytes, size, &summary);
    game->favourite = summary.favouriteScore;
    free(bytes);
}

/* vok.title: "title=" and "author=" lines, a later line winning, trailing blanks dropped. */
static void ReadTitle(VokGame *game)
{
    unsigned char *bytes = 0;
    size_t size = 0, position = 0, length, keyLength, valueStart, valueLength;
    const char *line;
    if (!ReadGameFile(game, CARD_TITLE_FILE, CARD_TEXT_FILE_LIMIT, &bytes, &size)) return;
    while (CardNextLine((const char *)bytes, size, &position, &line, &length)) {
        char *field = 0;
        if (!CardSplitKeyValue(line, length, &keyLength, &valueStart, &valueLength) || valueLength > VOK_TITLE_MAX) continue;
        if (keyLength == 5 && memcmp(line, CARD_TITLE_KEY, 5) == 0) field = game->title;
        if (keyLength == 6 && memcmp(line, CARD_AUTHOR_KEY, 6) == 0) field = game->author;
        if (!field) continue;
        memcpy(field, line + valueStart, valueLength);
        field[valueLength] = '\0';
    }
    free(bytes);
}

/* vok.lang's first line, as vok reads it: without its line end, nothing else trimmed. */
static void ReadTextLanguage(VokGame *game)
{
    unsigned char *bytes = 0;
    size_t size = 0, i;
    if (!ReadGameFile(game, CARD_TEXT_LANGUAGE_FILE, VOK_LANGUAGE_MAX, &bytes, &size)) return;
    for (i = 0; i < size && bytes[i] != '\n' && bytes[i] != '\0'; ++i) game->textLanguage[i] = (char)bytes[i];
    game->textLanguage[i] = '\0';
    free(bytes);
}

static void ReadTexts(VokGame *game, const char *file)
{
    const char *language = file + strlen(CARD_TEXTS_PREFIX);
    unsigned char *bytes = 0;
    size_t size = 0, offset;
    int index;
    if (CheckName("", language, VOK_LANGUAGE_MAX) != VOK_OK) return;
    if (!ReadGameFile(game, file, CARD_MAX_RECORDS * CARD_TEXT_RECORD_SIZE, &bytes, &size)) return;
    index = LanguageIndex(game, language, 1);
    for (offset = 0; index >= 0 && size - offset >= VOK_TEXT_RECORD_SIZE; offset += VOK_TEXT_RECORD_SIZE) {
        VokText text;
        VokDecodeText(bytes + offset, &text);
        if (text.id >= 1 && text.id <= VOK_MAX_ID && FindRecord(game, text.id)) game->texts[index][text.id - 1] = text;
    }
    free(bytes);
}

static void VisitTextFile(const char *name, void *context)
{
    if (strncmp(name, CARD_TEXTS_PREFIX, strlen(CARD_TEXTS_PREFIX)) == 0) ReadTexts((VokGame *)context, name);
}

/* Everything the game folder holds, into a handle with no changes of its own. */
static void ReadGame(VokGame *game)
{
    char kept[MESSAGE_SIZE];
    memcpy(kept, Message, sizeof kept); /* missing files are normal for a new game */
    ReadRecords(game);
    ReadProgress(game);
    ReadSummary(game);
    ReadTitle(game);
    ReadTextLanguage(game);
    CardListFolder(game->folder, VisitTextFile, game);
    memcpy(Message, kept, sizeof kept);
}

int VokOpenGame(const char *store, const char *player, const char *game, VokGame **opened)
{
    char root[VOK_PATH_MAX];
    VokGame *g;
    int result;
    if (!opened) return Fail(VOK_BAD_ARGUMENT, "nowhere to put the opened game", 0, 0);
    *opened = 0;
    result = OpenStore(store, root);
    if (result == VOK_OK) result = CheckName("the player folder", player, CARD_FOLDER_NAME_MAX);
    if (result == VOK_OK) result = CheckName("the game folder", game, CARD_FOLDER_NAME_MAX);
    if (result != VOK_OK) return result;
    if (!CardIsPlayer(root, player)) return Fail(VOK_NO_PLAYER, "no player ", player, " (a vok_ folder with vok.cfg) in the store");
    g = (VokGame *)calloc(1, sizeof *g);
    if (!g) return Fail(VOK_FULL, "out of memory", 0, 0);
    if (!FolderPath(g->player, root, player) || !FolderPath(g->folder, g->player, game)) {
        free(g);
        return VOK_TOO_LONG;
    }
    ReadGame(g);
    *opened = g;
    return VOK_OK;
}

void VokCloseGame(VokGame *game)
{
    free(game);
}

/* The time of an unlock: 0 (unknown) while the clock reads before 2001, never set. */
static unsigned long Now(void)
{
    time_t now = time(0);
    if (now == (time_t)-1 || (unsigned long)now < CARD_CLOCK_SET_AFTER) return 0;
    return (unsigned long)now & 0xFFFFFFFFUL;
}

#define NEED_GAME(game) if (!(game)) return Fail(VOK_BAD_ARGUMENT, "no game", 0, 0)

int VokSetTitle(VokGame *game, const char *title, const char *author)
{
    int result;
    NEED_GAME(game);
    result = CheckTitle(title, author);
    if (result != VOK_OK) return result;
    strcpy(game->title, title);
    strcpy(game->author, author);
    game->titleChanged = 1;
    return VOK_OK;
}

int VokSetTextLanguage(VokGame *game, const char *language)
{
    int result;
    NEED_GAME(game);
    result = CheckLanguage(language);
    if (result != VOK_OK) return result;
    strcpy(game->textLanguage, language);
    game->textLanguageChanged = 1;
    return VOK_OK;
}

/* The record of `id`, added (locked) when missing; the handle's changes of it in `*changes`. */
static VokAchievement *AddRecord(VokGame *game, int id, int **changes)
{
    int i = RecordIndex(game, id);
    if (i < 0) {
        i = game->count++;
        game->records[i].id = id;
        game->records[i].points = game->records[i].hidden = game->records[i].unlocked = 0;
        game->recordChanges[i] = 0;
        memset(&game->progress[i], 0, sizeof game->progress[i]);
        game->progress[i].id = id;
    }
    *changes = &game->recordChanges[i];
    return &game->records[i];
}

int VokDescribe(VokGame *game, int id, int points, int hidden)
{
    VokAchievement *record;
    int *changes;
    NEED_GAME(game);
    if (CheckId(id) != VOK_OK) return VOK_BAD_ID;
    if (points < 0) return Fail(VOK_BAD_ARGUMENT, "negative points for achievement ", Number(id), " (points are 0 or more)");
    record = AddRecord(game, id, &changes);
    record->points = points;
    record->hidden = hidden ? 1 : 0;
    *changes |= CHANGED_DESCRIPTION;
    return VOK_OK;
}

static int NeedDescribed(const VokGame *game, int id)
{
    if (CheckId(id) != VOK_OK) return VOK_BAD_ID;
    if (!FindRecord(game, id)) return Fail(VOK_BAD_ID, "achievement ", Number(id), " is not described (VokDescribe it first)");
    return VOK_OK;
}

int VokSetText(VokGame *game, int id, const char *language, const char *name, const char *description)
{
    int index, result;
    VokText *text;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    result = CheckLanguage(language);
    if (result == VOK_OK) result = CheckText(name, description);
    if (result != VOK_OK) return result;
    index = LanguageIndex(game, language, 1);
    if (index < 0) return Fail(VOK_FULL, "more than 16 text languages: ", language, 0);
    text = &game->texts[index][id - 1];
    text->id = id;
    strcpy(text->name, name);
    strcpy(text->description, description);
    game->textChanged[index][id - 1] = 1;
    return VOK_OK;
}

int VokSetIcon(VokGame *game, int id, const char *bitmapPath)
{
    int result;
    NEED_GAME(game);
    if (id != 0 && NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (!bitmapPath) return Fail(VOK_BAD_ARGUMENT, "no bitmap named", 0, 0);
    if (strlen(bitmapPath) >= VOK_PATH_MAX) return Fail(VOK_TOO_LONG, "bitmap path too long: ", bitmapPath, 0);
    result = VokCheckBitmap(bitmapPath);
    if (result != VOK_OK) return result;
    strcpy(game->icons[id], bitmapPath);
    return VOK_OK;
}

/* Unlocks `id` at `seconds` (0: unknown); one already unlocked keeps its earlier known time. */
static int UnlockAt(VokGame *game, int id, int *newlyUnlocked, unsigned long seconds)
{
    VokAchievement *record;
    CardProgress *progress;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    record = FindRecord(game, id);
    progress = &game->progress[RecordIndex(game, id)];
    if (newlyUnlocked) *newlyUnlocked = record->unlocked ? 0 : 1;
    progress->unlockedAt = record->unlocked ? CardEarlierUnlock(progress->unlockedAt, seconds) : seconds;
    record->unlocked = 1;
    game->recordChanges[RecordIndex(game, id)] |= CHANGED_UNLOCK;
    return VOK_OK;
}

int VokUnlockOnce(VokGame *game, int id, int *newlyUnlocked)
{
    int locked = game && FindRecord(game, id) && !FindRecord(game, id)->unlocked;
    return UnlockAt(game, id, newlyUnlocked, locked ? Now() : 0);
}

int VokUnlockAt(VokGame *game, int id, unsigned long seconds)
{
    if (seconds >> 16 >> 16) return Fail(VOK_BAD_ARGUMENT, "an unlock time past 2106 for achievement ", Number(id), 0);
    return UnlockAt(game, id, 0, seconds);
}

int VokUnlock(VokGame *game, int id)
{
    return VokUnlockOnce(game, id, 0);
}

int VokSetProgress(VokGame *game, int id, int current, int target)
{
    int i;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (current < 0 || target < 0)
        return Fail(VOK_BAD_ARGUMENT, "negative progress for achievement ", Number(id), " (current and target are 0 or more)");
    if (current > target)
        return Fail(VOK_BAD_ARGUMENT, "progress above its target for achievement ", Number(id), " (current is at most target)");
    i = RecordIndex(game, id);
    game->progress[i].current = current;
    game->progress[i].target = target;
    game->recordChanges[i] |= CHANGED_PROGRESS;
    return VOK_OK;
}

int VokRelock(VokGame *game, int id)
{
    int i;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    i = RecordIndex(game, id);
    game->records[i].unlocked = 0;
    memset(&game->progress[i], 0, sizeof game->progress[i]);
    game->progress[i].id = id;
    game->recordChanges[i] = (game->recordChanges[i] & CHANGED_DESCRIPTION) | CHANGED_RELOCK;
    return VOK_OK;
}

int VokSetFavouriteScore(VokGame *game, int score)
{
    NEED_GAME(game);
    game->favourite = score;
    game->favouriteChanged = 1;
    return VOK_OK;
}

/* ---- the commit ---- */

/* Refuses a commit that would leave a language without the text of a described achievement. */
static int CheckComplete(const VokGame *game)
{
    int language, i;
    for (language = 0; language < game->languageCount; ++language)
        for (i = 0; i < game->count; ++i)
            if (game->texts[language][game->records[i].id - 1].id == 0)
                return Fail(VOK_MISSING_TEXT, game->languages[language], " has no text for achievement ",
                            Number(game->records[i].id));
    return VOK_OK;
}

/* This handle's changes laid over `card`, the game as the card holds it now: its unlocks are
   added (an unlock is never lost), what it described or set replaces what was there. */
static void Merge(const VokGame *game, VokGame *card)
{
    int i, language;
    for (i = 0; i < game->count; ++i) {
        const VokAchievement *mine = &game->records[i];
        int *changes;
        VokAchievement *merged;
        if (!game->recordChanges[i] && !FindRecord(card, mine->id)) continue; /* removed meanwhile? keep it out */
        merged = AddRecord(card, mine->id, &changes);
        if (game->recordChanges[i] & CHANGED_DESCRIPTION) {
            merged->points = mine->points;
            merged->hidden = mine->hidden;
        }
        if (game->recordChanges[i] & CHANGED_RELOCK) { /* locked again, then perhaps unlocked anew */
            merged->unlocked = mine->unlocked;
            card->progress[RecordIndex(card, mine->id)] = game->progress[i];
            continue;
        }
        if (game->recordChanges[i] & CHANGED_UNLOCK) {
            CardProgress *kept = &card->progress[RecordIndex(card, mine->id)];
            merged->unlocked = 1;
            kept->unlockedAt = CardEarlierUnlock(kept->unlockedAt, game->progress[i].unlockedAt);
        }
        if (game->recordChanges[i] & CHANGED_PROGRESS) {
            CardProgress *kept = &card->progress[RecordIndex(card, mine->id)];
            kept->current = game->progress[i].current;
            kept->target = game->progress[i].target;
        }
    }
    for (language = 0; language < game->languageCount; ++language)
        for (i = 0; i < VOK_MAX_ID; ++i) {
            int index;
            if (!game->textChanged[language][i]) continue;
            index = LanguageIndex(card, game->languages[language], 1);
            if (index >= 0) card->texts[index][i] = game->texts[language][i];
        }
    if (game->titleChanged) {
        strcpy(card->title, game->title);
        strcpy(card->author, game->author);
    }
    if (game->textLanguageChanged) strcpy(card->textLanguage, game->textLanguage);
    if (game->favouriteChanged) card->favourite = game->favourite;
    /* vok's last fallback for texts is the language vok.lang names */
    if (!card->textLanguage[0] && card->languageCount > 0) strcpy(card->textLanguage, card->languages[0]);
    memcpy(card->icons, game->icons, sizeof card->icons);
}

/* Stages `bytes` as `file` unless the folder holds them already. */
static int StageIfChanged(const VokGame *game, CardJournal *commit, const char *file, const void *bytes, size_t size)
{
    char path[VOK_PATH_MAX];
    int failure;
    if (!Join(path, game->folder, file, "")) return VOK_TOO_LONG;
    if (SameContent(path, bytes, size)) return VOK_OK;
    if (!commit) return VOK_WRITE_FAILED; /* only asked whether anything changes */
    failure = CardStageFile(game->folder, commit, file, bytes, size);
    return failure ? FailWrite("cannot write a new ", path, failure) : VOK_OK;
}

static int StageIcons(const VokGame *game, CardJournal *commit)
{
    int id, result = VOK_OK;
    for (id = 0; id <= VOK_MAX_ID && result == VOK_OK; ++id) {
        char file[16];
        unsigned char *bytes = 0;
        size_t size = 0;
        if (!game->icons[id][0]) continue;
        result = ReadIcon(game->icons[id], &bytes, &size);
        if (result != VOK_OK) return result;
        IconFile(id, file);
        result = StageIfChanged(game, commit, file, bytes, size);
        free(bytes);
    }
    return result;
}

static int StageTexts(const VokGame *game, CardJournal *commit)
{
    int language, i, result = VOK_OK;
    for (language = 0; language < game->languageCount && result == VOK_OK; ++language) {
        VokText texts[VOK_MAX_ID];
        unsigned char bytes[VOK_MAX_ID * VOK_TEXT_RECORD_SIZE];
        char file[VOK_PATH_MAX];
        size_t size = 0;
        int count = 0;
        for (i = 0; i < game->count; ++i) /* in record order; a language may lack another writer's */
            if (game->texts[language][game->records[i].id - 1].id != 0) texts[count++] = game->texts[language][game->records[i].id - 1];
        result = EncodeTexts(texts, count, bytes, &size);
        if (result == VOK_OK && !Join(file, CARD_TEXTS_PREFIX, game->languages[language], "")) result = VOK_TOO_LONG;
        if (result == VOK_OK) result = StageIfChanged(game, commit, file, bytes, size);
    }
    return result;
}

/* vok.progress: a record for each achievement with progress or an unlock time, in the order of
   vok.dat. A game that never had any gets no file, so its folder stays as it always was. */
static int StageProgress(const VokGame *game, CardJournal *commit)
{
    unsigned char bytes[VOK_MAX_ID * CARD_PROGRESS_RECORD_SIZE];
    char path[VOK_PATH_MAX];
    size_t size = 0;
    int i;
    struct stat status;
    for (i = 0; i < game->count; ++i) {
        CardProgress record = game->progress[i];
        record.id = game->records[i].id;
        if (CardProgressIsEmpty(&record)) continue;
        CardEncodeProgress(&record, bytes + size);
        size += CARD_PROGRESS_RECORD_SIZE;
    }
    if (!Join(path, game->folder, CARD_PROGRESS_FILE, "")) return VOK_TOO_LONG;
    if (size == 0 && lstat(path, &status) != 0) return VOK_OK;
    return StageIfChanged(game, commit, CARD_PROGRESS_FILE, bytes, size);
}

/* Every file of the merged game that differs from the card's, vok.dat and vok.summary last
   (renamed last, so that even a reader that does not lock sees a new game whole). With no
   `commit`, VOK_WRITE_FAILED as soon as one differs: whether there is anything to write. */
static int StageGame(const VokGame *game, CardJournal *commit)
{
    unsigned char records[VOK_MAX_ID * VOK_RECORD_SIZE], summaryBytes[VOK_SUMMARY_SIZE];
    char title[2 * VOK_TITLE_MAX + 32];
    CardRecord cardRecords[VOK_MAX_ID];
    CardSummary summary;
    int i, result = StageIcons(game, commit);
    if (result == VOK_OK) result = StageTexts(game, commit);
    FormatTitle(game->title, game->author, title);
    if (result == VOK_OK) result = StageIfChanged(game, commit, CARD_TITLE_FILE, title, strlen(title));
    if (result == VOK_OK && game->textLanguage[0])
        result = StageIfChanged(game, commit, CARD_TEXT_LANGUAGE_FILE, game->textLanguage, strlen(game->textLanguage));
    memset(cardRecords, 0, sizeof cardRecords);
    for (i = 0; i < game->count; ++i) cardRecords[i] = ToCard(&game->records[i]);
    CardCountSummary(cardRecords, game->count, game->favourite, &summary);
    CardEncodeSummary(&summary, summaryBytes);
    if (result == VOK_OK) result = StageProgress(game, commit);
    if (result == VOK_OK) result = StageIfChanged(game, commit, CARD_RECORDS_FILE, records, EncodeRecords(game->records, game->count, records));
    if (result == VOK_OK) result = StageIfChanged(game, commit, CARD_SUMMARY_FILE, summaryBytes, sizeof summaryBytes);
    return result;
}

/* The game as the card holds it now, with this handle's changes merged in (caller frees). */
static VokGame *MergedWithCard(const VokGame *game)
{
    VokGame *card = (VokGame *)calloc(1, sizeof *card);
    if (!card) return 0;
    strcpy(card->folder, game->folder);
    strcpy(card->player, game->player);
    ReadGame(card);
    Merge(game, card);
    return card;
}

/* The handle takes the merged game as its own, with no changes left to commit. */
static void Adopt(VokGame *game, VokGame *merged)
{
    memset(merged->icons, 0, sizeof merged->icons);
    memcpy(game, merged, sizeof *game);
    free(merged);
}

static int MakeGameFolder(const VokGame *game)
{
    if (IsFolder(game->folder)) return VOK_OK;
    if (mkdir(game->folder, 0755) != 0 && errno != EEXIST) return FailWrite("cannot create ", game->folder, errno);
    CardSyncFolder(game->player);
    return VOK_OK;
}

/* Under the lock: the journal of a commit a cut stopped finished, the card read again, the
   changes merged and every changed file committed at once. */
static int CommitLocked(VokGame *game, CardJournal *commit)
{
    VokGame *merged;
    int result, failure = CardFinishCommit(game->folder);
    if (failure) return FailWrite("cannot finish an earlier commit in ", game->folder, failure);
    merged = MergedWithCard(game);
    if (!merged) return Fail(VOK_FULL, "out of memory", 0, 0);
    commit->count = 0;
    result = StageGame(merged, commit);
    if (result != VOK_OK) {
        CardAbandonCommit(game->folder, commit);
        free(merged);
        return result;
    }
    failure = CardEndCommit(game->folder, commit);
    if (failure) {
        free(merged);
        return FailWrite("cannot commit the files of ", game->folder, failure);
    }
    Adopt(game, merged);
    return VOK_OK;
}

int VokCommit(VokGame *game)
{
    VokGame *merged;
    CardJournal *commit;
    int result, lock;
    NEED_GAME(game);
    result = CheckComplete(game);
    if (result != VOK_OK) return result;
    if (!IsFolder(game->player)) return Fail(VOK_NO_PLAYER, "the player folder is gone: ", game->player, 0);
    /* a commit that changes nothing writes nothing, not even the lock: a read-only card is fine */
    merged = MergedWithCard(game);
    if (!merged) return Fail(VOK_FULL, "out of memory", 0, 0);
    result = StageGame(merged, 0);
    if (result == VOK_OK) {
        Adopt(game, merged);
        return VOK_OK;
    }
    free(merged);
    if (result != VOK_WRITE_FAILED) return result;
    result = MakeGameFolder(game);
    if (result != VOK_OK) return result;
    lock = CardLockGame(game->folder);
    if (lock < 0) return FailWrite("cannot lock ", game->folder, errno);
    commit = (CardJournal *)malloc(sizeof *commit);
    result = commit ? CommitLocked(game, commit) : Fail(VOK_FULL, "out of memory", 0, 0);
    free(commit);
    CardUnlockGame(lock);
    return result;
}

/* ---- what the handle holds ---- */

int VokAchievementCount(const VokGame *game)
{
    return game ? game->count : 0;
}

int VokAchievementAt(const VokGame *game, int index, VokAchievement *achievement)
{
    NEED_GAME(game);
    if (index < 0 || index >= game->count || !achievement) return Fail(VOK_BAD_ARGUMENT, "no achievement at index ", Number(index), 0);
    *achievement = game->records[index];
    return VOK_OK;
}

int VokGetAchievement(const VokGame *game, int id, VokAchievement *achievement)
{
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (achievement) *achievement = *FindRecord(game, id);
    return VOK_OK;
}

int VokGetText(const VokGame *game, int id, const char *language, VokText *text)
{
    int index;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    index = language ? LanguageIndex((VokGame *)game, language, 0) : -1;
    if (index < 0 || game->texts[index][id - 1].id == 0)
        return Fail(VOK_MISSING_TEXT, "no text in ", language ? language : "(none)", " for that achievement");
    if (text) *text = game->texts[index][id - 1];
    return VOK_OK;
}

int VokGetProgress(const VokGame *game, int id, int *current, int *target)
{
    const CardProgress *progress;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    progress = &game->progress[RecordIndex(game, id)];
    if (current) *current = progress->current;
    if (target) *target = progress->target;
    return VOK_OK;
}

int VokGetUnlockTime(const VokGame *game, int id, unsigned long *seconds)
{
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (seconds) *seconds = FindRecord(game, id)->unlocked ? game->progress[RecordIndex(game, id)].unlockedAt : 0;
    return VOK_OK;
}

int VokFavouriteScore(const VokGame *game)
{
    return game ? game->favourite : 0;
}

const char *VokTitle(const VokGame *game)
{
    return game ? game->title : "";
}

const char *VokAuthor(const VokGame *game)
{
    return game ? game->author : "";
}

const char *VokTextLanguage(const VokGame *game)
{
    return game ? game->textLanguage : "";
}
