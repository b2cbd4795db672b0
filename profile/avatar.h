// The avatar: ten layers of numbered part images from "media", found at start-up, each read
// once when first needed, and drawn on top of each other at AvatarOrigin from a player's part numbers.
#ifndef VOK_PROFILE_AVATAR_H
#define VOK_PROFILE_AVATAR_H

#include <string>
#include <vector>
#include <SDL.h>
#include "store/profiles.h"

// The ten layers in their canonical order (profile file keys, editor rows, file scan).
enum AvatarPart {
    AvatarBase, AvatarEyes, AvatarBrowns, AvatarNose, AvatarEars,
    AvatarMouth, AvatarFacial, AvatarHair, AvatarTatoo, AvatarClothes,
    AvatarPartCount
};

struct AvatarPartInfo {
    const char* key;                  // profile file key and file-name part: "base", "eyes", ...
    std::string ProfileRecord::*field; // the record's part number text
};
extern const AvatarPartInfo AvatarParts[AvatarPartCount]; // canonical order

extern std::vector<std::string> AvatarPartFiles[AvatarPartCount];   // file of number k + 1 at k
extern std::vector<SDL_Surface*> AvatarPartImages[AvatarPartCount]; // image of number k + 1 at k, or null
extern const SDL_Rect AvatarOrigin; // (50, 60): top-left of every layer on screen

void ScanAvatarParts();  // the unbroken run of numbered files of each layer, at most 99
void LoadAvatarImages(); // AvatarPartImages from AvatarPartFiles, each read when first drawn
// One step of reading ahead the record's avatar (reading an image, or preparing one read);
// false when every image it shows is ready.
bool PrepareAvatar(const ProfileRecord* record);
void FreeAvatarImages(); // every avatar image, each handle left null
void DrawAvatar(const ProfileRecord* record);
// A part number text read as strtol does ("05", "5" and " 5" are 5; "" is 0).
int PartNumber(const std::string& text);
// "vok_<key>_0N.bmp" for 1 to 9, "vok_<key>_N.bmp" from 10 to 99; "" for any other part or
// number. The one place of the name: the avatar generator writes its files under it too.
std::string AvatarPartName(int part, int number);
// "media/" + AvatarPartName, where the program finds the part; "" where that is "".
std::string AvatarPartFileName(int part, int number);

#endif
