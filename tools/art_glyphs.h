// Pixel-art grids of the interface: button letters, keyboard symbols and the achievement
// placeholders. One character per pixel; what each character paints is chosen by the picture
// that uses the grid ('.' is always left untouched).
#ifndef VOK_TOOLS_ART_GLYPHS_H
#define VOK_TOOLS_ART_GLYPHS_H

#include <string>
#include <vector>

namespace art {

using Grid = std::vector<std::string>;

// Button letters, 5 x 7, '#' is the stroke.
inline const Grid LetterX = {
    "##.##",
    "##.##",
    ".###.",
    "..#..",
    ".###.",
    "##.##",
    "##.##",
};
inline const Grid LetterY = {
    "##.##",
    "##.##",
    "##.##",
    ".###.",
    "..#..",
    "..#..",
    "..#..",
};
inline const Grid LetterB = {
    "####.",
    "##.##",
    "##.##",
    "####.",
    "##.##",
    "##.##",
    "####.",
};
inline const Grid LetterL = {
    "##...",
    "##...",
    "##...",
    "##...",
    "##...",
    "#####",
    "#####",
};
inline const Grid LetterR = {
    "####.",
    "##.##",
    "##.##",
    "####.",
    "###..",
    "##.#.",
    "##.##",
};

// Keyboard symbols, '#' in the key labels' yellow.
inline const Grid DeleteSymbol = {
    "......#############",
    ".....##############",
    "....###############",
    "...################",
    "..########..##..###",
    ".##########....####",
    "############..#####",
    ".##########....####",
    "..########..##..###",
    "...################",
    "....###############",
    ".....##############",
    "......#############",
};
inline const Grid ReturnSymbol = {
    "............##",
    "............##",
    "....#.......##",
    "...##.......##",
    "..###.......##",
    ".####.......##",
    "##############",
    "##############",
    ".####.........",
    "..###.........",
    "...##.........",
    "....#.........",
};
inline const Grid ShiftSymbol = {
    ".......#.......",
    "......###......",
    ".....##.##.....",
    "....##...##....",
    "...##.....##...",
    "..##.......##..",
    ".##.........##.",
    "######...######",
    "....##...##....",
    "....##...##....",
    "....##...##....",
    "....##...##....",
    "....#######....",
    "....#######....",
};
inline const Grid PadlockSymbol = {
    "....#####....",
    "...#######...",
    "..###...###..",
    "..##.....##..",
    "..##.....##..",
    "..##.....##..",
    "#############",
    "#############",
    "#####...#####",
    "#####...#####",
    "######.######",
    "######.######",
    "######.######",
    "#############",
    "#############",
};

// Locked achievement: 'o' outline, 's' shackle, 'b' body, 'h' light edge, 'd' shadow, 'k' keyhole.
inline const Grid LockedPadlock = {
    "...oooooo...",
    "..osssssso..",
    ".osooooooso.",
    ".oso....oso.",
    ".oso....oso.",
    "oooooooooooo",
    "ohhhhhhhhhho",
    "ohbbbbbbbbdo",
    "ohbbkkkkbbdo",
    "ohbbkkkkbbdo",
    "ohbbbkkbbbdo",
    "ohbbbkkbbbdo",
    "ohdddddddddo",
    "oooooooooooo",
};

// Unlocked achievement: 'o' outline, 'y' gold, 'h' highlight, 'd' deep gold.
inline const Grid Trophy = {
    "..oooooooooooo..",
    "ooohhyyyyyyydooo",
    "o.ohhyyyyyyydo.o",
    "o.ohyyyyyyyydo.o",
    "o.ohyyyyyyyydo.o",
    ".oohyyyyyyyydoo.",
    "..ohyyyyyyyydo..",
    "...ohyyyyyydo...",
    "....ohyyyydo....",
    ".....oyyydo.....",
    "......oydo......",
    "......oydo......",
    ".....oyyydo.....",
    "....oooooooo....",
    "....ohyyyydo....",
    "....oooooooo....",
};

} // namespace art

#endif
