#include "profile/profile_file.h"

ProfileRecord EditedProfile;

bool LoadProfileFile(ProfileRecord*) { return false; }
void SaveProfileFile() {}
std::string MakeProfileFolderName(const std::string& name) { return "vok_" + name; }
void CommitProfile() {}
void SetEditedProfile(const std::string&, const std::string&, const std::string&, const std::string&,
                      const std::string&, const std::string&, const std::string&, const std::string&,
                      const std::string&, const std::string&, const std::string&, const std::string&,
                      const std::string&)
{
}
std::string FormatProfileFile(const ProfileRecord&) { return std::string(); }
void ParseProfileFile(const std::string&, ProfileRecord*) {}
