// Running a program under strace to find every write-related call it makes on a card, then
// again with one of those calls killed or failed, for the power-cut tests of vok and the kit.
#ifndef VOK_TESTS_TRACE_SUPPORT_H
#define VOK_TESTS_TRACE_SUPPORT_H

#include <string>
#include <vector>

// What runs a program of another machine: VOK_EMULATOR, else CMAKE_CROSSCOMPILING_EMULATOR.
std::vector<std::string> TracedEmulator();
// Every how many cut points one is tried: VOK_CUT_STRIDE (slow builds), else 1.
size_t Stride();
// Calls that change a file system; open only counts with a flag that writes.
extern const char TracedCalls[];

struct Point {
    std::string call;
    int number; // of this call in the main thread, from 1, as strace counts for when=
    std::string line;
};
// The write-related calls on paths holding `card` in strace's log of a whole run, in their order.
std::vector<Point> WritePoints(const std::string& log, const std::string& card);
// strace's first arguments: follow every thread, quietly; LeakSanitizer cannot work under a
// tracer and would end a sanitizer build's run with an error, so it is off in the traced program.
std::vector<std::string> StraceOptions();
// strace's arguments that make call `point` fail with `fault` ("signal=KILL", "error=EIO", ...).
std::vector<std::string> InjectAt(const Point& point, const std::string& fault);

#endif
