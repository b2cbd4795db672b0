#include "profile/profile_file.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "card/card_format.h"
#include "frame/state.h"
#include "store/player_file.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "store/store_folder.h"

ProfileRecord EditedProfile;

bool SaveProfileFile()
{
    if (EditedProfile.folder.empty()) return false;
    return WriteProfileFile(EditedProfile);
}

std::string MakeProfileFolderName(const std::string& name)
{
    std::string folder = CARD_PLAYER_PREFIX;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c <= 32) continue;
        folder += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    }
    return folder;
}

static ProfileRecord* FindProfile(const std::string& folder)
{
    for (size_t i = 0; i < Profiles.size(); ++i)
        if (Profiles[i]->folder == folder) return Profiles[i];
    return 0;
}

// A new player's folder. Names that differ only in case or blanks ("Ana", "ANA", "A na")
// give the same folder, so when it is already taken, by a listed player or by anything on
// the card (a dangling link too, which mkdir would not replace), "2", "3", ... is appended until the name is free: no two players ever share a
// folder and nobody's files are taken over. A "/" would reach into another folder and is dropped.
static std::string UnusedProfileFolder(const std::string& name)
{
    std::string base;
    std::string made = MakeProfileFolderName(name);
    for (size_t i = 0; i < made.size(); ++i)
        if (made[i] != '/') base += made[i];
    std::string folder = base;
    for (unsigned int n = 2; FindProfile(folder) || EntryExists(StoreRoot + folder); ++n) {
        char number[16];
        std::sprintf(number, "%u", n);
        folder = base + number;
    }
    return folder;
}

// A new player exists only once its folder and its "vok.cfg" are on the card; otherwise the
// folder made here goes again (rmdir takes only an empty one) and nothing is listed.
static bool AddNewProfile()
{
    EditedProfile.folder = UnusedProfileFolder(EditedProfile.name);
    if (!MakePlayerFolder(EditedProfile.folder) || !SaveProfileFile()) {
        RemoveEmptyPlayerFolder(EditedProfile.folder);
        EditedProfile.folder.clear(); // still a new player: the next save tries afresh
        return false;
    }
    ProfileRecord* record = new ProfileRecord; // totals start at 0
    record->folder = EditedProfile.folder;
    Profiles.push_back(record);
    SelectedProfile = static_cast<int>(Profiles.size()) - 1;
    LoadRanking();
    return true;
}

bool CommitProfile()
{
    if (EditedProfile.folder.empty()) {
        if (!AddNewProfile()) return false;
    } else if (!SaveProfileFile()) {
        return false; // the listed player keeps what its file still holds
    }
    // The record of the edited folder, which is the selected one whenever the editor was
    // opened from the home screen; never another player's.
    ProfileRecord* record = FindProfile(EditedProfile.folder);
    if (record) {
        for (int i = 0; i < CARD_PROFILE_KEYS; ++i) record->*ProfileFields[i] = EditedProfile.*ProfileFields[i];
        record->languageIndex = EditedProfile.languageIndex;
    }
    return true;
}

// SetEditedProfile's parameters in their order; ears comes before nose there.
static std::string ProfileRecord::* const EditedFields[] = {
    &ProfileRecord::folder, &ProfileRecord::lang,   &ProfileRecord::name,    &ProfileRecord::base,
    &ProfileRecord::eyes,   &ProfileRecord::browns, &ProfileRecord::ears,    &ProfileRecord::nose,
    &ProfileRecord::mouth,  &ProfileRecord::facial, &ProfileRecord::hair,    &ProfileRecord::tatoo,
    &ProfileRecord::clothes,
};

void SetEditedProfile(const std::string& folder, const std::string& lang, const std::string& name,
                      const std::string& base, const std::string& eyes, const std::string& browns,
                      const std::string& ears, const std::string& nose, const std::string& mouth,
                      const std::string& facial, const std::string& hair, const std::string& tatoo,
                      const std::string& clothes)
{
    const std::string* values[] = { &folder, &lang, &name, &base, &eyes, &browns, &ears, &nose,
                                    &mouth, &facial, &hair, &tatoo, &clothes };
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) EditedProfile.*EditedFields[i] = *values[i];
}
