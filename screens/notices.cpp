#include "screens/notices.h"

#include "frame/state.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "store/profiles.h"

int SnapshotCountdown = 0;

// A notice's text is `before` + the middle part + `after`; text id 0 adds nothing.
enum NoticeNeed { NeedsNothing, NeedsPlayer, NeedsPlayerAndGame };
struct NoticeRow {
    Notice id;
    NoticeNeed need;
    int before;
    std::string (*middle)(const ProfileRecord* player); // player null only with NeedsNothing
    int after;
};

static std::string NoMiddle(const ProfileRecord*) { return ""; }
static std::string NameAndBlank(const ProfileRecord* player) { return player->name + " "; }
static std::string CardFileName(const ProfileRecord* player) { return " " + player->folder + ".bmp "; }
static std::string GameFileWord(const ProfileRecord*) { return " bmp "; }

static const NoticeRow Notices[] = {
    { NoticeNoProfile, NeedsNothing, TextNoticeNoProfile, NoMiddle, 0 },
    { NoticeFirstProfile, NeedsNothing, TextNoticeFirstProfile, NoMiddle, 0 },
    { NoticeGoodbye, NeedsPlayer, 0, NameAndBlank, TextGoodbye },
    { NoticeCardSnapshot, NeedsPlayer, TextSnapshotSaved, CardFileName, TextSnapshotWhere },
    { NoticeGameSnapshot, NeedsPlayerAndGame, TextSnapshotSaved, GameFileWord, TextSnapshotWhere },
    { NoticeNoName, NeedsNothing, TextNoticeNoName, NoMiddle, 0 }
};

static std::string Text(int id)
{
    return id == 0 ? "" : LanguageTable.GetText(id);
}

static bool NeedMet(NoticeNeed need, const ProfileRecord* player)
{
    if (need == NeedsNothing)
        return true;
    return player && (need == NeedsPlayer || !GameFolders.empty());
}

bool NoticeText(int noticeId, std::string* text)
{
    const ProfileRecord* player = CurrentProfile();
    for (unsigned i = 0; i < sizeof Notices / sizeof Notices[0]; ++i) {
        const NoticeRow& row = Notices[i];
        if (row.id != noticeId)
            continue;
        if (!NeedMet(row.need, player))
            return false;
        *text = Text(row.before) + row.middle(player) + Text(row.after);
        return true;
    }
    return false;
}

void DrawNotice()
{
    std::string text;
    if (NoticeText(NoticeId, &text))
        DrawNoticeBox(text.c_str());
}

bool DismissNotice()
{
    if (NoticeId == NoticeNone)
        return false;
    if (NoticeId == NoticeGoodbye)
        QuitRequested = 1;
    NoticeId = NoticeNone;
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

void SnapshotStep(const std::string& fileName, Notice notice)
{
    if (SnapshotCountdown <= 0)
        return;
    SnapshotCountdown = SnapshotCountdown - 1;
    // An empty name means there is no player (or game) to name the file after.
    if (SnapshotCountdown == 1 && !Profiles.empty() && !fileName.empty())
        SaveSnapshot(fileName);
    NoticeId = notice;
}
