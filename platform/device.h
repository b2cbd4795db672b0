// What the platform files share among themselves and nothing outside platform/ needs:
// which device this build is for, the desktop window's zoom and the desktop input.
#ifndef VOK_PLATFORM_DEVICE_H
#define VOK_PLATFORM_DEVICE_H

extern const bool HandheldBuild; // built for the GP2X-Wiz itself (VOK_HANDHELD)
extern int WindowZoom;           // window pixels per drawing pixel; 1 on the handheld

void InstallDesktopInput(); // starts translating keys, mouse and window close
void PushDesktopInput();    // queues what was translated since the last call

#endif
