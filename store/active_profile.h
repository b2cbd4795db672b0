// The store's links with the world outside one run: the player selected at exit
// ("activevok") and the update marker games leave.
#ifndef VOK_STORE_ACTIVE_PROFILE_H
#define VOK_STORE_ACTIVE_PROFILE_H

void LoadStore();         // start-up: select the active player, its language, totals, ranking
void SaveActiveProfile(); // exit: the selected player's folder name into "activevok"
int HasUpdateMarker();    // 1 when the selected player's "update" file exists

#endif
