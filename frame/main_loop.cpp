#include "frame/main_loop.h"

#include <SDL_mixer.h>
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

static const char Caption[] = "VOK achievements - GP2X-Wiz";
static const Uint32 FrameBudgetMs = 16;

typedef void (*ScreenHandler)();
// The handler of each Screen; any other ScreenMode draws no screen.
struct ScreenRow {
    Screen screen;
    ScreenHandler handler;
};
static const ScreenRow Screens[] = {
    { ScreenHome, HomeScreen }, { ScreenEditor, ProfileEditor }, { ScreenGame, GameScreen }
};

// One handler a frame: a screen that changes ScreenMode hands over from the next frame.
static void RunScreen()
{
    for (size_t i = 0; i < sizeof Screens / sizeof Screens[0]; ++i) {
        if (Screens[i].screen != ScreenMode) continue;
        Screens[i].handler();
        return;
    }
}

int FramePacingDelay(Uint32 spanMs)
{
    Uint32 remaining = FrameBudgetMs - spanMs; // wraps to a huge value when the frame ran long
    if (remaining == 0) remaining = 1;
    if (remaining > 99) return -1;
    return int(remaining / 2);
}

// SDL, video, joystick, mixer, fonts, then the store and the media. False: exit with 0.
static bool StartUp()
{
    LanguageTable.SetLanguage("English");
    PlatformPrepareVideo();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_JOYSTICK) < 0 && !PlatformInitWithoutSound())
        return false;
    SDL_WM_SetCaption(Caption, Caption);
    if (!PlatformOpenVideo()) return false;
    if (!PlatformOpenJoystick()) return false;
    PlatformHideCursor();
    Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 128); // no sound device: the program runs silent
    Mix_Volume(-1, SoundVolume);
    TTF_Init();
    FontSmall = TTF_OpenFont("media/pfcb.ttf", 8); // null without the font: texts don't draw
    FontLarge = TTF_OpenFont("media/pfcb.ttf", 16);
    PrepareFonts();
    ScanAvatarParts();
    ScanStore();
    LoadStore();
    LoadMedia();
    LoadAvatarImages();
    LoadSound();
    PrepareKeyboard();
    return true;
}

static void RunFrames()
{
    Uint32 frameStart = SDL_GetTicks();
    long frame = 0;
    while (!QuitRequested) {
        if (frame < 0x7FFFFFFFL) ++frame; // the count only matters to scripts; never overflow
        if (BackgroundSurface) SDL_BlitSurface(BackgroundSurface, 0, ScreenSurface, 0);
        PlatformBeginFrame(frame);
        RunScreen();
        int delay = FramePacingDelay(SDL_GetTicks() - frameStart);
        if (delay >= 0) SDL_Delay(Uint32(delay));
        frameStart = SDL_GetTicks();
        DrawKeyboard();
        PlatformPresent();
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
    if (!Profiles.empty()) SaveActiveProfile();
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
