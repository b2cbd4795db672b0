#include "store/active_profile.h"

#include "card/card_format.h"
#include "frame/state.h"
#include "localization/language_table.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/removal.h"
#include "store/store_files.h"
#include "store/store_folder.h"
#include "store/store_paths.h"

// The player selected at exit, as the bare folder name: no line end, no terminator.
static std::string ActiveProfilePath()
{
    return StoreRoot + "/" CARD_ACTIVE_PLAYER_FILE;
}

static void SelectActiveProfile()
{
    std::string line;
    if (!ReadFirstLine(ActiveProfilePath(), &line)) return;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        if (Profiles[i]->folder != line) continue;
        SelectedProfile = int(i);
        LanguageTable.SetLanguage(Profiles[i]->lang);
        return;
    }
}

void LoadStore()
{
    FinishRemovals(StoreEntries); // remnants are already out of every listing; this frees their space
    SelectActiveProfile();
    if (HasUpdateMarker()) RecomputeTotals(); // nothing without a player
    // else each player's totals are those ScanProfiles read: a file is read once
    LoadRanking();
}

void SaveActiveProfile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    WriteStoreFile("", CARD_ACTIVE_PLAYER_FILE, profile->folder);
}

int HasUpdateMarker()
{
    const ProfileRecord* profile = CurrentProfile();
    return profile && PathExists(ProfilePath(*profile, CARD_UPDATE_MARKER)) ? 1 : 0;
}
