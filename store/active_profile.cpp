#include "store/active_profile.h"

#include "card/card_format.h"
#include "frame/state.h"
#include "localization/language_table.h"
#include "profile/avatar.h"
#include "screens/notices.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/removal.h"
#include "store/store_files.h"
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
    FinishRemovals(); // remnants are already out of every listing; this frees their space
    SelectActiveProfile();
    if (HasUpdateMarker()) RecomputeTotals();
    else LoadTotals(); // both do nothing without a player
    LoadRanking();
}

void SaveActiveProfile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    WriteFileSafely(ActiveProfilePath(), profile->folder);
}

int HasUpdateMarker()
{
    const ProfileRecord* profile = CurrentProfile();
    return profile && PathExists(ProfilePath(*profile, CARD_UPDATE_MARKER)) ? 1 : 0;
}

static void StartSnapshot()
{
    SnapshotCountdown = 4;
    PopupId = PopupNone;
}

static void AskRemoveProfile() { PopupId = PopupRemoveProfile; }
static void AskRemoveGame() { PopupId = PopupRemoveGame; }
static void ClosePopup() { PopupId = PopupNone; }

static void ShowGoodbye()
{
    NoticeId = NoticeGoodbye;
    PopupId = PopupNone;
}

static void ConfirmRemoveProfile()
{
    PopupId = PopupNone;
    RemoveProfile();
}

static void ConfirmRemoveGame()
{
    PopupId = PopupNone;
    RemoveGame();
}

// What confirming a popup line does; pairs not listed do nothing.
struct MenuRow {
    Popup popupId;
    int cursor;
    void (*action)();
};

static const MenuRow MenuRows[] = {
    { PopupHomeMenu, 0, StartSnapshot },
    { PopupHomeMenu, 1, AskRemoveProfile },
    { PopupHomeMenu, 2, ShowGoodbye },
    { PopupRemoveProfile, 0, ConfirmRemoveProfile }, // yes
    { PopupRemoveProfile, 1, ClosePopup },           // no
    { PopupGameMenu, 0, StartSnapshot },
    { PopupGameMenu, 1, AskRemoveGame },
    { PopupGameMenu, 2, ShowGoodbye },
    { PopupRemoveGame, 0, ConfirmRemoveGame },       // yes
    { PopupRemoveGame, 1, ClosePopup }               // no
};

void MenuAction()
{
    for (size_t i = 0; i < sizeof MenuRows / sizeof MenuRows[0]; ++i) {
        if (MenuRows[i].popupId == PopupId && MenuRows[i].cursor == PopupCursor) {
            MenuRows[i].action();
            return;
        }
    }
}

// The rescan selects the last player listed; language and ranking lists stay as they were.
void RemoveProfile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    RemoveProfileFolder(profile->folder);
    ScanStore();
}

// Totals and rankings are rebuilt without the game; then either the next game is shown or,
// with none left, the home screen. A removal that could not start (the player's folder a
// link, the marker not made) leaves everything, the screen included, as it was.
void RemoveGame()
{
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game) return;
    if (!RemoveGameFolder(profile->folder, *game)) return;
    RecomputeTotals();
    LoadRanking();
    ListGames();
    if (GameFolders.empty()) {
        ScreenMode = ScreenHome;
        return;
    }
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    LoadAchievementTexts();
}
