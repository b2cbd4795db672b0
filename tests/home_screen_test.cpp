// The home screen: the star rating, presses and the state they leave, the ways into the editor
// and the games, the card drawing. Whole runs: e2e_test and program_test.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "profile/profile_file.h"
#include "screens/home_screen.h"
#include "screens/profile_editor.h"
#include "store/profiles.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"

// Percentage of the possible points in 20 % steps, in 64 bits: earned x 100 passes 32 bits.
TEST(StarCount, FollowsThePercentageOfPossiblePoints)
{
    const int cases[][3] = { // nothing possible, steps of 20 %, more than possible, negative, past 32 bits
        {5, 0, 0}, {0, 100, 0}, {1, 100, 1}, {19, 100, 1}, {20, 100, 2}, {79, 100, 4}, {80, 100, 5},
        {250, 100, 5}, {-5, 100, 0}, {30000000, 60000000, 3}, {2147483647, 2147483647, 5}, {2147483647, 1, 5},
    };
    for (const auto& c : cases) EXPECT_EQ(StarCount(c[0], c[1]), c[2]) << c[0] << " of " << c[1];
}

class HomeScreenInProcess : public ::testing::Test {
protected:
    void SetUp() override { StartScreens(); }
    void TearDown() override { ReleaseCard(); }
    TempDir card;
};

static std::vector<std::string> EditedParts(const ProfileRecord& e = EditedProfile)
{
    return {e.folder, e.lang, e.name, e.base, e.eyes, e.browns, e.nose, e.ears, e.mouth, e.facial, e.hair, e.tatoo, e.clothes};
}
const std::vector<std::string> FreshParts = {"", "", "", "01", "", "", "", "", "", "", "", "", ""};

// Left and right wrap over three players, taking each one's language; a player marked for an
// update is recounted on the switch; B stays without games; menu keys wrap, others rest; the menu
// key closes the confirmation; a notice takes one press, notice 3 ends the program. X copies the
// player into the editor part by part, row reset; Y starts a fresh player without a notice.
TEST_F(HomeScreenInProcess, PressesAndTheStateTheyLeave)
{
    for (int i = 0; i < 3; ++i)
        WritePlayer(card.store(), {"vok_p" + std::to_string(i), "P", LanguageTable.LanguageName(i),
                                   "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    ResetScreens(card.store());
    ASSERT_EQ(Profiles.size(), 3u);
    SelectedProfile = 0;
    const std::string marked = card / Profiles[1]->folder;
    GameSetup racer = CountedGame("racer", 0, 0);
    racer.summary = {3, 5, 30, 50, 7};
    WriteGame(card.store(), Profiles[1]->folder, racer);
    MarkUpdate(marked);
    // A notice raised before the press; after it no notice and the home screen.
    const struct { int notice, button, selected, popup, cursor, quit; } steps[] = {
        {0, ButtonLeft, 2, 0, 0, 0}, {0, ButtonRight, 0, 0, 0, 0}, {0, ButtonB, 0, 0, 0, 0},
        {0, ButtonRight, 1, 0, 0, 0},
        // the menu wraps and takes the other keys; the confirmation, closed by the menu key
        {0, ButtonMenu, 1, 1, 0, 0}, {0, ButtonUp, 1, 1, 2, 0}, {0, ButtonDown, 1, 1, 0, 0},
        {0, ButtonLeft, 1, 1, 0, 0}, {0, ButtonDown, 1, 1, 1, 0}, {0, ButtonB, 1, 2, 1, 0},
        {0, ButtonUp, 1, 2, 0, 0}, {0, ButtonMenu, 1, 0, 0, 0},
        {1, ButtonMenu, 1, 0, 0, 0}, {0, ButtonRight, 2, 0, 0, 0}, {3, ButtonLeft, 2, 0, 0, 1},
    };
    for (const auto& s : steps) {
        if (s.notice) NoticeId = s.notice;
        PushButton(s.button);
        HomeScreen();
        EXPECT_EQ(Ints({SelectedProfile, PopupId, PopupCursor, NoticeId, QuitRequested, ScreenMode}),
                  Ints({s.selected, s.popup, s.cursor, 0, s.quit, ScreenHome})) << "step " << &s - steps;
        EXPECT_EQ(LanguageTable.LanguageName(LanguageTable.currentLanguage), Profiles[SelectedProfile]->lang);
    }
    EXPECT_FALSE(FileExists(marked + "/update"));
    EXPECT_EQ(ReadFile(marked + "/vok.erience"), std::string("\3\0\0\0\5\0\0\0\36\0\0\0\62\0\0\0", 16));
    EditorRow = 5;
    PushButton(ButtonX);
    HomeScreen();
    EXPECT_EQ(Ints({ScreenMode, EditorRow}), Ints({ScreenEditor, 0}));
    EXPECT_EQ(EditedParts(), (std::vector<std::string>{Profiles[2]->folder, Profiles[2]->lang, "P", "2", "3", "4",
                                                       "5", "6", "7", "8", "9", "10", "11"}));
    PushButton(ButtonY);
    HomeScreen();
    EXPECT_TRUE(EditedParts() == FreshParts && NoticeId == NoticeNone);
}

// An empty card: notice 1 takes the first press alone; left and right give -1 and 0; X and B
// stay; the snapshot item counts down and saves nothing; Y starts a fresh player with notice 2
// on the name row, whatever row was used before.
TEST_F(HomeScreenInProcess, AnEmptyCard)
{
    ResetScreens(card.store());
    SelectedProfile = 0;
    EditorRow = 7;
    NoticeId = NoticeNoProfile; // as the first scan of an empty card raises it
    const int none = -1;        // a frame without a press
    const struct { int button, selected, mode, notice, popup; } steps[] = {
        {ButtonLeft, 0, 1, 0, 0}, {ButtonLeft, -1, 1, 0, 0}, {ButtonX, -1, 1, 0, 0}, {ButtonB, -1, 1, 0, 0},
        {ButtonRight, 0, 1, 0, 0}, {ButtonMenu, 0, 1, 0, 1},
        // the snapshot item counting down, then Y after the notice starts a fresh player
        {ButtonB, 0, 1, 4, 0}, {none, 0, 1, 4, 0}, {none, 0, 1, 4, 0}, {none, 0, 1, 4, 0},
        {ButtonY, 0, 1, 0, 0}, {ButtonY, 0, 2, 2, 0},
    };
    for (const auto& s : steps) {
        if (s.button != none) PushButton(s.button);
        HomeScreen();
        EXPECT_EQ(Ints({SelectedProfile, ScreenMode, NoticeId, PopupId}), Ints({s.selected, s.mode, s.notice, s.popup}))
            << "step " << &s - steps;
    }
    for (const std::string& name : ListFolder(card.store())) EXPECT_EQ(name.find(".bmp"), std::string::npos) << name;
    EXPECT_TRUE(EditedParts() == FreshParts && EditorRow == 0);
}

// Stars from (180, 28) every 22 pixels, icon rows where an empty slot keeps its place, and hints
// by the number of players, drawn with solid stand-ins for the media.
TEST_F(HomeScreenInProcess, CardStarsIconsAndHints)
{
    SDL_Surface** stand_ins[] = {&StarSurface, &ButtonPadSurface, &ButtonXSurface, &ButtonYSurface,
                                 &CompletedIcons[0], &CompletedIcons[2], &FavouriteIcons[4]};
    const uint32_t colours[] = {0xFFFF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00, 0xFF0000};
    for (int players = 0; players < 3; ++players) {
        SCOPED_TRACE(std::to_string(players) + " players");
        if (players) WritePlayer(card.store(), {"vok_p" + std::to_string(players), "P"});
        ResetScreens(card.store()); // the scan empties the icon rows
        for (int i = 0; i < 7; ++i) {
            FreeSurface(stand_ins[i]);
            *stand_ins[i] = SolidSurface(12, 12, colours[i]);
        }
        for (ProfileRecord* p : Profiles) {
            p->pointsEarned = 50;
            p->pointsPossible = 100;
        }
        HomeScreen();
        EXPECT_EQ(Shows(26, 222, 0x0000FF), players > 1) << "pad hint";
        EXPECT_EQ(Shows(112, 222, 0x0000FF), players > 0) << "X hint";
        EXPECT_TRUE(Shows(222, 222, 0x0000FF)) << "Y hint";
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Shows(185 + 22 * i, 33, 0xFFFF00), players > 0 && i < 3) << "star " << i;
        EXPECT_FALSE(Shows(183, 99, 0x00FF00)); // completed slot 2 shown, slot 1 empty in its place
        EXPECT_EQ(Shows(207, 99, 0x00FF00), players > 0);
        EXPECT_EQ(Shows(255, 147, 0xFF0000), players > 0); // favourite slot 4
    }
    for (SDL_Surface** s : stand_ins) FreeSurface(s);
}

// A 1000-byte name stays left of the stars and an icon larger than its slot inside the slot:
// the screen outside the name's room and the slot is as with no name and no icon.
TEST_F(HomeScreenInProcess, LongNamesAndBigIconsStayInTheirPlace)
{
    WritePlayer(card.store(), {"vok_long", std::string(1000, 'W')});
    ResetScreens(card.store());
    HomeScreen();
    SDL_Surface* full = SDL_ConvertSurface(ScreenSurface, ScreenSurface->format, SDL_SWSURFACE);
    Profiles[0]->name.clear();
    FreeSurface(&FavouriteIcons[0]);
    FavouriteIcons[0] = SolidSurface(200, 100, 0xFF0000);
    ClearScreen();
    HomeScreen();
    SDL_Surface* bare = SDL_ConvertSurface(ScreenSurface, ScreenSurface->format, SDL_SWSURFACE);
    FreeSurface(&FavouriteIcons[0]);
    ClearScreen();
    HomeScreen();
    int outside = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const bool nameRoom = x >= 24 && x < 178 && y >= 24 && y < 48;
            const bool slot = x >= 154 && x < 178 && y >= 142 && y < 166;
            const Uint16 now = static_cast<const Uint16*>(ScreenSurface->pixels)[y * ScreenSurface->pitch / 2 + x];
            if (!nameRoom && static_cast<const Uint16*>(full->pixels)[y * full->pitch / 2 + x] != now) ++outside;
            if (!slot && static_cast<const Uint16*>(bare->pixels)[y * bare->pitch / 2 + x] != now) ++outside;
        }
    EXPECT_EQ(outside, 0);
    SDL_FreeSurface(full);
    SDL_FreeSurface(bare);
}
