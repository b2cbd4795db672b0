#include "store/remove_tree.h"

#include "card/card_files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <vector>

// Deeper trees are left partly in place rather than holding a descriptor per level without
// bound; a game folder never comes near this.
static const int MaxDepth = 200;
// Entries a game adds while a folder is being emptied get this many more passes.
static const int MaxPasses = 3;

static bool RemoveEntry(int parent, const std::string& name, dev_t device, int depth);

// The listing works on a duplicate so `folder` stays open for the removals.
std::vector<std::string> FolderEntriesAt(int folder)
{
    std::vector<std::string> names;
    int listing = dup(folder);
    if (listing < 0) return names;
    DIR* dir = fdopendir(listing);
    if (!dir) {
        close(listing);
        return names;
    }
    rewinddir(dir);
    while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

// The kernel's id of the mount `fd` lies on, -1 where it gives none (kernels before 3.15):
// a bind mount of the card's own file system shares its st_dev but not its mount id.
// Empties the folder `name` of `parent` and removes it. It is opened relative to `parent`
// without following a link, so a folder swapped for a link in the meantime is never
// entered: the open fails and the link itself is unlinked instead. A folder that turns out
// to lie on another file system or mount is left alone.
static bool RemoveFolder(int parent, const std::string& name, dev_t device, int depth)
{
    int folder = CardOpenFolderAt(parent, name.c_str(), device);
    if (folder < 0) { // a file or a link is unlinked; another file system or mount stays
        if (errno == ENOTDIR || errno == ELOOP) return unlinkat(parent, name.c_str(), 0) == 0;
        return false;
    }
    for (int pass = 0; pass < MaxPasses; ++pass) {
        std::vector<std::string> names = FolderEntriesAt(folder);
        bool emptied = true;
        for (size_t i = 0; i < names.size(); ++i) emptied = RemoveEntry(folder, names[i], device, depth + 1) && emptied;
        if (unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0) break;
        // another pass only for entries that appeared meanwhile, not for ones that resist
        if (!emptied || (errno != ENOTEMPTY && errno != EEXIST)) break;
    }
    close(folder);
    struct stat status;
    return fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

// Removes one entry of the folder open at `parent`: links and files are unlinked, never
// followed; folders are emptied first; anything of another file system stays.
static bool RemoveEntry(int parent, const std::string& name, dev_t device, int depth)
{
    struct stat status;
    if (fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
    if (status.st_dev != device) return false;
    if (!S_ISDIR(status.st_mode)) return unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT;
    if (depth >= MaxDepth) return false;
    return RemoveFolder(parent, name, device, depth);
}

bool RemoveTreeAt(int parent, const std::string& name, dev_t device)
{
    // "." or ".." would name the parent or beyond; "" and names with "/" no single entry.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return false;
    return RemoveEntry(parent, name, device, 0);
}

bool RemoveTree(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed[trimmed.size() - 1] == '/') trimmed.erase(trimmed.size() - 1);
    size_t slash = trimmed.rfind('/');
    std::string parentPath = slash == std::string::npos ? "." : trimmed.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    int parent = open(parentPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0) return false;
    struct stat status;
    bool gone = fstat(parent, &status) == 0 && RemoveTreeAt(parent, name, status.st_dev);
    close(parent);
    return gone;
}
