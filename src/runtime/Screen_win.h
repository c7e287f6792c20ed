#pragma once
// The screen as the program's forms see it: size in twips, twips per pixel from the display's DPI, and the
// mouse pointer shown over all of the program's windows.
#include <windows.h>

namespace rt {

class Form;
class Control;

// Mouse pointer numbers of forms, controls and the screen.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerCross = 2;
inline constexpr int kPointerIBeam = 3;
inline constexpr int kPointerHourglass = 11;
inline constexpr int kPointerArrowHourglass = 13;
inline constexpr int kPointerCustom = 99;  // the control's MouseIcon

class Screen {
public:
    static int TwipsPerPixelX();
    static int TwipsPerPixelY();
    static int Width();   // twips
    static int Height();  // twips

    // kPointerDefault lets every window show its own pointer; any other number (kPointerHourglass) is shown
    // over all of the program's windows until it is set back.
    static int MousePointer();
    static void SetMousePointer(int pointer);

    // The program form that was activated last while it stays loaded, or nullptr; and its focused control.
    static Form* ActiveForm();
    static Control* ActiveControl();
};

// Twips <-> pixels, rounded to the nearest pixel.
int PixelsFromTwipsX(int twips);
int PixelsFromTwipsY(int twips);
int TwipsFromPixelsX(int pixels);
int TwipsFromPixelsY(int pixels);

// The cursor for a standard pointer number, or nullptr for kPointerDefault and kPointerCustom.
HCURSOR StandardCursor(int pointer);

}  // namespace rt
