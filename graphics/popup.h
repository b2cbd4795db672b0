// The two kinds of boxes drawn over a screen: the popup menus (two or three lines with a
// highlight bar, carried out by MenuAction) and the one-shot notice box.
#ifndef VOK_GRAPHICS_POPUP_H
#define VOK_GRAPHICS_POPUP_H

#include <SDL.h>

// Draws the box of PopupId (a Popup) and sets PopupItemCount; other values draw nothing.
void DrawPopup();
// Draws a notice box sized to `text` (text width + 20, or 250 for texts over 250), centred on x 160 at y 100.
void DrawNoticeBox(const char* text);

// The notice box rectangle for a text `textWidth` pixels wide.
SDL_Rect NoticeBoxRect(int textWidth);

#endif
