#include "screens/keyboard.h"

int KeyboardOpen = 0;
int KeyboardRow = 1;
int KeyboardColumn = 1;
int KeyboardShift = 0;
int KeyboardLock = 0;
int KeyFlashRow = 0;
int KeyFlashColumn = 0;
int KeyFlashFrames = 0;
int KeyboardPanelY = 240;
int KeyboardSlideStep = 1;

void KeyboardPress(int, int)
{
}

void DrawKeyboard()
{
}
