// Removing a player's folder or one of its game folders from the card so that neither a
// hostile card nor a power cut can do harm: every step goes down from the store folder,
// opened once, never through a link and never onto another file system; the folder first
// leaves the listings in one rename, then is deleted; the next start finishes what a cut left.
#ifndef VOK_STORE_REMOVAL_H
#define VOK_STORE_REMOVAL_H

#include <string>
#include <sys/types.h>
#include <vector>

// Removes StoreRoot + `folder`; a link there is removed as a link. True when it is gone.
bool RemoveProfileFolder(const std::string& folder);
// Removes the game folder `game` of the player folder `folder`, after creating that player's
// update marker, so that totals counting the game are always recomputed. False when nothing
// was touched: the player folder is a link or not on the store's file system, or the marker
// could not be made. True when the removal went ahead (what resisted it may still be there).
bool RemoveGameFolder(const std::string& folder, const std::string& game);
// Start-up: deletes the remnants of removals and the temporaries of writes a power cut
// interrupted, in the store and in every player folder; `storeEntries` are the store folder's
// entries as just listed (StoreEntries after a scan), so the folder is read once.
void FinishRemovals(const std::vector<std::string>& storeEntries);
// True for the name a folder takes while it is being removed: never a player or a game.
bool IsRemovalRemnant(const std::string& name);

// The removal of the entry `name` of the folder open at `parent` on the file system `device`:
// a link or file is unlinked; a folder on `device` is renamed to the remnant name, then
// deleted. Exposed for the tests, which hand it a foreign device.
bool HideAndRemove(int parent, const std::string& name, dev_t device);

#endif
