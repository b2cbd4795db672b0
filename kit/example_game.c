/* An example game: records "Tiny Quest" for the player vok had selected (or the player folder
   given) and unlocks the achievement named on the command line, as a game does when the
   player earns it; each run also visits one more of the ten rooms of "Explorer", which
   unlocks when all ten are seen.   example_game STORE ACHIEVEMENT-ID [PLAYER-FOLDER] */
#include <stdio.h>
#include <stdlib.h>
#include "vok_kit.h"

static int Check(int result)
{
    if (result != VOK_OK) {
        fprintf(stderr, "example_game: %s\n", VokErrorMessage());
        exit(1);
    }
    return result;
}

int main(int argc, char **argv)
{
    char player[256];
    VokGame *game;
    int rooms = 0;
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "usage: example_game STORE ACHIEVEMENT-ID [PLAYER-FOLDER]\n");
        return 2;
    }
    if (argc == 4) sprintf(player, "%.255s", argv[3]);
    else Check(VokActivePlayer(argv[1], player, sizeof player));
    Check(VokOpenGame(argv[1], player, "tinyquest", &game)); /* reads back earlier runs */
    Check(VokSetTitle(game, "Tiny Quest", "Example Games"));
    Check(VokSetTextLanguage(game, VOK_LANGUAGE_ENGLISH));
    Check(VokDescribe(game, 1, 10, 0));
    Check(VokDescribe(game, 2, 20, 0));
    Check(VokDescribe(game, 3, 50, 1)); /* hidden until unlocked */
    Check(VokSetText(game, 1, VOK_LANGUAGE_ENGLISH, "First Step", "Leave the house."));
    Check(VokSetText(game, 2, VOK_LANGUAGE_ENGLISH, "Explorer", "Visit every room."));
    Check(VokSetText(game, 3, VOK_LANGUAGE_ENGLISH, "Dragon Friend", "Share a meal with the dragon."));
    Check(VokSetText(game, 1, VOK_LANGUAGE_GERMAN, "Erster Schritt", "Verlasse das Haus."));
    Check(VokSetText(game, 2, VOK_LANGUAGE_GERMAN, "Entdecker", "Besuche jeden Raum."));
    Check(VokSetText(game, 3, VOK_LANGUAGE_GERMAN, "Drachenfreund", "Teile ein Essen mit dem Drachen."));
    Check(VokUnlock(game, atoi(argv[2])));
    Check(VokGetProgress(game, 2, &rooms, 0));
    if (rooms < 10) Check(VokSetProgress(game, 2, rooms + 1, 10)); /* vok shows "rooms / 10" */
    if (rooms + 1 >= 10) Check(VokUnlock(game, 2));
    Check(VokSetFavouriteScore(game, VokFavouriteScore(game) + 5)); /* five more minutes played */
    Check(VokCommit(game)); /* every file crash-safely, then the update marker */
    VokCloseGame(game);
    printf("unlocked achievement %s of Tiny Quest for %s\n", argv[2], player);
    return 0;
}
