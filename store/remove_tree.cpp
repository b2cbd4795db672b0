#include "store/remove_tree.h"

bool RemoveTree(const std::string&) { return false; }
