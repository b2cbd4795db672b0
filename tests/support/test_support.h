// Shared helpers of the tests: temporary stores, small file helpers, and running the real
// vok binary headless from the build tree (where media/ and lang/ are).
#ifndef VOK_TESTS_SUPPORT_TEST_SUPPORT_H
#define VOK_TESTS_SUPPORT_TEST_SUPPORT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    const std::string& path() const { return path_; }     // ends without "/"
    std::string store() const { return path_ + "/"; }      // as StoreRoot wants it
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);              // "" when missing
bool WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
void MakeDir(const std::string& path);                       // with parents
std::string TemporaryOf(const std::string& name);             // this process's temporary name for writing `name`
using FileTree = std::map<std::string, std::string>;            // path below a folder -> what is there
// Every entry under `root`: "link to " its target, "folder", or "file " its bytes; with `dates`
// " at " its modification time too. What "never written" and "whole" are checked against.
FileTree ReadTree(const std::string& root, bool dates = false);

struct VokRun {
    int status = -1;      // exit status, or -1 when it did not exit normally
    std::string out, err; // standard output and error
};
// Runs build/vok with `args` from the build folder, headless (dummy video and audio).
// `script` non-empty: written to a temporary file and passed with --script.
VokRun RunVok(const std::vector<std::string>& args, const std::string& script = "");
// Runs any program with `args` from `workdir`; used for the handheld binary and tools. The
// build's own programs run through Emulator() in a cross build.
VokRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& workdir);
// `word` found through PATH when it holds no "/" (how CTest starts an emulator named bare).
std::string ResolveProgram(const std::string& word);

bool BmpPixel(const std::string& path, int x, int y, uint32_t* rgb); // 0xRRGGBB, any depth; false: unreadable

// The command that runs the build's programs on this machine: empty natively, qemu-arm and its
// options in a cross build; EmulatorCommand() is the same shell-quoted, ending in a blank.
std::vector<std::string> Emulator();
std::string EmulatorCommand();

std::string BuildDir();  // the build tree, holding vok, media/ and lang/
std::string SourceDir(); // the repository

#endif
