// The on-screen keyboard: four rows of keys that slide up over the screen, typing into
// EditedProfile's name (at most 15 characters), by touch or by the editor's key cursor.
#ifndef VOK_SCREENS_KEYBOARD_H
#define VOK_SCREENS_KEYBOARD_H

extern int KeyboardOpen;      // the keyboard is shown and takes the editor's input
extern int KeyboardRow;       // key cursor row, 1 to 4
extern int KeyboardColumn;    // key cursor column, 1 to 11 (10 in row 2, 9 in row 4)
extern int KeyboardShift;     // one-shot upper case
extern int KeyboardLock;      // persistent upper case
extern int KeyFlashRow;       // the character key pressed last
extern int KeyFlashColumn;
extern int KeyFlashFrames;    // frames left to draw that key highlighted
extern int KeyboardPanelY;    // top of the panel on screen; 240 when hidden
extern int KeyboardSlideStep; // pixels the panel moves this frame

void KeyboardPress(int x, int y); // a touch (or the editor's button) at a screen position
void DrawKeyboard();              // every frame, over every screen
bool KeyboardShown();             // open, or still on screen as it slides out: DrawKeyboard draws
void PrepareKeyboard();           // draws the panel ahead, off the screen, at start-up
int KeyboardRowLength(int row);   // keys in row 1 to 4 (11, 10, 11, 9); 0 for any other row

#endif
