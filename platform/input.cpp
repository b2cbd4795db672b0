// Desktop input as the handheld's: keys become joystick 0 button events, mouse clicks become
// touches in drawing coordinates, closing the window asks the program to end. An SDL event
// filter catches them as SDL reads them; they are queued again before the next screen runs.
#include "platform/platform.h"

#include <SDL.h>
#include <vector>

#include "frame/state.h"
#include "platform/device.h"

struct KeyButton {
    SDLKey key;
    int button;
};
static const KeyButton KeyButtons[] = {
    { SDLK_UP, ButtonUp }, { SDLK_DOWN, ButtonDown }, { SDLK_LEFT, ButtonLeft },
    { SDLK_RIGHT, ButtonRight }, { SDLK_RETURN, ButtonMenu }, { SDLK_ESCAPE, ButtonMenu },
    { SDLK_b, ButtonB }, { SDLK_x, ButtonX }, { SDLK_y, ButtonY }, { SDLK_l, ButtonL },
    { SDLK_r, ButtonR },
};

static std::vector<SDL_Event> TranslatedEvents; // waiting for the next PushDesktopInput

int WindowToScreen(int windowPosition, int zoom)
{
    return zoom > 1 ? windowPosition / zoom : windowPosition;
}

int KeyToButton(int sdlKey)
{
    for (size_t i = 0; i < sizeof KeyButtons / sizeof KeyButtons[0]; ++i)
        if (KeyButtons[i].key == sdlKey) return KeyButtons[i].button;
    return -1;
}

static void TranslateKey(const SDL_KeyboardEvent& key)
{
    int button = KeyToButton(key.keysym.sym);
    if (button < 0) return;
    SDL_Event event;
    event.type = key.type == SDL_KEYDOWN ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.which = 0;
    event.jbutton.button = Uint8(button);
    event.jbutton.state = key.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    TranslatedEvents.push_back(event);
}

static void TranslateClick(const SDL_MouseButtonEvent& click)
{
    SDL_Event event;
    event.button = click;
    event.button.x = Uint16(WindowToScreen(click.x, WindowZoom));
    event.button.y = Uint16(WindowToScreen(click.y, WindowZoom));
    TranslatedEvents.push_back(event);
}

// Keeps only what the handheld could send; everything else is translated or dropped.
static int SDLCALL FilterDesktopEvent(const SDL_Event* event)
{
    switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event->key); return 0;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateClick(event->button); return 0;
    case SDL_MOUSEMOTION: return 0;
    case SDL_QUIT: QuitRequested = 1; return 0;
    default: return 1;
    }
}

void InstallDesktopInput()
{
    TranslatedEvents.clear();
    SDL_SetEventFilter(FilterDesktopEvent);
}

void PushDesktopInput()
{
    SDL_PumpEvents();
    for (size_t i = 0; i < TranslatedEvents.size(); ++i) SDL_PushEvent(&TranslatedEvents[i]);
    TranslatedEvents.clear();
}
