#include "screens/game_screen.h"

#include <cstdio>
#include <cstring>

#include "card/card_progress.h"

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "screens/keyboard.h"
#include "screens/menu_actions.h"
#include "screens/notices.h"
#include "screens/screen_common.h"
#include "store/active_profile.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"

int GridColumn = 1;
int GridRow = 1;

static const int GridLeft = 35; // top-left of the first cell
static const int GridTop = 35;
static const int CellSize = 25;
static const int GridRight = 284; // last pixel column of the tenth cell
static const int GridBottom = 159; // last pixel row of the fifth cell
static const int GridColumns = 10;
static const int GridRows = 5; // the frame holds five rows of ten
static const unsigned GridCells = 50;

void LoadSelectedGame()
{
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    LoadAchievementTexts();
}

// Index of the cursor cell into Achievements and AchievementTexts.
static unsigned CursorCell()
{
    return static_cast<unsigned>(GridRow - 1) * GridColumns + static_cast<unsigned>(GridColumn - 1);
}

// True when cell `cell` lies in the grid and has a text; unsigned, so no cell lies before 0.
static bool CellHasText(unsigned cell)
{
    return cell < GridCells && cell < AchievementTexts.size();
}

void GridHitTest(unsigned short x, unsigned short y)
{
    int px = x / DisplayScale;
    int py = y / DisplayScale;
    if (py < GridTop || py > GridBottom || px < GridLeft || px > GridRight)
        return;
    int row = (py - GridTop) / CellSize + 1;
    int column = (px - GridLeft) / CellSize + 1;
    if (CellHasText(static_cast<unsigned>((row - 1) * GridColumns + column - 1))) {
        GridRow = row;
        GridColumn = column;
    }
}

// One step of the cursor along a row or column, kept inside the grid's frame (ten columns,
// five rows, however many texts the game has) and on cells that have a text.
static void MoveCursor(int* coordinate, int step, int last, int cellOffset)
{
    int moved = *coordinate + step;
    if (moved >= 1 && moved <= last && CellHasText(CursorCell() + static_cast<unsigned>(cellOffset)))
        *coordinate = moved;
}

static void CursorUp() { MoveCursor(&GridRow, -1, GridRows, -GridColumns); }
static void CursorDown() { MoveCursor(&GridRow, 1, GridRows, GridColumns); }
static void CursorLeft() { MoveCursor(&GridColumn, -1, GridColumns, -1); }
static void CursorRight() { MoveCursor(&GridColumn, 1, GridColumns, 1); }

static void CursorHome()
{
    GridColumn = 1;
    GridRow = 1;
}

static void OpenGameMenu() { OpenPopup(PopupGameMenu); }
static int GameCount() { return static_cast<int>(GameFolders.size()); }

// The game at `index` selected and loaded, the cursor back home, the sound.
static void SwitchGame(int index)
{
    SelectedGame = index;
    LoadSelectedGame();
    CursorHome();
    PlayNextSound();
}

static void PreviousGame() { SwitchGame(PreviousIndex(SelectedGame, GameCount())); }
static void NextGame() { SwitchGame(NextIndex(SelectedGame, GameCount())); }

// Confirming the removal of the shown game loads the next one, and every newly loaded game
// starts with the cursor on its first cell: left where it was, it could sit on a cell the
// next game has no text for, with nothing shown and no way to move until L or R.
static void ConfirmMenuItem()
{
    bool removesGame = PopupId == PopupRemoveGame && PopupCursor == 0;
    MenuAction();
    if (removesGame)
        CursorHome();
}

static void BackHome()
{
    ScreenMode = ScreenHome;
}

static const ButtonAction GameButtons[] = {
    { ButtonUp, CursorUp, PopupCursorUp },
    { ButtonDown, CursorDown, PopupCursorDown },
    { ButtonLeft, CursorLeft, 0 },
    { ButtonRight, CursorRight, 0 },
    { ButtonL, PreviousGame, 0 },
    { ButtonR, NextGame, 0 },
    { ButtonMenu, OpenGameMenu, ClosePopup },
    { ButtonB, 0, ConfirmMenuItem },
    { ButtonX, 0, ConfirmMenuItem },
    { ButtonY, BackHome, 0 }
};

static void HandleEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT && PopupId == PopupNone)
            GridHitTest(event.button.x, event.button.y); // a notice does not block touches
        else if (event.type == SDL_JOYBUTTONDOWN)
            HandleScreenButton(GameButtons, sizeof GameButtons / sizeof GameButtons[0], event.jbutton.button);
    }
}

static SDL_Surface* CellImage(const AchievementRecord& record)
{
    if (!record.unlocked)
        return LockedSurface;
    SDL_Surface* icon = AchievementIcon(record.id); // null for ids outside 1 to 50
    return icon ? icon : UnlockedSurface;
}

static void DrawGrid()
{
    int x = GridLeft;
    int y = GridTop;
    for (size_t i = 0; i < Achievements.size() && i < GridCells; ++i) {
        DrawImageInside(CellImage(Achievements[i]), x, y, CARD_ICON_SIDE, CARD_ICON_SIDE);
        x += CellSize;
        if (x > GridRight) {
            x = GridLeft;
            y += CellSize;
        }
    }
}

// A text in black in the small font; takes the language's texts as they are, without a copy.
static void DrawBlack(const char* text, int x, int y)
{
    DrawText(ScreenSurface, text, x, y, 0, 0, 0, FontSmall);
}

// "label: part/whole" into `line`.
static const std::string& CountLine(std::string* line, int textId, int part, int whole)
{
    line->assign(LanguageTable.GetText(textId)).append(": ").append(IntText(part)).append("/").append(IntText(whole));
    return *line;
}

static void DrawHeader()
{
    static std::string title, achievements, points; // keep their storage, so a steady frame allocates nothing
    title.assign(GameTitle).append(" (").append(GameAuthor).append(")");
    DrawText(ScreenSurface, title.c_str(), 36, 11, 255, 255, 255, FontSmall);
    DrawBlack(title.c_str(), 35, 10);
    CountLine(&achievements, TextAchievementsLabel, GameSummary.unlockedCount, GameSummary.achievementCount);
    DrawBlack(achievements.c_str(), 35, 21);
    CountLine(&points, TextPointsLabel, GameSummary.pointsEarned, GameSummary.pointsPossible);
    DrawBlack(points.c_str(), 284 - TextWidth(FontSmall, points.c_str()), 21);
}

// What the grid area shows: drawn once into GridArea, then copied while none of it changes.
struct GridAreaKey {
    SDL_Surface* images[GridCells]; // each cell's image; null past the records
    std::string header;             // the title line and both counts
    SDL_Surface* screen;
    SDL_Surface* background;        // shows at the frame's cut corners
    TTF_Font* font;
    Uint32 colour;
    unsigned surfacesFreed;         // a freed image's address may come back holding another
    bool operator==(const GridAreaKey& other) const
    {
        for (unsigned i = 0; i < GridCells; ++i)
            if (images[i] != other.images[i]) return false;
        return header == other.header && screen == other.screen && background == other.background &&
               font == other.font && colour == other.colour && surfacesFreed == other.surfacesFreed;
    }
};
static GridAreaKey GridAreaShown;
static SDL_Surface* GridArea = 0; // the grid's frame, its cells and the header, as last drawn

static void MakeGridAreaKey(GridAreaKey* key, Uint32 colour)
{
    for (unsigned i = 0; i < GridCells; ++i)
        key->images[i] = i < Achievements.size() ? CellImage(Achievements[i]) : 0; // reads an icon when first asked
    static std::string count; // keeps its storage from frame to frame
    key->header.assign(GameTitle).append(" (").append(GameAuthor).append(")").append(1, '\0');
    key->header.append(CountLine(&count, TextAchievementsLabel, GameSummary.unlockedCount, GameSummary.achievementCount));
    key->header.append(1, '\0').append(CountLine(&count, TextPointsLabel, GameSummary.pointsEarned, GameSummary.pointsPossible));
    key->screen = ScreenSurface;
    key->background = BackgroundSurface;
    key->font = FontSmall;
    key->colour = colour;
    key->surfacesFreed = SurfacesFreed; // after CellImage, which may free nothing but reads
}

// The frame, the cells and the header: the long title and the keyed icons cost far more to
// blend than the copy of the area they make.
static void DrawGridArea(SDL_Rect frame, Uint32 colour, const GridAreaKey& key)
{
    SDL_Rect area = frame;
    if (DrawingCaches && GridArea && key == GridAreaShown) {
        SDL_BlitSurface(GridArea, 0, ScreenSurface, &area);
        return;
    }
    FillRoundRect(frame, colour);
    DrawGrid();
    DrawHeader();
    if (!DrawingCaches || !ScreenSurface) return;
    const SDL_PixelFormat* f = ScreenSurface->format;
    if (GridArea && (GridArea->w != frame.w || GridArea->h != frame.h || GridArea->format->BitsPerPixel != f->BitsPerPixel))
        FreeSurface(&GridArea);
    if (!GridArea)
        GridArea = SDL_CreateRGBSurface(SDL_SWSURFACE, frame.w, frame.h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!GridArea) return;
    SDL_BlitSurface(ScreenSurface, &area, GridArea, 0);
    MakeGridAreaKey(&GridAreaShown, colour); // after its own FreeSurface, if any
}

static const AchievementText& TextForId(int id)
{
    for (size_t i = 0; i < AchievementTexts.size(); ++i) {
        if (AchievementTexts[i].id == id)
            return AchievementTexts[i];
    }
    return AchievementTexts[0];
}

// The n-th (1-based) blank-separated word of `words` appended to `text`; nothing when there
// are fewer.
static void AppendWord(const char* words, int n, std::string* text)
{
    for (int i = 1;; ++i) {
        words += std::strspn(words, " ");
        const size_t length = std::strcspn(words, " ");
        if (length == 0) return;
        if (i == n) {
            text->append(words, length);
            return;
        }
        words += length;
    }
}

void AppendLocalDate(unsigned long seconds, std::string* text)
{
    CardDateTime date;
    CardDateFromSeconds(seconds, &date);
    char number[16];
    for (const char* format = LanguageTable.GetText(TextDateFormat); *format; ++format) {
        if (format[0] != '%' || format[1] == '\0') {
            *text += *format;
            continue;
        }
        switch (*++format) {
        case 'd': std::sprintf(number, "%02d", date.day); break;
        case 'e': std::sprintf(number, "%d", date.day); break;
        case 'm': std::sprintf(number, "%02d", date.month); break;
        case 'Y': std::sprintf(number, "%d", date.year); break;
        case 'b': AppendWord(LanguageTable.GetText(TextMonthNames), date.month, text); continue;
        default: std::sprintf(number, "%c", *format); break;
        }
        *text += number;
    }
}

static const int PanelSecondRow = 175; // the row between the name and the description, free before

// Progress towards a locked achievement: a bar and "current / target", current held to the bar.
static void DrawProgress(const CardProgress& progress)
{
    static const int BarLeft = 35, BarTop = 177, BarWidth = 120, BarHeight = 7;
    const int shown = CardProgressShown(&progress);
    const int inside = BarWidth - 2;
    const int filled = static_cast<int>(static_cast<double>(shown) / progress.target * inside);
    SDL_Rect frame = MakeRect(BarLeft, BarTop, BarWidth, BarHeight); // square corners: too thin to round
    SDL_Rect empty = MakeRect(BarLeft + 1, BarTop + 1, inside, BarHeight - 2);
    SDL_Rect bar = MakeRect(BarLeft + 1, BarTop + 1, filled, BarHeight - 2);
    SDL_FillRect(ScreenSurface, &frame, ScreenColour(0, 0, 0));
    SDL_FillRect(ScreenSurface, &empty, ScreenColour(255, 255, 255));
    if (filled > 0)
        SDL_FillRect(ScreenSurface, &bar, ScreenColour(0, 150, 0));
    static std::string count; // keeps its storage from frame to frame
    count.assign(IntText(shown)).append(" / ").append(IntText(progress.target));
    DrawBlack(count.c_str(), BarLeft + BarWidth + 5, PanelSecondRow);
}

// Under the name: the date an unlocked achievement was unlocked, when the game recorded it,
// or the progress of a locked one towards its target. Nothing for a card without vok.progress.
static void DrawProgressRow(const AchievementRecord& record)
{
    const CardProgress progress = ProgressOf(record.id);
    if (record.unlocked && progress.unlockedAt != 0) {
        static std::string line; // keeps its storage from frame to frame
        line.assign(LanguageTable.GetText(TextUnlockedOn)).append(" ");
        AppendLocalDate(progress.unlockedAt, &line);
        DrawBlack(line.c_str(), 35, PanelSecondRow);
    } else if (!record.unlocked && progress.target > 0) {
        DrawProgress(progress);
    }
}

static void DrawPanelText(const std::string& name, const char* description)
{
    DrawBlack(name.c_str(), 35, 165);
    DrawTwoLineText(ScreenSurface, description, 35, 185, 0, 0, 0, FontSmall);
}

// The achievement under the cursor. The cursor is bounded by the texts, not the records,
// so it can rest on a cell the game wrote no record for. Then there are no points and
// no locked state to honour: the panel shows the text entry at that same position, its
// name without points and its description, which is what the game describes there.
static void DrawPanel()
{
    unsigned cell = CursorCell();
    if (AchievementTexts.empty())
        return;
    if (cell >= Achievements.size()) {
        if (cell < AchievementTexts.size())
            DrawPanelText(AchievementTexts[cell].name, AchievementTexts[cell].description);
        return;
    }
    const AchievementRecord& record = Achievements[cell];
    if (record.hidden && !record.unlocked) {
        DrawBlack(LanguageTable.GetText(TextHiddenName), 35, 165);
        DrawBlack(LanguageTable.GetText(TextHiddenDescription), 35, 185);
        return;
    }
    const AchievementText& text = TextForId(record.id);
    static std::string name; // keeps its storage from frame to frame
    name.assign(text.name).append(" (").append(IntText(record.points)).append(")");
    DrawPanelText(name, text.description);
    DrawProgressRow(record); // after the hidden case: nothing of a hidden locked one shows
}

static void DrawGameHints()
{
    DrawHint(ButtonPad2Surface, 24, TextChoose, 45);
    if (GameFolders.size() > 1) {
        DrawImage(ButtonLSurface, 105, 220);
        DrawHint(ButtonRSurface, 122, TextSwitchGame, 140);
    }
    DrawHint(ButtonYSurface, 220, TextBack, 235);
}

static const std::string& SnapshotFileName()
{
    static std::string name; // keeps its storage from frame to frame
    const ProfileRecord* profile = CurrentProfile();
    const std::string* game = CurrentGameFolder();
    if (!profile || !game)
        name.clear();
    else
        name.assign(profile->folder).append("_").append(*game).append(".bmp");
    return name;
}

// What the hints show: their images, their texts and whether L and R switch games.
struct HintsKey {
    SDL_Surface* images[5];
    std::string texts;
    bool operator==(const HintsKey& other) const
    {
        for (unsigned i = 0; i < 5; ++i)
            if (images[i] != other.images[i]) return false;
        return texts == other.texts;
    }
};

static void MakeHintsKey(HintsKey* key)
{
    SDL_Surface* images[5] = { ButtonPad2Surface, ButtonLSurface, ButtonRSurface, ButtonYSurface, SelectKeySurface };
    for (unsigned i = 0; i < 5; ++i) key->images[i] = images[i];
    key->texts.assign(LanguageTable.GetText(TextChoose)).append(1, '\0').append(LanguageTable.GetText(TextSwitchGame));
    key->texts.append(1, '\0').append(LanguageTable.GetText(TextBack)).append(1, GameFolders.size() > 1 ? '2' : '1');
}

static const SDL_Rect GridFrame = { 31, 10, 257, 153 };
static const SDL_Rect PanelFrame = { 31, 165, 257, 50 };
static const int PanelBandBottom = 215; // the rows from the panel's top to here hold nothing but the panel
static const int PanelLastTextTop = 195; // the description's second line

static HintsKey HintsShown; // as the last frame drew them
static int ColumnShown = 0, RowShown = 0; // the cursor as the last frame drew it

// Where the grid cursor's image lies over the cell at (column, row).
static SDL_Rect CursorRect(int column, int row)
{
    const int w = SelectKeySurface ? SelectKeySurface->w : 0, h = SelectKeySurface ? SelectKeySurface->h : 0;
    return MakeRect(column * CellSize + 10, row * CellSize + 10, w, h);
}

static bool InsideGridFrame(const SDL_Rect& r)
{
    return r.x >= GridFrame.x && r.y >= GridFrame.y && r.x + r.w <= GridFrame.x + GridFrame.w &&
           r.y + r.h <= GridFrame.y + GridFrame.h;
}

// True when, of what the last frame showed, only the cursor and the panel may differ: the grid
// area kept as shown, the same hints, nothing over the screen, both cursor places inside the
// grid area and the panel's texts inside its band.
static bool OnlyCursorAndPanelChanged(const GridAreaKey& grid, const HintsKey& hints)
{
    return DrawingCaches && DrawOnlyWhenChanged && BackgroundSurface && GridArea && PopupId == PopupNone &&
           NoticeId == NoticeNone && SnapshotCountdown <= 0 && !KeyboardShown() && grid == GridAreaShown &&
           hints == HintsShown && InsideGridFrame(CursorRect(ColumnShown, RowShown)) &&
           InsideGridFrame(CursorRect(GridColumn, GridRow)) &&
           (!FontSmall || PanelLastTextTop + TTF_FontHeight(FontSmall) <= PanelBandBottom);
}

// The cells under the old and the new cursor from the kept grid area, the cursor, and the
// panel's band anew; only these parts are shown. The same pixels as the whole frame: nothing
// else there differs, and nothing else is drawn over them.
static void RedrawCursorAndPanel(Uint32 frameColour)
{
    SDL_Rect parts[3] = { MakeRect(0, PanelFrame.y, ScreenWidth, PanelBandBottom - PanelFrame.y),
                          CursorRect(ColumnShown, RowShown), CursorRect(GridColumn, GridRow) };
    CopySurface(BackgroundSurface, &parts[0], ScreenSurface, parts[0].x, parts[0].y);
    FillRoundRect(PanelFrame, frameColour);
    for (int i = 1; i < 3; ++i) {
        SDL_Rect from = MakeRect(parts[i].x - GridFrame.x, parts[i].y - GridFrame.y, parts[i].w, parts[i].h);
        CopySurface(GridArea, &from, ScreenSurface, parts[i].x, parts[i].y);
    }
    DrawImage(SelectKeySurface, parts[2].x, parts[2].y);
    DrawPanel();
    for (int i = 0; i < 3; ++i) ShownParts[i] = parts[i];
    ShownPartCount = 3;
}

void GameScreen()
{
    const bool kept = ScreenKeepsPicture; // then the frame loop left the background to this frame
    ScreenKeepsPicture = false;           // until this frame is drawn whole
    HandleEvents();
    Uint32 frameColour = ScreenColour(255, 199, 140);
    static GridAreaKey gridKey; // keep their storage from frame to frame
    static HintsKey hintsKey;
    MakeGridAreaKey(&gridKey, frameColour);
    MakeHintsKey(&hintsKey);
    if (kept && OnlyCursorAndPanelChanged(gridKey, hintsKey)) {
        RedrawCursorAndPanel(frameColour);
    } else {
        if (kept) CopySurface(BackgroundSurface, 0, ScreenSurface, 0, 0);
        FillRoundRect(PanelFrame, frameColour);
        DrawGridArea(GridFrame, frameColour, gridKey);
        DrawImage(SelectKeySurface, GridColumn * 25 + 10, GridRow * 25 + 10); // below the header's texts: they never meet
        DrawPanel();
        SnapshotStep(SnapshotFileName(), NoticeGameSnapshot);
        DrawGameHints();
        if (NoticeId != NoticeNone)
            DrawNotice();
        DrawPopup();
    }
    HintsShown = hintsKey;
    ColumnShown = GridColumn;
    RowShown = GridRow;
    ScreenKeepsPicture = ScreenMode == ScreenGame && DrawingCaches && DrawOnlyWhenChanged && PopupId == PopupNone &&
                         NoticeId == NoticeNone && SnapshotCountdown <= 0 && !KeyboardShown();
}
