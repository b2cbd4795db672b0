// What the game screen shows of one game: the title file, the achievement records, the
// fifty icons "001" to "050" and the achievement texts in the player's language.
#ifndef VOK_STORE_GAME_FILES_H
#define VOK_STORE_GAME_FILES_H

#include <string>
#include <vector>
#include <SDL.h>
#include "card/card_format.h"
#include "card/card_progress.h"
#include "store/progress.h"

const size_t AchievementTextSize = CARD_TEXT_RECORD_SIZE; // bytes of one record of an achievement text file

// One record of an achievement text file, text fields un-complemented and NUL-terminated.
typedef CardText AchievementText;

extern std::string GameTitle;                       // "title" of vok.title
extern std::string GameAuthor;                      // "author" of vok.title
extern std::vector<AchievementRecord> Achievements; // vok.dat of the shown game
extern std::vector<AchievementText> AchievementTexts; // texts of the shown game
extern std::vector<CardProgress> AchievementProgress; // vok.progress of the shown game, records as they stand

void LoadGameInfo(std::vector<AchievementRecord>* list); // title, records and progress; the old icons forgotten
void LoadAchievementIcons();     // forgets the icons of the game shown before
void FreeAchievementIcons();     // frees every icon; each is read again when next asked for
int LoadAchievementTexts();        // 1 when a text file was read
std::string ReadTextLanguage();    // first line of vok.lang, "" when unreadable

// Icon file name of achievement `id`: "001" to "050".
std::string AchievementIconName(int id);
// The icon of achievement `id` of the shown game, read when first asked for; null when id is
// outside 1 to 50 or the game has none.
SDL_Surface* AchievementIcon(int id);
// Decoders from memory, shared by the loaders, the tests and the fuzzers.
std::vector<AchievementText> ParseAchievementTexts(const std::string& bytes);
void ParseTitle(const std::string& text); // "vok.title" into GameTitle and GameAuthor
std::vector<CardProgress> ParseAchievementProgress(const std::string& bytes); // at most MaxAchievementRecords
// The progress and unlock time of achievement `id` of the shown game: its last record in
// vok.progress, all zero when it has none.
CardProgress ProgressOf(int id);

#endif
