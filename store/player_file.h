// A player's file "vok.cfg" on the card: language, display name and the ten avatar part
// numbers, read into and written from a ProfileRecord.
#ifndef VOK_STORE_PLAYER_FILE_H
#define VOK_STORE_PLAYER_FILE_H

#include <string>

#include "card/card_format.h"
#include "store/profiles.h"

// The record's field of each of the file's keys, in the card's order (CardProfileKeys): lang,
// name, then the ten avatar parts base to clothes.
extern std::string ProfileRecord::* const ProfileFields[CARD_PROFILE_KEYS];
const int FirstAvatarPartKey = 2; // ProfileFields and CardProfileKeys from here on are the avatar parts

bool LoadProfileFile(ProfileRecord* record);        // false when "vok.cfg" cannot be opened
bool WriteProfileFile(const ProfileRecord& record); // crash-safely into its folder; false: not written

// The file's text for a record, and the reverse; shared by the loader and the tests.
std::string FormatProfileFile(const ProfileRecord& record);
void ParseProfileFile(const std::string& text, ProfileRecord* record);

#endif
