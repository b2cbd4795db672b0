#include "screens/keyboard.h"

#include <SDL_ttf.h>

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

static void DrawPanel()
{
    FillRoundRectSmall(MakeRect(PanelX, KeyboardPanelY, PanelWidth, PanelHeight), ScreenColour(192, 192, 255));
    for (int row = 1; row <= 4; ++row) DrawKeyRow(row);
}

// The panel as last drawn into a surface of its own, with the state it shows: redrawn only
// when that changes, and copied onto the screen wherever the panel is. Everything the panel
// draws covers its own opaque fill, so the copy shows exactly what drawing it there would.
struct PanelLook {
    int row, column, upper, flashRow, flashColumn;
    TTF_Font* font;
    SDL_Surface* screen;
    bool operator==(const PanelLook& o) const
    {
        return row == o.row && column == o.column && upper == o.upper && flashRow == o.flashRow
               && flashColumn == o.flashColumn && font == o.font && screen == o.screen;
    }
};
static const int ComposeMargin = 8; // rows above and below the panel, kept empty to prove it
static SDL_Surface* ComposedPanel = 0;
static PanelLook ComposedLook;
static bool ComposedFits = false; // false: something drew outside the panel, so draw it directly

static PanelLook CurrentLook()
{
    const bool flash = KeyFlashFrames > 0;
    PanelLook look = { KeyboardRow, KeyboardColumn, UpperCase(), flash ? KeyFlashRow : 0, flash ? KeyFlashColumn : 0,
                       FontLarge, ScreenSurface };
    return look;
}

// True when only the panel's own pixels (all but its four corners) differ from the key colour.
static bool OnlyPanelDrawn(Uint32 key)
{
    const int top = ComposeMargin, bottom = ComposeMargin + PanelHeight - 1;
    const int left = PanelX, right = PanelX + PanelWidth - 1;
    for (int y = 0; y < ComposedPanel->h; ++y) {
        const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(ComposedPanel->pixels) + y * ComposedPanel->pitch);
        for (int x = 0; x < ComposedPanel->w; ++x) {
            const bool corner = (y == top || y == bottom) && (x == left || x == right);
            const bool inside = y >= top && y <= bottom && x >= left && x <= right && !corner;
            if (!inside && row[x] != key) return false;
        }
    }
    return true;
}

static void ComposePanel()
{
    SDL_Surface* screen = ScreenSurface;
    if (!ComposedPanel) {
        const SDL_PixelFormat* f = screen->format;
        ComposedPanel = SDL_CreateRGBSurface(SDL_SWSURFACE, ScreenWidth, PanelHeight + 2 * ComposeMargin, 16,
                                             f->Rmask, f->Gmask, f->Bmask, 0);
        if (!ComposedPanel) return;
    }
    const Uint32 key = SDL_MapRGB(ComposedPanel->format, 255, 0, 255);
    SDL_FillRect(ComposedPanel, 0, key);
    const int panelY = KeyboardPanelY;
    ScreenSurface = ComposedPanel;
    KeyboardPanelY = ComposeMargin;
    DrawPanel();
    KeyboardPanelY = panelY;
    ScreenSurface = screen;
    ComposedLook = CurrentLook();
    ComposedFits = OnlyPanelDrawn(key);
}

// Copies part of the composed panel, `rows` rows from panel row `from`, `inset` pixels narrower each side.
static void CopyPanelPart(int from, int rows, int inset)
{
    SDL_Rect part = MakeRect(PanelX + inset, ComposeMargin + from, PanelWidth - 2 * inset, rows);
    SDL_Rect at = MakeRect(PanelX + inset, KeyboardPanelY + from, 0, 0);
    SDL_BlitSurface(ComposedPanel, &part, ScreenSurface, &at);
}

// False when the panel must be drawn directly.
static bool DrawComposedPanel()
{
    if (!DrawingCaches || !ScreenSurface) return false;
    if (!ComposedPanel || ComposedPanel->format->BitsPerPixel != ScreenSurface->format->BitsPerPixel
        || !(ComposedLook == CurrentLook()))
        ComposePanel();
    if (!ComposedPanel || !ComposedFits) return false;
    CopyPanelPart(0, 1, 1); // the top and bottom rows lack their corner pixels
    CopyPanelPart(1, PanelHeight - 2, 0);
    CopyPanelPart(PanelHeight - 1, 1, 1);
    return true;
}

void PrepareKeyboard()
{
    if (ScreenSurface) DrawComposedPanel(); // drawn at the closed panel's place, below the screen
}

bool KeyboardShown()
{
    return KeyboardOpen || KeyboardPanelY < PanelClosedY;
}

void DrawKeyboard()
{
    if (KeyFlashFrames > 0) --KeyFlashFrames;
    if (!KeyboardShown()) {
        KeyboardSlideStep = 1;
        if (KeyFlashFrames > 0) ScreenChanged = 1; // counts down as if every frame were drawn
        return;
    }
    SlidePanel();
    if (!DrawComposedPanel()) DrawPanel();
    const bool resting = KeyboardPanelY == (KeyboardOpen ? PanelOpenY : PanelClosedY);
    if (!resting || KeyFlashFrames > 0) ScreenChanged = 1; // still sliding, or the flash still to end
}
