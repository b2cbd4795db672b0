#include "screens/notices.h"

#include <new>
#include <vector>

#include "frame/state.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "store/store_folder.h"

int SnapshotCountdown = 0;

// A notice's text is `before` + the middle part + `after`; text id 0 adds nothing.
enum NoticeNeed { NeedsNothing, NeedsPlayer, NeedsPlayerAndGame };
struct NoticeRow {
    Notice id;
    NoticeNeed need;
    int before;
    void (*appendMiddle)(const ProfileRecord* player, std::string* text); // player null only with NeedsNothing
    int after;
};

static void NoMiddle(const ProfileRecord*, std::string*) {}
static void NameAndBlank(const ProfileRecord* player, std::string* text) { text->append(player->name).append(" "); }
static void CardFileName(const ProfileRecord* player, std::string* text)
{
    text->append(" ").append(player->folder).append(".bmp ");
}
static void GameFileWord(const ProfileRecord*, std::string* text) { text->append(" bmp "); }

static const NoticeRow Notices[] = {
    { NoticeNoProfile, NeedsNothing, TextNoticeNoProfile, NoMiddle, 0 },
    { NoticeFirstProfile, NeedsNothing, TextNoticeFirstProfile, NoMiddle, 0 },
    { NoticeGoodbye, NeedsPlayer, 0, NameAndBlank, TextGoodbye },
    { NoticeCardSnapshot, NeedsPlayer, TextSnapshotSaved, CardFileName, TextSnapshotWhere },
    { NoticeGameSnapshot, NeedsPlayerAndGame, TextSnapshotSaved, GameFileWord, TextSnapshotWhere },
    { NoticeNoName, NeedsNothing, TextNoticeNoName, NoMiddle, 0 },
    { NoticeNotSaved, NeedsNothing, TextNoticeNotSaved, NoMiddle, 0 },
    { NoticeCardGone, NeedsNothing, TextNoticeCardGone, NoMiddle, 0 }
};

static const char* Text(int id)
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
        text->assign(Text(row.before));
        row.appendMiddle(player, text);
        text->append(Text(row.after));
        return true;
    }
    return false;
}

void DrawNotice()
{
    static std::string text; // keeps its storage from frame to frame
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

// Room for any BMP SDL writes of `surface`: headers, a 256-colour palette and rows of at most
// four bytes a pixel.
static size_t BmpSizeLimit(const SDL_Surface* surface)
{
    return 54 + 256 * 4 + static_cast<size_t>(surface->h) * (static_cast<size_t>(surface->w) * 4 + 4);
}

// The bytes SDL_SaveBMP would write for `surface`, made in memory; false when SDL fails.
static bool EncodeBmp(SDL_Surface* surface, std::string* bytes)
{
    std::vector<char> buffer(BmpSizeLimit(surface));
    SDL_RWops* memory = SDL_RWFromMem(&buffer[0], static_cast<int>(buffer.size()));
    if (!memory)
        return false;
    bool encoded = SDL_SaveBMP_RW(surface, memory, 0) == 0;
    SDL_RWclose(memory);
    // the file size SDL put at byte 2 of the header says how much of the buffer is the file
    const std::string header(buffer.begin(), buffer.begin() + 6);
    const Uint32 size = static_cast<Uint32>(Int32At(header, 2));
    if (!encoded || size < 6 || size > buffer.size())
        return false;
    bytes->assign(buffer.begin(), buffer.begin() + size);
    return true;
}

// Replaces StoreRoot + fileName with the screen as drawn so far, crash-safely and never
// through a link planted under that name; false when it could not be written.
// Without memory for the picture the snapshot is simply not saved.
static bool SaveSnapshot(const std::string& fileName)
{
    try {
        std::string bytes;
        return ScreenSurface && EncodeBmp(ScreenSurface, &bytes) && WriteStoreFile("", fileName, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void SnapshotStep(const std::string& fileName, Notice notice)
{
    if (SnapshotCountdown <= 0)
        return;
    SnapshotCountdown = SnapshotCountdown - 1;
    ScreenChanged = 1; // the countdown steps once a frame, drawn or not
    // An empty name means there is no player (or game) to name the file after.
    if (SnapshotCountdown == 1 && !Profiles.empty() && !fileName.empty() && !SaveSnapshot(fileName)) {
        SnapshotCountdown = 0; // no later step may raise the notice of a saved snapshot again
        NoticeId = WriteFailedNotice();
        return;
    }
    NoticeId = notice;
}
