#include "screens/screen_common.h"

#include <cstdio>
#include "frame/state.h"
#include "graphics/draw.h"
#include "localization/language_table.h"
#include "screens/notices.h"

void HandleScreenButton(const ButtonAction* table, int count, int button)
{
    if (DismissNotice())
        return;
    for (int i = 0; i < count; ++i) {
        if (table[i].button != button)
            continue;
        void (*action)() = PopupId == PopupNone ? table[i].withoutMenu : table[i].withMenu;
        if (action)
            action();
        return;
    }
}

void PopupCursorUp()
{
    PopupCursor = PopupCursor - 1;
    if (PopupCursor < 0)
        PopupCursor = PopupItemCount - 1;
}

void PopupCursorDown()
{
    PopupCursor = PopupCursor + 1;
    if (PopupCursor >= PopupItemCount)
        PopupCursor = 0;
}

void OpenPopup(Popup id)
{
    PopupCursor = 0;
    PopupId = id;
}

void ClosePopup()
{
    PopupId = PopupNone;
}

int PreviousIndex(int index, int count)
{
    return index <= 0 ? count - 1 : index - 1;
}

// Compared unsigned, so a negative index also starts again at the first entry.
int NextIndex(int index, int count)
{
    unsigned next = static_cast<unsigned>(index) + 1u;
    return next >= static_cast<unsigned>(count) ? 0 : static_cast<int>(next);
}

void DrawHint(SDL_Surface* icon, int iconX, int textId, int textX)
{
    DrawImage(icon, iconX, 220);
    DrawText(ScreenSurface, LanguageTable.GetText(textId), textX, 220, 255, 255, 0, FontSmall);
}

std::string IntText(int value)
{
    char text[16];
    std::sprintf(text, "%i", value);
    return text;
}
