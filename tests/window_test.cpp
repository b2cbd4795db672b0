// The real program in a real X server (Xvfb): keys and clicks sent by xdotool reach the screens
// through the zoomed desktop window, and its close button ends the run as the exit notice does.
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
#include <memory>
#include <thread>

#include "platform/device.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
const int Zoom = 2;

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// A child process; asked to end (then killed) when the test stops before it ended.
struct Running {
    pid_t pid = -1;
    ~Running()
    {
        if (pid > 0 && kill(pid, SIGTERM) == 0) Wait(5);
    }
    // Runs `argv` from the build folder with its output going to `log`; `keepFd` stays open.
    void Start(const std::vector<std::string>& argv, const std::string& log, int keepFd = -1)
    {
        if ((pid = fork()) != 0) return;
        dup2(open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600), 1);
        dup2(1, 2);
        for (int fd = 3; fd < 64; ++fd)
            if (fd != keepFd) close(fd);
        if (chdir(BuildDir().c_str()) != 0) _exit(126);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    // The exit status once it ends within `seconds`; -1 when it did not (it is then killed).
    int Wait(int seconds)
    {
        int status = 0;
        for (auto end = Clock::now() + std::chrono::seconds(seconds); pid > 0 && Clock::now() < end; Pause(20))
            if (waitpid(pid, &status, WNOHANG) == pid) return pid = -1, WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, &status, 0);
        return pid = -1, -1;
    }
};

// Starts Xvfb on a display number it picks itself; the display, empty when none started.
std::string StartXServer(Running* server, const std::string& log)
{
    int fds[2];
    if (pipe(fds) != 0) return "";
    server->Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "800x600x24", "-nolisten", "tcp"},
                  log, fds[1]);
    close(fds[1]);
    std::string number;
    pollfd ready = {fds[0], POLLIN, 0};
    char c; // Xvfb writes the display number once it accepts clients
    while (poll(&ready, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

// Runs xdotool with `args`; its standard output.
std::string Xdotool(const std::string& args)
{
    std::string out, command = "timeout 10 xdotool " + args + " 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// Waits until the window shows a drawn screen other than `before` that stays the same for a
// moment (a change may take two frames to finish); empty on time-out.
std::vector<uint32_t> WaitForScreen(Display* x, Window window, const std::vector<uint32_t>& before = {})
{
    std::vector<uint32_t> last;
    for (auto end = Clock::now() + std::chrono::seconds(10); Clock::now() < end; Pause(100)) {
        std::vector<uint32_t> now;
        if (XImage* image = XGetImage(x, window, 0, 0, 320 * Zoom, 240 * Zoom, AllPlanes, ZPixmap)) {
            for (int i = 0; i < 320 * Zoom * 240 * Zoom; ++i)
                now.push_back(uint32_t(XGetPixel(image, i % (320 * Zoom), i / (320 * Zoom))) & 0xFFFFFF);
            XDestroyImage(image);
        }
        if (now == last && now != before && size_t(std::count(now.begin(), now.end(), 0u)) < now.size()) return now;
        last = now;
    }
    return {};
}

} // namespace

// Right and B open Bert's game, a click at zoom 2 moves the grid cursor to column 3, row 2,
// Return opens the game menu and B takes the snapshot, the same as a script with these presses
// saves; the window's close button ends vok with status 0 and Bert written as the active player.
TEST(Window, KeysClicksAndCloseButton)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build draws no desktop window";
    std::string setup = "bash '" + SourceDir() + "/tools/setup-packages.sh' >/dev/null 2>&1";
    if (std::system(setup.c_str()) != 0) std::fprintf(stderr, "tools/setup-packages.sh could not install everything\n");
    TempDir work, reference, card;
    Running server;
    const std::string display = StartXServer(&server, work / "xvfb.log");
    if (display.empty())
        GTEST_SKIP() << "no X server could be started (is Debian's xvfb installed?): " << ReadFile(work / "xvfb.log");
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER"); // the ctest default is the dummy driver; here the window is the point
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // Xlib keeps a few small strings of its own to the end (a sanitizer build would count them).
    WriteFile(work / "lsan.txt", "leak:libX11.so\n");
    setenv("LSAN_OPTIONS", ("suppressions=" + work / "lsan.txt").c_str(), 1);

    for (const std::string& store : {reference.store(), card.store()}) { // Anna selected; Bert has 30 achievements
        WritePlayer(store, {"vok_anna", "Anna"});
        WritePlayer(store, {"vok_bert", "Bert"});
        WriteGame(store, "vok_bert", CountedGame("racer", 30, 30));
        SelectAtStart(store, "vok_anna");
    }
    RunOnCard(reference.store(), "2 button right\n3 button b\n5 touch 97 72\n6 button menu\n7 button b\n", 12);
    Running vok;
    vok.Start({BuildDir() + "/vok", "--store", card.store(), "--zoom", std::to_string(Zoom), "--max-frames", "100000"},
              work / "vok.log");
    std::string found = Xdotool("search --sync --name '^VOK achievements - GP2X-Wiz$'");
    Window window = Window(std::strtoul(found.c_str(), nullptr, 10));
    std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(display.c_str()), XCloseDisplay);
    Display* x = connection.get();
    ASSERT_TRUE(x && window) << "no window (is xdotool installed?) " << ReadFile(work / "vok.log");

    const std::string id = std::to_string(window);
    Xdotool("windowfocus --sync " + id);
    std::vector<uint32_t> shown = WaitForScreen(x, window);
    ASSERT_FALSE(shown.empty()) << "the window shows no screen";
    const std::string steps[] = {"key Right", "key b", "mousemove --window " + id + " " + std::to_string(97 * Zoom) +
                                                           " " + std::to_string(72 * Zoom) + " click 1",
                                 "key Return b"}; // the menu opens, then B takes its first item (the snapshot)
    for (const std::string& step : steps) {
        Xdotool(step);
        shown = WaitForScreen(x, window, shown);
        ASSERT_FALSE(shown.empty()) << step << " changed nothing";
    }
    const std::string want = ReadFile(reference / "vok_bert_racer.bmp"); // both saved by the same code
    ASSERT_FALSE(want.empty());
    EXPECT_TRUE(want == ReadFile(card / "vok_bert_racer.bmp")) << "the window saw other presses than the script";

    Xdotool("key x"); // only dismisses the snapshot notice
    Pause(200);
    // What a window manager sends when the window's close button is clicked.
    XEvent event = {};
    event.xclient = {ClientMessage, 0, False, x, window, XInternAtom(x, "WM_PROTOCOLS", False), 32, {}};
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False)); // at CurrentTime (0)
    XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
    EXPECT_EQ(vok.Wait(20), 0) << ReadFile(work / "vok.log");
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_bert");
}
