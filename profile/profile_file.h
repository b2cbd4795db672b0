// The player's profile file "vok.cfg" (language, name, ten avatar part numbers), the
// editor's working copy EditedProfile, and storing that copy back as a player.
#ifndef VOK_PROFILE_PROFILE_FILE_H
#define VOK_PROFILE_PROFILE_FILE_H

#include <string>
#include "store/profiles.h"

extern ProfileRecord EditedProfile; // the editor's working copy; empty folder: not stored yet

bool LoadProfileFile(ProfileRecord* record); // false when "vok.cfg" cannot be opened
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

// The file's text for a record, and the reverse; shared by the loader and the tests.
std::string FormatProfileFile(const ProfileRecord& record);
void ParseProfileFile(const std::string& text, ProfileRecord* record);

#endif
