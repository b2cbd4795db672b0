// The program-wide state of the frame: fixed settings, the current screen, the video
// surface, the joystick, the fonts, and the popup and notice state shared by every screen.
// One thread owns all of it; screens read and write these variables directly.
#ifndef VOK_FRAME_STATE_H
#define VOK_FRAME_STATE_H

#include <string>
#include <SDL.h>
#include <SDL_ttf.h>

extern const int ScreenWidth;          // drawing area width in pixels (320)
extern const int ScreenHeight;         // drawing area height in pixels (240)
extern const int BytesPerPixel;        // video depth in bytes (2: 16 bits per pixel)
extern const int DisplayScale;         // drawing pixels to pointer coordinates (1)
extern const int SoundVolume;          // mixer volume on every channel, of 128 (120)

extern int ScreenMode;                 // 1 home screen, 2 profile editor, 3 game screen
extern int QuitRequested;              // non-zero ends the frame loop after this frame
extern SDL_Surface* ScreenSurface;     // the 320 x 240 x 16 surface every screen draws on
extern SDL_Joystick* JoystickHandle;   // joystick 0, the handheld's buttons (null on a desktop without one)
extern TTF_Font* FontSmall;            // media/pfcb.ttf at 8 points: labels, lists, popups
extern TTF_Font* FontLarge;            // media/pfcb.ttf at 16 points: keyboard key labels
extern std::string StoreRoot;          // folder of the profile folders; always ends with "/"

extern int PopupId;                    // open popup box: 0 none, 1 to 4
extern int PopupCursor;                // highlighted popup line, 0 at the top
extern int PopupItemCount;             // line count of the popup drawn last (3 or 2)
extern int NoticeId;                   // notice shown over the screen: 0 none, else a NoticeName

// Joystick 0 button numbers of the handheld.
enum Button {
    ButtonUp = 0, ButtonLeft = 2, ButtonDown = 4, ButtonRight = 6, ButtonMenu = 8,
    ButtonL = 10, ButtonR = 11, ButtonB = 13, ButtonX = 14, ButtonY = 15
};

#endif
