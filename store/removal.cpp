#include "store/removal.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "card/card_files.h"
#include "card/card_format.h"
#include "frame/state.h"
#include "store/remove_tree.h"
#include "store/store_folder.h"

// One fixed name per folder: a removal first deletes any older remnant, so there is never
// more than one, and the name cannot grow too long. The leading "." keeps it from looking
// like a player ("vok_...") and IsGameFolderCandidate refuses it as a game.
static const char RemnantName[] = CARD_REMOVAL_REMNANT;

bool IsRemovalRemnant(const std::string& name)
{
    return CardIsRemovalRemnant(name.c_str()) != 0;
}

// The store folder itself may be reached through links (a mount point, a desktop copy);
// everything below it is not. Its device is the only file system removals work on.
static int OpenStore(dev_t* device)
{
    int store = OpenStoreFolderAt(""); // -1 once StoreRoot no longer reaches the card's store folder
    if (store < 0) return -1;
    struct stat status;
    if (fstat(store, &status) != 0) {
        close(store);
        return -1;
    }
    *device = status.st_dev;
    return store;
}

static bool IsSingleEntry(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool HideAndRemove(int parent, const std::string& name, dev_t device)
{
    if (!IsSingleEntry(name) || IsRemovalRemnant(name)) return false;
    struct stat status;
    if (fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
    if (!S_ISDIR(status.st_mode)) return unlinkat(parent, name.c_str(), 0) == 0; // one step already
    if (status.st_dev != device) return false; // a mount: not ours to empty
    if (!RemoveTreeAt(parent, RemnantName, device)) return false;
    if (renameat(parent, name.c_str(), parent, RemnantName) != 0) return false;
    // the folder is out of every listing on the card before anything in it is deleted
    fsync(parent);
    RemoveTreeAt(parent, RemnantName, device); // what resists stays hidden until the next start
    return true;
}

bool RemoveProfileFolder(const std::string& folder)
{
    dev_t device;
    int store = OpenStore(&device);
    if (store < 0) return false;
    bool gone = HideAndRemove(store, folder, device);
    close(store);
    return gone;
}

// The empty "update" file, on the card before the game folder goes: a cut at any later
// point makes the next start (or switch to the player) recompute.
static bool CreateUpdateMarker(int player)
{
    int marker = openat(player, CARD_UPDATE_MARKER, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (marker < 0) return false;
    bool ok = fsync(marker) == 0;
    if (close(marker) != 0) ok = false;
    return ok && fsync(player) == 0;
}

bool RemoveGameFolder(const std::string& folder, const std::string& game)
{
    dev_t device;
    int store = OpenStore(&device);
    if (store < 0) return false;
    int player = IsSingleEntry(folder) ? CardOpenFolderAt(store, folder.c_str(), device) : -1;
    close(store);
    if (player < 0) return false;
    bool started = IsSingleEntry(game) && !IsRemovalRemnant(game) && CreateUpdateMarker(player);
    if (started) HideAndRemove(player, game, device);
    close(player);
    return started;
}

// The temporaries of vok's own writes that a cut stopped: each writer names its own, so no
// later write replaces them. Files only; a folder of that name is not ours.
static void RemoveTemporaries(int folder, const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (CardIsTemporary(names[i].c_str())) unlinkat(folder, names[i].c_str(), 0);
}

void FinishRemovals(const std::vector<std::string>& names)
{
    dev_t device;
    int store = OpenStore(&device);
    if (store < 0) return;
    RemoveTreeAt(store, RemnantName, device);
    RemoveTemporaries(store, names);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!CardIsPlayerFolder(names[i].c_str())) continue; // only players' folders hold games
        int player = CardOpenFolderAt(store, names[i].c_str(), device);
        if (player < 0) continue;
        RemoveTreeAt(player, RemnantName, device);
        RemoveTemporaries(player, FolderEntriesAt(player));
        close(player);
    }
    close(store);
}
