#include "store/game_files.h"

std::string GameTitle;
std::string GameAuthor;
std::vector<AchievementRecord> Achievements;
std::vector<AchievementText> AchievementTexts;

void LoadGameInfo(std::vector<AchievementRecord>* list) { if (list) list->clear(); }
void LoadAchievementIcons() {}
int LoadAchievementTexts() { AchievementTexts.clear(); return 0; }
std::string ReadTextLanguage() { return std::string(); }
SDL_Surface* AchievementIcon(int) { return 0; }
std::vector<AchievementText> ParseAchievementTexts(const std::string&) { return std::vector<AchievementText>(); }
