// The run's options, the input script player and the hand-over to the launcher.
#include "platform/platform.h"

#include <SDL.h>
#include <SDL_thread.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "frame/state.h"
#include "platform/device.h"

PlatformOptions Options;

static std::vector<ScriptEvent> Script; // the --script events, in frame order
static size_t NextScriptEvent = 0;      // first event not yet queued
static size_t NextScreenshot = 0;       // first event not yet looked at for screenshots

static const char HandheldLauncher[] = "/usr/gp2x/gp2xmenu";

// The script the person running vok names, read whole: unlike the card's files (ReadFileBytes)
// it may come through a pipe ("--script <(...)"), and nothing on the card can plant it.
static bool ReadWholeFile(const std::string& path, std::string* text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

static int Fail(const std::string& message)
{
    std::fprintf(stderr, "vok: %s\n", message.c_str());
    return 2;
}

// The installed command runs the program from its data folder and names the caller's
// folder in VOK_CALLER_DIR: relative paths given by the caller are meant from there.
static std::string CallerPath(const std::string& path)
{
    const char* caller = std::getenv("VOK_CALLER_DIR");
    if (path.empty() || path[0] == '/' || !caller || !*caller) return path;
    return std::string(caller) + "/" + path;
}

// The launcher is started after changing into its folder, so a relative path is made
// absolute while the caller's working directory is still current.
static std::string Absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/') return path;
    char folder[4096];
    if (!getcwd(folder, sizeof folder)) return path;
    return std::string(folder) + "/" + path;
}

static void ApplyCallerPaths()
{
    Options.storeRoot = CallerPath(Options.storeRoot);
    Options.script = CallerPath(Options.script);
    Options.launcher = Absolute(CallerPath(Options.launcher));
}

// Reads and checks the --script file; -1 to go on, or the status to exit with.
static int LoadScript()
{
    std::string text, error;
    Script.clear();
    NextScriptEvent = NextScreenshot = 0;
    if (Options.script.empty()) return -1;
    if (!ReadWholeFile(Options.script, &text)) return Fail("cannot read the script " + Options.script);
    if (!ParseScript(text, &Script, &error)) return Fail(Options.script + ": " + error);
    for (size_t i = 0; i < Script.size(); ++i) Script[i].file = CallerPath(Script[i].file);
    return -1;
}

int PlatformStart(int argc, char** argv)
{
    std::string error;
    Options = PlatformOptions();
    if (!ParseOptions(argc, argv, &Options, &error)) return Fail(error);
    if (Options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    ApplyCallerPaths();
    int status = LoadScript();
    if (status >= 0) return status;
    if (!Options.storeRoot.empty()) StoreRoot = Options.storeRoot;
    if (Options.launcher.empty() && HandheldBuild) Options.launcher = HandheldLauncher;
    if (HandheldBuild) Options.zoom = 1;
    if (Options.drawEveryFrame) DrawOnlyWhenChanged = false;
    return -1;
}

static void QueueScriptEvent(const ScriptEvent& step)
{
    SDL_Event event;
    if (step.kind == ScriptEvent::ScriptTouch) {
        event.type = SDL_MOUSEBUTTONUP;
        event.button.which = 0;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_RELEASED;
        event.button.x = Uint16(step.x);
        event.button.y = Uint16(step.y);
        SDL_PushEvent(&event);
    } else if (step.kind == ScriptEvent::ScriptButton) {
        event.type = SDL_JOYBUTTONDOWN;
        event.jbutton.which = 0;
        event.jbutton.button = Uint8(step.button);
        event.jbutton.state = SDL_PRESSED;
        SDL_PushEvent(&event);
        event.type = SDL_JOYBUTTONUP;
        event.jbutton.state = SDL_RELEASED;
        SDL_PushEvent(&event);
    }
}

void PlatformBeginFrame(long frame)
{
    if (!HandheldBuild) PushDesktopInput();
    for (; NextScriptEvent < Script.size() && Script[NextScriptEvent].frame <= frame; ++NextScriptEvent)
        if (Script[NextScriptEvent].frame == frame) QueueScriptEvent(Script[NextScriptEvent]);
}

bool PlatformEndFrame(long frame)
{
    for (; NextScreenshot < Script.size() && Script[NextScreenshot].frame <= frame; ++NextScreenshot) {
        const ScriptEvent& step = Script[NextScreenshot];
        if (step.kind != ScriptEvent::ScriptScreenshot || step.frame != frame) continue;
        if (SDL_SaveBMP(ScreenSurface, step.file.c_str()) != 0)
            std::fprintf(stderr, "vok: cannot save the screenshot %s\n", step.file.c_str());
    }
    return Options.maxFrames > 0 && frame >= Options.maxFrames;
}

int PlatformHandOver()
{
    if (Options.launcher.empty()) return 0; // a desktop without a launcher simply ends
    std::string folder = Options.launcher.substr(0, Options.launcher.rfind('/'));
    if (chdir(folder.empty() ? "/" : folder.c_str()) != 0) {
        // still try to start it: the path is absolute
    }
    std::fflush(0);
    execl(Options.launcher.c_str(), Options.launcher.c_str(), (char*)0);
    return 1;
}

static int NoWork(void*)
{
    return 0;
}

void PlatformPrepareThreads()
{
    SDL_Thread* thread = SDL_CreateThread(NoWork, 0);
    if (thread) SDL_WaitThread(thread, 0);
}
