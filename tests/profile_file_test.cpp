#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include "card/card_format.h"
#include "localization/language_table.h"
#include "profile/avatar.h"
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
    static void Edit(const std::string& folder, const std::string& name, const std::string& base, const std::string& eyes = "")
    { // in German, the other parts empty
        SetEditedProfile(folder, "Deutsch", name, base, eyes, "", "", "", "", "", "", "", "");
    }
    static ProfileRecord Loaded(const std::string& folder) // LoadProfileFile's record, asserted read
    {
        ProfileRecord record;
        record.folder = folder;
        EXPECT_TRUE(LoadProfileFile(&record)) << folder;
        return record;
    }
};

// The twelve CR LF lines byte for byte, read back but for trailing blanks; hand edits tolerated.
TEST_F(ProfileFileTest, FileWrittenAndRead)
{
    MakeDir(card.store + "vok_ana");
    SetEditedProfile("vok_ana", "Deutsch", "Ana Maria ", "01", "02", "03", "EARS", "NOSE", "05", "", "10", "7", "99");
    SaveProfileFile();
    const std::string file = "lang=Deutsch\r\nname=Ana Maria \r\nbase=01\r\neyes=02\r\nbrowns=03\r\n"
                             "nose=NOSE\r\nears=EARS\r\nmouth=05\r\nfacial=\r\nhair=10\r\ntatoo=7\r\nclothes=99\r\n";
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), file);
    EXPECT_EQ(FormatProfileFile(Loaded("vok_ana")), file.substr(0, 28) + file.substr(29));
    for (int part = 0; part < AvatarPartCount; ++part) // the parts' file names use the card's keys
        EXPECT_STREQ(AvatarParts[part].key, CardProfileKeys[part + 2]);
    EditedProfile.folder = "vok_gone";
    SaveProfileFile();
    EXPECT_FALSE(FileExists(card.store + "vok_gone"));
    ProfileRecord none;
    none.folder = "vok_none";
    EXPECT_FALSE(LoadProfileFile(&none) || LoadProfileFile(nullptr));

    const struct { std::string text, name, lang; int language; } cases[] = {
        {"name=Bob", "Bob", "", 0}, {"lang=Fran\xE7" "ais\r\n", "", "Fran\xE7" "ais", 2}, // unknown or none: 0, the first
        {"lang=Deutsch\r\nlang=Klingon\r\n", "", "Klingon", 0},                          // the last line wins
        {"Name=Bob\r\nname =Bob\r\n NAME=x\r\n", "", "", 0}};                            // keys match exactly
    for (const auto& c : cases) {
        ProfileRecord record;
        ParseProfileFile(c.text, &record);
        EXPECT_EQ(record.name + "|" + record.lang + "|" + std::to_string(record.languageIndex),
                  c.name + "|" + c.lang + "|" + std::to_string(c.language)) << c.text;
    }
    // save and load agree at the 1023-character line limit: longer values clipped as the reader does
    const std::string n1017(1017, 'n'), n1018(1018, 'n'), spaced = std::string(1015, 'n') + "  x";
    const std::pair<std::string, std::string> limits[] = { // read, kept
        {"name=" + n1017 + "\r\nbase=02\r\n", n1017}, {"name=" + n1018 + "\nbase=02\n", n1017},
        {"name=" + spaced + "\nbase=02\n", std::string(1015, 'n')}};
    MakeDir(card.store + "vok_long");
    for (const auto& [read, kept] : limits) {
        ProfileRecord record;
        ParseProfileFile(read, &record);
        ASSERT_EQ(record.base, "02");
        Edit("vok_long", record.name, "02");
        SaveProfileFile();
        const ProfileRecord loaded = Loaded("vok_long");
        EXPECT_TRUE(loaded.name == kept && loaded.base == "02") << loaded.name.size();
        EXPECT_EQ(FormatProfileFile(loaded), ReadFile(card.store + "vok_long/vok.cfg"));
    }
    const std::pair<std::string, std::string> folders[] = { // folder names of new players
        {"A na", "vok_ana"}, {"   ", "vok_"}, {"Zo\te\r\n", "vok_zoe"}, {"\xC9MIL\x7F", "vok_\xC9mil\x7F"}, {"a_B-9", "vok_a_b-9"}};
    for (const auto& [name, folder] : folders) EXPECT_EQ(MakeProfileFolderName(name), folder) << name;
}

// New players get a folder of their own (numbered when taken) and are selected; a refused one is
// not made and stays new; an edited one changes only itself, or nothing when its file is refused.
TEST_F(ProfileFileTest, CommitProfiles)
{
    card.Player("vok_ana", "name=Ana\r\n");
    MakeDir(card.store + "vok_bob"); // on the card, but not a listed player
    ScanProfiles();
    StoreRoot = card.store + "gone/";
    Edit("", "Eve", "01");
    EXPECT_FALSE(CommitProfile());
    EXPECT_TRUE(Profiles.size() == 1u && SelectedProfile == 0 && EditedProfile.folder + EditedProfile.name == "Eve");
    StoreRoot = card.store;
    EXPECT_TRUE(CommitProfile());
    EXPECT_TRUE(FileExists(card.store + "vok_eve/vok.cfg") && !FileExists(card.store + "gone"));
    FavouriteList.push_back(RankEntry{5, "x"});
    const std::pair<std::string, std::string> cases[] = {
        {"ANA", "vok_ana2"}, {"A na", "vok_ana3"}, {"Bob", "vok_bob2"}, {"Cy/../d", "vok_cy..d"}};
    for (const auto& [name, folder] : cases) {
        Edit("", name, "01");
        CommitProfile();
        ASSERT_EQ(SelectedProfile, int(Profiles.size()) - 1);
        const ProfileRecord& added = *Profiles.back();
        EXPECT_EQ(added.folder + "|" + added.name + "|" + added.base, folder + "|" + name + "|01");
        EXPECT_TRUE(FavouriteList.empty() && FileExists(card.store + folder + "/vok.cfg")) << name;
    }
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), "name=Ana\r\n");
    EXPECT_FALSE(FileExists(card.store + "vok_bob/vok.cfg"));
    ASSERT_EQ(Profiles.size(), 2 + std::size(cases));
    SelectedProfile = 1;
    Profiles[0]->pointsEarned = 42;
    Edit("vok_ana", "Anna", "02", "03");
    EXPECT_TRUE(CommitProfile());
    EXPECT_EQ(Profiles[0]->name + Profiles[0]->eyes + std::to_string(Profiles[0]->pointsEarned), "Anna0342");
    EXPECT_EQ(Profiles[1]->name, "Eve");
    const std::string stored = ReadFile(card.store + "vok_ana/vok.cfg");
    MakeDir(card.store + "vok_ana/" + TemporaryOf("vok.cfg") + "/in the way");
    Edit("vok_ana", "Bad", "04");
    EXPECT_FALSE(CommitProfile());
    EXPECT_EQ(ReadFile(card.store + "vok_ana/vok.cfg"), stored);
    EXPECT_EQ(Profiles[0]->name + Profiles[0]->base, "Anna02");
}
