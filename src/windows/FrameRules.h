#pragma once
// The main window's rules that need no window: the arrangement of the children, the font choice,
// the help file's path and the keeping of the window on the screen. Lengths in twips.
#include "settings/Options.h"
#include "ui/FontData.h"
#include "ui/Twips.h"

#include <array>
#include <optional>
#include <string>

namespace tavlo {

// Where the main window puts its children and its Cancel button for an inner area of the given size.
struct FrameLayout {
    // Set only while the children are arranged by the main window: InDir, InFile, File, Status, OutFile.
    std::optional<std::array<TwipsRect, 5>> Children;
    // The Cancel button's new left edge; nothing when the area is too narrow and it stays put.
    std::optional<float> CancelLeft;
};

// The gap kept between the Cancel button and the right edge of the area.
inline constexpr float kCancelMargin = 60;

FrameLayout ComputeFrameLayout(float innerWidth, float innerHeight, bool resize, float cancelWidth);

// What the font chooser returned (the size in points as it offers them, e.g. 10.5).
struct FontChoice {
    std::wstring Name;
    float Size = 0;
    bool Bold = false;
    bool Italic = false;
};

// The font the forms take from the option state.
FontSettings FormFontOf(const OptionState& state);

// The chooser's preset from the option state.
FontChoice FontChoiceFromOptions(const OptionState& state);

// Takes the choice into the font options when any of the four differs; the size is rounded to a
// whole point, halves to even. True when the options changed (the windows then take the new font).
bool TakeFontChoice(const FontChoice& choice, OptionState& state);

// A stored position that lies on some monitor stays. Any other has a left or top edge outside the
// primary screen of the given size put back to 1000, each on its own.
TwipsRect KeepPositionOnScreen(TwipsRect rect, float screenWidth, float screenHeight, bool onAMonitor);
// The main window's stored geometry: the position rule above, and too small a size made the default.
TwipsRect KeepOnScreen(TwipsRect rect, float screenWidth, float screenHeight, bool onAMonitor);

} // namespace tavlo
