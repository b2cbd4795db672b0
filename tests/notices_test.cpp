// Notices and snapshots: the six notice texts and when they show, and the snapshot
// countdown with its file. The dismissal rule is tested through the screens' presses.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "screens/notices.h"
#include "store/profiles.h"
#include "tests/support/screens_support.h"

static std::string T(int id) { return LanguageTable.GetText(id); }
static std::string Shown(int id)
{
    std::string text;
    return NoticeText(id, &text) ? text : "(nothing)";
}
static bool DrawsBox(int id)
{
    ClearScreen();
    NoticeId = id;
    DrawNotice();
    return Near(ScreenPixel(160, 128), 0, 0, 255);
}

// Notices 3 and 4 need a player and 5 also a game, or they show nothing, not even an empty
// box; unknown ids show nothing.
TEST(Notices, TextsAndWhenTheyShow)
{
    TempDir card;
    StartScreens();
    LanguageTable.SetLanguage("English");
    ResetScreens(card.store());
    for (int id : {0, 3, 4, 5, 7, -1})
        EXPECT_EQ(Shown(id), "(nothing)") << id;
    EXPECT_EQ(Shown(1), T(TextNoticeNoProfile));
    EXPECT_EQ(Shown(2), T(TextNoticeFirstProfile));
    EXPECT_EQ(Shown(6), T(TextNoticeNoName));
    EXPECT_FALSE(DrawsBox(3));
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    ResetScreens(card.store());
    EXPECT_EQ(Shown(3), "Anna " + T(TextGoodbye));
    EXPECT_EQ(Shown(4), T(TextSnapshotSaved) + " vok_anna.bmp " + T(TextSnapshotWhere));
    EXPECT_EQ(Shown(5), "(nothing)");
    GameFolders.push_back("racer");
    EXPECT_EQ(Shown(5), T(TextSnapshotSaved) + " bmp " + T(TextSnapshotWhere));
    EXPECT_TRUE(DrawsBox(5));
    ReleaseCard();
}

// From 4 the counter saves at 1, on its third step, and every step raises the notice again;
// the file is replaced once, with the screen; an unwritable place is not reported.
TEST(Notices, SnapshotCountsDownAndSavesAtOne)
{
    TempDir card;
    StartScreens();
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    ResetScreens(card.store());
    const std::string file = card / "vok_anna.bmp";
    SDL_FillRect(ScreenSurface, nullptr, SDL_MapRGB(ScreenSurface->format, 0, 255, 0));
    SnapshotCountdown = 4;
    struct Step { int left, notice; bool saved; };
    const Step steps[] = {{3, 4, false}, {2, 4, false}, {1, 4, true}, {0, 4, false}, {0, 0, false}};
    for (const Step& step : steps) {
        WriteFile(file, "old");
        NoticeId = 0;
        SnapshotStep("vok_anna.bmp", 4);
        EXPECT_EQ(SnapshotCountdown, step.left);
        EXPECT_EQ(NoticeId, step.notice) << step.left;
        EXPECT_EQ(ReadFile(file) != "old", step.saved) << step.left;
        uint32_t rgb = 0;
        if (step.saved)
            EXPECT_TRUE(BmpPixel(file, 319, 239, &rgb) && Near(rgb, 0, 255, 0)) << "the whole screen";
    }
    SnapshotCountdown = 2;
    SnapshotStep("missing/folder.bmp", 5);
    EXPECT_EQ(NoticeId, 5);
    ReleaseCard();
}
