// The home screen: the star rating, the presses and the state they lead to, the ways into
// the editor and the games, the card drawing, and whole runs of vok.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/state.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "profile/profile_editor.h"
#include "profile/profile_file.h"
#include "screens/home_screen.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"

namespace {

// Percentage of the possible points in 20 % steps, in 64 bits: earned x 100 passes 32 bits.
TEST(StarCount, FollowsThePercentageOfPossiblePoints)
{
    const int cases[][3] = {{0, 0, 0}, {5, 0, 0}, {0, 100, 0}, {1, 100, 1}, {19, 100, 1}, {20, 100, 2},
        {79, 100, 4}, {80, 100, 5}, {100, 100, 5}, {250, 100, 5}, {-5, 100, 0}, {30000000, 30000000, 5},
        {30000000, 60000000, 3}, {2147483647, 2147483647, 5}, {2147483647, 1, 5}};
    for (const auto& c : cases) EXPECT_EQ(StarCount(c[0], c[1]), c[2]) << c[0] << " of " << c[1];
}

class HomeScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override { StartScreens(); }
    void TearDown() override { ReleaseCard(); }
    void Press(int button) { PushButton(button); HomeScreen(); }
    TempDir card;
};

std::vector<std::string> EditedParts()
{
    const ProfileRecord& e = EditedProfile;
    return {e.folder, e.lang, e.name, e.base, e.eyes, e.browns, e.nose, e.ears, e.mouth, e.facial, e.hair, e.tatoo, e.clothes};
}
const std::vector<std::string> FreshParts = {"", "", "", "01", "", "", "", "", "", "", "", "", ""};

// Each press and the state after it: left and right wrap over three players and take each
// one's language; menu keys wrap while the other keys rest; the menu key closes the
// confirmation without removing anything; a notice takes exactly one press, and notice 3
// ends the program with it. Then X copies the player into the editor (each part into its
// own place) and resets the row; Y starts a fresh player without a notice.
TEST_F(HomeScreenInProcess, PressesAndTheStateTheyLeave)
{
    ASSERT_GE(LanguageTable.LanguageCount(), 3u);
    for (int i = 0; i < 3; ++i)
        WritePlayer(card.store(), {"vok_p" + std::to_string(i), "P", LanguageTable.LanguageName(i), "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    ResetScreens(card.store());
    SelectedProfile = 0;
    struct Step { int notice, button, selected, popup, cursor, quit; };
    const Step steps[] = {{0, ButtonLeft, 2, 0, 0, 0}, {0, ButtonRight, 0, 0, 0, 0}, {0, ButtonRight, 1, 0, 0, 0},
        {0, ButtonMenu, 1, 1, 0, 0}, {0, ButtonUp, 1, 1, 2, 0}, {0, ButtonDown, 1, 1, 0, 0}, {0, ButtonLeft, 1, 1, 0, 0},
        {0, ButtonY, 1, 1, 0, 0}, {0, ButtonDown, 1, 1, 1, 0}, {0, ButtonB, 1, 2, 1, 0}, {0, ButtonUp, 1, 2, 0, 0},
        {0, ButtonMenu, 1, 0, 0, 0}, {1, ButtonMenu, 1, 0, 0, 0}, {0, ButtonRight, 2, 0, 0, 0}, {3, ButtonLeft, 2, 0, 0, 1}};
    for (const Step& s : steps) {
        if (s.notice) NoticeId = s.notice;
        Press(s.button);
        EXPECT_EQ(std::vector({SelectedProfile, PopupId, PopupCursor, NoticeId, QuitRequested, ScreenMode}),
                  std::vector({s.selected, s.popup, s.cursor, 0, s.quit, 1})) << "step " << &s - steps;
        EXPECT_EQ(LanguageTable.LanguageName(LanguageTable.currentLanguage), Profiles[SelectedProfile]->lang);
    }
    EXPECT_EQ(PlayerOrder(card.store()).size(), 3u);
    EditorRow = 5;
    Press(ButtonX);
    EXPECT_EQ(std::vector({ScreenMode, EditorRow}), std::vector({2, 0}));
    EXPECT_EQ(EditedParts(), std::vector<std::string>({Profiles[2]->folder, Profiles[2]->lang, "P", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
    Press(ButtonY);
    EXPECT_EQ(EditedParts(), FreshParts);
    EXPECT_EQ(NoticeId, 0);
}

// An empty card: notice 1 takes the first press alone; left and right give -1 and 0; X
// and B stay; the snapshot item counts down and saves nothing; Y starts a fresh player
// with notice 2 and leaves the editor's row.
TEST_F(HomeScreenInProcess, AnEmptyCard)
{
    ResetScreens(card.store());
    NoticeId = 1; // as the first scan of an empty card raises it
    SelectedProfile = 0;
    EditorRow = 7;
    const int none = -1; // a frame without a press
    struct Step { int button, selected, mode, notice, popup; };
    const Step steps[] = {{ButtonLeft, 0, 1, 0, 0}, {ButtonLeft, -1, 1, 0, 0}, {ButtonX, -1, 1, 0, 0}, {ButtonB, -1, 1, 0, 0},
        {ButtonRight, 0, 1, 0, 0}, {ButtonMenu, 0, 1, 0, 1}, {ButtonB, 0, 1, 4, 0}, {none, 0, 1, 4, 0}, {none, 0, 1, 4, 0},
        {none, 0, 1, 4, 0}, {ButtonY, 0, 1, 0, 0}, {ButtonY, 0, 2, 2, 0}};
    for (const Step& s : steps) {
        if (s.button != none) PushButton(s.button);
        HomeScreen();
        EXPECT_EQ(std::vector({SelectedProfile, ScreenMode, NoticeId, PopupId}), std::vector({s.selected, s.mode, s.notice, s.popup}))
            << "step " << &s - steps;
    }
    for (const std::string& name : ListFolder(card.store())) EXPECT_EQ(name.find(".bmp"), std::string::npos) << name;
    EXPECT_EQ(EditedParts(), FreshParts);
    EXPECT_EQ(EditorRow, 7);
}

// Stars from (180, 28) every 22 pixels, icon rows where an empty slot keeps its place, and
// hints by the number of players, drawn with solid stand-ins for the media.
TEST_F(HomeScreenInProcess, CardStarsIconsAndHints)
{
    SDL_Surface** stand_ins[] = {&StarSurface, &ButtonPadSurface, &ButtonXSurface, &ButtonYSurface, &CompletedIcons[0],
                                 &CompletedIcons[2], &FavouriteIcons[4]};
    const uint32_t colours[] = {0xFFFF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00, 0xFF0000};
    const auto shows = [](int x, int y, uint32_t c) { return Near(ScreenPixel(x, y), c >> 16, (c >> 8) & 255, c & 255); };
    for (int players = 0; players < 3; ++players) {
        if (players) WritePlayer(card.store(), {"vok_p" + std::to_string(players), "P"});
        ResetScreens(card.store()); // the scan empties the icon rows
        for (int i = 0; i < 7; ++i) FreeSurface(stand_ins[i]), *stand_ins[i] = SolidSurface(12, 12, colours[i]);
        for (ProfileRecord* p : Profiles) p->pointsEarned = 50, p->pointsPossible = 100;
        HomeScreen();
        EXPECT_EQ(shows(26, 222, 0x0000FF), players > 1) << "pad hint with " << players;
        EXPECT_EQ(shows(112, 222, 0x0000FF), players > 0) << "X hint with " << players;
        EXPECT_TRUE(shows(222, 222, 0x0000FF)) << "Y hint with " << players;
        for (int i = 0; i < 5; ++i) EXPECT_EQ(shows(185 + 22 * i, 33, 0xFFFF00), players > 0 && i < 3) << "star " << i;
        const bool icons[] = {shows(159, 99, 0x00FF00), shows(183, 99, 0x00FF00), shows(207, 99, 0x00FF00), shows(255, 147, 0xFF0000)};
        EXPECT_EQ(icons[0] + icons[1] * 2 + icons[2] * 4 + icons[3] * 8, players ? 13 : 0);
    }
    for (SDL_Surface** s : stand_ins) FreeSurface(s);
}

// ---- Whole runs of vok ----

// The game screen's frame colour left of the grid, where the home screen has its card.
bool ShowsGameScreen(const RgbImage& shot) { return Near(shot.at(32, 100), 255, 199, 140); }
bool ShowsNotice(const RgbImage& shot) { return Near(shot.at(160, 128), 0, 0, 255); }

// A script line saving frame `frame` as the file named by its number in `folder`.
std::string Shot(const TempDir& folder, int frame) { return std::to_string(frame) + " screenshot " + (folder / std::to_string(frame)) + "\n"; }

RgbImage Picture(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(ReadBmpPixels(path, &image)) << path;
    return image;
}

// One run through the home screen: B stays with a player without games; switching to a
// marked player recomputes its totals and ranking; menu item 0 saves the card two frames
// later, without hints, notice or menu; a press on that notice only clears it; B opens
// the games; the exit item and one more press remember the player and start the launcher.
TEST(HomeScreenRun, SwitchSnapshotGamesAndExit)
{
    TempDir card, shots;
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    WritePlayer(card.store(), {"vok_ben", "Ben"});
    MakeDir(card / "vok_anna/not_a_game");
    GameSetup racer = CountedGame("racer", 3, 3);
    racer.summary = {3, 5, 30, 50, 7};
    WriteGame(card.store(), "vok_ben", racer);
    WriteFile(card / "vok_ben/update", "");
    SelectAtStart(card.store(), "vok_anna");
    const std::string launcher = shots / "launcher.sh";
    WriteFile(launcher, "#!/bin/sh\nexit 7\n");
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    const std::string script = "1 button b\n2 button right\n3 button menu\n4 button b\n" + Shot(shots, 7) + "8 button b\n" +
        Shot(shots, 9) + "10 button b\n" + Shot(shots, 11) + "12 button y\n13 button menu\n14 button up\n15 button b\n" +
        Shot(shots, 16) + "17 button y\n";
    const VokRun run = RunOnCard(card.store(), script, 30, {"--launcher", launcher});
    EXPECT_EQ(run.status, 7) << "the launcher's status " << run.err;
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_ben");
    EXPECT_FALSE(FileExists(card / "vok_ben/update"));
    EXPECT_EQ(ReadFile(card / "vok_ben/vok.erience"), std::string("\3\0\0\0\5\0\0\0\36\0\0\0\62\0\0\0", 16));
    EXPECT_NE(ReadFile(card / "vok_ben/vok.ranking").find("racer"), std::string::npos);
    const RgbImage saved = Picture(card / "vok_ben.bmp"), notice = Picture(shots / "7"), home = Picture(shots / "9");
    const RgbImage games = Picture(shots / "11"), goodbye = Picture(shots / "16");
    EXPECT_EQ(ShowsNotice(notice) + ShowsNotice(home) * 2 + ShowsNotice(goodbye) * 4 + ShowsNotice(saved) * 8, 5);
    EXPECT_EQ(ShowsGameScreen(notice) + ShowsGameScreen(home) * 2 + ShowsGameScreen(games) * 4, 4);
    ASSERT_EQ(saved.pixels.size(), 320u * 240u);
    const auto rows = [&](int from, int to) { return std::equal(&saved.pixels[320 * from], &saved.pixels[320 * to], &home.pixels[320 * from]); };
    EXPECT_TRUE(rows(0, 100)) << "the card";
    EXPECT_FALSE(rows(220, 230)) << "the hints";
}

// Pictures of the demo card's home screens for a person to look at.
TEST(HomeScreenRun, PicturesOfTheDemoPlayers)
{
    TempDir card;
    RunProgram(BuildDir() + "/tools/make_demo_card", {card.path()}, BuildDir());
    const std::vector<std::string> players = PlayerOrder(card.store());
    ASSERT_FALSE(players.empty());
    const std::string folder = BuildDir() + "/pictures/home/";
    std::filesystem::create_directories(folder);
    SelectAtStart(card.store(), players[0]);
    std::string script;
    for (size_t i = 0; i < players.size(); ++i)
        script += std::to_string(2 * i + 1) + " screenshot " + folder + players[i] + ".bmp\n" + std::to_string(2 * i + 2) + " button right\n";
    EXPECT_EQ(RunOnCard(card.store(), script, int(2 * players.size())).status, 0);
    for (const std::string& player : players) EXPECT_TRUE(FileExists(folder + player + ".bmp"));
}

} // namespace
