// Notices (one-shot messages until the next press) and screen snapshots saved as bitmaps
// into StoreRoot a few frames after the menu asked for them.
#ifndef VOK_SCREENS_NOTICES_H
#define VOK_SCREENS_NOTICES_H

#include <string>

extern int SnapshotCountdown; // frames until the snapshot is saved; 0 idle

// The values of NoticeId, by what each notice tells.
enum NoticeName {
    NoticeNoProfile = 1,    // first start: no player on the card
    NoticeFirstProfile = 2, // how to create the first player
    NoticeGoodbye = 3,      // leaving: the next press ends the program
    NoticeCardSnapshot = 4, // the home screen's snapshot saved
    NoticeGameSnapshot = 5, // the game screen's snapshot saved
    NoticeNoName = 6,       // saving a player without a name
    NoticeNotSaved = 7      // a snapshot, a profile or a new player could not be written
};

void DrawNotice(); // the box of NoticeId's text, when that notice shows
// The text of notice `noticeId`; false when it shows nothing: an unknown notice, or one
// that speaks of a player (or game) when there is none.
bool NoticeText(int noticeId, std::string* text);
// The dismissal rule: returns true when the press was taken by a notice.
bool DismissNotice();
// The snapshot step: counts down, saves ScreenSurface to `fileName` in StoreRoot at 1,
// raises `noticeId`, or NoticeNotSaved when the file could not be written.
void SnapshotStep(const std::string& fileName, int noticeId);

#endif
