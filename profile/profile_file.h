// The profile editor's working copy EditedProfile and storing it back as a player: into its
// file "vok.cfg" (store/player_file) and into Profiles, a new player's folder made first.
#ifndef VOK_PROFILE_PROFILE_FILE_H
#define VOK_PROFILE_PROFILE_FILE_H

#include <string>
#include "store/player_file.h"
#include "store/profiles.h"

extern ProfileRecord EditedProfile; // the editor's working copy; empty folder: not stored yet

bool SaveProfileFile();                      // EditedProfile into its folder's "vok.cfg"; false: not written
std::string MakeProfileFolderName(const std::string& name); // "Ana Maria" -> "vok_anamaria"
// EditedProfile onto the card and into Profiles; false (card and Profiles unchanged, a new
// player not created) when it could not be written.
bool CommitProfile();
// Note the order: ears comes before nose.
void SetEditedProfile(const std::string& folder, const std::string& lang, const std::string& name,
                      const std::string& base, const std::string& eyes, const std::string& browns,
                      const std::string& ears, const std::string& nose, const std::string& mouth,
                      const std::string& facial, const std::string& hair, const std::string& tatoo,
                      const std::string& clothes);

#endif
