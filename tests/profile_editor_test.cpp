// The profile editor in process: its buttons with the keyboard closed and open, notices, the
// select bar and the row labels; and a player's whole life in a run of vok.
#include <gtest/gtest.h>

#include <sstream>

#include "frame/state.h"
#include "localization/language_table.h"
#include "profile/avatar.h"
#include "profile/profile_editor.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"

// The editor on an empty card in English: row 0 under the bar, the keyboard closed, no images.
class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        ResetScreens(card.store());
        LanguageTable.SetLanguage("English");
        EditedProfile = ProfileRecord();
        EditorRow = KeyboardOpen = KeyboardShift = KeyboardLock = NoticeId = 0;
        ScreenMode = 2;
        SelectBarY = 24;
        SelectBarStep = KeyboardRow = KeyboardColumn = 1;
        for (auto& images : AvatarPartImages)
            images.clear();
    }
    void TearDown() override
    {
        SetUp();
        ReleaseCard();
    }
    static void Press(int button)
    {
        PushButton(button);
        ProfileEditor();
    }
    TempDir card;
};

// Part rows step 0, 1 ... count, 0 (three base images, ten eyes, no others), out-of-range
// values to 0 going right and down by one going left; each row steps its own field only.
TEST_F(Editor, PartRowsStep)
{
    AvatarPartImages[AvatarBase].resize(3);
    AvatarPartImages[AvatarEyes].resize(10);
    struct Case { int row; const char* from; int button; const char* to; };
    std::vector<Case> cases = {
        // base: three images
        {2, "03", ButtonRight, "00"}, {2, "00", ButtonRight, "01"}, {2, "00", ButtonLeft, "03"},
        {2, "01", ButtonLeft, "00"}, {2, "7", ButtonLeft, "06"},
        // eyes: ten images, values out of range or not numbers
        {3, "12", ButtonRight, "00"}, {3, "12", ButtonLeft, "11"}, {3, "11", ButtonLeft, "10"},
        {3, " 5", ButtonRight, "06"}, {3, "-3", ButtonRight, "00"}, {3, "-3", ButtonLeft, "10"},
        {3, "99999999999", ButtonRight, "00"},
        // clothes: no images
        {11, "", ButtonLeft, "00"}, {11, "04", ButtonRight, "00"},
    };
    for (int row = 2; row < 12; ++row)
        cases.push_back({row, "", ButtonRight, row < 4 ? "01" : "00"});
    for (const Case& c : cases) {
        EditedProfile = ProfileRecord();
        EditorRow = c.row;
        EditedProfile.*AvatarParts[c.row - 2].field = c.from;
        Press(c.button);
        std::string parts, expected;
        for (int row = 2; row < 12; ++row) {
            parts += EditedProfile.*AvatarParts[row - 2].field + ",";
            expected += (row == c.row ? c.to : "") + std::string(",");
        }
        EXPECT_EQ(parts, expected) << "row " << c.row << " from \"" << c.from << "\" by " << c.button;
    }
}

// Up and down keep to rows 0 to 11; the name row opens the keyboard for a new player only;
// the language row steps from languageIndex, wraps both ways and switches the language at
// once, which stays after leaving without saving.
TEST_F(Editor, RowsNameAndLanguage)
{
    Press(ButtonUp);
    const int top = EditorRow;
    for (int i = 0; i < 12; ++i)
        Press(ButtonDown);
    EXPECT_EQ(top * 100 + EditorRow, 11);
    std::string opened;
    for (const char* folder : {"vok_bob", ""})
        for (int button : {ButtonLeft, ButtonRight}) {
            EditorRow = KeyboardOpen = 0;
            EditedProfile.folder = folder;
            Press(button);
            opened += '0' + KeyboardOpen;
        }
    EXPECT_EQ(opened, "0011");
    const int count = int(LanguageTable.LanguageCount());
    ASSERT_GE(count, 4);
    KeyboardOpen = 0;
    EditorRow = 1;
    EditedProfile.languageIndex = 2;
    for (int step = 3; step <= count + 2; ++step) {
        Press(ButtonRight);
        EXPECT_EQ(EditedProfile.lang, LanguageTable.LanguageName(unsigned(step % count)));
        EXPECT_EQ(EditedProfile.languageIndex * 100 + LanguageTable.currentLanguage, step % count * 101);
    }
    EditedProfile.languageIndex = 0;
    Press(ButtonLeft);
    Press(ButtonY);
    EXPECT_EQ(ScreenMode * 100 + LanguageTable.currentLanguage, 100 + count - 1);
}

// With the keyboard open, X presses the key under the cursor as a touch there would (every
// kind of key: keyboard_test); the pad keeps the cursor to each row's 11, 10, 11 and 9 keys;
// Y leaves without storing.
TEST_F(Editor, KeyboardOpen)
{
    struct Case { int row, column, button; const char* result; };
    const Case cases[] = {
        // X: a letter, delete, the lock, return
        {2, 3, ButtonX, "ae @2,3"}, {1, 11, ButtonX, " @1,11"},
        {3, 1, ButtonX, "a @3,1 lock"}, {3, 11, ButtonX, "a @3,11 closed"},
        // the pad within each row's keys
        {1, 11, ButtonDown, "a @2,10"}, {3, 11, ButtonDown, "a @4,9"}, {3, 11, ButtonUp, "a @2,10"},
        {2, 10, ButtonUp, "a @1,10"}, {2, 10, ButtonDown, "a @3,10"}, {1, 4, ButtonUp, "a @1,4"},
        {4, 9, ButtonDown, "a @4,9"}, {4, 9, ButtonRight, "a @4,9"}, {2, 10, ButtonRight, "a @2,10"},
        {1, 10, ButtonRight, "a @1,11"}, {3, 1, ButtonLeft, "a @3,1"}, {3, 5, ButtonLeft, "a @3,4"},
        // Y leaves without storing
        {2, 2, ButtonY, "a @2,2 closed left"},
    };
    for (const Case& c : cases) {
        SetUp();
        EditedProfile.name = "a";
        KeyboardOpen = 1;
        KeyboardRow = c.row;
        KeyboardColumn = c.column;
        Press(c.button);
        std::string state = EditedProfile.name + " @" + std::to_string(KeyboardRow) + ","
            + std::to_string(KeyboardColumn);
        state += KeyboardLock ? " lock" : "";
        state += KeyboardShift ? " shift" : "";
        state += KeyboardOpen ? "" : " closed";
        state += ScreenMode == 2 ? "" : " left";
        state += Profiles.empty() ? "" : " stored";
        EXPECT_EQ(state, c.result);
    }
}

// A notice takes the first button press only, while a touch of the same frame still reaches
// the open keyboard; touches on a closed keyboard and other mouse buttons do nothing; saving
// without a name raises notice 6 and stores nothing.
TEST_F(Editor, NoticesTouchesAndAnEmptyName)
{
    NoticeId = 2;
    KeyboardOpen = 1;
    PushButton(ButtonX);
    PushTouch(40, 120);
    PushTouch(65, 120, 3);
    ProfileEditor();
    EXPECT_EQ(EditedProfile.name, "1");
    EXPECT_EQ(NoticeId, 0);
    KeyboardOpen = 0;
    PushTouch(40, 120);
    ProfileEditor();
    EXPECT_EQ(EditedProfile.name, "1");
    EditedProfile.name.clear();
    Press(ButtonX);
    EXPECT_EQ(std::vector({NoticeId, ScreenMode, int(Profiles.size())}), std::vector({6, 2, 0}));
}

static int BrightestChannel(uint32_t rgb)
{
    return int(std::max({rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF}));
}

// The bar glides 1, 2, 4, 4 ... pixels a frame and snaps onto its row. Labels are black with
// their values for parts switched on, grey and alone for parts switched off.
TEST_F(Editor, SelectBarAndLabels)
{
    std::vector<int> ys;
    for (int row : {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}) {
        EditorRow = row;
        ProfileEditor();
        ys.push_back(SelectBarY);
    }
    EXPECT_EQ(ys, (std::vector<int>{25, 27, 31, 35, 39, 39, 38, 36, 32, 28, 24}));
    SetEditedProfile("", "English", "Ana", "02", "00", "", "", "", "", "", "", "", "");
    ProfileEditor();
    // Of 55 x 12 pixels: ~0 black, ~128 grey, 255 the fill.
    auto darkest = [](int x, int y) {
        int value = 255;
        for (int i = 0; i < 55 * 12; ++i)
            value = std::min(value, BrightestChannel(ScreenPixel(x + i % 55, y + i / 55)));
        return value;
    };
    for (int y = 24; y < 204; y += 15) {
        const std::string label = std::to_string(darkest(140, y) / 60);
        const std::string value = std::to_string(darkest(200, y) / 60);
        const std::string shades = label + value;
        EXPECT_EQ(shades, y < 60 ? "00" : "24") << y;
    }
}

// Runs vok on `store` with one word a frame from frame 2: a button name, "X,Y" a touch, "."
// a frame without input (".N" N frames).
static VokRun RunWords(const std::string& store, const std::string& words, int frame = 2)
{
    std::istringstream in(words);
    std::string text, word;
    while (in >> word) {
        const size_t comma = word.find(',');
        if (word[0] == '.')
            frame += word.size() > 1 ? std::stoi(word.substr(1)) : 1;
        else if (comma != std::string::npos)
            text += std::to_string(frame++) + " touch " + word.replace(comma, 1, " ") + "\n";
        else
            text += std::to_string(frame++) + " button " + word + "\n";
    }
    return RunOnCard(store, text, frame + 1);
}

// On an empty card: Y; "Ana " typed with the pad and X, "Maria" and Return by touch; a
// language and two parts chosen; X stores her with twelve lines and selects her. Edited
// again, her name row does nothing and her file changes. A new player without a name is not
// stored. (Restarting with her: e2e_test.)
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
    words += "x right down down down left x "; // edited: eyes 01
    words += "y x . x y"; // a new player without a name
    VokRun first = RunWords(card.store(), words);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(ReadFile(card / "vok_anamaria/vok.cfg"),
              "lang=" + std::string(LanguageTable.LanguageName(language)) + "\r\n"
              "name=Ana Maria\r\nbase=02\r\neyes=01\r\nbrowns=\r\nnose=\r\nears=\r\n"
              "mouth=\r\nfacial=\r\nhair=\r\ntatoo=\r\nclothes=\r\n");
    for (const std::string& e : ListFolder(card.path())) // no nameless one
        EXPECT_TRUE(e.rfind("vok_", 0) != 0 || e == "vok_anamaria") << e;
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_anamaria");
}
