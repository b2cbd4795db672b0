/* vok.progress; see card_progress.h for the byte layout. */
#include "card/card_progress.h"

#include <stdio.h>
#include <string.h>

void CardDecodeProgress(const unsigned char *bytes, CardProgress *progress)
{
    progress->id = CardGetInt32(bytes);
    progress->current = CardGetInt32(bytes + 4);
    progress->target = CardGetInt32(bytes + 8);
    progress->unlockedAt = CardGetUint32(bytes + 12);
}

void CardEncodeProgress(const CardProgress *progress, unsigned char *bytes)
{
    CardPutInt32(bytes, progress->id);
    CardPutInt32(bytes + 4, progress->current);
    CardPutInt32(bytes + 8, progress->target);
    CardPutInt32(bytes + 12, CardWrapInt32(progress->unlockedAt));
}

int CardDecodeProgressRecords(const unsigned char *bytes, size_t size, CardProgress *records, int most)
{
    int count = 0;
    size_t offset;
    for (offset = 0; size - offset >= CARD_PROGRESS_RECORD_SIZE && count < most; offset += CARD_PROGRESS_RECORD_SIZE)
        CardDecodeProgress(bytes + offset, &records[count++]);
    return count;
}

int CardFindProgress(const CardProgress *records, int count, int id, CardProgress *found)
{
    int i;
    for (i = count - 1; i >= 0; --i)
        if (records[i].id == id) {
            *found = records[i];
            return 1;
        }
    memset(found, 0, sizeof *found);
    found->id = id;
    return 0;
}

int CardProgressIsEmpty(const CardProgress *progress)
{
    return progress->current == 0 && progress->target == 0 && progress->unlockedAt == 0;
}

int CardProgressShown(const CardProgress *progress)
{
    if (progress->target <= 0 || progress->current <= 0) return 0;
    return progress->current > progress->target ? progress->target : progress->current;
}

unsigned long CardEarlierUnlock(unsigned long a, unsigned long b)
{
    if (a == 0) return b;
    if (b == 0) return a;
    return a < b ? a : b;
}

void CardDateFromSeconds(unsigned long seconds, CardDateTime *date)
{
    /* days to a civil date, counted in 400-year eras from 0000-03-01 (H. Hinnant's method) */
    unsigned long days = (seconds & 0xFFFFFFFFUL) / 86400UL, rest = (seconds & 0xFFFFFFFFUL) % 86400UL;
    unsigned long z = days + 719468UL, era = z / 146097UL, dayOfEra = z - era * 146097UL;
    unsigned long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned long monthIndex = (5 * dayOfYear + 2) / 153; /* 0 is March */
    date->day = (int)(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    date->month = (int)(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    date->year = (int)(yearOfEra + era * 400) + (date->month <= 2 ? 1 : 0);
    date->hour = (int)(rest / 3600);
    date->minute = (int)(rest / 60 % 60);
    date->second = (int)(rest % 60);
}

void CardIsoTime(unsigned long seconds, char *text)
{
    CardDateTime d;
    CardDateFromSeconds(seconds, &d);
    sprintf(text, "%04d-%02d-%02dT%02d:%02d:%02dZ", d.year % 10000, d.month, d.day, d.hour, d.minute, d.second);
}
