// Every path into the store is built here from StoreRoot, by plain concatenation.
#ifndef VOK_STORE_STORE_PATHS_H
#define VOK_STORE_STORE_PATHS_H

#include <string>

struct ProfileRecord;

// StoreRoot + folder + "/" + file  (the player's folder itself when file is empty).
std::string ProfilePath(const ProfileRecord& profile, const std::string& file);
// StoreRoot + folder + "/" + game + "/" + file (in vok-card, what an unfinished commit replaces
// it with: GameFileToRead).
std::string GamePath(const ProfileRecord& profile, const std::string& game, const std::string& file);
// `text` with a "/" appended when it does not end in one.
std::string WithTrailingSlash(const std::string& text);

#endif
