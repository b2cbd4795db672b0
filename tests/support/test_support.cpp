#include "tests/support/test_support.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
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
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
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

std::string BuildDir() { return VOK_BUILD_DIR; }
std::string SourceDir() { return VOK_SOURCE_DIR; }

VokRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workdir)
{
    TempDir outputs;
    const std::string outPath = outputs / "out", errPath = outputs / "err";
    VokRun run;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        if (chdir(workdir.c_str()) != 0) _exit(126);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("DISPLAY");
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

VokRun RunVok(const std::vector<std::string>& args, const std::string& script)
{
    std::vector<std::string> all = args;
    TempDir scriptDir;
    if (!script.empty()) {
        WriteFile(scriptDir / "input.txt", script);
        all.push_back("--script");
        all.push_back(scriptDir / "input.txt");
    }
    return RunProgram(BuildDir() + "/vok", all, BuildDir());
}

static SDL_Surface* LoadAs32(const std::string& path)
{
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return nullptr;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_BlitSurface(loaded, nullptr, rgb, nullptr);
    SDL_FreeSurface(loaded);
    return rgb;
}

bool BmpPixel(const std::string& path, int x, int y, uint32_t* rgb)
{
    SDL_Surface* s = LoadAs32(path);
    const bool ok = s && x >= 0 && y >= 0 && x < s->w && y < s->h;
    if (ok) *rgb = static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFF;
    SDL_FreeSurface(s);
    return ok;
}

bool BmpSize(const std::string& path, int* width, int* height)
{
    SDL_Surface* s = SDL_LoadBMP(path.c_str());
    if (s) *width = s->w, *height = s->h;
    SDL_FreeSurface(s);
    return s != nullptr;
}
