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

extern int ScreenMode;                 // the Screen whose handler the frame loop calls
extern int QuitRequested;              // non-zero ends the frame loop after this frame
extern SDL_Surface* ScreenSurface;     // the 320 x 240 x 16 surface every screen draws on
extern SDL_Joystick* JoystickHandle;   // joystick 0, the handheld's buttons (null on a desktop without one)
extern TTF_Font* FontSmall;            // media/pfcb.ttf at 8 points: labels, lists, popups
extern TTF_Font* FontLarge;            // media/pfcb.ttf at 16 points: keyboard key labels
extern std::string StoreRoot;          // folder of the profile folders; always ends with "/"

extern int PopupId;                    // the open Popup box, PopupNone for none
extern int PopupCursor;                // highlighted popup line, 0 at the top
extern int PopupItemCount;             // line count of the popup drawn last (3 or 2)
extern int NoticeId;                   // the Notice shown over the screen, NoticeNone for none
extern int ScreenChanged;              // non-zero: the next frame draws and flips; set by what changes the picture without a press
extern bool DrawOnlyWhenChanged;       // false (--draw-every-frame, tests): every frame drawn and flipped
// True: the screen still shows the last frame the game screen drew, whole, so its next frame may
// redraw only what moved; the frame loop then leaves the background to that frame. Set only by
// the game screen, at the end of a frame; whatever else draws on ScreenSurface clears it.
extern bool ScreenKeepsPicture;
// The parts of ScreenSurface a frame redrew, all else showing the frame before; PlatformPresent
// shows only these and empties the list. ShownPartCount 0: the whole screen.
static const int MaxShownParts = 4;
extern SDL_Rect ShownParts[MaxShownParts];
extern int ShownPartCount;

// Joystick 0 button numbers of the handheld.
enum Button {
    ButtonUp = 0, ButtonLeft = 2, ButtonDown = 4, ButtonRight = 6, ButtonMenu = 8,
    ButtonL = 10, ButtonR = 11, ButtonB = 13, ButtonX = 14, ButtonY = 15
};

// The values of ScreenMode; any other value shows no screen.
enum Screen {
    ScreenHome = 1,   // HomeScreen: the selected player's card
    ScreenEditor = 2, // ProfileEditor
    ScreenGame = 3    // GameScreen: one game's achievements
};

// The values of PopupId: the popup boxes and the menus MenuAction carries out.
enum Popup {
    PopupNone = 0,
    PopupHomeMenu = 1,      // snapshot, remove the player, exit
    PopupRemoveProfile = 2, // removing the player: yes, no
    PopupGameMenu = 3,      // snapshot, remove the game, exit
    PopupRemoveGame = 4     // removing the game: yes, no
};

// The values of NoticeId: the one-shot messages until the next press.
enum Notice {
    NoticeNone = 0,
    NoticeNoProfile = 1,    // first start, no player on the card
    NoticeFirstProfile = 2, // creating the first player
    NoticeGoodbye = 3,      // the player's goodbye; the next press ends the program
    NoticeCardSnapshot = 4, // the card's snapshot saved as "<folder>.bmp"
    NoticeGameSnapshot = 5, // the game screen's snapshot saved
    NoticeNoName = 6,       // saving a player without a name
    NoticeNotSaved = 7,     // a snapshot, a profile or a new player could not be written
    NoticeCardGone = 8      // the card's store folder is gone: nothing more is written
};

#endif
