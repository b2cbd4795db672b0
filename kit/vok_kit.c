/* The vok game kit; see vok_kit.h for the interface and README.md for the card's files. */
#define _XOPEN_SOURCE 600 /* fsync, opendir and friends under -std=c89 */

#include "vok_kit.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#define MESSAGE_SIZE (2 * VOK_PATH_MAX + 200)
#define MAX_FILE_BYTES (4L * 1024 * 1024) /* no file a game writes comes near this */
#define TEMPORARY_PREFIX ".vok-tmp." /* the name vok's own safe writes use; vok never reads these */

struct VokGame {
    char folder[VOK_PATH_MAX]; /* game folder path, ending in "/" */
    char player[VOK_PATH_MAX]; /* player folder path, ending in "/" */
    int count;                 /* described achievements, in display order */
    VokAchievement records[VOK_MAX_ID];
    int favourite;
    char title[VOK_TITLE_MAX + 1];
    char author[VOK_TITLE_MAX + 1];
    char textLanguage[VOK_LANGUAGE_MAX + 1];
    int languageCount;
    char languages[VOK_MAX_LANGUAGES][VOK_LANGUAGE_MAX + 1];
    VokText texts[VOK_MAX_LANGUAGES][VOK_MAX_ID]; /* slot id - 1; id 0 while unset */
    char icons[VOK_MAX_ID + 1][VOK_PATH_MAX];     /* bitmaps to copy, slot 0 for vok.icon; "" none */
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

static const char *Number(int value)
{
    static char text[16];
    char digits[16];
    unsigned long magnitude = value < 0 ? 0UL - (unsigned long)value : (unsigned long)value;
    int n = 0, i = 0;
    do {
        digits[n++] = (char)('0' + (int)(magnitude % 10));
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) text[i++] = '-';
    while (n > 0) text[i++] = digits[--n];
    text[i] = '\0';
    return text;
}

/* out = a + b + c; false (with the message set) when it would not fit. */
static int Join(char *out, const char *a, const char *b, const char *c)
{
    size_t la = strlen(a), lb = strlen(b), lc = strlen(c);
    if (la + lb + lc >= VOK_PATH_MAX) {
        Fail(VOK_BAD_ARGUMENT, "path too long: ", a, b);
        return 0;
    }
    memcpy(out, a, la);
    memcpy(out + la, b, lb);
    memcpy(out + la + lb, c, lc + 1);
    return 1;
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

/* ---- bytes ---- */

static void PutInt32(unsigned char *bytes, int value)
{
    unsigned long bits = (unsigned long)value & 0xFFFFFFFFUL;
    bytes[0] = (unsigned char)(bits & 0xFF);
    bytes[1] = (unsigned char)((bits >> 8) & 0xFF);
    bytes[2] = (unsigned char)((bits >> 16) & 0xFF);
    bytes[3] = (unsigned char)((bits >> 24) & 0xFF);
}

static int GetInt32(const unsigned char *bytes)
{
    unsigned long bits = (unsigned long)bytes[0] | ((unsigned long)bytes[1] << 8) |
                         ((unsigned long)bytes[2] << 16) | ((unsigned long)bytes[3] << 24);
    /* two's complement without the implementation-defined conversion */
    return bits < 0x80000000UL ? (int)bits : -(int)(0xFFFFFFFFUL - bits) - 1;
}

static unsigned long GetUint32(const unsigned char *bytes)
{
    return (unsigned long)bytes[0] | ((unsigned long)bytes[1] << 8) | ((unsigned long)bytes[2] << 16) |
           ((unsigned long)bytes[3] << 24);
}

void VokEncodeRecord(const VokAchievement *record, unsigned char bytes[VOK_RECORD_SIZE])
{
    PutInt32(bytes, record->id);
    PutInt32(bytes + 4, record->points);
    PutInt32(bytes + 8, record->hidden);
    PutInt32(bytes + 12, record->unlocked);
}

void VokDecodeRecord(const unsigned char bytes[VOK_RECORD_SIZE], VokAchievement *record)
{
    record->id = GetInt32(bytes);
    record->points = GetInt32(bytes + 4);
    record->hidden = GetInt32(bytes + 8);
    record->unlocked = GetInt32(bytes + 12);
}

void VokEncodeSummary(const VokSummary *summary, unsigned char bytes[VOK_SUMMARY_SIZE])
{
    PutInt32(bytes, summary->unlockedCount);
    PutInt32(bytes + 4, summary->achievementCount);
    PutInt32(bytes + 8, summary->pointsEarned);
    PutInt32(bytes + 12, summary->pointsPossible);
    PutInt32(bytes + 16, summary->favouriteScore);
}

/* A text field: every byte complemented, the rest of the field complemented NULs. */
static void PutComplemented(unsigned char *field, size_t size, const char *text)
{
    size_t length = strlen(text), i;
    for (i = 0; i < size; ++i) field[i] = (unsigned char)(~(i < length ? (unsigned char)text[i] : 0u) & 0xFFu);
}

static void GetComplemented(const unsigned char *field, size_t size, char *text)
{
    size_t i;
    for (i = 0; i < size; ++i) text[i] = (char)(~field[i] & 0xFFu);
    text[size - 1] = '\0'; /* a field without its own terminator ends at its last byte, as vok reads it */
}

int VokEncodeText(const VokText *text, unsigned char bytes[VOK_TEXT_RECORD_SIZE])
{
    if (strlen(text->name) > VOK_NAME_MAX) return Fail(VOK_TOO_LONG, "name longer than 20 bytes: ", text->name, 0);
    if (strlen(text->description) > VOK_DESCRIPTION_MAX)
        return Fail(VOK_TOO_LONG, "description longer than 100 bytes: ", text->description, 0);
    PutInt32(bytes, text->id);
    PutComplemented(bytes + 4, VOK_NAME_MAX + 1, text->name);
    PutComplemented(bytes + 25, VOK_DESCRIPTION_MAX + 1, text->description);
    bytes[126] = 0;
    bytes[127] = 0;
    return VOK_OK;
}

void VokDecodeText(const unsigned char bytes[VOK_TEXT_RECORD_SIZE], VokText *text)
{
    text->id = GetInt32(bytes);
    GetComplemented(bytes + 4, VOK_NAME_MAX + 1, text->name);
    GetComplemented(bytes + 25, VOK_DESCRIPTION_MAX + 1, text->description);
}

/* ---- files ---- */

/* The whole file in a new buffer (caller frees); VOK_READ_FAILED, or VOK_NO_STORE when missing. */
static int ReadWhole(const char *path, unsigned char **bytes, long *size)
{
    FILE *file = fopen(path, "rb");
    long length = 0;
    unsigned char *buffer;
    if (!file) return Fail(errno == ENOENT ? VOK_NO_STORE : VOK_READ_FAILED, "cannot open ", path, 0);
    buffer = (unsigned char *)malloc(1);
    while (buffer) {
        unsigned char *grown;
        size_t got;
        if (length >= MAX_FILE_BYTES) break;
        grown = (unsigned char *)realloc(buffer, (size_t)length + 65536);
        if (!grown) break;
        buffer = grown;
        got = fread(buffer + length, 1, 65536, file);
        length += (long)got;
        if (got < 65536) {
            int failed = ferror(file);
            fclose(file);
            if (failed) {
                free(buffer);
                return Fail(VOK_READ_FAILED, "cannot read ", path, 0);
            }
            *bytes = buffer;
            *size = length;
            return VOK_OK;
        }
    }
    fclose(file);
    free(buffer);
    return Fail(VOK_READ_FAILED, "too large or out of memory: ", path, 0);
}

static int SameContent(const char *path, const void *bytes, size_t size)
{
    unsigned char *old = 0;
    long oldSize = 0;
    int same;
    char kept[MESSAGE_SIZE];
    memcpy(kept, Message, sizeof kept); /* a missing file is no failure here */
    if (ReadWhole(path, &old, &oldSize) != VOK_OK) {
        memcpy(Message, kept, sizeof kept);
        return 0;
    }
    same = (size_t)oldSize == size && (size == 0 || memcmp(old, bytes, size) == 0);
    free(old);
    return same;
}

static int WriteAll(int fd, const unsigned char *bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t wrote = write(fd, bytes + done, size - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return 0;
        done += (size_t)wrote;
    }
    return 1;
}

static void SyncFolder(const char *folder)
{
    int fd = open(folder, O_RDONLY);
    if (fd < 0) return;
    fsync(fd); /* best effort: the new file is in place already */
    close(fd);
}

int VokWriteFile(const char *path, const void *bytes, size_t size)
{
    char folder[VOK_PATH_MAX], temporary[VOK_PATH_MAX];
    const char *slash = path ? strrchr(path, '/') : 0;
    const char *name = slash ? slash + 1 : path;
    int fd, ok;
    if (!path || !*name || (!bytes && size > 0)) return Fail(VOK_BAD_ARGUMENT, "no file name to write", 0, 0);
    if (strlen(path) + sizeof TEMPORARY_PREFIX >= VOK_PATH_MAX) return Fail(VOK_BAD_ARGUMENT, "path too long: ", path, 0);
    memcpy(folder, path, (size_t)(name - path));
    folder[name - path] = '\0';
    Join(temporary, folder, TEMPORARY_PREFIX, name);
    if (!*folder) strcpy(folder, ".");
    /* a temporary left by a power cut goes first; O_EXCL then refuses a link planted meanwhile */
    unlink(temporary);
    fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return Fail(VOK_WRITE_FAILED, "cannot write ", path, errno == ENOENT ? ": no such folder" : "");
    ok = WriteAll(fd, (const unsigned char *)bytes, size) && fsync(fd) == 0;
    if (close(fd) != 0) ok = 0;
    /* rename only after fsync: a power cut must leave the old file or the new, never half */
    if (!ok || rename(temporary, path) != 0) {
        unlink(temporary);
        return Fail(VOK_WRITE_FAILED, "cannot write ", path, " (card full or read-only?)");
    }
    SyncFolder(folder);
    return VOK_OK;
}

/* Writes `bytes` as `file` of `folder` unless it holds them already (which keeps vok.dat's
   date, the completion date of vok's ranking, and spares the card). */
static int WriteGameFile(const char *folder, const char *file, const void *bytes, size_t size)
{
    char path[VOK_PATH_MAX], base[VOK_PATH_MAX];
    if (!folder || !FolderPath(base, folder, 0) || !Join(path, base, file, "")) return Fail(VOK_BAD_ARGUMENT, "bad game folder", 0, 0);
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

/* A text that becomes a file name or a line: not empty, no "/", no control bytes. */
static int CheckName(const char *what, const char *text, size_t limit)
{
    const char *c;
    if (!text || !*text) return Fail(VOK_BAD_ARGUMENT, what, " is empty", 0);
    if (strlen(text) > limit) return Fail(VOK_TOO_LONG, what, " is too long: ", text);
    for (c = text; *c; ++c)
        if (*c == '/' || (unsigned char)*c < 32) return Fail(VOK_BAD_ARGUMENT, what, " holds a \"/\" or a control byte: ", text);
    if (strcmp(text, ".") == 0 || strcmp(text, "..") == 0) return Fail(VOK_BAD_ARGUMENT, what, " cannot be ", text);
    return VOK_OK;
}

/* A title line's value: vok drops trailing blanks and reads one line of at most 1023 bytes. */
static int CheckLine(const char *what, const char *text)
{
    const char *c;
    size_t length;
    if (!text) return Fail(VOK_BAD_ARGUMENT, what, " is missing", 0);
    length = strlen(text);
    if (length > VOK_TITLE_MAX) return Fail(VOK_TOO_LONG, what, " is longer than 255 bytes: ", text);
    for (c = text; *c; ++c)
        if ((unsigned char)*c < 32) return Fail(VOK_BAD_ARGUMENT, what, " holds a line end or control byte: ", text);
    if (length > 0 && text[length - 1] == ' ') return Fail(VOK_BAD_ARGUMENT, what, " ends in a blank, which vok drops: ", text);
    return VOK_OK;
}

static int CheckText(const char *name, const char *description)
{
    if (!name || !description) return Fail(VOK_BAD_ARGUMENT, "name or description missing", 0, 0);
    if (strlen(name) > VOK_NAME_MAX) return Fail(VOK_TOO_LONG, "name longer than 20 bytes: ", name, 0);
    if (strlen(description) > VOK_DESCRIPTION_MAX) return Fail(VOK_TOO_LONG, "description longer than 100 bytes: ", description, 0);
    return VOK_OK;
}

/* The BMP files SDL 1.2's loader takes: "BM", a core or info header, 1 to 32 bits per pixel,
   uncompressed (or bit fields at 16 and 32 bits), and all the pixel rows inside the file. */
static int CheckBitmapBytes(const char *path, const unsigned char *b, long size)
{
    unsigned long offset, header, compression = 0, row;
    long width, height;
    int planes, bits;
    if (size < 26 || b[0] != 'B' || b[1] != 'M') return Fail(VOK_BAD_BITMAP, path, " is not a BMP file", 0);
    offset = GetUint32(b + 10);
    header = GetUint32(b + 14);
    if (header == 12) {
        width = (long)(b[18] | (b[19] << 8));
        height = (long)(b[20] | (b[21] << 8));
        planes = b[22] | (b[23] << 8);
        bits = b[24] | (b[25] << 8);
    } else if (header >= 40 && (long)(14 + header) <= size) {
        width = GetInt32(b + 18);
        height = GetInt32(b + 22);
        planes = b[26] | (b[27] << 8);
        bits = b[28] | (b[29] << 8);
        compression = GetUint32(b + 30);
    } else {
        return Fail(VOK_BAD_BITMAP, path, ": unknown BMP header", 0);
    }
    if (height < 0) height = -height; /* rows stored top down */
    if (width < 1 || height < 1 || width > 4096 || height > 4096) return Fail(VOK_BAD_BITMAP, path, ": bad width or height", 0);
    if (planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return Fail(VOK_BAD_BITMAP, path, ": unsupported bits per pixel", 0);
    if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32)))
        return Fail(VOK_BAD_BITMAP, path, ": compressed BMP, which vok does not load", 0);
    row = ((unsigned long)width * (unsigned long)bits + 31) / 32 * 4;
    if (offset < 14 + header || offset > (unsigned long)size || row * (unsigned long)height > (unsigned long)size - offset)
        return Fail(VOK_BAD_BITMAP, path, ": pixel data cut short", 0);
    return VOK_OK;
}

int VokCheckBitmap(const char *path)
{
    unsigned char *bytes = 0;
    long size = 0;
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

int VokWriteRecords(const char *folder, const VokAchievement *records, int count)
{
    unsigned char *bytes;
    int i, result;
    if (count < 0 || count > VOK_MAX_ID || (count > 0 && !records)) return Fail(VOK_BAD_ARGUMENT, "bad record count ", Number(count), 0);
    for (i = 0; i < count; ++i)
        if (CheckId(records[i].id) != VOK_OK) return VOK_BAD_ID;
    bytes = (unsigned char *)malloc((size_t)count * VOK_RECORD_SIZE + 1);
    if (!bytes) return Fail(VOK_FULL, "out of memory", 0, 0);
    for (i = 0; i < count; ++i) VokEncodeRecord(&records[i], bytes + i * VOK_RECORD_SIZE);
    result = WriteGameFile(folder, "vok.dat", bytes, (size_t)count * VOK_RECORD_SIZE);
    free(bytes);
    return result;
}

int VokWriteSummary(const char *folder, const VokSummary *summary)
{
    unsigned char bytes[VOK_SUMMARY_SIZE];
    if (!summary) return Fail(VOK_BAD_ARGUMENT, "no summary", 0, 0);
    VokEncodeSummary(summary, bytes);
    return WriteGameFile(folder, "vok.summary", bytes, sizeof bytes);
}

int VokWriteTexts(const char *folder, const char *language, const VokText *texts, int count)
{
    char file[VOK_PATH_MAX];
    unsigned char *bytes;
    int i, result = VOK_OK;
    if (CheckName("the language", language, VOK_LANGUAGE_MAX) != VOK_OK) return VOK_BAD_ARGUMENT;
    if (count < 0 || count > VOK_MAX_ID || (count > 0 && !texts)) return Fail(VOK_BAD_ARGUMENT, "bad text count ", Number(count), 0);
    bytes = (unsigned char *)malloc((size_t)count * VOK_TEXT_RECORD_SIZE + 1);
    if (!bytes) return Fail(VOK_FULL, "out of memory", 0, 0);
    for (i = 0; i < count && result == VOK_OK; ++i) {
        result = CheckId(texts[i].id);
        if (result == VOK_OK) result = VokEncodeText(&texts[i], bytes + i * VOK_TEXT_RECORD_SIZE);
    }
    if (result == VOK_OK && Join(file, "vok.desc.", language, ""))
        result = WriteGameFile(folder, file, bytes, (size_t)count * VOK_TEXT_RECORD_SIZE);
    free(bytes);
    return result;
}

int VokWriteTitle(const char *folder, const char *title, const char *author)
{
    char text[2 * VOK_TITLE_MAX + 32];
    if (CheckLine("the title", title) != VOK_OK || CheckLine("the author", author) != VOK_OK) return VOK_BAD_ARGUMENT;
    /* both lines always: vok keeps the previous game's author when the line is missing */
    strcpy(text, "title=");
    strcat(text, title);
    strcat(text, "\r\nauthor=");
    strcat(text, author);
    strcat(text, "\r\n");
    return WriteGameFile(folder, "vok.title", text, strlen(text));
}

int VokWriteTextLanguage(const char *folder, const char *language)
{
    if (CheckName("the language", language, VOK_LANGUAGE_MAX) != VOK_OK) return VOK_BAD_ARGUMENT;
    return WriteGameFile(folder, "vok.lang", language, strlen(language)); /* vok reads the first line as it stands */
}

int VokCopyIcon(const char *folder, int id, const char *bitmapPath)
{
    char file[16];
    unsigned char *bytes = 0;
    long size = 0;
    int result;
    if (id != 0 && CheckId(id) != VOK_OK) return VOK_BAD_ID;
    if (!bitmapPath) return Fail(VOK_BAD_ARGUMENT, "no bitmap named", 0, 0);
    result = ReadWhole(bitmapPath, &bytes, &size);
    if (result == VOK_NO_STORE) return Fail(VOK_BAD_BITMAP, "no bitmap ", bitmapPath, 0);
    if (result != VOK_OK) return result;
    result = CheckBitmapBytes(bitmapPath, bytes, size);
    if (id == 0) {
        strcpy(file, "vok.icon");
    } else {
        file[0] = (char)('0' + id / 100);
        file[1] = (char)('0' + id / 10 % 10);
        file[2] = (char)('0' + id % 10);
        file[3] = '\0';
    }
    if (result == VOK_OK) result = WriteGameFile(folder, file, bytes, (size_t)size);
    free(bytes);
    return result;
}

int VokMarkUpdate(const char *playerFolder)
{
    char folder[VOK_PATH_MAX], path[VOK_PATH_MAX];
    int fd;
    if (!playerFolder || !FolderPath(folder, playerFolder, 0) || !Join(path, folder, "update", ""))
        return Fail(VOK_BAD_ARGUMENT, "bad player folder", 0, 0);
    if (!IsFolder(folder)) return Fail(VOK_NO_STORE, "no player folder ", folder, 0);
    fd = open(path, O_WRONLY | O_CREAT, 0644); /* only its existence counts */
    if (fd < 0 || fsync(fd) != 0) {
        if (fd >= 0) close(fd);
        return Fail(VOK_WRITE_FAILED, "cannot create ", path, 0);
    }
    close(fd);
    SyncFolder(folder);
    return VOK_OK;
}

/* ---- players ---- */

/* A folder vok lists as a player: "vok_" + name, holding "vok.cfg". */
static int IsPlayer(const char *store, const char *name)
{
    char path[VOK_PATH_MAX];
    struct stat status;
    if (strncmp(name, "vok_", 4) != 0 || strlen(store) + strlen(name) + 10 >= VOK_PATH_MAX) return 0;
    Join(path, store, name, "/vok.cfg");
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

static int OpenStore(const char *store, char *root)
{
    if (!store || !*store) return Fail(VOK_BAD_ARGUMENT, "no store given", 0, 0);
    if (!FolderPath(root, store, 0)) return VOK_BAD_ARGUMENT;
    if (!IsFolder(root)) return Fail(VOK_NO_STORE, "no store at ", root, " (is the card in?)");
    return VOK_OK;
}

int VokActivePlayer(const char *store, char *folder, size_t size)
{
    char root[VOK_PATH_MAX], path[VOK_PATH_MAX], line[1024];
    size_t got;
    FILE *file;
    int result = OpenStore(store, root);
    if (result != VOK_OK) return result;
    if (!folder || size == 0) return Fail(VOK_BAD_ARGUMENT, "no room for the player's folder", 0, 0);
    Join(path, root, "activevok", "");
    file = fopen(path, "rb");
    if (!file) return Fail(VOK_NO_PLAYER, "no active player: ", path, " is missing");
    got = fread(line, 1, sizeof line - 1, file);
    fclose(file);
    line[got] = '\0';
    if (strchr(line, '\n')) *strchr(line, '\n') = '\0';
    if (!IsPlayer(root, line)) return Fail(VOK_NO_PLAYER, "no active player: activevok names \"", line, "\", no player with a vok.cfg");
    if (strlen(line) >= size) return Fail(VOK_TOO_LONG, "no room for the player's folder ", line, 0);
    strcpy(folder, line);
    return VOK_OK;
}

int VokListPlayers(const char *store, void (*visit)(const char *folder, void *context), void *context)
{
    char root[VOK_PATH_MAX];
    DIR *listing;
    struct dirent *entry;
    int result = OpenStore(store, root);
    if (result != VOK_OK) return result;
    if (!visit) return Fail(VOK_BAD_ARGUMENT, "no function to call for each player", 0, 0);
    listing = opendir(root);
    if (!listing) return Fail(VOK_READ_FAILED, "cannot list ", root, 0);
    while ((entry = readdir(listing)) != 0)
        if (IsPlayer(root, entry->d_name)) visit(entry->d_name, context);
    closedir(listing);
    return VOK_OK;
}

/* ---- a game ---- */

static VokAchievement *FindRecord(const VokGame *game, int id)
{
    int i;
    for (i = 0; i < game->count; ++i)
        if (game->records[i].id == id) return (VokAchievement *)&game->records[i];
    return 0;
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

/* The first line of a small text file, without its line end; "" when missing. */
static void ReadLine(const char *path, char *line, size_t size)
{
    FILE *file = fopen(path, "rb");
    size_t got = 0;
    if (file) {
        got = fread(line, 1, size - 1, file);
        fclose(file);
    }
    line[got] = '\0';
    if (strchr(line, '\n')) *strchr(line, '\n') = '\0';
    if (strchr(line, '\r')) *strchr(line, '\r') = '\0';
}

static void ReadRecords(VokGame *game, const char *path)
{
    unsigned char *bytes = 0;
    long size = 0, offset;
    if (ReadWhole(path, &bytes, &size) != VOK_OK) return;
    for (offset = 0; size - offset >= VOK_RECORD_SIZE && game->count < VOK_MAX_ID; offset += VOK_RECORD_SIZE) {
        VokAchievement record;
        VokDecodeRecord(bytes + offset, &record);
        if (record.id >= 1 && record.id <= VOK_MAX_ID && !FindRecord(game, record.id)) game->records[game->count++] = record;
    }
    free(bytes);
}

static void ReadSummary(VokGame *game, const char *path)
{
    unsigned char *bytes = 0;
    long size = 0;
    if (ReadWhole(path, &bytes, &size) != VOK_OK) return;
    if (size >= VOK_SUMMARY_SIZE) game->favourite = GetInt32(bytes + 16);
    free(bytes);
}

/* vok.title: "title=" and "author=" lines, a later line winning, trailing blanks dropped. */
static void ReadTitle(VokGame *game, const char *path)
{
    unsigned char *bytes = 0;
    long size = 0, start = 0, end;
    if (ReadWhole(path, &bytes, &size) != VOK_OK) return;
    while (start < size) {
        char line[1024];
        long length;
        for (end = start; end < size && bytes[end] != '\n'; ++end) {}
        length = end - start;
        if (length > 1023) break; /* vok stops at an overlong line */
        memcpy(line, bytes + start, (size_t)length);
        line[length] = '\0';
        while (length > 0 && (unsigned char)line[length - 1] <= 32) line[--length] = '\0';
        if (strncmp(line, "title=", 6) == 0 && length - 6 <= VOK_TITLE_MAX) strcpy(game->title, line + 6);
        if (strncmp(line, "author=", 7) == 0 && length - 7 <= VOK_TITLE_MAX) strcpy(game->author, line + 7);
        start = end + 1;
    }
    free(bytes);
}

static void ReadTexts(VokGame *game, const char *language, const char *path)
{
    unsigned char *bytes = 0;
    long size = 0, offset;
    int index;
    if (ReadWhole(path, &bytes, &size) != VOK_OK) return;
    index = LanguageIndex(game, language, 1);
    for (offset = 0; index >= 0 && size - offset >= VOK_TEXT_RECORD_SIZE; offset += VOK_TEXT_RECORD_SIZE) {
        VokText text;
        VokDecodeText(bytes + offset, &text);
        if (text.id >= 1 && text.id <= VOK_MAX_ID && FindRecord(game, text.id)) game->texts[index][text.id - 1] = text;
    }
    free(bytes);
}

/* Every "vok.desc.<language>" file of the folder. */
static void ReadAllTexts(VokGame *game)
{
    DIR *listing = opendir(game->folder);
    struct dirent *entry;
    if (!listing) return;
    while ((entry = readdir(listing)) != 0) {
        char path[VOK_PATH_MAX];
        const char *language = entry->d_name + 9;
        if (strncmp(entry->d_name, "vok.desc.", 9) != 0 || CheckName("", language, VOK_LANGUAGE_MAX) != VOK_OK) continue;
        if (Join(path, game->folder, entry->d_name, "")) ReadTexts(game, language, path);
    }
    closedir(listing);
}

static void ReadGame(VokGame *game)
{
    char path[VOK_PATH_MAX];
    char kept[MESSAGE_SIZE];
    memcpy(kept, Message, sizeof kept); /* missing files are normal for a new game */
    if (Join(path, game->folder, "vok.dat", "")) ReadRecords(game, path);
    if (Join(path, game->folder, "vok.summary", "")) ReadSummary(game, path);
    if (Join(path, game->folder, "vok.title", "")) ReadTitle(game, path);
    if (Join(path, game->folder, "vok.lang", "")) ReadLine(path, game->textLanguage, sizeof game->textLanguage);
    ReadAllTexts(game);
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
    if (result != VOK_OK) return result;
    if (CheckName("the player folder", player, 255) != VOK_OK || CheckName("the game folder", game, 255) != VOK_OK)
        return VOK_BAD_ARGUMENT;
    if (!IsPlayer(root, player)) return Fail(VOK_NO_STORE, "no player ", player, " (a vok_ folder with vok.cfg) in the store");
    g = (VokGame *)calloc(1, sizeof *g);
    if (!g) return Fail(VOK_FULL, "out of memory", 0, 0);
    if (!FolderPath(g->player, root, player) || !FolderPath(g->folder, g->player, game)) {
        free(g);
        return VOK_BAD_ARGUMENT;
    }
    ReadGame(g);
    *opened = g;
    return VOK_OK;
}

void VokCloseGame(VokGame *game)
{
    free(game);
}

#define NEED_GAME(game) if (!(game)) return Fail(VOK_BAD_ARGUMENT, "no game", 0, 0)

int VokSetTitle(VokGame *game, const char *title, const char *author)
{
    NEED_GAME(game);
    if (CheckLine("the title", title) != VOK_OK || CheckLine("the author", author) != VOK_OK) return VOK_BAD_ARGUMENT;
    strcpy(game->title, title);
    strcpy(game->author, author);
    return VOK_OK;
}

int VokSetTextLanguage(VokGame *game, const char *language)
{
    NEED_GAME(game);
    if (CheckName("the language", language, VOK_LANGUAGE_MAX) != VOK_OK) return VOK_BAD_ARGUMENT;
    strcpy(game->textLanguage, language);
    return VOK_OK;
}

int VokDescribe(VokGame *game, int id, int points, int hidden)
{
    VokAchievement *record;
    NEED_GAME(game);
    if (CheckId(id) != VOK_OK) return VOK_BAD_ID;
    if (points < 0) return Fail(VOK_BAD_ARGUMENT, "negative points for achievement ", Number(id), 0);
    record = FindRecord(game, id);
    if (!record) {
        record = &game->records[game->count++];
        record->id = id;
        record->unlocked = 0;
    }
    record->points = points;
    record->hidden = hidden ? 1 : 0;
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
    int index;
    VokText *text;
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (CheckName("the language", language, VOK_LANGUAGE_MAX) != VOK_OK) return VOK_BAD_ARGUMENT;
    if (CheckText(name, description) != VOK_OK) return VOK_TOO_LONG;
    index = LanguageIndex(game, language, 1);
    if (index < 0) return Fail(VOK_FULL, "more than 16 text languages: ", language, 0);
    text = &game->texts[index][id - 1];
    text->id = id;
    strcpy(text->name, name);
    strcpy(text->description, description);
    return VOK_OK;
}

int VokSetIcon(VokGame *game, int id, const char *bitmapPath)
{
    int result;
    NEED_GAME(game);
    if (id != 0 && NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    if (!bitmapPath || strlen(bitmapPath) >= VOK_PATH_MAX) return Fail(VOK_BAD_ARGUMENT, "bad bitmap path", 0, 0);
    result = VokCheckBitmap(bitmapPath);
    if (result != VOK_OK) return result;
    strcpy(game->icons[id], bitmapPath);
    return VOK_OK;
}

int VokUnlock(VokGame *game, int id)
{
    NEED_GAME(game);
    if (NeedDescribed(game, id) != VOK_OK) return VOK_BAD_ID;
    FindRecord(game, id)->unlocked = 1;
    return VOK_OK;
}

int VokSetFavouriteScore(VokGame *game, int score)
{
    NEED_GAME(game);
    game->favourite = score;
    return VOK_OK;
}

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

static VokSummary Summarize(const VokGame *game)
{
    VokSummary summary;
    int i;
    summary.unlockedCount = summary.achievementCount = summary.pointsEarned = summary.pointsPossible = 0;
    summary.favouriteScore = game->favourite;
    for (i = 0; i < game->count; ++i) {
        summary.achievementCount += 1;
        summary.pointsPossible += game->records[i].points;
        if (game->records[i].unlocked) {
            summary.unlockedCount += 1;
            summary.pointsEarned += game->records[i].points;
        }
    }
    return summary;
}

static int WriteTextFiles(const VokGame *game)
{
    int language, i, result = VOK_OK;
    for (language = 0; language < game->languageCount && result == VOK_OK; ++language) {
        VokText texts[VOK_MAX_ID];
        for (i = 0; i < game->count; ++i) texts[i] = game->texts[language][game->records[i].id - 1];
        result = VokWriteTexts(game->folder, game->languages[language], texts, game->count);
    }
    return result;
}

static int WriteIcons(const VokGame *game)
{
    int id, result = VOK_OK;
    for (id = 0; id <= VOK_MAX_ID && result == VOK_OK; ++id)
        if (game->icons[id][0]) result = VokCopyIcon(game->folder, id, game->icons[id]);
    return result;
}

static int MakeGameFolder(const VokGame *game)
{
    if (IsFolder(game->folder)) return VOK_OK;
    if (mkdir(game->folder, 0755) != 0) return Fail(VOK_WRITE_FAILED, "cannot create ", game->folder, 0);
    SyncFolder(game->player);
    return VOK_OK;
}

int VokCommit(VokGame *game)
{
    VokSummary summary;
    int result;
    NEED_GAME(game);
    result = CheckComplete(game);
    if (result != VOK_OK) return result;
    if (!IsFolder(game->player)) return Fail(VOK_NO_STORE, "the player folder is gone: ", game->player, 0);
    /* vok's last fallback for texts is the language vok.lang names */
    if (!game->textLanguage[0] && game->languageCount > 0) strcpy(game->textLanguage, game->languages[0]);
    summary = Summarize(game);
    result = MakeGameFolder(game);
    if (result == VOK_OK) result = WriteIcons(game);
    if (result == VOK_OK) result = WriteTextFiles(game);
    if (result == VOK_OK) result = VokWriteTitle(game->folder, game->title, game->author);
    if (result == VOK_OK && game->textLanguage[0]) result = VokWriteTextLanguage(game->folder, game->textLanguage);
    /* vok.dat makes the folder a game: it comes after everything the game screen shows */
    if (result == VOK_OK) result = VokWriteRecords(game->folder, game->records, game->count);
    if (result == VOK_OK) result = VokWriteSummary(game->folder, &summary);
    if (result == VOK_OK) result = VokMarkUpdate(game->player);
    return result;
}

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
