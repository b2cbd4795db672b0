#include "localization/language_table.h"

#include "store/store_files.h"

class LanguageTable LanguageTable;

static const char KeyMarker = '@';

struct LanguageLine {
    std::string key;   // up to the first space at index 1 or later; the whole line without one
    std::string value; // after that space, less the line's last character (the CR of CR LF)
};

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

// The lines of `text` as the store's line reader takes them, each split at its first space.
static std::vector<LanguageLine> ParseLanguageLines(const std::string& text)
{
    std::vector<std::string> raw = SplitLines(text);
    std::vector<LanguageLine> lines;
    for (size_t i = 0; i < raw.size(); ++i) lines.push_back(SplitLanguageLine(raw[i]));
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
    texts = ParseLanguageTexts(text);
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
