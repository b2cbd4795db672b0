// The game screen (ScreenGame): one game's title, counts, the grid of up to fifty
// achievements with a cursor, and the panel of the achievement under it.
#ifndef VOK_SCREENS_GAME_SCREEN_H
#define VOK_SCREENS_GAME_SCREEN_H

#include <string>

extern int GridColumn; // cursor column, 1 to 10
extern int GridRow;    // cursor row, 1 to 5: the rows the frame holds

void GameScreen(); // one frame: events, then drawing
void GridHitTest(unsigned short x, unsigned short y); // a touch on the grid moves the cursor
void LoadSelectedGame(); // summary, title, records, icons and texts of GameFolders[SelectedGame]
// The date of `seconds` since 1970 (UTC) in the current language's form (TextDateFormat),
// appended to `text`.
void AppendLocalDate(unsigned long seconds, std::string* text);

#endif
