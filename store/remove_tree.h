// Deletes a folder and everything in it, in process: never through a shell, never
// following a symbolic link, never leaving the folder it was given nor its file system.
#ifndef VOK_STORE_REMOVE_TREE_H
#define VOK_STORE_REMOVE_TREE_H

#include <string>
#include <vector>
#include <sys/types.h>

// Removes the entry `name` of the folder open at `parent` with everything below it. Links and
// files are unlinked, never followed; a folder of another file system than `device` (a mount)
// is never entered and stays. True when the entry is gone afterwards.
bool RemoveTreeAt(int parent, const std::string& name, dev_t device);
// The same for a path: its parent is opened by that path, its device is the one kept to.
// A link at `path` itself is removed, not followed.
bool RemoveTree(const std::string& path);
// The names in the folder open at `folder`, "." and ".." left out; `folder` stays open.
std::vector<std::string> FolderEntriesAt(int folder);

#endif
