// The store folder as opened at start-up, and every write vok makes into it: the player
// folders are reached from that folder one name at a time, never through a link and never onto
// another mount, and nothing is written once StoreRoot no longer reaches the folder opened
// (the card pulled, unmounted, or its folder replaced).
#ifndef VOK_STORE_STORE_FOLDER_H
#define VOK_STORE_STORE_FOLDER_H

#include <string>

#include "frame/state.h"

extern int CardGone; // 1 once StoreRoot was found no longer reaching the store folder opened

// At start-up only: creates StoreRoot when missing and remembers the folder it reaches. Later
// calls do nothing, so a rescan never makes a store folder again.
void OpenStoreFolder();
// True while StoreRoot still reaches the folder OpenStoreFolder remembered (same device, inode
// and mount). Otherwise false; the first time, CardGone is set and NoticeCardGone raised.
bool StoreReachable();
// The notice for a write that failed: NoticeCardGone while the card's loss is being told,
// NoticeNotSaved otherwise.
Notice WriteFailedNotice();
// A real player folder `folder` of the store (no link, the store's mount), or "" for the store
// folder itself, opened for writes in it; -1 when it cannot be reached. Caller closes.
int OpenStoreFolderAt(const std::string& folder);

// Writes into `folder` (as above), each checked against StoreReachable first; false when
// nothing was written.
bool WriteStoreFile(const std::string& folder, const std::string& name, const std::string& content);
bool RemoveStoreFile(const std::string& folder, const std::string& name);
bool MakePlayerFolder(const std::string& folder);   // a new, empty player folder
bool RemoveEmptyPlayerFolder(const std::string& folder);

#endif
