#include "screens/keyboard.h"

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "profile/profile_file.h"

int KeyboardOpen = 0;
int KeyboardRow = 1;
int KeyboardColumn = 1;
int KeyboardShift = 0;
int KeyboardLock = 0;
int KeyFlashRow = 0;
int KeyFlashColumn = 0;
int KeyFlashFrames = 0;
int KeyboardPanelY = 240;
int KeyboardSlideStep = 1;

static const unsigned int NameLimit = 15; // characters of a display name
static const int KeyPitch = 25;           // pixels between keys and between rows
static const int KeySize = 24;
static const int PanelX = 21;
static const int PanelWidth = 278;
static const int PanelHeight = 103;
static const int PanelOpenY = 113;        // top of the fully open panel
static const int PanelClosedY = 240;      // below the screen
static const int TouchTop = 115;          // first pixel row of the keys' touch areas
static const int FlashFrames = 8;

// The four rows of keys; a key is one character, column 1 the first. The blank characters
// are the special keys below.
struct KeyRow {
    const char* lower;
    const char* upper;
    int keyCount;
    int firstX; // left edge of the first key; its touch area starts two pixels further right
};
static const KeyRow KeyRows[4] = {
    {"1234567890 ", "1234567890 ", 11, 23},
    {"qwertyuiop", "QWERTYUIOP", 10, 35},
    {" asdfghjkl ", " ASDFGHJKL ", 11, 23},
    {" zxcvbnm ", " ZXCVBNM ", 9, 35},
};

enum SpecialKind { KeyDelete, KeyReturn, KeyLock, KeyShift, KeySpace };

// Keys that do not type their character; drawn with their image over the key, in this order.
struct SpecialKey {
    int row, column;
    SpecialKind kind;
    SDL_Surface** image; // null: drawn as a plain blank key
};
static const SpecialKey SpecialKeys[] = {
    {1, 11, KeyDelete, &DeleteKeySurface},
    {3, 11, KeyReturn, &ReturnKeySurface},
    {3, 1, KeyLock, &LockKeySurface},
    {4, 1, KeyShift, &CapsKeySurface},
    {4, 9, KeySpace, 0},
};
static const int SpecialKeyCount = sizeof SpecialKeys / sizeof SpecialKeys[0];

static const SpecialKey* FindSpecialKey(int row, int column)
{
    for (int i = 0; i < SpecialKeyCount; ++i)
        if (SpecialKeys[i].row == row && SpecialKeys[i].column == column) return &SpecialKeys[i];
    return 0;
}

static bool UpperCase()
{
    return KeyboardShift != 0 || KeyboardLock != 0;
}

static char KeyCharacter(int row, int column)
{
    const KeyRow& keys = KeyRows[row - 1];
    return (UpperCase() ? keys.upper : keys.lower)[column - 1];
}

static void MoveCursor(int row, int column)
{
    KeyboardRow = row;
    KeyboardColumn = column;
}

// Row 1 to 4 under a screen y, 0 outside the keys.
static int TouchedRow(int y)
{
    if (y < TouchTop || y > TouchTop + 4 * KeyPitch - 1) return 0;
    return (y - TouchTop) / KeyPitch + 1;
}

// Column 1 to 11 under a screen x in `row`, 0 outside; may lie beyond the row's last key.
static int TouchedColumn(int row, int x)
{
    const int left = KeyRows[row - 1].firstX + 2;
    if (x < left || x > left + 11 * KeyPitch - 1) return 0;
    return (x - left) / KeyPitch + 1;
}

static void PressSpecialKey(const SpecialKey& key)
{
    std::string& name = EditedProfile.name;
    switch (key.kind) {
    case KeyDelete:
        if (name.empty()) return;
        name.erase(name.size() - 1);
        break;
    case KeyReturn:
        KeyboardOpen = 0;
        break;
    case KeyLock:
        KeyboardLock = !KeyboardLock;
        break;
    case KeyShift:
        KeyboardShift = !KeyboardShift;
        break;
    case KeySpace:
        if (name.size() >= NameLimit) return;
        name += ' ';
        break;
    }
    MoveCursor(key.row, key.column);
}

static void PressCharacterKey(int row, int column)
{
    std::string& name = EditedProfile.name;
    if (name.size() >= NameLimit) return;
    name += KeyCharacter(row, column);
    KeyboardShift = 0;
    KeyFlashRow = row;
    KeyFlashColumn = column;
    KeyFlashFrames = FlashFrames;
    MoveCursor(row, column);
}

void KeyboardPress(int x, int y)
{
    const int row = TouchedRow(y / DisplayScale);
    if (row == 0) return;
    const int column = TouchedColumn(row, x / DisplayScale);
    if (column == 0 || column > KeyRows[row - 1].keyCount) return;
    const SpecialKey* special = FindSpecialKey(row, column);
    if (special) PressSpecialKey(*special);
    else PressCharacterKey(row, column);
}

int KeyboardRowLength(int row)
{
    return row >= 1 && row <= 4 ? KeyRows[row - 1].keyCount : 0;
}

// The panel glides 2, 4, 8, 16, 16 ... pixels per frame towards open or closed.
static void SlidePanel()
{
    if (KeyboardSlideStep <= 15) KeyboardSlideStep *= 2;
    if (KeyboardOpen && KeyboardPanelY > PanelOpenY) {
        KeyboardPanelY -= KeyboardSlideStep;
        if (KeyboardPanelY < PanelOpenY) KeyboardPanelY = PanelOpenY;
    }
    if (!KeyboardOpen && KeyboardPanelY < PanelClosedY) {
        KeyboardPanelY += KeyboardSlideStep;
        if (KeyboardPanelY > PanelClosedY) KeyboardPanelY = PanelClosedY;
    }
}

static void DrawKey(int row, int column, int x, int y)
{
    FillRoundRectSmall(MakeRect(x, y, KeySize, KeySize), ScreenColour(128, 0, 128));
    const char label[2] = {KeyCharacter(row, column), 0};
    if (label[0] != ' ') { // the blank keys have no glyph to draw, nor to flash
        DrawText(ScreenSurface, label, x + 7, y - 3, 255, 255, 0, FontLarge);
        if (KeyFlashFrames > 0 && row == KeyFlashRow && column == KeyFlashColumn)
            DrawText(ScreenSurface, label, x + 7, y - 3, 255, 0, 0, FontLarge);
    }
    if (row == KeyboardRow && column == KeyboardColumn) DrawImage(SelectKeySurface, x, y);
}

static void DrawKeyRow(int row)
{
    const KeyRow& keys = KeyRows[row - 1];
    const int y = KeyboardPanelY + 2 + (row - 1) * KeyPitch;
    for (int column = 1; column <= keys.keyCount; ++column)
        DrawKey(row, column, keys.firstX + (column - 1) * KeyPitch, y);
    // The special images go over their keys, and so over the cursor too.
    for (int i = 0; i < SpecialKeyCount; ++i) {
        const SpecialKey& key = SpecialKeys[i];
        if (key.row == row && key.image)
            DrawImage(*key.image, keys.firstX + (key.column - 1) * KeyPitch, y);
    }
}

void DrawKeyboard()
{
    if (KeyFlashFrames > 0) --KeyFlashFrames;
    if (!KeyboardOpen && KeyboardPanelY >= PanelClosedY) {
        KeyboardSlideStep = 1;
        return;
    }
    SlidePanel();
    FillRoundRectSmall(MakeRect(PanelX, KeyboardPanelY, PanelWidth, PanelHeight), ScreenColour(192, 192, 255));
    for (int row = 1; row <= 4; ++row) DrawKeyRow(row);
}
