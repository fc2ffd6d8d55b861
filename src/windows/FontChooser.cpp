#include "windows/FontChooser.h"

#include "ui/FontData.h"
#include "ui/Twips.h"

#include <commdlg.h>

namespace tavlo {

namespace {

// Screen fonts, no vector fonts, limited size, the font must exist, TrueType only.
constexpr DWORD kFontChooserFlags = 0x52801;
constexpr INT kFontSizeMin = 6, kFontSizeMax = 72;

} // namespace

std::optional<FontChoice> ChooseFormFont(HWND owner, const FontChoice& preset)
{
    const int dpiY = TwipsScale::ForWindow(owner).DpiY();
    LOGFONTW lf = ApplyFontSettings(InitialFormFont(dpiY),
                                    FontSettings{preset.Name, preset.Size, preset.Bold, preset.Italic}, dpiY);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = kFontChooserFlags | CF_INITTOLOGFONTSTRUCT;
    cf.nSizeMin = kFontSizeMin;
    cf.nSizeMax = kFontSizeMax;
    if (!ChooseFontW(&cf)) return std::nullopt;
    return FontChoice{lf.lfFaceName, cf.iPointSize / 10.0f, lf.lfWeight >= FW_BOLD, lf.lfItalic != 0};
}

} // namespace tavlo
