#include "ui/FontData.h"

#include "ui/Twips.h"
#include "ui/UiTexts.h"

#include <cwchar>

namespace tavlo {


LOGFONTW InitialFormFont(int dpiY)
{
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    wcsncpy(lf.lfFaceName, ui_text::kDefaultFontName, LF_FACESIZE - 1);
    lf.lfHeight = -static_cast<LONG>(RoundHalfEven(9.75 * dpiY / 72.0));
    return lf;
}

LOGFONTW ApplyFontSettings(LOGFONTW font, const FontSettings& settings, int dpiY)
{
    if (!settings.Name.empty() && settings.Name.size() < LF_FACESIZE) {
        std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
        wcsncpy(font.lfFaceName, settings.Name.c_str(), LF_FACESIZE - 1);
    }
    if (settings.Size > 0 && settings.Size < 2048) {
        font.lfHeight = -static_cast<LONG>(RoundHalfEven(settings.Size * dpiY / 72.0));
        if (font.lfHeight == 0) font.lfHeight = -1;
    }
    font.lfWeight = settings.Bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = settings.Italic ? TRUE : FALSE;
    return font;
}

double FontPoints(const LOGFONTW& font, int dpiY)
{
    LONG h = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return dpiY > 0 ? h * 72.0 / dpiY : 0;
}

LOGFONTW ScaledFont(LOGFONTW font, int fromDpiY, int toDpiY)
{
    if (fromDpiY <= 0 || toDpiY <= 0 || fromDpiY == toDpiY) return font;
    const LONG height = -static_cast<LONG>(RoundHalfEven(FontPoints(font, fromDpiY) * toDpiY / 72.0));
    font.lfHeight = height == 0 ? -1 : height;
    return font;
}

FontHandle CreateFormFont(const LOGFONTW& font)
{
    return FontHandle(CreateFontIndirectW(&font));
}

} // namespace tavlo
