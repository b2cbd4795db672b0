// The user-interface texts of the current language, looked up by number, and the list of
// languages found in the "lang" folder. One instance, LanguageTable, lives for the whole
// run; it lists the folder when it is constructed, before main.
#ifndef VOK_LOCALIZATION_LANGUAGE_TABLE_H
#define VOK_LOCALIZATION_LANGUAGE_TABLE_H

#include <string>
#include <vector>

struct LanguageInfo {
    std::string name;    // value of the file's "@lang" line, as profiles store it
    std::string file;    // file name inside "lang"
    std::string author;  // value of the file's "@author" line; not shown
    std::string text;    // the file as last read, reused while its size and time stay the same
    long size, seconds, nanoseconds; // of the file when `text` was read; size -1: not read
    std::vector<std::string> texts;  // `text` parsed, once it was selected
    bool parsed;                     // `texts` holds `text` parsed
    LanguageInfo() : size(-1), seconds(0), nanoseconds(0), parsed(false) {}
};

class LanguageTable {
    int emptyText; // always 0: its bytes are the "" handed out for missing texts

public:
    LanguageTable();
    ~LanguageTable();

    const char* GetText(unsigned int id) const;        // "" for an id it does not hold
    unsigned int LanguageCount() const;
    const char* LanguageName(unsigned int index) const; // "" beyond the list
    int FindLanguage(const std::string& name) const;    // 0 when no name matches
    void SetLanguage(const std::string& name);          // nothing when no name matches
    void SetLanguageIndex(unsigned int index);          // nothing beyond the list or unreadable
    void ScanLanguages();                               // fills `languages` from "./lang"

    int currentLanguage;                 // index of the loaded language; 0 before any
    std::vector<LanguageInfo> languages; // every file of "lang", in directory order
    std::vector<std::string> texts;      // the current language's texts; id n is element n
};

// The value of the first "@" + `key` line of "lang/" + `file`; "" when none or unreadable.
std::string ReadLanguageKey(const std::string& file, const std::string& key);

// The same two readings from a language file's text in memory; the calls above wrap them.
const int MaxTextId = 4095; // lines with a negative id or one above this are ignored
// The value of the first line whose key is "@" + `key`; "" when there is none.
std::string LanguageKeyValue(const std::string& text, const std::string& key);
// The texts of a language file: id n at element n, ids not defined are "".
std::vector<std::string> ParseLanguageTexts(const std::string& text);

extern class LanguageTable LanguageTable; // the one table of the program

#endif
