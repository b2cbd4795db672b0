// The numbers of the user-interface texts, named by the role they play on screen.
// The wording of each lives in the language files of "lang".
#ifndef VOK_LOCALIZATION_TEXTS_H
#define VOK_LOCALIZATION_TEXTS_H

enum TextId {
    TextChoose = 1,             // pad hint: home screen (switch player) and game screen (move)
    TextEdit = 2,               // X hint on the home screen; pad hint in the editor
    TextGames = 3,              // B hint on the home screen (22 pixels wide at most, 3 free before Y)
    TextNewProfile = 4,         // Y hint on the home screen
    TextCompleted = 5,          // heading of the card's completed-games row
    TextFavourites = 6,         // heading of the card's favourite-games row
    TextSave = 7,               // X hint in the editor
    TextCancel = 8,             // Y hint in the editor; the "no" line of the removal popups
    TextName = 9,               // editor row labels, 9 to 20, in row order
    TextLanguage = 10,
    TextBase = 11,
    TextEyes = 12,
    TextBrowns = 13,
    TextNose = 14,
    TextEars = 15,
    TextMouth = 16,
    TextFacial = 17,
    TextHair = 18,
    TextTatoo = 19,
    TextClothes = 20,
    TextBack = 21,              // Y hint on the game screen
    TextAchievementsLabel = 22, // "%s: %i/%i" count line of the game screen
    TextPointsLabel = 23,       // "%s: %i/%i" points line of the game screen
    TextHiddenName = 24,        // name shown for a hidden, locked achievement
    TextHiddenDescription = 25, // description shown for a hidden, locked achievement
    TextNoticeNoProfile = 26,   // NoticeNoProfile: first start, no player on the card
    TextNoticeFirstProfile = 27,// NoticeFirstProfile: creating the first player
    TextSwitchGame = 28,        // L/R hint on the game screen
    TextSnapshot = 29,          // line 0 of the home and game menus
    TextRemoveProfile = 30,     // line 1 of the home menu, line 0 of PopupRemoveProfile
    TextExit = 31,              // line 2 of the home and game menus
    TextGoodbye = 32,           // NoticeGoodbye, after the player's name
    TextSnapshotSaved = 33,     // the snapshot notices, before the file name
    TextSnapshotWhere = 34,     // the snapshot notices, after the file name
    TextRemoveGame = 35,        // line 1 of the game menu, line 0 of PopupRemoveGame
    TextNoticeNoName = 36,      // NoticeNoName: saving a player without a name
    TextNoticeNotSaved = 37,    // NoticeNotSaved: a snapshot, a profile or a new player not written
    TextUnlockedOn = 38,        // game panel, before the date an achievement was unlocked
    TextDateFormat = 39,        // that date's form: %d day, %e day unpadded, %m month, %b its name, %Y year
    TextMonthNames = 40,        // the twelve months' short names, January first, blank-separated
    TextNoticeCardGone = 41,    // NoticeCardGone: the card's store folder is gone
    TextLast = TextNoticeCardGone // every language file holds texts 1 to this
};

#endif
