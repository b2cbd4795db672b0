/* A game's commit: several files of one game folder replaced all together or not at all, as
   vok, vok-card and the next commit see them, whatever point a power cut or a kill stops it at,
   and one writer at a time however many write to the card.

   A commit holds the lock on the game folder (flock on CARD_LOCK_FILE) throughout. It writes
   every changed file to a temporary named for this writer and syncs it; creates the player's
   update marker; writes the journal CARD_JOURNAL_FILE naming each temporary and its file (its
   rename is the commit point); renames each temporary into place; removes the journal.
   Whoever next takes the lock finishes a journal it finds the same way and deletes the
   temporaries no journal names. Before the commit point the card reads as before the commit;
   from it on, as after it (a reader that must not write reads the temporaries the journal
   names). Plain C89 on POSIX that also compiles as C++98. */
#ifndef VOK_CARD_COMMIT_H
#define VOK_CARD_COMMIT_H

#include <stddef.h>

#include "card/card_files.h"

#ifdef __cplusplus
extern "C" {
#endif

#define CARD_COMMIT_FILES 80 /* files of one commit: 50 icons, vok.icon, texts and the rest */
#define CARD_COMMIT_NAME 128 /* bytes of a file's name in a game folder, temporaries included */

/* The files of one commit, or of one journal read back. */
typedef struct CardJournal {
    int count;
    char targets[CARD_COMMIT_FILES][CARD_COMMIT_NAME];     /* the file names replaced */
    char temporaries[CARD_COMMIT_FILES][CARD_COMMIT_NAME]; /* what replaces each */
} CardJournal;

/* The lock on the game folder `folder` (a path ending in "/"), waited for: a descriptor to
   give CardUnlockGame, or -1 with errno set. Creates the lock file when missing. */
int CardLockGame(const char *folder);
/* The same without waiting longer than about `milliseconds`; -1 with EWOULDBLOCK when another
   writer still holds it. */
int CardTryLockGame(const char *folder, int milliseconds);
void CardUnlockGame(int lock);

/* The journal of `folder`: 1 when there is a whole one (a commit past its commit point that
   did not end), 0 otherwise. Reads only. */
int CardReadJournal(const char *folder, CardJournal *journal);
/* With the lock held: carries out a journal found (renames, update marker, journal removed)
   and deletes the temporaries no journal names. 0, or the errno of the step that failed. */
int CardFinishCommit(const char *folder);

/* With the lock held, after CardFinishCommit: writes `size` bytes as the new `name` of the
   commit into a synced temporary. 0, or errno (the commit must then be abandoned). */
int CardStageFile(const char *folder, CardJournal *commit, const char *name, const void *bytes, size_t size);
/* Everything staged replaces its file, the player's update marker made first: 0, or the errno
   of the step that failed. A failure before the commit point leaves the card as before (the
   temporaries deleted); after it, the next CardFinishCommit completes it. */
int CardEndCommit(const char *folder, CardJournal *commit);
/* Deletes what was staged; the card stays as before. */
void CardAbandonCommit(const char *folder, CardJournal *commit);

/* The folder that holds `folder` (its player folder for a game folder), ending in "/". */
int CardParentFolder(const char *folder, char *parent);

#ifdef __cplusplus
}
#endif

#endif
