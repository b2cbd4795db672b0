#include "store/active_profile.h"

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
    return StoreRoot + "/activevok";
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
    return profile && PathExists(ProfilePath(*profile, "update")) ? 1 : 0;
}

static void StartSnapshot()
{
    SnapshotCountdown = 4;
    PopupId = 0;
}

static void AskRemoveProfile() { PopupId = 2; }
static void AskRemoveGame() { PopupId = 4; }
static void ClosePopup() { PopupId = 0; }

static void ShowGoodbye()
{
    NoticeId = NoticeGoodbye;
    PopupId = 0;
}

static void ConfirmRemoveProfile()
{
    PopupId = 0;
    RemoveProfile();
}

static void ConfirmRemoveGame()
{
    PopupId = 0;
    RemoveGame();
}

// What confirming a popup line does; pairs not listed do nothing.
struct MenuRow {
    int popupId;
    int cursor;
    void (*action)();
};

static const MenuRow MenuRows[] = {
    { 1, 0, StartSnapshot },        // home menu: snapshot
    { 1, 1, AskRemoveProfile },     // home menu: remove the player
    { 1, 2, ShowGoodbye },          // home menu: exit
    { 2, 0, ConfirmRemoveProfile }, // removing the player: yes
    { 2, 1, ClosePopup },           // removing the player: no
    { 3, 0, StartSnapshot },        // game menu: snapshot
    { 3, 1, AskRemoveGame },        // game menu: remove the game
    { 3, 2, ShowGoodbye },          // game menu: exit
    { 4, 0, ConfirmRemoveGame },    // removing the game: yes
    { 4, 1, ClosePopup }            // removing the game: no
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
        ScreenMode = 1;
        return;
    }
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    LoadAchievementTexts();
}
