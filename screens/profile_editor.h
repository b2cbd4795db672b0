// The profile editor (ScreenEditor): name on the on-screen keyboard, language, the ten avatar
// parts with a live preview; saving stores the player, Y leaves without storing.
#ifndef VOK_SCREENS_PROFILE_EDITOR_H
#define VOK_SCREENS_PROFILE_EDITOR_H

#include <string>

extern int EditorRow;     // highlighted row, 0 to 11
extern int SelectBarY;    // current y of the gliding select bar
extern int SelectBarStep; // current step of the bar, 1, 2 or 4

void ProfileEditor();  // one frame: events, then drawing
void NextChoice();     // the highlighted row's next value
void PreviousChoice(); // the highlighted row's previous value
std::string FormatPartNumber(int n); // "00" to "09", then "10", "11", ...
bool HasVisibleName(const std::string& name); // a byte above the blank: not blanks only

#endif
