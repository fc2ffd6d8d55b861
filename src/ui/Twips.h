#pragma once
// Lengths of windows and controls are twips (1/1440 inch) everywhere in the program; this is the one
// place where they meet the screen's pixels.
#include <windows.h>

#include <cstdint>

namespace tavlo {

inline constexpr int kTwipsPerInch = 1440;

// Nearest whole number, halves to the even neighbour (4.5 -> 4, 5.5 -> 6).
double RoundHalfEven(double value);

// The 16-bit conversion of a value: RoundHalfEven, then throws std::range_error when the result does
// not fit a 16-bit signed integer.
std::int16_t CInt(double value);

// A layout length rounded the same way, without the 16-bit limit: a window on a large screen is more
// than 32767 twips wide, and its controls must still fill it.
float RoundTwips(double value);

class TwipsScale {
public:
    TwipsScale(int dpiX, int dpiY);

    int XToPixels(double twips) const;
    int YToPixels(double twips) const;
    float XToTwips(int pixels) const;
    float YToTwips(int pixels) const;

    int DpiX() const { return dpiX_; }

    // True when the point (in twips on the virtual screen) lies on some monitor.
    bool OnAMonitor(float left, float top) const;
    int DpiY() const { return dpiY_; }

    // The screen's own resolution, read once from the system.
    static const TwipsScale& Screen();
    // The resolution of the monitor `window` is on, where the system tells one window's apart (per-
    // monitor awareness); else the screen's.
    static TwipsScale ForWindow(HWND window);

private:
    int dpiX_;
    int dpiY_;
};

// Position and size of a window in twips.
struct TwipsRect {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

} // namespace tavlo
