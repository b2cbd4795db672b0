#include "screens/notices.h"

#include "frame/state.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "store/profiles.h"

int SnapshotCountdown = 0;

static std::string Text(int id)
{
    return LanguageTable.GetText(id);
}

std::string NoticeText(int noticeId)
{
    const ProfileRecord* profile = CurrentProfile();
    switch (noticeId) {
    case 1:
        return Text(TextNoticeNoProfile);
    case 2:
        return Text(TextNoticeFirstProfile);
    case 3: // needs the player it says goodbye to
        return profile ? profile->name + " " + Text(TextGoodbye) : "";
    case 4: // names the card's snapshot file
        return profile ? Text(TextSnapshotSaved) + " " + profile->folder + ".bmp " + Text(TextSnapshotWhere) : "";
    case 5:
        if (!profile || GameFolders.empty())
            return "";
        return Text(TextSnapshotSaved) + " bmp " + Text(TextSnapshotWhere);
    case 6:
        return Text(TextNoticeNoName);
    default:
        return "";
    }
}

void DrawNotice()
{
    std::string text = NoticeText(NoticeId);
    if (!text.empty())
        DrawNoticeBox(text.c_str());
}

bool DismissNotice()
{
    if (NoticeId == 0)
        return false;
    if (NoticeId == 3)
        QuitRequested = 1;
    NoticeId = 0;
    return true;
}

// Replaces StoreRoot + fileName with the screen as drawn so far; failures stay silent.
static void SaveSnapshot(const std::string& fileName)
{
    if (!ScreenSurface)
        return;
    SDL_RWops* file = SDL_RWFromFile((StoreRoot + fileName).c_str(), "wb");
    if (file)
        SDL_SaveBMP_RW(ScreenSurface, file, 1);
}

void SnapshotStep(const std::string& fileName, int noticeId)
{
    if (SnapshotCountdown <= 0)
        return;
    SnapshotCountdown = SnapshotCountdown - 1;
    // An empty name means there is no player (or game) to name the file after.
    if (SnapshotCountdown == 1 && !Profiles.empty() && !fileName.empty())
        SaveSnapshot(fileName);
    NoticeId = noticeId;
}
