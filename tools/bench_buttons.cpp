// Preloaded by tools/bench.sh into the handheld build, which will not start without its
// buttons: joystick 0 opens as a stand-in that is never read, so the build runs headless
// on an input script like the desktop's. Nothing else of SDL changes.
#include <SDL.h>

extern "C" SDL_Joystick* SDL_JoystickOpen(int)
{
    static char standIn[64];
    return reinterpret_cast<SDL_Joystick*>(standIn);
}

extern "C" int SDL_JoystickOpened(int)
{
    return 0; // so the program never closes the stand-in
}
