#include "store/store_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static const char SafeWritePrefix[] = ".vok-tmp."; // a leading "." keeps it from looking like a profile or a game

// A descriptor for reading `path`, or -1 unless it is a regular file. O_NONBLOCK: opening a
// FIFO must not wait for a writer that never comes; fstat after open checks the very file opened.
static int OpenRegularFile(const std::string& path, off_t* size)
{
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        *size = status.st_size;
        return fd;
    }
    close(fd);
    return -1;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, size_t limit)
{
    bytes->clear();
    off_t size = 0;
    int fd = OpenRegularFile(path, &size);
    if (fd < 0) return false;
    // room for what will be read at once: a large bitmap grown step by step would be copied
    // and, for a moment, held twice
    bytes->reserve(static_cast<Uint64>(size) < limit ? static_cast<size_t>(size) : limit);
    char buffer[4096];
    bool ok = true;
    while (bytes->size() < limit) {
        ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit - bytes->size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        bytes->append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    return ok;
}

bool ReadTextFile(const std::string& path, std::string* text)
{
    if (!ReadFileBytes(path, text, TextFileLimit + 1)) return false;
    if (text->size() > TextFileLimit) {
        size_t lastFeed = text->rfind('\n', TextFileLimit - 1); // the limit cut the line after it
        text->erase(lastFeed == std::string::npos ? 0 : lastFeed + 1);
    }
    return true;
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

// The length of `text` from `start` without its trailing blanks and control characters.
static size_t TrimmedLength(const std::string& text, size_t start)
{
    size_t end = text.size();
    while (end > start && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return end - start;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    lines.reserve(std::count(text.begin(), text.end(), '\n') + 1); // grown once, no line copied again
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end - start > MaxLineLength) break; // an overlong line and all after it are ignored
        lines.push_back(std::string());
        lines.back().assign(text, start, end - start);
        start = end + 1;
    }
    return lines;
}

std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text)
{
    std::vector<KeyValueLine> lines;
    std::vector<std::string> raw = SplitLines(text);
    lines.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        size_t equals = raw[i].size() > 1 ? raw[i].find('=', 1) : std::string::npos;
        if (equals == std::string::npos) continue;
        lines.push_back(KeyValueLine()); // filled in place: no line copied
        lines.back().key.assign(raw[i], 0, equals);
        lines.back().value.assign(raw[i], equals + 1, TrimmedLength(raw[i], equals + 1));
    }
    return lines;
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
    bool opened = ReadTextFile(path, &text);
    *lines = ParseKeyValueLines(text);
    return opened;
}

static bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

long ReadDecimal(const std::string& text, long cap)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > cap) value = cap;
    }
    return negative ? -value : value;
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
    // O_DIRECTORY: a FIFO or device in a folder's place is refused before it could block
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return names;
    DIR* folder = fdopendir(fd);
    if (!folder) {
        close(fd);
        return names;
    }
    // readdir ends with a null entry both at the end and on an error (EOVERFLOW on a 32-bit
    // build without 64-bit inode numbers, EIO on a failing card); only errno tells them apart.
    // A listing that fails part way counts as one that could not be made: empty.
    while (names.size() < MaxFolderEntries) {
        errno = 0;
        struct dirent* entry = readdir(folder);
        if (!entry) break;
        names.push_back(entry->d_name);
    }
    if (errno != 0) names.clear();
    closedir(folder);
    return names;
}
