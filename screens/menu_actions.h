// What confirming a line of a popup menu does: a snapshot, the questions before a removal, the
// removal of the selected player or game itself, and leaving.
#ifndef VOK_SCREENS_MENU_ACTIONS_H
#define VOK_SCREENS_MENU_ACTIONS_H

void MenuAction();    // carries out PopupCursor of the open PopupId
void RemoveProfile(); // the selected player's folder, then the players listed again
void RemoveGame();    // the selected game's folder, then totals, rankings and games again

#endif
