// Notices (one-shot messages until the next press) and screen snapshots saved as bitmaps
// into StoreRoot a few frames after the menu asked for them.
#ifndef VOK_SCREENS_NOTICES_H
#define VOK_SCREENS_NOTICES_H

#include <string>
#include "frame/state.h"

extern int SnapshotCountdown; // frames until the snapshot is saved; 0 idle

void DrawNotice(); // the box of NoticeId's text, when that notice shows
// The text of notice `noticeId`; false when it shows nothing: an unknown notice, or one
// that speaks of a player (or game) when there is none.
bool NoticeText(int noticeId, std::string* text);
// The dismissal rule: returns true when the press was taken by a notice.
bool DismissNotice();
// The snapshot step: counts down, saves ScreenSurface to `fileName` in StoreRoot at 1,
// raises `notice`, or NoticeNotSaved when the file could not be written.
void SnapshotStep(const std::string& fileName, Notice notice);

#endif
