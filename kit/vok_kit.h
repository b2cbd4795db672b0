/* The vok game kit: what a game links to record a player's achievements on the card, so that
   vok shows them. Plain C89 (also C++98), the C library and POSIX only. Every call returns
   VOK_OK or the reason it did nothing; VokErrorMessage() then says it in a sentence.
   From C++ include it inside extern "C" { }. The byte layouts are in kit/README.md. */
#ifndef VOK_KIT_H
#define VOK_KIT_H

#include <stddef.h>

#define VOK_MAX_ID 50          /* achievement ids are 1 to 50 */
#define VOK_NAME_MAX 20        /* bytes of a name, Latin-1, without its terminator */
#define VOK_DESCRIPTION_MAX 100 /* bytes of a description */
#define VOK_TITLE_MAX 255      /* bytes of a title or an author */
#define VOK_LANGUAGE_MAX 63    /* bytes of a language name, as vok's language files name them */
#define VOK_MAX_LANGUAGES 16   /* text languages of one game, "default" included */
#define VOK_PATH_MAX 1024      /* bytes of any path the kit builds */

#define VOK_RECORD_SIZE 16      /* one record of vok.dat */
#define VOK_SUMMARY_SIZE 20     /* vok.summary */
#define VOK_TEXT_RECORD_SIZE 128 /* one record of vok.desc.<language> */

enum VokResult {
    VOK_OK = 0,
    VOK_BAD_ARGUMENT,  /* a null pointer, an empty name, a name with "/" or a line end */
    VOK_BAD_ID,        /* an id outside 1 to 50, or one the game has not described */
    VOK_TOO_LONG,      /* a text longer than its field */
    VOK_NO_STORE,      /* the store, the player or the game folder is not there */
    VOK_NO_PLAYER,     /* no active player on the card */
    VOK_BAD_BITMAP,    /* an icon vok would not load */
    VOK_MISSING_TEXT,  /* a language lacks the text of a described achievement */
    VOK_FULL,          /* more languages than VOK_MAX_LANGUAGES, or no memory */
    VOK_READ_FAILED,   /* a file of the game could not be read */
    VOK_WRITE_FAILED   /* the card refused a write; that file kept its old content */
};

/* One record of vok.dat. */
typedef struct VokAchievement {
    int id;       /* 1 to 50 */
    int points;
    int hidden;   /* non-zero: vok masks name and description while it is locked */
    int unlocked; /* non-zero: the player has it */
} VokAchievement;

/* vok.summary: the counts vok adds up into the player's totals. */
typedef struct VokSummary {
    int unlockedCount;
    int achievementCount;
    int pointsEarned;
    int pointsPossible;
    int favouriteScore; /* larger ranks the game higher among the player's favourites */
} VokSummary;

/* One record of vok.desc.<language>: the texts of one achievement, Latin-1. */
typedef struct VokText {
    int id;
    char name[VOK_NAME_MAX + 1];
    char description[VOK_DESCRIPTION_MAX + 1];
} VokText;

/* The sentence about the last call that failed (never null). */
const char *VokErrorMessage(void);

/* ---- Players ---- */

/* The folder name of the player vok had selected ("vok_..."), read from the store's
   activevok; VOK_NO_PLAYER when there is none or it names no player. */
int VokActivePlayer(const char *store, char *folder, size_t size);
/* Calls `visit` with each player's folder name, in the order the card lists them. */
int VokListPlayers(const char *store, void (*visit)(const char *folder, void *context), void *context);

/* ---- A game of one player ---- */

typedef struct VokGame VokGame;

/* Opens the game folder `game` of player folder `player` in `store`, reading back what
   earlier runs committed (the folder need not exist yet). Close it with VokCloseGame. */
int VokOpenGame(const char *store, const char *player, const char *game, VokGame **opened);
void VokCloseGame(VokGame *game);

int VokSetTitle(VokGame *game, const char *title, const char *author);
/* The language the game's own texts are written in (vok.lang): vok falls back to it. */
int VokSetTextLanguage(VokGame *game, const char *language);
/* Adds or changes achievement `id`; records keep the order of their first description. */
int VokDescribe(VokGame *game, int id, int points, int hidden);
/* Name and description of a described achievement in `language` ("default" for the text
   vok shows when it has none in the player's language). */
int VokSetText(VokGame *game, int id, const char *language, const char *name, const char *description);
/* A BMP file copied at commit as the icon of `id`, or (id 0) as the game's vok.icon. */
int VokSetIcon(VokGame *game, int id, const char *bitmapPath);
int VokUnlock(VokGame *game, int id);
int VokSetFavouriteScore(VokGame *game, int score);
/* Writes every file of the game crash-safely (only those that changed), vok.dat and
   vok.summary last, then the player's update marker so that vok recomputes the totals. */
int VokCommit(VokGame *game);

/* What the game holds now, read back or set since. */
int VokAchievementCount(const VokGame *game);
int VokAchievementAt(const VokGame *game, int index, VokAchievement *achievement);
int VokGetAchievement(const VokGame *game, int id, VokAchievement *achievement);
int VokGetText(const VokGame *game, int id, const char *language, VokText *text);
int VokFavouriteScore(const VokGame *game);
const char *VokTitle(const VokGame *game);
const char *VokAuthor(const VokGame *game);
const char *VokTextLanguage(const VokGame *game);

/* ---- The files themselves, for tools and tests ---- */

/* Byte encoders: exactly what the files hold, any values accepted. */
void VokEncodeRecord(const VokAchievement *record, unsigned char bytes[VOK_RECORD_SIZE]);
void VokEncodeSummary(const VokSummary *summary, unsigned char bytes[VOK_SUMMARY_SIZE]);
int VokEncodeText(const VokText *text, unsigned char bytes[VOK_TEXT_RECORD_SIZE]); /* VOK_TOO_LONG */
void VokDecodeRecord(const unsigned char bytes[VOK_RECORD_SIZE], VokAchievement *record);
void VokDecodeText(const unsigned char bytes[VOK_TEXT_RECORD_SIZE], VokText *text);
/* Replaces `path` with `size` bytes: temporary file, fsync, rename, fsync of the folder. */
int VokWriteFile(const char *path, const void *bytes, size_t size);

/* Writers of single files into the game folder path `folder`; ids must be 1 to 50. */
int VokWriteRecords(const char *folder, const VokAchievement *records, int count);
int VokWriteSummary(const char *folder, const VokSummary *summary);
int VokWriteTexts(const char *folder, const char *language, const VokText *texts, int count);
int VokWriteTitle(const char *folder, const char *title, const char *author);
int VokWriteTextLanguage(const char *folder, const char *language);
/* Copies a BMP (checked as vok would load it) as icon `id` ("001" to "050"), 0: "vok.icon". */
int VokCopyIcon(const char *folder, int id, const char *bitmapPath);
/* VOK_OK when `path` is a BMP vok would load. */
int VokCheckBitmap(const char *path);
/* Creates "update" in the player folder path `playerFolder`. */
int VokMarkUpdate(const char *playerFolder);

#endif
