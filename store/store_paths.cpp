#include "store/store_paths.h"

#include "frame/state.h"
#include "store/profiles.h"

std::string ProfilePath(const ProfileRecord& profile, const std::string& file)
{
    return StoreRoot + profile.folder + "/" + file;
}

std::string GamePath(const ProfileRecord& profile, const std::string& game, const std::string& file)
{
    return StoreRoot + profile.folder + "/" + game + "/" + file;
}

std::string WithTrailingSlash(const std::string& text)
{
    if (!text.empty() && text[text.size() - 1] == '/') return text;
    return text + "/";
}
