#pragma once
// The font of the forms: the stored font settings turned into a LOGFONT, one setting at a time.
#include "common/GdiHandles.h"

#include <windows.h>

#include <string>

namespace tavlo {

struct FontSettings {
    std::wstring Name;
    double Size = 0; // points
    bool Bold = false;
    bool Italic = false;
};

// The font a form starts with: the default face at 9.75 points, Shift-JIS.
LOGFONTW InitialFormFont(int dpiY);

// Applies name, size, bold and italic in that order; a setting that cannot be applied (an empty or
// too long name, a size that is not positive) leaves that part of the font as it was.
LOGFONTW ApplyFontSettings(LOGFONTW font, const FontSettings& settings, int dpiY);

// The point size a LOGFONT stands for at the given resolution.
double FontPoints(const LOGFONTW& font, int dpiY);
// The same font in points, for a screen of another resolution.
LOGFONTW ScaledFont(LOGFONTW font, int fromDpiY, int toDpiY);

// Creates the font; an empty handle when the system refused.
FontHandle CreateFormFont(const LOGFONTW& font);

} // namespace tavlo
