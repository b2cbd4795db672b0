// The language table: the language file format with all its quirks (CR LF, the value losing
// the line's last character, the "@" marker, strtol-like ids), the id limit that keeps bad
// lines from writing outside the list, the folder scan and the selections.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"

namespace {

std::vector<std::string> Texts(const std::string& file) { return ParseLanguageTexts(file); }

// A fresh table over a folder holding "lang/" with the given files.
struct LanguageFolder {
    TempDir dir;
    explicit LanguageFolder(const std::vector<std::pair<std::string, std::string>>& files)
    {
        MakeDir(dir / "lang");
        for (const auto& file : files) WriteFile(dir / ("lang/" + file.first), file.second);
    }
};

} // namespace

// Each line is split at its first space from index 1; its last character (the CR) is never
// part of the value, so bare LF files lose a real letter.
TEST(LanguageFile, LineSplittingQuirks)
{
    struct Case {
        const char* file;
        unsigned id;
        const char* text;
    };
    const Case cases[] = {
        { "@12 three little words\r\n", 12, "three little words" },
        { "@12 three little words\n", 12, "three little word" },
        { "@12 three little words", 12, "three little word" }, // last line without any end
        { "@30 \r\n", 30, "" },
        { "@30 \n", 30, "" },
        { "@5\r\n", 5, "@5" },
        { "@name value\r\n", 0, "value" },      // letters convert to id 0
        { "@author Ana\r\n", 0, "Ana" },       // so the author also sets text 0
        { "@ 7 x\r\n", 0, "7 x" },             // the space at index 1 splits: key "@"
        { "@  7 x\r\n", 0, " 7 x" },            // key "@" again, the rest is the value
        { "@+8 plus\r\n", 8, "plus" },
        { "@007 bond\r\n", 7, "bond" },
        { "@9x nine\r\n", 9, "nine" },          // conversion stops at the first non-digit
        { "@-0 zero\r\n", 0, "zero" },
        { "@2 a\tb  c\r\n", 2, "a\tb  c" },
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts = Texts(c.file);
        ASSERT_LT(c.id, texts.size()) << c.file;
        EXPECT_EQ(texts[c.id], c.text) << c.file;
        EXPECT_EQ(texts.size(), c.id + 1) << c.file;
    }
    // Lines without the marker, blank lines and the name line are not texts.
    EXPECT_TRUE(Texts("12 twelve\r\n\r\n\n# comment\r\n@lang English\r\nlang@ x\r\n").empty());
    EXPECT_EQ(LanguageKeyValue("@lang English\r\n@author Me\r\n", "lang"), "English");
    EXPECT_EQ(LanguageKeyValue("@lang English\r\n@author Me\r\n", "author"), "Me");
    EXPECT_EQ(LanguageKeyValue("@lang\r\n@lang Second\r\n@lang Third\r\n", "lang"), "Second");
    EXPECT_EQ(LanguageKeyValue("@Lang English\r\n", "lang"), "");
}

// Ids in any order, duplicates (the later wins) and gaps filled with empty texts.
TEST(LanguageFile, IdsOutOfOrderAndDuplicated)
{
    std::vector<std::string> texts = Texts("@3 three\r\n@1 one\r\n@3 THREE\r\n");
    EXPECT_EQ(texts, (std::vector<std::string>{ "", "one", "", "THREE" }));
    texts = Texts("@author Ana\r\n@3 three\r\n@1 one\r\n");
    EXPECT_EQ(texts, (std::vector<std::string>{ "Ana", "one", "", "three" }));
}

// A line over 1023 characters ends the file; the lines before it stay, those after are lost.
TEST(LanguageFile, OverlongLineEndsTheFile)
{
    std::string longest = "@2 " + std::string(1020, 'x'); // 1023 characters with the CR
    std::vector<std::string> texts = Texts("@1 one\r\n" + longest.substr(0, 1022) + "\r\n@3 three\r\n");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2], std::string(1019, 'x'));
    texts = Texts("@1 one\r\n" + longest + "\r\n@3 three\r\n");
    EXPECT_EQ(texts, (std::vector<std::string>{ "", "one" }));
    EXPECT_EQ(LanguageKeyValue(longest + "\r\n@lang Late\r\n", "lang"), "");
}

// A negative id or one above MaxTextId is ignored: nothing is written outside the list and
// the list never grows past MaxTextId + 1, however large the number.
TEST(LanguageFile, IdLimit)
{
    const std::string limit = std::to_string(MaxTextId);
    std::vector<std::string> texts = Texts("@-1 minus\r\n@-2147483649 far\r\n@" + std::to_string(MaxTextId + 1) +
                                           " over\r\n@4294967297 wraps\r\n@99999999999999999999 huge\r\n@1 one\r\n");
    EXPECT_EQ(texts, (std::vector<std::string>{ "", "one" }));
    texts = Texts("@" + limit + " last\r\n");
    ASSERT_EQ(texts.size(), size_t(MaxTextId) + 1);
    EXPECT_EQ(texts.back(), "last");
}

// Lookups never fail: ids and indexes out of range give the empty string, names that match
// nothing give index 0 (as the first entry does).
TEST(LanguageTable, LookupsOutOfRange)
{
    LanguageFolder folder({});
    WorkingDirectory cwd(folder.dir.path());
    class LanguageTable table;
    EXPECT_EQ(table.LanguageCount(), 0u);
    EXPECT_STREQ(table.LanguageName(0), "");
    EXPECT_EQ(table.FindLanguage("English"), 0);
    EXPECT_STREQ(table.GetText(1), "");
    table.texts = Texts("@1 one\r\n@5 five\r\n");
    EXPECT_STREQ(table.GetText(1), "one");
    EXPECT_STREQ(table.GetText(2), "");
    EXPECT_STREQ(table.GetText(4), "");
    EXPECT_STREQ(table.GetText(5), "five");
    EXPECT_STREQ(table.GetText(6), "");
    EXPECT_STREQ(table.GetText(4294967295u), "");
    EXPECT_STREQ(table.GetText(unsigned(-1)), "");
}

// No folder at all: no languages, and selections do nothing.
TEST(LanguageTable, MissingFolder)
{
    TempDir dir;
    WorkingDirectory cwd(dir.path());
    class LanguageTable table;
    EXPECT_EQ(table.LanguageCount(), 0u);
    table.SetLanguage("English");
    table.SetLanguageIndex(0);
    EXPECT_TRUE(table.texts.empty());
    EXPECT_EQ(ReadLanguageKey("english.txt", "lang"), "");
}

// The scan lists every entry with its name and author; selections by name take the first
// match in directory order, exact bytes only; failed selections keep the loaded texts, and
// a selection reads the file afresh.
TEST(LanguageTable, ScanAndSelect)
{
    LanguageFolder folder({
        { "en", "@lang English\r\n@author Ana\r\n@7 Save\r\n" },
        { "en2", "@lang English\r\n@7 Keep\r\n" },
        { "de", "@lang Deutsch\r\n@7 Speichern\r\n" },
        { "odd", "no name in here\r\n" },
    });
    MakeDir(folder.dir / "lang/folder");
    WorkingDirectory cwd(folder.dir.path());
    class LanguageTable table;
    ASSERT_EQ(table.LanguageCount(), 5u);
    EXPECT_EQ(table.currentLanguage, 0);
    int en = -1, en2 = -1, de = -1, odd = -1, sub = -1;
    int* const slots[] = { &en, &en2, &de, &odd, &sub };
    const char* const files[] = { "en", "en2", "de", "odd", "folder" };
    const char* const names[] = { "English", "English", "Deutsch", "", "" };
    for (unsigned i = 0; i < table.LanguageCount(); ++i) {
        const LanguageInfo& info = table.languages[i];
        EXPECT_STREQ(table.LanguageName(i), info.name.c_str());
        for (int k = 0; k < 5; ++k) {
            if (info.file != files[k]) continue;
            *slots[k] = int(i);
            EXPECT_EQ(info.name, names[k]) << info.file;
            EXPECT_EQ(info.author, k == 0 ? "Ana" : "") << info.file;
        }
    }
    ASSERT_TRUE(en >= 0 && en2 >= 0 && de >= 0 && odd >= 0 && sub >= 0);
    int firstEnglish = std::min(en, en2);
    EXPECT_EQ(table.FindLanguage("English"), firstEnglish);
    EXPECT_EQ(table.FindLanguage("Deutsch"), de);
    EXPECT_EQ(table.FindLanguage("english"), 0);
    EXPECT_EQ(table.FindLanguage("Deutsch "), 0);

    table.SetLanguage("English");
    EXPECT_EQ(table.currentLanguage, firstEnglish);
    EXPECT_STREQ(table.GetText(TextSave), firstEnglish == en ? "Save" : "Keep");

    table.SetLanguageIndex(de);
    EXPECT_EQ(table.currentLanguage, de);
    EXPECT_STREQ(table.GetText(TextSave), "Speichern");
    table.SetLanguage("english");
    table.SetLanguageIndex(table.LanguageCount());
    table.SetLanguageIndex(unsigned(sub)); // a folder cannot be read as a file
    EXPECT_EQ(table.currentLanguage, de);
    EXPECT_STREQ(table.GetText(TextSave), "Speichern");

    WriteFile(folder.dir / "lang/de", "@lang Deutsch\r\n@7 Sichern\r\n");
    table.SetLanguage("Deutsch");
    EXPECT_STREQ(table.GetText(TextSave), "Sichern");
    WriteFile(folder.dir / "lang/late", "@lang Late\r\n");
    EXPECT_EQ(table.LanguageCount(), 5u); // the list is fixed once built
    EXPECT_EQ(ReadLanguageKey("de", "lang"), "Deutsch");
    EXPECT_EQ(ReadLanguageKey("missing", "lang"), "");
}

// A file without line ends (here an endless one) is read only up to its first overlong line,
// so the scan and the selection finish and find nothing in it.
TEST(LanguageTable, EndlessFileIsCutAtTheFirstOverlongLine)
{
    LanguageFolder folder({ { std::string("en"), std::string("@lang English\r\n@1 one\r\n") } });
    ASSERT_EQ(symlink("/dev/zero", (folder.dir / "lang/zero").c_str()), 0);
    WorkingDirectory cwd(folder.dir.path());
    class LanguageTable table;
    ASSERT_EQ(table.LanguageCount(), 2u);
    int zero = table.languages[0].file == "zero" ? 0 : 1;
    EXPECT_EQ(table.languages[zero].name, "");
    table.SetLanguage("English");
    table.SetLanguageIndex(zero);
    EXPECT_EQ(table.currentLanguage, zero);
    EXPECT_TRUE(table.texts.empty());
}

// Every language shipped in the build tree names itself and defines every text the screens
// show, 1 to 36.
TEST(LanguageTable, ShippedLanguagesAreComplete)
{
    WorkingDirectory cwd(BuildDir());
    class LanguageTable table;
    if (table.LanguageCount() == 0) GTEST_SKIP() << "no language files in the build tree yet";
    EXPECT_GE(table.LanguageCount(), 4u);
    EXPECT_STREQ(table.LanguageName(table.FindLanguage("English")), "English");
    for (unsigned i = 0; i < table.LanguageCount(); ++i) {
        const std::string file = table.languages[i].file;
        EXPECT_NE(table.languages[i].name, "") << file;
        table.SetLanguageIndex(i);
        ASSERT_EQ(table.currentLanguage, int(i)) << file;
        for (unsigned id = TextChoose; id <= TextNoticeNoName; ++id)
            EXPECT_STRNE(table.GetText(id), "") << file << " text " << id;
    }
}
