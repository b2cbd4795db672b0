#include "store/store_folder.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "card/card_files.h"
#include "store/store_files.h"

int CardGone = 0;

static bool StoreOpened = false;
static std::string KnownRoot;    // the StoreRoot remembered; tests choose other stores in one run
static bool StoreKnown = false;  // false when it could not be opened at start-up: nothing is written
static struct stat StoreStatus;  // the store folder as opened at start-up
static long StoreMount = -1;     // its mount id; -1 where the kernel gives none

// Remembers the folder StoreRoot reaches now.
static void RememberStore()
{
    KnownRoot = StoreRoot;
    StoreKnown = false;
    CardGone = 0;
    int store = open(StoreRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (store < 0 || fstat(store, &StoreStatus) != 0) { // every write fails, as on a read-only card
        if (store >= 0) close(store);
        return;
    }
    StoreKnown = true;
    StoreMount = CardMountId(store);
    close(store);
}

void OpenStoreFolder()
{
    if (StoreOpened && KnownRoot == StoreRoot) return;
    StoreOpened = true;
    if (!PathExists(StoreRoot)) mkdir(StoreRoot.c_str(), 0755); // a failure shows later as an empty card
    RememberStore();
}

// The store folder opened afresh from StoreRoot, or -1 when it is no longer the one of start-up.
static int OpenStore()
{
    if (KnownRoot != StoreRoot) RememberStore();
    if (!StoreKnown || CardGone) return -1;
    int store = open(StoreRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status;
    if (store >= 0 && fstat(store, &status) == 0 && status.st_dev == StoreStatus.st_dev &&
        status.st_ino == StoreStatus.st_ino && (StoreMount < 0 || CardMountId(store) == StoreMount))
        return store;
    if (store >= 0) close(store);
    CardGone = 1; // told at once, over whatever the screen shows but the goodbye
    if (NoticeId != NoticeGoodbye) NoticeId = NoticeCardGone;
    return -1;
}

bool StoreReachable()
{
    int store = OpenStore();
    if (store < 0) return false;
    close(store);
    return true;
}

Notice WriteFailedNotice()
{
    return CardGone && NoticeId == NoticeCardGone ? NoticeCardGone : NoticeNotSaved; // told once
}

int OpenStoreFolderAt(const std::string& folder)
{
    int store = OpenStore();
    if (store < 0 || folder.empty()) return store;
    int opened = -1;
    if (folder.find('/') == std::string::npos && folder != "." && folder != "..")
        opened = CardOpenFolderAt(store, folder.c_str(), StoreStatus.st_dev);
    close(store);
    return opened;
}

bool WriteStoreFile(const std::string& folder, const std::string& name, const std::string& content)
{
    int at = OpenStoreFolderAt(folder);
    if (at < 0) return false;
    bool written = CardWriteFileAt(at, name.c_str(), content.data(), content.size()) == 0;
    close(at);
    return written;
}

bool RemoveStoreFile(const std::string& folder, const std::string& name)
{
    int at = OpenStoreFolderAt(folder);
    if (at < 0) return false;
    bool removed = unlinkat(at, name.c_str(), 0) == 0 || errno == ENOENT;
    close(at);
    return removed;
}

bool MakePlayerFolder(const std::string& folder)
{
    int store = OpenStoreFolderAt("");
    if (store < 0) return false;
    bool made = folder.find('/') == std::string::npos && mkdirat(store, folder.c_str(), 0755) == 0;
    close(store);
    return made;
}

bool RemoveEmptyPlayerFolder(const std::string& folder)
{
    int store = OpenStoreFolderAt("");
    if (store < 0) return false;
    bool removed = folder.find('/') == std::string::npos && unlinkat(store, folder.c_str(), AT_REMOVEDIR) == 0;
    close(store);
    return removed;
}
