// The real program in a real X server (Xvfb): keys and clicks sent by xdotool reach the screens
// through the zoomed desktop window, and its close button ends the run. Skipped without Xvfb.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/device.h"
#include "tests/support/screens_support.h"

namespace {

const int Zoom = 2;

// A shell command in the background, its output readable (first the shell's process id); ended with the test.
struct Background {
    FILE* out;
    pid_t pid = 0;
    explicit Background(const std::string& command)
        : out(popen(("echo $$; " + command).c_str(), "r")), pid(std::atoi(ReadLine().c_str())) {}
    ~Background() { Wait(true); }
    std::string ReadLine() // "" at the end
    {
        std::string line;
        for (int c; out && (c = fgetc(out)) != EOF && c != '\n';) line += char(c);
        return line;
    }
    int Wait(bool end = false) // the exit status; -1 when it did not exit normally
    {
        if (end && out && pid > 0) kill(pid, SIGTERM);
        const int status = out ? pclose(out) : -1;
        out = nullptr;
        return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

std::string Xdotool(const std::string& args) // its standard output
{
    Background run("timeout 10 xdotool " + args + " 2>/dev/null");
    std::string out;
    for (int c; run.out && (c = fgetc(run.out)) != EOF;) out += char(c);
    return out;
}

// Waits until the window shows a drawn screen other than `before` that stays for a moment (a
// change may take two frames); empty on time-out.
std::vector<uint32_t> WaitForScreen(Display* x, Window window, const std::vector<uint32_t>& before = {})
{
    const int width = 320 * Zoom, height = 240 * Zoom;
    std::vector<uint32_t> last;
    for (int tries = 0; tries < 100; ++tries, usleep(100000)) { // about ten seconds
        std::vector<uint32_t> now;
        if (XImage* image = XGetImage(x, window, 0, 0, width, height, AllPlanes, ZPixmap)) {
            for (int i = 0; i < width * height; ++i)
                now.push_back(uint32_t(XGetPixel(image, i % width, i / width)) & 0xFFFFFF);
            XDestroyImage(image);
        }
        const bool drawn = size_t(std::count(now.begin(), now.end(), 0u)) < now.size();
        if (now == last && now != before && drawn) return now;
        last = now;
    }
    return {};
}

} // namespace

// Right and B open Bert's game, a click at zoom 2 moves the cursor to column 3, row 2, Return
// opens the menu and B takes the snapshot a script of these presses saves; the close button
// ends vok with status 0 and Bert written as the active player.
TEST(Window, KeysClicksAndCloseButton)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build draws no desktop window";
    TempDir work, reference, card;
    Background server("exec Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp 2>" + work / "xvfb.log");
    const std::string number = server.ReadLine(), display = ":" + number;
    if (number.empty())
        GTEST_SKIP() << "no X server could be started (is xvfb installed?): " << ReadFile(work / "xvfb.log");
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER"); // the ctest default is the dummy driver; here the window is the point
    // Xlib keeps a few small strings of its own to the end (a sanitizer build would count them).
    WriteFile(work / "lsan.txt", "leak:libX11.so\n");
    setenv("LSAN_OPTIONS", ("suppressions=" + work / "lsan.txt").c_str(), 1);

    for (const std::string& store : {reference.store(), card.store()}) { // Bert has 30 achievements
        WritePlayer(store, {"vok_anna", "Anna"});
        WritePlayer(store, {"vok_bert", "Bert"});
        WriteGame(store, "vok_bert", CountedGame("racer", 30, 30));
        SelectAtStart(store, "vok_anna");
    }
    const std::string script = "2 button right\n3 button b\n5 touch 97 72\n6 button menu\n7 button b\n";
    RunOnCard(reference.store(), script, 12);
    Background vok("cd " + BuildDir() + " && exec timeout 60 " + EmulatorCommand() + "./vok --store " + card.store() + " --zoom "
                   + std::to_string(Zoom) + " >" + work / "vok.log 2>&1");
    const Window window = std::stoul("0" + Xdotool("search --sync --name '^VOK achievements - GP2X-Wiz$'"));
    std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(display.c_str()), XCloseDisplay);
    Display* x = connection.get();
    ASSERT_TRUE(x && window) << "no window (is xdotool installed?) " << ReadFile(work / "vok.log");

    const std::string id = std::to_string(window);
    Xdotool("windowfocus --sync " + id);
    std::vector<uint32_t> shown = WaitForScreen(x, window);
    const std::string click = std::to_string(97 * Zoom) + " " + std::to_string(72 * Zoom) + " click 1";
    const std::string steps[] = {"key Right", "key b", "mousemove --window " + id + " " + click, "key Return b"};
    for (const std::string& step : steps) { // the menu opens on Return, B takes its first item
        Xdotool(step);
        shown = WaitForScreen(x, window, shown);
        ASSERT_FALSE(shown.empty()) << step << " changed nothing";
    }
    const std::string want = ReadFile(reference / "vok_bert_racer.bmp"); // both saved by the same code
    EXPECT_TRUE(!want.empty() && want == ReadFile(card / "vok_bert_racer.bmp")) << "other presses";

    // What a window manager sends when the window's close button is clicked.
    XEvent event = {};
    event.xclient = {ClientMessage, 0, False, x, window, XInternAtom(x, "WM_PROTOCOLS", False), 32, {}};
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False)); // at CurrentTime (0)
    XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
    EXPECT_EQ(vok.Wait(), 0) << ReadFile(work / "vok.log");
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_bert");
}
