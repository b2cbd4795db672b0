#include "frame/main_loop.h"

#include <new>

#include <SDL_ttf.h>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "platform/platform.h"
#include "profile/avatar.h"
#include "screens/game_screen.h"
#include "screens/home_screen.h"
#include "screens/keyboard.h"
#include "screens/profile_editor.h"
#include "store/active_profile.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"

static const char Caption[] = "VOK achievements - GP2X-Wiz";
static const Uint32 FrameBudgetMs = 16;
static const size_t MaxFontFileSize = 4 << 20; // bytes; the font shipped is 668 KB

typedef void (*ScreenHandler)();
typedef bool (*ReadAheadStep)(); // one step; false when nothing is left to read
// The handler of each Screen and what it reads ahead; any other ScreenMode draws no screen.
struct ScreenRow {
    Screen screen;
    ScreenHandler handler;
    ReadAheadStep readAhead; // null: nothing
};
static const ScreenRow Screens[] = {
    { ScreenHome, HomeScreen, HomeReadAhead }, { ScreenEditor, ProfileEditor, 0 }, { ScreenGame, GameScreen, 0 }
};
// Steps of reading ahead in a frame that draws nothing; each costs at most about a tenth of a
// frame's budget, so the next press finds its pictures ready soon.
static const int ReadAheadStepsPerFrame = 3;
// After this many frames (about a second) with nothing changed and nothing left to read
// ahead, vok dozes: the sound device closes and input is looked at every DozeFrameMs only.
static const long DozeAfterFrames = 120;
static const Uint32 DozeFrameMs = 40;

static const ScreenRow* CurrentScreen()
{
    for (size_t i = 0; i < sizeof Screens / sizeof Screens[0]; ++i)
        if (Screens[i].screen == ScreenMode) return &Screens[i];
    return 0;
}

// One handler a frame: a screen that changes ScreenMode hands over from the next frame.
static void RunScreen()
{
    const ScreenRow* screen = CurrentScreen();
    if (screen) screen->handler();
}

// Reading ahead in a frame in which nothing changed: the picture stays, so the frame's time
// goes to what a press would show next. True while more is left to read.
static bool ReadAhead()
{
    const ScreenRow* screen = CurrentScreen();
    if (!screen || !screen->readAhead) return false;
    try {
        for (int step = 0; step < ReadAheadStepsPerFrame; ++step)
            if (!screen->readAhead()) return false;
    } catch (const std::bad_alloc&) { // the next quiet frame tries again
    }
    return true;
}

// Out of memory, the step the frame was taking fails as a card error would, and the next frame
// draws again; a handheld with 64 MB must never end for lack of memory.
static void RunFrame()
{
    try {
        RunScreen();
    } catch (const std::bad_alloc&) {
        ScreenChanged = 1;
    }
}

int FramePacingDelay(Uint32 spanMs)
{
    Uint32 remaining = FrameBudgetMs - spanMs; // wraps to a huge value when the frame ran long
    if (remaining == 0) remaining = 1;
    if (remaining > 99) return -1;
    return int(remaining / 2);
}

static std::string FontFile; // media/pfcb.ttf, read once; both sizes read from it while open

// A font of `points` from FontFile; null without the font, and then texts don't draw.
static TTF_Font* OpenFont(int points)
{
    if (FontFile.empty()) return 0;
    SDL_RWops* stream = SDL_RWFromConstMem(FontFile.data(), int(FontFile.size()));
    return stream ? TTF_OpenFontRW(stream, 1, points) : 0;
}

static void OpenFonts()
{
    ReadFileBytes("media/pfcb.ttf", &FontFile, MaxFontFileSize);
    FontSmall = OpenFont(8);
    FontLarge = OpenFont(16);
}

// The avatar parts and the store; without memory for all of it, what was read is shown.
static void LoadCard()
{
    try {
        ScanAvatarParts();
        ScanStore();
        LoadStore();
    } catch (const std::bad_alloc&) {
    }
}

// One step of starting or ending; without memory it does what it could and the program goes on
// (a missing font, image or sound is drawn or played as none), never ending for lack of memory.
static void Step(void (*step)())
{
    try {
        step();
    } catch (const std::bad_alloc&) {
    }
}

// SDL, video, joystick, mixer, fonts, then the store and the media. False: exit with 0.
static bool StartUp()
{
    LanguageTable.SetLanguage("English");
    PlatformPrepareVideo();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_JOYSTICK) < 0 && !PlatformInitWithoutSound())
        return false;
    PlatformPrepareThreads();
    SDL_WM_SetCaption(Caption, Caption);
    if (!PlatformOpenVideo()) return false;
    if (!PlatformOpenJoystick()) return false;
    PlatformHideCursor();
    OpenSound();
    TTF_Init();
    Step(OpenFonts);
    Step(PrepareFonts);
    LoadCard();
    Step(LoadMedia);
    Step(LoadAvatarImages);
    Step(LoadSound);
    Step(PrepareKeyboard);
    return true;
}

// True when something changed the picture since the last frame drawn or an event is waiting:
// then the frame is drawn. Otherwise the screen still shows exactly what drawing would.
static bool FrameChanges()
{
    SDL_PumpEvents(); // the handheld's buttons reach the queue only when pumped
    SDL_Event event;
    const bool input = SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
    const bool changed = input || ScreenChanged;
    // A press may show only from the next frame: a screen handed over, a notice raised.
    ScreenChanged = input;
    return changed;
}

// A frame drawn when something changed (every frame with --draw-every-frame), or else given
// to reading ahead; true when it neither changed nor read anything.
static bool RunOneFrame(Uint32* frameStart, bool dozing)
{
    const bool changed = FrameChanges();
    const bool draw = changed || !DrawOnlyWhenChanged;
    if (draw && !ScreenKeepsPicture) CopySurface(BackgroundSurface, 0, ScreenSurface, 0, 0);
    if (draw) RunFrame();
    const bool readingAhead = !changed && ReadAhead();
    int delay = dozing ? int(DozeFrameMs) : FramePacingDelay(SDL_GetTicks() - *frameStart);
    if (delay >= 0) SDL_Delay(Uint32(delay));
    *frameStart = SDL_GetTicks();
    if (draw) {
        Step(DrawKeyboard);
        PlatformPresent();
    }
    PauseIdleSound();
    return !changed && !readingAhead;
}

// Frames until the program ends. A script's frames are never slowed: its frame numbers stand
// for the frames of a program being used.
static void RunFrames()
{
    Uint32 frameStart = SDL_GetTicks();
    long frame = 0, quietFrames = 0;
    const bool mayDoze = DrawOnlyWhenChanged && Options.script.empty();
    while (!QuitRequested) {
        if (frame < 0x7FFFFFFFL) ++frame; // the count only matters to scripts; never overflow
        PlatformBeginFrame(frame);
        const bool dozing = mayDoze && quietFrames >= DozeAfterFrames;
        if (dozing) RestSound(); // once a sound has ended; nothing while the device rests
        const bool quiet = RunOneFrame(&frameStart, dozing);
        quietFrames = !quiet ? 0 : quietFrames < DozeAfterFrames ? quietFrames + 1 : quietFrames;
        if (PlatformEndFrame(frame)) QuitRequested = 1;
    }
}

// The avatar parts and the icons the card gave, beside the program's own media.
static void FreeCardImages()
{
    FreeAvatarImages();
    FreeAchievementIcons();
    FreeRankingIcons();
    FreePreparedIcons();
}

// Blank screen, release everything, remember the player, then hand the device over.
static int ShutDown()
{
    SDL_FillRect(ScreenSurface, 0, 0);
    PlatformPresent();
    if (JoystickHandle && SDL_JoystickOpened(0)) SDL_JoystickClose(JoystickHandle);
    JoystickHandle = 0;
    FreeSound();
    FreeMedia();
    FreeCardImages();
    PlatformCloseVideo();
    SDL_Quit();
    if (!Profiles.empty()) Step(SaveActiveProfile);
    return PlatformHandOver();
}

int RunVok(int argc, char** argv)
{
    int status = PlatformStart(argc, argv);
    if (status >= 0) return status;
    if (!StartUp()) return 0;
    RunFrames();
    return ShutDown();
}
