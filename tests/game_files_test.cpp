#include "store/game_files.h"

#include <gtest/gtest.h>

#include "tests/support/kit_support.h"
#include "tests/support/store_support.h"

struct OneGame : TestCard { // one player "vok_anna" in `lang` with one selected game folder "racer"
    std::string game = store + "vok_anna/racer/";
    explicit OneGame(const std::string& lang = "Deutsch")
    {
        MakeDir(game);
        GameFolders.push_back("racer");
        Profiles.push_back(new ProfileRecord);
        Profiles[0]->folder = "vok_anna";
        Profiles[0]->lang = lang;
    }
};

// The texts come from the player's language, else the default file, else the language the
// game names in vok.lang (its first line, without the line end); with none of them the list
// stays empty and the result is 0.
TEST(GameFiles, TextFileFallbackOrder)
{
    OneGame card("Deutsch");
    const std::vector<std::pair<std::string, std::string>> files = { // in the order they are tried
        {"de", "Deutsch"}, {"default", "default"}, {"fr", "Fran\xe7" "ais"}};
    for (const auto& [tag, language] : files)
        WriteTexts(card.game, language, {{1, tag, "first"}, {2, "two", "second"}});
    WriteFile(card.game + "vok.lang", "Fran\xe7" "ais\nDeutsch\n");
    EXPECT_EQ(ReadTextLanguage(), "Fran\xe7" "ais");
    for (const auto& [tag, language] : files) {
        ASSERT_EQ(LoadAchievementTexts(), 1) << tag;
        ASSERT_EQ(AchievementTexts.size(), 2u) << tag;
        EXPECT_EQ(AchievementTexts[0].name, tag);
        std::remove((card.game + "vok.desc." + language).c_str());
    }
    EXPECT_EQ(LoadAchievementTexts(), 0);
    EXPECT_TRUE(AchievementTexts.empty());
}

// 128-byte records with complemented text; three records and 44 bytes more give three records,
// and a field without its own terminator is cut at its last byte.
TEST(GameFiles, TextRecords)
{
    const std::string bytes =
        EncodeAchievementTexts({{7, "Speed Demon", "Finish under a minute"}, {-3, "", ""}});
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x07\0\0\0", 4));
    EXPECT_EQ(bytes[4], char(~'S'));
    EXPECT_EQ(bytes[15], '\xFF'); // terminators are complemented too
    EXPECT_EQ(bytes[25], char(~'F'));
    const std::string unterminated = std::string("\1\0\0\0", 4) + std::string(124, char(~'A'));
    OneGame card("English");
    WriteFile(card.game + "vok.desc.English", bytes + unterminated + unterminated.substr(0, 44));
    ASSERT_EQ(LoadAchievementTexts(), 1);
    ASSERT_EQ(AchievementTexts.size(), 3u);
    EXPECT_EQ(AchievementTexts[0].id, 7);
    EXPECT_STREQ(AchievementTexts[0].name, "Speed Demon");
    EXPECT_STREQ(AchievementTexts[0].description, "Finish under a minute");
    EXPECT_EQ(AchievementTexts[2].name, std::string(20, 'A'));
}

// Title and author: leading blanks stay, trailing blanks and CR go, a later line wins, and
// a key the file lacks (or a missing file) keeps the previous game's value. The records of
// vok.dat arrive in file order; icons "001" and "003" fill slots 0 and 2 while slot 1 stays
// empty; ids outside 1..50 have no icon.
TEST(GameFiles, TitleRecordsAndIcons)
{
    OneGame card;
    WriteRecords(card.game, {{1, 10, 0, 1}, {3, 20, 1, 0}});
    WriteIcon(card.game, 1, RgbImage(24, 24, 0x336699));
    WriteIcon(card.game, 3, RgbImage(22, 20, Magenta));
    GameTitle = "old title";
    GameAuthor = "old author";
    const std::pair<std::string, std::string> cases[] = { // file text (none), title|author shown
        {"", "old title|old author"},
        {"title=  Star Racer \r\nauthor=Kim\r\n", "  Star Racer|Kim"},
        {"=title=x\ntitle=First\ntitle=Dungeon = Dash\t\n", "Dungeon = Dash|Kim"},
    };
    for (const auto& [text, shown] : cases) {
        if (!text.empty())
            WriteFile(card.game + "vok.title", text);
        LoadGameInfo(&Achievements);
        EXPECT_EQ(GameTitle + "|" + GameAuthor, shown);
    }
    ASSERT_EQ(Achievements.size(), 2u);
    const AchievementRecord& second = Achievements[1];
    EXPECT_EQ(std::vector<int>({second.id, second.points, second.hidden}), std::vector<int>({3, 20, 1}));
    EXPECT_TRUE(!AchievementIcons[0] && !AchievementIcons[2]); // read only when first asked for
    ASSERT_TRUE(AchievementIcon(1) && !AchievementIcon(2) && AchievementIcon(3));
    EXPECT_EQ(AchievementIcon(1), AchievementIcons[0]);
    for (int id : {2, 0, -1, 51, INT32_MIN, INT32_MAX})
        EXPECT_EQ(AchievementIcon(id), nullptr) << id;

    GameFolders.clear(); // no game: nothing to load, nothing to crash on
    LoadGameInfo(&Achievements);
    EXPECT_TRUE(Achievements.empty());
}
