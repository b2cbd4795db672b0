#include "store/store_files.h"

#include <new>
#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "card/card_files.h"
#include "card/card_format.h"

bool ReadFileBytes(const std::string& path, std::string* bytes, size_t limit)
{
    bytes->clear();
    size_t size = 0;
    int fd = CardOpenRegular(path.c_str(), &size);
    if (fd < 0) return false;
    bool ok = true;
    try {
        // sized once for what is read: a large bitmap grown step by step would be copied and,
        // for a moment, held twice; a file that grows meanwhile is cut there
        bytes->resize(size < limit ? size : limit);
        long got = bytes->empty() ? 0 : CardReadAll(fd, &(*bytes)[0], bytes->size());
        ok = got >= 0;
        bytes->resize(ok ? static_cast<size_t>(got) : 0);
    } catch (const std::bad_alloc&) {
        std::string().swap(*bytes); // no memory for the file: it reads as missing
        ok = false;
    }
    close(fd);
    return ok;
}

bool ReadTextFile(const std::string& path, std::string* text)
{
    unsigned char* bytes = 0;
    size_t size = 0;
    text->clear();
    if (!CardReadTextFile(path.c_str(), &bytes, &size)) return false;
    text->assign(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return true;
}

Sint32 Int32At(const std::string& bytes, size_t offset)
{
    return CardInt32At(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), offset);
}

Sint32 WrapToSint32(Uint32 bits)
{
    return CardWrapInt32(bits);
}

void AppendInt32(std::string* bytes, Sint32 value)
{
    unsigned char four[4];
    CardPutInt32(four, value);
    bytes->append(reinterpret_cast<const char*>(four), 4);
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    lines.reserve(std::count(text.begin(), text.end(), '\n') + 1); // grown once, no line copied again
    size_t position = 0, length = 0;
    const char* line = 0;
    while (CardNextLine(text.data(), text.size(), &position, &line, &length)) {
        lines.push_back(std::string());
        lines.back().assign(line, length);
    }
    return lines;
}

std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text)
{
    std::vector<KeyValueLine> lines;
    lines.reserve(std::count(text.begin(), text.end(), '\n') + 1);
    size_t position = 0, length = 0, keyLength = 0, valueStart = 0, valueLength = 0;
    const char* line = 0;
    while (CardNextLine(text.data(), text.size(), &position, &line, &length)) {
        if (!CardSplitKeyValue(line, length, &keyLength, &valueStart, &valueLength)) continue;
        lines.push_back(KeyValueLine()); // filled in place: no line copied
        lines.back().key.assign(line, keyLength);
        lines.back().value.assign(line + valueStart, valueLength);
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

long ReadDecimal(const std::string& text, long cap)
{
    return CardReadDecimal(text.data(), text.size(), cap);
}

bool WriteFileSafely(const std::string& path, const std::string& content)
{
    return CardWriteFile(path.c_str(), content.data(), content.size()) == 0;
}

bool IsSafeWriteTemporary(const std::string& name)
{
    return CardIsTemporary(name.c_str()) != 0;
}

bool PathExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool EntryExists(const std::string& path)
{
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

static void AddName(const char* name, void* names)
{
    static_cast<std::vector<std::string>*>(names)->push_back(name);
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    if (!CardListFolder(path.c_str(), AddName, &names)) names.clear(); // failed part way: as if it could not be made
    return names;
}
