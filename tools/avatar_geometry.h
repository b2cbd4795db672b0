// The one face every avatar part is drawn against: where the head, eyes, nose, mouth, ears,
// hair line, neck and shoulders lie inside the 88 x 105 part image. All ten layers take their
// positions from here, so any combination of parts lines up as one face.
#ifndef VOK_TOOLS_AVATAR_GEOMETRY_H
#define VOK_TOOLS_AVATAR_GEOMETRY_H

#include "tools/avatar_paint.h"

namespace face {

constexpr int Width = 88;   // every part image: the editor's frame behind the avatar
constexpr int Height = 105;

constexpr double CentreX = 44;   // the face's axis of symmetry, between columns 43 and 44
constexpr double HeadY = 44;     // the head: round above its centre, narrowing to the chin
constexpr double HeadRX = 27;
constexpr double HeadTop = 16;
constexpr double ChinY = 71;     // bottom of the chin
constexpr double JawNarrowing = 0.3; // how much narrower the head gets towards the chin
constexpr double HairLineY = 33; // where the forehead meets the hair
constexpr double BrowY = 41;     // middle of the eyebrows
constexpr double EyeY = 49;      // middle of the eyes
constexpr double EyeDX = 10;     // each eye's centre this far from the axis
constexpr double NoseY = 55;     // middle of the nose
constexpr double MouthY = 63;    // middle of the mouth
constexpr double CheekY = 57;    // middle of the cheeks, for paint and blush
constexpr double CheekDX = 15;
constexpr double EarX = 18.5;     // centre of the left ear; the right one is mirrored
constexpr double EarY = 51;
constexpr double EarRX = 4.5;
constexpr double EarRY = 6.5;
constexpr double LobeY = EarY + EarRY - 1; // where an earring hangs
constexpr double NeckHalfWidth = 8;
constexpr double NeckTop = 58;
constexpr double ShoulderTop = 80; // the shoulders' highest point
constexpr double TorsoY = 110;     // centre and radii of the shoulders' ellipse
constexpr double TorsoRX = 42;
constexpr double TorsoRY = TorsoY - ShoulderTop;

inline paint::Shape Mirror(const paint::Shape& s) { return paint::Mirrored(s, CentreX); }
inline paint::Shape BothSides(const paint::Shape& s) { return paint::Symmetric(s, CentreX); }

inline paint::Shape Head()
{
    return [](double x, double y) {
        const double t = y < HeadY ? (HeadY - y) / (HeadY - HeadTop) : (y - HeadY) / (ChinY - HeadY);
        const double rx = y < HeadY ? HeadRX : HeadRX * (1 - JawNarrowing * t * t);
        const double dx = (x - CentreX) / rx;
        return dx * dx + t * t <= 1.0;
    };
}
inline paint::Shape LeftEar() { return paint::Ellipse(EarX, EarY, EarRX, EarRY); }
inline paint::Shape Ears() { return BothSides(LeftEar()); }
inline paint::Shape Neck()
{
    return paint::Box(CentreX - NeckHalfWidth, NeckTop, CentreX + NeckHalfWidth, ShoulderTop + 8);
}
inline paint::Shape Torso()
{
    return paint::SuperEllipse(CentreX, TorsoY, TorsoRX, TorsoRY, 2.6);
}
// Everything of the bare figure: head, ears, neck and shoulders.
inline paint::Shape Figure() { return Head() | Ears() | Neck() | Torso(); }

// Hair never enters here, so it never hides the eyes.
inline paint::Shape EyeArea() { return paint::Box(CentreX - 19, EyeY - 6, CentreX + 19, EyeY + 6); }
// Beards leave this open, so the mouth shows through.
inline paint::Shape MouthArea() { return paint::Ellipse(CentreX, MouthY, 9, 4.5); }
// The visible skin of the face below the hair line.
inline paint::Shape Face() { return Head() & paint::Below(HairLineY); }

} // namespace face

#endif
