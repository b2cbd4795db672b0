#include "localization/language_table.h"

#include "store/store_files.h"

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

std::string LanguageKeyValue(const std::string& text, const std::string& key)
{
    std::string wanted = std::string(1, KeyMarker) + key;
    std::vector<std::string> lines = SplitLines(text);
    std::string lineKey, value;
    for (size_t i = 0; i < lines.size(); ++i) {
        SplitLanguageLine(lines[i], &lineKey, &value);
        if (lineKey == wanted) return value;
    }
    return "";
}

// False for a negative id or one above MaxTextId, which the text list will not grow to hold.
static bool ParseTextId(const std::string& text, int* id)
{
    long value = ReadDecimal(text, MaxTextId + 1L);
    if (value < 0 || value > MaxTextId) return false;
    *id = static_cast<int>(value);
    return true;
}

std::vector<std::string> ParseLanguageTexts(const std::string& text)
{
    std::vector<std::string> texts;
    std::vector<std::string> lines = SplitLines(text);
    std::string key, value;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != KeyMarker) continue;
        SplitLanguageLine(lines[i], &key, &value);
        key.erase(0, 1);
        int id = 0;
        if (key == "lang" || !ParseTextId(key, &id)) continue;
        if (static_cast<size_t>(id) >= texts.size()) texts.resize(id + 1);
        texts[id].swap(value); // a later line for the same id wins
    }
    return texts;
}

std::string ReadLanguageKey(const std::string& file, const std::string& key)
{
    std::string text;
    if (!ReadTextFile("lang/" + file, &text)) return "";
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

// The file is read afresh on every selection, so an edited file shows at once.
void LanguageTable::SetLanguageIndex(unsigned int index)
{
    if (index >= languages.size()) return;
    std::string text;
    if (!ReadTextFile("lang/" + languages[index].file, &text)) return; // a folder, for one
    currentLanguage = static_cast<int>(index);
    std::vector<std::string> parsed = ParseLanguageTexts(text);
    texts.swap(parsed); // no copy of every text
}

// Every entry of the folder, in directory order; the list is built once, before main.
void LanguageTable::ScanLanguages()
{
    languages.clear();
    std::vector<std::string> names = ListFolder("./lang");
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "." || names[i] == "..") continue;
        LanguageInfo info;
        info.name = ReadLanguageKey(names[i], "lang");
        info.file = names[i];
        info.author = ReadLanguageKey(names[i], "author");
        languages.push_back(info);
    }
}
