// The platform layer: command line, input scripts, the desktop's keys, zoomed window, scan lines.
#include <gtest/gtest.h>

#include <SDL.h>

#include "frame/state.h"
#include "platform/device.h"
#include "platform/platform.h"

// The words after "vok" read into `options`; the message, "" when they are accepted.
static std::string Parse(std::vector<std::string> words, PlatformOptions* options)
{
    words.insert(words.begin(), "vok");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    std::string error;
    const bool ok = ParseOptions(int(argv.size()), argv.data(), options, &error);
    return ok == error.empty() ? error : "accepted: " + std::to_string(ok) + ", message: " + error;
}

static const std::string Expected = "line 1: expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE";

// Every option value is checked before SDL starts, with a message naming the problem; --help
// documents every option and key.
TEST(PlatformOptions, GoodAndBadCommandLinesAndUsage)
{
    PlatformOptions p;
    ASSERT_EQ(Parse({"--store", "/card/vok", "--zoom", "4", "-fullscreen", "-scanlines", "plain"}, &p), "");
    EXPECT_EQ(p.storeRoot, "/card/vok/");
    EXPECT_TRUE(p.fullscreen && p.scanlines && !p.help);
    ASSERT_EQ(Parse({"--store", "/card/vok/"}, &p), "");
    EXPECT_EQ(p.storeRoot, "/card/vok/");

    const struct { std::vector<std::string> words; const char* error; } table[] = {
        {{}, ""}, {{"--bogus"}, "unknown option --bogus"},
        {{"--store"}, "--store needs a value"}, {{"--store", ""}, "--store needs a value"},
        {{"--max-frames", "0"}, "--max-frames needs a whole number from 1, not \"0\""},
        {{"--max-frames", "12x"}, "--max-frames needs a whole number from 1, not \"12x\""},
        {{"--max-frames", "99999999999"}, "--max-frames needs a whole number from 1, not \"99999999999\""},
        {{"--zoom", "5"}, "--zoom needs 1, 2, 3 or 4, not \"5\""},
        {{"--zoom", "0"}, "--zoom needs 1, 2, 3 or 4, not \"0\""},
    };
    for (const auto& c : table) EXPECT_EQ(Parse(c.words, &p), c.error);

    const std::string usage = UsageText();
    for (const char* word : {"--store", "--launcher", "--script", "--max-frames", "--zoom", "-fullscreen",
                             "-scanlines", "--help", "arrow keys", "Return", "Escape", "B X Y L R", "mouse"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

// Scripts: buttons by name and number, touches, screenshots, comments; errors give the line. Keys
// stand for the buttons (Right, B, Return and clicks at zoom 2: window_test); window positions
// shrink back to drawing positions.
TEST(PlatformInput, ScriptsKeysAndZoomedPositions)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("# a comment\n\n  \n1 button b\r\n1 touch 10 200\n3 screenshot my shot.bmp\n"
                            "  # indented\n9 button 31\n", &events, &error)) << error;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].x * 1000 + events[1].y, 10200);
    EXPECT_EQ(events[2].file, "my shot.bmp");
    EXPECT_EQ(events[3].button, 31);

    // A button's number (the names whole runs do not use), or -1 with the message the script gets.
    const struct { const char* text; int button; std::string error; } table[] = {
        {"2 button left\n", 2, ""}, {"2 button l\n", 10, ""},
        {"2 button r\n", 11, ""}, {"2 button y\n", 15, ""},
        {"1 button b\n2 button jump\n", -1, "line 2: unknown button \"jump\""},
        {"1 button 32\n", -1, "line 1: unknown button \"32\""},
        {"0 button b\n", -1, "line 1: frame \"0\" is not a whole number from 1"},
        {"# c\n5 button b\n4 button b\n", -1, "line 3: frame 4 comes after frame 5"},
        {"1 touch 5\n", -1, Expected}, {"1 button\n", -1, Expected}, {"1 jump\n", -1, Expected},
        {"1 touch 5 70000\n", -1, "line 1: touch needs two positions from 0 to 65535, not \"5 70000\""},
        {"1 screenshot   \n", -1, "line 1: screenshot needs a file name"},
    };
    for (const auto& c : table) {
        events.clear();
        error.clear();
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseScript(c.text, &events, &error), c.button >= 0);
        EXPECT_EQ(c.button >= 0 ? (events.empty() ? -2 : events.back().button) : -1, c.button);
        EXPECT_EQ(error, c.error);
    }

    const struct { SDLKey key; int button; } keys[] = {
        {SDLK_UP, ButtonUp}, {SDLK_DOWN, ButtonDown}, {SDLK_LEFT, ButtonLeft}, {SDLK_ESCAPE, ButtonMenu},
        {SDLK_x, ButtonX}, {SDLK_y, ButtonY}, {SDLK_l, ButtonL}, {SDLK_r, ButtonR}, {SDLK_a, -1}};
    for (const auto& k : keys) EXPECT_EQ(KeyToButton(k.key), k.button) << k.key;

    EXPECT_EQ(WindowToScreen(319 * 4 + 3, 4), 319);
}

// The window shows each drawing pixel as a zoom x zoom block; scan lines darken each block's
// last line, only when zoomed.
TEST(PlatformVideo, ZoomedWindowAndScanlines)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld draws straight into its video surface";
    Options = PlatformOptions();
    Options.scanlines = true;
    for (int zoom = 2; zoom >= 1; --zoom) {
        Options.zoom = zoom;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_TRUE(PlatformOpenVideo());
        SDL_Surface* window = SDL_GetVideoSurface();
        EXPECT_EQ(window->w * 1000 + window->h, 320240 * zoom);
        const Uint16 white = Uint16(SDL_MapRGB(ScreenSurface->format, 255, 255, 255));
        const Uint16 dark = zoom > 1 ? Uint16(SDL_MapRGB(ScreenSurface->format, 127, 127, 127)) : white;
        SDL_FillRect(ScreenSurface, nullptr, 0);
        static_cast<Uint16*>(ScreenSurface->pixels)[5 * ScreenSurface->pitch / 2 + 7] = white;
        PlatformPresent();
        const Uint16* shown = static_cast<Uint16*>(window->pixels);
        auto at = [&](int x, int y) { return shown[y * window->pitch / 2 + x]; };
        const int x = 7 * zoom, y = 5 * zoom;
        EXPECT_EQ(at(x, y), white);
        EXPECT_EQ(at(x + zoom - 1, y + zoom - 1), dark);
        EXPECT_EQ(at(x - 1, y) | at(x + zoom, y) | at(x, y - 1) | at(x, y + zoom), 0);

        // A frame that redrew parts shows their rows only, each as a full present would, and
        // leaves the list empty; the next present shows the whole again.
        auto plot = [&](int px, int py) { static_cast<Uint16*>(ScreenSurface->pixels)[py * ScreenSurface->pitch / 2 + px] = white; };
        plot(300, 200); // in a part's rows, outside its columns
        plot(10, 100);  // outside every part
        ShownParts[0] = {20, 195, 8, 10};
        ShownParts[1] = {0, 230, 320, 20}; // reaches below the screen: held to its rows
        ShownPartCount = 2;
        PlatformPresent();
        EXPECT_EQ(ShownPartCount, 0);
        EXPECT_EQ(at(300 * zoom, 200 * zoom), white); // whole rows are widened
        // outside the parts the window keeps the frame before; at zoom 1 it is the drawing itself
        EXPECT_EQ(at(10 * zoom, 100 * zoom), zoom > 1 ? 0 : white);
        EXPECT_EQ(at(x, y), white);
        PlatformPresent();
        EXPECT_EQ(at(10 * zoom, 100 * zoom), white);
        PlatformCloseVideo();
        SDL_Quit();
    }
}
