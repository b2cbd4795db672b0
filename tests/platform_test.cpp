// The platform layer: the command line and input scripts (what headless runs and tools rely
// on), the desktop's keys and enlarged window, and the scan lines drawn over it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <vector>

#include "frame/state.h"
#include "platform/device.h"
#include "platform/platform.h"

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

const std::string Expected = "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE";

} // namespace

// Options: every value is checked before SDL starts, with a message naming the problem
// (an empty message: the words are accepted).
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
    EXPECT_TRUE(p.options.fullscreen && p.options.scanlines && !p.options.help);
    EXPECT_EQ(Parse({"--store", "/card/vok/"}).options.storeRoot, "/card/vok/");

    const struct { std::vector<std::string> words; const char* error; } table[] = {
        {{}, ""},
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
    for (const auto& c : table) {
        Parsed b = Parse(c.words);
        EXPECT_EQ(b.ok, c.error[0] == '\0') << c.error;
        EXPECT_EQ(b.error, c.error);
    }
}

// Scripts: names and numbers of buttons, touches, screenshots, comments; errors give the line.
TEST(PlatformScript, GoodAndBadScripts)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("# a comment\n\n  \n1 button b\r\n1 touch 10 200\n3 screenshot shots/one shot.bmp\n"
                            "  # indented\n9 button 31\n", &events, &error)) << error;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].frame, 1);
    EXPECT_EQ(events[0].kind, ScriptEvent::ScriptButton);
    EXPECT_EQ(events[1].kind, ScriptEvent::ScriptTouch);
    EXPECT_EQ(events[1].x * 1000 + events[1].y, 10200);
    EXPECT_EQ(events[2].kind, ScriptEvent::ScriptScreenshot);
    EXPECT_EQ(events[2].file, "shots/one shot.bmp");
    EXPECT_EQ(events[3].frame, 9);
    EXPECT_EQ(events[3].button, 31);

    // A button's number, or -1 with the message the script gets.
    const struct { const char* text; int button; std::string error; } table[] = {
        {"2 button up\n", 0, ""}, {"2 button left\n", 2, ""}, {"2 button down\n", 4, ""},
        {"2 button right\n", 6, ""}, {"2 button menu\n", 8, ""}, {"2 button l\n", 10, ""},
        {"2 button r\n", 11, ""}, {"2 button b\n", 13, ""}, {"2 button x\n", 14, ""}, {"2 button y\n", 15, ""},
        {"1 button b\n2 button jump\n", -1, "line 2: unknown button \"jump\""},
        {"1 button 32\n", -1, "line 1: unknown button \"32\""},
        {"0 button b\n", -1, "line 1: frame \"0\" is not a whole number from 1"},
        {"# c\n5 button b\n4 button b\n", -1, "line 3: frame 4 comes after frame 5"},
        {"1 touch 5\n", -1, Expected}, {"1 touch 5 6 7\n", -1, Expected},
        {"1 touch -5 6\n", -1, "line 1: touch needs two positions from 0 to 65535, not \"-5 6\""},
        {"1 touch 5 70000\n", -1, "line 1: touch needs two positions from 0 to 65535, not \"5 70000\""},
        {"1 button\n", -1, Expected}, {"1 button b c\n", -1, Expected},
        {"1 screenshot   \n", -1, "line 1: screenshot needs a file name"},
        {"1 jump\n", -1, Expected},
    };
    for (const auto& c : table) {
        events.clear();
        error.clear();
        EXPECT_EQ(ParseScript(c.text, &events, &error), c.button >= 0) << c.text;
        if (c.button >= 0) EXPECT_EQ(events.back().button, c.button) << c.text;
        else EXPECT_EQ(error, c.error) << c.text;
    }
}

// --help documents every option and every key of the desktop; keys stand for the handheld's
// buttons, and window positions shrink back to drawing positions at every zoom.
TEST(PlatformInput, UsageKeysAndZoomedPositions)
{
    const std::string usage = UsageText();
    for (const char* word : {"--store", "--launcher", "--script", "--max-frames", "--zoom", "-fullscreen",
                             "-scanlines", "--help", "arrow keys", "Return", "Escape", "B X Y L R", "mouse"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;

    const struct { SDLKey key; int button; } keys[] = {
        {SDLK_UP, ButtonUp}, {SDLK_DOWN, ButtonDown}, {SDLK_LEFT, ButtonLeft}, {SDLK_RIGHT, ButtonRight},
        {SDLK_RETURN, ButtonMenu}, {SDLK_ESCAPE, ButtonMenu}, {SDLK_b, ButtonB}, {SDLK_x, ButtonX},
        {SDLK_y, ButtonY}, {SDLK_l, ButtonL}, {SDLK_r, ButtonR}, {SDLK_a, -1}, {SDLK_SPACE, -1}};
    for (const auto& k : keys) EXPECT_EQ(KeyToButton(k.key), k.button) << k.key;

    for (int zoom = 1; zoom <= 4; ++zoom) {
        EXPECT_EQ(WindowToScreen(157 * zoom, zoom), 157);
        EXPECT_EQ(WindowToScreen(319 * zoom + zoom - 1, zoom), 319);
    }
    EXPECT_EQ(WindowToScreen(2 * 45 + 1, 2), 45);
}

// The window shows every drawing pixel as a zoom x zoom block; scan lines darken the last
// line of each block, and only when zoomed. The screens' surface stays 320 x 240 x 16.
TEST(PlatformVideo, ZoomedWindowAndScanlines)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld draws straight into its video surface";
    Options = PlatformOptions();
    Options.scanlines = true;
    for (int zoom = 2; zoom >= 1; --zoom) {
        Options.zoom = zoom;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_TRUE(PlatformOpenVideo());
        ASSERT_NE(ScreenSurface, nullptr);
        EXPECT_EQ(ScreenSurface->w * 1000 + ScreenSurface->h, 320240);
        EXPECT_EQ(ScreenSurface->format->BitsPerPixel, 16);
        SDL_Surface* window = SDL_GetVideoSurface();
        EXPECT_EQ(window->w * 1000 + window->h, 320240 * zoom);
        const Uint16 white = Uint16(SDL_MapRGB(ScreenSurface->format, 255, 255, 255));
        const Uint16 dark = zoom > 1 ? Uint16(SDL_MapRGB(ScreenSurface->format, 127, 127, 127)) : white;
        SDL_FillRect(ScreenSurface, nullptr, 0);
        SDL_Rect one = {7, 5, 1, 1};
        SDL_FillRect(ScreenSurface, &one, white);
        PlatformPresent();
        auto at = [window](int x, int y) { return static_cast<Uint16*>(window->pixels)[y * window->pitch / 2 + x]; };
        const int x = 7 * zoom, y = 5 * zoom;
        EXPECT_EQ(at(x, y), white);
        EXPECT_EQ(at(x + zoom - 1, y), white);
        EXPECT_EQ(at(x + zoom - 1, y + zoom - 1), dark);
        EXPECT_EQ(at(x - 1, y) | at(x + zoom, y) | at(x, y - 1) | at(x, y + zoom), 0);
        PlatformCloseVideo();
        SDL_Quit();
    }
}
