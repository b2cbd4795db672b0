#include "store/store_paths.h"

#include "frame/state.h"
#include "store/game_commits.h"
#include "store/profiles.h"

// Appended into one string sized once: a chain of + copies every part again for each step.
std::string ProfilePath(const ProfileRecord& profile, const std::string& file)
{
    std::string path;
    path.reserve(StoreRoot.size() + profile.folder.size() + 1 + file.size());
    path.append(StoreRoot).append(profile.folder).append(1, '/').append(file);
    return path;
}

std::string GamePath(const ProfileRecord& profile, const std::string& game, const std::string& file)
{
    std::string path;
    path.reserve(StoreRoot.size() + profile.folder.size() + 1 + game.size() + 1 + file.size());
    path.append(StoreRoot).append(profile.folder).append(1, '/').append(game).append(1, '/').append(file);
    return GameFileToRead(path);
}

std::string WithTrailingSlash(const std::string& text)
{
    if (!text.empty() && text[text.size() - 1] == '/') return text;
    return text + "/";
}
