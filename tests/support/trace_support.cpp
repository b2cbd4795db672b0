#include "tests/support/trace_support.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <sstream>

std::vector<std::string> TracedEmulator()
{
    const char* configured = std::getenv("VOK_EMULATOR");
    std::istringstream words(configured ? configured : VOK_TEST_EMULATOR);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

size_t Stride()
{
    const char* configured = std::getenv("VOK_CUT_STRIDE");
    return size_t(std::max(configured ? std::atoi(configured) : 1, 1));
}

const char TracedCalls[] = "?open,openat,?creat,write,?writev,?pwrite64,fsync,?fdatasync,?rename,renameat,"
                           "?renameat2,?unlink,unlinkat,?mkdir,?mkdirat,?rmdir,?ftruncate,?truncate,"
                           "?symlink,?symlinkat,?link,?linkat";

std::vector<Point> WritePoints(const std::string& log, const std::string& card)
{
    std::vector<Point> points;
    std::map<std::string, int> counts;
    std::istringstream lines(log);
    std::string mainThread;
    for (std::string line; std::getline(lines, line);) {
        const size_t blank = line.find(' ');
        const size_t start = line.find_first_not_of(' ', blank); // strace pads the thread id
        if (blank == std::string::npos || start == std::string::npos) continue;
        const std::string thread = line.substr(0, blank), call = line.substr(start);
        if (mainThread.empty()) mainThread = thread;
        const size_t open = call.find('(');
        if (thread != mainThread || call.rfind("<...", 0) == 0 || open == std::string::npos || !std::isalpha(call[0]))
            continue;
        const std::string name = call.substr(0, open);
        const int number = ++counts[name];
        const bool opens = name == "open" || name == "openat";
        const bool writes = call.find("O_WRONLY") != std::string::npos || call.find("O_RDWR") != std::string::npos ||
                            call.find("O_CREAT") != std::string::npos;
        if (call.find(card) != std::string::npos && (!opens || writes)) points.push_back({name, number, call.substr(0, 160)});
    }
    return points;
}

std::vector<std::string> InjectAt(const Point& point, const std::string& fault)
{
    return {"-o", "/dev/null", "-e", "trace=" + point.call, "-e",
            "inject=" + point.call + ":" + fault + ":when=" + std::to_string(point.number)};
}

std::vector<std::string> StraceOptions()
{
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    return {"-f", "-qq", "-E", "ASAN_OPTIONS=" + std::string(sanitizer ? sanitizer : "") + ":detect_leaks=0"};
}
