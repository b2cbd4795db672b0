// Notices: their texts, when they show, the snapshot countdown (dismissal: the screens' tests).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "frame/state.h"
#include "screens/notices.h"
#include "store/profiles.h"
#include "tests/support/screens_support.h"

static std::string T(int id) { return LanguageTable.GetText(id); }
static std::string Shown(int id)
{
    std::string text;
    return NoticeText(id, &text) ? text : "(nothing)";
}

// Anna's card in process; the program's state released after the test.
struct Notices : ::testing::Test {
    void SetUp() override
    {
        StartScreens();
        WritePlayer(card.store(), {"vok_anna", "Anna"});
    }
    void TearDown() override { ReleaseCard(); }
    TempDir card;
};

// Notices 3 and 4 need a player and 5 also a game, or they show nothing, not even an empty box;
// unknown ids show nothing. From 4 the snapshot counter saves at 1, on its third step, every step
// raising the notice again; the file is replaced once; an unwritable place raises NoticeNotSaved.
TEST_F(Notices, TextsWhenTheyShowAndTheSnapshotCountdown)
{
    TempDir empty;
    ResetScreens(empty.store());
    for (int id : {0, 3, 4, 5, 9, -1}) EXPECT_EQ(Shown(id), "(nothing)") << id;
    EXPECT_EQ(Shown(1), T(TextNoticeNoProfile));
    NoticeId = NoticeGoodbye;
    DrawNotice();
    EXPECT_FALSE(Shows(160, 128, 0x0000FF)) << "a box for notice 3 without a player";
    ResetScreens(card.store());
    EXPECT_EQ(Shown(3), "Anna " + T(TextGoodbye));
    EXPECT_EQ(Shown(4), T(TextSnapshotSaved) + " vok_anna.bmp " + T(TextSnapshotWhere));
    EXPECT_EQ(Shown(5), "(nothing)");
    GameFolders.push_back("racer");
    EXPECT_EQ(Shown(5), T(TextSnapshotSaved) + " bmp " + T(TextSnapshotWhere));
    NoticeId = NoticeGameSnapshot;
    DrawNotice();
    EXPECT_TRUE(Shows(160, 128, 0x0000FF));

    const std::string file = card / "vok_anna.bmp";
    SnapshotCountdown = 4;
    const struct { int left, notice; bool saved; } steps[] = {{3, 4, false}, {2, 4, false}, {1, 4, true}, {0, 4, false}, {0, 0, false}};
    for (const auto& step : steps) {
        WriteFile(file, "old");
        NoticeId = NoticeNone;
        SnapshotStep("vok_anna.bmp", NoticeCardSnapshot);
        EXPECT_EQ(Ints({SnapshotCountdown, NoticeId}), Ints({step.left, step.notice}));
        EXPECT_EQ(ReadFile(file) != "old", step.saved) << step.left;
    }
    SnapshotCountdown = 2;
    SnapshotStep("missing/folder.bmp", NoticeGameSnapshot);
    EXPECT_EQ(NoticeId, NoticeNotSaved);
    SnapshotStep("missing/folder.bmp", NoticeGameSnapshot);
    EXPECT_EQ(Ints({SnapshotCountdown, NoticeId}), Ints({0, NoticeNotSaved})) << "stays told";
    EXPECT_EQ(Shown(NoticeNotSaved), T(TextNoticeNotSaved));
}

// A snapshot holds exactly the bytes SDL_SaveBMP writes of the screen. It replaces a link planted
// under its name instead of writing through it; where the card refuses the file (a folder in the
// temporary's way) the old snapshot stays whole and the player is told it was not saved.
TEST_F(Notices, SnapshotsAreWrittenSafely)
{
    ResetScreens(card.store());
    for (int y = 0; y < 240; ++y) {
        SDL_Rect row{0, Sint16(y), 320, 1};
        SDL_FillRect(ScreenSurface, &row, SDL_MapRGB(ScreenSurface->format, Uint8(y), Uint8(255 - y), 77));
    }
    ASSERT_EQ(SDL_SaveBMP(ScreenSurface, (card / "direct.bmp").c_str()), 0);
    WriteFile(card / "outside.bmp", "outside");
    ASSERT_EQ(symlink((card / "outside.bmp").c_str(), (card / "vok_anna.bmp").c_str()), 0);
    SnapshotCountdown = 2;
    SnapshotStep("vok_anna.bmp", NoticeCardSnapshot);
    EXPECT_EQ(NoticeId, NoticeCardSnapshot);
    EXPECT_EQ(ReadFile(card / "vok_anna.bmp"), ReadFile(card / "direct.bmp"));
    EXPECT_EQ(ReadFile(card / "outside.bmp"), "outside");
    struct stat status;
    ASSERT_EQ(lstat((card / "vok_anna.bmp").c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));

    MakeDir(card / (TemporaryOf("vok_anna.bmp") + "/in the way"));
    SDL_FillRect(ScreenSurface, 0, 0);
    SnapshotCountdown = 2;
    SnapshotStep("vok_anna.bmp", NoticeCardSnapshot);
    EXPECT_EQ(NoticeId, NoticeNotSaved);
    EXPECT_EQ(ReadFile(card / "vok_anna.bmp"), ReadFile(card / "direct.bmp"));
}
