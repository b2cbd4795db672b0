/* How the card's files are read and written, for vok, the game kit and vok-card alike: the
   bounded reader of regular files, the crash-safe writer with names unique to the writer, and
   folder listings. Plain C89 on POSIX that also compiles as C++98. */
#ifndef VOK_CARD_FILES_H
#define VOK_CARD_FILES_H

#include <stddef.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CARD_PATH_MAX 1024      /* bytes of any path built into the card */
#define CARD_MAX_FOLDER_ENTRIES 4096 /* entries of a folder listed; far more than a card holds */

/* A descriptor open for reading `path`, or -1 unless it is a regular file: opened without
   blocking, so a FIFO that never gets a writer cannot hang the reader, and checked after the
   open, so it is the very file read. `*size` gets its size, held at (size_t)-1. */
int CardOpenRegular(const char *path, size_t *size);
/* Reads until `size` bytes or the end, again after an interruption: the count read, -1 on an error. */
long CardReadAll(int fd, void *buffer, size_t size);
/* At most the first `limit` bytes of the regular file `path` in a new buffer (caller frees,
   never null when it returns 1). 0 when it is missing, no regular file, unreadable, or there is
   no memory for it: the reader then behaves as for a missing file. */
int CardReadFile(const char *path, size_t limit, unsigned char **bytes, size_t *size);

/* A text file: its first CARD_TEXT_FILE_LIMIT bytes, less a line cut by that limit (the lines
   past it are never needed). The same results as CardReadFile. */
int CardReadTextFile(const char *path, unsigned char **bytes, size_t *size);

/* A name for a temporary of `name` unique to this writer: CARD_TEMPORARY_PREFIX, the process
   number and ".", then `name`. 0 when it does not fit in `size`. */
int CardTemporaryName(const char *name, char *temporary, size_t size);
/* Writes `size` bytes into the new file `path` (a file already there is removed first; a
   folder or anything planted meanwhile makes it fail, never written through), every write
   checked, then fsync. 0, or the errno of the step that failed (the file then removed). */
int CardWriteNewFile(const char *path, const void *bytes, size_t size);
/* Replaces `path` with `size` bytes so that a power cut leaves the old file or the new one:
   a temporary beside it unique to this writer, fsync, rename, fsync of the folder. 0, or the
   errno of the step that failed, the old file intact and no temporary left. */
int CardWriteFile(const char *path, const void *bytes, size_t size);
/* CardWriteFile for the file `name` of the folder open at `folder`: every step relative to that
   descriptor, so a folder swapped for a link meanwhile is never written through. */
int CardWriteFileAt(int folder, const char *name, const void *bytes, size_t size);
/* fsync of a folder, so that the names just made or renamed in it survive a power cut. */
void CardSyncFolder(const char *folder);
/* Creates the empty file `path` if it is missing, synced with its folder `folder`; 0 or errno. */
int CardTouchFile(const char *path, const char *folder);

/* The card is walked one name at a time from a folder already open, never through a link and
   never onto another file system or mount (a bind mount of the same file system included). */
/* The mount id of an open descriptor (from /proc/self/fdinfo), -1 where the kernel gives none. */
long CardMountId(int fd);
/* 1 when `folder` lies on the mount of `parent`, or when the kernel tells no mount ids. */
int CardSameMount(int parent, int folder);
/* The folder `name` of the folder open at `parent`, opened for reading, on the file system
   `device` and the mount of `parent`; -1 otherwise, errno ENOTDIR or ELOOP for a file or a
   link there, EXDEV for a folder of another file system or mount. Caller closes. */
int CardOpenFolderAt(int parent, const char *name, dev_t device);
/* 1 when `name` of the store folder path `store` is a player: "vok_" and a name, a folder that
   is not a link, holding a regular "vok.cfg". */
int CardIsPlayer(const char *store, const char *name);

/* Calls `visit` with each entry of the folder `path`, "." and ".." left out, in the order the
   system gives them, at most CARD_MAX_FOLDER_ENTRIES. 0 when `path` is no folder or the
   listing failed part way (the entries visited before then stay visited). */
int CardListFolder(const char *path, void (*visit)(const char *name, void *context), void *context);

/* `out` = a + b + c; 0 when it would not fit in CARD_PATH_MAX. */
int CardJoin(char *out, const char *a, const char *b, const char *c);

#ifdef __cplusplus
}
#endif

#endif
