// The store's links with the world outside one run: the player selected at exit
// ("activevok"), the update marker games leave, and the removal of a player or a game
// that the popup menus ask for.
#ifndef VOK_STORE_ACTIVE_PROFILE_H
#define VOK_STORE_ACTIVE_PROFILE_H

void LoadStore();         // start-up: select the active player, its language, totals, ranking
void SaveActiveProfile(); // exit: the selected player's folder name into "activevok"
int HasUpdateMarker();    // 1 when the selected player's "update" file exists
void MenuAction();        // carries out PopupCursor of the open PopupId
void RemoveProfile();
void RemoveGame();

#endif
