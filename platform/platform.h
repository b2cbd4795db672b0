// Everything that differs between the handheld and a desktop: the command line, the video
// surface (scaled on a desktop), turning keys, mouse and window events into the handheld's
// joystick and touch events, input scripts for headless runs, and the hand-over at exit.
// Nothing outside this folder asks which device it runs on.
#ifndef VOK_PLATFORM_PLATFORM_H
#define VOK_PLATFORM_PLATFORM_H

#include <string>
#include <vector>

struct PlatformOptions {
    std::string storeRoot;  // --store DIR, always ending in "/"
    std::string launcher;   // --launcher PATH; empty: none (desktop default)
    std::string script;     // --script FILE; empty: none
    long maxFrames;         // --max-frames N; 0: no limit
    int zoom;               // --zoom N, 1 to 4; 0: the default for the display
    bool fullscreen;        // "-fullscreen"
    bool scanlines;         // "-scanlines"
    bool drawEveryFrame;    // --draw-every-frame: drawn and flipped even when nothing changed
    bool help;              // --help
    PlatformOptions();
};

// One event of an input script.
struct ScriptEvent {
    long frame;         // frame before whose screen handler it is queued, from 1
    int kind;           // ScriptButton, ScriptTouch or ScriptScreenshot
    int button;         // joystick button number
    int x, y;           // touch position
    std::string file;   // screenshot file
    enum { ScriptButton, ScriptTouch, ScriptScreenshot };
};

// Parses the command line. False with a one-line message in *error for a bad option.
bool ParseOptions(int argc, char** argv, PlatformOptions* options, std::string* error);
// Parses an input script. False with a message naming the line in *error.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error);
// The usage text of --help, options and keys.
std::string UsageText();

extern PlatformOptions Options; // the options of this run

// A pointer position in the enlarged desktop window to the 320 x 240 drawing coordinates.
int WindowToScreen(int windowPosition, int zoom);
// The joystick button a desktop key stands for; -1 for a key that means nothing here.
int KeyToButton(int sdlKey);

// Before SDL starts: read the options and the script, apply --store. Returns -1 to go on,
// otherwise the status to exit with (0 after --help, 2 after a bad option or script).
int PlatformStart(int argc, char** argv);
// Chooses the video driver for a headless desktop; called just before SDL_Init.
void PlatformPrepareVideo();
// After SDL_Init failed: true when SDL came up without sound (a desktop without an audio
// device runs silent); false on the handheld, which then exits.
bool PlatformInitWithoutSound();
// Right after SDL_Init: lets one thread end, so the C library has already loaded what a thread
// needs to end (it loads it on first use); SDL's sound thread then ends at exit even when
// memory has run out meanwhile, instead of aborting the program.
void PlatformPrepareThreads();
// Sets the video mode and ScreenSurface (320 x 240 x 16); false when it cannot.
bool PlatformOpenVideo();
// Opens joystick 0 into JoystickHandle; false when the program cannot run without it (the
// handheld build with no input script).
bool PlatformOpenJoystick();
// Hides the mouse pointer on the handheld; a desktop keeps it, as its clicks are the touches.
void PlatformHideCursor();
// Before the screen handler of frame `frame`: desktop input translated into joystick
// button and touch events, then the script's events of that frame queued.
void PlatformBeginFrame(long frame);
// Shows ScreenSurface (scaled on a desktop) in place of SDL_Flip.
void PlatformPresent();
// After frame `frame` is shown: the script's screenshots; true when --max-frames is reached.
bool PlatformEndFrame(long frame);
// Before SDL_Quit: releases what PlatformOpenVideo made; ScreenSurface becomes null.
void PlatformCloseVideo();
// After shutdown: hands the device to the launcher. Returns the status when it cannot.
int PlatformHandOver();

#endif
