// Deletes a folder and everything in it, in process: never through a shell, never
// following a symbolic link, never leaving the folder it was given.
#ifndef VOK_STORE_REMOVE_TREE_H
#define VOK_STORE_REMOVE_TREE_H

#include <string>

// True when `path` is gone afterwards. A link at `path` itself is removed, not followed.
bool RemoveTree(const std::string& path);

#endif
