#include "screens/menu_actions.h"

#include <algorithm>

#include "frame/state.h"
#include "localization/language_table.h"
#include "screens/notices.h"
#include "store/active_profile.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/removal.h"
#include "store/store_folder.h"

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

// The player the rescan selected, shown as a switch to it would show it: its language, its
// totals brought up to date, its rankings. The removed player's would be wrong for it.
static void ShowSelectedProfile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    LanguageTable.SetLanguage(profile->lang);
    if (HasUpdateMarker()) RecomputeTotals();
    LoadRanking();
}

// The rescan selects the last player listed. A removal the card refused changes nothing on
// the screen but the notice: the player stays selected and listed.
void RemoveProfile()
{
    const ProfileRecord* profile = CurrentProfile();
    if (!profile) return;
    if (!RemoveProfileFolder(profile->folder)) {
        NoticeId = WriteFailedNotice();
        return;
    }
    ScanStore();
    ShowSelectedProfile();
}

// Totals and rankings are rebuilt without the game; then either the next game is shown or,
// with none left, the home screen. A removal that could not start (the player's folder a
// link, the marker not made) leaves everything, the screen included, as it was.
void RemoveGame()
{
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game) return;
    const std::string removed = *game;
    if (!RemoveGameFolder(profile->folder, removed)) {
        NoticeId = WriteFailedNotice();
        return;
    }
    RecomputeTotals();
    LoadRanking();
    ListGames();
    if (std::find(GameFolders.begin(), GameFolders.end(), removed) != GameFolders.end())
        NoticeId = WriteFailedNotice(); // what resisted the removal is still there
    if (GameFolders.empty()) {
        ScreenMode = ScreenHome;
        return;
    }
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    LoadAchievementTexts();
}
