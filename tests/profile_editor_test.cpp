// The profile editor: its buttons with the keyboard closed and open, stepping the language
// and the avatar parts, saving and leaving, the select bar and the drawing, in process;
// and whole runs of vok that create, store, restore and edit players.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/state.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "profile/avatar.h"
#include "profile/profile_editor.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "store/profiles.h"
#include "store/store_files.h"
#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

void ResetKeyboard()
{
    KeyboardOpen = 0;
    KeyboardRow = 1;
    KeyboardColumn = 1;
    KeyboardShift = 0;
    KeyboardLock = 0;
    KeyFlashRow = 0;
    KeyFlashColumn = 0;
    KeyFlashFrames = 0;
    KeyboardPanelY = 240;
    KeyboardSlideStep = 1;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartScreens();
        ResetScreens(card.store());
        LanguageTable.SetLanguage("English");
        ScreenMode = 2;
        EditorRow = 0;
        SelectBarY = 24;
        SelectBarStep = 1;
        ResetKeyboard();
        EditedProfile = ProfileRecord();
        for (std::vector<SDL_Surface*>& images : AvatarPartImages) images.clear();
    }
    void TearDown() override
    {
        for (std::vector<SDL_Surface*>& images : AvatarPartImages) images.clear();
        LanguageTable.SetLanguage("English");
        for (ProfileRecord* record : Profiles) delete record; // the players saved here
        Profiles.clear();
        SelectedProfile = -1;
    }
    static void Press(int button)
    {
        PushButton(button);
        ProfileEditor();
    }
    // The image count the editor steps through is the length of the part's image list.
    static void SetImageCount(AvatarPart part, int count) { AvatarPartImages[part].assign(size_t(count), nullptr); }
    static void Step(int row, std::string* field, const std::string& from, int button, const std::string& to)
    {
        EditorRow = row;
        *field = from;
        Press(button);
        EXPECT_EQ(*field, to) << "row " << row << " from \"" << from << "\" by button " << button;
    }
    TempDir card;
};

TEST(FormatPartNumber, TwoDigitsBelowTen)
{
    const std::pair<int, const char*> cases[] = {
        {0, "00"}, {1, "01"}, {9, "09"}, {10, "10"}, {42, "42"}, {99, "99"}, {100, "100"}, {-1, "-1"}};
    for (const auto& c : cases) EXPECT_EQ(FormatPartNumber(c.first), c.second) << c.first;
}

// Part rows step 0, 1, ... count, 0 ...; 0 switches the layer off; out-of-range values
// step to 0 going right and down by one going left.
TEST_F(Editor, PartRowsStepThroughTheImages)
{
    SetImageCount(AvatarBase, 3);
    SetImageCount(AvatarEyes, 10);
    Step(2, &EditedProfile.base, "03", ButtonRight, "00");
    Step(2, &EditedProfile.base, "00", ButtonRight, "01");
    Step(2, &EditedProfile.base, "00", ButtonLeft, "03");
    Step(2, &EditedProfile.base, "01", ButtonLeft, "00");
    Step(2, &EditedProfile.base, "", ButtonRight, "01");
    Step(2, &EditedProfile.base, "7", ButtonLeft, "06");
    Step(3, &EditedProfile.eyes, "12", ButtonRight, "00");
    Step(3, &EditedProfile.eyes, "12", ButtonLeft, "11");
    Step(3, &EditedProfile.eyes, "11", ButtonLeft, "10");
    Step(3, &EditedProfile.eyes, " 5", ButtonRight, "06");
    Step(3, &EditedProfile.eyes, "-3", ButtonRight, "00");
    Step(3, &EditedProfile.eyes, "-3", ButtonLeft, "10");
    Step(3, &EditedProfile.eyes, "99999999999", ButtonRight, "00");
    // A part without images: always 00.
    Step(11, &EditedProfile.clothes, "", ButtonRight, "00");
    Step(11, &EditedProfile.clothes, "00", ButtonLeft, "00");
    Step(11, &EditedProfile.clothes, "04", ButtonRight, "00");
    // Each row steps its own field, in the canonical order of the parts.
    for (int part = 0; part < AvatarPartCount; ++part) {
        EditedProfile = ProfileRecord();
        SetImageCount(AvatarPart(part), 2);
        EditorRow = part + 2;
        Press(ButtonRight);
        for (int other = 0; other < AvatarPartCount; ++other)
            EXPECT_EQ(EditedProfile.*AvatarParts[other].field, other == part ? "01" : "") << part << " " << other;
    }
}

// Up and down move the highlight within rows 0 to 11; the name of a stored player cannot
// be changed, a new player's name row opens the keyboard with left or right.
TEST_F(Editor, RowsAndTheNameRow)
{
    Press(ButtonUp);
    EXPECT_EQ(EditorRow, 0);
    for (int i = 0; i < 14; ++i) Press(ButtonDown);
    EXPECT_EQ(EditorRow, 11);
    Press(ButtonUp);
    EXPECT_EQ(EditorRow, 10);

    EditorRow = 0;
    EditedProfile.folder = "vok_bob";
    Press(ButtonRight);
    Press(ButtonLeft);
    EXPECT_EQ(KeyboardOpen, 0);
    EditedProfile.folder = "";
    Press(ButtonRight);
    EXPECT_EQ(KeyboardOpen, 1);
    KeyboardOpen = 0;
    Press(ButtonLeft);
    EXPECT_EQ(KeyboardOpen, 1);
}

// The language row steps through the list with wrap-around and makes the language current
// at once; leaving without saving keeps it.
TEST_F(Editor, LanguageRowSwitchesTheLanguageAtOnce)
{
    const int count = int(LanguageTable.LanguageCount());
    ASSERT_GE(count, 4);
    EditorRow = 1;
    EditedProfile.languageIndex = 0;
    for (int expected = 1; expected <= count; ++expected) {
        Press(ButtonRight);
        EXPECT_EQ(EditedProfile.languageIndex, expected % count);
        EXPECT_EQ(EditedProfile.lang, LanguageTable.LanguageName(unsigned(expected % count)));
        EXPECT_EQ(LanguageTable.currentLanguage, expected % count);
    }
    Press(ButtonLeft);
    EXPECT_EQ(EditedProfile.languageIndex, count - 1);
    EXPECT_EQ(LanguageTable.currentLanguage, count - 1);
    Press(ButtonY);
    EXPECT_EQ(ScreenMode, 1);
    EXPECT_EQ(LanguageTable.currentLanguage, count - 1);
}

// With the keyboard open, X presses the key under the cursor exactly as a touch would.
TEST_F(Editor, ButtonXPressesTheKeyUnderTheCursor)
{
    const char* const rows[] = {"1234567890", "qwertyuiop", " asdfghjkl", " zxcvbnm "};
    KeyboardOpen = 1;
    for (int row = 1; row <= 4; ++row) {
        const std::string keys = rows[row - 1];
        for (int column = 1; column <= int(keys.size()); ++column) {
            if (keys[size_t(column) - 1] == ' ' && !(row == 4 && column == 9)) continue; // Lock, Shift
            EditedProfile.name.clear();
            KeyboardRow = row;
            KeyboardColumn = column;
            Press(ButtonX);
            EXPECT_EQ(EditedProfile.name, std::string(1, keys[size_t(column) - 1])) << row << "," << column;
            EXPECT_EQ(KeyboardRow, row);
            EXPECT_EQ(KeyboardColumn, column);
        }
    }
    KeyboardRow = 1;
    KeyboardColumn = 11;
    Press(ButtonX); // Delete
    EXPECT_EQ(EditedProfile.name, "");
    KeyboardRow = 3;
    KeyboardColumn = 1;
    Press(ButtonX);
    EXPECT_EQ(KeyboardLock, 1);
    KeyboardRow = 4;
    Press(ButtonX);
    EXPECT_EQ(KeyboardShift, 1);
    KeyboardRow = 3;
    KeyboardColumn = 11;
    Press(ButtonX); // Return closes the keyboard; the editor stays
    EXPECT_EQ(KeyboardOpen, 0);
    EXPECT_EQ(ScreenMode, 2);
}

// The key cursor keeps to each row's keys: 11, 10, 11 and 9.
TEST_F(Editor, KeyCursorKeepsToTheRows)
{
    struct Case { int row, column, button, toRow, toColumn; };
    const Case cases[] = {
        {1, 11, ButtonDown, 2, 10}, {3, 11, ButtonDown, 4, 9}, {3, 11, ButtonUp, 2, 10},
        {2, 10, ButtonUp, 1, 10}, {2, 10, ButtonDown, 3, 10}, {1, 4, ButtonUp, 1, 4},
        {4, 9, ButtonDown, 4, 9}, {4, 9, ButtonRight, 4, 9}, {2, 10, ButtonRight, 2, 10},
        {1, 10, ButtonRight, 1, 11}, {3, 1, ButtonLeft, 3, 1}, {3, 5, ButtonLeft, 3, 4},
    };
    for (const Case& c : cases) {
        KeyboardOpen = 1;
        KeyboardRow = c.row;
        KeyboardColumn = c.column;
        Press(c.button);
        EXPECT_EQ(KeyboardRow, c.toRow) << c.row << "," << c.column << " by " << c.button;
        EXPECT_EQ(KeyboardColumn, c.toColumn) << c.row << "," << c.column << " by " << c.button;
        EXPECT_EQ(EditorRow, 0);
    }
}

// A notice takes the first button press and nothing else; touches still reach the open
// keyboard; touches on a closed keyboard and other mouse buttons do nothing.
TEST_F(Editor, NoticesTouchesAndLeaving)
{
    NoticeId = 2;
    KeyboardOpen = 1;
    KeyboardRow = 2;
    KeyboardColumn = 5;
    PushButton(ButtonX);
    PushTouch(40, 120);
    ProfileEditor();
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(EditedProfile.name, "1");
    Press(ButtonX); // the cursor followed the touch onto "1"
    EXPECT_EQ(EditedProfile.name, "11");
    PushTouch(40, 120, 3);
    ProfileEditor();
    EXPECT_EQ(EditedProfile.name, "11");

    KeyboardOpen = 0;
    PushTouch(40, 120);
    ProfileEditor();
    EXPECT_EQ(EditedProfile.name, "11");

    NoticeId = 6;
    Press(ButtonY);
    EXPECT_EQ(NoticeId, 0);
    EXPECT_EQ(ScreenMode, 2);
    KeyboardOpen = 1;
    Press(ButtonY); // leaves with the keyboard open, storing nothing
    EXPECT_EQ(ScreenMode, 1);
    EXPECT_EQ(KeyboardOpen, 0);
    EXPECT_TRUE(Profiles.empty());
    for (const std::string& entry : ListFolder(card.store())) EXPECT_NE(entry.compare(0, 4, "vok_"), 0) << entry;
}

// Saving: an empty name raises notice 6 and stores nothing; a name stores the new player
// in vok_anamaria, selects it and returns home.
TEST_F(Editor, Saving)
{
    SetEditedProfile("", "", "", "01", "", "", "", "", "", "", "", "", "");
    Press(ButtonX);
    EXPECT_EQ(NoticeId, 6);
    EXPECT_EQ(ScreenMode, 2);
    EXPECT_TRUE(Profiles.empty());
    Press(ButtonX); // only clears the notice
    EXPECT_EQ(NoticeId, 0);

    SetEditedProfile("", "Deutsch", "Ana Maria", "01", "02", "", "", "", "", "", "", "", "03");
    KeyboardOpen = 1;
    KeyboardRow = 3;
    KeyboardColumn = 11;
    Press(ButtonX); // Return first: X on the open keyboard never saves
    EXPECT_TRUE(Profiles.empty());
    Press(ButtonX);
    EXPECT_EQ(ScreenMode, 1);
    EXPECT_EQ(KeyboardOpen, 0);
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(Profiles[0]->folder, "vok_anamaria");
    EXPECT_EQ(Profiles[0]->name, "Ana Maria");
    EXPECT_EQ(ReadFile(card / "vok_anamaria/vok.cfg"),
              "lang=Deutsch\r\nname=Ana Maria\r\nbase=01\r\neyes=02\r\nbrowns=\r\nnose=\r\nears=\r\n"
              "mouth=\r\nfacial=\r\nhair=\r\ntatoo=\r\nclothes=03\r\n");
}

// The bar glides 1, 2, 4, 4 ... pixels per frame and snaps onto the row, either way.
TEST_F(Editor, SelectBarGlides)
{
    auto glide = [](int row, int frames) {
        EditorRow = row;
        std::vector<int> ys;
        for (int i = 0; i < frames; ++i) {
            ProfileEditor();
            ys.push_back(SelectBarY);
        }
        return ys;
    };
    EXPECT_EQ(glide(1, 6), (std::vector<int>{25, 27, 31, 35, 39, 39}));
    EXPECT_EQ(SelectBarStep, 1);
    EXPECT_EQ(glide(0, 5), (std::vector<int>{38, 36, 32, 28, 24}));
    EXPECT_EQ(glide(2, 9), (std::vector<int>{25, 27, 31, 35, 39, 43, 47, 51, 54}));
    EXPECT_EQ(glide(11, 2), (std::vector<int>{55, 57}));
    EXPECT_EQ(glide(10, 2), (std::vector<int>{61, 65})); // turning keeps the step
}

// The two frames, black labels with values for parts switched on, grey labels without
// values for parts switched off, the hints, and the notice over everything.
TEST_F(Editor, Drawing)
{
    SetImageCount(AvatarBase, 3);
    SetImageCount(AvatarEyes, 3);
    SetEditedProfile("", "English", "Ana", "02", "00", "", "", "", "", "", "", "", "");
    EditorRow = 11;
    SelectBarY = 189;
    ClearScreen();
    ProfileEditor();
    EXPECT_TRUE(Near(ScreenPixel(60, 60), 255, 255, 255));  // avatar frame border
    EXPECT_TRUE(Near(ScreenPixel(60, 100), 255, 199, 140)); // avatar frame fill
    EXPECT_TRUE(Near(ScreenPixel(150, 24), 0, 0, 0));       // rows panel border
    EXPECT_TRUE(Near(ScreenPixel(289, 202), 255, 199, 140));
    // The darkest pixel of an area, as its brightest channel: ~0 for black text, ~128 grey.
    auto darkest = [](int x0, int y0, int x1, int y1) {
        int value = 255;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint32_t p = ScreenPixel(x, y);
                value = std::min(value, int(std::max({p >> 16, (p >> 8) & 0xFF, p & 0xFF})));
            }
        return value;
    };
    auto rowY = [](int row) { return 24 + 15 * row; };
    EXPECT_LT(darkest(140, rowY(0), 199, rowY(0) + 12), 60); // name label
    EXPECT_LT(darkest(200, rowY(0), 290, rowY(0) + 12), 60); // "Ana"
    EXPECT_LT(darkest(140, rowY(1), 199, rowY(1) + 12), 60);
    EXPECT_LT(darkest(200, rowY(1), 290, rowY(1) + 12), 60); // "English"
    EXPECT_LT(darkest(140, rowY(2), 199, rowY(2) + 12), 60); // base 02: on
    EXPECT_LT(darkest(200, rowY(2), 290, rowY(2) + 12), 60);
    for (int row = 3; row < 12; ++row) {                     // eyes 00 and the empty parts: off
        const int label = darkest(140, rowY(row), 199, rowY(row) + 12);
        EXPECT_GT(label, 100) << row;
        EXPECT_LT(label, 150) << row;
        EXPECT_GT(darkest(200, rowY(row), 290, rowY(row) + 12), 240) << row; // only the fill
    }
    auto yellow = [](int x0, int x1) {
        int n = 0;
        for (int y = 220; y < 235; ++y)
            for (int x = x0; x < x1; ++x) n += Near(ScreenPixel(x, y), 255, 255, 0);
        return n;
    };
    EXPECT_GT(yellow(45, 155), 5);
    EXPECT_GT(yellow(170, 220), 5);
    EXPECT_GT(yellow(235, 316), 5);

    NoticeId = 6;
    ProfileEditor();
    EXPECT_TRUE(Near(ScreenPixel(160, 101), 0, 0, 255));
}

// ---- Whole runs of vok -------------------------------------------------------------

// An input script: one event per frame from frame 2 on.
struct Script {
    int frame = 2;
    std::string text;
    void Button(const std::string& name) { text += std::to_string(frame++) + " button " + name + "\n"; }
    void Touch(int x, int y) { text += std::to_string(frame++) + " touch " + std::to_string(x) + " " + std::to_string(y) + "\n"; }
    void Wait(int frames) { frame += frames; }
    void Screenshot(const std::string& file) { text += std::to_string(frame - 1) + " screenshot " + file + "\n"; }
};

// Types on the keyboard with the pad and X, moving the key cursor as the editor does.
struct PadTypist {
    Script* script;
    int row = 1, column = 1;
    static int RowLength(int r) { return r == 2 ? 10 : r == 4 ? 9 : 11; }
    void Key(int toRow, int toColumn)
    {
        while (row != toRow) {
            script->Button(row < toRow ? "down" : "up");
            row += row < toRow ? 1 : -1;
            column = std::min(column, RowLength(row));
        }
        for (; column < toColumn; ++column) script->Button("right");
        for (; column > toColumn; --column) script->Button("left");
        script->Button("x");
    }
};

// The keys of "Ana Maria", then Return.
const int AnaMariaKeys[][2] = {{4, 1}, {3, 2}, {4, 7}, {3, 2}, {4, 9}, {4, 1}, {4, 8}, {3, 2},
                               {2, 4}, {2, 8}, {3, 2}, {3, 11}};

// The unbroken run of numbered images of a part in the build's media.
int ImageCount(AvatarPart part)
{
    int n = 0;
    while (n < 99 && FileExists(BuildDir() + "/" + AvatarPartFileName(part, n + 1))) ++n;
    return n;
}

std::string Next(int n, int count) { return FormatPartNumber(n + 1 > count ? 0 : n + 1); }

std::string PicturePath(const std::string& name)
{
    MakeDir(BuildDir() + "/pictures/editor");
    return BuildDir() + "/pictures/editor/" + name;
}

std::vector<std::string> PlayerFolders(const std::string& store)
{
    std::vector<std::string> folders;
    for (const std::string& entry : ListFolder(store))
        if (entry.compare(0, 4, "vok_") == 0) folders.push_back(entry);
    return folders;
}

// On an empty card: Y, the name typed with the pad, a language and a few parts chosen,
// X: the player is stored with its twelve lines and selected; a new start restores it in
// its language, showing the very same home screen.
TEST(EditorRuns, CreateAPlayerWithThePadAndRestoreIt)
{
    TempDir card;
    const int languages = int(LanguageTable.LanguageCount());
    ASSERT_GE(languages, 2);
    const int language = std::string(LanguageTable.LanguageName(1)) == "English" ? 2 : 1;
    const std::string languageName = LanguageTable.LanguageName(unsigned(language));

    Script script;
    script.Button("y");     // clears the first-start notice
    script.Button("y");     // a new player: the editor with notice 2
    script.Button("right"); // clears notice 2
    script.Button("right"); // name row: the keyboard opens
    script.Wait(12);
    script.Screenshot(PicturePath("keyboard_open.bmp"));
    PadTypist typist{&script};
    for (const auto& key : AnaMariaKeys) typist.Key(key[0], key[1]);
    script.Wait(10);
    script.Screenshot(PicturePath("keyboard_closed.bmp"));
    script.Button("down");  // language
    for (int i = 0; i < language; ++i) script.Button("right");
    script.Button("down");  // base 01 -> next
    script.Button("right");
    script.Button("down");  // eyes "" -> 01 -> 02
    script.Button("right");
    script.Button("right");
    script.Button("down");  // browns "" -> the last image
    script.Button("left");
    script.Wait(12); // the select bar catches up with the row
    script.Screenshot(PicturePath("parts_chosen.bmp"));
    script.Button("x");
    script.Wait(3);
    const std::string home = PicturePath("home_after_save.bmp");
    script.Screenshot(home);
    VokRun first = RunOnCard(card.store(), script.text, script.frame);
    ASSERT_EQ(first.status, 0) << first.err;

    const int base = ImageCount(AvatarBase), eyes = ImageCount(AvatarEyes), browns = ImageCount(AvatarBrowns);
    const std::string eyesOnce = Next(0, eyes);
    EXPECT_EQ(PlayerFolders(card.store()), std::vector<std::string>{"vok_anamaria"});
    EXPECT_EQ(ReadFile(card / "vok_anamaria/vok.cfg"),
              "lang=" + languageName + "\r\nname=Ana Maria\r\nbase=" + Next(1, base) + "\r\neyes=" +
                  Next(PartNumber(eyesOnce), eyes) + "\r\nbrowns=" + FormatPartNumber(browns) +
                  "\r\nnose=\r\nears=\r\nmouth=\r\nfacial=\r\nhair=\r\ntatoo=\r\nclothes=\r\n");
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_anamaria");

    RgbImage open, closed;
    ASSERT_TRUE(ReadBmpPixels(PicturePath("keyboard_open.bmp"), &open));
    ASSERT_TRUE(ReadBmpPixels(PicturePath("keyboard_closed.bmp"), &closed));
    EXPECT_TRUE(Near(open.at(22, 150), 192, 192, 255));   // the panel over the editor
    EXPECT_FALSE(Near(closed.at(22, 150), 192, 192, 255));

    const std::string restored = PicturePath("home_restored.bmp");
    VokRun second = RunOnCard(card.store(), "1 screenshot " + restored + "\n", 2);
    ASSERT_EQ(second.status, 0) << second.err;
    RgbImage before, after;
    ASSERT_TRUE(ReadBmpPixels(home, &before));
    ASSERT_TRUE(ReadBmpPixels(restored, &after));
    EXPECT_TRUE(before.pixels == after.pixels) << "the home screen differs after a restart";
}

// The same name typed by touching the keys.
TEST(EditorRuns, TypeTheNameByTouch)
{
    TempDir card;
    Script script;
    script.Button("y");
    script.Button("y");
    script.Button("right");
    script.Button("right");
    script.Wait(12);
    for (const auto& key : AnaMariaKeys)
        script.Touch((key[0] % 2 ? 25 : 37) + (key[1] - 1) * 25 + 12, 115 + (key[0] - 1) * 25 + 12);
    script.Button("x");
    VokRun run = RunOnCard(card.store(), script.text, script.frame + 1);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string cfg = ReadFile(card / "vok_anamaria/vok.cfg");
    EXPECT_NE(cfg.find("\r\nname=Ana Maria\r\nbase=01\r\n"), std::string::npos) << cfg;
}

// Editing a stored player rewrites its file and keeps its name and folder.
TEST(EditorRuns, EditAStoredPlayer)
{
    TempDir card;
    PlayerSpec bob;
    bob.folder = "vok_bob";
    bob.name = "Bob";
    WritePlayer(card.store(), bob);
    SelectAtStart(card.store(), "vok_bob");
    const int base = ImageCount(AvatarBase);
    Script script;
    script.Button("x");     // edit
    script.Button("right"); // the name row: nothing for a stored player
    script.Button("down");
    script.Button("down");
    script.Button("right"); // base 01 -> next
    script.Button("down");
    script.Button("left");  // eyes 01 -> 00
    script.Button("x");
    VokRun run = RunOnCard(card.store(), script.text, script.frame + 1);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PlayerFolders(card.store()), std::vector<std::string>{"vok_bob"});
    EXPECT_EQ(ReadFile(card / "vok_bob/vok.cfg"),
              "lang=English\r\nname=Bob\r\nbase=" + Next(1, base) +
                  "\r\neyes=00\r\nbrowns=01\r\nnose=01\r\nears=01\r\nmouth=01\r\nfacial=\r\nhair=01\r\n"
                  "tatoo=\r\nclothes=01\r\n");
}

// Saving without a name shows notice 6 and stores nothing.
TEST(EditorRuns, SavingWithoutANameStoresNothing)
{
    TempDir card;
    Script script;
    script.Button("y");
    script.Button("y");
    script.Button("x"); // clears notice 2
    script.Button("x"); // no name: notice 6
    const std::string notice = PicturePath("empty_name_notice.bmp");
    script.Screenshot(notice);
    script.Button("y");
    VokRun run = RunOnCard(card.store(), script.text, script.frame + 1);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(PlayerFolders(card.store()).empty());
    EXPECT_FALSE(FileExists(card / "activevok"));
    RgbImage shot;
    ASSERT_TRUE(ReadBmpPixels(notice, &shot));
    EXPECT_TRUE(Near(shot.at(160, 101), 0, 0, 255)); // the notice box
}

} // namespace
