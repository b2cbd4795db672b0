// Notices and snapshots: the six notice texts and when they show, the dismissal rule,
// and the snapshot countdown with its file.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "screens/notices.h"
#include "store/profiles.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

class Notices : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        LanguageTable.SetLanguage("English");
    }
    void TearDown() override { ReleaseCard(); }
    std::string Text(int id) const { return LanguageTable.GetText(id); }
    TempDir card;
};

// Texts 3 and 4 name the player and need one; 5 also needs a game; others always show.
TEST_F(Notices, TextsAndTheirConditions)
{
    ResetScreens(card.store());
    for (int id : {3, 4, 5}) EXPECT_EQ(NoticeText(id), "") << id;
    EXPECT_EQ(NoticeText(1), Text(TextNoticeNoProfile));
    EXPECT_EQ(NoticeText(2), Text(TextNoticeFirstProfile));
    EXPECT_EQ(NoticeText(6), Text(TextNoticeNoName));
    for (int id : {0, 7, -1, 1000}) EXPECT_EQ(NoticeText(id), "") << id;

    WritePlayer(card.store(), {"vok_anna", "Anna"});
    ResetScreens(card.store());
    EXPECT_EQ(NoticeText(3), "Anna " + Text(TextGoodbye));
    EXPECT_EQ(NoticeText(4), Text(TextSnapshotSaved) + " vok_anna.bmp " + Text(TextSnapshotWhere));
    EXPECT_EQ(NoticeText(5), "");
    GameFolders.push_back("racer");
    EXPECT_EQ(NoticeText(5), Text(TextSnapshotSaved) + " bmp " + Text(TextSnapshotWhere));
    EXPECT_FALSE(Text(TextSnapshotSaved).empty());
}

// A notice with text draws its blue box; one without draws nothing.
TEST_F(Notices, DrawOnlyWhatHasText)
{
    ResetScreens(card.store());
    NoticeId = 3;
    DrawNotice();
    EXPECT_FALSE(Near(ScreenPixel(160, 128), 0, 0, 255));
    NoticeId = 1;
    DrawNotice();
    EXPECT_TRUE(Near(ScreenPixel(160, 128), 0, 0, 255));
}

// A press while a notice shows is taken by it; notice 3 also ends the program.
TEST_F(Notices, DismissalRule)
{
    ResetScreens(card.store());
    EXPECT_FALSE(DismissNotice());
    NoticeId = 2;
    EXPECT_TRUE(DismissNotice());
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(QuitRequested, 0);
    NoticeId = 3;
    EXPECT_TRUE(DismissNotice());
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(QuitRequested, 1);
    QuitRequested = 0;
}

// From 4 the counter saves on the third counting step, raising the notice on every
// counting step; an existing file is replaced; nothing is saved without a player.
TEST_F(Notices, SnapshotCountsDownAndSavesAtOne)
{
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    ResetScreens(card.store());
    const std::string file = card / "vok_anna.bmp";
    WriteFile(file, "old bytes");
    SDL_FillRect(ScreenSurface, nullptr, SDL_MapRGB(ScreenSurface->format, 0, 255, 0));
    SnapshotCountdown = 4;
    for (int step = 1; step <= 2; ++step) {
        SnapshotStep("vok_anna.bmp", 4);
        EXPECT_EQ(SnapshotCountdown, 4 - step);
        EXPECT_EQ(NoticeId, 4);
        EXPECT_EQ(ReadFile(file), "old bytes");
        NoticeId = 0; // dismissed in between: the next counting step raises it again
    }
    SnapshotStep("vok_anna.bmp", 4);
    EXPECT_EQ(SnapshotCountdown, 1);
    EXPECT_EQ(NoticeId, 4);
    uint32_t rgb = 0;
    ASSERT_TRUE(BmpPixel(file, 10, 10, &rgb));
    EXPECT_TRUE(Near(rgb, 0, 255, 0));
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(file, &w, &h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);

    NoticeId = 0;
    WriteFile(file, "old bytes");
    SnapshotStep("vok_anna.bmp", 4);
    EXPECT_EQ(SnapshotCountdown, 0);
    EXPECT_EQ(NoticeId, 4) << "the step to 0 still counts";
    EXPECT_EQ(ReadFile(file), "old bytes") << "saved once only";
    NoticeId = 0;
    SnapshotStep("vok_anna.bmp", 4);
    EXPECT_EQ(NoticeId, 0) << "idle";

    // An unwritable place is not reported; the notice shows all the same.
    SnapshotCountdown = 2;
    SnapshotStep("missing/folder.bmp", 5);
    EXPECT_EQ(NoticeId, 5);
    EXPECT_FALSE(FileExists(card / "missing"));

    TempDir empty;
    ResetScreens(empty.store());
    SnapshotCountdown = 2;
    SnapshotStep("vok_anna.bmp", 4);
    EXPECT_EQ(NoticeId, 4);
    EXPECT_FALSE(FileExists(empty / "vok_anna.bmp"));
}

} // namespace
