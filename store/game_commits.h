// A game's commit that a power cut or a kill stopped after its commit point is finished by
// whoever next reads the game: vok finishes it on the card before it reads the game's files;
// vok-card, which never writes, reads the files the commit's journal names instead.
#ifndef VOK_STORE_GAME_COMMITS_H
#define VOK_STORE_GAME_COMMITS_H

#include <string>

extern bool ReadThroughJournals; // true in vok-card: an unfinished commit is read, never finished

// Finishes the commit a journal in the game folder `gameFolder` (a path ending in "/") names,
// under the game's lock; nothing when there is none or another writer holds the lock.
void FinishGameCommit(const std::string& gameFolder);
// True when the game folder holds the journal of a commit that did not end.
bool HasUnfinishedCommit(const std::string& gameFolder);
// The path to read for the game file `path`: while reading through journals, the temporary an
// unfinished commit replaces it with, else `path` itself.
std::string GameFileToRead(const std::string& path);

#endif
