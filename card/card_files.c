/* Reading and writing the card's files; see card_files.h. */
#ifndef _XOPEN_SOURCE
#define _XOPEN_SOURCE 700 /* fsync, fdopendir, O_CLOEXEC under -std=c89 */
#endif

#include "card/card_files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "card/card_format.h"

int CardOpenRegular(const char *path, size_t *size)
{
    struct stat status;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        *size = (size_t)status.st_size;
        if ((off_t)*size != status.st_size) *size = (size_t)-1; /* past what a 32-bit size holds */
        return fd;
    }
    close(fd);
    return -1;
}

long CardReadAll(int fd, void *buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t got = read(fd, (unsigned char *)buffer + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += (size_t)got;
    }
    return (long)done;
}

int CardReadFile(const char *path, size_t limit, unsigned char **bytes, size_t *size)
{
    size_t room;
    long got = -1;
    unsigned char *buffer;
    int fd = CardOpenRegular(path, &room);
    if (fd < 0) return 0;
    room = room < limit ? room : limit; /* all that is read: a file that grows meanwhile is cut there */
    buffer = (unsigned char *)malloc(room + 1);
    if (buffer) got = CardReadAll(fd, buffer, room);
    close(fd);
    if (got < 0) {
        free(buffer);
        return 0;
    }
    *bytes = buffer;
    *size = (size_t)got;
    return 1;
}

int CardReadTextFile(const char *path, unsigned char **bytes, size_t *size)
{
    if (!CardReadFile(path, CARD_TEXT_FILE_LIMIT + 1, bytes, size)) return 0;
    if (*size > CARD_TEXT_FILE_LIMIT) { /* the limit cut the line after the last line end before it */
        size_t end = CARD_TEXT_FILE_LIMIT;
        while (end > 0 && (*bytes)[end - 1] != '\n') --end;
        *size = end;
    }
    return 1;
}

int CardTemporaryName(const char *name, char *temporary, size_t size)
{
    char unique[32];
    sprintf(unique, "%lu.", (unsigned long)getpid());
    if (strlen(CARD_TEMPORARY_PREFIX) + strlen(unique) + strlen(name) >= size) return 0;
    strcpy(temporary, CARD_TEMPORARY_PREFIX);
    strcat(temporary, unique);
    strcat(temporary, name);
    return 1;
}

static int WriteAll(int fd, const unsigned char *bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t wrote = write(fd, bytes + done, size - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return errno;
        if (wrote == 0) return ENOSPC;
        done += (size_t)wrote;
    }
    return 0;
}

/* `name` of the folder open at `folder` (AT_FDCWD: `name` is a path) written anew: a file of
   that name a cut left goes first; O_EXCL and O_NOFOLLOW then refuse anything planted meanwhile,
   a link included, instead of writing through it. */
static int WriteNewAt(int folder, const char *name, const void *bytes, size_t size)
{
    int failure, fd;
    unlinkat(folder, name, 0);
    fd = openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    failure = WriteAll(fd, (const unsigned char *)bytes, size);
    if (!failure && fsync(fd) != 0) failure = errno;
    if (close(fd) != 0 && !failure) failure = errno;
    if (failure) unlinkat(folder, name, 0);
    return failure;
}

int CardWriteNewFile(const char *path, const void *bytes, size_t size)
{
    return WriteNewAt(AT_FDCWD, path, bytes, size);
}

/* `target` replaced by `temporary` written anew, both of the folder open at `folder`: rename
   only after fsync, so that a power cut leaves the old file or the new, never half. */
static int ReplaceAt(int folder, const char *temporary, const char *target, const void *bytes, size_t size)
{
    int failure = WriteNewAt(folder, temporary, bytes, size);
    if (!failure && renameat(folder, temporary, folder, target) != 0) {
        failure = errno;
        unlinkat(folder, temporary, 0);
    }
    return failure;
}

/* The folder part of `path` ("." for a bare name) and where its name starts. */
static int SplitPath(const char *path, char *folder, const char **name)
{
    const char *slash = strrchr(path, '/');
    *name = slash ? slash + 1 : path;
    if (!**name || (size_t)(*name - path) >= CARD_PATH_MAX) return 0;
    memcpy(folder, path, (size_t)(*name - path));
    folder[*name - path] = '\0';
    return 1;
}

int CardWriteFile(const char *path, const void *bytes, size_t size)
{
    char folder[CARD_PATH_MAX], name[CARD_PATH_MAX], temporary[CARD_PATH_MAX];
    const char *base;
    int failure;
    if (!SplitPath(path, folder, &base) || !CardTemporaryName(base, name, sizeof name) ||
        !CardJoin(temporary, folder, name, ""))
        return ENAMETOOLONG;
    failure = ReplaceAt(AT_FDCWD, temporary, path, bytes, size);
    if (!failure) CardSyncFolder(folder[0] ? folder : ".");
    return failure;
}

int CardWriteFileAt(int folder, const char *name, const void *bytes, size_t size)
{
    char temporary[CARD_PATH_MAX];
    int failure;
    if (!*name || strchr(name, '/') || !CardTemporaryName(name, temporary, sizeof temporary)) return ENAMETOOLONG;
    failure = ReplaceAt(folder, temporary, name, bytes, size);
    if (!failure) fsync(folder); /* best effort, as CardSyncFolder */
    return failure;
}

void CardSyncFolder(const char *folder)
{
    int fd = open(folder, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd); /* best effort: the new name is in place already, there is no old one to go back to */
    close(fd);
}

int CardTouchFile(const char *path, const char *folder)
{
    int failure = 0, fd = open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644); /* only its existence counts */
    if (fd < 0) return errno;
    if (fsync(fd) != 0) failure = errno;
    close(fd);
    if (!failure) CardSyncFolder(folder);
    return failure;
}

long CardMountId(int fd)
{
    char path[64], line[128];
    long id = -1;
    FILE *info;
    sprintf(path, "/proc/self/fdinfo/%d", fd);
    info = fopen(path, "r");
    if (!info) return -1;
    while (id < 0 && fgets(line, sizeof line, info))
        if (sscanf(line, "mnt_id: %ld", &id) != 1) id = -1;
    fclose(info);
    return id;
}

int CardSameMount(int parent, int folder)
{
    long parentId = CardMountId(parent);
    return parentId < 0 || CardMountId(folder) == parentId;
}

int CardOpenFolderAt(int parent, const char *name, dev_t device)
{
    struct stat status;
    int folder = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return -1;
    if (fstat(folder, &status) != 0 || status.st_dev != device || !CardSameMount(parent, folder)) {
        close(folder);
        errno = EXDEV;
        return -1;
    }
    return folder;
}

int CardIsPlayer(const char *store, const char *name)
{
    char path[CARD_PATH_MAX];
    struct stat status;
    if (!CardIsPlayerFolder(name) || !CardJoin(path, store, name, "")) return 0;
    if (lstat(path, &status) != 0 || !S_ISDIR(status.st_mode)) return 0; /* a link is never a player */
    return CardJoin(path, store, name, "/" CARD_PROFILE_FILE) && stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

int CardListFolder(const char *path, void (*visit)(const char *name, void *context), void *context)
{
    /* O_DIRECTORY: a FIFO or device in a folder's place is refused before it could block */
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC), count = 0;
    DIR *folder;
    if (fd < 0) return 0;
    folder = fdopendir(fd);
    if (!folder) {
        close(fd);
        return 0;
    }
    /* readdir ends with a null entry both at the end and on an error (EOVERFLOW on a 32-bit
       build without 64-bit inode numbers, EIO on a failing card); only errno tells them apart */
    for (;;) {
        struct dirent *entry;
        errno = 0;
        if (count == CARD_MAX_FOLDER_ENTRIES || !(entry = readdir(folder))) break;
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        ++count;
        visit(entry->d_name, context);
    }
    count = errno == 0;
    closedir(folder);
    return count;
}

int CardJoin(char *out, const char *a, const char *b, const char *c)
{
    size_t la = strlen(a), lb = strlen(b), lc = strlen(c);
    if (la + lb + lc >= CARD_PATH_MAX) return 0;
    memmove(out, a, la);
    memcpy(out + la, b, lb);
    memcpy(out + la + lb, c, lc + 1);
    return 1;
}
