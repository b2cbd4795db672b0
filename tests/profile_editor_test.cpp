// The profile editor in process: its buttons with the keyboard closed and open, notices and the
// select bar; and a player's whole life in a run of vok.
#include <gtest/gtest.h>

#include "frame/state.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "screens/notices.h"
#include "screens/profile_editor.h"
#include "store/profiles.h"
#include "tests/support/screens_support.h"

// The editor on an empty card in English: row 0 under the bar, the keyboard closed, no images.
class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        ResetScreens(card.store());
        ScreenMode = ScreenEditor;
        for (auto& images : AvatarPartImages) images.clear();
    }
    void TearDown() override { ReleaseCard(); }
    static void Press(int button)
    {
        PushButton(button);
        ProfileEditor();
    }
    static Ints Outcome() { return {NoticeId, ScreenMode, int(Profiles.size())}; }
    TempDir card;
};

// Part rows step 0, 1 ... count, 0 (three base images, ten eyes, no clothes), out-of-range values
// to 0 going right and down by one going left (each row's own field: APlayersLife).
TEST_F(Editor, PartRowsStep)
{
    AvatarPartImages[AvatarBase].resize(3);
    AvatarPartImages[AvatarEyes].resize(10);
    const struct { int row; const char* from; int button; const char* to; } cases[] = {
        {2, "", ButtonRight, "01"}, {2, "03", ButtonRight, "00"}, {2, "7", ButtonLeft, "06"},
        // values out of range or not numbers; no clothes
        {3, "-3", ButtonLeft, "10"}, {3, "x", ButtonLeft, "10"}, {3, "99999999999", ButtonRight, "00"},
        {11, "04", ButtonRight, "00"},
    };
    for (const auto& c : cases) {
        EditorRow = c.row;
        EditedProfile.*AvatarParts[c.row - 2].field = c.from;
        Press(c.button);
        EXPECT_EQ(EditedProfile.*AvatarParts[c.row - 2].field, c.to) << c.row << " from \"" << c.from << "\"";
    }
}

// The bar glides 1, 2, 4, 4 ... pixels a frame and snaps onto its row; up and down keep to rows
// 0 to 11; the language row steps from languageIndex, wraps both ways and switches the language
// at once, which stays after leaving without saving.
TEST_F(Editor, RowsAndLanguage)
{
    std::vector<int> ys;
    for (int row : {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}) {
        EditorRow = row;
        ProfileEditor();
        ys.push_back(SelectBarY);
    }
    EXPECT_EQ(ys, (std::vector<int>{25, 27, 31, 35, 39, 39, 38, 36, 32, 28, 24}));
    Press(ButtonUp);
    const int top = EditorRow;
    for (int i = 0; i < 12; ++i) Press(ButtonDown);
    EXPECT_EQ(Ints({top, EditorRow}), Ints({0, 11}));
    const int count = int(LanguageTable.LanguageCount());
    EditorRow = 1;
    EditedProfile.languageIndex = count - 1;
    Press(ButtonRight);
    EXPECT_EQ(EditedProfile.lang, LanguageTable.LanguageName(0));
    EXPECT_EQ(Ints({EditedProfile.languageIndex, LanguageTable.currentLanguage}), Ints({0, 0}));
    Press(ButtonLeft);
    Press(ButtonY);
    EXPECT_EQ(Ints({ScreenMode, LanguageTable.currentLanguage}), Ints({ScreenHome, count - 1}));
}

// The open keyboard's pad keeps to each row's 11, 10, 11 and 9 keys (X and Y: APlayersLife). A
// notice takes the first button press only; a touch of the same frame still reaches the keyboard,
// other mouse buttons not. Saving without a name raises notice 6 and stores nothing.
TEST_F(Editor, KeyboardNoticesAndAnEmptyName)
{
    KeyboardOpen = 1;
    KeyboardColumn = 11;
    std::string path;
    for (int button : {ButtonUp, ButtonRight, ButtonDown, ButtonRight, ButtonDown, ButtonRight, ButtonDown,
                       ButtonDown, ButtonLeft}) {
        Press(button);
        path += std::to_string(KeyboardRow) + "," + std::to_string(KeyboardColumn) + " ";
    }
    EXPECT_EQ(path, "1,11 1,11 2,10 2,10 3,10 3,11 4,9 4,9 4,8 ");
    NoticeId = NoticeFirstProfile;
    PushButton(ButtonX);
    PushTouch(40, 120);
    PushTouch(65, 120, 3);
    ProfileEditor();
    EXPECT_EQ(EditedProfile.name + std::to_string(NoticeId), "10");
    EditedProfile.name.clear();
    KeyboardOpen = 0;
    Press(ButtonX);
    EXPECT_EQ(Outcome(), Ints({6, ScreenEditor, 0}));
}

// X on a name the card cannot take (its folder cannot be made) shows NoticeNotSaved and keeps the
// editor open with the work; once the card takes it, the same X stores the player and leaves.
TEST_F(Editor, ASaveTheCardRefusesKeepsTheWork)
{
    EditedProfile.name = "Eve";
    EditedProfile.base = "03";
    const std::string store = StoreRoot;
    StoreRoot = store + "gone/";
    Press(ButtonX);
    EXPECT_EQ(Outcome(), Ints({NoticeNotSaved, ScreenEditor, 0}));
    EXPECT_EQ(EditedProfile.name + EditedProfile.base + EditedProfile.folder, "Eve03");
    Press(ButtonB); // dismisses the notice
    StoreRoot = store;
    Press(ButtonX);
    EXPECT_EQ(Outcome(), Ints({0, ScreenHome, 1}));
    EXPECT_TRUE(FileExists(store + "vok_eve/vok.cfg"));
}

// On an empty card: Y; "Ana " typed with the pad and X, "Maria" and Return by touch; a language
// and two parts chosen; X stores her with twelve lines and selects her. Edited again, her name
// row does nothing and her file changes. (Restarting with her: e2e_test.)
TEST(EditorRun, APlayersLife)
{
    TempDir card;
    const unsigned language = std::string(LanguageTable.LanguageName(1)) == "English" ? 2 : 1;
    std::string words = "y y right right .12 "; // past notices 1 and 2
    words += "down down down x up right x "; // Shift a
    words += "down right right right right right x up left left left left left x "; // n a
    words += "down right right right right right right right x "; // space
    words += "49,202 224,202 62,177 124,152 224,152 62,177 287,177 .10 "; // Shift m a r i a, Return
    words += language == 2 ? "down right right " : "down right "; // the language
    words += "down right down right right x "; // base 02, eyes 02, stored
    words += "x right down down down left x"; // edited: eyes 01
    int frame = 2;
    const std::string script = WordsScript(words, &frame);
    VokRun run = RunOnCard(card.store(), script, frame + 1);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(card / "vok_anamaria/vok.cfg"), "lang=" + std::string(LanguageTable.LanguageName(language)) +
              "\r\nname=Ana Maria\r\nbase=02\r\neyes=01\r\nbrowns=\r\nnose=\r\nears=\r\nmouth=\r\nfacial=\r\n"
              "hair=\r\ntatoo=\r\nclothes=\r\n");
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_anamaria");
}
