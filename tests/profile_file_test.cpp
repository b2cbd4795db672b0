#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include "frame/state.h"
#include "localization/language_table.h"
#include "store/ranking.h"
#include "tests/support/store_support.h"
#include "tests/support/test_support.h"

// A known language list, so that languageIndex does not depend on the lang folder.
struct ProfileFileTest : ::testing::Test {
    std::vector<LanguageInfo> saved;
    void SetUp() override
    {
        saved = LanguageTable.languages;
        LanguageTable.languages.clear();
        for (const char* name : {"English", "Deutsch", "Fran\xE7" "ais"}) {
            LanguageInfo info;
            info.name = name;
            LanguageTable.languages.push_back(info);
        }
    }
    void TearDown() override { LanguageTable.languages = saved; }
};

static ProfileRecord Parsed(const std::string& text)
{
    ProfileRecord record;
    ParseProfileFile(text, &record);
    return record;
}

// The writer produces exactly the twelve CR LF lines in their order, and the parameters
// of SetEditedProfile land in the right fields (ears before nose).
TEST_F(ProfileFileTest, SavedFileIsByteExact)
{
    TempDir dir;
    ResetStore(dir.store());
    MakeDir(dir / "vok_ana");
    SetEditedProfile("vok_ana", "Deutsch", "Ana Maria ", "01", "02", "03", "EARS", "NOSE", "05", "", "10", "7",
                     "99");
    SaveProfileFile();
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.cfg"),
              "lang=Deutsch\r\nname=Ana Maria \r\nbase=01\r\neyes=02\r\nbrowns=03\r\nnose=NOSE\r\n"
              "ears=EARS\r\nmouth=05\r\nfacial=\r\nhair=10\r\ntatoo=7\r\nclothes=99\r\n");

    ProfileRecord loaded;
    loaded.folder = "vok_ana";
    ASSERT_TRUE(LoadProfileFile(&loaded));
    EXPECT_EQ(loaded.lang, "Deutsch");
    EXPECT_EQ(loaded.languageIndex, 1);
    EXPECT_EQ(loaded.name, "Ana Maria"); // trailing blank gone on the way back
    EXPECT_EQ(loaded.nose, "NOSE");
    EXPECT_EQ(loaded.ears, "EARS");
    EXPECT_EQ(loaded.facial, "");
    EXPECT_EQ(loaded.tatoo, "7");
    EXPECT_EQ(loaded.clothes, "99");
    EXPECT_EQ(FormatProfileFile(loaded).find("name=Ana Maria\r\n"), 14u);

    // not stored yet (empty folder), or a folder that cannot be written: nothing happens
    SetEditedProfile("", "English", "Bob", "01", "", "", "", "", "", "", "", "", "");
    SaveProfileFile();
    SetEditedProfile("vok_gone", "English", "Bob", "01", "", "", "", "", "", "", "", "", "");
    SaveProfileFile();
    EXPECT_FALSE(FileExists(dir / "vok_gone"));
    EXPECT_EQ(DirectoryOrder(dir.path(), [](const std::string& n) { return n[0] != '.'; }),
              std::vector<std::string>{"vok_ana"});
}

// Reading tolerates what hand edits and other writers leave in the file.
TEST_F(ProfileFileTest, ReadingQuirks)
{
    ProfileRecord bob = Parsed("name=Bob");
    EXPECT_EQ(bob.name, "Bob");
    EXPECT_EQ(bob.lang, "");
    EXPECT_EQ(bob.languageIndex, 0);
    for (const auto& part : {bob.base, bob.eyes, bob.browns, bob.nose, bob.ears, bob.mouth, bob.facial, bob.hair,
                             bob.tatoo, bob.clothes})
        EXPECT_EQ(part, "");

    EXPECT_EQ(Parsed("name=  Bob  \r\n").name, "  Bob");
    EXPECT_EQ(Parsed("Name=Bob\r\nname =Bob\r\n NAME=x\r\n").name, "");
    EXPECT_EQ(Parsed("name=a=b\r\n").name, "a=b");
    EXPECT_EQ(Parsed("=name=x\r\nname=y\r\n").name, "y");
    EXPECT_EQ(Parsed("\r\nname=Bob\r\n").name, "Bob");
    EXPECT_EQ(Parsed("garbage\nname=Bob\n").name, "Bob");
    EXPECT_EQ(Parsed("name=A\r\nname=B\r\n").name, "B");
    EXPECT_EQ(Parsed("base=7\r\n").base, "7");
    EXPECT_EQ(Parsed("name=\xE9l\xE8ve\r\n").name, "\xE9l\xE8ve");

    // a line of 1024 characters ends the reading; earlier fields stay
    ProfileRecord cut = Parsed("name=Bob\r\nbase=" + std::string(1024 - 5, '1') + "\neyes=03\n");
    EXPECT_EQ(cut.name, "Bob");
    EXPECT_EQ(cut.base, "");
    EXPECT_EQ(cut.eyes, "");
    EXPECT_EQ(Parsed("base=" + std::string(1023 - 5, '1') + "\neyes=03\n").eyes, "03");

    EXPECT_EQ(Parsed("lang=Fran\xE7" "ais\r\n").languageIndex, 2);
    ProfileRecord klingon = Parsed("lang=Deutsch\r\nlang=Klingon\r\n");
    EXPECT_EQ(klingon.lang, "Klingon");
    EXPECT_EQ(klingon.languageIndex, 0);

    // a missing file: false, record untouched; no record at all: false
    TempDir dir;
    ResetStore(dir.store());
    ProfileRecord record;
    record.folder = "vok_none";
    record.name = "kept";
    EXPECT_FALSE(LoadProfileFile(&record));
    EXPECT_EQ(record.name, "kept");
    EXPECT_FALSE(LoadProfileFile(nullptr));
}

TEST_F(ProfileFileTest, FolderNames)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Ana Maria", "vok_anamaria"}, {"Ana", "vok_ana"}, {"ANA", "vok_ana"}, {"A na", "vok_ana"},
        {"   ", "vok_"}, {"", "vok_"}, {"Zo\te\r\n", "vok_zoe"}, {"\xC9MIL\x7F", "vok_\xC9mil\x7F"},
        {"a_B-9", "vok_a_b-9"},
    };
    for (const auto& c : cases) EXPECT_EQ(MakeProfileFolderName(c.first), c.second) << c.first;
}

// Storing a new player makes its folder and record, selects it and empties the rankings;
// names that give a taken folder get a numbered one and never touch the other's files.
TEST_F(ProfileFileTest, CommitNewProfiles)
{
    TempDir dir;
    const std::string store = dir.store();
    ResetStore(store);
    MakePlayer(store, "vok_ana", "name=Ana\r\n");
    WriteFile(dir / "vok_ana/vok.erience", std::string(16, '\x01'));
    MakeDir(dir / "vok_bob"); // on the card, but not a listed player
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 1u);
    FavouriteList.push_back(RankEntry{5, "x"});

    struct Case { std::string name, folder; };
    const Case cases[] = {{"ANA", "vok_ana2"}, {"A na", "vok_ana3"}, {"Bob", "vok_bob2"}, {"Cy/../d", "vok_cy..d"},
                          {"Eve", "vok_eve"}};
    for (const Case& c : cases) {
        SetEditedProfile("", "Deutsch", c.name, "01", "", "", "", "", "", "", "", "", "");
        EditedProfile.languageIndex = 1;
        CommitProfile();
        EXPECT_EQ(EditedProfile.folder, c.folder);
        ASSERT_EQ(SelectedProfile, int(Profiles.size()) - 1);
        const ProfileRecord& record = *Profiles.back();
        EXPECT_EQ(record.folder, c.folder);
        EXPECT_EQ(record.name, c.name);
        EXPECT_EQ(record.lang, "Deutsch");
        EXPECT_EQ(record.languageIndex, 1);
        EXPECT_EQ(record.base, "01");
        EXPECT_EQ(record.pointsEarned, 0);
        EXPECT_TRUE(FavouriteList.empty());
        EXPECT_EQ(ReadFile(store + c.folder + "/vok.cfg").substr(0, 22), "lang=Deutsch\r\nname=" + c.name.substr(0, 3));
    }
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.cfg"), "name=Ana\r\n");
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.erience"), std::string(16, '\x01'));
    EXPECT_FALSE(FileExists(dir / "vok_bob/vok.cfg"));
    ScanProfiles();
    EXPECT_EQ(Profiles.size(), 6u);
    ResetStore(store);
}

// Storing an edited player changes that player only, in memory and on the card.
TEST_F(ProfileFileTest, CommitExistingProfile)
{
    TempDir dir;
    const std::string store = dir.store();
    ResetStore(store);
    MakePlayer(store, "vok_ana", "name=Ana\r\n");
    MakePlayer(store, "vok_bob", "name=Bob\r\n");
    ScanProfiles();
    ASSERT_EQ(Profiles.size(), 2u);
    const int ana = Profiles[0]->folder == "vok_ana" ? 0 : 1;
    SelectedProfile = ana;
    Profiles[ana]->pointsEarned = 42;
    SetEditedProfile("vok_ana", "Deutsch", "Anna", "02", "03", "", "", "", "", "", "", "", "");
    EditedProfile.languageIndex = 1;
    CommitProfile();
    EXPECT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(SelectedProfile, ana);
    EXPECT_EQ(Profiles[ana]->name, "Anna");
    EXPECT_EQ(Profiles[ana]->languageIndex, 1);
    EXPECT_EQ(Profiles[ana]->eyes, "03");
    EXPECT_EQ(Profiles[ana]->pointsEarned, 42);
    EXPECT_EQ(Profiles[1 - ana]->name, "Bob");
    EXPECT_EQ(ReadFile(dir / "vok_ana/vok.cfg").substr(0, 25), "lang=Deutsch\r\nname=Anna\r\n");
    EXPECT_EQ(ReadFile(dir / "vok_bob/vok.cfg"), "name=Bob\r\n");

    // the selection moved away meanwhile: still only Ana's record changes
    SelectedProfile = 1 - ana;
    EditedProfile.name = "Ann";
    CommitProfile();
    EXPECT_EQ(Profiles[ana]->name, "Ann");
    EXPECT_EQ(Profiles[1 - ana]->name, "Bob");
    ResetStore(store);
}
