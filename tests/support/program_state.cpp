#include "tests/support/program_state.h"

#include "frame/state.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "screens/game_screen.h"
#include "screens/keyboard.h"
#include "screens/notices.h"
#include "screens/profile_editor.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"

static void ResetFrame()
{
    ScreenMode = 1;
    QuitRequested = 0;
    StoreRoot = "/mnt/sd/vok/";
    PopupId = PopupCursor = NoticeId = 0;
    PopupItemCount = 3;
    Options = PlatformOptions();
    WindowZoom = 1;
    ScreenKeepsPicture = false;
    ShownPartCount = 0;
}

static void ResetStoreLists()
{
    for (ProfileRecord* record : Profiles) delete record;
    Profiles.clear();
    SelectedProfile = SelectedGame = FirstRunNoticeShown = 0;
    GameFolders.clear();
    FavouriteList.clear();
    CompletedList.clear();
    GameSummary = GameSummaryRecord{0, 0, 0, 0, 0};
    GameTitle.clear();
    GameAuthor.clear();
    Achievements.clear();
    AchievementTexts.clear();
}

static void ResetScreenState()
{
    EditedProfile = ProfileRecord();
    EditorRow = 0;
    SelectBarY = 24;
    SelectBarStep = 1;
    GridColumn = GridRow = 1;
    SnapshotCountdown = 0;
    KeyboardOpen = KeyboardShift = KeyboardLock = KeyFlashRow = KeyFlashColumn = KeyFlashFrames = 0;
    KeyboardRow = KeyboardColumn = KeyboardSlideStep = 1;
    KeyboardPanelY = 240;
}

// Surfaces first: the media, the avatar images and the card's icons, as shutdown frees them.
static void ReleaseMedia()
{
    FreeMedia();
    FreeAvatarImages();
    FreeAchievementIcons();
    FreeRankingIcons();
    FreePreparedIcons();
    FreeSound();
    for (int part = 0; part < AvatarPartCount; ++part) {
        AvatarPartFiles[part].clear();
        AvatarPartImages[part].clear();
    }
}

void ResetProgramState(MediaOnReset media)
{
    if (media == FreeTheMedia) ReleaseMedia();
    ResetFrame();
    ResetStoreLists();
    ResetScreenState();
    LanguageTable.ScanLanguages();
    LanguageTable.SetLanguage("English");
}
