#include "store/store_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static const size_t MaxLineLength = 1023; // longer lines end the reading of a key "=" value file
static const char SafeWritePrefix[] = ".vok-tmp."; // a leading "." keeps it from looking like a profile or a game

bool ReadFileBytes(const std::string& path, std::string* bytes, size_t limit)
{
    bytes->clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    while (bytes->size() < limit && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    if (bytes->size() > limit) bytes->resize(limit);
    return ok;
}

Sint32 Int32At(const std::string& bytes, size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
    Uint32 value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return WrapToSint32(value);
}

Sint32 WrapToSint32(Uint32 bits)
{
    // two's complement by hand: converting a large unsigned value to signed is not portable
    if (bits <= 0x7FFFFFFFu) return static_cast<Sint32>(bits);
    return -static_cast<Sint32>(~bits) - 1;
}

void AppendInt32(std::string* bytes, Sint32 value)
{
    Uint32 bits = static_cast<Uint32>(value);
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<char>((bits >> (8 * i)) & 0xFFu));
}

static std::string TrimTrailing(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(0, end);
}

// Position of the "=" that splits the line [start, end): the first one after the line's
// first character; npos when there is none.
static size_t SplitPosition(const std::string& text, size_t start, size_t end)
{
    for (size_t i = start + 1; i < end; ++i)
        if (text[i] == '=') return i;
    return std::string::npos;
}

std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text)
{
    std::vector<KeyValueLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end - start > MaxLineLength) break; // an overlong line and all after it are ignored
        size_t equals = SplitPosition(text, start, end);
        if (equals != std::string::npos) {
            KeyValueLine line;
            line.key = text.substr(start, equals - start);
            line.value = TrimTrailing(text.substr(equals + 1, end - equals - 1));
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

// True once `text` ends in a line already too long to be read: nothing after it counts.
static bool EndsInOverlongLine(const std::string& text)
{
    size_t lineStart = text.rfind('\n');
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    return text.size() - lineStart > MaxLineLength;
}

bool ReadKeyValueText(const std::string& path, std::string* text)
{
    text->clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    // stop early so that a large file that is not text (or one very long line) is never held whole
    while (!EndsInOverlongLine(*text) && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReadFirstLine(const std::string& path, std::string* line)
{
    if (!ReadFileBytes(path, line, MaxLineLength)) return false;
    line->erase(std::min(line->find('\n'), line->size()));
    return true;
}

bool ReadKeyValueFile(const std::string& path, std::vector<KeyValueLine>* lines)
{
    std::string text;
    bool opened = ReadKeyValueText(path, &text);
    *lines = ParseKeyValueLines(text);
    return opened;
}

static bool WriteAll(int fd, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        ssize_t wrote = write(fd, content.data() + done, content.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

static bool WriteTemporary(const std::string& temporary, const std::string& content)
{
    // a temporary left by a power cut goes first; O_EXCL then refuses anything planted
    // under the name meanwhile, a link included, instead of writing through it
    unlink(temporary.c_str());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, content) && fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    return ok;
}

static void SyncFolder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY);
    if (fd < 0) return;
    fsync(fd); // best effort: the new file is already in place, there is no old one to go back to
    close(fd);
}

bool WriteFileSafely(const std::string& path, const std::string& content)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return false;
    std::string temporary = (slash == std::string::npos ? std::string() : folder) + SafeWritePrefix + name;
    // rename only after fsync: a power cut must leave the old file or the new, never half
    if (!WriteTemporary(temporary, content) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool IsSafeWriteTemporary(const std::string& name)
{
    return name.compare(0, sizeof SafeWritePrefix - 1, SafeWritePrefix) == 0;
}

bool PathExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    DIR* folder = opendir(path.c_str());
    if (!folder) return names;
    // readdir ends with a null entry both at the end and on an error (EOVERFLOW on a 32-bit
    // build without 64-bit inode numbers, EIO on a failing card); only errno tells them apart.
    // A listing that fails part way counts as one that could not be made: empty, and said.
    for (;;) {
        errno = 0;
        struct dirent* entry = readdir(folder);
        if (!entry) break;
        names.push_back(entry->d_name);
    }
    if (errno != 0) {
        std::fprintf(stderr, "vok: cannot list the folder %s: %s\n", path.c_str(), std::strerror(errno));
        names.clear();
    }
    closedir(folder);
    return names;
}
