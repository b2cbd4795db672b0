// The language files we ship: built from data/lang by make_lang in Latin-1 with CR LF,
// complete, and every text measured with the real font where the screens draw it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "card/card_format.h"
#include "graphics/draw.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/kit_support.h"
#include "tests/support/test_support.h"

// Latin-1 bytes with CR LF line ends as the UTF-8 with LF of our sources; "" for a bare LF.
static std::string SourceForm(const std::string& latin1)
{
    std::string utf8;
    for (size_t i = 0; i < latin1.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(latin1[i]);
        if (c == '\n' && (i == 0 || latin1[i - 1] != '\r')) return "";
        if (c == '\r' && i + 1 < latin1.size() && latin1[i + 1] == '\n') continue;
        const std::string twoBytes{char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        utf8 += c < 0x80 ? std::string(1, char(c)) : twoBytes;
    }
    return utf8;
}

static const int Margin = 3; // pixels left free before `limit`: two things on a line never read as one

// A text drawn at x ends Margin before `limit`, the first pixel of what follows it; of two
// places the narrower (popups 3 and 4 are wider than 1 and 2).
static const struct Place { int id, x, limit; } Places[] = {
    // the hints of the home screen, the editor and the game screen
    {TextEdit, 125, 175}, {TextGames, 195, 220}, {TextNewProfile, 235, 316},
    {TextSave, 170, 220}, {TextCancel, 235, 316}, {TextChoose, 45, 105},
    {TextSwitchGame, 140, 220}, {TextBack, 235, 316},
    // the popups
    {TextSnapshot, 120, 209}, {TextRemoveProfile, 120, 209}, {TextExit, 120, 209}, {TextRemoveGame, 110, 219},
    // the card's headings; one line each in the game panel
    {TextCompleted, 156, 292}, {TextFavourites, 156, 292},
    {TextHiddenName, 35, 285}, {TextHiddenDescription, 35, 285},
};

// Each built file is its source in Latin-1, every line ended by CR LF (the program drops each
// line's last character), names language and author, has texts 1 to TextLast none blank or spaced at an
// end; four languages. In the shipped font each text ends Margin before the next thing on its
// line; each notice, even with the widest name or folder, splits into lines that fit its box.
TEST(LanguageFiles, BuiltFilesAreCompleteAndFit)
{
    ASSERT_EQ(TTF_Init(), 0);
    TTF_Font* font = TTF_OpenFont((BuildDir() + "/media/pfcb.ttf").c_str(), 8);
    ASSERT_NE(font, nullptr);
    auto fits = [&](const std::string& text, int x, int limit) {
        EXPECT_LE(x + TextWidth(font, text.c_str()) + Margin, limit) << "\"" << text << "\" at x " << x;
    };
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(BuildDir() + "/lang")) {
        const std::string built = ReadFile(entry.path().string()), name = entry.path().filename().string();
        SCOPED_TRACE(name);
        EXPECT_EQ(SourceForm(built), ReadFile(SourceDir() + "/data/lang/" + name));
        EXPECT_EQ(built.substr(built.size() - 2), "\r\n");
        EXPECT_FALSE(LanguageKeyValue(built, "author").empty());
        names += LanguageKeyValue(built, "lang") + ",";
        const std::vector<std::string> texts = ParseLanguageTexts(built);
        ASSERT_GT(texts.size(), size_t(TextLast));
        for (int id = 1; id <= TextLast; ++id)
            EXPECT_TRUE(!texts[id].empty() && texts[id].front() != ' ' && texts[id].back() != ' ') << id;
        auto text = [&](int id) { return texts[id]; };
        for (const Place& place : Places) fits(text(place.id), place.x, place.limit);
        for (int id = TextName; id <= TextClothes; ++id) fits(text(id) + ":", 140, 200); // editor labels
        fits(LanguageKeyValue(built, "lang"), 200, 290); // the editor's language value
        // The count line from x 35 and the points line ending at 284 share y 21: two spaces apart.
        fits(text(TextAchievementsLabel) + ": 50/50  " + text(TextPointsLabel) + ": 9999/9999", 35, 284);
        // The game panel's row under the name: the unlock date in every month, widest day and
        // year; or a full progress bar (120 pixels from 35) and its widest count after it.
        std::istringstream months(text(TextMonthNames));
        std::string month;
        int monthCount = 0;
        for (; months >> month; ++monthCount) {
            std::string date;
            const std::string format = text(TextDateFormat);
            for (size_t i = 0; i < format.size(); ++i) {
                const char c = i + 1 < format.size() && format[i] == '%' ? format[++i] : 0;
                date += c == 'd' || c == 'e' ? "28" : c == 'm' ? "12" : c == 'Y' ? "2106" : c == 'b' ? month : std::string(1, format[i]);
            }
            EXPECT_EQ(date.find('%'), std::string::npos) << format;
            fits(text(TextUnlockedOn) + " " + date, 35, 285);
        }
        EXPECT_EQ(monthCount, 12);
        fits("2147483647 / 2147483647", 160, 285);
        const std::string notices[] = {
            text(TextNoticeNoProfile), text(TextNoticeFirstProfile), text(TextNoticeNoName), text(TextNoticeNotSaved), text(TextNoticeCardGone),
            "WWWWWWWWWWWWWWW " + text(TextGoodbye),
            text(TextSnapshotSaved) + " vok_mmmmmmmmmmmmmmm.bmp " + text(TextSnapshotWhere),
        };
        for (const std::string& notice : notices) {
            std::string first, second; // as the notice box splits it, each line within 230 pixels
            SplitTextLine(notice.c_str(), &first, &second);
            EXPECT_FALSE(first.empty()) << "\"" << notice << "\" has no space to split at";
            for (const std::string& line : {first, second}) fits(line, 0, 230);
        }
    }
    // the names games are given, by the card library and the kit, are exactly those of the files
    EXPECT_EQ(std::count(names.begin(), names.end(), ','), CARD_SHIPPED_LANGUAGES);
    for (const char* name : CardShippedLanguages) EXPECT_NE(names.find(std::string(name) + ","), std::string::npos) << name;
    for (const char* name : {VOK_LANGUAGE_ENGLISH, VOK_LANGUAGE_GERMAN, VOK_LANGUAGE_FRENCH, VOK_LANGUAGE_SPANISH}) {
        EXPECT_NE(names.find(std::string(name) + ","), std::string::npos) << name;
        EXPECT_EQ(CardMisspelledLanguage(name), nullptr) << name;
    }
    TTF_CloseFont(font);
    TTF_Quit();
}

// make_lang writes a good source in Latin-1 with CR LF even without a last LF, and stops at a
// character outside Latin-1 (which the program could not show), naming file and line.
TEST(LanguageFiles, MakeLangConvertsAndRejects)
{
    TempDir folder;
    for (const char* sub : {"good", "bad"}) MakeDir(folder / sub);
    WriteFile(folder / "good/magyar.txt", "@lang Magyar\n@1 V\xC3\xA1lassz");
    WriteFile(folder / "bad/euro.txt", "@lang Euro\n@1 5 \xE2\x82\xAC\n");
    const std::string tool = BuildDir() + "/tools/make_lang";
    ASSERT_EQ(RunProgram(tool, {folder / "good", folder / "out"}, folder.path()).status, 0);
    EXPECT_EQ(ReadFile(folder / "out/magyar.txt"), "@lang Magyar\r\n@1 V\xE1lassz\r\n");
    const VokRun bad = RunProgram(tool, {folder / "bad", folder / "out"}, folder.path());
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("euro.txt: line 2"), std::string::npos) << bad.err;
    EXPECT_FALSE(FileExists(folder / "out/euro.txt"));
}
