// The platform layer: the command line and input scripts (what headless runs and tools rely
// on), the desktop's translation of keys, clicks and window close into the handheld's events,
// the enlarged window, and the script player feeding events and taking screenshots.
#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <vector>

#include "frame/state.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "tests/support/test_support.h"

namespace {

struct Parsed {
    bool ok;
    PlatformOptions options;
    std::string error;
};

Parsed Parse(std::vector<std::string> words)
{
    words.insert(words.begin(), "vok");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    Parsed parsed;
    parsed.ok = ParseOptions(int(argv.size()), argv.data(), &parsed.options, &parsed.error);
    return parsed;
}

std::vector<ScriptEvent> Script(const std::string& text, std::string* error = nullptr)
{
    std::vector<ScriptEvent> events;
    std::string message;
    bool ok = ParseScript(text, &events, &message);
    if (error) *error = ok ? "" : message;
    return events;
}

// Every event now in the SDL queue.
std::vector<SDL_Event> Drain()
{
    std::vector<SDL_Event> events;
    SDL_Event event;
    while (SDL_PollEvent(&event)) events.push_back(event);
    return events;
}

void StartVideo()
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_TRUE(PlatformOpenVideo());
    Drain();
}

void StopVideo()
{
    PlatformCloseVideo();
    SDL_Quit();
}

} // namespace

// Options: every value is checked before SDL starts, with a message naming the problem.
TEST(PlatformOptions, GoodAndBadCommandLines)
{
    Parsed p = Parse({"--store", "/card/vok", "--launcher", "/bin/menu", "--script", "s.txt",
                      "--max-frames", "25", "--zoom", "3", "-fullscreen", "-scanlines", "plain"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.storeRoot, "/card/vok/");
    EXPECT_EQ(p.options.launcher, "/bin/menu");
    EXPECT_EQ(p.options.script, "s.txt");
    EXPECT_EQ(p.options.maxFrames, 25);
    EXPECT_EQ(p.options.zoom, 3);
    EXPECT_TRUE(p.options.fullscreen && p.options.scanlines);
    EXPECT_FALSE(p.options.help);

    Parsed defaults = Parse({});
    ASSERT_TRUE(defaults.ok);
    EXPECT_EQ(defaults.options.storeRoot, "");
    EXPECT_EQ(defaults.options.maxFrames, 0);
    EXPECT_EQ(defaults.options.zoom, 0);
    EXPECT_EQ(Parse({"--store", "/card/vok/"}).options.storeRoot, "/card/vok/");
    EXPECT_TRUE(Parse({"--help"}).options.help);

    const struct { std::vector<std::string> words; const char* error; } bad[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--store=/x"}, "unknown option --store=/x"},
        {{"--store"}, "--store needs a value"},
        {{"--store", ""}, "--store needs a value"},
        {{"--script"}, "--script needs a value"},
        {{"--max-frames", "0"}, "--max-frames needs a whole number from 1, not \"0\""},
        {{"--max-frames", "-3"}, "--max-frames needs a whole number from 1, not \"-3\""},
        {{"--max-frames", "12x"}, "--max-frames needs a whole number from 1, not \"12x\""},
        {{"--max-frames", "99999999999"}, "--max-frames needs a whole number from 1, not \"99999999999\""},
        {{"--zoom", "5"}, "--zoom needs 1, 2, 3 or 4, not \"5\""},
        {{"--zoom", "0"}, "--zoom needs 1, 2, 3 or 4, not \"0\""},
    };
    for (const auto& c : bad) {
        Parsed b = Parse(c.words);
        EXPECT_FALSE(b.ok) << c.error;
        EXPECT_EQ(b.error, c.error);
    }
}

// Scripts: names and numbers of buttons, touches, screenshots, comments; errors give the line.
TEST(PlatformScript, GoodAndBadScripts)
{
    std::string error;
    std::vector<ScriptEvent> events = Script(
        "# a comment\n\n  \n1 button b\r\n1 touch 10 200\n3 button 31\n3 screenshot shots/one shot.bmp\n"
        "  # indented comment\n9 button menu\n", &error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].frame, 1);
    EXPECT_EQ(events[0].kind, ScriptEvent::ScriptButton);
    EXPECT_EQ(events[0].button, ButtonB);
    EXPECT_EQ(events[1].kind, ScriptEvent::ScriptTouch);
    EXPECT_EQ(events[1].x, 10);
    EXPECT_EQ(events[1].y, 200);
    EXPECT_EQ(events[2].button, 31);
    EXPECT_EQ(events[3].kind, ScriptEvent::ScriptScreenshot);
    EXPECT_EQ(events[3].file, "shots/one shot.bmp");
    EXPECT_EQ(events[4].frame, 9);
    EXPECT_EQ(events[4].button, ButtonMenu);

    const char* names[] = {"up", "left", "down", "right", "menu", "l", "r", "b", "x", "y"};
    const int buttons[] = {0, 2, 4, 6, 8, 10, 11, 13, 14, 15};
    for (int i = 0; i < 10; ++i) {
        std::vector<ScriptEvent> one = Script(std::string("2 button ") + names[i] + "\n");
        ASSERT_EQ(one.size(), 1u) << names[i];
        EXPECT_EQ(one[0].button, buttons[i]) << names[i];
    }

    const struct { const char* text; const char* error; } bad[] = {
        {"1 button b\n2 button jump\n", "line 2: unknown button \"jump\""},
        {"1 button 32\n", "line 1: unknown button \"32\""},
        {"0 button b\n", "line 1: frame \"0\" is not a whole number from 1"},
        {"x button b\n", "line 1: frame \"x\" is not a whole number from 1"},
        {"# c\n5 button b\n4 button b\n", "line 3: frame 4 comes after frame 5"},
        {"1 touch 5\n", "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE"},
        {"1 touch 5 6 7\n", "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE"},
        {"1 touch -5 6\n", "line 1: touch needs two positions from 0 to 65535, not \"-5 6\""},
        {"1 touch 5 70000\n", "line 1: touch needs two positions from 0 to 65535, not \"5 70000\""},
        {"1 button\n", "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE"},
        {"1 button b c\n", "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE"},
        {"1 screenshot   \n", "line 1: screenshot needs a file name"},
        {"1 jump\n", "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE"},
    };
    for (const auto& c : bad) {
        Script(c.text, &error);
        EXPECT_EQ(error, c.error) << c.text;
    }
}

// --help documents every option and every key of the desktop.
TEST(PlatformOptions, UsageNamesEveryOptionAndKey)
{
    const std::string usage = UsageText();
    for (const char* word : {"--store", "--launcher", "--script", "--max-frames", "--zoom", "-fullscreen",
                             "-scanlines", "--help", "arrow keys", "Return", "Escape", "B X Y L R", "mouse"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

// Keys stand for the handheld's buttons; window positions shrink back to drawing positions.
TEST(PlatformInput, KeyMappingAndZoomedPositions)
{
    EXPECT_EQ(KeyToButton(SDLK_UP), ButtonUp);
    EXPECT_EQ(KeyToButton(SDLK_DOWN), ButtonDown);
    EXPECT_EQ(KeyToButton(SDLK_LEFT), ButtonLeft);
    EXPECT_EQ(KeyToButton(SDLK_RIGHT), ButtonRight);
    EXPECT_EQ(KeyToButton(SDLK_RETURN), ButtonMenu);
    EXPECT_EQ(KeyToButton(SDLK_ESCAPE), ButtonMenu);
    EXPECT_EQ(KeyToButton(SDLK_b), ButtonB);
    EXPECT_EQ(KeyToButton(SDLK_x), ButtonX);
    EXPECT_EQ(KeyToButton(SDLK_y), ButtonY);
    EXPECT_EQ(KeyToButton(SDLK_l), ButtonL);
    EXPECT_EQ(KeyToButton(SDLK_r), ButtonR);
    EXPECT_EQ(KeyToButton(SDLK_a), -1);
    EXPECT_EQ(KeyToButton(SDLK_SPACE), -1);

    for (int zoom = 1; zoom <= 4; ++zoom) {
        EXPECT_EQ(WindowToScreen(2 * 157 * zoom / 2, zoom), 157);
        EXPECT_EQ(WindowToScreen(319 * zoom + zoom - 1, zoom), 319);
        EXPECT_EQ(WindowToScreen(0, zoom), 0);
    }
    EXPECT_EQ(WindowToScreen(2 * 123, 2), 123);
    EXPECT_EQ(WindowToScreen(2 * 45 + 1, 2), 45);
}

// What SDL reads from the desktop reaches the screens as the handheld's events only.
TEST(PlatformInput, DesktopEventsBecomeHandheldEvents)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld has no keyboard or window";
    Options = PlatformOptions();
    Options.zoom = 2;
    StartVideo();
    SDL_EventFilter filter = SDL_GetEventFilter();
    ASSERT_NE(filter, nullptr);

    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_b;
    EXPECT_EQ(filter(&key), 0);
    key.type = SDL_KEYUP;
    EXPECT_EQ(filter(&key), 0);
    key.key.keysym.sym = SDLK_a; // means nothing: dropped
    EXPECT_EQ(filter(&key), 0);
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONUP;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = 2 * 100 + 1;
    click.button.y = 2 * 50;
    EXPECT_EQ(filter(&click), 0);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    EXPECT_EQ(filter(&motion), 0);

    PushDesktopInput();
    std::vector<SDL_Event> seen = Drain();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].type, SDL_JOYBUTTONDOWN);
    EXPECT_EQ(seen[0].jbutton.button, ButtonB);
    EXPECT_EQ(seen[0].jbutton.which, 0);
    EXPECT_EQ(seen[1].type, SDL_JOYBUTTONUP);
    EXPECT_EQ(seen[2].type, SDL_MOUSEBUTTONUP);
    EXPECT_EQ(seen[2].button.x, 100);
    EXPECT_EQ(seen[2].button.y, 50);

    QuitRequested = 0;
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_EQ(filter(&quit), 0);
    EXPECT_EQ(QuitRequested, 1);
    QuitRequested = 0;
    StopVideo();
}

// The window shows every drawing pixel as a zoom x zoom block; scan lines darken the last
// line of each block. The screens' surface stays 320 x 240 x 16.
TEST(PlatformVideo, ZoomedWindowAndScanlines)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld draws straight into its video surface";
    Options = PlatformOptions();
    Options.zoom = 2;
    Options.scanlines = true;
    StartVideo();
    ASSERT_NE(ScreenSurface, nullptr);
    EXPECT_EQ(ScreenSurface->w, 320);
    EXPECT_EQ(ScreenSurface->h, 240);
    EXPECT_EQ(ScreenSurface->format->BitsPerPixel, 16);
    SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_NE(window, ScreenSurface);
    EXPECT_EQ(window->w, 640);
    EXPECT_EQ(window->h, 480);

    const Uint16 white = Uint16(SDL_MapRGB(ScreenSurface->format, 255, 255, 255));
    const Uint16 darkWhite = Uint16(SDL_MapRGB(ScreenSurface->format, 127, 127, 127));
    SDL_FillRect(ScreenSurface, nullptr, 0);
    SDL_Rect one = {7, 5, 1, 1};
    SDL_FillRect(ScreenSurface, &one, white);
    PlatformPresent();
    auto at = [window](int x, int y) { return static_cast<Uint16*>(window->pixels)[y * window->pitch / 2 + x]; };
    EXPECT_EQ(at(14, 10), white);
    EXPECT_EQ(at(15, 10), white);
    EXPECT_EQ(at(14, 11), darkWhite);
    EXPECT_EQ(at(15, 11), darkWhite);
    EXPECT_EQ(at(13, 10), 0);
    EXPECT_EQ(at(16, 10), 0);
    EXPECT_EQ(at(14, 9), 0);
    EXPECT_EQ(at(14, 12), 0);
    StopVideo();

    Options.zoom = 1; // no scan lines without zoom
    StartVideo();
    window = SDL_GetVideoSurface();
    EXPECT_EQ(window->w, 320);
    SDL_FillRect(ScreenSurface, nullptr, white);
    PlatformPresent();
    EXPECT_EQ(static_cast<Uint16*>(window->pixels)[window->pitch / 2 + 3], white);
    StopVideo();
}

// The script's events enter the queue in file order just before their frame; screenshots are
// taken after their frame is shown; --max-frames ends the run after its frame.
TEST(PlatformScript, PlayerQueuesEventsAndTakesScreenshots)
{
    TempDir dir;
    WriteFile(dir / "script.txt", "1 button b\n1 touch 5 6\n3 button 31\n3 screenshot " + (dir / "shot.bmp") + "\n");
    std::vector<std::string> words = {"vok", "--script", dir / "script.txt", "--store", dir.path(),
                                      "--max-frames", "4"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    ASSERT_EQ(PlatformStart(int(argv.size()), argv.data()), -1);
    EXPECT_EQ(StoreRoot, dir.path() + "/");
    StartVideo();

    PlatformBeginFrame(1);
    std::vector<SDL_Event> first = Drain();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].type, SDL_JOYBUTTONDOWN);
    EXPECT_EQ(first[0].jbutton.which, 0);
    EXPECT_EQ(first[0].jbutton.button, ButtonB);
    EXPECT_EQ(first[0].jbutton.state, SDL_PRESSED);
    EXPECT_EQ(first[1].type, SDL_JOYBUTTONUP);
    EXPECT_EQ(first[1].jbutton.button, ButtonB);
    EXPECT_EQ(first[2].type, SDL_MOUSEBUTTONUP);
    EXPECT_EQ(first[2].button.button, SDL_BUTTON_LEFT);
    EXPECT_EQ(first[2].button.x, 5);
    EXPECT_EQ(first[2].button.y, 6);
    EXPECT_FALSE(PlatformEndFrame(1));

    PlatformBeginFrame(2);
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(PlatformEndFrame(2));
    PlatformBeginFrame(3);
    std::vector<SDL_Event> third = Drain();
    ASSERT_EQ(third.size(), 2u);
    EXPECT_EQ(third[0].jbutton.button, 31);
    EXPECT_FALSE(FileExists(dir / "shot.bmp"));
    EXPECT_FALSE(PlatformEndFrame(3));
    int w = 0, h = 0;
    EXPECT_TRUE(BmpSize(dir / "shot.bmp", &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_TRUE(PlatformEndFrame(4));
    StopVideo();
    StoreRoot = "/mnt/sd/vok/";
}
