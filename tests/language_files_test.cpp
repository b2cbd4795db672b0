// The language files we ship: built from data/lang by make_lang, complete, and every text
// measured with the real font where the screens draw it.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "localization/texts.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

struct ShippedLanguage {
    std::string file;                // name inside lang/
    std::string bytes;               // the built file
    std::string name, author;        // "@lang" and "@author" values
    std::map<long, std::string> texts;
};

// The program's reading of a line: split at the first space from index 1; the value loses
// the line's last character (the CR).
void ReadLine(const std::string& line, ShippedLanguage* language)
{
    const size_t space = line.size() > 1 ? line.find(' ', 1) : std::string::npos;
    const std::string key = space == std::string::npos ? line : line.substr(0, space);
    std::string value = space == std::string::npos ? line : line.substr(space + 1);
    if (!value.empty()) value.erase(value.size() - 1);
    if (key.empty() || key[0] != '@') return;
    if (key == "@lang") language->name = value;
    else if (key == "@author") language->author = value;
    else language->texts[std::strtol(key.c_str() + 1, nullptr, 10)] = value;
}

std::vector<ShippedLanguage> LoadShippedLanguages()
{
    std::vector<ShippedLanguage> languages;
    for (const fs::directory_entry& entry : fs::directory_iterator(BuildDir() + "/lang")) {
        ShippedLanguage language;
        language.file = entry.path().filename().string();
        language.bytes = ReadFile(entry.path().string());
        size_t start = 0, end;
        while ((end = language.bytes.find('\n', start)) != std::string::npos) {
            ReadLine(language.bytes.substr(start, end - start), &language);
            start = end + 1;
        }
        languages.push_back(language);
    }
    return languages;
}

// Our sources are UTF-8 with LF; what the program reads is Latin-1 with CR LF.
std::string ExpectedBuild(const std::string& utf8)
{
    std::string latin1;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\n') latin1 += "\r\n";
        else if (c < 0x80) latin1 += char(c);
        else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size())
            latin1 += char(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        else return "(not Latin-1)";
    }
    return latin1;
}

// The notice and description split: over 48 characters, at the right-most space of
// indexes 48 down to 1; without such a space nothing is drawn.
std::vector<std::string> SplitLines(const std::string& text)
{
    if (text.size() <= 48) return {text};
    for (size_t p = 48; p >= 1; --p)
        if (text[p] == ' ') return {text.substr(0, p), text.substr(p + 1)};
    return {"", ""};
}

class ShippedFont {
public:
    ShippedFont()
    {
        TTF_Init();
        font_ = TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), 8);
    }
    ~ShippedFont()
    {
        if (font_) TTF_CloseFont(font_);
        TTF_Quit();
    }
    bool ok() const { return font_ != nullptr; }
    int Width(const std::string& text) const
    {
        int w = 0, h = 0;
        if (!text.empty()) TTF_SizeText(font_, text.c_str(), &w, &h);
        return w;
    }

private:
    TTF_Font* font_ = nullptr;
};

// A text drawn at x that must end before `limit`, the first pixel of whatever follows it.
struct Place {
    const char* where;
    int id;
    int x;
    int limit;
    const char* suffix;
};

const Place Places[] = {
    // Hints at y 220: each text ends before the next hint's icon.
    {"home pad hint", TextChoose, 45, 110, ""},
    {"home X hint", TextEdit, 125, 175, ""},
    {"home B hint", TextGames, 195, 220, ""},
    {"home Y hint", TextNewProfile, 235, 316, ""},
    {"editor pad hint", TextEdit, 45, 155, ""},
    {"editor X hint", TextSave, 170, 220, ""},
    {"editor Y hint", TextCancel, 235, 316, ""},
    {"game pad hint", TextChoose, 45, 105, ""},
    {"game L/R hint", TextSwitchGame, 140, 220, ""},
    {"game Y hint", TextBack, 235, 316, ""},
    // Popup lines at box x + 10, inside the right border (box 1/2: x 110 w 100; 3/4: x 100 w 120).
    {"popup 1 line 0", TextSnapshot, 120, 209, ""},
    {"popup 1 line 1", TextRemoveProfile, 120, 209, ""},
    {"popup 1 line 2", TextExit, 120, 209, ""},
    {"popup 2 line 1", TextCancel, 120, 209, ""},
    {"popup 3 line 0", TextSnapshot, 110, 219, ""},
    {"popup 3 line 1", TextRemoveGame, 110, 219, ""},
    {"popup 3 line 2", TextExit, 110, 219, ""},
    {"popup 4 line 1", TextCancel, 110, 219, ""},
    // Card headings inside the card.
    {"card completed heading", TextCompleted, 156, 292, ""},
    {"card favourites heading", TextFavourites, 156, 292, ""},
    // Hidden achievement name and description, one line each in the panel.
    {"hidden achievement name", TextHiddenName, 35, 285, ""},
    {"hidden achievement description", TextHiddenDescription, 35, 285, ""},
};

const int FirstEditorLabel = TextName, LastEditorLabel = TextClothes;

const char* const RequiredLanguages[] = {"English", "Deutsch", "Fran\xE7" "ais", "Espa\xF1" "ol"};

} // namespace

// Protects what make_lang hands the program: Latin-1 bytes, every line ended by CR LF (the
// program cuts the last character of each line), and exactly the text of our sources.
TEST(LanguageFiles, BuiltFilesAreLatin1WithCrLf)
{
    const std::vector<ShippedLanguage> languages = LoadShippedLanguages();
    ASSERT_GE(languages.size(), 4u);
    for (const ShippedLanguage& language : languages) {
        SCOPED_TRACE(language.file);
        const std::string source = ReadFile(SourceDir() + "/data/lang/" + language.file);
        ASSERT_FALSE(source.empty());
        EXPECT_EQ(source.find('\r'), std::string::npos);
        EXPECT_EQ(language.bytes, ExpectedBuild(source));
        ASSERT_GE(language.bytes.size(), 2u);
        EXPECT_EQ(language.bytes.substr(language.bytes.size() - 2), "\r\n");
        for (size_t i = 0; i < language.bytes.size(); ++i) {
            if (language.bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && language.bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            if (language.bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < language.bytes.size() && language.bytes[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
}

// Protects every screen from blank labels: each language names itself, has an author and
// defines every text 1 to 36, without stray spaces that would show in the joined notices.
TEST(LanguageFiles, EveryLanguageIsComplete)
{
    const std::vector<ShippedLanguage> languages = LoadShippedLanguages();
    for (const char* required : RequiredLanguages) {
        bool found = false;
        for (const ShippedLanguage& language : languages) found = found || language.name == required;
        EXPECT_TRUE(found) << required;
    }
    for (const ShippedLanguage& language : languages) {
        SCOPED_TRACE(language.file);
        EXPECT_FALSE(language.name.empty());
        EXPECT_FALSE(language.author.empty());
        for (int id = 1; id <= TextNoticeNoName; ++id) {
            const auto text = language.texts.find(id);
            ASSERT_NE(text, language.texts.end()) << "text " << id << " missing";
            ASSERT_FALSE(text->second.empty()) << "text " << id << " empty";
            EXPECT_NE(text->second.front(), ' ') << "text " << id;
            EXPECT_NE(text->second.back(), ' ') << "text " << id;
        }
    }
}

// Protects the layout: each text, measured with the shipped font at size 8, ends before the
// next thing drawn on its line, in every language.
TEST(LanguageFiles, EveryTextFitsItsPlace)
{
    ShippedFont font;
    ASSERT_TRUE(font.ok());
    for (const ShippedLanguage& language : LoadShippedLanguages()) {
        SCOPED_TRACE(language.name);
        auto text = [&](int id) { return language.texts.count(id) ? language.texts.at(id) : std::string(); };
        auto fits = [&](const std::string& where, const std::string& shown, int x, int limit) {
            const int width = font.Width(shown);
            EXPECT_LE(x + width, limit) << where << ": \"" << shown << "\" is " << width << " pixels at x " << x;
        };
        for (const Place& place : Places) fits(place.where, text(place.id) + place.suffix, place.x, place.limit);
        for (int id = FirstEditorLabel; id <= LastEditorLabel; ++id)
            fits("editor label " + std::to_string(id), text(id) + ":", 140, 200);
        // The language row shows the language's own name at the value column.
        fits("editor language value", language.name, 200, 290);

        // The game screen's two count lines share y 21: left from 35, right ending at 284.
        const std::string counts = text(TextAchievementsLabel) + ": 50/50";
        const std::string points = text(TextPointsLabel) + ": 9999/9999";
        fits("count lines", counts, 35, 284 - font.Width(points) - 4);

        // Two-line texts: the notices in their box.
        auto fitsTwoLines = [&](const std::string& where, const std::string& shown, int width) {
            const std::vector<std::string> lines = SplitLines(shown);
            EXPECT_FALSE(lines[0].empty()) << where << ": \"" << shown << "\" has no space to split at";
            for (const std::string& line : lines) fits(where, line, 0, width);
        };
        const std::string widestName = "WWWWWWWWWWWWWWW";       // 15 characters, the most a name has
        const std::string widestFolder = "vok_mmmmmmmmmmmmmmm"; // 19 characters, "vok_" and 15
        fitsTwoLines("notice 1", text(TextNoticeNoProfile), 230);
        fitsTwoLines("notice 2", text(TextNoticeFirstProfile), 230);
        fitsTwoLines("notice 3", widestName + " " + text(TextGoodbye), 230);
        fitsTwoLines("notice 4", text(TextSnapshotSaved) + " " + widestFolder + ".bmp " + text(TextSnapshotWhere), 230);
        fitsTwoLines("notice 5", text(TextSnapshotSaved) + " bmp " + text(TextSnapshotWhere), 230);
        fitsTwoLines("notice 6", text(TextNoticeNoName), 230);
    }
}

// Protects the build from a source the program could not show: a character outside
// Latin-1 stops make_lang with a message naming the file, and nothing is written for it.
// A good source whose last line lacks its LF still ends with CR LF.
TEST(LanguageFiles, MakeLangConvertsAndRejects)
{
    TempDir folder;
    MakeDir(folder / "good");
    MakeDir(folder / "bad");
    WriteFile(folder / "good/magyar.txt", "@lang Magyar\n@1 V\xC3\xA1lassz");
    VokRun good = RunProgram(BuildDir() + "/tools/make_lang", {folder / "good", folder / "out"}, folder.path());
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(ReadFile(folder / "out/magyar.txt"), "@lang Magyar\r\n@1 V\xE1lassz\r\n");

    WriteFile(folder / "bad/euro.txt", "@lang Euro\n@1 5 \xE2\x82\xAC\n");
    VokRun bad = RunProgram(BuildDir() + "/tools/make_lang", {folder / "bad", folder / "out"}, folder.path());
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("euro.txt"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("line 2"), std::string::npos) << bad.err;
    EXPECT_FALSE(FileExists(folder / "out/euro.txt"));
}
