// What the home screen and the game screen share: one table of button actions walked
// under the notice and menu rules, the popup cursor keys, and the yellow button hints.
#ifndef VOK_SCREENS_SCREEN_COMMON_H
#define VOK_SCREENS_SCREEN_COMMON_H

#include <string>
#include <SDL.h>
#include "frame/state.h"

// What a joystick button does on a screen: one action while no menu is open, another
// while one is; a null action does nothing.
struct ButtonAction {
    int button;
    void (*withoutMenu)();
    void (*withMenu)();
};

// One button press: a shown notice takes it (DismissNotice); otherwise the row of
// `button` in `table` is carried out according to PopupId.
void HandleScreenButton(const ButtonAction* table, int count, int button);

void PopupCursorUp();   // one line up; from line 0 to the last line
void PopupCursorDown(); // one line down; from the last line (or beyond) to line 0
void OpenPopup(Popup id); // the menu key without a menu open: box `id`, first line highlighted
void ClosePopup();      // PopupId = PopupNone

// The entry before `index` of `count`: from the first back to the last (-1 when there are none).
int PreviousIndex(int index, int count);
// The entry after `index` of `count`: from the last (or anything not in the list) to the first.
int NextIndex(int index, int count);

// A button hint: `icon` at (iconX, 220), the text `textId` in yellow at (textX, 220).
void DrawHint(SDL_Surface* icon, int iconX, int textId, int textX);
// `value` written as "%i".
std::string IntText(int value);

#endif
