/* A game's commit through a journal; see card_commit.h for the order of its steps. */
#ifndef _XOPEN_SOURCE
#define _XOPEN_SOURCE 700 /* fsync, nanosleep under -std=c89 */
#endif
#ifndef _DEFAULT_SOURCE
#define _DEFAULT_SOURCE /* flock */
#endif

#include "card/card_commit.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include "card/card_format.h"

#define JOURNAL_FIRST_LINE "vok-journal\n"
#define JOURNAL_LAST_LINE "end\n"
#define JOURNAL_SIZE (CARD_COMMIT_FILES * 2 * CARD_COMMIT_NAME + 64)

static int OpenLock(const char *folder)
{
    char path[CARD_PATH_MAX];
    if (!CardJoin(path, folder, CARD_LOCK_FILE, "")) {
        errno = ENAMETOOLONG;
        return -1;
    }
    return open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
}

int CardLockGame(const char *folder)
{
    int fd = OpenLock(folder);
    if (fd < 0) return -1;
    while (flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        close(fd);
        return -1;
    }
    return fd;
}

int CardTryLockGame(const char *folder, int milliseconds)
{
    int fd = OpenLock(folder), waited = 0;
    if (fd < 0) return -1;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        struct timespec pause;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || waited >= milliseconds) {
            int failure = errno;
            close(fd);
            errno = failure;
            return -1;
        }
        pause.tv_sec = 0;
        pause.tv_nsec = 5000000L;
        nanosleep(&pause, 0);
        waited += 5;
    }
    return fd;
}

void CardUnlockGame(int lock)
{
    if (lock >= 0) close(lock); /* closing the last descriptor releases the flock */
}

/* One "temporary TAB target" line into the journal's next slot; 0 for a malformed line. */
static int ParseJournalLine(const char *line, size_t length, CardJournal *journal)
{
    const char *tab = (const char *)memchr(line, '\t', length);
    size_t first = tab ? (size_t)(tab - line) : 0, second = tab ? length - first - 1 : 0;
    if (!tab || first == 0 || second == 0 || first >= CARD_COMMIT_NAME || second >= CARD_COMMIT_NAME ||
        journal->count == CARD_COMMIT_FILES)
        return 0;
    memcpy(journal->temporaries[journal->count], line, first);
    journal->temporaries[journal->count][first] = '\0';
    memcpy(journal->targets[journal->count], tab + 1, second);
    journal->targets[journal->count][second] = '\0';
    /* names only, never a path: a journal cannot move anything out of its folder */
    if (strchr(journal->targets[journal->count], '/') || !CardIsTemporary(journal->temporaries[journal->count]) ||
        strchr(journal->temporaries[journal->count], '/'))
        return 0;
    ++journal->count;
    return 1;
}

static int ParseJournal(const char *text, size_t size, CardJournal *journal)
{
    size_t position = strlen(JOURNAL_FIRST_LINE), last = strlen(JOURNAL_LAST_LINE);
    journal->count = 0;
    if (size < position + last || memcmp(text, JOURNAL_FIRST_LINE, position) != 0 ||
        memcmp(text + size - last, JOURNAL_LAST_LINE, last) != 0)
        return 0;
    size -= last;
    while (position < size) {
        const char *line = text + position, *end = (const char *)memchr(line, '\n', size - position);
        size_t length = end ? (size_t)(end - line) : size - position;
        if (!ParseJournalLine(line, length, journal)) return 0;
        position += length + 1;
    }
    return 1;
}

int CardReadJournal(const char *folder, CardJournal *journal)
{
    char path[CARD_PATH_MAX];
    unsigned char *bytes = 0;
    size_t size = 0;
    int whole;
    journal->count = 0;
    if (!CardJoin(path, folder, CARD_JOURNAL_FILE, "") || !CardReadFile(path, JOURNAL_SIZE, &bytes, &size)) return 0;
    whole = ParseJournal((const char *)bytes, size, journal);
    free(bytes);
    if (!whole) journal->count = 0;
    return whole;
}

/* The player's update marker, so that vok recomputes the totals with this game's files. */
static int MarkUpdate(const char *folder)
{
    char player[CARD_PATH_MAX], marker[CARD_PATH_MAX];
    if (!CardParentFolder(folder, player) || !CardJoin(marker, player, CARD_UPDATE_MARKER, "")) return ENAMETOOLONG;
    return CardTouchFile(marker, player);
}

/* Renames every temporary of `journal` that is still there over its file. */
static int CarryOut(const char *folder, const CardJournal *journal)
{
    int i;
    for (i = 0; i < journal->count; ++i) {
        char from[CARD_PATH_MAX], to[CARD_PATH_MAX];
        if (!CardJoin(from, folder, journal->temporaries[i], "") || !CardJoin(to, folder, journal->targets[i], ""))
            return ENAMETOOLONG;
        /* a temporary already gone was renamed before the cut */
        if (rename(from, to) != 0 && errno != ENOENT) return errno;
    }
    CardSyncFolder(folder);
    return 0;
}

static int RemoveJournal(const char *folder)
{
    char path[CARD_PATH_MAX];
    if (!CardJoin(path, folder, CARD_JOURNAL_FILE, "")) return ENAMETOOLONG;
    if (unlink(path) != 0 && errno != ENOENT) return errno;
    CardSyncFolder(folder);
    return 0;
}

struct Sweep {
    const char *folder;
};

static void DeleteTemporary(const char *name, void *context)
{
    char path[CARD_PATH_MAX];
    if (CardIsTemporary(name) && CardJoin(path, ((struct Sweep *)context)->folder, name, "")) unlink(path);
}

int CardFinishCommit(const char *folder)
{
    CardJournal *journal = (CardJournal *)malloc(sizeof *journal);
    struct Sweep sweep;
    int failure = 0;
    if (!journal) return ENOMEM;
    if (CardReadJournal(folder, journal)) {
        failure = MarkUpdate(folder);
        if (!failure) failure = CarryOut(folder, journal);
    }
    if (!failure) failure = RemoveJournal(folder); /* also one a cut left half-written */
    free(journal);
    if (failure) return failure;
    sweep.folder = folder;
    CardListFolder(folder, DeleteTemporary, &sweep);
    return 0;
}

int CardStageFile(const char *folder, CardJournal *commit, const char *name, const void *bytes, size_t size)
{
    char temporary[CARD_COMMIT_NAME], path[CARD_PATH_MAX];
    int failure;
    if (commit->count == CARD_COMMIT_FILES) return EMFILE;
    if (strlen(name) >= CARD_COMMIT_NAME || !CardTemporaryName(name, temporary, sizeof temporary) ||
        !CardJoin(path, folder, temporary, ""))
        return ENAMETOOLONG;
    failure = CardWriteNewFile(path, bytes, size);
    if (failure) return failure;
    strcpy(commit->targets[commit->count], name);
    strcpy(commit->temporaries[commit->count], temporary);
    ++commit->count;
    return 0;
}

void CardAbandonCommit(const char *folder, CardJournal *commit)
{
    int i;
    for (i = 0; i < commit->count; ++i) {
        char path[CARD_PATH_MAX];
        if (CardJoin(path, folder, commit->temporaries[i], "")) unlink(path);
    }
    commit->count = 0;
}

static int WriteJournal(const char *folder, const CardJournal *commit)
{
    char *text = (char *)malloc(JOURNAL_SIZE), path[CARD_PATH_MAX];
    int i, failure;
    if (!text) return ENOMEM;
    strcpy(text, JOURNAL_FIRST_LINE);
    for (i = 0; i < commit->count; ++i) {
        strcat(text, commit->temporaries[i]);
        strcat(text, "\t");
        strcat(text, commit->targets[i]);
        strcat(text, "\n");
    }
    strcat(text, JOURNAL_LAST_LINE);
    failure = CardJoin(path, folder, CARD_JOURNAL_FILE, "") ? CardWriteFile(path, text, strlen(text)) : ENAMETOOLONG;
    free(text);
    return failure;
}

int CardEndCommit(const char *folder, CardJournal *commit)
{
    int failure;
    if (commit->count == 0) return 0;
    CardSyncFolder(folder); /* the temporaries' names, before anything names them */
    failure = MarkUpdate(folder);
    if (!failure) failure = WriteJournal(folder, commit); /* the commit point */
    if (failure) {
        CardAbandonCommit(folder, commit);
        return failure;
    }
    failure = CarryOut(folder, commit);
    if (!failure) failure = RemoveJournal(folder);
    commit->count = 0;
    return failure;
}

int CardParentFolder(const char *folder, char *parent)
{
    size_t length = strlen(folder);
    while (length > 0 && folder[length - 1] == '/') --length; /* the folder's own trailing "/" */
    while (length > 0 && folder[length - 1] != '/') --length;
    if (length == 0) return CardJoin(parent, "./", "", "");
    if (length >= CARD_PATH_MAX) return 0;
    memcpy(parent, folder, length);
    parent[length] = '\0';
    return 1;
}
