#include "screens/profile_editor.h"

#include <cstdio>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "screens/keyboard.h"
#include "screens/notices.h"
#include "screens/screen_common.h"
#include "store/store_folder.h"

int EditorRow = 0;
int SelectBarY = 24;
int SelectBarStep = 1;

static const int EditorRowCount = 12;
static const int NameRow = 0;
static const int LanguageRow = 1;
static const int FirstPartRow = 2; // rows 2 to 11 are the avatar parts, AvatarParts[row - 2]
static const int FirstRowY = 24;   // top of row 0's texts; rows are 15 pixels apart
static const int RowPitch = 15;
static const int LabelX = 140;
static const int ValueX = 200;
static const SDL_Rect AvatarFrame = { 50, 60, 88, 105 };
static const SDL_Rect RowsPanel = { 136, 24, 156, 181 };

// The label of each row, in row order: name, language, then the parts in canonical order.
static const int RowLabels[EditorRowCount] = {
    TextName, TextLanguage, TextBase, TextEyes, TextBrowns, TextNose,
    TextEars, TextMouth, TextFacial, TextHair, TextTatoo, TextClothes
};

static int RowY(int row)
{
    return FirstRowY + RowPitch * row;
}

static std::string& PartField(int row)
{
    return EditedProfile.*AvatarParts[row - FirstPartRow].field;
}

static unsigned int PartImageCount(int row)
{
    return static_cast<unsigned int>(AvatarPartImages[row - FirstPartRow].size());
}

bool HasVisibleName(const std::string& name)
{
    for (size_t i = 0; i < name.size(); ++i)
        if (static_cast<unsigned char>(name[i]) > 32) return true;
    return false;
}

std::string FormatPartNumber(int n)
{
    char text[16];
    std::sprintf(text, n >= 0 && n < 10 ? "0%i" : "%i", n);
    return text;
}

// The name of a stored player is its folder's name and stays; a new one is typed, and so is
// the name of a stored player whose file lost it (no name line, or one too long to read).
static void OpenKeyboardForNewName()
{
    if (EditedProfile.folder.empty() || !HasVisibleName(EditedProfile.name)) KeyboardOpen = 1;
}

// The language becomes current at once, so the whole editor switches with it.
static void ChooseLanguage(int index)
{
    EditedProfile.languageIndex = index;
    EditedProfile.lang = LanguageTable.LanguageName(static_cast<unsigned int>(index));
    LanguageTable.SetLanguageIndex(static_cast<unsigned int>(index));
}

void NextChoice()
{
    if (EditorRow == NameRow) {
        OpenKeyboardForNewName();
    } else if (EditorRow == LanguageRow) {
        unsigned int index = static_cast<unsigned int>(EditedProfile.languageIndex) + 1u;
        if (index >= LanguageTable.LanguageCount()) index = 0;
        ChooseLanguage(static_cast<int>(index));
    } else if (EditorRow >= FirstPartRow && EditorRow < EditorRowCount) {
        // Unsigned: a negative or oversized number steps to 0, and nothing overflows.
        unsigned int n = static_cast<unsigned int>(PartNumber(PartField(EditorRow))) + 1u;
        if (n > PartImageCount(EditorRow)) n = 0;
        PartField(EditorRow) = FormatPartNumber(static_cast<int>(n));
    }
}

void PreviousChoice()
{
    if (EditorRow == NameRow) {
        OpenKeyboardForNewName();
    } else if (EditorRow == LanguageRow) {
        // From the first (or from an index the list does not hold) to the last; with no
        // language at all the index becomes -1, which names none.
        const int count = static_cast<int>(LanguageTable.LanguageCount());
        const int index = EditedProfile.languageIndex;
        ChooseLanguage(index > 0 && index <= count ? index - 1 : count - 1);
    } else if (EditorRow >= FirstPartRow && EditorRow < EditorRowCount) {
        const int number = PartNumber(PartField(EditorRow));
        const int n = number > 0 ? number - 1 : static_cast<int>(PartImageCount(EditorRow));
        PartField(EditorRow) = FormatPartNumber(n);
    }
}

static void RowUp()
{
    if (EditorRow > 0) --EditorRow;
}

static void RowDown()
{
    if (EditorRow < EditorRowCount - 1) ++EditorRow;
}

// A save the card refused keeps the editor open with the player's work, to try again.
static void SaveProfile()
{
    if (!HasVisibleName(EditedProfile.name)) { // blanks only would read back as no name
        NoticeId = NoticeNoName;
        return;
    }
    if (!CommitProfile()) {
        NoticeId = WriteFailedNotice();
        return;
    }
    KeyboardOpen = 0;
    ScreenMode = ScreenHome;
}

static void LeaveEditor()
{
    KeyboardOpen = 0;
    ScreenMode = ScreenHome;
}

// The key cursor keeps to the keys of its row.
static void ClampKeyColumn()
{
    if (KeyboardColumn > KeyboardRowLength(KeyboardRow)) KeyboardColumn = KeyboardRowLength(KeyboardRow);
}

static void KeyCursorUp()
{
    if (KeyboardRow > 1) --KeyboardRow;
    ClampKeyColumn();
}

static void KeyCursorDown()
{
    if (KeyboardRow < 4) ++KeyboardRow;
    ClampKeyColumn();
}

static void KeyCursorLeft()
{
    if (KeyboardColumn > 1) --KeyboardColumn;
}

static void KeyCursorRight()
{
    if (KeyboardColumn < KeyboardRowLength(KeyboardRow)) ++KeyboardColumn;
}

// A point inside the key under the cursor of the open panel, so the button acts as a touch.
static void PressKeyUnderCursor()
{
    const int x = 25 * KeyboardColumn + (KeyboardRow % 2 == 1 ? 12 : 25);
    const int y = 25 * KeyboardRow + 100;
    KeyboardPress(DisplayScale * x, DisplayScale * y);
}

// What each button does with the keyboard closed and open; other buttons do nothing.
struct EditorButton {
    int button;
    void (*keyboardClosed)();
    void (*keyboardOpen)();
};
static const EditorButton EditorButtons[] = {
    { ButtonUp, RowUp, KeyCursorUp },
    { ButtonDown, RowDown, KeyCursorDown },
    { ButtonLeft, PreviousChoice, KeyCursorLeft },
    { ButtonRight, NextChoice, KeyCursorRight },
    { ButtonX, SaveProfile, PressKeyUnderCursor },
    { ButtonY, LeaveEditor, LeaveEditor },
};
static const int EditorButtonCount = sizeof EditorButtons / sizeof EditorButtons[0];

static void HandleEditorButton(int button)
{
    if (NoticeId != NoticeNone) { // a shown notice takes the press, nothing else
        NoticeId = NoticeNone;
        return;
    }
    for (int i = 0; i < EditorButtonCount; ++i) {
        if (EditorButtons[i].button != button) continue;
        if (KeyboardOpen) EditorButtons[i].keyboardOpen();
        else EditorButtons[i].keyboardClosed();
        return;
    }
}

static void HandleEditorEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_JOYBUTTONDOWN) HandleEditorButton(event.jbutton.button);
        else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT && KeyboardOpen)
            KeyboardPress(event.button.x, event.button.y);
    }
}

static void DrawRow(int row)
{
    const std::string label = std::string(LanguageTable.GetText(RowLabels[row])) + ":";
    const std::string* value = 0;
    if (row == NameRow) value = &EditedProfile.name;
    else if (row == LanguageRow) value = &EditedProfile.lang;
    else if (PartNumber(PartField(row)) > 0) value = &PartField(row);
    // A part switched off shows a grey label and no number.
    const int shade = value ? 0 : 128;
    DrawText(ScreenSurface, label.c_str(), LabelX, RowY(row), shade, shade, shade, FontSmall);
    if (value) DrawText(ScreenSurface, value->c_str(), ValueX, RowY(row), 0, 0, 0, FontSmall);
}

// The bar glides 1, 2, 4, 4 ... pixels per frame and snaps onto the highlighted row.
static void GlideSelectBar()
{
    const int target = RowY(EditorRow);
    if (target > SelectBarY) {
        SelectBarY += SelectBarStep;
        if (SelectBarStep < 4) SelectBarStep *= 2;
        if (SelectBarY >= target) {
            SelectBarY = target;
            SelectBarStep = 1;
        }
    }
    if (target < SelectBarY) {
        SelectBarY -= SelectBarStep;
        if (SelectBarStep < 4) SelectBarStep *= 2;
        if (SelectBarY <= target) {
            SelectBarY = target;
            SelectBarStep = 1;
        }
    }
}

static void DrawEditor()
{
    const Uint32 frameFill = ScreenColour(255, 199, 140);
    DrawBox(AvatarFrame, frameFill, ScreenColour(255, 255, 255));
    DrawBox(RowsPanel, frameFill, ScreenColour(0, 0, 0));
    DrawAvatar(&EditedProfile);
    for (int row = 0; row < EditorRowCount; ++row) DrawRow(row);
    GlideSelectBar();
    if (SelectBarY != RowY(EditorRow)) ScreenChanged = 1; // the bar glides on next frame
    DrawImage(SelectBarSurface, 134, SelectBarY);
    DrawHint(ButtonPad2Surface, 24, TextEdit, 45);
    DrawHint(ButtonXSurface, 155, TextSave, 170);
    DrawHint(ButtonYSurface, 220, TextCancel, 235);
    if (NoticeId != NoticeNone) DrawNotice();
}

void ProfileEditor()
{
    HandleEditorEvents();
    DrawEditor();
}
