#include "card/card_files.h"
#include "test_emulator.h"
#include "tests/support/test_support.h"
#include "tools/bitmap_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    char pattern[] = "/tmp/vok-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them writable before removing.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::end(it); it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) chmod(it->path().c_str(), 0700);
    chmod(path_.c_str(), 0700);
    fs::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return bool(file.write(bytes.data(), std::streamsize(bytes.size())));
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

void MakeDir(const std::string& path)
{
    std::error_code ignored;
    fs::create_directories(path, ignored);
}

FileTree ReadTree(const std::string& root, bool dates)
{
    FileTree files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); it != fs::end(it); it.increment(error)) {
        std::string& entry = files[fs::relative(it->path(), root).string()];
        entry = it->is_symlink() ? "link to " + fs::read_symlink(it->path()).string()
                : it->is_directory() ? "folder" : "file " + ReadFile(it->path());
        if (dates) entry += " at " + std::to_string(fs::last_write_time(it->path(), error).time_since_epoch().count());
    }
    return files;
}

std::vector<std::string> Emulator() { return {EmulatorWords, EmulatorWords + sizeof EmulatorWords / sizeof *EmulatorWords - 1}; }

std::string EmulatorCommand()
{
    std::string command;
    for (const std::string& word : Emulator()) {
        command += "'";
        for (char c : word) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "' ";
    }
    return command;
}

// A program of this build (not a script, not one of the system's): built for the target.
static bool BuiltHere(const std::string& program)
{
    const std::string prefix = BuildDir() + "/";
    char magic[4] = {};
    std::ifstream(program, std::ios::binary).read(magic, sizeof magic);
    return program.compare(0, prefix.size(), prefix) == 0 && std::string(magic, 4) == "\x7f" "ELF";
}

// A command word without a "/" (an emulator named as "qemu-arm") is looked up in PATH, as
// CTest does; one with a "/" is taken as it is.
std::string ResolveProgram(const std::string& word)
{
    const char* path = std::getenv("PATH");
    if (word.empty() || word.find('/') != std::string::npos || !path) return word;
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + word;
        if (access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate)) return candidate;
    }
    return word;
}

std::string BuildDir() { return VOK_BUILD_DIR; }
std::string SourceDir() { return VOK_SOURCE_DIR; }

VokRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& workdir)
{
    TempDir outputs;
    const std::string outPath = outputs / "out", errPath = outputs / "err";
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        if (chdir(workdir.c_str()) != 0) _exit(126);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // scripts that start the build's programs (tools/tour.sh) put the emulator first too
        std::string blankSeparated;
        for (const std::string& word : Emulator()) blankSeparated += (blankSeparated.empty() ? "" : " ") + word;
        if (!blankSeparated.empty()) setenv("VOK_EMULATOR", blankSeparated.c_str(), 1);
        for (const char* const* setting = EmulatorSettings; *setting; ++setting) putenv(const_cast<char*>(*setting));
        std::vector<std::string> command = BuiltHere(program) ? Emulator() : std::vector<std::string>();
        command.push_back(program);
        command.insert(command.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (const std::string& w : command) argv.push_back(const_cast<char*>(w.c_str()));
        argv.push_back(nullptr);
        const std::string resolved = ResolveProgram(command[0]);
        execv(resolved.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(outPath), ReadFile(errPath)};
}

VokRun RunVok(const std::vector<std::string>& args, const std::string& script)
{
    std::vector<std::string> all = args;
    TempDir scriptDir;
    WriteFile(scriptDir / "input.txt", script);
    if (!script.empty()) all.insert(all.end(), {"--script", scriptDir / "input.txt"});
    return RunProgram(BuildDir() + "/vok", all, BuildDir());
}

bool BmpPixel(const std::string& path, int x, int y, uint32_t* rgb)
{
    RgbImage image;
    if (!ReadBmp(path, &image) || !image.inside(x, y)) return false;
    *rgb = image.at(x, y);
    return true;
}

std::string TemporaryOf(const std::string& name)
{
    char temporary[CARD_PATH_MAX];
    return CardTemporaryName(name.c_str(), temporary, sizeof temporary) ? temporary : "";
}
