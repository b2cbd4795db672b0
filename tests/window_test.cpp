// The real program in a real X server (Xvfb): keys and clicks sent by xdotool reach the screens
// through the zoomed desktop window, the window shows the screen enlarged, and the window's
// close button ends the run the way the exit notice does, with the active player written.
// Skipped only when no X server can be started here.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/device.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

const char WindowName[] = "VOK achievements - GP2X-Wiz";
const int Zoom = 2;

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Runs `argv` in a child with DISPLAY set; the child's output goes to `log`.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& display, const std::string& workdir,
            const std::string& log, int keepFd = -1)
{
    pid_t pid = fork();
    if (pid != 0) return pid;
    int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(out, 1);
    dup2(out, 2);
    for (int fd = 3; fd < 64; ++fd)
        if (fd != keepFd) close(fd);
    if (!workdir.empty() && chdir(workdir.c_str()) != 0) _exit(126);
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER"); // the ctest default is the dummy driver; here the window is the point
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// The exit status of `pid` once it ends within `seconds`; -1 when it did not (it is then killed).
int WaitForExit(pid_t pid, int seconds)
{
    auto end = Clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (Clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        Pause(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

// A child process, killed when the test stops before it ended.
struct Running {
    pid_t pid;
    ~Running()
    {
        if (pid > 0) WaitForExit(pid, 0);
    }
    int Wait(int seconds)
    {
        int status = WaitForExit(pid, seconds);
        pid = -1;
        return status;
    }
};

// An Xvfb server on a display number it picks itself; stopped when the object goes.
class XServer {
public:
    explicit XServer(const std::string& log)
    {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return;
        pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "800x600x24",
                      "-nolisten", "tcp"}, "", "", log, pipeFds[1]);
        close(pipeFds[1]);
        std::string number;
        pollfd ready = {pipeFds[0], POLLIN, 0};
        char c;
        // Xvfb writes the display number once it accepts clients.
        while (poll(&ready, 1, 10000) > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
        close(pipeFds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~XServer()
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        WaitForExit(pid_, 5); // killed when it does not end by then
    }
    const std::string& display() const { return display_; } // empty: no server

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Runs xdotool with `args` on `display`; its standard output.
std::string Xdotool(const std::string& display, const std::string& args)
{
    std::string command = "DISPLAY=" + display + " timeout 10 xdotool " + args + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// The window's content as 0xRRGGBB; empty when it cannot be read.
std::vector<uint32_t> WindowPixels(Display* x, Window window, int width, int height)
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(x, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int y = 0; y < height; ++y)
        for (int xx = 0; xx < width; ++xx) pixels.push_back(uint32_t(XGetPixel(image, xx, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
}

// Waits until the window shows something else than `before`; the new content, empty on time-out.
std::vector<uint32_t> WaitForChange(Display* x, Window window, const std::vector<uint32_t>& before)
{
    auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        Pause(50);
        std::vector<uint32_t> now = WindowPixels(x, window, 320 * Zoom, 240 * Zoom);
        if (!now.empty() && now != before) {
            Pause(100); // let the screen settle: a change may take two frames to finish
            return WindowPixels(x, window, 320 * Zoom, 240 * Zoom);
        }
    }
    return {};
}

// Waits until the window shows a drawn screen that stays the same for a moment.
std::vector<uint32_t> WaitForStillScreen(Display* x, Window window)
{
    std::vector<uint32_t> last;
    auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        Pause(100);
        std::vector<uint32_t> now = WindowPixels(x, window, 320 * Zoom, 240 * Zoom);
        bool drawn = std::any_of(now.begin(), now.end(), [](uint32_t pixel) { return pixel != 0; });
        if (drawn && now == last) return now;
        last = now;
    }
    return {};
}

bool WaitForFile(const std::string& path)
{
    auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end && !FileExists(path)) Pause(50);
    Pause(100); // written by now
    return FileExists(path);
}

bool AdvertisesClose(Display* x, Window window)
{
    Atom* protocols = nullptr;
    int count = 0;
    bool found = false;
    Atom close = XInternAtom(x, "WM_DELETE_WINDOW", False);
    if (XGetWMProtocols(x, window, &protocols, &count)) {
        for (int i = 0; i < count; ++i) found = found || protocols[i] == close;
        XFree(protocols);
    }
    return found;
}

// What a window manager sends when the window's close button is clicked.
void ClickCloseButton(Display* x, Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
}

// Anna is selected at start; Bert's only game has thirty achievements.
void WriteCard(const std::string& store)
{
    WritePlayer(store, {"vok_anna", "Anna"});
    PlayerSetup bert{"vok_bert", "Bert"};
    bert.lang = "Deutsch";
    WritePlayer(store, bert);
    WriteGame(store, "vok_anna", CountedGame("puzzle", 5, 5));
    GameSetup racer = CountedGame("racer", 30, 30);
    racer.title = "Racer";
    WriteGame(store, "vok_bert", racer);
    SelectAtStart(store, "vok_anna");
}

// The same presses as the window gets, as a script: the picture the window run must save.
std::string ScriptedSnapshot(const std::string& store)
{
    // Cell column 3, row 2 of the grid, at its middle.
    RunOnCard(store, "2 button right\n3 button b\n5 touch 97 72\n6 button menu\n7 button b\n", 12);
    return store + "vok_bert_racer.bmp";
}

} // namespace

// Right and B open Bert's game, a click at zoom 2 moves the grid cursor, Return opens the
// game menu and B takes the snapshot; the window shows the screen doubled; its close button
// ends vok with status 0 and Bert written as the active player.
TEST(Window, KeysClicksAndCloseButton)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build draws no desktop window";
    std::string setup = "bash '" + SourceDir() + "/tools/setup-packages.sh' >/dev/null 2>&1";
    if (std::system(setup.c_str()) != 0) std::fprintf(stderr, "tools/setup-packages.sh could not install everything\n");
    TempDir work, reference, card;
    XServer server(work / "xvfb.log");
    if (server.display().empty())
        GTEST_SKIP() << "no X server could be started (is Debian's xvfb installed?): " << ReadFile(work / "xvfb.log");
    ASSERT_NE(Xdotool(server.display(), "version"), "") << "xdotool is missing: run tools/setup-packages.sh as root";

    // Xlib keeps a few small strings of its own to the end (a sanitizer build would count them).
    WriteFile(work / "lsan.txt", "leak:libX11.so\n");
    setenv("LSAN_OPTIONS", ("suppressions=" + work / "lsan.txt").c_str(), 1);

    WriteCard(reference.store());
    std::string expected = ScriptedSnapshot(reference.store());
    ASSERT_TRUE(FileExists(expected));
    WriteCard(card.store());

    Running vok{Spawn({BuildDir() + "/vok", "--store", card.store(), "--zoom", std::to_string(Zoom),
                       "--max-frames", "100000"}, server.display(), BuildDir(), work / "vok.log")};
    std::string found = Xdotool(server.display(), std::string("search --sync --name '^") + WindowName + "$'");
    Window window = Window(std::strtoul(found.c_str(), nullptr, 10));
    std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(server.display().c_str()), XCloseDisplay);
    Display* x = connection.get();
    ASSERT_TRUE(x && window) << ReadFile(work / "vok.log");
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(x, window, &attributes));
    EXPECT_EQ(attributes.width, 320 * Zoom);
    EXPECT_EQ(attributes.height, 240 * Zoom);
    EXPECT_TRUE(AdvertisesClose(x, window)) << "a window manager could not ask vok to close";

    std::string id = std::to_string(window);
    Xdotool(server.display(), "windowfocus --sync " + id);
    std::vector<uint32_t> home = WaitForStillScreen(x, window);
    ASSERT_FALSE(home.empty()) << "the window shows no screen";
    Xdotool(server.display(), "key Right");
    std::vector<uint32_t> bert = WaitForChange(x, window, home);
    ASSERT_FALSE(bert.empty()) << "the right arrow changed nothing";
    Xdotool(server.display(), "key b");
    std::vector<uint32_t> game = WaitForChange(x, window, bert);
    ASSERT_FALSE(game.empty()) << "B changed nothing";
    Xdotool(server.display(), "mousemove --window " + id + " " + std::to_string(97 * Zoom) + " " +
                                  std::to_string(72 * Zoom) + " click 1");
    ASSERT_FALSE(WaitForChange(x, window, game).empty()) << "the click moved no cursor";
    Xdotool(server.display(), "key Return b"); // the menu opens, then B takes its first item
    ASSERT_TRUE(WaitForFile(card / "vok_bert_racer.bmp")) << ReadFile(work / "vok.log");

    RgbImage want, got;
    ASSERT_TRUE(ReadBmpPixels(expected, &want));
    ASSERT_TRUE(ReadBmpPixels(card / "vok_bert_racer.bmp", &got));
    EXPECT_TRUE(want.pixels == got.pixels) << "the window run saw other presses than the script";
    // The window holds the same picture, each pixel doubled (the notice box now covers the
    // middle, the hints the bottom: compare the title, counts and first grid row).
    std::vector<uint32_t> shown = WindowPixels(x, window, 320 * Zoom, 240 * Zoom);
    ASSERT_EQ(shown.size(), size_t(320 * Zoom * 240 * Zoom));
    int wrong = 0;
    for (int y = 0; y < 60; ++y)
        for (int xx = 0; xx < 320; ++xx)
            for (int k = 0; k < Zoom * Zoom; ++k)
                wrong += shown[size_t((y * Zoom + k / Zoom) * 320 * Zoom + xx * Zoom + k % Zoom)] != want.at(xx, y);
    EXPECT_EQ(wrong, 0);

    Xdotool(server.display(), "key x"); // only dismisses the snapshot notice
    Pause(200);
    ClickCloseButton(x, window);
    EXPECT_EQ(vok.Wait(20), 0) << ReadFile(work / "vok.log");
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_bert");
}
