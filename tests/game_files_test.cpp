// The files a game leaves in its game folder: title, achievement texts in the player's
// language with their fallbacks, and the fifty icons.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>

#include "frame/state.h"
#include "store/game_files.h"
#include "store/game_files_writer.h"
#include "store/profiles.h"
#include "store/progress_writer.h"
#include "tests/support/test_support.h"

namespace {

// One player "vok_anna" with one game folder "racer", in a fresh store.
struct OneGame {
    TempDir dir;
    std::string game;

    explicit OneGame(const std::string& lang = "Deutsch")
    {
        StoreRoot = dir.store();
        game = dir / "vok_anna/racer/";
        MakeDir(game);
        ClearLists();
        Profiles.push_back(new ProfileRecord);
        Profiles[0]->folder = "vok_anna";
        Profiles[0]->lang = lang;
        SelectedProfile = 0;
        GameFolders.push_back("racer");
        SelectedGame = 0;
    }
    ~OneGame()
    {
        for (SDL_Surface*& icon : AchievementIcons) {
            if (icon) SDL_FreeSurface(icon);
            icon = nullptr;
        }
        ClearLists();
    }
    static void ClearLists()
    {
        for (ProfileRecord* p : Profiles) delete p;
        Profiles.clear();
        GameFolders.clear();
        SelectedProfile = 0;
        SelectedGame = 0;
    }
};

std::vector<AchievementTextSource> Texts(const std::string& tag)
{
    return { { 1, tag + " one", "first " + tag }, { 2, tag + " two", "second " + tag } };
}

std::string Record(int id, unsigned char nameFill, unsigned char descriptionFill)
{
    std::string record(128, '\0');
    for (int i = 0; i < 4; ++i) record[size_t(i)] = char((uint32_t(id) >> (8 * i)) & 0xFF);
    for (size_t i = 4; i < 25; ++i) record[i] = char(~nameFill);
    for (size_t i = 25; i < 126; ++i) record[i] = char(~descriptionFill);
    return record;
}

} // namespace

// The texts come from the player's language, else the default file, else the language the
// game names in vok.lang; with none of them the list stays empty and the result is 0.
TEST(GameFiles, TextFileFallbackOrder)
{
    OneGame card("Deutsch");
    ASSERT_TRUE(WriteAchievementTexts(card.game, "Deutsch", Texts("de")));
    ASSERT_TRUE(WriteAchievementTexts(card.game, "default", Texts("default")));
    ASSERT_TRUE(WriteAchievementTexts(card.game, "Fran\xe7" "ais", Texts("fr")));
    ASSERT_TRUE(WriteTextLanguageFile(card.game, "Fran\xe7" "ais"));

    EXPECT_EQ(LoadAchievementTexts(), 1);
    ASSERT_EQ(AchievementTexts.size(), 2u);
    EXPECT_STREQ(AchievementTexts[0].name, "de one");
    EXPECT_STREQ(AchievementTexts[1].description, "second de");

    std::remove((card.game + "vok.desc.Deutsch").c_str());
    EXPECT_EQ(LoadAchievementTexts(), 1);
    EXPECT_STREQ(AchievementTexts[0].name, "default one");

    std::remove((card.game + "vok.desc.default").c_str());
    EXPECT_EQ(LoadAchievementTexts(), 1);
    EXPECT_STREQ(AchievementTexts[0].name, "fr one");

    std::remove((card.game + "vok.desc.Fran\xe7" "ais").c_str());
    EXPECT_EQ(LoadAchievementTexts(), 0);
    EXPECT_TRUE(AchievementTexts.empty());

    // No game selected: nothing is read, the old texts go.
    ASSERT_TRUE(WriteAchievementTexts(card.game, "default", Texts("default")));
    EXPECT_EQ(LoadAchievementTexts(), 1);
    GameFolders.clear();
    EXPECT_EQ(LoadAchievementTexts(), 0);
    EXPECT_TRUE(AchievementTexts.empty());
}

// vok.lang: the first line as it stands, without its line end; "" when missing.
TEST(GameFiles, TextLanguageFirstLine)
{
    OneGame card;
    EXPECT_EQ(ReadTextLanguage(), "");
    WriteFile(card.game + "vok.lang", "English\nDeutsch\n");
    EXPECT_EQ(ReadTextLanguage(), "English");
    WriteFile(card.game + "vok.lang", " Espa\xf1ol\r\n");
    EXPECT_EQ(ReadTextLanguage(), " Espa\xf1ol\r");
}

// 128-byte records with complemented text; a trailing partial record is dropped, and a
// field without its own terminator is cut at its last byte instead of running on.
TEST(GameFiles, TextRecordDecoding)
{
    std::string bytes = EncodeAchievementTexts({ { 7, "Speed Demon", "Finish under a minute" },
                                                { -3, "", "" } });
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x07\0\0\0", 4));
    EXPECT_EQ((unsigned char)bytes[4], (unsigned char)~'S');
    EXPECT_EQ((unsigned char)bytes[4 + 11], 0xFF); // the name's NUL, complemented
    EXPECT_EQ((unsigned char)bytes[25], (unsigned char)~'F');
    EXPECT_EQ(bytes.substr(126, 2), std::string("\0\0", 2));

    std::vector<AchievementText> texts = ParseAchievementTexts(bytes + std::string(44, 'x'));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].id, 7);
    EXPECT_STREQ(texts[0].name, "Speed Demon");
    EXPECT_STREQ(texts[0].description, "Finish under a minute");
    EXPECT_EQ(texts[1].id, -3);
    EXPECT_STREQ(texts[1].name, "");

    texts = ParseAchievementTexts(Record(1, 'A', 'B'));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(std::string(texts[0].name), std::string(20, 'A'));
    EXPECT_EQ(std::string(texts[0].description), std::string(100, 'B'));

    EXPECT_TRUE(ParseAchievementTexts(std::string(127, '\0')).empty());
    EXPECT_TRUE(ParseAchievementTexts("").empty());
}

// A 300-byte text file on the card gives two records.
TEST(GameFiles, ShortTextFileOnCard)
{
    OneGame card("English");
    std::string bytes = Record(1, 'a', 'b') + Record(2, 'c', 'd') + std::string(44, '\x55');
    WriteFile(card.game + "vok.desc.English", bytes);
    EXPECT_EQ(LoadAchievementTexts(), 1);
    ASSERT_EQ(AchievementTexts.size(), 2u);
    EXPECT_EQ(AchievementTexts[1].id, 2);
    EXPECT_EQ(AchievementTexts[1].name[0], 'c');
}

// Title and author: leading blanks stay, trailing blanks and CR go, a later line wins,
// and a key the file lacks keeps the previous game's value.
TEST(GameFiles, TitleFile)
{
    OneGame card;
    GameTitle = "old title";
    GameAuthor = "old author";
    std::vector<AchievementRecord> list = { { 9, 9, 9, 9 } };
    LoadGameInfo(&list); // no title file: both stay
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(GameTitle, "old title");
    EXPECT_EQ(GameAuthor, "old author");

    WriteFile(card.game + "vok.title", "title=  Star Racer \r\nauthor=Kim\r\n");
    LoadGameInfo(&list);
    EXPECT_EQ(GameTitle, "  Star Racer");
    EXPECT_EQ(GameAuthor, "Kim");

    WriteFile(card.game + "vok.title", "=title=x\ntitle=First\ntitle=Dungeon = Dash\t\n");
    LoadGameInfo(&list);
    EXPECT_EQ(GameTitle, "Dungeon = Dash");
    EXPECT_EQ(GameAuthor, "Kim");

    ASSERT_TRUE(WriteTitleFile(card.game, "Gem Miner", "Lou"));
    EXPECT_EQ(ReadFile(card.game + "vok.title"), "title=Gem Miner\r\nauthor=Lou\r\n");
}

// The records of vok.dat arrive in file order; icons "001" and "003" fill slots 0 and 2
// while slot 1 stays empty; ids outside 1..50 have no icon.
TEST(GameFiles, RecordsAndIcons)
{
    OneGame card;
    ASSERT_TRUE(WriteAchievementFile(card.game + "vok.dat", { { 1, 10, 0, 1 }, { 3, 20, 1, 0 } }));
    ASSERT_TRUE(WriteAchievementIcon(card.game, 1, RgbImage(24, 24, 0x336699)));
    ASSERT_TRUE(WriteAchievementIcon(card.game, 3, RgbImage(22, 20, Magenta)));
    EXPECT_TRUE(FileExists(card.game + "001"));

    LoadGameInfo(&Achievements);
    ASSERT_EQ(Achievements.size(), 2u);
    EXPECT_EQ(Achievements[1].id, 3);
    EXPECT_EQ(Achievements[1].points, 20);
    EXPECT_EQ(Achievements[1].hidden, 1);
    ASSERT_NE(AchievementIcons[0], nullptr);
    EXPECT_EQ(AchievementIcons[1], nullptr);
    ASSERT_NE(AchievementIcons[2], nullptr);
    EXPECT_EQ(AchievementIcons[2]->w, 22);
    EXPECT_EQ(AchievementIcons[2]->h, 20);
    EXPECT_EQ(AchievementIcons[0]->format->BitsPerPixel, 16);
    for (int i = 3; i < 50; ++i) EXPECT_EQ(AchievementIcons[i], nullptr);

    EXPECT_EQ(AchievementIcon(1), AchievementIcons[0]);
    EXPECT_EQ(AchievementIcon(2), nullptr);
    for (int id : { 0, -1, 51, 1000, -2147483647 - 1, 2147483647 }) EXPECT_EQ(AchievementIcon(id), nullptr) << id;

    // Another game without icons empties every slot; with no game the slots stay.
    MakeDir(card.dir / "vok_anna/plain");
    GameFolders.push_back("plain");
    SelectedGame = 1;
    LoadAchievementIcons();
    EXPECT_EQ(AchievementIcons[0], nullptr);
    SelectedGame = 0;
    LoadAchievementIcons();
    SDL_Surface* first = AchievementIcons[0];
    ASSERT_NE(first, nullptr);
    GameFolders.clear();
    LoadGameInfo(&Achievements);
    EXPECT_TRUE(Achievements.empty());
    EXPECT_EQ(AchievementIcons[0], first);
}
