#include "platform/device.h"

#ifdef VOK_HANDHELD
const bool HandheldBuild = true;
#else
const bool HandheldBuild = false;
#endif

int WindowZoom = 1;
