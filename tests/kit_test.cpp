// The game kit, the one writer of the files games leave on the card.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include <gtest/gtest.h>

#include "platform/device.h"
#include "store/game_files.h"
#include "tests/support/kit_support.h"
#include "tests/support/screens_support.h"
#include "tests/support/store_support.h"

namespace {

std::string TextRecord(int id, const std::string& name, const std::string& description)
{
    std::string record = Int32s({id});
    for (size_t i = 0; i < 21; ++i) record += char(~(i < name.size() ? name[i] : 0));
    for (size_t i = 0; i < 101; ++i) record += char(~(i < description.size() ? description[i] : 0));
    return record + std::string(2, '\0');
}

struct KitCard : TestCard { // player "vok_kim" on the card, and a game of it opened through the kit
    std::string player = store + "vok_kim/";
    std::string game = player + "racer/";
    VokGame* kit = nullptr;
    KitCard()
    {
        Player("vok_kim");
        EXPECT_EQ(VokOpenGame(store.c_str(), "vok_kim", "racer", &kit), VOK_OK) << VokErrorMessage();
    }
    ~KitCard() { VokCloseGame(kit); }
    void Describe() // two achievements in two languages, the second unlocked
    {
        const int results[] = { // evaluated in this order
            VokSetTitle(kit, "Star Racer", "Nova Works"), VokSetTextLanguage(kit, "English"), VokDescribe(kit, 7, 10, 0),
            VokDescribe(kit, 3, 25, 1), VokSetText(kit, 7, "English", "First Lap", "Finish a race."),
            VokSetText(kit, 3, "English", "Champion", "Win the cup."), VokSetText(kit, 7, "Fran\xe7" "ais", "Premier tour", "Termine une course."),
            VokSetText(kit, 3, "Fran\xe7" "ais", "Champion", "Gagne la coupe."), VokUnlock(kit, 3), VokSetFavouriteScore(kit, 42)};
        for (int result : results) ASSERT_EQ(result, VOK_OK);
    }
};

} // namespace

// A commit's files byte for byte, read back by the program and the reopened game; an unchanged
// vok.dat is not rewritten (its date orders completed games).
TEST(Kit, CommitWritesEveryFileByteForByteAndReadsBack)
{
    KitCard card;
    card.Describe();
    const std::string icon = card.dir / "icon.bmp";
    WriteBmp24(icon, RgbImage(24, 24, 0x336699));
    ASSERT_EQ(VokSetIcon(card.kit, 3, icon.c_str()), VOK_OK);
    ASSERT_EQ(VokSetIcon(card.kit, 0, icon.c_str()), VOK_OK);
    ASSERT_EQ(VokCommit(card.kit), VOK_OK) << VokErrorMessage();

    const std::pair<std::string, std::string> files[] = {
        {"vok.dat", Int32s({7, 10, 0, 0, 3, 25, 1, 1})}, {"vok.summary", Int32s({1, 2, 25, 35, 42})},
        {"vok.title", "title=Star Racer\r\nauthor=Nova Works\r\n"}, {"vok.lang", "English"},
        {"vok.desc.English", TextRecord(7, "First Lap", "Finish a race.") + TextRecord(3, "Champion", "Win the cup.")},
        {"003", ReadFile(icon)}, {"vok.icon", ReadFile(icon)}};
    for (const auto& [file, bytes] : files) EXPECT_EQ(ReadFile(card.game + file), bytes) << file;
    EXPECT_EQ(ReadFile(card.game + "vok.desc.Fran\xe7" "ais").substr(128), TextRecord(3, "Champion", "Gagne la coupe."));
    EXPECT_FALSE(FileExists(card.game + "007"));
    EXPECT_TRUE(FileExists(card.player + "update"));
    for (const auto& entry : ReadTree(card.store)) EXPECT_EQ(entry.first.find(".vok-tmp."), std::string::npos) << entry.first;

    ScanProfiles();
    ListGames();
    ASSERT_EQ(GameFolders, std::vector<std::string>({"racer"}));
    Profiles[0]->lang = "Fran\xe7" "ais";
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    ASSERT_TRUE(LoadAchievementTexts() == 1 && !AchievementTexts.empty());
    EXPECT_EQ(GameTitle + "|" + GameAuthor + "|" + AchievementTexts[0].name, "Star Racer|Nova Works|Premier tour");
    EXPECT_TRUE(AchievementIcon(3) && !AchievementIcon(7));
    EXPECT_EQ(FormatSummary(GameSummary), Int32s({1, 2, 25, 35, 42}));

    VokCloseGame(card.kit); // reopened, the game reads back what it committed
    ASSERT_EQ(VokOpenGame(card.store.c_str(), "vok_kim", "racer", &card.kit), VOK_OK) << VokErrorMessage();
    VokAchievement a;
    ASSERT_EQ(VokAchievementCount(card.kit), 2);
    ASSERT_EQ(VokAchievementAt(card.kit, 0, &a), VOK_OK);
    EXPECT_EQ(std::vector<int>({a.id, a.points, a.hidden, a.unlocked}), std::vector<int>({7, 10, 0, 0}));
    ASSERT_EQ(VokGetAchievement(card.kit, 3, &a), VOK_OK);
    EXPECT_TRUE(a.unlocked && a.hidden);
    VokText text;
    ASSERT_EQ(VokGetText(card.kit, 7, "Fran\xe7" "ais", &text), VOK_OK);
    EXPECT_STREQ(text.description, "Termine une course.");
    EXPECT_EQ(VokFavouriteScore(card.kit), 42);
    EXPECT_EQ(std::string(VokTitle(card.kit)) + "|" + VokAuthor(card.kit) + "|" + VokTextLanguage(card.kit),
              "Star Racer|Nova Works|English");

    std::remove((card.player + "update").c_str());
    timespec old[2] = {{1000, 0}, {1000, 0}};
    utimensat(AT_FDCWD, (card.game + "vok.dat").c_str(), old, 0);
    ASSERT_EQ(VokSetFavouriteScore(card.kit, 43), VOK_OK);
    ASSERT_EQ(VokCommit(card.kit), VOK_OK);
    struct stat after;
    stat((card.game + "vok.dat").c_str(), &after);
    EXPECT_EQ(after.st_mtime, 1000);
    EXPECT_EQ(ReadFile(card.game + "vok.summary"), Int32s({1, 2, 25, 35, 43}));
    EXPECT_TRUE(FileExists(card.player + "update"));
}

// Bad input gets its own code and a sentence and writes nothing; a refused write keeps the old file.
TEST(Kit, BadInputAndARefusingCardWriteNothing)
{
    KitCard card;
    card.Describe();
    ASSERT_EQ(VokCommit(card.kit), VOK_OK);
    const std::string notBmp = card.dir / "icon.bmp", big = card.dir / "big.bmp";
    WriteFile(notBmp, "GIF89a");
    WriteBmp24(big, RgbImage(25, 24, 0x336699)); // a pixel wider than a grid cell
    const auto before = ReadTree(card.store);
    VokGame* other = nullptr;
    const std::pair<int, int> cases[] = { // result, expected
        {VokDescribe(card.kit, 0, 5, 0), VOK_BAD_ID}, {VokDescribe(card.kit, 51, 5, 0), VOK_BAD_ID},
        {VokUnlock(card.kit, 9), VOK_BAD_ID}, {VokSetText(card.kit, 9, "English", "x", "y"), VOK_BAD_ID},
        {VokSetText(card.kit, 7, "English", std::string(21, 'n').c_str(), ""), VOK_TOO_LONG},
        {VokSetText(card.kit, 7, "English", "n", std::string(101, 'd').c_str()), VOK_TOO_LONG},
        {VokSetText(card.kit, 7, "../English", "n", "d"), VOK_BAD_ARGUMENT},
        {VokSetTitle(card.kit, "Two\nlines", "a"), VOK_BAD_ARGUMENT}, {VokSetTitle(card.kit, "Trailing ", "a"), VOK_BAD_ARGUMENT},
        {VokSetIcon(card.kit, 7, notBmp.c_str()), VOK_BAD_BITMAP}, {VokSetIcon(card.kit, 7, (card.dir / "none.bmp").c_str()), VOK_BAD_BITMAP},
        {VokOpenGame((card.dir / "nocard").c_str(), "vok_kim", "racer", nullptr), VOK_BAD_ARGUMENT},
        {VokOpenGame(card.store.c_str(), "vok_nobody", "racer", &other), VOK_NO_PLAYER},
        {VokOpenGame(card.store.c_str(), "vok_kim", ".vok-gone", &other), VOK_BAD_ARGUMENT},
        {VokSetText(card.kit, 7, "english", "n", "d"), VOK_BAD_ARGUMENT}, {VokSetText(card.kit, 7, "German", "n", "d"), VOK_OK},
        {VokSetText(card.kit, 7, "Fran\xc3\xa7" "ais", "n", "d"), VOK_BAD_ARGUMENT},
        {VokSetTextLanguage(card.kit, "DEUTSCH"), VOK_BAD_ARGUMENT},
        {VokSetText(card.kit, 7, "English", "tab\there", "d"), VOK_BAD_ARGUMENT},
        {VokSetText(card.kit, 7, "English", "n", "two\nlines"), VOK_BAD_ARGUMENT},
        {VokSetText(card.kit, 7, "English", nullptr, "d"), VOK_BAD_ARGUMENT},
        {VokSetTitle(card.kit, "", "a"), VOK_BAD_ARGUMENT}, {VokSetTitle(card.kit, std::string(256, 't').c_str(), "a"), VOK_TOO_LONG},
        {VokDescribe(card.kit, 7, -1, 0), VOK_BAD_ARGUMENT}, {VokSetIcon(card.kit, 7, big.c_str()), VOK_BAD_BITMAP},
        {VokOpenGame(card.store.c_str(), "vok_kim", "..", &other), VOK_BAD_ARGUMENT},
        {VokOpenGame((card.dir / "nocard").c_str(), "vok_kim", "racer", &other), VOK_NO_STORE}}; // evaluated in order
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    EXPECT_NE(std::string(VokErrorMessage()).find("nocard"), std::string::npos) << "the last case's sentence";
    EXPECT_EQ(other, nullptr);
    ASSERT_EQ(VokDescribe(card.kit, 8, 5, 0), VOK_OK); // described, but without its two texts
    EXPECT_EQ(VokCommit(card.kit), VOK_MISSING_TEXT);
    EXPECT_EQ(std::string(VokErrorMessage()), "English has no text for achievement 8");
    EXPECT_TRUE(before == ReadTree(card.store));

    const std::string summary = card.game + "vok.summary"; // a folder in its place: the rename fails
    std::remove(summary.c_str());
    MakeDir(summary + "/x");
    const auto blocked = ReadTree(card.store);
    EXPECT_EQ(VokWriteFile(summary.c_str(), "abc", 3), VOK_WRITE_FAILED);
    EXPECT_TRUE(blocked == ReadTree(card.store)) << "the temporary went, the rest stayed";
    WriteFile(card.game + TemporaryOf("vok.lang"), "stale"); // a power cut's temporary is replaced, never read
    EXPECT_EQ(VokWriteTextLanguage(card.game.c_str(), "Deutsch"), VOK_OK);
    EXPECT_TRUE(ReadFile(card.game + "vok.lang") == "Deutsch" && !FileExists(card.game + TemporaryOf("vok.lang")));
}

// The player to record for is the one activevok names when vok lists it; players in card order.
TEST(Kit, ActivePlayerAndPlayers)
{
    TestCard card;
    char folder[64] = "";
    EXPECT_EQ(VokActivePlayer(card.store.c_str(), folder, sizeof folder), VOK_NO_PLAYER);
    card.Player("vok_ann");
    card.Player("vok_bob");
    MakeDir(card.store + "vok_nocfg");
    for (const auto& [active, expected] : std::vector<std::pair<std::string, int>>{
             {"vok_bob\r", VOK_NO_PLAYER}, {"vok_nocfg", VOK_NO_PLAYER}, {"", VOK_NO_PLAYER}, {"vok_bob", VOK_OK}}) {
        WriteFile(card.store + "activevok", active);
        EXPECT_EQ(VokActivePlayer(card.store.c_str(), folder, sizeof folder), expected) << active;
    }
    EXPECT_STREQ(folder, "vok_bob");
    EXPECT_EQ(VokActivePlayer(card.store.c_str(), folder, 4), VOK_TOO_LONG);
    std::vector<std::string> listed;
    auto visit = [](const char* name, void* context) { static_cast<std::vector<std::string>*>(context)->push_back(name); };
    ASSERT_EQ(VokListPlayers(card.store.c_str(), visit, &listed), VOK_OK);
    EXPECT_EQ(listed, DirectoryOrder(card.store, [](const std::string& n) { return n == "vok_ann" || n == "vok_bob"; }));
}

// The example game's unlock shows in vok: the points (as a cache holding them), the grid's cell.
TEST(Kit, ExampleGameUnlockShowsInVok)
{
    if (HandheldBuild) GTEST_SKIP() << "the handheld build ends without a joystick";
    TempDir dir, reference;
    for (const TempDir* card : {&dir, &reference}) {
        WritePlayer(card->store(), PlayerSetup{"vok_kim", "Kim"});
        SelectAtStart(card->store(), "vok_kim");
    }
    const std::string store = dir.store(), player = store + "vok_kim/";
    const VokRun example = RunProgram(BuildDir() + "/tools/example_game", {store, "2"}, BuildDir());
    ASSERT_EQ(example.status, 0) << example.err;
    EXPECT_EQ(example.out, "unlocked achievement 2 of Tiny Quest for vok_kim\n");
    EXPECT_EQ(ReadFile(player + "tinyquest/vok.summary"), Int32s({1, 3, 20, 80, 5}));
    ASSERT_TRUE(FileExists(player + "update"));

    const std::string script = "1 screenshot " + (dir / "home.bmp") + "\n2 button b\n4 screenshot " + (dir / "game.bmp") + "\n";
    ASSERT_EQ(RunOnCard(store, script, 6).status, 0);
    EXPECT_EQ(ReadFile(player + "vok.erience"), Totals(1, 3, 20, 80));
    EXPECT_FALSE(FileExists(player + "update"));
    EXPECT_EQ(ReadFile(player + "vok.ranking"), "fav1=tinyquest\r\n");

    auto referenceHome = [&](const std::string& totals, const std::string& shot) { // a card caching `totals`
        WriteFile(reference.store() + "vok_kim/vok.erience", totals);
        RgbImage image;
        EXPECT_TRUE(RunOnCard(reference.store(), "1 screenshot " + (reference / shot) + "\n", 2).status == 0 &&
                    ReadBmp(reference / shot, &image));
        return image.pixels;
    };
    RgbImage home, game, unlocked, locked;
    ASSERT_TRUE(ReadBmp(dir / "home.bmp", &home) && ReadBmp(dir / "game.bmp", &game) &&
                ReadBmp(BuildDir() + "/media/experiencew.bmp", &unlocked) && ReadBmp(BuildDir() + "/media/experience.bmp", &locked));
    EXPECT_TRUE(home.pixels == referenceHome(Totals(1, 3, 20, 80), "home.bmp"));
    EXPECT_FALSE(home.pixels == referenceHome(Totals(0, 3, 0, 80), "zero.bmp")); // the points are what differs
    int wrong = 0, compared = 0; // cell 2 (unlocked, no icon) and cell 3 (locked) from x 60 and 85, y 35
    for (const auto& [image, left] : {std::pair<const RgbImage*, int>{&unlocked, 60}, {&locked, 85}})
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const uint32_t want = image->at(x, y);
                if (want == Magenta) continue;
                ++compared;
                wrong += !Near(game.at(left + x, 35 + y), want >> 16, want >> 8 & 0xFF, want & 0xFF);
            }
    EXPECT_GT(compared, 100);
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(unlocked.pixels == locked.pixels);
}

// Games build on the kit as they take it: a C++98 game links the installed library through
// pkg-config, a C89 game compiles the installed one-file kit beside its own source; both record
// an unlock on the card. (Only where the build machine runs what it compiles, without sanitizers,
// whose runtime an outside program would lack.)
TEST(Kit, GamesBuildOnTheInstalledKit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the installed library carries the sanitizers' calls";
#endif
    if (!Emulator().empty() || HandheldBuild) GTEST_SKIP() << "the build machine's compiler makes programs for itself";
    TestCard card;
    card.Player("vok_kim");
    const std::string prefix = card.dir / "prefix";
    ASSERT_EQ(RunProgram(VOK_CMAKE_COMMAND, {"--install", BuildDir(), "--prefix", prefix}, BuildDir()).status, 0);
    const std::string game = "#include <vok_kit.h>\n"
                             "int main(int argc, char **argv)\n{\n"
                             "    VokGame *game = 0;\n"
                             "    int result = argc == 3 ? VokOpenGame(argv[1], \"vok_kim\", argv[2], &game) : VOK_BAD_ARGUMENT;\n"
                             "    if (result == VOK_OK) result = VokSetTitle(game, \"Linked\", \"Tests\");\n"
                             "    if (result == VOK_OK) result = VokDescribe(game, 1, 5, 0);\n"
                             "    if (result == VOK_OK) result = VokSetText(game, 1, VOK_LANGUAGE_FRENCH, \"Un\", \"Le premier.\");\n"
                             "    if (result == VOK_OK) result = VokUnlock(game, 1);\n"
                             "    if (result == VOK_OK) result = VokCommit(game);\n"
                             "    VokCloseGame(game);\n"
                             "    return result;\n}\n";
    WriteFile(card.dir / "game.cpp", game);
    WriteFile(card.dir / "game.c", game);
    const std::string pkgConfig = "PKG_CONFIG_PATH=" + prefix + "/lib/pkgconfig pkg-config --cflags --libs vok_kit";
    const std::string builds[][2] = {
        {"c++ -std=c++98 -pedantic-errors -Wall -Wextra -Werror game.cpp $(" + pkgConfig + ") -o cxxgame", "cxxgame"},
        {"cc -std=c89 -pedantic-errors -Wall -Wextra -Werror -I " + prefix + "/share/vok_kit game.c " + prefix +
             "/share/vok_kit/vok_kit.c -o cgame", "cgame"}};
    for (const auto& [command, program] : builds) {
        const VokRun built = RunProgram("/bin/sh", {"-c", command}, card.dir.path());
        ASSERT_EQ(built.status, 0) << command << "\n" << built.err;
        EXPECT_EQ(RunProgram(card.dir / program, {card.store, program}, card.dir.path()).status, VOK_OK) << program;
        EXPECT_EQ(ReadFile(card.store + "vok_kim/" + program + "/vok.dat"), Int32s({1, 5, 0, 1})) << program;
        EXPECT_EQ(ReadFile(card.store + "vok_kim/" + program + "/vok.lang"), "Fran\xe7" "ais") << program;
    }
}

namespace {

struct ProgressCard : KitCard { // "racer" with 7 and 3 described and committed, both locked
    ProgressCard()
    {
        Describe();
        EXPECT_EQ(VokRelock(kit, 3), VOK_OK);
        EXPECT_EQ(VokCommit(kit), VOK_OK) << VokErrorMessage();
    }
    VokGame* Open() const
    {
        VokGame* other = nullptr;
        EXPECT_EQ(VokOpenGame(store.c_str(), "vok_kim", "racer", &other), VOK_OK) << VokErrorMessage();
        return other;
    }
};

std::vector<unsigned long> ProgressOfKit(VokGame* kit, int id) // current, target, unlock time, unlocked
{
    int current = -1, target = -1;
    unsigned long at = 1;
    VokAchievement a = {};
    EXPECT_EQ(VokGetProgress(kit, id, &current, &target), VOK_OK);
    EXPECT_EQ(VokGetUnlockTime(kit, id, &at), VOK_OK);
    EXPECT_EQ(VokGetAchievement(kit, id, &a), VOK_OK);
    return {static_cast<unsigned long>(current), static_cast<unsigned long>(target), at, static_cast<unsigned long>(a.unlocked)};
}

} // namespace

// vok.progress byte for byte, in vok.dat's order, read back by the reopened game and by vok;
// progress never unlocks; a game with neither progress nor times gets no file; bad progress is
// refused with a sentence; VokUnlock takes the clock's time; a relock clears it all.
TEST(Kit, ProgressAndUnlockTimes)
{
    ProgressCard card;
    EXPECT_FALSE(FileExists(card.game + "vok.progress")) << "nothing to record yet";
    ASSERT_EQ(VokSetProgress(card.kit, 3, 37, 100), VOK_OK);
    ASSERT_EQ(VokUnlockAt(card.kit, 7, 1714564800UL), VOK_OK);
    ASSERT_EQ(VokCommit(card.kit), VOK_OK) << VokErrorMessage();
    EXPECT_EQ(ReadFile(card.game + "vok.progress"), Int32s({7, 0, 0, 1714564800, 3, 37, 100, 0}));
    EXPECT_EQ(ReadFile(card.game + "vok.dat"), Int32s({7, 10, 0, 1, 3, 25, 1, 0})) << "progress does not unlock";

    ScanProfiles();
    ListGames();
    LoadGameInfo(&Achievements);
    EXPECT_EQ(ProgressOf(3).current, 37);
    EXPECT_EQ(ProgressOf(7).unlockedAt, 1714564800UL);

    VokGame* reopened = card.Open();
    EXPECT_EQ(ProgressOfKit(reopened, 3), std::vector<unsigned long>({37, 100, 0, 0}));
    EXPECT_EQ(ProgressOfKit(reopened, 7), std::vector<unsigned long>({0, 0, 1714564800UL, 1}));
    VokCloseGame(reopened);

    EXPECT_EQ(VokRelock(card.kit, 51), VOK_BAD_ID);
    EXPECT_EQ(VokGetProgress(card.kit, 8, nullptr, nullptr), VOK_BAD_ID);
    EXPECT_EQ(VokUnlockAt(card.kit, 8, 1), VOK_BAD_ID);
    EXPECT_EQ(VokSetProgress(card.kit, 3, 0, -10), VOK_BAD_ARGUMENT);
    EXPECT_EQ(VokSetProgress(card.kit, 3, 11, 10), VOK_BAD_ARGUMENT);
    EXPECT_STREQ(VokErrorMessage(), "progress above its target for achievement 3 (current is at most target)");
    EXPECT_EQ(VokSetProgress(card.kit, 3, -1, 10), VOK_BAD_ARGUMENT);
    EXPECT_STREQ(VokErrorMessage(), "negative progress for achievement 3 (current and target are 0 or more)");
    EXPECT_EQ(VokSetProgress(card.kit, 9, 1, 2), VOK_BAD_ID);
    EXPECT_STREQ(VokErrorMessage(), "achievement 9 is not described (VokDescribe it first)");
    EXPECT_EQ(ProgressOfKit(card.kit, 3), std::vector<unsigned long>({37, 100, 0, 0})) << "a refused call changes nothing";

    const unsigned long before = static_cast<unsigned long>(std::time(nullptr));
    int newly = 0;
    ASSERT_EQ(VokUnlockOnce(card.kit, 3, &newly), VOK_OK);
    const unsigned long at = ProgressOfKit(card.kit, 3)[2];
    EXPECT_TRUE(newly && at >= before && at <= static_cast<unsigned long>(std::time(nullptr))) << at;
    ASSERT_EQ(VokUnlock(card.kit, 3), VOK_OK);
    EXPECT_EQ(ProgressOfKit(card.kit, 3)[2], at) << "unlocking again keeps the first time";
    ASSERT_EQ(VokRelock(card.kit, 7), VOK_OK);
    ASSERT_EQ(VokRelock(card.kit, 3), VOK_OK);
    EXPECT_EQ(ProgressOfKit(card.kit, 3), std::vector<unsigned long>({0, 0, 0, 0}));
    ASSERT_EQ(VokCommit(card.kit), VOK_OK);
    EXPECT_EQ(ReadFile(card.game + "vok.progress"), "") << "emptied, as it once held records";
    EXPECT_EQ(ReadFile(card.game + "vok.dat"), Int32s({7, 10, 0, 0, 3, 25, 1, 0}));
}

// Two handles on one game, each committing: the earlier known unlock time wins whatever the
// order, the progress committed last wins, an untouched achievement keeps the other's state,
// and a relock locks even though unlocks otherwise merge by OR.
TEST(Kit, ProgressMergesUnderTwoWriters)
{
    ProgressCard card;
    VokGame* first = card.Open();
    VokGame* second = card.Open();
    ASSERT_EQ(VokUnlockAt(first, 7, 1800000000UL), VOK_OK);
    ASSERT_EQ(VokSetProgress(first, 3, 5, 10), VOK_OK);
    ASSERT_EQ(VokUnlockAt(second, 7, 1700000000UL), VOK_OK);
    ASSERT_EQ(VokCommit(second), VOK_OK);
    ASSERT_EQ(VokCommit(first), VOK_OK);
    EXPECT_EQ(ReadFile(card.game + "vok.progress"), Int32s({7, 0, 0, 1700000000, 3, 5, 10, 0}));
    EXPECT_EQ(ProgressOfKit(first, 7), std::vector<unsigned long>({0, 0, 1700000000UL, 1})) << "the handle took the merge";

    ASSERT_EQ(VokSetProgress(second, 3, 8, 10), VOK_OK); // second still holds 0 / 0 from before
    ASSERT_EQ(VokCommit(second), VOK_OK);
    EXPECT_EQ(ReadFile(card.game + "vok.progress"), Int32s({7, 0, 0, 1700000000, 3, 8, 10, 0}));

    ASSERT_EQ(VokRelock(second, 7), VOK_OK);
    ASSERT_EQ(VokSetFavouriteScore(first, 99), VOK_OK); // first knows 7 unlocked but did not change it
    ASSERT_EQ(VokCommit(second), VOK_OK);
    ASSERT_EQ(VokCommit(first), VOK_OK);
    EXPECT_EQ(ReadFile(card.game + "vok.progress"), Int32s({3, 8, 10, 0}));
    EXPECT_EQ(ReadFile(card.game + "vok.dat"), Int32s({7, 10, 0, 0, 3, 25, 1, 0}));
    EXPECT_EQ(ProgressOfKit(first, 7), std::vector<unsigned long>({0, 0, 0, 0}));
    VokCloseGame(first);
    VokCloseGame(second);
}
