#include "localization/language_table.h"

#include <cstdlib>
#include <sys/stat.h>

#include "card/card_files.h"
#include "card/card_format.h"

class LanguageTable LanguageTable;

static const char KeyMarker = '@';

// A line up to the first space at index 1 or later is its key (the whole line without one);
// after that space, less the line's last character (the CR of CR LF), its value.
static void SplitLanguageLine(const std::string& line, std::string* key, std::string* value)
{
    size_t space = line.size() > 1 ? line.find(' ', 1) : std::string::npos;
    size_t end = line.empty() ? 0 : line.size() - 1; // the last character never belongs to the value
    value->clear();
    if (space == std::string::npos) {
        key->assign(line);
        value->assign(line, 0, end);
    } else {
        key->assign(line, 0, space);
        if (space + 1 < end) value->assign(line, space + 1, end - space - 1);
    }
}

// The line at `*position` of `text`, read as the card's text files are (up to an overlong one).
static bool NextLine(const std::string& text, size_t* position, std::string* line)
{
    const char* start = 0;
    size_t length = 0;
    if (!CardNextLine(text.data(), text.size(), position, &start, &length)) return false;
    line->assign(start, length);
    return true;
}

std::string LanguageKeyValue(const std::string& text, const std::string& key)
{
    std::string wanted = std::string(1, KeyMarker) + key;
    std::string line, lineKey, value;
    for (size_t position = 0; NextLine(text, &position, &line);) {
        SplitLanguageLine(line, &lineKey, &value);
        if (lineKey == wanted) return value;
    }
    return "";
}

// False for a negative id or one above MaxTextId, which the text list will not grow to hold.
static bool ParseTextId(const std::string& text, int* id)
{
    long value = CardReadDecimal(text.data(), text.size(), MaxTextId + 1L);
    if (value < 0 || value > MaxTextId) return false;
    *id = static_cast<int>(value);
    return true;
}

std::vector<std::string> ParseLanguageTexts(const std::string& text)
{
    std::vector<std::string> texts;
    std::string line, key, value;
    for (size_t position = 0; NextLine(text, &position, &line);) {
        if (line.empty() || line[0] != KeyMarker) continue;
        SplitLanguageLine(line, &key, &value);
        key.erase(0, 1);
        int id = 0;
        if (key == "lang" || !ParseTextId(key, &id)) continue;
        if (static_cast<size_t>(id) >= texts.size()) texts.resize(id + 1);
        texts[id].swap(value); // a later line for the same id wins
    }
    return texts;
}

// A language file read as the card's text files are; false when it reads as missing.
static bool ReadLanguageFile(const std::string& file, std::string* text)
{
    unsigned char* bytes = 0;
    size_t size = 0;
    if (!CardReadTextFile(("lang/" + file).c_str(), &bytes, &size)) return false;
    text->assign(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return true;
}

std::string ReadLanguageKey(const std::string& file, const std::string& key)
{
    std::string text;
    if (!ReadLanguageFile(file, &text)) return "";
    return LanguageKeyValue(text, key);
}

LanguageTable::LanguageTable() : emptyText(0), currentLanguage(0)
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

// Size and modification time of "lang/" + file; false when it cannot be asked.
static bool FileStamp(const std::string& file, long* size, long* seconds, long* nanoseconds)
{
    struct stat status;
    if (stat(("lang/" + file).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    *size = static_cast<long>(status.st_size);
    *seconds = static_cast<long>(status.st_mtim.tv_sec);
    *nanoseconds = static_cast<long>(status.st_mtim.tv_nsec);
    return true;
}

// The file's text, read only when it changed since it was last read: start-up reads each
// language file once, and an edited file still shows at its next selection.
static bool LanguageText(LanguageInfo* info, std::string* text)
{
    long size = -1, seconds = 0, nanoseconds = 0;
    const bool stamped = FileStamp(info->file, &size, &seconds, &nanoseconds);
    if (stamped && info->size == size && info->seconds == seconds && info->nanoseconds == nanoseconds) {
        *text = info->text;
        return true;
    }
    info->size = -1;
    info->parsed = false;
    if (!ReadLanguageFile(info->file, text)) return false;
    if (!stamped) return true;
    info->text = *text;
    info->size = size;
    info->seconds = seconds;
    info->nanoseconds = nanoseconds;
    return true;
}

// The file is read afresh on a selection after it changed, so an edited file shows at once.
void LanguageTable::SetLanguageIndex(unsigned int index)
{
    if (index >= languages.size()) return;
    LanguageInfo& info = languages[index];
    std::string text;
    if (!LanguageText(&info, &text)) return; // a folder, for one
    if (!info.parsed) { // a player switch back to a language seen before parses nothing
        std::vector<std::string> parsed = ParseLanguageTexts(text);
        info.texts.swap(parsed);
        info.parsed = info.size >= 0; // a file without a stamp is parsed at every selection
    }
    currentLanguage = static_cast<int>(index);
    texts = info.texts;
}

// Every entry of the folder, in directory order; the list is built once, before main.
static void AddName(const char* name, void* names)
{
    static_cast<std::vector<std::string>*>(names)->push_back(name);
}

void LanguageTable::ScanLanguages()
{
    languages.clear();
    std::vector<std::string> names;
    if (!CardListFolder("./lang", AddName, &names)) names.clear(); // failed part way: none
    for (size_t i = 0; i < names.size(); ++i) {
        LanguageInfo info;
        info.file = names[i];
        std::string text;
        if (LanguageText(&info, &text)) {
            info.name = LanguageKeyValue(text, "lang");
            info.author = LanguageKeyValue(text, "author");
        }
        languages.push_back(info);
    }
}
