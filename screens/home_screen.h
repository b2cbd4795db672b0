// The home screen (ScreenHome): the selected player's card, switching players, and the way
// into the games, the editor and the home menu.
#ifndef VOK_SCREENS_HOME_SCREEN_H
#define VOK_SCREENS_HOME_SCREEN_H

void HomeScreen(); // one frame: events, then drawing
// One step of reading ahead what a left or right press would show: the two neighbours'
// avatar parts and their ranking icons. False when all of it is ready (or off the home screen).
bool HomeReadAhead();
// Stars of the card's rating for the two totals, 0 to 5 (64-bit percentage).
int StarCount(int pointsEarned, int pointsPossible);

#endif
