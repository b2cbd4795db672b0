/* vok.progress: how far a player has come towards each achievement and when each was
   unlocked. Optional and written only by games; a card without it reads as no progress and no
   unlock times. Plain C89 that also compiles as C++98; nothing here touches a disk. */
#ifndef VOK_CARD_PROGRESS_H
#define VOK_CARD_PROGRESS_H

#include <stddef.h>

#include "card/card_format.h"

#ifdef __cplusplus
extern "C" {
#endif

#define CARD_PROGRESS_FILE "vok.progress"
#define CARD_PROGRESS_RECORD_SIZE 16
/* 2001-01-01 00:00 UTC: a clock before it was never set, so its time is no unlock time */
#define CARD_CLOCK_SET_AFTER 978307200UL

/* vok.progress: 16-byte records, no header, every field little-endian
     0 id          signed 32-bit, the achievement (1 to 50) of vok.dat it belongs to
     4 current     signed 32-bit, progress so far
     8 target      signed 32-bit, the amount that completes it; 0 or less: no progress to show
    12 unlockedAt  unsigned 32-bit, seconds since 1970-01-01 00:00 UTC of the unlock; 0: unknown
   A trailing part under 16 bytes is ignored; at most CARD_MAX_RECORDS records are read; a
   record whose id vok.dat does not hold is ignored; of an id listed twice the later wins. */
typedef struct CardProgress {
    int id;
    int current;
    int target;
    unsigned long unlockedAt; /* only the low 32 bits are ever stored */
} CardProgress;

void CardDecodeProgress(const unsigned char *bytes, CardProgress *progress);
void CardEncodeProgress(const CardProgress *progress, unsigned char *bytes);
/* The records of `size` bytes of vok.progress as they stand (at most `most`); the count read. */
int CardDecodeProgressRecords(const unsigned char *bytes, size_t size, CardProgress *records, int most);
/* The record that counts for `id`: the last one of that id. 0 (and `*found` zeroed, its id
   set) when there is none. */
int CardFindProgress(const CardProgress *records, int count, int id, CardProgress *found);
/* True when the record says nothing: no progress and no unlock time. */
int CardProgressIsEmpty(const CardProgress *progress);
/* `current` held to 0..target, what a bar shows; 0 when the target is 0 or less. */
int CardProgressShown(const CardProgress *progress);
/* Of two unlock times of one achievement, the one that counts: the earlier that is known. */
unsigned long CardEarlierUnlock(unsigned long a, unsigned long b);

/* A time in seconds since 1970-01-01 00:00 UTC as a calendar date and time of day, UTC
   (the handheld keeps no time zone); month 1 to 12, day 1 to 31. */
typedef struct CardDateTime {
    int year, month, day, hour, minute, second;
} CardDateTime;
void CardDateFromSeconds(unsigned long seconds, CardDateTime *date);
/* "YYYY-MM-DDTHH:MM:SSZ" into `text` (at least 21 bytes). */
void CardIsoTime(unsigned long seconds, char *text);

#ifdef __cplusplus
}
#endif

#endif
