// The program's entry and its only loop: start-up in a fixed order, one frame after
// another (background, screen, pacing, keyboard overlay, flip; a frame in which nothing
// changed only reads ahead and paces, and after a second of those vok dozes: the sound device
// closed, input looked at 25 times a second), then shutdown and the hand-over to the launcher.
#ifndef VOK_FRAME_MAIN_LOOP_H
#define VOK_FRAME_MAIN_LOOP_H

#include <SDL.h>

// Milliseconds to sleep after a frame whose handler took `spanMs` (now minus frame start,
// unsigned 32-bit): half of what is left of the 16 ms budget, or no sleep at all (-1)
// when the subtraction wrapped because the frame ran long.
int FramePacingDelay(Uint32 spanMs);

// Runs the whole program; returns the process status (0 also when SDL cannot start).
int RunVok(int argc, char** argv);

#endif
