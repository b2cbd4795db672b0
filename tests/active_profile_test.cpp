#include "screens/menu_actions.h"
#include "store/active_profile.h"

#include <gtest/gtest.h>

#include "localization/language_table.h"
#include "tests/support/store_support.h"

// "activevok" names the selected folder; the next start selects it in its language, damage aside.
TEST(ActiveProfile, RemembersThePlayerAcrossRuns)
{
    TestCard card;
    ScanProfiles(); // nothing to load, nothing to crash on
    SaveActiveProfile();
    LoadStore();
    EXPECT_FALSE(FileExists(card.store + "activevok"));
    card.Player("vok_anna", "lang=Deutsch\r\nname=Anna\r\n");
    card.Player("vok_bob", "lang=English\r\nname=Bob\r\n");
    const std::string junk(3000, '\x01');
    card.Player("vok_zed", junk);
    WriteFile(card.store + "vok_zed/vok.ranking", junk);
    ScanProfiles();
    SelectedProfile = IndexOf("vok_anna");
    SaveActiveProfile();
    EXPECT_EQ(ReadFile(card.store + "activevok"), "vok_anna");
    EXPECT_EQ(ListFolder(card.store).size(), 4u); // and nothing else
    const int deutsch = LanguageTable.FindLanguage("Deutsch"), english = LanguageTable.FindLanguage("English");
    const struct { const char* file; const char* selected; int language; } cases[] = {
        {"vok_anna\nvok_bob", "vok_anna", deutsch}, {"vok_zed", "vok_zed", english}, {"vok_anna\r", nullptr, english}};
    for (const auto& c : cases) {
        WriteFile(card.store + "activevok", c.file);
        LanguageTable.SetLanguage("English");
        ScanProfiles();
        const int last = SelectedProfile;
        LoadStore();
        EXPECT_EQ(SelectedProfile, c.selected ? IndexOf(c.selected) : last) << c.file;
        EXPECT_EQ(LanguageTable.currentLanguage, c.language) << c.file;
    }
    LanguageTable.SetLanguage("English");
    EXPECT_EQ(ReadFile(card.store + "vok_zed/vok.cfg"), junk);
}

// An "update" marker makes the start rebuild totals and ranking and goes; else the cache is read.
TEST(ActiveProfile, UpdateMarkerRecomputesAtStart)
{
    TestCard card;
    card.Player("vok_anna");
    card.Game("vok_anna", "A", {3, 5, 30, 50, 7});
    WriteFile(card.store + "vok_anna/vok.erience", Totals(1, 1, 1, 1));
    for (const bool marked : {false, true}) {
        if (marked) MarkUpdate(card.store + "vok_anna");
        ScanProfiles();
        LoadStore();
        ASSERT_EQ(Profiles.size(), 1u);
        EXPECT_TRUE(Profiles[0]->pointsEarned == (marked ? 30 : 1) && !HasUpdateMarker()) << marked;
        EXPECT_EQ(FavouriteList.size(), marked ? 1u : 0u); // read back from the new file
    }
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.erience"), Totals(3, 5, 30, 50));
    EXPECT_EQ(ReadFile(card.store + "vok_anna/vok.ranking"), "fav1=A\r\n");
}

// Removing players (the last listed selected, the no-player notice once), then MenuAction's table.
TEST(ActiveProfile, RemovingPlayersAndMenuTable)
{
    TestCard card;
    for (const char* name : {"vok_anna", "vok_bob", "vok_cleo"}) card.Player(name);
    ScanProfiles();
    SelectedProfile = 0;
    PopupId = PopupRemoveProfile;
    FavouriteIcons[0] = SDL_CreateRGBSurface(SDL_SWSURFACE, 24, 24, 16, 0, 0, 0, 0);
    CompletedIcons[4] = SDL_CreateRGBSurface(SDL_SWSURFACE, 24, 24, 16, 0, 0, 0, 0);
    MenuAction();
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_TRUE(SelectedProfile == 1 && !FavouriteIcons[0] && !CompletedIcons[4] && NoticeId == NoticeNone);
    RemoveProfile();
    RemoveProfile();
    EXPECT_TRUE(Profiles.empty() && NoticeId == NoticeNoProfile);
    NoticeId = NoticeNone;
    card.Player("vok_dora");
    ScanProfiles();
    RemoveProfile();
    EXPECT_TRUE(NoticeId == NoticeNone && ListFolder(card.store).empty());
    const int unknownPopup = PopupRemoveGame + 1;
    const struct { int popup, cursor, popupAfter, notice, countdown; } rows[] = {
        {PopupHomeMenu, 0, PopupNone, NoticeNone, 4}, {PopupHomeMenu, 1, PopupRemoveProfile, NoticeNone, 0},
        {PopupHomeMenu, 2, PopupNone, NoticeGoodbye, 0}, {PopupGameMenu, 0, PopupNone, NoticeNone, 4},
        {PopupGameMenu, 1, PopupRemoveGame, NoticeNone, 0}, {PopupGameMenu, 2, PopupNone, NoticeGoodbye, 0},
        {PopupRemoveProfile, 1, PopupNone, NoticeNone, 0}, {PopupRemoveGame, 0, PopupNone, NoticeNone, 0},
        {PopupRemoveGame, 2, PopupRemoveGame, NoticeNone, 0}, {PopupGameMenu, -1, PopupGameMenu, NoticeNone, 0},
        {unknownPopup, 0, unknownPopup, NoticeNone, 0}};
    for (const auto& row : rows) {
        PopupId = row.popup;
        PopupCursor = row.cursor;
        NoticeId = SnapshotCountdown = 0;
        ScreenMode = ScreenGame;
        MenuAction();
        EXPECT_EQ(std::vector<int>({PopupId, NoticeId, SnapshotCountdown, PopupCursor, ScreenMode}),
                  std::vector<int>({row.popupAfter, row.notice, row.countdown, row.cursor, ScreenGame}))
            << row.popup << "," << row.cursor;
    }
}

// A start reads each player's totals once, in the scan: loading the store reads them no more.
TEST(ActiveProfile, LoadStoreKeepsTheTotalsTheScanRead)
{
    TestCard card;
    card.Player("vok_anna");
    WriteFile(card.store + "vok_anna/vok.erience", Totals(1, 2, 10, 20));
    WriteFile(card.store + "activevok", "vok_anna");
    ScanProfiles();
    WriteFile(card.store + "vok_anna/vok.erience", Totals(3, 4, 30, 40)); // a second read would see this
    LoadStore();
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0]->pointsEarned, 10);
    EXPECT_EQ(Profiles[0]->unlockedCount, 1);
}
