/* The vok game kit: what a game links to record a player's achievements on the card, so that
   vok shows them. Plain C89 (also C++98), the C library and POSIX only. Every call returns
   VOK_OK or the reason it did nothing; VokErrorMessage() then says it in a sentence.
   C and C++ games include it as it is. The byte layouts are in kit/README.md. */
#ifndef VOK_KIT_H
#define VOK_KIT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VOK_MAX_ID 50          /* achievement ids are 1 to 50 */
#define VOK_NAME_MAX 20        /* bytes of a name, Latin-1, without its terminator */
#define VOK_DESCRIPTION_MAX 100 /* bytes of a description */
#define VOK_TITLE_MAX 255      /* bytes of a title or an author */
#define VOK_LANGUAGE_MAX 63    /* bytes of a language name, as vok's language files name them */
#define VOK_MAX_LANGUAGES 16   /* text languages of one game, "default" included */
#define VOK_PATH_MAX 1024      /* bytes of any path the kit builds */
#define VOK_ICON_SIDE 24       /* widest and tallest icon, 001 to 050 and vok.icon alike */
#define VOK_PLAYER_TEXT_MAX 1023 /* bytes of a player's name or language as vok.cfg may hold them */

/* The user-interface languages vok ships, spelt as vok's language files name them (Latin-1):
   texts in a file of exactly that name are shown to the players who chose the language. */
#define VOK_LANGUAGE_ENGLISH "English"
#define VOK_LANGUAGE_GERMAN "Deutsch"
#define VOK_LANGUAGE_FRENCH "Fran\xe7" "ais"
#define VOK_LANGUAGE_SPANISH "Espa\xf1" "ol"
#define VOK_LANGUAGE_DEFAULT "default" /* texts for players of any other language */

#define VOK_RECORD_SIZE 16      /* one record of vok.dat */
#define VOK_SUMMARY_SIZE 20     /* vok.summary */
#define VOK_TEXT_RECORD_SIZE 128 /* one record of vok.desc.<language> */
#define VOK_PROGRESS_RECORD_SIZE 16 /* one record of vok.progress */

enum VokResult {
    VOK_OK = 0,
    VOK_BAD_ARGUMENT,  /* a null pointer, an empty name or title, a line end or control byte,
                          a reserved or misspelt name, negative points */
    VOK_BAD_ID,        /* an id outside 1 to 50, or one the game has not described */
    VOK_TOO_LONG,      /* a text longer than its field, or a path longer than VOK_PATH_MAX */
    VOK_NO_STORE,      /* the store or a folder given to a single-file writer is not there */
    VOK_NO_PLAYER,     /* no active player on the card, or the player named is not one */
    VOK_BAD_BITMAP,    /* an icon vok would not load */
    VOK_MISSING_TEXT,  /* a language lacks the text of a described achievement */
    VOK_FULL,          /* more languages than VOK_MAX_LANGUAGES, or no memory */
    VOK_READ_FAILED,   /* a file of the game could not be read */
    VOK_WRITE_FAILED   /* the card refused a write; the message names the path and the reason.
                          A commit stopped before its commit point left the card as it was;
                          one stopped after it is completed by whoever next opens the game. */
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

/* A player's display name and language, as vok shows and uses them (from the player's vok.cfg). */
typedef struct VokPlayer {
    char name[VOK_PLAYER_TEXT_MAX + 1];
    char language[VOK_PLAYER_TEXT_MAX + 1]; /* "" when the player never chose one */
} VokPlayer;
int VokReadPlayer(const char *store, const char *player, VokPlayer *info);

/* ---- A game of one player ---- */

typedef struct VokGame VokGame;

/* Opens the game folder `game` of player folder `player` in `store`, reading back what
   earlier runs committed (the folder need not exist yet; it is made at the first commit).
   A folder name vok keeps for itself (".", "..", names starting ".vok-") is refused.
   Close it with VokCloseGame. */
int VokOpenGame(const char *store, const char *player, const char *game, VokGame **opened);
/* Frees the handle. Changes made since the last VokCommit are dropped, never written. */
void VokCloseGame(VokGame *game);

/* Title (not empty) and author, at most 255 bytes each, no control bytes, no trailing blank. */
int VokSetTitle(VokGame *game, const char *title, const char *author);
/* The language the game's own texts are written in (vok.lang): vok falls back to it. */
int VokSetTextLanguage(VokGame *game, const char *language);
/* Adds or changes achievement `id` (points 0 or more); records keep the order of their first
   description. */
int VokDescribe(VokGame *game, int id, int points, int hidden);
/* Name (at most 20 bytes) and description (at most 100) of a described achievement in
   `language`: one of the VOK_LANGUAGE_ names, or a language vok does not ship yet. A name that
   differs from a shipped one only by letter case or by UTF-8 is refused (vok would never pick it). */
int VokSetText(VokGame *game, int id, const char *language, const char *name, const char *description);
/* A BMP file copied at commit as the icon of `id`, or (id 0) as the game's vok.icon; at most
   VOK_ICON_SIDE pixels wide and tall, in a form vok loads. */
int VokSetIcon(VokGame *game, int id, const char *bitmapPath);
int VokUnlock(VokGame *game, int id);
/* VokUnlock that also tells whether this call unlocked it: `newlyUnlocked` (may be null) is 1
   when the achievement was locked before, 0 when the player had it already. */
int VokUnlockOnce(VokGame *game, int id, int *newlyUnlocked);
/* VokUnlock with the time the game knows it happened, in seconds since 1970-01-01 00:00 UTC
   (0: unknown), for a game that keeps its own record of when; one already unlocked keeps the
   earlier known time. */
int VokUnlockAt(VokGame *game, int id, unsigned long seconds);
int VokSetFavouriteScore(VokGame *game, int score);
/* Progress towards achievement `id`, shown by vok as a bar "current / target" while it is
   locked: 0 <= current <= target; target 0 shows no bar. It does not unlock the achievement
   (call VokUnlock when the target is reached). */
int VokSetProgress(VokGame *game, int id, int current, int target);
/* Locks achievement `id` again and clears its progress and unlock time: for developers trying
   their game, never for players. The next commit writes it locked whatever the card holds. */
int VokRelock(VokGame *game, int id);
/* Writes the game's files as one commit: vok, vok-card and other writers see all of them
   changed or none, whatever point a power cut or a kill stops it at. Under the game folder's
   lock it reads the card again and merges this handle's changes into what is there: an unlock
   is never lost, texts, points and title set here replace what was there. Only changed files
   are written; a commit that changes nothing writes nothing. The player's update marker is
   made so that vok recomputes the totals. */
int VokCommit(VokGame *game);
/* VokUnlock and VokUnlockOnce record the time of the unlock (0, unknown, while the clock reads
   before 2001, as on a handheld whose clock was never set); under two writers the earlier
   known time wins, and progress set last wins. */

/* What the game holds now, read back or set since. */
int VokAchievementCount(const VokGame *game);
int VokAchievementAt(const VokGame *game, int index, VokAchievement *achievement);
int VokGetAchievement(const VokGame *game, int id, VokAchievement *achievement);
int VokGetText(const VokGame *game, int id, const char *language, VokText *text);
int VokFavouriteScore(const VokGame *game);
const char *VokTitle(const VokGame *game);
const char *VokAuthor(const VokGame *game);
const char *VokTextLanguage(const VokGame *game);
/* The progress of a described achievement: 0 and 0 when the game set none. */
int VokGetProgress(const VokGame *game, int id, int *current, int *target);
/* When a described achievement was unlocked, in seconds since 1970-01-01 00:00 UTC; 0 when it
   is locked or the time is not known. */
int VokGetUnlockTime(const VokGame *game, int id, unsigned long *seconds);

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

#ifdef __cplusplus
}
#endif

#endif
