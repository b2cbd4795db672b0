#include "localization/language_table.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>

class LanguageTable LanguageTable;

static const char KeyMarker = '@';
static const size_t MaxLineLength = 1023;

// True once the unfinished last line of `text` is already too long: nothing after it counts.
static bool EndsInOverlongLine(const std::string& text)
{
    size_t feed = text.rfind('\n');
    size_t lineStart = feed == std::string::npos ? 0 : feed + 1;
    return text.size() - lineStart > MaxLineLength;
}

// The file's text up to its first overlong line (so a file without line ends cannot fill
// the memory); false when it cannot be opened or read (a folder, for one).
static bool ReadLanguageFile(const std::string& path, std::string* text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    text->clear();
    char buffer[4096];
    size_t count;
    while (!EndsInOverlongLine(*text) && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, count);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

static LanguageLine SplitLanguageLine(const std::string& line)
{
    LanguageLine split;
    size_t space = line.size() > 1 ? line.find(' ', 1) : std::string::npos;
    size_t end = line.empty() ? 0 : line.size() - 1; // the last character never belongs to the value
    if (space == std::string::npos) {
        split.key = line;
        split.value = line.substr(0, end);
    } else {
        split.key = line.substr(0, space);
        if (space + 1 < end) split.value = line.substr(space + 1, end - space - 1);
    }
    return split;
}

std::vector<LanguageLine> ParseLanguageLines(const std::string& text)
{
    std::vector<LanguageLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t feed = text.find('\n', start);
        size_t end = feed == std::string::npos ? text.size() : feed;
        if (end - start > MaxLineLength) break; // an overlong line ends the file here
        lines.push_back(SplitLanguageLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

std::string LanguageKeyValue(const std::string& text, const std::string& key)
{
    std::string wanted = std::string(1, KeyMarker) + key;
    std::vector<LanguageLine> lines = ParseLanguageLines(text);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].key == wanted) return lines[i].value;
    return "";
}

static bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads an id the way strtol does in base 10 (blanks, a sign, digits up to the first other
// character; no digits is 0). False for a negative id or one above MaxTextId, which the
// text list will not grow to hold.
static bool ParseTextId(const std::string& text, int* id)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > MaxTextId) return false;
    }
    if (negative && value != 0) return false;
    *id = value;
    return true;
}

std::vector<std::string> ParseLanguageTexts(const std::string& text)
{
    std::vector<std::string> texts;
    std::vector<LanguageLine> lines = ParseLanguageLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& key = lines[i].key;
        if (key.empty() || key[0] != KeyMarker) continue;
        std::string name = key.substr(1);
        int id = 0;
        if (name == "lang" || !ParseTextId(name, &id)) continue;
        if (static_cast<size_t>(id) >= texts.size()) texts.resize(id + 1);
        texts[id] = lines[i].value; // a later line for the same id wins
    }
    return texts;
}

std::string ReadLanguageKey(const std::string& file, const std::string& key)
{
    std::string text;
    if (!ReadLanguageFile("lang/" + file, &text)) return "";
    return LanguageKeyValue(text, key);
}

LanguageTable::LanguageTable() : currentLanguage(0), emptyText(0)
{
    ScanLanguages();
}

LanguageTable::~LanguageTable()
{
    texts.clear();
    languages.clear();
}

const char* LanguageTable::GetText(unsigned int id) const
{
    if (id < texts.size()) return texts[id].c_str();
    return reinterpret_cast<const char*>(&emptyText);
}

unsigned int LanguageTable::LanguageCount() const
{
    return static_cast<unsigned int>(languages.size());
}

const char* LanguageTable::LanguageName(unsigned int index) const
{
    if (index < languages.size()) return languages[index].name.c_str();
    return reinterpret_cast<const char*>(&emptyText);
}

int LanguageTable::FindLanguage(const std::string& name) const
{
    for (size_t i = 0; i < languages.size(); ++i)
        if (languages[i].name == name) return static_cast<int>(i);
    return 0;
}

void LanguageTable::SetLanguage(const std::string& name)
{
    for (size_t i = 0; i < languages.size(); ++i) {
        if (languages[i].name != name) continue;
        SetLanguageIndex(static_cast<unsigned int>(i));
        return;
    }
}

// The file is read afresh on every selection, so an edited file shows at once.
void LanguageTable::SetLanguageIndex(unsigned int index)
{
    if (index >= languages.size()) return;
    std::string text;
    if (!ReadLanguageFile("lang/" + languages[index].file, &text)) return;
    currentLanguage = static_cast<int>(index);
    texts = ParseLanguageTexts(text);
}

// Every entry of the folder, in directory order; the list is built once, before main.
void LanguageTable::ScanLanguages()
{
    languages.clear();
    DIR* folder = opendir("./lang");
    if (!folder) return;
    while (struct dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        LanguageInfo info;
        info.name = ReadLanguageKey(entry->d_name, "lang");
        info.file = entry->d_name;
        info.author = ReadLanguageKey(entry->d_name, "author");
        languages.push_back(info);
    }
    closedir(folder);
}
