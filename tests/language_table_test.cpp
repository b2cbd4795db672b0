// The language table: the file format's quirks (CR LF, the value losing the line's last character,
// "@", strtol-like ids), the id limit against bad lines, the folder scan and the selections.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>

#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"

using Texts = std::vector<std::string>;

// A line splits at its first space from index 1, its last character (the CR) never in the value,
// so bare LF files lose a real letter; ids read as strtol reads them.
TEST(LanguageFile, LinesAndWholeFiles)
{
    const struct { const char* file; unsigned id; const char* text; } cases[] = {
        // CR LF, a bare LF, the last line without any end
        {"@12 three little words\r\n", 12, "three little words"},
        {"@12 three little words\n", 12, "three little word"},
        {"@12 three little words", 12, "three little word"},
        // no text; no space; letters are id 0; split at index 1: key "@"; ids as strtol reads them
        {"@30 \r\n", 30, ""}, {"@5\r\n", 5, "@5"}, {"@author Ana\r\n", 0, "Ana"}, {"@ 7 x\r\n", 0, "7 x"},
        {"@+8 plus\r\n", 8, "plus"}, {"@9x nine\r\n", 9, "nine"}, {"@-0 zero\r\n", 0, "zero"}};
    for (const auto& c : cases) {
        const Texts texts = ParseLanguageTexts(c.file);
        EXPECT_TRUE(texts.size() == c.id + 1 && texts.back() == c.text) << c.file;
    }
    EXPECT_EQ(LanguageKeyValue("@lang English\r\n@author Me\r\n", "author"), "Me");
    EXPECT_EQ(LanguageKeyValue("@lang\r\n@lang Second\r\n@lang Third\r\n", "lang"), "Second");
    EXPECT_EQ(LanguageKeyValue("@Lang English\r\n", "lang"), "");

    // Whole files: ids in any order (the later wins, gaps empty), lines that are not texts, a line
    // over 1023 characters ending the file; ids below 0 or above MaxTextId ignored (no unbounded list).
    const std::string longest = "@2 " + std::string(1019, 'x') + "\r"; // 1023 characters
    Texts limit(MaxTextId);
    limit.push_back("last");
    const struct { std::string file; Texts texts; } files[] = {
        { "@3 three\r\n@1 one\r\n@3 THREE\r\n", { "", "one", "", "THREE" } },
        { "12 twelve\r\n\r\n\n# comment\r\n@lang English\r\nlang@ x\r\n", {} },
        { "@1 one\r\n" + longest + "\n@3 three\r\n", { "", "one", std::string(1019, 'x'), "three" } },
        { "@1 one\r\n" + longest + "x\n@3 three\r\n", { "", "one" } },
        { "@1 one\r\n@-1 a\r\n@-2147483649 b\r\n@4096 c\r\n@4294967297 d\r\n@99999999999999999999 e\r\n",
          { "", "one" } },
        { "@" + std::to_string(MaxTextId) + " last\r\n", limit },
    };
    for (const auto& f : files)
        EXPECT_TRUE(ParseLanguageTexts(f.file) == f.texts) << f.file.substr(0, 40);
    EXPECT_EQ(LanguageKeyValue(longest + "x\n@lang Late\r\n", "lang"), "");
}

// Without a language folder: no languages, lookups "" or index 0, selections do nothing, ids out
// of range never fail. With one, the scan lists every entry (a folder, an endless file) with name
// and author; a name selects its first match in directory order, exact bytes only; failed
// selections keep the loaded texts; a selection reads the file afresh.
TEST(LanguageTable, ScanAndSelect)
{
    TempDir dir;
    WorkingDirectory cwd(dir.path());
    class LanguageTable none;
    none.SetLanguage("English");
    none.SetLanguageIndex(0);
    EXPECT_TRUE(none.LanguageCount() == 0 && none.texts.empty());
    EXPECT_TRUE(!*none.LanguageName(0) && none.FindLanguage("English") == 0);
    EXPECT_EQ(ReadLanguageKey("english.txt", "lang"), "");
    none.texts = ParseLanguageTexts("@1 one\r\n@5 five\r\n");
    for (unsigned id : {0u, 4u, 6u, 4294967295u}) EXPECT_STREQ(none.GetText(id), "") << id;
    EXPECT_STREQ(none.GetText(5), "five");

    MakeDir(dir / "lang/folder");
    WriteFile(dir / "lang/en", "@lang English\r\n@author Ana\r\n@7 Save\r\n");
    WriteFile(dir / "lang/en2", "@lang English\r\n@7 Keep\r\n");
    WriteFile(dir / "lang/de", "@lang Deutsch\r\n@7 Speichern\r\n");
    ASSERT_EQ(symlink("/dev/zero", (dir / "lang/zero").c_str()), 0); // no line end, ever
    class LanguageTable table;
    ASSERT_TRUE(table.LanguageCount() == 5u && table.currentLanguage == 0);
    auto index = [&](const std::string& file) {
        for (unsigned i = 0; i < table.languages.size(); ++i)
            if (table.languages[i].file == file) return i;
        return unsigned(table.languages.size());
    };
    const unsigned english = std::min(index("en"), index("en2")), de = index("de");
    EXPECT_EQ(table.languages[index("en")].author, "Ana");
    EXPECT_EQ(std::string(table.LanguageName(index("zero"))) + table.LanguageName(index("folder")), "");
    EXPECT_EQ(table.FindLanguage("english"), 0);

    table.SetLanguage("English");
    EXPECT_EQ(table.currentLanguage, int(english));
    EXPECT_STREQ(table.GetText(TextSave), english == index("en") ? "Save" : "Keep");
    table.SetLanguageIndex(de);
    for (unsigned bad : {5u, index("folder")}) table.SetLanguageIndex(bad);
    table.SetLanguage("Deutsch ");
    EXPECT_EQ(table.currentLanguage, int(de));
    EXPECT_STREQ(table.GetText(TextSave), "Speichern");

    WriteFile(dir / "lang/de", "@lang Deutsch\r\n@7 Sichern\r\n");
    table.SetLanguage("Deutsch");
    EXPECT_STREQ(table.GetText(TextSave), "Sichern");
    table.SetLanguageIndex(index("zero")); // a device reads as missing: nothing changes
    EXPECT_TRUE(table.currentLanguage == int(de) && table.GetText(TextSave) == std::string("Sichern"));
    table.SetLanguage("English"); // the texts parsed before come back, each language's own
    table.SetLanguage("Deutsch");
    EXPECT_STREQ(table.GetText(TextSave), "Sichern");
    table.SetLanguage("English");
    EXPECT_STREQ(table.GetText(TextSave), english == index("en") ? "Save" : "Keep");
}
