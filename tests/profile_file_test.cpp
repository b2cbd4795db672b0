#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include "localization/language_table.h"
#include "tests/support/store_support.h"

// A known language list, so that languageIndex does not depend on the lang folder.
struct ProfileFileTest : ::testing::Test {
    std::vector<LanguageInfo> saved = LanguageTable.languages;
    TestCard card;
    ProfileFileTest()
    {
        LanguageTable.languages.assign(3, LanguageInfo());
        LanguageTable.languages[1].name = "Deutsch";
        LanguageTable.languages[2].name = "Fran\xE7" "ais";
    }
    ~ProfileFileTest() { LanguageTable.languages = saved; }
};

// The writer produces exactly the twelve CR LF lines in their order, SetEditedProfile's parameters
// land in their fields (ears before nose), and the file reads back the same but for trailing blanks.
// Into a folder that is gone nothing is written. Reading tolerates what hand edits leave.
TEST_F(ProfileFileTest, FileWrittenAndRead)
{
    MakeDir(card.store + "vok_ana");
    SetEditedProfile("vok_ana", "Deutsch", "Ana Maria ", "01", "02", "03", "EARS", "NOSE", "05", "",
                     "10", "7", "99");
    SaveProfileFile();
    const std::string file = "lang=Deutsch\r\nname=Ana Maria \r\nbase=01\r\neyes=02\r\nbrowns=03\r\n"
                             "nose=NOSE\r\nears=EARS\r\nmouth=05\r\nfacial=\r\nhair=10\r\ntatoo=7\r\n"
                             "clothes=99\r\n";
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), file);
    ProfileRecord loaded;
    loaded.folder = "vok_ana";
    ASSERT_TRUE(LoadProfileFile(&loaded));
    EXPECT_EQ(FormatProfileFile(loaded), file.substr(0, 28) + file.substr(29));

    EditedProfile.folder = "vok_gone";
    SaveProfileFile();
    EXPECT_FALSE(FileExists(card.store + "vok_gone"));
    loaded.folder = "vok_none";
    EXPECT_FALSE(LoadProfileFile(&loaded));
    EXPECT_FALSE(LoadProfileFile(nullptr));

    const struct { std::string text, name, lang; int language; } cases[] = {
        {"name=Bob", "Bob", "", 0}, // language 0: the first
        {"lang=Fran\xE7" "ais\r\n", "", "Fran\xE7" "ais", 2},
        {"lang=Deutsch\r\nlang=Klingon\r\n", "", "Klingon", 0}, // the last line wins
        {"Name=Bob\r\nname =Bob\r\n NAME=x\r\n", "", "", 0},  // keys match exactly
    };
    for (const auto& c : cases) {
        ProfileRecord record;
        ParseProfileFile(c.text, &record);
        EXPECT_EQ(record.name + "|" + record.lang, c.name + "|" + c.lang) << c.text;
        EXPECT_EQ(record.languageIndex, c.language) << c.text;
    }
    // save then load is the identity at the reader's 1023-character line limit: a value too long
    // for its line is clipped (blanks at the cut dropped, as the reader does), never written longer
    const std::string n1017(1017, 'n'), n1018(1018, 'n'), spaced = std::string(1015, 'n') + "  x";
    const struct { std::string read, kept; } limits[] = {
        {"name=" + n1017 + "\r\nbase=02\r\n", n1017}, {"name=" + n1018 + "\nbase=02\n", n1017},
        {"name=" + spaced + "\nbase=02\n", std::string(1015, 'n')}};
    for (const auto& c : limits) {
        ProfileRecord record;
        ParseProfileFile(c.read, &record);
        ASSERT_EQ(record.base, "02");
        MakeDir(card.store + "vok_long");
        SetEditedProfile("vok_long", "", record.name, "02", "", "", "", "", "", "", "", "", "");
        SaveProfileFile();
        ProfileRecord loaded;
        loaded.folder = "vok_long";
        ASSERT_TRUE(LoadProfileFile(&loaded));
        EXPECT_TRUE(loaded.name == c.kept && loaded.base == "02") << loaded.name.size();
        EXPECT_EQ(FormatProfileFile(loaded), ReadFile(card.store + "vok_long/vok.cfg"));
    }

    // folder names of new players
    const std::pair<std::string, std::string> folders[] = {
        {"A na", "vok_ana"}, {"   ", "vok_"}, {"Zo\te\r\n", "vok_zoe"},
        {"\xC9MIL\x7F", "vok_\xC9mil\x7F"}, {"a_B-9", "vok_a_b-9"}};
    for (const auto& c : folders)
        EXPECT_EQ(MakeProfileFolderName(c.first), c.second) << c.first;
}

// A new player gets its folder and record, is selected, and starts with empty rankings; names whose
// folder is taken (listed player or not) get a numbered one, a "/" never reaches into another folder,
// and nobody else's files change. Storing an edited player changes only that one, selected or not.
TEST_F(ProfileFileTest, CommitProfiles)
{
    card.Player("vok_ana", "name=Ana\r\n");
    MakeDir(card.store + "vok_bob"); // on the card, but not a listed player
    ScanProfiles();
    FavouriteList.push_back(RankEntry{5, "x"});
    const std::pair<std::string, std::string> cases[] = {
        {"ANA", "vok_ana2"}, {"A na", "vok_ana3"}, {"Bob", "vok_bob2"},
        {"Cy/../d", "vok_cy..d"}, {"Eve", "vok_eve"},
    };
    for (const auto& [name, folder] : cases) {
        SetEditedProfile("", "Deutsch", name, "01", "", "", "", "", "", "", "", "", "");
        CommitProfile();
        ASSERT_EQ(SelectedProfile, int(Profiles.size()) - 1);
        const ProfileRecord& added = *Profiles.back();
        EXPECT_EQ(added.folder + "|" + added.name + "|" + added.base, folder + "|" + name + "|01");
        EXPECT_TRUE(FavouriteList.empty()) << name;
        EXPECT_TRUE(FileExists(card.store + folder + "/vok.cfg")) << name;
    }
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), "name=Ana\r\n");
    EXPECT_FALSE(FileExists(card.store + "vok_bob/vok.cfg"));

    ASSERT_EQ(Profiles.size(), 1 + std::size(cases));
    SelectedProfile = 1;
    Profiles[0]->pointsEarned = 42;
    SetEditedProfile("vok_ana", "Deutsch", "Anna", "02", "03", "", "", "", "", "", "", "", "");
    CommitProfile();
    EXPECT_EQ(Profiles[0]->name + Profiles[0]->eyes, "Anna03");
    EXPECT_EQ(Profiles[0]->pointsEarned, 42);
    EXPECT_EQ(Profiles[1]->name, "ANA");
}

// A new player the card refuses is not created: no folder, no record, the working copy still new
// (the next save tries afresh). An edited player whose file cannot be replaced (a folder in the way
// of the temporary) keeps its file and its record as they were.
TEST_F(ProfileFileTest, FailedCommitsChangeNothing)
{
    card.Player("vok_ana", "name=Ana\r\n");
    ScanProfiles();
    StoreRoot = card.store + "gone/";
    SetEditedProfile("", "Deutsch", "Eve", "01", "", "", "", "", "", "", "", "", "");
    EXPECT_FALSE(CommitProfile());
    EXPECT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(EditedProfile.folder + EditedProfile.name, "Eve");
    StoreRoot = card.store;
    EXPECT_TRUE(CommitProfile());
    EXPECT_TRUE(FileExists(card.store + "vok_eve/vok.cfg"));
    EXPECT_FALSE(FileExists(card.store + "gone"));

    MakeDir(card.store + "vok_ana/.vok-tmp.vok.cfg/in the way");
    SetEditedProfile("vok_ana", "Deutsch", "Anna", "02", "", "", "", "", "", "", "", "", "");
    EXPECT_FALSE(CommitProfile());
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), "name=Ana\r\n");
    EXPECT_EQ(Profiles[0]->name + Profiles[0]->base, "Ana");
}
