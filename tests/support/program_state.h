// The one reset of the program-wide state for the tests: every global of the program back to
// the value a run starts with. A new global gets its line here and nowhere else; every test
// ends with this reset (test_main.cpp), and the card fixtures start with it.
#ifndef VOK_TESTS_SUPPORT_PROGRAM_STATE_H
#define VOK_TESTS_SUPPORT_PROGRAM_STATE_H

// What a reset does with the media surfaces, the icons, the avatar images and the sound.
enum MediaOnReset {
    FreeTheMedia, // freed, as before start-up: the end of every test, the store fixtures
    KeepTheMedia  // left as they are: the screen fixtures, whose tests put stand-ins in place first
};

// Lists, records, indexes, cursors, popup, notice, keyboard, editor and options as before main;
// the language list read again with English selected, as start-up's first step leaves it. The
// screen surface, the joystick and the fonts are left to the fixture that opened them
// (MakeTestScreen, StartScreens).
void ResetProgramState(MediaOnReset media = FreeTheMedia);

#endif
