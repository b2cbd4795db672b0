#include "graphics/popup.h"

#include "frame/state.h"
#include "graphics/draw.h"
#include "localization/language_table.h"
#include "localization/texts.h"

struct PopupBox {
    Popup id;
    SDL_Rect rect;
    int itemCount;
    TextId lines[3]; // only the first itemCount are drawn
};

// The four menus; MenuAction gives each line its meaning.
static const PopupBox PopupBoxes[] = {
    { PopupHomeMenu, { 110, 98, 100, 45 }, 3, { TextSnapshot, TextRemoveProfile, TextExit } },
    { PopupRemoveProfile, { 110, 103, 100, 35 }, 2, { TextRemoveProfile, TextCancel, TextCancel } },
    { PopupGameMenu, { 100, 98, 120, 45 }, 3, { TextSnapshot, TextRemoveGame, TextExit } },
    { PopupRemoveGame, { 100, 103, 120, 35 }, 2, { TextRemoveGame, TextCancel, TextCancel } }
};
static const int PopupBoxCount = sizeof PopupBoxes / sizeof PopupBoxes[0];

static const PopupBox* FindPopupBox(int id)
{
    for (int i = 0; i < PopupBoxCount; ++i)
        if (PopupBoxes[i].id == id) return &PopupBoxes[i];
    return 0;
}

// The bar starts 3 pixels below the top of its line's text and is drawn before the texts,
// so the highlighted line reads on it.
// A cursor outside the box's lines (a press before the new box's first drawing wraps on the
// old box's line count) gets no bar rather than one hanging below the box.
static void DrawPopupBar(const SDL_Rect& box, int itemCount)
{
    if (PopupCursor < 0 || PopupCursor >= itemCount || !ScreenSurface) return;
    SDL_Rect bar = MakeRect(box.x + 1, box.y + 8 + 10 * PopupCursor, box.w - 2, 10);
    SDL_FillRect(ScreenSurface, &bar, ScreenColour(0, 180, 180));
}

void DrawPopup()
{
    const PopupBox* box = FindPopupBox(PopupId);
    if (!box) return;
    const SDL_Rect& rect = box->rect;
    PopupItemCount = box->itemCount;
    DrawBox(rect, ScreenColour(0, 0, 128), ScreenColour(255, 255, 255));
    DrawPopupBar(rect, box->itemCount);
    for (int i = 0; i < box->itemCount; ++i)
        DrawText(ScreenSurface, LanguageTable.GetText(box->lines[i]), rect.x + 10, rect.y + 5 + 10 * i,
                 255, 255, 0, FontSmall);
}

SDL_Rect NoticeBoxRect(int textWidth)
{
    if (textWidth < 0) textWidth = 0;
    int width = textWidth <= 250 ? textWidth + 20 : 250;
    return MakeRect(160 - width / 2, 100, width, 35);
}

// Sized on the whole text before it is split, so a two-line notice gets the capped width.
void DrawNoticeBox(const char* text)
{
    SDL_Rect rect = NoticeBoxRect(TextWidth(FontSmall, text));
    DrawBox(rect, ScreenColour(0, 0, 255), ScreenColour(255, 255, 255));
    DrawTwoLineText(ScreenSurface, text, rect.x + 10, 105, 255, 255, 0, FontSmall);
}
