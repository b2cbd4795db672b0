#include "frame/state.h"

const int ScreenWidth = 320;
const int ScreenHeight = 240;
const int BytesPerPixel = 2;
const int DisplayScale = 1;
const int SoundVolume = 120;

int ScreenMode = ScreenHome;
int QuitRequested = 0;
SDL_Surface* ScreenSurface = 0;
SDL_Joystick* JoystickHandle = 0;
TTF_Font* FontSmall = 0;
TTF_Font* FontLarge = 0;
std::string StoreRoot = "/mnt/sd/vok/";

int PopupId = PopupNone;
int PopupCursor = 0;
int PopupItemCount = 3;
int NoticeId = NoticeNone;
int ScreenChanged = 1;
bool DrawOnlyWhenChanged = true;
bool ScreenKeepsPicture = false;
SDL_Rect ShownParts[MaxShownParts];
int ShownPartCount = 0;
