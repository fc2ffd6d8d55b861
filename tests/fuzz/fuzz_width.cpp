// Both width conversions: ASCII made full width and back is itself; a half-width result holds no
// character the conversion still maps.
#include "FuzzText.h"
#include "engine/WidthConversion.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = fuzz::WideText(data, size);
    std::wstring ascii;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] >= 0x21 && data[i] < 0x7F) ascii += static_cast<wchar_t>(data[i]);
    fuzz::Require(ToHalfWidth(ToFullWidth(ascii), false) == ascii, "ASCII to full width and back");
    for (bool hira : {false, true}) {
        const std::wstring half = ToHalfWidth(text, hira);
        fuzz::Require(ToHalfWidth(half, hira) == half, "half width is final");
        ToFullWidth(half);
    }
    ToFullWidth(text);
    // The one-character forms agree with the whole-text ones.
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool absorbed = false;
        FullWidthChar(text[i], i + 1 < text.size() ? text[i + 1] : L'\0', absorbed);
        fuzz::Require(HalfWidthChar(text[i], true) == ToHalfWidth(std::wstring(1, text[i]), true), "one character half width");
    }
    return 0;
}
